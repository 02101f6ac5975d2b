#include "ui/program.h"

namespace lexivo {

Program::Program(DataTree dataTree, Dialogs& dialogs, Shell& shell, Voice& voice)
    : tree(dataTree), collection(std::move(dataTree), localeNameOrder()), dialogs(dialogs), shell(shell), voice(voice)
{
}

}  // namespace lexivo

#include "ui/program.h"

namespace lexivo {

Program::Program(DataTree dataTree, Dialogs& dialogs, Shell& shell)
    : tree(dataTree), collection(std::move(dataTree), localeNameOrder()), dialogs(dialogs), shell(shell)
{
}

}  // namespace lexivo

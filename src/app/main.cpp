// Program entry: one instance, the shared program state, and the main window for the run.

#include <ctime>

#include <QApplication>
#include <QScreen>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "test/speech.h"
#include "test/test_session.h"
#include "ui/controls.h"
#include "ui/program.h"

int main(int argc, char** argv)
{
    using namespace lexivo;
    QApplication application(argc, argv);
    installFontSubstitutes();
    QtDialogs dialogs;
    DesktopShell shell;
    SystemVoice voice;

    const auto programDirectory = resolveProgramDirectory(executableDirectory());
    const SingleInstance instance(programDirectory);
    if (!instance.acquired()) {
        dialogs.showMessage(nullptr, errorMessage("Program už je spuštěn."));
        return 0;
    }

    Program program(DataTree(programDirectory), dialogs, shell, voice);
    program.random.seed(static_cast<std::uint32_t>(std::time(nullptr)));
    const QRect workArea = application.primaryScreen()->availableGeometry();
    program.grid = DesignGrid::fromWorkArea(workArea.x() + workArea.width(), workArea.y() + workArea.height());

    TestSession tests(program.tree, program.random);
    MainWindow window(program, tests);
    window.startUp();
    window.showOnWorkArea(workArea);
    application.exec();
    return 0;
}

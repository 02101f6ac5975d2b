// Program entry: a command from the command line, or one instance with the shared program state
// and the main window for the run.

#include <cstdlib>
#include <ctime>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "test/speech.h"
#include "test/test_session.h"
#include "ui/controls.h"
#include "ui/program.h"
#include "ui/quick_help.h"

int main(int argc, char** argv)
{
    using namespace lexivo;
    // A command (list, export, import, --help) runs without windows and without a display.
    if (isCommandLine(argc, argv)) {
        return runCommandLine(argc, argv);
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName("cz.lexivo.Lexivo");
    installFontSubstitutes();
    // The desktop's own dialogs (saving a file, fonts, colours) speak Czech like the rest.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        application.installTranslator(&qtTexts);
    }
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
    voice.use(loadVoiceSettings(program.tree));
    MainWindow window(program, tests);
    QuickHelp quickHelp(program, &window);
    // A desktop session manager asks before the user logs off: the test is kept all the same.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.endSession(); });
    // Every write is complete when the event loop runs, so the program may end at once after
    // keeping the test and the group; a window still open would wait for nobody.
    const TerminationSignals termination([&window] {
        window.endSession();
        std::_Exit(0);
    });
    window.startUp();
    window.showOnWorkArea(workArea);
    QTimer::singleShot(0, &window, &MainWindow::showStartTip);
    application.exec();
    return 0;
}

// Taking tests in the windows as a user does: the configuration, answers typed and confirmed
// by keyboard, the feedback windows, the evaluation, leaving and resuming. What the core
// decides (START's checks, saving and forgetting) is tested in test_decisions_test.

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "app/main_window.h"
#include "store/cp1250.h"
#include "store/package_selection.h"
#include "support/window_test_support.h"
#include "test/answer_feedback.h"
#include "test/evaluation_dialog.h"
#include "test/resume_dialog.h"
#include "test/speech.h"
#include "test/test_configuration_panel.h"
#include "test/test_decisions.h"
#include "test/test_run_window.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/feedback_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/resume_dialog.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/voice_settings.h"

#include <QTextToSpeech>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

namespace lexivo {
namespace {

namespace configuration = test_configuration_panel_control;
namespace run = test_run_window_control;
namespace mainWindow = main_window_control;
using testing::click;
using testing::shown;
using testing::TestProgram;

QString text(QWidget* window, int id) { return testing::labelText(window, id); }

const std::string kGroup = "Angličtina";
const std::string kThreeWords = "dog|pes|A dog barks.|4\r\ncat|kočka||4\r\nbird|pták+ptáček||4\r\n";

QString qt(const std::string& s) { return QString::fromStdString(s); }
bool checked(QWidget* window, int id) { return findControlAs<QAbstractButton>(window, id)->isChecked(); }

void writePackage(TestProgram& test, const std::string& name, const std::string& words)
{
    test.temp.makeGroup(kGroup);
    test.temp.writePackage(kGroup, name, encodeCp1250(words).value());
}

bool exists(TestProgram& test, const char* name)
{
    return std::filesystem::exists(test.temp.tree().temporaryFile(kGroup, name));
}

// What a modal window showed, in one line.
QString describe(QWidget* modal)
{
    namespace evaluation = evaluation_dialog_control;
    if (auto* right = qobject_cast<RightAnswerDialog*>(modal)) {
        return "Správně: " + right->synonyms();
    }
    if (auto* wrong = qobject_cast<WrongAnswerDialog*>(modal)) {
        return "Chyba: " + wrong->answerText();
    }
    if (qobject_cast<EvaluationDialog*>(modal)) {
        return QString("Vyhodnocení %1/%2 %3 %4%5")
            .arg(text(modal, evaluation::RightCount), text(modal, evaluation::WrongCount),
                 text(modal, evaluation::RightPercent), text(modal, evaluation::WrongPercent),
                 shown(modal, evaluation::InterruptedNote) ? " přerušený" : "");
    }
    return modal->metaObject()->className();
}

// What the user sets in the configuration before START.
struct Choice {
    std::vector<int> packages;
    int mode = configuration::UntilAllRight;
    int count = 20;
    int direction = configuration::EnglishShown;
    bool noRepeat = false;
};

// The main window on a test program. Modal windows that no test step expects are described
// into `seen` and closed with Enter, as a user reads and dismisses them.
struct Screen {
    explicit Screen(TestProgram& test, testing::Restart* restart = nullptr)
        : session(restart ? restart->session : test.session),
          window(restart ? std::make_unique<MainWindow>(restart->program, restart->session)
                         : std::make_unique<MainWindow>(test.program, test.session))
    {
        window->startUp();
        window->resize(test.program.grid.screenW(), test.program.grid.screenH());
        window->show();
        driver.otherwise([this](QWidget* modal) {
            seen << describe(modal);
            QTest::keyClick(modal, Qt::Key_Return);
        });
    }

    TestConfigurationPanel* configuration()
    {
        click(window.get(), mainWindow::Test);
        TestConfigurationPanel* panel = window->configurationPanel();
        return panel != nullptr && QTest::qWaitFor([&] { return panel->presetsApplied(); }) ? panel : nullptr;
    }
    static void choose(TestConfigurationPanel& panel, const Choice& choice)
    {
        for (int position : choice.packages) {
            QTest::mouseClick(panel.packageBoxes()[static_cast<std::size_t>(position)], Qt::LeftButton,
                              Qt::NoModifier, QPoint(8, 12));
        }
        click(&panel, choice.mode);
        if (choice.mode == configuration::FixedCount) {
            auto* field = findControlAs<QLineEdit>(&panel, configuration::QuestionCount);
            field->selectAll();
            testing::typeText(field, QString::number(choice.count));
            findControlAs<QCheckBox>(&panel, configuration::NoRepeat)->setChecked(choice.noRepeat);
        }
        click(&panel, choice.direction);
    }
    // Chooses and presses START; the test window that opens, if any.
    TestRunWindow* start(const Choice& choice)
    {
        TestConfigurationPanel* panel = configuration();
        if (panel != nullptr) {
            choose(*panel, choice);
            click(panel, configuration::Start);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return window->testWindow();
    }
    // Types into the test window and presses Enter.
    void answer(const QString& typed)
    {
        testing::typeText(window->testWindow()->answerField(), typed);
        QTest::keyClick(window->testWindow()->answerField(), Qt::Key_Return);
    }
    QString expected() const { return qt(session.engine.expectedText()); }

    TestSession& session;
    std::unique_ptr<MainWindow> window;
    testing::ModalDriver driver;
    QStringList seen;
};

}  // namespace

class TestWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    // Also the pictures of the user manual: a laptop screen, a usual test, the colour hint.
    void untilAllRightByKeyboard()
    {
        TestProgram test(1366, 768);
        writePackage(test, "Zvířata", kThreeWords);
        writePackage(test, "Zvířata – divoká", "fox|liška||4\r\nowl|sova||4\r\n");
        Screen screen(test);
        test.program.config.typingColours = 1;
        test.program.config.showLanguageIcon = 1;
        screen.driver.otherwise([&screen](QWidget* modal) {
            const QString picture = qobject_cast<WrongAnswerDialog*>(modal)      ? "manual-feedback-wrong"
                                    : qobject_cast<EvaluationDialog*>(modal)     ? "manual-evaluation"
                                    : describe(modal).contains("synonyma") ? "manual-feedback-right"
                                                                               : "";
            if (!picture.isEmpty()) {
                testing::screenshot(*modal, picture);
            }
            screen.seen << describe(modal);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        TestConfigurationPanel* panel = screen.configuration();
        QVERIFY(panel != nullptr);
        Screen::choose(*panel, {.packages = {0}});
        testing::screenshot(*screen.window, "manual-test-configuration");
        click(panel, configuration::Start);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TestRunWindow* running = screen.window->testWindow();
        QVERIFY(running != nullptr);
        testing::typeText(running->answerField(), screen.expected().left(2));
        testing::screenshot(*screen.window, "manual-test-run");
        running->answerField()->clear();
        QCOMPARE(text(running, run::Remaining), QString("Zbývá správně zodpovědět: 3"));
        QVERIFY(!shown(running, run::PackageLine));  // one package: no package line
        QVERIFY(shown(running, run::PackageOfRemaining));

        const QString wrongLine = qt(screen.session.engine.state().english) + " - " + screen.expected();
        screen.answer("nevím");
        QCOMPARE(text(running, run::WrongCount) + text(running, run::RightPercent) + text(running, run::WrongPercent),
                 QString("Špatně: 10 %100 %"));
        QCOMPARE(running->findChild<QProgressBar*>()->value(), 3);
        for (int i = 0; i < 3; ++i) {
            screen.answer(screen.expected());
        }
        QCOMPARE(screen.seen.size(), 5);
        QCOMPARE(screen.seen.first(), "Chyba: " + wrongLine);
        // The whole expression typed: the meanings of "pták+ptáček" are others; one meaning adds no line.
        QCOMPARE(screen.seen.count("Správně: Další synonyma: pták, ptáček"), 1);
        QCOMPARE(screen.seen.count("Správně: "), 2);
        QCOMPARE(screen.seen.last(), QString("Vyhodnocení 3/1 75 % 25 %"));

        // Over: the configuration is back, the pool is spent, nothing is kept for a resume.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.window->configurationPanel() != nullptr);
        QVERIFY(!exists(test, "TestInfo"));
        QCOMPARE(testing::readBytes(test.temp.tree().temporaryFile(kGroup, "Test")), std::string("#|Zv\xED\xF8" "ata\r\n"));
        // Every word was answered right once (4 → 3); the wrong answer left its word at 4.
        QCOMPARE(decodeCp1250(test.temp.readPackage(kGroup, "Zvířata")),
                 std::string("dog|pes|A dog barks.|3\r\ncat|kočka||3\r\nbird|pták+ptáček||3\r\n"));
        QCOMPARE(readPackageSelection(test.temp.tree(), kGroup), std::vector<int>{0});
    }

    void theFeedbackWindowsTypoSpeakerAndEnter()
    {
        TestProgram test;
        writePackage(test, "P", "one|jedna||2\r\ntwo|dva||2\r\n");
        Screen screen(test);
        test.program.config.autoSpeak = 0;
        QVERIFY(screen.start({.packages = {0}, .mode = configuration::FixedCount, .count = 5}) != nullptr);
        bool keptOpen = false;
        screen.driver.then([&](QWidget* modal) {
            QTest::mouseClick(static_cast<FeedbackDialog*>(modal)->speakerButton(), Qt::LeftButton);
            // The speaker speaks and keeps the window, which a one-line answer leaves at its size.
            keptOpen = modal->isVisible() && modal->height() == 200;
            QTest::mouseClick(findControl(modal, feedback_dialog_control::Typo), Qt::LeftButton);
        });
        screen.answer("jdna");
        QVERIFY(keptOpen);
        QCOMPARE(screen.session.engine.state().rightCount, 1);  // a typo counts as right
        // Enter with the speaker focused closes the window instead of speaking.
        screen.driver.then([](QWidget* modal) {
            QWidget* speaker = static_cast<FeedbackDialog*>(modal)->speakerButton();
            speaker->setFocus();
            QTest::keyClick(speaker, Qt::Key_Return);
        });
        screen.answer(screen.expected());
        QVERIFY(screen.driver.idle());
        QCOMPARE(test.voice.spoken.size(), size_t(1));
    }

    void theRemainingWordsAreAskedForAsAPackage()
    {
        TestProgram test;
        writePackage(test, "P", kThreeWords);
        QVERIFY(test.session.engine.startTest(kGroup, {"P"}, TestSettings{}).ok());
        QWidget owner;
        TestRunWindow running(test.program, test.session, test.requests, &owner);
        owner.show();
        QTest::mouseClick(findControl(&running, run::PackageOfRemaining), Qt::LeftButton);
        QCOMPARE(test.requests.requests, std::vector<std::string>{"openAddPackageForRemainingWords"});
    }

    // Every way out of a running test but "Konec" shows the evaluation (Esc closes it) and saves
    // the test; the package list is back in the centre. The end of the session (-1) saves it
    // without a window.
    void leavingATestSavesItForResuming()
    {
        for (int way : {mainWindow::ManagePackages, mainWindow::Groups, mainWindow::Online, 0, mainWindow::Quit, -1}) {
            TestProgram test;
            writePackage(test, "Zvířata", kThreeWords);
            Screen screen(test);
            QVERIFY(screen.start({.packages = {0}}) != nullptr);
            screen.answer(screen.expected());
            QString evaluation;
            screen.driver.then([&](QWidget* modal) {
                evaluation = describe(modal);
                QTest::keyClick(modal->focusWidget(), Qt::Key_Escape);
            });
            if (way == mainWindow::Online) {  // after the evaluation the online choice, left with Esc
                screen.driver.then([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
            }
            if (way == -1) {
                screen.window->endSession();
                QCOMPARE(evaluation, QString());
                QCOMPARE(test.session.engine.resumeSavedTest(kGroup).ok(), true);
                QCOMPARE(test.session.engine.state().rightCount, 1);
                continue;
            }
            way == 0 ? (void)screen.window->close() : click(screen.window.get(), way);
            QCOMPARE(exists(test, "TestInfo"), way != mainWindow::Quit);
            QCOMPARE(evaluation, way == mainWindow::Quit ? QString() : QString("Vyhodnocení 1/0 100 % 0 % přerušený"));
            QVERIFY(screen.window->testWindow() == nullptr || way == mainWindow::Quit);
            QVERIFY(shown(screen.window.get(), mainWindow::PackageList) || way == mainWindow::Quit);
        }
    }

    // A package or a saved test that cannot be updated after an answer, and presets that cannot
    // be kept, are reported; the answer counts and the test goes on.
    void failedUpdatesAreShownAndTheTestGoesOn()
    {
        for (bool resumed : {false, true}) {
            TestProgram test;
            writePackage(test, "Zvířata", kThreeWords);
            if (resumed) {
                QVERIFY(test.session.engine.startTest(kGroup, {"Zvířata"}, TestSettings{}).ok());
                test.session.engine.pickNextWord();
                QVERIFY(recordTestEnd(test.session, TestEnd::Interrupted).ok());
            }
            Screen screen(test);
            if (resumed) {
                screen.driver.then([](QWidget* modal) { click(modal, resume_dialog_control::Continue); });
                click(screen.window.get(), mainWindow::Test);
            } else {
                QVERIFY(screen.start({.packages = {0}}) != nullptr);
            }
            const auto broken = resumed ? test.temp.tree().temporaryFile(kGroup, "TestInfo")
                                        : test.temp.tree().packageFile(kGroup, "Zvířata");
            std::filesystem::remove(broken);
            std::filesystem::create_directory(broken);
            screen.answer(screen.expected());
            QCOMPARE(test.dialogs.messages.size(), size_t(1));
            QVERIFY(qt(test.dialogs.messages[0].text).contains(resumed ? "nedokončeném testu" : "Zvířata"));
            QCOMPARE(text(screen.window->testWindow(), run::Remaining), QString("Zbývá správně zodpovědět: 2"));
        }
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        Screen screen(test);
        QVERIFY(screen.configuration() != nullptr);
        std::filesystem::create_directory(test.temp.tree().temporaryFile(kGroup, "config"));
        click(screen.window.get(), mainWindow::ManagePackages);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
    }

    // A saved test after a restart: "Pokračovat" asks the same word again in the same direction
    // with the counts restored, and finishing the test forgets it; "Zapomenout", or a saved test
    // too damaged to offer, leads to the configuration.
    void aSavedTestIsResumedOrForgotten()
    {
        enum Way { Continue, Forget, Damaged };
        for (Way way : {Continue, Forget, Damaged}) {
            TestProgram test;
            writePackage(test, "Zvířata", kThreeWords);
            QVERIFY(test.session.engine.startTest(kGroup, {"Zvířata"}, {.directionMode = DirectionMode::Random}).ok());
            test.session.engine.pickNextWord();
            if (way == Continue) {
                QVERIFY(test.session.engine.recordAnswer(true).ok());
                test.session.engine.pickNextWord();
            }
            QVERIFY(recordTestEnd(test.session, TestEnd::Interrupted).ok());
            if (way == Damaged) {
                testing::writeBytes(test.temp.tree().temporaryFile(kGroup, "TestInfo"), std::string(100, '\0'));
            }
            testing::Restart restarted(test);
            Screen screen(test, &restarted);
            QString total;
            screen.driver.then([&](QWidget* modal) {
                total = text(modal, resume_dialog_control::Total);
                // Nothing answered before the break: no success so far.
                QCOMPARE(shown(modal, resume_dialog_control::SuccessCaption), way == Continue);
                click(modal, way == Continue ? resume_dialog_control::Continue : resume_dialog_control::Forget);
            });
            click(screen.window.get(), mainWindow::Test);
            QCOMPARE(test.dialogs.messages.size(), size_t(way == Damaged ? 1 : 0));
            if (way != Continue) {
                QCOMPARE(screen.driver.idle(), way == Forget);
                QVERIFY(screen.window->configurationPanel() != nullptr && !exists(test, "TestInfo"));
                continue;
            }
            QCOMPARE(total, QString("Celkový počet slovíček 3"));
            TestRunWindow* resumed = screen.window->testWindow();
            QVERIFY(resumed != nullptr);
            QCOMPARE(resumed->questionBox()->text(), qt(test.session.engine.questionText()));
            QCOMPARE(restarted.session.engine.state().askDirection, test.session.engine.state().askDirection);
            QCOMPARE(text(resumed, run::RightCount), QString("Správně: 1"));
            QTest::keyClick(resumed->answerField(), Qt::Key_Escape);  // Esc in a test does not end the program
            QVERIFY(screen.window->isVisible());

            screen.answer(screen.expected());
            screen.answer(screen.expected());
            QCOMPARE(screen.seen.last(), QString("Vyhodnocení 3/0 100 % 0 %"));
            QVERIFY(!exists(test, "TestInfo") && !exists(test, "Test"));  // finishing the resumed test forgets it
        }
    }

    // "Test" over a running test asks first; No keeps the test, Yes ends it as finished.
    void aNewTestOverARunningOneAsksFirst()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        Screen screen(test);
        QVERIFY(screen.start({.packages = {0}}) != nullptr);
        QVERIFY(recordTestEnd(test.session, TestEnd::Interrupted).ok());  // as a resumed test has
        click(screen.window.get(), mainWindow::Test);
        QCOMPARE(qt(test.dialogs.questions.back().title), QString("Dotaz"));
        QVERIFY(screen.window->testWindow() != nullptr);
        test.dialogs.answerNext(true);
        click(screen.window.get(), mainWindow::Test);
        QCOMPARE(screen.seen.last(), QString("Vyhodnocení 0/0 0 % 0 %"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.window->configurationPanel() != nullptr);
        QVERIFY(!exists(test, "TestInfo"));
    }

    void startShowsWhatTheChecksDecide()
    {
        TestProgram test;
        std::string words;
        for (int i = 0; i < 25; ++i) {
            words += "w" + std::to_string(i) + "|s||4\r\n";
        }
        writePackage(test, "Slova", words);
        Screen screen(test);
        QVERIFY(screen.start({}) == nullptr);
        QCOMPARE(qt(test.dialogs.messages.back().text), QString("Musíte vybrat alespoň jeden balíček."));
        QVERIFY(screen.start({.packages = {0}, .mode = configuration::FixedCount, .count = 30, .noRepeat = true}) ==
                nullptr);
        QVERIFY(qt(test.dialogs.messages.back().text).startsWith("Vámi vybrané balíčky dohromady obsahují 25 slovíček."));
        TestConfigurationPanel* panel = screen.window->configurationPanel();
        QCOMPARE(findControlAs<QLineEdit>(panel, configuration::QuestionCount)->text(), "25");
        click(panel, configuration::Start);  // the lowered count is accepted
        QVERIFY(screen.window->testWindow() != nullptr);
    }

    void presetsAndTheLastSelection()
    {
        TestProgram test;
        for (const char* name : {"A", "B", "C"}) {
            writePackage(test, name, "a|a||4\r\n");
        }
        Screen screen(test);
        TestConfigurationPanel* panel = screen.configuration();
        QCOMPARE(panel->settings(), TestSettings{});
        QVERIFY(!shown(panel, configuration::NoRepeat));    // until all right: no fixed-count options
        QVERIFY(!shown(panel, configuration::AsLastTime));  // no selection saved yet
        Screen::choose(*panel, {.packages = {0, 2}, .mode = configuration::FixedCount, .count = 2,
                                .direction = configuration::RandomDirection});
        click(panel, configuration::NoRepeat);  // no repeats and picking by coefficient exclude each other
        QVERIFY(!checked(panel, configuration::ByCoefficient));
        click(panel, configuration::ByCoefficient);
        QVERIFY(!checked(panel, configuration::NoRepeat));
        click(panel, configuration::NoRepeat);
        click(panel, configuration::Start);
        click(screen.window.get(), mainWindow::ManagePackages);  // leaves the test; the evaluation is closed

        screen.driver.then([](QWidget* modal) { click(modal, resume_dialog_control::Forget); });
        panel = screen.configuration();
        QVERIFY(panel != nullptr);
        QCOMPARE(panel->settings(), (TestSettings{.fixedCount = true, .questionCount = 2, .noRepeat = true,
                                                  .byCoefficient = false, .directionMode = DirectionMode::Random}));
        click(panel, configuration::AsLastTime);
        QVERIFY(panel->packageBoxes()[0]->isChecked() && !panel->packageBoxes()[1]->isChecked());
        QCOMPARE(text(panel, configuration::SelectedCount), QString("Počet vybraných balíčků: 2"));
        click(panel, configuration::SelectNone);
        QCOMPARE(text(panel, configuration::SelectedCount), QString("Počet vybraných balíčků: 0"));
        click(panel, configuration::SelectAll);
        QCOMPARE(text(panel, configuration::SelectedCount), QString("Počet vybraných balíčků: 3"));
    }

    void theScrollBarAppearsFromThirtyTwoPackages()
    {
        for (int count : {31, 32, 40}) {
            TestProgram test;
            for (int i = 0; i < count; ++i) {
                writePackage(test, "Balíček " + std::to_string(100 + i), "a|b||4\r\n");
            }
            Screen screen(test);
            TestConfigurationPanel* panel = screen.configuration();
            QCOMPARE(panel->scrollBar()->isVisibleTo(panel), count >= 32);
            // One notch of the wheel anywhere over the window scrolls two lines of 10 pixels.
            QWheelEvent notch(QPointF(10, 10), panel->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(panel, &notch);
            QCOMPARE(panel->packageListWindow()->y(), count == 40 ? -20 : 0);
        }
    }

    // A speech service that accepts the connection and never answers (as a hanging
    // speech-dispatcher does) leaves the windows free: speaking and listing voices return.
    void aSpeechServiceThatNeverAnswersFreezesNothing()
    {
        if (!QTextToSpeech::availableEngines().contains("speechd")) {
            QSKIP("no speech-dispatcher engine here");
        }
        testing::TempTree temp;
        const std::string path = (temp.root() / "speechd.sock").string();
        const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        QVERIFY(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(silent, 4) == 0);
        qputenv("SPEECHD_ADDRESS", QByteArray("unix_socket:") + path.c_str());
        qputenv("SPEECHD_CMD", "/bin/false");  // never a real service in its place
        {
            SystemVoice voice;
            voice.use(VoiceSettings{"speechd", "", 0});
            voice.say("hello");
            QVERIFY(voice.busy());
            QVERIFY(voice.voices("speechd").isEmpty());
        }
        // The socket stays open: the speech thread waits on it, as on a hung service, until the
        // process ends.
        qunsetenv("SPEECHD_ADDRESS");
        qunsetenv("SPEECHD_CMD");
    }

    // A fixed-count test from two packages, where every word is pronounced as the settings say.
    void fixedCountAndSpeechModes()
    {
        TestProgram test;
        writePackage(test, "P", "car+automobile|auto||4\r\nbus|autobus||4\r\n");
        writePackage(test, "<i>Q", "tram|tramvaj||4\r\n");  // made outside the program: a name like markup
        Screen screen(test);
        TestRunWindow* running = screen.start(
            {.packages = {0, 1}, .mode = configuration::FixedCount, .count = 9, .direction = configuration::CzechShown});
        QVERIFY(running != nullptr);
        QVERIFY(text(running, run::PackageLine).startsWith("Balíček: "));  // two packages: the line shows
        QCOMPARE(findControlAs<QLabel>(running, run::PackageLine)->textFormat(), Qt::PlainText);  // names as typed
        QVERIFY(!shown(running, run::PackageOfRemaining));
        const QString english = qt(screen.session.engine.state().english);
        screen.answer("x");
        QCOMPARE(test.voice.spoken, std::vector<QString>{english});  // English, "+" and all, though Czech was shown
        test.voice.speaking = true;  // still speaking: the next request is dropped, not queued
        screen.answer("x");
        QCOMPARE(test.voice.spoken.size(), size_t(1));
        QCOMPARE(text(running, run::Remaining), QString("Zbývá: 7"));
        QCOMPARE(running->findChild<QProgressBar*>()->value(), 7);

        test.program.config.speechMode = SpeechMode::Clipboard;
        QApplication::clipboard()->clear();
        testing::typeText(running->answerField(), "rozepsáno");
        const QString word = qt(screen.session.engine.state().english);
        QString typedMeanwhile;
        screen.driver.then([&](QWidget* modal) {
            typedMeanwhile = running->answerField()->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(running->answerField(), Qt::Key_Return);
        QCOMPARE(QApplication::clipboard()->text(), word);
        QCOMPARE(typedMeanwhile, QString("rozepsáno"));  // the copy leaves the typed answer alone

        test.program.config.speechMode = SpeechMode::Never;
        bool speakerShown = true;
        screen.driver.then([&](QWidget* modal) {
            speakerShown = static_cast<FeedbackDialog*>(modal)->speakerButton()->isVisibleTo(modal);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        screen.answer("x");
        QVERIFY(!speakerShown);
        QCOMPARE(test.voice.spoken.size(), size_t(1));
    }

    void theExampleIsShownMasked()
    {
        TestProgram test;
        writePackage(test, "P", "car|auto|My car is red.|4\r\n");
        Screen screen(test);
        TestRunWindow* running = screen.start({.packages = {0}, .direction = configuration::CzechShown});
        QVERIFY(running != nullptr);
        QTest::keyClick(running->answerField(), Qt::Key_F1);
        const Message example{"My ____________ is red.", MessageIcon::Information, "Příklad použití ve větě"};
        QCOMPARE(test.dialogs.messages, std::vector<Message>{example});
        test.program.config.allowExample = 0;
        QTest::mouseClick(running->questionBox(), Qt::LeftButton);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
    }

    // At every screen size and in every scheme each test window lies within the main window and
    // shows its texts whole: a 249-letter word, long meanings and a long package name included.
    void everyTestWindowFitsAndShowsItsTextsWhole()
    {
        const std::string word = std::string(249, 'w');
        const std::string meanings = "první význam+druhý význam tohoto slova+třetí význam tohoto slova+čtvrtý význam tohoto "
                                     "slova+pátý význam tohoto slova+šestý význam tohoto slova+sedmý význam tohoto slova+"
                                     "osmý význam tohoto slova+devátý význam tohoto slova+desátý význam slova";
        for (const QSize size : {QSize(1600, 1200), QSize(1366, 768), QSize(1280, 1024)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                TestProgram test;
                test.program.grid = DesignGrid::fromWorkArea(size.width(), size.height());
                testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
                writePackage(test, "Slova z učebnice angličtiny pro pokročilé, lekce dvanáct až dvacet", word + "|" + meanings + "||4\r\n");
                writePackage(test, "Ptáci", word + "|" + meanings + "||2\r\n");
                Screen screen(test);
                test.program.config.showLanguageIcon = 1;
                test.program.config.showPackageName = 1;
                const QRect workArea(screen.window->mapToGlobal(QPoint(0, 0)), screen.window->size());
                const QString suffix = QString("-%1x%2-scheme%3").arg(size.width()).arg(size.height()).arg(scheme);
                TestConfigurationPanel* panel = screen.configuration();
                LEXIVO_VERIFY_LAYOUT(*panel, workArea, "test-configuration" + suffix);
                Screen::choose(*panel, {.packages = {0, 1}});
                click(panel, configuration::Start);
                TestRunWindow* running = screen.window->testWindow();
                LEXIVO_VERIFY_LAYOUT(*running, workArea, "test-run" + suffix);
                const QRect box = running->questionBox()->geometry();
                const QRect textArea = OwnerDrawnButton::wordBoxTextRect(box);
                QVERIFY(wrappedTextHeight(running->questionBox()->textFont(), running->questionBox()->text(),
                                          textArea.width()) <= textArea.height());
                QVERIFY(box.top() >= 0 && findControl(running, run::PackageLine)->y() > box.bottom());
                QVERIFY(!box.intersects(findControl(running, run::Confirm)->geometry()));

                // The feedback keeps its text clear of its buttons and stays on the screen.
                for (const char* name : {"feedback-right", "feedback-wrong"}) {
                    screen.driver.then([&, name](QWidget* modal) {
                        auto* feedback = static_cast<FeedbackDialog*>(modal);
                        LEXIVO_VERIFY_LAYOUT(*feedback, workArea, name + suffix);
                        for (QWidget* button : feedback->findChildren<QPushButton*>()) {
                            QVERIFY(!button->geometry().intersects(feedback->textRect()));
                        }
                        QTest::keyClick(modal, Qt::Key_Return);
                    });
                }
                screen.answer("první význam");
                screen.answer("nevím");

                TestInformationDialog information(test.program, test.session, screen.window.get());
                LEXIVO_VERIFY_LAYOUT(information, workArea, "test-information" + suffix);
                QVERIFY(recordTestEnd(test.session, TestEnd::Interrupted).ok());
                QVERIFY(takeUpSavedTest(test.session, kGroup).offer == SavedTestOffer::Resumable);
                ResumeDialog resume(test.program, test.session, screen.window.get());
                LEXIVO_VERIFY_LAYOUT(resume, workArea, "resume" + suffix);
                EvaluationDialog evaluation(test.program, test.session, screen.window.get(), TestEnd::Interrupted);
                LEXIVO_VERIFY_LAYOUT(evaluation, workArea, "evaluation" + suffix);
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::TestWindowsTest)
#include "test_windows_test.moc"

// Taking tests in the windows as a user does: the configuration, the questions typed and
// confirmed by keyboard, the feedback windows, the evaluation, leaving and resuming.

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
#include "store/program_config.h"
#include "support/window_test_support.h"
#include "test/answer_check.h"
#include "test/answer_feedback.h"
#include "test/evaluation_dialog.h"
#include "test/resume_dialog.h"
#include "test/test_configuration_panel.h"
#include "test/test_decisions.h"
#include "test/test_files.h"
#include "test/test_run_window.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {

namespace fs = std::filesystem;
using testing::ModalDriver;
using testing::TestProgram;

namespace {

QString text(QWidget* window, int id) { return findControlAs<QLabel>(window, id)->text(); }
QString qt(const std::string& s) { return QString::fromStdString(s); }

void writePackage(TestProgram& test, const std::string& name, const std::string& words)
{
    test.temp.makeGroup("Angličtina");
    test.temp.writePackage("Angličtina", name, encodeCp1250(words).value());
}

std::string package(TestProgram& test, const std::string& name)
{
    return decodeCp1250(test.temp.readPackage("Angličtina", name));
}

bool exists(TestProgram& test, const char* name)
{
    return fs::exists(test.temp.tree().temporaryFile("Angličtina", name));
}

const std::string kThreeWords = "dog|pes|A dog barks.|4\r\ncat|kočka||4\r\nbird|pták+ptáček||4\r\n";

// What a modal window showed before it was closed.
struct Seen {
    QString kind;
    QString text;
    int right = -1;
    int wrong = -1;
    int percent = -1;
};

}  // namespace

class TestWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> open(TestProgram& test, testing::Restart* restart = nullptr)
    {
        auto window = restart ? std::make_unique<MainWindow>(restart->program, restart->session)
                              : std::make_unique<MainWindow>(test.program, test.session);
        window->startUp();
        window->resize(test.program.grid.screenW(), test.program.grid.screenH());
        window->show();
        return window;
    }

    TestConfigurationPanel* openConfiguration(MainWindow& window)
    {
        QTest::mouseClick(findControl(&window, 6), Qt::LeftButton);
        TestConfigurationPanel* panel = window.configurationPanel();
        if (panel != nullptr && !QTest::qWaitFor([&] { return panel->presetsApplied(); })) {
            return nullptr;
        }
        return panel;
    }

    // Radio buttons and check boxes take clicks on their box and caption, near the left edge.
    void click(QWidget* window, int id)
    {
        QWidget* control = findControl(window, id);
        const bool box = qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control);
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                          box ? QPoint(8, control->height() / 2) : control->rect().center());
    }

    // Ticks the packages at the given positions, sets the options and presses START.
    void configure(TestConfigurationPanel& panel, std::initializer_list<int> positions, bool fixed, int count,
                   int directionControl, bool noRepeat = false, bool byCoefficient = false)
    {
        for (int position : positions) {
            QTest::mouseClick(panel.packageBoxes()[static_cast<std::size_t>(position)], Qt::LeftButton,
                              Qt::NoModifier, QPoint(8, 12));
        }
        click(&panel, fixed ? 156 : 157);
        if (fixed) {
            auto* field = findControlAs<QLineEdit>(&panel, 125);
            field->selectAll();
            testing::typeText(field, QString::number(count));
            findControlAs<QCheckBox>(&panel, 158)->setChecked(noRepeat);
            findControlAs<QCheckBox>(&panel, 249)->setChecked(byCoefficient);
        }
        click(&panel, directionControl);
    }

    void start(MainWindow& window, TestConfigurationPanel& panel)
    {
        click(&panel, 127);
        QVERIFY(window.testWindow() != nullptr);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Types the answer and presses Enter; the feedback (and, at the end, the evaluation) are
    // read and closed by the driver.
    void answer(TestRunWindow& run, const QString& typed, ModalDriver& driver, std::vector<Seen>& seen,
                bool endsTest = false)
    {
        driver.then([&seen](QWidget* modal) {
            Seen what;
            if (auto* right = qobject_cast<RightAnswerDialog*>(modal)) {
                what = {"right", right->synonyms()};
            } else if (auto* wrong = qobject_cast<WrongAnswerDialog*>(modal)) {
                what = {"wrong", wrong->answerText()};
            }
            seen.push_back(what);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        if (endsTest) {
            readEvaluation(driver, seen);
        }
        testing::typeText(run.answerField(), typed);
        QTest::keyClick(run.answerField(), Qt::Key_Return);
    }

    static void readEvaluation(ModalDriver& driver, std::vector<Seen>& seen)
    {
        driver.then([&seen](QWidget* modal) {
            auto* evaluation = qobject_cast<EvaluationDialog*>(modal);
            QVERIFY(evaluation != nullptr);
            Seen what{"evaluation", findControlAs<QLabel>(modal, 152)->isVisibleTo(modal) ? "interrupted" : ""};
            what.right = text(modal, 139).toInt();
            what.wrong = text(modal, 140).toInt();
            what.percent = evaluation->percentRight();
            what.text += " " + text(modal, 146) + " " + text(modal, 147);
            seen.push_back(what);
            QTest::keyClick(modal, Qt::Key_Return);
        });
    }

    QString expected(TestProgram& test) { return qt(test.session.engine.expectedText()); }

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not expect"); }

    void untilAllRightByKeyboard()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        auto window = open(test);
        TestConfigurationPanel* panel = openConfiguration(*window);
        QVERIFY(panel != nullptr);
        configure(*panel, {0}, false, 0, 126);  // English shown
        start(*window, *panel);
        TestRunWindow& run = *window->testWindow();
        QCOMPARE(text(&run, 141), QString("0 %"));
        QCOMPARE(text(&run, 142), QString("0 %"));
        QCOMPARE(text(&run, 138), QString("Zbývá správně zodpovědět: 3"));
        QVERIFY(!findControl(&run, 223)->isVisibleTo(&run));  // one package: no package line
        QVERIFY(findControl(&run, 169)->isVisibleTo(&run));

        ModalDriver driver;
        std::vector<Seen> seen;
        const QString shown = qt(test.session.engine.state().english);
        const QString wanted = expected(test);
        answer(run, "nevím", driver, seen);
        QCOMPARE(seen.back().kind, QString("wrong"));
        QCOMPARE(seen.back().text, shown + " - " + wanted);
        QCOMPARE(text(&run, 140), QString("Špatně: 1"));
        QCOMPARE(text(&run, 141), QString("0 %"));
        QCOMPARE(text(&run, 142), QString("100 %"));
        QCOMPARE(run.findChild<QProgressBar*>()->value(), 3);

        for (int i = 0; i < 3; ++i) {
            answer(run, expected(test), driver, seen, i == 2);
        }
        QVERIFY(driver.idle());
        QCOMPARE(seen.back().kind, QString("evaluation"));
        QCOMPARE(seen.back().right, 3);
        QCOMPARE(seen.back().wrong, 1);
        QCOMPARE(seen.back().percent, 75);
        QCOMPARE(seen.back().text, QString(" 75 % 25 %"));
        QCOMPARE(pieEnd(75), (PieEnd{99, 0}));

        // The test is over: the configuration is back, the pool is spent, nothing is saved.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window->testWindow() == nullptr);
        QVERIFY(window->configurationPanel() != nullptr);
        QVERIFY(!exists(test, "TestInfo"));
        QCOMPARE(decodeCp1250(testing::readBytes(test.temp.tree().temporaryFile("Angličtina", "Test"))),
                 std::string("#|Zvířata\r\n"));
        // Every word was answered right once (4 → 3); the wrong one first stayed at 4.
        QCOMPARE(package(test, "Zvířata"), std::string("dog|pes|A dog barks.|3\r\ncat|kočka||3\r\nbird|pták+ptáček||3\r\n"));
        QCOMPARE(readPackageSelection(test.temp.tree(), "Angličtina"), std::vector<int>{0});
    }

    void fixedCountPercentagesAndTheSynonymsLine()
    {
        TestProgram test;
        writePackage(test, "Ptáci", "bird|pták+ptáček+opeřenec||4\r\nowl|sova||4\r\n");
        writePackage(test, "Zvířata", "dog|pes||4\r\n");
        auto window = open(test);
        test.program.config.showPackageName = 1;
        TestConfigurationPanel* panel = openConfiguration(*window);
        configure(*panel, {0, 1}, true, 4, 126);
        start(*window, *panel);
        TestRunWindow& run = *window->testWindow();
        QVERIFY(findControl(&run, 223)->isVisibleTo(&run));  // two packages: the package line shows
        QVERIFY(text(&run, 223).startsWith("Balíček: "));
        QVERIFY(!findControl(&run, 169)->isVisibleTo(&run));
        QCOMPARE(text(&run, 138), QString("Zbývá: 4"));

        ModalDriver driver;
        std::vector<Seen> seen;
        answer(run, "špatně", driver, seen);
        answer(run, "zase špatně", driver, seen);
        QCOMPARE(text(&run, 141), QString("0 %"));
        const bool bird = test.session.engine.state().english == "bird";
        answer(run, bird ? "ptáček" : expected(test), driver, seen);
        QCOMPARE(seen.back().kind, QString("right"));
        // Several meanings: the others are listed; a single meaning adds no line.
        QCOMPARE(seen.back().text, bird ? QString("Další synonyma: pták, opeřenec") : QString());
        QCOMPARE(text(&run, 141), QString("33 %"));
        QCOMPARE(text(&run, 142), QString("67 %"));
        const int right = test.session.engine.state().rightCount;
        const int wrong = test.session.engine.state().wrongCount;
        QCOMPARE(text(&run, 138), QString("Zbývá: %1").arg(4 - right - wrong));
        QCOMPARE(run.findChild<QProgressBar*>()->value(), 4 - right - wrong);
    }

    void czechShownOnePercentageCaseAndTheWrongWindowGrows()
    {
        TestProgram test;
        const std::string longCzech = "velmi dlouhý výraz, který se do jednoho řádku okna s chybou rozhodně nevejde, "
                                      "a proto musí okno narůst směrem dolů";
        writePackage(test, "Dlouhé", "long|" + longCzech + "||4\r\n");
        auto window = open(test);
        TestConfigurationPanel* panel = openConfiguration(*window);
        configure(*panel, {0}, true, 2, 128);  // Czech shown
        start(*window, *panel);
        TestRunWindow& run = *window->testWindow();
        QCOMPARE(run.questionBox()->text(), qt(longCzech));

        ModalDriver driver;
        QSize grown;
        driver.then([&](QWidget* modal) {
            testing::screenshot(*modal, "feedback-wrong-grown");
            grown = modal->size();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        testing::typeText(run.answerField(), "short");
        QTest::keyClick(run.answerField(), Qt::Key_Return);
        QVERIFY(grown.height() > 200);
        QCOMPARE(grown.width(), 400);
        // The spoken word is English even though the Czech side was shown.
        QCOMPARE(test.voice.spoken.back(), QString("long"));
    }

    void aTypoCountsAsRight()
    {
        TestProgram test;
        writePackage(test, "P", "one|jedna||2\r\ntwo|dva||2\r\n");
        auto window = open(test);
        TestConfigurationPanel* panel = openConfiguration(*window);
        configure(*panel, {0}, true, 5, 126);
        start(*window, *panel);
        ModalDriver driver;
        driver.then([](QWidget* modal) { QTest::mouseClick(findControl(modal, 1236), Qt::LeftButton); });
        testing::typeText(window->testWindow()->answerField(), "jdna");
        QTest::keyClick(window->testWindow()->answerField(), Qt::Key_Return);
        QCOMPARE(test.session.engine.state().rightCount, 1);
        QCOMPARE(test.session.engine.state().wrongCount, 0);
    }

    void feedbackClosesOnEnterWhenTheSpeakerHasTheFocus()
    {
        TestProgram test;
        writePackage(test, "P", kThreeWords);
        auto window = open(test);
        QVERIFY(test.session.engine.startTest("Angličtina", {"P"}, TestSettings{}).ok());
        test.session.engine.pickNextWord();
        RightAnswerDialog dialog(test.program, window.get(), "pes", "pes", "dog");
        dialog.show();
        dialog.speakerButton()->setFocus();
        QTest::keyClick(dialog.speakerButton(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(test.voice.spoken.empty());  // closing is not speaking
        WrongAnswerDialog wrong(test.program, window.get(), "dog", "pes", "dog");
        wrong.show();
        QTest::mouseClick(wrong.speakerButton(), Qt::LeftButton);
        QVERIFY(wrong.isVisible());  // the speaker speaks and keeps the window open
        QCOMPARE(test.voice.spoken.size(), size_t(1));
        QTest::keyClick(wrong.speakerButton(), Qt::Key_Return);
        QVERIFY(!wrong.isVisible());
        QVERIFY(!wrong.typo());
    }

    void theRemainingWordsAreAskedForAsAPackage()
    {
        TestProgram test;
        writePackage(test, "P", kThreeWords);
        QVERIFY(test.session.engine.startTest("Angličtina", {"P"}, TestSettings{}).ok());
        QWidget mainWindow;
        TestRunWindow run(test.program, test.session, test.requests, &mainWindow);
        mainWindow.show();
        QTest::mouseClick(findControl(&run, test_run_window_control::PackageOfRemaining), Qt::LeftButton);
        QCOMPARE(test.requests.requests, std::vector<std::string>{"openAddPackageForRemainingWords"});
    }

    void interruptSaveAndResumeAfterARestart()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        std::string question;
        ShownSide direction = ShownSide::English;
        {
            auto window = open(test);
            TestConfigurationPanel* panel = openConfiguration(*window);
            configure(*panel, {0}, false, 0, 129);  // random direction
            start(*window, *panel);
            ModalDriver driver;
            std::vector<Seen> seen;
            answer(*window->testWindow(), expected(test), driver, seen);
            question = test.session.engine.questionText();
            direction = test.session.engine.state().askDirection;

            readEvaluation(driver, seen);
            click(window.get(), 7);  // "Správa balíčků" leaves the test
            QCOMPARE(seen.back().kind, QString("evaluation"));
            QVERIFY(seen.back().text.startsWith("interrupted"));
            QCOMPARE(seen.back().right, 1);
            QVERIFY(window->testWindow() == nullptr);
            QVERIFY(window->packageList()->isVisibleTo(window.get()));
            QCOMPARE(testing::readBytes(test.temp.tree().temporaryFile("Angličtina", "TestInfo")).size(), size_t(944));
        }

        // A restart: new program state on the same directory.
        testing::Restart restarted(test);
        auto window = open(test, &restarted);
        ModalDriver driver;
        QString resumeTotal;
        bool rateShown = false;
        driver.then([&](QWidget* modal) {
            QVERIFY(qobject_cast<ResumeDialog*>(modal) != nullptr);
            testing::screenshot(*modal, "resume");
            resumeTotal = text(modal, 149);
            rateShown = findControl(modal, 166)->isVisibleTo(modal);
            QTest::mouseClick(findControl(modal, 155), Qt::LeftButton);  // "Pokračovat"
        });
        click(window.get(), 6);
        QCOMPARE(resumeTotal, QString("Celkový počet slovíček 3"));
        QVERIFY(rateShown);
        QVERIFY(window->testWindow() != nullptr);
        QCOMPARE(restarted.session.engine.questionText(), question);
        QCOMPARE(restarted.session.engine.state().askDirection, direction);
        QCOMPARE(window->testWindow()->questionBox()->text(), qt(question));
        QCOMPARE(text(window->testWindow(), 139), QString("Správně: 1"));
        QCOMPARE(restarted.session.engine.remainingCount(), 2);

        // Esc in the answer field does not end the program.
        QTest::keyClick(window->testWindow()->answerField(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QVERIFY(window->testWindow() != nullptr);

        // Finishing the resumed test forgets the saved state.
        std::vector<Seen> seen;
        answer(*window->testWindow(), qt(restarted.session.engine.expectedText()), driver, seen);
        answer(*window->testWindow(), qt(restarted.session.engine.expectedText()), driver, seen, true);
        QCOMPARE(seen.back().right, 3);
        QVERIFY(!exists(test, "TestInfo"));
        QVERIFY(!exists(test, "Test"));
    }

    void forgettingASavedTestOpensTheConfiguration()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        QVERIFY(test.session.engine.startTest("Angličtina", {"Zvířata"}, TestSettings{}).ok());
        test.session.engine.pickNextWord();
        QVERIFY(test.session.engine.saveInterruptedTest().ok());
        auto window = open(test);
        ModalDriver driver;
        driver.then([](QWidget* modal) {
            QVERIFY(!findControl(modal, 166)->isVisibleTo(modal));  // nothing answered yet
            QTest::mouseClick(findControl(modal, 154), Qt::LeftButton);  // "Zapomenout"
        });
        click(window.get(), 6);
        QVERIFY(window->configurationPanel() != nullptr);
        QVERIFY(!exists(test, "TestInfo"));
        QVERIFY(!exists(test, "Test"));
    }

    void aDamagedSavedTestIsReportedAndForgotten()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        testing::writeBytes(test.temp.tree().temporaryFile("Angličtina", "TestInfo"), std::string(100, '\0'));
        testing::writeBytes(test.temp.tree().temporaryFile("Angličtina", "Test"), "#|Zvířata\r\n");
        auto window = open(test);
        click(window.get(), 6);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
        QCOMPARE(qt(test.dialogs.messages[0].title), QString("Chyba"));
        QVERIFY(!exists(test, "TestInfo"));
        QVERIFY(window->configurationPanel() != nullptr);
        QVERIFY(window->testWindow() == nullptr);

        // A saved test whose pool file vanished.
        click(window.get(), 7);
        QVERIFY(test.session.engine.startTest("Angličtina", {"Zvířata"}, TestSettings{}).ok());
        QVERIFY(test.session.engine.saveInterruptedTest().ok());
        fs::remove(test.temp.tree().temporaryFile("Angličtina", "Test"));
        click(window.get(), 6);
        QCOMPARE(test.dialogs.messages.size(), size_t(2));
        QVERIFY(window->configurationPanel() != nullptr);
    }

    void startChecksInOrder()
    {
        TestProgram test;
        writePackage(test, "Prázdný", "");
        std::string words;
        for (int i = 0; i < 25; ++i) {
            words += "w" + std::to_string(i) + "|s" + std::to_string(i) + "||4\r\n";
        }
        writePackage(test, "Slova", words);
        auto window = open(test);
        TestConfigurationPanel* panel = openConfiguration(*window);
        click(panel, 127);
        QCOMPARE(qt(test.dialogs.messages.back().text), QString("Musíte vybrat alespoň jeden balíček."));

        configure(*panel, {0}, true, 0, 128);
        click(panel, 127);
        QCOMPARE(qt(test.dialogs.messages.back().text), QString("Počet slovíček v testu nemůže být nula."));

        click(panel, 157);
        click(panel, 127);
        QCOMPARE(qt(test.dialogs.messages.back().text), QString("Všechny vybrané balíčky jsou prázdné."));

        QTest::mouseClick(panel->packageBoxes()[1], Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
        QCOMPARE(text(panel, 124), QString("Počet vybraných balíčků: 2"));
        configure(*panel, {}, true, 30, 128, true, false);
        click(panel, 127);
        const QString message = qt(test.dialogs.messages.back().text);
        QVERIFY(message.startsWith("Vámi vybrané balíčky dohromady obsahují 25 slovíček. Počet slovíček v tomto testu "
                                   "jste nastavili na pevnou hodnotu, a to 30. "));
        QCOMPARE(findControlAs<QLineEdit>(panel, 125)->text(), QString("25"));
        QVERIFY(window->testWindow() == nullptr);
        QCOMPARE(test.dialogs.messages.size(), size_t(4));
        for (const Message& shown : test.dialogs.messages) {
            QCOMPARE(qt(shown.title), QString("Chyba"));
            QVERIFY(shown.icon == MessageIcon::Error);
        }
        click(panel, 127);
        QVERIFY(window->testWindow() != nullptr);
    }

    void presetsAndTheLastSelection()
    {
        TestProgram test;
        writePackage(test, "A", "a|a||4\r\n");
        writePackage(test, "B", "b|b||4\r\n");
        writePackage(test, "C", "c|c||4\r\n");
        auto window = open(test);
        TestConfigurationPanel* panel = openConfiguration(*window);
        QCOMPARE(panel->settings(), TestSettings{});
        QVERIFY(findControlAs<QRadioButton>(panel, 128)->isChecked());
        QVERIFY(findControlAs<QRadioButton>(panel, 157)->isChecked());
        QVERIFY(!findControl(panel, 158)->isVisibleTo(panel));
        QVERIFY(!findControl(panel, 160)->isVisibleTo(panel));  // no selection saved yet

        configure(*panel, {0, 2}, true, 1234, 129, true, false);
        QVERIFY(!findControlAs<QCheckBox>(panel, 249)->isChecked());
        click(panel, 249);  // excludes "no repeat"
        QVERIFY(!findControlAs<QCheckBox>(panel, 158)->isChecked());
        click(panel, 158);
        QVERIFY(!findControlAs<QCheckBox>(panel, 249)->isChecked());
        findControlAs<QLineEdit>(panel, 125)->setText("2");
        start(*window, *panel);
        QCOMPARE(testing::readBytes(test.temp.tree().temporaryFile("Angličtina", "packs")), std::string("0\0\0" "2\0\0", 6));
        const std::string presets = testing::readBytes(test.temp.tree().temporaryFile("Angličtina", "config"));
        QCOMPARE(QByteArray::fromStdString(presets).toHex(), QByteArray::fromStdString(std::string("12\0\0" "10210", 9)).toHex());

        ModalDriver driver;
        driver.thenPressEnter();
        click(window.get(), 7);  // leaving the test: the driver closes the evaluation
        QVERIFY(driver.idle());
        // The left test is offered for resuming; forgetting it opens the configuration.
        driver.then([](QWidget* modal) { QTest::mouseClick(findControl(modal, 154), Qt::LeftButton); });
        panel = openConfiguration(*window);
        QVERIFY(panel != nullptr);
        QCOMPARE(panel->settings().questionCount, 2);
        QVERIFY(findControlAs<QCheckBox>(panel, 158)->isChecked());
        QVERIFY(!findControlAs<QCheckBox>(panel, 249)->isChecked());
        QVERIFY(findControlAs<QRadioButton>(panel, 129)->isChecked());
        QVERIFY(findControl(panel, 160)->isVisibleTo(panel));
        click(panel, 160);  // "Jako minule"
        QVERIFY(panel->packageBoxes()[0]->isChecked());
        QVERIFY(!panel->packageBoxes()[1]->isChecked());
        QVERIFY(panel->packageBoxes()[2]->isChecked());
        click(panel, 131);
        QCOMPARE(text(panel, 124), QString("Počet vybraných balíčků: 0"));
        click(panel, 130);
        QCOMPARE(text(panel, 124), QString("Počet vybraných balíčků: 3"));

        // A count of four digits keeps three.
        findControlAs<QLineEdit>(panel, 125)->setText("1234");
        click(window.get(), 7);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(loadTestPresets(test.temp.tree(), "Angličtina").questionCount, 123);
    }

    void theScrollBarAppearsFromThirtyTwoPackages()
    {
        for (int count : {31, 32, 40}) {
            TestProgram test;
            for (int i = 0; i < count; ++i) {
                writePackage(test, "Balíček " + std::to_string(100 + i), "a|b||4\r\n");
            }
            auto window = open(test);
            TestConfigurationPanel* panel = openConfiguration(*window);
            QCOMPARE(panel->scrollBar()->isVisibleTo(panel), count >= 32);
            if (count == 40) {
                // One notch of the wheel anywhere over the window scrolls two lines of 10 pixels.
                QWheelEvent notch(QPointF(10, 10), panel->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(panel, &notch);
                QCOMPARE(panel->scrollBar()->value(), 20);
                QCOMPARE(panel->packageListWindow()->y(), -20);
            }
        }
    }

    void leavingAndQuitting()
    {
        TestProgram test;
        writePackage(test, "Zvířata", kThreeWords);
        {
            auto window = open(test);
            configure(*openConfiguration(*window), {0}, false, 0, 126);
            start(*window, *window->configurationPanel());
            click(window.get(), 2);  // "Konec": nothing is saved
        }
        QVERIFY(!exists(test, "TestInfo"));
        QVERIFY(!fs::exists(test.temp.root() / "config"));
        {
            auto window = open(test);
            configure(*openConfiguration(*window), {0}, false, 0, 126);
            start(*window, *window->configurationPanel());
            ModalDriver driver;
            driver.thenPressEnter();
            window->close();  // closing the window leaves the test and saves it
            QVERIFY(driver.idle());
        }
        QVERIFY(exists(test, "TestInfo"));
        QCOMPARE(loadProgramConfig(test.program.tree).currentGroup, std::string("Angličtina"));

        // "Test" over a running test asks first; No keeps the test.
        auto window = open(test);
        ModalDriver driver;
        driver.then([](QWidget* modal) { QTest::mouseClick(findControl(modal, 155), Qt::LeftButton); });
        click(window.get(), 6);
        QVERIFY(window->testWindow() != nullptr);
        click(window.get(), 6);
        QCOMPARE(qt(test.dialogs.questions.back().title), QString("Dotaz"));
        QVERIFY(window->testWindow() != nullptr);
        test.dialogs.answerNext(true);
        driver.thenPressEnter();
        click(window.get(), 6);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window->testWindow() == nullptr);
        QVERIFY(window->configurationPanel() != nullptr);
        QVERIFY(!exists(test, "TestInfo"));  // the old test ended as finished
    }

    void speechModes()
    {
        TestProgram test;
        writePackage(test, "P", "car+automobile|auto||4\r\nbus|autobus||4\r\n");
        auto window = open(test);
        configure(*openConfiguration(*window), {0}, true, 9, 128);
        start(*window, *window->configurationPanel());
        TestRunWindow& run = *window->testWindow();
        ModalDriver driver;
        std::vector<Seen> seen;

        const QString english = qt(test.session.engine.state().english);
        answer(run, "x", driver, seen);
        QCOMPARE(test.voice.spoken, std::vector<QString>{english});

        test.voice.speaking = true;  // still speaking: the next request is dropped
        answer(run, "x", driver, seen);
        QCOMPARE(test.voice.spoken.size(), size_t(1));
        test.voice.speaking = false;

        test.program.config.speechMode = SpeechMode::Clipboard;
        QApplication::clipboard()->clear();
        testing::typeText(run.answerField(), "rozepsáno");
        const QString word = qt(test.session.engine.state().english);
        QTest::keyClick(run.answerField(), Qt::Key_Control);  // the example key must not disturb either
        QString typedMeanwhile;
        driver.then([&](QWidget* modal) {
            typedMeanwhile = run.answerField()->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(run.answerField(), Qt::Key_Return);
        QCOMPARE(QApplication::clipboard()->text(), word);
        QCOMPARE(typedMeanwhile, QString("rozepsáno"));  // the copy leaves the typed answer alone

        test.program.config.speechMode = SpeechMode::Never;
        bool speakerShown = true;
        driver.then([&](QWidget* modal) {
            speakerShown = static_cast<FeedbackDialog*>(modal)->speakerButton()->isVisibleTo(modal);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(run.answerField(), Qt::Key_Return);
        QVERIFY(!speakerShown);
        QCOMPARE(test.voice.spoken.size(), size_t(1));
    }

    void theExampleIsShownMasked()
    {
        TestProgram test;
        writePackage(test, "P", "car|auto|My car is red.|4\r\n");
        auto window = open(test);
        configure(*openConfiguration(*window), {0}, false, 0, 128);
        start(*window, *window->configurationPanel());
        QTest::keyClick(window->testWindow()->answerField(), Qt::Key_F1);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
        QCOMPARE(qt(test.dialogs.messages[0].text), QString("My ____________ is red."));
        QCOMPARE(qt(test.dialogs.messages[0].title), QString("Příklad použití ve větě"));
        test.program.config.allowExample = 0;
        QTest::mouseClick(window->testWindow()->questionBox(), Qt::LeftButton);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
    }

    void screenshotsOfTheTestWindows()
    {
        for (int scheme = 0; scheme < 3; ++scheme) {
            TestProgram test;
            testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
            writePackage(test, "Zvířata", kThreeWords);
            writePackage(test, "Ptáci", "owl|sova|An owl at night.|2\r\n");
            auto window = open(test);
            test.program.config.showLanguageIcon = 1;
            test.program.config.typingColours = 1;
            TestConfigurationPanel* panel = openConfiguration(*window);
            configure(*panel, {0, 1}, false, 0, 129);
            testing::screenshot(*window, QString("test-configuration-scheme%1").arg(scheme));
            start(*window, *panel);
            testing::typeText(window->testWindow()->answerField(), expected(test).left(2));
            testing::screenshot(*window, QString("test-run-scheme%1").arg(scheme));

            ModalDriver driver;
            driver.then([&](QWidget* modal) {
                testing::screenshot(*modal, QString("feedback-right-scheme%1").arg(scheme));
                QTest::keyClick(modal, Qt::Key_Return);
            });
            testing::typeText(window->testWindow()->answerField(), expected(test).mid(2));
            QTest::keyClick(window->testWindow()->answerField(), Qt::Key_Return);
            driver.then([&](QWidget* modal) {
                testing::screenshot(*modal, QString("feedback-wrong-scheme%1").arg(scheme));
                QTest::keyClick(modal, Qt::Key_Return);
            });
            testing::typeText(window->testWindow()->answerField(), "nevím");
            QTest::keyClick(window->testWindow()->answerField(), Qt::Key_Return);

            TestInformationDialog information(test.program, test.session, window.get());
            testing::screenshot(information, QString("test-information-scheme%1").arg(scheme));
            QVERIFY(test.session.engine.saveInterruptedTest().ok());
            QVERIFY(takeUpSavedTest(test.session, "Angličtina").offer == SavedTestOffer::Resumable);
            ResumeDialog resume(test.program, test.session, window.get());
            testing::screenshot(resume, QString("resume-scheme%1").arg(scheme));
            EvaluationDialog evaluation(test.program, test.session, window.get(), TestEnd::Interrupted);
            testing::screenshot(evaluation, QString("evaluation-scheme%1").arg(scheme));
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::TestWindowsTest)
#include "test_windows_test.moc"

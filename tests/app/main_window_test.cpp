// The main window driven as a user drives it: clicks and keys, then the files and the
// recorded message boxes.

#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "store/cp1250.h"
#include "store/program_config.h"
#include "support/window_test_support.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {

using testing::TestProgram;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QLabel* label(MainWindow& window, int id) { return findControlAs<QLabel>(&window, id); }
    static OwnerDrawnButton* button(MainWindow& window, int id) { return findControlAs<OwnerDrawnButton>(&window, id); }
    static bool shown(MainWindow& window, int id) { return findControl(&window, id)->isVisibleTo(&window); }
    static void click(MainWindow& window, int id) { QTest::mouseClick(button(window, id), Qt::LeftButton); }
    static void writePackage(TestProgram& test, const std::string& group, const std::string& name, const std::string& text)
    {
        test.temp.makeGroup(group);
        test.temp.writePackage(group, name, encodeCp1250(text).value());
    }
    static std::unique_ptr<MainWindow> open(TestProgram& test)
    {
        auto window = std::make_unique<MainWindow>(test.program, test.session);
        window->startUp();
        window->resize(test.program.grid.screenW(), test.program.grid.screenH());
        window->show();
        return window;
    }
    static std::string savedGroup(TestProgram& test) { return loadProgramConfig(test.program.tree).currentGroup; }

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void anEmptyDataRootShowsTheNoGroupState()
    {
        TestProgram test;
        auto window = open(test);
        QCOMPARE(window->titleText(), QString("Používaná skupina: --- žádná skupina není zavedena ---"));
        for (int id : {100, 119, 120, 200, 5, 8, 9, 10, 12}) {
            QVERIFY2(!shown(*window, id), qPrintable(QString("control %1 is shown").arg(id)));
        }
        for (int id : {6, 7, 1291}) {
            QVERIFY(button(*window, id)->showsProhibition());
        }
        QVERIFY(!button(*window, 4)->showsProhibition());
        const QImage picture = testing::screenshot(*window, "main-no-group");
        // "<= !!!" beside the group button, in its red.
        QVERIFY(testing::paintsColour(picture, QRect(285, 500, 200, 75), QColor(200, 50, 50)));

        click(*window, 6);  // "Test" does nothing without a group
        click(*window, 7);
        QVERIFY(!shown(*window, 100));
        QVERIFY(test.dialogs.messages.empty());
        QVERIFY(std::filesystem::is_directory(test.temp.tree().dataRoot()));
    }

    void aConfigurationNamingAVanishedGroupOpensTheFirstGroup()
    {
        TestProgram test;
        writePackage(test, "Němčina", "Slovesa", "gehen|jít||4\r\n");
        writePackage(test, "Angličtina", "Zvířata", "dog|pes||4\r\ncat|kočka||4\r\nbird|pták||4\r\n");
        writePackage(test, "Angličtina", "čísla", "one|jedna||4\r\n");
        ProgramConfig config;
        config.currentGroup = "Zmizelá";
        QVERIFY(saveProgramConfig(test.program.tree, config).ok());

        auto window = open(test);
        QCOMPARE(window->titleText(), QString("Používaná skupina: Angličtina"));
        QCOMPARE(window->packageList()->count(), 2);
        QCOMPARE(window->packageList()->item(0)->text(), QString("čísla"));  // Czech order: č after c, before z
        QCOMPARE(label(*window, 119)->text(), QString("Počet balíčků: 2"));
        QCOMPARE(label(*window, 120)->text(), QString("Počet slovíček ve vybraném: 1"));
        window->packageList()->setCurrentRow(1);
        QCOMPARE(label(*window, 120)->text(), QString("Počet slovíček ve vybraném: 3"));
        for (int id : {6, 7, 1291}) {
            QVERIFY(!button(*window, id)->showsProhibition());
        }
    }

    void deletingTheLastPackageEmptiesTheGroup()
    {
        TestProgram test;
        writePackage(test, "G", "Jediný", "a|b||4\r\n");
        auto window = open(test);
        test.dialogs.answerNext(true);
        click(*window, 9);

        QCOMPARE(test.dialogs.questions.size(), size_t(1));
        QCOMPARE(QString::fromStdString(test.dialogs.questions[0].text), QString("Opravdu chcete balíček \"Jediný\" smazat?"));
        QCOMPARE(QString::fromStdString(test.dialogs.questions[0].title), QString("Potvrzení"));
        QVERIFY(test.dialogs.questions[0].icon == MessageIcon::Exclamation);
        QVERIFY(!std::filesystem::exists(test.temp.tree().packageFile("G", "Jediný")));
        QCOMPARE(label(*window, 119)->text(), QString("Počet balíčků: 0"));
        for (int id : {120, 8, 9, 10}) {
            QVERIFY(!shown(*window, id));
        }
        QVERIFY(shown(*window, 5));
    }

    void deletingThePackageAtTheEndSelectsTheNewLastOne()
    {
        TestProgram test;
        writePackage(test, "G", "A", "a|a||4\r\n");
        writePackage(test, "G", "B", "b|b||4\r\nc|c||4\r\n");
        writePackage(test, "G", "C", "d|d||4\r\n");
        auto window = open(test);
        window->packageList()->setCurrentRow(2);
        window->packageList()->setFocus();

        QTest::keyClick(window->packageList(), Qt::Key_Delete);  // No: nothing happens
        QVERIFY(std::filesystem::exists(test.temp.tree().packageFile("G", "C")));

        test.dialogs.answerNext(true);
        QTest::keyClick(window->packageList(), Qt::Key_Delete);
        QVERIFY(!std::filesystem::exists(test.temp.tree().packageFile("G", "C")));
        QCOMPARE(window->packageList()->currentItem()->text(), QString("B"));
        QCOMPARE(label(*window, 120)->text(), QString("Počet slovíček ve vybraném: 2"));
        QCOMPARE(label(*window, 119)->text(), QString("Počet balíčků: 2"));

        // Deleting the first keeps the position: the package that moved up is selected.
        window->packageList()->setCurrentRow(0);
        test.dialogs.answerNext(true);
        click(*window, 9);
        QCOMPARE(window->packageList()->currentItem()->text(), QString("B"));
    }

    void printingAnEmptyGroupIsRefused()
    {
        TestProgram test;
        test.temp.makeGroup("Prázdná");
        auto window = open(test);
        click(*window, 1291);
        QCOMPARE(test.dialogs.messages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(test.dialogs.messages[0].text), QString("Ve skupině nejsou žádné balíčky."));
        QCOMPARE(QString::fromStdString(test.dialogs.messages[0].title), QString("Chyba"));
        QVERIFY(test.dialogs.messages[0].icon == MessageIcon::Error);
    }

    void closingSavesTheGroupButQuittingDoesNot()
    {
        TestProgram test;
        test.temp.makeGroup("A");
        test.temp.makeGroup("B");
        {
            auto window = open(test);
            QVERIFY(test.program.collection.chooseGroup("B").ok());
            window->close();
        }
        QCOMPARE(savedGroup(test), std::string("B"));
        {
            auto window = open(test);
            QCOMPARE(window->titleText(), QString("Používaná skupina: B"));
            QVERIFY(test.program.collection.chooseGroup("A").ok());
            click(*window, 2);  // "Konec"
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(savedGroup(test), std::string("B"));
        {
            auto window = open(test);
            QVERIFY(test.program.collection.chooseGroup("A").ok());
            QTest::keyClick(window.get(), Qt::Key_Escape);
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(savedGroup(test), std::string("B"));
    }

    void theListsKeysPressTheirButtons()
    {
        TestProgram test;
        writePackage(test, "G", "A", "a|a||4\r\n");
        auto window = open(test);
        window->activateWindow();
        window->packageList()->setFocus();
        QTest::keyClick(window->packageList(), Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), findControl(window.get(), 5));
        QTest::keyClick(findControl(window.get(), 5), Qt::Key_Tab);  // buttons keep the focus
        QCOMPARE(window->focusWidget(), findControl(window.get(), 5));
    }

    void theWebLinkOpensTheProjectsAddress()
    {
        TestProgram test;
        auto window = open(test);
        click(*window, 218);
        QCOMPARE(test.shell.opened.size(), size_t(1));
        QCOMPARE(test.shell.opened[0], QString(kProjectAddress));
    }

    void aSecondInstanceIsRefused()
    {
        testing::TempTree temp;
        {
            const SingleInstance first(temp.root());
            QVERIFY(first.acquired());
            const SingleInstance second(temp.root());
            QVERIFY(!second.acquired());
        }
        const SingleInstance again(temp.root());
        QVERIFY(again.acquired());
    }

    void theColourFileChoosesTheScheme()
    {
        TestProgram test;
        testing::writeBytes(test.temp.root() / "color", "0");
        auto window = open(test);
        QCOMPARE(test.program.schemeNumber, 0);
        QCOMPARE(window->palette().color(QPalette::Window), QColor(0xEE, 0xF5, 0xFB));
    }

    void screenshotsOfEveryScheme()
    {
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 758)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                for (bool withGroups : {false, true}) {
                    TestProgram test(screen.width(), screen.height());
                    testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
                    if (withGroups) {
                        writePackage(test, "Angličtina", "Zvířata", "dog|pes||4\r\ncat|kočka||4\r\n");
                        writePackage(test, "Angličtina", "Čísla", "one|jedna||4\r\n");
                        writePackage(test, "Angličtina", "Barvy", "red|červená||4\r\nblue|modrá||4\r\n");
                        writePackage(test, "Angličtina", "Škola a učení", "school|škola||4\r\n");
                    }
                    auto window = open(test);
                    const QString name = QString("main-scheme%1-%2x%3-%4")
                                             .arg(scheme)
                                             .arg(screen.width())
                                             .arg(screen.height())
                                             .arg(withGroups ? "groups" : "empty");
                    const QImage picture = testing::screenshot(*window, name);
                    QCOMPARE(picture.size(), screen);
                    // The background is the scheme's main colour.
                    QCOMPARE(picture.pixelColor(screen.width() - 5, screen.height() / 2),
                             toQColor(colourScheme(scheme).mainColour));
                }
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::MainWindowTest)
#include "main_window_test.moc"

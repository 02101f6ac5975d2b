// The main window driven as a user drives it: clicks and keys, then the files and the
// recorded message boxes.

#include <csignal>
#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "store/cp1250.h"
#include "store/program_config.h"
#include "support/window_test_support.h"
#include "ui/control_ids/main_window.h"
#include "ui/artwork.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {

namespace control = main_window_control;
using testing::TestProgram;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QString text(MainWindow& window, int id) { return testing::labelText(&window, id); }
    static OwnerDrawnButton* button(MainWindow& window, int id) { return findControlAs<OwnerDrawnButton>(&window, id); }
    static bool shown(MainWindow& window, int id) { return testing::shown(&window, id); }
    static void click(MainWindow& window, int id) { testing::click(&window, id); }
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

private slots:
    void initTestCase() { installFontSubstitutes(); }

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
        QCOMPARE(window->packageList()->item(0)->text(), QString("čísla"));  // Czech order: č after c, before z
        QCOMPARE(text(*window, control::PackageCount), QString("Počet balíčků: 2"));
        QCOMPARE(text(*window, control::WordCount), QString("Počet slovíček ve vybraném: 1"));
        window->packageList()->setCurrentRow(1);
        QCOMPARE(text(*window, control::WordCount), QString("Počet slovíček ve vybraném: 3"));
        QVERIFY(!button(*window, control::Test)->showsProhibition());
        window->activateWindow();
        window->packageList()->setFocus();
        QTest::keyClick(window->packageList(), Qt::Key_Tab);  // the list's own Tab goes to "Přidat balíček"
        QCOMPARE(window->focusWidget(), findControl(window.get(), control::AddPackage));
    }

    void deletingKeepsThePositionOrTakesTheOneBefore()
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
        QCOMPARE(test.dialogs.questions.back(),
                 (Message{"Opravdu chcete balíček \"C\" smazat?", MessageIcon::Exclamation, "Potvrzení"}));

        struct Step {
            int row;
            QString selectedAfter;
            QString wordsAfter;
        };
        // The last of three: the new last one; the first of two: the one that moved up; the last.
        for (const Step& step : {Step{2, "B", "2"}, Step{0, "B", "2"}, Step{0, "", ""}}) {
            window->packageList()->setCurrentRow(step.row);
            test.dialogs.answerNext(true);
            QTest::keyClick(window->packageList(), Qt::Key_Delete);
            QListWidgetItem* selected = window->packageList()->currentItem();
            QCOMPARE(selected ? selected->text() : QString(), step.selectedAfter);
            if (selected) {
                QCOMPARE(text(*window, control::WordCount), "Počet slovíček ve vybraném: " + step.wordsAfter);
            }
        }
        // The group is empty now: no word count and no package buttons, but "Přidat balíček".
        QCOMPARE(text(*window, control::PackageCount), QString("Počet balíčků: 0"));
        for (int id : {control::WordCount, control::EditPackage, control::DeletePackage, control::Rename}) {
            QVERIFY(!shown(*window, id));
        }
        QVERIFY(shown(*window, control::AddPackage));
    }

    // "Tisk" in an empty group is refused; the web link opens the address, or says it could not.
    void printingAnEmptyGroupIsRefusedAndTheWebLinkOpens()
    {
        TestProgram test;
        test.temp.makeGroup("Prázdná");
        auto window = open(test);
        click(*window, control::Print);
        QCOMPARE(test.dialogs.messages, std::vector<Message>{errorMessage("Ve skupině nejsou žádné balíčky.")});
        click(*window, control::WebLink);
        QCOMPARE(test.shell.opened, std::vector<QString>{kProjectAddress});
        test.shell.opens = false;
        click(*window, control::WebLink);
        QCOMPARE(test.dialogs.messages.size(), size_t(2));
    }

    // Closing the window saves the current group, and says so when it cannot; "Konec" and Esc
    // end the program without it; Esc on the package list (where the focus starts) does nothing.
    void onlyClosingSavesTheGroup()
    {
        enum Way { Close, CloseUnsaved, Quit, Escape, EscapeOnList };
        for (Way way : {Close, CloseUnsaved, Quit, Escape, EscapeOnList}) {
            TestProgram test;
            test.temp.makeGroup("A");
            test.temp.makeGroup("B");
            auto window = open(test);
            QVERIFY(test.program.collection.chooseGroup("B").ok());
            if (way == CloseUnsaved) {
                std::filesystem::create_directory(test.temp.root() / "config");
            }
            switch (way) {
            case Close:
            case CloseUnsaved: window->close(); break;
            case Quit: click(*window, control::Quit); break;
            case Escape: QTest::keyClick(window.get(), Qt::Key_Escape); break;
            case EscapeOnList: QTest::keyClick(window->packageList(), Qt::Key_Escape); break;
            }
            QCOMPARE(window->isVisible(), way == EscapeOnList);
            QCOMPARE(test.dialogs.messages.size(), size_t(way == CloseUnsaved ? 1 : 0));
            if (way != CloseUnsaved) {
                QCOMPARE(loadProgramConfig(test.program.tree).currentGroup, std::string(way == Close ? "B" : kNoGroupMarker));
            }
        }
    }

    // The signals that end a session reach the program as one call on its own thread.
    void terminationSignalsBecomeOneCall()
    {
        for (int number : {SIGTERM, SIGHUP, SIGINT}) {
            int calls = 0;
            const TerminationSignals termination([&] { ++calls; });
            QVERIFY(termination.installed());
            std::raise(number);
            QTRY_COMPARE(calls, 1);
        }
    }

    // A package name that looks like markup is shown in the desktop's boxes as it was typed.
    void messageBoxesShowNamesAsTyped()
    {
        testing::ModalDriver driver;
        Qt::TextFormat format = Qt::RichText;
        driver.then([&](QWidget* box) {
            format = qobject_cast<QMessageBox*>(box)->textFormat();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QVERIFY(!QtDialogs().askYesNo(nullptr, {"Opravdu chcete balíček \"<b>x</b>\" smazat?", MessageIcon::Exclamation, "Potvrzení"}));
        QCOMPARE(format, Qt::PlainText);
    }

    void aSecondInstanceIsRefused()
    {
        testing::TempTree temp;
        {
            const SingleInstance first(temp.root());
            QVERIFY(first.acquired());
            QVERIFY(!SingleInstance(temp.root()).acquired());
        }
        QVERIFY(SingleInstance(temp.root()).acquired());
    }

    // At every screen size, in every scheme, with a group of the longest name and without any
    // group: the window covers the work area and no more, its texts are whole, and the title and
    // the web link leave the banner's tiles free. Without a group the package area is hidden,
    // the group's buttons show the prohibition sign and do nothing, "<= !!!" points to "Skupiny
    // balíčků".
    void theWindowFitsEveryScreen()
    {
        const std::string group = "Angličtina pro pokročilé, slovíčka z učebnic I";
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 768), QSize(1280, 1024)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                for (bool withGroups : {false, true}) {
                    TestProgram test;
                    const DesignGrid& grid = test.program.grid = DesignGrid::fromWorkArea(screen.width(), screen.height());
                    testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
                    if (withGroups) {
                        writePackage(test, group, "Zvířata", "dog|pes||4\r\ncat|kočka||4\r\n");
                        writePackage(test, group, "Škola a učení", "school|škola||4\r\n");
                    }
                    MainWindow window(test.program, test.session);
                    window.startUp();
                    window.showOnWorkArea(QRect(QPoint(0, 0), screen));
                    QCOMPARE(window.size(), screen);
                    // The test platform adds a frame of its own: the window lies where it puts it.
                    LEXIVO_VERIFY_LAYOUT(window, QRect(window.geometry().topLeft(), screen),
                                         QString("main-scheme%1-%2x%3-%4").arg(scheme).arg(screen.width())
                                             .arg(screen.height()).arg(withGroups ? "groups" : "empty"));
                    const QImage picture = window.grab().toImage();
                    // The colour file chose the scheme: the background is its main colour.
                    QCOMPARE(picture.pixelColor(screen.width() - 5, screen.height() / 2),
                             toQColor(colourScheme(scheme).mainColour));

                    const QRect title = window.titleArea();
                    const QFont font = window.titleFont();
                    QVERIFY(wrappedTextHeight(font, window.titleText(), title.width()) <= title.height());
                    QVERIFY(font.pixelSize() >= readablePixelSize(cellFont(kTahoma, grid.y(45))));
                    const QRectF tiles = bannerTiles(window.bannerRect());
                    QVERIFY(title.right() < tiles.left());
                    QVERIFY(!tiles.intersects(findControl(&window, control::WebLink)->geometry()));

                    for (int id : {control::PackageList, control::ListCaption, control::AddPackage, control::TransferWords}) {
                        QCOMPARE(shown(window, id), withGroups);
                    }
                    QCOMPARE(button(window, control::Print)->showsProhibition(), !withGroups);
                    // The keyboard starts on the list, or where the hint points.
                    QCOMPARE(window.focusWidget(), findControl(&window, withGroups ? control::PackageList : control::Groups));
                    if (!withGroups) {
                        QCOMPARE(window.titleText(), QString("Používaná skupina: --- žádná skupina není zavedena ---"));
                        QVERIFY(testing::paintsColour(picture, gridRect(grid, 285, 500, 200, 75), QColor(200, 50, 50)));
                        click(window, control::Test);
                        click(window, control::ManagePackages);
                        QVERIFY(!shown(window, control::PackageList) && test.dialogs.messages.empty());
                    }
                }
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::MainWindowTest)
#include "main_window_test.moc"

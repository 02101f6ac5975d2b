// The group, add-package and rename dialogs driven from the main window as a user drives
// them: typed names and keys, then the files, the main window and the recorded messages.

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/main_window.h"
#include "editing/word_transfer_window.h"
#include "store/program_config.h"
#include "support/window_test_support.h"
#include "test/test_configuration_panel.h"
#include "test/test_run_window.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {

namespace mainWindow = main_window_control;
namespace group = group_dialog_control;
namespace adding = add_package_dialog_control;
namespace renaming = rename_dialog_control;
using testing::click;
using testing::shown;
using testing::TestProgram;

namespace {

std::unique_ptr<MainWindow> open(TestProgram& test)
{
    auto window = std::make_unique<MainWindow>(test.program, test.session);
    window->startUp();
    window->resize(test.program.grid.screenW(), test.program.grid.screenH());
    window->show();
    return window;
}

QLineEdit* field(QWidget* dialog, int id) { return findControlAs<QLineEdit>(dialog, id); }
QComboBox* dropDown(QWidget* dialog, int id) { return findControlAs<QComboBox>(dialog, id); }

// Replaces the field's text as the user does: select everything and type over it.
void retype(QWidget* dialog, int id, const QString& text)
{
    field(dialog, id)->selectAll();
    testing::typeText(field(dialog, id), text);
}
void enter(QWidget* dialog, int id) { QTest::keyClick(findControl(dialog, id), Qt::Key_Return); }

QString selectedPackage(MainWindow& window)
{
    const QListWidgetItem* item = window.packageList()->currentItem();
    return item ? item->text() : QString();
}

}  // namespace

class CollectionWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    void aNewUserCreatesAGroupAndAPackage()
    {
        TestProgram test;
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* groups) {
            QVERIFY(shown(groups, group::NoGroup) && !shown(groups, group::GroupList));
            testing::screenshot(*groups, "group-no-group");
            testing::typeText(field(groups, group::NewGroupName), "Angličtina");
            enter(groups, group::NewGroupName);
            // The main window follows at once.
            QCOMPARE(window->titleText(), QString("Používaná skupina: Angličtina"));
            QVERIFY(!findControlAs<OwnerDrawnButton>(window.get(), mainWindow::Test)->showsProhibition());
            QVERIFY(shown(window.get(), mainWindow::AddPackage));
            QVERIFY(shown(groups, group::GroupList) && !shown(groups, group::NoGroup));
            QCOMPARE(dropDown(groups, group::GroupList)->currentText(), QString("Angličtina"));
            click(groups, group::Ok);
        });
        click(window.get(), mainWindow::Groups);
        driver.then([&](QWidget* adding) {
            click(adding, adding::TakeOver);  // with one group there is nothing to take over
            QVERIFY(findControlAs<QAbstractButton>(adding, adding::CreateNew)->isChecked());
            testing::typeText(field(adding, adding::NewName), "Zvířata");
            enter(adding, adding::NewName);
        });
        click(window.get(), mainWindow::AddPackage);
        QCOMPARE(test.dialogs.messages,
                 std::vector<Message>{errorMessage("Žádná další skupina neexistuje, není tedy odkud přejímat.")});
        QCOMPARE(selectedPackage(*window), QString("Zvířata"));
        QCOMPARE(window->focusWidget(), window->packageList());  // so Enter opens the new package
        QCOMPARE(testing::labelText(window.get(), mainWindow::PackageCount), QString("Počet balíčků: 1"));
        QCOMPARE(testing::readBytes(test.temp.tree().packageFile("Angličtina", "Zvířata")), std::string());
        window->close();
        QCOMPARE(loadProgramConfig(test.program.tree).currentGroup, std::string("Angličtina"));
    }

    // Each refusal keeps the dialog open; the focus goes where the user has to act.
    void refusedGroupNamesKeepTheirFocus()
    {
        TestProgram test;
        for (int i = 0; i < 49; ++i) {
            test.temp.makeGroup("Skupina " + std::to_string(i));
        }
        auto window = open(test);
        struct Row {
            QString name;
            Message message;
            int focus;
        };
        const std::vector<Row> rows = {
            {"", errorMessage("Musíte zadat jméno nové skupiny.", MessageIcon::Exclamation), group::NewGroupName},
            {QString(46, 'x'), errorMessage("Jméno skupiny je příliš dlouhé. Zadejte kratší."), group::NewGroupName},
            {"a:b", errorMessage("Jméno skupiny nesmí obsahovat žádný z těchto znaků: / \\ : \" * ? < > |"), group::NewGroupName},
            {"SKUPINA 7", errorMessage("Skupina s tímto jménem již existuje."), group::NewGroupName},
            {"Nová", errorMessage("Je zavedeno příliš mnoho skupin. Budete muset některé z nich smazat, pokud chcete "
                                  "vytvořit novou."),
             group::GroupList},
        };
        testing::ModalDriver driver;
        driver.then([&](QWidget* groups) {
            for (const Row& row : rows) {
                retype(groups, group::NewGroupName, row.name);
                click(groups, group::AddGroup);
                QCOMPARE(test.dialogs.messages.back(), row.message);
                QCOMPARE(groups->focusWidget(), findControl(groups, row.focus));
                QCOMPARE(field(groups, group::NewGroupName)->text(), row.name);
                QCOMPARE(field(groups, group::NewGroupName)->selectedText(),
                         row.focus == group::NewGroupName ? row.name : QString());
            }
            QTest::keyClick(groups, Qt::Key_Escape);
        });
        click(window.get(), mainWindow::Groups);
        QCOMPARE(test.dialogs.messages.size(), rows.size());
        QCOMPARE(test.program.collection.groupTable().size(), std::size_t{49});
    }

    void groupsAreChosenRenamedAndDeleted()
    {
        TestProgram test;
        test.temp.makeGroup("A");
        test.temp.makeGroup("B");
        test.temp.writePackage("B", "Slovesa", "go|jít||4\r\n");
        std::filesystem::remove(test.temp.tree().temporaryDirectory("B"));
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* groups) {
            QTest::keyClick(dropDown(groups, group::GroupList), Qt::Key_Down);  // chooses B
            QCOMPARE(window->titleText(), QString("Používaná skupina: B"));
            QCOMPARE(selectedPackage(*window), QString("Slovesa"));
            QVERIFY(std::filesystem::is_directory(test.temp.tree().temporaryDirectory("B")));

            testing::ModalDriver nested;  // a driver's timer does not fire inside its own action
            nested.then([&](QWidget* rename) {
                QCOMPARE(field(rename, renaming::NewName)->selectedText(), QString("B"));
                testing::typeText(field(rename, renaming::NewName), "A");
                enter(rename, renaming::NewName);  // taken: the dialog stays
                QCOMPARE(test.dialogs.messages.back(), errorMessage("Skupina s tímto názvem již existuje."));
                retype(rename, renaming::NewName, "Čeština");
                enter(rename, renaming::NewName);
            });
            click(groups, group::RenameGroup);
            QCOMPARE(dropDown(groups, group::GroupList)->currentText(), QString("Čeština"));
            QCOMPARE(window->titleText(), QString("Používaná skupina: Čeština"));

            for (const char* left : {"A", ""}) {
                test.dialogs.answerNext(true);
                click(groups, group::DeleteGroup);
                QCOMPARE(test.program.collection.currentGroup(), std::string(*left ? left : kNoGroupMarker));
            }
            QCOMPARE(test.dialogs.questions.back().title, std::string("Potvrzení"));
            QVERIFY(shown(groups, group::NoGroup) && !shown(groups, group::DeleteGroup));
            QVERIFY(findControlAs<OwnerDrawnButton>(window.get(), mainWindow::Test)->showsProhibition());
            QVERIFY(!shown(window.get(), mainWindow::PackageList));
            click(groups, group::Ok);
        });
        click(window.get(), mainWindow::Groups);
        QVERIFY(!std::filesystem::exists(test.temp.tree().groupDirectory("Čeština")));
        QCOMPARE(test.dialogs.messages.size(), std::size_t{1});
    }

    void packagesAreAddedCopiedAndRenamed()
    {
        TestProgram test;
        test.temp.makeGroup("Angličtina");  // the first group is the current one
        test.temp.writePackage("Angličtina", "Moje", "");
        test.temp.makeGroup("Čistá");
        const std::string words = "cat|kocka|A cat.|2\r\ndog|pes||0\r\n";
        test.temp.writePackage("H", "Zdroj", words);
        test.temp.writePackage("H", "Druhý", "x|y||4\r\n");
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* adding) {
            click(adding, adding::TakeOver);  // the first other group, "Čistá", has no package
            QVERIFY(!shown(adding, adding::SourcePackage) && !shown(adding, adding::CopyName));
            click(adding, adding::Ok);
            QCOMPARE(test.dialogs.messages.back().text,
                     std::string("Tato skupina neobsahuje žádné balíčky, nelze z ní tedy žádné přejmout."));
            QTest::keyClick(dropDown(adding, adding::SourceGroup), Qt::Key_Down);  // H
            QCOMPARE(field(adding, adding::CopyName)->text(), QString("Druhý"));
            testing::screenshot(*adding, "add-package-take-over");
            QTest::keyClick(dropDown(adding, adding::SourcePackage), Qt::Key_Down);  // the name follows the box
            QCOMPARE(field(adding, adding::CopyName)->text(), QString("Zdroj"));
            enter(adding, adding::CopyName);
        });
        click(window.get(), mainWindow::AddPackage);
        QCOMPARE(test.temp.readPackage("Angličtina", "Zdroj"), words);  // the coefficients come along
        QCOMPARE(selectedPackage(*window), QString("Zdroj"));
        QCOMPARE(testing::labelText(window.get(), mainWindow::WordCount), QString("Počet slovíček ve vybraném: 2"));

        driver.then([&](QWidget* rename) {
            enter(rename, renaming::NewName);  // its own name
            QCOMPARE(test.dialogs.messages.back(), errorMessage("Balíček s tímto jménem už máte."));
            retype(rename, renaming::NewName, "Zvířata");
            enter(rename, renaming::NewName);
        });
        click(window.get(), mainWindow::Rename);
        QCOMPARE(selectedPackage(*window), QString("Zvířata"));
        QCOMPARE(test.temp.readPackage("Angličtina", "Zvířata"), words);

        // A full group refuses and ends the dialog.
        for (int i = 0; i < 479; ++i) {
            test.temp.writePackage("Angličtina", "p" + std::to_string(i), "");
        }
        driver.then([&](QWidget* adding) {
            testing::typeText(field(adding, adding::NewName), "Další");
            click(adding, adding::Ok);
        });
        click(window.get(), mainWindow::AddPackage);
        QVERIFY(test.dialogs.messages.back().text.starts_with("Další balíček nelze přidat."));
        QVERIFY(!std::filesystem::exists(test.temp.tree().packageFile("Angličtina", "Další")));
        QVERIFY(driver.idle());
    }

    // From the running test: a new package, the transfer window with the remaining words, and
    // the keyboard back in the answer field.
    void theRemainingWordsOfATestBecomeAPackage()
    {
        TestProgram test;
        test.temp.makeGroup("G");
        test.temp.writePackage("G", "Zvířata", "cat|kocka||4\r\ndog|pes||4\r\n");
        auto window = open(test);
        click(window.get(), mainWindow::Test);
        TestConfigurationPanel* panel = window->configurationPanel();
        QVERIFY(panel != nullptr && QTest::qWaitFor([&] { return panel->presetsApplied(); }));
        QTest::mouseClick(panel->packageBoxes().front(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
        click(panel, test_configuration_panel_control::Start);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TestRunWindow* running = window->testWindow();
        QVERIFY(running != nullptr);

        testing::ModalDriver driver;
        driver.then([&](QWidget* adding) {
            QVERIFY(!shown(adding, adding::SourceGroup) && !shown(adding, adding::CopyName));
            testing::screenshot(*adding, "add-package-remaining");
            testing::typeText(field(adding, adding::NewName), "Zbytek");
            enter(adding, adding::NewName);
        });
        driver.then([&](QWidget* transfer) {
            auto* words = qobject_cast<WordTransferWindow*>(transfer)->wordList(Side::Left);
            QCOMPARE(words->count(), 2);
            words->selectAll();
            click(transfer, word_transfer_window_control::CopyRight);
            click(transfer, word_transfer_window_control::Ok);
        });
        click(running, test_run_window_control::PackageOfRemaining);
        QCOMPARE(test.temp.readPackage("G", "Zbytek"), std::string("cat|kocka||4\r\ndog|pes||4\r\n"));
        QCOMPARE(window->focusWidget(), running->answerField());
        QCOMPARE(testing::labelText(window.get(), mainWindow::PackageCount), QString("Počet balíčků: 2"));
    }

    void screenshotsOfTheDialogs()
    {
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 768)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                TestProgram test(screen.width(), screen.height());
                testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
                test.temp.writePackage("Angličtina", "Zvířata", "");
                test.temp.makeGroup("Němčina");
                auto window = open(test);
                const QString suffix = QString("-scheme%1-%2x%3").arg(scheme).arg(screen.width()).arg(screen.height());
                const QRect workArea(QPoint(0, 0), screen);
                auto capture = [&](const QString& name) {
                    return [&, name](QWidget* dialog) {
                        testing::screenshot(*dialog, name + suffix);
                        QVERIFY(workArea.contains(QRect(window->mapFromGlobal(dialog->pos()), dialog->size())));
                        QTest::keyClick(dialog, Qt::Key_Escape);
                    };
                };
                testing::ModalDriver driver;
                driver.then([&](QWidget* groups) {
                    testing::screenshot(*groups, "group" + suffix);
                    testing::ModalDriver nested;
                    nested.then(capture("rename-group"));
                    click(groups, group::RenameGroup);
                    QTest::keyClick(groups, Qt::Key_Escape);
                });
                click(window.get(), mainWindow::Groups);
                driver.then(capture("add-package"));
                click(window.get(), mainWindow::AddPackage);
                driver.then(capture("rename-package"));
                click(window.get(), mainWindow::Rename);
                QVERIFY(driver.idle());
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::CollectionWindowsTest)
#include "collection_windows_test.moc"

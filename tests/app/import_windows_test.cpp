// Importing a word list as a user does it: "Přidat balíček", the third option, the file chooser,
// the preview with its settings, then the package's bytes and the recorded messages.

#include <filesystem>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "app/add_package_dialog.h"
#include "app/main_window.h"
#include "editing/import_preview_dialog.h"
#include "support/window_test_support.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/import_preview_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/controls.h"

namespace lexivo {

namespace adding = add_package_dialog_control;
namespace preview = import_preview_dialog_control;
using testing::click;
using testing::TestProgram;

namespace {

// A semicolon list in Windows-1250 with a header; line 4 holds a "|", line 5 has no Czech.
const std::string kSemicolonList = "English;Czech;Example\r\n"
                                   "dog;pes;The dog barks.\r\n"
                                   "cat;ko\xE8ka;\r\n"
                                   "horse;k\xF9\xF2|x;\r\n"
                                   "bird;;\r\n";

std::unique_ptr<MainWindow> open(TestProgram& test)
{
    auto window = std::make_unique<MainWindow>(test.program, test.session, test.choosers);
    window->startUp();
    window->resize(test.program.grid.screenW(), test.program.grid.screenH());
    window->show();
    return window;
}

QString writeFile(TestProgram& test, const std::string& name, const std::string& bytes)
{
    const std::filesystem::path file = test.temp.root() / name;
    testing::writeBytes(file, bytes);
    return QString::fromStdString(file.string());
}

QString cell(QWidget* dialog, int row, int column)
{
    const QTableWidgetItem* item = findControlAs<QTableWidget>(dialog, preview::PreviewTable)->item(row, column);
    return item ? item->text() : QString();
}

// The problem list as "line: reason" texts.
QStringList problems(QWidget* dialog)
{
    const QAbstractItemModel* model = findControlAs<QTableView>(dialog, preview::ProblemList)->model();
    QStringList listed;
    for (int row = 0; row < model->rowCount(); ++row) {
        listed << model->index(row, 0).data().toString() + ": " + model->index(row, 1).data().toString();
    }
    return listed;
}

QString summary(QWidget* dialog) { return testing::labelText(dialog, preview::Summary); }

// Chooses the import in the add-package dialog and presses Enter, the chooser answering `file`.
void chooseImport(TestProgram& test, QWidget* adding, std::optional<QString> file)
{
    test.choosers.openFiles = {std::move(file)};
    click(adding, adding::ImportFromFile);
    QTest::keyClick(findControl(adding, adding::ImportFromFile), Qt::Key_Return);
}

}  // namespace

class ImportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    // The preview reads the file as detected, reads it again on every change, lists the bad
    // lines, and "OK" writes the good ones.
    void thePreviewRereadsAndOkWritesThePackage()
    {
        TestProgram test;
        test.temp.makeGroup("G");
        const QString file = writeFile(test, "slova.csv", kSemicolonList);
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* addingDialog) {
            testing::ModalDriver nested;
            nested.then([&](QWidget* shown) {
                QCOMPARE(findControlAs<QLineEdit>(shown, preview::PackageName)->text(), QString("slova"));
                QTest::keyClick(findControl(shown, preview::PackageName), Qt::Key_Tab);
                QCOMPARE(shown->focusWidget(), findControl(shown, preview::Encoding));
                QCOMPARE(findControlAs<QComboBox>(shown, preview::Encoding)->currentText(), QString("Windows-1250"));
                QCOMPARE(findControlAs<QComboBox>(shown, preview::Separator)->currentText(), QString("středník"));
                QCOMPARE(cell(shown, 1, 1), QString("kočka"));
                QCOMPARE(problems(shown), QStringList({"4: pole obsahuje znak \"|\" nebo \"#\"", "5: chybí český výraz"}));
                QCOMPARE(summary(shown), QString("Slovíček k přidání: 2, vynechaných řádků: 2"));

                QTest::keyClick(findControl(shown, preview::Separator), Qt::Key_Up);  // čárka
                QCOMPARE(cell(shown, 0, 0), QString("dog;pes;The dog barks."));
                QTest::keyClick(findControl(shown, preview::Separator), Qt::Key_Down);  // středník again
                QCOMPARE(cell(shown, 0, 2), QString("The dog barks."));
                QTest::keyClick(findControl(shown, preview::Encoding), Qt::Key_Up);  // UTF-8
                QVERIFY(cell(shown, 1, 1) != QString("kočka"));
                QTest::keyClick(findControl(shown, preview::Encoding), Qt::Key_Down);
                QCOMPARE(cell(shown, 1, 1), QString("kočka"));
                testing::screenshot(*shown, "import-preview");
                QTest::keyClick(findControl(shown, preview::PackageName), Qt::Key_Return);
            });
            chooseImport(test, addingDialog, file);
        });
        click(window.get(), main_window_control::AddPackage);
        QVERIFY(driver.idle());
        QCOMPARE(test.dialogs.messages, std::vector<Message>{});
        QCOMPARE(test.temp.readPackage("G", "slova"), std::string("dog|pes|The dog barks.|4\r\ncat|ko\xE8ka||4\r\n"));
        QCOMPARE(window->packageList()->currentItem()->text(), QString("slova"));
        QCOMPARE(test.choosers.openRequests.at(0).filters.at(0), QString("Seznamy slovíček (*.csv *.tsv *.txt *.kvtml)"));
    }

    // A cancelled chooser, a file that is not text and a refused name keep the dialogs open;
    // nothing is written.
    void refusalsKeepTheDialogsOpen()
    {
        TestProgram test;
        test.temp.makeGroup("G");
        const QString binary = writeFile(test, "obrazek.csv", std::string("GIF\0\0\x01", 6));
        const QString list = writeFile(test, "slova.csv", kSemicolonList);
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* addingDialog) {
            chooseImport(test, addingDialog, std::nullopt);
            QVERIFY(addingDialog->isVisible() && test.dialogs.messages.empty());
            chooseImport(test, addingDialog, binary);
            QVERIFY(addingDialog->isVisible());
            QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
            QVERIFY(test.dialogs.messages[0].text.find("není to textový soubor") != std::string::npos);

            testing::ModalDriver nested;
            nested.then([&](QWidget* shown) {
                auto* name = findControlAs<QLineEdit>(shown, preview::PackageName);
                name->selectAll();
                testing::typeText(name, "a:b");
                QTest::keyClick(name, Qt::Key_Return);
                QCOMPARE(test.dialogs.messages.back(), *test.program.collection.checkPackageName("a:b", PackageNameUse::Create));
                QCOMPARE(shown->focusWidget(), static_cast<QWidget*>(name));
                QTest::keyClick(name, Qt::Key_Escape);
            });
            chooseImport(test, addingDialog, list);
            QVERIFY(addingDialog->isVisible());
            QTest::keyClick(addingDialog, Qt::Key_Escape);
        });
        click(window.get(), main_window_control::AddPackage);
        QVERIFY(driver.idle());
        QCOMPARE(test.program.collection.listPackages(), std::vector<std::string>{});
    }

    // Into a package that exists: the preview says so, and a word the package holds is left out
    // unless the user keeps duplicates.
    void anExistingPackageGetsOnlyNewWords()
    {
        TestProgram test;
        test.temp.writePackage("G", "Zvířata", "dog|pes||2\r\n");
        const QString file = writeFile(test, "nova.tsv", "dog\tpes\r\ncat\tko\xC4\x8Dka\r\n");
        auto window = open(test);
        testing::ModalDriver driver;
        driver.then([&](QWidget* addingDialog) {
            testing::ModalDriver nested;
            nested.then([&](QWidget* shown) {
                QVERIFY(testing::labelText(shown, preview::TargetNote).isEmpty());
                auto* name = findControlAs<QLineEdit>(shown, preview::PackageName);
                name->selectAll();
                testing::typeText(name, "Zvířata");
                QVERIFY(!testing::labelText(shown, preview::TargetNote).isEmpty());
                QCOMPARE(problems(shown), QStringList{"1: slovíčko už balíček obsahuje"});
                click(shown, preview::KeepDuplicates);
                QCOMPARE(summary(shown), QString("Slovíček k přidání: 2, vynechaných řádků: 0"));
                click(shown, preview::KeepDuplicates);
                click(shown, preview::Ok);
            });
            chooseImport(test, addingDialog, file);
        });
        click(window.get(), main_window_control::AddPackage);
        QVERIFY(driver.idle());
        QCOMPARE(test.temp.readPackage("G", "Zvířata"), std::string("dog|pes||2\r\ncat|ko\xE8ka||4\r\n"));
        QCOMPARE(window->packageList()->currentItem()->text(), QString("Zvířata"));
    }

    void screenshots()
    {
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 768)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                TestProgram test(screen.width(), screen.height());
                testing::writeBytes(test.temp.root() / "color", std::to_string(scheme));
                test.temp.makeGroup("G");
                auto window = open(test);
                const QString suffix = QString("-scheme%1-%2x%3").arg(scheme).arg(screen.width()).arg(screen.height());
                const QRect workArea(window->geometry().topLeft(), screen);
                AddPackageDialog adding(test.program, *window, AddPackageMode::AddPackage);
                adding.show();
                click(&adding, adding::ImportFromFile);
                LEXIVO_VERIFY_LAYOUT(adding, workArea, "add-package-import" + suffix);
                testing::writeBytes(test.temp.root() / "s.csv", kSemicolonList);
                Result<ImportFile> file = readImportFile(test.temp.root() / "s.csv");
                QVERIFY(file.ok());
                Result<ImportPreview> read = ImportPreview::open(test.program.collection, std::move(file).value());
                QVERIFY(read.ok());
                ImportPreviewDialog shown(test.program, window.get(), std::move(read).value(), "slovíčka z tabulky.csv");
                shown.show();
                LEXIVO_VERIFY_LAYOUT(shown, workArea, "import-preview" + suffix);
                // A KDE document has fixed columns: nothing to choose about its text.
                Result<ImportPreview> document = ImportPreview::open(
                    test.program.collection, readImportFile(std::filesystem::path(LEXIVO_IMPORT_SAMPLES) / "lesson.kvtml").value());
                ImportPreviewDialog kvtml(test.program, window.get(), std::move(document).value(), "lesson.kvtml");
                kvtml.show();
                QVERIFY(!findControl(&kvtml, preview::Encoding)->isEnabled() && !findControl(&kvtml, preview::Separator)->isEnabled());
                LEXIVO_VERIFY_LAYOUT(kvtml, workArea, "import-preview-kvtml" + suffix);
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::ImportWindowsTest)
#include "import_windows_test.moc"

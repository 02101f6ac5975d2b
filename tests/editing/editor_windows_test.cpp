// The package editor and the export window driven as a user drives them: keys and clicks, then
// the package's bytes, the recorded message boxes and choosers, the written and opened files.

#include <filesystem>

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "app/main_window.h"
#include "editing/editing_session.h"
#include "editing/export_dialog.h"
#include "editing/package_editor.h"
#include "store/cp1250.h"
#include "support/window_test_support.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/package_editor.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {
namespace {

namespace control = package_editor_control;
namespace exporting = export_dialog_control;
using testing::TestProgram;

// Two identical words, one with an example, levels 0 to 4.
const std::string kWords = "dog|pes|A dog barks.|2\r\ncat|kočka||0\r\nowl|sova||4\r\ncat|kočka||3\r\n";

void writePackage(TestProgram& test, const std::string& name, const std::string& words)
{
    test.temp.makeGroup("G");
    test.temp.writePackage("G", name, encodeCp1250(words).value());
    test.program.collection.setCurrentGroup("G");
}

std::string package(TestProgram& test, const std::string& name = "P")
{
    return decodeCp1250(test.temp.readPackage("G", name));
}

struct Editor {
    explicit Editor(TestProgram& test, EditorStart start = EditorStart::Edit)
        : session(test.choosers), window(test.program, session, nullptr, {"P", "Q"}, 0, start)
    {
        window.show();
    }
    QLineEdit* edit(int id) { return findControlAs<QLineEdit>(&window, id); }
    QComboBox* dropDown(int id) { return findControlAs<QComboBox>(&window, id); }
    QAbstractItemModel* model() { return window.wordList()->model(); }
    int row(const QString& line)
    {
        const QModelIndexList found = model()->match(model()->index(0, 0), Qt::DisplayRole, line, 1, Qt::MatchExactly);
        return found.isEmpty() ? -1 : found.first().row();
    }
    void click(int row, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QListView* list = window.wordList();
        list->scrollTo(model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualRect(model()->index(row, 0)).center());
    }
    std::vector<int> selectedRows()
    {
        std::vector<int> rows;
        for (const QModelIndex& index : window.wordList()->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        return rows;
    }
    void type(int id, const QString& text, Qt::Key then = Qt::Key_unknown)
    {
        edit(id)->setFocus();
        edit(id)->selectAll();
        testing::typeText(edit(id), text);
        if (then != Qt::Key_unknown) {
            QTest::keyClick(edit(id), then);
        }
    }
    bool prohibited() { return findControlAs<OwnerDrawnButton>(&window, control::Change)->showsProhibition(); }

    EditingSession session;
    PackageEditor window;
};

QString line(const QString& foreign, const QString& czech, int order)
{
    return order == static_cast<int>(WordOrder::Czech) ? czech + " - " + foreign : foreign + " - " + czech;
}

}  // namespace

class EditorWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    // Add, change the texts, change the level, delete one, delete two identical lines: the same
    // file in every order, and after each step the word the editor re-selects.
    void editsTheFileInEachOrder()
    {
        for (int order = 0; order < 4; ++order) {
            TestProgram test;
            writePackage(test, "P", kWords);
            Editor editor(test);
            editor.dropDown(control::SortOrder)->setCurrentIndex(order);

            editor.type(control::NewEnglish, "bird");
            editor.type(control::NewCzech, "pták");
            QTest::keyClick(editor.edit(control::NewExample), Qt::Key_Return);
            QCOMPARE(package(test), kWords + "bird|pták||4\r\n");
            QCOMPARE(editor.selectedRows(), std::vector{editor.row(line("bird", "pták", order))});
            QCOMPARE(editor.edit(control::ChangedCzech)->text(), QString("pták"));

            editor.click(editor.row(line("owl", "sova", order)));
            QVERIFY(editor.prohibited());
            editor.type(control::ChangedCzech, "sýček", Qt::Key_Return);
            editor.dropDown(control::Knowledge)->setCurrentIndex(1);
            testing::click(&editor.window, control::Change);
            QCOMPARE(package(test), "dog|pes|A dog barks.|2\r\ncat|kočka||0\r\nowl|sýček||1\r\ncat|kočka||3\r\nbird|pták||4\r\n");
            QCOMPARE(editor.selectedRows(), std::vector{editor.row(line("owl", "sýček", order))});

            const int dog = editor.row(line("dog", "pes", order));
            editor.click(dog);
            test.dialogs.answerNext(true);
            QTest::keyClick(editor.window.wordList(), Qt::Key_Delete);
            QCOMPARE(editor.selectedRows(), std::vector{std::min(dog, editor.model()->rowCount() - 1)});
            QVERIFY(!editor.edit(control::ChangedEnglish)->text().isEmpty());

            const QString cat = line("cat", "kočka", order);
            editor.click(editor.row(cat));
            editor.click(static_cast<int>(editor.model()->match(editor.model()->index(0, 0), Qt::DisplayRole, cat, 2,
                                                                Qt::MatchExactly).last().row()),
                         Qt::ControlModifier);
            QCOMPARE(testing::labelText(&editor.window, control::SelectedCount), QString("Počet vybraných slovíček: 2"));
            test.dialogs.answerNext(true);
            QTest::keyClick(editor.window.wordList(), Qt::Key_Delete);
            QCOMPARE(package(test), std::string("owl|sýček||1\r\nbird|pták||4\r\n"));
            QVERIFY(editor.selectedRows().empty() && testing::shown(&editor.window, control::NoWordSelected));
            QCOMPARE(test.dialogs.questions.size(), std::size_t(2));
            QVERIFY(test.dialogs.messages.empty());
        }
    }

    void refusalsKeysAndTheProhibitionSign()
    {
        TestProgram test;
        std::string many;
        for (int i = 0; i < 501; ++i) {
            many += "w" + std::to_string(i) + "|s||4\r\n";
        }
        writePackage(test, "P", many);
        Editor editor(test);
        editor.type(control::NewEnglish, "señor");
        QTest::keyClick(editor.edit(control::NewEnglish), Qt::Key_Tab);  // Tab goes on to the Czech field
        QCOMPARE(editor.window.focusWidget(), editor.edit(control::NewCzech));
        editor.type(control::NewCzech, "pán", Qt::Key_Return);
        QVERIFY(QString::fromStdString(test.dialogs.messages.at(0).text).contains("„ñ“"));
        QCOMPARE(editor.window.focusWidget(), editor.edit(control::NewEnglish));

        editor.click(3);
        editor.type(control::ChangedEnglish, "x");
        QVERIFY(!editor.prohibited());
        QTest::keyClick(editor.edit(control::ChangedEnglish), Qt::Key_Escape);  // puts the file's text back
        QVERIFY(editor.prohibited());
        QCOMPARE(editor.window.focusWidget(), editor.window.wordList());

        QTest::keyClick(editor.window.wordList(), Qt::Key_A, Qt::ControlModifier);
        test.dialogs.answerNext(true);
        QTest::keyClick(editor.window.wordList(), Qt::Key_Delete);
        QCOMPARE(test.dialogs.questions.size(), std::size_t(1));
        QCOMPARE(test.dialogs.messages.back(), errorMessage("Najednou lze smazat maximálně 500 slovíček!"));
        QCOMPARE(package(test), many);
    }

    // "Tisk" in the editor; the file matches the core's document, and the question opens it or not.
    void exportsThroughTheWindow()
    {
        for (const bool open : {true, false}) {
            TestProgram test;
            writePackage(test, "P", kWords);
            Editor editor(test);
            const QString file = QString::fromStdString((test.temp.root() / "out").string());
            test.choosers.saveFiles = {file};
            test.choosers.fonts = {FontChoice{"Liberation Serif", 30, 700, false, true, false, QColor(255, 128, 0)}};
            test.dialogs.answerNext(open);
            ExportOptions chosen;
            TextWidth lineWidth;
            testing::ModalDriver driver;
            driver.then([&](QWidget* modal) {
                testing::click(modal, exporting::NumberWords);
                testing::click(modal, open ? exporting::ChangeFont : exporting::CzechFirst);
                findControlAs<QComboBox>(modal, exporting::Format)->setCurrentIndex(open ? 1 : 2);
                chosen = qobject_cast<ExportDialog*>(modal)->options();
                lineWidth = qobject_cast<ExportDialog*>(modal)->lineWidth();
                testing::click(modal, exporting::Continue);
            });
            testing::click(&editor.window, control::Print);

            QCOMPARE(test.choosers.saveRequests.at(0).extension, QString(open ? "html" : "txt"));
            const ExportSource source = exportSource(editor.window.editing());
            const int width = exportPageWidth(source, chosen, lineWidth);
            const auto expected = exportDocument(exportLines(source, chosen).value(), chosen, editor.session.exportStyle, width);
            QCOMPARE(testing::readBytes(file.toStdString()), expected.value());
            QCOMPARE(test.dialogs.questions.back(), exportDoneQuestion());
            QCOMPARE(test.shell.opened, open ? std::vector{file} : std::vector<QString>{});

            // Face and size start anew on the next opening; the colour stays.
            driver.then([](QWidget* modal) {
                testing::click(modal, exporting::ChangeFont);
                testing::click(modal, exporting::Cancel);
            });
            testing::click(&editor.window, control::Print);
            const FontChoice& shown = test.choosers.fontsShown.back();
            QCOMPARE(shown.face + QString::number(shown.pixelHeight), QString("Arial21"));
            QCOMPARE(shown.colour, open ? QColor(255, 128, 0) : QColor(Qt::black));
        }
    }

    // A file that cannot be written is reported; the window stays open and asks nothing.
    void aFailedExportIsReported()
    {
        TestProgram test;
        writePackage(test, "P", kWords);
        Editor editor(test);
        test.choosers.saveFiles = {QString::fromStdString((test.temp.root() / "missing" / "out.rtf").string())};
        bool stillOpen = false;
        testing::ModalDriver driver;
        driver.then([&](QWidget* modal) {
            testing::click(modal, exporting::Continue);
            stillOpen = modal->isVisible();
            testing::click(modal, exporting::Cancel);
        });
        testing::click(&editor.window, control::Print);
        QVERIFY(stillOpen);
        QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
        QVERIFY(test.dialogs.questions.empty());
        QVERIFY(!std::filesystem::exists(test.temp.root() / "missing"));
    }

    void theMainWindowOpensTheEditorAndPrints()
    {
        TestProgram test;
        writePackage(test, "A", "a|a||4\r\n");
        writePackage(test, "B", "b|b||4\r\nc|c||4\r\n");
        MainWindow window(test.program, test.session);
        window.startUp();
        window.show();
        testing::ModalDriver driver;
        QString exportedPackage;
        driver.then([&](QWidget* modal) {
            exportedPackage = findControlAs<QComboBox>(modal, exporting::Package)->currentText();
            testing::click(modal, exporting::Cancel);
        });
        window.packageList()->setCurrentRow(1);
        testing::click(&window, main_window_control::Print);  // the editor stays hidden
        QCOMPARE(exportedPackage, QString("B"));
        QVERIFY(driver.idle());

        driver.then([&](QWidget* modal) {
            findControlAs<QComboBox>(modal, control::OtherPackage)->setCurrentIndex(0);
            QCOMPARE(testing::shown(modal, control::Print), true);
            testing::click(modal, control::Ok);
        });
        QTest::keyClick(window.packageList(), Qt::Key_Return);
        QCOMPARE(window.packageList()->currentRow(), 0);
        QCOMPARE(testing::labelText(&window, main_window_control::WordCount), QString("Počet slovíček ve vybraném: 1"));
    }

    void screenshots()
    {
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 768)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                TestProgram test(screen.width(), screen.height());
                test.program.schemeNumber = scheme;
                writePackage(test, "P", kWords);
                Editor editor(test);
                const QString suffix = QString("-scheme%1-%2").arg(scheme).arg(screen.width());
                testing::screenshot(editor.window, "editor-none" + suffix);
                editor.click(0);
                testing::screenshot(editor.window, "editor-one" + suffix);
                editor.click(2, Qt::ShiftModifier);
                testing::screenshot(editor.window, "editor-several" + suffix);
                ExportDialog exporting(test.program, editor.session, editor.window);
                exporting.show();
                testing::click(&exporting, exporting::ShowExamples);
                testing::click(&exporting, exporting::SeparatingLine);
                testing::screenshot(exporting, "export" + suffix);
                QVERIFY(exporting.previewText().startsWith("cat - kočka\n" + QString(72, '-')));
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::EditorWindowsTest)
#include "editor_windows_test.moc"

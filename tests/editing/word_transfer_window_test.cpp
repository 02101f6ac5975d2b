// The word transfer window driven as a user drives it: selections, clicks and keys, then both
// package files byte for byte and the recorded messages.

#include <cerrno>
#include <filesystem>

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "editing/word_transfer_window.h"
#include "store/file_io.h"
#include "support/window_test_support.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"

namespace lexivo {

namespace control = word_transfer_window_control;
using testing::TestProgram;

namespace {

std::string words(int count, char prefix)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += std::string(1, prefix) + std::to_string(1000 + i) + "|s||4\r\n";
    }
    return bytes;
}

// The window over a stand-in main window, on a program whose current group is G.
struct Transfer {
    explicit Transfer(TestProgram& test, TransferMode mode = TransferMode::Transfer, TransferOpening opening = {})
    {
        test.program.collection.listGroups();
        (void)test.program.collection.chooseGroup("G");
        owner.resize(test.program.grid.screenW(), test.program.grid.screenH());
        owner.show();
        window = std::make_unique<WordTransferWindow>(test.program, &owner, mode, std::move(opening));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QListWidget* list(Side side) const { return window->wordList(side); }
    void select(Side side, std::vector<int> rows) const
    {
        list(side)->clearSelection();
        for (int row : rows) {
            list(side)->item(row)->setSelected(true);
        }
    }
    void choose(int dropDown, const QString& text) const
    {
        auto* box = findControlAs<QComboBox>(window.get(), dropDown);
        box->setCurrentText(text);
        emit box->activated(box->currentIndex());
    }
    void click(int id) const { testing::click(window.get(), id); }
    void key(Side side, Qt::Key key) const { QTest::keyClick(list(side), key); }

    QWidget owner;
    std::unique_ptr<WordTransferWindow> window;
};

}  // namespace

class WordTransferWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    // Each check refuses with its message and leaves both files as they were.
    void refusalsChangeNothing()
    {
        TestProgram test;
        test.temp.writePackage("G", "A", words(11, 'a'));
        test.temp.writePackage("H", "B", words(990, 'b'));
        test.temp.makeGroup("Prázdná");
        Transfer transfer(test);
        transfer.choose(control::RightGroup, "H");
        const std::string tooMany = "Akce nemůže být provedena, protože kdyby k tomu došlo, byl by v cílovém balíčku "
                                    "překročen maximální možný počet slovíček v jednom balíčku (1000).";
        struct Row {
            QString rightGroup;
            std::vector<int> left;
            int button;
            std::string message;
        };
        const std::vector<Row> rows = {
            {"Prázdná", {0}, control::CopyRight, "Cílová skupina neobsahuje žádné balíčky."},
            {"Prázdná", {0}, control::CopyLeft, "Zdrojová skupina neobsahuje žádné balíčky."},
            {"G", {0}, control::MoveRight, "Zdrojový a cílový balíček nemůže být jeden a ten samý."},
            {"H", {}, control::MoveRight, "Ve zdrojovém balíčku není vybráno žádné slovíčko."},
            {"H", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, control::CopyRight, tooMany},
        };
        for (const Row& row : rows) {
            transfer.choose(control::RightGroup, row.rightGroup);
            transfer.select(Side::Left, row.left);
            transfer.click(row.button);
            QCOMPARE(test.dialogs.messages.back(), errorMessage(row.message));
        }
        QCOMPARE(test.dialogs.messages.size(), rows.size());
        QCOMPARE(test.temp.readPackage("G", "A"), words(11, 'a'));
        QCOMPARE(test.temp.readPackage("H", "B"), words(990, 'b'));

        // Ten words fill the target to the limit; the selection stays where it was.
        transfer.select(Side::Left, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        transfer.key(Side::Left, Qt::Key_F6);  // moves to the right
        QCOMPARE(test.temp.readPackage("H", "B"), words(990, 'b') + words(10, 'a'));
        QCOMPARE(test.temp.readPackage("G", "A"), "a1010|s||4\r\n");
        QCOMPARE(transfer.list(Side::Right)->count(), 1000);
        QCOMPARE(transfer.list(Side::Left)->selectedItems().size(), 1);
        QCOMPARE(transfer.window->focusWidget(), transfer.list(Side::Left));
    }

    void wordsAreMovedCopiedAndDeleted()
    {
        TestProgram test;
        // Two identical lines with their own examples, and records without both expressions.
        test.temp.writePackage("G", "A", "x|y|first|1\r\n|alone||4\r\nk|l||2\r\nx|y|second|3\r\n");
        test.temp.writePackage("G", "B", "b|c||4\r\n");
        Transfer transfer(test, TransferMode::Transfer, {"A", {}});
        transfer.choose(control::RightPackage, "B");
        QCOMPARE(transfer.list(Side::Left)->item(2)->text(), QString("x - y"));
        transfer.select(Side::Left, {2, 3});
        transfer.click(control::MoveRight);
        QCOMPARE(test.temp.readPackage("G", "A"), "k|l||2\r\n");
        QCOMPARE(test.temp.readPackage("G", "B"), "b|c||4\r\nx|y|first|1\r\nx|y|second|3\r\n");
        QVERIFY(transfer.window->cardFlying());

        transfer.select(Side::Right, {0});
        transfer.key(Side::Right, Qt::Key_F5);  // copies to the left
        QCOMPARE(test.temp.readPackage("G", "A"), "k|l||2\r\nb|c||4\r\n");
        QCOMPARE(test.temp.readPackage("G", "B"), "b|c||4\r\nx|y|first|1\r\nx|y|second|3\r\n");

        transfer.list(Side::Right)->setFocus();  // the delete side follows the focus
        transfer.select(Side::Right, {1, 2});
        transfer.key(Side::Right, Qt::Key_Delete);  // answered No: nothing happens
        QCOMPARE(test.dialogs.questions.back().text, std::string("Určitě chcete všechna vybraná slovíčka z balíčku odstranit?"));
        test.dialogs.answerNext(true);
        transfer.click(control::Delete);
        QCOMPARE(test.temp.readPackage("G", "B"), "b|c||4\r\n");
        QCOMPARE(test.temp.readPackage("G", "A"), "k|l||2\r\nb|c||4\r\n");
        QCOMPARE(transfer.window->focusWidget(), transfer.list(Side::Right));
        QVERIFY(transfer.list(Side::Left)->selectedItems().isEmpty() && transfer.list(Side::Right)->selectedItems().isEmpty());
        QVERIFY(test.dialogs.messages.empty());

        // Closing in the middle of the card's flight loses nothing.
        transfer.select(Side::Left, {0});
        transfer.click(control::MoveRight);
        QVERIFY(transfer.window->cardFlying());
        transfer.click(control::Ok);
        QVERIFY(!transfer.window->isVisible());
        QCOMPARE(test.temp.readPackage("G", "A"), "k|l||2\r\n");
        QCOMPARE(test.temp.readPackage("G", "B"), "b|c||4\r\nb|c||4\r\n");
    }

    // A move is a copy and then a removal: when the removal fails, the words stay in both.
    void aFailedRemovalKeepsTheWordsInBoth()
    {
        TestProgram test;
        test.temp.writePackage("G", "A", "a|b|ex|1\r\nc|d||4\r\n");
        test.temp.writePackage("G", "B", "e|f||4\r\n");
        Transfer transfer(test, TransferMode::Transfer, {"A", {}});
        transfer.choose(control::RightPackage, "B");
        const testing::FileCallsReset reset;
        failFileCall(FileCall::Rename, 2, EIO);  // the copy's rename passes, the removal's fails
        transfer.select(Side::Left, {0});
        transfer.click(control::MoveRight);
        QCOMPARE(test.temp.readPackage("G", "A"), "a|b|ex|1\r\nc|d||4\r\n");
        QCOMPARE(test.temp.readPackage("G", "B"), "e|f||4\r\na|b|ex|1\r\n");
        QVERIFY(test.dialogs.messages.back().text.starts_with("Slovíčka byla zkopírována do balíčku „B“"));
        QCOMPARE(transfer.list(Side::Right)->count(), 2);
    }

    // The test pool on the left without its headings; only the new package loses words.
    void theRemainingWordsFillTheTargetOnly()
    {
        TestProgram test;
        test.temp.makeGroup("G");
        const std::string pool = "#|A\r\nx|y||2\r\nz|w|ex|0\r\n#|B\r\nq|r||4\r\n";
        testing::writeBytes(test.temp.tree().temporaryFile("G", "Test"), pool);
        test.temp.writePackage("G", "Nový", "");
        Transfer transfer(test, TransferMode::RemainingWords, {"Nový", {}});
        QCOMPARE(transfer.list(Side::Left)->count(), 3);
        for (int hidden : {control::LeftGroup, control::LeftPackage, control::RightGroup, control::RightPackage,
                           control::MoveRight, control::CopyLeft, control::Delete}) {
            QVERIFY(!testing::shown(transfer.window.get(), hidden));
        }
        transfer.select(Side::Left, {1, 2});
        transfer.click(control::CopyRight);
        QCOMPARE(test.temp.readPackage("G", "Nový"), "x|y||2\r\nz|w|ex|0\r\n");
        transfer.select(Side::Right, {0});
        test.dialogs.answerNext(true);
        transfer.key(Side::Right, Qt::Key_Delete);  // removes from the package, copies nowhere
        QCOMPARE(test.dialogs.questions.back().text, std::string("Určitě chcete vybrané slovíčko z balíčku odstranit?"));
        QCOMPARE(test.temp.readPackage("G", "Nový"), "z|w|ex|0\r\n");
        QCOMPARE(testing::readBytes(test.temp.tree().temporaryFile("G", "Test")), pool);
    }

    // The store copies into a package and closes through its opener; the preview keeps one line.
    void theOnlineModes()
    {
        TestProgram test;
        test.temp.makeGroup("G");
        testing::writeBytes(test.temp.tree().temporaryFile("G", "zastemp"), "cat|kocka||4\r\n");
        testing::writeBytes(test.temp.tree().temporaryFile("G", "balprevtemp"),
                            "Zvirata#Priroda#Savci|#||\r\ncat|kocka||4\r\ndog|pes||4\r\nfox|liska||4\r\n");
        test.temp.writePackage("G", "A", "");
        QWidget* closedBy = nullptr;
        Transfer store(test, TransferMode::OnlineStore, {{}, [&](QWidget* window) { closedBy = window; }});
        store.select(Side::Left, {0});
        store.click(control::CopyRight);
        QCOMPARE(test.temp.readPackage("G", "A"), "cat|kocka||4\r\n");
        QTest::keyClick(findControl(store.window.get(), control::Ok), Qt::Key_Escape);
        QCOMPARE(closedBy, store.window.get());

        Transfer preview(test, TransferMode::OnlinePreview);
        QCOMPARE(preview.window->size(), QSize(380, 540));
        preview.select(Side::Left, {2, 1});
        QCOMPARE(preview.list(Side::Left)->selectedItems().size(), 1);
        QCOMPARE(preview.list(Side::Left)->selectedItems().front()->text(), QString("dog - pes"));
        QVERIFY(!testing::shown(preview.window.get(), control::RightWords));
    }

    void screenshotsOfEveryMode()
    {
        const std::pair<TransferMode, const char*> modes[] = {{TransferMode::Transfer, "transfer"},
                                                              {TransferMode::RemainingWords, "remaining"},
                                                              {TransferMode::OnlineStore, "store"},
                                                              {TransferMode::OnlinePreview, "preview"}};
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 768)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                for (const auto& [mode, name] : modes) {
                    TestProgram test(screen.width(), screen.height());
                    test.program.schemeNumber = scheme;
                    test.temp.makeGroup("G");
                    test.temp.writePackage("G", "Zvířata", "cat|kocka|A cat.|2\r\ndog|pes||0\r\n");
                    test.temp.makeGroup("Prázdná");
                    for (const char* file : {"Test", "zastemp", "balprevtemp"}) {
                        testing::writeBytes(test.temp.tree().temporaryFile("G", file),
                                            "Zvirata#Priroda#Savci|#||\r\nfox|liska||4\r\nowl|sova||3\r\n");
                    }
                    Transfer transfer(test, mode, {"Zvířata", {}});
                    transfer.choose(control::RightGroup, "Prázdná");
                    const QImage picture = testing::screenshot(
                        *transfer.window, QString("transfer-%1-scheme%2-%3x%4").arg(name).arg(scheme).arg(screen.width()).arg(screen.height()));
                    const QRect placed(transfer.owner.mapFromGlobal(transfer.window->pos()), picture.size());
                    QVERIFY(QRect(QPoint(0, 0), screen).contains(placed));
                }
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::WordTransferWindowTest)
#include "word_transfer_window_test.moc"

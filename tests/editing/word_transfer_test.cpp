#include "editing/word_transfer.h"

#include <numeric>

#include <gtest/gtest.h>

#include "editing/card_flight.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::numberedWords;
using testing::TempTree;

std::vector<std::size_t> firstIndices(std::size_t count)
{
    std::vector<std::size_t> indices(count);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

class WordTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp.makeGroup("G");
        temp.makeGroup("H");
    }
    // Left shows G/A, right shows H/B.
    WordTransfer openTransfer(std::string_view left, std::string_view right)
    {
        temp.writePackage("G", "A", left);
        temp.writePackage("H", "B", right);
        WordTransfer transfer(temp.tree(), TransferMode::Transfer, "G");
        transfer.open("A");
        transfer.chooseGroup(Side::Right, "H");
        return transfer;
    }
    std::string refusal(const WordTransfer& transfer, TransferButton button, const TransferSelection& selection)
    {
        const TransferChecks checks = transfer.check(button, selection);
        const auto& message = checks.refusal ? checks.refusal : checks.refusalAfterQuestion;
        return message ? message->text : "";
    }

    TempTree temp;
};

TEST_F(WordTransferTest, ChecksRefuseInTheirOrder)
{
    WordTransfer transfer = openTransfer(numberedWords(11, "a"), numberedWords(990, "b"));
    const std::string tooMany = "Akce nemůže být provedena, protože kdyby k tomu došlo, byl by v cílovém balíčku "
                                "překročen maximální možný počet slovíček v jednom balíčku (1000).";
    struct Row {
        TransferButton button;
        TransferSelection selection;
        std::string message;
    };
    const std::vector<Row> rows = {
        {TransferButton::MoveRight, {firstIndices(11), {}}, tooMany},
        {TransferButton::CopyRight, {firstIndices(10), {}}, ""},
        {TransferButton::MoveRight, {{}, {0}}, "Ve zdrojovém balíčku není vybráno žádné slovíčko."},
        {TransferButton::CopyLeft, {{}, firstIndices(501)}, "Maximální počet najednou přenesených slovíček je 500."},
        {TransferButton::MoveLeft, {{}, firstIndices(500)}, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(refusal(transfer, row.button, row.selection), row.message);
    }
    transfer.chooseGroup(Side::Right, "G");
    EXPECT_EQ(refusal(transfer, TransferButton::CopyRight, {{0}, {}}),
              "Zdrojový a cílový balíček nemůže být jeden a ten samý.");
    transfer.chooseGroup(Side::Right, "Empty");
    EXPECT_EQ(refusal(transfer, TransferButton::CopyRight, {{0}, {}}), "Cílová skupina neobsahuje žádné balíčky.");

    const TransferChecks deleting = transfer.check(TransferButton::Delete, {firstIndices(501), {}});
    transfer.setDeleteSide(Side::Left);
    EXPECT_EQ(transfer.check(TransferButton::Delete, {{3}, {}}).question->text,
              "Určitě chcete vybrané slovíčko z balíčku odstranit?");
    EXPECT_EQ(transfer.check(TransferButton::Delete, {firstIndices(501), {}}).refusalAfterQuestion->text,
              "Maximální počet najednou smazaných slovíček je 500.");
    EXPECT_EQ(deleting.refusal->text, "Zdrojová skupina neobsahuje žádné balíčky.");  // the right side was last filled
}

TEST_F(WordTransferTest, TenWordsFillTheTargetToAThousand)
{
    WordTransfer transfer = openTransfer(numberedWords(11, "a"), numberedWords(990, "b"));
    const TransferOutcome outcome = transfer.perform(TransferButton::MoveRight, {firstIndices(10), {3}});
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(transfer.lines(Side::Right).size(), 1000u);
    EXPECT_EQ(temp.readPackage("G", "A"), "a1010|s||4\r\n");
    EXPECT_EQ(temp.readPackage("H", "B"), numberedWords(990, "b") + numberedWords(10, "a"));
    EXPECT_EQ(outcome.reselect.left, firstIndices(10));
    EXPECT_EQ(outcome.reselect.right, std::vector<std::size_t>{3});
    EXPECT_EQ(outcome.focus, Side::Left);
}

TEST_F(WordTransferTest, MovingKeepsEachRecordWholeAndDropsHalfRecords)
{
    // Two identical lines with different examples: each keeps its own; records lacking an
    // expression leave the source.
    WordTransfer transfer = openTransfer("x|y|first|1\r\n|lonely||4\r\nk|l||2\r\nx|y|second|3\r\n\r\n", "b|c||4\r\n");
    ASSERT_EQ(transfer.lines(Side::Left), (std::vector<std::string>{" - ", " - lonely", "k - l", "x - y", "x - y"}));
    EXPECT_FALSE(transfer.perform(TransferButton::MoveRight, {{3, 4}, {}}).message);
    EXPECT_EQ(temp.readPackage("G", "A"), "k|l||2\r\n");
    EXPECT_EQ(temp.readPackage("H", "B"), "b|c||4\r\nx|y|first|1\r\nx|y|second|3\r\n");

    EXPECT_FALSE(transfer.perform(TransferButton::CopyLeft, {{}, {0}}).message);
    EXPECT_EQ(temp.readPackage("G", "A"), "k|l||2\r\nb|c||4\r\n");
    EXPECT_EQ(temp.readPackage("H", "B"), "b|c||4\r\nx|y|first|1\r\nx|y|second|3\r\n");

    transfer.setDeleteSide(Side::Right);
    const TransferOutcome deleted = transfer.perform(TransferButton::Delete, {{0}, {1, 2}});
    EXPECT_EQ(temp.readPackage("H", "B"), "b|c||4\r\n");
    EXPECT_EQ(temp.readPackage("G", "A"), "k|l||2\r\nb|c||4\r\n");
    EXPECT_TRUE(deleted.reselect.left.empty() && deleted.reselect.right.empty());
    EXPECT_EQ(deleted.focus, Side::Right);
}

TEST_F(WordTransferTest, AFailedRemovalLosesNoWord)
{
    WordTransfer transfer = openTransfer("a|b|ex|1\r\nc|d||4\r\n", "");
    fs::create_directory(temp.tree().packageFile("G", "slov"));  // the source's scratch file cannot be written
    const TransferOutcome outcome = transfer.perform(TransferButton::MoveRight, {{0}, {}});
    ASSERT_TRUE(outcome.message);
    EXPECT_NE(outcome.message->text.find("„A“"), std::string::npos) << outcome.message->text;
    EXPECT_EQ(temp.readPackage("G", "A"), "a|b|ex|1\r\nc|d||4\r\n");
    EXPECT_EQ(temp.readPackage("H", "B"), "a|b|ex|1\r\n");
    EXPECT_EQ(transfer.lines(Side::Right).size(), 1u);
}

TEST_F(WordTransferTest, AnUnreadablePackageIsSaidNotPassedOffAsEmpty)
{
    WordTransfer transfer = openTransfer("a|b||4\r\n", "");
    EXPECT_FALSE(transfer.readFailure(Side::Right));
    fs::resize_file(temp.tree().packageFile("H", "B"), 65u << 20);  // beyond what is ever read
    transfer.choosePackage(Side::Right, "B");
    EXPECT_TRUE(transfer.lines(Side::Right).empty() && transfer.readFailure(Side::Right));
}

TEST_F(WordTransferTest, RemainingWordsListTheTestAndRemoveOnlyFromTheTarget)
{
    const std::string pool = "#|A\r\nx|y||2\r\nz|w|ex|0\r\n#|B\r\nq|r||4\r\n";
    fs::create_directories(temp.tree().temporaryDirectory("G"));
    testing::writeBytes(temp.tree().temporaryFile("G", "Test"), pool);
    temp.writePackage("G", "New", "");
    WordTransfer transfer(temp.tree(), TransferMode::RemainingWords, "G", "New");
    transfer.open();
    EXPECT_EQ(transfer.lines(Side::Left), (std::vector<std::string>{"q - r", "x - y", "z - w"}));
    EXPECT_FALSE(transfer.packageChoiceShown(Side::Left) || transfer.packageChoiceShown(Side::Right));

    EXPECT_FALSE(transfer.perform(TransferButton::CopyRight, {{1, 2}, {}}).message);
    EXPECT_EQ(temp.readPackage("G", "New"), "x|y||2\r\nz|w|ex|0\r\n");

    const TransferChecks removing = transfer.check(TransferButton::MoveLeft, {{0}, {0, 1}});
    EXPECT_EQ(removing.question->text, "Určitě chcete všechna vybraná slovíčka z balíčku odstranit?");
    EXPECT_TRUE(removing.passes());
    EXPECT_FALSE(transfer.perform(TransferButton::MoveLeft, {{0}, {0}}).message);
    EXPECT_EQ(temp.readPackage("G", "New"), "z|w|ex|0\r\n");
    EXPECT_EQ(testing::readBytes(temp.tree().temporaryFile("G", "Test")), pool);
    EXPECT_FALSE(transfer.perform(TransferButton::MoveRight, {{0}, {}}).message);  // hidden here: does nothing
    EXPECT_EQ(testing::readBytes(temp.tree().temporaryFile("G", "Test")), pool);
}

TEST_F(WordTransferTest, ThePreviewShowsItsHeadingAndOneLine)
{
    testing::writeBytes(temp.tree().temporaryFile("G", "balprevtemp"), "Zvirata#Priroda#Savci|#||\r\ncat|ko\xE8ka||4\r\n");
    WordTransfer transfer(temp.tree(), TransferMode::OnlinePreview, "G");
    transfer.open();
    EXPECT_EQ(transfer.lines(Side::Left), std::vector<std::string>{"cat - kočka"});
    ASSERT_TRUE(transfer.previewHeading());
    EXPECT_EQ(transfer.previewHeading()->package, "Savci");
    EXPECT_EQ(previewSelection({4, 2, 9}), std::vector<std::size_t>{2});
    EXPECT_TRUE(previewSelection(firstIndices(451)).empty());
    EXPECT_EQ(buttonForKey(TransferMode::OnlinePreview, Side::Left, TransferKey::F5), std::nullopt);
    EXPECT_EQ(buttonForKey(TransferMode::OnlineStore, Side::Right, TransferKey::Delete), TransferButton::MoveLeft);
    EXPECT_EQ(buttonForKey(TransferMode::OnlineStore, Side::Right, TransferKey::F6), std::nullopt);
}

TEST(CardFlight, EndsWhereEachButtonSendsIt)
{
    struct Row {
        TransferMode mode;
        TransferButton button;
        Side deleteSide;
        std::size_t frames;
        CardFrame last;
        bool staysBehind;
    };
    const std::vector<Row> rows = {
        {TransferMode::Transfer, TransferButton::MoveRight, Side::Left, 28, {555, 305, 46, 7, false}, false},
        {TransferMode::Transfer, TransferButton::CopyLeft, Side::Left, 28, {145, 305, 46, 7, true}, true},
        {TransferMode::Transfer, TransferButton::Delete, Side::Right, 1 + 14 + 7 + 8, {377, 427, 11, 10, false}, false},
        {TransferMode::OnlineStore, TransferButton::MoveLeft, Side::Left, 1 + 13 + 6 + 8, {372, 412, 11, 10, false}, false},
    };
    for (const Row& row : rows) {
        const CardFlight flight = cardFlight(row.mode, row.button, row.deleteSide);
        EXPECT_EQ(flight.frames.size(), row.frames);
        EXPECT_EQ(flight.frames.back(), row.last);
        EXPECT_EQ(flight.stayingCard.has_value(), row.staysBehind);
    }
}

}  // namespace
}  // namespace lexivo

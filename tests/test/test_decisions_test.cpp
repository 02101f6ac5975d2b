#include "test/test_decisions.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/package_selection.h"
#include "support/temp_tree.h"
#include "test/test_files.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;
using testing::writeBytes;

class TestDecisionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp.writePackage("G", "Empty", "");
        temp.writePackage("G", "Words", testing::numberedWords(25));
    }
    fs::path temporary(const char* name) const { return temp.tree().temporaryFile("G", name); }
    // Leaves a test the user interrupted, as the evaluation saves it.
    void leaveInterruptedTest()
    {
        ASSERT_EQ(startChosenTest(tests, "G", {{1}, {"Words"}}, TestSettings{}).verdict, StartVerdict::Started);
        tests.engine.pickNextWord();
        ASSERT_TRUE(recordTestEnd(tests, TestEnd::Interrupted).ok());
    }
    // A directory in the place of a file makes deleting or replacing that file fail.
    void blockWith(const char* name) const
    {
        fs::remove(temporary(name));
        fs::create_directories(temporary(name));
        writeBytes(temporary(name) / "inside", "x");
    }

    TempTree temp;
    RandomGenerator random{1};
    TestSession tests{temp.tree(), random};
};

TEST_F(TestDecisionsTest, StartChecksTheChoiceInOrder)
{
    struct Case {
        std::vector<std::string> packages;
        bool fixed;
        int count;
        bool noRepeat;
        StartVerdict verdict;
        std::string message;  // the beginning of the message; empty for none
        std::optional<int> lowerCountTo;
    };
    const std::string tooMany = "Vámi vybrané balíčky dohromady obsahují 25 slovíček. Počet slovíček v tomto testu "
                                "jste nastavili na pevnou hodnotu, a to 30. Račte si povšimnout";
    const Case cases[] = {
        {{}, true, 0, false, StartVerdict::Refused, "Musíte vybrat alespoň jeden balíček.", {}},
        {{"Empty"}, true, 0, false, StartVerdict::Refused, "Počet slovíček v testu nemůže být nula.", {}},
        {{"Empty"}, false, 0, false, StartVerdict::Refused, "Všechny vybrané balíčky jsou prázdné.", {}},
        {{"Words"}, true, 30, true, StartVerdict::Refused, tooMany, 25},
        {{"Words"}, true, 25, true, StartVerdict::Started, "", {}},
        {{"Words"}, true, 30, false, StartVerdict::Started, "", {}},
        {{"Empty", "Words"}, false, 0, false, StartVerdict::Started, "", {}},
    };
    for (const Case& c : cases) {
        fs::remove(temporary("packs"));
        TestSettings settings;
        settings.fixedCount = c.fixed;
        settings.questionCount = c.count;
        settings.noRepeat = c.noRepeat;
        std::vector<int> positions;
        for (const std::string& name : c.packages) {
            positions.push_back(name == "Empty" ? 0 : 1);
        }
        const StartOutcome outcome = startChosenTest(tests, "G", {positions, c.packages}, settings);
        const std::string row = std::to_string(c.packages.size()) + " packages, count " + std::to_string(c.count);
        EXPECT_EQ(outcome.verdict, c.verdict) << row;
        EXPECT_EQ(outcome.message.value_or(Message{}).text.substr(0, c.message.size()), c.message) << row;
        EXPECT_EQ(outcome.message.has_value(), !c.message.empty()) << row;
        EXPECT_EQ(outcome.lowerCountTo, c.lowerCountTo) << row;
        // The selection is remembered only for a test that starts.
        EXPECT_EQ(readPackageSelection(temp.tree(), "G"),
                  c.verdict == StartVerdict::Started ? positions : std::vector<int>{})
            << row;
    }
}

TEST_F(TestDecisionsTest, ATestStartsEvenWhenTheSelectionCannotBeRemembered)
{
    blockWith("packs");
    const StartOutcome outcome = startChosenTest(tests, "G", {{1}, {"Words"}}, TestSettings{});
    EXPECT_EQ(outcome.verdict, StartVerdict::Started);
    EXPECT_TRUE(outcome.message.has_value());
    EXPECT_EQ(tests.engine.remainingCount(), 25);
}

TEST_F(TestDecisionsTest, ASavedTestIsTakenUpOrForgottenWithItsReason)
{
    EXPECT_EQ(takeUpSavedTest(tests, "G").offer, SavedTestOffer::None);
    leaveInterruptedTest();
    TestSession restarted(temp.tree(), random);
    EXPECT_EQ(takeUpSavedTest(restarted, "G").offer, SavedTestOffer::Resumable);
    EXPECT_EQ(restarted.engine.state(), tests.engine.state());
    EXPECT_TRUE(forgetTakenUpTest(restarted).ok());  // "Zapomenout"
    EXPECT_EQ(takeUpSavedTest(restarted, "G").offer, SavedTestOffer::None);

    leaveInterruptedTest();
    writeBytes(temporary("TestInfo"), std::string(100, '\0'));
    const SavedTestCheck damaged = takeUpSavedTest(tests, "G");
    EXPECT_EQ(damaged.offer, SavedTestOffer::Forgotten);
    EXPECT_EQ(damaged.message.value_or(Message{}).text, "Záznam o nedokončeném testu je poškozený, a proto v testu nelze pokračovat.");
    EXPECT_FALSE(fs::exists(temporary("TestInfo")));
}

// An answer of a resumed test whose saved state could not be written (a full disk) is
// finished at the next resume; while that fails too, the saved test stays whole.
TEST_F(TestDecisionsTest, ASavedTestThatCannotBeBroughtUpToDateIsKeptForLater)
{
    leaveInterruptedTest();
    TestSession resumed(temp.tree(), random);
    ASSERT_EQ(takeUpSavedTest(resumed, "G").offer, SavedTestOffer::Resumable);
    ASSERT_TRUE(resumed.engine.pickNextWord(KeepAskedWord::Yes));
    blockWith("TestInfo.new");
    ASSERT_TRUE(resumed.engine.recordAnswer(true)->savedTestNotUpdated.has_value());

    TestSession later(temp.tree(), random);
    const SavedTestCheck kept = takeUpSavedTest(later, "G");
    EXPECT_EQ(kept.offer, SavedTestOffer::Kept);
    EXPECT_TRUE(kept.message.has_value());
    for (const char* file : {"TestInfo", "Test", "Answer"}) {
        EXPECT_TRUE(fs::exists(temporary(file))) << file;
    }

    fs::remove_all(temporary("TestInfo.new"));
    TestSession fixed(temp.tree(), random);
    EXPECT_EQ(takeUpSavedTest(fixed, "G").offer, SavedTestOffer::Resumable);
    EXPECT_EQ(fixed.engine.state().rightCount, 1);
    EXPECT_FALSE(fs::exists(temporary("Answer")));
}

TEST_F(TestDecisionsTest, AFinishedTestForgetsOnlyASavedStateItWasResumedFrom)
{
    ASSERT_EQ(startChosenTest(tests, "G", {{1}, {"Words"}}, TestSettings{}).verdict, StartVerdict::Started);
    EXPECT_TRUE(recordTestEnd(tests, TestEnd::Finished).ok());
    EXPECT_TRUE(fs::exists(temporary("Test")));  // the next start overwrites it

    leaveInterruptedTest();
    EXPECT_EQ(fs::file_size(temporary("TestInfo")), kTestInfoSize);
    EXPECT_TRUE(recordTestEnd(tests, TestEnd::Finished).ok());
    EXPECT_FALSE(fs::exists(temporary("TestInfo")));
    EXPECT_FALSE(fs::exists(temporary("Test")));

    leaveInterruptedTest();
    blockWith("TestInfo");  // a saved state that cannot be deleted is reported, not offered again silently
    EXPECT_EQ(recordTestEnd(tests, TestEnd::Finished).message().text, "Záznam o nedokončeném testu se nepodařilo smazat.");
    EXPECT_FALSE(forgetTakenUpTest(tests).ok());
}

}  // namespace
}  // namespace lexivo

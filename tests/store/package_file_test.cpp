#include "store/package_file.h"

#include <cerrno>

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "support/kill_rounds.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;

class PackageFileTest : public ::testing::Test {
protected:
    void SetUp() override { temp.makeGroup("G"); }
    Status rewrite(const RecordEditor& editor) const { return rewritePackageFile(temp.tree(), "G", "P", editor); }
    bool scratchLeft() const { return fs::exists(temp.tree().packageFile("G", "slov")); }

    testing::TempTree temp;
};

// Bare LF, a field longer than the reader keeps, a line holding two records, an empty line and a
// last line without its end: what the rewrite does not change stays byte for byte.
TEST_F(PackageFileTest, ARewriteChangesOnlyWhatItMeansTo)
{
    const std::string longField(300, 'L');
    const std::string bytes = "a|b|c|1\n" + longField + "|x|y|2\r\nd|e|f|3|g|h\r\n\r\nlast|word||";
    struct Row {
        RecordEditor editor;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {[](const WordRecord& r) {
             return r.english == "d" ? RecordChange::replaceWith({"d", "é", "f", "0"}) : RecordChange::keep();
         },
         "a|b|c|1\n" + longField + "|x|y|2\r\nd|\xE9|f|0\r\ng|h\r\n\r\nlast|word||"},
        {[](const WordRecord& r) {
             return r.english == "a" || r.english == "last" ? RecordChange::remove() : RecordChange::keep();
         },
         longField + "|x|y|2\r\nd|e|f|3|g|h\r\n\r\n"},
        {[](const WordRecord& r) { return r.isEmpty() ? RecordChange::keep() : RecordChange::setKnowledge("4"); },
         "a|b|c|4\r\n" + longField + "|x|y|4\r\nd|e|f|4\r\ng|h||4\r\n\r\nlast|word||4\r\n"},
    };
    for (const Row& row : rows) {
        temp.writePackage("G", "P", bytes);
        ASSERT_TRUE(rewrite(row.editor).ok());
        EXPECT_EQ(temp.readPackage("G", "P"), row.expected);
        EXPECT_FALSE(scratchLeft());
    }
}

TEST_F(PackageFileTest, ARefusedRewriteLeavesThePackageAsItWas)
{
    EXPECT_FALSE(rewrite([](const WordRecord&) { return RecordChange::keep(); }).ok());
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "P")));  // a missing package is not made anew

    temp.writePackage("G", "P", "a|b||4\r\n");
    EXPECT_FALSE(rewrite([](const WordRecord&) { return RecordChange::replaceWith({"🙂", "b", "", "4"}); }).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), "a|b||4\r\n");
    EXPECT_FALSE(scratchLeft());
}

TEST_F(PackageFileTest, AppendingStartsANewLineAfterAnUnendedLastLine)
{
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "P"), 0);
    temp.writePackage("G", "P", "a|b||4\r\n\r\nc|d||4");
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "P"), 3);
    ASSERT_TRUE(appendWordRecords(temp.tree(), "G", "P", {{"čaj", "tea", "", "4"}, {"e", "f", "", "4"}}).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), "a|b||4\r\n\r\nc|d||4\r\n\xE8\x61j|tea||4\r\ne|f||4\r\n");
    EXPECT_EQ(readPackageRecords(temp.tree(), "G", "P").size(), 5u);
}

TEST_F(PackageFileTest, AFailedAppendLeavesThePackageAsItWas)
{
    testing::FileCallsReset calls;
    temp.writePackage("G", "P", "a|b||4");  // its last line has no end
    const std::vector<WordRecord> words = {{"c", "d", "", "4"}};
    // A disk that fills up mid-write; a package that cannot be read, so its end is unknown.
    for (FileCall call : {FileCall::Write, FileCall::Open}) {
        failFileCall(call, 1, call == FileCall::Write ? ENOSPC : EIO);
        EXPECT_FALSE(appendWordRecords(temp.tree(), "G", "P", words).ok());
        EXPECT_EQ(temp.readPackage("G", "P"), "a|b||4");
    }
    // A package that is a link is replaced, like a rewrite replaces it; its target stays.
    temp.writePackage("G", "outside", "x|y||4\r\n");
    fs::remove(temp.tree().packageFile("G", "P"));
    fs::create_symlink(temp.tree().packageFile("G", "outside"), temp.tree().packageFile("G", "P"));
    ASSERT_TRUE(appendWordRecords(temp.tree(), "G", "P", words).ok());
    EXPECT_EQ(temp.readPackage("G", "outside"), "x|y||4\r\n");
    EXPECT_EQ(temp.readPackage("G", "P"), "x|y||4\r\nc|d||4\r\n");
    EXPECT_FALSE(fs::is_symlink(temp.tree().packageFile("G", "P")));
}

TEST_F(PackageFileTest, AKilledRewriteLeavesTheOldPackageOrTheNewNeverAPart)
{
    const auto packageOf = [](const std::string& knowledge) {
        std::string bytes;
        for (int i = 0; i < kMaxWordsPerPackage; ++i) {
            const std::string n = std::to_string(i);
            EXPECT_TRUE(writeWordRecord(bytes, {"word " + n, "slovo " + n, "An example for word " + n + ".", knowledge}).ok());
        }
        return bytes;
    };
    const std::string oldContent = packageOf("1");
    const std::string newContent = packageOf("3");
    temp.writePackage("G", "P", oldContent);
    const auto flipTo = [&](const std::string& knowledge) {
        return rewrite([&](const WordRecord&) { return RecordChange::setKnowledge(knowledge); });
    };
    const auto flips = testing::durationOf([&] { ASSERT_TRUE(flipTo("3").ok() && flipTo("1").ok()); });
    int sawOld = 0;
    int sawNew = 0;
    testing::killRepeatedly(
        60, 2 * flips + std::chrono::microseconds(100),
        [&](int) {
            for (int flip = 0;; ++flip) {
                (void)flipTo(flip % 2 == 0 ? "3" : "1");
            }
        },
        [&](int round) {
            const std::string now = temp.readPackage("G", "P");
            sawOld += now == oldContent;
            sawNew += now == newContent;
            EXPECT_TRUE(now == oldContent || now == newContent) << "round " << round << ": " << now.size() << " bytes";
        });
    // Both versions were seen, so the kills did land in the middle of the rewrites.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
}  // namespace lexivo

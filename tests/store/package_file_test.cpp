#include "store/package_file.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;

class PackageFileTest : public ::testing::Test {
protected:
    void SetUp() override { temp.makeGroup("G"); }
    Status rewrite(const RecordEditor& editor) const { return rewritePackageFile(temp.tree(), "G", "P", editor); }

    TempTree temp;
};

TEST_F(PackageFileTest, ARewriteCopiesUntouchedRecordsAsTheyStand)
{
    // Bare LF, a field longer than the reader keeps, a split line and a last line without its end.
    const std::string longField(300, 'L');
    const std::string bytes = "a|b|c|1\n" + longField + "|x|y|2\r\nd|e|f|3|g|h\r\nlast|word||";
    temp.writePackage("G", "P", bytes);

    ASSERT_TRUE(rewrite([](const WordRecord& r) {
                    return r.english == "d" ? RecordChange::replaceWith({"d", "é", "f", "0"}) : RecordChange::keep();
                }).ok());
    EXPECT_EQ(temp.readPackage("G", "P"),
              "a|b|c|1\n" + longField + "|x|y|2\r\nd|\xE9|f|0\r\ng|h\r\nlast|word||");
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "slov")));
}

TEST_F(PackageFileTest, SettingTheKnowledgeKeepsTheOtherFieldsWhole)
{
    const std::string longField(300, 'L');
    temp.writePackage("G", "P", longField + "|x|y|2\r\nshort|two\r\nthree|f|e|1|rest|of\r\n");
    ASSERT_TRUE(rewrite([](const WordRecord&) { return RecordChange::setKnowledge("4"); }).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), longField + "|x|y|4\r\nshort|two||4\r\nthree|f|e|4\r\nrest|of||4\r\n");
}

TEST_F(PackageFileTest, RemovingRecordsKeepsEveryOtherOne)
{
    temp.writePackage("G", "P", "a|1||4\r\n\r\nb|2||4\r\nc|3||4");
    ASSERT_TRUE(rewrite([](const WordRecord& r) { return r.english == "b" ? RecordChange::remove() : RecordChange::keep(); }).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), "a|1||4\r\n\r\nc|3||4");
}

TEST_F(PackageFileTest, AMissingPackageIsReportedAndNotRecreated)
{
    const Status result = rewrite([](const WordRecord&) { return RecordChange::keep(); });
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "P")));
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "slov")));
}

TEST_F(PackageFileTest, AReplacementThatCannotBeStoredLeavesThePackageAlone)
{
    temp.writePackage("G", "P", "a|b||4\r\n");
    const Status result = rewrite([](const WordRecord&) { return RecordChange::replaceWith({"🙂", "b", "", "4"}); });
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(temp.readPackage("G", "P"), "a|b||4\r\n");
}

TEST_F(PackageFileTest, AppendingStartsANewLineAfterAnUnendedLastLine)
{
    temp.writePackage("G", "P", "a|b||4");
    ASSERT_TRUE(appendWordRecords(temp.tree(), "G", "P", {{"čaj", "tea", "", "4"}, {"c", "d", "", "4"}}).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), "a|b||4\r\n\xE8\x61j|tea||4\r\nc|d||4\r\n");
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "P"), 3);
    EXPECT_EQ(readPackageRecords(temp.tree(), "G", "P").size(), 3u);
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

TEST_F(PackageFileTest, CountingWords)
{
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "missing"), 0);
    temp.writePackage("G", "empty", "");
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "empty"), 0);
    temp.writePackage("G", "P", "a|b||4\r\n\r\nc|d||4");
    EXPECT_EQ(countPackageWords(temp.tree(), "G", "P"), 3);
}

}  // namespace
}  // namespace lexivo

#include "store/file_io.h"

#include <cerrno>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

class FileIoTest : public ::testing::Test {
protected:
    fs::path at(const std::string& name) const { return temp.root() / name; }
    Status replace(std::string_view bytes) const { return writeFileAtomically(at("target"), at("scratch"), bytes); }

    testing::TempTree temp;
    testing::FileCallsReset calls;
};

TEST_F(FileIoTest, AReplacementSyncsTheDataAndTheDirectoryAndEveryFailureIsReported)
{
    writeBytes(at("target"), "old");
    ASSERT_TRUE(replace("new").ok());
    EXPECT_EQ(fileCallCount(FileCall::DataSync), 1);
    EXPECT_EQ(fileCallCount(FileCall::DirectorySync), 1);
    // Up to the rename the old content stays; a failed directory sync comes after it.
    using Case = std::pair<FileCall, std::string>;
    for (const auto& [call, left] : {Case{FileCall::Open, "new"}, Case{FileCall::Write, "new"},
                                     Case{FileCall::DataSync, "new"}, Case{FileCall::Rename, "new"},
                                     Case{FileCall::DirectorySync, "newer"}}) {
        failFileCall(call, 1, EIO);
        const Status status = replace("newer");
        ASSERT_FALSE(status.ok()) << static_cast<int>(call);
        EXPECT_NE(status.message().text.find("„target“"), std::string::npos);
        EXPECT_EQ(readBytes(at("target")), left);
        EXPECT_FALSE(fs::exists(at("scratch")));
        writeBytes(at("target"), "new");
    }
}

TEST(FileErrorMessage, TheReasonsAUserCanActOnAreCzech)
{
    EXPECT_EQ(fileErrorMessage("uložit", "Data/g/slova", ENOSPC).text, "Soubor „slova“ nebylo možno uložit (na disku není dost místa).");
    EXPECT_EQ(systemErrorText(EROFS), "disk je určen jen pro čtení");
}

TEST_F(FileIoTest, RenamesNeverReplaceAndScratchFilesAreNeverWrittenThroughALink)
{
    writeBytes(at("a"), "A");
    writeBytes(at("b"), "B");
    EXPECT_FALSE(renameWithoutReplacing(at("a"), at("b")).ok());
    EXPECT_EQ(readBytes(at("b")), "B");
    failFileCall(FileCall::DirectorySync, 1, EIO);
    EXPECT_FALSE(renameWithoutReplacing(at("a"), at("c")).ok());

    fs::create_symlink(at("b"), at("scratch"));
    ASSERT_TRUE(replace("new").ok());
    EXPECT_EQ(readBytes(at("b")), "B");
    fs::create_directory(at("scratch"));  // cannot be cleared away: reported by its name
    EXPECT_EQ(replace("newer").message().text,
              "Soubor „target“ nebylo možno uložit: pomocný soubor „scratch“ nelze nahradit (v cestě je složka).");
    EXPECT_EQ(readBytes(at("target")), "new");
}

TEST_F(FileIoTest, OnlyRegularFilesOfAtMost64MegabytesAreRead)
{
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);  // would block an ordinary open
    fs::create_symlink("/dev/zero", at("zero"));       // would never end
    fs::create_directory(at("directory"));
    writeBytes(at("huge"), "");
    fs::resize_file(at("huge"), kMaxDataFileBytes + 1);
    for (const std::string name : {"fifo", "zero", "directory", "huge", "missing"}) {
        const auto bytes = readFileBytes(at(name));
        ASSERT_FALSE(bytes.ok()) << name;
        EXPECT_NE(bytes.message().text.find(name), std::string::npos) << bytes.message().text;
    }
}

}  // namespace
}  // namespace lexivo

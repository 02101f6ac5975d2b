#include "store/file_io.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

class FileIoTest : public ::testing::Test {
protected:
    fs::path at(const std::string& name) const { return temp.root() / name; }
    Status replace(std::string_view bytes) const { return writeFileAtomically(at("target"), at("scratch"), bytes); }

    TempTree temp;
    testing::FileCallsReset calls;
};

TEST_F(FileIoTest, AReplacementSyncsTheDataAndTheDirectoryAndEveryFailureIsReported)
{
    writeBytes(at("target"), "old");
    ASSERT_TRUE(replace("new").ok());
    EXPECT_EQ(fileCallCount(FileCall::DataSync), 1);
    EXPECT_EQ(fileCallCount(FileCall::Rename), 1);
    EXPECT_EQ(fileCallCount(FileCall::DirectorySync), 1);

    struct Case {
        FileCall call;
        std::string left;  // what the target holds afterwards
    };
    // Before the rename the old content stays; a failed directory sync comes after it.
    for (const Case& c : {Case{FileCall::Open, "new"}, Case{FileCall::Write, "new"}, Case{FileCall::DataSync, "new"},
                          Case{FileCall::Rename, "new"}, Case{FileCall::DirectorySync, "newer"}}) {
        failFileCall(c.call, 1, EIO);
        const Status status = replace("newer");
        EXPECT_FALSE(status.ok()) << static_cast<int>(c.call);
        if (!status.ok()) {
            EXPECT_NE(status.message().text.find("„target“"), std::string::npos);
        }
        EXPECT_EQ(readBytes(at("target")), c.left);
        EXPECT_FALSE(fs::exists(at("scratch")));
        writeBytes(at("target"), "new");
    }
}

TEST_F(FileIoTest, RenamingNeverReplacesAnExistingEntry)
{
    writeBytes(at("a"), "A");
    writeBytes(at("b"), "B");
    EXPECT_FALSE(renameWithoutReplacing(at("a"), at("b")).ok());
    EXPECT_EQ(readBytes(at("a")), "A");
    EXPECT_EQ(readBytes(at("b")), "B");

    failFileCall(FileCall::DirectorySync, 1, EIO);
    EXPECT_FALSE(renameWithoutReplacing(at("a"), at("c")).ok());
    EXPECT_EQ(readBytes(at("c")), "A");
}

TEST_F(FileIoTest, TheScratchFileIsCreatedAfreshNeverThroughALink)
{
    writeBytes(at("outside"), "keep");
    fs::create_symlink(at("outside"), at("scratch"));
    ASSERT_TRUE(replace("new").ok());
    EXPECT_EQ(readBytes(at("outside")), "keep");
    EXPECT_EQ(readBytes(at("target")), "new");

    fs::create_directory(at("scratch"));  // a directory in its place cannot be used: reported
    EXPECT_FALSE(replace("newer").ok());
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
    writeBytes(at("small"), "a|b||4\r\n");
    EXPECT_EQ(readFileBytes(at("small")).value(), "a|b||4\r\n");
}

TEST_F(FileIoTest, LinksAreDeletedAsLinksAndTheirTargetsNeverMadeWritable)
{
    const fs::path outside = at("outside");
    writeBytes(outside, "keep");
    fs::permissions(outside, fs::perms::owner_read);
    fs::create_directory(at("group"));
    fs::create_symlink(outside, at("group") / "link");
    writeBytes(at("group") / "own", "mine");
    fs::permissions(at("group") / "own", fs::perms::owner_read);

    (void)listDirectory(at("group"), MakeFilesWritable::Yes);
    EXPECT_EQ(fs::status(outside).permissions(), fs::perms::owner_read);
    EXPECT_NE(fs::status(at("group") / "own").permissions() & fs::perms::owner_write, fs::perms::none);

    ASSERT_TRUE(removeFileIfPresent(at("group") / "link").ok());
    EXPECT_FALSE(fs::exists(fs::symlink_status(at("group") / "link")));
    EXPECT_EQ(readBytes(outside), "keep");
    EXPECT_EQ(fs::status(outside).permissions(), fs::perms::owner_read);
}

}  // namespace
}  // namespace lexivo

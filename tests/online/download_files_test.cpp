#include "online/download_files.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

// Two packages as the server sends them, after the result digit.
const std::string kReply = "xFOOD#N\xC1POJE#PIVO*beer|pivo||~ale|ale||~<|>FOOD#OVOCE#JABLKA*apple|jablko||~<|>";
const std::string kFirstPackage = "FOOD#N\xC1POJE#PIVO\r\nbeer|pivo||\r\nale|ale||\r\n";

TEST(PackageReply, BecomesHeaderAndWordLines)
{
    using Scope = PackageReplyScope;
    const std::vector<std::tuple<std::string, Scope, std::string>> cases = {
        {kReply, Scope::AllPackages, kFirstPackage + "FOOD#OVOCE#JABLKA\r\napple|jablko||\r\n"},
        {kReply, Scope::FirstPackage, kFirstPackage},
        {"xA#B#C*a|b~c|d", Scope::AllPackages, "A#B#C\r\na|b\r\nc|d"},  // the last word without its "~"
        {"xA~B#C*x*y", Scope::AllPackages, "A~B#C\r\nx*y"},           // "~" in a header, "*" in a word stay
        {"x", Scope::AllPackages, ""},
        {"", Scope::AllPackages, ""},
    };
    for (const auto& [body, scope, expected] : cases) {
        EXPECT_EQ(packageReplyLines(body, scope), expected) << body;
    }
}

TEST(DownloadFile, IsWrittenWholeOrNotAtAllAndNeverThroughALink)
{
    TempTree temp;
    TempTree outside;
    const fs::path victim = outside.root() / "victim";
    writeBytes(victim, "keep");
    fs::create_symlink(victim, temp.root() / "downbal.part");
    const fs::path downbal = temp.root() / "downbal";
    ASSERT_TRUE(saveDownload(temp.tree(), kReply).ok());
    EXPECT_EQ(readBytes(downbal), packageReplyLines(kReply, PackageReplyScope::AllPackages));
    EXPECT_EQ(readBytes(victim), "keep");

    // A scratch file that cannot be written: the previous download stays.
    fs::create_directories(temp.root() / "downbal.part" / "blocked");
    const Status failed = saveDownload(temp.tree(), "xOTHER#A#B*w|s||~");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(), errorMessage("Došlo k chybě při stahování."));
    EXPECT_EQ(readBytes(downbal), packageReplyLines(kReply, PackageReplyScope::AllPackages));

    fs::remove(downbal);
    fs::create_symlink(victim, downbal);
    discardDownload(temp.tree());
    EXPECT_FALSE(fs::exists(fs::symlink_status(downbal)));
    EXPECT_EQ(readBytes(victim), "keep");
}

TEST(PreviewFile, HoldsTheFirstPackageInTheGroupsTemporary)
{
    TempTree temp;
    fs::create_directories(temp.tree().groupDirectory("G"));  // no Temporary yet
    ASSERT_TRUE(savePreview(temp.tree(), "G", kReply).ok());
    const fs::path preview = temp.tree().temporaryFile("G", "balprevtemp");
    EXPECT_EQ(readBytes(preview), kFirstPackage);
    removePreview(temp.tree(), "G");
    EXPECT_FALSE(fs::exists(preview));

    const Status noGroup = savePreview(temp.tree(), "--- žádná skupina není zavedena ---", kReply);
    ASSERT_FALSE(noGroup.ok());
    EXPECT_EQ(noGroup.message().text, "Došlo k chybě při ukládání balíčku.");
    EXPECT_FALSE(savePreview(temp.tree(), "Missing", kReply).ok());
}

}  // namespace
}  // namespace lexivo

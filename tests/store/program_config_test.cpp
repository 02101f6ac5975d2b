#include "store/program_config.h"

#include <gtest/gtest.h>

#include "store/cp1250.h"
#include "store/package_selection.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;

// The 80 bytes: the group name, then seven little-endian numbers from byte 52.
std::string configBytes(std::string_view group, std::array<char, 7> numbers)
{
    std::string bytes(80, '\0');
    bytes.replace(0, group.size(), group);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        bytes[52 + 4 * i] = numbers[i];
    }
    return bytes;
}

TEST(ProgramConfig, DefaultsWhenMissingWithoutCreatingTheFile)
{
    TempTree temp;
    const auto defaults = encodeProgramConfig(loadProgramConfig(temp.tree())).value();
    EXPECT_EQ(std::string(defaults.data(), defaults.size()),
              configBytes(encodeCp1250(kNoGroupMarker).value(), {1, 0, 1, 1, 0, 1, 0}));
    EXPECT_FALSE(fs::exists(temp.root() / "config"));
}

TEST(ProgramConfig, WritesTheEightyBytesLittleEndianAndReadsThemBack)
{
    TempTree temp;
    ProgramConfig config{"Čeština", 0, 1, 0, 1, 0x01020304, 0, SpeechMode::Never};
    ASSERT_TRUE(saveProgramConfig(temp.tree(), config).ok());
    std::string expected = configBytes("\xC8\x65\x9Atina", {0, 1, 0, 1, 0, 0, 2});
    expected.replace(68, 4, "\x04\x03\x02\x01");
    EXPECT_EQ(readBytes(temp.root() / "config"), expected);
    EXPECT_EQ(loadProgramConfig(temp.tree()), config);
    EXPECT_FALSE(fs::exists(temp.root() / "config.new"));

    // A shorter file leaves the rest zero; a name without its NUL is cut at 49 bytes.
    const ProgramConfig shorter = decodeProgramConfig(std::string("Angli\xE8tina", 10) + std::string(42, '\0') + "\x01");
    EXPECT_EQ(shorter, (ProgramConfig{"Angličtina", 1, 0, 0, 0, 0, 0, SpeechMode::Engine}));
    EXPECT_EQ(decodeProgramConfig(std::string(80, 'g')).currentGroup, std::string(49, 'g'));
}

TEST(ProgramConfig, RefusesAGroupItCannotStoreAndKeepsTheOldFile)
{
    TempTree temp;
    ASSERT_TRUE(saveProgramConfig(temp.tree(), ProgramConfig{}).ok());
    const std::string before = readBytes(temp.root() / "config");
    for (std::string group : {std::string("🙂"), std::string(50, 'g')}) {
        EXPECT_FALSE(saveProgramConfig(temp.tree(), ProgramConfig{.currentGroup = group}).ok());
    }
    EXPECT_EQ(readBytes(temp.root() / "config"), before);
}

TEST(PackageSelection, ItemsAreThreeBytesPaddedWithNul)
{
    EXPECT_EQ(encodePackageSelection({0, 7, 10}).value(), std::string("0\0\0" "7\0\0" "10\0", 9));
    EXPECT_EQ(encodePackageSelection({123, 480}).value(), "123480");
    EXPECT_FALSE(encodePackageSelection({1000}).ok());
    EXPECT_FALSE(encodePackageSelection({-1}).ok());
    EXPECT_EQ(decodePackageSelection(std::string("0\0\0" "7\0\0" "10\0" "480" "1", 13)), (std::vector<int>{0, 7, 10, 480}));
}

TEST(PackageSelection, IsWrittenReadAndForgotten)
{
    TempTree temp;
    temp.makeGroup("G");
    EXPECT_TRUE(readPackageSelection(temp.tree(), "G").empty());
    ASSERT_TRUE(writePackageSelection(temp.tree(), "G", {2, 5}).ok());
    EXPECT_EQ(readPackageSelection(temp.tree(), "G"), (std::vector<int>{2, 5}));
    fs::permissions(temp.tree().temporaryFile("G", "packs"), fs::perms::owner_read);
    EXPECT_TRUE(forgetTestSelection(temp.tree(), "G").ok());
    EXPECT_FALSE(fs::exists(temp.tree().temporaryFile("G", "packs")));
    EXPECT_TRUE(forgetTestSelection(temp.tree(), "G").ok());  // a missing file is no error
}

}  // namespace
}  // namespace lexivo

#include "store/program_config.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "store/package_selection.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

TEST(ProgramConfig, DefaultsWhenMissingAndTheFileIsNotCreated)
{
    TempTree temp;
    const ProgramConfig config = loadProgramConfig(temp.tree());
    EXPECT_EQ(config.currentGroup, kNoGroupMarker);
    EXPECT_EQ(config.showPackageName, 1u);
    EXPECT_EQ(config.showLanguageIcon, 0u);
    EXPECT_EQ(config.showTipAtStart, 1u);
    EXPECT_EQ(config.allowExample, 1u);
    EXPECT_EQ(config.typingColours, 0u);
    EXPECT_EQ(config.autoSpeak, 1u);
    EXPECT_EQ(config.speechMode, SpeechMode::Engine);
    EXPECT_FALSE(std::filesystem::exists(temp.root() / "config"));
}

TEST(ProgramConfig, WritesTheEightyBytesLittleEndian)
{
    TempTree temp;
    ProgramConfig config;
    config.currentGroup = "Čeština";
    config.showPackageName = 0;
    config.showLanguageIcon = 1;
    config.showTipAtStart = 0;
    config.allowExample = 1;
    config.typingColours = 0x01020304;
    config.autoSpeak = 0;
    config.speechMode = SpeechMode::Never;
    ASSERT_TRUE(saveProgramConfig(temp.tree(), config).ok());

    std::string expected(80, '\0');
    expected.replace(0, 7, "\xC8\x65\x9Atina");
    expected[56] = 1;
    expected[64] = 1;
    expected.replace(68, 4, "\x04\x03\x02\x01");
    expected[76] = 2;
    EXPECT_EQ(readBytes(temp.root() / "config"), expected);
    EXPECT_EQ(loadProgramConfig(temp.tree()), config);
    EXPECT_FALSE(std::filesystem::exists(temp.root() / "config.new"));
}

TEST(ProgramConfig, AShorterFileLeavesTheRestZero)
{
    TempTree temp;
    writeBytes(temp.root() / "config", std::string("Angli\xE8tina", 10) + std::string(42, '\0') + "\x01");
    const ProgramConfig config = loadProgramConfig(temp.tree());
    EXPECT_EQ(config.currentGroup, "Angličtina");
    EXPECT_EQ(config.showPackageName, 1u);
    EXPECT_EQ(config.showTipAtStart, 0u);
    EXPECT_EQ(config.autoSpeak, 0u);
}

TEST(ProgramConfig, AGroupFieldWithoutItsNulIsCutAtFortyNineBytes)
{
    EXPECT_EQ(decodeProgramConfig(std::string(80, 'g')).currentGroup, std::string(49, 'g'));
}

TEST(ProgramConfig, RefusesAGroupItCannotStoreAndKeepsTheOldFile)
{
    TempTree temp;
    ASSERT_TRUE(saveProgramConfig(temp.tree(), ProgramConfig{}).ok());
    const std::string before = readBytes(temp.root() / "config");
    ProgramConfig config;
    config.currentGroup = "🙂";
    EXPECT_FALSE(saveProgramConfig(temp.tree(), config).ok());
    config.currentGroup = std::string(50, 'g');
    EXPECT_FALSE(saveProgramConfig(temp.tree(), config).ok());
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
    std::filesystem::permissions(temp.tree().temporaryFile("G", "packs"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(forgetTestSelection(temp.tree(), "G").ok());
    EXPECT_FALSE(std::filesystem::exists(temp.tree().temporaryFile("G", "packs")));
    EXPECT_TRUE(forgetTestSelection(temp.tree(), "G").ok());  // a missing file is no error
}

}  // namespace
}  // namespace lexivo

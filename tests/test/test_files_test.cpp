#include "test/test_files.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "store/little_endian.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

std::int32_t i32At(const std::string& bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(getLittleEndian32(bytes.data() + offset));
}

TestState sampleState()
{
    TestState state;
    state.english = "car+automobile";
    state.czech = "auto";
    state.example = "Můj vůz.";
    state.packageName = "Doprava";
    state.currentIndex = 7;
    state.rightCount = 26;
    state.wrongCount = 3;
    state.directionMode = DirectionMode::Random;
    state.askDirection = ShownSide::Czech;
    state.totalCount = 40;
    state.packageCount = 3;
    state.fixedCount = 1;
    state.noRepeat = 1;
    state.byCoefficient = 0;
    state.caseSensitive = 1;
    state.lockCoefficients = 1;
    return state;
}

TEST(TestInfo, LaysTheStateOutInItsNineHundredFortyFourBytes)
{
    const auto block = encodeTestInfo(sampleState());
    ASSERT_TRUE(block.ok());
    const std::string bytes(block->data(), block->size());
    EXPECT_EQ(bytes.substr(0, 15), std::string("car+automobile\0", 15));
    EXPECT_EQ(bytes.substr(200, 5), std::string("auto\0", 5));
    EXPECT_EQ(bytes.substr(400, 9), std::string("M\xF9j v\xF9z.\0", 9));
    EXPECT_EQ(bytes.substr(600, 8), std::string("Doprava\0", 8));
    EXPECT_EQ(i32At(bytes, 900), 7);
    EXPECT_EQ(i32At(bytes, 904), 26);
    EXPECT_EQ(i32At(bytes, 908), 3);
    EXPECT_EQ(bytes[912], 2);
    EXPECT_EQ(bytes[913], 1);
    EXPECT_EQ(bytes.substr(914, 2), std::string(2, '\0'));
    EXPECT_EQ(i32At(bytes, 916), 40);
    EXPECT_EQ(i32At(bytes, 920), 3);
    EXPECT_EQ(i32At(bytes, 924), 1);
    EXPECT_EQ(i32At(bytes, 928), 1);
    EXPECT_EQ(i32At(bytes, 932), 0);
    EXPECT_EQ(i32At(bytes, 936), 1);
    EXPECT_EQ(i32At(bytes, 940), 1);
    EXPECT_EQ(decodeTestInfo(bytes).value(), sampleState());
}

TEST(TestInfo, CutsLongTextsToTheirFields)
{
    TestState state = sampleState();
    state.english = std::string(150, 'e') + std::string(100, 'x');
    state.czech.clear();
    for (int i = 0; i < 250; ++i) {
        state.czech += "č";  // two bytes in memory, one on disk
    }
    state.packageName = std::string(400, 'p');
    const auto block = encodeTestInfo(state);
    ASSERT_TRUE(block.ok());
    const TestState back = decodeTestInfo(std::string_view(block->data(), block->size())).value();
    EXPECT_EQ(back.english, state.english.substr(0, 199));
    EXPECT_EQ(back.czech, state.czech.substr(0, 2 * 199));
    EXPECT_EQ(back.packageName, std::string(299, 'p'));
}

TEST(TestInfo, RefusesAShortBlockAndValuesNoTestCanReach)
{
    EXPECT_FALSE(decodeTestInfo(std::string(943, '\0')).ok());
    EXPECT_TRUE(decodeTestInfo(std::string(944, '\0')).ok());

    const std::string valid(encodeTestInfo(sampleState())->data(), kTestInfoSize);  // fixed count 40
    struct Case {
        std::size_t offset;
        std::int32_t value;
    };
    for (const Case& c : {Case{904, 2147483647}, Case{904, 38}, Case{908, -1}, Case{916, -40}, Case{900, -1},
                          Case{920, -3}, Case{924, 2}, Case{940, 7}, Case{904, kMaxAnswerCount + 1}}) {
        std::string bytes = valid;
        putLittleEndian32(bytes.data() + c.offset, static_cast<std::uint32_t>(c.value));
        EXPECT_FALSE(decodeTestInfo(bytes).ok()) << c.offset << " = " << c.value;
    }
    std::string direction = valid;
    direction[912] = 3;
    EXPECT_FALSE(decodeTestInfo(direction).ok());
    std::string untilAll = valid;  // without a fixed count 38 right of 40 words is reachable
    putLittleEndian32(untilAll.data() + 924, 0);
    putLittleEndian32(untilAll.data() + 904, 38);
    EXPECT_TRUE(decodeTestInfo(untilAll).ok());
}

TEST(TestPresets, DefaultsWhenMissing)
{
    TempTree temp;
    const TestSettings settings = loadTestPresets(temp.tree(), "G");
    EXPECT_FALSE(settings.fixedCount);
    EXPECT_EQ(settings.questionCount, 20);
    EXPECT_FALSE(settings.noRepeat);
    EXPECT_TRUE(settings.byCoefficient);
    EXPECT_EQ(settings.directionMode, DirectionMode::CzechShown);
    EXPECT_TRUE(settings.caseSensitive);
    EXPECT_FALSE(settings.lockCoefficients);
    EXPECT_EQ(decodeTestPresets("1020"), TestSettings{});
}

TEST(TestPresets, NineBytesWithTheSwappedDirectionDigits)
{
    TestSettings settings;
    settings.fixedCount = true;
    settings.questionCount = 35;
    settings.noRepeat = true;
    settings.byCoefficient = false;
    settings.directionMode = DirectionMode::EnglishShown;
    settings.caseSensitive = false;
    settings.lockCoefficients = true;
    EXPECT_EQ(encodeTestPresets(settings), std::string("135\0" "10101", 9));
    EXPECT_EQ(decodeTestPresets(encodeTestPresets(settings)), settings);

    settings.directionMode = DirectionMode::CzechShown;
    EXPECT_EQ(encodeTestPresets(settings)[6], '0');
    settings.directionMode = DirectionMode::Random;
    EXPECT_EQ(encodeTestPresets(settings)[6], '2');
    EXPECT_EQ(decodeTestPresets(encodeTestPresets(settings)).directionMode, DirectionMode::Random);

    settings.questionCount = 1234;
    EXPECT_EQ(decodeTestPresets(encodeTestPresets(settings)).questionCount, 123);
    settings.questionCount = 7;
    EXPECT_EQ(encodeTestPresets(settings).substr(1, 3), std::string("7\0\0", 3));
}

TEST(TestPresets, AValueOutOfItsRangeFallsBackToItsDefault)
{
    const TestSettings defaults;
    EXPECT_EQ(decodeTestPresets(std::string("1-5\0" "11211", 9)).questionCount, defaults.questionCount);
    EXPECT_EQ(decodeTestPresets(std::string("112a" "11211", 9)).questionCount, defaults.questionCount);
    EXPECT_EQ(decodeTestPresets(std::string("11\0" "211211", 9)).questionCount, defaults.questionCount);
    const TestSettings odd = decodeTestPresets(std::string("x999xx9xx", 9));
    EXPECT_EQ(odd.questionCount, 999);
    EXPECT_EQ(odd, (TestSettings{defaults.fixedCount, 999, defaults.noRepeat, defaults.byCoefficient,
                                 defaults.directionMode, defaults.caseSensitive, defaults.lockCoefficients}));
}

TEST(TestPresets, AreSavedPerGroup)
{
    TempTree temp;
    temp.makeGroup("G");
    TestSettings settings;
    settings.fixedCount = true;
    settings.questionCount = 12;
    ASSERT_TRUE(saveTestPresets(temp.tree(), "G", settings).ok());
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "config")).size(), 9u);
    EXPECT_EQ(loadTestPresets(temp.tree(), "G"), settings);
    EXPECT_EQ(loadTestPresets(temp.tree(), "H"), TestSettings{});
}

TEST(SavedTest, IsSavedAndForgotten)
{
    TempTree temp;
    temp.makeGroup("G");
    EXPECT_FALSE(hasSavedTest(temp.tree(), "G"));
    ASSERT_TRUE(saveTestInfo(temp.tree(), "G", sampleState()).ok());
    writeBytes(temp.tree().temporaryFile("G", "Test"), "#|P\r\n");
    EXPECT_TRUE(hasSavedTest(temp.tree(), "G"));
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "TestInfo")).size(), 944u);
    std::filesystem::permissions(temp.tree().temporaryFile("G", "TestInfo"), std::filesystem::perms::owner_read);
    forgetSavedTest(temp.tree(), "G");
    EXPECT_FALSE(hasSavedTest(temp.tree(), "G"));
    EXPECT_FALSE(std::filesystem::exists(temp.tree().temporaryFile("G", "Test")));
}

}  // namespace
}  // namespace lexivo

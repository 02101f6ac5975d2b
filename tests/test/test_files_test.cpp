#include "test/test_files.h"

#include <utility>

#include <gtest/gtest.h>

#include "store/little_endian.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;

constexpr auto kCzechShown = DirectionMode::CzechShown;
constexpr auto kEnglishShown = DirectionMode::EnglishShown;

TestState sampleState()
{
    return TestState{"car+automobile", "auto", "Můj vůz.", "Doprava", 7, 26, 3, DirectionMode::Random, ShownSide::Czech,
                     40, 3, 1, 1, 0, 1, 1};
}

void put32(std::string& bytes, std::size_t offset, std::int32_t value)
{
    putLittleEndian32(bytes.data() + offset, static_cast<std::uint32_t>(value));
}

std::string blockOf(const TestState& state) { return std::string(encodeTestInfo(state).value().data(), kTestInfoSize); }

TEST(TestInfo, LaysTheStateOutInItsNineHundredFortyFourBytes)
{
    std::string expected(kTestInfoSize, '\0');
    expected.replace(0, 14, "car+automobile");
    expected.replace(200, 4, "auto");
    expected.replace(400, 8, "M\xF9j v\xF9z.");
    expected.replace(600, 7, "Doprava");
    std::size_t offset = 900;
    for (std::int32_t value : {7, 26, 3}) {
        put32(expected, std::exchange(offset, offset + 4), value);
    }
    expected[912] = 2;  // the direction mode, then the side shown, then two bytes of padding
    expected[913] = 1;
    offset = 916;
    for (std::int32_t value : {40, 3, 1, 1, 0, 1, 1}) {
        put32(expected, std::exchange(offset, offset + 4), value);
    }
    EXPECT_EQ(blockOf(sampleState()), expected);
    EXPECT_EQ(decodeTestInfo(expected).value(), sampleState());
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
    const TestState back = decodeTestInfo(blockOf(state)).value();
    EXPECT_EQ(back.english, state.english.substr(0, 199));
    EXPECT_EQ(back.czech, state.czech.substr(0, 2 * 199));
    EXPECT_EQ(back.packageName, std::string(299, 'p'));
}

TEST(TestInfo, RefusesAShortBlockAndValuesNoTestCanReach)
{
    EXPECT_FALSE(decodeTestInfo(std::string(943, '\0')).ok());
    EXPECT_TRUE(decodeTestInfo(std::string(944, '\0')).ok());

    const std::string valid = blockOf(sampleState());  // fixed count 40
    for (const auto& [offset, value] : std::vector<std::pair<std::size_t, std::int32_t>>{
             {904, 2147483647}, {904, 38}, {908, -1}, {916, -40}, {900, -1}, {920, -3}, {924, 2}, {940, 7},
             {904, kMaxAnswerCount + 1}}) {
        std::string bytes = valid;
        put32(bytes, offset, value);
        EXPECT_FALSE(decodeTestInfo(bytes).ok()) << offset << " = " << value;
    }
    std::string direction = valid;
    direction[912] = 3;
    EXPECT_FALSE(decodeTestInfo(direction).ok());
    std::string untilAll = valid;  // without a fixed count 38 right of 40 words is reachable
    put32(untilAll, 924, 0);
    put32(untilAll, 904, 38);
    EXPECT_TRUE(decodeTestInfo(untilAll).ok());
}

TEST(TestPresets, NineBytesWithTheSwappedDirectionDigits)
{
    EXPECT_EQ(decodeTestPresets("1020"), (TestSettings{false, 20, false, true, kCzechShown, true, false}));
    const std::vector<std::pair<TestSettings, std::string>> cases = {
        {{true, 35, true, false, kEnglishShown, false, true}, std::string("135\0" "10101", 9)},
        {{false, 7, false, true, kCzechShown, true, false}, std::string("07\0\0" "01010", 9)},
        {{true, 999, false, false, DirectionMode::Random, true, true}, std::string("1999" "00211", 9)},
    };
    for (const auto& [settings, bytes] : cases) {
        EXPECT_EQ(encodeTestPresets(settings), bytes);
        EXPECT_EQ(decodeTestPresets(bytes), settings);
    }
    EXPECT_EQ(decodeTestPresets(encodeTestPresets({.questionCount = 1234})).questionCount, 123);
}

TEST(TestPresets, AValueOutOfItsRangeFallsBackToItsDefault)
{
    const TestSettings defaults;
    for (const char* count : {"1-5\0" "11211", "112a" "11211", "11\0" "211211"}) {
        EXPECT_EQ(decodeTestPresets(std::string(count, 9)).questionCount, defaults.questionCount) << count;
    }
    TestSettings odd = defaults;
    odd.questionCount = 999;
    EXPECT_EQ(decodeTestPresets(std::string("x999xx9xx", 9)), odd);
}

TEST(TestFiles, PresetsAndTheSavedTestLiveInTheGroupsTemporary)
{
    TempTree temp;
    temp.makeGroup("G");
    EXPECT_EQ(loadTestPresets(temp.tree(), "G"), TestSettings{});
    const TestSettings settings{.fixedCount = true, .questionCount = 12};
    ASSERT_TRUE(saveTestPresets(temp.tree(), "G", settings).ok());
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "config")), encodeTestPresets(settings));
    EXPECT_EQ(loadTestPresets(temp.tree(), "G"), settings);
    EXPECT_EQ(loadTestPresets(temp.tree(), "H"), TestSettings{});

    EXPECT_FALSE(hasSavedTest(temp.tree(), "G"));
    ASSERT_TRUE(saveTestInfo(temp.tree(), "G", sampleState()).ok());
    testing::writeBytes(temp.tree().temporaryFile("G", "Test"), "#|P\r\n");
    EXPECT_EQ(readBytes(temp.tree().temporaryFile("G", "TestInfo")), blockOf(sampleState()));
    EXPECT_TRUE(hasSavedTest(temp.tree(), "G"));
    fs::permissions(temp.tree().temporaryFile("G", "TestInfo"), fs::perms::owner_read);
    forgetSavedTest(temp.tree(), "G");
    EXPECT_FALSE(hasSavedTest(temp.tree(), "G"));
    EXPECT_FALSE(fs::exists(temp.tree().temporaryFile("G", "Test")));
}

}  // namespace
}  // namespace lexivo

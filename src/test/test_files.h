#pragma once
// The files a test keeps in its group's Temporary: the saved state of an unfinished test
// `TestInfo` (944 bytes) and the test presets `config` (9 bytes).

#include <array>
#include <string>
#include <string_view>

#include "store/data_tree.h"
#include "store/result.h"
#include "test/test_state.h"

namespace lexivo {

inline constexpr std::size_t kTestInfoSize = 944;
inline constexpr std::size_t kTestPresetsSize = 9;
inline constexpr std::string_view kTestInfoName = "TestInfo";
inline constexpr std::string_view kTestPoolName = "Test";
inline constexpr std::string_view kTestPoolScratchName = "New";
inline constexpr std::string_view kTestPresetsName = "config";
inline constexpr std::string_view kPendingAnswerName = "Answer";

// No real test reaches more answers than this; a saved test that claims more is damaged, and
// no sum of the counters can overflow.
inline constexpr std::int32_t kMaxAnswerCount = 100'000'000;

// Texts are cut to fit their fields (199 and 299 characters) and end with a NUL; integers are
// little-endian. Refuses text the code page cannot store.
Result<std::array<char, kTestInfoSize>> encodeTestInfo(const TestState& state);
// Refuses a block shorter than 944 bytes and one whose values no real test can reach
// (negative or huge counters, more answers than a fixed-count test asks, unknown modes).
Result<TestState> decodeTestInfo(std::string_view bytes);

// The count keeps its first three digits; the direction digits are "0" for Czech shown,
// "1" for English shown, "2" for random.
std::string encodeTestPresets(const TestSettings& settings);
// The defaults for a file shorter than nine bytes; each value out of its range falls back to
// its default alone.
TestSettings decodeTestPresets(std::string_view bytes);

TestSettings loadTestPresets(const DataTree& tree, std::string_view group);
Status saveTestPresets(const DataTree& tree, std::string_view group, const TestSettings& settings);

// An unfinished test exists exactly when its TestInfo does.
bool hasSavedTest(const DataTree& tree, std::string_view group);
Status saveTestInfo(const DataTree& tree, std::string_view group, const TestState& state);
// Deletes TestInfo and Test (and an answer still pending), read-only or not; missing files are
// no error.
void forgetSavedTest(const DataTree& tree, std::string_view group);

// An answer being recorded while the saved test is kept in step with the pool. It is written
// before the pool, the package and TestInfo change and deleted after, so that a resume can
// finish an answer that a kill or a power cut interrupted.
struct PendingAnswer {
    TestState stateAfter;
    std::int32_t poolWordsBefore = 0;
    std::int32_t index = 0;
    std::int32_t coefficient = -1;  // the word's new coefficient; -1 when coefficients stay
    bool removesWord = false;
    std::string packageName;
    std::string lineBefore;  // the word's line in the pool before the answer
    std::string lineAfter;   // its line after, when it stays and changes

    bool operator==(const PendingAnswer&) const = default;
};
Result<std::string> encodePendingAnswer(const PendingAnswer& answer);
Result<PendingAnswer> decodePendingAnswer(std::string_view bytes);

}  // namespace lexivo

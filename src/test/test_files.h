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

// Texts are cut to fit their fields (199 and 299 characters) and end with a NUL; integers are
// little-endian. Refuses text the code page cannot store.
Result<std::array<char, kTestInfoSize>> encodeTestInfo(const TestState& state);
// Refuses a block shorter than 944 bytes.
Result<TestState> decodeTestInfo(std::string_view bytes);

// The count keeps its first three digits; the direction digits are "0" for Czech shown,
// "1" for English shown, "2" for random.
std::string encodeTestPresets(const TestSettings& settings);
// The defaults for a file shorter than nine bytes.
TestSettings decodeTestPresets(std::string_view bytes);

TestSettings loadTestPresets(const DataTree& tree, std::string_view group);
Status saveTestPresets(const DataTree& tree, std::string_view group, const TestSettings& settings);

// An unfinished test exists exactly when its TestInfo does.
bool hasSavedTest(const DataTree& tree, std::string_view group);
Status saveTestInfo(const DataTree& tree, std::string_view group, const TestState& state);
// Deletes TestInfo and Test, read-only or not; missing files are no error.
void forgetSavedTest(const DataTree& tree, std::string_view group);

}  // namespace lexivo

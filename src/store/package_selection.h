#pragma once
// `packs` in a group's Temporary: the packages chosen for the last test, as 3-byte items,
// each a 0-based position in the sorted package list, in decimal padded with NUL bytes.

#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

inline constexpr std::string_view kPackageSelectionName = "packs";

// Positions 0 to 999 fit an item; a group holds at most 481 packages.
Result<std::string> encodePackageSelection(const std::vector<int>& positions);

// The positions of the items, in file order. Items that hold no number are skipped, and a
// trailing piece shorter than an item is ignored.
std::vector<int> decodePackageSelection(std::string_view bytes);

Status writePackageSelection(const DataTree& tree, std::string_view group, const std::vector<int>& positions);

// The saved positions; none when the file is missing.
std::vector<int> readPackageSelection(const DataTree& tree, std::string_view group);

// Deletes `packs` (positions change whenever the package list changes); a missing file is no error.
Status forgetTestSelection(const DataTree& tree, std::string_view group);

}  // namespace lexivo

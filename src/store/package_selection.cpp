#include "store/package_selection.h"

#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::size_t kItemSize = 3;
constexpr std::string_view kSelectionScratchName = "packs.new";

}  // namespace

Result<std::string> encodePackageSelection(const std::vector<int>& positions)
{
    std::string bytes;
    bytes.reserve(positions.size() * kItemSize);
    for (int position : positions) {
        if (position < 0 || position > 999) {
            return errorMessage("Pozice balíčku " + std::to_string(position) + " nelze uložit.");
        }
        std::string item = std::to_string(position);
        item.resize(kItemSize, '\0');
        bytes += item;
    }
    return bytes;
}

std::vector<int> decodePackageSelection(std::string_view bytes)
{
    std::vector<int> positions;
    for (std::size_t offset = 0; offset + kItemSize <= bytes.size(); offset += kItemSize) {
        const std::string_view item = bytes.substr(offset, kItemSize);
        int value = 0;
        std::size_t digits = 0;
        while (digits < item.size() && item[digits] >= '0' && item[digits] <= '9') {
            value = value * 10 + (item[digits] - '0');
            ++digits;
        }
        if (digits > 0) {
            positions.push_back(value);
        }
    }
    return positions;
}

Status writePackageSelection(const DataTree& tree, std::string_view group, const std::vector<int>& positions)
{
    auto bytes = encodePackageSelection(positions);
    if (!bytes) {
        return bytes.message();
    }
    std::error_code ignored;
    std::filesystem::create_directories(tree.temporaryDirectory(group), ignored);
    return writeFileAtomically(tree.temporaryFile(group, kPackageSelectionName),
                               tree.temporaryFile(group, kSelectionScratchName), bytes.value());
}

std::vector<int> readPackageSelection(const DataTree& tree, std::string_view group)
{
    const auto bytes = readFileBytes(tree.temporaryFile(group, kPackageSelectionName));
    return bytes ? decodePackageSelection(*bytes) : std::vector<int>{};
}

Status forgetTestSelection(const DataTree& tree, std::string_view group)
{
    return removeFileIfPresent(tree.temporaryFile(group, kPackageSelectionName));
}

}  // namespace lexivo

// `packs`, the last test's package positions. Any bytes read as positions give numbers 0 to 999,
// at most one per 3-byte item, that are saved (in their canonical form: digits padded with NUL)
// and read back unchanged. Positions built from the input are refused exactly when one lies
// outside 0 to 999, and read back unchanged otherwise.

#include "fuzz_support.h"
#include "store/package_selection.h"

#include <algorithm>

using namespace lexivo;

namespace {

bool fitsAnItem(int position) { return position >= 0 && position <= 999; }

void checkDecoding(std::string_view input)
{
    const std::vector<int> positions = decodePackageSelection(input);
    FUZZ_CHECK(positions.size() <= input.size() / 3);
    FUZZ_CHECK(std::all_of(positions.begin(), positions.end(), fitsAnItem));
    const auto saved = encodePackageSelection(positions);
    FUZZ_CHECK(saved.ok() && saved->size() == 3 * positions.size());
    FUZZ_CHECK(decodePackageSelection(saved.value()) == positions);
}

void checkEncoding(std::string_view input)
{
    fuzz::InputReader reader(input);
    std::vector<int> positions;
    while (!reader.atEnd()) {
        // Mostly real positions, now and then one that cannot be stored.
        const int high = reader.byte();
        positions.push_back(high >= 0xF0 ? (high - 0xF8) * 1000 + reader.byte() : (high << 8 | reader.byte()) % 1000);
    }
    const auto saved = encodePackageSelection(positions);
    FUZZ_CHECK(saved.ok() == std::all_of(positions.begin(), positions.end(), fitsAnItem));
    if (saved.ok()) {
        FUZZ_CHECK(decodePackageSelection(saved.value()) == positions);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);
    checkDecoding(input);
    checkEncoding(input);
    return 0;
}

// `TestInfo`, the 944-byte block of an unfinished test. A shorter block is refused, and so is a
// block whose counters or modes no real test can reach; a block that is accepted decodes to a
// state that encodes to the block's canonical form (each text field zero after its
// first NUL, and after 199 or 299 bytes; the two padding bytes 914–915 zero; bytes past 944
// ignored). A state built from the input is either refused (when encoding, or when reading as
// unreachable) or reads back with its texts cut where the block cuts them.

#include "fuzz_support.h"
#include "store/little_endian.h"
#include "test/test_files.h"

#include <algorithm>
#include <array>

using namespace lexivo;

namespace {

struct TextField {
    std::size_t offset;
    std::size_t size;
};
constexpr std::array<TextField, 4> kTextFields = {{{0, 200}, {200, 200}, {400, 200}, {600, 300}}};

std::array<char, kTestInfoSize> canonicalBlock(std::string_view input)
{
    std::array<char, kTestInfoSize> block{};
    std::copy_n(input.begin(), block.size(), block.begin());
    for (const TextField& field : kTextFields) {
        const auto begin = block.begin() + static_cast<std::ptrdiff_t>(field.offset);
        const auto last = begin + static_cast<std::ptrdiff_t>(field.size - 1);
        std::fill(std::find(begin, last, '\0'), last + 1, '\0');
    }
    block[914] = block[915] = '\0';
    return block;
}

void checkDecoding(std::string_view input)
{
    const auto state = decodeTestInfo(input);
    FUZZ_CHECK(!state.ok() || input.size() >= kTestInfoSize);
    if (!state.ok()) {
        return;
    }
    const auto block = encodeTestInfo(state.value());
    FUZZ_CHECK(block.ok());
    FUZZ_CHECK(block.value() == canonicalBlock(input));
}

// The text as the block keeps it: up to the first NUL, at most `size - 1` characters.
std::string keptText(std::string_view text, std::size_t size)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (text[i] == '\0' || (startsCharacter && ++characters == size)) {
            return std::string(text.substr(0, i));
        }
    }
    return std::string(text);
}

void checkEncoding(std::string_view input)
{
    fuzz::InputReader reader(input);
    TestState state;
    for (std::int32_t* number : {&state.currentIndex, &state.rightCount, &state.wrongCount, &state.totalCount,
                                 &state.packageCount, &state.fixedCount, &state.noRepeat, &state.byCoefficient,
                                 &state.caseSensitive, &state.lockCoefficients}) {
        char bytes[4] = {static_cast<char>(reader.byte()), static_cast<char>(reader.byte()),
                         static_cast<char>(reader.byte()), static_cast<char>(reader.byte())};
        *number = static_cast<std::int32_t>(getLittleEndian32(bytes));
    }
    state.directionMode = static_cast<DirectionMode>(reader.byte());
    state.askDirection = static_cast<ShownSide>(reader.byte());
    state.english = reader.piece('\x01');
    state.czech = reader.piece('\x01');
    state.example = reader.piece('\x01');
    state.packageName = reader.rest();

    const auto block = encodeTestInfo(state);
    if (!block.ok()) {
        return;
    }
    TestState expected = state;
    expected.english = keptText(state.english, 200);
    expected.czech = keptText(state.czech, 200);
    expected.example = keptText(state.example, 200);
    expected.packageName = keptText(state.packageName, 300);
    const auto decoded = decodeTestInfo(std::string_view(block->data(), block->size()));
    FUZZ_CHECK(!decoded.ok() || decoded.value() == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);
    checkDecoding(input);
    checkEncoding(input);
    return 0;
}

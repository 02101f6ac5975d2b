// Windows-1250: any bytes read as text and written back are the same bytes, and text is either
// stored exactly, one byte per character, or refused with the character named.

#include "fuzz_support.h"
#include "store/cp1250.h"

using namespace lexivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);

    // The input as file bytes.
    const std::string text = decodeCp1250(input);
    FUZZ_CHECK(characterCount(text) == input.size());
    FUZZ_CHECK(firstUnstorableCharacter(text).empty());
    const auto bytes = encodeCp1250(text);
    FUZZ_CHECK(bytes.ok() && bytes.value() == input);

    // The input as UTF-8 text typed by the user.
    const auto stored = encodeCp1250(input);
    const std::string unstorable = firstUnstorableCharacter(input);
    FUZZ_CHECK(stored.ok() == unstorable.empty());
    if (stored.ok()) {
        FUZZ_CHECK(stored.value().size() == characterCount(input));
        FUZZ_CHECK(decodeCp1250(stored.value()) == input);
    } else {
        FUZZ_CHECK(stored.message().text.find(unstorable) != std::string::npos);
    }
    return 0;
}

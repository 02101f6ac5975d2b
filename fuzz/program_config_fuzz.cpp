// The 80-byte `config`. Any bytes decode to a configuration that encodes to their canonical form:
// the first 80 bytes (zero-padded), with the group field zero after the name's end and the
// reserved bytes 50–51 and 77–79 zero. A configuration built from the input is either refused
// or reads back the same.

#include "fuzz_support.h"
#include "store/little_endian.h"
#include "store/program_config.h"

#include <algorithm>
#include <array>

using namespace lexivo;

namespace {

constexpr std::size_t kGroupField = 50;
constexpr std::size_t kSettingsEnd = 77;

std::array<char, kProgramConfigSize> canonicalBytes(std::string_view input)
{
    std::array<char, kProgramConfigSize> bytes{};
    std::copy_n(input.begin(), std::min(input.size(), bytes.size()), bytes.begin());
    const auto nameEnd = std::find(bytes.begin(), bytes.begin() + kGroupField - 1, '\0');
    std::fill(nameEnd, bytes.begin() + 52, '\0');
    std::fill(bytes.begin() + kSettingsEnd, bytes.end(), '\0');
    return bytes;
}

void checkDecoding(std::string_view input)
{
    const ProgramConfig config = decodeProgramConfig(input);
    const auto encoded = encodeProgramConfig(config);
    FUZZ_CHECK(encoded.ok());
    FUZZ_CHECK(encoded.value() == canonicalBytes(input));
    FUZZ_CHECK(decodeProgramConfig(std::string_view(encoded->data(), encoded->size())) == config);
}

void checkEncoding(std::string_view input)
{
    fuzz::InputReader reader(input);
    char numbers[4 * 6 + 1] = {};
    for (char& byte : numbers) {
        byte = static_cast<char>(reader.byte());
    }
    ProgramConfig config;
    for (auto [index, field] : {std::pair{0, &config.showPackageName}, std::pair{1, &config.showLanguageIcon},
                                std::pair{2, &config.showTipAtStart}, std::pair{3, &config.allowExample},
                                std::pair{4, &config.typingColours}, std::pair{5, &config.autoSpeak}}) {
        *field = getLittleEndian32(numbers + 4 * index);
    }
    config.speechMode = static_cast<SpeechMode>(static_cast<std::uint8_t>(numbers[24]));
    config.currentGroup = reader.rest();
    const auto encoded = encodeProgramConfig(config);
    // A name stops at its first NUL on disk; group names never hold control characters.
    if (encoded.ok() && config.currentGroup.find('\0') == std::string::npos) {
        FUZZ_CHECK(decodeProgramConfig(std::string_view(encoded->data(), encoded->size())) == config);
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

#include "store/program_config.h"

#include <algorithm>
#include <cstring>

#include "store/cp1250.h"
#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::size_t kGroupFieldSize = 50;
constexpr std::size_t kGroupNameBytes = kGroupFieldSize - 1;  // the field ends with a NUL
constexpr std::string_view kConfigName = "config";
constexpr std::string_view kConfigScratchName = "config.new";

// Offsets of the settings.
constexpr std::size_t kShowPackageName = 52;
constexpr std::size_t kShowLanguageIcon = 56;
constexpr std::size_t kShowTipAtStart = 60;
constexpr std::size_t kAllowExample = 64;
constexpr std::size_t kTypingColours = 68;
constexpr std::size_t kAutoSpeak = 72;
constexpr std::size_t kSpeechMode = 76;

void putU32(std::array<char, kProgramConfigSize>& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::uint32_t getU32(const std::array<char, kProgramConfigSize>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

}  // namespace

Result<std::array<char, kProgramConfigSize>> encodeProgramConfig(const ProgramConfig& config)
{
    auto group = encodeCp1250(config.currentGroup);
    if (!group) {
        return group.message();
    }
    if (group->size() > kGroupNameBytes) {
        return errorMessage("Jméno skupiny je příliš dlouhé.");
    }
    std::array<char, kProgramConfigSize> bytes{};
    std::copy(group->begin(), group->end(), bytes.begin());
    putU32(bytes, kShowPackageName, config.showPackageName);
    putU32(bytes, kShowLanguageIcon, config.showLanguageIcon);
    putU32(bytes, kShowTipAtStart, config.showTipAtStart);
    putU32(bytes, kAllowExample, config.allowExample);
    putU32(bytes, kTypingColours, config.typingColours);
    putU32(bytes, kAutoSpeak, config.autoSpeak);
    bytes[kSpeechMode] = static_cast<char>(config.speechMode);
    return bytes;
}

ProgramConfig decodeProgramConfig(std::string_view data)
{
    std::array<char, kProgramConfigSize> bytes{};
    std::copy_n(data.begin(), std::min(data.size(), bytes.size()), bytes.begin());
    const std::string_view field(bytes.data(), kGroupNameBytes);
    ProgramConfig config;
    config.currentGroup = decodeCp1250(field.substr(0, field.find('\0')));
    config.showPackageName = getU32(bytes, kShowPackageName);
    config.showLanguageIcon = getU32(bytes, kShowLanguageIcon);
    config.showTipAtStart = getU32(bytes, kShowTipAtStart);
    config.allowExample = getU32(bytes, kAllowExample);
    config.typingColours = getU32(bytes, kTypingColours);
    config.autoSpeak = getU32(bytes, kAutoSpeak);
    config.speechMode = static_cast<std::uint8_t>(bytes[kSpeechMode]);
    return config;
}

ProgramConfig loadProgramConfig(const DataTree& tree)
{
    const auto bytes = readFileBytes(tree.programFile(kConfigName));
    return bytes ? decodeProgramConfig(*bytes) : ProgramConfig{};
}

Status saveProgramConfig(const DataTree& tree, const ProgramConfig& config)
{
    auto bytes = encodeProgramConfig(config);
    if (!bytes) {
        return bytes.message();
    }
    return writeFileAtomically(tree.programFile(kConfigName), tree.programFile(kConfigScratchName),
                               std::string_view(bytes->data(), bytes->size()));
}

}  // namespace lexivo

#include "store/program_config.h"

#include <algorithm>
#include <cstring>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/little_endian.h"

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
    putLittleEndian32(bytes.data() + kShowPackageName, config.showPackageName);
    putLittleEndian32(bytes.data() + kShowLanguageIcon, config.showLanguageIcon);
    putLittleEndian32(bytes.data() + kShowTipAtStart, config.showTipAtStart);
    putLittleEndian32(bytes.data() + kAllowExample, config.allowExample);
    putLittleEndian32(bytes.data() + kTypingColours, config.typingColours);
    putLittleEndian32(bytes.data() + kAutoSpeak, config.autoSpeak);
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
    config.showPackageName = getLittleEndian32(bytes.data() + kShowPackageName);
    config.showLanguageIcon = getLittleEndian32(bytes.data() + kShowLanguageIcon);
    config.showTipAtStart = getLittleEndian32(bytes.data() + kShowTipAtStart);
    config.allowExample = getLittleEndian32(bytes.data() + kAllowExample);
    config.typingColours = getLittleEndian32(bytes.data() + kTypingColours);
    config.autoSpeak = getLittleEndian32(bytes.data() + kAutoSpeak);
    config.speechMode = static_cast<SpeechMode>(bytes[kSpeechMode]);
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

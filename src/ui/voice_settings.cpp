#include "ui/voice_settings.h"

#include <algorithm>
#include <charconv>

#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::string_view kVoiceName = "voice";
constexpr std::string_view kVoiceScratchName = "voice.new";
// A name longer than this is no engine's or voice's name.
constexpr std::size_t kMaxNameBytes = 200;

bool isPlainName(std::string_view name)
{
    return name.size() <= kMaxNameBytes &&
           std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

std::string encodeVoiceSettings(const VoiceSettings& settings)
{
    // A name that would not read back the same is left out: the default stands in for it.
    const auto name = [](const std::string& text) { return isPlainName(text) ? text : std::string(); };
    const int rate = std::clamp(settings.rate, VoiceSettings::kSlowest, VoiceSettings::kFastest);
    return "engine=" + name(settings.engine) + "\nvoice=" + name(settings.voice) + "\nrate=" + std::to_string(rate) + "\n";
}

VoiceSettings decodeVoiceSettings(std::string_view text)
{
    VoiceSettings settings;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "rate") {
            int rate = 0;
            const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), rate);
            if (error == std::errc() && rest == value.data() + value.size()) {
                settings.rate = std::clamp(rate, VoiceSettings::kSlowest, VoiceSettings::kFastest);
            }
        } else if ((key == "engine" || key == "voice") && isPlainName(value)) {
            (key == "engine" ? settings.engine : settings.voice) = std::string(value);
        }
    }
    return settings;
}

VoiceSettings loadVoiceSettings(const DataTree& tree)
{
    const auto bytes = readFileBytes(tree.programFile(kVoiceName));
    return bytes ? decodeVoiceSettings(*bytes) : VoiceSettings{};
}

Status saveVoiceSettings(const DataTree& tree, const VoiceSettings& settings)
{
    return writeFileAtomically(tree.programFile(kVoiceName), tree.programFile(kVoiceScratchName),
                               encodeVoiceSettings(settings));
}

}  // namespace lexivo

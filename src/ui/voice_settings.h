#pragma once
// The voice the program speaks with: the speech engine, the voice and the rate the user chose
// in the voice window. Kept in the file `voice` beside `config`, one `key=value` line each.

#include <string>
#include <string_view>

#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

struct VoiceSettings {
    static constexpr int kSlowest = -10;
    static constexpr int kFastest = 10;

    std::string engine;  // empty: the system's default engine
    std::string voice;   // empty: the engine's default voice
    int rate = 0;        // tenths between the slowest (−10) and the fastest (10) speech

    bool operator==(const VoiceSettings&) const = default;
};

std::string encodeVoiceSettings(const VoiceSettings& settings);
// Unknown lines are skipped, a rate out of range is brought within it, a name holding a
// control character is dropped: a damaged file still gives a voice to speak with.
VoiceSettings decodeVoiceSettings(std::string_view text);

// The stored choice, or the defaults when there is none or it cannot be read.
VoiceSettings loadVoiceSettings(const DataTree& tree);
// Replaces the file safely (a scratch file renamed over it).
Status saveVoiceSettings(const DataTree& tree, const VoiceSettings& settings);

}  // namespace lexivo

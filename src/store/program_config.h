#pragma once
// The program configuration `config` in the program directory: exactly 80 bytes,
// integers little-endian.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

inline constexpr std::size_t kProgramConfigSize = 80;

// How the asked word is pronounced; the values are those of the file.
enum class SpeechMode : std::uint8_t {
    Engine = 0,     // the system's speech engine
    Clipboard = 1,  // the clipboard, for another program to read aloud
    Never = 2,
};

struct ProgramConfig {
    std::string currentGroup{kNoGroupMarker};  // at most 49 bytes on disk
    std::uint32_t showPackageName = 1;         // the test shows the package of the asked word
    std::uint32_t showLanguageIcon = 0;        // the test shows the language of the asked word
    std::uint32_t showTipAtStart = 1;          // a tip opens after every start
    std::uint32_t allowExample = 1;            // the example may be shown during a test
    std::uint32_t typingColours = 0;           // colour hints while an answer is typed
    std::uint32_t autoSpeak = 1;               // every confirmed word is pronounced
    SpeechMode speechMode = SpeechMode::Engine;

    bool operator==(const ProgramConfig&) const = default;
};

// The 80 bytes of the file. Refuses a group name that the code page cannot store or that is
// longer than 49 bytes.
Result<std::array<char, kProgramConfigSize>> encodeProgramConfig(const ProgramConfig& config);

// Reads up to 80 bytes; a shorter file leaves the rest zero. Nothing else is validated.
ProgramConfig decodeProgramConfig(std::string_view bytes);

// The configuration on disk, or the defaults when the file cannot be read (it is not created).
ProgramConfig loadProgramConfig(const DataTree& tree);

// Writes the configuration safely (a scratch file renamed over `config`).
Status saveProgramConfig(const DataTree& tree, const ProgramConfig& config);

}  // namespace lexivo

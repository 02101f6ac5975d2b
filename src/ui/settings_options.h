#pragma once
// What the settings dialog edits: the test and speech options of `config`, which control edits
// which field, what an open test window shows again when one changes, and which speech
// controls a speech mode leaves visible.

#include <cstdint>
#include <string_view>
#include <vector>

#include "store/program_config.h"

namespace lexivo {

// The part of an open test window that shows an option.
enum class TestWindowPart {
    None,
    PackageLine,
    QuestionArea,  // the language icon and the example dot beside the question
    AnswerColours,
};

struct SettingsOption {
    int control;
    std::string_view caption;
    std::uint32_t ProgramConfig::*field;
    TestWindowPart shownIn;
};

// The five check boxes, in the order the dialog shows them.
const std::vector<SettingsOption>& settingsOptions();

// The speech radio buttons, their captions and their modes, in the order shown.
struct SpeechChoice {
    int control;
    std::string_view caption;
    SpeechMode mode;
};
const std::vector<SpeechChoice>& speechChoices();

// The automatic speaking box is useful unless speech is off; the voice settings only for the
// system's voice.
struct SpeechControls {
    bool autoSpeakShown;
    bool voiceSettingsShown;
};
SpeechControls speechControlsFor(SpeechMode mode);

}  // namespace lexivo

#include "ui/settings_options.h"

#include "ui/control_ids/settings_dialog.h"

namespace lexivo {

namespace control = settings_dialog_control;

const std::vector<SettingsOption>& settingsOptions()
{
    static const std::vector<SettingsOption> options = {
        {control::ShowPackageName, "Zobrazovat jméno balíčku, ze kterého pochází slovíčko, na které se program táže",
         &ProgramConfig::showPackageName, TestWindowPart::PackageLine},
        {control::ShowLanguageIcon, "Zobrazovat ikonu označující jazyk slovíčka, na které se program táže",
         &ProgramConfig::showLanguageIcon, TestWindowPart::QuestionArea},
        {control::AllowExample, "V testu umožnit zobrazení příkladu použití slovíčka ve větě (CTRL, F1)",
         &ProgramConfig::allowExample, TestWindowPart::QuestionArea},
        {control::TypingColours, "Při psaní odpovědi pomáhat barevnou indikací", &ProgramConfig::typingColours,
         TestWindowPart::AnswerColours},
        {control::AutoSpeak, "Automaticky vyslovovat každé potvrzené slovíčko", &ProgramConfig::autoSpeak,
         TestWindowPart::None},
    };
    return options;
}

const std::vector<SpeechChoice>& speechChoices()
{
    // The captions name what Linux uses: the system's speech synthesizer and its clipboard.
    static const std::vector<SpeechChoice> choices = {
        {control::SpeechEngine, "Vyslovovat pomocí hlasového syntetizátoru", SpeechMode::Engine},
        {control::SpeechClipboard, "Pomocí schránky předat jinému programu k vyslovení", SpeechMode::Clipboard},
        {control::SpeechNever, "Nikdy nic nevyslovovat", SpeechMode::Never},
    };
    return choices;
}

SpeechControls speechControlsFor(SpeechMode mode)
{
    switch (mode) {
    case SpeechMode::Engine: return {true, true};
    case SpeechMode::Clipboard: return {true, false};
    case SpeechMode::Never: break;
    }
    return {false, false};
}

}  // namespace lexivo

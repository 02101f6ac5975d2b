#pragma once
// Control numbers of the settings dialog.

namespace lexivo::settings_dialog_control {

inline constexpr int Ok = 2;
inline constexpr int TypingColours = 209;
inline constexpr int ShowPackageName = 224;
inline constexpr int ShowLanguageIcon = 225;
inline constexpr int Unlisted = 226;  // given the shared button habits, though the window lists no such control
inline constexpr int AllowExample = 227;
inline constexpr int Scheme = 231;
inline constexpr int SpeechEngine = 254;
inline constexpr int SpeechClipboard = 255;
inline constexpr int AutoSpeak = 256;
inline constexpr int SpeechNever = 257;
inline constexpr int SpeechSettings = 1254;

}  // namespace lexivo::settings_dialog_control

#pragma once
// Control numbers of the voice chooser, where the speech engine, the voice and the rate are picked.

namespace lexivo::voice_dialog_control {

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Engine = 1301;
inline constexpr int VoiceList = 1302;
inline constexpr int Rate = 1303;
inline constexpr int Try = 1304;
inline constexpr int EngineCaption = 1305;
inline constexpr int VoiceCaption = 1306;
inline constexpr int RateCaption = 1307;

}  // namespace lexivo::voice_dialog_control

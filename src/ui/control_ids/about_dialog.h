#pragma once
// Control numbers of the About dialog. The two links are drawn as links in any window.

namespace lexivo::about_dialog_control {

inline constexpr int ShowManual = 11;
inline constexpr int ShowTip = 13;
inline constexpr int ProjectLink = 89;
inline constexpr int ContactLink = 90;
inline constexpr int Ok = 179;

}  // namespace lexivo::about_dialog_control

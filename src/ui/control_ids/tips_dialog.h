#pragma once
// Control numbers of the tips dialog.

namespace lexivo::tips_dialog_control {

inline constexpr int Ok = 2;
inline constexpr int NextTip = 208;
inline constexpr int ShowAtStart = 229;
inline constexpr int TipText = 230;

}  // namespace lexivo::tips_dialog_control

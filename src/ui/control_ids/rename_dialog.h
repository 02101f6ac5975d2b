#pragma once
// Control numbers of the rename dialog.

namespace lexivo::rename_dialog_control {

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Label = 117;
inline constexpr int NewName = 118;

}  // namespace lexivo::rename_dialog_control

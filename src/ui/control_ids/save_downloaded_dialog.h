#pragma once
// Control numbers of the dialog that files downloaded packages into groups.

namespace lexivo::save_downloaded_dialog_control {

inline constexpr int Continue = 1;
inline constexpr int Cancel = 2;
inline constexpr int PackageName = 1283;
inline constexpr int ChangeGroup = 1286;
inline constexpr int Recommended = 1288;
inline constexpr int Manual = 1289;
inline constexpr int Group = 1290;

}  // namespace lexivo::save_downloaded_dialog_control

#pragma once
// Control numbers of the group dialog.

namespace lexivo::group_dialog_control {

inline constexpr int Ok = 2;
inline constexpr int GroupList = 93;
inline constexpr int AddGroup = 94;
inline constexpr int NewGroupName = 96;
inline constexpr int DeleteGroup = 97;
inline constexpr int RenameGroup = 173;

}  // namespace lexivo::group_dialog_control

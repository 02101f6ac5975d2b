#pragma once
// Control numbers of the group dialog.

namespace lexivo::group_dialog_control {

inline constexpr int Ok = 2;
inline constexpr int Heading = 91;
inline constexpr int ChosenGroupLabel = 92;
inline constexpr int GroupList = 93;
inline constexpr int AddGroup = 94;
inline constexpr int NewGroupLabel = 95;
inline constexpr int NewGroupName = 96;
inline constexpr int DeleteGroup = 97;
inline constexpr int NoGroup = 98;  // shown instead of the list and its buttons while no group exists
inline constexpr int RenameGroup = 173;

}  // namespace lexivo::group_dialog_control

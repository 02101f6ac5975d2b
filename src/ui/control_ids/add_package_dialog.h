#pragma once
// Control numbers of the add-package dialog.

namespace lexivo::add_package_dialog_control {

inline constexpr int Cancel = 2;
inline constexpr int Ok = 201;
inline constexpr int CreateNew = 202;  // option 1: a new package
inline constexpr int TakeOver = 203;   // option 2: a package from another group, or words into an existing one
inline constexpr int NewName = 204;
inline constexpr int CopyName = 205;
inline constexpr int SourceGroup = 206;
inline constexpr int SourcePackage = 207;
inline constexpr int ImportFromFile = 208;  // option 3: words from another program's file

}  // namespace lexivo::add_package_dialog_control

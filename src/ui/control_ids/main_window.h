#pragma once
// Control numbers of the main window.

namespace lexivo::main_window_control {

inline constexpr int Quit = 2;
inline constexpr int About = 3;
inline constexpr int Groups = 4;
inline constexpr int AddPackage = 5;
inline constexpr int Test = 6;
inline constexpr int ManagePackages = 7;
inline constexpr int EditPackage = 8;
inline constexpr int DeletePackage = 9;
inline constexpr int Rename = 10;
inline constexpr int TransferWords = 12;
inline constexpr int Settings = 14;
inline constexpr int Online = 15;
inline constexpr int PackageList = 100;
inline constexpr int PackageCount = 119;
inline constexpr int WordCount = 120;
inline constexpr int ListCaption = 200;
inline constexpr int WebLink = 218;
inline constexpr int Print = 1291;

}  // namespace lexivo::main_window_control

#pragma once
// Control numbers of the word transfer window.

namespace lexivo::word_transfer_window_control {

inline constexpr int Ok = 2;
inline constexpr int LeftWords = 214;
inline constexpr int RightWords = 215;
inline constexpr int LeftPackage = 216;
inline constexpr int RightPackage = 217;
inline constexpr int LeftGroup = 220;
inline constexpr int RightGroup = 221;
inline constexpr int MoveRight = 234;
inline constexpr int MoveLeft = 235;
inline constexpr int CopyRight = 236;
inline constexpr int CopyLeft = 237;
inline constexpr int LeftSort = 238;
inline constexpr int RightSort = 239;
inline constexpr int Delete = 247;

}  // namespace lexivo::word_transfer_window_control

#pragma once
// Control numbers of the export window.

namespace lexivo::export_dialog_control {

inline constexpr int Cancel = 2;
inline constexpr int Continue = 181;
inline constexpr int Title = 182;
inline constexpr int Package = 183;
inline constexpr int SeparatingLine = 184;
inline constexpr int NumberWords = 185;
inline constexpr int OrderLabel = 186;
inline constexpr int EnglishFirst = 190;
inline constexpr int CzechFirst = 191;
inline constexpr int PackageLabel = 192;
inline constexpr int HideCzech = 193;
inline constexpr int FormatLabel = 194;
inline constexpr int Format = 195;
inline constexpr int ChangeFont = 196;
inline constexpr int ChangeBackground = 198;
inline constexpr int ShowExamples = 246;

}  // namespace lexivo::export_dialog_control

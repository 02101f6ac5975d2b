#pragma once
// Control numbers of the import preview.

namespace lexivo::import_preview_dialog_control {

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int FileLabel = 301;
inline constexpr int FileName = 302;
inline constexpr int PackageNameLabel = 303;
inline constexpr int PackageName = 304;
inline constexpr int TargetNote = 305;
inline constexpr int EncodingLabel = 306;
inline constexpr int Encoding = 307;
inline constexpr int SeparatorLabel = 308;
inline constexpr int Separator = 309;
inline constexpr int FirstRowIsHeader = 310;
inline constexpr int EnglishLabel = 311;
inline constexpr int EnglishColumn = 312;
inline constexpr int CzechLabel = 313;
inline constexpr int CzechColumn = 314;
inline constexpr int ExampleLabel = 315;
inline constexpr int ExampleColumn = 316;
inline constexpr int LevelLabel = 317;
inline constexpr int LevelColumn = 318;
inline constexpr int PreviewTable = 319;
inline constexpr int ProblemsLabel = 320;
inline constexpr int ProblemList = 321;
inline constexpr int CutLongFields = 322;
inline constexpr int KeepDuplicates = 323;
inline constexpr int Summary = 324;

}  // namespace lexivo::import_preview_dialog_control

#pragma once
// Control numbers of the package editor.

namespace lexivo::package_editor_control {

inline constexpr int Ok = 2;
inline constexpr int OtherPackage = 7;
inline constexpr int PackageLabel = 102;
inline constexpr int WordList = 103;
inline constexpr int NewCzechLabel = 105;
inline constexpr int NewEnglishLabel = 106;
inline constexpr int NewCzech = 107;
inline constexpr int NewEnglish = 108;
inline constexpr int Add = 109;
inline constexpr int ChangedCzechLabel = 111;
inline constexpr int ChangedEnglishLabel = 112;
inline constexpr int ChangedCzech = 113;
inline constexpr int ChangedEnglish = 114;
inline constexpr int Change = 115;
inline constexpr int Delete = 116;
inline constexpr int SortOrder = 121;
inline constexpr int SortLabel = 122;
inline constexpr int NoWordSelected = 167;
inline constexpr int DeleteSelected = 168;
inline constexpr int SelectedCount = 170;
inline constexpr int Print = 180;
inline constexpr int Title = 233;
inline constexpr int NewExampleLabel = 240;
inline constexpr int NewExample = 241;
inline constexpr int ChangedExample = 242;
inline constexpr int ChangedExampleLabel = 244;
inline constexpr int KnowledgeLabel = 250;
inline constexpr int Knowledge = 251;

}  // namespace lexivo::package_editor_control

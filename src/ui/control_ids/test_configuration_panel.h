#pragma once
// Control numbers of the test configuration panel.

namespace lexivo::test_configuration_panel_control {

inline constexpr int ChooseCaption = 123;
inline constexpr int SelectedCount = 124;
inline constexpr int QuestionCount = 125;
inline constexpr int EnglishShown = 126;  // "Testování z angličtiny do češtiny"
inline constexpr int Start = 127;
inline constexpr int CzechShown = 128;  // "Testování z češtiny do angličtiny"
inline constexpr int RandomDirection = 129;
inline constexpr int SelectAll = 130;
inline constexpr int SelectNone = 131;
inline constexpr int FixedCount = 156;
inline constexpr int UntilAllRight = 157;
inline constexpr int NoRepeat = 158;
inline constexpr int AsLastTime = 160;
inline constexpr int CaseSensitive = 171;
inline constexpr int ByCoefficient = 249;
inline constexpr int LockCoefficients = 253;

}  // namespace lexivo::test_configuration_panel_control

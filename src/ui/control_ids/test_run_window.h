#pragma once
// Control numbers of the test run window.

namespace lexivo::test_run_window_control {

inline constexpr int Answer = 132;
inline constexpr int Dash = 133;
inline constexpr int Confirm = 134;
inline constexpr int Progress = 135;
inline constexpr int ProgressCaption = 136;
inline constexpr int Answered = 137;  // never shown
inline constexpr int Remaining = 138;
inline constexpr int RightCount = 139;
inline constexpr int WrongCount = 140;
inline constexpr int RightPercent = 141;
inline constexpr int WrongPercent = 142;
inline constexpr int PackageOfRemaining = 169;  // "Ze zbývajících vytvořit balíček"
inline constexpr int ShowSettings = 172;
inline constexpr int PackageLine = 223;
inline constexpr int Question = 245;

}  // namespace lexivo::test_run_window_control

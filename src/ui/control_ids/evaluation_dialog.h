#pragma once
// Control numbers of the evaluation.

namespace lexivo::evaluation_dialog_control {

inline constexpr int RightCount = 139;
inline constexpr int WrongCount = 140;
inline constexpr int RightCaption = 145;
inline constexpr int RightPercent = 146;
inline constexpr int WrongPercent = 147;
inline constexpr int TotalCaption = 148;
inline constexpr int TotalCount = 149;
inline constexpr int WrongCaption = 150;
inline constexpr int InterruptedNote = 152;
inline constexpr int Ok = 159;
inline constexpr int Title = 233;

}  // namespace lexivo::evaluation_dialog_control

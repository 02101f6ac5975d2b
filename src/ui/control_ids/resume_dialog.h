#pragma once
// Control numbers of the question that offers to finish an unfinished test.

namespace lexivo::resume_dialog_control {

inline constexpr int Total = 149;
inline constexpr int Answered = 151;
inline constexpr int Explanation = 153;
inline constexpr int Forget = 154;
inline constexpr int Continue = 155;
inline constexpr int DataCaption = 161;
inline constexpr int Description = 162;
inline constexpr int Progress = 163;
inline constexpr int Right = 164;
inline constexpr int Wrong = 165;
inline constexpr int SuccessCaption = 166;
inline constexpr int MoreInformation = 178;
inline constexpr int ProgressCaption = 219;
inline constexpr int Title = 233;

}  // namespace lexivo::resume_dialog_control

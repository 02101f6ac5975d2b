#pragma once
// Control numbers that keep one role in every window that has them.

namespace lexivo::shared_control {

inline constexpr int Ok = 1;     // confirms the dialog
inline constexpr int Close = 2;  // closes the dialog; Esc presses it

}  // namespace lexivo::shared_control

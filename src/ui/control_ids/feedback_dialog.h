#pragma once
// Control numbers of the "Správně" and "Chyba" windows.

namespace lexivo::feedback_dialog_control {

inline constexpr int Speaker = 259;
inline constexpr int Typo = 1236;  // "Překlep", in "Chyba" only

}  // namespace lexivo::feedback_dialog_control

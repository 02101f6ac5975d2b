#pragma once
// Control numbers of the online catalogue.

namespace lexivo::online_catalogue_dialog_control {

inline constexpr int Download = 1;
inline constexpr int Cancel = 2;
inline constexpr int Tree = 1253;
inline constexpr int Preview = 1285;

}  // namespace lexivo::online_catalogue_dialog_control

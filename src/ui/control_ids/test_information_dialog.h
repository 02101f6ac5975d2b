#pragma once
// Control numbers of the window that lists the settings of a test.

namespace lexivo::test_information_dialog_control {

inline constexpr int Ok = 2;
inline constexpr int PackageList = 176;
inline constexpr int Title = 177;
inline constexpr int PackagesCaption = 222;

}  // namespace lexivo::test_information_dialog_control

#pragma once
// Control numbers of the online choice, where the user picks a catalogue or logs in to the store.

namespace lexivo::online_choice_dialog_control {

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int HelpLink = 1263;
inline constexpr int Store = 1274;
inline constexpr int ThematicPackages = 1277;
inline constexpr int TextbookPackages = 1278;
inline constexpr int FictionPackages = 1279;
inline constexpr int UserName = 1280;
inline constexpr int Password = 1282;
inline constexpr int GuideLink = 1287;

}  // namespace lexivo::online_choice_dialog_control

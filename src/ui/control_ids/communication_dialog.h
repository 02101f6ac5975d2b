#pragma once
// Control numbers of the progress window shown while the web service is asked.

namespace lexivo::communication_dialog_control {

inline constexpr int Text = 1272;

}  // namespace lexivo::communication_dialog_control

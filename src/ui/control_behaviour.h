#pragma once
// The keyboard and mouse habits every window shares, attached to its controls by class:
// Enter presses a button, edits swallow Enter and Tab, Tab does not wander away from a control
// that wants all keys, links show a hand, a right click asks for quick help, and each window's
// own shortcuts.

#include <functional>

#include "ui/window_kind.h"

class QWidget;

namespace lexivo {

// Installs the behaviours on the window's controls that its kind lists. Call once, after the
// controls exist.
void attachControlBehaviour(QWidget* window, WindowKind windowKind);

// Called with the control that was right-clicked; quick help answers it.
using QuickHelpHandler = std::function<void(QWidget* control)>;
void setQuickHelpHandler(QuickHelpHandler handler);

}  // namespace lexivo

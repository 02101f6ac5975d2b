#pragma once
// The keyboard and mouse habits every window shares, attached to its controls by class:
// Enter presses a button, edits swallow Enter and Tab, Tab does not wander away from a control
// that wants all keys, links show a hand, a right click asks for quick help, and each window's
// own shortcuts.

#include <functional>

#include "ui/quick_help_texts.h"
#include "ui/window_kind.h"

class QWidget;

namespace lexivo {

// What a window tells quick help about itself at the moment of a right click.
using QuickHelpStateSource = std::function<QuickHelpState()>;

// Installs the behaviours on the window's controls that its kind lists. Call once, after the
// controls exist. A window whose quick-help texts depend on its state passes where to read it.
void attachControlBehaviour(QWidget* window, WindowKind windowKind, QuickHelpStateSource state = {});

// Answers right clicks with quick help.
class QuickHelpHandler {
public:
    virtual ~QuickHelpHandler() = default;
    // A right click on `control`, one of the controls of a window of `windowKind`.
    virtual void showQuickHelp(QWidget* control, WindowKind windowKind, const QuickHelpState& state) = 0;
    // The right button was released over an edit field.
    virtual void closeQuickHelp() = 0;
};

// The handler of every right click from now on; nullptr: right clicks only do nothing.
void setQuickHelpHandler(QuickHelpHandler* handler);
QuickHelpHandler* quickHelpHandler();

}  // namespace lexivo

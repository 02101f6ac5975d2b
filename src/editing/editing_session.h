#pragma once
// What the editing windows share while the program runs: the desktop's choosers they open and
// the export's document style, whose colour and effects are kept from one export to the next.
// The main window creates one; tests create their own.

#include "editing/export_document.h"

namespace lexivo {

class DesktopChoosers;

struct EditingSession {
    explicit EditingSession(DesktopChoosers& desktopChoosers) : choosers(desktopChoosers) {}

    DesktopChoosers& choosers;
    ExportStyle exportStyle;
};

}  // namespace lexivo

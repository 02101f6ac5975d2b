#pragma once
// The height of the bold text on owner-drawn bitmap buttons, by window kind and control.

#include "ui/design_grid.h"
#include "ui/window_kind.h"

namespace lexivo {

// Large windows use the large button faces and text colour.
bool isLargeWindow(WindowKind kind);

// Text height in pixels: scaleY(33) unless a rule says otherwise; the last matching rule wins.
int bitmapButtonTextHeight(WindowKind kind, int controlId, const DesignGrid& grid);

}  // namespace lexivo

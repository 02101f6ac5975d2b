#pragma once
// The document font of an exported page and the widths of its lines. The export window and the
// command line both measure here, so they write the same page for the same package.

#include <QFont>

#include "editing/export_document.h"

namespace lexivo {

// The document font at a pixel height.
QFont exportDocumentFont(const ExportStyle& style, int height);

// The width of one line of the page in the document font. Character advances are summed
// without kerning, as the desktop's text extent measures them.
TextWidth exportLineWidth(const ExportStyle& style);

}  // namespace lexivo

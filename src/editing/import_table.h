#pragma once
// The table of any file to import: delimited text through the core's reader, KDE vocabulary
// documents through Qt's XML reader. Both the windows and the command line read files here.

#include <string_view>

#include "editing/word_import.h"
#include "store/result.h"

namespace lexivo {

// A KDE vocabulary document (version 2) as rows of four cells: the English text, the Czech
// text, the English example and the knowledge level 0–4 (from the grade of the Czech
// translation, else of the English one; empty when the document keeps none). The row's line is the line of its entry. The languages are found
// by their locale ("en…", "cs"/"cz"); without one, the first two identifiers are taken.
// Refuses, in Czech, a document that is not well-formed or not version 2.
Result<ImportTable> readKvtmlTable(std::string_view bytes);

// What detection proposes for the file: for a KDE document its fixed four columns.
ImportSettings detectImportSettings(const ImportFile& file);

// The file's rows as the settings read them.
Result<ImportTable> readImportTable(const ImportFile& file, const ImportSettings& settings);

}  // namespace lexivo

#pragma once
// The export of a package for printing: a styled page (offered as "RTF (Word)" and as
// "HTML (web)", the same HTML 4.01 document) or plain text, and the preview of either.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/package_editing.h"
#include "editing/word_list.h"
#include "store/result.h"
#include "ui/colour_scheme.h"

namespace lexivo {

enum class ExportFormat { Rtf, Html, Text };

inline constexpr std::string_view kExportDialogTitle = "Exportovat balíček...";
enum class ExportDirection { ForeignFirst, CzechFirst };

// The format drop-down's labels in the order of `ExportFormat`.
std::vector<std::string> exportFormatLabels();
std::string_view exportExtension(ExportFormat format);
bool isStyledFormat(ExportFormat format);
// The order of the editor's list that an export direction shows.
WordOrder wordOrderFor(ExportDirection direction);
// The label of the check box that hides one language; `foreignAdjective` is "anglické".
std::string hideLanguageLabel(ExportDirection direction, std::string_view foreignAdjective);

struct ExportOptions {
    ExportDirection direction = ExportDirection::ForeignFirst;
    bool showExamples = false;
    bool separateWords = false;
    bool numberWords = false;
    bool hideOneLanguage = false;  // hides the second expression of each line
    ExportFormat format = ExportFormat::Rtf;
};

// Six upper-case hexadecimal digits: red, green, blue.
std::string hexColour(Rgb colour);

// The document font and colours. Face, size and background are reset whenever the export
// window opens; the rest is kept for the program run.
struct ExportStyle {
    std::string face = "Arial";
    int size = 21;  // pixels
    Rgb background{255, 255, 255};
    Rgb colour{0, 0, 0};
    int weight = 0;  // 0: not set
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    void resetForOpening();
    // The height the page and the preview use.
    int documentFontSize() const;
};

// One word as exported.
struct ExportLine {
    std::optional<int> number;
    std::string shown;          // the list line, or the shown expression and " -"
    std::string example;        // empty when not shown
    int fillerCount = 0;        // blanks before the example that stand in for the hidden expression
};

// The editor's list lines in the export's order, with the package's records in file order.
struct ExportSource {
    std::vector<std::string> lines;
    std::vector<WordRecord> records;
};
// What the editor shows: the export follows its package and its order.
ExportSource exportSource(const PackageEditing& editing);

// The lines of the export. A list line whose record the file no longer holds refuses the
// whole export, so that nothing half-done is written.
Result<std::vector<ExportLine>> exportLines(const ExportSource& source, const ExportOptions& options);

// The width in pixels of one line of text in the document font.
using TextWidth = std::function<int(std::string_view utf8)>;
// The page width: nine tenths of the widest list line as the page would show it.
int exportPageWidth(const ExportSource& source, const ExportOptions& options, const TextWidth& measure);

// The file's bytes in Windows-1250 with CR LF line ends.
Result<std::string> exportDocument(const std::vector<ExportLine>& lines, const ExportOptions& options,
                                   const ExportStyle& style, int pageWidth);

// The sample drawn in the export window; it ends after the line that passes 2000 characters.
// Empty when the export would be refused.
std::string exportPreview(const ExportSource& source, const ExportOptions& options);

// Writes the file through a scratch file beside it: either the whole new file is there, or
// whatever was there before stays.
Status writeExportFile(const std::filesystem::path& file, std::string_view bytes);

// Asked after a successful export; Yes opens the file.
Message exportDoneQuestion();

}  // namespace lexivo

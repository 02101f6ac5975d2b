#include "editing/export_document.h"

#include <algorithm>
#include <cstdio>

#include "store/cp1250.h"
#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFileSeparatorLength = 70;
constexpr std::size_t kPreviewSeparatorLength = 72;
constexpr std::size_t kPreviewCharacters = 2000;

// Text of a word as page content: markup characters in a word are shown, never obeyed.
std::string escapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// A font name inside the style rule cannot end the rule or the style element.
std::string styleSafe(std::string_view face)
{
    std::string safe;
    for (char c : face) {
        if (std::string_view("<>{};\"\r\n").find(c) == std::string_view::npos) {
            safe += c;
        }
    }
    return safe;
}

enum class Markup { Html, Plain };

std::string lineContent(const ExportLine& line, Markup markup)
{
    const bool html = markup == Markup::Html;
    std::string content;
    if (line.number) {
        content += std::to_string(*line.number) + ". ";
    }
    content += html ? escapeHtml(line.shown) : line.shown;
    if (!line.example.empty()) {
        for (int i = 0; i < line.fillerCount; ++i) {
            content += html ? "&nbsp;" : " ";
        }
        content += ": ";
        content += html ? escapeHtml(line.example) : line.example;
    }
    return content;
}

std::string textDecoration(const ExportStyle& style)
{
    if (style.underline && style.strikeOut) {
        return "underline line-through;";
    }
    if (style.underline) {
        return "underline;";
    }
    return style.strikeOut ? "line-through;" : "none;";
}

std::string styledDocument(const std::vector<ExportLine>& lines, const ExportOptions& options,
                           const ExportStyle& style, int pageWidth)
{
    const std::string colour = hexColour(style.colour);
    std::string out;
    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n";
    out += "<html>\r\n<head>\r\n";
    out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r\n";
    out += "<style>.trida{";
    if (options.separateWords) {
        out += "border-bottom:1px solid #" + colour + ";";
    }
    out += "text-decoration:" + textDecoration(style);
    out += "font-family:" + styleSafe(style.face) + ",Arial;";
    out += "font-size:" + std::to_string(style.documentFontSize()) + " px;";
    out += "color:#" + colour + ";";
    out += "font-weight:" + (style.weight == 0 ? std::string("normal") : std::to_string(style.weight)) + ";";
    if (style.italic) {
        out += "font-style:italic;";
    }
    out += "}</style>\r\n</head>\r\n";
    out += "<body bgcolor=\"#" + hexColour(style.background) + "\">\r\n";
    out += "<div style=\"width:" + std::to_string(pageWidth) + "px\">\r\n";
    for (const ExportLine& line : lines) {
        out += "<div class=\"trida\">" + lineContent(line, Markup::Html) + "</div>\r\n";
    }
    // The page's width element is closed before the body, so the page is well formed.
    out += "</div>\r\n</body>\r\n</html>";
    return out;
}

std::string textDocument(const std::vector<ExportLine>& lines, const ExportOptions& options)
{
    std::string out;
    for (const ExportLine& line : lines) {
        out += lineContent(line, Markup::Plain);
        out += kLineEnd;
        if (options.separateWords) {
            out.append(kFileSeparatorLength, '-');
            out += kLineEnd;
        }
    }
    return out;
}

// The record of each list line, when the export needs the records at all.
Result<std::vector<const WordRecord*>> lineRecords(const ExportSource& source, const ExportOptions& options)
{
    std::vector<const WordRecord*> records(source.lines.size(), nullptr);
    if (!options.showExamples && !options.hideOneLanguage) {
        return records;
    }
    const auto matches = matchLinesToRecords(source.records, source.lines, wordOrderFor(options.direction));
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (!matches[i]) {
            return errorMessage("Slovíčko „" + source.lines[i] +
                                "“ se v balíčku nenašlo, balíček byl mezitím změněn. Export nebyl proveden.");
        }
        records[i] = &source.records[*matches[i]];
    }
    return records;
}

}  // namespace

std::vector<std::string> exportFormatLabels()
{
    return {"RTF (Word)", "HTML (web)", "TXT (text)"};
}

std::string_view exportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Rtf:
        return "rtf";
    case ExportFormat::Html:
        return "html";
    case ExportFormat::Text:
        break;
    }
    return "txt";
}

bool isStyledFormat(ExportFormat format)
{
    return format != ExportFormat::Text;
}

WordOrder wordOrderFor(ExportDirection direction)
{
    return direction == ExportDirection::CzechFirst ? WordOrder::Czech : WordOrder::Foreign;
}

std::string hideLanguageLabel(ExportDirection direction, std::string_view foreignAdjective)
{
    return direction == ExportDirection::ForeignFirst ? "Nezobrazovat české výrazy"
                                                      : "Nezobrazovat " + std::string(foreignAdjective) + " výrazy";
}

std::string hexColour(Rgb colour)
{
    char digits[7];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", colour.red, colour.green, colour.blue);
    return digits;
}

void ExportStyle::resetForOpening()
{
    const ExportStyle defaults;
    face = defaults.face;
    size = defaults.size;
    background = defaults.background;
}

int ExportStyle::documentFontSize() const
{
    return static_cast<int>(size * 0.777777777);
}

ExportSource exportSource(const PackageEditing& editing)
{
    ExportSource source;
    source.lines.reserve(editing.lines().size());
    for (const WordDisplayLine& line : editing.lines()) {
        source.lines.push_back(line.text);
    }
    source.records = editing.records();
    return source;
}

Result<std::vector<ExportLine>> exportLines(const ExportSource& source, const ExportOptions& options)
{
    auto records = lineRecords(source, options);
    if (!records) {
        return records.message();
    }
    const bool foreignFirst = options.direction == ExportDirection::ForeignFirst;
    std::vector<ExportLine> lines;
    lines.reserve(source.lines.size());
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        const WordRecord* record = records.value()[i];
        ExportLine line;
        if (options.numberWords) {
            line.number = static_cast<int>(i) + 1;
        }
        line.shown = source.lines[i];
        if (options.showExamples) {
            line.example = record->example;
        }
        if (options.hideOneLanguage) {
            line.shown = (foreignFirst ? record->english : record->czech) + " -";
            // About as wide as the hidden expression, so the examples line up as on the full page.
            const std::size_t hidden = characterCount(foreignFirst ? record->czech : record->english);
            line.fillerCount = static_cast<int>(hidden * 3 / 2) + 1;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

int exportPageWidth(const ExportSource& source, const ExportOptions& options, const TextWidth& measure)
{
    std::vector<const WordRecord*> records(source.lines.size(), nullptr);
    if (options.showExamples) {
        const auto matches = matchLinesToRecords(source.records, source.lines, wordOrderFor(options.direction));
        for (std::size_t i = 0; i < matches.size(); ++i) {
            records[i] = matches[i] ? &source.records[*matches[i]] : nullptr;
        }
    }
    int widest = 0;
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        std::string text = source.lines[i];
        if (records[i] != nullptr && !records[i]->example.empty()) {
            text += ": " + records[i]->example;
        }
        if (options.numberWords) {
            text += "999.";
        }
        widest = std::max(widest, measure(text));
    }
    return static_cast<int>(0.9 * widest);
}

Result<std::string> exportDocument(const std::vector<ExportLine>& lines, const ExportOptions& options,
                                   const ExportStyle& style, int pageWidth)
{
    return encodeCp1250(isStyledFormat(options.format) ? styledDocument(lines, options, style, pageWidth)
                                                       : textDocument(lines, options));
}

std::string exportPreview(const ExportSource& source, const ExportOptions& options)
{
    const auto lines = exportLines(source, options);
    if (!lines) {
        return {};
    }
    std::string preview;
    std::size_t characters = 0;
    for (const ExportLine& line : lines.value()) {
        std::string piece = lineContent(line, Markup::Plain) + "\n";
        if (options.separateWords) {
            piece.append(kPreviewSeparatorLength, '-');
            piece += "\n";
        }
        preview += piece;
        characters += characterCount(piece);
        if (characters > kPreviewCharacters) {
            break;
        }
    }
    return preview;
}

Status writeExportFile(const std::filesystem::path& file, std::string_view bytes)
{
    // A scratch name beside the file that nothing else uses.
    std::filesystem::path scratch;
    for (int attempt = 0;; ++attempt) {
        std::string name(1, '.');
        name += file.filename().string();
        name += '.';
        name += std::to_string(attempt);
        name += ".part";
        scratch = file.parent_path() / name;
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(scratch, error))) {
            break;
        }
    }
    return writeFileAtomically(file, scratch, bytes);
}

Message exportDoneQuestion()
{
    return {"Obsah balíčku byl úspěšně exportován do souboru. Nyní můžete tento soubor otevřít a vytisknout.\n\n"
            "Chcete teď vytvořený soubor otevřít?",
            MessageIcon::Question, "Dotaz"};
}

}  // namespace lexivo

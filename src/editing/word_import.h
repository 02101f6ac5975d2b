#pragma once
// Bringing words in from other programs' files: delimited text (CSV and TSV from spreadsheets,
// the tab-separated export of flash-card programs) and KDE vocabulary documents (.kvtml).
// A file is read once; its encoding, separator, header row and columns are detected and may
// be changed; every line is then checked against the rules of a package, and the words that
// pass are written to the package all at once, or not at all.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/collection.h"
#include "store/data_tree.h"
#include "store/result.h"
#include "store/word_record.h"

namespace lexivo {

// A larger file is refused before it is read.
inline constexpr std::uintmax_t kMaxImportFileBytes = 50u * 1024u * 1024u;

enum class ImportFormat { Delimited, Kvtml };
enum class ImportEncoding { Utf8, Windows1250 };
enum class ImportSeparator { Comma, Semicolon, Tab };

// The labels the preview and the command line use, in the order of the enums.
std::string_view encodingLabel(ImportEncoding encoding);      // "UTF-8", "Windows-1250"
std::string_view separatorLabel(ImportSeparator separator);  // "čárka", "středník", "tabulátor"
std::optional<ImportEncoding> encodingNamed(std::string_view name);    // "utf-8", "cp1250", "windows-1250"…
std::optional<ImportSeparator> separatorNamed(std::string_view name);  // "comma" ",", "semicolon" ";", "tab"…

// A file as read, not yet decoded.
struct ImportFile {
    std::string bytes;
    ImportFormat format = ImportFormat::Delimited;
    std::string baseName;  // the file name without its extension, UTF-8: a name for the package
};

// Reads a file to import. Refuses, in Czech, one that is missing, unreadable, not a regular
// file, larger than 50 MB (without reading it) or not text (NUL bytes, UTF-16).
Result<ImportFile> readImportFile(const std::filesystem::path& file);

// Valid UTF-8 (with or without a byte-order mark) is UTF-8; anything else is Windows-1250.
ImportEncoding detectEncoding(std::string_view bytes);
// The separator that splits the first lines most evenly (outside quotes); tab when none does.
// Separators, quotes and line ends are ASCII, so the bytes of either encoding will do.
ImportSeparator detectSeparator(std::string_view bytes);

// Which cell of a row holds which part of a word; the example and the level are optional.
struct ImportColumns {
    int english = 0;
    int czech = 1;
    std::optional<int> example;
    std::optional<int> level;  // knowledge level 0 (known) to 4 (not known)
    bool operator==(const ImportColumns&) const = default;
};

// How the file is read: what detection proposes, and what the user may change.
struct ImportSettings {
    ImportEncoding encoding = ImportEncoding::Utf8;
    ImportSeparator separator = ImportSeparator::Tab;
    bool firstRowIsHeader = false;
    ImportColumns columns;
    bool operator==(const ImportSettings&) const = default;
};

// One row of the file, with the line on which it starts (counted from 1).
struct ImportRow {
    int line = 0;
    std::vector<std::string> cells;  // UTF-8
    bool operator==(const ImportRow&) const = default;
};

// An import lists at most this many faulty lines; at the next one it stops.
inline constexpr std::size_t kMaxListedProblems = 1000;
// No more rows of a file are ever read: every word a package can take, every problem listed,
// the row that stops the import and a header row. So a large file costs no more than this.
inline constexpr std::size_t kMaxImportRows = kMaxWordsPerPackage + kMaxListedProblems + 2;

// A row holds at most this many cells; the rest of a longer row is left out.
inline constexpr std::size_t kMaxImportColumns = 100;

struct ImportTable {
    std::vector<ImportRow> rows;  // the rows of the file, the header row too, at most kMaxImportRows
    int columnCount = 0;          // the most cells of any row
    bool cut = false;             // the file holds more rows than were read
};

// Splits delimited text in `encoding` into rows of UTF-8 cells: quoted fields may hold
// separators, doubled quotes and line breaks; lines that are empty are left out; flash-card
// exports' leading "#key:value" lines are read as settings, not rows. A byte-order mark is
// dropped; bytes that are not valid in the encoding become U+FFFD, which no package can store.
ImportTable splitDelimitedText(std::string_view bytes, ImportEncoding encoding, ImportSeparator separator,
                               std::size_t maxRows = kMaxImportRows);

// A header row names its columns ("English", "anglicky", "front", "Czech", "příklad", "level"…);
// its names, when recognised, also place the columns.
struct HeaderReading {
    bool isHeader = false;
    ImportColumns columns;
};
HeaderReading readHeaderRow(const ImportRow& row);

// Proposes settings for delimited text: encoding, separator, header and columns. A chosen
// encoding or separator is kept, and the header and columns are found for the text read so.
ImportSettings detectDelimitedSettings(std::string_view bytes, std::optional<ImportEncoding> chosenEncoding = {},
                                       std::optional<ImportSeparator> chosenSeparator = {});

// What the user chose for lines that break a rule.
struct ImportChoices {
    bool cutLongFields = false;   // cut a field over 249 characters instead of skipping its line
    bool keepDuplicates = false;  // import a word the package already holds
    bool operator==(const ImportChoices&) const = default;
};

// A line that is skipped, or imported with a change, and why.
struct ImportProblem {
    int line = 0;
    std::string reason;  // Czech
    bool skipped = true;
    bool operator==(const ImportProblem&) const = default;
};

// What an import will do: the words to write, in file order, and each line it leaves out or cuts.
struct ImportPlan {
    std::vector<WordRecord> words;
    std::vector<ImportProblem> problems;
};

// Checks each row against the rules of a package that already holds `existing` (its records
// as read; empty for a new package): a field over 249 characters, a "|" or "#" or a line break
// inside a field, a character Windows-1250 cannot store, an empty English or Czech field,
// a level that is not 0 to 4, a duplicate, and the 1000-word limit. The first row that no
// longer fits, or the faulty row after 1000 listed ones, is listed for itself and the rest of
// the file, and the plan ends there.
ImportPlan planImport(const std::vector<ImportRow>& rows, const ImportColumns& columns,
                      const std::vector<WordRecord>& existing, const ImportChoices& choices);

// The rows that hold words: without the header row when the settings say there is one.
std::vector<ImportRow> wordRows(const ImportTable& table, const ImportSettings& settings);

// Whether `package` names a package of the collection's current group; for one still to be
// made, the first rule of a new package it breaks (a full group, a name the rules refuse).
struct ImportTarget {
    bool exists = false;
    std::optional<Message> refusal;
};
ImportTarget checkImportTarget(const Collection& collection, std::string_view package);

// Appends the plan's words to `package` of `group`, creating it when missing, through the
// group's scratch file: the package then holds all the new words or stays as it was. A plan
// without words is refused.
Status writeImport(const DataTree& tree, std::string_view group, std::string_view package, const ImportPlan& plan);

// The package as CSV in UTF-8: a header row, then English, Czech, example and level per word,
// quoted where needed, CR LF line ends. Importing it into an empty package gives back the same
// package file.
std::string exportCsv(const std::vector<WordRecord>& records);

}  // namespace lexivo

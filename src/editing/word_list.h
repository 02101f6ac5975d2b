#pragma once
// How a word appears in the word lists of the package editor, the transfer window and the
// export, and how a line of such a list finds its record in the package file again.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/collection.h"
#include "store/result.h"
#include "store/word_record.h"

namespace lexivo {

// The orders of a word list. The transfer window offers the first three.
enum class WordOrder {
    Foreign,    // foreign + " - " + Czech, sorted
    Czech,      // Czech + " - " + foreign, sorted
    DateAdded,  // foreign + " - " + Czech, in file order
    Knowledge,  // foreign + " - " + Czech, in blocks by knowledge 0 to 4, each sorted
};

inline constexpr std::string_view kLineSeparator = " - ";
inline constexpr int kKnowledgeLevels = 5;
// The labels of the knowledge levels; the index is the digit.
inline constexpr std::array<std::string_view, kKnowledgeLevels> kKnowledgeLabels = {"Výborná", "Dobrá", "Průměrná",
                                                                                    "Špatná", "Žádná"};
inline constexpr int kUnknownLevel = 4;

// The labels of the sort drop-downs in the order of `WordOrder`; `foreignWords` is the
// foreign language's "anglických výrazů". The transfer window shows the first three.
std::vector<std::string> wordOrderLabels(std::string_view foreignWords);

// One expression, " - ", the other: Czech first in the Czech order, foreign first otherwise.
std::string wordDisplayLine(const WordRecord& record, WordOrder order);

// The knowledge level a list shows: an empty field counts as 4; nothing for any other text
// than one digit 0 to 4.
std::optional<int> knowledgeLevel(const WordRecord& record);
// The level the editor's knowledge drop-down shows: a field it cannot show counts as 4.
int shownKnowledgeLevel(const WordRecord& record);

// How a word appears in every word list; a word is found again in its file by this text.
struct WordDisplayLine {
    std::string text;
    bool hasExample = false;  // drawn as a dot before the line; never set in the knowledge order
    bool operator==(const WordDisplayLine&) const = default;
};

// The lines of a word list for the records of a file, in file order. `lineOrder` is the
// list's own sorting (case-insensitive, the user's collation); ties keep file order. In the
// knowledge order a record whose knowledge field is neither empty nor one digit 0 to 4 is
// not listed.
std::vector<WordDisplayLine> wordListLines(const std::vector<WordRecord>& records, WordOrder order,
                                        const NameOrder& lineOrder);

// The index of the first record, in file order, whose line equals `line`.
std::optional<std::size_t> locateRecordLine(const std::vector<WordRecord>& records, std::string_view line,
                                            WordOrder order);

// Whether a group or package name names an entry of its own directory and nothing beyond it.
bool isPlainName(std::string_view name);

// The records of a file in file order, or the message why it cannot be read.
Result<std::vector<WordRecord>> readRecordFile(const std::filesystem::path& file);

// The records a word list shows: none for a missing package; none and the reason for one that
// is there but cannot be read, so that it never passes for a package without words.
struct ListedRecords {
    std::vector<WordRecord> records;
    std::optional<Message> readFailure;
};
ListedRecords readListedRecords(const std::filesystem::path& file);

// Pairs each of several list lines with a record of its own: identical lines take the
// matching records one each, the first in file order first. Nothing for a line left without
// a record (the file no longer holds it).
std::vector<std::optional<std::size_t>> matchLinesToRecords(const std::vector<WordRecord>& records,
                                                            const std::vector<std::string>& lines, WordOrder order);

// Counts down a set of lines as records are met in file order: the records `matchLinesToRecords`
// pairs with the lines are exactly the ones `take` accepts.
class LineTally {
public:
    LineTally(const std::vector<std::string>& lines, WordOrder order);
    // Whether the record's line is still pending; if so it is counted off.
    bool take(const WordRecord& record);
    bool empty() const { return pending_ == 0; }

private:
    std::vector<std::pair<std::string, int>> counts_;  // sorted by line
    std::size_t pending_ = 0;
    WordOrder order_;
};

}  // namespace lexivo

#pragma once
// The word record: one line of a package file, four fields separated by "|".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo {

inline constexpr char kFieldSeparator = '|';
// A field holds at most this many bytes of the file; the reader drops the rest.
inline constexpr std::size_t kMaxFieldBytes = 249;
// A package holds at most this many words.
inline constexpr int kMaxWordsPerPackage = 1000;
// The knowledge coefficient of a new word, and of a word whose field is empty.
inline constexpr std::string_view kUnknownKnowledge = "4";

// One word. All fields are UTF-8 in memory.
struct WordRecord {
    std::string english;
    std::string czech;
    std::string example;
    std::string knowledge;  // "0" (excellent) to "4" (none); may be empty

    // English, Czech and example all empty: what the reader yields for an empty line.
    bool isEmpty() const { return english.empty() && czech.empty() && example.empty(); }
    bool operator==(const WordRecord&) const = default;
};

// A record together with the exact bytes it was read from (its separators and its line end
// included), so that a rewrite can copy a record it does not change as it stands.
struct StoredRecord {
    WordRecord record;
    std::string_view raw;
};

// Reads records from the bytes of a package file. A line ends with LF or CR LF; a lone CR is
// an ordinary byte. A fourth separator ends a record mid-line and the rest of the line is the
// next record. Fields are cut at 249 bytes and NUL bytes are dropped.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    // The next record, or nothing at the end of the bytes. An empty line yields an empty record.
    std::optional<StoredRecord> next();
    bool atEnd() const { return position_ >= bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The next record, or the empty record at the end: the reading loop of every consumer that
// stops at the empty record.
WordRecord readWordRecord(RecordReader& reader);

// The record as one line in Windows-1250 ending in CR LF, with exactly three separators.
// Refuses a field that holds a character the code page cannot store, a separator or a line end.
Result<std::string> encodeWordRecord(const WordRecord& record);

// Appends the encoded record to `out`.
Status writeWordRecord(std::string& out, const WordRecord& record);

// A record's line with a new knowledge coefficient: the first three fields keep their exact
// bytes (so a field longer than the reader keeps is not cut), missing separators are added,
// and the line ends in CR LF.
Result<std::string> withKnowledge(std::string_view raw, std::string_view knowledge);

// The number of lines of a package file's bytes: every LF counts, and a last line without
// one counts too.
int countLines(std::string_view bytes);

}  // namespace lexivo

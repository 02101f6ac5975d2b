#pragma once
// The test pool `Test`: for each chosen package a heading line "#|" + its name, followed by
// the package's records copied byte for byte. Held in memory as the file's bytes plus an index
// of its records while a test runs, and written back after every change from those bytes, so
// the file on disk is always the pool of the next question.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/file_io.h"
#include "store/result.h"
#include "store/word_record.h"

namespace lexivo {

class TestPool {
public:
    // A change to one word: its line with a new coefficient, its removal, or both.
    struct Change {
        int index = -1;
        std::optional<std::string> line;  // the word's new line; nothing when it keeps its bytes
        std::optional<int> coefficient;
        bool removesWord = false;

        bool altersPool() const { return line.has_value() || removesWord; }
    };

    // The pool of the given packages, in list order. A package whose last line has no line end
    // gets one, so that the next heading starts its own line; a record of a package that
    // would read as a heading is left out. Refuses names the pool cannot hold, a package that
    // cannot be read (a missing one adds no words) and a pool larger than 64 MB.
    static Result<TestPool> build(const DataTree& tree, std::string_view group,
                                  const std::vector<std::string>& packages);
    static Result<TestPool> read(const std::filesystem::path& file);
    static TestPool parse(std::string bytes);

    // Words are the records that are neither headings nor empty; they are numbered from 0.
    int wordCount() const { return static_cast<int>(words_.size()); }
    WordRecord word(int index) const;
    // The word's record exactly as the pool holds it.
    std::string_view wordLine(int index) const;
    const std::string& packageOf(int index) const;
    // The knowledge coefficient as a number: an empty field, or anything but a digit 0–4, is 4.
    int coefficientOf(int index) const;
    // Whether the word's knowledge field holds exactly its coefficient's digit.
    bool coefficientWrittenOut(int index) const;
    // How many words have each coefficient 0 to 4.
    const std::array<int, 5>& levelCounts() const { return levelCounts_; }
    // The index of the (n+1)-th word, in pool order, whose coefficient is `level`; -1 if none.
    int nthWordAtLevel(int level, int n) const;
    // The names of the packages in the pool, in pool order.
    const std::vector<std::string>& packageNames() const { return packageNames_; }

    // The change that gives the word a new coefficient and/or removes it; the pool stays as it is.
    Result<Change> prepareChange(int index, std::optional<int> coefficient, bool removeWord) const;
    // The pool's bytes, as they are or with `pending` applied, in pieces of the held bytes.
    void write(PieceSink& sink, const Change* pending = nullptr) const;
    // Takes the change into memory, once the file holds it.
    void apply(const Change& change);

private:
    // A word in four bytes: 481 000 of them are held while a test runs, and fresh memory is
    // slow to touch.
    struct Word {
        std::uint32_t offset : 26 = 0;      // where it stands in bytes_; a pool is smaller than 64 MB
        std::uint32_t coefficient : 3 = 0;  // 0–4
        std::uint32_t writtenOut : 1 = 0;   // the knowledge field is exactly the digit
        std::uint32_t patched : 1 = 0;      // its line lies in spill_
    };
    // A stretch of bytes_ written differently: a word's line rewritten with another length
    // (its new line lies in spill_), or a removed word or a left-out record (nothing).
    struct Patch {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t replacementOffset = 0;
        std::uint32_t replacementLength = 0;
    };
    enum class Headings { Allowed, LeftOut };

    void reserveIndex();
    // Indexes the records of bytes_ from `start` to `end`.
    void indexRecords(std::size_t start, std::size_t end, Headings headings);
    void addHeading(std::size_t start, std::string name);
    std::vector<Patch>::const_iterator patchAt(std::uint32_t offset) const;
    // The stretch of bytes_ the word's line took when the pool was read.
    Patch stretchOf(const Word& word) const;
    void putPatch(const Patch& patch);

    std::string bytes_;
    std::string spill_;
    std::vector<Word> words_;
    std::vector<Patch> patches_;                  // in the order of their offsets
    std::vector<std::uint32_t> headingOffsets_;  // where each heading stands in bytes_
    std::vector<std::string> packageNames_;      // the name of each heading
    std::array<int, 5> levelCounts_{};
};

}  // namespace lexivo

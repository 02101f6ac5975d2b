#pragma once
// The test pool `Test`: for each chosen package a heading line "#|" + its name, followed by
// the package's records copied byte for byte. Held in memory while a test runs and written
// back whole after every change, so the file on disk is always the pool of the next question.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/result.h"
#include "store/word_record.h"

namespace lexivo {

class TestPool {
public:
    // The pool of the given packages, in list order. A package whose last line has no line end
    // gets one, so that the next heading starts its own line. Refuses names the code page
    // cannot store.
    static Result<TestPool> build(const DataTree& tree, std::string_view group,
                                  const std::vector<std::string>& packages);
    static TestPool parse(std::string_view bytes);

    // Words are the records that are neither headings nor empty; they are numbered from 0.
    int wordCount() const { return static_cast<int>(wordLines_.size()); }
    WordRecord word(int index) const;
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

    Status setCoefficient(int index, int coefficient);
    void remove(int index);

    std::string bytes() const;

private:
    struct Line {
        std::string raw;
        std::int32_t package = -1;     // index into packageNames_; -1 before any heading
        std::int8_t coefficient = -1;  // 0–4 for a word, -1 for a heading or an empty record
        bool writtenOut = false;       // the knowledge field is exactly the digit
        bool removed = false;
    };

    static int coefficientFrom(std::string_view knowledge);
    void addRecord(std::string_view raw, const WordRecord& record);

    std::vector<Line> lines_;
    std::vector<std::uint32_t> wordLines_;  // line of each word, in order
    std::vector<std::string> packageNames_;
    std::array<int, 5> levelCounts_{};
};

}  // namespace lexivo

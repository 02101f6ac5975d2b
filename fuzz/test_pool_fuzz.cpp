// The test pool `Test`. Parsed bytes are written back unchanged; after the changes a test makes
// (new coefficients, removed words), the bytes written parse again to the same words, packages
// and coefficients that the pool held in memory.
// Input: one byte n, then n changes of two bytes each, then the pool's bytes.

#include "fuzz_support.h"
#include "test/test_pool.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace lexivo;

namespace {

struct Word {
    WordRecord record;
    std::string package;
    int coefficient;
    bool operator==(const Word&) const = default;
};

// The pool's bytes as it would write them.
std::string bytesOf(const TestPool& pool)
{
    struct Collect final : PieceSink {
        std::string bytes;
        void add(std::string_view piece) override { bytes += piece; }
    } sink;
    pool.write(sink);
    return sink.bytes;
}

std::vector<Word> wordsOf(const TestPool& pool)
{
    std::vector<Word> words;
    for (int index = 0; index < pool.wordCount(); ++index) {
        words.push_back({pool.word(index), pool.packageOf(index), pool.coefficientOf(index)});
    }
    return words;
}

void checkLevels(const TestPool& pool, const std::vector<Word>& words)
{
    std::array<int, 5> counts{};
    for (const Word& word : words) {
        FUZZ_CHECK(word.coefficient >= 0 && word.coefficient <= 4);
        ++counts[static_cast<std::size_t>(word.coefficient)];
    }
    FUZZ_CHECK(pool.levelCounts() == counts);
    for (int level = 0; level < 5; ++level) {
        const auto first = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.coefficient == level; });
        FUZZ_CHECK(pool.nthWordAtLevel(level, 0) == (first == words.end() ? -1 : int(first - words.begin())));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(fuzz::asText(data, size));
    std::vector<std::array<std::uint8_t, 2>> changes(input.byte() % 16);
    for (auto& change : changes) {
        change = {input.byte(), input.byte()};
    }
    const std::string_view bytes = input.rest();

    TestPool pool = TestPool::parse(std::string(bytes));
    FUZZ_CHECK(bytesOf(pool) == bytes);
    std::vector<Word> words = wordsOf(pool);
    checkLevels(pool, words);

    for (const auto& [which, how] : changes) {
        if (words.empty()) {
            break;
        }
        const int index = which % static_cast<int>(words.size());
        const int what = how % 8;  // a new coefficient 0 to 4, or a removal
        Word& word = words[static_cast<std::size_t>(index)];
        if (what >= 5) {
            const Result<TestPool::Change> removal = pool.prepareChange(index, std::nullopt, true);
            FUZZ_CHECK(removal.ok());
            pool.apply(*removal);
            words.erase(words.begin() + index);
            continue;
        }
        const Result<TestPool::Change> change = pool.prepareChange(index, what, false);
        FUZZ_CHECK(change.ok());
        pool.apply(*change);
        word.coefficient = what;
        word.record.knowledge = std::string(1, static_cast<char>('0' + what));
        FUZZ_CHECK(pool.coefficientWrittenOut(index));
    }

    FUZZ_CHECK(wordsOf(pool) == words);
    const TestPool reread = TestPool::parse(bytesOf(pool));
    FUZZ_CHECK(wordsOf(reread) == words);
    FUZZ_CHECK(reread.packageNames() == pool.packageNames());
    checkLevels(reread, words);
    return 0;
}

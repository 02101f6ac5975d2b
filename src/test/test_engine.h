#pragma once
// The logic of a vocabulary test, without any window: it builds the pool from the chosen
// packages, picks the next word and its direction, judges answers, counts them, changes the
// knowledge coefficients in the pool and in the packages, and decides when the test is over.
// Every answer is on disk before recordAnswer returns.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/random_generator.h"
#include "store/result.h"
#include "store/word_record.h"
#include "test/answer_check.h"
#include "test/test_pool.h"
#include "test/test_state.h"

namespace lexivo {

enum class KeepAskedWord { No, Yes };

struct AnswerOutcome {
    bool testOver = false;
    // Set, naming the package, when the word's package could not be updated (renamed or
    // deleted during the test, a disk error); the answer still counts.
    std::optional<Message> packageNotUpdated;
    // Set when the saved state of a resumed test could not be brought up to date; the answer
    // still counts, and the next resume finishes the update.
    std::optional<Message> savedTestNotUpdated;
};

class TestEngine {
public:
    TestEngine(DataTree tree, RandomGenerator& random);

    // Builds the pool of the packages (in list order) in the group's Temporary and resets the
    // state with the settings. Returns the number of words in the pool; refuses a pool
    // without words, so no test ever runs on an empty pool.
    Result<int> startTest(std::string_view group, const std::vector<std::string>& packages,
                          const TestSettings& settings);
    // Takes up the group's unfinished test: its saved state and its pool, first finishing an
    // answer that was interrupted while it was recorded. Refuses a damaged or missing state, a
    // missing pool and a pool without words. From then on every answer keeps the saved state
    // in step with the pool.
    Status resumeSavedTest(std::string_view group);
    // Completes the group's answer that a kill or a failed write left half recorded; each
    // step checks whether it was done already. A write that fails leaves the files for a later
    // try; a record of the answer that cannot be read is dropped. The value is the refusal of
    // a package that could not take the answer's coefficient, which does not stop the resume.
    Result<std::optional<Message>> finishPendingAnswer(std::string_view group);
    // Saves the running test for a later resume.
    Status saveInterruptedTest() const;
    // Deletes the group's saved test and pool.
    void forgetTest();

    // Chooses the next word and its direction. With KeepAskedWord::Yes a word that is being
    // asked (that of a resumed test) is asked again unchanged. False when the pool holds no word.
    bool pickNextWord(KeepAskedWord keep = KeepAskedWord::No);

    std::string questionText() const;
    std::string expectedText() const;
    bool checkAnswer(std::string_view typed) const;
    TypingHint typingHint(std::string_view typed) const;
    std::string maskedExample() const;

    // Counts the answer (a typo the user declares counts as right), updates the coefficient
    // and removes the word from the pool where the mode says so. Fails, changing nothing in
    // memory, when the pool cannot be written.
    Result<AnswerOutcome> recordAnswer(bool right);

    const TestState& state() const { return state_; }
    int remainingCount() const { return pool_.wordCount(); }
    const std::string& group() const { return group_; }
    // The packages of the pool, for the test information.
    const std::vector<std::string>& poolPackageNames() const { return pool_.packageNames(); }

private:
    int pickIndex();
    int pickIndexByCoefficient();
    void takeWord(int index);
    bool wordMatches(int index, const TestState& saved) const;
    Status writePool(const TestPool& pool, const TestPool::Change* pending = nullptr) const;
    std::optional<Message> updatePackage(const std::string& package, const WordRecord& word, int coefficient) const;
    // The saved state after an answer: the counters as they are, no word on screen.
    TestState savedStateAfter(const TestState& state) const;
    std::filesystem::path pendingAnswerFile() const;

    DataTree tree_;
    RandomGenerator& random_;
    std::string group_;
    TestState state_;
    TestPool pool_;
    // A resumed test keeps its TestInfo in step with the pool after every answer.
    bool keepsSavedTest_ = false;
    // The asked word with its fields as the package holds them (the state's copies are cut
    // when saved).
    WordRecord currentWord_;
};

}  // namespace lexivo

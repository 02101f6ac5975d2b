#include "test/test_engine.h"

#include <algorithm>
#include <filesystem>

#include "store/file_io.h"
#include "store/name_rules.h"
#include "store/package_file.h"
#include "test/answer_check.h"
#include "test/test_files.h"

namespace lexivo {
namespace {

// How much more often a word of each coefficient is picked than a word known excellently.
constexpr std::array<int, 5> kLevelWeights = {1, 2, 3, 10, 30};

Message noWordsMessage() { return errorMessage("Všechny vybrané balíčky jsou prázdné."); }

}  // namespace

TestEngine::TestEngine(DataTree tree, RandomGenerator& random) : tree_(std::move(tree)), random_(random) {}

Result<int> TestEngine::startTest(std::string_view group, const std::vector<std::string>& packages,
                                  const TestSettings& settings)
{
    auto pool = TestPool::build(tree_, group, packages);
    if (!pool) {
        return pool.message();
    }
    if (pool->wordCount() == 0) {
        return noWordsMessage();
    }
    std::error_code ignored;
    std::filesystem::create_directories(tree_.temporaryDirectory(group), ignored);
    group_ = std::string(group);
    if (Status written = writePool(pool.value()); !written) {
        return written.message();
    }
    pool_ = std::move(pool.value());
    // An answer left pending by an earlier test belongs to a pool that is gone.
    (void)removeFileIfPresent(pendingAnswerFile());
    keepsSavedTest_ = false;

    state_ = TestState{};
    currentWord_ = WordRecord{};
    state_.directionMode = settings.directionMode;
    state_.fixedCount = settings.fixedCount;
    state_.noRepeat = settings.noRepeat;
    state_.byCoefficient = settings.byCoefficient;
    state_.caseSensitive = settings.caseSensitive;
    state_.lockCoefficients = settings.lockCoefficients;
    state_.packageCount = static_cast<std::int32_t>(packages.size());
    state_.totalCount = settings.fixedCount ? settings.questionCount : pool_.wordCount();
    return pool_.wordCount();
}

Status TestEngine::resumeSavedTest(std::string_view group)
{
    if (auto finished = finishPendingAnswer(group); !finished) {
        return finished.message();
    }
    const auto info = readFileBytes(tree_.temporaryFile(group, kTestInfoName));
    if (!info) {
        return errorMessage("Záznam o nedokončeném testu nelze přečíst.");
    }
    auto saved = decodeTestInfo(*info);
    if (!saved) {
        return saved.message();
    }
    auto pool = TestPool::read(tree_.temporaryFile(group, kTestPoolName));
    if (!pool) {
        return errorMessage("Slovíčka nedokončeného testu se nepodařilo najít, a proto v testu nelze pokračovat.");
    }
    if (pool->wordCount() == 0) {
        return errorMessage("V nedokončeném testu nezbývají žádná slovíčka, a proto v něm nelze pokračovat.");
    }
    pool_ = std::move(pool.value());
    state_ = saved.value();
    currentWord_ = WordRecord{};
    keepsSavedTest_ = true;

    // Ask again the word that was on screen: find it at its index, or elsewhere if the pool
    // moved; if it is gone, the next pick chooses a new word.
    if (!state_.english.empty() && !state_.czech.empty()) {
        int found = -1;
        if (wordMatches(state_.currentIndex, state_)) {
            found = state_.currentIndex;
        } else {
            for (int index = 0; index < pool_.wordCount() && found < 0; ++index) {
                found = wordMatches(index, state_) ? index : -1;
            }
        }
        if (found >= 0) {
            const ShownSide direction = state_.askDirection;
            takeWord(found);
            state_.askDirection = direction;
        } else {
            state_.english.clear();
            state_.czech.clear();
            state_.currentIndex = 0;
        }
    }
    return Status::success();
}

Result<std::optional<Message>> TestEngine::finishPendingAnswer(std::string_view group)
{
    group_ = std::string(group);
    const std::filesystem::path file = pendingAnswerFile();
    if (!entryExists(file)) {
        return std::optional<Message>();
    }
    const auto bytes = readFileBytes(file);
    auto pending = bytes ? decodePendingAnswer(*bytes) : Result<PendingAnswer>(bytes.message());
    auto pool = TestPool::read(tree_.temporaryFile(group_, kTestPoolName));
    if (!pending || !pool) {
        // Nothing can be finished: the saved state as it stands is what the resume takes up.
        (void)removeFileIfPresent(file);
        return std::optional<Message>();
    }
    const PendingAnswer& answer = pending.value();
    // The pool still holds the word as it was before the answer: the answer never reached it.
    if (pool->wordCount() == answer.poolWordsBefore && pool->wordLine(answer.index) == answer.lineBefore) {
        TestPool::Change change{answer.index, std::nullopt, std::nullopt, answer.removesWord};
        if (!answer.removesWord && !answer.lineAfter.empty()) {
            change.line = answer.lineAfter;
        }
        if (Status written = writePool(pool.value(), &change); !written) {
            return written.message();
        }
    }
    std::optional<Message> packageNotUpdated;
    if (answer.coefficient >= 0) {
        RecordReader reader(answer.lineBefore);
        packageNotUpdated = updatePackage(answer.packageName, readWordRecord(reader), answer.coefficient);
    }
    if (Status saved = saveTestInfo(tree_, group_, answer.stateAfter); !saved) {
        return saved.message();
    }
    if (Status removed = removeFileIfPresent(file); !removed) {
        return removed.message();
    }
    return packageNotUpdated;
}

std::filesystem::path TestEngine::pendingAnswerFile() const
{
    return tree_.temporaryFile(group_, kPendingAnswerName);
}

Status TestEngine::saveInterruptedTest() const
{
    if (Status saved = saveTestInfo(tree_, group_, state_); !saved) {
        return saved;
    }
    // The full state just saved includes any answer still pending.
    return removeFileIfPresent(pendingAnswerFile());
}

void TestEngine::forgetTest()
{
    forgetSavedTest(tree_, group_);
    state_ = TestState{};
    pool_ = TestPool{};
    currentWord_ = WordRecord{};
    keepsSavedTest_ = false;
}

bool TestEngine::pickNextWord(KeepAskedWord keep)
{
    if (keep == KeepAskedWord::Yes && !state_.english.empty() && !state_.czech.empty()) {
        return true;
    }
    state_.packageName.clear();
    if (pool_.wordCount() == 0) {
        return false;
    }
    takeWord(state_.fixedCount && state_.byCoefficient ? pickIndexByCoefficient() : pickIndex());
    switch (state_.directionMode) {
    case DirectionMode::EnglishShown: state_.askDirection = ShownSide::English; break;
    case DirectionMode::CzechShown: state_.askDirection = ShownSide::Czech; break;
    default: state_.askDirection = random_.next() < 16384 ? ShownSide::Czech : ShownSide::English; break;
    }
    return true;
}

int TestEngine::pickIndex()
{
    const int remaining = pool_.wordCount();
    int index = random_.draw(remaining);
    // Never the same word twice in a row; the previous index is compared as a number.
    while (remaining > 1 && index == state_.currentIndex) {
        index = random_.draw(remaining);
    }
    return index;
}

int TestEngine::pickIndexByCoefficient()
{
    const auto& counts = pool_.levelCounts();
    int total = 0;
    for (std::size_t level = 0; level < counts.size(); ++level) {
        total += kLevelWeights[level] * counts[level];
    }
    for (;;) {
        const int weight = random_.draw(total);
        int level = 0;
        for (int bound = kLevelWeights[0] * counts[0]; weight >= bound && level < 4;) {
            ++level;
            bound += kLevelWeights[static_cast<std::size_t>(level)] * counts[static_cast<std::size_t>(level)];
        }
        const int index = pool_.nthWordAtLevel(level, random_.draw(counts[static_cast<std::size_t>(level)]));
        if (index < 0) {
            return pickIndex();  // the counts and the pool disagree; never loop on it
        }
        if (index != state_.currentIndex || pool_.wordCount() < 2) {
            return index;
        }
    }
}

void TestEngine::takeWord(int index)
{
    currentWord_ = pool_.word(index);
    state_.currentIndex = index;
    state_.english = currentWord_.english;
    state_.czech = currentWord_.czech;
    state_.example = currentWord_.example;
    state_.packageName = pool_.packageOf(index);
}

// The saved fields may have been cut to fit their fields; the pool holds them whole.
bool TestEngine::wordMatches(int index, const TestState& saved) const
{
    if (index < 0 || index >= pool_.wordCount()) {
        return false;
    }
    const WordRecord word = pool_.word(index);
    return word.english.starts_with(saved.english) && word.czech.starts_with(saved.czech) &&
           word.example.starts_with(saved.example);
}

std::string TestEngine::questionText() const
{
    return displayedExpression(state_.askDirection == ShownSide::English ? currentWord_.english : currentWord_.czech);
}

std::string TestEngine::expectedText() const
{
    return state_.askDirection == ShownSide::English ? currentWord_.czech : currentWord_.english;
}

bool TestEngine::checkAnswer(std::string_view typed) const
{
    return isRightAnswer(typed, expectedText(), state_.caseSensitive ? LetterCase::Sensitive : LetterCase::Insensitive);
}

TypingHint TestEngine::typingHint(std::string_view typed) const
{
    return lexivo::typingHint(typed, expectedText(),
                              state_.caseSensitive ? LetterCase::Sensitive : LetterCase::Insensitive);
}

std::string TestEngine::maskedExample() const { return lexivo::maskedExample(currentWord_.example, expectedText()); }

Result<AnswerOutcome> TestEngine::recordAnswer(bool right)
{
    const int index = state_.currentIndex;
    if (index < 0 || index >= pool_.wordCount()) {
        return errorMessage("Není položena žádná otázka.");
    }
    const bool removeWord = state_.fixedCount ? state_.noRepeat != 0 : right;
    const int oldCoefficient = pool_.coefficientOf(index);
    const int newCoefficient = right ? std::max(oldCoefficient - 1, 0) : std::min(oldCoefficient + 2, 4);
    // An empty or odd knowledge field is written out as its digit, as the package gets it.
    const bool changeCoefficient = !state_.lockCoefficients &&
                                   (newCoefficient != oldCoefficient || !pool_.coefficientWrittenOut(index));
    auto change = pool_.prepareChange(index, changeCoefficient ? std::optional(newCoefficient) : std::nullopt,
                                      removeWord);
    if (!change) {
        return change.message();
    }
    TestState next = state_;
    (right ? next.rightCount : next.wrongCount) += 1;
    const std::string package = pool_.packageOf(index);

    // The files first, memory after: a failed write leaves the test as it was.
    if (keepsSavedTest_) {
        const PendingAnswer pending{savedStateAfter(next),
                                    pool_.wordCount(),
                                    index,
                                    state_.lockCoefficients ? -1 : newCoefficient,
                                    removeWord,
                                    package,
                                    std::string(pool_.wordLine(index)),
                                    change->line.value_or("")};
        auto bytes = encodePendingAnswer(pending);
        if (!bytes) {
            return bytes.message();
        }
        if (Status written = writeFileAtomically(pendingAnswerFile(), tree_.temporaryFile(group_, "Answer.new"),
                                                  bytes.value());
            !written) {
            return written.message();
        }
    }
    if (change->altersPool()) {
        if (Status written = writePool(pool_, &change.value()); !written) {
            (void)removeFileIfPresent(pendingAnswerFile());
            return written.message();
        }
        pool_.apply(change.value());
    }
    state_ = next;

    AnswerOutcome outcome;
    if (!state_.lockCoefficients) {
        outcome.packageNotUpdated = updatePackage(package, currentWord_, newCoefficient);
    }
    if (keepsSavedTest_) {
        if (Status saved = saveTestInfo(tree_, group_, savedStateAfter(state_)); !saved) {
            // The pending answer stays for the next resume, which finishes it.
            outcome.savedTestNotUpdated = errorMessage(
                "Záznam o nedokončeném testu se nepodařilo aktualizovat; odpověď se započítala a test pokračuje. " +
                saved.message().text);
        } else {
            (void)removeFileIfPresent(pendingAnswerFile());
        }
    }
    const int answered = state_.rightCount + state_.wrongCount;
    outcome.testOver = pool_.wordCount() == 0 || (state_.fixedCount && answered >= state_.totalCount);
    return outcome;
}

TestState TestEngine::savedStateAfter(const TestState& state) const
{
    TestState saved = state;
    saved.english.clear();
    saved.czech.clear();
    saved.example.clear();
    saved.packageName.clear();
    return saved;
}

std::optional<Message> TestEngine::updatePackage(const std::string& package, const WordRecord& word,
                                                 int coefficient) const
{
    auto failure = [&](const std::string& reason) {
        return errorMessage("Změnu koeficientu znalosti nebylo možno zapsat do balíčku „" + package + "“. " + reason);
    };
    // A heading of a damaged pool must never lead out of the group directory.
    if (!isUsableListedName(package) || package == kPackageScratchName) {
        return failure("Takový balíček nemůže existovat.");
    }
    const std::string knowledge(1, static_cast<char>('0' + coefficient));
    const Status updated = rewritePackageFile(tree_, group_, package, [&](const WordRecord& record) {
        const bool same = record.english == word.english && record.czech == word.czech && record.example == word.example;
        const bool written = record.knowledge == knowledge;
        return same && !written ? RecordChange::setKnowledge(knowledge) : RecordChange::keep();
    });
    if (updated) {
        return std::nullopt;
    }
    return failure(updated.message().text);
}

Status TestEngine::writePool(const TestPool& pool, const TestPool::Change* pending) const
{
    return writeFileAtomically(tree_.temporaryFile(group_, kTestPoolName),
                               tree_.temporaryFile(group_, kTestPoolScratchName),
                               [&](PieceSink& sink) { pool.write(sink, pending); });
}

}  // namespace lexivo

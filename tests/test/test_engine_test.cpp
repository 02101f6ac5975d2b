#include "test/test_engine.h"

#include <cerrno>
#include <functional>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/package_file.h"
#include "support/kill_rounds.h"
#include "support/temp_tree.h"
#include "test/test_files.h"
#include "test/test_pool.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

TestSettings untilAll(DirectionMode direction = DirectionMode::EnglishShown) { return {.directionMode = direction}; }
TestSettings fixed(int count, bool noRepeat, bool byCoefficient)
{
    return {.fixedCount = true, .questionCount = count, .noRepeat = noRepeat, .byCoefficient = byCoefficient,
            .directionMode = DirectionMode::EnglishShown};
}

const std::string kFourWords = "one|jedna||4\r\ntwo|dva||4\r\nthree|tři||4\r\nfour|čtyři||4\r\n";

class TestEngineTest : public ::testing::Test {
protected:
    void SetUp() override { temp.makeGroup("G"); }

    // Package files are Windows-1250; the tests write and read them as UTF-8 text.
    void writePackage(const std::string& name, const std::string& text) const
    {
        temp.writePackage("G", name, encodeCp1250(text).value());
    }
    std::string package(const std::string& name) const { return decodeCp1250(temp.readPackage("G", name)); }
    std::string pool() const { return decodeCp1250(readBytes(temp.tree().temporaryFile("G", "Test"))); }
    // Answers the asked word right or wrong and returns whether the test is over.
    bool answer(TestEngine& engine, bool right) const
    {
        const std::string typed = right ? engine.expectedText() : "???";
        EXPECT_EQ(engine.checkAnswer(typed), right);
        const auto outcome = engine.recordAnswer(engine.checkAnswer(typed));
        EXPECT_TRUE(outcome.ok());
        return outcome.ok() && outcome->testOver;
    }

    TempTree temp;
    RandomGenerator random{1};
    TestEngine engine{temp.tree(), random};
};

TEST_F(TestEngineTest, BuildsThePoolFromThePackagesInListOrderAndRefusesOneWithoutWords)
{
    writePackage("Empty", "");
    writePackage("Blank", "\r\n\r\n");
    EXPECT_EQ(engine.startTest("G", {"Empty", "Blank", "Missing"}, untilAll()).message().text,
              "Všechny vybrané balíčky jsou prázdné.");
    EXPECT_FALSE(fs::exists(temp.tree().temporaryFile("G", "Test")));

    // An empty line in the middle and a last line without its line end.
    writePackage("A", "dog|pes||2\r\n\r\ncat|kočka||\r\nbird|pták||1");
    writePackage("B", "sun|slunce|The sun.|0\n");
    ASSERT_EQ(engine.startTest("G", {"A", "Empty", "B"}, untilAll()).value(), 4);
    EXPECT_EQ(pool(), "#|A\r\ndog|pes||2\r\n\r\ncat|kočka||\r\nbird|pták||1\r\n#|Empty\r\n#|B\r\nsun|slunce|The sun.|0\n");
    EXPECT_EQ(engine.poolPackageNames(), (std::vector<std::string>{"A", "Empty", "B"}));
    EXPECT_EQ(std::tuple(engine.state().totalCount, engine.state().packageCount), std::tuple(4, 3));
}

// Which words leave the pool and when the test is over, by mode.
TEST_F(TestEngineTest, EachModeEndsAndEmptiesThePoolItsOwnWay)
{
    struct Case {
        TestSettings settings;
        std::vector<bool> answers;  // right or wrong, in order; the last one ends the test
        int remaining;
    };
    const Case cases[] = {
        {untilAll(), {false, true, true, true}, 0},                // a wrong word comes back
        {fixed(3, true, false), {true, false, true}, 0},          // each word once, right or wrong
        {fixed(5, false, false), {true, true, true, true, true}, 3},  // repeats keep the pool
    };
    for (const Case& c : cases) {
        writePackage("P", "one|jedna||4\r\ntwo|dva||4\r\nthree|tři||4\r\n");
        ASSERT_TRUE(engine.startTest("G", {"P"}, c.settings).ok());
        std::string previous;
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            ASSERT_TRUE(engine.pickNextWord());
            EXPECT_NE(engine.state().english, previous) << "never the same word twice in a row";
            previous = engine.state().english;
            EXPECT_EQ(answer(engine, c.answers[i]), i + 1 == c.answers.size()) << "answer " << i;
        }
        EXPECT_EQ(engine.remainingCount(), c.remaining);
        EXPECT_EQ(engine.state().rightCount + engine.state().wrongCount, static_cast<int>(c.answers.size()));
        if (c.remaining == 0) {
            EXPECT_EQ(pool(), "#|P\r\n");  // the words left the pool file too
        }
    }
}

TEST_F(TestEngineTest, CoefficientsChangeInThePoolAndInThePackageUnlessLocked)
{
    struct Case {
        std::string knowledge;
        bool right;
        std::string expected;
        bool locked = false;
    };
    const std::vector<Case> cases = {
        {"3", true, "2"}, {"0", true, "0"}, {"3", false, "4"}, {"1", false, "3"},       {"", false, "4"},
        {"", true, "3"},  {"7", true, "3"}, {"x", false, "4"}, {"3", true, "3", true}, {"", false, "", true},
    };
    // The word appears twice in its package, both copies change; a look-alike does not.
    const auto twiceWith = [](const std::string& k) {
        return "word|slovo|other|1\r\nword|slovo|ex|" + k + "\r\nword|slovo|ex|" + k + "\r\n";
    };
    for (const Case& c : cases) {
        writePackage("P", twiceWith(c.knowledge));
        TestSettings settings = fixed(1, false, false);
        settings.lockCoefficients = c.locked;
        ASSERT_TRUE(engine.startTest("G", {"P"}, settings).ok());
        ASSERT_TRUE(engine.pickNextWord());
        ASSERT_EQ(engine.state().example, "ex") << "the seed must pick a matching word";
        answer(engine, c.right);
        EXPECT_EQ(package("P"), twiceWith(c.expected)) << c.knowledge << (c.right ? " right" : " wrong");
        // In the pool only the asked copy changes.
        const std::string kept = "word|slovo|ex|" + c.knowledge + "\r\n";
        const std::string changed = "word|slovo|ex|" + c.expected + "\r\n";
        const std::string head = "#|P\r\nword|slovo|other|1\r\n";
        EXPECT_TRUE(pool() == head + changed + kept || pool() == head + kept + changed) << pool();
    }
}

TEST_F(TestEngineTest, ExpressionsLongerThanTheSavedFieldsStillMatch)
{
    const std::string longEnglish(230, 'e');
    writePackage("P", "short|krátké||2\r\n" + longEnglish + "|dlouhé||2\r\n");
    ASSERT_TRUE(engine.startTest("G", {"P"}, fixed(2, false, false)).ok());
    ASSERT_TRUE(engine.pickNextWord());  // the first word asked is never the first of the pool
    EXPECT_EQ(engine.questionText(), longEnglish);

    // Interrupt here and resume: the saved field holds 199 characters, the word is found whole.
    ASSERT_TRUE(engine.saveInterruptedTest().ok());
    TestEngine resumed(temp.tree(), random);
    ASSERT_TRUE(resumed.resumeSavedTest("G").ok());
    ASSERT_TRUE(resumed.pickNextWord(KeepAskedWord::Yes));
    EXPECT_EQ(resumed.questionText(), longEnglish);
    EXPECT_TRUE(resumed.checkAnswer("dlouhé"));
    answer(resumed, false);
    EXPECT_EQ(package("P"), "short|krátké||2\r\n" + longEnglish + "|dlouhé||4\r\n");
}

TEST_F(TestEngineTest, EveryFailedPackageUpdateIsReportedNamingThePackage)
{
    testing::FileCallsReset calls;
    const std::vector<std::function<void()>> faults = {
        [&] { fs::create_directory(temp.tree().packageFile("G", "slov")); },
        [&] { fs::remove(temp.tree().packageFile("G", "P")); },
        [&] { failFileCall(FileCall::DirectorySync, 2, EIO); },  // the pool's goes first
    };
    for (const auto& fault : faults) {
        writePackage("P", "one|jedna||3\r\ntwo|dva||3\r\n");
        ASSERT_TRUE(engine.startTest("G", {"P"}, fixed(5, false, false)).ok());
        ASSERT_TRUE(engine.pickNextWord());
        fault();
        const auto outcome = engine.recordAnswer(true);
        ASSERT_TRUE(outcome.ok());
        ASSERT_TRUE(outcome->packageNotUpdated.has_value());
        EXPECT_NE(outcome->packageNotUpdated->text.find("„P“"), std::string::npos);
        EXPECT_EQ(engine.state().rightCount, 1);
        fs::remove_all(temp.tree().packageFile("G", "slov"));
    }
    fs::remove(temp.tree().packageFile("G", "P"));  // a deleted package is never made anew
    EXPECT_TRUE(engine.recordAnswer(true)->packageNotUpdated.has_value());
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "P")));
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "slov")));
}

TEST_F(TestEngineTest, AFailedPoolWriteChangesNothingInMemory)
{
    testing::FileCallsReset calls;
    writePackage("P", "one|jedna||4\r\ntwo|dva||4\r\n");
    ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll()).ok());
    ASSERT_TRUE(engine.pickNextWord());
    const TestState before = engine.state();
    const std::string poolBefore = pool();
    failFileCall(FileCall::Rename, 1, EIO);
    EXPECT_FALSE(engine.recordAnswer(true).ok());
    EXPECT_EQ(engine.state(), before);
    EXPECT_EQ(engine.remainingCount(), 2);
    EXPECT_EQ(pool(), poolBefore);
    EXPECT_FALSE(answer(engine, true));  // the same question can be answered again
    EXPECT_EQ(engine.remainingCount(), 1);
}

TEST_F(TestEngineTest, PackageLinesNeverBecomePoolHeadingsAndHeadingsNeverLeadOutside)
{
    writePackage("P", "#|evil|x|4\r\nok|dobře||4\r\na|b|c|4|#|split\r\n");
    ASSERT_EQ(engine.startTest("G", {"P"}, untilAll()).value(), 2);
    EXPECT_EQ(engine.poolPackageNames(), (std::vector<std::string>{"P"}));
    EXPECT_EQ(pool(), "#|P\r\nok|dobře||4\r\na|b|c|4|");

    // A damaged pool whose heading names a path: the answer counts, nothing outside changes.
    writeBytes(temp.tree().temporaryFile("G", "Test"), "#|../../../outside\r\nw|s||4\r\n");
    writeBytes(temp.root() / "outside", "w|s||4\r\n");
    ASSERT_TRUE(saveTestInfo(temp.tree(), "G", TestState{}).ok());
    ASSERT_TRUE(engine.resumeSavedTest("G").ok());
    ASSERT_TRUE(engine.pickNextWord());
    const auto outcome = engine.recordAnswer(false);
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome->packageNotUpdated.has_value());
    EXPECT_EQ(readBytes(temp.root() / "outside"), "w|s||4\r\n");
}

TEST_F(TestEngineTest, AResumedTestKeepsItsSavedStateInStepAfterEveryAnswer)
{
    testing::FileCallsReset calls;
    writePackage("P", kFourWords);
    ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll()).ok());
    ASSERT_TRUE(engine.pickNextWord());
    answer(engine, true);
    ASSERT_TRUE(engine.saveInterruptedTest().ok());

    // What the next resume sees: right, wrong, words left.
    auto resumeAgain = [&] {
        TestEngine next(temp.tree(), random);
        EXPECT_TRUE(next.resumeSavedTest("G").ok());
        return std::tuple(next.state().rightCount, next.state().wrongCount, next.remainingCount());
    };
    TestEngine resumed(temp.tree(), random);
    ASSERT_TRUE(resumed.resumeSavedTest("G").ok());
    ASSERT_TRUE(resumed.pickNextWord(KeepAskedWord::Yes));
    answer(resumed, false);
    ASSERT_TRUE(resumed.pickNextWord());
    answer(resumed, true);
    EXPECT_EQ(resumeAgain(), std::tuple(2, 1, 2));  // ended without saving ("Konec", a kill)

    // Cut short after the pool and the package changed, before TestInfo did: the resume
    // finishes it. Cut short before the pool changed: it never happened.
    ASSERT_TRUE(resumed.pickNextWord());
    failFileCall(FileCall::Rename, 4, EIO);
    EXPECT_TRUE(resumed.recordAnswer(true)->savedTestNotUpdated.has_value());
    EXPECT_EQ(resumeAgain(), std::tuple(3, 1, 1));
    ASSERT_TRUE(resumed.pickNextWord());
    failFileCall(FileCall::Rename, 2, EIO);
    EXPECT_FALSE(resumed.recordAnswer(true).ok());
    EXPECT_EQ(resumeAgain(), std::tuple(3, 1, 1));
}

TEST_F(TestEngineTest, AnInterruptedTestResumesWithTheSameWordAndDirectionWhileItHasWords)
{
    writePackage("P", kFourWords);
    ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll(DirectionMode::Random)).ok());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(engine.pickNextWord());
        answer(engine, i != 0);
    }
    ASSERT_TRUE(engine.pickNextWord());
    const TestState onScreen = engine.state();
    const std::string question = engine.questionText();
    ASSERT_TRUE(engine.saveInterruptedTest().ok());

    // A restart: a new engine with another seed on the same directory.
    RandomGenerator otherRandom(99);
    TestEngine resumed(temp.tree(), otherRandom);
    ASSERT_TRUE(resumed.resumeSavedTest("G").ok());
    EXPECT_EQ(resumed.remainingCount(), 2);
    ASSERT_TRUE(resumed.pickNextWord(KeepAskedWord::Yes));
    EXPECT_EQ(resumed.state(), onScreen);
    EXPECT_EQ(resumed.questionText(), question);
    answer(resumed, true);
    ASSERT_TRUE(resumed.pickNextWord());
    EXPECT_TRUE(answer(resumed, true));

    // A saved test whose pool has no words left, or no pool at all, cannot be taken up.
    ASSERT_TRUE(resumed.saveInterruptedTest().ok());
    EXPECT_FALSE(TestEngine(temp.tree(), random).resumeSavedTest("G").ok());
    resumed.forgetTest();
    EXPECT_FALSE(hasSavedTest(temp.tree(), "G"));
    EXPECT_FALSE(fs::exists(temp.tree().temporaryFile("G", "Test")));
    ASSERT_TRUE(resumed.saveInterruptedTest().ok());
    EXPECT_FALSE(TestEngine(temp.tree(), random).resumeSavedTest("G").ok());
}

TEST_F(TestEngineTest, TheDirectionDecidesWhatIsAskedAndWhatIsExpected)
{
    writePackage("P", "car+automobile|auto+vůz|My car.|4\r\n");
    ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll(DirectionMode::EnglishShown)).ok());
    ASSERT_TRUE(engine.pickNextWord());
    EXPECT_EQ(engine.questionText(), "car; automobile");
    EXPECT_EQ(engine.expectedText(), "auto+vůz");
    EXPECT_EQ(engine.maskedExample(), "My car.");

    ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll(DirectionMode::CzechShown)).ok());
    ASSERT_TRUE(engine.pickNextWord());
    EXPECT_EQ(engine.questionText(), "auto; vůz");
    EXPECT_TRUE(engine.checkAnswer("automobile"));
    EXPECT_EQ(engine.typingHint("auto"), TypingHint::BeginsMeaning);
    EXPECT_EQ(engine.maskedExample(), "My ____________.");
}

// What a pool writes, with a pending change or without.
std::string bytesOf(const TestPool& pool, const TestPool::Change* pending = nullptr)
{
    struct : PieceSink {
        void add(std::string_view piece) override { bytes += piece; }
        std::string bytes;
    } sink;
    pool.write(sink, pending);
    return sink.bytes;
}

TEST(TestPool, ChangesAreWrittenFirstAndTakenIntoMemoryAfter)
{
    TestPool pool = TestPool::parse("#|A\r\na|1|\r\nb|2||3\r\n\r\nc|3||4|d|4\r\n#|B\r\ne|5||\n");
    ASSERT_EQ(pool.wordCount(), 5);
    struct Step {
        char word;
        std::optional<int> coefficient;
        bool remove;
        std::string expected;
    };
    const std::vector<Step> steps = {
        {'a', 4, false, "#|A\r\na|1||4\r\nb|2||3\r\n\r\nc|3||4|d|4\r\n#|B\r\ne|5||\n"},   // grows
        {'b', 2, false, "#|A\r\na|1||4\r\nb|2||2\r\n\r\nc|3||4|d|4\r\n#|B\r\ne|5||\n"},   // in place
        {'c', std::nullopt, true, "#|A\r\na|1||4\r\nb|2||2\r\n\r\nd|4\r\n#|B\r\ne|5||\n"},
        {'a', 3, false, "#|A\r\na|1||3\r\nb|2||2\r\n\r\nd|4\r\n#|B\r\ne|5||\n"},
        {'e', 0, false, "#|A\r\na|1||3\r\nb|2||2\r\n\r\nd|4\r\n#|B\r\ne|5||0\r\n"},
        {'a', std::nullopt, true, "#|A\r\nb|2||2\r\n\r\nd|4\r\n#|B\r\ne|5||0\r\n"},
    };
    for (const Step& step : steps) {
        int index = 0;
        while (pool.word(index).english != std::string(1, step.word)) {
            ++index;
        }
        const std::string before = bytesOf(pool);
        const auto change = pool.prepareChange(index, step.coefficient, step.remove);
        ASSERT_TRUE(change.ok());
        EXPECT_EQ(bytesOf(pool, &change.value()), step.expected) << step.word;
        EXPECT_EQ(bytesOf(pool), before);
        pool.apply(change.value());
        EXPECT_EQ(bytesOf(pool), step.expected);
        EXPECT_EQ(TestPool::parse(step.expected).levelCounts(), pool.levelCounts());
    }
    EXPECT_EQ(pool.packageOf(pool.wordCount() - 1), "B");
}

// The generator is part of the behaviour: a change to it, or to how draws are taken, shows here.
TEST_F(TestEngineTest, PicksFollowTheGeneratorExactly)
{
    TestSettings combined = fixed(6, false, false);
    combined.directionMode = DirectionMode::Random;
    struct Run {
        TestSettings settings;
        std::string coefficients;  // of the ten words
        std::vector<int> picks;
        std::vector<int> shownSides;  // empty: English is always shown
    };
    const Run runs[] = {
        {fixed(8, false, false), "4444444444", {5, 1, 8, 5, 4, 3, 8, 7}, {}},
        {combined, "4444444444", {5, 8, 4, 8, 7, 8}, {1, 0, 1, 0, 1, 0}},
        {fixed(6, false, true), "4432104401", {8, 7, 1, 7, 6, 7}, {}},
    };
    for (const Run& run : runs) {
        std::string bytes;
        for (std::size_t i = 0; i < run.coefficients.size(); ++i) {
            bytes += "w" + std::to_string(i) + "|s" + std::to_string(i) + "||" + run.coefficients[i] + "\r\n";
        }
        writePackage("P", bytes);
        random.seed(1);
        ASSERT_TRUE(engine.startTest("G", {"P"}, run.settings).ok());
        std::vector<int> picks;
        std::vector<int> sides;
        for (std::size_t i = 0; i < run.picks.size(); ++i) {
            ASSERT_TRUE(engine.pickNextWord());
            picks.push_back(engine.state().currentIndex);
            sides.push_back(static_cast<int>(engine.state().askDirection));
        }
        EXPECT_EQ(picks, run.picks);
        EXPECT_EQ(sides, run.shownSides.empty() ? std::vector<int>(picks.size(), 0) : run.shownSides);
    }
}

TEST_F(TestEngineTest, TheFirstWordIsNeverIndexZeroUnlessItIsTheOnlyOne)
{
    writePackage("P", "a|1||4\r\nb|2||4\r\n");
    writePackage("One", "only|jediné||0\r\n");
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        random.seed(seed);
        ASSERT_TRUE(engine.startTest("G", {"P"}, untilAll()).ok());
        ASSERT_TRUE(engine.pickNextWord());
        EXPECT_EQ(engine.state().currentIndex, 1);
    }
    for (bool byCoefficient : {false, true}) {
        ASSERT_TRUE(engine.startTest("G", {"One"}, fixed(3, false, byCoefficient)).ok());
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(engine.pickNextWord());  // a single word is asked again and again, no endless loop
            EXPECT_EQ(engine.state().english, "only");
        }
    }
}

// Resumes the test and checks that its saved state, its pool and its package agree; returns the
// answers counted.
int resumeAndCheck(const TempTree& temp)
{
    RandomGenerator random(1);
    TestEngine engine(temp.tree(), random);
    EXPECT_TRUE(engine.resumeSavedTest("G").ok());
    const TestState saved = decodeTestInfo(readFileBytes(temp.tree().temporaryFile("G", "TestInfo")).value()).value();
    // Until all are right: every right answer took one word out of the pool.
    EXPECT_EQ(saved.totalCount - saved.rightCount, engine.remainingCount());
    std::map<std::string, std::string> knowledge;
    for (const WordRecord& word : readPackageRecords(temp.tree(), "G", "P")) {
        knowledge[word.english] = word.knowledge;
    }
    const TestPool pool = TestPool::read(temp.tree().temporaryFile("G", "Test")).value();
    for (int index = 0; index < pool.wordCount(); ++index) {
        EXPECT_EQ(knowledge[pool.word(index).english], pool.word(index).knowledge) << pool.word(index).english;
    }
    return saved.rightCount + saved.wrongCount;
}

TEST_F(TestEngineTest, AResumedTestKilledWhileAnsweringKeepsItsFilesInAgreement)
{
    temp.writePackage("G", "P", testing::numberedWords(300));
    ASSERT_TRUE(engine.startTest("G", {"P"}, TestSettings{}).ok());
    ASSERT_TRUE(engine.saveInterruptedTest().ok());
    const auto resumeTime = testing::durationOf([&] { ASSERT_EQ(resumeAndCheck(temp), 0); });
    int answered = 0;
    // At least 30 ms: on a loaded machine a child may wait that long before it runs at all.
    testing::killRepeatedly(
        40, std::max<std::chrono::microseconds>(6 * resumeTime, std::chrono::milliseconds(30)),
        [&](int round) {  // answers right and wrong by turns until killed
            RandomGenerator childRandom(static_cast<std::uint32_t>(round));
            TestEngine answering(temp.tree(), childRandom);
            for (bool right = answering.resumeSavedTest("G").ok() && answering.pickNextWord(KeepAskedWord::Yes);;
                 right = !right) {
                (void)answering.recordAnswer(right);
                answering.pickNextWord();
            }
        },
        [&](int round) {
            const int counted = resumeAndCheck(temp);
            EXPECT_GE(counted, answered) << "round " << round;
            answered = counted;
        });
    EXPECT_GT(answered, 0);
}

}  // namespace
}  // namespace lexivo

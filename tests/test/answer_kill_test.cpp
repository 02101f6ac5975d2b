// A resumed test killed at any moment while it records answers: once it is resumed again, its
// saved state, its pool and its packages agree.

#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/package_file.h"
#include "test/test_engine.h"
#include "test/test_files.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::TempTree;

// Answers right and wrong by turns, for ever.
[[noreturn]] void answerUntilKilled(const DataTree& tree, std::uint32_t seed)
{
    RandomGenerator random(seed);
    TestEngine engine(tree, random);
    if (!engine.resumeSavedTest("G").ok()) {
        ::_exit(1);
    }
    bool resuming = true;
    for (bool right = true;; right = !right) {
        if (!engine.pickNextWord(resuming)) {
            ::_exit(0);
        }
        resuming = false;
        (void)engine.recordAnswer(right);
    }
}

// Checks the agreement after a resume and returns the number of answers counted.
int expectAgreement(const TempTree& temp)
{
    RandomGenerator random(1);
    TestEngine engine(temp.tree(), random);
    EXPECT_TRUE(engine.resumeSavedTest("G").ok());
    const TestState saved = decodeTestInfo(readFileBytes(temp.tree().temporaryFile("G", "TestInfo")).value()).value();
    EXPECT_EQ(saved.rightCount, engine.state().rightCount);
    // Until all are right: every right answer took one word out of the pool.
    EXPECT_EQ(saved.totalCount - saved.rightCount, engine.remainingCount());

    std::map<std::string, std::string> packageKnowledge;
    for (const std::string package : {"A", "B"}) {
        for (const WordRecord& word : readPackageRecords(temp.tree(), "G", package)) {
            packageKnowledge[word.english] = word.knowledge;
        }
    }
    const TestPool pool = TestPool::read(temp.tree().temporaryFile("G", "Test")).value();
    for (int index = 0; index < pool.wordCount(); ++index) {
        const WordRecord word = pool.word(index);
        EXPECT_EQ(packageKnowledge[word.english], word.knowledge) << word.english;
    }
    return saved.rightCount + saved.wrongCount;
}

TEST(AnswerKill, TestInfoThePoolAndThePackagesAgreeAfterAKill)
{
    TempTree temp;
    temp.makeGroup("G");
    for (const std::string package : {"A", "B"}) {
        std::string bytes;
        for (int i = 0; i < 150; ++i) {
            ASSERT_TRUE(writeWordRecord(bytes, {package + std::to_string(i), "slovo", "", "4"}).ok());
        }
        temp.writePackage("G", package, bytes);
    }
    RandomGenerator random(7);
    TestEngine engine(temp.tree(), random);
    ASSERT_TRUE(engine.startTest("G", {"A", "B"}, TestSettings{}).ok());
    ASSERT_TRUE(engine.pickNextWord());
    ASSERT_TRUE(engine.saveInterruptedTest().ok());

    // Kill within a few answers' time, so that kills land in every step of an answer.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(expectAgreement(temp), 0);
    const auto answerMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    std::mt19937 delays(20261206);
    std::uniform_int_distribution<long> delay(0, 6 * answerMicroseconds + 200);
    int answered = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            answerUntilKilled(temp.tree(), static_cast<std::uint32_t>(round));
        }
        ::usleep(static_cast<useconds_t>(delay(delays)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const int counted = expectAgreement(temp);
        EXPECT_GE(counted, answered) << "round " << round;
        answered = counted;
        if (::testing::Test::HasFailure()) {
            FAIL() << "round " << round;
        }
    }
    EXPECT_GT(answered, 0);
}

}  // namespace
}  // namespace lexivo

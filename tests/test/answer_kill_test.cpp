// A resumed test killed at any moment while it records answers: once it is taken up again, its
// saved state, its pool and its packages agree.

#include <chrono>
#include <csignal>
#include <map>
#include <random>
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

// Resumes the test and checks the agreement; returns the answers counted.
int resumeAndCheck(const testing::TempTree& temp)
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

TEST(AnswerKill, TestInfoThePoolAndThePackagesAgreeAfterAKill)
{
    testing::TempTree temp;
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(writeWordRecord(bytes, {"w" + std::to_string(i), "slovo", "", "4"}).ok());
    }
    temp.writePackage("G", "P", bytes);
    RandomGenerator random(7);
    TestEngine engine(temp.tree(), random);
    ASSERT_TRUE(engine.startTest("G", {"P"}, TestSettings{}).ok());
    ASSERT_TRUE(engine.saveInterruptedTest().ok());

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(resumeAndCheck(temp), 0);
    const auto resumeTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::mt19937 delays(20261206);
    std::uniform_int_distribution<long> delay(0, 6 * resumeTime.count() + 200);
    int answered = 0;
    for (int round = 0; round < 40 && !::testing::Test::HasFailure(); ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {  // answers right and wrong by turns until killed
            RandomGenerator childRandom(static_cast<std::uint32_t>(round));
            TestEngine answering(temp.tree(), childRandom);
            for (bool right = answering.resumeSavedTest("G").ok() && answering.pickNextWord(KeepAskedWord::Yes);;
                 right = !right) {
                (void)answering.recordAnswer(right);
                answering.pickNextWord();
            }
        }
        ::usleep(static_cast<useconds_t>(delay(delays)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const int counted = resumeAndCheck(temp);
        EXPECT_GE(counted, answered) << "round " << round;
        answered = counted;
    }
    EXPECT_GT(answered, 0);
}

}  // namespace
}  // namespace lexivo

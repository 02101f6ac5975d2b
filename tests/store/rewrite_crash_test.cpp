// A package rewrite killed at any moment leaves the package whole: the old content or the new.

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/package_file.h"
#include "store/word_record.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::TempTree;

std::string packageOf(const std::string& knowledge)
{
    std::string bytes;
    for (int i = 0; i < kMaxWordsPerPackage; ++i) {
        EXPECT_TRUE(writeWordRecord(bytes, {"word " + std::to_string(i), "slovo " + std::to_string(i),
                                            "An example sentence for word number " + std::to_string(i) + ".",
                                            knowledge})
                        .ok());
    }
    return bytes;
}

TEST(RewriteCrash, AKilledWriterNeverLeavesAPartialOrMissingPackage)
{
    TempTree temp;
    temp.makeGroup("G");
    const std::string oldContent = packageOf("1");
    const std::string newContent = packageOf("3");
    temp.writePackage("G", "P", oldContent);

    auto flipTo = [&](const std::string& knowledge) {
        return rewritePackageFile(temp.tree(), "G", "P",
                                  [&](const WordRecord&) { return RecordChange::setKnowledge(knowledge); });
    };
    // Kill within a few rewrites' time, so that kills land early, late and in between.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(flipTo("3").ok());
    ASSERT_TRUE(flipTo("1").ok());
    const auto rewriteMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / 2;
    ASSERT_EQ(temp.readPackage("G", "P"), oldContent);

    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, 4 * rewriteMicroseconds + 100);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            // Flip the package between the two contents for ever, until killed.
            for (int flip = 0;; ++flip) {
                (void)flipTo(flip % 2 == 0 ? "3" : "1");
            }
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::string now = temp.readPackage("G", "P");
        if (now == oldContent) {
            ++sawOld;
        } else if (now == newContent) {
            ++sawNew;
        } else {
            FAIL() << "round " << round << ": the package holds " << now.size() << " bytes of neither version";
        }
    }
    // Both versions were seen, so the kills did land in the middle of the rewrites.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
}  // namespace lexivo

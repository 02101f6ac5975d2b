#pragma once
// Kills a writer at random moments: each round forks a child that writes until it is killed
// with SIGKILL after a random delay, then checks what the files hold.

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace lexivo::testing {

// How long `work` takes, to scale the delays so that kills land early, late and in between.
template <typename Work>
std::chrono::microseconds durationOf(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

// `write(round)` runs in the child and never needs to return; `check(round)` runs after the kill.
template <typename Write, typename Check>
void killRepeatedly(int rounds, std::chrono::microseconds longestDelay, Write write, Check check)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, longestDelay.count());
    for (int round = 0; round < rounds && !::testing::Test::HasFailure(); ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            write(round);
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        check(round);
    }
}

}  // namespace lexivo::testing

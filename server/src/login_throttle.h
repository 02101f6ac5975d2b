#pragma once
// Slows down password guessing. Failed logins are counted per name and per client address;
// past a few free failures each further one shuts that name or address out for a doubling
// time, during which attempts are refused without looking at the password. A success clears
// the name's count (not the address's, so one good account cannot reset it). The table is
// bounded: when full, the entry with the oldest failure that shuts no one out makes room.

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace lexivo::server {

class LoginThrottle {
public:
    using Clock = std::chrono::steady_clock;

    struct Limits {
        int freeFailuresPerName = 5;
        int freeFailuresPerAddress = 20;  // a school may sit behind one address
        std::chrono::seconds firstShutOut{1};
        std::chrono::seconds longestShutOut{300};
        std::chrono::seconds forgetAfter{900};  // a count without a failure for this long starts again
        std::size_t maxEntries = 10000;
    };

    LoginThrottle() : LoginThrottle(Limits{}) {}
    explicit LoginThrottle(Limits limits) : limits_(limits) {}

    bool isShutOut(const std::string& nameKey, const std::string& address, Clock::time_point now);
    void recordFailure(const std::string& nameKey, const std::string& address, Clock::time_point now);
    void recordSuccess(const std::string& nameKey);

    std::size_t entryCount() const;

private:
    struct Entry {
        int failures = 0;
        Clock::time_point lastFailure;
        Clock::time_point shutOutUntil;
    };

    void countFailure(const std::string& key, int freeFailures, Clock::time_point now);
    bool shutOut(const std::string& key, Clock::time_point now) const;
    void makeRoom(Clock::time_point now);

    Limits limits_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;  // keys "n:" + name key, "a:" + address
};

}  // namespace lexivo::server

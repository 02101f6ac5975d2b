#include "login_throttle.h"

#include <algorithm>

namespace lexivo::server {
namespace {

std::string nameEntry(const std::string& nameKey)
{
    return "n:" + nameKey;
}

std::string addressEntry(const std::string& address)
{
    return "a:" + address;
}

}  // namespace

bool LoginThrottle::isShutOut(const std::string& nameKey, const std::string& address, Clock::time_point now)
{
    std::lock_guard lock(mutex_);
    return shutOut(nameEntry(nameKey), now) || shutOut(addressEntry(address), now);
}

void LoginThrottle::recordFailure(const std::string& nameKey, const std::string& address, Clock::time_point now)
{
    std::lock_guard lock(mutex_);
    countFailure(nameEntry(nameKey), limits_.freeFailuresPerName, now);
    countFailure(addressEntry(address), limits_.freeFailuresPerAddress, now);
}

void LoginThrottle::recordSuccess(const std::string& nameKey)
{
    std::lock_guard lock(mutex_);
    entries_.erase(nameEntry(nameKey));
}

std::size_t LoginThrottle::entryCount() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

bool LoginThrottle::shutOut(const std::string& key, Clock::time_point now) const
{
    const auto found = entries_.find(key);
    return found != entries_.end() && now < found->second.shutOutUntil;
}

void LoginThrottle::countFailure(const std::string& key, int freeFailures, Clock::time_point now)
{
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        makeRoom(now);
        found = entries_.emplace(key, Entry{}).first;
    }
    Entry& entry = found->second;
    if (now - entry.lastFailure > limits_.forgetAfter) {
        entry.failures = 0;
    }
    ++entry.failures;
    entry.lastFailure = now;
    const int beyondFree = entry.failures - freeFailures;
    if (beyondFree > 0) {
        // 1, 2, 4, … seconds, capped; the shift is bounded so it cannot overflow.
        const std::chrono::seconds doubled = limits_.firstShutOut * (1L << std::min(beyondFree - 1, 20));
        const std::chrono::seconds shutOut = std::min(doubled, limits_.longestShutOut);
        entry.shutOutUntil = now + shutOut;
    }
}

void LoginThrottle::makeRoom(Clock::time_point now)
{
    if (entries_.size() < limits_.maxEntries) {
        return;
    }
    // An entry that shuts someone out goes last, so a flood of new names cannot free an
    // attacker's own address.
    const auto oldest = std::min_element(entries_.begin(), entries_.end(), [now](const auto& a, const auto& b) {
        const bool aShut = now < a.second.shutOutUntil;
        const bool bShut = now < b.second.shutOutUntil;
        return aShut != bShut ? bShut : a.second.lastFailure < b.second.lastFailure;
    });
    entries_.erase(oldest);
}

}  // namespace lexivo::server

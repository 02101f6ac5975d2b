#pragma once
// One Lexivo at a time per program directory. The lock names the process that holds it, so a
// lock left behind by a crashed instance is taken over rather than blocking every start.

#include <filesystem>
#include <memory>

class QLockFile;

namespace lexivo {

class SingleInstance {
public:
    explicit SingleInstance(const std::filesystem::path& programDirectory);
    ~SingleInstance();

    // False when another instance runs on the same program directory, or when the lock
    // cannot be made there at all.
    bool acquired() const { return acquired_; }
    // Whether another instance holds the lock, rather than the lock file being out of reach.
    bool heldByAnother() const;

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

}  // namespace lexivo

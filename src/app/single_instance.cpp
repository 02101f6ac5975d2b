#include "app/single_instance.h"

#include <QLockFile>
#include <QString>

namespace lexivo {

SingleInstance::SingleInstance(const std::filesystem::path& programDirectory)
    : lock_(std::make_unique<QLockFile>(QString::fromStdString((programDirectory / "lexivo.lock").string())))
{
    // Never stale by age: only a lock whose process is gone is taken over.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::heldByAnother() const { return !acquired_ && lock_->error() == QLockFile::LockFailedError; }

}  // namespace lexivo

#include "store/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexivo {
namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor()
    {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }
    // Closes now and reports whether the close succeeded (a late write error shows up here).
    bool close()
    {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0;
    }

private:
    int descriptor_;
};

bool writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncDirectory(const fs::path& directory)
{
    FileDescriptor descriptor(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.valid()) {
        ::fsync(descriptor.get());
    }
}

}  // namespace

Message fileErrorMessage(std::string_view action, const fs::path& file, int errorNumber)
{
    return errorMessage("Soubor „" + file.filename().string() + "“ nebylo možno " + std::string(action) +
                        " (" + std::strerror(errorNumber) + ").");
}

std::optional<std::string> readFileBytes(const fs::path& file)
{
    FileDescriptor descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!descriptor.valid()) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(descriptor.get(), &info) != 0) {
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

Status writeFileAtomically(const fs::path& target, const fs::path& scratch, std::string_view bytes)
{
    FileDescriptor descriptor(::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        return fileErrorMessage("uložit", target, errno);
    }
    // fdatasync suffices: the data and the size reach the disk, the times may follow later.
    if (!writeAll(descriptor.get(), bytes) || ::fdatasync(descriptor.get()) != 0 || !descriptor.close()) {
        const int error = errno;
        ::unlink(scratch.c_str());
        return fileErrorMessage("uložit", target, error);
    }
    if (::rename(scratch.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(scratch.c_str());
        return fileErrorMessage("uložit", target, error);
    }
    syncDirectory(target.parent_path());
    return Status::success();
}

Status appendToFile(const fs::path& file, std::string_view bytes)
{
    FileDescriptor descriptor(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        return fileErrorMessage("uložit", file, errno);
    }
    if (!writeAll(descriptor.get(), bytes) || ::fsync(descriptor.get()) != 0 || !descriptor.close()) {
        return fileErrorMessage("uložit", file, errno);
    }
    return Status::success();
}

Status createEmptyFile(const fs::path& file)
{
    FileDescriptor descriptor(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        return fileErrorMessage("vytvořit", file, errno);
    }
    if (!descriptor.close()) {
        return fileErrorMessage("vytvořit", file, errno);
    }
    syncDirectory(file.parent_path());
    return Status::success();
}

Status renameWithoutReplacing(const fs::path& from, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        const int error = errno;
        if (error != EINVAL && error != ENOSYS) {
            return fileErrorMessage("přejmenovat", from, error);
        }
        // A file system without the no-replace flag: check, then rename.
        struct stat existing {};
        if (::lstat(to.c_str(), &existing) == 0) {
            return fileErrorMessage("přejmenovat", from, EEXIST);
        }
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return fileErrorMessage("přejmenovat", from, errno);
        }
    }
    syncDirectory(to.parent_path());
    return Status::success();
}

std::vector<DirectoryEntry> listDirectory(const fs::path& directory, MakeFilesWritable makeFilesWritable)
{
    std::vector<DirectoryEntry> entries;
    DIR* handle = ::opendir(directory.c_str());
    if (handle == nullptr) {
        return entries;
    }
    const int directoryDescriptor = ::dirfd(handle);
    while (const dirent* entry = ::readdir(handle)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool isDirectory = entry->d_type == DT_DIR;
        const bool needsStatus = entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK ||
                                 (!isDirectory && makeFilesWritable == MakeFilesWritable::Yes);
        if (needsStatus) {
            struct stat info {};
            if (::fstatat(directoryDescriptor, entry->d_name, &info, 0) != 0) {
                continue;  // a dangling link or an entry that vanished meanwhile
            }
            isDirectory = S_ISDIR(info.st_mode);
            const mode_t wanted = info.st_mode | S_IRUSR | S_IWUSR;
            if (!isDirectory && makeFilesWritable == MakeFilesWritable::Yes && wanted != info.st_mode) {
                ::fchmodat(directoryDescriptor, entry->d_name, wanted & 07777, 0);
            }
        }
        entries.push_back({std::string(name), isDirectory});
    }
    ::closedir(handle);
    return entries;
}

void makeWritable(const fs::path& entry)
{
    struct stat info {};
    if (::stat(entry.c_str(), &info) != 0) {
        return;
    }
    const mode_t wanted = info.st_mode | S_IRUSR | S_IWUSR | (S_ISDIR(info.st_mode) ? S_IXUSR : 0);
    if (wanted != info.st_mode) {
        ::chmod(entry.c_str(), wanted & 07777);
    }
}

bool removeFileIfPresent(const fs::path& file)
{
    makeWritable(file);
    return ::unlink(file.c_str()) == 0 || errno == ENOENT;
}

}  // namespace lexivo

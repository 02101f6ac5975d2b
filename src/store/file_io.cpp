#include "store/file_io.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace lexivo {
namespace fs = std::filesystem;

namespace {

// --- The counted system calls, with the failures tests plan -------------------------------

struct CallPlan {
    std::atomic<long> count{0};
    std::atomic<long> failAt{0};  // 0: no failure planned
    std::atomic<int> errorNumber{0};
};
std::array<CallPlan, 6> callPlans;

CallPlan& planOf(FileCall call) { return callPlans[static_cast<std::size_t>(call)]; }

// Counts the call; true (with errno set) when it is the one planned to fail.
bool plannedFailure(FileCall call)
{
    CallPlan& plan = planOf(call);
    const long number = plan.count.fetch_add(1) + 1;
    if (plan.failAt.load() != number) {
        return false;
    }
    plan.failAt.store(0);
    errno = plan.errorNumber.load();
    return true;
}

int openFile(const char* path, int flags, mode_t mode = 0)
{
    return plannedFailure(FileCall::Open) ? -1 : ::open(path, flags, mode);
}

ssize_t writeVector(int descriptor, const iovec* pieces, int count)
{
    if (plannedFailure(FileCall::Write)) {
        const int error = errno;
        if (count > 0 && pieces[0].iov_len > 1) {
            (void)!::write(descriptor, pieces[0].iov_base, pieces[0].iov_len / 2);
        }
        errno = error;
        return -1;
    }
    return ::writev(descriptor, pieces, count);
}

int syncData(int descriptor) { return plannedFailure(FileCall::DataSync) ? -1 : ::fdatasync(descriptor); }

int renameEntry(const char* from, const char* to, unsigned flags)
{
    return plannedFailure(FileCall::Rename) ? -1 : ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}

int unlinkEntry(const char* path) { return plannedFailure(FileCall::Unlink) ? -1 : ::unlink(path); }

// --- Helpers ------------------------------------------------------------------------------

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

// Gathers pieces and writes them with as few system calls as the system allows.
class GatheringWriter : public PieceSink {
public:
    explicit GatheringWriter(int descriptor) : descriptor_(descriptor) {}

    void add(std::string_view piece) override
    {
        if (piece.empty() || error_ != 0) {
            return;
        }
        pieces_[count_++] = iovec{const_cast<char*>(piece.data()), piece.size()};
        if (count_ == pieces_.size()) {
            flush();
        }
    }

    // Writes what is gathered; 0 on success, else the error number of the first failure.
    int finish()
    {
        flush();
        return error_;
    }

private:
    void flush()
    {
        iovec* next = pieces_.data();
        int left = static_cast<int>(count_);
        while (left > 0 && error_ == 0) {
            const ssize_t written = writeVector(descriptor_, next, left);
            if (written < 0) {
                error_ = errno == EINTR ? 0 : errno;
                continue;
            }
            // Skip what went out; a short write continues inside a piece.
            auto done = static_cast<std::size_t>(written);
            while (left > 0 && done >= next->iov_len) {
                done -= next->iov_len;
                ++next;
                --left;
            }
            if (left > 0) {
                next->iov_base = static_cast<char*>(next->iov_base) + done;
                next->iov_len -= done;
            }
        }
        count_ = 0;
    }

    int descriptor_;
    std::array<iovec, IOV_MAX> pieces_{};
    std::size_t count_ = 0;
    int error_ = 0;
};

// Flushes a directory, so that a rename or a new entry in it survives a power cut.
int syncDirectory(const fs::path& directory)
{
    FileDescriptor descriptor(
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor.valid()) {
        return errno;
    }
    if (plannedFailure(FileCall::DirectorySync) || ::fsync(descriptor.get()) != 0) {
        return errno;
    }
    return 0;
}

Message tooLargeMessage(const fs::path& file)
{
    return errorMessage("Soubor „" + file.filename().string() + "“ je větší než 64 MB, a proto ho nelze načíst.");
}

Message notAFileMessage(const fs::path& file)
{
    return errorMessage("„" + file.filename().string() + "“ není obyčejný soubor, a proto ho nelze načíst.");
}

}  // namespace

void failFileCall(FileCall call, int occurrence, int errorNumber)
{
    CallPlan& plan = planOf(call);
    plan.errorNumber.store(errorNumber);
    plan.failAt.store(plan.count.load() + occurrence);
}

void resetFileCalls()
{
    for (CallPlan& plan : callPlans) {
        plan.count.store(0);
        plan.failAt.store(0);
    }
}

long fileCallCount(FileCall call) { return planOf(call).count.load(); }

std::string systemErrorText(int errorNumber)
{
    // The reasons a user can do something about, in the user's language; the rest as the system words them.
    switch (errorNumber) {
    case ENOSPC: return "na disku není dost místa";
    case EDQUOT: return "překročena kvóta disku";
    case EIO: return "chyba čtení nebo zápisu na disk";
    case EACCES:
    case EPERM: return "přístup byl odepřen";
    case EROFS: return "disk je určen jen pro čtení";
    case ENOENT: return "soubor nebo složka neexistuje";
    case EISDIR: return "v cestě je složka";
    case EEXIST: return "takové jméno už na disku je";
    case ENOTDIR: return "cesta nevede do složky";
    case ENAMETOOLONG: return "jméno je příliš dlouhé";
    case EMFILE:
    case ENFILE: return "je otevřeno příliš mnoho souborů";
    case EFBIG: return "soubor je příliš velký";
    default: return std::strerror(errorNumber);
    }
}

Message fileErrorMessage(std::string_view action, const fs::path& file, int errorNumber)
{
    return errorMessage("Soubor „" + file.filename().string() + "“ nebylo možno " + std::string(action) + " (" +
                        systemErrorText(errorNumber) + ").");
}

void adviseLargeBuffer(char* data, std::size_t size)
{
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);  // only advice: failure changes nothing
    }
}

bool entryExists(const fs::path& entry)
{
    struct stat info {};
    return ::lstat(entry.c_str(), &info) == 0;
}

Status appendFileBytes(const fs::path& file, std::string& out)
{
    struct stat named {};
    if (::stat(file.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
        return notAFileMessage(file);
    }
    // Not blocking: should a FIFO take the file's place meanwhile, opening it must not wait
    // for a writer; it is refused below.
    FileDescriptor descriptor(openFile(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!descriptor.valid()) {
        return fileErrorMessage("přečíst", file, errno);
    }
    struct stat info {};
    if (::fstat(descriptor.get(), &info) != 0) {
        return fileErrorMessage("přečíst", file, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return notAFileMessage(file);
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxDataFileBytes) {
        return tooLargeMessage(file);
    }
    // The file as large as it was when it was opened: it cannot exceed the bound meanwhile.
    const std::size_t start = out.size();
    if (out.capacity() < start + static_cast<std::size_t>(info.st_size)) {
        out.reserve(start + static_cast<std::size_t>(info.st_size));
        adviseLargeBuffer(out.data(), out.capacity());
    }
    out.resize(start + static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < out.size() - start) {
        const ssize_t count = ::read(descriptor.get(), out.data() + start + filled, out.size() - start - filled);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            out.resize(start);
            return fileErrorMessage("přečíst", file, error);
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    out.resize(start + filled);
    return Status::success();
}

Result<std::string> readFileBytes(const fs::path& file)
{
    std::string bytes;
    if (Status read = appendFileBytes(file, bytes); !read) {
        return read.message();
    }
    return bytes;
}

Status writeFileAtomically(const fs::path& target, const fs::path& scratch, const ContentWriter& write)
{
    // A scratch file left behind, or something planted under its name (a link, a directory),
    // goes first: the new one is created afresh and never written through a link.
    if (unlinkEntry(scratch.c_str()) != 0 && errno != ENOENT) {
        const int error = errno;
        // Named, so that the user knows what to clear away.
        return errorMessage("Soubor „" + target.filename().string() + "“ nebylo možno uložit: pomocný soubor „" +
                            scratch.filename().string() + "“ nelze nahradit (" + systemErrorText(error) + ").");
    }
    FileDescriptor descriptor(
        openFile(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        return fileErrorMessage("uložit", target, errno);
    }
    GatheringWriter writer(descriptor.get());
    write(writer);
    int error = writer.finish();
    // fdatasync suffices: the data and the size reach the disk, the times may follow later.
    if (error == 0 && syncData(descriptor.get()) != 0) {
        error = errno;
    }
    if (error == 0 && !descriptor.close()) {
        error = errno;
    }
    if (error == 0 && renameEntry(scratch.c_str(), target.c_str(), 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(scratch.c_str());
        return fileErrorMessage("uložit", target, error);
    }
    if (const int syncError = syncDirectory(target.parent_path()); syncError != 0) {
        return fileErrorMessage("uložit", target, syncError);
    }
    return Status::success();
}

Status writeFileAtomically(const fs::path& target, const fs::path& scratch, std::string_view bytes)
{
    return writeFileAtomically(target, scratch, [bytes](PieceSink& sink) { sink.add(bytes); });
}

Status createEmptyFile(const fs::path& file)
{
    FileDescriptor descriptor(openFile(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        return fileErrorMessage("vytvořit", file, errno);
    }
    if (!descriptor.close()) {
        return fileErrorMessage("vytvořit", file, errno);
    }
    if (const int syncError = syncDirectory(file.parent_path()); syncError != 0) {
        return fileErrorMessage("vytvořit", file, syncError);
    }
    return Status::success();
}

Status renameWithoutReplacing(const fs::path& from, const fs::path& to)
{
    if (renameEntry(from.c_str(), to.c_str(), RENAME_NOREPLACE) != 0) {
        const int error = errno;
        if (error != EINVAL && error != ENOSYS) {
            return fileErrorMessage("přejmenovat", from, error);
        }
        // A file system without the no-replace flag: check, then rename.
        if (entryExists(to)) {
            return fileErrorMessage("přejmenovat", from, EEXIST);
        }
        if (renameEntry(from.c_str(), to.c_str(), 0) != 0) {
            return fileErrorMessage("přejmenovat", from, errno);
        }
    }
    if (const int syncError = syncDirectory(to.parent_path()); syncError != 0) {
        return fileErrorMessage("přejmenovat", from, syncError);
    }
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
        DirectoryEntry listed{std::string(name), EntryKind::Other, entry->d_type == DT_LNK};
        struct stat info {};
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK || makeFilesWritable == MakeFilesWritable::Yes) {
            if (::fstatat(directoryDescriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;  // vanished meanwhile
            }
            listed.isLink = S_ISLNK(info.st_mode);
            const mode_t wanted = info.st_mode | S_IRUSR | S_IWUSR;
            // A file with further hard links shares its permissions with names outside this directory.
            if (S_ISREG(info.st_mode) && info.st_nlink == 1 && makeFilesWritable == MakeFilesWritable::Yes &&
                wanted != info.st_mode) {
                ::fchmodat(directoryDescriptor, entry->d_name, wanted & 07777, 0);
            }
            // A link counts as what it points to; a dangling one as neither file nor directory.
            if (listed.isLink && ::fstatat(directoryDescriptor, entry->d_name, &info, 0) != 0) {
                info.st_mode = 0;
            }
            listed.kind = S_ISDIR(info.st_mode) ? EntryKind::Directory
                          : S_ISREG(info.st_mode) ? EntryKind::RegularFile
                                                  : EntryKind::Other;
        } else {
            listed.kind = entry->d_type == DT_DIR ? EntryKind::Directory
                          : entry->d_type == DT_REG ? EntryKind::RegularFile
                                                    : EntryKind::Other;
        }
        entries.push_back(std::move(listed));
    }
    ::closedir(handle);
    return entries;
}

void makeDirectoryWritable(const fs::path& directory)
{
    struct stat info {};
    if (::lstat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return;
    }
    const mode_t wanted = info.st_mode | S_IRWXU;
    if (wanted != info.st_mode) {
        ::chmod(directory.c_str(), wanted & 07777);
    }
}

Status removeFileIfPresent(const fs::path& file)
{
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        return errno == ENOENT ? Status::success() : fileErrorMessage("smazat", file, errno);
    }
    // Only a file that has no other name loses its read-only mark; unlinking needs none of it.
    if (S_ISREG(info.st_mode) && info.st_nlink == 1 && (info.st_mode & S_IWUSR) == 0) {
        ::chmod(file.c_str(), (info.st_mode | S_IRUSR | S_IWUSR) & 07777);
    }
    if (unlinkEntry(file.c_str()) != 0 && errno != ENOENT) {
        return fileErrorMessage("smazat", file, errno);
    }
    return Status::success();
}

}  // namespace lexivo

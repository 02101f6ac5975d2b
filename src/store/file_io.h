#pragma once
// The few file operations the store needs beyond the standard library: bounded reads of data
// files, durable writes and renames that never replace an existing entry, and deletions that
// never reach through a symbolic link. POSIX lives here and nowhere else.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace lexivo {

// No data file the program reads is larger: a package of 1000 words is well below 1 MB and the
// largest test pool about 25 MB. Anything bigger is refused rather than read into memory.
inline constexpr std::size_t kMaxDataFileBytes = 64u << 20;

// The whole content of a regular file of at most 64 MB. A FIFO, a device or a directory is
// refused without being opened for reading (a FIFO would block, a device might never end).
Result<std::string> readFileBytes(const std::filesystem::path& file);
// The same, appended to `out`, so that many files can be read into one buffer.
Status appendFileBytes(const std::filesystem::path& file, std::string& out);

// Asks the system to back a large buffer that is about to be filled with huge pages: touching
// 25 MB of fresh memory four kilobytes at a time costs more than reading it from the cache.
void adviseLargeBuffer(char* data, std::size_t size);

// Whether anything (a dangling link included) has this name.
bool entryExists(const std::filesystem::path& entry);

// Receives a file's content piece by piece; each piece stays valid until the write returns.
class PieceSink {
public:
    virtual ~PieceSink() = default;
    virtual void add(std::string_view piece) = 0;
};
using ContentWriter = std::function<void(PieceSink&)>;

// Replaces `target` with new content so that at every instant it holds either its old or its
// new content: `scratch` (in the same directory) is created afresh (never through a link),
// written, flushed to disk, renamed over `target`, and the directory is flushed so that the
// rename itself survives a power cut. A target that is a link is replaced, its target left alone.
Status writeFileAtomically(const std::filesystem::path& target, const std::filesystem::path& scratch,
                           const ContentWriter& write);
Status writeFileAtomically(const std::filesystem::path& target, const std::filesystem::path& scratch,
                           std::string_view bytes);

// Creates an empty file; fails when an entry of that name exists already.
Status createEmptyFile(const std::filesystem::path& file);

// Renames `from` to `to`, refusing to replace anything that already exists at `to`.
Status renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

enum class EntryKind { Directory, RegularFile, Other };

struct DirectoryEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;  // what a symbolic link points to; Other when it dangles
    bool isLink = false;
};

// The entries of a directory in the order the file system yields them, without "." and "..".
// With `MakeFilesWritable::Yes`, every regular file that is not a link is given owner read and
// write access on the way (a link's target is never changed). Nothing when the directory
// cannot be read.
enum class MakeFilesWritable { No, Yes };
std::vector<DirectoryEntry> listDirectory(const std::filesystem::path& directory,
                                          MakeFilesWritable makeWritable = MakeFilesWritable::No);

// Gives the owner full access to a directory, so that its entries can be removed (the
// counterpart of clearing read-only attributes). A link is left alone.
void makeDirectoryWritable(const std::filesystem::path& directory);

// Deletes a file, or a link as a link; a missing entry is no error. A regular file is made
// writable first (read-only copies do not survive), a link's target is never touched.
Status removeFileIfPresent(const std::filesystem::path& file);

// The system's reason for a failure, in Czech where the user can act on it.
std::string systemErrorText(int errorNumber);
// The message for a failed read or write of `file`, naming the system's reason.
Message fileErrorMessage(std::string_view action, const std::filesystem::path& file, int errorNumber);

// A seam for tests: the system calls below are counted, and a planned one fails.
enum class FileCall { Open, Write, DataSync, DirectorySync, Rename, Unlink };
// The `occurrence`-th call of `call` from now on (1 = the next one) fails with `errorNumber`. A
// failing write first writes half of its bytes, as a disk that fills up does.
void failFileCall(FileCall call, int occurrence, int errorNumber);
// Forgets planned failures and sets every count back to zero.
void resetFileCalls();
long fileCallCount(FileCall call);

}  // namespace lexivo

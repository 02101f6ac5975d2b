#pragma once
// The few file operations the store needs beyond the standard library: durable writes and
// renames that never replace an existing entry. POSIX lives here and nowhere else.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace lexivo {

// The whole content of a file, or nothing when it cannot be opened (missing, unreadable, a directory).
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

// Replaces `target` with `bytes` so that at every instant it holds either its old or its new
// content: `scratch` (in the same directory) is written, flushed to disk, renamed over
// `target`, and the directory is flushed so that the rename itself survives a power cut.
Status writeFileAtomically(const std::filesystem::path& target, const std::filesystem::path& scratch,
                           std::string_view bytes);

// Appends `bytes` to `file` (created when missing) and flushes it to disk.
Status appendToFile(const std::filesystem::path& file, std::string_view bytes);

// Creates an empty file; fails when an entry of that name exists already.
Status createEmptyFile(const std::filesystem::path& file);

// Renames `from` to `to`, refusing to replace anything that already exists at `to`.
Status renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;  // symbolic links are followed
};

// The entries of a directory in the order the file system yields them, without "." and "..".
// With `MakeFilesWritable::Yes`, every file that is not a directory is given owner read and
// write access on the way. Nothing when the directory cannot be read.
enum class MakeFilesWritable { No, Yes };
std::vector<DirectoryEntry> listDirectory(const std::filesystem::path& directory,
                                          MakeFilesWritable makeWritable = MakeFilesWritable::No);

// Gives the owner read and write access, so that the program can rewrite and delete the entry
// (the counterpart of clearing read-only attributes).
void makeWritable(const std::filesystem::path& entry);

// Deletes a file after making it writable; a missing file is no error.
bool removeFileIfPresent(const std::filesystem::path& file);

// The message for a failed read or write of `file`, naming the system's reason.
Message fileErrorMessage(std::string_view action, const std::filesystem::path& file, int errorNumber);

}  // namespace lexivo

#pragma once
// Where every file of the program lies: the program directory, the data root `Data`, one
// directory per group, one file per package and each group's working directory `Temporary`.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo {

// The current group when no group is set up; no group may carry this name.
inline constexpr std::string_view kNoGroupMarker = "--- žádná skupina není zavedena ---";
inline constexpr std::string_view kDataRootName = "Data";
inline constexpr std::string_view kTemporaryName = "Temporary";
// The scratch file of a package rewrite; never a package.
inline constexpr std::string_view kPackageScratchName = "slov";

class DataTree {
public:
    explicit DataTree(std::filesystem::path programDirectory);

    const std::filesystem::path& programDirectory() const { return programDirectory_; }
    std::filesystem::path dataRoot() const;
    std::filesystem::path groupDirectory(std::string_view group) const;
    std::filesystem::path temporaryDirectory(std::string_view group) const;
    std::filesystem::path temporaryFile(std::string_view group, std::string_view name) const;
    std::filesystem::path packageFile(std::string_view group, std::string_view package) const;
    std::filesystem::path programFile(std::string_view name) const;

private:
    std::filesystem::path programDirectory_;
};

// The directory of the running executable.
std::filesystem::path executableDirectory();

// The program directory: the executable's own directory when it already holds `config` or
// `Data` (a portable copy), otherwise the per-user data directory ($XDG_DATA_HOME/Lexivo, or
// ~/.local/share/Lexivo), created when missing. So a build tree never holds the user's words.
std::filesystem::path resolveProgramDirectory(const std::filesystem::path& executableDirectory);

// The manual's entry page `Help/index.html`: beside the executable, in the program directory, or
// where an installation puts it (`../share/lexivo/Help` seen from the executable). Nothing when
// none of them holds it.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& executableDirectory,
                                                const std::filesystem::path& programDirectory);
Message manualMissingMessage();

}  // namespace lexivo

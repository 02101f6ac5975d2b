#include "store/data_tree.h"

#include <cstdlib>
#include <system_error>

namespace lexivo {
namespace fs = std::filesystem;

DataTree::DataTree(fs::path programDirectory) : programDirectory_(std::move(programDirectory)) {}

fs::path DataTree::dataRoot() const { return programDirectory_ / kDataRootName; }

fs::path DataTree::groupDirectory(std::string_view group) const { return dataRoot() / group; }

fs::path DataTree::temporaryDirectory(std::string_view group) const
{
    return groupDirectory(group) / kTemporaryName;
}

fs::path DataTree::temporaryFile(std::string_view group, std::string_view name) const
{
    return temporaryDirectory(group) / name;
}

fs::path DataTree::packageFile(std::string_view group, std::string_view package) const
{
    return groupDirectory(group) / package;
}

fs::path DataTree::programFile(std::string_view name) const { return programDirectory_ / name; }

fs::path executableDirectory()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : executable.parent_path();
}

fs::path resolveProgramDirectory(const fs::path& executableDirectory)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(executableDirectory / "config", error)) ||
        fs::exists(fs::symlink_status(executableDirectory / kDataRootName, error))) {
        return executableDirectory;
    }
    fs::path userData;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
        userData = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        userData = fs::path(home) / ".local" / "share";
    } else {
        return executableDirectory;
    }
    const fs::path directory = userData / "Lexivo";
    fs::create_directories(directory, error);
    return directory;
}

std::optional<fs::path> findManual(const fs::path& executableDirectory, const fs::path& programDirectory)
{
    const fs::path page = fs::path("Help") / "index.html";
    for (const fs::path& directory :
         {executableDirectory, programDirectory, executableDirectory.parent_path() / "share" / "lexivo"}) {
        std::error_code error;
        if (fs::is_regular_file(directory / page, error)) {
            return directory / page;
        }
    }
    return std::nullopt;
}

Message manualMissingMessage()
{
    return errorMessage("Soubor s nápovědou nebyl nalezen. Měl by se nacházet v podadresáři \"Help\", který by měl být v "
                        "základním adresáři programu, tj. tam, kde je uložen EXE soubor programu.");
}

}  // namespace lexivo

#include "store/data_tree.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
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

namespace {

// $HOME, or the account's home when the environment lacks it (a service, a bare `env -i`), so
// that an installed copy never falls back to its read-only executable directory.
fs::path homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        return home;
    }
    const passwd* account = ::getpwuid(::getuid());
    return account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/' ? fs::path(account->pw_dir)
                                                                                         : fs::path();
}

}  // namespace

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
    } else if (const fs::path home = homeDirectory(); !home.empty()) {
        userData = home / ".local" / "share";
    } else {
        return executableDirectory;
    }
    const fs::path directory = userData / "Lexivo";
    fs::create_directories(directory, error);
    return directory;
}

}  // namespace lexivo

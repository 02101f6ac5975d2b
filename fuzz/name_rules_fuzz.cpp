// The name rules for groups and packages. A name they accept is exactly one plain path
// component: not empty, at most 255 bytes, no "/", not "." or "..", no NUL or other control
// character (C0, DEL, C1), storable in Windows-1250; joined to its parent it stays directly
// inside it. An accepted group name also fits the group field of `config`.
// Input: one byte choosing the rule, then the name.

#include "fuzz_support.h"
#include "store/cp1250.h"
#include "store/name_rules.h"
#include "store/program_config.h"

#include <cstdlib>
#include <filesystem>

using namespace lexivo;
namespace fs = std::filesystem;

namespace {

// An empty directory for the rules that look for an existing entry; removed at exit.
struct EmptyDirectory {
    fs::path path;
    EmptyDirectory()
    {
        std::string pattern = (fs::temp_directory_path() / "lexivo-name-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        path = pattern;
    }
    ~EmptyDirectory()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& emptyParent()
{
    static const EmptyDirectory directory;
    return directory.path;
}

bool holdsControlCharacter(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool c1 = byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

void checkPlainComponent(std::string_view name)
{
    FUZZ_CHECK(!name.empty() && name.size() <= 255);
    FUZZ_CHECK(name != "." && name != "..");
    FUZZ_CHECK(name.find('/') == std::string_view::npos);
    FUZZ_CHECK(!holdsControlCharacter(name));
    FUZZ_CHECK(encodeCp1250(name).ok());

    const fs::path& parent = emptyParent();
    const fs::path joined = parent / name;
    FUZZ_CHECK(joined.parent_path() == parent);
    FUZZ_CHECK(joined.filename() == name);
    FUZZ_CHECK(joined.lexically_normal() == joined && joined.lexically_relative(parent) == fs::path(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(fuzz::asText(data, size));
    const std::uint8_t rule = input.byte() % 4;
    const std::string_view name = input.rest();

    if (rule < 2) {
        const auto use = rule == 0 ? PackageNameUse::Create : PackageNameUse::Rename;
        if (!checkPackageName(name, use, emptyParent())) {
            checkPlainComponent(name);
        }
        return 0;
    }
    const auto use = rule == 2 ? GroupNameUse::Create : GroupNameUse::Rename;
    if (!checkGroupName(name, use, {"Angličtina"}, emptyParent())) {
        checkPlainComponent(name);
        ProgramConfig config;
        config.currentGroup = name;
        FUZZ_CHECK(encodeProgramConfig(config).ok());
    }
    return 0;
}

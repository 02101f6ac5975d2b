#pragma once
// A fresh directory under the system's temporary directory for one benchmark program. Without
// one a benchmark stops at once: it never falls back to the working directory.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lexivo::bench {

inline std::filesystem::path makeBenchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lexivo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

}  // namespace lexivo::bench

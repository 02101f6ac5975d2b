#pragma once
// Where the user manual's entry page `Help/index.html` lies: beside the program in a portable
// copy (the executable's directory, then the program directory), or in an installed copy's
// shared data, `../share/lexivo/Help` seen from the executable.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace lexivo {

inline constexpr std::string_view kManualMissingText =
    "Soubor s nápovědou nebyl nalezen. Měl by se nacházet v podadresáři \"Help\", který by měl být v základním "
    "adresáři programu, tj. tam, kde je uložen EXE soubor programu.";

// The message shown when no place holds the manual.
inline Message manualMissingMessage() { return errorMessage(std::string(kManualMissingText)); }

// The places looked at, in this order.
std::vector<std::filesystem::path> manualCandidates(const std::filesystem::path& executableDirectory,
                                                    const std::filesystem::path& programDirectory);

// The first candidate that is a file, or nothing.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& executableDirectory,
                                                const std::filesystem::path& programDirectory);

}  // namespace lexivo

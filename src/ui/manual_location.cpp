#include "ui/manual_location.h"

namespace lexivo {

std::vector<std::filesystem::path> manualCandidates(const std::filesystem::path& executableDirectory,
                                                    const std::filesystem::path& programDirectory)
{
    const std::filesystem::path page = std::filesystem::path("Help") / "index.html";
    return {executableDirectory / page, programDirectory / page,
            (executableDirectory / ".." / "share" / "lexivo" / page).lexically_normal()};
}

std::optional<std::filesystem::path> findManual(const std::filesystem::path& executableDirectory,
                                                const std::filesystem::path& programDirectory)
{
    for (const std::filesystem::path& candidate : manualCandidates(executableDirectory, programDirectory)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace lexivo

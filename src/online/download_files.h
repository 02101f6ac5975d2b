#pragma once
// The files a download leaves behind: `downbal` (the downloaded packages, until they are filed)
// in the program directory and `balprevtemp` (one package shown as a preview) in the current
// group's Temporary. Each is written through a scratch file and renamed, so a failed write
// leaves the previous state.

#include <filesystem>
#include <string>
#include <string_view>

#include "store/data_tree.h"
#include "store/result.h"

namespace lexivo {

inline constexpr std::string_view kDownloadFileName = "downbal";
inline constexpr std::string_view kPreviewFileName = "balprevtemp";

enum class PackageReplyScope { AllPackages, FirstPackage };

// The lines of a package reply body: after its first byte, each package is a header (area "#"
// group "#" package), "*", then word records each ended by "~", then "<|>". Headers and word
// records become lines ending in CR LF; the bytes are copied as they are.
std::string packageReplyLines(std::string_view body, PackageReplyScope scope);

// Writes the downloaded packages into `downbal`.
Status saveDownload(const DataTree& tree, std::string_view body);
// Deletes `downbal` once its packages are filed or given up.
void discardDownload(const DataTree& tree);

// Writes the first package of a reply into the group's `balprevtemp`, creating Temporary when missing.
Status savePreview(const DataTree& tree, std::string_view group, std::string_view body);
void removePreview(const DataTree& tree, std::string_view group);

// Replaces `target` with `bytes` through `scratch`. Whatever stands at `scratch` (a link left
// there, say) is removed first, so the write cannot land anywhere else.
Status writeThroughScratch(const std::filesystem::path& target, const std::filesystem::path& scratch,
                           std::string_view bytes);

// Line feeds become CR LF, the line end of every file of the program; CR LF stays as it is.
std::string withCrLf(std::string_view text);

}  // namespace lexivo

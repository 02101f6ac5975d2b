#include "online/download_files.h"

#include <system_error>

#include <unistd.h>

#include "store/file_io.h"

namespace lexivo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPackageEnd = "<|>";

fs::path scratchFor(const fs::path& target)
{
    fs::path scratch = target;
    scratch += ".part";
    return scratch;
}

void removeEntry(const fs::path& entry)
{
    // remove() takes a link away itself and never touches what it points to.
    std::error_code ignored;
    fs::remove(entry, ignored);
}

}  // namespace

std::string packageReplyLines(std::string_view body, PackageReplyScope scope)
{
    std::string lines;
    lines.reserve(body.size() + body.size() / 16);
    bool header = true;
    std::size_t position = 1;  // the first byte is not part of the packages
    while (position < body.size()) {
        const char c = body[position++];
        if (header && c == '*') {
            lines += '\n';
            header = false;
        } else if (!header && c == '~') {
            lines += '\n';
        } else {
            lines += c;
        }
        if (body.substr(position, kPackageEnd.size()) == kPackageEnd) {
            if (scope == PackageReplyScope::FirstPackage) {
                break;
            }
            position += kPackageEnd.size();
            header = true;
        }
    }
    return withCrLf(lines);
}

std::string withCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

Status writeThroughScratch(const fs::path& target, const fs::path& scratch, std::string_view bytes)
{
    removeEntry(scratch);
    return writeFileAtomically(target, scratch, bytes);
}

Status saveDownload(const DataTree& tree, std::string_view body)
{
    const fs::path file = tree.programFile(kDownloadFileName);
    if (!writeThroughScratch(file, scratchFor(file), packageReplyLines(body, PackageReplyScope::AllPackages))) {
        return errorMessage("Došlo k chybě při stahování.");
    }
    return Status::success();
}

void discardDownload(const DataTree& tree) { removeEntry(tree.programFile(kDownloadFileName)); }

Status savePreview(const DataTree& tree, std::string_view group, std::string_view body)
{
    const Message failed = errorMessage("Došlo k chybě při ukládání balíčku.");
    if (group == kNoGroupMarker) {
        return failed;
    }
    std::error_code ignored;
    fs::create_directory(tree.temporaryDirectory(group), ignored);
    const fs::path file = tree.temporaryFile(group, kPreviewFileName);
    if (!writeThroughScratch(file, scratchFor(file), packageReplyLines(body, PackageReplyScope::FirstPackage))) {
        return failed;
    }
    return Status::success();
}

void removePreview(const DataTree& tree, std::string_view group)
{
    if (group != kNoGroupMarker) {
        removeEntry(tree.temporaryFile(group, kPreviewFileName));
    }
}

}  // namespace lexivo

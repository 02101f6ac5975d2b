// What a download turns into: the reply of a package download becomes the lines of `downbal`,
// and those lines split into packages, each after the first headed by a line with "#"; a suggested package name
// and the recommended group hold no "#"; the online store's reply becomes its records, a line
// for each "~", with no "~" left.

#include "fuzz_support.h"
#include "online/download_files.h"
#include "online/filing.h"
#include "online/online_store.h"

#include <algorithm>
#include <string>

using namespace lexivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body = fuzz::asText(data, size);

    const std::string lines = packageReplyLines(body, PackageReplyScope::AllPackages);
    const std::string preview = packageReplyLines(body, PackageReplyScope::FirstPackage);
    FUZZ_CHECK(lines.starts_with(preview));
    const std::vector<DownloadedPackage> packages = splitDownload(lines);
    for (const DownloadedPackage& package : packages) {
        // The first line heads the first package whatever it holds; every later header has "#".
        FUZZ_CHECK(&package == &packages.front() || package.header.find('#') != std::string::npos);
        FUZZ_CHECK(suggestedPackageName(package.header).find('#') == std::string::npos);
        FUZZ_CHECK(recommendedGroup(package.header).find('#') == std::string::npos);
    }

    const std::string store = storeReplyLines(body);
    FUZZ_CHECK(store.find('~') == std::string::npos);
    const std::string_view records = body.substr(std::min<std::size_t>(1, body.size()));
    const auto count = [](std::string_view text, char c) { return std::count(text.begin(), text.end(), c); };
    FUZZ_CHECK(count(store, '\n') == count(records, '~') + count(records, '\n'));
    return 0;
}

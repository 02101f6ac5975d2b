// A catalogue body from the web service. Whatever it holds, the tree has areas at the top,
// groups under them and packages under those, siblings in order, texts without markers and no
// longer than a node holds; ticking an area ticks everything under it, and the selection sent
// back names each ticked package once, or is refused with a message.

#include "fuzz_support.h"
#include "online/catalogue.h"
#include "store/cp1250.h"

#include <algorithm>
#include <string>

using namespace lexivo;

namespace {

std::size_t checkNode(const CatalogueNode& node, CatalogueNode::Level level)
{
    FUZZ_CHECK(node.level == level);
    FUZZ_CHECK(node.text.find_first_of("*#@|") == std::string::npos);
    FUZZ_CHECK(characterCount(node.text) <= kMaxCatalogueTextCharacters);
    FUZZ_CHECK(std::is_sorted(node.children.begin(), node.children.end(),
                              [](const CatalogueNode& a, const CatalogueNode& b) {
                                  return caseInsensitiveOrder(a.text, b.text);
                              }));
    if (level == CatalogueNode::Level::Package) {
        FUZZ_CHECK(node.children.empty());
        return 1;
    }
    const auto below = level == CatalogueNode::Level::Area ? CatalogueNode::Level::Group : CatalogueNode::Level::Package;
    std::size_t packages = 0;
    for (const CatalogueNode& child : node.children) {
        packages += checkNode(child, below);
    }
    return packages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body = fuzz::asText(data, size);
    Result<Catalogue> read = readCatalogue(body);
    if (!read) {
        return 0;
    }
    Catalogue catalogue = std::move(read).value();
    std::size_t packages = 0;
    for (CatalogueNode& area : catalogue) {
        packages += checkNode(area, CatalogueNode::Level::Area);
        setTicked(area, true);
    }
    const Result<std::string> selection = selectionList(catalogue, CatalogueKind::Thematic);
    if (selection) {
        FUZZ_CHECK(packages > 0);
        FUZZ_CHECK(static_cast<std::size_t>(std::count(selection->begin(), selection->end(), '|')) == packages - 1);
    } else {
        FUZZ_CHECK(!selection.message().text.empty());
    }
    return 0;
}

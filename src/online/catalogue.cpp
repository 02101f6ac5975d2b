#include "online/catalogue.h"

#include <algorithm>
#include <array>
#include <climits>

#include "store/cp1250.h"

namespace lexivo {
namespace {

using Level = CatalogueNode::Level;

std::optional<Level> markerLevel(char c)
{
    switch (c) {
    case '*': return Level::Area;
    case '#': return Level::Group;
    case '@':
    case '|': return Level::Package;
    default: return std::nullopt;
    }
}

// The leading decimal digits of a package's buffer; 0 when there are none.
int leadingNumber(std::string_view text)
{
    long long value = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

CatalogueNode makeNode(Level level, std::string_view buffer)
{
    CatalogueNode node;
    node.level = level;
    if (level != Level::Package) {
        node.text = decodeCp1250(buffer);
        return node;
    }
    // id ";" title, and anything after a second ";" is ignored.
    const std::size_t first = buffer.find(';');
    node.id = leadingNumber(buffer.substr(0, first));
    if (first != std::string_view::npos) {
        const std::string_view rest = buffer.substr(first + 1);
        node.text = decodeCp1250(rest.substr(0, rest.find(';')));
    }
    return node;
}

// Builds the tree in arrival order: a group goes under the area inserted last, a package
// under the group inserted last.
class TreeBuilder {
public:
    void insert(Level level, std::string_view buffer)
    {
        CatalogueNode node = makeNode(level, buffer);
        switch (level) {
        case Level::Area:
            areas_.push_back(std::move(node));
            lastArea_ = areas_.size() - 1;
            break;
        case Level::Group:
            if (lastArea_) {
                auto& groups = areas_[*lastArea_].children;
                groups.push_back(std::move(node));
                lastGroup_ = {*lastArea_, groups.size() - 1};
            }
            break;
        case Level::Package:
            if (lastGroup_) {
                areas_[lastGroup_->first].children[lastGroup_->second].children.push_back(std::move(node));
            }
            break;
        }
    }

    Catalogue take(const NameOrder& order)
    {
        sortSiblings(areas_, order);
        return std::move(areas_);
    }

private:
    static void sortSiblings(std::vector<CatalogueNode>& nodes, const NameOrder& order)
    {
        std::stable_sort(nodes.begin(), nodes.end(),
                         [&](const CatalogueNode& a, const CatalogueNode& b) { return order(a.text, b.text); });
        for (CatalogueNode& node : nodes) {
            sortSiblings(node.children, order);
        }
    }

    Catalogue areas_;
    std::optional<std::size_t> lastArea_;
    std::optional<std::pair<std::size_t, std::size_t>> lastGroup_;
};

void appendTicked(const CatalogueNode& node, CatalogueKind kind, std::string& list)
{
    if (node.level == Level::Package) {
        if (node.ticked) {
            if (!list.empty()) {
                list += '|';
            }
            list += packageReference(node, kind);
        }
        return;
    }
    for (const CatalogueNode& child : node.children) {
        appendTicked(child, kind, list);
    }
}

}  // namespace

std::optional<CatalogueKind> catalogueKindForChoice(int choice)
{
    switch (choice) {
    case 2: return CatalogueKind::Thematic;
    case 3: return CatalogueKind::Textbooks;
    case 4: return CatalogueKind::Fiction;
    default: return std::nullopt;
    }
}

std::string_view catalogueScript(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueKind::Thematic: return kThematicScript;
    case CatalogueKind::Textbooks: return kTextbookScript;
    case CatalogueKind::Fiction: return kFictionScript;
    }
    return kThematicScript;
}

std::string_view catalogueHeading(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueKind::Thematic: return "Tematické balíčky";
    case CatalogueKind::Textbooks: return "Balíčky z učebnic";
    case CatalogueKind::Fiction: return "Balíčky z knih";
    }
    return {};
}

Catalogue parseCatalogue(std::string_view body, const NameOrder& order)
{
    TreeBuilder builder;
    std::array<std::string, 3> buffers;
    Level level = Level::Area;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const bool last = i + 1 == body.size();
        if (const auto marker = last ? Level::Area : markerLevel(body[i])) {
            level = *marker;
            buffers[static_cast<std::size_t>(level)].clear();
            continue;
        }
        std::string& buffer = buffers[static_cast<std::size_t>(level)];
        if (buffer.size() < kMaxCatalogueTextCharacters) {
            buffer += body[i];
        }
        if (!last && markerLevel(body[i + 1])) {
            builder.insert(level, buffer);
        }
    }
    return builder.take(order);
}

Result<Catalogue> readCatalogue(std::string_view body, const NameOrder& order)
{
    const auto markers = std::count_if(body.begin(), body.end(), [](char c) { return markerLevel(c).has_value(); });
    if (static_cast<std::size_t>(markers) > kMaxCatalogueItems) {
        return errorMessage("Katalog balíčků je příliš rozsáhlý (více než " + std::to_string(kMaxCatalogueItems) +
                            " položek), nelze ho zobrazit.");
    }
    return parseCatalogue(body, order);
}

void setTicked(CatalogueNode& node, bool ticked)
{
    node.ticked = ticked;
    for (CatalogueNode& child : node.children) {
        setTicked(child, ticked);
    }
}

std::string packageReference(const CatalogueNode& package, CatalogueKind kind)
{
    std::string reference = std::to_string(package.id);
    if (kind != CatalogueKind::Thematic) {
        reference += '@';
        reference += package.text;
    }
    return reference;
}

Result<std::string> selectionList(const Catalogue& catalogue, CatalogueKind kind)
{
    std::string list;
    for (const CatalogueNode& area : catalogue) {
        appendTicked(area, kind, list);
        if (characterCount(list) > kMaxSelectionCharacters) {
            return errorMessage("Počet vybraných balíčků je příliš vysoký.", MessageIcon::None);
        }
    }
    if (list.empty()) {
        return errorMessage("Žádný balíček není vybrán.");
    }
    return list;
}

ServerRequest catalogueRequest(const ServerAddress& address, CatalogueKind kind)
{
    return ServerRequest{scriptUrl(address, catalogueScript(kind)), 1, {}, {}, {}};
}

ServerRequest downloadRequest(const ServerAddress& address, CatalogueKind kind, std::string selection)
{
    return ServerRequest{scriptUrl(address, catalogueScript(kind)), 2, std::move(selection), {}, {}};
}

ServerRequest previewRequest(const ServerAddress& address, CatalogueKind kind, const CatalogueNode& package)
{
    return downloadRequest(address, kind, packageReference(package, kind));
}

std::optional<Message> checkPreviewGroup(const Collection& collection)
{
    if (!collection.hasCurrentGroup()) {
        return errorMessage("Nejprve prosím vytvořte skupinu balíčků.");
    }
    return std::nullopt;
}

Message catalogueQuestion()
{
    return Message{"Program se nyní připojí k webu Brindle a zjistí jaké balíčky jsou tam pro Vás připraveny.\n"
                   "Přejete si pokračovat?",
                   MessageIcon::Exclamation, "Dotaz"};
}

Message downloadQuestion()
{
    return Message{"Program se nyní připojí k webu Brindle a stáhne vybrané balíčky.\nPřejete si pokračovat?",
                   MessageIcon::Question, "Dotaz"};
}

}  // namespace lexivo

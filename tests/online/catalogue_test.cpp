#include "online/catalogue.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lexivo {
namespace {

// The tree as one line: areas, groups and packages with their ids, in order.
std::string outline(const std::vector<CatalogueNode>& nodes)
{
    std::string text;
    for (const CatalogueNode& node : nodes) {
        text += (text.empty() ? "" : " ") +
                (node.level == CatalogueNode::Level::Package ? std::to_string(node.id) + ":" + node.text : node.text);
        if (!node.children.empty()) {
            text += "(" + outline(node.children) + ")";
        }
    }
    return text;
}

TEST(CatalogueGrammar, BodiesBuildTheirTrees)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"*Area#Group|12;Words*", "Area(Group(12:Words))"},
        {"*Area#Group|12;Words", "Area(Group)"},  // no marker after the last item: it is lost
        {"*A#G@7;Title;more|8;x*", "A(G(7:Title 8:x))"},
        {"*B#y|2;b|1;a*a#x|3;c*", "a(x(3:c)) B(y(1:a 2:b))"},
        {"#G|1;x*A*", "A"},                      // a group before any area has no place
        {"*A#G|1;x*B|2;y*", "A(G(1:x 2:y)) B"},  // a package goes under the group inserted last
        {"*A#G|abc;Bez \xE8\xEDsla*", "A(G(0:Bez čísla))"},
        {"*A#G|5*", "A(G(5:))"},
        {"*\xC8\x65sk\xE1#\x8Akola|1;\x9E\x61k*", "Česká(Škola(1:žak))"},
        {"*" + std::string(400, 'a') + "*", std::string(299, 'a')},
        {"*A#G|1;" + std::string(400, 'b') + "*", "A(G(1:" + std::string(297, 'b') + "))"},  // "1;" counts too
        {"", ""},
        {"*", ""},
    };
    for (const auto& [body, expected] : cases) {
        EXPECT_EQ(outline(parseCatalogue(body)), expected) << body;
    }
}

TEST(CatalogueGrammar, AServerCannotSendMoreItemsThanATreeHolds)
{
    std::string body = "*A#G";
    for (std::size_t id = 3; id < kMaxCatalogueItems; ++id) {  // with the area, the group and the last byte
        body += "|" + std::to_string(id) + ";p";
    }
    EXPECT_EQ(readCatalogue(body + "*").value()[0].children[0].children.size(), kMaxCatalogueItems - 3);
    EXPECT_EQ(readCatalogue(body + "|1;p*").message().text,
              "Katalog balíčků je příliš rozsáhlý (více než 20000 položek), nelze ho zobrazit.");
}

TEST(CatalogueSelection, TickedPackagesBecomeTheDownloadsData)
{
    Catalogue catalogue = parseCatalogue("*A#G|1;x|2;y#H|3;z*B#I|4;w*");
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Thematic).message().text, "Žádný balíček není vybrán.");
    setTicked(catalogue[0], true);
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Thematic).value(), "1|2|3");
    setTicked(catalogue[0].children[0], false);
    setTicked(catalogue[1].children[0].children[0], true);
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Thematic).value(), "3|4");
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Fiction).value(), "3@z|4@w");

    // "1@" and a title: exactly 9500 characters may go, one more may not.
    catalogue[0].children[1].children[0] = CatalogueNode{CatalogueNode::Level::Package, std::string(9498, 'x'), 1, true, {}};
    setTicked(catalogue[1], false);
    EXPECT_TRUE(selectionList(catalogue, CatalogueKind::Textbooks).ok());
    catalogue[0].children[1].children[0].text += "č";
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Textbooks).message().text,
              "Počet vybraných balíčků je příliš vysoký.");

    const ServerRequest preview = previewRequest({"h", std::nullopt}, *catalogueKindForChoice(4), catalogue[1].children[0].children[0]);
    EXPECT_EQ(preview.url, "h/lx/komunikace/lxnetknihy.php");
    EXPECT_EQ(preview.typ, 2);
    EXPECT_EQ(preview.data, "4@w");
}

}  // namespace
}  // namespace lexivo

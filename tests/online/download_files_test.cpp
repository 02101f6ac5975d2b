// Downloading packages: the catalogue and its selection, then the files the reply is written to.

#include "online/catalogue.h"
#include "online/download_files.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempTree;
using testing::writeBytes;

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
    EXPECT_EQ(selectionList(catalogue, CatalogueKind::Textbooks).message(),
              errorMessage("Počet vybraných balíčků je příliš vysoký.", MessageIcon::None));

    const ServerRequest preview = previewRequest({"h", std::nullopt}, *catalogueKindForChoice(4), catalogue[1].children[0].children[0]);
    EXPECT_EQ(preview.url, "h/lx/komunikace/lxnetknihy.php");
    EXPECT_EQ(preview.typ, 2);
    EXPECT_EQ(preview.data, "4@w");
}

// Two packages as the server sends them, after the result digit.
const std::string kReply = "xFOOD#N\xC1POJE#PIVO*beer|pivo||~ale|ale||~<|>FOOD#OVOCE#JABLKA*apple|jablko||~<|>";
const std::string kFirstPackage = "FOOD#N\xC1POJE#PIVO\r\nbeer|pivo||\r\nale|ale||\r\n";

TEST(PackageReply, BecomesHeaderAndWordLines)
{
    using Scope = PackageReplyScope;
    const std::vector<std::tuple<std::string, Scope, std::string>> cases = {
        {kReply, Scope::AllPackages, kFirstPackage + "FOOD#OVOCE#JABLKA\r\napple|jablko||\r\n"},
        {kReply, Scope::FirstPackage, kFirstPackage},
        {"xA#B#C*a|b~c|d", Scope::AllPackages, "A#B#C\r\na|b\r\nc|d"},  // the last word without its "~"
        {"xA~B#C*x*y", Scope::AllPackages, "A~B#C\r\nx*y"},           // "~" in a header, "*" in a word stay
        {"x", Scope::AllPackages, ""},
        {"", Scope::AllPackages, ""},
    };
    for (const auto& [body, scope, expected] : cases) {
        EXPECT_EQ(packageReplyLines(body, scope), expected) << body;
    }
}

TEST(DownloadFile, IsWrittenWholeOrNotAtAllAndNeverThroughALink)
{
    TempTree temp;
    TempTree outside;
    const fs::path victim = outside.root() / "victim";
    writeBytes(victim, "keep");
    fs::create_symlink(victim, temp.root() / "downbal.part");
    const fs::path downbal = temp.root() / "downbal";
    ASSERT_TRUE(saveDownload(temp.tree(), kReply).ok());
    EXPECT_EQ(readBytes(downbal), packageReplyLines(kReply, PackageReplyScope::AllPackages));
    EXPECT_EQ(readBytes(victim), "keep");

    // A scratch file that cannot be written: the previous download stays.
    fs::create_directories(temp.root() / "downbal.part" / "blocked");
    const Status failed = saveDownload(temp.tree(), "xOTHER#A#B*w|s||~");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(), errorMessage("Došlo k chybě při stahování."));
    EXPECT_EQ(readBytes(downbal), packageReplyLines(kReply, PackageReplyScope::AllPackages));

    fs::remove(downbal);
    fs::create_symlink(victim, downbal);
    discardDownload(temp.tree());
    EXPECT_FALSE(fs::exists(fs::symlink_status(downbal)));
    EXPECT_EQ(readBytes(victim), "keep");
}

TEST(PreviewFile, HoldsTheFirstPackageInTheGroupsTemporary)
{
    TempTree temp;
    fs::create_directories(temp.tree().groupDirectory("G"));  // no Temporary yet
    ASSERT_TRUE(savePreview(temp.tree(), "G", kReply).ok());
    const fs::path preview = temp.tree().temporaryFile("G", "balprevtemp");
    EXPECT_EQ(readBytes(preview), kFirstPackage);
    removePreview(temp.tree(), "G");
    EXPECT_FALSE(fs::exists(preview));

    const Status noGroup = savePreview(temp.tree(), "--- žádná skupina není zavedena ---", kReply);
    ASSERT_FALSE(noGroup.ok());
    EXPECT_EQ(noGroup.message().text, "Došlo k chybě při ukládání balíčku.");
    EXPECT_FALSE(savePreview(temp.tree(), "Missing", kReply).ok());
}

}  // namespace
}  // namespace lexivo

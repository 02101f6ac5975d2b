// The request target and the reply bodies, byte for byte.

#include <gtest/gtest.h>

#include "seeded_service.h"
#include "wire_bodies.h"
#include "wire_query.h"

namespace lexivo::server {
namespace {

using testing::cp1250;

TEST(WireQuery, SplitsOnRawSeparatorsAndDecodesEveryVariable)
{
    struct Case {
        std::string_view query;
        std::optional<int> typ;
        std::string data, jmeno, heslo;
    };
    const Case cases[] = {
        {"typ=1&data=&jmeno=&heslo=", 1, "", "", ""},
        {"typ=2&data=12%7C7&jmeno=&heslo=", 2, "12|7", "", ""},
        {"typ=1&data=&jmeno=Petr&heslo=a%26b%3Dc", 1, "", "Petr", "a&b=c"},  // encoded & and = stay inside
        {"typ=1&data=a%20b+c&jmeno=%C8ech&heslo=%e9", 1, "a b c", "\xC8""ech", "\xE9"},
        {"typ=1&data=100%25&jmeno=%G1&heslo=%4", 1, "100%", "%G1", "%4"},  // a broken escape stays
        {"typ=1000&heslo=x=y", 1000, "", "", "x=y"},  // only the first raw "=" splits
        {"typ=0", std::nullopt, "", "", ""},
        {"typ=1001", std::nullopt, "", "", ""},
        {"typ=1x", std::nullopt, "", "", ""},
        {"data=5&typ=2&typ=1", 1, "5", "", ""},  // a repeated variable keeps its last value
        {"", std::nullopt, "", "", ""},
    };
    for (const Case& c : cases) {
        const ScriptQuery query = parseQuery(c.query);
        EXPECT_EQ(query.typ, c.typ) << c.query;
        EXPECT_EQ(query.data, c.data) << c.query;
        EXPECT_EQ(query.jmeno, c.jmeno) << c.query;
        EXPECT_EQ(query.heslo, c.heslo) << c.query;
    }
}

TEST(WireQuery, FindsOnlyTheFourScriptsByExactPath)
{
    EXPECT_EQ(scriptForPath("/lx/komunikace/lxnettembal.php"), Script::ThematicCatalogue);
    EXPECT_EQ(scriptForPath("/lx/komunikace/lxnetucebnice.php"), Script::TextbookCatalogue);
    EXPECT_EQ(scriptForPath("/lx/komunikace/lxnetknihy.php"), Script::FictionCatalogue);
    EXPECT_EQ(scriptForPath("/lx/komunikace/lxnetzasobnik.php"), Script::Store);
    for (std::string_view other : {"/", "/lx/komunikace/", "/LX/komunikace/lxnettembal.php",
                                   "/lx/komunikace/lxnettembal.php/", "/lx/komunikace/../komunikace/lxnetknihy.php"}) {
        EXPECT_FALSE(scriptForPath(other).has_value()) << other;
    }
    const RequestTarget target = splitTarget("/a.php?typ=1&data=?x");
    EXPECT_EQ(target.path, "/a.php");
    EXPECT_EQ(target.query, "typ=1&data=?x");
}

TEST(WireBodies, CatalogueGroupsAreasAndSubgroupsAndEndsWithAMarker)
{
    const std::vector<CatalogueEntry> entries = {
        {12, "FOOD", "NÁPOJE", "ALKOHOLICKÉ NÁPOJE"},
        {7, "FOOD", "NÁPOJE", "Čaj"},
        {3, "FOOD", "OVOCE", "Ovoce"},
        {40, "HOME", "NÁPOJE", "Doma"},
    };
    EXPECT_EQ(replyBytes(ScriptReply::success(catalogueBody(entries))),
              cp1250("1*FOOD#NÁPOJE|12;ALKOHOLICKÉ NÁPOJE|7;Čaj#OVOCE|3;Ovoce*HOME#NÁPOJE|40;Doma*"));
}

TEST(WireBodies, PackagesAndStoreCarryRecordsOfNewWords)
{
    const std::vector<CataloguePackage> packages = {
        {{1, "A", "S", "P"}, {{"beer", "pivo", "Cheers.", "0"}, {"wine", "víno", "", ""}}},
        {{2, "A", "S", "Empty"}, {}},
    };
    EXPECT_EQ(packagesBody(packages), "~A#S#P*beer|pivo|Cheers.|4~wine|víno||4~<|>A#S#Empty*<|>");
    EXPECT_EQ(storeBody({{"cat", "kočka", "", ""}}), "~cat|kočka||4~");
    EXPECT_EQ(storeBody({}), "~");
}

TEST(WireBodies, RefusalIsZeroAndTheCzechTextInWindows1250)
{
    EXPECT_EQ(replyBytes(ScriptReply::refusal("Žádný balíček není vybrán.")),
              "0" + cp1250("Žádný balíček není vybrán."));
    // Text the code page cannot hold never goes out half-converted.
    EXPECT_EQ(replyBytes(ScriptReply::success("日本")).substr(0, 1), "0");
}

}  // namespace
}  // namespace lexivo::server

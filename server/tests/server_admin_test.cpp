// Administration: catalogue folders, package files, accounts and the command line.

#include <csignal>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "catalogue_folder.h"
#include "commands.h"
#include "seeded_service.h"
#include "support/temp_tree.h"

namespace lexivo::server {
namespace {

namespace fs = std::filesystem;
using lexivo::testing::TempTree;
using lexivo::testing::writeBytes;
using testing::cp1250;

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandRun command(std::vector<std::string> arguments, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCommand(arguments, in, out, err);
    return {code, out.str(), err.str()};
}

TEST(PackageFile, RefusesLinesTheProgramWouldMisread)
{
    struct Case {
        std::string utf8;
        std::string problem;  // empty: accepted
    };
    const Case cases[] = {
        {"beer|pivo|Cheers.|0\r\n\r\nwine|víno||\r\n", ""},
        {"beer|pivo\n", ""},
        {"", "Balíček neobsahuje žádné slovo."},
        {"beer|pivo||4|wine|víno\r\n", "Řádek 1: má víc než čtyři pole"},
        {"ok|ano||\r\nbeer||\r\n", "Řádek 2: chybí anglický nebo český výraz."},
        {"a~b|c||\r\n", "Řádek 1: obsahuje"},
        {"a#b|c||\r\n", "Řádek 1: obsahuje"},
        {"a<|>b||\r\n", "Řádek 1: obsahuje"},
        {"a|b|" + std::string(250, 'x') + "|\r\n", "Řádek 1: pole je delší než 249 znaků."},
    };
    for (const Case& c : cases) {
        Result<std::vector<WordRecord>> words = parseWordFile(cp1250(c.utf8));
        if (c.problem.empty()) {
            EXPECT_TRUE(words.ok()) << c.utf8;
        } else {
            ASSERT_FALSE(words.ok()) << c.utf8;
            EXPECT_TRUE(words.message().text.starts_with(c.problem)) << words.message().text;
        }
    }
    std::string thousandAndOne;
    for (int i = 0; i <= 1000; ++i) {
        thousandAndOne += "w|s||\r\n";
    }
    EXPECT_FALSE(parseWordFile(thousandAndOne).ok());
    EXPECT_EQ(parseWordFile(cp1250("žena|woman|Ta žena.|0")).value().at(0),
              (WordRecord{"žena", "woman", "Ta žena.", ""}));
}

TEST(CatalogueNames, MustFileAsAGroupAndAPackageInTheProgram)
{
    const std::string area45(45, 'a');
    const std::pair<CatalogueEntry, bool> cases[] = {
        {{0, "FOOD", "NÁPOJE", "ALKOHOLICKÉ NÁPOJE"}, true},
        {{0, area45, "S", "T"}, true},
        {{0, area45 + "b", "S", "T"}, false},
        {{0, "--- žádná skupina není zavedena ---", "S", "T"}, false},
        {{0, "A", "1984", "T"}, false},
        {{0, "A", std::string(120, 's'), std::string(127, 't')}, true},
        {{0, "A", std::string(120, 's'), std::string(128, 't')}, false},
        {{0, "A", "S", ""}, false},
    };
    for (const auto& [entry, allowed] : cases) {
        EXPECT_EQ(!catalogueNameProblem(entry).has_value(), allowed) << entry.area << "/" << entry.subgroup;
    }
    for (char marker : std::string_view("*#|@;~:?\"<>\\\x01")) {
        EXPECT_TRUE(catalogueNameProblem({0, "A", "S", std::string("T") + marker}).has_value()) << marker;
    }
    EXPECT_TRUE(catalogueNameProblem({0, "A", "S", "日本"}).has_value());
}

TEST(CatalogueFolder, ImportsAreaSubgroupPackageFilesAndKeepsIdsOnReimport)
{
    TempTree temp;
    const fs::path folder = temp.root() / "catalogue";
    fs::create_directories(folder / "FOOD" / "NÁPOJE");
    fs::create_directories(folder / ".git");
    writeBytes(folder / "FOOD" / "NÁPOJE" / "ALKOHOLICKÉ NÁPOJE", cp1250("beer|pivo|Na zdraví.|4\r\n"));
    writeBytes(folder / "FOOD" / "NÁPOJE" / ".hidden", "ignored");
    const std::string db = (temp.root() / "s.db").string();

    ASSERT_EQ(command({"init", db}).code, 0);
    EXPECT_EQ(command({"init", db}).code, 1);  // never over an existing file
    EXPECT_EQ(command({"import", db, "thematic", folder.string()}).out, "Tematické balíčky: nových balíčků 1, přepsaných 0.\n");
    writeBytes(folder / "FOOD" / "NÁPOJE" / "ALKOHOLICKÉ NÁPOJE", cp1250("beer|pivo||\r\nwine|víno||\r\n"));
    EXPECT_EQ(command({"import", db, "thematic", folder.string()}).out, "Tematické balíčky: nových balíčků 0, přepsaných 1.\n");
    EXPECT_NE(command({"list", db}).out.find("  1  FOOD / NÁPOJE / ALKOHOLICKÉ NÁPOJE  (slov: 2)"), std::string::npos);

    // A stray file refuses the whole folder, and nothing of it is imported.
    fs::create_directories(folder / "HOME" / "KUCHYŇ");
    writeBytes(folder / "HOME" / "KUCHYŇ" / "Nádobí", cp1250("pot|hrnec||\r\n"));
    writeBytes(folder / "HOME" / "stray", "x");
    const CommandRun refused = command({"import", db, "thematic", folder.string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("stray"), std::string::npos) << refused.err;
    EXPECT_EQ(command({"list", db}).out.find("HOME"), std::string::npos);
    EXPECT_EQ(command({"import", db, "poetry", folder.string()}).code, 1);
}

TEST(Accounts, AddUserReadsThePasswordFromInputAndStoreAddFillsTheStore)
{
    TempTree temp;
    const std::string db = (temp.root() / "s.db").string();
    ASSERT_EQ(command({"init", db}).code, 0);
    EXPECT_EQ(command({"add-user", db, "Šárka"}, "heslo#1\n").code, 1);  // the program cannot send "#"
    EXPECT_EQ(command({"add-user", db, "Šárka"}, "").code, 1);
    ASSERT_EQ(command({"add-user", db, "Šárka"}, "žluťoučký kůň\r\n").code, 0);
    EXPECT_EQ(command({"add-user", db, "šÁRKA"}, "jiné\n").code, 1);  // the same name in other capitals

    writeBytes(temp.root() / "words", cp1250("cat|kočka||\r\ndog|pes||\r\n"));
    EXPECT_EQ(command({"store-add", db, "ŠÁRKA", (temp.root() / "words").string()}).out,
              "Do Zásobníku přibylo slov: 2, celkem jich je 2.\n");
    EXPECT_EQ(command({"store-add", db, "Nikdo", (temp.root() / "words").string()}).code, 1);

    auto store = SqliteStore::open(db);
    ASSERT_TRUE(store.ok());
    ScriptService service(**store);
    const std::string target = "/lx/komunikace/lxnetzasobnik.php?typ=1&data=&jmeno=" +
                               testing::encodedForQuery("šárka") + "&heslo=" +
                               testing::encodedForQuery("žluťoučký kůň");
    EXPECT_EQ(service.answer(target, "x").body, cp1250("1~cat|kočka||4~dog|pes||4~"));
}

TEST(Database, AWriterKilledMidImportLeavesTheOldOrTheNewPackage)
{
    TempTree temp;
    const fs::path db = temp.root() / "s.db";
    const auto words = [](std::string_view stem, int count) {
        std::vector<WordRecord> list;
        for (int i = 0; i < count; ++i) {
            list.push_back({std::string(stem) + std::to_string(i), "slovo", "", ""});
        }
        return list;
    };
    const std::vector<WordRecord> first = words("a", 50);
    const std::vector<WordRecord> second = words("b", 30);
    ASSERT_TRUE(SqliteStore::create(db).ok());
    for (int delayMs : {5, 40, 300}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto store = SqliteStore::open(db);
            for (int round = 0; store.ok(); ++round) {
                (void)(*store)->importCatalogue(CatalogueKind::Thematic,
                                                {{{0, "A", "S", "P"}, round % 2 == 0 ? first : second}});
            }
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        auto store = SqliteStore::open(db);
        ASSERT_TRUE(store.ok());
        auto package = (*store)->catalogue(CatalogueKind::Thematic);
        ASSERT_TRUE(package.ok());
        if (package->empty()) {
            continue;  // killed before the first commit
        }
        auto stored = (*store)->package(CatalogueKind::Thematic, package->front().id);
        ASSERT_TRUE(stored.ok() && stored->has_value());
        const std::vector<WordRecord>& kept = (*stored)->words;
        EXPECT_TRUE(kept == first || kept == second) << "words after the kill: " << kept.size();
    }
}

TEST(Commands, WrongUsageAndForeignFilesAreExplained)
{
    TempTree temp;
    EXPECT_EQ(command({}).code, 2);
    EXPECT_EQ(command({"serve", "db", "--port", "99999"}).code, 2);
    writeBytes(temp.root() / "notes.txt", "not a database, just text that is long enough to be a header......");
    const CommandRun foreign = command({"list", (temp.root() / "notes.txt").string()});
    EXPECT_EQ(foreign.code, 1);
    EXPECT_NE(foreign.err.find("není databáze serveru Lexivo"), std::string::npos) << foreign.err;
    EXPECT_EQ(command({"list", (temp.root() / "missing.db").string()}).code, 1);
}

}  // namespace
}  // namespace lexivo::server

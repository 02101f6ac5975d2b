#include "editing/word_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "editing/import_table.h"
#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/package_file.h"
#include "store/package_selection.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::TempTree;
namespace fs = std::filesystem;

const fs::path kSamples = LEXIVO_IMPORT_SAMPLES;

struct Imported {
    ImportSettings settings;
    ImportPlan plan;
};

// What the windows and the command line do with a file and an existing package.
Imported importFile(const fs::path& file, const std::vector<WordRecord>& existing = {}, ImportChoices choices = {})
{
    const auto read = readImportFile(file);
    EXPECT_TRUE(read.ok()) << (read.ok() ? "" : read.message().text);
    if (!read) {
        return {};
    }
    Imported imported;
    imported.settings = detectImportSettings(*read);
    const auto table = readImportTable(*read, imported.settings);
    EXPECT_TRUE(table.ok()) << (table.ok() ? "" : table.message().text);
    if (table) {
        imported.plan = planImport(wordRows(*table, imported.settings), imported.settings.columns, existing, choices);
    }
    return imported;
}

TEST(WordImport, SampleFilesOfEachFormatEncodingAndSeparator)
{
    struct Case {
        std::string file;
        ImportSettings settings;
        std::vector<WordRecord> words;
        std::vector<ImportProblem> problems;
    };
    const std::vector<Case> cases = {
        {"spreadsheet_cz.csv",
         {ImportEncoding::Windows1250, ImportSeparator::Semicolon, true, {0, 1, 2, std::nullopt}},
         {{"horse", "kůň", "The horse runs.", "4"},
          {"yellow", "žlutý", "", "4"},
          {"to be afraid", "bát se", "I am afraid, you see.", "4"}},
         {}},
        {"quoted_utf8.csv",
         {ImportEncoding::Utf8, ImportSeparator::Comma, true, {0, 1, 2, 3}},
         {{"however", "však, ale", "\"However,\" she said.", "2"},
          {"dog", "pes", "", "0"},
          {"cat", "kočka", "The cat, the dog.", "4"}},
         {{4, "pole obsahuje konec řádku", true}}},
        {"teacher.tsv",
         {ImportEncoding::Utf8, ImportSeparator::Tab, false, {0, 1, 2, std::nullopt}},
         {{"apple", "jablko", "", "4"}, {"pear", "hruška", "", "4"}, {"plum", "švestka", "A plum tree.", "4"}},
         {}},
        {"flashcards.txt",
         {ImportEncoding::Utf8, ImportSeparator::Tab, false, {0, 1, 2, std::nullopt}},
         {{"to run", "běžet utíkat", "verbs", "4"}, {"bold", "tučný", "adjectives", "4"}},
         {}},
        {"lesson.kvtml",
         {ImportEncoding::Utf8, ImportSeparator::Tab, false, {0, 1, 2, 3}},
         {{"house", "dům", "My house is small.", "0"}, {"tree & bush", "strom a keř", "", ""}},
         {{18, "chybí český výraz", true}}},
    };
    for (const Case& sample : cases) {
        SCOPED_TRACE(sample.file);
        const Imported imported = importFile(kSamples / sample.file);
        EXPECT_EQ(imported.settings, sample.settings);
        EXPECT_EQ(imported.plan.words, sample.words);
        EXPECT_EQ(imported.plan.problems, sample.problems);
    }
}

TEST(WordImport, EveryBrokenRuleIsListedWithItsLineAndNothingOfItIsTaken)
{
    const Imported imported = importFile(kSamples / "faults.csv");
    const std::vector<ImportProblem> expected = {
        {3, "chybí anglický výraz", true},
        {4, "chybí český výraz", true},
        {5, "pole obsahuje znak \"|\" nebo \"#\"", true},
        {6, "pole obsahuje znak \"|\" nebo \"#\"", true},
        {7, "znak „☃“ nelze v balíčku uložit", true},
        {8, "úroveň znalosti musí být číslo 0 až 4", true},
        {9, "pole je delší než 249 znaků", true},
        {10, "slovíčko se v souboru opakuje", true},
    };
    EXPECT_EQ(imported.plan.problems, expected);
    EXPECT_EQ(imported.plan.words, (std::vector<WordRecord>{{"good", "dobrý", "", ""}}));

    // Cutting keeps the long word, its first 249 characters, and says so; a duplicate may be kept.
    const Imported cut = importFile(kSamples / "faults.csv", {}, {true, true});
    ASSERT_EQ(cut.plan.words.size(), 3u);
    EXPECT_EQ(cut.plan.words[1].english, std::string(249, 'x'));
    EXPECT_EQ(cut.plan.words[2], cut.plan.words[0]);
    EXPECT_EQ(cut.plan.problems.back(), (ImportProblem{9, "pole bylo zkráceno na 249 znaků", false}));
}

TEST(WordImport, DuplicatesOfThePackageAndTheWordLimit)
{
    TempTree temp;
    const fs::path file = temp.root() / "list.csv";
    testing::writeBytes(file, "dog;pes\nnew;nový\ncat;kočka\nmore;více\n");
    const std::vector<WordRecord> existing = {{"dog", "pes", "", "1"}};
    EXPECT_EQ(importFile(file, existing).plan.problems, (std::vector<ImportProblem>{{1, "slovíčko už balíček obsahuje", true}}));
    EXPECT_EQ(importFile(file, existing, {false, true}).plan.words.size(), 4u);

    // 998 words leave room for two: the rest of the file is listed, not half-taken.
    const std::vector<WordRecord> nearlyFull(998, WordRecord{"w", "s", "", "4"});
    const Imported full = importFile(file, nearlyFull);
    EXPECT_EQ(full.plan.words.size(), 2u);
    EXPECT_EQ(full.plan.problems,
              (std::vector<ImportProblem>{
                  {3, "balíček by měl více než 1000 slovíček: tento a všechny další řádky se vynechávají", true}}));
}

TEST(WordImport, ALongFileIsReadOnlyAsFarAsAnImportCanReach)
{
    std::string lines;
    for (int i = 0; i < 3000; ++i) {
        lines += "word" + std::to_string(i) + ";\n";  // no Czech: every line is faulty
    }
    const ImportTable table = splitDelimitedText(lines, ImportEncoding::Utf8, ImportSeparator::Semicolon);
    EXPECT_TRUE(table.cut);
    EXPECT_EQ(table.rows.size(), kMaxImportRows);
    const ImportPlan plan = planImport(table.rows, {}, {}, {});
    // A row of many separators keeps no more cells than a table shows.
    const ImportTable wide = splitDelimitedText("a,b" + std::string(5000, ',') + "\nc,d\n", ImportEncoding::Utf8,
                                                ImportSeparator::Comma);
    EXPECT_EQ(wide.columnCount, static_cast<int>(kMaxImportColumns));
    EXPECT_EQ(wide.rows.at(1).cells, (std::vector<std::string>{"c", "d"}));
    ASSERT_EQ(plan.problems.size(), kMaxListedProblems + 1);
    EXPECT_EQ(plan.problems.back(),
              (ImportProblem{1001, "vypsáno už 1000 chybných řádků: tento a všechny další řádky se vynechávají", true}));
}

TEST(WordImport, DetectionOfSeparatorAndEncoding)
{
    struct Case {
        std::string text;
        ImportSeparator separator;
    };
    const std::vector<Case> cases = {
        {"a,b\nc,d\n", ImportSeparator::Comma},
        {"a;b, c\nd;e, f, g\n", ImportSeparator::Semicolon},  // commas inside examples vary
        {"a\tb;c\nd\te;f\n", ImportSeparator::Tab},            // both even: tab first
        {"\"x;y\",b\n\"z;w\",c\n", ImportSeparator::Comma},     // quoted separators do not count
        {"#separator:semicolon\na,b\n", ImportSeparator::Semicolon},
        {"single\nwords\n", ImportSeparator::Tab},
    };
    for (const Case& sample : cases) {
        EXPECT_EQ(detectSeparator(sample.text), sample.separator) << sample.text;
    }
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBFk\xC5\xAF\xC5\x88"), ImportEncoding::Utf8);
    EXPECT_EQ(detectEncoding("k\xF9\xF2"), ImportEncoding::Windows1250);     // "kůň" in Windows-1250
    EXPECT_EQ(detectEncoding("\xC0\xAF"), ImportEncoding::Windows1250);      // an overlong form is not UTF-8
    // Read in the wrong encoding, a line is refused rather than stored as something else.
    const ImportTable wrong = splitDelimitedText("k\xF9\xF2;horse\n", ImportEncoding::Utf8, ImportSeparator::Semicolon);
    EXPECT_EQ(planImport(wrong.rows, {1, 0, {}, {}}, {}, {}).problems.at(0).reason, "znak „\xEF\xBF\xBD“ nelze v balíčku uložit");
    // A pair of words that happen to be header names is no header unless both languages are named.
    EXPECT_FALSE(readHeaderRow({1, {"front", "přední"}}).isHeader);
    EXPECT_TRUE(readHeaderRow({1, {"Příklad", "Czech", "English"}}).isHeader);
}

TEST(WordImport, AChosenSeparatorAndEncodingFindTheHeaderAndColumnsOfTheTextReadSo)
{
    // The commas split the lines more evenly than the semicolons that separate the columns.
    const std::string bytes = "czech;english;example, more\n\x9E\x65\xF2;reap, a\nk\xF9\xF2;horse, b\n";
    const ImportSettings detected = detectDelimitedSettings(bytes);
    EXPECT_EQ(detected.separator, ImportSeparator::Comma);
    EXPECT_FALSE(detected.firstRowIsHeader);
    const ImportSettings chosen = detectDelimitedSettings(bytes, ImportEncoding::Windows1250, ImportSeparator::Semicolon);
    EXPECT_EQ(chosen.separator, ImportSeparator::Semicolon);
    EXPECT_TRUE(chosen.firstRowIsHeader);
    EXPECT_EQ(chosen.columns.english, 1);
    EXPECT_EQ(chosen.columns.czech, 0);
}

TEST(WordImport, FilesThatAreRefusedBeforeAnyWordIsRead)
{
    TempTree temp;
    const fs::path binary = temp.root() / "picture.csv";
    testing::writeBytes(binary, std::string("PK\x03\x04\0\0", 6));
    const fs::path wide = temp.root() / "wide.txt";
    testing::writeBytes(wide, "\xFF\xFE" "a\0");
    const fs::path huge = temp.root() / "huge.csv";
    testing::writeBytes(huge, "");
    fs::resize_file(huge, kMaxImportFileBytes + 1);  // sparse: refused by its size, never read
    const fs::path fifo = temp.root() / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        fs::path file;
        std::string message;
    };
    const std::vector<Case> cases = {
        {binary, "Soubor „picture.csv“ nelze importovat: není to textový soubor."},
        {wide, "Soubor „wide.txt“ nelze importovat: je v kódování UTF-16. Uložte jej v kódování UTF-8 a zkuste to znovu."},
        {huge, "Soubor „huge.csv“ nelze importovat: je větší než 50 MB."},
        {fifo, "Soubor „pipe.csv“ nelze importovat: není to obyčejný soubor."},
        {temp.root(), "Soubor „" + temp.root().filename().string() + "“ nelze importovat: není to obyčejný soubor."},
        {temp.root() / "gone.csv", "Soubor „gone.csv“ nelze importovat: soubor neexistuje nebo k němu nemáte přístup."},
    };
    for (const Case& sample : cases) {
        const auto read = readImportFile(sample.file);
        ASSERT_FALSE(read.ok()) << sample.file;
        EXPECT_EQ(read.message(), errorMessage(sample.message));
    }
    const std::vector<std::pair<std::string, std::string>> documents = {
        {"<kvtml version=\"1.0\"><e/></kvtml>", "Soubor je slovník KVTML jiné verze než 2."},
        {"<html><body/></html>", "Soubor není slovník ve formátu KVTML."},
    };
    for (const auto& [document, message] : documents) {
        const auto table = readKvtmlTable(document);
        ASSERT_FALSE(table.ok());
        EXPECT_EQ(table.message().text, message);
    }
    const auto broken = readKvtmlTable("<kvtml version=\"2.0\"><entries><entry><translation id=\"0\">");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.message().text.rfind("Soubor KVTML je poškozený (řádek 1", 0), 0u) << broken.message().text;
}

TEST(WordImport, WritesAllWordsAtOnceOrNothing)
{
    TempTree temp;
    temp.makeGroup("G");
    temp.writePackage("G", "P", "old|stary||3");  // no line end after the last line
    ImportPlan plan;
    plan.words = {{"new", "nový", "A new day.", "4"}, {"kůň", "horse", "", ""}};
    {
        testing::FileCallsReset reset;
        failFileCall(FileCall::Write, 1, ENOSPC);
        EXPECT_FALSE(writeImport(temp.tree(), "G", "P", plan).ok());
        EXPECT_EQ(temp.readPackage("G", "P"), "old|stary||3");
    }
    ASSERT_TRUE(writeImport(temp.tree(), "G", "P", plan).ok());
    EXPECT_EQ(temp.readPackage("G", "P"), encodeCp1250("old|stary||3\r\nnew|nový|A new day.|4\r\nkůň|horse||\r\n").value());
    // Appending keeps the packages chosen for the next test; a new package shifts their positions.
    ASSERT_TRUE(writePackageSelection(temp.tree(), "G", {0}).ok());
    ASSERT_TRUE(writeImport(temp.tree(), "G", "P", plan).ok());
    EXPECT_EQ(readPackageSelection(temp.tree(), "G"), std::vector<int>{0});
    {
        // Should the selection stay, no package is made: trying again cannot add the words twice.
        testing::FileCallsReset reset;
        failFileCall(FileCall::Unlink, 1, EACCES);
        EXPECT_FALSE(writeImport(temp.tree(), "G", "Fresh", plan).ok());
        EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "Fresh")));
    }
    ASSERT_TRUE(writeImport(temp.tree(), "G", "Fresh", plan).ok());
    EXPECT_EQ(temp.readPackage("G", "Fresh"), encodeCp1250("new|nový|A new day.|4\r\nkůň|horse||\r\n").value());
    EXPECT_TRUE(readPackageSelection(temp.tree(), "G").empty());

    EXPECT_EQ(writeImport(temp.tree(), "G", "Empty", {}).message().text,
              "V souboru není žádné slovíčko, které by bylo možné přidat.");
    EXPECT_FALSE(fs::exists(temp.tree().packageFile("G", "Empty")));
    EXPECT_FALSE(writeImport(temp.tree(), "G", "../escape", plan).ok());
    // The package filled up after the plan was made.
    temp.writePackage("G", "Full", testing::numberedWords(999));
    EXPECT_EQ(writeImport(temp.tree(), "G", "Full", plan).message().text,
              "Slovíčka nelze přidat: v balíčku by bylo více než 1000 slovíček.");
}

TEST(WordImport, ExportedCsvImportsBackToTheSamePackageBytes)
{
    TempTree temp;
    temp.makeGroup("G");
    const std::string package = encodeCp1250(
        "house|dům|My house, your house.|0\r\n"
        "quote|uvozovka|He said \"no\"; she left.|2\r\n"
        " spaced |s mezerou||\r\n"
        "tab\there|tabulátor||4\r\n"
        "English|Czech|Example|4\r\n").value();
    temp.writePackage("G", "Source", package);
    const std::string csv = exportCsv(readPackageRecords(temp.tree(), "G", "Source"));
    const fs::path file = temp.root() / "Source.csv";
    testing::writeBytes(file, csv);
    const Imported imported = importFile(file);
    EXPECT_TRUE(imported.plan.problems.empty());
    ASSERT_TRUE(writeImport(temp.tree(), "G", "Copy", imported.plan).ok());
    EXPECT_EQ(temp.readPackage("G", "Copy"), package);
}

}  // namespace
}  // namespace lexivo

#include "editing/package_editing.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace lexivo {
namespace {

using testing::TempTree;

const std::string kWordCharacters = "Slovíčko nesmí obsahovat znaky \"|\" a \"#\".";

TEST(WordChecks, RefuseInTheirOrderWithMessageAndField)
{
    constexpr auto add = WordEntry::Adding;
    constexpr auto change = WordEntry::Changing;
    const std::string longest(198, 'a');
    const std::string tooLong(199, 'a');
    const std::string exampleCharacters = "Příklad použití slovíčka ve větě nesmí obsahovat znaky \"|\" a \"#\".";
    struct Row {
        WordEntry entry;
        WordFields fields;
        std::string message;  // empty: accepted
        EditorField field;
    };
    const std::vector<Row> rows = {
        {add, {longest, "č", ""}, "", EditorField::NewForeign},
        {add, {"a#", "b|", ""}, kWordCharacters, EditorField::NewCzech},
        {change, {"a#", "b|", ""}, kWordCharacters, EditorField::SelectedForeign},
        {add, {"a", "b", "x|y"}, exampleCharacters, EditorField::NewExample},
        {add, {tooLong, "b", "x|"}, exampleCharacters, EditorField::NewExample},
        {add, {"señor", "pán", ""},
         "Znak „ñ“ nelze uložit, protože jej čeština v souborech programu nepodporuje. Použijte jiný znak.",
         EditorField::NewForeign},
        {add, {tooLong, tooLong, ""}, "Cizí výraz je moc dlouhý. Limit je 200 znaků.", EditorField::NewForeign},
        {change, {"a", tooLong, ""}, "Český výraz je moc dlouhý. Limit je 200 znaků.", EditorField::SelectedCzech},
        {add, {"a", "b", tooLong}, "Příklad použití slovíčka ve větě je je moc dlouhý. Limit je 200 znaků.",
         EditorField::NewExample},
        {change, {"a", "b", tooLong}, "Příklad použití slovíčka ve větě je moc dlouhý. Limit je 200 znaků.",
         EditorField::SelectedExample},
        {add, {"a", "", ""}, "Musíte zadat český i anglický výraz.", EditorField::NewForeign},
        {change, {"", "b", ""}, "Musíte vyplnit obě dvě kolonky.", EditorField::SelectedForeign},
    };
    for (const Row& row : rows) {
        const auto refusal = checkWordFields(row.fields, row.entry);
        ASSERT_EQ(refusal.has_value(), !row.message.empty()) << row.message;
        if (refusal) {
            EXPECT_EQ(refusal->message, errorMessage(row.message));
            EXPECT_EQ(refusal->field, row.field) << row.message;
        }
    }
}

class PackageEditingTest : public ::testing::Test {
protected:
    void SetUp() override { temp.makeGroup("G"); }
    PackageEditing open(std::string_view bytes, WordOrder order = WordOrder::Foreign)
    {
        temp.writePackage("G", "P", bytes);
        PackageEditing editing(temp.tree(), "G");
        editing.showOrder(order);
        editing.showPackage("P");
        return editing;
    }
    std::string package() const { return temp.readPackage("G", "P"); }

    TempTree temp;
};

TEST_F(PackageEditingTest, FillsTheListInEachOrder)
{
    const std::string bytes = "pear|hru\x9Aka|Eat it.|2\r\nApple|jablko||\r\nzebra|zebra||x\r\n"
                              "\xE8\x61j|tea||0\r\nbanana|ban\xE1n|Ripe.|2";  // the last line has no line end
    struct Row {
        WordOrder order;
        std::vector<WordDisplayLine> lines;
    };
    const std::vector<Row> rows = {
        {WordOrder::Foreign,
         {{"Apple - jablko", false}, {"banana - banán", true}, {"pear - hruška", true}, {"zebra - zebra", false},
          {"čaj - tea", false}}},
        {WordOrder::Czech,
         {{"banán - banana", true}, {"hruška - pear", true}, {"jablko - Apple", false}, {"tea - čaj", false},
          {"zebra - zebra", false}}},
        {WordOrder::DateAdded,
         {{"pear - hruška", true}, {"Apple - jablko", false}, {"zebra - zebra", false}, {"čaj - tea", false},
          {"banana - banán", true}}},
        // Blocks by knowledge; an empty field counts as 4, "x" is not listed, no dots.
        {WordOrder::Knowledge,
         {{"čaj - tea", false}, {"banana - banán", false}, {"pear - hruška", false}, {"Apple - jablko", false}}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(open(bytes, row.order).lines(), row.lines) << static_cast<int>(row.order);
    }
}

TEST_F(PackageEditingTest, AddingAppendsAndSelectsTheNewWord)
{
    PackageEditing editing = open("b|b\xE9||1\r\n", WordOrder::Knowledge);
    EditOutcome added = editing.addWord({"a", "á", "An a."});
    EXPECT_TRUE(added.written);
    EXPECT_EQ(package(), "b|b\xE9||1\r\na|\xE1|An a.|4\r\n");
    ASSERT_EQ(added.lineToSelect, 1u);  // the last block, "Žádná"
    EXPECT_EQ(editing.lines()[1].text, "a - á");

    editing = open(testing::numberedWords(999));
    EXPECT_TRUE(editing.addWord({"last", "poslední", ""}).written);
    EditOutcome refused = editing.addWord({"more", "víc", ""});
    EXPECT_EQ(refused.message->text, "Maximální možný počet slovíček v jednom balíčku je 1000.");
    EXPECT_EQ(refused.focus, EditorField::NewForeign);
    EXPECT_EQ(editing.lines().size(), 1000u);
}

TEST_F(PackageEditingTest, ChangingRewritesOnlyTheSelectedRecord)
{
    // A line holding two records and two identical lines: the first "x - y" in file order is
    // the one shown and changed.
    const std::string tail = "x|y|two|3\n" + std::string(300, 'L') + "|z||2\r\n";
    PackageEditing editing = open("a|b|c|1|d|e\r\nx|y|one|1\r\n" + tail, WordOrder::DateAdded);
    ASSERT_EQ(editing.lines().size(), 5u);
    ASSERT_TRUE(editing.select(2).ok());
    EXPECT_EQ(editing.selection()->fields.example, "one");
    EXPECT_EQ(editing.selection()->initialLevel, 1);

    EditOutcome unchanged = editing.changeSelectedWord({"x", "y", "one"}, 1);
    EXPECT_FALSE(unchanged.written || unchanged.message);
    EXPECT_TRUE(editing.changeSelectedWord({"x", "y", "one"}, 0).written);  // the level alone
    EXPECT_EQ(package(), "a|b|c|1|d|e\r\nx|y|one|0\r\n" + tail);

    ASSERT_TRUE(editing.select(2).ok());
    EditOutcome changed = editing.changeSelectedWord({"w", "v", "one"}, 0);
    EXPECT_TRUE(changed.written);
    EXPECT_EQ(package(), "a|b|c|1|d|e\r\nw|v|one|0\r\n" + tail);
    ASSERT_TRUE(changed.lineToSelect);
    EXPECT_EQ(editing.lines()[*changed.lineToSelect].text, "w - v");
}

TEST_F(PackageEditingTest, AFailedOrStaleRewriteLeavesThePackageAlone)
{
    PackageEditing editing = open("a|b||1\r\n");
    ASSERT_TRUE(editing.select(0).ok());
    const std::filesystem::path scratch = temp.tree().packageFile("G", "slov");
    std::filesystem::create_directory(scratch);
    EditOutcome failed = editing.changeSelectedWord({"a", "c", ""}, 1);
    EXPECT_TRUE(failed.message && !failed.written);
    EXPECT_TRUE(editing.selection());  // the user may try again
    EXPECT_EQ(package(), "a|b||1\r\n");
    std::filesystem::remove(scratch);

    temp.writePackage("G", "P", "q|r||1\r\n");
    EditOutcome outcome = editing.changeSelectedWord({"a", "c", ""}, 1);
    EXPECT_FALSE(outcome.written);
    EXPECT_TRUE(outcome.message);
    EXPECT_EQ(package(), "q|r||1\r\n");
}

TEST_F(PackageEditingTest, DeletingOneSelectsTheLineThatTakesItsPlace)
{
    struct Row {
        std::size_t deleted;
        std::optional<std::size_t> selected;
        std::string left;
    };
    const std::vector<Row> rows = {
        {0, 0, "b|2||4\r\nc|3||4\r\n"},
        {2, 1, "a|1||4\r\nb|2||4\r\n"},
    };
    for (const Row& row : rows) {
        PackageEditing editing = open("a|1||4\r\nb|2||4\r\nc|3||4\r\n");
        ASSERT_TRUE(editing.select(row.deleted).ok());
        EditOutcome outcome = editing.deleteSelectedWord(row.deleted);
        EXPECT_EQ(outcome.lineToSelect, row.selected);
        EXPECT_EQ(package(), row.left);
    }
    PackageEditing single = open("a|1||4\r\n");
    ASSERT_TRUE(single.select(0).ok());
    EXPECT_EQ(single.deleteSelectedWord(0).lineToSelect, std::nullopt);
    EXPECT_EQ(package(), "");
}

TEST_F(PackageEditingTest, DeletingManyTakesIdenticalLinesOneEach)
{
    PackageEditing editing = open("x|y|1|\r\nk|l||\r\nx|y|2|\r\nx|y|3|\r\n");
    // Lines: k - l, x - y, x - y, x - y; the first two "x - y" go, first in file order.
    EXPECT_TRUE(editing.deleteWords({2, 0, 1}).written);
    EXPECT_EQ(package(), "x|y|3|\r\n");
    EXPECT_EQ(editing.lines().size(), 1u);

    std::vector<std::size_t> tooMany(501);
    EditOutcome refused = editing.deleteWords(tooMany);
    EXPECT_EQ(refused.message->text, "Najednou lze smazat maximálně 500 slovíček!");
    EXPECT_EQ(package(), "x|y|3|\r\n");
}

TEST_F(PackageEditingTest, NoPackageRefusesAddingAndWritesNothing)
{
    PackageEditing editing(temp.tree(), "G");
    editing.showPackage("");
    EXPECT_TRUE(editing.lines().empty());
    EXPECT_EQ(editing.addWord({"a", "b", ""}).message->text, "Ve skupině nejsou žádné balíčky.");
    editing.showPackage("../escape");
    EXPECT_TRUE(editing.addWord({"a", "b", ""}).message);
    EXPECT_FALSE(std::filesystem::exists(temp.tree().dataRoot() / "escape"));
    EXPECT_FALSE(editing.readFailure());  // a missing package is only empty
    std::filesystem::create_directory(temp.tree().packageFile("G", "složka"));
    editing.showPackage("složka");  // one that cannot be read says why
    EXPECT_NE(editing.readFailure().value().text.find("„složka“"), std::string::npos);
}

}  // namespace
}  // namespace lexivo

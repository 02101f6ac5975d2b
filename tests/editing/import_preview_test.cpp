// What "OK" of the import preview decides, and how changed settings keep the columns usable.

#include <gtest/gtest.h>

#include "editing/import_preview.h"
#include "store/name_rules.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

ImportPreview previewOf(const Collection& collection, std::string bytes, std::string baseName = "nova")
{
    Result<ImportPreview> preview =
        ImportPreview::open(collection, ImportFile{std::move(bytes), ImportFormat::Delimited, std::move(baseName)});
    EXPECT_TRUE(preview.ok());
    return std::move(preview).value();
}

TEST(ImportPreview, ConfirmChecksTheNameUnlessThePackageExistsAndWritesAllOrNothing)
{
    struct Row {
        std::string name;
        std::string file;
        int extraPackages;  // packages the group holds besides "Stará"
        std::optional<std::string> message;
        bool focusesName;
        std::string written;  // the target's bytes afterwards; "-" when it does not exist
    };
    const std::vector<Row> rows = {
        {"Nová", "dog\tpes\r\n", 0, std::nullopt, false, "dog|pes||4\r\n"},
        {"Stará", "dog\tpes\r\n", 0, std::nullopt, false, "cat|kocka||1\r\ndog|pes||4\r\n"},
        {"a:b", "dog\tpes\r\n", 0, checkPackageNameForm("a:b", PackageNameUse::Create)->text, true, "-"},
        {"Nová", "dog\t\r\n", 0, "V souboru není žádné slovíčko, které by bylo možné přidat.", false, "-"},
        {"Nová", "dog\tpes\r\n", 480, checkPackageCapacity(481)->text, true, "-"},
        // A full group still takes words into a package it holds.
        {"Stará", "dog\tpes\r\n", 480, std::nullopt, false, "cat|kocka||1\r\ndog|pes||4\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name + " / " + std::to_string(row.extraPackages));
        testing::TempTree temp;
        temp.writePackage("G", "Stará", "cat|kocka||1\r\n");
        for (int i = 0; i < row.extraPackages; ++i) {
            temp.writePackage("G", "p" + std::to_string(i), "");
        }
        Collection collection(temp.tree());
        collection.listGroups();
        ImportPreview preview = previewOf(collection, row.file);
        (void)preview.setTargetName(row.name);
        const ImportConfirmOutcome outcome = preview.confirm(collection);
        EXPECT_EQ(outcome.message ? std::optional(outcome.message->text) : std::nullopt, row.message);
        EXPECT_EQ(outcome.focus.has_value(), row.focusesName);
        EXPECT_EQ(outcome.written(), row.written != "-");
        const bool exists = std::filesystem::exists(temp.tree().packageFile("G", row.name));
        EXPECT_EQ(exists ? temp.readPackage("G", row.name) : "-", row.written);
    }
}

// A separator that splits into fewer columns drops the choices it cannot keep; the right one
// takes the header's columns again.
TEST(ImportPreview, ColumnsFollowTheSeparator)
{
    testing::TempTree temp;
    temp.makeGroup("G");
    Collection collection(temp.tree());
    collection.listGroups();
    ImportPreview preview = previewOf(collection, "English;Czech;Example\r\ndog;pes;A dog.\r\n");
    ASSERT_EQ(preview.settings().columns.example, std::optional(2));
    preview.setSeparator(ImportSeparator::Comma);
    EXPECT_EQ(preview.table().columnCount, 1);
    EXPECT_EQ(preview.settings().columns, (ImportColumns{0, 1, std::nullopt, std::nullopt}));
    EXPECT_TRUE(preview.plan().words.empty());
    preview.setSeparator(ImportSeparator::Semicolon);
    EXPECT_EQ(preview.settings().columns, (ImportColumns{0, 1, 2, std::nullopt}));
    EXPECT_EQ(preview.plan().words, (std::vector<WordRecord>{{"dog", "pes", "A dog.", "4"}}));
}

}  // namespace
}  // namespace lexivo

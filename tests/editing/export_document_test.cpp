#include "editing/export_document.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "store/cp1250.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r\n";
const std::string kEnd = "</div>\r\n</body>\r\n</html>";

ExportSource source(const std::vector<WordRecord>& records, ExportDirection direction = ExportDirection::ForeignFirst)
{
    std::vector<std::string> lines;
    for (const WordDisplayLine& line : wordListLines(records, wordOrderFor(direction), caseInsensitiveOrder)) {
        lines.push_back(line.text);
    }
    return {lines, records};
}

// Ten pixels a character.
int measure(std::string_view text)
{
    return static_cast<int>(characterCount(text)) * 10;
}

std::string document(const ExportSource& words, const ExportOptions& options, const ExportStyle& style = {})
{
    auto lines = exportLines(words, options);
    EXPECT_TRUE(lines.ok());
    auto bytes = exportDocument(lines.value(), options, style, exportPageWidth(words, options, measure));
    EXPECT_TRUE(bytes.ok());
    return bytes.value();
}

const std::vector<WordRecord> kWords = {{"fish", "ryba", "Fish swim.", "4"}, {"cat", "kočka", "", "2"}};

TEST(ExportDocument, DefaultsWriteThePlainStyleRule)
{
    EXPECT_EQ(document(source(kWords), {}),
              kHead +
                  "<style>.trida{text-decoration:none;font-family:Arial,Arial;font-size:16 px;color:#000000;"
                  "font-weight:normal;}</style>\r\n</head>\r\n<body bgcolor=\"#FFFFFF\">\r\n<div style=\"width:99px\">\r\n"
                  "<div class=\"trida\">cat - ko\xE8ka</div>\r\n<div class=\"trida\">fish - ryba</div>\r\n" +
                  kEnd);
    EXPECT_TRUE(document(source({}), {}).ends_with("<body bgcolor=\"#FFFFFF\">\r\n<div style=\"width:0px\">\r\n" + kEnd));
}

TEST(ExportDocument, HiddenLanguageNumberingAndStyle)
{
    ExportStyle style;
    style.colour = {255, 128, 0};
    style.background = {0, 0, 16};
    style.weight = 700;
    style.italic = style.underline = style.strikeOut = true;
    ExportOptions options{ExportDirection::ForeignFirst, true, true, true, true, ExportFormat::Html};
    const std::string html = document(source(kWords), options, style);
    EXPECT_NE(html.find("<style>.trida{border-bottom:1px solid #FF8000;text-decoration:underline line-through;"
                        "font-family:Arial,Arial;font-size:16 px;color:#FF8000;font-weight:700;font-style:italic;}"),
              std::string::npos);
    EXPECT_NE(html.find("<body bgcolor=\"#000010\">\r\n<div style=\"width:243px\">\r\n"
                        "<div class=\"trida\">1. cat -</div>\r\n"
                        "<div class=\"trida\">2. fish -&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;: Fish swim.</div>\r\n" +
                        kEnd),
              std::string::npos)
        << html;
    options.format = ExportFormat::Rtf;
    EXPECT_EQ(document(source(kWords), options, style), html);

    options = {ExportDirection::CzechFirst, false, false, true, true, ExportFormat::Text};
    EXPECT_EQ(document(source(kWords, ExportDirection::CzechFirst), options), "1. ko\xE8ka -\r\n2. ryba -\r\n");
}

TEST(ExportDocument, TextSeparatesWithSeventyHyphensAndThePreviewWithSeventyTwo)
{
    ExportOptions options{ExportDirection::ForeignFirst, true, true, false, false, ExportFormat::Text};
    EXPECT_EQ(document(source(kWords), options),
              "cat - ko\xE8ka\r\n" + std::string(70, '-') + "\r\nfish - ryba: Fish swim.\r\n" + std::string(70, '-') +
                  "\r\n");
    EXPECT_EQ(exportPreview(source(kWords), options),
              "cat - kočka\n" + std::string(72, '-') + "\nfish - ryba: Fish swim.\n" + std::string(72, '-') + "\n");
    options.hideOneLanguage = true;
    EXPECT_EQ(exportPreview(source({kWords[0]}), options), "fish -" + std::string(7, ' ') + ": Fish swim.\n" + std::string(72, '-') + "\n");

    // 29 characters and a line end each: the 67th line passes 2000 characters and is the last.
    std::vector<WordRecord> many(100, WordRecord{"abcdefghijklm", "nopqrstuvwxyz", "", "4"});
    const std::string preview = exportPreview(source(many), {});
    EXPECT_EQ(std::count(preview.begin(), preview.end(), '\n'), 67);
}

TEST(ExportDocument, AWordTheFileNoLongerHoldsRefusesTheExport)
{
    ExportSource stale = source(kWords);
    stale.records.pop_back();
    const ExportOptions hidden{ExportDirection::ForeignFirst, false, false, false, true, ExportFormat::Html};
    EXPECT_FALSE(exportLines(stale, hidden).ok());
    EXPECT_EQ(exportPreview(stale, hidden), "");
    EXPECT_TRUE(exportLines(stale, {}).ok());  // the lines alone need no record
}

TEST(ExportDocument, MarkupInWordsIsEscapedAndThePageParses)
{
    testing::TempTree temp;
    const ExportOptions options{ExportDirection::ForeignFirst, true, false, true, true, ExportFormat::Html};
    const std::string html = document(source({{"rock & roll", "<b>rokenrol</b>", "Say \"a < b\".", "4"}}), options);
    EXPECT_NE(html.find("1. rock &amp; roll -"), std::string::npos);
    const fs::path file = temp.root() / "page.html";
    ASSERT_TRUE(writeExportFile(file, html).ok());
    EXPECT_EQ(testing::readBytes(file), html);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.root()), fs::directory_iterator()), 1);  // no scratch left
    const fs::path complaints = temp.root() / "xmllint.out";
    const std::string command = "xmllint --html --noout '" + file.string() + "' >'" + complaints.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "xmllint (libxml2-utils) must be installed";
    EXPECT_EQ(testing::readBytes(complaints), "");
}

TEST(ExportDocument, AFileThatCannotBeWrittenLeavesNothing)
{
    testing::TempTree temp;
    EXPECT_FALSE(writeExportFile(temp.root() / "missing" / "page.txt", "x").ok());
    fs::create_directory(temp.root() / "taken");
    EXPECT_FALSE(writeExportFile(temp.root() / "taken", "x").ok());
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.root()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace lexivo

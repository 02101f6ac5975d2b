#include "store/word_record.h"

#include <gtest/gtest.h>

#include "store/cp1250.h"

namespace lexivo {
namespace {

// Round trips are checked on the seeds of the fuzz targets (fuzz/corpus/word_record and cp1250):
// raw spans cover every byte, written records read back the same, every byte survives the code
// page, and malformed or unstorable text is refused.

std::vector<WordRecord> readAll(std::string_view bytes)
{
    std::vector<WordRecord> records;
    RecordReader reader(bytes);
    while (auto stored = reader.next()) {
        records.push_back(stored->record);
    }
    return records;
}

TEST(WordRecord, ReadingSplitsLinesAndFieldsByTheFileRules)
{
    const std::vector<std::pair<std::string, std::vector<WordRecord>>> cases = {
        {"car|auto|A car.|3\r\n", {{"car", "auto", "A car.", "3"}}},
        {"car|auto|A car.|3\n", {{"car", "auto", "A car.", "3"}}},
        {"a|b|c|\r\n", {{"a", "b", "c", ""}}},
        {"a|b\r\n", {{"a", "b", "", ""}}},
        {"a|b|c|1|e|f\r\n", {{"a", "b", "c", "1"}, {"e", "f", "", ""}}},  // the fourth separator splits
        {"a|b|c|1\r\nx|y|z|2", {{"a", "b", "c", "1"}, {"x", "y", "z", "2"}}},
        {"a\rb|c|d|1\r\n", {{"a\rb", "c", "d", "1"}}},  // a lone CR is a byte
        {std::string("a\0b|c|d|1\r\n", 11), {{"ab", "c", "d", "1"}}},
        {"a|b|c|1\r\n\r\nd|e|f|2\r\n", {{"a", "b", "c", "1"}, {}, {"d", "e", "f", "2"}}},
        {std::string(300, 'x') + "|b|c|1\r\n", {{std::string(249, 'x'), "b", "c", "1"}}},
        {"\xE8\x61s|time||\r\n", {{"čas", "time", "", ""}}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(readAll(bytes), expected) << bytes;
    }
}

TEST(WordRecord, WritesThreeSeparatorsAndCrLfInWindows1250)
{
    EXPECT_EQ(encodeWordRecord({"a", "b", "c", ""}).value(), "a|b|c|\r\n");
    EXPECT_EQ(encodeWordRecord({"", "", "", ""}).value(), "|||\r\n");
    EXPECT_EQ(encodeWordRecord({"žirafa", "giraffe", "", "4"}).value(), "\x9Eirafa|giraffe||4\r\n");
}

TEST(WordRecord, RefusesWhatWouldBreakTheFile)
{
    for (const WordRecord& record : std::vector<WordRecord>{
             {"a|b", "c", "", "4"}, {"a", "line\nbreak", "", "4"}, {"a", "b", "🙂", "4"}}) {
        const auto line = encodeWordRecord(record);
        ASSERT_FALSE(line.ok()) << record.english << record.czech << record.example;
        EXPECT_EQ(line.message().title, "Chyba");
    }
    std::string out = "kept";
    EXPECT_FALSE(writeWordRecord(out, {"a", "b", "🙂", "4"}).ok());
    EXPECT_EQ(out, "kept");
}

TEST(WordRecord, CountsEveryLineEndAndAnUnendedLastLine)
{
    for (const auto& [bytes, lines] : std::vector<std::pair<std::string, int>>{
             {"", 0}, {"a|b||\r\n", 1}, {"a|b||\r\nc|d||", 2}, {"\r\n\r\n", 2}, {"x", 1}}) {
        EXPECT_EQ(countLines(bytes), lines) << bytes;
    }
}

TEST(Cp1250, MapsTheCzechLettersAndThePunctuation)
{
    EXPECT_EQ(decodeCp1250("\xC8\xE8\xD8\xF8\x8A\x9A\x8E\x9E\xD9\xF9\xCC\xEC"), "ČčŘřŠšŽžŮůĚě");
    EXPECT_EQ(decodeCp1250("\x80\x84\x93\x96\x99\xA0"), "€„“–™\u00A0");
    // Unassigned bytes stand for the C1 control character of the same value.
    EXPECT_EQ(decodeCp1250("\x81\x83\x88\x90\x98"), "\u0081\u0083\u0088\u0090\u0098");
    EXPECT_EQ(encodeCp1250("Příliš žluťoučký kůň").value(), "P\xF8\xED\x6C\x69\x9A \x9Elu\x9Do\x75\xE8\x6B\xFD k\xF9\xF2");
    EXPECT_EQ(characterCount("žluťoučký"), 9u);
    EXPECT_EQ(firstCharacters("žluťoučký", 4), "žluť");  // never half a character
    EXPECT_EQ(firstCharacters("kůň", 3), "kůň");
}

TEST(Cp1250, NamesTheFirstCharacterItCannotStore)
{
    EXPECT_EQ(encodeCp1250("a🙂b").message().text.find("Znak „🙂“ nelze uložit"), 0u);
    EXPECT_EQ(firstUnstorableCharacter("čaj🙂Ω"), "🙂");
    EXPECT_EQ(firstUnstorableCharacter("čaj"), "");
    for (const char* malformed : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "a\xFF"}) {
        EXPECT_EQ(firstUnstorableCharacter(malformed), "\uFFFD");
    }
}

}  // namespace
}  // namespace lexivo

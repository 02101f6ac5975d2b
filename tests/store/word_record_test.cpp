#include "store/word_record.h"

#include <gtest/gtest.h>

namespace lexivo {
namespace {

// That the raw spans cover every byte and that written records read back the same is checked on
// the seeds of the record's fuzz target (fuzz/corpus/word_record).

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

}  // namespace
}  // namespace lexivo

#include "store/word_record.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lexivo {
namespace {

std::vector<WordRecord> readAll(std::string_view bytes)
{
    std::vector<WordRecord> records;
    RecordReader reader(bytes);
    while (auto stored = reader.next()) {
        records.push_back(stored->record);
    }
    return records;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<WordRecord> expected;

    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }
};

class ReadingRules : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadingRules, YieldsTheRecordsAndCoversEveryByte)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(readAll(c.bytes), c.expected);

    // The raw spans, put together, are the file again: an unchanged record can be copied as it stands.
    std::string joined;
    RecordReader reader(c.bytes);
    while (auto stored = reader.next()) {
        joined += stored->raw;
    }
    EXPECT_EQ(joined, c.bytes);
}

const std::string k300(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Package, ReadingRules,
    ::testing::Values(
        ReadCase{"CrLf", "car|auto|A car.|3\r\n", {{"car", "auto", "A car.", "3"}}},
        ReadCase{"BareLf", "car|auto|A car.|3\n", {{"car", "auto", "A car.", "3"}}},
        ReadCase{"EmptyKnowledge", "a|b|c|\r\n", {{"a", "b", "c", ""}}},
        ReadCase{"TwoFields", "a|b\r\n", {{"a", "b", "", ""}}},
        ReadCase{"FourthSeparatorSplitsTheLine", "a|b|c|1|e|f\r\n", {{"a", "b", "c", "1"}, {"e", "f", "", ""}}},
        ReadCase{"LastLineWithoutLineEnd", "a|b|c|1\r\nx|y|z|2", {{"a", "b", "c", "1"}, {"x", "y", "z", "2"}}},
        ReadCase{"LoneCrIsAByte", "a\rb|c|d|1\r\n", {{"a\rb", "c", "d", "1"}}},
        ReadCase{"NulAddsNothing", std::string("a\0b|c|d|1\r\n", 11), {{"ab", "c", "d", "1"}}},
        ReadCase{"EmptyLineInTheMiddle", "a|b|c|1\r\n\r\nd|e|f|2\r\n",
                 {{"a", "b", "c", "1"}, {}, {"d", "e", "f", "2"}}},
        ReadCase{"LongFieldIsCut", k300 + "|b|c|1\r\n", {{std::string(249, 'x'), "b", "c", "1"}}},
        ReadCase{"Windows1250", "\xE8\x61s|time||\r\n", {{"čas", "time", "", ""}}},
        ReadCase{"EmptyFile", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadWordRecord, ReturnsTheEmptyRecordAtTheEnd)
{
    RecordReader reader("a|b|c|1");
    EXPECT_EQ(readWordRecord(reader), (WordRecord{"a", "b", "c", "1"}));
    EXPECT_TRUE(readWordRecord(reader).isEmpty());
    EXPECT_TRUE(readWordRecord(reader).isEmpty());
}

TEST(EncodeWordRecord, WritesThreeSeparatorsAndCrLfInWindows1250)
{
    EXPECT_EQ(encodeWordRecord({"a", "b", "c", ""}).value(), "a|b|c|\r\n");
    EXPECT_EQ(encodeWordRecord({"", "", "", ""}).value(), "|||\r\n");
    EXPECT_EQ(encodeWordRecord({"žirafa", "giraffe", "", "4"}).value(), "\x9Eirafa|giraffe||4\r\n");
}

TEST(EncodeWordRecord, RefusesWhatWouldBreakTheFile)
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

TEST(EncodeWordRecord, ReadsBackWhatItWrote)
{
    const WordRecord record{"Čáp+čáp", "stork", "Tam letí čáp.\r", "0"};
    EXPECT_EQ(readAll(encodeWordRecord(record).value()), std::vector<WordRecord>{record});
}

TEST(CountLines, CountsEveryLineEndAndAnUnendedLastLine)
{
    EXPECT_EQ(countLines(""), 0);
    EXPECT_EQ(countLines("a|b||\r\n"), 1);
    EXPECT_EQ(countLines("a|b||\r\nc|d||"), 2);
    EXPECT_EQ(countLines("\r\n\r\n"), 2);
    EXPECT_EQ(countLines("x"), 1);
}

}  // namespace
}  // namespace lexivo

// The word lists of the editor, the transfer window and the export. For any package bytes and
// every order, each listed line finds a record whose line it is, and the records that a set of
// lines picks are distinct and each shows its line: so a change, a removal or a move always
// touches the word the user chose.

#include "editing/word_list.h"
#include "fuzz_support.h"
#include "store/word_record.h"

#include <set>
#include <string>
#include <vector>

using namespace lexivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<WordRecord> records;
    RecordReader reader(fuzz::asText(data, size));
    while (auto stored = reader.next()) {
        records.push_back(stored->record);
    }
    for (WordOrder order : {WordOrder::Foreign, WordOrder::Czech, WordOrder::DateAdded, WordOrder::Knowledge}) {
        std::vector<std::string> lines;
        for (const WordDisplayLine& line : wordListLines(records, order, caseInsensitiveOrder)) {
            const std::optional<std::size_t> found = locateRecordLine(records, line.text, order);
            FUZZ_CHECK(found && *found < records.size() && wordDisplayLine(records[*found], order) == line.text);
            lines.push_back(line.text);
        }
        std::set<std::size_t> picked;
        const std::vector<std::optional<std::size_t>> matched = matchLinesToRecords(records, lines, order);
        FUZZ_CHECK(matched.size() == lines.size());
        for (std::size_t i = 0; i < matched.size(); ++i) {
            FUZZ_CHECK(matched[i] && wordDisplayLine(records[*matched[i]], order) == lines[i]);
            FUZZ_CHECK(picked.insert(*matched[i]).second);
        }
    }
    return 0;
}

// Imported word lists. For any file bytes: no more rows are read than an import can reach,
// every word the plan takes is one a package can store as it stands, and exporting the words
// and importing them again gives back exactly the same words.

#include "editing/word_import.h"
#include "fuzz_support.h"
#include "store/cp1250.h"
#include "store/word_record.h"

using namespace lexivo;

namespace {

ImportPlan importBytes(std::string_view bytes, bool keepDuplicates)
{
    const ImportSettings settings = detectDelimitedSettings(bytes);
    ImportTable table = splitDelimitedText(bytes, settings.encoding, settings.separator);
    FUZZ_CHECK(table.rows.size() <= kMaxImportRows);
    return planImport(wordRows(table, settings), settings.columns, {}, {false, keepDuplicates});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ImportPlan plan = importBytes(fuzz::asText(data, size), false);
    FUZZ_CHECK(plan.words.size() <= static_cast<std::size_t>(kMaxWordsPerPackage));
    FUZZ_CHECK(plan.problems.size() <= kMaxListedProblems + 1);
    for (const WordRecord& word : plan.words) {
        FUZZ_CHECK(!word.english.empty() && !word.czech.empty());
        FUZZ_CHECK(encodeWordRecord(word).ok());
        std::string line;
        (void)writeWordRecord(line, word);
        RecordReader reader(line);
        const auto stored = reader.next();
        FUZZ_CHECK(stored && stored->record == word && reader.atEnd());
    }
    const ImportPlan again = importBytes(exportCsv(plan.words), true);
    FUZZ_CHECK(again.problems.empty() && again.words == plan.words);
    return 0;
}

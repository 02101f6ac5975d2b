// The word record. Reading any package bytes consumes every byte exactly once; every record read
// encodes to its canonical line (three separators, CR LF, fields as the reader keeps them) and
// that line reads back to the same record; a new knowledge digit keeps the other fields.
// A record built from the input is either refused or stored so that it reads back the same.

#include "fuzz_support.h"
#include "store/cp1250.h"
#include "store/word_record.h"

#include <algorithm>
#include <string>

using namespace lexivo;

namespace {

WordRecord readOnly(std::string_view line)
{
    RecordReader reader(line);
    const WordRecord record = readWordRecord(reader);
    FUZZ_CHECK(reader.atEnd());
    return record;
}

void checkRecordsOf(std::string_view bytes)
{
    RecordReader reader(bytes);
    std::string consumed;
    while (auto stored = reader.next()) {
        consumed += stored->raw;
        const WordRecord& record = stored->record;
        for (const std::string* field : {&record.english, &record.czech, &record.example, &record.knowledge}) {
            FUZZ_CHECK(field->find_first_of(std::string_view("|\n\0", 3)) == std::string::npos);
        }

        const auto line = encodeWordRecord(record);
        FUZZ_CHECK(line.ok());
        FUZZ_CHECK(line->ends_with("\r\n") && std::count(line->begin(), line->end(), '|') == 3);
        FUZZ_CHECK(readOnly(line.value()) == record);

        const auto changed = withKnowledge(stored->raw, "3");
        FUZZ_CHECK(changed.ok() && changed->ends_with("\r\n"));
        WordRecord expected = record;
        expected.knowledge = "3";
        FUZZ_CHECK(readOnly(changed.value()) == expected);
    }
    FUZZ_CHECK(consumed == bytes);
    FUZZ_CHECK(readWordRecord(reader).isEmpty());
}

// A record whose fields are the input's pieces between 0x01 bytes, as UTF-8 text.
void checkStoringARecord(std::string_view bytes)
{
    fuzz::InputReader input(bytes);
    WordRecord record;
    record.english = input.piece('\x01');
    record.czech = input.piece('\x01');
    record.example = input.piece('\x01');
    record.knowledge = input.piece('\x01');
    const auto line = encodeWordRecord(record);
    if (!line.ok()) {
        return;
    }
    // The reader drops NUL bytes and cuts a field at 249 bytes: what the editor never lets through.
    const bool fitsTheReader =
        line->find('\0') == std::string::npos &&
        std::max({characterCount(record.english), characterCount(record.czech), characterCount(record.example),
                  characterCount(record.knowledge)}) <= kMaxFieldBytes;
    if (fitsTheReader) {
        FUZZ_CHECK(readOnly(line.value()) == record);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::asText(data, size);
    checkRecordsOf(input);
    checkStoringARecord(input);
    return 0;
}

#include "store/word_record.h"

#include <algorithm>
#include <array>

#include "store/cp1250.h"

namespace lexivo {

std::optional<StoredRecord> RecordReader::next()
{
    if (atEnd()) {
        return std::nullopt;
    }
    const std::size_t start = position_;
    std::array<std::string, 4> fields;
    std::size_t field = 0;
    while (position_ < bytes_.size()) {
        const char byte = bytes_[position_++];
        if (byte == '\n') {
            break;
        }
        if (byte == '\r' && position_ < bytes_.size() && bytes_[position_] == '\n') {
            ++position_;
            break;
        }
        if (byte == kFieldSeparator) {
            if (++field == fields.size()) {
                break;  // the fourth separator: the rest of the line is the next record
            }
            continue;
        }
        if (byte != '\0' && fields[field].size() < kMaxFieldBytes) {
            fields[field] += byte;
        }
    }
    return StoredRecord{WordRecord{decodeCp1250(fields[0]), decodeCp1250(fields[1]), decodeCp1250(fields[2]),
                                   decodeCp1250(fields[3])},
                        bytes_.substr(start, position_ - start)};
}

WordRecord readWordRecord(RecordReader& reader)
{
    auto stored = reader.next();
    return stored ? std::move(stored->record) : WordRecord{};
}

Result<std::string> encodeWordRecord(const WordRecord& record)
{
    const std::array<const std::string*, 4> fields = {&record.english, &record.czech, &record.example,
                                                      &record.knowledge};
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->find_first_of("|\n") != std::string::npos) {
            return errorMessage("Slovo nelze uložit, protože obsahuje znak „|“ nebo konec řádku.");
        }
        auto bytes = encodeCp1250(*fields[i]);
        if (!bytes) {
            return bytes.message();
        }
        if (i > 0) {
            line += kFieldSeparator;
        }
        line += bytes.value();
    }
    line += "\r\n";
    return line;
}

Status writeWordRecord(std::string& out, const WordRecord& record)
{
    auto line = encodeWordRecord(record);
    if (!line) {
        return line.message();
    }
    out += line.value();
    return Status::success();
}

int countLines(std::string_view bytes)
{
    const auto lineEnds = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    return lineEnds + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

}  // namespace lexivo

#include "store/word_record.h"

#include <algorithm>
#include <array>

#include "store/cp1250.h"

namespace lexivo {

namespace {

// A field's bytes as the reader keeps them: NUL bytes dropped, cut at the cap.
std::string keptFieldBytes(std::string_view bytes)
{
    std::string kept;
    for (char byte : bytes) {
        if (byte != '\0' && kept.size() < kMaxFieldBytes) {
            kept += byte;
        }
    }
    return kept;
}

std::string decodeField(std::string_view bytes)
{
    if (bytes.size() <= kMaxFieldBytes && bytes.find('\0') == std::string_view::npos) {
        return decodeCp1250(bytes);
    }
    return decodeCp1250(keptFieldBytes(bytes));
}

}  // namespace

std::optional<StoredRecord> RecordReader::next()
{
    if (atEnd()) {
        return std::nullopt;
    }
    const std::size_t start = position_;
    std::array<std::string_view, 4> fields;
    std::size_t field = 0;
    std::size_t fieldStart = position_;
    for (;;) {
        if (position_ == bytes_.size()) {
            fields[field] = bytes_.substr(fieldStart, position_ - fieldStart);
            break;
        }
        const char byte = bytes_[position_++];
        if (byte == '\n') {
            // CR LF is a line end as well; a CR anywhere else is an ordinary byte.
            const std::size_t fieldEnd = position_ - 1 > fieldStart && bytes_[position_ - 2] == '\r' ? position_ - 2
                                                                                                   : position_ - 1;
            fields[field] = bytes_.substr(fieldStart, fieldEnd - fieldStart);
            break;
        }
        if (byte == kFieldSeparator) {
            fields[field] = bytes_.substr(fieldStart, position_ - 1 - fieldStart);
            fieldStart = position_;
            if (++field == fields.size()) {
                break;  // the fourth separator: the rest of the line is the next record
            }
        }
    }
    return StoredRecord{WordRecord{decodeField(fields[0]), decodeField(fields[1]), decodeField(fields[2]),
                                   decodeField(fields[3])},
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

Result<std::string> withKnowledge(std::string_view raw, std::string_view knowledge)
{
    std::string_view content = raw;
    if (content.ends_with("\r\n")) {
        content.remove_suffix(2);
    } else if (content.ends_with('\n')) {
        content.remove_suffix(1);
    }
    std::string line;
    std::size_t separators = 0;
    for (char byte : content) {
        line += byte;
        if (byte == kFieldSeparator && ++separators == 3) {
            break;
        }
    }
    line.append(3 - separators, kFieldSeparator);
    auto encoded = encodeCp1250(knowledge);
    if (!encoded) {
        return encoded.message();
    }
    line += encoded.value();
    line += "\r\n";
    return line;
}

int countLines(std::string_view bytes)
{
    const auto lineEnds = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    return lineEnds + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

}  // namespace lexivo

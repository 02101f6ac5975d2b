#include "editing/word_list.h"

#include <algorithm>

#include "store/file_io.h"

namespace lexivo {

std::vector<std::string> wordOrderLabels(std::string_view foreignWords)
{
    return {std::string(foreignWords), "českých výrazů", "data přidání", "úrovně znalosti"};
}

std::string wordDisplayLine(const WordRecord& record, WordOrder order)
{
    const std::string& first = order == WordOrder::Czech ? record.czech : record.english;
    const std::string& second = order == WordOrder::Czech ? record.english : record.czech;
    std::string line;
    line.reserve(first.size() + kLineSeparator.size() + second.size());
    line += first;
    line += kLineSeparator;
    line += second;
    return line;
}

std::optional<int> knowledgeLevel(const WordRecord& record)
{
    const std::string& field = record.knowledge;
    if (field.empty()) {
        return kUnknownLevel;
    }
    if (field.size() == 1 && field[0] >= '0' && field[0] < '0' + kKnowledgeLevels) {
        return field[0] - '0';
    }
    return std::nullopt;
}

int shownKnowledgeLevel(const WordRecord& record)
{
    return knowledgeLevel(record).value_or(kUnknownLevel);
}

std::vector<WordDisplayLine> wordListLines(const std::vector<WordRecord>& records, WordOrder order,
                                        const NameOrder& lineOrder)
{
    auto sorted = [&](std::vector<WordDisplayLine>::iterator first, std::vector<WordDisplayLine>::iterator last) {
        std::stable_sort(first, last,
                         [&](const WordDisplayLine& a, const WordDisplayLine& b) { return lineOrder(a.text, b.text); });
    };
    std::vector<WordDisplayLine> lines;
    lines.reserve(records.size());
    if (order == WordOrder::Knowledge) {
        for (int level = 0; level < kKnowledgeLevels; ++level) {
            const std::size_t blockStart = lines.size();
            for (const WordRecord& record : records) {
                if (knowledgeLevel(record) == level) {
                    lines.push_back({wordDisplayLine(record, order), false});
                }
            }
            sorted(lines.begin() + static_cast<std::ptrdiff_t>(blockStart), lines.end());
        }
        return lines;
    }
    for (const WordRecord& record : records) {
        lines.push_back({wordDisplayLine(record, order), !record.example.empty()});
    }
    if (order != WordOrder::DateAdded) {
        sorted(lines.begin(), lines.end());
    }
    return lines;
}

std::optional<std::size_t> locateRecordLine(const std::vector<WordRecord>& records, std::string_view line,
                                            WordOrder order)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (wordDisplayLine(records[i], order) == line) {
            return i;
        }
    }
    return std::nullopt;
}

bool isPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

Result<std::vector<WordRecord>> readRecordFile(const std::filesystem::path& file)
{
    const auto bytes = readFileBytes(file);
    if (!bytes) {
        return bytes.message();
    }
    std::vector<WordRecord> records;
    records.reserve(static_cast<std::size_t>(countLines(*bytes)));
    RecordReader reader(*bytes);
    while (auto stored = reader.next()) {
        records.push_back(std::move(stored->record));
    }
    return records;
}

ListedRecords readListedRecords(const std::filesystem::path& file)
{
    auto read = readRecordFile(file);
    if (read) {
        return {std::move(read).value(), std::nullopt};
    }
    if (!entryExists(file)) {
        return {};
    }
    return {{}, read.message()};
}

std::vector<std::optional<std::size_t>> matchLinesToRecords(const std::vector<WordRecord>& records,
                                                            const std::vector<std::string>& lines, WordOrder order)
{
    // For each distinct wanted line, the records that show it, in file order.
    std::vector<std::string> wanted = lines;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::vector<std::vector<std::size_t>> candidates(wanted.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string line = wordDisplayLine(records[i], order);
        const auto found = std::lower_bound(wanted.begin(), wanted.end(), line);
        if (found != wanted.end() && *found == line) {
            candidates[static_cast<std::size_t>(found - wanted.begin())].push_back(i);
        }
    }
    std::vector<std::size_t> used(wanted.size(), 0);
    std::vector<std::optional<std::size_t>> matches;
    matches.reserve(lines.size());
    for (const std::string& line : lines) {
        const auto slot = static_cast<std::size_t>(std::lower_bound(wanted.begin(), wanted.end(), line) - wanted.begin());
        if (used[slot] < candidates[slot].size()) {
            matches.push_back(candidates[slot][used[slot]++]);
        } else {
            matches.push_back(std::nullopt);
        }
    }
    return matches;
}

LineTally::LineTally(const std::vector<std::string>& lines, WordOrder order) : pending_(lines.size()), order_(order)
{
    std::vector<std::string> sortedLines = lines;
    std::sort(sortedLines.begin(), sortedLines.end());
    for (std::string& line : sortedLines) {
        if (!counts_.empty() && counts_.back().first == line) {
            ++counts_.back().second;
        } else {
            counts_.emplace_back(std::move(line), 1);
        }
    }
}

bool LineTally::take(const WordRecord& record)
{
    if (pending_ == 0) {
        return false;
    }
    const std::string line = wordDisplayLine(record, order_);
    const auto found = std::lower_bound(counts_.begin(), counts_.end(), line,
                                        [](const auto& entry, const std::string& value) { return entry.first < value; });
    if (found == counts_.end() || found->first != line || found->second == 0) {
        return false;
    }
    --found->second;
    --pending_;
    return true;
}

}  // namespace lexivo

#include "test/test_pool.h"

#include <cerrno>

#include "store/cp1250.h"
#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::string_view kHeadingMark = "#";
const std::string kNoPackage;

// The package name of a heading line, taken from its bytes so that no length cap applies.
std::string headingName(std::string_view raw)
{
    raw.remove_prefix(std::min(raw.size(), kHeadingMark.size() + 1));
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r' || raw.back() == kFieldSeparator)) {
        raw.remove_suffix(1);
    }
    return decodeCp1250(raw.substr(0, raw.find(kFieldSeparator)));
}

}  // namespace

Result<TestPool> TestPool::build(const DataTree& tree, std::string_view group, const std::vector<std::string>& packages)
{
    std::string bytes;
    for (const std::string& package : packages) {
        auto name = encodeCp1250(package);
        if (!name) {
            return name.message();
        }
        bytes += "#|" + name.value() + "\r\n";
        // A package that cannot be read (deleted meanwhile) adds no words.
        const auto content = readFileBytes(tree.packageFile(group, package));
        if (content && !content->empty()) {
            bytes += *content;
            if (content->back() != '\n') {
                bytes += "\r\n";
            }
        }
    }
    return parse(bytes);
}

TestPool TestPool::parse(std::string_view bytes)
{
    TestPool pool;
    RecordReader reader(bytes);
    while (auto stored = reader.next()) {
        pool.addRecord(stored->raw, stored->record);
    }
    return pool;
}

void TestPool::addRecord(std::string_view raw, const WordRecord& record)
{
    Line line{std::string(raw), packageNames_.empty() ? -1 : static_cast<std::int32_t>(packageNames_.size() - 1), -1,
              false, false};
    if (record.english == kHeadingMark) {
        packageNames_.push_back(headingName(raw));
        line.package = static_cast<std::int32_t>(packageNames_.size() - 1);
    } else if (!record.isEmpty()) {
        line.coefficient = static_cast<std::int8_t>(coefficientFrom(record.knowledge));
        line.writtenOut = record.knowledge.size() == 1 && record.knowledge[0] == '0' + line.coefficient;
        ++levelCounts_[static_cast<std::size_t>(line.coefficient)];
        wordLines_.push_back(static_cast<std::uint32_t>(lines_.size()));
    }
    lines_.push_back(std::move(line));
}

int TestPool::coefficientFrom(std::string_view knowledge)
{
    return knowledge.size() == 1 && knowledge[0] >= '0' && knowledge[0] <= '4' ? knowledge[0] - '0' : 4;
}

WordRecord TestPool::word(int index) const
{
    RecordReader reader(lines_[wordLines_[static_cast<std::size_t>(index)]].raw);
    return readWordRecord(reader);
}

const std::string& TestPool::packageOf(int index) const
{
    const std::int32_t package = lines_[wordLines_[static_cast<std::size_t>(index)]].package;
    return package < 0 ? kNoPackage : packageNames_[static_cast<std::size_t>(package)];
}

int TestPool::coefficientOf(int index) const
{
    return lines_[wordLines_[static_cast<std::size_t>(index)]].coefficient;
}

bool TestPool::coefficientWrittenOut(int index) const
{
    return lines_[wordLines_[static_cast<std::size_t>(index)]].writtenOut;
}

int TestPool::nthWordAtLevel(int level, int n) const
{
    for (std::size_t index = 0; index < wordLines_.size(); ++index) {
        if (lines_[wordLines_[index]].coefficient == level && n-- == 0) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

Status TestPool::setCoefficient(int index, int coefficient)
{
    Line& line = lines_[wordLines_[static_cast<std::size_t>(index)]];
    auto raw = withKnowledge(line.raw, std::string(1, static_cast<char>('0' + coefficient)));
    if (!raw) {
        return raw.message();
    }
    line.raw = std::move(raw.value());
    --levelCounts_[static_cast<std::size_t>(line.coefficient)];
    line.coefficient = static_cast<std::int8_t>(coefficient);
    line.writtenOut = true;
    ++levelCounts_[static_cast<std::size_t>(coefficient)];
    return Status::success();
}

void TestPool::remove(int index)
{
    const auto position = wordLines_.begin() + index;
    Line& line = lines_[*position];
    line.removed = true;
    --levelCounts_[static_cast<std::size_t>(line.coefficient)];
    wordLines_.erase(position);
}

std::string TestPool::bytes() const
{
    std::size_t size = 0;
    for (const Line& line : lines_) {
        size += line.removed ? 0 : line.raw.size();
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Line& line : lines_) {
        if (!line.removed) {
            bytes += line.raw;
        }
    }
    return bytes;
}

}  // namespace lexivo

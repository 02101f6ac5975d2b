#include "test/test_pool.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <sys/stat.h>

#include "store/cp1250.h"
#include "store/name_rules.h"

namespace lexivo {
namespace {

const std::string kNoPackage;

// Finds the bytes that delimit records, "|" and LF, in order, sixteen bytes at a time:
// building a pool of 481 000 words must not look at every byte on its own.
class DelimiterScanner {
public:
    DelimiterScanner(std::string_view bytes, std::size_t start)
        : bytes_(bytes), blockStart_(start & ~std::size_t{15})
    {
        mask_ = blockStart_ < bytes_.size() ? blockMask(blockStart_) & (~0u << (start - blockStart_)) : 0;
    }

    // The position of the next delimiter, or the size of the bytes when none is left.
    std::size_t next()
    {
        while (mask_ == 0) {
            blockStart_ += 16;
            if (blockStart_ >= bytes_.size()) {
                return bytes_.size();
            }
            mask_ = blockMask(blockStart_);
        }
        const std::size_t position = blockStart_ + static_cast<std::size_t>(__builtin_ctz(mask_));
        mask_ &= mask_ - 1;
        return position;
    }

private:
    // One bit for each delimiter among the sixteen bytes from `start`.
    std::uint32_t blockMask(std::size_t start) const
    {
#if defined(__SSE2__)
        if (start + 16 <= bytes_.size()) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes_.data() + start));
            const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(kFieldSeparator)),
                                              _mm_cmpeq_epi8(block, _mm_set1_epi8('\n')));
            return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
        }
#endif
        std::uint32_t mask = 0;
        for (std::size_t i = 0; i < 16 && start + i < bytes_.size(); ++i) {
            const char byte = bytes_[start + i];
            mask |= (byte == kFieldSeparator || byte == '\n' ? 1u : 0u) << i;
        }
        return mask;
    }

    std::string_view bytes_;
    std::size_t blockStart_;
    std::uint32_t mask_;
};

// The number of LF bytes, sixteen at a time.
std::size_t countLineEnds(std::string_view bytes)
{
    std::size_t count = 0;
    std::size_t position = 0;
#if defined(__SSE2__)
    for (; position + 16 <= bytes.size(); position += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + position));
        count += static_cast<std::size_t>(
            __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))))));
    }
#endif
    for (; position < bytes.size(); ++position) {
        count += bytes[position] == '\n' ? 1 : 0;
    }
    return count;
}

// The four fields of one record and where the next record starts, read as RecordReader reads
// them (a line ends with LF or CR LF; a fourth separator ends a record mid-line), without
// decoding anything.
struct RecordSpan {
    std::array<std::string_view, 4> fields;
    std::size_t end = 0;
};

RecordSpan scanRecord(std::string_view bytes, std::size_t start, DelimiterScanner& delimiters)
{
    RecordSpan span;
    std::size_t fieldStart = start;
    for (std::size_t field = 0;;) {
        const std::size_t at = delimiters.next();
        if (at == bytes.size()) {
            span.fields[field] = bytes.substr(fieldStart);
            span.end = bytes.size();
            return span;
        }
        if (bytes[at] == '\n') {
            const std::size_t fieldEnd = at > fieldStart && bytes[at - 1] == '\r' ? at - 1 : at;
            span.fields[field] = bytes.substr(fieldStart, fieldEnd - fieldStart);
            span.end = at + 1;
            return span;
        }
        span.fields[field] = bytes.substr(fieldStart, at - fieldStart);
        fieldStart = at + 1;
        if (++field == span.fields.size()) {
            span.end = fieldStart;  // the rest of the line is the next record
            return span;
        }
    }
}

// A field as the reader keeps it, for the rare field that holds NUL bytes.
std::string withoutNuls(std::string_view field)
{
    std::string kept;
    for (char byte : field) {
        if (byte != '\0') {
            kept += byte;
        }
    }
    return kept;
}

bool isEmptyField(std::string_view field) { return field.find_first_not_of('\0') == std::string_view::npos; }

bool isHeadingField(std::string_view field)
{
    return field == "#" || (field.find('\0') != std::string_view::npos && withoutNuls(field) == "#");
}

// The coefficient digit 0–4 when the field holds exactly one, else nothing.
std::optional<int> digitOf(std::string_view field)
{
    if (field.size() != 1 && field.find('\0') != std::string_view::npos) {
        return digitOf(withoutNuls(field));
    }
    if (field.size() == 1 && field[0] >= '0' && field[0] <= '4') {
        return field[0] - '0';
    }
    return std::nullopt;
}

// The package name of a heading line, taken from its bytes so that no length cap applies.
std::string headingName(std::string_view raw)
{
    raw.remove_prefix(std::min<std::size_t>(raw.size(), 2));
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r' || raw.back() == kFieldSeparator)) {
        raw.remove_suffix(1);
    }
    return decodeCp1250(raw.substr(0, raw.find(kFieldSeparator)));
}

Message poolTooLargeMessage()
{
    return errorMessage("Vybrané balíčky jsou dohromady větší než 64 MB. Vyberte jich méně.");
}

}  // namespace

Result<TestPool> TestPool::build(const DataTree& tree, std::string_view group, const std::vector<std::string>& packages)
{
    // Reserve the whole pool at once: growing a buffer of 25 MB step by step would hold two.
    std::vector<std::string> headings;
    std::size_t size = 0;
    for (const std::string& package : packages) {
        auto name = encodeCp1250(package);
        if (!name || !isUsableListedName(package)) {
            return errorMessage("Balíček „" + package + "“ má jméno, které test nemůže použít.");
        }
        headings.push_back("#|" + name.value() + "\r\n");
        struct stat info {};
        const bool sized = ::stat(tree.packageFile(group, package).c_str(), &info) == 0 && S_ISREG(info.st_mode);
        size += headings.back().size() + (sized ? static_cast<std::size_t>(info.st_size) + 3 : 0);
    }
    if (size > kMaxDataFileBytes) {
        return poolTooLargeMessage();
    }
    TestPool pool;
    pool.bytes_.reserve(size);
    struct Content {
        std::size_t start;
        std::size_t end;
    };
    std::vector<Content> contents;
    for (std::size_t i = 0; i < packages.size(); ++i) {
        pool.bytes_ += headings[i];
        const std::size_t start = pool.bytes_.size();
        const auto file = tree.packageFile(group, packages[i]);
        // A package deleted meanwhile adds no words.
        if (entryExists(file)) {
            if (Status read = appendFileBytes(file, pool.bytes_); !read) {
                return read.message();
            }
            if (pool.bytes_.size() > start && pool.bytes_.back() != '\n') {
                pool.bytes_ += "\r\n";
            }
            if (pool.bytes_.size() > kMaxDataFileBytes) {
                return poolTooLargeMessage();
            }
        }
        contents.push_back({start, pool.bytes_.size()});
    }
    pool.reserveIndex();
    for (std::size_t i = 0; i < packages.size(); ++i) {
        pool.addHeading(contents[i].start - headings[i].size(), headings[i].size(), packages[i]);
        pool.indexRecords(contents[i].start, contents[i].end, Headings::LeftOut);
    }
    return pool;
}

Result<TestPool> TestPool::read(const std::filesystem::path& file)
{
    auto bytes = readFileBytes(file);
    if (!bytes) {
        return bytes.message();
    }
    return parse(std::move(bytes).value());
}

TestPool TestPool::parse(std::string bytes)
{
    TestPool pool;
    pool.bytes_ = std::move(bytes);
    pool.reserveIndex();
    pool.indexRecords(0, pool.bytes_.size(), Headings::Allowed);
    return pool;
}

void TestPool::addHeading(std::size_t start, std::size_t length, std::string name)
{
    packageNames_.push_back(std::move(name));
    lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length),
                      static_cast<std::int32_t>(packageNames_.size() - 1), -1, 0});
}

void TestPool::reserveIndex()
{
    // Nearly every line is one record; growing the index step by step would hold it twice.
    const std::size_t lineEnds = countLineEnds(bytes_);
    lines_.reserve(lineEnds + 1);
    wordLines_.reserve(lineEnds + 1);
}

void TestPool::indexRecords(std::size_t start, std::size_t end, Headings headings)
{
    const std::string_view bytes = std::string_view(bytes_).substr(0, end);
    DelimiterScanner delimiters(bytes, start);
    for (std::size_t position = start; position < bytes.size();) {
        const RecordSpan span = scanRecord(bytes, position, delimiters);
        const std::size_t length = span.end - position;
        if (isHeadingField(span.fields[0])) {
            // Inside a package, a record that would read as a heading is no word: leaving it out
            // keeps it from splitting the pool.
            if (headings == Headings::Allowed) {
                addHeading(position, length, headingName(bytes.substr(position, length)));
            }
        } else {
            Line line{static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(length),
                      static_cast<std::int32_t>(packageNames_.size()) - 1, -1, 0};
            if (!isEmptyField(span.fields[0]) || !isEmptyField(span.fields[1]) || !isEmptyField(span.fields[2])) {
                const std::optional<int> digit = digitOf(span.fields[3]);
                line.coefficient = static_cast<std::int8_t>(digit.value_or(4));
                line.flags = digit ? WrittenOut : 0;
                ++levelCounts_[static_cast<std::size_t>(line.coefficient)];
                wordLines_.push_back(static_cast<std::uint32_t>(lines_.size()));
            }
            lines_.push_back(line);
        }
        position = span.end;
    }
}

std::string_view TestPool::text(const Line& line) const
{
    const std::string& holder = (line.flags & Spilled) != 0 ? spill_ : bytes_;
    return std::string_view(holder).substr(line.offset, line.length);
}

WordRecord TestPool::word(int index) const
{
    RecordReader reader(wordLine(index));
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
    return (lines_[wordLines_[static_cast<std::size_t>(index)]].flags & WrittenOut) != 0;
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

Result<TestPool::Change> TestPool::prepareChange(int index, std::optional<int> coefficient, bool removeWord) const
{
    Change change{index, std::nullopt, coefficient, removeWord};
    if (coefficient && !removeWord) {
        auto line = withKnowledge(wordLine(index), std::string(1, static_cast<char>('0' + *coefficient)));
        if (!line) {
            return line.message();
        }
        change.line = std::move(line.value());
    }
    return change;
}

void TestPool::write(PieceSink& sink, const Change* pending) const
{
    const std::uint32_t changedLine =
        pending != nullptr ? wordLines_[static_cast<std::size_t>(pending->index)] : UINT32_MAX;
    // Neighbouring lines that lie next to each other in memory go out as one piece.
    std::string_view run;
    auto emit = [&](std::string_view piece) {
        if (!run.empty() && run.data() + run.size() == piece.data()) {
            run = std::string_view(run.data(), run.size() + piece.size());
            return;
        }
        sink.add(run);
        run = piece;
    };
    for (std::uint32_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if ((line.flags & Removed) != 0) {
            continue;
        }
        if (i != changedLine) {
            emit(text(line));
        } else if (!pending->removesWord) {
            emit(pending->line ? std::string_view(*pending->line) : text(line));
        }
    }
    sink.add(run);
}

void TestPool::apply(const Change& change)
{
    const auto position = wordLines_.begin() + change.index;
    Line& line = lines_[*position];
    --levelCounts_[static_cast<std::size_t>(line.coefficient)];
    if (change.removesWord) {
        line.flags |= Removed;
        wordLines_.erase(position);
        return;
    }
    if (change.line) {
        const std::string& next = *change.line;
        std::string& holder = (line.flags & Spilled) != 0 ? spill_ : bytes_;
        if (next.size() == line.length) {
            next.copy(holder.data() + line.offset, next.size());
        } else {
            line.offset = static_cast<std::uint32_t>(spill_.size());
            line.length = static_cast<std::uint32_t>(next.size());
            line.flags |= Spilled;
            spill_ += next;
        }
        line.coefficient = static_cast<std::int8_t>(*change.coefficient);
        line.flags |= WrittenOut;
    }
    ++levelCounts_[static_cast<std::size_t>(line.coefficient)];
}

}  // namespace lexivo

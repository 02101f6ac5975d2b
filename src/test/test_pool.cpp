#include "test/test_pool.h"

#include <algorithm>
#include <cerrno>
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

// The four fields of one record and where the next record starts, read as RecordReader reads
// them (a line ends with LF or CR LF; a fourth separator ends a record mid-line), without
// decoding anything.
struct RecordSpan {
    std::array<std::string_view, 4> fields;
    std::size_t end = 0;
};

// Inlined: it runs once for every record of the pool.
[[gnu::always_inline]] inline RecordSpan scanRecord(std::string_view bytes, std::size_t start,
                                                   DelimiterScanner& delimiters)
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

bool isEmptyField(std::string_view field)
{
    return field.empty() || (field[0] == '\0' && field.find_first_not_of('\0') == std::string_view::npos);
}

bool isHeadingField(std::string_view field)
{
    if (field.empty() || (field[0] != '#' && field[0] != '\0')) {
        return false;
    }
    return field == "#" || withoutNuls(field) == "#";
}

// The coefficient digit 0–4 when the field holds exactly one, else nothing.
[[gnu::always_inline]] inline std::optional<int> digitOf(std::string_view field)
{
    if (field.size() == 1) {
        return field[0] >= '0' && field[0] <= '4' ? std::optional(field[0] - '0') : std::nullopt;
    }
    if (field.find('\0') == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string kept = withoutNuls(field);
    return kept.size() == 1 && kept[0] >= '0' && kept[0] <= '4' ? std::optional(kept[0] - '0') : std::nullopt;
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
    std::vector<bool> present;
    std::size_t size = 0;
    for (const std::string& package : packages) {
        auto name = encodeCp1250(package);
        if (!name || !isUsableListedName(package)) {
            return errorMessage("Balíček „" + package + "“ má jméno, které test nemůže použít.");
        }
        headings.push_back("#|" + name.value() + "\r\n");
        // A package deleted meanwhile adds no words; anything else under its name is refused below.
        struct stat info {};
        present.push_back(::stat(tree.packageFile(group, package).c_str(), &info) == 0 || errno != ENOENT);
        size += headings.back().size() + (S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 3 : 0);
    }
    if (size >= kMaxDataFileBytes) {
        return poolTooLargeMessage();
    }
    TestPool pool;
    pool.bytes_.reserve(size);
    adviseLargeBuffer(pool.bytes_.data(), pool.bytes_.capacity());
    pool.reserveIndex();
    for (std::size_t i = 0; i < packages.size(); ++i) {
        pool.addHeading(pool.bytes_.size(), packages[i]);
        pool.bytes_ += headings[i];
        const std::size_t start = pool.bytes_.size();
        if (present[i]) {
            if (Status read = appendFileBytes(tree.packageFile(group, packages[i]), pool.bytes_); !read) {
                return read.message();
            }
            if (pool.bytes_.size() > start && pool.bytes_.back() != '\n') {
                pool.bytes_ += "\r\n";
            }
            if (pool.bytes_.size() >= kMaxDataFileBytes) {
                return poolTooLargeMessage();
            }
        }
        // While the package's bytes are still in the cache.
        pool.indexRecords(start, pool.bytes_.size(), Headings::LeftOut);
    }
    return pool;
}

Result<TestPool> TestPool::read(const std::filesystem::path& file)
{
    auto bytes = readFileBytes(file);
    if (!bytes) {
        return bytes.message();
    }
    if (bytes->size() >= kMaxDataFileBytes) {
        return poolTooLargeMessage();
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

void TestPool::addHeading(std::size_t start, std::string name)
{
    headingOffsets_.push_back(static_cast<std::uint32_t>(start));
    packageNames_.push_back(std::move(name));
}

void TestPool::reserveIndex()
{
    // A word takes more than eight bytes in any real pool, so the index rarely has to move;
    // the pages a smaller pool leaves untouched take no memory.
    words_.reserve(bytes_.capacity() / 8 + 16);
}

void TestPool::indexRecords(std::size_t start, std::size_t end, Headings headings)
{
    const std::string_view bytes = std::string_view(bytes_).substr(0, end);
    DelimiterScanner delimiters(bytes, start);
    for (std::size_t position = start; position < bytes.size();) {
        const RecordSpan span = scanRecord(bytes, position, delimiters);
        if (isHeadingField(span.fields[0])) {
            // Inside a package, a record that would read as a heading is no word: leaving it out
            // keeps it from splitting the pool.
            if (headings == Headings::Allowed) {
                addHeading(position, headingName(bytes.substr(position, span.end - position)));
            } else {
                patches_.push_back({static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(span.end - position)});
            }
        } else if (!isEmptyField(span.fields[0]) || !isEmptyField(span.fields[1]) || !isEmptyField(span.fields[2])) {
            const std::optional<int> digit = digitOf(span.fields[3]);
            const auto coefficient = static_cast<std::uint32_t>(digit.value_or(4));
            ++levelCounts_[coefficient];
            words_.push_back({static_cast<std::uint32_t>(position), coefficient, digit ? 1u : 0u});
        }
        position = span.end;
    }
}

std::vector<TestPool::Patch>::const_iterator TestPool::patchAt(std::uint32_t offset) const
{
    return std::lower_bound(patches_.begin(), patches_.end(), offset,
                            [](const Patch& patch, std::uint32_t at) { return patch.offset < at; });
}

TestPool::Patch TestPool::stretchOf(const Word& word) const
{
    if (word.patched != 0) {
        return *patchAt(word.offset);
    }
    const std::string_view rest = std::string_view(bytes_).substr(word.offset);
    DelimiterScanner delimiters(rest, 0);
    return {word.offset, static_cast<std::uint32_t>(scanRecord(rest, 0, delimiters).end)};
}

void TestPool::putPatch(const Patch& patch)
{
    const auto at = patches_.begin() + (patchAt(patch.offset) - patches_.begin());
    if (at != patches_.end() && at->offset == patch.offset) {
        *at = patch;
    } else {
        patches_.insert(at, patch);
    }
}

std::string_view TestPool::wordLine(int index) const
{
    const Patch stretch = stretchOf(words_[static_cast<std::size_t>(index)]);
    return stretch.replacementLength != 0
               ? std::string_view(spill_).substr(stretch.replacementOffset, stretch.replacementLength)
               : std::string_view(bytes_).substr(stretch.offset, stretch.length);
}

WordRecord TestPool::word(int index) const
{
    RecordReader reader(wordLine(index));
    return readWordRecord(reader);
}

const std::string& TestPool::packageOf(int index) const
{
    // The nearest heading above the word.
    const auto after = std::upper_bound(headingOffsets_.begin(), headingOffsets_.end(),
                                        static_cast<std::uint32_t>(words_[static_cast<std::size_t>(index)].offset));
    return after == headingOffsets_.begin() ? kNoPackage
                                            : packageNames_[static_cast<std::size_t>(after - headingOffsets_.begin() - 1)];
}

int TestPool::coefficientOf(int index) const
{
    return static_cast<int>(words_[static_cast<std::size_t>(index)].coefficient);
}

bool TestPool::coefficientWrittenOut(int index) const { return words_[static_cast<std::size_t>(index)].writtenOut != 0; }

int TestPool::nthWordAtLevel(int level, int n) const
{
    for (std::size_t index = 0; index < words_.size(); ++index) {
        if (static_cast<int>(words_[index].coefficient) == level && n-- == 0) {
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
        if (line->size() >= kMaxDataFileBytes) {
            return poolTooLargeMessage();
        }
        change.line = std::move(line.value());
    }
    return change;
}

void TestPool::write(PieceSink& sink, const Change* pending) const
{
    // The pending change is one more patch, taking the place of the word's own.
    Patch pendingStretch{UINT32_MAX, 0, 0, 0};
    std::string_view pendingText;
    if (pending != nullptr) {
        pendingStretch = stretchOf(words_[static_cast<std::size_t>(pending->index)]);
        pendingText = pending->removesWord ? std::string_view() : pending->line ? std::string_view(*pending->line)
                                                                                : wordLine(pending->index);
    }
    const std::string_view bytes = bytes_;
    std::size_t written = 0;
    auto replace = [&](const Patch& stretch, std::string_view text) {
        sink.add(bytes.substr(written, stretch.offset - written));
        sink.add(text);
        written = stretch.offset + stretch.length;
    };
    for (const Patch& patch : patches_) {
        if (pendingStretch.offset < patch.offset) {
            replace(pendingStretch, pendingText);
            pendingStretch.offset = UINT32_MAX;
        }
        if (patch.offset == pendingStretch.offset) {
            continue;  // replaced by the pending change, just above or below
        }
        replace(patch, std::string_view(spill_).substr(patch.replacementOffset, patch.replacementLength));
    }
    if (pendingStretch.offset != UINT32_MAX) {
        replace(pendingStretch, pendingText);
    }
    sink.add(bytes.substr(written));
}

void TestPool::apply(const Change& change)
{
    const auto position = words_.begin() + change.index;
    Word& word = *position;
    Patch stretch = stretchOf(word);
    --levelCounts_[word.coefficient];
    if (change.removesWord) {
        putPatch({stretch.offset, stretch.length, 0, 0});
        words_.erase(position);
        return;
    }
    if (change.line) {
        const std::string& next = *change.line;
        if (word.patched == 0 && next.size() == stretch.length) {
            next.copy(bytes_.data() + stretch.offset, next.size());
        } else if (word.patched != 0 && next.size() == stretch.replacementLength) {
            next.copy(spill_.data() + stretch.replacementOffset, next.size());
        } else {
            stretch.replacementOffset = static_cast<std::uint32_t>(spill_.size());
            stretch.replacementLength = static_cast<std::uint32_t>(next.size());
            spill_ += next;
            putPatch(stretch);
            word.patched = 1;
        }
        word.coefficient = static_cast<std::uint32_t>(*change.coefficient);
        word.writtenOut = 1;
    }
    ++levelCounts_[word.coefficient];
}

}  // namespace lexivo

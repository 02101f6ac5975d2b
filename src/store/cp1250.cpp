#include "store/cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace lexivo {
namespace {

// Unicode code points of the bytes 0x80 to 0xFF; bytes below 0x80 are ASCII.
constexpr std::array<char32_t, 128> kUpperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

struct Reverse {
    char32_t codePoint;
    unsigned char byte;
};

// The upper half sorted by code point, for encoding.
const std::array<Reverse, 128>& reverseTable()
{
    static const std::array<Reverse, 128> table = [] {
        std::array<Reverse, 128> entries{};
        for (std::size_t i = 0; i < 128; ++i) {
            entries[i] = {kUpperHalf[i], static_cast<unsigned char>(0x80 + i)};
        }
        std::sort(entries.begin(), entries.end(),
                  [](const Reverse& a, const Reverse& b) { return a.codePoint < b.codePoint; });
        return entries;
    }();
    return table;
}

std::optional<unsigned char> byteFor(char32_t codePoint)
{
    if (codePoint < 0x80) {
        return static_cast<unsigned char>(codePoint);
    }
    const auto& table = reverseTable();
    auto found = std::lower_bound(table.begin(), table.end(), codePoint,
                                  [](const Reverse& entry, char32_t value) { return entry.codePoint < value; });
    if (found != table.end() && found->codePoint == codePoint) {
        return found->byte;
    }
    return std::nullopt;
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `position` and advances past it; kInvalid for a malformed one.
char32_t nextCodePoint(std::string_view text, std::size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        codePoint = lead & 0x07;
    } else {
        return kInvalid;
    }
    for (int i = 0; i < length; ++i) {
        if (position >= text.size()) {
            return kInvalid;
        }
        const auto next = static_cast<unsigned char>(text[position]);
        if ((next & 0xC0) != 0x80) {
            return kInvalid;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
        ++position;
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return kInvalid;
    }
    return codePoint;
}

}  // namespace

std::string decodeCp1250(std::string_view bytes)
{
    // Most fields are plain ASCII, which reads as it stands.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(bytes);
    }
    // Every character of the upper half takes at most three bytes of UTF-8.
    std::string out(bytes.size() * 3, '\0');
    char* end = out.data();
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            *end++ = c;
            continue;
        }
        const char32_t codePoint = kUpperHalf[byte - 0x80];
        if (codePoint < 0x800) {
            *end++ = static_cast<char>(0xC0 | (codePoint >> 6));
        } else {
            *end++ = static_cast<char>(0xE0 | (codePoint >> 12));
            *end++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        }
        *end++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

Result<std::string> encodeCp1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t position = 0;
    while (position < utf8.size()) {
        const std::size_t start = position;
        const char32_t codePoint = nextCodePoint(utf8, position);
        const auto byte = codePoint == kInvalid ? std::nullopt : byteFor(codePoint);
        if (!byte) {
            return unstorableCharacterMessage(codePoint == kInvalid ? "\uFFFD" : utf8.substr(start, position - start));
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string firstUnstorableCharacter(std::string_view utf8)
{
    std::size_t position = 0;
    while (position < utf8.size()) {
        const std::size_t start = position;
        const char32_t codePoint = nextCodePoint(utf8, position);
        if (codePoint == kInvalid) {
            return "\uFFFD";
        }
        if (!byteFor(codePoint)) {
            return std::string(utf8.substr(start, position - start));
        }
    }
    return {};
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (char c : utf8) {
        // Count every byte that does not continue a sequence.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::string_view firstCharacters(std::string_view utf8, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && seen++ == count) {
            return utf8.substr(0, at);
        }
    }
    return utf8;
}

Message unstorableCharacterMessage(std::string_view character)
{
    return errorMessage("Znak „" + std::string(character) +
                        "“ nelze uložit, protože jej čeština v souborech programu nepodporuje. Použijte jiný znak.");
}

}  // namespace lexivo

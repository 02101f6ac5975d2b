#pragma once
// Windows-1250, the code page of every file and of the web service.
// In memory all text is UTF-8; conversion happens exactly where bytes are read or written.

#include <cstddef>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo {

// Every byte maps to one character: the five bytes that the code page leaves unassigned
// map to the C1 control characters of the same value, so any file survives a round trip.
std::string decodeCp1250(std::string_view bytes);

// Refuses text that is not valid UTF-8 or holds a character the code page cannot store,
// naming the character, instead of storing a substitute.
Result<std::string> encodeCp1250(std::string_view utf8);

// The first character of `utf8` that Windows-1250 cannot hold (or an invalid byte sequence, shown
// as U+FFFD), or an empty string when every character can be stored.
std::string firstUnstorableCharacter(std::string_view utf8);

// The number of characters of a UTF-8 text: what a limit in Windows-1250 bytes counts.
std::size_t characterCount(std::string_view utf8);
// The first `count` characters of a UTF-8 text, counted as `characterCount` counts them.
std::string_view firstCharacters(std::string_view utf8, std::size_t count);

// The message shown when a text cannot be stored.
Message unstorableCharacterMessage(std::string_view character);

}  // namespace lexivo

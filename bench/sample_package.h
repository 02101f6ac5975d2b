#pragma once

// The words of a package as the benchmarks fill it: unsorted, a third with an example sentence,
// every knowledge level.

#include <string>

#include "store/word_record.h"

namespace lexivo::bench {

inline std::string packageOf(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string((i * 7919) % 100000);  // not in sorted order
        (void)writeWordRecord(bytes, {"vocabulary " + n, "slovní zásoba " + n,
                                      i % 3 == 0 ? "A sentence that shows how word " + n + " is used." : "",
                                      std::string(1, static_cast<char>('0' + i % 5))});
    }
    return bytes;
}

}  // namespace lexivo::bench

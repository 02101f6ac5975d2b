#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, a property check that stops
// the run loudly, and a reader that cuts the fuzzer's bytes into the pieces a target needs.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Aborts, so that libFuzzer keeps the input and the replay test fails, naming the property.
#define FUZZ_CHECK(condition)                                                                         \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

namespace lexivo::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Hands out the input front to back; at the end it yields zeros and empty pieces.
class InputReader {
public:
    explicit InputReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t byte()
    {
        if (bytes_.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return value;
    }

    // The bytes up to the next `separator` (which is consumed), or all that is left.
    std::string_view piece(char separator)
    {
        const std::size_t end = bytes_.find(separator);
        const std::string_view piece = bytes_.substr(0, end);
        bytes_.remove_prefix(end == std::string_view::npos ? bytes_.size() : end + 1);
        return piece;
    }

    std::string_view rest() const { return bytes_; }
    bool atEnd() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

}  // namespace lexivo::fuzz

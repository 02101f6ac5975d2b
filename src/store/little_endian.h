#pragma once
// 32-bit integers stored little-endian in the binary records (config, TestInfo).

#include <cstdint>

namespace lexivo {

inline void putLittleEndian32(char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline std::uint32_t getLittleEndian32(const char* at)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
    }
    return value;
}

}  // namespace lexivo

#include "accounts.h"

#include <array>
#include <semaphore>
#include <stdexcept>

#include <sodium.h>

#include "store/cp1250.h"

namespace lexivo::server {
namespace {

constexpr std::size_t kMaxLoginCharacters = 95;
// Two checks at a time keep a burst within two times 64 MB.
std::counting_semaphore<2> passwordChecks(2);

void initialiseSodium()
{
    static const bool initialised = sodium_init() >= 0;
    if (!initialised) {
        throw std::runtime_error("libsodium cannot be initialised");
    }
}

// Small letter of a Windows-1250 byte; other bytes stay as they are.
unsigned char foldByte(unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z') {
        return byte + 0x20;
    }
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {  // Á … Ţ, not ×
        return byte + 0x20;
    }
    switch (byte) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F:  // Š Ś Ť Ž Ź
        return byte + 0x10;
    case 0xA3: return 0xB3;  // Ł
    case 0xA5: return 0xB9;  // Ą
    case 0xAA: return 0xBA;  // Ş
    case 0xAF: return 0xBF;  // Ż
    case 0xBC: return 0xBE;  // Ľ
    default: return byte;
    }
}

}  // namespace

std::string accountKey(std::string_view cp1250Name)
{
    std::string folded(cp1250Name);
    for (char& byte : folded) {
        byte = static_cast<char>(foldByte(static_cast<unsigned char>(byte)));
    }
    return decodeCp1250(folded);
}

std::optional<std::string> loginTextProblem(std::string_view utf8, std::string_view what)
{
    const std::string name(what);
    if (!firstUnstorableCharacter(utf8).empty()) {
        return name + " obsahuje znak, který kódování Windows-1250 nezná.";
    }
    const std::size_t length = characterCount(utf8);
    if (length == 0 || length > kMaxLoginCharacters) {
        return name + " musí mít 1 až 95 znaků.";
    }
    for (char c : utf8) {
        if (c == '#' || c == '|' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return name + " nesmí obsahovat znaky # a | ani řídicí znaky.";
        }
    }
    return std::nullopt;
}

Result<std::string> hashPassword(std::string_view passwordBytes)
{
    initialiseSodium();
    std::array<char, crypto_pwhash_STRBYTES> hash{};
    if (crypto_pwhash_str(hash.data(), passwordBytes.data(), passwordBytes.size(),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        return errorMessage("Na zahašování hesla není dost paměti.");
    }
    return std::string(hash.data());
}

bool verifyPassword(const std::string& hash, std::string_view passwordBytes)
{
    initialiseSodium();
    passwordChecks.acquire();
    const bool matches = crypto_pwhash_str_verify(hash.c_str(), passwordBytes.data(), passwordBytes.size()) == 0;
    passwordChecks.release();
    return matches;
}

const std::string& decoyHash()
{
    static const std::string hash = [] {
        initialiseSodium();
        std::array<unsigned char, 32> secret{};
        randombytes_buf(secret.data(), secret.size());
        Result<std::string> hashed =
            hashPassword(std::string_view(reinterpret_cast<const char*>(secret.data()), secret.size()));
        return hashed ? hashed.value() : std::string();
    }();
    return hash;
}

}  // namespace lexivo::server

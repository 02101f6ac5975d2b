#include "online/server_address.h"

#include <algorithm>

#include "online/server_request.h"
#include "store/file_io.h"

namespace lexivo {
namespace {

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_';
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

}  // namespace

bool isValidServerAddress(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const std::string_view host = text.substr(0, colon);
    if (host.empty() || !std::all_of(host.begin(), host.end(), isHostCharacter)) {
        return false;
    }
    if (colon == std::string_view::npos) {
        return true;
    }
    return parsePort(text.substr(colon + 1)).has_value();
}

ServerAddress loadServerAddress(const std::filesystem::path& programDirectory)
{
    const auto bytes = readFileBytes(programDirectory / kServerFileName);
    if (!bytes) {
        return {};
    }
    // The first line counts; blanks around it are forgiven.
    const std::string_view text = trimmed(std::string_view(*bytes).substr(0, bytes->find('\n')));
    if (text.empty()) {
        return {};
    }
    if (!isValidServerAddress(text)) {
        return ServerAddress{std::string(kDefaultServerAddress),
                             errorMessage("Soubor „server“ v adresáři programu neobsahuje platnou adresu serveru "
                                          "(jméno nebo jméno:port). Použije se " +
                                          std::string(kDefaultServerAddress) + ".")};
    }
    return ServerAddress{std::string(text), std::nullopt};
}

std::string scriptUrl(const ServerAddress& address, std::string_view script)
{
    return address.hostAndPort + std::string(script);
}

Message notOpenedMessage(std::string_view fileOrAddress)
{
    return errorMessage("Nepodařilo se otevřít " + std::string(fileOrAddress) + ".");
}

}  // namespace lexivo

#include "wire_query.h"

#include <array>
#include <charconv>

namespace lexivo::server {
namespace {

constexpr int kMaxTyp = 1000;

struct ScriptPath {
    Script script;
    std::string_view path;
};

constexpr std::array<ScriptPath, 4> kScriptPaths = {{
    {Script::ThematicCatalogue, "/lx/komunikace/lxnettembal.php"},
    {Script::TextbookCatalogue, "/lx/komunikace/lxnetucebnice.php"},
    {Script::FictionCatalogue, "/lx/komunikace/lxnetknihy.php"},
    {Script::Store, "/lx/komunikace/lxnetzasobnik.php"},
}};

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return -1;
}

std::optional<int> parseTyp(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 1 || value > kMaxTyp) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<Script> scriptForPath(std::string_view path)
{
    for (const ScriptPath& entry : kScriptPaths) {
        if (entry.path == path) {
            return entry.script;
        }
    }
    return std::nullopt;
}

std::string_view pathOfScript(Script script)
{
    for (const ScriptPath& entry : kScriptPaths) {
        if (entry.script == script) {
            return entry.path;
        }
    }
    return {};
}

std::string percentDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

ScriptQuery parseQuery(std::string_view query)
{
    ScriptQuery result;
    while (!query.empty()) {
        const std::size_t ampersand = query.find('&');
        const std::string_view pair = query.substr(0, ampersand);
        query = ampersand == std::string_view::npos ? std::string_view{} : query.substr(ampersand + 1);

        const std::size_t equals = pair.find('=');
        const std::string_view name = pair.substr(0, equals);
        const std::string value =
            equals == std::string_view::npos ? std::string{} : percentDecode(pair.substr(equals + 1));
        if (name == "typ") {
            result.typ = parseTyp(value);
        } else if (name == "data") {
            result.data = value;
        } else if (name == "jmeno") {
            result.jmeno = value;
        } else if (name == "heslo") {
            result.heslo = value;
        }
    }
    return result;
}

RequestTarget splitTarget(std::string_view target)
{
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) {
        return {target, {}};
    }
    return {target.substr(0, question), target.substr(question + 1)};
}

}  // namespace lexivo::server

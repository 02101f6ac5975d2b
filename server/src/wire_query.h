#pragma once
// The request target of a script call, as the program sends it:
// "/lx/komunikace/<script>.php?typ=N&data=…&jmeno=…&heslo=…" with Windows-1250 values
// percent-encoded.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lexivo::server {

// The four scripts of the service.
enum class Script { ThematicCatalogue, TextbookCatalogue, FictionCatalogue, Store };

// The script at exactly this path, or nothing for any other path.
std::optional<Script> scriptForPath(std::string_view path);
std::string_view pathOfScript(Script script);

// The four query variables, decoded to their Windows-1250 bytes.
struct ScriptQuery {
    std::optional<int> typ;  // nothing when missing or not a number in 1..1000
    std::string data;
    std::string jmeno;
    std::string heslo;
};

// Decodes "%XX" escapes (either case of hex digit) and "+" as a space, as web forms do.
// A "%" not followed by two hex digits stays as it is.
std::string percentDecode(std::string_view text);

// Splits the query on raw "&" and the first raw "=" of each pair, so encoded "&" and "=" stay
// inside their values. Unknown variables are ignored; a repeated one keeps its last value.
ScriptQuery parseQuery(std::string_view query);

struct RequestTarget {
    std::string_view path;
    std::string_view query;  // without the "?"
};

// Splits at the first "?".
RequestTarget splitTarget(std::string_view target);

}  // namespace lexivo::server

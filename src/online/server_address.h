#pragma once
// Where the web service lives and which scripts it answers. The address is configuration: the
// file `server` in the program directory holds "host" or "host:port"; without it the program
// talks to a server on this machine.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo {

inline constexpr std::string_view kServerFileName = "server";
inline constexpr std::string_view kDefaultServerAddress = "localhost:8080";

inline constexpr std::string_view kThematicScript = "/lx/komunikace/lxnettembal.php";
inline constexpr std::string_view kTextbookScript = "/lx/komunikace/lxnetucebnice.php";
inline constexpr std::string_view kFictionScript = "/lx/komunikace/lxnetknihy.php";
inline constexpr std::string_view kStoreScript = "/lx/komunikace/lxnetzasobnik.php";

// The picture guide to the online part, on the project's own site.
inline constexpr std::string_view kOnlineGuideAddress = "http://www.lexivo.cz/pruvodce/online.html";
// Said when the desktop cannot open a page or a file.
Message notOpenedMessage(std::string_view fileOrAddress);

struct ServerAddress {
    std::string hostAndPort = std::string(kDefaultServerAddress);  // "host" (port 80) or "host:port"
    // Set when the file exists but holds no usable address; the default is used then.
    std::optional<Message> problem;
};

// Reads the address from the program directory's `server` file.
ServerAddress loadServerAddress(const std::filesystem::path& programDirectory);

// "host" or "host:port" with a plain host name (letters, digits, ".", "-", "_") and a port of 1 to 65535.
bool isValidServerAddress(std::string_view text);

// The url of one script on that server, as the request takes it.
std::string scriptUrl(const ServerAddress& address, std::string_view script);

}  // namespace lexivo

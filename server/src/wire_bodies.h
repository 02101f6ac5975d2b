#pragma once
// The reply bodies of the scripts, byte for byte as the program reads them.

#include <string>
#include <vector>

#include "service_store.h"

namespace lexivo::server {

// What a script answers: "1" followed by its payload, or "0" followed by a Czech text that the
// program shows verbatim. Texts are UTF-8 here and Windows-1250 on the wire.
struct ScriptReply {
    bool succeeded = false;
    std::string text;

    static ScriptReply success(std::string payload) { return {true, std::move(payload)}; }
    static ScriptReply refusal(std::string message) { return {false, std::move(message)}; }
};

// The reply as sent. A text the code page cannot hold (never imported, so a fault of the
// server) is answered with a refusal rather than a damaged payload.
std::string replyBytes(const ScriptReply& reply);

// The catalogue tree: "*" area, "#" subgroup, "|" id ";" title for each package, and a final
// "*" that only ends the last title. `entries` are sorted by area, subgroup and title.
std::string catalogueBody(const std::vector<CatalogueEntry>& entries);

// Downloaded packages: a first character the program skips, then for each package its path
// "area#subgroup#title", "*", each word record followed by "~", and "<|>".
std::string packagesBody(const std::vector<CataloguePackage>& packages);

// A store: a first character the program skips, then each word record followed by "~".
std::string storeBody(const std::vector<WordRecord>& words);

}  // namespace lexivo::server

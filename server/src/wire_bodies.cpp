#include "wire_bodies.h"

#include "store/cp1250.h"

namespace lexivo::server {
namespace {

// The first character of a download or store body; the program skips it.
constexpr char kLeadCharacter = '~';
constexpr char kRecordEnd = '~';
constexpr std::string_view kPackageEnd = "<|>";
// A word from the service is new to the learner.
constexpr std::string_view kNewWordKnowledge = "4";

void appendRecord(std::string& body, const WordRecord& word)
{
    body += word.english;
    body += '|';
    body += word.czech;
    body += '|';
    body += word.example;
    body += '|';
    body += kNewWordKnowledge;
    body += kRecordEnd;
}

}  // namespace

std::string replyBytes(const ScriptReply& reply)
{
    Result<std::string> encoded = encodeCp1250(reply.text);
    std::string bytes(1, reply.succeeded && encoded ? '1' : '0');
    bytes += encoded ? encoded.value() : encodeCp1250("Na serveru došlo k chybě. Zkuste to prosím později.").value();
    return bytes;
}

std::string catalogueBody(const std::vector<CatalogueEntry>& entries)
{
    std::string body;
    const CatalogueEntry* previous = nullptr;
    for (const CatalogueEntry& entry : entries) {
        const bool newArea = previous == nullptr || previous->area != entry.area;
        if (newArea) {
            body += '*';
            body += entry.area;
        }
        if (newArea || previous->subgroup != entry.subgroup) {
            body += '#';
            body += entry.subgroup;
        }
        body += '|';
        body += std::to_string(entry.id);
        body += ';';
        body += entry.title;
        previous = &entry;
    }
    body += '*';
    return body;
}

std::string packagesBody(const std::vector<CataloguePackage>& packages)
{
    std::string body(1, kLeadCharacter);
    for (const CataloguePackage& package : packages) {
        body += package.entry.area;
        body += '#';
        body += package.entry.subgroup;
        body += '#';
        body += package.entry.title;
        body += '*';
        for (const WordRecord& word : package.words) {
            appendRecord(body, word);
        }
        body += kPackageEnd;
    }
    return body;
}

std::string storeBody(const std::vector<WordRecord>& words)
{
    std::string body(1, kLeadCharacter);
    for (const WordRecord& word : words) {
        appendRecord(body, word);
    }
    return body;
}

}  // namespace lexivo::server

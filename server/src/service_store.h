#pragma once
// What the scripts need from the service's state: the three catalogues, the accounts and each
// account's store. The scripts see only this interface; the database stands behind it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/result.h"
#include "store/word_record.h"

namespace lexivo::server {

enum class CatalogueKind { Thematic, Textbooks, Fiction };

// A package's place in a catalogue. Texts are UTF-8.
struct CatalogueEntry {
    std::int64_t id = 0;  // stable: a package keeps its id when it is imported again
    std::string area;
    std::string subgroup;
    std::string title;
};

struct CataloguePackage {
    CatalogueEntry entry;
    std::vector<WordRecord> words;  // the knowledge coefficient is not kept
};

struct Account {
    std::int64_t id = 0;
    std::string passwordHash;
};

class ServiceStore {
public:
    virtual ~ServiceStore() = default;

    // Every package of the catalogue, sorted by area, subgroup and title.
    virtual Result<std::vector<CatalogueEntry>> catalogue(CatalogueKind kind) = 0;
    // The package with this id in this catalogue, or nothing when there is none.
    virtual Result<std::optional<CataloguePackage>> package(CatalogueKind kind, std::int64_t id) = 0;
    // The account whose name has this key (see accountKey), or nothing.
    virtual Result<std::optional<Account>> account(const std::string& nameKey) = 0;
    // The words of an account's store in the order they were added.
    virtual Result<std::vector<WordRecord>> storeWords(std::int64_t accountId) = 0;
    virtual Status clearStore(std::int64_t accountId) = 0;
};

}  // namespace lexivo::server

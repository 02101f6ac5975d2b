#include "seeded_service.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "accounts.h"
#include "store/cp1250.h"

namespace lexivo::server::testing {

std::string cp1250(std::string_view utf8)
{
    return encodeCp1250(utf8).value();
}

std::string encodedForQuery(std::string_view utf8)
{
    std::string encoded;
    for (char c : cp1250(utf8)) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '?' || c == '/') {
            encoded += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
            encoded += escape;
        }
    }
    return encoded;
}

SeededService::SeededService()
{
    Result<std::unique_ptr<SqliteStore>> created = SqliteStore::create(databaseFile());
    if (!created) {
        throw std::runtime_error(created.message().text);
    }
    store_ = std::move(created).value();
    const bool seeded =
        store_
            ->importCatalogue(CatalogueKind::Thematic,
                              {{{0, "FOOD", "NÁPOJE", "ALKOHOLICKÉ NÁPOJE"},
                                {{"beer", "pivo", "I'd like a beer.", ""}, {"wine", "víno", "", ""}}},
                               {{0, "FOOD", "OVOCE", "Ovoce"}, {{"apple", "jablko", "", ""}}}})
            .ok() &&
        store_->importCatalogue(CatalogueKind::Textbooks, {{{0, "Angličtina", "Lekce 1", "Pozdravy"},
                                                           {{"hello", "ahoj", "", ""}}}})
            .ok() &&
        store_->addAccount("Petr", accountKey("Petr"), hashPassword(cp1250(kPassword)).value()).ok() &&
        store_->addStoreWords(accountKey("Petr"), {{"cat", "kočka", "The cat sleeps.", ""}}).ok();
    if (!seeded) {
        throw std::runtime_error("cannot seed the database");
    }
    service_ = std::make_unique<ScriptService>(*store_);
}

}  // namespace lexivo::server::testing

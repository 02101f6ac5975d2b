#pragma once
// A service over a fresh database holding a small catalogue and one account, for the tests.

#include <memory>
#include <string>
#include <string_view>

#include "script_service.h"
#include "sqlite_store.h"
#include "support/temp_tree.h"

namespace lexivo::server::testing {

// Thematic: FOOD/NÁPOJE/ALKOHOLICKÉ NÁPOJE (id 1, two words), FOOD/OVOCE/Ovoce (id 2, one word);
// textbooks: Angličtina/Lekce 1/Pozdravy (id 3). Account "Petr" with password "tajné heslo"
// and one word in the store.
class SeededService {
public:
    SeededService();

    std::filesystem::path databaseFile() const { return temp_.root() / "lexivo.db"; }
    SqliteStore& store() { return *store_; }
    ScriptService& service() { return *service_; }

private:
    lexivo::testing::TempTree temp_;
    std::unique_ptr<SqliteStore> store_;
    std::unique_ptr<ScriptService> service_;
};

inline constexpr std::string_view kPassword = "tajné heslo";

// Text as it is sent: UTF-8 to Windows-1250.
std::string cp1250(std::string_view utf8);
// A query value as the program encodes it: letters, digits and ". ? /" stay, every other
// byte of the Windows-1250 text becomes %XX.
std::string encodedForQuery(std::string_view utf8);

}  // namespace lexivo::server::testing

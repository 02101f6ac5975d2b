#pragma once
// The service's state in one SQLite database file: the three catalogues, the accounts with
// their password hashes, and each account's store. Serving threads borrow connections from a
// small pool; the file is in WAL mode, so readers never wait for a writer.

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "service_store.h"
#include "sqlite_db.h"

namespace lexivo::server {

class SqliteStore final : public ServiceStore {
public:
    // Creates a new database file; refuses one that exists already.
    static Result<std::unique_ptr<SqliteStore>> create(const std::filesystem::path& file);
    // Opens a database made by create().
    static Result<std::unique_ptr<SqliteStore>> open(const std::filesystem::path& file);

    Result<std::vector<CatalogueEntry>> catalogue(CatalogueKind kind) override;
    Result<std::optional<CataloguePackage>> package(CatalogueKind kind, std::int64_t id) override;
    Result<std::optional<Account>> account(const std::string& nameKey) override;
    Result<std::vector<WordRecord>> storeWords(std::int64_t accountId) override;
    Status clearStore(std::int64_t accountId) override;

    struct ImportSummary {
        int added = 0;
        int replaced = 0;  // same area, subgroup and title: same id, new words
    };
    // All packages or none, in one transaction.
    Result<ImportSummary> importCatalogue(CatalogueKind kind, const std::vector<CataloguePackage>& packages);

    Status addAccount(const std::string& name, const std::string& nameKey, const std::string& passwordHash);
    // Appends to the store of the account with this key; refuses to go beyond 1000 words.
    // Returns the number of words the store then holds.
    Result<int> addStoreWords(const std::string& nameKey, const std::vector<WordRecord>& words);

    struct ListedPackage {
        CatalogueEntry entry;
        int words = 0;
    };
    Result<std::vector<ListedPackage>> listCatalogue(CatalogueKind kind);
    struct ListedAccount {
        std::string name;
        int storeWords = 0;
    };
    Result<std::vector<ListedAccount>> listAccounts();

private:
    // A pooled connection, given back when it goes out of scope.
    class Lease {
    public:
        Lease(SqliteStore& owner, std::unique_ptr<Connection> connection)
            : owner_(&owner), connection_(std::move(connection))
        {
        }
        Lease(Lease&&) = default;
        ~Lease();
        Connection& operator*() const { return *connection_; }

    private:
        SqliteStore* owner_;
        std::unique_ptr<Connection> connection_;
    };

    explicit SqliteStore(std::filesystem::path file) : file_(std::move(file)) {}
    Result<Lease> lease();
    Result<std::vector<WordRecord>> words(Connection& connection, std::string_view sql, std::int64_t owner);

    std::filesystem::path file_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace lexivo::server

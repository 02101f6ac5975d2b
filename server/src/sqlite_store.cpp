#include "sqlite_store.h"

#include <sys/stat.h>

namespace lexivo::server {
namespace fs = std::filesystem;
namespace {

constexpr int kSchemaVersion = 1;
constexpr std::size_t kMaxIdleConnections = 8;
constexpr int kMaxStoreWords = 1000;

constexpr std::string_view kSchema = R"sql(
CREATE TABLE package (
    id INTEGER PRIMARY KEY AUTOINCREMENT,  -- never reused, so an id always means one package
    catalogue INTEGER NOT NULL,
    area TEXT NOT NULL,
    subgroup TEXT NOT NULL,
    title TEXT NOT NULL,
    UNIQUE (catalogue, area, subgroup, title)
);
CREATE TABLE package_word (
    package INTEGER NOT NULL REFERENCES package (id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    english TEXT NOT NULL,
    czech TEXT NOT NULL,
    example TEXT NOT NULL,
    PRIMARY KEY (package, position)
) WITHOUT ROWID;
CREATE TABLE account (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    name_key TEXT NOT NULL UNIQUE,
    password_hash TEXT NOT NULL  -- Argon2id; the password itself is never stored
);
CREATE TABLE store_word (
    account INTEGER NOT NULL REFERENCES account (id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    english TEXT NOT NULL,
    czech TEXT NOT NULL,
    example TEXT NOT NULL,
    PRIMARY KEY (account, position)
) WITHOUT ROWID;
PRAGMA user_version = 1;
)sql";

std::int64_t catalogueNumber(CatalogueKind kind)
{
    return static_cast<std::int64_t>(kind);
}

}  // namespace

Result<std::unique_ptr<SqliteStore>> SqliteStore::create(const fs::path& file)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(file, error))) {
        return errorMessage("Soubor " + file.string() + " už existuje; databázi nevytvořím přes něj.");
    }
    Result<std::unique_ptr<Connection>> connection = Connection::open(file, Connection::Creation::CreateNew);
    if (!connection) {
        return connection.message();
    }
    // The file holds password hashes: only its owner may read it.
    ::chmod(file.c_str(), S_IRUSR | S_IWUSR);
    // WAL keeps readers and the writer apart and is remembered by the file.
    if (Status wal = (*connection)->execute("PRAGMA journal_mode = WAL"); !wal) {
        return wal.message();
    }
    {
        Transaction transaction(**connection);
        if (!transaction.begun()) {
            return transaction.begun().message();
        }
        if (Status schema = (*connection)->execute(kSchema); !schema) {
            return schema.message();
        }
        if (Status committed = transaction.commit(); !committed) {
            return committed.message();
        }
    }
    std::unique_ptr<SqliteStore> store(new SqliteStore(file));
    store->idle_.push_back(std::move(connection).value());
    return store;
}

Result<std::unique_ptr<SqliteStore>> SqliteStore::open(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return errorMessage("Databáze " + file.string() + " neexistuje. Novou vytvoříte příkazem init.");
    }
    const auto notOurs = [&file](const std::string& reason) {
        return errorMessage("Soubor " + file.string() + " není databáze serveru Lexivo, nebo ji nelze otevřít (" +
                            reason + "). Novou vytvoříte příkazem init.");
    };
    Result<std::unique_ptr<Connection>> connection = Connection::open(file, Connection::Creation::OpenExisting);
    if (!connection) {
        return notOurs(connection.message().text);
    }
    Statement version(**connection, "PRAGMA user_version");
    if (version.step() != Statement::Step::Row || version.integer(0) != kSchemaVersion) {
        return notOurs("neznámá verze");
    }
    std::unique_ptr<SqliteStore> store(new SqliteStore(file));
    store->idle_.push_back(std::move(connection).value());
    return store;
}

SqliteStore::Lease::~Lease()
{
    if (connection_ == nullptr) {
        return;  // moved from
    }
    std::lock_guard lock(owner_->mutex_);
    if (owner_->idle_.size() < kMaxIdleConnections) {
        owner_->idle_.push_back(std::move(connection_));
    }
}

Result<SqliteStore::Lease> SqliteStore::lease()
{
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<Connection> connection = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(connection));
        }
    }
    Result<std::unique_ptr<Connection>> connection = Connection::open(file_, Connection::Creation::OpenExisting);
    if (!connection) {
        return connection.message();
    }
    return Lease(*this, std::move(connection).value());
}

Result<std::vector<CatalogueEntry>> SqliteStore::catalogue(CatalogueKind kind)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement select(**connection, "SELECT id, area, subgroup, title FROM package WHERE catalogue = ?1 "
                                   "ORDER BY area, subgroup, title");
    select.bind(1, catalogueNumber(kind));
    std::vector<CatalogueEntry> entries;
    Statement::Step step;
    while ((step = select.step()) == Statement::Step::Row) {
        entries.push_back({select.integer(0), select.text(1), select.text(2), select.text(3)});
    }
    if (step == Statement::Step::Failed) {
        return (**connection).failure("Katalog nelze přečíst");
    }
    return entries;
}

Result<std::vector<SqliteStore::ListedPackage>> SqliteStore::listCatalogue(CatalogueKind kind)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement select(**connection, "SELECT id, area, subgroup, title, "
                                   "(SELECT count(*) FROM package_word WHERE package = package.id) "
                                   "FROM package WHERE catalogue = ?1 ORDER BY area, subgroup, title");
    select.bind(1, catalogueNumber(kind));
    std::vector<ListedPackage> packages;
    Statement::Step step;
    while ((step = select.step()) == Statement::Step::Row) {
        packages.push_back({{select.integer(0), select.text(1), select.text(2), select.text(3)},
                            static_cast<int>(select.integer(4))});
    }
    if (step == Statement::Step::Failed) {
        return (**connection).failure("Katalog nelze přečíst");
    }
    return packages;
}

Result<std::vector<WordRecord>> SqliteStore::words(Connection& connection, std::string_view sql, std::int64_t owner)
{
    Statement select(connection, sql);
    select.bind(1, owner);
    std::vector<WordRecord> words;
    Statement::Step step;
    while ((step = select.step()) == Statement::Step::Row) {
        words.push_back({select.text(0), select.text(1), select.text(2), ""});
    }
    if (step == Statement::Step::Failed) {
        return connection.failure("Slova nelze přečíst");
    }
    return words;
}

Result<std::optional<CataloguePackage>> SqliteStore::package(CatalogueKind kind, std::int64_t id)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement select(**connection, "SELECT area, subgroup, title FROM package WHERE catalogue = ?1 AND id = ?2");
    select.bind(1, catalogueNumber(kind)).bind(2, id);
    switch (select.step()) {
    case Statement::Step::Done: return std::optional<CataloguePackage>();
    case Statement::Step::Failed: return (**connection).failure("Balíček nelze přečíst");
    case Statement::Step::Row: break;
    }
    CataloguePackage package{{id, select.text(0), select.text(1), select.text(2)}, {}};
    Result<std::vector<WordRecord>> words =
        this->words(**connection,
                    "SELECT english, czech, example FROM package_word WHERE package = ?1 ORDER BY position", id);
    if (!words) {
        return words.message();
    }
    package.words = std::move(words).value();
    return std::optional<CataloguePackage>(std::move(package));
}

Result<std::optional<Account>> SqliteStore::account(const std::string& nameKey)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement select(**connection, "SELECT id, password_hash FROM account WHERE name_key = ?1");
    select.bind(1, nameKey);
    switch (select.step()) {
    case Statement::Step::Done: return std::optional<Account>();
    case Statement::Step::Failed: return (**connection).failure("Účet nelze přečíst");
    case Statement::Step::Row: break;
    }
    return std::optional<Account>(Account{select.integer(0), select.text(1)});
}

Result<std::vector<WordRecord>> SqliteStore::storeWords(std::int64_t accountId)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    return words(**connection, "SELECT english, czech, example FROM store_word WHERE account = ?1 ORDER BY position",
                 accountId);
}

Status SqliteStore::clearStore(std::int64_t accountId)
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement remove(**connection, "DELETE FROM store_word WHERE account = ?1");
    remove.bind(1, accountId);
    return remove.run("Zásobník nelze vyprázdnit");
}

Result<SqliteStore::ImportSummary> SqliteStore::importCatalogue(CatalogueKind kind,
                                                                const std::vector<CataloguePackage>& packages)
{
    Result<Lease> leased = lease();
    if (!leased) {
        return leased.message();
    }
    Connection& connection = **leased;
    Transaction transaction(connection);
    if (!transaction.begun()) {
        return transaction.begun().message();
    }
    ImportSummary summary;
    for (const CataloguePackage& package : packages) {
        const CatalogueEntry& entry = package.entry;
        Statement find(connection,
                       "SELECT id FROM package WHERE catalogue = ?1 AND area = ?2 AND subgroup = ?3 AND title = ?4");
        find.bind(1, catalogueNumber(kind)).bind(2, entry.area).bind(3, entry.subgroup).bind(4, entry.title);
        std::int64_t id = 0;
        switch (find.step()) {
        case Statement::Step::Row: id = find.integer(0); ++summary.replaced; break;
        case Statement::Step::Failed: return connection.failure("Katalog nelze přečíst");
        case Statement::Step::Done: {
            Statement insert(connection, "INSERT INTO package (catalogue, area, subgroup, title) VALUES (?1, ?2, ?3, ?4)");
            insert.bind(1, catalogueNumber(kind)).bind(2, entry.area).bind(3, entry.subgroup).bind(4, entry.title);
            if (Status inserted = insert.run("Balíček nelze uložit"); !inserted) {
                return inserted.message();
            }
            id = connection.lastInsertedId();
            ++summary.added;
        }
        }
        Statement clear(connection, "DELETE FROM package_word WHERE package = ?1");
        clear.bind(1, id);
        if (Status cleared = clear.run("Balíček nelze přepsat"); !cleared) {
            return cleared.message();
        }
        for (std::size_t position = 0; position < package.words.size(); ++position) {
            const WordRecord& word = package.words[position];
            Statement insert(connection, "INSERT INTO package_word (package, position, english, czech, example) "
                                         "VALUES (?1, ?2, ?3, ?4, ?5)");
            insert.bind(1, id).bind(2, static_cast<std::int64_t>(position)).bind(3, word.english);
            insert.bind(4, word.czech).bind(5, word.example);
            if (Status inserted = insert.run("Slovo nelze uložit"); !inserted) {
                return inserted.message();
            }
        }
    }
    if (Status committed = transaction.commit(); !committed) {
        return committed.message();
    }
    return summary;
}

Status SqliteStore::addAccount(const std::string& name, const std::string& nameKey, const std::string& passwordHash)
{
    Result<Lease> leased = lease();
    if (!leased) {
        return leased.message();
    }
    Connection& connection = **leased;
    Transaction transaction(connection);
    if (!transaction.begun()) {
        return transaction.begun();
    }
    Statement find(connection, "SELECT 1 FROM account WHERE name_key = ?1");
    find.bind(1, nameKey);
    switch (find.step()) {
    case Statement::Step::Row: return errorMessage("Uživatel „" + name + "“ už existuje.");
    case Statement::Step::Failed: return connection.failure("Účty nelze přečíst");
    case Statement::Step::Done: break;
    }
    Statement insert(connection, "INSERT INTO account (name, name_key, password_hash) VALUES (?1, ?2, ?3)");
    insert.bind(1, name).bind(2, nameKey).bind(3, passwordHash);
    if (Status inserted = insert.run("Účet nelze uložit"); !inserted) {
        return inserted;
    }
    return transaction.commit();
}

Result<int> SqliteStore::addStoreWords(const std::string& nameKey, const std::vector<WordRecord>& words)
{
    Result<Lease> leased = lease();
    if (!leased) {
        return leased.message();
    }
    Connection& connection = **leased;
    Transaction transaction(connection);
    if (!transaction.begun()) {
        return transaction.begun().message();
    }
    Statement find(connection, "SELECT id, (SELECT count(*) FROM store_word WHERE account = account.id), "
                               "(SELECT coalesce(max(position) + 1, 0) FROM store_word WHERE account = account.id) "
                               "FROM account WHERE name_key = ?1");
    find.bind(1, nameKey);
    switch (find.step()) {
    case Statement::Step::Done: return errorMessage("Takový uživatel neexistuje.");
    case Statement::Step::Failed: return connection.failure("Účty nelze přečíst");
    case Statement::Step::Row: break;
    }
    const std::int64_t accountId = find.integer(0);
    const int count = static_cast<int>(find.integer(1));
    const std::int64_t next = find.integer(2);
    if (count + words.size() > static_cast<std::size_t>(kMaxStoreWords)) {
        return errorMessage("Zásobník by měl víc než 1000 slov (teď jich má " + std::to_string(count) + ").");
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        Statement insert(connection, "INSERT INTO store_word (account, position, english, czech, example) "
                                     "VALUES (?1, ?2, ?3, ?4, ?5)");
        insert.bind(1, accountId).bind(2, next + static_cast<std::int64_t>(i)).bind(3, words[i].english);
        insert.bind(4, words[i].czech).bind(5, words[i].example);
        if (Status inserted = insert.run("Slovo nelze uložit"); !inserted) {
            return inserted.message();
        }
    }
    if (Status committed = transaction.commit(); !committed) {
        return committed.message();
    }
    return count + static_cast<int>(words.size());
}

Result<std::vector<SqliteStore::ListedAccount>> SqliteStore::listAccounts()
{
    Result<Lease> connection = lease();
    if (!connection) {
        return connection.message();
    }
    Statement select(**connection, "SELECT name, (SELECT count(*) FROM store_word WHERE account = account.id) "
                                   "FROM account ORDER BY name_key");
    std::vector<ListedAccount> accounts;
    Statement::Step step;
    while ((step = select.step()) == Statement::Step::Row) {
        accounts.push_back({select.text(0), static_cast<int>(select.integer(1))});
    }
    if (step == Statement::Step::Failed) {
        return (**connection).failure("Účty nelze přečíst");
    }
    return accounts;
}

}  // namespace lexivo::server

#include "sqlite_db.h"

#include <sqlite3.h>

namespace lexivo::server {

Result<std::unique_ptr<Connection>> Connection::open(const std::filesystem::path& file, Creation creation)
{
    sqlite3* db = nullptr;
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (creation == Creation::CreateNew ? SQLITE_OPEN_CREATE : 0);
    const int opened = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    std::unique_ptr<Connection> connection(new Connection(db));
    if (opened != SQLITE_OK) {
        return errorMessage("Databázi " + file.string() + " nelze otevřít: " +
                            (db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(opened)));
    }
    sqlite3_busy_timeout(db, 5000);
    if (Status set = connection->execute("PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;"); !set) {
        return set.message();
    }
    return connection;
}

Connection::~Connection()
{
    sqlite3_close_v2(db_);
}

Status Connection::execute(std::string_view sql)
{
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        return failure("Příkaz databáze selhal");
    }
    return Status::success();
}

Message Connection::failure(std::string_view action) const
{
    return errorMessage(std::string(action) + ": " + sqlite3_errmsg(db_));
}

std::int64_t Connection::lastInsertedId() const
{
    return sqlite3_last_insert_rowid(db_);
}

Statement::Statement(Connection& connection, std::string_view sql) : connection_(connection)
{
    failed_ = sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()), &statement_,
                                 nullptr) != SQLITE_OK;
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

Statement& Statement::bind(int index, std::string_view text)
{
    failed_ = failed_ || sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                                           SQLITE_TRANSIENT) != SQLITE_OK;
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    failed_ = failed_ || sqlite3_bind_int64(statement_, index, value) != SQLITE_OK;
    return *this;
}

Statement::Step Statement::step()
{
    if (failed_) {
        return Step::Failed;
    }
    switch (sqlite3_step(statement_)) {
    case SQLITE_ROW: return Step::Row;
    case SQLITE_DONE: return Step::Done;
    default: failed_ = true; return Step::Failed;
    }
}

Status Statement::run(std::string_view action)
{
    if (step() != Step::Done) {
        return connection_.failure(action);
    }
    return Status::success();
}

std::string Statement::text(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return bytes == nullptr ? std::string() : std::string(bytes, sqlite3_column_bytes(statement_, column));
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

Transaction::Transaction(Connection& connection)
    : connection_(connection), begun_(connection.execute("BEGIN IMMEDIATE"))
{
    open_ = begun_.ok();
}

Transaction::~Transaction()
{
    if (open_) {
        (void)connection_.execute("ROLLBACK");
    }
}

Status Transaction::commit()
{
    open_ = false;
    Status committed = connection_.execute("COMMIT");
    if (!committed) {
        (void)connection_.execute("ROLLBACK");
    }
    return committed;
}

}  // namespace lexivo::server

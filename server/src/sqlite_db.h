#pragma once
// A thin layer over SQLite: an open connection, prepared statements with bound values (the
// only way request text reaches the database), and a transaction that rolls back unless it
// is committed.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "store/result.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lexivo::server {

class Connection {
public:
    enum class Creation { OpenExisting, CreateNew };

    // Opens the file (creating it only with CreateNew) with a busy time-out, foreign keys and
    // full synchronisation, so a committed transaction survives a killed process or a power cut.
    static Result<std::unique_ptr<Connection>> open(const std::filesystem::path& file, Creation creation);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs statements that take no values (schema, pragmas).
    Status execute(std::string_view sql);
    Message failure(std::string_view action) const;
    std::int64_t lastInsertedId() const;
    sqlite3* handle() const { return db_; }

private:
    explicit Connection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

class Statement {
public:
    enum class Step { Row, Done, Failed };

    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binding starts at index 1; a failed prepare or bind makes step() fail.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Step step();
    // Steps a statement that yields no rows.
    Status run(std::string_view action);

    std::string text(int column) const;
    std::int64_t integer(int column) const;

private:
    Connection& connection_;
    sqlite3_stmt* statement_ = nullptr;
    bool failed_ = false;
};

class Transaction {
public:
    // Begins an immediate transaction (the write lock is taken at once, so it never has to
    // be retried halfway).
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const Status& begun() const { return begun_; }
    Status commit();

private:
    Connection& connection_;
    Status begun_;
    bool open_ = false;
};

}  // namespace lexivo::server

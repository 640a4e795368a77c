#pragma once

#include "store/StoreError.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// Named parameters of a statement, written ":Name" in the SQL text. Values are bound, never pasted into the text.
using Params = QVector<std::pair<QString, QVariant>>;

class Database;

// One prepared statement; finalised when it goes out of scope, also on an error.
class Statement
{
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(const QString& name, const QVariant& value);
    void bindAll(const Params& params);
    bool step(); // true while a row is available
    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// The one connection to the store: the four table files of the database folder attached to one SQLite connection,
// plus the in-memory database "Memory" that windows use for their temporary tables.
class Database
{
public:
    static constexpr int LockRetries = 15;
    static constexpr int LockWaitMs = 100;

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the table files of `folder` (which must exist); a missing table file is created with its empty table.
    void connect(const QString& folder);
    void disconnect();
    bool isConnected() const { return m_db != nullptr; }
    const QString& folder() const { return m_folder; }

    // Runs a statement that returns no rows; returns the number of rows changed.
    int exec(const QString& sql, const Params& params = {});
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const Params& params = {});
    // A new key for `table`: positive and unique in the whole table. Call inside the writing transaction.
    qint64 newKey(const QString& table, const QString& keyField);

    sqlite3* handle() const;
    // Throws the store's own message for a failed call that returned `code`.
    [[noreturn]] void raise(int code) const;

private:
    sqlite3* m_db = nullptr;
    QString m_folder;
};

// Writes that belong together: BEGIN IMMEDIATE on construction, ROLLBACK on destruction unless committed.
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    bool m_done = false;
};

#include "store/Database.h"

#include "store/RussianCollation.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

struct TableFile
{
    const char* schema;
    const char* file;
    const char* ddl;
};

// Each table file holds its one table. Text fields carry the Russian collation, so that ORDER BY on them sorts
// Cyrillic text alphabetically; dates are ISO text (YYYY-MM-DD), which sorts by date; booleans are 0/1.
// The key fields are INTEGER PRIMARY KEY, which is their unique index.
const TableFile kTables[] = {
    {"main", "DB.DAT",
     "CREATE TABLE IF NOT EXISTS main.DB (DB_ID INTEGER PRIMARY KEY, DB_Name TEXT COLLATE RU NOT NULL DEFAULT '',"
     " Password BLOB NOT NULL DEFAULT x'')"},
    {"GroupDb", "Group.DAT",
     "CREATE TABLE IF NOT EXISTS GroupDb.\"GROUP\" (Group_ID INTEGER PRIMARY KEY, DB_ID INTEGER NOT NULL,"
     " Group_Name TEXT COLLATE RU NOT NULL DEFAULT '', Date_Test TEXT, Comments TEXT COLLATE RU NOT NULL DEFAULT '');"
     "CREATE INDEX IF NOT EXISTS GroupDb.GROUP_DB_ID ON \"GROUP\" (DB_ID)"},
    {"UserDb", "User.DAT",
     "CREATE TABLE IF NOT EXISTS UserDb.USER (Men_ID INTEGER PRIMARY KEY, Group_ID INTEGER NOT NULL,"
     " NumberInList INTEGER NOT NULL DEFAULT 0, FIO TEXT COLLATE RU NOT NULL DEFAULT '',"
     " IsMember BOOLEAN NOT NULL DEFAULT 0, IsExpert BOOLEAN NOT NULL DEFAULT 0,"
     " Comments TEXT COLLATE RU NOT NULL DEFAULT '', IsMemberN SMALLINT NOT NULL DEFAULT 0,"
     " IsExpertN SMALLINT NOT NULL DEFAULT 0);"
     "CREATE INDEX IF NOT EXISTS UserDb.USER_Group_ID ON USER (Group_ID)"},
    {"TestDb", "Test.DAT",
     "CREATE TABLE IF NOT EXISTS TestDb.TEST (ID_Group INTEGER NOT NULL, ID_Test INTEGER NOT NULL,"
     " ID_Men INTEGER NOT NULL, Ball_C INTEGER, Ball_M INTEGER);"
     "CREATE INDEX IF NOT EXISTS TestDb.TEST_Group_Test ON TEST (ID_Group, ID_Test);"
     "CREATE INDEX IF NOT EXISTS TestDb.TEST_ID_Test ON TEST (ID_Test)"},
};

// Another copy of the program may hold a lock on a table file: wait for it a limited number of times.
int busyHandler(void*, int attempts)
{
    if (attempts >= Database::LockRetries)
        return 0;
    sqlite3_sleep(Database::LockWaitMs);
    return 1;
}

} // namespace

Statement::Statement(Database& db, const QString& sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        db.raise(rc);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(const QString& name, const QVariant& value)
{
    const QByteArray key = (name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name).toUtf8();
    const int index = sqlite3_bind_parameter_index(m_stmt, key.constData());
    if (index == 0)
        return; // the statement does not use this parameter
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate:
            rc = sqlite3_bind_text(m_stmt, index, value.toDate().toString(Qt::ISODate).toUtf8().constData(), -1,
                                   SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        m_db.raise(rc);
}

void Statement::bindAll(const Params& params)
{
    for (const auto& [name, value] : params)
        bind(name, value);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db.raise(rc);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                          sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(m_stmt, column);
        return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return QVariant();
    }
}

Database::~Database()
{
    disconnect();
}

void Database::connect(const QString& folder)
{
    disconnect();
    const QDir dir(folder);
    if (!dir.exists())
        throw StoreError(QStringLiteral("Folder does not exist: %1").arg(QDir::toNativeSeparators(folder)));

    const QByteArray mainPath = dir.absoluteFilePath(QString::fromLatin1(kTables[0].file)).toUtf8();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(mainPath.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_db = db; // set even on failure, so that disconnect() releases the handle
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        disconnect();
        throw StoreError(message);
    }
    try {
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_handler(m_db, &busyHandler, nullptr);
        RussianCollation::registerOn(m_db);
        for (const TableFile& table : kTables) {
            if (qstrcmp(table.schema, "main") != 0) {
                exec(QStringLiteral("ATTACH DATABASE :path AS %1").arg(QString::fromLatin1(table.schema)),
                     {{QStringLiteral("path"), dir.absoluteFilePath(QString::fromLatin1(table.file))}});
            }
            char* error = nullptr;
            if (sqlite3_exec(m_db, table.ddl, nullptr, nullptr, &error) != SQLITE_OK) {
                const QString message = QString::fromUtf8(error);
                sqlite3_free(error);
                throw StoreError(message);
            }
        }
        exec(QStringLiteral("ATTACH DATABASE ':memory:' AS Memory"));
    } catch (...) {
        disconnect();
        throw;
    }
    m_folder = dir.absolutePath();
}

void Database::disconnect()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_folder.clear();
}

sqlite3* Database::handle() const
{
    if (!m_db)
        throw StoreError(QStringLiteral("Database is not connected"));
    return m_db;
}

void Database::raise(int code) const
{
    // The connection's message describes its last failed call, with details such as the missing table's name.
    throw StoreError(QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code)));
}

int Database::exec(const QString& sql, const Params& params)
{
    Statement statement(*this, sql);
    statement.bindAll(params);
    while (statement.step()) {
    }
    return sqlite3_changes(handle());
}

QVariant Database::scalar(const QString& sql, const Params& params)
{
    Statement statement(*this, sql);
    statement.bindAll(params);
    return statement.step() ? statement.value(0) : QVariant();
}

qint64 Database::newKey(const QString& table, const QString& keyField)
{
    // Names come from the program's own constants, never from user input.
    const QVariant max = scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(keyField, table));
    const qint64 key = max.isNull() ? 1 : max.toLongLong() + 1;
    return key < 1 ? 1 : key;
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (const StoreError&) {
            // The transaction is already gone (SQLite rolls back on some errors by itself).
        }
    }
}

void Transaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

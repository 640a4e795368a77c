#pragma once

#include <QByteArray>
#include <QString>

class Database;

// Writing the rows of table DB: logical databases with their name and scrambled password.
namespace DbRecords {
// Appends a logical database and returns its new key.
qint32 create(Database& db, const QString& name, const QByteArray& storedPassword);
void update(Database& db, qint32 dbId, const QString& name, const QByteArray& storedPassword);
// Removes the logical database with its groups, their members and their score rows, all or nothing.
void remove(Database& db, qint32 dbId);
} // namespace DbRecords

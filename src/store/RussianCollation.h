#pragma once

#include <QString>

struct sqlite3;

// The Russian collation "RU" (ICU, locale "ru") on a connection: Cyrillic text sorts alphabetically, which
// SQLite's own BINARY and NOCASE collations cannot do.
namespace RussianCollation {
void registerOn(sqlite3* db);
// Compares two texts as the collation does: negative, zero or positive.
int compare(const QString& a, const QString& b);
} // namespace RussianCollation

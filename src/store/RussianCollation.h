#pragma once

struct sqlite3;

// The Russian collation "RU" (ICU) on a connection: Cyrillic text sorts alphabetically, which
// SQLite's own BINARY and NOCASE collations cannot do.
namespace RussianCollation {
void registerOn(sqlite3* db);
} // namespace RussianCollation

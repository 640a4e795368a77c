#include "store/RussianCollation.h"

#include "store/StoreError.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

namespace {

UCollator* openCollator()
{
    // The common ordering, in which Latin letters come before Cyrillic ones, with Ё as a letter of its own between
    // Е and Ж, as in the alphabet (ICU's own "ru" puts Cyrillic first and treats Ё as an accented Е).
    static const UChar rules[] = u"&е<ё<<<Ё";
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    UCollator* collator = ucol_openRules(rules, -1, UCOL_DEFAULT, UCOL_DEFAULT_STRENGTH, &parseError, &status);
    if (U_FAILURE(status))
        throw StoreError(
            QStringLiteral("Cannot open the Russian collation: %1").arg(QString::fromLatin1(u_errorName(status))));
    return collator;
}

int compareUtf16(void* collator, int lengthA, const void* a, int lengthB, const void* b)
{
    // SQLite hands UTF-16 in the machine's byte order, as registered below; lengths are in bytes.
    const UCollationResult result = ucol_strcoll(static_cast<UCollator*>(collator), static_cast<const UChar*>(a),
                                                 lengthA / 2, static_cast<const UChar*>(b), lengthB / 2);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

void closeCollator(void* collator)
{
    ucol_close(static_cast<UCollator*>(collator));
}

} // namespace

namespace RussianCollation {

void registerOn(sqlite3* db)
{
    UCollator* collator = openCollator();
    const int rc = sqlite3_create_collation_v2(db, "RU", SQLITE_UTF16, collator, &compareUtf16, &closeCollator);
    if (rc != SQLITE_OK) {
        ucol_close(collator);
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

} // namespace RussianCollation

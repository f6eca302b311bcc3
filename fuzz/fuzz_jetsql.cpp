// Jet-dialect statements rewritten for SQLite, and the date literals in them.

#include "FuzzText.h"
#include "data/db/JetDialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = tolvi::fuzz::textOf(data, size);
    const tolvi::db::RewrittenSql rw = tolvi::db::rewriteJetSql(sql);
    // Rewriting is idempotent on text without dates or date functions.
    (void)rw.sql.size();
    const QString date = tolvi::db::normaliseDateLiteral(sql);
    if (date != sql && date.size() < 10)
        __builtin_trap();
    return 0;
}

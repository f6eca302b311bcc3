#include "data/db/SheetTables.h"

#include "data/db/DbError.h"

#include <cstdlib>
#include <cstring>
#include <sqlcipher/sqlite3.h>

namespace tolvi::db {
namespace {

struct SheetVtab {
    sqlite3_vtab base{};
    const SheetTables::Source* source = nullptr;
};

struct SheetCursor {
    sqlite3_vtab_cursor base{};
    size_t row = 0;
};

const SheetTables::Source* sourceOf(sqlite3_vtab* vtab) {
    return reinterpret_cast<SheetVtab*>(vtab)->source;
}

int connectOrCreate(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out,
                    char** error, bool create) {
    const auto* tables = static_cast<const SheetTables*>(aux);
    const SheetTables::Source* source = argc == 4 ? tables->source(argv[3], create) : nullptr;
    if (!source) {
        *error = sqlite3_mprintf("%s", "workbook sheet tables are made by the program only");
        return SQLITE_ERROR;
    }
    QStringList quoted;
    for (const QString& name : source->names)
        quoted.append(QLatin1Char('"') +
                      QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                      QLatin1Char('"'));
    const QByteArray declaration =
        (QStringLiteral("CREATE TABLE x(") + quoted.join(QLatin1Char(',')) + QLatin1Char(')'))
            .toUtf8();
    const int rc = sqlite3_declare_vtab(db, declaration.constData());
    if (rc != SQLITE_OK)
        return rc;
    auto* vtab = new SheetVtab;
    vtab->source = source;
    *out = &vtab->base;
    return SQLITE_OK;
}

int xCreate(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out,
            char** error) {
    return connectOrCreate(db, aux, argc, argv, out, error, true);
}

int xConnect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out,
             char** error) {
    return connectOrCreate(db, aux, argc, argv, out, error, false);
}

int xBestIndex(sqlite3_vtab* vtab, sqlite3_index_info* info) {
    // Only full scans; SQLite applies every condition itself.
    const auto rows = static_cast<double>(sourceOf(vtab)->sheet.rows.size());
    info->estimatedCost = rows + 1;
    info->estimatedRows = static_cast<sqlite3_int64>(rows);
    return SQLITE_OK;
}

int xDisconnect(sqlite3_vtab* vtab) {
    delete reinterpret_cast<SheetVtab*>(vtab);
    return SQLITE_OK;
}

int xOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
    *out = &(new SheetCursor)->base;
    return SQLITE_OK;
}

int xClose(sqlite3_vtab_cursor* cursor) {
    delete reinterpret_cast<SheetCursor*>(cursor);
    return SQLITE_OK;
}

int xFilter(sqlite3_vtab_cursor* cursor, int, const char*, int, sqlite3_value**) {
    reinterpret_cast<SheetCursor*>(cursor)->row = 0;
    return SQLITE_OK;
}

int xNext(sqlite3_vtab_cursor* cursor) {
    ++reinterpret_cast<SheetCursor*>(cursor)->row;
    return SQLITE_OK;
}

int xEof(sqlite3_vtab_cursor* cursor) {
    const auto* c = reinterpret_cast<SheetCursor*>(cursor);
    return c->row >= sourceOf(c->base.pVtab)->sheet.rows.size() ? 1 : 0;
}

// The same storage classes as binding the value to a statement.
int xColumn(sqlite3_vtab_cursor* cursor, sqlite3_context* ctx, int column) {
    const auto* c = reinterpret_cast<SheetCursor*>(cursor);
    const SheetTables::Source* source = sourceOf(c->base.pVtab);
    const QList<QVariant>& row = source->sheet.rows.at(c->row);
    const int from = source->columns.value(column, -1);
    if (from < 0 || from >= row.size()) { // a short row reads as NULL
        sqlite3_result_null(ctx);
        return SQLITE_OK;
    }
    const QVariant& v = row.at(from);
    if (v.isNull() || !v.isValid()) {
        sqlite3_result_null(ctx);
        return SQLITE_OK;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_result_int64(ctx, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_result_double(ctx, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_result_blob(ctx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QString: {
        const auto* s = static_cast<const QString*>(v.constData());
        sqlite3_result_text16(ctx, s->utf16(), static_cast<int>(s->size() * 2), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QString s = v.toString();
        sqlite3_result_text16(ctx, s.utf16(), static_cast<int>(s.size() * 2), SQLITE_TRANSIENT);
        break;
    }
    }
    return SQLITE_OK;
}

int xRowid(sqlite3_vtab_cursor* cursor, sqlite3_int64* rowid) {
    *rowid = static_cast<sqlite3_int64>(reinterpret_cast<SheetCursor*>(cursor)->row) + 1;
    return SQLITE_OK;
}

sqlite3_module makeModule() {
    sqlite3_module m{};
    m.iVersion = 1;
    m.xCreate = xCreate;
    m.xConnect = xConnect;
    m.xBestIndex = xBestIndex;
    m.xDisconnect = xDisconnect;
    m.xDestroy = xDisconnect;
    m.xOpen = xOpen;
    m.xClose = xClose;
    m.xFilter = xFilter;
    m.xNext = xNext;
    m.xEof = xEof;
    m.xColumn = xColumn;
    m.xRowid = xRowid;
    return m;
}

const sqlite3_module kModule = makeModule();

} // namespace

void SheetTables::install(sqlite3* db, SheetTables* tables) {
    sqlite3_create_module(db, "tolvi_sheet", &kModule, tables);
}

const SheetTables::Source* SheetTables::source(const char* arg, bool create) const {
    if (create && !creating_)
        return nullptr;
    char* end = nullptr;
    const unsigned long index = std::strtoul(arg ? arg : "", &end, 10);
    if (!arg || end == arg || *end != '\0' || index >= sources_.size())
        return nullptr;
    return sources_[index].get();
}

void SheetTables::create(sqlite3* db, const QString& target, ExternalTable sheet,
                         const QList<int>& columns, const QStringList& names) {
    auto source = std::make_unique<Source>();
    source->sheet = std::move(sheet);
    source->columns = columns;
    source->names = names;
    const size_t index = sources_.size();
    sources_.push_back(std::move(source));
    const QByteArray sql = QStringLiteral("CREATE VIRTUAL TABLE %1 USING tolvi_sheet(%2)")
                               .arg(target)
                               .arg(index)
                               .toUtf8();
    creating_ = true;
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error);
    creating_ = false;
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw DbError(text);
    }
}

} // namespace tolvi::db

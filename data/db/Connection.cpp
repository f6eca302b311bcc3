#include "data/db/Connection.h"

#include "data/db/JetDialect.h"
#include "data/db/SheetTables.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <sqlcipher/sqlite3.h>

namespace tolvi::db {
namespace {

ExternalTableLoader& externalLoader() {
    static ExternalTableLoader loader;
    return loader;
}

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Statement that finalizes itself.
struct Stmt {
    sqlite3_stmt* s = nullptr;
    ~Stmt() { sqlite3_finalize(s); }
};

void dateFunction(sqlite3_context* ctx, int, sqlite3_value**) {
    const QByteArray t = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    sqlite3_result_text(ctx, t.constData(), t.size(), SQLITE_TRANSIENT);
}

void nowFunction(sqlite3_context* ctx, int, sqlite3_value**) {
    const QByteArray t =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
    sqlite3_result_text(ctx, t.constData(), t.size(), SQLITE_TRANSIENT);
}

// Parts of a stored date text "yyyy-mm-dd[ hh:mm:ss]"; which: 0 year, 1 month, 2 day.
void datePart(sqlite3_context* ctx, sqlite3_value* v, int which) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    const QString s = normaliseDateLiteral(QString::fromUtf8(text ? text : ""));
    static const QRegularExpression re(QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2}))"));
    const auto m = re.match(s);
    if (!m.hasMatch()) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, m.captured(which + 1).toInt());
}

void yearFunction(sqlite3_context* c, int, sqlite3_value** v) {
    datePart(c, v[0], 0);
}
void monthFunction(sqlite3_context* c, int, sqlite3_value** v) {
    datePart(c, v[0], 1);
}
void dayFunction(sqlite3_context* c, int, sqlite3_value** v) {
    datePart(c, v[0], 2);
}

void bindAll(sqlite3_stmt* s, const QList<QVariant>& values) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        const int idx = i + 1;
        if (v.isNull() || !v.isValid()) {
            sqlite3_bind_null(s, idx);
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(s, idx, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(s, idx, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob(s, idx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(s, idx, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
}

QVariant columnValue(sqlite3_stmt* s, int col) {
    switch (sqlite3_column_type(s, col)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(s, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, col));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, col)),
                              sqlite3_column_bytes(s, col)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, col)),
                                   sqlite3_column_bytes(s, col)));
    default:
        return QVariant();
    }
}

bool onlyBlanksOrSemicolons(const char* tail) {
    for (; tail && *tail; ++tail)
        if (*tail != ';' && !QChar::isSpace(static_cast<unsigned char>(*tail)))
            return false;
    return true;
}

// The one table of a plain, editable select, or empty.
QString editableTable(const QString& sql) {
    static const QRegularExpression plain(
        QStringLiteral(
            R"(^\s*select\s+(.+?)\s+from\s+(\[[^\]]+\]|"[^"]+"|[A-Za-z_][A-Za-z0-9_]*)\s*(?:$|;|where\b|order\s+by\b))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = plain.match(sql);
    if (!m.hasMatch())
        return {};
    const QString columns = m.captured(1);
    if (columns.contains(QLatin1Char('(')) ||
        columns.trimmed().startsWith(QLatin1String("distinct"), Qt::CaseInsensitive))
        return {};
    static const QRegularExpression grouped(QStringLiteral(R"(\b(group\s+by|union|join)\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (grouped.match(sql).hasMatch())
        return {};
    QString table = m.captured(2);
    if (table.startsWith(QLatin1Char('[')) || table.startsWith(QLatin1Char('"')))
        table = table.mid(1, table.size() - 2);
    return table;
}

} // namespace

QList<std::pair<QString, QString>> parseConnectionString(const QString& text) {
    QList<std::pair<QString, QString>> out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed().toLower();
        qsizetype j = eq + 1;
        while (j < n && text.at(j) == QLatin1Char(' '))
            ++j;
        QString value;
        if (j < n && (text.at(j) == QLatin1Char('"') || text.at(j) == QLatin1Char('\''))) {
            const QChar q = text.at(j);
            qsizetype k = j + 1;
            while (k < n) {
                if (text.at(k) == q) {
                    if (k + 1 < n && text.at(k + 1) == q) {
                        value += q;
                        k += 2;
                        continue;
                    }
                    break;
                }
                value += text.at(k++);
            }
            j = k + 1;
            const qsizetype semi = text.indexOf(QLatin1Char(';'), j);
            i = semi < 0 ? n : semi + 1;
        } else {
            const qsizetype semi = text.indexOf(QLatin1Char(';'), j);
            value = text.mid(j, (semi < 0 ? n : semi) - j).trimmed();
            i = semi < 0 ? n : semi + 1;
        }
        if (!key.isEmpty())
            out.append({key, value});
    }
    return out;
}

Connection::Connection(QObject* parent)
    : QObject(parent), sheets_(std::make_unique<SheetTables>()) {}

Connection::~Connection() {
    if (db_) {
        finalizeBound();
        sqlite3_close(db_);
    }
}

void Connection::setExternalTableLoader(ExternalTableLoader loader) {
    externalLoader() = std::move(loader);
}

void Connection::open(const QString& connectionString) {
    QString source, password;
    for (const auto& [key, value] : parseConnectionString(connectionString)) {
        if (key == QLatin1String("data source"))
            source = value;
        else if (key == QLatin1String("jet oledb:database password"))
            password = value;
    }
    if (source.isEmpty())
        throw DbError(QStringLiteral("连接字符串中没有指定数据库文件（Data Source）。"));
    openFile(source, password);
}

void Connection::openFile(const QString& path, const QString& password) {
    close();
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists() || !info.isFile())
        throw DbError(QStringLiteral("找不到数据库文件“%1”。").arg(shown));
    if (info.size() == 0)
        throw DbError(QStringLiteral("“%1”不是本程序的数据库文件（文件为空）。").arg(shown));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(info.absoluteFilePath()).constData(), &db,
                             SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(QStringLiteral("无法打开数据库文件“%1”：%2").arg(shown, why));
    }
    const QByteArray key = password.toUtf8();
    sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    // A wrong key shows only at the first read.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = rc;
        const QString why = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        if (code == SQLITE_NOTADB)
            throw DbError(
                QStringLiteral("数据库密码不正确，或“%1”不是本程序的数据库文件。").arg(shown));
        throw DbError(QStringLiteral("无法打开数据库文件“%1”：%2").arg(shown, why));
    }
    db_ = db;
    path_ = info.absoluteFilePath();
    sqlite3_busy_timeout(db_, 3000);
    sqlite3_exec(db_, "PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    registerFunctions();
    Q_EMIT opened();
}

void Connection::createFile(const QString& path, const QString& password) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("文件“%1”已存在。").arg(QDir::toNativeSeparators(path)));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray key = password.toUtf8();
        sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
        rc = sqlite3_exec(db, "CREATE TABLE __probe(x); DROP TABLE __probe;", nullptr, nullptr,
                          nullptr);
    }
    const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("无法创建数据库文件“%1”：%2").arg(path, why));
}

void Connection::close() {
    if (!db_)
        return;
    Q_EMIT aboutToClose();
    finalizeBound();
    sqlite3_close(db_);
    db_ = nullptr;
}

void Connection::requireOpen() const {
    if (!db_)
        throw DbError(QStringLiteral("数据库连接已关闭。"));
}

QString Connection::errorText() const {
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

void Connection::registerFunctions() {
    SheetTables::install(db_, sheets_.get());
    const int flags = SQLITE_UTF8;
    sqlite3_create_function(db_, "Date", 0, flags, nullptr, dateFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "Now", 0, flags, nullptr, nowFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "jet_year", 1, flags | SQLITE_DETERMINISTIC, nullptr, yearFunction,
                            nullptr, nullptr);
    sqlite3_create_function(db_, "jet_month", 1, flags | SQLITE_DETERMINISTIC, nullptr,
                            monthFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "jet_day", 1, flags | SQLITE_DETERMINISTIC, nullptr, dayFunction,
                            nullptr, nullptr);
}

void Connection::attachWorkbooks(const QString& jetSql, QStringList* attached) {
    const RewrittenSql rw = rewriteJetSql(jetSql);
    for (const WorkbookRef& ref : rw.workbooks) {
        if (attached->contains(ref.schema, Qt::CaseInsensitive))
            continue;
        if (!externalLoader())
            throw DbError(QStringLiteral("无法读取外部工作簿：%1").arg(ref.path));
        QString sheet = ref.table;
        if (sheet.endsWith(QLatin1Char('$')))
            sheet.chop(1);
        // A column is named in the statement by its trimmed title, or F1, F2...
        // when it has none; a repeated title's "_2" name contains the title.
        const auto columnName = [](int c, const QString& title) {
            const QString name = title.trimmed();
            return name.isEmpty() ? QStringLiteral("F%1").arg(c + 1) : name;
        };
        const bool star = jetSql.contains(QLatin1Char('*'));
        const ColumnFilter wanted = [&](int c, const QString& title) {
            return star || jetSql.contains(columnName(c, title), Qt::CaseInsensitive);
        };
        ExternalTable table = externalLoader()(ref.path, sheet, wanted);
        execBound(QStringLiteral("ATTACH DATABASE ':memory:' AS ") + quoteIdent(ref.schema), {});
        attached->append(ref.schema);
        QStringList names;
        for (int c = 0; c < table.columns.size(); ++c) {
            const QString name = columnName(c, table.columns.at(c));
            QString unique = name;
            for (int k = 2; names.contains(unique, Qt::CaseInsensitive); ++k)
                unique = name + QStringLiteral("_%1").arg(k);
            names.append(unique);
        }
        // Only the columns the statement can name are copied in (all of them
        // for a "*").
        QList<int> keep;
        for (int c = 0; c < names.size(); ++c)
            if (star || jetSql.contains(names.at(c), Qt::CaseInsensitive))
                keep.append(c);
        if (keep.isEmpty())
            for (int c = 0; c < names.size(); ++c)
                keep.append(c);
        const QString target = quoteIdent(ref.schema) + QLatin1Char('.') + quoteIdent(ref.table);
        if (names.isEmpty()) {
            execBound(QStringLiteral("CREATE TABLE %1 ()").arg(target), {});
            continue;
        }
        QStringList keptNames;
        for (int c : keep)
            keptNames.append(names.at(c));
        // The statement reads the sheet where it lies; nothing is copied.
        sheets_->create(db_, target, std::move(table), keep, keptNames);
    }
}

void Connection::detach(const QStringList& attached) {
    bool all = true;
    for (const QString& schema : attached) {
        const QByteArray sql = (QStringLiteral("DETACH DATABASE ") + quoteIdent(schema)).toUtf8();
        all = sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK && all;
    }
    // A sheet table still attached keeps reading its rows.
    if (all)
        sheets_->clear();
}

int Connection::exec(const QString& jetSql) {
    requireOpen();
    QStringList attached;
    struct Detacher {
        Connection* c;
        QStringList* a;
        ~Detacher() { c->detach(*a); }
    } detacher{this, &attached};
    attachWorkbooks(jetSql, &attached);
    const QByteArray sql = rewriteJetSql(jetSql).sql.toUtf8();
    Stmt st;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &st.s, &tail) !=
        SQLITE_OK)
        throw DbError(errorText());
    if (!onlyBlanksOrSemicolons(tail))
        throw DbError(QStringLiteral("一次只能执行一条语句。"));
    if (!st.s)
        return 0;
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throw DbError(errorText());
    return sqlite3_changes(db_);
}

void Connection::query(const QString& jetSql, bool editable, QStringList* columns, QString* table,
                       const std::function<void(sqlite3_stmt*, int first)>& onRow) {
    requireOpen();
    QStringList attached;
    struct Detacher {
        Connection* c;
        QStringList* a;
        ~Detacher() { c->detach(*a); }
    } detacher{this, &attached};
    attachWorkbooks(jetSql, &attached);
    QString sql = rewriteJetSql(jetSql).sql;
    bool withRowid = false;
    if (editable) {
        *table = editableTable(sql);
        if (!table->isEmpty()) {
            static const QRegularExpression head(QStringLiteral(R"(^\s*select\s+)"),
                                                 QRegularExpression::CaseInsensitiveOption);
            const auto m = head.match(sql);
            sql = QStringLiteral("select %1.rowid AS __rowid__, ").arg(quoteIdent(*table)) +
                  sql.mid(m.capturedEnd());
            withRowid = true;
        }
    }
    const QByteArray utf8 = sql.toUtf8();
    Stmt st;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &st.s, &tail) !=
        SQLITE_OK) {
        if (!withRowid)
            throw DbError(errorText());
        // Not a plain table select after all: run it as written, read-only.
        table->clear();
        query(jetSql, false, columns, table, onRow);
        return;
    }
    if (!onlyBlanksOrSemicolons(tail))
        throw DbError(QStringLiteral("一次只能执行一条语句。"));
    if (!st.s)
        return;
    const int count = sqlite3_column_count(st.s);
    const int first = withRowid ? 1 : 0;
    for (int c = first; c < count; ++c)
        columns->append(QString::fromUtf8(sqlite3_column_name(st.s, c)));
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW)
        onRow(st.s, first);
    if (rc != SQLITE_DONE)
        throw DbError(errorText());
}

ResultSet Connection::select(const QString& jetSql, bool editable) {
    ResultSet result;
    query(jetSql, editable, &result.columns, &result.table, [&](sqlite3_stmt* s, int first) {
        const int count = sqlite3_column_count(s);
        Row row;
        if (first)
            row.rowid = sqlite3_column_int64(s, 0);
        row.values.reserve(count - first);
        for (int c = first; c < count; ++c)
            row.values.append(columnValue(s, c));
        result.rows.push_back(std::move(row));
    });
    return result;
}

PackedResultSet Connection::selectPacked(const QString& jetSql, bool editable) {
    PackedResultSet result;
    query(jetSql, editable, &result.columns, &result.table, [&](sqlite3_stmt* s, int first) {
        const int count = sqlite3_column_count(s);
        PackedRow row;
        if (first)
            row.rowid = sqlite3_column_int64(s, 0);
        // Sized first so that the row takes one allocation of its exact size.
        qsizetype bytes = 0;
        for (int c = first; c < count; ++c) {
            const int type = sqlite3_column_type(s, c);
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
                bytes += 9;
            else if (type == SQLITE_TEXT || type == SQLITE_BLOB)
                bytes += 6 + sqlite3_column_bytes(s, c);
            else
                bytes += 1;
        }
        row.reserve(bytes);
        for (int c = first; c < count; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                row.appendInteger(sqlite3_column_int64(s, c));
                break;
            case SQLITE_FLOAT:
                row.appendDouble(sqlite3_column_double(s, c));
                break;
            case SQLITE_TEXT:
                row.appendText(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                               sqlite3_column_bytes(s, c));
                break;
            case SQLITE_BLOB:
                row.appendBlob(static_cast<const char*>(sqlite3_column_blob(s, c)),
                               sqlite3_column_bytes(s, c));
                break;
            default:
                row.appendNull();
                break;
            }
        }
        result.rows.push_back(std::move(row));
    });
    return result;
}

namespace {
constexpr size_t kBoundStatementsKept = 8;

// A cached statement in use; it is reset for the next use however this one
// ends, so it never holds a read transaction open.
struct BoundUse {
    sqlite3_stmt* s;
    ~BoundUse() {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
};
} // namespace

sqlite3_stmt* Connection::prepareBound(const QString& sqliteSql) {
    const QByteArray sql = sqliteSql.toUtf8();
    for (size_t i = 0; i < bound_.size(); ++i) {
        if (bound_[i].first == sql) {
            std::rotate(bound_.begin(), bound_.begin() + static_cast<std::ptrdiff_t>(i),
                        bound_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return bound_.front().second;
        }
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &st, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(st);
        throw DbError(errorText());
    }
    if (bound_.size() >= kBoundStatementsKept) {
        sqlite3_finalize(bound_.back().second);
        bound_.pop_back();
    }
    bound_.insert(bound_.begin(), {sql, st});
    return st;
}

void Connection::finalizeBound() {
    for (auto& entry : bound_)
        sqlite3_finalize(entry.second);
    bound_.clear();
}

int Connection::execBound(const QString& sqliteSql, const QList<QVariant>& values) {
    requireOpen();
    const BoundUse st{prepareBound(sqliteSql)};
    bindAll(st.s, values);
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throw DbError(errorText());
    return sqlite3_changes(db_);
}

ResultSet Connection::selectBound(const QString& sqliteSql, const QList<QVariant>& values) {
    requireOpen();
    const BoundUse st{prepareBound(sqliteSql)};
    bindAll(st.s, values);
    ResultSet result;
    const int count = sqlite3_column_count(st.s);
    for (int c = 0; c < count; ++c)
        result.columns.append(QString::fromUtf8(sqlite3_column_name(st.s, c)));
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < count; ++c)
            row.values.append(columnValue(st.s, c));
        result.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw DbError(errorText());
    return result;
}

qint64 Connection::lastInsertRowid() const {
    requireOpen();
    return sqlite3_last_insert_rowid(db_);
}

bool Connection::hasTable(const QString& name) const {
    if (!db_)
        return false;
    Stmt st;
    if (sqlite3_prepare_v2(
            db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE", -1,
            &st.s, nullptr) != SQLITE_OK)
        return false;
    bindAll(st.s, {name});
    return sqlite3_step(st.s) == SQLITE_ROW;
}

void Connection::begin() {
    execBound(QStringLiteral("BEGIN IMMEDIATE"), {});
}
void Connection::commit() {
    execBound(QStringLiteral("COMMIT"), {});
}
void Connection::rollback() {
    if (db_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace tolvi::db

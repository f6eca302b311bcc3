#include "data/db/Dataset.h"

#include "platform/Gbk.h"

#include <QRegularExpression>
#include <algorithm>
#include <numeric>

namespace tolvi::db {
namespace {

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

bool isNumber(const QVariant& v) {
    const int t = v.typeId();
    return t == QMetaType::Double || t == QMetaType::LongLong || t == QMetaType::Int ||
           t == QMetaType::Float || t == QMetaType::UInt || t == QMetaType::ULongLong;
}

} // namespace

QString Field::asString() const {
    if (isNull())
        return {};
    if (value_.typeId() == QMetaType::Double)
        return QString::number(value_.toDouble(), 'g', 15);
    return value_.toString();
}

double Field::asFloat() const {
    if (isNull())
        return 0.0;
    if (isNumber(value_))
        return value_.toDouble();
    bool ok = false;
    const double d = value_.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw DbError(
            QStringLiteral("'%1' is not a valid floating point value").arg(value_.toString()));
    return d;
}

qlonglong Field::asInteger() const {
    if (isNull())
        return 0;
    if (isNumber(value_))
        return value_.toLongLong();
    bool ok = false;
    const qlonglong v = value_.toString().trimmed().toLongLong(&ok);
    if (!ok)
        throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(value_.toString()));
    return v;
}

Dataset::Dataset(Connection* connection, QObject* parent)
    : QObject(parent), connection_(connection) {}

void Dataset::setSql(const QString& statement) {
    sql_.clear();
    sql_.append(statement);
}

void Dataset::setTableName(const QString& table, bool appendOnly) {
    tableName_ = table;
    appendOnly_ = appendOnly;
}

void Dataset::rebuildIndex() {
    index_.clear();
    for (int i = 0; i < columns_.size(); ++i) {
        const QString key = columns_.at(i).toLower();
        if (!index_.contains(key))
            index_.insert(key, i);
    }
}

void Dataset::open() {
    close();
    const QString statement = tableName_.isEmpty()
                                  ? sql_.join(QLatin1Char('\n'))
                                  : QStringLiteral("select * from ") + quoteIdent(tableName_) +
                                        (appendOnly_ ? QStringLiteral(" where 0") : QString());
    PackedResultSet result = connection_->selectPacked(statement, true);
    Q_EMIT aboutToReset();
    columns_ = std::move(result.columns);
    rows_ = std::move(result.rows);
    editTable_ = result.table;
    rebuildIndex();
    open_ = true;
    sortSpec_.clear();
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    Q_EMIT reset();
    Q_EMIT currentChanged(current_);
}

void Dataset::close() {
    const bool wasOpen = open_;
    if (wasOpen)
        Q_EMIT aboutToReset();
    open_ = false;
    rows_.clear();
    columns_.clear();
    index_.clear();
    editTable_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    state_ = State::Browse;
    sortSpec_.clear();
    if (wasOpen) {
        Q_EMIT reset();
        Q_EMIT currentChanged(-1);
    }
}

int Dataset::execSql() {
    close();
    return connection_->exec(sql_.join(QLatin1Char('\n')));
}

void Dataset::setCurrent(int row) {
    if (rows_.empty()) {
        current_ = -1;
        eof_ = bof_ = true;
    } else {
        current_ = std::clamp(row, 0, recordCount() - 1);
    }
    if (controlsDisabled_ == 0)
        Q_EMIT currentChanged(current_);
}

void Dataset::enableControls() {
    if (controlsDisabled_ > 0 && --controlsDisabled_ == 0)
        Q_EMIT currentChanged(current_);
}

void Dataset::first() {
    setCurrent(0);
    bof_ = true;
    eof_ = rows_.empty();
}

void Dataset::last() {
    setCurrent(recordCount() - 1);
    eof_ = rows_.empty();
    bof_ = rows_.empty();
}

void Dataset::next() {
    if (rows_.empty() || current_ >= recordCount() - 1) {
        eof_ = true;
        return;
    }
    bof_ = false;
    setCurrent(current_ + 1);
}

void Dataset::prior() {
    if (rows_.empty() || current_ <= 0) {
        bof_ = true;
        return;
    }
    eof_ = false;
    setCurrent(current_ - 1);
}

void Dataset::moveTo(int row) {
    setCurrent(row);
    eof_ = rows_.empty();
    bof_ = rows_.empty() || current_ == 0;
}

int Dataset::fieldIndex(const QString& name) const {
    return index_.value(name.toLower(), -1);
}

Field Dataset::fieldByName(const QString& name) const {
    const int col = fieldIndex(name);
    if (col < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    if (state_ != State::Browse)
        return Field(columns_.at(col), buffer_.at(col));
    if (current_ < 0 || !open_)
        throw DbError(QStringLiteral("没有当前记录。"));
    return Field(columns_.at(col), rows_.at(static_cast<size_t>(current_)).at(col));
}

QVariant Dataset::value(int row, int column) const {
    if (row < 0 || row >= recordCount() || column < 0 || column >= columns_.size())
        return {};
    return rows_.at(static_cast<size_t>(row)).at(column);
}

Row Dataset::row(int index) const {
    const PackedRow& packed = rows_.at(static_cast<size_t>(index));
    return Row{packed.rowid, packed.values()};
}

void Dataset::requireEditable() const {
    if (!open_)
        throw DbError(QStringLiteral("数据集没有打开。"));
    if (editTable_.isEmpty())
        throw DbError(QStringLiteral("这个查询的结果不能修改。"));
}

void Dataset::requireCurrent() const {
    if (current_ < 0)
        throw DbError(QStringLiteral("没有当前记录。"));
}

void Dataset::edit() {
    requireEditable();
    requireCurrent();
    if (state_ != State::Browse)
        return;
    buffer_ = rows_.at(static_cast<size_t>(current_)).values();
    changed_ = QList<bool>(columns_.size(), false);
    state_ = State::Edit;
}

void Dataset::append() {
    requireEditable();
    buffer_ = QList<QVariant>(columns_.size());
    changed_ = QList<bool>(columns_.size(), false);
    state_ = State::Insert;
}

void Dataset::setValue(const QString& field, const QVariant& value) {
    if (state_ == State::Browse)
        throw DbError(QStringLiteral("数据集不在编辑状态。"));
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(field));
    buffer_[col] = value;
    changed_[col] = true;
}

void Dataset::cancel() {
    state_ = State::Browse;
    buffer_.clear();
    changed_.clear();
}

void Dataset::post() {
    if (state_ == State::Browse)
        return;
    QStringList names;
    QList<QVariant> values;
    for (int c = 0; c < columns_.size(); ++c) {
        if (!changed_.at(c))
            continue;
        names.append(quoteIdent(columns_.at(c)));
        values.append(buffer_.at(c));
    }
    const QString table = quoteIdent(editTable_);
    if (state_ == State::Edit) {
        PackedRow& row = rows_.at(static_cast<size_t>(current_));
        if (names.isEmpty()) {
            state_ = State::Browse; // nothing to write or read back
            return;
        }
        QStringList sets;
        for (const QString& n : names)
            sets.append(n + QStringLiteral("=?"));
        values.append(row.rowid);
        const int changed = connection_->execBound(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                                       .arg(table, sets.join(QLatin1Char(','))),
                                                   values);
        if (changed != 1) {
            cancel();
            throw DbError(QStringLiteral("要修改的记录已不存在。"));
        }
        // Read back what the database stored (type conversions included).
        const ResultSet back = connection_->selectBound(
            QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(table), {row.rowid});
        row.setValues(!back.rows.empty() && back.columns.size() == columns_.size()
                          ? back.rows.front().values
                          : buffer_);
        state_ = State::Browse;
        Q_EMIT rowUpdated(current_);
        return;
    }
    // Insert
    if (names.isEmpty())
        connection_->execBound(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table), {});
    else {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks.append(QStringLiteral("?"));
        connection_->execBound(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
            values);
    }
    PackedRow row;
    row.rowid = connection_->lastInsertRowid();
    const ResultSet back = connection_->selectBound(
        QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(table), {row.rowid});
    row.setValues(!back.rows.empty() && back.columns.size() == columns_.size()
                      ? back.rows.front().values
                      : buffer_);
    state_ = State::Browse;
    rows_.push_back(std::move(row));
    const int at = recordCount() - 1;
    Q_EMIT rowInserted(at);
    setCurrent(at);
    eof_ = bof_ = false;
}

void Dataset::deleteCurrent() {
    requireEditable();
    requireCurrent();
    const qint64 rowid = rows_.at(static_cast<size_t>(current_)).rowid;
    connection_->execBound(
        QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdent(editTable_)), {rowid});
    const int at = current_;
    rows_.erase(rows_.begin() + at);
    Q_EMIT rowRemoved(at);
    setCurrent(at >= recordCount() ? recordCount() - 1 : at);
    eof_ = rows_.empty();
}

void Dataset::sort(const QString& sortOrder) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*\[?([^\]\s]+)\]?\s*(desc|asc)?\s*$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sortOrder);
    if (!m.hasMatch())
        throw DbError(QStringLiteral("排序条件无效：%1").arg(sortOrder));
    const int col = fieldIndex(m.captured(1));
    if (col < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(m.captured(1)));
    const bool desc = m.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
    // Text sorts by its GBK bytes, which puts common characters in pinyin order.
    // The column's values are unpacked once, not at every comparison.
    std::vector<QVariant> column(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        column[i] = rows_[i].at(col);
    std::vector<QByteArray> keys(rows_.size());
    bool anyText = false;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QVariant& v = column[i];
        if (!v.isNull() && !isNumber(v)) {
            keys[i] = gbk::encode(v.toString());
            anyText = true;
        }
    }
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    auto compare = [&](size_t a, size_t b) -> int {
        const QVariant& va = column[a];
        const QVariant& vb = column[b];
        const bool na = va.isNull(), nb = vb.isNull();
        if (na || nb)
            return na == nb ? 0 : (na ? -1 : 1);
        const bool numA = isNumber(va), numB = isNumber(vb);
        if (numA && numB) {
            const double x = va.toDouble(), y = vb.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (numA != numB)
            return numA ? -1 : 1;
        return anyText ? keys[a].compare(keys[b]) : 0;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = compare(a, b);
        return desc ? c > 0 : c < 0;
    });
    Q_EMIT aboutToReset();
    std::vector<PackedRow> sorted;
    sorted.reserve(rows_.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows_[i]));
    rows_ = std::move(sorted);
    sortSpec_ = sortOrder;
    Q_EMIT reset();
    setCurrent(rows_.empty() ? -1 : 0);
    bof_ = true;
    eof_ = rows_.empty();
}

} // namespace tolvi::db

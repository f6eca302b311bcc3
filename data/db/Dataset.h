#pragma once
// A client-side static dataset in the manner of an ADO query or table: the
// statement as lines, every result row in memory, a current row, editing and
// deleting of the current row by its rowid, in-memory sorting, and signals so
// that a grid and its footer sums follow each change.

#include "data/db/Connection.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

namespace tolvi::db {

// The value of one field of the current row.
class Field {
public:
    Field() = default;
    Field(QString name, QVariant value) : name_(std::move(name)), value_(std::move(value)) {}
    const QString& name() const { return name_; }
    const QVariant& value() const { return value_; }
    bool isNull() const { return value_.isNull() || !value_.isValid(); }
    // NULL reads as the empty text; numbers in their shortest form.
    QString asString() const;
    // NULL reads as 0; a text that is no number raises DbError.
    double asFloat() const;
    qlonglong asInteger() const;

private:
    QString name_;
    QVariant value_;
};

class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(Connection* connection, QObject* parent = nullptr);

    Connection* connection() const { return connection_; }

    // The statement, as lines joined by a line break when run.
    QStringList& sql() { return sql_; }
    const QStringList& sql() const { return sql_; }
    void setSql(const QString& statement);
    // A table cursor: opening selects every row of the table; append inserts.
    // An append-only cursor loads no existing rows, only the columns.
    void setTableName(const QString& table, bool appendOnly = false);
    QString tableName() const { return tableName_; }

    void open();
    void close();
    bool isOpen() const { return open_; }
    // Runs the statement as one that returns no rows; leaves the dataset closed.
    int execSql();

    int recordCount() const { return static_cast<int>(rows_.size()); }
    int recNo() const { return current_; } // 0-based; -1 when empty
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);

    QStringList fieldNames() const { return columns_; }
    int fieldIndex(const QString& name) const; // -1 when absent (case-insensitive)
    // Field of the current row; DbError for an unknown name or no current row.
    Field fieldByName(const QString& name) const;
    QVariant value(int row, int column) const;
    Row row(int index) const;
    qint64 rowid(int index) const { return rows_.at(static_cast<size_t>(index)).rowid; }

    // Editing the current row, or a row being appended; post writes it.
    void edit();
    void append();
    void setValue(const QString& field, const QVariant& value);
    void post();
    void cancel();
    bool isEditing() const { return state_ != State::Browse; }
    // Deletes the current row from its table and from memory.
    void deleteCurrent();

    // While disabled (calls nest), moving through the rows does not tell the
    // views, which would otherwise scroll to every row of a long walk; the
    // last enable tells them the row it ended on.
    void disableControls() { ++controlsDisabled_; }
    void enableControls();

    // "field" or "field DESC"; empty restores the statement's order.
    void sort(const QString& sortOrder);
    QString sortSpec() const { return sortSpec_; }

Q_SIGNALS:
    void aboutToReset();
    void reset(); // opened, closed or sorted
    void rowUpdated(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void currentChanged(int row);

private:
    enum class State { Browse, Edit, Insert };
    void setCurrent(int row);
    void requireEditable() const;
    void requireCurrent() const;
    void rebuildIndex();

    Connection* connection_;
    QStringList sql_;
    QString tableName_;
    bool appendOnly_ = false;
    bool open_ = false;
    QStringList columns_;
    std::vector<PackedRow> rows_;
    QString editTable_;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    State state_ = State::Browse;
    QList<QVariant> buffer_;
    QList<bool> changed_;
    QString sortSpec_;
    QHash<QString, int> index_;
    int controlsDisabled_ = 0;
};

// Controls of a dataset disabled for a scope.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Dataset* d) : d_(d) { d_->disableControls(); }
    ~ControlsDisabled() { d_->enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Dataset* d_;
};

} // namespace tolvi::db

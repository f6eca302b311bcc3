#include "import/XlsSheet.h"

#include "data/db/DbError.h"
#include "import/CsvTable.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <freexl.h>
#ifndef Q_OS_WIN
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tolvi {
namespace {

struct Workbook {
    const void* handle = nullptr;
    ~Workbook() {
        if (handle)
            freexl_close(handle);
    }
};

QVariant cellValue(const FreeXL_CellValue& cell) {
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QVariant(static_cast<qlonglong>(cell.value.int_value));
    case FREEXL_CELL_DOUBLE: {
        const double d = cell.value.double_value;
        if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 9.0e18)
            return QVariant(static_cast<qlonglong>(d));
        return QVariant(d);
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(cell.value.text_value);
        if (text.isEmpty())
            return QVariant();
        // A report pasted into the sheet as text keeps the shop's wrappers.
        return QVariant(unwrapShopCell(text));
    }
    default:
        return QVariant();
    }
}

// Whether a cell holds anything, without converting it.
bool hasValue(const FreeXL_CellValue& cell) {
    switch (cell.type) {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE:
        return true;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return cell.value.text_value && *cell.value.text_value;
    default:
        return false;
    }
}

db::ExternalTable readInThisProcess(const QString& path, const QString& sheet,
                                    const db::ColumnFilter& wanted) {
    const QString shown = QDir::toNativeSeparators(path);
    Workbook book;
    if (freexl_open(QFile::encodeName(path).constData(), &book.handle) != FREEXL_OK)
        throw db::DbError(QStringLiteral("无法读取Excel文件“%1”。").arg(shown));
    unsigned int sheets = 0;
    freexl_get_info(book.handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    int found = -1;
    for (unsigned int i = 0; i < sheets && found < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(book.handle, static_cast<unsigned short>(i), &name) ==
                FREEXL_OK &&
            name && QString::fromUtf8(name).compare(sheet, Qt::CaseInsensitive) == 0)
            found = static_cast<int>(i);
    }
    if (found < 0)
        throw db::DbError(
            QStringLiteral("Excel文件“%1”中没有名为“%2”的工作表。").arg(shown, sheet));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(book.handle, static_cast<unsigned short>(found)) !=
            FREEXL_OK ||
        freexl_worksheet_dimensions(book.handle, &rows, &columns) != FREEXL_OK)
        throw db::DbError(QStringLiteral("无法读取Excel文件“%1”的工作表“%2”。").arg(shown, sheet));

    db::ExternalTable table;
    const auto cellAt = [&](unsigned int r, unsigned short c) {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(book.handle, r, c, &cell) != FREEXL_OK)
            throw db::DbError(QStringLiteral("无法读取Excel文件“%1”的单元格。").arg(shown));
        return cell;
    };
    if (rows == 0)
        return table;
    for (unsigned short c = 0; c < columns; ++c)
        table.columns.append(cellValue(cellAt(0, c)).toString());
    std::vector<bool> read(columns, true);
    if (wanted) {
        bool any = false;
        for (unsigned short c = 0; c < columns; ++c)
            any = (read[c] = wanted(c, table.columns.at(c))) || any;
        if (!any)
            read.assign(columns, true);
    }
    for (unsigned int r = 1; r < rows; ++r) {
        QList<QVariant> values(columns);
        bool any = false;
        for (unsigned short c = 0; c < columns; ++c) {
            const FreeXL_CellValue cell = cellAt(r, c);
            // A row counts as empty only if every cell is, read or not.
            if (!hasValue(cell))
                continue;
            any = true;
            if (read[c])
                values[c] = cellValue(cell);
        }
        if (any)
            table.rows.push_back(std::move(values));
    }
    return table;
}

#ifndef Q_OS_WIN
// A reading that takes longer than this is a broken file, not a big one.
constexpr int kReadTimeoutMs = 120000;

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The child hands the table over in a plain tagged form: each cell a tag
// byte, then an integer, a double or UTF-16 text with its length. The parent
// checks every length against what it received.
enum CellTag : char { kNull, kInt, kDouble, kText };

template <typename T> void put(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(QByteArray& out, const QString& text) {
    put(out, static_cast<quint32>(text.size()));
    out.append(reinterpret_cast<const char*>(text.utf16()),
               text.size() * qsizetype(sizeof(char16_t)));
}

QByteArray encodeTable(const db::ExternalTable& table) {
    QByteArray out;
    out.append(char(0));
    put(out, static_cast<quint32>(table.columns.size()));
    for (const QString& title : table.columns)
        putText(out, title);
    put(out, static_cast<quint64>(table.rows.size()));
    for (const QList<QVariant>& row : table.rows) {
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            const QVariant& v = row.at(c);
            switch (v.typeId()) {
            case QMetaType::LongLong:
                out.append(char(kInt));
                put(out, v.toLongLong());
                break;
            case QMetaType::Double:
                out.append(char(kDouble));
                put(out, v.toDouble());
                break;
            case QMetaType::QString:
                out.append(char(kText));
                putText(out, v.toString());
                break;
            default:
                out.append(char(kNull));
            }
        }
    }
    return out;
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : p_(bytes.constData()), end_(p_ + bytes.size()) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return p_ == end_; }
    template <typename T> T take() {
        T value{};
        if (!have(sizeof value))
            return value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    QString text() {
        const auto n = take<quint32>();
        if (!have(size_t(n) * sizeof(char16_t)))
            return {};
        QString s(reinterpret_cast<const QChar*>(p_), qsizetype(n));
        p_ += size_t(n) * sizeof(char16_t);
        return s;
    }

private:
    bool have(size_t n) {
        ok_ = ok_ && size_t(end_ - p_) >= n;
        return ok_;
    }
    const char* p_;
    const char* end_;
    bool ok_ = true;
};

[[noreturn]] void readInChild(int fd, const QString& path, const QString& sheet,
                              const db::ColumnFilter& wanted) {
    QByteArray out;
    try {
        out = encodeTable(readInThisProcess(path, sheet, wanted));
    } catch (const db::DbError& e) {
        out.append(char(1));
        putText(out, e.message());
    } catch (...) {
        _exit(2);
    }
    _exit(writeAll(fd, out) ? 0 : 3);
}
#endif

} // namespace

// FreeXL does not check the lengths inside a workbook against its records, so
// a damaged or crafted file can make it read or write past its buffers. It
// runs in a child process: whatever such a file does ends with that process,
// and the import reports the file as unreadable.
#ifdef Q_OS_WIN
// No fork on Windows: the workbook is read in the process itself.
db::ExternalTable readXlsSheet(const QString& path, const QString& sheet,
                               const db::ColumnFilter& wanted) {
    return readInThisProcess(path, sheet, wanted);
}
#else
db::ExternalTable readXlsSheet(const QString& path, const QString& sheet,
                               const db::ColumnFilter& wanted) {
    const QString shown = QDir::toNativeSeparators(path);
    const db::DbError unreadable(
        QStringLiteral("无法读取Excel文件“%1”：文件已损坏或不是Excel 97-2003工作簿。").arg(shown));
    int fds[2];
    if (::pipe(fds) != 0)
        throw unreadable;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw unreadable;
    }
    if (child == 0) {
        ::close(fds[0]);
        readInChild(fds[1], path, sheet, wanted);
    }
    ::close(fds[1]);
    QByteArray in;
    bool timedOut = false;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, kReadTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        char buf[65536];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        in.append(buf, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw unreadable;

    Reader reader(in);
    const auto kind = reader.take<char>();
    if (kind == 1) {
        const QString message = reader.text();
        if (reader.ok())
            throw db::DbError(message);
        throw unreadable;
    }
    db::ExternalTable table;
    const auto columns = reader.take<quint32>();
    for (quint32 c = 0; c < columns && reader.ok(); ++c)
        table.columns.append(reader.text());
    const auto rows = reader.take<quint64>();
    // Every cell takes at least its tag byte, which bounds the row count.
    if (kind != 0 || !reader.ok() || (columns > 0 && rows > quint64(in.size()) / columns))
        throw unreadable;
    table.rows.reserve(size_t(rows));
    for (quint64 r = 0; r < rows && reader.ok(); ++r) {
        QList<QVariant> row(columns);
        for (quint32 c = 0; c < columns && reader.ok(); ++c) {
            switch (reader.take<char>()) {
            case kNull:
                break;
            case kInt:
                row[c] = QVariant(reader.take<qlonglong>());
                break;
            case kDouble:
                row[c] = QVariant(reader.take<double>());
                break;
            case kText:
                row[c] = QVariant(reader.text());
                break;
            default:
                throw unreadable;
            }
        }
        table.rows.push_back(std::move(row));
    }
    if (!reader.ok() || !reader.atEnd())
        throw unreadable;
    return table;
}
#endif

} // namespace tolvi

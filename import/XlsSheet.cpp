#include "import/XlsSheet.h"

#include "data/db/DbError.h"
#include "import/CsvTable.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cmath>
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

db::ExternalTable readInThisProcess(const QString& path, const QString& sheet) {
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
    for (unsigned int r = 0; r < rows; ++r) {
        QList<QVariant> values;
        values.reserve(columns);
        bool any = false;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(book.handle, r, c, &cell) != FREEXL_OK)
                throw db::DbError(QStringLiteral("无法读取Excel文件“%1”的单元格。").arg(shown));
            const QVariant v = cellValue(cell);
            any = any || !v.isNull();
            values.append(v);
        }
        if (r == 0) {
            for (const QVariant& v : values)
                table.columns.append(v.toString());
            continue;
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

[[noreturn]] void readInChild(int fd, const QString& path, const QString& sheet) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    try {
        const db::ExternalTable table = readInThisProcess(path, sheet);
        stream << qint8(0) << table.columns << qint64(table.rows.size());
        for (const QList<QVariant>& row : table.rows)
            stream << row;
    } catch (const db::DbError& e) {
        stream << qint8(1) << e.message();
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
db::ExternalTable readXlsSheet(const QString& path, const QString& sheet) {
    return readInThisProcess(path, sheet);
}
#else
db::ExternalTable readXlsSheet(const QString& path, const QString& sheet) {
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
        readInChild(fds[1], path, sheet);
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

    QDataStream stream(in);
    qint8 kind = -1;
    stream >> kind;
    if (kind == 1) {
        QString message;
        stream >> message;
        throw db::DbError(message);
    }
    db::ExternalTable table;
    qint64 rows = 0;
    stream >> table.columns >> rows;
    for (qint64 r = 0; r < rows && stream.status() == QDataStream::Ok; ++r) {
        QList<QVariant> row;
        stream >> row;
        table.rows.push_back(std::move(row));
    }
    if (kind != 0 || stream.status() != QDataStream::Ok)
        throw unreadable;
    return table;
}

#endif

} // namespace tolvi

// A workbook named in an import statement: FreeXL, the CSV fallback and the
// attach code that turns the sheet into a table the statement reads.

#include "FuzzText.h"
#include "data/db/Connection.h"
#include "data/db/DbError.h"
#include "import/WorkbookLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <pthread.h>
#include <sanitizer/common_interface_defs.h>

namespace {

// The workbook is read in a child process. A fault FreeXL makes there must
// end only that process, as it does outside the fuzzer: without this the
// child would report the input as a crash of its own.
void quietChild() {
    __sanitizer_set_death_callback(nullptr);
}

struct Session {
    QTemporaryDir dir;
    tolvi::db::Connection connection;
    QString workbook;
    Session() {
        const QString db = dir.filePath(QStringLiteral("data.mdb"));
        tolvi::db::Connection::createFile(db, QStringLiteral("fuzz"));
        connection.openFile(db, QStringLiteral("fuzz"));
        connection.exec(QStringLiteral("create table data (a text, b text, c text)"));
        tolvi::installWorkbookLoader();
        pthread_atfork(nullptr, nullptr, quietChild);
        workbook = dir.filePath(QStringLiteral("orders.xls"));
    }
};

Session& session() {
    static Session s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Session& s = session();
    {
        QFile file(s.workbook);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            __builtin_trap();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const QString from = QStringLiteral("[excel 8.0;database=%1].[brimvale$]").arg(s.workbook);
    try {
        s.connection.select(QStringLiteral("select * from ") + from);
        s.connection.exec(QStringLiteral("insert into data (a) select [收货人姓名] from ") + from);
    } catch (const tolvi::db::DbError&) {
        // unreadable files, missing sheets and columns are refused
    }
    return 0;
}

#include "import/WorkbookLoader.h"

#include "data/db/DbError.h"
#include "import/CsvTable.h"
#include "import/XlsSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tolvi {
namespace {

const QByteArray kOle2Signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

// A CSV saved under an .xls name is common; decide by what the file holds.
bool looksLikeText(const QByteArray& head) {
    return !head.startsWith("PK") && !head.contains('\0');
}

} // namespace

db::ExternalTable loadOrderSheet(const QString& path, const QString& sheet,
                                 const db::ColumnFilter& wanted) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw db::DbError(QStringLiteral("找不到文件“%1”。").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("无法打开文件“%1”：%2").arg(shown, file.errorString()));
    const QByteArray head = file.read(4096);
    file.close();
    if (head.startsWith(kOle2Signature))
        return readXlsSheet(path, sheet, wanted);
    const bool textHead =
        head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF") || looksLikeText(head);
    if (textHead)
        return readCsvTable(path, wanted);
    throw db::DbError(
        QStringLiteral("“%1”不是Excel 97-2003工作簿（.xls），也不是CSV文件。").arg(shown));
}

void installWorkbookLoader() {
    db::Connection::setExternalTableLoader(&loadOrderSheet);
}

} // namespace tolvi

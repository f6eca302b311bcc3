// Inputs the fuzz targets (fuzz/) found faults with, kept so they stay fixed.
#include "data/db/DbError.h"
#include "import/CsvTable.h"
#include "import/WorkbookLoader.h"

#include <QTest>

using namespace tolvi;

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedWorkbookIsRefused_data();
    void damagedWorkbookIsRefused();
    void goodWorkbookStillReads();
};

void TestFuzzRegressions::damagedWorkbookIsRefused_data() {
    QTest::addColumn<QString>("file");
    // A sheet-name record whose length runs past its buffer: FreeXL read
    // beyond a stack buffer while opening the file.
    QTest::newRow("FreeXL overread on open") << "xls-freexl-overread.xls";
}

void TestFuzzRegressions::damagedWorkbookIsRefused() {
    QFETCH(QString, file);
    const QString path = QStringLiteral(TOLVI_SOURCE_DIR "/tests/fixtures/fuzz/") + file;
    QVERIFY(QFile::exists(path));
    try {
        loadOrderSheet(path, QStringLiteral("brimvale"));
        QFAIL("a damaged workbook was read");
    } catch (const db::DbError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("无法读取Excel文件")) ||
                     e.message().contains(QStringLiteral("没有名为")),
                 qPrintable(e.message()));
    }
}

// The reading in a child process hands back every value intact.
void TestFuzzRegressions::goodWorkbookStillReads() {
    const db::ExternalTable t = loadOrderSheet(
        QStringLiteral(TOLVI_SOURCE_DIR "/tests/fixtures/import/orders.xls"), "brimvale");
    QVERIFY(t.columns.contains(QStringLiteral("收货人姓名")));
    QVERIFY(!t.rows.empty());
    const qsizetype name = t.columns.indexOf(QStringLiteral("收货人姓名"));
    QVERIFY(!t.rows[0].at(name).toString().isEmpty());
    try {
        loadOrderSheet(QStringLiteral(TOLVI_SOURCE_DIR "/tests/fixtures/import/wrong_sheet.xls"),
                       "brimvale");
        QFAIL("a missing sheet was read");
    } catch (const db::DbError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("没有名为“brimvale”的工作表")),
                 qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"

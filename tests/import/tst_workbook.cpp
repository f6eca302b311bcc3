// Reading the order report for the workbook reference: format by content,
// sheet lookup, and the shop's CSV habits.
#include "data/db/DbError.h"
#include "import/CsvTable.h"
#include "import/WorkbookLoader.h"
#include "platform/Gbk.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QTest>

using namespace tolvi;

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(TOLVI_SOURCE_DIR "/tests/fixtures/import/") + name;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestWorkbook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatIsTakenFromContent_data();
    void formatIsTakenFromContent();
    void csvHabits_data();
    void csvHabits();
    void columnFilter();
};

void TestWorkbook::formatIsTakenFromContent_data() {
    QTest::addColumn<QString>("source"); // fixture copied, or raw bytes after "bytes:"
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("error"); // empty: loads both orders
    QTest::newRow("sheet name in other case") << "orders.xls"
                                              << "a.xls"
                                              << "BRIMVALE"
                                              << "";
    QTest::newRow("csv saved as .xls") << "orders_gbk.csv"
                                       << "a.xls"
                                       << "brimvale"
                                       << "";
    QTest::newRow("csv with any sheet name") << "orders_utf8.csv"
                                             << "a.csv"
                                             << "Sheet1"
                                             << "";
    QTest::newRow("missing sheet") << "wrong_sheet.xls"
                                   << "a.xls"
                                   << "brimvale"
                                   << "没有名为“brimvale”的工作表";
    QTest::newRow("xlsx") << "bytes:PK\x03\x04"
                          << "a.xlsx"
                          << "brimvale"
                          << "不是Excel 97-2003工作簿";
    QTest::newRow("damaged xls") << QString::fromLatin1(
                                        "bytes:\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1garbage")
                                 << "a.xls"
                                 << "brimvale"
                                 << "无法读取Excel文件";
    QTest::newRow("missing file") << ""
                                  << "nothere.xls"
                                  << "brimvale"
                                  << "找不到文件";
}

void TestWorkbook::formatIsTakenFromContent() {
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(QString, sheet);
    QFETCH(QString, error);
    test::TestEnv env;
    const QString path = env.path(name);
    if (source.startsWith(QLatin1String("bytes:")))
        writeFile(path, source.mid(6).toLatin1() + QByteArray(600, '\0'));
    else if (!source.isEmpty())
        QVERIFY(QFile::copy(fixture(source), path));
    try {
        const db::ExternalTable t = loadOrderSheet(path, sheet);
        QVERIFY2(error.isEmpty(), "loaded what should fail");
        QVERIFY(t.columns.contains(QStringLiteral("收货地址 ")) ||
                t.columns.contains(QStringLiteral("收货地址")));
        QCOMPARE(t.rows.size(), size_t(2));
        const int name = static_cast<int>(t.columns.indexOf(QStringLiteral("收货人姓名")));
        QCOMPARE(t.rows.at(1).at(name).toString(), QStringLiteral("李四"));
    } catch (const db::DbError& e) {
        QVERIFY2(!error.isEmpty() && e.message().contains(error), qPrintable(e.message()));
    }
}

void TestWorkbook::csvHabits_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<QVariantList>>("rows");
    const QVariant null;
    QTest::newRow("order number, mobile, apostrophe in text")
        << QByteArray("\"a\",\"b\",\"c\"\n=\"0035\",'13925130165,'hello\n")
        << QStringList{"a", "b", "c"}
        << QList<QVariantList>{
               {QStringLiteral("0035"), QStringLiteral("13925130165"), QStringLiteral("'hello")}};
    QTest::newRow("quoted wrapper, blank lines, no final line break")
        << QByteArray("a,b\r\n\r\n\"=\"\"351\"\"\",\"x, \"\"y\"\"\r\nz\"\r\n\r\n,")
        << QStringList{"a", "b"}
        << QList<QVariantList>{{QStringLiteral("351"), QStringLiteral("x, \"y\"\r\nz")}};
    QTest::newRow("times normalised only in time columns")
        << QByteArray("订单付款时间 ,备注\n2017/7/9 10:05,2017/7/9 10:05\n")
        << QStringList{QStringLiteral("订单付款时间 "), QStringLiteral("备注")}
        << QList<QVariantList>{
               {QStringLiteral("2017-07-09 10:05:00"), QStringLiteral("2017/7/9 10:05")}};
    QTest::newRow("tab separated gbk")
        << gbk::encode(QStringLiteral("收货人姓名\t联系手机\n张三\t\n"))
        << QStringList{QStringLiteral("收货人姓名"), QStringLiteral("联系手机")}
        << QList<QVariantList>{{QStringLiteral("张三"), null}};
}

void TestWorkbook::csvHabits() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, titles);
    QFETCH(QList<QVariantList>, rows);
    const db::ExternalTable t = csvTableFromBytes(bytes);
    QCOMPARE(t.columns, titles);
    QCOMPARE(t.rows.size(), size_t(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r)
        QCOMPARE(t.rows.at(static_cast<size_t>(r)), rows.at(r));
}

// A statement names a few of a report's columns; the others may come back
// empty, but never change which rows there are.
void TestWorkbook::columnFilter() {
    const QString sparse = fixture(QStringLiteral("sparse_rows.xls"));
    const QString name = QStringLiteral("收货人姓名"), remark = QStringLiteral("订单备注");
    const auto only = [](const QString& title) {
        return [title](int, const QString& t) { return t.trimmed() == title; };
    };

    db::ExternalTable t = loadOrderSheet(sparse, QStringLiteral("brimvale"), only(name));
    QCOMPARE(t.columns, (QStringList{name, remark}));
    QCOMPARE(t.rows.size(), size_t(2)); // the remark-only order is still a row
    QCOMPARE(t.rows.at(0), (QVariantList{QStringLiteral("张三"), QVariant()}));
    QCOMPARE(t.rows.at(1), (QVariantList{QVariant(), QVariant()}));

    // Wanting nothing reads everything, as does no filter at all.
    const QList<QVariantList> all{{QStringLiteral("张三"), QVariant()},
                                  {QVariant(), QStringLiteral("只有备注")}};
    for (const db::ColumnFilter& f :
         {db::ColumnFilter(only(QStringLiteral("无此列"))), db::ColumnFilter()}) {
        t = loadOrderSheet(sparse, QStringLiteral("brimvale"), f);
        QCOMPARE(t.rows.size(), size_t(2));
        for (size_t r = 0; r < 2; ++r)
            QCOMPARE(t.rows.at(r), all.at(qsizetype(r)));
    }

    // The shop's CSV the same way.
    const QByteArray csv = QStringLiteral("收货人姓名,订单备注\n张三,\n,只有备注\n").toUtf8();
    t = csvTableFromBytes(csv, only(name));
    QCOMPARE(t.rows.size(), size_t(2));
    QCOMPARE(t.rows.at(0), (QVariantList{QStringLiteral("张三"), QVariant()}));
    QCOMPARE(t.rows.at(1), (QVariantList{QVariant(), QVariant()}));
    t = csvTableFromBytes(csv, only(QStringLiteral("无此列")));
    QCOMPARE(t.rows.at(1), all.at(1));

    // The filter is asked by column index too (untitled columns are F1, F2...);
    // it may run in another process, so only its answers are seen here.
    t = loadOrderSheet(fixture(QStringLiteral("orders.xls")), QStringLiteral("brimvale"),
                       [](int c, const QString&) { return c == 12; });
    QCOMPARE(t.columns.at(12), name);
    QCOMPARE(t.rows.size(), size_t(2));
    for (qsizetype c = 0; c < t.columns.size(); ++c)
        QCOMPARE(t.rows.at(1).at(c), c == 12 ? QVariant(QStringLiteral("李四")) : QVariant());
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"

// The .xls record stream of a grid, parsed back record by record.
#include "grid/BiffReadBack.h"
#include "grid/BiffWriter.h"
#include "grid/GridSheet.h"
#include "grid/ListFixture.h"
#include "support/TestEnv.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

using namespace tolvi;
using namespace tolvi::grid;

namespace {

QByteArray record(quint16 type, const QByteArray& body) {
    QByteArray r(4, '\0');
    qToLittleEndian<quint16>(type, r.data());
    qToLittleEndian<quint16>(quint16(body.size()), r.data() + 2);
    return r + body;
}

QByteArray u16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray cellHead(int row, int col, quint16 xf = 0) {
    return u16(quint16(row)) + u16(quint16(col)) + u16(xf);
}

QByteArray write(const SheetSource& s, bool* ok = nullptr) {
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    const bool written = writeGridSheet(&buf, s);
    if (ok)
        *ok = written;
    return buf.data();
}

struct ListEnv {
    test::TestEnv env;
    db::Connection connection;
    db::Dataset dataset{&connection};
    SheetSource source;
    ListEnv() {
        connection.open(mainConnectionString());
        source.columns = test::shipmentColumns();
        source.columns[1].footerText = QStringLiteral("共3条记录");
        source.dataset = &dataset;
        source.fieldKinds.insert(QStringLiteral("c"), FieldKind::Memo);
        source.title = QStringLiteral("快递单打印清单");
        source.operatorName = QStringLiteral("超级管理员");
        source.now = QDateTime(QDate(2024, 5, 6), QTime(9, 8, 7));
    }
    void open(const QString& sql = QStringLiteral("select * from data")) {
        dataset.setSql(sql);
        dataset.open();
    }
};

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writerRecordsByteForByte();
    void writerKeepsRecordsWellFormed();
    void smallListRecordByRecord();
    void hiddenColumnsMemoAndMaskedTitles();
    void dateRowAndIntegerFields();
    void largeListReadsBack();
    void listLongerThanASheetIsRefused();
};

void TestSheet::writerRecordsByteForByte() {
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    BiffWriter w(&buf);
    w.beginOfFile();
    w.text(1, 2, QStringLiteral("中国"));
    w.number(3, 4, 1.5);
    w.integer(5, 6, 7);
    w.integer(5, 7, -3);
    w.blank(8, 9);
    w.endOfFile();
    QVERIFY(w.ok());
    QByteArray expected;
    expected += record(0x0809, QByteArray::fromHex("0000100000000000"));
    expected += record(0x0204, cellHead(1, 2) + u16(4) + QByteArray::fromHex("d6d0b9fa"));
    expected += record(0x0203, cellHead(3, 4) + QByteArray::fromHex("000000000000f83f"));
    expected += record(0x027E, cellHead(5, 6) + QByteArray::fromHex("1e000000")); // 7*4+2
    expected += record(0x027E, cellHead(5, 7) + QByteArray::fromHex("f6ffffff")); // -3*4+2
    expected += record(0x0201, cellHead(8, 9, 0x0017));
    expected += record(0x000A, {});
    QCOMPARE(buf.data().toHex(), expected.toHex());
}

void TestSheet::writerKeepsRecordsWellFormed() {
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    BiffWriter w(&buf);
    w.beginOfFile();
    // A text longer than a record holds is cut at a whole character.
    w.text(0, 0, QString(40000, QChar(0x4E2D))); // 中: two GBK bytes each
    // A whole number beyond the integer cell's 30 bits goes as a number cell.
    w.integer(1, 0, qint64(1) << 40);
    w.endOfFile();
    const test::BiffSheet sheet = test::readBiff(buf.data());
    QVERIFY(sheet.wellFormed);
    const auto text = sheet.cell(0, 0);
    QVERIFY(text);
    QVERIFY(text->textBytes <= 0xFFFF - 8);
    QCOMPARE(text->textBytes % 2, 0);
    QVERIFY(!text->text.contains(QChar(0xFFFD)));
    QCOMPARE(sheet.cell(1, 0)->type, quint16(0x0203));
    QCOMPARE(sheet.cell(1, 0)->number, double(qint64(1) << 40));
}

void TestSheet::smallListRecordByRecord() {
    ListEnv e;
    test::insertThreeShipments(e.connection);
    e.open();
    const QByteArray data = write(e.source);
    const test::BiffSheet sheet = test::readBiff(data);
    QVERIFY(sheet.wellFormed);

    const QStringList names = e.dataset.fieldNames();
    const int fields = names.size();
    // BOF, 3 heading cells, 2 x 12 titles, 3 x fields records, 2 footer texts, EOF.
    QCOMPARE(sheet.records.size(), 1 + 3 + 24 + 3 * fields + 2 + 1);
    int i = 0;
    auto next = [&] { return sheet.records.at(i++); };
    QCOMPARE(next().body.toHex(), QByteArray("0000100000000000"));
    auto expectText = [&](int row, int col, const QString& text) {
        const test::BiffRecord r = next();
        QCOMPARE(r.type, quint16(0x0204));
        QCOMPARE(r.body.left(6), cellHead(row, col));
        QCOMPARE(gbk::decode(r.body.mid(8)), text);
    };
    expectText(0, 3, QStringLiteral("快递单打印清单"));
    expectText(1, 0, QStringLiteral("制表人：超级管理员"));
    expectText(1, 5, QStringLiteral("制表时间：2024-05-06 09:08:07"));
    const QList<GridColumn> cols = test::shipmentColumns();
    for (int level = 0; level < 2; ++level)
        for (int c = 0; c < 12; ++c)
            expectText(2 + level, c, level == 0 ? cols[c].upperTitle : cols[c].title);

    // Record cells: the grid's fields first, then the dataset's others.
    QStringList order;
    for (const GridColumn& c : cols)
        order.append(c.fieldName);
    for (const QString& n : names)
        if (!order.contains(n))
            order.append(n);
    QCOMPARE(order.size(), fields);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < fields; ++c) {
            const test::BiffRecord rec = next();
            QCOMPARE(rec.body.left(4), cellHead(4 + r, c).left(4));
            const QVariant v = e.dataset.value(r, e.dataset.fieldIndex(order.at(c)));
            if (v.isNull()) {
                QCOMPARE(rec.type, quint16(0x0201));
                QCOMPARE(rec.body, cellHead(4 + r, c, 0x0017));
            } else if (order.at(c) == QLatin1String("c")) { // memo: empty text cell
                QCOMPARE(rec.type, quint16(0x0204));
                QCOMPARE(rec.body, cellHead(4 + r, c) + u16(0));
            } else if (v.typeId() == QMetaType::Double) {
                QCOMPARE(rec.type, quint16(0x0203));
                double d = 0;
                const quint64 bits = qFromLittleEndian<quint64>(rec.body.constData() + 6);
                std::memcpy(&d, &bits, 8);
                QCOMPARE(d, v.toDouble());
            } else {
                QCOMPARE(rec.type, quint16(0x0204));
                QCOMPARE(gbk::decode(rec.body.mid(8)), v.toString());
            }
        }
    }
    expectText(7, 0, QStringLiteral("总计"));
    expectText(7, 1, QStringLiteral("共3条记录"));
    QCOMPARE(next().type, quint16(0x000A));
    QCOMPARE(i, sheet.records.size());
    // Spot checks in sheet terms.
    QCOMPARE(sheet.text(4, 0), QStringLiteral("张三"));
    QCOMPARE(sheet.cell(4, 8)->number, 12.5);
    QCOMPARE(sheet.cell(5, 9)->type, quint16(0x0201)); // NULL member name
}

void TestSheet::hiddenColumnsMemoAndMaskedTitles() {
    ListEnv e;
    test::insertThreeShipments(e.connection);
    e.open();
    for (int c = 5; c < 12; ++c)
        e.source.columns[c].visible = false;
    e.source.columns[1].title = QStringLiteral("手机*****"); // masked: hidden too
    const test::BiffSheet sheet = test::readBiff(write(e.source));
    QVERIFY(sheet.wellFormed);
    // Titles only for the visible columns, over their own fields' cells.
    for (int c : {0, 2, 3, 4}) {
        QVERIFY(sheet.cell(2, c));
        QVERIFY(sheet.cell(3, c));
    }
    for (int c : {1, 5, 6, 7, 8, 9, 10, 11}) {
        QVERIFY2(!sheet.cell(2, c), qPrintable(QString::number(c)));
        QVERIFY(!sheet.cell(3, c));
    }
    for (int r = 4; r < 7; ++r) {
        for (int c : {1, 5, 6, 7, 8, 9, 10, 11})
            QCOMPARE(sheet.cell(r, c)->type, quint16(0x0201));
        QCOMPARE(sheet.text(r, 0), e.dataset.value(r - 4, 0).toString());
    }
    // The memo address: empty text where it has a value, empty cell where NULL.
    QCOMPARE(sheet.cell(4, 2)->type, quint16(0x0204));
    QCOMPARE(sheet.cell(4, 2)->textBytes, 0);
    QCOMPARE(sheet.cell(5, 2)->type, quint16(0x0201));
    // Footer: fixed texts of visible columns only.
    QCOMPARE(sheet.text(7, 0), QStringLiteral("总计"));
    QVERIFY(!sheet.cell(7, 1));

    // A hidden column in the middle does not shift the titles after it.
    ListEnv m;
    test::insertThreeShipments(m.connection);
    m.open();
    m.source.columns[3].visible = false;
    const test::BiffSheet mid = test::readBiff(write(m.source));
    QVERIFY(!mid.cell(3, 3));
    QCOMPARE(mid.text(3, 4), QStringLiteral(" 状 态"));
    QCOMPARE(mid.text(4, 4), QStringLiteral("已打印"));
}

void TestSheet::dateRowAndIntegerFields() {
    ListEnv e;
    e.connection.execBound(
        QStringLiteral(
            "INSERT INTO data1 (a, \"3\", \"4\", day1) VALUES ('笔', 2, 3.5, '2024-05-01')"),
        {});
    e.source.columns = {
        GridColumn::fromCaption(QStringLiteral("a"), QStringLiteral("商 品 信 息| 名 称")),
        GridColumn::fromCaption(QStringLiteral("3"), QStringLiteral("销 售 信 息|数 量")),
        GridColumn::fromCaption(QStringLiteral("day1"), QStringLiteral("日期"))};
    e.source.columns[0].footerText = QStringLiteral("合计");
    e.source.columns[1].footerSum = true;
    e.source.beginDate = QStringLiteral("2024-05-01");
    e.source.endDate = QStringLiteral("2024-05-31");
    e.source.title = QStringLiteral("销 售 报 表");
    e.open(QStringLiteral("select * from data1"));
    const test::BiffSheet sheet = test::readBiff(write(e.source));
    QVERIFY(sheet.wellFormed);
    QCOMPARE(sheet.text(0, 3), QStringLiteral("销 售 报 表"));
    QCOMPARE(sheet.text(1, 0), QStringLiteral("2024-05-01"));
    QCOMPARE(sheet.text(1, 5), QStringLiteral("2024-05-31"));
    QCOMPARE(sheet.text(2, 0), QStringLiteral("制表人：超级管理员"));
    QCOMPARE(sheet.text(3, 1), QStringLiteral("销 售 信 息"));
    QCOMPARE(sheet.text(4, 1), QStringLiteral("数 量"));
    // A single-level title fills both title rows.
    QCOMPARE(sheet.text(3, 2), QStringLiteral("日期"));
    QCOMPARE(sheet.text(4, 2), QStringLiteral("日期"));
    QCOMPARE(sheet.text(5, 0), QStringLiteral("笔"));
    QCOMPARE(sheet.cell(5, 1)->type, quint16(0x0203)); // REAL quantity
    QCOMPARE(sheet.cell(5, 1)->number, 2.0);
    // ID, auto-increment, comes after the grid's fields as an integer cell.
    const int id = 3;
    QCOMPARE(e.dataset.fieldNames().at(0), QStringLiteral("ID"));
    QCOMPARE(sheet.cell(5, id)->type, quint16(0x027E));
    QCOMPARE(sheet.cell(5, id)->number, 1.0);
    // Footer: the fixed text, never the computed sum.
    QCOMPARE(sheet.text(6, 0), QStringLiteral("合计"));
    QVERIFY(!sheet.cell(6, 1));
}

void TestSheet::largeListReadsBack() {
    ListEnv e;
    e.connection.execBound(
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE "
                       "x<20000) INSERT INTO data (a,b,c,\"1\",\"2\") SELECT '收件人'||x, "
                       "'138'||x, '地址'||x, x, x*0.25 FROM n"),
        {});
    e.open();
    int progressed = 0;
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QVERIFY(writeGridSheet(&buf, e.source, [&](int n) {
        QCOMPARE(n, progressed + 1);
        progressed = n;
    }));
    QCOMPARE(progressed, 20000);
    const test::BiffSheet sheet = test::readBiff(buf.data());
    QVERIFY(sheet.wellFormed);
    QCOMPARE(sheet.rowCount(), 4 + 20000 + 1);
    for (int x : {1, 777, 20000}) {
        const int row = 3 + x;
        QCOMPARE(sheet.text(row, 0), QStringLiteral("收件人%1").arg(x));
        QCOMPARE(sheet.text(row, 1), QStringLiteral("138%1").arg(x));
        QCOMPARE(sheet.cell(row, 2)->textBytes, 0);
        QCOMPARE(sheet.cell(row, 7)->number, double(x));
        QCOMPARE(sheet.cell(row, 8)->number, x * 0.25);
    }
    QCOMPARE(sheet.text(20004, 0), QStringLiteral("总计"));
}

void TestSheet::listLongerThanASheetIsRefused() {
    ListEnv e;
    e.connection.execBound(
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE "
                       "x<65532) INSERT INTO data (a) SELECT 'r'||x FROM n"),
        {});
    e.open();
    bool ok = true;
    write(e.source, &ok); // 4 heading rows + 65,532 + footer: one row too many
    QVERIFY(!ok);
    e.connection.exec(QStringLiteral("delete from data where a='r1'"));
    e.open();
    const test::BiffSheet sheet = test::readBiff(write(e.source, &ok));
    QVERIFY(ok);
    QVERIFY(sheet.wellFormed);
    QCOMPARE(sheet.text(65535, 0), QStringLiteral("总计"));
}

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"

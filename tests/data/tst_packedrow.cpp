// The packed row a dataset keeps its rows in: every value type reads back
// as it went in, by column and as a whole row, and the dataset reads the
// same values whether a row came from the file or from a post.
#include "data/Schema.h"
#include "data/db/Dataset.h"
#include "data/db/PackedRow.h"
#include "support/TestEnv.h"

#include <QDate>
#include <QTest>

using namespace tolvi;
using namespace tolvi::db;

class TestPackedRow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valuesReadBack_data();
    void valuesReadBack();
    void columnsPastTheEndAreNull();
    void datasetRowsMatchTheFile();
};

void TestPackedRow::valuesReadBack_data() {
    QTest::addColumn<QVariant>("value");
    QTest::newRow("null") << QVariant();
    QTest::newRow("integer") << QVariant(qlonglong(-9007199254740993LL));
    QTest::newRow("double") << QVariant(201.12);
    QTest::newRow("empty text") << QVariant(QString(""));
    QTest::newRow("chinese text") << QVariant(
        QStringLiteral("广东省 广州市 越秀区 环市东路3101号"));
    // Longer than one length byte holds.
    QTest::newRow("long text") << QVariant(QString(300, QChar(0x5F20)));
    QTest::newRow("blob") << QVariant(QByteArray("\0\1\2\xff", 4));
    QTest::newRow("date kept as a date") << QVariant(QDate(2017, 7, 8));
    QTest::newRow("int kept as int") << QVariant(int(7));
}

void TestPackedRow::valuesReadBack() {
    QFETCH(QVariant, value);
    // Between other columns, so that skipping over the value is tested too.
    const QList<QVariant> values{QStringLiteral("前"), value, QVariant(3.5), value};
    const PackedRow row(values);
    QCOMPARE(row.size(), 4);
    for (int c = 0; c < values.size(); ++c) {
        QCOMPARE(row.at(c).metaType(), values.at(c).metaType());
        QCOMPARE(row.at(c), values.at(c));
    }
    QCOMPARE(row.values(), values);
}

void TestPackedRow::columnsPastTheEndAreNull() {
    const PackedRow row(QList<QVariant>{QVariant(1.0)});
    QVERIFY(!row.at(1).isValid());
    QVERIFY(!row.at(-1).isValid());
}

void TestPackedRow::datasetRowsMatchTheFile() {
    test::TestEnv env;
    Connection c;
    c.openFile(env.dataMdb(), kDatabasePassword);
    c.execBound(QStringLiteral("INSERT INTO data (a, c, \"1\", \"2\") VALUES (?, ?, ?, ?)"),
                {QStringLiteral("张三"), QStringLiteral("浙江省 杭州市"), 2, 88.5});
    c.execBound(QStringLiteral("INSERT INTO data (a) VALUES (NULL)"), {});
    Dataset d(&c);
    d.setSql(QStringLiteral("select * from data"));
    d.open();
    const ResultSet plain = c.select(QStringLiteral("select * from data"), true);
    QCOMPARE(d.recordCount(), int(plain.rows.size()));
    for (int r = 0; r < d.recordCount(); ++r) {
        QCOMPARE(d.rowid(r), plain.rows[size_t(r)].rowid);
        QCOMPARE(d.row(r).values, plain.rows[size_t(r)].values);
    }
    // A posted edit is read back from the file into the packed row.
    d.first();
    d.edit();
    d.setValue(QStringLiteral("2"), QStringLiteral("12.5"));
    d.post();
    QCOMPARE(d.fieldByName(QStringLiteral("2")).value(), QVariant(12.5));
    QCOMPARE(d.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("张三"));
}

QTEST_GUILESS_MAIN(TestPackedRow)
#include "tst_packedrow.moc"

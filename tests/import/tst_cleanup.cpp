// The post-import clean-up on a real data.mdb through the list dataset.
#include "data/Mylib.h"
#include "data/Schema.h"
#include "data/db/Connection.h"
#include "data/db/Dataset.h"
#include "import/AddressNormaliser.h"
#include "import/ImportCleanup.h"
#include "support/TestEnv.h"

#include <QDate>
#include <QTest>

using namespace tolvi;

namespace {

const QString kZhejiang = QStringLiteral("浙江省杭州市西湖区某某路8号");

// The main window's list: a connection, the list dataset and its reload.
struct List {
    db::Connection connection;
    db::Dataset query{&connection};
    QString statement = QStringLiteral("select * from data");
    int reloads = 0;
    std::function<void()> showAllRecords = [this] {
        ++reloads;
        openQuery(&query, QStringLiteral("select * from data"));
    };
    List() { connection.open(mainConnectionString()); }
    void insert(const QVariant& b, const QVariant& c, const QString& d = QStringLiteral("快递"),
                const QString& g = QStringLiteral("买家已付款，等待卖家发货")) {
        connection.execBound(
            QStringLiteral("insert into data (a,b,c,d,g,day1) values ('某人',?,?,?,?,?)"),
            {b, c, d, g, QStringLiteral("2017-07-08 00:42:39")});
    }
    QList<QVariantList> rows(const QString& columns = QStringLiteral("b,c,d,g,day1")) {
        QList<QVariantList> out;
        for (const auto& r :
             connection.select(QStringLiteral("select %1 from data order by rowid").arg(columns))
                 .rows)
            out.append(r.values);
        return out;
    }
};

} // namespace

class TestCleanup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importedDataGetsCourierStatusAndToday_data();
    void importedDataGetsCourierStatusAndToday();
    void recipientClean_data();
    void recipientClean();
    void onlyListedRecordsAreRebuilt();
    void runningTwiceChangesNothing();
    void normaliseAddress_data();
    void normaliseAddress();
};

void TestCleanup::importedDataGetsCourierStatusAndToday_data() {
    QTest::addColumn<QString>("courier");
    QTest::newRow("plain") << "申通快递";
    QTest::newRow("apostrophe") << "O'Neil's 快递";
}

void TestCleanup::importedDataGetsCourierStatusAndToday() {
    QFETCH(QString, courier);
    test::TestEnv env;
    List list;
    list.insert(QStringLiteral("13925130165"), QStringLiteral("广东省"));
    list.insert(QStringLiteral("13800138000"), QStringLiteral("上海市"), QStringLiteral("顺丰"),
                QStringLiteral("已打印"));
    // A narrowed list does not narrow this command.
    openQuery(&list.query, QStringLiteral("select * from data where g='已打印'"));
    optimiseImportedData(&list.query, courier, list.showAllRecords);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QList<QVariantList> rows = list.rows(QStringLiteral("d,g,day1"));
    QCOMPARE(rows.size(), 2);
    for (const QVariantList& r : rows)
        QCOMPARE(r, QVariantList({courier, QStringLiteral("未打印"), today}));
    QCOMPARE(list.reloads, 1);
    QCOMPARE(list.query.recordCount(), 2);
}

void TestCleanup::recipientClean_data() {
    QTest::addColumn<QVariant>("phone");
    QTest::addColumn<QVariant>("address");
    QTest::addColumn<QVariant>("phoneAfter");
    QTest::addColumn<QVariant>("addressAfter");
    const QVariant shop = QStringLiteral("浙江省 杭州市 西湖区 某某路8号");
    QTest::newRow("apostrophe + 11 digits")
        << QVariant(QStringLiteral("'13925130165")) << shop
        << QVariant(QStringLiteral("13925130165")) << QVariant(kZhejiang);
    QTest::newRow("11 characters kept")
        << QVariant(QStringLiteral("13925130165")) << shop
        << QVariant(QStringLiteral("13925130165")) << QVariant(kZhejiang);
    QTest::newRow("shorter kept") << QVariant(QStringLiteral("88886666")) << shop
                                  << QVariant(QStringLiteral("88886666")) << QVariant(kZhejiang);
    QTest::newRow("13 characters lose two")
        << QVariant(QStringLiteral("8613925130165")) << shop
        << QVariant(QStringLiteral("13925130165")) << QVariant(kZhejiang);
    QTest::newRow("blanks and controls trimmed")
        << QVariant(QStringLiteral("13925130165"))
        << QVariant(QStringLiteral("  浙江省 杭州市 西湖区 某某路8号 \t\r\n"))
        << QVariant(QStringLiteral("13925130165")) << QVariant(kZhejiang);
    QTest::newRow("null phone and address stay null")
        << QVariant() << QVariant() << QVariant() << QVariant();
}

void TestCleanup::recipientClean() {
    QFETCH(QVariant, phone);
    QFETCH(QVariant, address);
    QFETCH(QVariant, phoneAfter);
    QFETCH(QVariant, addressAfter);
    test::TestEnv env;
    List list;
    list.insert(phone, address);
    list.insert(QStringLiteral("'13800138000"), QStringLiteral("浙江省 杭州市 西湖区 某某路8号"));
    list.showAllRecords();
    optimiseRecipientAddresses(&list.query, list.showAllRecords);
    const QList<QVariantList> rows = list.rows(QStringLiteral("b,c"));
    QCOMPARE(rows.at(0), QVariantList({phoneAfter, addressAfter}));
    // The row after a NULL one is still done.
    QCOMPARE(rows.at(1), QVariantList({QStringLiteral("13800138000"), kZhejiang}));
    QCOMPARE(list.reloads, 2);
}

void TestCleanup::onlyListedRecordsAreRebuilt() {
    test::TestEnv env;
    List list;
    const QString shop = QStringLiteral("浙江省 杭州市 西湖区 某某路8号");
    list.insert(QStringLiteral("'13925130165"), shop, QStringLiteral("申通快递"));
    list.insert(QStringLiteral("'13800138000"), shop, QStringLiteral("顺丰"));
    openQuery(&list.query, QStringLiteral("select * from data where d like '%申通%' order by b"));
    optimiseRecipientAddresses(&list.query, list.showAllRecords);
    const QList<QVariantList> rows = list.rows(QStringLiteral("b,c"));
    QCOMPARE(rows.at(0), QVariantList({QStringLiteral("13925130165"), kZhejiang}));
    QCOMPARE(rows.at(1), QVariantList({QStringLiteral("'13800138000"), shop}));
    QCOMPARE(list.query.recordCount(), 2); // reloaded with all records
}

void TestCleanup::runningTwiceChangesNothing() {
    test::TestEnv env;
    List list;
    for (const char* a :
         {"浙江省 杭州市 西湖区 浙江省杭州市西湖区某某路8号", "北京 北京市 朝阳区 建国路88号",
          "广东省 广州市 越秀区", "内蒙古自治区 呼和浩特市 新城区 某路1号"})
        list.insert(QStringLiteral("'13925130165"), QString::fromUtf8(a));
    list.showAllRecords();
    optimiseRecipientAddresses(&list.query, list.showAllRecords);
    const QList<QVariantList> once = list.rows();
    optimiseRecipientAddresses(&list.query, list.showAllRecords);
    QCOMPARE(list.rows(), once);
    QCOMPARE(once.at(0).at(1).toString(), kZhejiang);
    QCOMPARE(once.at(2).at(1).toString(), QStringLiteral("广东省广州市越秀区"));
}

void TestCleanup::normaliseAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("repeats removed")
        << "浙江省 杭州市 西湖区 浙江省杭州市西湖区某某路8号" << QString(kZhejiang);
    QTest::newRow("no repeats") << "浙江省 杭州市 西湖区 某某路8号" << QString(kZhejiang);
    QTest::newRow("only a repeated city") << "广东省 广州市 越秀区 广州市环市东路3101号(510180)"
                                          << "广东省广州市越秀区环市东路3101号(510180)";
    QTest::newRow("21 bytes") << "浙江省 杭州市 西湖区 "
                              << "浙江省杭州市西湖区";
    QTest::newRow("20 bytes") << "浙江省 杭州市 西湖区"
                              << "浙江省杭州市西湖区";
    QTest::newRow("already rebuilt") << QString(kZhejiang) << QString(kZhejiang);
    QTest::newRow("two-character province") << "北京 北京市 朝阳区 建国路88号"
                                            << "北京 北京市 朝阳区 建国路88号";
    QTest::newRow("long province") << "内蒙古自治区 呼和浩特市 新城区 某路1号"
                                   << "内蒙古自治区 呼和浩特市 新城区 某路1号";
    QTest::newRow("no district") << "浙江省 杭州市"
                                 << "浙江省 杭州市";
    QTest::newRow("ascii in the first parts") << "ABC DEF GHI 某某路"
                                              << "ABC DEF GHI 某某路";
    QTest::newRow("empty") << ""
                           << "";
    // 79 one-byte characters, then a two-byte one across the 80-byte limit.
    QTest::newRow("cut falls inside a character")
        << QStringLiteral("浙江省 杭州市 西湖区 ") + QString(79, QLatin1Char('A')) +
               QStringLiteral("路X")
        << QStringLiteral("浙江省杭州市西湖区") + QString(79, QLatin1Char('A'));
    QTest::newRow("40 characters fill 80 bytes")
        << QStringLiteral("浙江省 杭州市 西湖区 ") + QString(41, QChar(0x8DEF))
        << QStringLiteral("浙江省杭州市西湖区") + QString(40, QChar(0x8DEF));
    // The cut comes first: a district cut to two characters is no repetition.
    QTest::newRow("removal after the cut")
        << QStringLiteral("浙江省 杭州市 西湖区 ") + QString(38, QChar(0x8DEF)) +
               QStringLiteral("西湖区")
        << QStringLiteral("浙江省杭州市西湖区") + QString(38, QChar(0x8DEF)) +
               QStringLiteral("西湖");
}

void TestCleanup::normaliseAddress() {
    QFETCH(QString, address);
    QFETCH(QString, expected);
    QCOMPARE(tolvi::normaliseAddress(address), expected);
    QCOMPARE(tolvi::normaliseAddress(expected), expected);
}

QTEST_GUILESS_MAIN(TestCleanup)
#include "tst_cleanup.moc"

// Amount in Chinese capitals, and the messages of a refused amount.
#include "sales/AmountInCapitals.h"
#include "support/ScriptedPlatform.h"

#include <QTest>

using namespace tolvi;

class TestCapitals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void capitals_data();
    void capitals();
    void refusedTexts_data();
    void refusedTexts();
    void wrapperShowsTheMessages();
    void integerDigitLimit();
};

void TestCapitals::capitals_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("capitals");
    QTest::newRow("2345.67") << "2345.67"
                             << "贰仟叁佰肆拾伍元陆角柒分";
    QTest::newRow("100000") << "100000"
                            << "壹拾万元整";
    QTest::newRow("10.05") << "10.05"
                           << "壹拾元零伍分";
    QTest::newRow("1005") << "1005"
                          << "壹仟零伍元整";
    QTest::newRow("1000.05") << "1000.05"
                             << "壹仟元零伍分";
    QTest::newRow("1000.5") << "1000.5"
                            << "壹仟元伍角";
    QTest::newRow("12.3") << "12.3"
                          << "壹拾贰元叁角";
    QTest::newRow("0.5") << "0.5"
                         << "伍角";
    QTest::newRow("0.01") << "0.01"
                          << "壹分";
    QTest::newRow("5") << "5"
                       << "伍元整";
    QTest::newRow("100010000") << "100010000"
                               << "壹亿零壹万元整";
    QTest::newRow("20000000.8") << "20000000.8"
                                << "贰仟万元捌角";
    QTest::newRow("9876543210") << "9876543210"
                                << "玖拾捌亿柒仟陆佰伍拾肆万叁仟贰佰壹拾元整";
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("dot") << "."
                         << "";
    QTest::newRow("decimals truncated") << "1.999"
                                        << "壹元玖角玖分";
    QTest::newRow("no integer part") << ".5"
                                     << "伍角";
    QTest::newRow("dot last") << "7."
                              << "柒元整";
    // Long texts take the same value as short ones.
    QTest::newRow("long zero") << "0000000000.00"
                               << "";
    QTest::newRow("long leading zeros") << "0000000000.05"
                                        << "伍分";
    QTest::newRow("long half") << "0000000000.5"
                               << "伍角";
    QTest::newRow("wan-yi") << "1000000000000000"
                            << "壹仟万亿元整";
    QTest::newRow("empty wan group") << "100000000"
                                     << "壹亿元整";
    QTest::newRow("28 digits") << "1000000000000000000000000000"
                               << "壹仟亿亿亿元整";
}

void TestCapitals::capitals() {
    QFETCH(QString, amount);
    QFETCH(QString, capitals);
    const CapitalsResult r = convertAmountInCapitals(amount);
    QVERIFY(r.ok);
    QVERIFY(r.messages.isEmpty());
    QCOMPARE(r.text, capitals);
}

void TestCapitals::refusedTexts_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QStringList>("messages");
    const QString readError = QStringLiteral("读取错误，应为数字");
    QTest::newRow("negative") << "-5" << QStringList{"45", readError};
    QTest::newRow("blank") << "1 000" << QStringList{"32", readError};
    QTest::newRow("comma") << "1,5" << QStringList{"44", readError};
    QTest::newRow("chinese") << "五" << QStringList{"206", readError}; // GBK CEE5
    QTest::newRow("two dots") << "1.2.3" << QStringList{readError};
}

void TestCapitals::refusedTexts() {
    QFETCH(QString, amount);
    QFETCH(QStringList, messages);
    const CapitalsResult r = convertAmountInCapitals(amount);
    QVERIFY(!r.ok);
    QCOMPARE(r.text, QString());
    QCOMPARE(r.messages, messages);
}

void TestCapitals::wrapperShowsTheMessages() {
    auto* p = test::ScriptedPlatform::install();
    QCOMPARE(amountInCapitals(QStringLiteral("-12.5")), QString());
    QCOMPARE(p->texts(), (QStringList{"45", "读取错误，应为数字"}));
    p->clear();
    QCOMPARE(amountInCapitals(QStringLiteral("12.5")), QStringLiteral("壹拾贰元伍角"));
    QVERIFY(p->messages.isEmpty());
    setPlatform(nullptr);
}

void TestCapitals::integerDigitLimit() {
    const QString max(kMaxCapitalsIntegerDigits, QLatin1Char('9'));
    const CapitalsResult atLimit = convertAmountInCapitals(max + QStringLiteral(".99"));
    QVERIFY(atLimit.ok);
    QVERIFY(atLimit.text.startsWith(QStringLiteral("玖仟玖佰玖拾玖亿亿亿玖仟")));
    QVERIFY(atLimit.text.endsWith(QStringLiteral("玖元玖角玖分")));
    // Leading zeros do not count toward the limit.
    QVERIFY(convertAmountInCapitals(QStringLiteral("00") + max).ok);

    const CapitalsResult over = convertAmountInCapitals(QStringLiteral("1") + max);
    QVERIFY(!over.ok);
    QCOMPARE(over.text, QString());
    QCOMPARE(over.messages, QStringList{QStringLiteral("金额太大，整数部分最多28位")});
}

QTEST_GUILESS_MAIN(TestCapitals)
#include "tst_capitals.moc"

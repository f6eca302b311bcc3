// Display formats of grid cells and footers.
#include "grid/DisplayFormat.h"

#include <QTest>

using namespace tolvi::grid;

class TestDisplayFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatNumber_data();
    void formatNumber();
    void cellText_data();
    void cellText();
};

void TestDisplayFormat::formatNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("#.## zero is empty") << 0.0 << "#.##"
                                        << "";
    QTest::newRow("#.## trailing zero dropped") << 12.5 << "#.##"
                                                << "12.5";
    QTest::newRow("#.## no leading zero") << 0.5 << "#.##"
                                          << ".5";
    QTest::newRow("#.## whole") << 12.0 << "#.##"
                                << "12";
    QTest::newRow("#.## rounds") << 2.346 << "#.##"
                                 << "2.35";
    QTest::newRow("#.## rounds half up") << 2.675 << "#.##"
                                         << "2.68";
    QTest::newRow("0.00 large") << 123456789012.345 << "0.00"
                                << "123456789012.35";
    QTest::newRow("0.00 tiny") << 0.000001 << "0.00"
                               << "0.00";
    QTest::newRow("#.## rounds up to whole") << 9.999 << "#.##"
                                             << "10";
    QTest::newRow("#.## negative") << -3.25 << "#.##"
                                   << "-3.25";
    QTest::newRow("#.## tiny negative is empty") << -0.001 << "#.##"
                                                 << "";
    QTest::newRow("#.### three decimals") << 1.2345 << "#.###"
                                          << "1.235";
    QTest::newRow("#.### small") << 0.125 << "#.###"
                                 << ".125";
    QTest::newRow("0.00 fixed") << 12.5 << "0.00"
                                << "12.50";
    QTest::newRow("0.00 zero") << 0.0 << "0.00"
                               << "0.00";
    QTest::newRow("0.00 below one") << 0.5 << "0.00"
                                    << "0.50";
    QTest::newRow("thousands") << 1234567.891 << "#,##0.00"
                               << "1,234,567.89";
    QTest::newRow("thousands small") << 12.0 << "#,##0.###"
                                     << "12";
    QTest::newRow("literal suffix") << 5.0 << "#,##0.###月"
                                    << "5月";
    QTest::newRow("quoted literal") << 3.0 << "0\"日\""
                                    << "3日";
    QTest::newRow("zero section") << 0.0 << "0.0;-0.0;无"
                                  << "无";
    QTest::newRow("negative section") << -2.0 << "0.0;(0.0)"
                                      << "(2.0)";
    QTest::newRow("general") << 0.1 + 0.2 << ""
                             << "0.3";
    QTest::newRow("general whole") << 42.0 << ""
                                   << "42";
}

void TestDisplayFormat::formatNumber() {
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(tolvi::grid::formatNumber(value, format), expected);
}

void TestDisplayFormat::cellText_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "#.##"
                          << "";
    QTest::newRow("null text") << QVariant(QMetaType(QMetaType::QString)) << ""
                               << "";
    QTest::newRow("integer") << QVariant(qlonglong(7)) << ""
                             << "7";
    QTest::newRow("real") << QVariant(2.5) << ""
                          << "2.5";
    QTest::newRow("real formatted") << QVariant(0.5) << "#.##"
                                    << ".5";
    QTest::newRow("numeric text formatted") << QVariant(QStringLiteral("12.50")) << "#.##"
                                            << "12.5";
    QTest::newRow("text kept") << QVariant(QStringLiteral("张三")) << "#.##"
                               << "张三";
    QTest::newRow("date text") << QVariant(QStringLiteral("2024-05-01")) << ""
                               << "2024-05-01";
    QTest::newRow("line breaks on one line") << QVariant(QStringLiteral("北京\r\n海淀")) << ""
                                             << "北京  海淀";
}

void TestDisplayFormat::cellText() {
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(displayText(value, format), expected);
}

QTEST_GUILESS_MAIN(TestDisplayFormat)
#include "tst_displayformat.moc"

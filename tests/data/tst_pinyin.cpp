// Pinyin-initials key on real GBK bytes.
#include "data/Pinyin.h"
#include "data/PinyinTables.h"
#include "platform/Gbk.h"

#include <QTest>

using namespace tolvi;

class TestPinyin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initials_data();
    void initials();
    void level1IntervalEnds_data();
    void level1IntervalEnds();
    void loneLeadByteAtTheEnd();
    void tablesHoldTheirCharacters();
    void characterWithoutGbkForm();
};

void TestPinyin::initials_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ascii") << "Ab9"
                           << "Ab9";
    QTest::newRow("all pass-through marks") << "!.#$%()*+-,/[\\|^~{}_@`"
                                            << "!.#$%()*+-,/[\\|^~{}_@`";
    QTest::newRow("zhongguo") << "中国"
                              << "zg";
    QTest::newRow("level-1 word") << "联想笔记本"
                                  << "lxbjb";
    QTest::newRow("brackets") << "张三(北京)"
                              << "zs(bj)";
    QTest::newRow("mixed") << "iPhone手机"
                           << "iPhonesj";
    QTest::newRow("level-2") << "鑫"
                             << "x";
    QTest::newRow("first level-2") << "亍"
                                   << "c";
    QTest::newRow("last level-2") << "齄"
                                  << "z";
    QTest::newRow("level-2 without entry") << "丨"
                                           << "!";
    QTest::newRow("full-width comma") << "，"
                                      << "!";
    QTest::newRow("colon swallows next") << "x:y"
                                         << "x!";
    QTest::newRow("blank before ascii") << "a b"
                                        << "a!";
    // The blank pairs with the lead byte of 手 (s table), then the walk is out
    // of step: trail of 手 + lead of 机 falls in z, trail of 机 + NUL gives "!".
    QTest::newRow("out of step") << "苹果 手机"
                                 << "pgsz!";
    QTest::newRow("back in step after the swallowed mark") << "苹 手机(机)"
                                                           << "psz!j)";
    QTest::newRow("trailing blank") << "ab "
                                    << "ab!";
}

void TestPinyin::initials() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    const QString got = pinyinInitials(text);
    QCOMPARE(got, key);
    QVERIFY(got.size() <= gbk::encode(text).size());
}

void TestPinyin::level1IntervalEnds_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<char>("letter");
    for (const auto& r : pinyin::kLevel1Ranges) {
        QTest::addRow("%c from", r.letter) << int(r.from) << r.letter;
        QTest::addRow("%c to", r.letter) << int(r.to) << r.letter;
    }
    QTest::newRow("below a") << 0xB0A0 << '\0';
    QTest::newRow("above z") << 0xD7FA << '\0';
    QTest::newRow("symbol area") << 0xA3AC << '\0';
    QTest::newRow("ascii pair") << 0x4142 << '\0';
}

void TestPinyin::level1IntervalEnds() {
    QFETCH(int, value);
    QFETCH(char, letter);
    QByteArray pair(2, '\0');
    pair[0] = char(value >> 8);
    pair[1] = char(value & 0xFF);
    QCOMPARE(gb2312Initial(pair), letter);
    // Only the first two bytes count.
    QCOMPARE(gb2312Initial(pair + "xyz"), letter);
}

void TestPinyin::loneLeadByteAtTheEnd() {
    // A lead byte alone is paired with NUL: 0xC4 * 256 lies in m.
    QCOMPARE(pinyinInitialsOfGbk(QByteArray("a\xC4", 2)), QByteArray("am"));
    QCOMPARE(pinyinInitialsOfGbk(QByteArray("a\xB0", 2)), QByteArray("a!"));
    QCOMPARE(pinyinInitialsOfGbk(QByteArray("\xD8", 1)), QByteArray("!"));
    // A GBK extension character inside an interval gets its letter too.
    QCOMPARE(pinyinInitialsOfGbk(QByteArray("\xC4\x40", 2)), QByteArray("m"));
}

void TestPinyin::tablesHoldTheirCharacters() {
    // Every table character alone gives a letter, and the first table that
    // lists it is the one the walk picks.
    const auto& tables = pinyin::level2Tables();
    QCOMPARE(int(tables.size()), 23);
    QString letters;
    for (const auto& t : tables) {
        letters += QLatin1Char(t.letter);
        const QString text = QString::fromUtf8(t.utf8);
        QVERIFY(text.endsWith(QLatin1Char(' ')));
        for (qsizetype k = 0; k + 1 < text.size(); k += 2) {
            QCOMPARE(text.at(k + 1), QLatin1Char(' '));
            const QString ch = text.mid(k, 1);
            const QByteArray bytes = gbk::encode(ch);
            QCOMPARE(bytes.size(), 2);
            if (gb2312Initial(bytes) != '\0')
                continue; // a level-1 reading wins over the table
            const QString key = pinyinInitials(ch);
            QCOMPARE(key.size(), 1);
            QVERIFY2(key.at(0).toLatin1() <= t.letter, qPrintable(ch));
        }
    }
    QCOMPARE(letters, QStringLiteral("abcdefghjklmnopqrstwxyz"));
}

void TestPinyin::characterWithoutGbkForm() {
    // An emoji has no GBK form; it must not turn into a '?' that swallows the
    // next character.
    QCOMPARE(pinyinInitials(QString::fromUtf8("中\xF0\x9F\x98\x80国")), QStringLiteral("z!g"));
    QCOMPARE(pinyinInitials(QStringLiteral("?a")), QStringLiteral("!"));
}

QTEST_GUILESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"

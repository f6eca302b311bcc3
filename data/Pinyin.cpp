#include "data/Pinyin.h"

#include "data/PinyinTables.h"
#include "platform/Gbk.h"

#include <QList>
#include <vector>

namespace tolvi {
namespace {

bool passesThrough(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return true;
    static constexpr char kMarks[] = "!.#$%()*+-,/[\\|^~{}_@`";
    for (const char* m = kMarks; *m; ++m) {
        if (c == static_cast<unsigned char>(*m))
            return true;
    }
    return false;
}

struct GbkTable {
    char letter;
    QByteArray text;
};

const std::vector<GbkTable>& gbkTables() {
    static const std::vector<GbkTable> tables = [] {
        std::vector<GbkTable> out;
        for (const auto& t : pinyin::level2Tables())
            out.push_back({t.letter, gbk::encode(QString::fromUtf8(t.utf8))});
        return out;
    }();
    return tables;
}

// Stand-in for a character GBK cannot encode: a full-width question mark,
// which no interval or table holds, so it gives "!" and keeps the walk in step.
const QByteArray& unknownCharacter() {
    static const QByteArray q("\xA3\xBF", 2);
    return q;
}

} // namespace

char gb2312Initial(const QByteArray& pair) {
    const auto first = pair.size() > 0 ? static_cast<unsigned char>(pair.at(0)) : 0u;
    const auto second = pair.size() > 1 ? static_cast<unsigned char>(pair.at(1)) : 0u;
    const unsigned v = first * 256u + second;
    for (const auto& r : pinyin::kLevel1Ranges) {
        if (v >= r.from && v <= r.to)
            return r.letter;
    }
    return '\0';
}

QByteArray pinyinInitialsOfGbk(const QByteArray& gbk) {
    QByteArray result;
    const qsizetype n = gbk.size();
    qsizetype i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(gbk.at(i));
        if (passesThrough(c)) {
            result.append(static_cast<char>(c));
            ++i;
            continue;
        }
        QByteArray pair(2, '\0');
        pair[0] = static_cast<char>(c);
        if (i + 1 < n)
            pair[1] = gbk.at(i + 1);
        char letter = gb2312Initial(pair);
        if (letter == '\0') {
            letter = '!';
            // A pair may straddle a character and its blank: the tables are
            // searched as plain byte strings on purpose.
            for (const auto& t : gbkTables()) {
                if (t.text.contains(pair)) {
                    letter = t.letter;
                    break;
                }
            }
        }
        result.append(letter);
        i += 2;
    }
    return result;
}

QString pinyinInitials(const QString& text) {
    QByteArray bytes;
    if (gbk::canEncode(text)) {
        bytes = gbk::encode(text);
    } else {
        // Per code point, so that '?' typed by the user stays apart from a
        // character that has no GBK form.
        for (const uint code : text.toUcs4()) {
            const char32_t cp = code;
            const QString ch = QString::fromUcs4(&cp, 1);
            bytes.append(gbk::canEncode(ch) ? gbk::encode(ch) : unknownCharacter());
        }
    }
    return QString::fromLatin1(pinyinInitialsOfGbk(bytes));
}

} // namespace tolvi

#include "import/AddressNormaliser.h"

#include "platform/Gbk.h"

#include <QHash>
#include <QList>

namespace tolvi {
namespace {

struct Unit {
    QString text; // one character (a surrogate pair stays together)
    int bytes;    // its length in GBK
};

// A character's length in GBK. Converting costs an iconv set-up per call, so
// each character is converted once and remembered; ASCII is one byte.
int gbkLength(const QString& ch) {
    if (ch.size() == 1 && ch.at(0).unicode() < 0x80)
        return 1;
    thread_local QHash<QString, int> known;
    const auto it = known.constFind(ch);
    if (it != known.constEnd())
        return *it;
    // Outside GBK: count as a two-byte character rather than as its '?'.
    const int bytes = gbk::canEncode(ch) ? static_cast<int>(gbk::encode(ch).size()) : 2;
    known.insert(ch, bytes);
    return bytes;
}

QList<Unit> gbkUnits(const QString& s) {
    QList<Unit> units;
    for (qsizetype i = 0; i < s.size(); ++i) {
        qsizetype len = 1;
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            len = 2;
        const QString ch = s.mid(i, len);
        units.append({ch, gbkLength(ch)});
        i += len - 1;
    }
    return units;
}

bool isBlank(const Unit& u) {
    return u.text == QLatin1String(" ");
}

// Three two-byte characters at units[from..from+2].
bool threeWide(const QList<Unit>& u, qsizetype from) {
    if (u.size() < from + 3)
        return false;
    for (qsizetype i = from; i < from + 3; ++i)
        if (u.at(i).bytes != 2)
            return false;
    return true;
}

QString join(const QList<Unit>& u, qsizetype from, qsizetype count) {
    QString out;
    for (qsizetype i = from; i < from + count && i < u.size(); ++i)
        out += u.at(i).text;
    return out;
}

} // namespace

QString normaliseAddress(const QString& address) {
    const QList<Unit> u = gbkUnits(address);
    // Units 0-2 province, 3 blank, 4-6 city, 7 blank, 8-10 district, then a
    // blank or the end: exactly the bytes 1-21 of the shop's layout.
    const bool shopShape = threeWide(u, 0) && u.size() > 3 && isBlank(u.at(3)) && threeWide(u, 4) &&
                           u.size() > 7 && isBlank(u.at(7)) && threeWide(u, 8) &&
                           (u.size() == 11 || isBlank(u.at(11)));
    if (!shopShape)
        return address;
    const QString p1 = join(u, 0, 3);
    const QString p2 = join(u, 4, 3);
    const QString p3 = join(u, 8, 3);
    QString r;
    int bytes = 0;
    for (qsizetype i = 12; i < u.size(); ++i) {
        if (bytes + u.at(i).bytes > 80)
            break;
        bytes += u.at(i).bytes;
        r += u.at(i).text;
    }
    r.remove(p1);
    r.remove(p2);
    r.remove(p3);
    return p1 + p2 + p3 + r;
}

} // namespace tolvi

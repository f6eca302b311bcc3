#include "data/db/JetDialect.h"

#include <QRegularExpression>
#include <QVector>

namespace tolvi::db {
namespace {

bool isIdentChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

namespace {

// "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss" in ASCII digits: already the stored
// form, which the patterns below would give back unchanged.
bool isStoredDateForm(const QString& text) {
    static constexpr char kLong[] = "dddd-dd-dd dd:dd:dd";
    const qsizetype n = text.size();
    if (n != 10 && n != 19)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (kLong[i] == 'd' ? (c < u'0' || c > u'9') : c != char16_t(kLong[i]))
            return false;
    }
    return true;
}

} // namespace

QString normaliseDateLiteral(const QString& text) {
    if (isStoredDateForm(text))
        return text;
    static const QRegularExpression iso(QStringLiteral(
        R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    static const QRegularExpression us(QStringLiteral(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    int y = 0, m = 0, d = 0;
    QRegularExpressionMatch match = iso.match(text);
    int timeGroup = 4;
    if (match.hasMatch()) {
        y = match.captured(1).toInt();
        m = match.captured(2).toInt();
        d = match.captured(3).toInt();
    } else {
        match = us.match(text);
        if (!match.hasMatch())
            return text;
        m = match.captured(1).toInt();
        d = match.captured(2).toInt();
        y = match.captured(3).toInt();
    }
    QString out = QStringLiteral("%1-%2-%3")
                      .arg(y, 4, 10, QLatin1Char('0'))
                      .arg(m, 2, 10, QLatin1Char('0'))
                      .arg(d, 2, 10, QLatin1Char('0'));
    if (!match.captured(timeGroup).isEmpty()) {
        out += QStringLiteral(" %1:%2:%3")
                   .arg(match.captured(timeGroup).toInt(), 2, 10, QLatin1Char('0'))
                   .arg(match.captured(timeGroup + 1).toInt(), 2, 10, QLatin1Char('0'))
                   .arg(match.captured(timeGroup + 2).toInt(), 2, 10, QLatin1Char('0'));
    }
    return out;
}

RewrittenSql rewriteJetSql(const QString& jetSql) {
    RewrittenSql result;
    QString& out = result.sql;
    out.reserve(jetSql.size() + 32);
    // true marks a parenthesis opened by a wrapped year()/month()/day()
    QVector<bool> parens;
    const qsizetype n = jetSql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = jetSql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // quoted text, with doubled quotes inside
            qsizetype j = i + 1;
            while (j < n) {
                if (jetSql.at(j) == c) {
                    if (j + 1 < n && jetSql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += jetSql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('[')) {
            qsizetype j = jetSql.indexOf(QLatin1Char(']'), i + 1);
            if (j < 0)
                j = n - 1;
            const QString inside = jetSql.mid(i + 1, j - i - 1);
            out += jetSql.mid(i, j - i + 1);
            i = j + 1;
            static const QRegularExpression excel(
                QStringLiteral(R"(^\s*excel\s+8\.0\s*;\s*database\s*=(.*)$)"),
                QRegularExpression::CaseInsensitiveOption);
            const auto m = excel.match(inside);
            if (m.hasMatch() && i + 1 < n && jetSql.at(i) == QLatin1Char('.') &&
                jetSql.at(i + 1) == QLatin1Char('[')) {
                const qsizetype k = jetSql.indexOf(QLatin1Char(']'), i + 2);
                if (k > 0) {
                    WorkbookRef ref;
                    ref.schema = inside;
                    ref.path = m.captured(1).trimmed();
                    ref.table = jetSql.mid(i + 2, k - i - 2);
                    result.workbooks.append(ref);
                    out += jetSql.mid(i, k - i + 1);
                    i = k + 1;
                }
            }
            continue;
        }
        if (c == QLatin1Char('#')) {
            const qsizetype j = jetSql.indexOf(QLatin1Char('#'), i + 1);
            if (j > i) {
                const QString inside = jetSql.mid(i + 1, j - i - 1);
                const QString date = normaliseDateLiteral(inside);
                if (date != inside || inside.contains(QLatin1Char('-'))) {
                    out += QLatin1Char('\'') + date + QLatin1Char('\'');
                    i = j + 1;
                    continue;
                }
            }
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype j = i;
            while (j < n && isIdentChar(jetSql.at(j)))
                ++j;
            const QString word = jetSql.mid(i, j - i);
            qsizetype k = j;
            while (k < n && jetSql.at(k).isSpace())
                ++k;
            const bool call = k < n && jetSql.at(k) == QLatin1Char('(');
            const QString lower = word.toLower();
            if (call && (lower == QLatin1String("year") || lower == QLatin1String("month") ||
                         lower == QLatin1String("day"))) {
                out += QStringLiteral("CAST(jet_") + lower + QLatin1Char('(');
                parens.append(true);
                i = k + 1;
                continue;
            }
            out += word;
            i = j;
            continue;
        }
        if (c == QLatin1Char('(')) {
            parens.append(false);
        } else if (c == QLatin1Char(')')) {
            if (!parens.isEmpty() && parens.takeLast()) {
                out += QStringLiteral(") AS INTEGER)");
                ++i;
                continue;
            }
        } else if (c == QLatin1Char('-') && i + 1 < n && jetSql.at(i + 1) == QLatin1Char('-')) {
            // SQLite would read "--" as a comment; Jet has none. Keep the meaning
            // "minus minus" by spacing the two signs apart.
            out += QStringLiteral("- ");
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    return result;
}

} // namespace tolvi::db

#include "import/CsvTable.h"

#include "data/db/DbError.h"
#include "data/db/JetDialect.h"
#include "platform/Gbk.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace tolvi {
namespace {

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // Decoding happens on conversion to QString.
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The shop writes payment times as "2017-07-08 00:42:39"; a CSV re-saved by
// Excel has "2017/7/8 0:42". Dates are stored as yyyy-mm-dd[ hh:mm:ss].
bool isTimeTitle(const QString& title) {
    const QString t = title.trimmed();
    return t.endsWith(QStringLiteral("时间")) || t.endsWith(QStringLiteral("日期"));
}

QChar guessSeparator(const QString& text) {
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString head = end < 0 ? text : text.left(end);
    return head.count(QLatin1Char('\t')) > head.count(QLatin1Char(',')) ? QLatin1Char('\t')
                                                                        : QLatin1Char(',');
}

} // namespace

QString decodeCsvBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return gbk::decode(bytes);
}

QList<QStringList> parseCsv(const QString& text, QChar sep) {
    QList<QStringList> records;
    forEachCsvRecord(text, sep, [&](const QStringList& record) { records.append(record); });
    return records;
}

void forEachCsvRecord(const QString& text, QChar sep,
                      const std::function<void(const QStringList&)>& onRecord) {
    QStringList record;
    QString field;
    bool quoted = false;    // inside a quoted section
    bool fieldSeen = false; // the record has content (a blank line has none)
    const qsizetype n = text.size();
    auto endRecord = [&] {
        if (fieldSeen || !field.isEmpty() || !record.isEmpty()) {
            record.append(field);
            onRecord(record);
        }
        record.clear();
        field.clear();
        fieldSeen = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                // The run up to the next quote at once.
                qsizetype j = text.indexOf(QLatin1Char('"'), i);
                if (j < 0)
                    j = n;
                field += QStringView(text).mid(i, j - i);
                i = j - 1;
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            fieldSeen = true;
        } else if (c == sep) {
            record.append(field);
            field.clear();
            fieldSeen = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRecord();
        } else {
            // The run of plain characters up to the next one that matters.
            qsizetype j = i + 1;
            while (j < n) {
                const QChar d = text.at(j);
                if (d == sep || d == QLatin1Char('"') || d == QLatin1Char('\r') ||
                    d == QLatin1Char('\n'))
                    break;
                ++j;
            }
            field += QStringView(text).mid(i, j - i);
            i = j - 1;
        }
    }
    if (quoted)
        throw db::DbError(QStringLiteral("CSV文件格式错误：有一个引号没有结束。"));
    endRecord();
}

QString unwrapShopCell(const QString& cell) {
    static const QRegularExpression formula(QStringLiteral(R"re(^\s*="(.*)"\s*$)re"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression apostrophe(QStringLiteral(R"(^'([0-9][0-9 .+\-]*)$)"));
    // Most cells are plain: a pattern runs only where its one required
    // character is present.
    if (cell.contains(QLatin1Char('='))) {
        if (const auto m = formula.match(cell); m.hasMatch())
            return m.captured(1);
    }
    if (cell.startsWith(QLatin1Char('\''))) {
        if (const auto m = apostrophe.match(cell); m.hasMatch())
            return m.captured(1);
    }
    return cell;
}

db::ExternalTable csvTableFromBytes(const QByteArray& bytes, const db::ColumnFilter& wanted) {
    const QString text = decodeCsvBytes(bytes);
    db::ExternalTable table;
    bool titles = true;
    QList<bool> timeColumn;
    QList<bool> read;
    // Each record becomes a row as it is parsed; the records are not kept.
    forEachCsvRecord(text, guessSeparator(text), [&](const QStringList& fields) {
        if (titles) {
            titles = false;
            table.columns = fields;
            for (const QString& title : table.columns)
                timeColumn.append(isTimeTitle(title));
            read = QList<bool>(table.columns.size(), true);
            if (wanted) {
                bool any = false;
                for (qsizetype c = 0; c < read.size(); ++c)
                    any = (read[c] = wanted(static_cast<int>(c), table.columns.at(c))) || any;
                if (!any)
                    read.fill(true);
            }
            return;
        }
        QList<QVariant> row(fields.size());
        bool any = false;
        for (qsizetype c = 0; c < fields.size(); ++c) {
            QString value = unwrapShopCell(fields.at(c));
            if (value.isEmpty())
                continue;
            // A row counts as empty only if every field is, read or not.
            any = true;
            if (c < read.size() && !read.at(c))
                continue;
            if (c < timeColumn.size() && timeColumn.at(c))
                value = db::normaliseDateLiteral(value);
            row[c] = value;
        }
        if (any)
            table.rows.push_back(std::move(row));
    });
    return table;
}

db::ExternalTable readCsvTable(const QString& path, const db::ColumnFilter& wanted) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("无法打开文件“%1”：%2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
    return csvTableFromBytes(file.readAll(), wanted);
}

} // namespace tolvi

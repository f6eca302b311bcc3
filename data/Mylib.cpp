#include "data/Mylib.h"

#include "platform/Platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tolvi {
QString trimBlanksAndControls(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= 32)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

QString sqlText(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return v;
}

bool requireText(QWidget* box, const QString& text, const QString& message) {
    if (!trimBlanksAndControls(text).isEmpty())
        return true;
    platform().warning(box ? box->window() : nullptr, message);
    if (box)
        box->setFocus(Qt::OtherFocusReason);
    return false;
}

bool requireEditText(QLineEdit* box, const QString& message) {
    return requireText(box, box->text(), message);
}

bool requireComboText(QComboBox* box, const QString& message) {
    return requireText(box, box->currentText(), message);
}

void openQuery(db::Dataset* query, const QString& statement) {
    query->close();
    query->sql().clear();
    query->sql().append(statement);
    query->open();
}

int execQuery(db::Dataset* query, const QString& statement) {
    query->close();
    query->sql().clear();
    query->sql().append(statement);
    return query->execSql();
}

void openGroupedQuery(db::Dataset* query, const QString& field, const QString& table) {
    openQuery(query, QStringLiteral("select ") + field + QStringLiteral(" from ") + table +
                         QStringLiteral(" group by ") + field + QStringLiteral(" order by ") +
                         field);
}

void fillComboFromGroupedQuery(db::Dataset* query, const QString& field, const QString& table,
                               QComboBox* box) {
    box->clear();
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
    openGroupedQuery(query, field, table);
    const int count = query->recordCount();
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        items.append(query->fieldByName(field).asString());
        query->next();
    }
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
}

bool runCommand(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const db::DbError& e) {
        platform().error(parent, e.message());
    } catch (const std::exception& e) {
        platform().error(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace tolvi

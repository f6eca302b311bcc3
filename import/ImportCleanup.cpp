#include "import/ImportCleanup.h"

#include "data/Mylib.h"
#include "import/AddressNormaliser.h"

namespace tolvi {
void optimiseImportedData(db::Dataset* list, const QString& defaultCourier,
                          const std::function<void()>& showAllRecords) {
    execQuery(list, QStringLiteral("update data set d='") + sqlText(defaultCourier) +
                        QStringLiteral("'"));
    execQuery(list, QStringLiteral("update data set g='未打印'"));
    execQuery(list, QStringLiteral("update data set day1=Date();"));
    if (showAllRecords)
        showAllRecords();
}

void optimiseRecipientAddresses(db::Dataset* list, const std::function<void()>& showAllRecords) {
    db::Connection* connection = list->connection();
    connection->begin();
    try {
        const db::ControlsDisabled quiet(list);
        list->first();
        while (!list->eof() && list->recordCount() > 0) {
            const db::Field phone = list->fieldByName(QStringLiteral("b"));
            const db::Field address = list->fieldByName(QStringLiteral("c"));
            list->edit();
            if (!phone.isNull()) {
                const QString text = phone.asString();
                const QString shortened = text.size() > 11 ? text.right(11) : text;
                if (shortened != text)
                    list->setValue(QStringLiteral("b"), shortened);
            }
            if (!address.isNull()) {
                const QString text = address.asString();
                const QString rebuilt =
                    trimBlanksAndControls(normaliseAddress(trimBlanksAndControls(text)));
                if (rebuilt != text)
                    list->setValue(QStringLiteral("c"), rebuilt);
            }
            list->post();
            list->next();
        }
        connection->commit();
    } catch (...) {
        list->cancel();
        connection->rollback();
        if (showAllRecords)
            showAllRecords();
        throw;
    }
    if (showAllRecords)
        showAllRecords();
}

} // namespace tolvi

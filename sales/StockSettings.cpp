#include "sales/StockSettings.h"

#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tolvi {

StockSettings::StockSettings(QWidget* host) : QObject(host) {
    alarm_ = new QLineEdit(QStringLiteral("5"), host);
    alarm_->setObjectName(QStringLiteral("stockAlarm"));
    alarm_->setToolTip(QStringLiteral("修改库存报警数量，记录变成红色"));
    alarm_->setAccessibleName(QStringLiteral("库存报警数量"));
    alarm_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), alarm_));
    alarm_->hide();
    connect(alarm_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            alarm_->setText(QStringLiteral("0")); // writes "0" in its turn
            return;
        }
        SettingsStore::write(kKeyKdd, QStringLiteral("number"), text);
    });

    zeroStock_ = new QCheckBox(QStringLiteral("不显示零库存"), host);
    zeroStock_->setAccessibleName(QStringLiteral("不显示零库存"));
    zeroStock_->hide();
    connect(zeroStock_, &QCheckBox::toggled, this, &StockSettings::zeroStockToggled);
}

void StockSettings::restore() {
    const QString stored = SettingsStore::read(kKeyKdd, QStringLiteral("number"));
    if (!stored.isEmpty())
        alarm_->setText(stored);
}

void StockSettings::zeroStockToggled(bool checked) {
    SettingsStore::write(kKeyKdd, QStringLiteral("n0"),
                         checked ? QStringLiteral("no") : QStringLiteral("yes"));
    if (setListBaseQuery) {
        if (checked)
            setListBaseQuery(QStringLiteral("select * from data where [7]<>0 order by day1"),
                             QStringLiteral("where [7]<>0"));
        else
            setListBaseQuery(QStringLiteral("select * from data order by day1"),
                             QStringLiteral("where [2]>0"));
    }
    if (showAllRecords)
        showAllRecords();
}

} // namespace tolvi

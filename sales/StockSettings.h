#pragma once
// The two hidden stock settings of the main window: the stock alarm quantity
// (`number`) and the "不显示零库存" choice (`n0`), both kept under kKeyKdd.

#include <QObject>
#include <functional>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace tolvi {

class StockSettings : public QObject {
    Q_OBJECT
public:
    // The widgets are made children of host and stay hidden.
    explicit StockSettings(QWidget* host);

    // Sets the list's full-list statement and condition text, then reloads it.
    std::function<void(const QString& statement, const QString& condition)> setListBaseQuery;
    std::function<void()> showAllRecords;

    QLineEdit* alarmEdit() const { return alarm_; }
    QCheckBox* zeroStockBox() const { return zeroStock_; }

    // First show: a stored alarm quantity that is not empty is put back.
    void restore();

private:
    void zeroStockToggled(bool checked);

    QLineEdit* alarm_;
    QCheckBox* zeroStock_;
};

} // namespace tolvi

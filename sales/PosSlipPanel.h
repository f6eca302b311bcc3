#pragma once
// The POS slip panel of the sales detail window: up to six sold items, their
// total, the cash paid and the change, and the receipt print.

#include "sales/PosReceipt.h"
#include "sales/XstjPanelFrame.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tolvi::xstj {

struct SlipItem {
    QString code, name, model, quantity, price, amount;
};

// One row of the slip: six read-only fields and its "删" button.
struct SlipLine {
    QLineEdit* code = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* model = nullptr;
    QLineEdit* quantity = nullptr;
    QLineEdit* price = nullptr;
    QLineEdit* amount = nullptr;
    QPushButton* clearButton = nullptr;

    bool isFree() const;
    void clear();
    void fill(const SlipItem& item); // the amount in the form "0.00"
};

inline constexpr int kSlipLineCount = 6;

class PosSlipPanel : public XstjPanelFrame {
    Q_OBJECT
public:
    explicit PosSlipPanel(QWidget* parent = nullptr);

    const SlipLine& line(int index) const { return lines_.at(index); }
    // Fills the first free line; its index, or -1 when all six are taken.
    int addItem(const SlipItem& item);

    void updateSlipTotal();
    // change ← cash − total, when cash is given (an unparsable cash raises).
    void computeChange();
    // Empties the customer name, cash, change and all six lines.
    void clearSlip();
    // The close picture: hides the panel and empties the six lines.
    void closePanel();
    // The panel's "销售单打印": clearSlip, the customer name and the remark.
    void clearForSalesSlip();

    ReceiptInput receiptInput() const; // without operator, company, address and time

    QLineEdit* customerNameEdit() const { return customer_; }
    QPlainTextEdit* remarkEdit() const { return remark_; }
    QLineEdit* totalEdit() const { return total_; }
    QLineEdit* cashEdit() const { return cash_; }
    QLineEdit* changeEdit() const { return change_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* salesSlipButton() const { return salesSlip_; }

Q_SIGNALS:
    void printRequested();

private:
    std::array<SlipLine, kSlipLineCount> lines_;
    QLineEdit* customer_;
    QPlainTextEdit* remark_;
    QLineEdit* total_;
    QLineEdit* cash_;
    QLineEdit* change_;
    QPushButton* print_;
    QPushButton* salesSlip_;
};

} // namespace tolvi::xstj

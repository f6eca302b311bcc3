#pragma once
// The sales slip: an A4 delivery note listing the rows of the sales detail
// list with the customer's data, the total in figures and in Chinese
// capitals, and the issuer.

#include "report/Report.h"

#include <QObject>

class QWidget;

namespace tolvi {

namespace db {
class Dataset;
}

// What the sales detail window hands to the slip.
struct SalesSlipInputs {
    QString customerNumber;               // its "客户编号：" field
    const db::Dataset* details = nullptr; // the detail dataset, current row = customer
    QString companyName;                  // "单位名称："
    QString addressLine;                  // "电话地址："
    QString amountFooter;                 // footer text of the amount column
    QString operatorName;                 // chosen at login
};

class Tform22 : public QObject {
    Q_OBJECT
public:
    explicit Tform22(QObject* parent = nullptr);

    report::Report& report() { return report_; }
    report::ReportItem* item(const QString& name) const { return report_.item(name); }

    // Sets the slip's texts in order, then previews; returns when the preview closes.
    void printSalesSlip(const SalesSlipInputs& inputs, QWidget* parent = nullptr);

    report::ReportItem* QRLabelTitle;
    report::ReportItem* QRLabelAddress;
    report::ReportItem* QRLabelNumber;
    report::ReportItem* QRLabelCustomer;
    report::ReportItem* QRLabelDate;
    report::ReportItem* QRLabelCustomerAddress;
    report::ReportItem* QRLabelTelephone;
    report::ReportItem* QRLabelCapitals;
    report::ReportItem* QRLabelFigures;
    report::ReportItem* QRLabelIssuer;

private:
    report::Report report_;
};

} // namespace tolvi

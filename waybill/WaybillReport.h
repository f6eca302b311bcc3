#pragma once
// The two waybill reports: one detail band carrying the seven items, with
// align-to-bottom so that the waybill sits on the lower edge of the sheet.
// Both live for the whole run; texts and positions set by one print run stay
// until the next run changes them.

#include "report/Report.h"
#include "waybill/WaybillItem.h"

#include <QObject>
#include <array>

namespace tolvi {

class WaybillReport : public QObject {
    Q_OBJECT
public:
    report::Report& report() { return report_; }
    const report::Report& report() const { return report_; }
    report::Band* band() const { return band_; }
    report::ReportItem* item(WaybillItem which) const { return items_[static_cast<size_t>(which)]; }

protected:
    WaybillReport(double bandHeightPx, QObject* parent);
    // Each item is made with its designed size, font and initial position.
    report::ReportItem* addLabel(WaybillItem which, double x, double y, double w, double h,
                                 double pointSize, bool grows);
    report::ReportItem* addRichText(WaybillItem which, double x, double y, double w, double h);
    report::ReportItem* addDbText(WaybillItem which, const QString& field, double x, double y,
                                  double w, double h, double pointSize);
    report::ReportItem* addDbRichText(WaybillItem which, const QString& field, double x, double y,
                                      double w, double h);

private:
    report::ReportItem* place(WaybillItem which, report::ReportItem* item, double pointSize);

    report::Report report_;
    report::Band* band_;
    std::array<report::ReportItem*, kWaybillItemCount> items_{};
};

// The single-waybill report: every item holds copied text; prints one band.
class TForm8 : public WaybillReport {
    Q_OBJECT
public:
    explicit TForm8(QObject* parent = nullptr);
    // The program's one single-waybill report, owned by the application.
    static TForm8* instance();

    report::ReportItem* QRLabel1;    // SenderName
    report::ReportItem* QRLabel2;    // SenderPhone
    report::ReportItem* QRRichText1; // SenderAddress
    report::ReportItem* QRLabel5;    // SenderNameCopy
    report::ReportItem* QRLabel3;    // RecipientName
    report::ReportItem* QRLabel4;    // RecipientPhone
    report::ReportItem* QRRichText2; // RecipientAddress
};

// The batch report: the recipient items are bound to fields a, b and c of
// the list, one band per record.
class TForm9 : public WaybillReport {
    Q_OBJECT
public:
    explicit TForm9(QObject* parent = nullptr);
    static TForm9* instance();

    report::ReportItem* QRLabel1;      // SenderName
    report::ReportItem* QRLabel2;      // SenderPhone
    report::ReportItem* QRRichText1;   // SenderAddress
    report::ReportItem* QRLabel5;      // SenderNameCopy
    report::ReportItem* QRDBText1;     // RecipientName, field a
    report::ReportItem* QRDBText2;     // RecipientPhone, field b
    report::ReportItem* QRDBRichText1; // RecipientAddress, field c
};

} // namespace tolvi

#include "waybill/PrintRuns.h"

#include "data/db/Dataset.h"
#include "platform/Platform.h"
#include "waybill/CalibrationStore.h"
#include "waybill/DatasetReportData.h"
#include "waybill/WaybillLayout.h"

namespace tolvi {

namespace {

// The report's pages with the default printer's calibration for the courier
// applied to every item; the report itself keeps no calibration afterwards.
PageSource calibratedPages(report::Report& report, Courier courier) {
    report.setContentTransform(printRunCalibration(courier).transform());
    PageSource pages = report.pageSource();
    report.setContentTransform({});
    // Positions count from the paper's edge: a layout in full-page mode keeps
    // the printer from moving the origin to its printable area.
    pages.layout.setMode(QPageLayout::FullPageMode);
    return pages;
}

} // namespace

QString noRecordToPrintText() {
    return QStringLiteral("列表中没有记录，无法打印快递单！");
}

void printSingleWaybill(QWidget* parent, Courier courier, db::Dataset* list,
                        const SenderTexts& sender) {
    TForm8& form = *TForm8::instance();
    setSenderItems(form, sender.name, sender.mobile, sender.address);
    if (!list || !list->isOpen() || list->recNo() < 0 || list->recNo() >= list->recordCount()) {
        platform().warning(parent, noRecordToPrintText());
        return;
    }
    // asString reads NULL as the empty text, as the batch report prints it.
    form.QRLabel3->setText(list->fieldByName(QStringLiteral("a")).asString());
    form.QRLabel4->setText(list->fieldByName(QStringLiteral("b")).asString());
    form.QRRichText2->setLines(list->fieldByName(QStringLiteral("c")).asString());
    applyCourierLayout(form, courier);
    form.report().setData(nullptr);
    platform().preview(parent, calibratedPages(form.report(), courier));
}

void printBatchWaybills(QWidget* parent, Courier courier, db::Dataset* list,
                        const SenderTexts& sender) {
    TForm9& form = *TForm9::instance();
    setSenderItems(form, sender.name, sender.mobile, sender.address);
    applyCourierLayout(form, courier);
    // An empty list would preview one blank page, and printing it would feed
    // a courier's form through the printer for nothing.
    if (!list || !list->isOpen() || list->recordCount() == 0) {
        platform().warning(parent, noRecordToPrintText());
        return;
    }
    // The pages take their copy of the records before the preview opens.
    const DatasetReportData data(list);
    form.report().setData(&data);
    const PageSource pages = calibratedPages(form.report(), courier);
    form.report().setData(nullptr);
    platform().preview(parent, pages);
}

} // namespace tolvi

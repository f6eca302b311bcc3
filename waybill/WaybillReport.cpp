#include "waybill/WaybillReport.h"

#include <QCoreApplication>
#include <QPointer>

namespace tolvi {

using report::ReportItem;

WaybillReport::WaybillReport(double bandHeightPx, QObject* parent) : QObject(parent) {
    auto& page = report_.page();
    page.orientation = QPageLayout::Portrait;
    page.marginsMm = QMarginsF(10, 10, 10, 8);
    page.zoomPercent = 100;
    report_.setPrintIfEmpty(true);
    report_.setTitle(QStringLiteral("快递单"));
    band_ = report_.addBand(report::BandKind::Detail, bandHeightPx);
    band_->setTransparent(false);
    band_->setColor(Qt::white);
    band_->setAlignToBottom(true);
}

ReportItem* WaybillReport::place(WaybillItem which, ReportItem* item, double pointSize) {
    report::ReportFont font;
    font.family = QStringLiteral("宋体");
    font.bold = true;
    font.pointSize = pointSize;
    item->setFont(font);
    items_[static_cast<size_t>(which)] = item;
    return item;
}

ReportItem* WaybillReport::addLabel(WaybillItem which, double x, double y, double w, double h,
                                    double pointSize, bool grows) {
    ReportItem* item = band_->addLabel(waybillItemName(which), x, y, w, h);
    item->setAutoSize(grows);
    item->setWordWrap(!grows);
    return place(which, item, pointSize);
}

ReportItem* WaybillReport::addRichText(WaybillItem which, double x, double y, double w, double h) {
    return place(which, band_->addRichText(waybillItemName(which), x, y, w, h), 14);
}

ReportItem* WaybillReport::addDbText(WaybillItem which, const QString& field, double x, double y,
                                     double w, double h, double pointSize) {
    ReportItem* item = band_->addDbText(waybillItemName(which), field, x, y, w, h);
    item->setAutoSize(true);
    item->setTransparent(false);
    item->setColor(Qt::white);
    return place(which, item, pointSize);
}

ReportItem* WaybillReport::addDbRichText(WaybillItem which, const QString& field, double x,
                                         double y, double w, double h) {
    return place(which, band_->addDbRichText(waybillItemName(which), field, x, y, w, h), 14);
}

TForm8::TForm8(QObject* parent) : WaybillReport(403, parent) {
    QRLabel1 = addLabel(WaybillItem::SenderName, 95, 59, 62, 24, 14, false);
    QRLabel2 = addLabel(WaybillItem::SenderPhone, 230, 62, 35, 20, 12, true);
    QRRichText1 = addRichText(WaybillItem::SenderAddress, 86, 88, 251, 73);
    QRLabel5 = addLabel(WaybillItem::SenderNameCopy, 645, 151, 62, 24, 14, false);
    QRLabel3 = addLabel(WaybillItem::RecipientName, 86, 173, 41, 22, 14, true);
    QRLabel4 = addLabel(WaybillItem::RecipientPhone, 232, 174, 35, 20, 12, true);
    QRRichText2 = addRichText(WaybillItem::RecipientAddress, 89, 194, 256, 77);
}

TForm9::TForm9(QObject* parent) : WaybillReport(435, parent) {
    QRLabel1 = addLabel(WaybillItem::SenderName, 95, 59, 62, 24, 14, false);
    QRLabel2 = addLabel(WaybillItem::SenderPhone, 137, 189, 35, 20, 12, true);
    QRRichText1 = addRichText(WaybillItem::SenderAddress, 96, 96, 249, 77);
    QRLabel5 = addLabel(WaybillItem::SenderNameCopy, 85, 263, 62, 24, 14, false);
    QRDBText1 = addDbText(WaybillItem::RecipientName, QStringLiteral("a"), 464, 40, 12, 20, 14);
    QRDBText2 = addDbText(WaybillItem::RecipientPhone, QStringLiteral("b"), 504, 184, 10, 20, 12);
    QRDBRichText1 =
        addDbRichText(WaybillItem::RecipientAddress, QStringLiteral("c"), 432, 80, 273, 77);
}

namespace {

// Owned by the application object so that they go before the font system does.
template <typename T> T* appOwned() {
    static QPointer<T> instance;
    if (!instance)
        instance = new T(QCoreApplication::instance());
    return instance;
}

} // namespace

TForm8* TForm8::instance() {
    return appOwned<TForm8>();
}

TForm9* TForm9::instance() {
    return appOwned<TForm9>();
}

} // namespace tolvi

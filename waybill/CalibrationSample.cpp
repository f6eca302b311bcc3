#include "waybill/CalibrationSample.h"

#include "waybill/CourierLayout.h"
#include "waybill/WaybillLayout.h"
#include "waybill/WaybillReport.h"

#include <QPainter>

namespace tolvi {

QString waybillItemCaption(WaybillItem item) {
    switch (item) {
    case WaybillItem::SenderName:
        return QStringLiteral("寄件人姓名");
    case WaybillItem::SenderPhone:
        return QStringLiteral("寄件人手机");
    case WaybillItem::SenderAddress:
        return QStringLiteral("寄件地址");
    case WaybillItem::SenderNameCopy:
        return QStringLiteral("寄件人姓名(副联)");
    case WaybillItem::RecipientName:
        return QStringLiteral("收件人姓名");
    case WaybillItem::RecipientPhone:
        return QStringLiteral("收件人手机");
    case WaybillItem::RecipientAddress:
        return QStringLiteral("收件地址");
    }
    return {};
}

CalibrationSample::CalibrationSample() : form_(std::make_unique<TForm8>()) {
    // Transparent, so that the grid under the sample stays visible.
    form_->band()->setTransparent(true);
    setSenderItems(*form_, QStringLiteral("张三"), QStringLiteral("13800000000"),
                   QStringLiteral("浙江省杭州市西湖区\n文三路100号"));
    form_->QRLabel3->setText(QStringLiteral("李四"));
    form_->QRLabel4->setText(QStringLiteral("13900000000"));
    form_->QRRichText2->setLines(QStringLiteral("上海市浦东新区\n世纪大道200号"));
    setCourier(courier_);
}

CalibrationSample::~CalibrationSample() = default;

void CalibrationSample::setCourier(Courier courier) {
    courier_ = courier;
    applyCourierLayout(*form_, courier);
    form_->report().setContentTransform({});
    snapshot_ = form_->report().snapshot();
}

QPageLayout CalibrationSample::pageLayout() const {
    return snapshot_->page.pageLayout();
}

QSizeF CalibrationSample::paperMm() const {
    return snapshot_->page.paperSizeMm();
}

QRectF CalibrationSample::bandRectMm() const {
    const double top = snapshot_->pages.at(0).at(0).topMm;
    return QRectF(snapshot_->page.marginsMm.left(), top, snapshot_->page.bandWidthMm(),
                  form_->band()->height() * snapshot_->mmPerPx);
}

std::optional<QPointF> CalibrationSample::itemPositionMm(WaybillItem item,
                                                         const PrintCalibration& c) const {
    const auto pos = courierLayout(courier_).position(item);
    if (!pos)
        return std::nullopt;
    const QPointF inBand = QPointF(*pos) * snapshot_->mmPerPx;
    return bandRectMm().topLeft() + c.transform().map(inBand);
}

void CalibrationSample::paint(QPainter& painter, const PrintCalibration& c) const {
    report::ReportSnapshot snap = *snapshot_;
    snap.contentTransform = c.transform();
    report::paintReportPage(painter, snap, 0);
}

} // namespace tolvi

#include "sales/Form22.h"

#include "data/db/Dataset.h"
#include "sales/AmountInCapitals.h"

#include <QDate>

namespace tolvi {

using report::Band;
using report::BandFrame;
using report::BandKind;
using report::HAlign;
using report::ReportItem;

namespace {

// The detail dataset in its current order; NULL reads as the empty text.
class DetailRows : public report::ReportData {
public:
    explicit DetailRows(const db::Dataset* d) : d_(d) {}
    int recordCount() const override { return d_ && d_->isOpen() ? d_->recordCount() : 0; }
    QString text(int record, const QString& field) const override {
        const int column = d_ ? d_->fieldIndex(field) : -1;
        if (column < 0)
            return {};
        return db::Field(field, d_->value(record, column)).asString();
    }

private:
    const db::Dataset* d_;
};

report::ReportFont songti(double points, bool bold = false, bool underline = false) {
    report::ReportFont f;
    f.family = QStringLiteral("宋体");
    f.pointSize = points;
    f.bold = bold;
    f.underline = underline;
    return f;
}

// A text that sizes itself to its content; alignment names the edge it keeps.
ReportItem* text(Band* band, const QString& name, double x, double y, double width,
                 const QString& content = {}, double points = 11, HAlign align = HAlign::Left,
                 bool bold = false) {
    ReportItem* item = band->addLabel(name, x, y, width, points > 12 ? 24 : 18, content);
    item->setFont(songti(points, bold));
    item->setAlignment(align);
    item->setAutoSize(true);
    return item;
}

ReportItem* centred(Band* band, const QString& name, double centreX, double y, double points,
                    bool bold = false) {
    const double width = 200;
    return text(band, name, centreX - width / 2, y, width, {}, points, HAlign::Center, bold);
}

const double kColumnRules[] = {160, 328, 384, 448, 512, 584};

void addColumnRules(Band* band) {
    for (double x : kColumnRules)
        band->addVerticalLine(x, 0, band->height());
}

ReportItem* field(Band* band, const QString& f, double x, double width, HAlign align) {
    ReportItem* item = band->addDbText(QStringLiteral("QRDBText_") + f, f, x, 6, width, 18);
    item->setFont(songti(11));
    item->setAlignment(align);
    return item;
}

// The customer texts: a NULL field leaves the whole line empty.
QString captioned(const db::Dataset* d, const QString& caption, const QString& name) {
    if (!d || !d->isOpen() || d->recNo() < 0 || d->fieldIndex(name) < 0)
        return {};
    const db::Field f = d->fieldByName(name);
    return f.isNull() ? QString() : caption + f.asString();
}

} // namespace

Tform22::Tform22(QObject* parent) : QObject(parent) {
    auto& page = report_.page();
    page.paper = QPageSize(QPageSize::A4);
    page.orientation = QPageLayout::Portrait;
    page.marginsMm = QMarginsF(15, 10, 15, 10);
    page.zoomPercent = 100;
    report_.setResolution(96);
    report_.setTitle(QStringLiteral("销售单"));
    report_.setPrintIfEmpty(true);

    Band* title = report_.addBand(BandKind::Title, 80);
    QRLabelTitle = centred(title, QStringLiteral("QRLabelTitle"), 328, 12, 16, true);
    title->addHorizontalLine(120, 33, 389);
    title->addHorizontalLine(120, 34, 389);
    QRLabelAddress = centred(title, QStringLiteral("QRLabelAddress"), 311, 46, 10);
    QRLabelNumber = text(title, QStringLiteral("QRLabelNumber"), 512, 43, 160);

    Band* customer = report_.addBand(BandKind::Title, 28);
    customer->setFrame(BandFrame::topLeftRight());
    QRLabelCustomer = text(customer, QStringLiteral("QRLabelCustomer"), 16, 6, 300);
    text(customer, QStringLiteral("QRLabelContact"), 336, 6, 80, QStringLiteral("联系人："));
    QRLabelDate = text(customer, QStringLiteral("QRLabelDate"), 504, 6, 170);

    Band* customer2 = report_.addBand(BandKind::Title, 28);
    customer2->setFrame(BandFrame::topLeftRight());
    QRLabelCustomerAddress = text(customer2, QStringLiteral("QRLabelCustomerAddress"), 16, 6, 300);
    QRLabelTelephone = text(customer2, QStringLiteral("QRLabelTelephone"), 336, 6, 300);

    Band* header = report_.addBand(BandKind::Title, 32);
    header->setFrame(BandFrame::topLeftRight());
    const std::pair<double, const char*> titles[] = {
        {40, "商品名称"}, {208, "规格型号"}, {339, "类别"}, {395, "数 量"},
        {459, "单 价"},   {528, "金 额"},    {608, "备 注"}};
    int n = 0;
    for (const auto& [x, caption] : titles)
        text(header, QStringLiteral("QRLabelHeader%1").arg(++n), x, 8, 80,
             QString::fromUtf8(caption), 11, HAlign::Left, true);
    addColumnRules(header);

    Band* detail = report_.addBand(BandKind::Detail, 28);
    detail->setFrame(BandFrame::topLeftRight());
    detail->setPrintWhenEmpty(true);
    field(detail, QStringLiteral("a"), 8, 145, HAlign::Left);
    field(detail, QStringLiteral("b"), 168, 153, HAlign::Left);
    field(detail, QStringLiteral("d"), 330, 44, HAlign::Center);
    field(detail, QStringLiteral("3"), 388, 50, HAlign::Right);
    field(detail, QStringLiteral("2"), 452, 50, HAlign::Right);
    field(detail, QStringLiteral("4"), 516, 58, HAlign::Right);
    addColumnRules(detail);

    Band* summary = report_.addBand(BandKind::Summary, 40);
    summary->setFrame(BandFrame::all());
    text(summary, QStringLiteral("QRLabelTotal"), 19, 5, 40, QStringLiteral("合 计"));
    text(summary, QStringLiteral("QRLabelRmb"), 15, 21, 40, QStringLiteral("人民币"));
    QRLabelCapitals = text(summary, QStringLiteral("QRLabelCapitals"), 57, 12, 440);
    summary->addVerticalLine(512, 0, 40);
    QRLabelFigures = text(summary, QStringLiteral("QRLabelFigures"), 528, 12, 140);
    QRLabelFigures->setFont(songti(11, false, true));

    Band* signature = report_.addBand(BandKind::Summary, 32);
    text(signature, QStringLiteral("QRLabelReceiver"), 24, 8, 80, QStringLiteral("收货人："));
    text(signature, QStringLiteral("QRLabelDeliverer"), 248, 8, 80, QStringLiteral("送货人："));
    QRLabelIssuer = text(signature, QStringLiteral("QRLabelIssuer"), 494, 8, 180);

    report_.addBand(BandKind::Summary, 40);
}

void Tform22::printSalesSlip(const SalesSlipInputs& in, QWidget* parent) {
    QRLabelNumber->setText(QStringLiteral("单 号：") + in.customerNumber);
    QRLabelCustomer->setText(
        captioned(in.details, QStringLiteral("客户名称："), QStringLiteral("g")));
    QRLabelCustomerAddress->setText(
        captioned(in.details, QStringLiteral("客户地址："), QStringLiteral("h")));
    QRLabelTelephone->setText(
        captioned(in.details, QStringLiteral("联系电话："), QStringLiteral("i")));
    QRLabelTitle->setText(in.companyName);
    QRLabelAddress->setText(in.addressLine);
    QRLabelDate->setText(QStringLiteral("开单日期：") +
                         QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QRLabelCapitals->setText(QStringLiteral("（大写） ") +
                             amountInCapitals(in.amountFooter, parent));
    QRLabelFigures->setText(QStringLiteral("￥") + in.amountFooter);
    QRLabelIssuer->setText(QStringLiteral("制单人：") + in.operatorName);

    const DetailRows rows(in.details);
    report_.setData(&rows);
    report_.preview(parent);
    report_.setData(nullptr);
}

} // namespace tolvi

#include "sales/PosReceipt.h"

#include "report/ReportFonts.h"

#include <QPainter>
#include <QPrinter>

namespace tolvi::xstj {
namespace {

const QString kSeparator = QString(31, QLatin1Char('-'));

} // namespace

QList<ReceiptLine> receiptLines(const ReceiptInput& in) {
    QList<ReceiptLine> lines{
        {0, QStringLiteral("      POS小票销售凭证"), true},
        {40, kSeparator},
        {60, QStringLiteral("条码\\名称        数量     金额 ")},
        {82, kSeparator},
    };
    int y = 105;
    for (const ReceiptItem& item : in.items) {
        if (item.name.isEmpty())
            continue;
        lines.append({y, item.name + QStringLiteral("      ") + item.quantity +
                             QStringLiteral("     ") + item.amount});
        y += 30;
    }
    const QString date = in.now.date().toString(QStringLiteral("yyyy-MM-dd"));
    const QString time = in.now.time().toString(QStringLiteral("hh:mm:ss"));
    const QString tail[] = {
        kSeparator,
        QStringLiteral("现金:") + in.cash + QStringLiteral("元    应收金额:") + in.total +
            QStringLiteral("元"),
        QStringLiteral("找零:") + in.change + QStringLiteral("元    收款员:") + in.operatorName,
        kSeparator,
        QStringLiteral("交易时间:") + date + QLatin1Char(' ') + time,
        QStringLiteral("Tolvi进销存软件提供打印技术支持"),
        kSeparator,
        QStringLiteral("         欢迎下次惠顾        "),
        kSeparator,
        in.company,
        in.address,
    };
    for (const QString& text : tail) {
        lines.append({y, text});
        y += 30;
    }
    return lines;
}

PageSource receiptPages(const QList<ReceiptLine>& lines, double dotsPerInch, double paperWidthMm) {
    const double mmPerDot = 25.4 / (dotsPerInch > 0 ? dotsPerInch : 96);
    PageSource pages;
    const QPageSize paper(QSizeF(paperWidthMm, kReceiptPaperLengthMm), QPageSize::Millimeter,
                          QStringLiteral("POS"), QPageSize::ExactMatch);
    pages.layout = QPageLayout(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    pages.pageCount = 1;
    pages.title = QStringLiteral("POS小票销售凭证");
    pages.paintPage = [lines, mmPerDot](QPainter& p, int) {
        const QFont heading = report::layoutFont({QStringLiteral("宋体"), 10, true, false, false});
        const QFont body = report::layoutFont({QStringLiteral("宋体"), 8, false, false, false});
        p.save();
        p.scale(1 / report::kTextUnitsPerMm, 1 / report::kTextUnitsPerMm);
        p.setPen(Qt::black);
        for (const ReceiptLine& line : lines) {
            // Text is placed by its top edge, as the device coordinates mean.
            const double top = line.y * mmPerDot * report::kTextUnitsPerMm;
            report::drawLayoutText(p, QPointF(0, top), line.text, line.heading ? heading : body);
        }
        p.restore();
    };
    return pages;
}

bool printReceipt(QPrinter& printer, const ReceiptInput& input) {
    const double width = printer.pageLayout().fullRect(QPageLayout::Millimeter).width();
    const PageSource pages =
        receiptPages(receiptLines(input), printer.resolution(), width > 0 ? width : 80);
    printer.setPageLayout(pages.layout);
    return platform().print(printer, pages);
}

} // namespace tolvi::xstj

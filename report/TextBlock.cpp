#include "report/TextBlock.h"

#include <QTextLayout>
#include <algorithm>

namespace tolvi::report {
namespace {

void layoutParagraph(const QString& paragraph, const QFont& font, double width, bool wrap,
                     double& y, std::vector<TextBlockLine>& out) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        if (wrap)
            line.setLineWidth(width);
        else
            line.setNumColumns(paragraph.size());
        TextBlockLine l;
        l.text = paragraph.mid(line.textStart(), line.textLength());
        while (!l.text.isEmpty() && l.text.back().isSpace())
            l.text.chop(1);
        l.width = line.naturalTextWidth();
        l.height = line.height();
        l.top = y;
        l.baseline = y + line.ascent();
        y += line.height();
        out.push_back(l);
    }
    layout.endLayout();
}

double alignedOffset(HAlign a, double room) {
    switch (a) {
    case HAlign::Left:
        break;
    case HAlign::Center:
        return room / 2;
    case HAlign::Right:
        return room;
    }
    return 0;
}

} // namespace

TextBlock layoutText(const ReportItem& item, const QString& text, double mmPerPx) {
    TextBlock block;
    block.font = layoutFont(item.font());
    block.boxMm = QRectF(item.x() * mmPerPx, item.y() * mmPerPx, item.width() * mmPerPx,
                         item.height() * mmPerPx);
    const double boxW = block.boxMm.width() * kTextUnitsPerMm;
    const double boxH = block.boxMm.height() * kTextUnitsPerMm;
    const bool grows = item.autoSize() && !item.isRichText();
    const bool wrap = !grows && (item.wordWrap() || item.isRichText());

    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!item.isRichText() && !grows && !wrap)
        t.replace(QLatin1Char('\n'), QLatin1Char(' ')); // a plain label is one line
    double y = 0;
    for (const QString& paragraph : t.split(QLatin1Char('\n')))
        layoutParagraph(paragraph, block.font, boxW, wrap, y, block.lines);

    if (grows) {
        double w = 0;
        for (const auto& l : block.lines)
            w = std::max(w, l.width);
        const double wMm = w / kTextUnitsPerMm;
        const double x =
            block.boxMm.x() + alignedOffset(item.alignment(), block.boxMm.width() - wMm);
        block.boxMm =
            QRectF(x, block.boxMm.y(), wMm, std::max(block.boxMm.height(), y / kTextUnitsPerMm));
        block.clip = false;
    } else {
        // A fixed box shows only the lines that start inside it; the one cut by
        // the lower edge is clipped when painted.
        block.lines.erase(std::remove_if(block.lines.begin(), block.lines.end(),
                                         [boxH](const TextBlockLine& l) { return l.top >= boxH; }),
                          block.lines.end());
    }
    const double width = block.boxMm.width() * kTextUnitsPerMm;
    for (auto& l : block.lines)
        l.x = alignedOffset(item.alignment(), width - l.width);
    return block;
}

} // namespace tolvi::report

#include "report/TextBlock.h"

#include <QTextLayout>
#include <algorithm>

namespace tolvi::report {
namespace {

void layoutParagraph(const QString& paragraph, const QFont& font, double width, bool wrap,
                     double& y, TextBlock& block) {
    auto shared = std::make_shared<QTextLayout>(paragraph, font);
    QTextLayout& layout = *shared;
    const int index = static_cast<int>(block.paragraphs.size());
    // Keep the shaped glyphs after endLayout: painting draws from them.
    layout.setCacheEnabled(true);
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
        l.paragraph = index;
        l.line = line.lineNumber();
        l.text = paragraph.mid(line.textStart(), line.textLength());
        while (!l.text.isEmpty() && l.text.back().isSpace())
            l.text.chop(1);
        l.width = line.naturalTextWidth();
        l.height = line.height();
        l.top = y;
        l.baseline = y + line.ascent();
        y += line.height();
        block.lines.push_back(l);
    }
    layout.endLayout();
    block.paragraphs.push_back(std::move(shared));
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

bool TextBlock::fitsBox() const {
    // Slanted glyphs may reach past their advance, so they keep the clip.
    if (font.italic())
        return false;
    constexpr double eps = 1e-6;
    const double w = boxMm.width() * kTextUnitsPerMm + eps;
    const double h = boxMm.height() * kTextUnitsPerMm + eps;
    return std::all_of(lines.begin(), lines.end(), [w, h](const TextBlockLine& l) {
        return l.x >= -1e-6 && l.x + l.width <= w && l.top >= 0 && l.top + l.height <= h;
    });
}

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
        layoutParagraph(paragraph, block.font, boxW, wrap, y, block);

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

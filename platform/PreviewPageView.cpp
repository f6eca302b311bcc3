#include "platform/PreviewPageView.h"

#include <QPainter>
#include <algorithm>

namespace tolvi {

PreviewPageView::PreviewPageView(const PageSource& pages, QWidget* parent)
    : QWidget(parent), pages_(pages) {
    setAccessibleName(QStringLiteral("预览页面"));
    updateSize();
}

QSizeF PreviewPageView::paperSizeMm() const {
    const QPageLayout& layout = pages_.layout;
    if (!layout.isValid())
        return {210, 297};
    return layout.fullRect(QPageLayout::Millimeter).size();
}

double PreviewPageView::naturalPixelsPerMm() const {
    return logicalDpiX() / 25.4;
}

void PreviewPageView::setPage(int index) {
    index = std::clamp(index, 0, std::max(0, pages_.pageCount - 1));
    if (index == page_)
        return;
    page_ = index;
    update();
}

void PreviewPageView::setPixelsPerMm(double ppm) {
    pixelsPerMm_ = std::clamp(ppm, 0.2, 40.0);
    updateSize();
    update();
}

void PreviewPageView::updateSize() {
    const QSizeF paper = paperSizeMm() * pixelsPerMm_;
    setFixedSize(qCeil(paper.width()) + 2 * kBorder, qCeil(paper.height()) + 2 * kBorder);
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QSizeF paper = paperSizeMm() * pixelsPerMm_;
    const QRect sheet(kBorder, kBorder, qCeil(paper.width()), qCeil(paper.height()));
    p.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
    if (pages_.pageCount <= 0) {
        p.fillRect(sheet, Qt::white);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    if (cachedPage_ != page_ || cachedPpm_ != pixelsPerMm_ || cache_.devicePixelRatio() != dpr) {
        cache_ = QImage(sheet.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        cache_.setDevicePixelRatio(dpr);
        cache_.fill(Qt::white);
        QPainter pagePainter(&cache_);
        pagePainter.setRenderHint(QPainter::Antialiasing);
        pagePainter.setRenderHint(QPainter::TextAntialiasing);
        pagePainter.scale(pixelsPerMm_, pixelsPerMm_);
        if (pages_.paintPage)
            pages_.paintPage(pagePainter, page_);
        pagePainter.end();
        cachedPage_ = page_;
        cachedPpm_ = pixelsPerMm_;
    }
    p.drawImage(sheet.topLeft(), cache_);
}

} // namespace tolvi

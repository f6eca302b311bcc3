#include "BenchPlatform.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

namespace bench {

void BenchPlatform::error(QWidget*, const QString& text) {
    errors_.append(text);
}

QStringList BenchPlatform::takeErrors() {
    QStringList e;
    e.swap(errors_);
    return e;
}

void BenchPlatform::preview(QWidget*, const tolvi::PageSource& pages) {
    previewPages_ = pages.pageCount;
    lastLayout_ = pages.layout;
    if (mode_ == PreviewMode::Pdf) {
        if (!tolvi::renderPagesToPdf(pages, pdfPath_))
            errors_.append(QStringLiteral("PDF not written"));
        return;
    }
    // A preview window shows its first page at screen resolution.
    const QRectF paper = pages.layout.fullRectPoints();
    const double scale = 96.0 / 72.0;
    QImage image(qRound(paper.width() * scale), qRound(paper.height() * scale),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    if (pages.pageCount > 0) {
        QPainter painter(&image);
        painter.scale(image.width() / pages.layout.fullRect(QPageLayout::Millimeter).width(),
                      image.height() / pages.layout.fullRect(QPageLayout::Millimeter).height());
        pages.paintPage(painter, 0);
    }
    if (timer_)
        firstPageNs_ = timer_->nsecsElapsed();
}

BenchPlatform* installBenchPlatform() {
    auto p = std::make_unique<BenchPlatform>();
    BenchPlatform* raw = p.get();
    tolvi::setPlatform(std::move(p));
    return raw;
}

} // namespace bench

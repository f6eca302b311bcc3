#pragma once
// Paints one page of a PageSource at a zoom; the page is rendered when it is
// first shown and kept until the page or the zoom changes.

#include "platform/Platform.h"

#include <QImage>
#include <QWidget>

namespace tolvi {

class PreviewPageView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPageView(const PageSource& pages, QWidget* parent = nullptr);

    int page() const { return page_; }
    void setPage(int index);
    double pixelsPerMm() const { return pixelsPerMm_; }
    void setPixelsPerMm(double ppm);
    // Pixels per millimetre of the paper at 100 %.
    double naturalPixelsPerMm() const;
    QSizeF paperSizeMm() const;
    static constexpr int kBorder = 12; // grey space around the sheet

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateSize();

    const PageSource& pages_;
    int page_ = 0;
    double pixelsPerMm_ = 2;
    QImage cache_;
    int cachedPage_ = -1;
    double cachedPpm_ = 0;
};

} // namespace tolvi

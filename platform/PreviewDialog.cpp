#include "platform/PreviewDialog.h"

#include "platform/PreviewPageView.h"

#include <QAction>
#include <QLabel>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace tolvi {

PreviewDialog::PreviewDialog(const PageSource& pages, QWidget* parent)
    : QDialog(parent), pages_(pages), printer_(QPrinter::HighResolution) {
    setWindowTitle(QStringLiteral("打印预览"));
    setAccessibleName(windowTitle());
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(800, 600);
    if (pages_.layout.isValid())
        printer_.setPageLayout(pages_.layout);
    printer_.setFullPage(true); // after the layout, which resets it
    if (!pages_.title.isEmpty())
        printer_.setDocName(pages_.title);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // "打印" and "关闭" must stay in view whatever padding a skin gives.
    bar->setStyleSheet(QStringLiteral("QToolButton { padding: 1px 3px; margin: 0px; }"));
    auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = bar->addAction(text);
        a->setShortcut(key);
        a->setToolTip(key.isEmpty()
                          ? text
                          : text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                                QLatin1Char(')'));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(QStringLiteral("整页"), QKeySequence(Qt::CTRL | Qt::Key_0), [this] { fitWholePage(); });
    add(QStringLiteral("页宽"), {}, [this] { fitPageWidth(); });
    add(QStringLiteral("100%"), {}, [this] { setZoomPercent(100); });
    add(QStringLiteral("放大"), QKeySequence::ZoomIn, [this] { zoomIn(); });
    add(QStringLiteral("缩小"), QKeySequence::ZoomOut, [this] { zoomOut(); });
    zoomLabel_ = new QLabel(bar);
    zoomLabel_->setMinimumWidth(48);
    bar->addWidget(zoomLabel_);
    bar->addSeparator();
    first_ = add(QStringLiteral("首页"), QKeySequence(Qt::CTRL | Qt::Key_Home),
                 [this] { setCurrentPage(0); });
    prior_ = add(QStringLiteral("上一页"), QKeySequence(Qt::Key_PageUp),
                 [this] { setCurrentPage(currentPage() - 1); });
    next_ = add(QStringLiteral("下一页"), QKeySequence(Qt::Key_PageDown),
                [this] { setCurrentPage(currentPage() + 1); });
    last_ = add(QStringLiteral("末页"), QKeySequence(Qt::CTRL | Qt::Key_End),
                [this] { setCurrentPage(pageCount() - 1); });
    auto* pageCaption = new QLabel(QStringLiteral(" 页码："), bar);
    pageBox_ = new QSpinBox(bar);
    pageBox_->setRange(1, std::max(1, pages_.pageCount));
    pageBox_->setAccessibleName(QStringLiteral("页码："));
    pageCaption->setBuddy(pageBox_);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int v) { setCurrentPage(v - 1); });
    pageCountLabel_ = new QLabel(QStringLiteral(" 共 %1 页 ").arg(pages_.pageCount), bar);
    bar->addWidget(pageCaption);
    bar->addWidget(pageBox_);
    bar->addWidget(pageCountLabel_);
    bar->addSeparator();
    add(QStringLiteral("打印设置"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
        [this] { printSetup(); });
    print_ = add(QStringLiteral("打印"), QKeySequence::Print, [this] {
        // A printer that cannot be opened must not look like a finished print.
        if (!printPages())
            platform().warning(this, QStringLiteral("打印失败，请检查打印机设置。"));
    });
    add(QStringLiteral("关闭"), {}, [this] { reject(); });

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PreviewPageView(pages_, scroll_);
    scroll_->setWidget(view_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_, 1);
    updateControls();
}

PreviewDialog::~PreviewDialog() = default;

int PreviewDialog::currentPage() const {
    return view_->page();
}

void PreviewDialog::setCurrentPage(int index) {
    view_->setPage(index);
    scroll_->verticalScrollBar()->setValue(0);
    updateControls();
}

double PreviewDialog::zoomPercent() const {
    return 100.0 * view_->pixelsPerMm() / view_->naturalPixelsPerMm();
}

void PreviewDialog::setZoomPercent(double percent) {
    fit_ = Fit::None;
    view_->setPixelsPerMm(view_->naturalPixelsPerMm() * percent / 100.0);
    updateControls();
}

void PreviewDialog::zoomIn() {
    setZoomPercent(std::min(400.0, zoomPercent() * 1.25));
}

void PreviewDialog::zoomOut() {
    setZoomPercent(std::max(10.0, zoomPercent() / 1.25));
}

void PreviewDialog::fitWholePage() {
    fit_ = Fit::WholePage;
    applyFit();
}

void PreviewDialog::fitPageWidth() {
    fit_ = Fit::PageWidth;
    applyFit();
}

QSizeF PreviewDialog::viewportRoom() const {
    // As if no scroll bar took room: a fitted page needs none.
    const QSize vp = scroll_->maximumViewportSize();
    const double border = 2 * PreviewPageView::kBorder;
    return {std::max(10.0, vp.width() - border), std::max(10.0, vp.height() - border)};
}

void PreviewDialog::applyFit() {
    const QSizeF paper = view_->paperSizeMm();
    const QSizeF room = viewportRoom();
    double ppm = view_->pixelsPerMm();
    if (fit_ == Fit::WholePage)
        ppm = std::min(room.width() / paper.width(), room.height() / paper.height());
    else if (fit_ == Fit::PageWidth)
        // Leave room for the vertical scroll bar the taller page will need.
        ppm = (room.width() - scroll_->verticalScrollBar()->sizeHint().width()) / paper.width();
    view_->setPixelsPerMm(ppm);
    updateControls();
}

void PreviewDialog::updateControls() {
    const int page = currentPage();
    const int count = pageCount();
    first_->setEnabled(page > 0);
    prior_->setEnabled(page > 0);
    next_->setEnabled(page + 1 < count);
    last_->setEnabled(page + 1 < count);
    print_->setEnabled(count > 0);
    const QSignalBlocker block(pageBox_);
    pageBox_->setValue(page + 1);
    zoomLabel_->setText(QStringLiteral(" %1% ").arg(qRound(zoomPercent())));
}

void PreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applyFit();
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (fit_ != Fit::None)
        applyFit();
}

void PreviewDialog::printSetup() {
    QPrintDialog dialog(&printer_, this);
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    dialog.setMinMax(1, std::max(1, pageCount()));
    dialog.exec(); // the chosen printer and range stay for "打印"
}

bool PreviewDialog::printPages() {
    if (pageCount() <= 0)
        return false;
    int from = 1, to = pageCount();
    if (printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0) {
        from = std::clamp(printer_.fromPage(), 1, pageCount());
        to = std::clamp(printer_.toPage() > 0 ? printer_.toPage() : pageCount(), from, pageCount());
    } else if (printer_.printRange() == QPrinter::CurrentPage) {
        from = to = currentPage() + 1;
    }
    PageSource range = pages_;
    range.pageCount = to - from + 1;
    range.paintPage = [this, from](QPainter& p, int i) {
        if (pages_.paintPage)
            pages_.paintPage(p, from - 1 + i);
    };
    return paintPagesOn(printer_, range);
}

} // namespace tolvi

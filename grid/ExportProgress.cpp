#include "grid/ExportProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace tolvi::grid {

ExportProgress::ExportProgress(int maximum, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      bar_(new QProgressBar(this)) {
    const QString caption = QStringLiteral("正在导出数据，请稍候......");
    setWindowTitle(caption);
    setAccessibleName(caption);
    setFixedSize(300, 100);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* label = new QLabel(caption, this);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);

    bar_->setRange(0, std::max(0, maximum));
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(caption);
    QPalette pal = bar_->palette();
    pal.setColor(QPalette::Highlight, QColor(0, 0, 255));
    bar_->setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->addWidget(label);
    layout->addWidget(bar_);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void ExportProgress::setValue(int value) {
    bar_->setValue(value);
    // Let the window repaint now and then without taking user input, so a
    // long export shows its progress.
    const int percent = bar_->maximum() > 0 ? int(qint64(value) * 100 / bar_->maximum()) : 100;
    if (percent != percent_) {
        percent_ = percent;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

int ExportProgress::value() const {
    return bar_->value();
}

int ExportProgress::maximum() const {
    return bar_->maximum();
}

} // namespace tolvi::grid

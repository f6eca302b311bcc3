#include "platform/Platform.h"

#include "platform/PreviewDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

namespace tolvi {
namespace {

std::unique_ptr<Platform>& installed() {
    static std::unique_ptr<Platform> instance;
    return instance;
}

QString captionOr(const QString& caption, const QString& fallback) {
    return caption.isEmpty() ? fallback : caption;
}

} // namespace

Platform& platform() {
    auto& p = installed();
    if (!p)
        p = std::make_unique<Platform>();
    return *p;
}

void setPlatform(std::unique_ptr<Platform> replacement) {
    installed() = std::move(replacement);
}

void Platform::warning(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::warning(parent, captionOr(caption, QStringLiteral("警告")), text);
}

void Platform::information(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::information(parent, captionOr(caption, QApplication::applicationName()), text);
}

void Platform::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("错误"), text);
}

MsgButton Platform::question(QWidget* parent, const QString& text, const QString& caption,
                             MsgButtons buttons, MsgButton defaultButton) {
    QMessageBox box(QMessageBox::Question, captionOr(caption, QStringLiteral("确认")), text,
                    QMessageBox::NoButton, parent);
    auto std = [](MsgButton b) {
        switch (b) {
        case MsgButton::Ok:
            return QMessageBox::Ok;
        case MsgButton::Cancel:
            return QMessageBox::Cancel;
        case MsgButton::Yes:
            return QMessageBox::Yes;
        case MsgButton::No:
            return QMessageBox::No;
        case MsgButton::None:
            break;
        }
        return QMessageBox::NoButton;
    };
    if (buttons == MsgButtons::Ok)
        box.setStandardButtons(QMessageBox::Ok);
    else if (buttons == MsgButtons::OkCancel)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    else
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    if (defaultButton != MsgButton::None)
        box.setDefaultButton(std(defaultButton));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgButton::Ok;
    case QMessageBox::Yes:
        return MsgButton::Yes;
    case QMessageBox::No:
        return MsgButton::No;
    case QMessageBox::Cancel:
        return MsgButton::Cancel;
    default:
        return buttons == MsgButtons::YesNo ? MsgButton::No : MsgButton::Cancel;
    }
}

QString Platform::openFileName(QWidget* parent, const QString& title, const QString& dir,
                               const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString Platform::saveFileName(QWidget* parent, const QString& title, const QString& dir,
                               const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The program asks its own overwrite question where its Parts want one.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool Platform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool Platform::copyFile(QWidget* parent, const QString& src, const QString& dst,
                        QString* errorText) {
    auto fail = [&](const QString& why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取文件：%1").arg(src));
    if (QFileInfo::exists(dst) &&
        question(
            parent, QStringLiteral("文件“%1”已存在，是否替换？").arg(QDir::toNativeSeparators(dst)),
            QStringLiteral("确认替换文件"), MsgButtons::YesNo, MsgButton::No) != MsgButton::Yes)
        return fail(QString());
    QSaveFile out(dst);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("无法写入文件：%1").arg(dst));
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return fail(QStringLiteral("读取文件出错：%1").arg(src));
        if (n == 0)
            break;
        if (out.write(buffer, n) != n)
            return fail(QStringLiteral("写入文件出错：%1").arg(dst));
    }
    // QSaveFile::commit() ignores a failure of its own last flush (a full
    // disk) and would put a truncated copy in place; flush first.
    if (!out.flush() || !out.commit())
        return fail(QStringLiteral("写入文件出错：%1").arg(dst));
    return true;
}

bool paintPagesOn(QPrinter& printer, const PageSource& pages) {
    if (pages.layout.isValid())
        printer.setPageLayout(pages.layout);
    // After the layout, which would switch it off again: positions are
    // measured from the paper's edge on every printer.
    printer.setFullPage(true);
    if (!pages.title.isEmpty())
        printer.setDocName(pages.title);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const qreal dotsPerMm = printer.resolution() / 25.4;
    for (int i = 0; i < pages.pageCount; ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.scale(dotsPerMm, dotsPerMm);
        if (pages.paintPage)
            pages.paintPage(painter, i);
        painter.restore();
    }
    return painter.end();
}

bool renderPagesToPdf(const PageSource& pages, const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return paintPagesOn(printer, pages);
}

void Platform::preview(QWidget* parent, const PageSource& pages) {
    PreviewDialog dialog(pages, parent);
    dialog.exec();
}

bool Platform::print(QPrinter& printer, const PageSource& pages) {
    return paintPagesOn(printer, pages);
}

} // namespace tolvi

#pragma once
// The platform of the benchmark: no person answers, so every question gets
// "是", file dialogs return the prepared path and the preview writes a PDF
// (or, in first-page mode, paints only the first page as a preview would).

#include "platform/Platform.h"

#include <QElapsedTimer>

namespace bench {

class BenchPlatform : public tolvi::Platform {
public:
    enum class PreviewMode { Pdf, FirstPage };

    void setPreviewMode(PreviewMode mode) { mode_ = mode; }
    void setPdfPath(const QString& path) { pdfPath_ = path; }
    void setSavePath(const QString& path) { savePath_ = path; }
    // Nanoseconds from the start of timer until the first page was painted.
    void setClock(const QElapsedTimer* timer) { timer_ = timer; }
    qint64 firstPageNs() const { return firstPageNs_; }
    int previewPages() const { return previewPages_; }
    QPageLayout lastLayout() const { return lastLayout_; }

    void warning(QWidget*, const QString&, const QString&) override {}
    void information(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString& text) override;
    tolvi::MsgButton question(QWidget*, const QString&, const QString&, tolvi::MsgButtons,
                              tolvi::MsgButton) override {
        return tolvi::MsgButton::Yes;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return savePath_;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override {
        return savePath_;
    }
    bool openUrl(const QUrl&) override { return true; }
    void preview(QWidget* parent, const tolvi::PageSource& pages) override;

    // Errors the program reported since the last call.
    QStringList takeErrors();

private:
    PreviewMode mode_ = PreviewMode::Pdf;
    QString pdfPath_;
    QString savePath_;
    const QElapsedTimer* timer_ = nullptr;
    qint64 firstPageNs_ = -1;
    int previewPages_ = 0;
    QPageLayout lastLayout_;
    QStringList errors_;
};

// Installs a new BenchPlatform and returns it.
BenchPlatform* installBenchPlatform();

} // namespace bench

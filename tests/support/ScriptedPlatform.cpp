#include "support/ScriptedPlatform.h"

#include <QPrinter>

namespace tolvi::test {

ScriptedPlatform* ScriptedPlatform::install() {
    auto p = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform* raw = p.get();
    setPlatform(std::move(p));
    return raw;
}

QStringList ScriptedPlatform::texts() const {
    QStringList t;
    for (const auto& m : messages)
        t.append(m.text);
    return t;
}

void ScriptedPlatform::warning(QWidget*, const QString& text, const QString& caption) {
    messages.append({Message::Warning, text, caption});
}

void ScriptedPlatform::information(QWidget*, const QString& text, const QString& caption) {
    messages.append({Message::Information, text, caption});
}

void ScriptedPlatform::error(QWidget*, const QString& text) {
    messages.append({Message::Error, text, {}});
}

MsgButton ScriptedPlatform::question(QWidget*, const QString& text, const QString& caption,
                                     MsgButtons buttons, MsgButton) {
    messages.append({Message::Question, text, caption});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == MsgButtons::YesNo ? MsgButton::No : MsgButton::Cancel;
}

QString ScriptedPlatform::openFileName(QWidget*, const QString& title, const QString&,
                                       const QString& filter) {
    dialogTitles.append(title);
    dialogFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPlatform::saveFileName(QWidget*, const QString& title, const QString&,
                                       const QString& filter, const QString&) {
    dialogTitles.append(title);
    dialogFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool ScriptedPlatform::openUrl(const QUrl& url) {
    openedUrls.append(url);
    return true;
}

void ScriptedPlatform::preview(QWidget*, const PageSource& pages) {
    ++previews;
    lastPreview = pages;
    if (!previewPdfPaths.isEmpty())
        renderPagesToPdf(pages, previewPdfPaths.dequeue());
}

bool ScriptedPlatform::print(QPrinter& printer, const PageSource& pages) {
    ++prints;
    lastPrint = pages;
    lastPrinterResolution = printer.resolution();
    if (!printPdfPaths.isEmpty())
        return renderPagesToPdf(pages, printPdfPaths.dequeue());
    return true;
}

} // namespace tolvi::test

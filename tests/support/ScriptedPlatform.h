#pragma once
// The platform double: records every message and answers from queues the
// test filled. An unexpected question answers Cancel/No; an unexpected file
// dialog answers "cancelled"; a preview or print with no queued PDF path is
// recorded only.

#include "platform/Platform.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace tolvi::test {

struct Message {
    enum Kind { Warning, Information, Error, Question } kind;
    QString text;
    QString caption;
};

class ScriptedPlatform : public Platform {
public:
    // Installs a fresh double as the program's platform and returns it.
    static ScriptedPlatform* install();

    QList<Message> messages;
    QQueue<MsgButton> answers;       // for question()
    QQueue<QString> fileNames;       // for open/save dialogs, in order
    QQueue<QString> previewPdfPaths; // each preview() renders to the next path
    QList<QUrl> openedUrls;
    QStringList dialogTitles; // titles of the file dialogs shown
    QStringList dialogFilters;
    int previews = 0;
    PageSource lastPreview;
    QQueue<QString> printPdfPaths; // each print() renders to the next path
    int prints = 0;
    PageSource lastPrint;
    int lastPrinterResolution = 0; // dots per inch of the printer handed to print()

    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() { messages.clear(); }

    void warning(QWidget*, const QString& text, const QString& caption) override;
    void information(QWidget*, const QString& text, const QString& caption) override;
    void error(QWidget*, const QString& text) override;
    MsgButton question(QWidget*, const QString& text, const QString& caption, MsgButtons buttons,
                       MsgButton defaultButton) override;
    QString openFileName(QWidget*, const QString& title, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget*, const QString& title, const QString& dir, const QString& filter,
                         const QString& defaultSuffix) override;
    bool openUrl(const QUrl& url) override;
    void preview(QWidget*, const PageSource& pages) override;
    // Never reaches a real printer.
    bool print(QPrinter& printer, const PageSource& pages) override;
};

} // namespace tolvi::test

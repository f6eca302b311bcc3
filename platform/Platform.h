#pragma once
// Every modal or outside-world call of the program goes through Platform, so a
// test can install a scripted double in place of a person.

#include <QPageLayout>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace tolvi {

enum class MsgButton { None, Ok, Cancel, Yes, No };

enum class MsgButtons { Ok, OkCancel, YesNo };

// Something that paints pages. The painter handed to paintPage is set up in
// millimetres measured from the paper's physical top-left corner, whatever
// the device's resolution or printable area.
struct PageSource {
    QPageLayout layout;
    int pageCount = 0;
    std::function<void(QPainter&, int pageIndex)> paintPage;
    QString title; // document name for the printer
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual void warning(QWidget* parent, const QString& text, const QString& caption = {});
    virtual void information(QWidget* parent, const QString& text, const QString& caption = {});
    // The application's standard error box for errors that end a command.
    virtual void error(QWidget* parent, const QString& text);
    virtual MsgButton question(QWidget* parent, const QString& text, const QString& caption,
                               MsgButtons buttons, MsgButton defaultButton);

    // Return the empty text when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& dir,
                                 const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& dir,
                                 const QString& filter, const QString& defaultSuffix);

    // Hands a web address, mailto: address or local file to the shell.
    virtual bool openUrl(const QUrl& url);

    // Copies src over dst; asks before overwriting an existing dst. Returns false
    // when the user declined or the copy failed (errorText says why). The copy
    // is written beside dst and renamed over it, so dst is never half-written.
    virtual bool copyFile(QWidget* parent, const QString& src, const QString& dst,
                          QString* errorText = nullptr);

    // Modal print preview of the pages; may print from there.
    virtual void preview(QWidget* parent, const PageSource& pages);
    // Prints the pages at once on the given printer (no dialog).
    virtual bool print(QPrinter& printer, const PageSource& pages);
};

Platform& platform();
// Installs a replacement (tests); passing nullptr restores the real one.
void setPlatform(std::unique_ptr<Platform> replacement);

// Renders the pages into a PDF file through QPrinter (same painting as print).
bool renderPagesToPdf(const PageSource& pages, const QString& pdfPath);
// Paints the pages on an already set-up printer; shared by print and PDF.
bool paintPagesOn(QPrinter& printer, const PageSource& pages);

} // namespace tolvi

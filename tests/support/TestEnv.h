#pragma once
// A private working directory for one test: its own data.mdb (written by
// tolvi-newdb), its own settings root, the scripted platform installed.

#include "support/ScriptedPlatform.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace tolvi::test {

class TestEnv {
public:
    TestEnv(); // also makes the temporary directory the current directory
    ~TestEnv();

    QString dir() const { return tmp_.path(); }
    QString path(const QString& name) const { return tmp_.filePath(name); }
    QString dataMdb() const { return path(QStringLiteral("data.mdb")); }
    // Writes a fresh database at path with the real tolvi-newdb tool.
    static void makeDatabase(const QString& path);
    ScriptedPlatform* platform() const { return platform_; }

private:
    QTemporaryDir tmp_;
    QString previousDir_;
    ScriptedPlatform* platform_;
};

// Reads a PDF's words with their boxes in millimetres (pdftotext -bbox).
struct PdfWord {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax; // mm from the page's top-left corner
};
QList<PdfWord> readPdfWords(const QString& pdfPath);
// Whole text of a PDF (pdftotext -layout).
QString readPdfText(const QString& pdfPath);

// Types text (Chinese included) into the focused widget through key events.
void typeText(class QWidget* widget, const QString& text);

} // namespace tolvi::test

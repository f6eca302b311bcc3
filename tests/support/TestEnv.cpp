#include "support/TestEnv.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <QXmlStreamReader>
#include <stdexcept>

namespace tolvi::test {

TestEnv::TestEnv() : previousDir_(QDir::currentPath()) {
    if (!tmp_.isValid())
        throw std::runtime_error("no temporary directory");
    QDir::setCurrent(tmp_.path());
    makeDatabase(dataMdb());
    SettingsStore::setRootForTesting(tmp_.filePath(QStringLiteral("settings")));
    platform_ = ScriptedPlatform::install();
}

TestEnv::~TestEnv() {
    QDir::setCurrent(previousDir_);
    SettingsStore::setRootForTesting(QString());
    setPlatform(nullptr);
}

void TestEnv::makeDatabase(const QString& path) {
    QProcess p;
    p.start(QStringLiteral(TOLVI_NEWDB_EXE), {path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        throw std::runtime_error(("tolvi-newdb failed: " + p.readAllStandardError()).toStdString());
}

QList<PdfWord> readPdfWords(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    p.waitForFinished(60000);
    QList<PdfWord> words;
    QXmlStreamReader xml(p.readAllStandardOutput());
    int page = -1;
    const double mm = 25.4 / 72.0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            PdfWord w;
            w.page = page;
            w.xMin = a.value(QLatin1String("xMin")).toDouble() * mm;
            w.yMin = a.value(QLatin1String("yMin")).toDouble() * mm;
            w.xMax = a.value(QLatin1String("xMax")).toDouble() * mm;
            w.yMax = a.value(QLatin1String("yMax")).toDouble() * mm;
            w.text = xml.readElementText();
            words.append(w);
        }
    }
    return words;
}

QString readPdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 128 && ch.isPrint())
            QTest::keyClick(widget, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

} // namespace tolvi::test

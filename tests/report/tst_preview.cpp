// The preview window: modal "打印预览", 800 x 600, whole page fitted at first,
// pages painted only when shown, navigation, and printing of a page range.

#include "platform/PreviewDialog.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QPainter>
#include <QScrollArea>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace tolvi;

namespace {

PageSource countingPages(int count, QSet<int>* painted) {
    PageSource pages;
    pages.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                               QPageLayout::Millimeter);
    pages.pageCount = count;
    pages.paintPage = [painted](QPainter& p, int index) {
        painted->insert(index);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        p.drawText(QPointF(20, 20), QStringLiteral("P%1").arg(index + 1));
    };
    return pages;
}

QWidget* firstPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<PreviewDialog*>(w) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensFittedAndPaintsOnlyShownPages();
    void buttonsCarryTheirCaptions();
    void printsThePageRange();
    void platformPreviewIsModalDialog();
};

void TestPreview::opensFittedAndPaintsOnlyShownPages() {
    QSet<int> painted;
    PreviewDialog dialog(countingPages(1000, &painted));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("打印预览"));
    QCOMPARE(dialog.size(), QSize(800, 600));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.grab();
    QCOMPARE(painted, QSet<int>{0});

    // The whole sheet is inside the viewport.
    auto* scroll = dialog.findChild<QScrollArea*>();
    QVERIFY(scroll);
    const QSize page = scroll->widget()->size();
    QVERIFY(page.width() <= scroll->viewport()->width());
    QVERIFY(page.height() <= scroll->viewport()->height());
    QVERIFY(page.height() > scroll->viewport()->height() * 0.8);

    QTest::keyClick(&dialog, Qt::Key_PageDown); // the keyboard turns pages too
    QCOMPARE(dialog.currentPage(), 1);
    dialog.setCurrentPage(999);
    dialog.setCurrentPage(5000); // clamps to the last page
    dialog.grab();
    QCOMPARE(dialog.currentPage(), 999);
    QCOMPARE(painted, QSet<int>({0, 999})); // page 1 was never painted: no event loop ran

    const double fitted = dialog.zoomPercent();
    dialog.zoomIn();
    QVERIFY(dialog.zoomPercent() > fitted);
    dialog.fitWholePage();
    QVERIFY(std::abs(dialog.zoomPercent() - fitted) < 0.5);
}

void TestPreview::buttonsCarryTheirCaptions() {
    QSet<int> painted;
    PreviewDialog dialog(countingPages(3, &painted));
    QStringList captions;
    for (QAction* a : dialog.findChild<QToolBar*>()->actions())
        if (!a->text().isEmpty())
            captions.append(a->text());
    for (const char* c :
         {"整页", "放大", "缩小", "首页", "上一页", "下一页", "末页", "打印设置", "打印"})
        QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
}

void TestPreview::printsThePageRange() {
    QTemporaryDir tmp;
    QSet<int> painted;
    PreviewDialog dialog(countingPages(5, &painted));
    const QString pdf = tmp.filePath(QStringLiteral("range.pdf"));
    dialog.printer().setOutputFormat(QPrinter::PdfFormat);
    dialog.printer().setOutputFileName(pdf);
    dialog.printer().setPrintRange(QPrinter::PageRange);
    dialog.printer().setFromTo(2, 3);
    QVERIFY(dialog.printPages());
    QStringList got;
    for (const auto& w : test::readPdfWords(pdf))
        got.append(QStringLiteral("%1:%2").arg(w.page).arg(w.text));
    QCOMPARE(got, QStringList({"0:P2", "1:P3"}));
}

void TestPreview::platformPreviewIsModalDialog() {
    QSet<int> painted;
    QString title;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = firstPreview();
        QVERIFY(w);
        title = w->windowTitle();
        modal = QApplication::activeModalWidget() == w;
        w->grab();
        w->close();
    });
    Platform real; // the program's own preview, not the scripted double
    real.preview(nullptr, countingPages(20, &painted));
    QCOMPARE(title, QStringLiteral("打印预览"));
    QVERIFY(modal);
    QCOMPARE(painted, QSet<int>{0});
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"

// "导出Excel" of a list: the save dialog, the overwrite question, the progress
// window, the opened file, and the cases that write nothing.
#include "export/ExportGridToExcel.h"
#include "grid/BiffReadBack.h"
#include "grid/DataGrid.h"
#include "grid/ExportProgress.h"
#include "grid/ListFixture.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace tolvi;

namespace {

struct Fixture {
    test::TestEnv env;
    db::Connection connection;
    db::Dataset dataset{&connection};
    grid::DataGrid grid;
    test::ScriptedPlatform* platform = env.platform();

    explicit Fixture(bool rows = true) {
        connection.open(mainConnectionString());
        if (rows)
            test::insertThreeShipments(connection);
        grid.setColumns(test::shipmentColumns());
        grid.setFieldKind(QStringLiteral("c"), grid::FieldKind::Memo);
        grid.setDataset(&dataset);
        dataset.setSql(QStringLiteral("select * from data"));
        dataset.open();
        grid.setFooterText(1, QStringLiteral("共%1条记录").arg(dataset.recordCount()));
    }
    bool exportTo(const QString& path) {
        platform->fileNames.enqueue(path);
        return exportGridToExcel(&grid, QStringLiteral("快递单打印清单"), QStringLiteral("小王"));
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportsOpensAndShowsProgress();
    void cancelledDialogWritesNothing();
    void emptyListWritesNothing();
    void secondExportAsksBeforeOverwriting();
    void failedExportLeavesTheOldFile();
};

void TestExport::exportsOpensAndShowsProgress() {
    Fixture f;
    f.dataset.moveTo(1);
    const QString path = f.env.path(QStringLiteral("清单.xls"));

    // The progress window and the hourglass, seen while the export runs.
    QString progressTitle;
    QSize progressSize;
    int progressMax = -1;
    bool frameless = false;
    bool waiting = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<grid::ExportProgress*>(w); p && p->isVisible()) {
                progressTitle = p->windowTitle();
                progressSize = p->size();
                progressMax = p->maximum();
                frameless = p->windowFlags().testFlag(Qt::FramelessWindowHint);
            }
        waiting = QApplication::overrideCursor() &&
                  QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    QVERIFY(f.exportTo(path));
    QCOMPARE(progressTitle, QStringLiteral("正在导出数据，请稍候......"));
    QCOMPARE(progressSize, QSize(300, 100));
    QCOMPARE(progressMax, 3);
    QVERIFY(frameless);
    QVERIFY(waiting);
    QVERIFY(!QApplication::overrideCursor());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<grid::ExportProgress*>(w) && w->isVisible()));

    QCOMPARE(f.platform->dialogFilters,
             QStringList{QStringLiteral("Microsoft Excel xls文件 (*.xls)")});
    QVERIFY(f.platform->messages.isEmpty());
    QCOMPARE(f.platform->openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(f.dataset.recNo(), 1); // the cursor stays where it was

    const test::BiffSheet sheet = test::readBiff(Fixture::read(path));
    QVERIFY(sheet.wellFormed);
    QCOMPARE(sheet.text(0, 3), QStringLiteral("快递单打印清单"));
    QCOMPARE(sheet.text(1, 0), QStringLiteral("制表人：小王"));
    QVERIFY(sheet.text(1, 5).startsWith(QStringLiteral("制表时间：") +
                                        QDate::currentDate().toString(Qt::ISODate)));
    QCOMPARE(sheet.text(4, 0), QStringLiteral("张三"));
    QCOMPARE(sheet.cell(4, 2)->textBytes, 0); // memo address
    QCOMPARE(sheet.text(7, 1), QStringLiteral("共3条记录"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(f.env.dir()).entryList({QStringLiteral("*.xls*")}),
             QStringList{QStringLiteral("清单.xls")});
}

void TestExport::cancelledDialogWritesNothing() {
    Fixture f;
    QVERIFY(!exportGridToExcel(&f.grid, QStringLiteral("快递单打印清单"), QStringLiteral("小王")));
    QCOMPARE(f.platform->dialogFilters.size(), 1);
    QVERIFY(f.platform->messages.isEmpty());
    QVERIFY(f.platform->openedUrls.isEmpty());
    QVERIFY(QDir(f.env.dir()).entryList({QStringLiteral("*.xls*")}).isEmpty());
}

void TestExport::emptyListWritesNothing() {
    Fixture f(false);
    const QString path = f.env.path(QStringLiteral("空.xls"));
    QVERIFY(!f.exportTo(path));
    QVERIFY(!QFile::exists(path));
    // Not even the overwrite question for an existing file.
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QVERIFY(!f.exportTo(path));
    QVERIFY(f.platform->messages.isEmpty());
    QCOMPARE(Fixture::read(path), QByteArray("old"));
    // A closed list likewise.
    f.dataset.close();
    QVERIFY(!f.exportTo(path));
    QVERIFY(f.platform->messages.isEmpty());
}

void TestExport::secondExportAsksBeforeOverwriting() {
    Fixture f;
    const QString path = f.env.path(QStringLiteral("two.xls"));
    QVERIFY(f.exportTo(path));
    const QByteArray first = Fixture::read(path);
    QVERIFY(f.platform->messages.isEmpty());

    f.dataset.moveTo(0);
    f.dataset.deleteCurrent();
    f.platform->answers.enqueue(MsgButton::No);
    QVERIFY(!f.exportTo(path));
    QCOMPARE(f.platform->messages.size(), 1);
    const test::Message asked = f.platform->messages.first();
    QCOMPARE(asked.kind, test::Message::Question);
    QCOMPARE(asked.text, QStringLiteral("已存在文件（") + path + QStringLiteral("），是否覆盖？"));
    QCOMPARE(asked.caption, QStringLiteral("提示"));
    QCOMPARE(Fixture::read(path), first);
    QCOMPARE(f.platform->openedUrls.size(), 1);
    QVERIFY(!QApplication::overrideCursor());

    f.platform->answers.enqueue(MsgButton::Yes);
    QVERIFY(f.exportTo(path));
    const test::BiffSheet sheet = test::readBiff(Fixture::read(path));
    QCOMPARE(sheet.text(4, 0), QStringLiteral("李四"));
    QCOMPARE(f.platform->openedUrls.size(), 2);
}

void TestExport::failedExportLeavesTheOldFile() {
    Fixture f;
    // A folder that does not exist: nothing written, nothing said.
    QVERIFY(!f.exportTo(f.env.path(QStringLiteral("nosuch/list.xls"))));
    QVERIFY(f.platform->messages.isEmpty());
    QVERIFY(f.platform->openedUrls.isEmpty());

    // A list too long for a sheet is refused after the overwrite question:
    // the old file stays whole and no temporary file is left.
    const QString path = f.env.path(QStringLiteral("big.xls"));
    QVERIFY(f.exportTo(path));
    const QByteArray old = Fixture::read(path);
    f.connection.execBound(
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM n WHERE "
                       "x<66000) INSERT INTO data (a) SELECT 'r'||x FROM n"),
        {});
    f.dataset.open();
    f.platform->answers.enqueue(MsgButton::Yes);
    QVERIFY(!f.exportTo(path));
    QCOMPARE(Fixture::read(path), old);
    QCOMPARE(QDir(f.env.dir()).entryList({QStringLiteral("big*")}),
             QStringList{QStringLiteral("big.xls")});
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(f.platform->openedUrls.size(), 1);
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"

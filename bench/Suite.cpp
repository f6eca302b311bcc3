#include "Suite.h"

#include "BenchPlatform.h"
#include "Orders.h"
#include "RawBaseline.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "data/Pinyin.h"
#include "data/Schema.h"
#include "export/ExportGridToExcel.h"
#include "grid/DataGrid.h"
#include "grid/GridModel.h"
#include "import/ImportCleanup.h"
#include "import/Texcell.h"
#include "shipments/QuickQueryPanel.h"
#include "shipments/ShipmentList.h"
#include "waybill/PrintRuns.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace bench {
namespace {

void settle() {
    QApplication::processEvents();
}

// The list "shows" the rows once its model holds them and a paint ran.
void waitForRows(tolvi::grid::DataGrid* grid, int rows) {
    for (int spins = 0; grid->model()->rowCount() != rows; ++spins) {
        if (spins > 1000)
            throw std::runtime_error("the grid never held the expected rows");
        settle();
    }
    settle();
}

void freshCopy(const QString& templ, const QString& path) {
    QFile::remove(path);
    if (!QFile::copy(templ, path))
        throw std::runtime_error("cannot copy the empty database");
}

void checkNoErrors(BenchPlatform* platform, const char* what) {
    const QStringList errors = platform->takeErrors();
    if (!errors.isEmpty())
        throw std::runtime_error(std::string(what) + ": " + errors.join('\n').toStdString());
}

// The importer's own connection and dialog, pointed at a fresh database.
double timeImport(const QString& source, const QString& templ, const QString& target, int runs,
                  int expected, BenchPlatform* platform) {
    tolvi::Texcell dialog;
    dialog.workbookPath->setText(source);
    dialog.databasePath->setText(target);
    const double ms = medianMs(
        runs, [&] { dialog.importOrders(); },
        [&] {
            dialog.ADOConnection1->close();
            freshCopy(templ, target);
        });
    checkNoErrors(platform, "import");
    tolvi::db::Connection check;
    check.openFile(target, tolvi::kDatabasePassword);
    const auto count = check.select(QStringLiteral("select count(*) from data")).rows;
    if (count.empty() || count.front().values.value(0).toInt() != expected)
        throw std::runtime_error("the import did not store every order");
    return ms;
}

double timeRawInsert(const std::vector<Order>& orders, const QString& templ, const QString& target,
                     int runs) {
    return medianMs(
        runs,
        [&] {
            RawDb db(target, tolvi::kDatabasePassword);
            db.insertOrders(orders);
        },
        [&] { freshCopy(templ, target); });
}

} // namespace

void runSuite(int n, const SuiteOptions& options, const QString& dir, BenchPlatform* platform,
              ResultTable* table) {
    const int runs = options.runs;
    const QDir d(dir);
    const QString templ = d.filePath(QStringLiteral("empty.mdb"));
    const QString dataMdb = d.filePath(QStringLiteral("data.mdb"));
    if (!QFile::exists(templ))
        tolvi::createNewDatabase(templ);
    std::fprintf(stderr, "N=%d: generating\n", n);
    const std::vector<Order> orders = generateOrders(n);
    freshCopy(templ, dataMdb);
    insertOrders(dataMdb, tolvi::kDatabasePassword, orders);

    tolvi::Tdmfm dm(tolvi::mainConnectionString());
    QWidget window;
    window.resize(1100, 700);
    auto* panel = new tolvi::QuickQueryPanel(&window);
    panel->setGeometry(0, 0, 1100, 100);
    tolvi::ShipmentList list(&dm, panel, &window);
    list.grid()->setGeometry(0, 100, 1100, 600);
    window.show();
    settle();
    RawDb raw(dataMdb, tolvi::kDatabasePassword);

    // Memory first, while nothing else has grown the process.
    if (options.measureMemory) {
        dm.ADOQuery15->close();
        settle();
        const qint64 before = residentBytes();
        list.showAllRecords();
        waitForRows(list.grid(), n);
        const qint64 after = residentBytes();
        const qint64 peak = peakResidentBytes();
        raw.selectAll("select * from data");
        const qint64 rawBytes = raw.lastRawBytes();
        raw.clear();
        const double mib = 1024.0 * 1024.0;
        table->add({QStringLiteral("list memory MiB (vs raw)"), n, (after - before) / mib,
                    rawBytes / mib});
        table->add({QStringLiteral("peak RSS MiB (vs raw)"), n, peak / mib, rawBytes / mib});
    }

    // List load.
    if (options.wants("list")) {
        table->add({QStringLiteral("list load"), n,
                    medianMs(runs,
                             [&] {
                                 list.showAllRecords();
                                 waitForRows(list.grid(), n);
                             }),
                    medianMs(runs, [&] { raw.selectAll("select * from data"); })});
        raw.clear();
    }

    // Quick query: one character typed into the name box.
    if (options.wants("query")) {
        const QString typed = QString::fromUtf8("张");
        const size_t matches =
            raw.selectAll("select * from data where \"a\"<>'' and a like '%张%'");
        raw.clear();
        {
            const QSignalBlocker block(panel->nameBox());
            panel->nameBox()->setText(typed);
        }
        table->add({QStringLiteral("quick query"), n,
                    medianMs(runs,
                             [&] {
                                 list.runQuickQuery();
                                 waitForRows(list.grid(), static_cast<int>(matches));
                             }),
                    medianMs(runs, [&] {
                        raw.selectAll("select * from data where \"a\"<>'' and a like '%张%'");
                    })});
        raw.clear();
        {
            const QSignalBlocker block(panel->nameBox());
            panel->nameBox()->clear();
        }
    }

    // Sort by the amount column.
    if (options.wants("sort")) {
        list.showAllRecords();
        waitForRows(list.grid(), n);
        std::vector<double> amounts;
        amounts.reserve(orders.size());
        for (const Order& o : orders)
            amounts.push_back(o.amount);
        table->add({QStringLiteral("sort by amount"), n,
                    medianMs(runs,
                             [&] {
                                 list.sortByTitle(QStringLiteral("2"));
                                 settle();
                             }),
                    medianMs(runs, [&] { stableSortDescending(amounts); })});
        checkNoErrors(platform, "sort");
    }

    // Export of the whole list; an .xls sheet holds at most 65,536 rows.
    if (options.wants("export")) {
        if (n <= 65000) {
            list.showAllRecords();
            waitForRows(list.grid(), n);
            const QString exported = d.filePath(QStringLiteral("export.xls"));
            platform->setSavePath(exported);
            const double exportMs = medianMs(runs, [&] {
                if (!tolvi::exportGridToExcel(list.grid(), QStringLiteral("快递单"),
                                              tolvi::kSuperAdministrator, &window))
                    throw std::runtime_error("the export wrote no file");
            });
            QFile exportFile(exported);
            exportFile.open(QIODevice::ReadOnly);
            const QByteArray exportBytes = exportFile.readAll();
            exportFile.close();
            const QString copy = d.filePath(QStringLiteral("export-copy.xls"));
            table->add({QStringLiteral("export xls"), n, exportMs,
                        medianMs(runs, [&] { writeWithFwrite(copy, exportBytes); })});
        }
    }

    // Batch print.
    if (options.wants("print")) {
        if (options.printRuns) {
            const tolvi::SenderTexts sender{QString::fromUtf8("布林小店"),
                                            QStringLiteral("13800138000"),
                                            QString::fromUtf8("广东省 广州市 越秀区 环市东路1号")};
            for (int pages : {100, 1000}) {
                if (pages > n)
                    continue;
                tolvi::openQuery(dm.ADOQuery15,
                                 QStringLiteral("select * from data where rowid <= %1").arg(pages));
                const std::vector<Order> printed(orders.begin(), orders.begin() + pages);
                const QString pdf = d.filePath(QStringLiteral("batch.pdf"));
                platform->setPdfPath(pdf);
                platform->setPreviewMode(BenchPlatform::PreviewMode::Pdf);
                const int printRuns = pages >= 1000 ? std::max(1, runs / 2) : runs;
                const double ours = medianMs(printRuns, [&] {
                    tolvi::printBatchWaybills(&window, tolvi::Courier::YTO, dm.ADOQuery15, sender);
                });
                checkNoErrors(platform, "batch print");
                if (platform->previewPages() <= 0)
                    throw std::runtime_error("the batch preview has no pages");
                const QPageLayout layout = platform->lastLayout();
                const QString barePdf = d.filePath(QStringLiteral("bare.pdf"));
                table->add(
                    {QStringLiteral("batch print pdf"), pages, ours, medianMs(printRuns, [&] {
                         bareWaybillPdf(barePdf, layout, printed, platform->previewPages());
                     })});
                if (pages == 1000) {
                    // The preview's first page against rendering every page.
                    platform->setPreviewMode(BenchPlatform::PreviewMode::FirstPage);
                    QElapsedTimer clock;
                    platform->setClock(&clock);
                    std::vector<double> firstPage;
                    for (int i = 0; i < runs; ++i) {
                        clock.start();
                        tolvi::printBatchWaybills(&window, tolvi::Courier::YTO, dm.ADOQuery15,
                                                  sender);
                        firstPage.push_back(platform->firstPageNs() / 1e6);
                    }
                    std::sort(firstPage.begin(), firstPage.end());
                    table->add({QStringLiteral("preview first page (vs all)"), pages,
                                firstPage[firstPage.size() / 2], ours});
                    platform->setClock(nullptr);
                    platform->setPreviewMode(BenchPlatform::PreviewMode::Pdf);
                }
            }
        }
    }

    // Address clean-up over the whole list (the reload left to the caller).
    if (options.wants("cleanup")) {
        list.showAllRecords();
        waitForRows(list.grid(), n);
        const int cleanRuns = std::max(1, runs / 2);
        table->add({QStringLiteral("address clean-up"), n, medianMs(cleanRuns, [&] {
                        tolvi::optimiseRecipientAddresses(dm.ADOQuery15, {});
                    })});
        checkNoErrors(platform, "address clean-up");
    }

    // Pinyin initials of the goods names.
    if (options.wants("pinyin")) {
        QStringList goods;
        goods.reserve(n);
        for (const Order& o : orders)
            goods.append(o.goods);
        table->add({QStringLiteral("pinyin initials"), n, medianMs(runs, [&] {
                        qsizetype total = 0;
                        for (const QString& g : goods)
                            total += tolvi::pinyinInitials(g).size();
                        if (total == 0)
                            throw std::runtime_error("no pinyin keys");
                    })});
    }

    // Import of the shop's report, as CSV and as .xls.
    if (options.wants("import")) {
        dm.ADOQuery15->close();
        const QString csv = d.filePath(QStringLiteral("orders.csv"));
        writeOrderCsv(csv, orders);
        const QString importMdb = d.filePath(QStringLiteral("import.mdb"));
        const QString rawMdb = d.filePath(QStringLiteral("raw.mdb"));
        const int importRuns = std::max(1, runs / 2);
        const double rawInsert = timeRawInsert(orders, templ, rawMdb, importRuns);
        table->add({QStringLiteral("import csv"), n,
                    timeImport(csv, templ, importMdb, importRuns, n, platform), rawInsert});
        if (n <= 65000) {
            const QString xls = d.filePath(QStringLiteral("orders.xls"));
            if (writeOrderXls(xls, csv))
                table->add({QStringLiteral("import xls"), n,
                            timeImport(xls, templ, importMdb, importRuns, n, platform), rawInsert});
            else
                std::fprintf(stderr,
                             "  import xls skipped: /usr/bin/python3 with xlwt is missing\n");
        }
    }
}

} // namespace bench

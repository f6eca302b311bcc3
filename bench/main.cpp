// tolvi-bench [--sizes 1000,10000,100000] [--csv PATH] [--runs R]
// Times the list, quick query, sort, import, clean-up, export, batch print
// and pinyin paths on generated data.mdb files and prints one table.

#include "BenchPlatform.h"
#include "Measure.h"
#include "Suite.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tolvi benchmark"));
    parser.addHelpOption();
    const QCommandLineOption sizesOption(
        QStringLiteral("sizes"), QStringLiteral("Record counts, comma separated."),
        QStringLiteral("list"), QStringLiteral("1000,10000,100000"));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Also write the table as CSV to PATH."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Timed runs per operation (median)."),
                                        QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption onlyOption(
        QStringLiteral("only"),
        QStringLiteral(
            "Run only these groups: list,query,sort,export,print,cleanup,pinyin,import."),
        QStringLiteral("groups"));
    parser.addOptions({sizesOption, csvOption, runsOption, onlyOption});
    parser.process(app);

    QList<int> sizes;
    for (const QString& s : parser.value(sizesOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = s.trimmed().toInt(&ok);
        if (!ok || n <= 0) {
            std::fprintf(stderr, "tolvi-bench: bad size \"%s\"\n", qPrintable(s));
            return 2;
        }
        sizes.append(n);
    }
    const int runs = qMax(1, parser.value(runsOption).toInt());
    const QString csvPath = parser.isSet(csvOption)
                                ? QDir::current().absoluteFilePath(parser.value(csvOption))
                                : QString();

    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        std::fprintf(stderr, "tolvi-bench: no temporary directory\n");
        return 1;
    }
    QDir::setCurrent(tmp.path());
    tolvi::SettingsStore::setRootForTesting(tmp.filePath(QStringLiteral("settings")));
    bench::BenchPlatform* platform = bench::installBenchPlatform();

    bench::ResultTable table;
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    bool printed = false;
    try {
        for (int n : sizes) {
            bench::SuiteOptions options;
            // The largest list gets fewer runs so the whole run stays short.
            options.runs = n >= 100000 ? qMax(1, (runs + 1) / 2) : runs;
            options.only = parser.value(onlyOption).split(QLatin1Char(','), Qt::SkipEmptyParts);
            options.measureMemory = n == largest && options.wants("list");
            options.printRuns = !printed && n >= 1000;
            printed = printed || options.printRuns;
            bench::runSuite(n, options, tmp.path(), platform, &table);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvi-bench: %s\n", e.what());
        return 1;
    }
    table.print();
    if (!csvPath.isEmpty() && !table.writeCsv(csvPath)) {
        std::fprintf(stderr, "tolvi-bench: cannot write %s\n", qPrintable(csvPath));
        return 1;
    }
    tolvi::setPlatform(nullptr);
    return 0;
}

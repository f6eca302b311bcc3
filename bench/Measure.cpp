#include "Measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace bench {
namespace {

qint64 statusField(const char* name) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

QString ms(double v) {
    return v < 0 ? QStringLiteral("-") : QString::number(v, 'f', 2);
}

QString ratio(const Result& r) {
    if (r.baselineMs <= 0)
        return QStringLiteral("-");
    return QString::number(r.oursMs / r.baselineMs, 'f', 2);
}

} // namespace

double timeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double medianMs(int runs, const std::function<void()>& work, const std::function<void()>& prepare) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        times.push_back(timeMs(work));
    }
    std::sort(times.begin(), times.end());
    const size_t mid = times.size() / 2;
    return times.size() % 2 ? times[mid] : (times[mid - 1] + times[mid]) / 2;
}

qint64 residentBytes() {
    return statusField("VmRSS");
}

qint64 peakResidentBytes() {
    return statusField("VmHWM");
}

void ResultTable::add(const Result& r) {
    results_.push_back(r);
    std::fprintf(stderr, "  %-28s N=%-7d ours %10s  baseline %10s  ratio %s\n",
                 qPrintable(r.operation), r.n, qPrintable(ms(r.oursMs)),
                 qPrintable(ms(r.baselineMs)), qPrintable(ratio(r)));
}

void ResultTable::print() const {
    std::printf("%-30s %8s %12s %12s %8s\n", "operation", "N", "ours_ms", "baseline_ms", "ratio");
    for (const Result& r : results_)
        std::printf("%-30s %8d %12s %12s %8s\n", qPrintable(r.operation), r.n,
                    qPrintable(ms(r.oursMs)), qPrintable(ms(r.baselineMs)), qPrintable(ratio(r)));
}

bool ResultTable::writeCsv(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << "operation,N,ours_ms,baseline_ms,ratio\n";
    for (const Result& r : results_)
        out << r.operation << ',' << r.n << ',' << ms(r.oursMs) << ',' << ms(r.baselineMs) << ','
            << ratio(r) << '\n';
    return true;
}

} // namespace bench

#pragma once
// Timing and memory helpers of the benchmark.

#include <QString>
#include <functional>
#include <vector>

namespace bench {

// Median wall time in milliseconds of runs calls of work; prepare runs
// untimed before each call.
double medianMs(int runs, const std::function<void()>& work,
                const std::function<void()>& prepare = {});

// Milliseconds one call of work takes.
double timeMs(const std::function<void()>& work);

// Resident set size now and its peak so far, in bytes (from /proc/self/status).
qint64 residentBytes();
qint64 peakResidentBytes();

struct Result {
    QString operation;
    int n = 0;
    double oursMs = 0;
    double baselineMs = -1; // negative: no baseline
};

class ResultTable {
public:
    void add(const Result& r);
    const std::vector<Result>& results() const { return results_; }
    void print() const;
    bool writeCsv(const QString& path) const;

private:
    std::vector<Result> results_;
};

} // namespace bench

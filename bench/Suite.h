#pragma once
// Runs every operation at one size against its baseline.

#include "Measure.h"

#include <QString>
#include <QStringList>

namespace bench {

class BenchPlatform;

struct SuiteOptions {
    int runs = 5;               // timed runs per operation (median)
    bool measureMemory = false; // the list's memory after one load
    bool printRuns = false;     // the batch print runs (100 and 1,000 waybills)
    // Groups to run (list, query, sort, export, print, cleanup, pinyin,
    // import); empty runs all.
    QStringList only;
    bool wants(const char* group) const {
        return only.isEmpty() || only.contains(QLatin1String(group));
    }
};

// dir holds the temporary files and is the current directory (data.mdb).
void runSuite(int n, const SuiteOptions& options, const QString& dir, BenchPlatform* platform,
              ResultTable* table);

} // namespace bench

#include "report/BandLayout.h"

namespace tolvi::report {

BandLayoutResult layoutBands(const PageGeometry& page, const std::vector<BandRun>& runs,
                             bool printIfEmpty) {
    BandLayoutResult result;
    result.placements.reserve(runs.size());
    const double bottom = page.paperHeight - page.bottomMargin;
    // Tolerance for bands that fill the space to the last hundredth of a millimetre.
    constexpr double eps = 1e-6;
    int current = 0;
    double y = page.topMargin;
    bool pageHasBand = false;
    for (const BandRun& run : runs) {
        if (y + run.height > bottom + eps && pageHasBand) {
            ++current;
            y = page.topMargin;
            pageHasBand = false;
        } else if (run.alignToBottom && y + run.height <= bottom + eps) {
            y = bottom - run.height;
        }
        result.placements.push_back({current, y});
        y += run.height;
        pageHasBand = true;
    }
    result.pageCount = runs.empty() ? (printIfEmpty ? 1 : 0) : current + 1;
    return result;
}

} // namespace tolvi::report

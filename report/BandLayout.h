#pragma once
// Where each printed band goes: which page and how far down. Pure arithmetic
// on band heights in millimetres, so it is tested without painting.

#include <vector>

namespace tolvi::report {

struct PageGeometry {
    double paperHeight = 297; // mm
    double topMargin = 10;
    double bottomMargin = 8;
};

struct BandRun {
    double height = 0; // mm
    bool alignToBottom = false;
};

struct BandPlacement {
    int page = 0;
    double top = 0; // mm from the paper's top edge
};

struct BandLayoutResult {
    std::vector<BandPlacement> placements; // one per run, in order
    int pageCount = 0;
};

// Bands follow one another from the top margin down. A band that does not fit
// above the bottom margin starts the next page at the top margin. A band with
// align-to-bottom that fits is pushed down until its lower edge rests on the
// bottom margin; after a page break it prints at the top margin unmoved. A
// band taller than the page still gets a page of its own. printIfEmpty gives
// one empty page when there is no band at all.
BandLayoutResult layoutBands(const PageGeometry& page, const std::vector<BandRun>& runs,
                             bool printIfEmpty);

} // namespace tolvi::report

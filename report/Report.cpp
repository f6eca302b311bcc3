#include "report/Report.h"

#include "report/BandLayout.h"
#include "report/ReportRenderer.h"
#include "report/ReportUnits.h"

#include <QPainter>

namespace tolvi::report {

Report::Report() {
    initReportFonts();
}

Report::~Report() = default;

double Report::resolution() const {
    return resolution_ > 0 ? resolution_ : displayResolution();
}

double Report::mmPerPx() const {
    return pxToMm(1, resolution()) * page_.zoomPercent / 100.0;
}

Band* Report::addBand(BandKind kind, double heightPx) {
    bands_.push_back(std::make_unique<Band>(kind, heightPx));
    return bands_.back().get();
}

ReportItem* Report::item(const QString& name) const {
    for (const auto& band : bands_)
        if (ReportItem* i = band->item(name))
            return i;
    return nullptr;
}

std::shared_ptr<const ReportSnapshot> Report::snapshot() const {
    auto snap = std::make_shared<ReportSnapshot>();
    snap->page = page_;
    snap->page.paper = page_.effectivePaper(); // the printer's paper of this moment
    snap->mmPerPx = mmPerPx();
    snap->contentTransform = contentTransform_;
    snap->bands.reserve(bands_.size());
    for (const auto& band : bands_)
        snap->bands.push_back(*band);

    const int records = data_ ? data_->recordCount() : 0;
    std::vector<PlacedBand> order;
    auto addKind = [&](BandKind kind, int record) {
        for (size_t i = 0; i < bands_.size(); ++i) {
            const Band& band = *bands_[i];
            if (band.kind() != kind)
                continue;
            if (kind == BandKind::Detail && record < 0 && data_ && !band.printWhenEmpty())
                continue;
            order.push_back({static_cast<int>(i), record, 0});
        }
    };
    addKind(BandKind::Title, -1);
    if (records > 0) {
        order.reserve(order.size() + static_cast<size_t>(records) * bands_.size());
        for (int r = 0; r < records; ++r)
            addKind(BandKind::Detail, r);
        for (const auto& band : bands_)
            for (const auto& item : band->items())
                if (item->isDataBound() && !snap->fieldTexts.contains(item->field())) {
                    QStringList texts;
                    texts.reserve(records);
                    for (int r = 0; r < records; ++r)
                        texts.append(data_->text(r, item->field()));
                    snap->fieldTexts.insert(item->field(), texts);
                }
    } else {
        addKind(BandKind::Detail, -1);
    }
    addKind(BandKind::Summary, -1);

    PageGeometry geometry;
    geometry.paperHeight = snap->page.paperSizeMm().height();
    geometry.topMargin = page_.marginsMm.top();
    geometry.bottomMargin = page_.marginsMm.bottom();
    std::vector<BandRun> runs;
    runs.reserve(order.size());
    for (const PlacedBand& p : order) {
        const Band& band = *bands_[static_cast<size_t>(p.band)];
        runs.push_back({band.height() * snap->mmPerPx, band.alignToBottom()});
    }
    const BandLayoutResult layout = layoutBands(geometry, runs, printIfEmpty_);
    snap->pages.resize(static_cast<size_t>(layout.pageCount));
    for (size_t i = 0; i < order.size(); ++i) {
        PlacedBand p = order[i];
        p.topMm = layout.placements[i].top;
        snap->pages[static_cast<size_t>(layout.placements[i].page)].push_back(p);
    }
    return snap;
}

PageSource Report::pageSource() const {
    std::shared_ptr<const ReportSnapshot> snap = snapshot();
    PageSource pages;
    pages.layout = snap->page.pageLayout();
    pages.pageCount = snap->pageCount();
    pages.title = title_;
    pages.paintPage = [snap](QPainter& painter, int index) {
        paintReportPage(painter, *snap, index);
    };
    return pages;
}

void Report::preview(QWidget* parent) const {
    platform().preview(parent, pageSource());
}

} // namespace tolvi::report

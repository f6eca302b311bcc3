#pragma once
// A page report: page settings in millimetres, bands of positioned items in
// report pixels, optionally fed by data. pageSource() freezes the report into
// pages that the one renderer paints on any device (preview, printer, PDF).

#include "platform/Platform.h"
#include "report/Band.h"
#include "report/PageSettings.h"

#include <QTransform>
#include <memory>
#include <vector>

namespace tolvi::report {

// The records a report walks, in the order they are to print.
class ReportData {
public:
    virtual ~ReportData() = default;
    virtual int recordCount() const = 0;
    // The field's value of one record as text; a NULL value is the empty text.
    virtual QString text(int record, const QString& field) const = 0;
};

struct ReportSnapshot;

class Report {
public:
    Report();
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    PageSettings& page() { return page_; }
    const PageSettings& page() const { return page_; }
    QString title() const { return title_; }
    void setTitle(const QString& t) { title_ = t; }
    bool printIfEmpty() const { return printIfEmpty_; }
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }

    // Display resolution R of the report-pixel rule; 0 (the default) asks the
    // display at the time the pages are made.
    void setResolution(double dpi) { resolution_ = dpi; }
    double resolution() const;
    double mmPerPx() const;

    // Applied to the items of every band, in millimetres from the band's
    // top-left corner, when the pages are painted.
    void setContentTransform(const QTransform& t) { contentTransform_ = t; }
    const QTransform& contentTransform() const { return contentTransform_; }

    // The data the detail bands walk; nullptr prints each detail band once.
    // The report does not own it; it is read when the pages are made.
    void setData(const ReportData* data) { data_ = data; }
    const ReportData* data() const { return data_; }

    Band* addBand(BandKind kind, double heightPx);
    const std::vector<std::unique_ptr<Band>>& bands() const { return bands_; }
    // First item of that name in any band; nullptr when absent.
    ReportItem* item(const QString& name) const;

    // Lays the bands out and takes a copy of everything painting needs, so
    // the pages stay as they were when the report changes afterwards.
    std::shared_ptr<const ReportSnapshot> snapshot() const;
    PageSource pageSource() const;
    // Modal preview through the platform; returns when it closes.
    void preview(QWidget* parent) const;

private:
    PageSettings page_;
    QString title_;
    bool printIfEmpty_ = true;
    double resolution_ = 0;
    QTransform contentTransform_;
    const ReportData* data_ = nullptr;
    std::vector<std::unique_ptr<Band>> bands_;
};

} // namespace tolvi::report

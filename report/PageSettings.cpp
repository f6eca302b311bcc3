#include "report/PageSettings.h"

#include <QPrinterInfo>

namespace tolvi::report {

QPageSize PageSettings::printerPaper() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid())
            return size;
    }
    return QPageSize(QPageSize::A4);
}

QSizeF PageSettings::paperSizeMm() const {
    const QSizeF s = effectivePaper().size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout PageSettings::pageLayout() const {
    return QPageLayout(effectivePaper(), orientation, QMarginsF(), QPageLayout::Millimeter);
}

} // namespace tolvi::report

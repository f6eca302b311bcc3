#include "waybill/CalibrationPrinters.h"

#include "waybill/CalibrationStore.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tolvi {

QStringList calibrationPrinterNames(const QStringList& available, const QString& defaultName) {
    QStringList names;
    if (!defaultName.isEmpty() && available.contains(defaultName))
        names.append(defaultName);
    for (const QString& name : available)
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    if (names.isEmpty())
        names.append(kPdfPrinterName);
    return names;
}

QStringList calibrationPrinterNames() {
    return calibrationPrinterNames(QPrinterInfo::availablePrinterNames(),
                                   QPrinterInfo::defaultPrinterName());
}

QMarginsF unprintableMarginsMm(const QString& printerName, const QPageSize& paper) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return {};
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(paper);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    return layout.minimumMargins();
}

} // namespace tolvi

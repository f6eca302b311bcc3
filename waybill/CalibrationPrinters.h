#pragma once
// The printers a calibration can be made for, and what each cannot print on.

#include <QMarginsF>
#include <QPageSize>
#include <QStringList>

namespace tolvi {

// The default printer first, then the others in their order; the "PDF"
// entry alone when there is no printer, so that the window still works.
QStringList calibrationPrinterNames(const QStringList& available, const QString& defaultName);
QStringList calibrationPrinterNames(); // of this machine

// The printer's unprintable margins on that paper, in millimetres; none for
// the "PDF" entry or a printer that is not installed.
QMarginsF unprintableMarginsMm(const QString& printerName, const QPageSize& paper);

} // namespace tolvi

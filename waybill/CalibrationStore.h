#pragma once
// Calibrations kept in the user's settings, one per printer and courier.
// Nothing stored means no correction.

#include "waybill/Calibration.h"
#include "waybill/Courier.h"

#include <QString>
#include <optional>

namespace tolvi {

inline const QString kKeyCalibration = QStringLiteral("\\Software\\brimvale\\kdd\\calibration");
// The entry that stands for "no printer": print runs on a machine without a
// printer look their calibration up under this name.
inline const QString kPdfPrinterName = QStringLiteral("PDF");

// Identity when nothing (or nothing readable) is stored.
PrintCalibration loadCalibration(const QString& printerName, Courier courier);
// Clamps before storing; the identity removes the stored value.
void saveCalibration(const QString& printerName, Courier courier, const PrintCalibration& c);

// The printer print runs will use: the default printer, empty when none.
QString printRunPrinterName();
// Replaces the default printer's name in printRunPrinterName (tests);
// nullopt restores the real lookup.
void setPrintRunPrinterForTesting(std::optional<QString> printerName);

// What a print run for the courier applies.
PrintCalibration printRunCalibration(Courier courier);

} // namespace tolvi

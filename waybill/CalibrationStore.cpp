#include "waybill/CalibrationStore.h"

#include "platform/SettingsStore.h"

#include <QPrinterInfo>
#include <QUrl>

namespace tolvi {
namespace {

QString courierCode(Courier courier) {
    switch (courier) {
    case Courier::STO:
        return QStringLiteral("STO");
    case Courier::YTO:
        return QStringLiteral("YTO");
    case Courier::ZTO:
        return QStringLiteral("ZTO");
    case Courier::SF:
        return QStringLiteral("SF");
    case Courier::YUNDA:
        return QStringLiteral("YUNDA");
    case Courier::TTK:
        return QStringLiteral("TTK");
    case Courier::ZJS:
        return QStringLiteral("ZJS");
    case Courier::HUITONG:
        return QStringLiteral("HUITONG");
    case Courier::EMS:
        return QStringLiteral("EMS");
    }
    return {};
}

// Printer names may hold slashes and backslashes, which the settings read as
// key separators, so the name is percent-encoded into the value name.
QString valueName(const QString& printerName, Courier courier) {
    const QString printer = printerName.isEmpty() ? kPdfPrinterName : printerName;
    return courierCode(courier) + QLatin1Char('@') +
           QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

std::optional<QString>& printerOverride() {
    static std::optional<QString> name;
    return name;
}

} // namespace

PrintCalibration loadCalibration(const QString& printerName, Courier courier) {
    const QString text = SettingsStore::read(kKeyCalibration, valueName(printerName, courier));
    return PrintCalibration::fromText(text).value_or(PrintCalibration{});
}

void saveCalibration(const QString& printerName, Courier courier, const PrintCalibration& c) {
    const PrintCalibration value = c.clamped();
    SettingsStore::write(kKeyCalibration, valueName(printerName, courier),
                         value.isIdentity() ? QString() : value.toText());
}

QString printRunPrinterName() {
    if (printerOverride())
        return *printerOverride();
    return QPrinterInfo::defaultPrinter().printerName();
}

void setPrintRunPrinterForTesting(std::optional<QString> printerName) {
    printerOverride() = std::move(printerName);
}

PrintCalibration printRunCalibration(Courier courier) {
    return loadCalibration(printRunPrinterName(), courier);
}

} // namespace tolvi

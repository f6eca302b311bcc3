#pragma once
// "打印校准": the seller picks a printer and a courier, enters how far (and
// how much stretched) the printer misses the form, watches the sample waybill
// move in the preview, prints the calibration page and saves. Print runs on
// that printer then apply the stored values to every item.

#include "waybill/Calibration.h"
#include "waybill/Courier.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace tolvi {

class CalibrationPreview;

class CalibrationWindow : public QDialog {
    Q_OBJECT
public:
    // printers: the entries of the printer box; empty takes this machine's.
    explicit CalibrationWindow(QWidget* parent = nullptr, const QStringList& printers = {});

    QString printerName() const;
    Courier courier() const;
    void selectPrinter(const QString& name);
    void selectCourier(Courier courier);
    PrintCalibration calibration() const; // as the boxes show it
    void setCalibration(const PrintCalibration& c);
    bool isModified() const { return calibration() != stored_; }

    void save();
    void resetToNone();
    void printCalibrationPage();

    QComboBox* printerBox() const { return printerBox_; }
    QComboBox* courierBox() const { return courierBox_; }
    QDoubleSpinBox* offsetXBox() const { return offsetX_; }
    QDoubleSpinBox* offsetYBox() const { return offsetY_; }
    QDoubleSpinBox* scaleXBox() const { return scaleX_; }
    QDoubleSpinBox* scaleYBox() const { return scaleY_; }
    CalibrationPreview* preview() const { return preview_; }

    static QString savedText();
    static QString unsavedQuestionText();

public Q_SLOTS:
    void done(int result) override;

private:
    void selectionChanged();
    void loadStored();
    void offerToSave();
    void valuesChanged();

    QComboBox* printerBox_;
    QComboBox* courierBox_;
    QDoubleSpinBox* offsetX_;
    QDoubleSpinBox* offsetY_;
    QDoubleSpinBox* scaleX_;
    QDoubleSpinBox* scaleY_;
    QLabel* marginsLabel_;
    CalibrationPreview* preview_;
    QPushButton* printPage_;
    QPushButton* reset_;
    QPushButton* save_;
    QPushButton* close_;

    // The printer and courier whose values the boxes hold, and what is stored
    // for them.
    QString loadedPrinter_;
    Courier loadedCourier_ = Courier::STO;
    PrintCalibration stored_;
    bool loading_ = false;
};

// Opens the window modally over parent; returns when it is closed.
void showCalibrationWindow(QWidget* parent);

} // namespace tolvi

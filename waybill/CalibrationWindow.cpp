#include "waybill/CalibrationWindow.h"

#include "platform/Platform.h"
#include "waybill/CalibrationPage.h"
#include "waybill/CalibrationPreview.h"
#include "waybill/CalibrationPrinters.h"
#include "waybill/CalibrationStore.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvi {
namespace {

QDoubleSpinBox* numberBox(double lo, double hi, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lo, hi);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setValue(value);
    box->setKeyboardTracking(true);
    return box;
}

} // namespace

QString CalibrationWindow::savedText() {
    return QStringLiteral("校准值已保存。");
}

QString CalibrationWindow::unsavedQuestionText() {
    return QStringLiteral("校准值已修改但尚未保存，是否保存？");
}

CalibrationWindow::CalibrationWindow(QWidget* parent, const QStringList& printers)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("打印校准"));
    setAccessibleName(windowTitle());

    printerBox_ = new QComboBox(this);
    printerBox_->addItems(printers.isEmpty() ? calibrationPrinterNames() : printers);
    courierBox_ = new QComboBox(this);
    for (Courier c : kAllCouriers)
        courierBox_->addItem(courierCaption(c), int(c));
    const double maxOffset = PrintCalibration::kMaxOffsetMm;
    offsetX_ = numberBox(-maxOffset, maxOffset, 0, this);
    offsetY_ = numberBox(-maxOffset, maxOffset, 0, this);
    scaleX_ = numberBox(PrintCalibration::kMinScalePercent, PrintCalibration::kMaxScalePercent, 100,
                        this);
    scaleY_ = numberBox(PrintCalibration::kMinScalePercent, PrintCalibration::kMaxScalePercent, 100,
                        this);

    auto* form = new QFormLayout;
    auto addRow = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        form->addRow(label, field);
    };
    addRow(QStringLiteral("打印机："), printerBox_);
    addRow(QStringLiteral("快递公司："), courierBox_);
    addRow(QStringLiteral("水平偏移(毫米)："), offsetX_);
    addRow(QStringLiteral("垂直偏移(毫米)："), offsetY_);
    addRow(QStringLiteral("水平缩放(%)："), scaleX_);
    addRow(QStringLiteral("垂直缩放(%)："), scaleY_);

    auto* hint = new QLabel(
        QStringLiteral(
            "偏移为正时文字向右、向下移动；缩放以快递单左上角为基准。\n"
            "先打印校准页，叠在空白面单上对着光读出偏差，再填入并保存。\n"
            "灰色十字为面单原位置，红色十字为校准后的位置，阴影为打印机不能打印的边距。"),
        this);
    hint->setWordWrap(true);
    marginsLabel_ = new QLabel(this);

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    auto* notes = new QVBoxLayout;
    notes->addWidget(hint);
    notes->addWidget(marginsLabel_);
    notes->addStretch();
    top->addLayout(notes, 1);

    preview_ = new CalibrationPreview(this);

    printPage_ = new QPushButton(QStringLiteral("打印校准页"), this);
    reset_ = new QPushButton(QStringLiteral("恢复默认"), this);
    save_ = new QPushButton(QStringLiteral("保存"), this);
    close_ = new QPushButton(QStringLiteral("关闭"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printPage_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(close_);
    for (QPushButton* b : {printPage_, reset_, save_, close_}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    resize(820, 640);

    connect(printPage_, &QPushButton::clicked, this, &CalibrationWindow::printCalibrationPage);
    connect(reset_, &QPushButton::clicked, this, &CalibrationWindow::resetToNone);
    connect(save_, &QPushButton::clicked, this, &CalibrationWindow::save);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printerBox_, &QComboBox::currentIndexChanged, this,
            &CalibrationWindow::selectionChanged);
    connect(courierBox_, &QComboBox::currentIndexChanged, this,
            &CalibrationWindow::selectionChanged);
    for (QDoubleSpinBox* box : {offsetX_, offsetY_, scaleX_, scaleY_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CalibrationWindow::valuesChanged);

    loadStored();
}

QString CalibrationWindow::printerName() const {
    return printerBox_->currentText();
}

Courier CalibrationWindow::courier() const {
    return Courier(courierBox_->currentData().toInt());
}

void CalibrationWindow::selectPrinter(const QString& name) {
    printerBox_->setCurrentIndex(printerBox_->findText(name));
}

void CalibrationWindow::selectCourier(Courier courier) {
    courierBox_->setCurrentIndex(courierBox_->findData(int(courier)));
}

PrintCalibration CalibrationWindow::calibration() const {
    return PrintCalibration{offsetX_->value(), offsetY_->value(), scaleX_->value(),
                            scaleY_->value()}
        .clamped();
}

void CalibrationWindow::setCalibration(const PrintCalibration& c) {
    const PrintCalibration v = c.clamped();
    loading_ = true;
    offsetX_->setValue(v.offsetXMm);
    offsetY_->setValue(v.offsetYMm);
    scaleX_->setValue(v.scaleXPercent);
    scaleY_->setValue(v.scaleYPercent);
    loading_ = false;
    valuesChanged();
}

void CalibrationWindow::valuesChanged() {
    if (!loading_)
        preview_->setCalibration(calibration());
}

void CalibrationWindow::loadStored() {
    loadedPrinter_ = printerName();
    loadedCourier_ = courier();
    stored_ = loadCalibration(loadedPrinter_, loadedCourier_);
    preview_->setCourier(loadedCourier_);
    const QMarginsF m = unprintableMarginsMm(loadedPrinter_, preview_->paper());
    preview_->setUnprintableMargins(m);
    marginsLabel_->setText(m.isNull()
                               ? QStringLiteral("不能打印的边距：无")
                               : QStringLiteral("不能打印的边距(毫米)：左 %1  上 %2  右 %3  下 %4")
                                     .arg(m.left(), 0, 'f', 1)
                                     .arg(m.top(), 0, 'f', 1)
                                     .arg(m.right(), 0, 'f', 1)
                                     .arg(m.bottom(), 0, 'f', 1));
    setCalibration(stored_);
}

// Values typed for one printer and courier are not silently dropped when
// the seller moves on to another or closes the window.
void CalibrationWindow::offerToSave() {
    if (calibration() == stored_)
        return;
    if (platform().question(this, unsavedQuestionText(), windowTitle(), MsgButtons::YesNo,
                            MsgButton::Yes) == MsgButton::Yes) {
        saveCalibration(loadedPrinter_, loadedCourier_, calibration());
        stored_ = calibration();
    }
}

void CalibrationWindow::selectionChanged() {
    offerToSave();
    loadStored();
}

void CalibrationWindow::save() {
    saveCalibration(printerName(), courier(), calibration());
    stored_ = loadCalibration(printerName(), courier());
    platform().information(this, savedText(), windowTitle());
}

void CalibrationWindow::resetToNone() {
    setCalibration(PrintCalibration{});
}

void CalibrationWindow::printCalibrationPage() {
    platform().preview(this, calibrationPageSource(courier(), calibration(), printerName()));
}

void CalibrationWindow::done(int result) {
    offerToSave();
    QDialog::done(result);
}

void showCalibrationWindow(QWidget* parent) {
    CalibrationWindow window(parent);
    window.exec();
}

} // namespace tolvi

// The commands of the sales detail window: queries, column choices, the
// record panel's modify and delete, export and print, slip and charts.
#include "chart/SalesBarChart.h"
#include "chart/SalesChartQueries.h"
#include "data/Dm.h"
#include "data/Mylib.h"
#include "export/ExportGridToExcel.h"
#include "export/GridPrint.h"
#include "grid/DataGrid.h"
#include "sales/PosSlipPanel.h"
#include "sales/SalesQueries.h"
#include "sales/SalesRecordPanel.h"
#include "sales/Txstj.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalBlocker>

namespace tolvi {

void Txstj::runThisMonth() {
    {
        // Refilling the category list is no change of the condition.
        const QSignalBlocker block(category_);
        fillComboFromGroupedQuery(dm_->ADOQuery1, QStringLiteral("d"), QStringLiteral("data1"),
                                  category_);
    }
    if (customerBox_)
        fillComboFromGroupedQuery(dm_->ADOQuery1, QStringLiteral("g"), QStringLiteral("data1"),
                                  customerBox_);
    openQuery(dm_->ADOQuery13, xstj::thisMonthStatement(QDate::currentDate()));
    dm_->ADOQuery13->last();
    record_->hide();
}

void Txstj::runAll() {
    {
        const QSignalBlocker block(category_);
        fillComboFromGroupedQuery(dm_->ADOQuery1, QStringLiteral("d"), QStringLiteral("data1"),
                                  category_);
    }
    if (customerBox_)
        fillComboFromGroupedQuery(dm_->ADOQuery1, QStringLiteral("g"), QStringLiteral("data1"),
                                  customerBox_);
    openQuery(dm_->ADOQuery13, xstj::allSalesStatement());
    dm_->ADOQuery13->last();
    record_->hide();
}

void Txstj::runCombinedQuery() {
    xstj::SalesConditions c;
    c.category = category_->currentText();
    c.nameInitials = nameInitials_->text();
    c.code = code_->text();
    c.specInitials = specInitials_->text();
    c.customerName = customerName_->text();
    c.remark = remark_->text();
    c.dated = dateCheck_->isChecked();
    c.from = fromDate_->text();
    c.to = toDate_->text();
    openQuery(dm_->ADOQuery13, xstj::combinedStatement(c));
    record_->hide();
}

void Txstj::runToday() {
    dateCheck_->setChecked(true);
    runCombinedQuery();
}

void Txstj::clearConditions() {
    // Each emptied field re-runs the query with the conditions still in force.
    for (QLineEdit* e : {nameInitials_, customerName_, code_, specInitials_, remark_})
        e->clear();
    const QSignalBlocker block(category_);
    category_->setCurrentIndex(-1);
    category_->setEditText(QString());
    dateCheck_->setChecked(false);
}

void Txstj::filterByCustomerNumber() {
    openQuery(dm_->ADOQuery13, xstj::customerNumberStatement(customerNumber_->text()));
}

void Txstj::sortByTitle(const QString& field, int column) {
    record_->hide();
    db::Dataset* d = dm_->ADOQuery13;
    if (!d->isOpen())
        return;
    const QString bracketed = QLatin1Char('[') + field + QLatin1Char(']');
    const bool ascending = grid_->sortMarker(column) == grid::SortMarker::Down;
    run([&] { d->sort(ascending ? bracketed : bracketed + QStringLiteral(" DESC")); });
}

void Txstj::toggleColumnChoice(int choice) {
    choices_.toggle(choice);
    applyColumns();
}

void Txstj::showAllColumns() {
    choices_.showAll();
    applyColumns();
}

void Txstj::restoreColumnChoices() {
    choices_.restore();
    applyColumns();
}

void Txstj::openModify() {
    record_->openFor(xstj::SalesRecordPanel::Mode::Modify, *dm_->ADOQuery13);
}

void Txstj::modifyRecord() {
    record_->modify(dm_->ADOQuery13);
}

void Txstj::openDelete() {
    record_->openFor(xstj::SalesRecordPanel::Mode::Delete, *dm_->ADOQuery13);
}

void Txstj::deleteRecord() {
    db::Dataset* detail = dm_->ADOQuery13;
    if (!detail->isOpen() || detail->recNo() < 0)
        return;
    record_->returnStock(dm_->ADOQuery15);
    detail->deleteCurrent();
    runThisMonth();
    record_->clearValues();
    record_->hide();
    if (!choices_.isRestricted()) {
        runMonthlyProfit();
        runDailyProfit();
    }
    platform().information(this, QStringLiteral("删除销售记录成功！"));
}

void Txstj::exportList() {
    exportGridToExcel(grid_, QStringLiteral("销 售 报 表"), operatorName_, this);
}

void Txstj::printList() {
    printGridList(grid_, QStringLiteral("销 售 统 计 报 表"), operatorName_,
                  QStringLiteral("%[Today]"), this);
}

void Txstj::addToSlip() {
    slip_->show();
    slip_->raise();
    db::Dataset* d = dm_->ADOQuery13;
    if (!d->isOpen() || d->recNo() < 0)
        return;
    const auto text = [d](const char* f) {
        return d->fieldByName(QString::fromLatin1(f)).asString();
    };
    if (text("a").isEmpty())
        return;
    const int line =
        slip_->addItem({text("c"), text("a"), text("b"), text("3"), text("2"), text("4")});
    if (line == 0) {
        const QString customerNumber = text("z");
        slip_->customerNameEdit()->setText(text("g"));
        customerNumber_->setText(customerNumber);
    }
}

int Txstj::addSaleToSlip(const xstj::SlipItem& item) {
    return slip_->addItem(item);
}

void Txstj::setSlipCustomer(const QString& customerName, const QString& customerNumber) {
    slip_->customerNameEdit()->setText(customerName);
    customerNumber_->setText(customerNumber);
}

void Txstj::printReceipt() {
    xstj::ReceiptInput in = slip_->receiptInput();
    in.operatorName = operatorName_;
    in.company = company_->text();
    in.address = address_->text();
    in.now = QDateTime::currentDateTime();
    QPrinter printer(QPrinter::HighResolution);
    if (!xstj::printReceipt(printer, in)) {
        // The slip stays, so that the receipt can be printed again.
        platform().error(this, QStringLiteral("打印POS小票失败，请检查默认打印机。"));
        return;
    }
    slip_->clearSlip();
}

void Txstj::runMonthlyProfit() {
    monthChart_->runQuery(
        chart::monthlyChartStatement(monthYear_->currentText(), chart::SalesMeasure::Profit),
        QStringLiteral("月份"));
}

void Txstj::runMonthlySales() {
    monthChart_->runQuery(
        chart::monthlyChartStatement(monthYear_->currentText(), chart::SalesMeasure::Amount),
        QStringLiteral("月份"));
}

void Txstj::runDailyProfit() {
    dayChart_->runQuery(chart::dailyChartStatement(dayYear_->currentText(),
                                                   dayMonth_->currentText(),
                                                   chart::SalesMeasure::Profit),
                        QStringLiteral("日期"));
}

void Txstj::runDailySales() {
    dayChart_->runQuery(chart::dailyChartStatement(dayYear_->currentText(),
                                                   dayMonth_->currentText(),
                                                   chart::SalesMeasure::Amount),
                        QStringLiteral("日期"));
}

} // namespace tolvi

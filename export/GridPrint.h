#pragma once
// The grid print engine: a list grid printed as a table on the report
// engine's renderer. Visible columns with their two-level titles (repeated on
// every page), every record of the grid's dataset in its current order, the
// footer row, a page header with the page number, a heading before the table
// and a right-aligned line after it whose macro is replaced by a text.

#include "platform/Platform.h"

#include <QDate>
#include <QHash>
#include <QString>

class QWidget;

namespace tolvi::grid {
class DataGrid;
}

namespace tolvi {

class GridPrintEngine {
public:
    void setGrid(const grid::DataGrid* grid) { grid_ = grid; }
    // Printed bold and centred before the table, followed by two empty lines.
    void setHeading(const QString& heading) { heading_ = heading; }
    // The right-aligned line after the table, before substitution.
    void setAfterLine(const QString& line) { afterLine_ = line; }
    // Every occurrence of macro in the after-line is replaced by text.
    void setSubstitution(const QString& macro, const QString& text) { subst_[macro] = text; }
    // "&[Page]" is replaced by the page number.
    void setPageHeader(const QString& text) { pageHeader_ = text; }

    // The after-line with the substitutions applied.
    QString afterLineText() const;
    // Freezes the grid's current rows into pages (A4 portrait, 2 cm margins).
    PageSource pageSource() const;
    void preview(QWidget* parent) const;

private:
    const grid::DataGrid* grid_ = nullptr;
    QString heading_;
    QString afterLine_;
    QHash<QString, QString> subst_;
    QString pageHeader_ = QStringLiteral("Page. &[Page]");
};

// "制表人：" + operator + four blanks + "日期：" + the date as yyyy-mm-dd.
QString operatorDateLine(const QString& operatorName, const QDate& today = QDate::currentDate());

// "打印全部清单" and the sales windows' "打 印": the grid with its heading,
// the macro of the after-line replaced by the operator line, in the preview.
void printGridList(const grid::DataGrid* grid, const QString& heading, const QString& operatorName,
                   const QString& macro = QStringLiteral("%[Today1]"), QWidget* parent = nullptr);

} // namespace tolvi

#pragma once
// Display formats in the manner of Delphi's FormatFloat: "0" a digit always
// shown, "#" a digit shown when significant, "." the decimal point, ","
// thousands grouping, quoted or other characters as literals, and up to three
// sections "positive;negative;zero". "#.##" thus shows 12.5 as "12.5", 0.5 as
// ".5" and 0 as nothing; "0.00" shows 12.5 as "12.50".

#include <QString>
#include <QVariant>

namespace tolvi::grid {

// An empty format gives the shortest general form (up to 15 digits).
QString formatNumber(double value, const QString& format);

// The text a grid cell shows for a value: NULL as nothing, numbers (and texts
// that read as numbers, when a format is given) through formatNumber, other
// texts as they are, on one line.
QString displayText(const QVariant& value, const QString& format);

// A value as a number for sums: numbers as they are, numeric texts parsed,
// NULL and other texts as 0.
double numericValue(const QVariant& value);

} // namespace tolvi::grid

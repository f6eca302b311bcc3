#pragma once
// Shared form and query operations of the windows.

#include "data/db/Dataset.h"

#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace tolvi {

// The text without leading and trailing blanks and control characters
// (every character whose code is at most 32).
QString trimBlanksAndControls(const QString& text);

// A typed value made safe to stand between single quotes in a statement:
// every ' is doubled, so the value is stored and found as typed.
QString sqlText(const QString& value);

// True when the box holds text other than blanks and control characters;
// otherwise warns with message, focuses the box and returns false.
bool requireEditText(QLineEdit* box, const QString& message);
bool requireComboText(QComboBox* box, const QString& message);
// The same check on any text, for boxes of other kinds.
bool requireText(QWidget* box, const QString& text, const QString& message);

// Closes the dataset, puts the statement in as its one line and opens it.
void openQuery(db::Dataset* query, const QString& statement);
// Same, but executes the statement; returns the number of rows changed and
// leaves the dataset closed.
int execQuery(db::Dataset* query, const QString& statement);
// "select F from T group by F order by F".
void openGroupedQuery(db::Dataset* query, const QString& field, const QString& table);
// Fills the box with the distinct values of the field; the box ends with no
// selection and no text. NULL values are listed as the empty text.
void fillComboFromGroupedQuery(db::Dataset* query, const QString& field, const QString& table,
                               QComboBox* box);

// Runs a window command; an error that ends it shows in the standard error
// box. Returns false when the command ended with an error.
bool runCommand(QWidget* parent, const std::function<void()>& command);

} // namespace tolvi

#pragma once
// The two clean-up commands run after an import.

#include "data/db/Dataset.h"

#include <QString>
#include <functional>

namespace tolvi {

// Every record of data gets the default courier, "未打印" and today's date as
// its paid date; then showAllRecords reloads the list.
void optimiseImportedData(db::Dataset* list, const QString& defaultCourier,
                          const std::function<void()>& showAllRecords);

// For each record the list holds now: the telephone keeps its last 11
// characters, the address is rebuilt by normaliseAddress and trimmed. A NULL
// telephone or address is left NULL. All rows are stored together or, on an
// error, none; the list is reloaded either way.
void optimiseRecipientAddresses(db::Dataset* list, const std::function<void()>& showAllRecords);

} // namespace tolvi

#pragma once
// The fifteen columns of the sales detail list.

#include "grid/GridColumn.h"

#include <QList>

namespace tolvi::xstj {

QList<grid::GridColumn> salesDetailColumns();

} // namespace tolvi::xstj

#pragma once
// What the match screen's source files (KuraList*.cpp) share.

#include "app/kit/DbGrid.h"

#include <QString>

namespace KuraListParts {

// The title of the weigh-in grid's name column.
inline const QString kWeighInTitle = QStringLiteral("Ad Soyad");

// A field of a grid's current row; "" when the grid has no row.
inline QString currentField(const TDBGrid* grid, const QString& field)
{
    const Record r = grid->currentRecord();
    return r.has(field) ? r.str(field) : QString();
}

} // namespace KuraListParts

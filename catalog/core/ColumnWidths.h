#pragma once
// How columns share a width: each gets the width it wants while the total fits, the columns
// wanting least first; the one that finds too little left gets what is left (those after it
// nothing).
#include <QVector>

namespace catalog {

QVector<int> shareWidths(const QVector<int>& wanted, int room);

} // namespace catalog

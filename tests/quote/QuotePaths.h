#pragma once
// Full paths of tree nodes for the quotation tests: the root "Ｑ" and the names below it.
#include "QuoteTree.h"

namespace testpaths {

inline const QString Q = quote::kRootKey;

template <class... Names> QString path(const Names&... names) {
    QString p = Q;
    ((p += quote::kPathSeparator + QString(names)), ...);
    return p;
}

} // namespace testpaths

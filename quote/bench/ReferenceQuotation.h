#pragma once
// The reference quotation of the benchmarks and the fault tests: 20,000 item rows in 1,000 leaves
// under a three-level tree (10 areas, 10 work types each, 10 sub-types each, 20 rows per leaf).
#include "QuoteDocument.h"

namespace quote {

inline constexpr int kReferenceRowsPerLeaf = 20;

// The same quotation at every call; `seed` varies the rows' values and the leaves' order.
QuoteDocument referenceQuotation(quint32 seed = 20231201);

} // namespace quote

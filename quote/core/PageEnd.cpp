#include "PageEnd.h"

namespace quote {

bool feeShown(bool pricesShown) {
    return pricesShown;
}

} // namespace quote

#include "ColumnWidths.h"

#include <algorithm>
#include <numeric>

namespace catalog {

QVector<int> shareWidths(const QVector<int>& wanted, int room) {
    QVector<int> order(wanted.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return wanted.at(a) < wanted.at(b); });
    QVector<int> out(wanted.size());
    for (const int c : order) {
        out[c] = std::clamp(wanted.at(c), 0, std::max(0, room));
        room -= out.at(c);
    }
    return out;
}

} // namespace catalog

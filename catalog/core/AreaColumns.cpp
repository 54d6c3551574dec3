#include "AreaColumns.h"

namespace catalog {

AreaColumns::AreaColumns(const QStringList& areas) {
    setFlat(areas);
    for (int i = 0; i < areas.size(); ++i)
        m_read << i;
}

void AreaColumns::setFlat(const QStringList& areas) {
    m_columns.clear();
    for (int i = 0; i < areas.size(); i += kAreasPerColumn)
        m_columns.append(areas.mid(i, kAreasPerColumn));
    if (m_columns.isEmpty())
        m_columns.append(QStringList());
}

QStringList AreaColumns::flat() const {
    QStringList out;
    for (const QStringList& c : m_columns)
        out << c;
    return out;
}

int AreaColumns::count() const {
    int n = 0;
    for (const QStringList& c : m_columns)
        n += int(c.size());
    return n;
}

bool AreaColumns::contains(AreaCell at) const {
    return at.column >= 0 && at.column < columnCount() && at.row >= 0 &&
           at.row < m_columns.at(at.column).size();
}

QString AreaColumns::text(AreaCell at) const {
    return contains(at) ? m_columns.at(at.column).at(at.row) : QString();
}

void AreaColumns::setText(AreaCell at, const QString& text) {
    if (contains(at))
        m_columns[at.column][at.row] = text;
}

QStringList AreaColumns::toStoredList() const {
    QStringList out = flat();
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QList<int> AreaColumns::readAs() const {
    return m_read.mid(0, toStoredList().size());
}

AreaCell AreaColumns::add() {
    const int n = count();
    if (n > 0 && flat().last().isEmpty())
        return cellOf(n - 1);
    QStringList areas = flat();
    areas << QString();
    setFlat(areas);
    m_read << -1;
    return cellOf(n);
}

void AreaColumns::remove(AreaCell at) {
    if (!contains(at))
        return;
    QStringList areas = flat();
    areas.removeAt(flatIndex(at));
    m_read.removeAt(flatIndex(at));
    setFlat(areas);
}

AreaColumns::Move AreaColumns::moveDown(AreaCell& at) {
    if (!contains(at) || text(at).isEmpty())
        return Move::NothingSelected;
    const int i = flatIndex(at);
    if (i + 1 >= count())
        return Move::AtEnd;
    QStringList areas = flat();
    areas.swapItemsAt(i, i + 1);
    m_read.swapItemsAt(i, i + 1);
    setFlat(areas);
    at = cellOf(i + 1);
    return Move::Moved;
}

AreaColumns::Move AreaColumns::moveUp(AreaCell& at) {
    if (!contains(at) || text(at).isEmpty())
        return Move::NothingSelected;
    const int i = flatIndex(at);
    if (i == 0)
        return Move::AtEnd;
    QStringList areas = flat();
    areas.swapItemsAt(i, i - 1);
    m_read.swapItemsAt(i, i - 1);
    setFlat(areas);
    at = cellOf(i - 1);
    return Move::Moved;
}

} // namespace catalog

#include "GridModel.h"

namespace records {

namespace {
// A line padded or cut to `columns` cells.
void fit(QStringList& line, qsizetype columns) {
    while (line.size() < columns)
        line << QString();
    if (line.size() > columns)
        line = line.mid(0, columns);
}
} // namespace

void GridModel::setGrid(const QStringList& captions, QVector<QStringList> lines, const QSet<int>& leftAligned) {
    beginResetModel();
    m_captions = captions;
    for (QStringList& l : lines)
        fit(l, captions.size());
    m_lines = std::move(lines);
    m_left = leftAligned;
    endResetModel();
}

void GridModel::clear() {
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

void GridModel::replaceLines(int column, const QString& key, QStringList line) {
    fit(line, m_captions.size());
    for (int r = 0; r < m_lines.size(); ++r) {
        if (m_lines.at(r).value(column) != key || m_lines.at(r) == line)
            continue;
        m_lines[r] = line;
        emit dataChanged(index(r, 0), index(r, int(m_captions.size()) - 1));
    }
}

void GridModel::removeLines(int column, const QString& key) {
    for (int r = int(m_lines.size()) - 1; r >= 0; --r) {
        if (m_lines.at(r).value(column) != key)
            continue;
        beginRemoveRows({}, r, r);
        m_lines.removeAt(r);
        endRemoveRows();
    }
}

QString GridModel::cell(int row, int column) const {
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).value(column) : QString();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_captions.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && m_left.contains(index.column()))
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return m_captions.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace records

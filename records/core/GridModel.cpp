#include "GridModel.h"

namespace records {

void GridModel::setGrid(const QStringList& captions, QVector<QStringList> lines, const QSet<int>& leftAligned) {
    beginResetModel();
    m_captions = captions;
    for (QStringList& l : lines) {
        while (l.size() < captions.size())
            l << QString();
        if (l.size() > captions.size())
            l = l.mid(0, captions.size());
    }
    m_lines = std::move(lines);
    m_left = leftAligned;
    endResetModel();
}

void GridModel::clear() {
    beginResetModel();
    m_lines.clear();
    endResetModel();
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

#include "ItemGridModel.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace quote {

ItemGridModel::ItemGridModel(const QuoteDocument* doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {}

int ItemGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_doc->hfgQ.rows() - 1;
}

int ItemGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColCount;
}

QString ItemGridModel::headerText(int column) {
    switch (column) {
    case ColPath: return QStringLiteral("  階  層");
    case ColName: return QStringLiteral("   品      名 ");
    case ColSpec: return QStringLiteral("   規    格");
    case ColUnit: return QStringLiteral("單位");
    case ColQty: return QStringLiteral("數量");
    case ColPrice: return QStringLiteral("單 價");
    case ColAmount: return QStringLiteral("金 額");
    case ColCost: return QStringLiteral("成 本");
    case ColCostTotal: return QStringLiteral("成本複計");
    case ColRatio: return QStringLiteral("比例");
    case ColRemark: return QStringLiteral("備 註");
    default: return {};
    }
}

QVariant ItemGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int r = index.row() + 1;
    const int c = index.column();
    if (r >= m_doc->hfgQ.rows())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_doc->hfgQ.cell(r, c);
    case Qt::BackgroundRole:
        if (c == ColHeader)
            return QApplication::palette().color(QPalette::Button);
        if (c == ColPath)
            return QColor(255, 255, 192);
        if (c == ColAmount || c == ColCostTotal)
            return QApplication::palette().color(QPalette::Midlight);
        return {};
    case Qt::ForegroundRole:
        if (c == ColPath)
            return QApplication::palette().color(QPalette::Highlight);
        if (c == ColAmount || c == ColCostTotal)
            return QColor(192, 0, 0);
        return {};
    case Qt::TextAlignmentRole:
        if (c == ColName || c == ColSpec || c == ColRemark || c == ColPath)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (c == ColUnit)
            return int(Qt::AlignCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ItemGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return headerText(section);
    if (o == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags ItemGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ItemGridModel::reload() {
    beginResetModel();
    endResetModel();
}

void ItemGridModel::cellChanged(int r, int c) {
    const QModelIndex i = index(r - 1, c);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void ItemGridModel::rowChanged(int r) {
    emit dataChanged(index(r - 1, 0), index(r - 1, ColCount - 1), {Qt::DisplayRole});
}

} // namespace quote

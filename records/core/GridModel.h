#pragma once
// The browse grid's content: captions and lines of text. Column 0 is the narrow empty column;
// some columns are aligned left.
#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>
#include <QVector>

namespace records {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces everything; every line is padded or cut to the captions' count.
    void setGrid(const QStringList& captions, QVector<QStringList> lines, const QSet<int>& leftAligned = {});
    void clear();
    // The lines whose `column` holds `key`: replaced by `line` (padded or cut as setGrid does them),
    // or removed.
    void replaceLines(int column, const QString& key, QStringList line);
    void removeLines(int column, const QString& key);

    QString cell(int row, int column) const;
    const QStringList& captions() const { return m_captions; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_captions;
    QVector<QStringList> m_lines;
    QSet<int> m_left;
};

} // namespace records

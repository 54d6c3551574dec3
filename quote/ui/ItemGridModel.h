#pragma once
// The visible item grid hfgQ as a table model: model row i is grid row i + 1 (the grid's header row
// is the view's header), thirteen columns, every cell the document's text. The model holds no copy:
// whoever changes the grid tells the model (reload after rows were added, removed or moved,
// cellChanged/rowChanged after cell edits).
#include "QuoteDocument.h"

#include <QAbstractTableModel>

namespace quote {

class ItemGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ItemGridModel(const QuoteDocument* doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The grid's rows changed (count or order): the views read everything again.
    void reload();
    // One cell or one row of grid row r (r >= 1) changed.
    void cellChanged(int r, int c);
    void rowChanged(int r);

    // The header texts of row 0, by column.
    static QString headerText(int column);

private:
    const QuoteDocument* m_doc;
};

} // namespace quote

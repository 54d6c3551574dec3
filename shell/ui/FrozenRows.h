#pragma once
// Keeps the first rows of a grid in view while its other rows scroll: a second view of the same
// model lies over the top of the grid's viewport, with the grid's column widths, spans and
// horizontal position.
#include <QObject>

class QTableView;

namespace shell {

class FrozenRows : public QObject {
    Q_OBJECT
public:
    // The overlay is a child of `grid` named `name`; `rows` rows stay in view.
    FrozenRows(QTableView* grid, int rows, const QString& name);

    QTableView* overlay() const { return m_overlay; }
    // Takes over the grid's column widths, hidden columns and the spans of the frozen rows, and
    // places the overlay again; call after the grid's layout changed.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QTableView* m_grid;
    QObject* m_viewport;
    QTableView* m_overlay;
    int m_rows;
};

} // namespace shell

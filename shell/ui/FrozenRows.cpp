#include "FrozenRows.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace shell {

FrozenRows::FrozenRows(QTableView* grid, int rows, const QString& name)
    : QObject(grid), m_grid(grid), m_viewport(grid->viewport()), m_overlay(new QTableView(grid)),
      m_rows(rows) {
    m_overlay->setObjectName(name);
    m_overlay->setModel(grid->model());
    m_overlay->horizontalHeader()->hide();
    m_overlay->verticalHeader()->hide();
    m_overlay->setFocusPolicy(Qt::NoFocus);
    m_overlay->setSelectionMode(QAbstractItemView::NoSelection);
    m_overlay->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_overlay->setHorizontalScrollMode(grid->horizontalScrollMode());
    m_overlay->setFrameShape(QFrame::NoFrame);
    m_overlay->setShowGrid(grid->showGrid());
    // Rows slide under the overlay pixel by pixel, so no row hides behind it for good.
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, m_overlay->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int width) { m_overlay->setColumnWidth(col, width); });
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int height) {
        if (row < m_rows) {
            m_overlay->setRowHeight(row, height);
            place();
        }
    });
    grid->installEventFilter(this);
    m_viewport->installEventFilter(this); // a scroll bar appearing narrows the viewport
    refresh();
}

void FrozenRows::refresh() {
    const int cols = m_grid->model()->columnCount();
    for (int c = 0; c < cols; ++c) {
        m_overlay->setColumnHidden(c, m_grid->isColumnHidden(c));
        m_overlay->setColumnWidth(c, m_grid->columnWidth(c));
    }
    m_overlay->clearSpans();
    for (int r = 0; r < m_rows; ++r) {
        m_overlay->setRowHeight(r, m_grid->rowHeight(r));
        for (int c = 0; c < cols; ++c) {
            const int span = m_grid->columnSpan(r, c); // also of the cells a span covers
            if (span > 1 && m_grid->rowSpan(r, c) == 1) {
                m_overlay->setSpan(r, c, 1, span);
                c += span - 1;
            }
        }
    }
    m_overlay->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->value());
    place();
}

void FrozenRows::place() {
    const int rows = std::min(m_rows, m_grid->model()->rowCount());
    int height = 0;
    for (int r = 0; r < rows; ++r)
        height += m_grid->rowHeight(r);
    const QRect viewport = m_grid->viewport()->geometry();
    m_overlay->setGeometry(viewport.x(), viewport.y(), viewport.width(), height);
    m_overlay->setVisible(height > 0);
    m_overlay->raise();
}

bool FrozenRows::eventFilter(QObject* watched, QEvent* event) {
    // Pointers compared only: the grid may be half destroyed while its viewport goes.
    if ((watched == m_grid || watched == m_viewport) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
         event->type() == QEvent::LayoutRequest))
        place();
    return QObject::eventFilter(watched, event);
}

} // namespace shell

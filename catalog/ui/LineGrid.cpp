#include "LineGrid.h"

#include "CatalogLists.h"
#include "GridCells.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace catalog_ui {

LineGrid::LineGrid(QTableWidget* grid, QLineEdit* txt, QComboBox* combo, int comboColumn,
                   QList<int> numericColumns, QObject* parent)
    : QObject(parent), m_grid(grid), m_txt(txt), m_combo(combo), m_comboColumn(combo ? comboColumn : -1),
      m_numeric(std::move(numericColumns)) {
    m_txt->hide();
    m_txt->installEventFilter(this);
    connect(m_txt, &QLineEdit::textChanged, this, &LineGrid::txt_Change);
    // Any edit by the user counts, typed or committed by an input method.
    connect(m_txt, &QLineEdit::textEdited, this, [this] {
        if (curCol == 0 && !m_typedSinceOpen) {
            m_typedSinceOpen = true;
            emit firstColumnTyped();
        }
    });
    if (m_combo) {
        m_combo->hide();
        m_combo->installEventFilter(this);
        if (m_combo->lineEdit())
            m_combo->lineEdit()->installEventFilter(this);
        connect(m_combo, &QComboBox::editTextChanged, this, &LineGrid::combo_Change);
        connect(m_combo, &QComboBox::textActivated, this, &LineGrid::combo_Change);
    }
}

int LineGrid::lastColumn() const {
    return m_grid->columnCount() - 1;
}

void LineGrid::setLines(const QVector<QStringList>& lines, const QVector<QVariant>& origins) {
    m_filling = true;
    m_grid->hide();
    m_grid->clearContents();
    m_grid->setRowCount(std::max<int>(1, int(lines.size())));
    for (int r = 0; r < lines.size(); ++r) {
        for (int c = 0; c < m_grid->columnCount(); ++c)
            setCellText(m_grid, r, c, lines.at(r).value(c));
        setCellOrigin(m_grid, r, 0, origins.value(r));
    }
    m_grid->show();
    m_filling = false;
}

QVector<QStringList> LineGrid::lines() const {
    QVector<QStringList> out;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        QStringList line;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            line << cellText(m_grid, r, c);
        out << line;
    }
    return out;
}

QVariant LineGrid::origin(int line) const {
    return cellOrigin(m_grid, line, 0);
}

void LineGrid::dropEmptyLastLine() {
    const int last = m_grid->rowCount() - 1;
    if (last >= 0 && cellText(m_grid, last, 0).isEmpty())
        m_grid->removeRow(last);
}

LineGrid::NumberFault LineGrid::firstNumberFault() const {
    for (int r = 0; r < m_grid->rowCount(); ++r)
        for (const int c : m_numeric)
            if (QString why = catalog::numberFault(cellText(m_grid, r, c)); !why.isEmpty())
                return {r + 1, c, why};
    return {};
}

void LineGrid::hideEditors() {
    m_txt->hide();
    if (m_combo)
        m_combo->hide();
}

void LineGrid::editCell() {
    if (curRow < 0 || curRow >= m_grid->rowCount())
        return;
    m_grid->setCurrentCell(curRow, curCol);
    m_typedSinceOpen = false;
    const QString text = cellText(m_grid, curRow, curCol);
    if (curCol == m_comboColumn) {
        m_txt->hide();
        placeOver(m_combo, m_grid, curRow, curCol, true); // the unit box keeps its own height
        m_combo->setEditText(text);
        m_combo->setFocus();
        return;
    }
    if (m_combo)
        m_combo->hide();
    setNumericTyping(m_txt, false); // the cell's own text always shows
    placeOver(m_txt, m_grid, curRow, curCol);
    m_filling = true;
    startEditing(m_txt, text);
    m_filling = false;
    setNumericTyping(m_txt, isNumeric(curCol));
}

void LineGrid::nextCell() {
    int row = m_grid->currentRow() < 0 ? curRow : m_grid->currentRow();
    int col = curCol;
    if (curCol != lastColumn()) {
        ++col;
    } else if (editExisting) {
        if (row < m_grid->rowCount() - 1)
            ++row;
        col = 0;
    } else {
        emit addRequested();
        return;
    }
    curRow = row;
    curCol = col;
    editCell();
}

void LineGrid::addLine() {
    int last = m_grid->rowCount() - 1;
    if (last < 0 || !cellText(m_grid, last, 0).isEmpty()) {
        m_grid->insertRow(++last);
        for (int c = 0; c < m_grid->columnCount(); ++c)
            setCellText(m_grid, last, c, QString());
    }
    curRow = last;
    curCol = 0;
    m_filling = true;
    m_txt->clear();
    if (m_combo)
        m_combo->setEditText(QString());
    m_filling = false;
    editCell();
}

void LineGrid::removeLine(int line) {
    if (line < 0 || line >= m_grid->rowCount())
        return;
    hideEditors();
    if (m_grid->rowCount() == 1) {
        for (int c = 0; c < m_grid->columnCount(); ++c)
            setCellText(m_grid, 0, c, QString());
        setCellOrigin(m_grid, 0, 0, QVariant());
        return;
    }
    m_grid->removeRow(line);
}

LineGrid::Move LineGrid::moveCurrent(int step) {
    const int row = m_grid->currentRow();
    const int col = m_grid->currentColumn();
    if (row < 0 || col < 0 || cellText(m_grid, row, col).isEmpty())
        return Move::NothingSelected;
    const int to = row + step;
    if (to < 0 || to >= m_grid->rowCount())
        return Move::AtEnd;
    hideEditors();
    swapRows(m_grid, row, to);
    m_grid->setCurrentCell(to, col);
    curRow = to;
    return Move::Moved;
}

void LineGrid::txt_Change(const QString& text) {
    if (m_filling || !m_txt->isVisible())
        return;
    // An emptied numeric cell holds "0".
    setCellText(m_grid, curRow, curCol, text.isEmpty() && isNumeric(curCol) ? QStringLiteral("0") : text);
}

void LineGrid::combo_Change(const QString& text) {
    if (m_filling || !m_combo->isVisible())
        return;
    setCellText(m_grid, curRow, curCol, text);
}

bool LineGrid::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, e);
    auto* k = static_cast<QKeyEvent*>(e);
    // Leaving the editor with Tab counts as Enter: the editor moves on to the next cell.
    const bool tab = k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || tab) {
        nextCell();
        return true;
    }
    if (watched == m_txt && refusesKey(m_txt, k->text()))
        return true;
    return QObject::eventFilter(watched, e);
}

} // namespace catalog_ui

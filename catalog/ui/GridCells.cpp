#include "GridCells.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace catalog_ui {

namespace {
constexpr int kOriginRole = Qt::UserRole;
const char* kNumericValidator = "numericValidator";

QTableWidgetItem* itemAt(QTableWidget* grid, int row, int col) {
    QTableWidgetItem* it = grid->item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid->setItem(row, col, it);
    }
    return it;
}
} // namespace

QString cellText(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* it = grid->item(row, col);
    return it ? it->text() : QString();
}

void setCellText(QTableWidget* grid, int row, int col, const QString& text) {
    if (row >= 0 && row < grid->rowCount() && col >= 0 && col < grid->columnCount())
        itemAt(grid, row, col)->setText(text);
}

QVariant cellOrigin(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* it = grid->item(row, col);
    return it ? it->data(kOriginRole) : QVariant();
}

void setCellOrigin(QTableWidget* grid, int row, int col, const QVariant& origin) {
    itemAt(grid, row, col)->setData(kOriginRole, origin);
}

void swapRows(QTableWidget* grid, int a, int b) {
    for (int c = 0; c < grid->columnCount(); ++c) {
        QTableWidgetItem* ia = grid->takeItem(a, c);
        QTableWidgetItem* ib = grid->takeItem(b, c);
        grid->setItem(a, c, ib);
        grid->setItem(b, c, ia);
    }
}

void setUpGrid(QTableWidget* grid) {
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setContextMenuPolicy(Qt::PreventContextMenu);
    // Tab leaves the grid. It also keeps the current cell where it is when a floating editor that
    // had the focus is hidden (the view would otherwise step to the next cell).
    grid->setTabKeyNavigation(false);
}

void placeOver(QWidget* editor, QTableWidget* grid, int row, int col, bool keepHeight) {
    editor->setParent(grid->viewport());
    QTableWidgetItem* it = itemAt(grid, row, col);
    grid->scrollToItem(it);
    const QRect r = grid->visualItemRect(it);
    editor->move(r.topLeft());
    editor->setFont(grid->font());
    editor->resize(r.width(), keepHeight ? editor->sizeHint().height() : r.height());
    editor->show();
    editor->raise();
}

void startEditing(QLineEdit* editor, const QString& text) {
    editor->setText(text);
    editor->setFocus();
    editor->selectAll();
}

void setNumericTyping(QLineEdit* editor, bool active) {
    auto* v = editor->findChild<QRegularExpressionValidator*>(QString::fromLatin1(kNumericValidator));
    if (!v) {
        v = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), editor);
        v->setObjectName(QString::fromLatin1(kNumericValidator));
    }
    editor->setValidator(active ? v : nullptr);
}

// A key the validator refuses beeps: the filter sits on every catalogue editor.
bool refusesKey(QLineEdit* editor, const QString& typed) {
    const QValidator* v = editor->validator();
    if (!v || typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    QString text = editor->text();
    const int start = editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    const int len = editor->hasSelectedText() ? int(editor->selectedText().size()) : 0;
    text.replace(start, len, typed);
    int pos = 0;
    if (v->validate(text, pos) != QValidator::Invalid)
        return false;
    QApplication::beep();
    return true;
}

} // namespace catalog_ui

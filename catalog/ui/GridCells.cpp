#include "GridCells.h"

#include "ColumnWidths.h"
#include "text/Numbers.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>
#include <QStyle>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>

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

QStringList columnTexts(const QTableWidget* grid, int col) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << cellText(grid, r, col);
    return out;
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

void startEditing(QLineEdit* editor, const QString& text, bool atEnd) {
    editor->setText(text);
    editor->setFocus();
    if (atEnd)
        editor->end(false);
    else
        editor->selectAll();
}

namespace {
// The width the cell's text takes, with the cell's margins.
int textWidth(const QTableWidget* grid, const QTableWidgetItem* it) {
    if (!it || it->text().isEmpty())
        return 0;
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 2;
    return grid->fontMetrics().horizontalAdvance(it->text()) + margin;
}
} // namespace

int widestText(const QTableWidget* grid, int col) {
    int widest = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
        widest = std::max(widest, textWidth(grid, grid->item(r, col)));
    return widest;
}

void widenColumns(QTableWidget* grid, const QVector<int>& base, int room) {
    QVector<int> need(base.size());
    int spare = room;
    for (int c = 0; c < base.size(); ++c) {
        need[c] = std::max(0, widestText(grid, c) - base.at(c));
        spare -= base.at(c);
    }
    const QVector<int> extra = catalog::shareWidths(need, spare);
    for (int c = 0; c < base.size(); ++c)
        grid->setColumnWidth(c, base.at(c) + extra.at(c));
}

bool showCutText(QTableWidget* grid, QHelpEvent* e) {
    const QTableWidgetItem* it = grid->itemAt(e->pos());
    if (!it || textWidth(grid, it) <= grid->visualItemRect(it).width())
        return false;
    QToolTip::showText(e->globalPos(), it->text(), grid->viewport(), grid->visualItemRect(it));
    return true;
}

namespace {
// Digits with at most one "."; a number no cell can show is only Intermediate, so that one already
// in the cell (stored so, or pasted) can be shortened, while no key may make one.
class NumericValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        static const QRegularExpression shape(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]*\\.?[0-9]*")));
        if (!shape.match(text).hasMatch())
            return Invalid;
        return num::cellCanShow(text) ? Acceptable : Intermediate;
    }
};
} // namespace

void setNumericTyping(QLineEdit* editor, bool active) {
    auto* v = editor->findChild<QValidator*>(QString::fromLatin1(kNumericValidator));
    if (!v) {
        v = new NumericValidator(editor);
        v->setObjectName(QString::fromLatin1(kNumericValidator));
    }
    editor->setValidator(active ? v : nullptr);
}

// A key the validator does not accept beeps: the filter sits on every catalogue editor.
bool refusesKey(QLineEdit* editor, const QString& typed) {
    const QValidator* v = editor->validator();
    if (!v || typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    QString text = editor->text();
    const int start = editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    const int len = editor->hasSelectedText() ? int(editor->selectedText().size()) : 0;
    text.replace(start, len, typed);
    int pos = 0;
    if (v->validate(text, pos) == QValidator::Acceptable)
        return false;
    QApplication::beep();
    return true;
}

} // namespace catalog_ui

// Tab 2 of the construction-data window: the thirteen vocabulary lists, edited in place (with
// rights position 10) and stored when the window closes.
#include "frmEng.h"

#include "ColumnWidths.h"
#include "GridCells.h"
#include "Questions.h"
#include "ui/Controls.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {
const QString kTitle = QStringLiteral("Kavo III");
constexpr int kListsPerRow = 7;
} // namespace

QWidget* frmEng::buildListsTab() {
    auto* w = new QWidget;
    auto* grid = new QGridLayout;
    txtS = ui::textBox(w, "txtS");
    txtS->hide();
    txtS->installEventFilter(this);
    connect(txtS, &QLineEdit::textChanged, this, &frmEng::txtS_Change);
    for (int i = 0; i < catalog::kVocabularyCount; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(catalog::vocabularyList(i).caption), w);
        auto* g = new QTableWidget(w);
        g->setObjectName(QStringLiteral("hfgS(%1)").arg(i));
        catalog_ui::setUpGrid(g);
        g->horizontalHeader()->hide();
        g->setColumnCount(1);
        g->installEventFilter(this); // its column width follows its width
        // Its width follows its texts (fitListColumns), not its own size hint.
        g->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        g->viewport()->installEventFilter(this);
        connect(g->verticalScrollBar(), &QScrollBar::valueChanged, txtS, &QWidget::hide);
        hfgS.append(g);
        const int row = (i / kListsPerRow) * 2;
        grid->addWidget(caption, row, i % kListsPerRow);
        grid->addWidget(g, row + 1, i % kListsPerRow);
    }
    cmdPo = ui::button(w, "cmdPo", QStringLiteral("列印"));
    connect(cmdPo, &QPushButton::clicked, this, &frmEng::cmdPo_Click);

    mS = new QMenu(this);
    mS->setObjectName(QStringLiteral("mS"));
    const QList<QPair<const char*, const char*>> items = {
        {"mAddS", "新增"}, {"mDelS", "刪除"}, {"mUpS", "往上移"}, {"mDnS", "往下移"}};
    for (const auto& [name, caption] : items) {
        QAction* a = mS->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
    }
    connect(mS->findChild<QAction*>(QStringLiteral("mAddS")), &QAction::triggered, this, &frmEng::mAddS_Click);
    connect(mS->findChild<QAction*>(QStringLiteral("mDelS")), &QAction::triggered, this, &frmEng::mDelS_Click);
    connect(mS->findChild<QAction*>(QStringLiteral("mUpS")), &QAction::triggered, this, &frmEng::mUpS_Click);
    connect(mS->findChild<QAction*>(QStringLiteral("mDnS")), &QAction::triggered, this, &frmEng::mDnS_Click);

    m_listsLayout = grid;
    w->installEventFilter(this); // the lists' widths follow the tab's width
    auto* v = new QVBoxLayout(w);
    v->addLayout(grid, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdPo);
    v->addLayout(bottom);
    return w;
}

void frmEng::sizeListColumn(QTableWidget* grid) {
    // The grid's width less 350 twips, room for the scroll bar.
    const double width = ui::pixelsToTwipsX(grid->width(), grid) - 350;
    grid->setColumnWidth(0, ui::twipsToPixelsX(std::round(width), grid));
}

void frmEng::fitListColumns() {
    // Each column of lists gets the width of its widest text and caption (with the room for the
    // scroll bar) while the tab has room for them all, the columns needing least first: a long
    // entry takes what the others leave and shows whole in its tooltip. Room to spare is shared in
    // proportion.
    const int scrollRoom = ui::twipsToPixelsX(350, hfgS.first());
    QVector<int> wanted(kListsPerRow);
    for (int c = 0; c < kListsPerRow; ++c) {
        for (int i = c; i < catalog::kVocabularyCount; i += kListsPerRow) {
            const QWidget* caption = m_listsLayout->itemAtPosition((i / kListsPerRow) * 2, c)->widget();
            wanted[c] = std::max({wanted.at(c), caption->minimumSizeHint().width(),
                                  std::max(catalog_ui::widestText(hfgS.at(i), 0), scrollRoom) + scrollRoom});
        }
    }
    const QWidget* tab = hfgS.first()->parentWidget();
    const QMargins m = tab->layout()->contentsMargins();
    const int room =
        tab->width() - m.left() - m.right() - m_listsLayout->horizontalSpacing() * (kListsPerRow - 1);
    const QVector<int> widths = catalog::shareWidths(wanted, room);
    for (int c = 0; c < kListsPerRow; ++c)
        m_listsLayout->setColumnStretch(c, std::max(1, widths.at(c)));
}

bool frmEng::listChanged(int list) const {
    return m_listLoaded.value(list) && catalog_ui::columnTexts(hfgS.at(list), 0) != m_listTexts.at(list);
}

bool frmEng::listEditable(int list) const {
    return canEdit() && m_listLoaded.value(list);
}

void frmEng::LoadVocabularies(const QList<int>& only) {
    m_listTexts.resize(catalog::kVocabularyCount);
    m_listLoaded.resize(catalog::kVocabularyCount);
    for (int i = 0; i < catalog::kVocabularyCount; ++i) {
        if (!only.isEmpty() && !only.contains(i))
            continue;
        QTableWidget* g = hfgS.at(i);
        QStringList entries;
        m_listLoaded[i] = tryLoad([&] { entries = m_store->vocabulary(i); }, g);
        m_listTexts[i] = entries;
        g->clearContents();
        g->setRowCount(int(entries.size()));
        for (int r = 0; r < entries.size(); ++r) {
            catalog_ui::setCellText(g, r, 0, entries.at(r));
            catalog_ui::setCellOrigin(g, r, 0, r); // its place among the entries loaded
        }
    }
    fitListColumns();
}

void frmEng::listMouseDown(int grid, QMouseEvent* e) {
    if (!listEditable(grid))
        return;
    const int row = hfgS.at(grid)->rowAt(e->position().toPoint().y());
    txtS->hide(); // the editor writes into the cell chosen last: it closes on the old one
    CurListGrid = grid;
    CurListRow = row;
    if (e->button() == Qt::LeftButton) {
        if (row < 0)
            return;
        QTableWidget* g = hfgS.at(grid);
        g->setCurrentCell(row, 0);
        catalog_ui::setNumericTyping(txtS, false);
        catalog_ui::placeOver(txtS, g, row, 0);
        catalog_ui::startEditing(txtS, catalog_ui::cellText(g, row, 0), true);
        catalog_ui::setNumericTyping(txtS, grid == catalog::kRatioList);
    } else if (e->button() == Qt::RightButton) {
        if (row >= 0)
            hfgS.at(grid)->setCurrentCell(row, 0);
        for (const char* name : {"mDelS", "mUpS", "mDnS"})
            mS->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(row >= 0);
        mS->popup(e->globalPosition().toPoint());
    }
}

void frmEng::txtS_Change(const QString& text) {
    if (txtS->isVisible())
        catalog_ui::setCellText(hfgS.at(CurListGrid), CurListRow, 0, text);
}

void frmEng::mAddS_Click() {
    if (!listEditable(CurListGrid))
        return;
    QTableWidget* g = hfgS.at(CurListGrid);
    int last = g->rowCount() - 1;
    if (last < 0 || !catalog_ui::cellText(g, last, 0).isEmpty()) {
        g->insertRow(++last);
        catalog_ui::setCellText(g, last, 0, QString());
    }
    CurListRow = last;
    g->setCurrentCell(last, 0);
    catalog_ui::setNumericTyping(txtS, false);
    catalog_ui::placeOver(txtS, g, last, 0);
    catalog_ui::startEditing(txtS, QString());
    catalog_ui::setNumericTyping(txtS, CurListGrid == catalog::kRatioList);
}

void frmEng::mDelS_Click() {
    QTableWidget* g = hfgS.at(CurListGrid);
    if (!listEditable(CurListGrid) || CurListRow < 0 || CurListRow >= g->rowCount())
        return;
    if (!catalog_ui::confirmLoss(QStringLiteral("確定刪除?")))
        return;
    txtS->hide();
    g->removeRow(CurListRow);
}

void frmEng::mUpS_Click() {
    moveListEntry(-1);
}

void frmEng::mDnS_Click() {
    moveListEntry(1);
}

void frmEng::moveListEntry(int step) {
    if (!listEditable(CurListGrid))
        return;
    QTableWidget* g = hfgS.at(CurListGrid);
    if (CurListRow < 0 || CurListRow >= g->rowCount() || catalog_ui::cellText(g, CurListRow, 0).isEmpty()) {
        ui::msgBox(QStringLiteral("請先選取 再行調整順序"), ui::Buttons::OK, ui::Icon::None, kTitle);
        return;
    }
    const int to = CurListRow + step;
    if (to < 0 || to >= g->rowCount()) {
        QApplication::beep();
        return;
    }
    txtS->hide();
    catalog_ui::swapRows(g, CurListRow, to);
    CurListRow = to;
    g->setCurrentCell(to, 0);
}

bool frmEng::SaveVocabularies() {
    txtS->hide();
    // Only the lists that were loaded and changed are written.
    QMap<int, QVector<catalog::VocabularyEntry>> lists;
    for (int i = 0; i < catalog::kVocabularyCount; ++i) {
        QTableWidget* g = hfgS.at(i);
        if (!listChanged(i))
            continue;
        QVector<catalog::VocabularyEntry> entries;
        for (int r = 0; r < g->rowCount(); ++r) {
            const QVariant origin = catalog_ui::cellOrigin(g, r);
            const QString text = catalog_ui::cellText(g, r, 0);
            // A number, or empty only on the last line (which is dropped): an emptied entry would
            // be stored as 0.
            const bool emptied = text.isEmpty() && r < g->rowCount() - 1;
            const QString why = i != catalog::kRatioList ? QString()
                                : emptied                    ? QStringLiteral("不是數字")
                                                             : catalog::numberFault(text);
            if (!why.isEmpty()) {
                Tab1->setCurrentIndex(2);
                ui::msgBox(QStringLiteral("%1第 %2 行%3").arg(QString::fromUtf8(catalog::vocabularyList(i).caption)).arg(r + 1).arg(why),
                           ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
                return false;
            }
            entries.append(
                {text,
                 origin.isValid() ? std::optional(m_listTexts.at(i).value(origin.toInt())) : std::nullopt,
                 origin.isValid() ? std::optional(origin.toInt()) : std::nullopt});
        }
        lists.insert(i, entries);
    }
    if (lists.isEmpty())
        return true;
    QMap<int, QStringList> loaded;
    for (auto it = lists.cbegin(); it != lists.cend(); ++it)
        loaded.insert(it.key(), m_listTexts.at(it.key()));
    bool stored = false;
    QString failure;
    // The question names the lists the store found changed elsewhere; 否 reloads only those, the
    // user's changes in the others stay.
    QList<int> stale;
    QString what;
    const auto write = [&](bool overwrite) {
        try {
            m_store->saveVocabularies(lists, loaded, overwrite);
            stored = true;
        } catch (const catalog::StaleLists& s) {
            stale = s.lists();
            QStringList captions;
            for (const int i : stale)
                captions << QString::fromUtf8(catalog::vocabularyList(i).caption).remove(QStringLiteral("："));
            what = QStringLiteral("其他詞庫 的%1").arg(captions.join(u'、'));
            throw;
        } catch (const db::DbError& e) {
            failure = e.description();
        }
    };
    // Reloaded lists stay shown: the window stays open with them.
    if (!applyOverLoaded(what, write, [&] { LoadVocabularies(stale); }))
        return false;
    // The stored lists stay as they were; the user may close without storing the changes.
    if (!failure.isEmpty())
        return catalog_ui::closeWithoutStoring(failure, QStringLiteral("其他詞庫的變更"));
    return stored;
}

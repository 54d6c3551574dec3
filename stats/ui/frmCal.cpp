#include "frmCal.h"

#include "StaDb.h"
#include "Statistics.h"
#include "StatisticsCopy.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

frmCal::Copier& copier() {
    static frmCal::Copier c;
    return c;
}

void showError(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
}

constexpr int kWidths[stats::kStatColumns] = {500, 3000, 1200, 1200, 1200, 1200, 1100}; // twips

} // namespace

frmCal::frmCal() {
    setObjectName(QStringLiteral("frmCal"));
    setWindowTitle(QStringLiteral("統計"));
    hfgC = new QTableWidget(this);
    hfgC->setObjectName(QStringLiteral("hfgC"));
    hfgC->setColumnCount(stats::kStatColumns);
    hfgC->verticalHeader()->hide();
    hfgC->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hfgC->setTabKeyNavigation(false); // Tab goes on to the buttons
    for (int c = 0; c < stats::kStatColumns; ++c)
        hfgC->setColumnWidth(c, ui::twipsToPixelsX(kWidths[c], this));
    // The total line stays in view below the rows, however many there are: the grid's own last
    // row is hidden and shown here, column for column.
    hfgTotal = new QTableWidget(1, stats::kStatColumns, this);
    hfgTotal->setObjectName(QStringLiteral("hfgTotal"));
    hfgTotal->horizontalHeader()->hide();
    hfgTotal->verticalHeader()->hide();
    hfgTotal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hfgTotal->setFocusPolicy(Qt::NoFocus);
    hfgTotal->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hfgTotal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hfgTotal->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    hfgTotal->hide();
    connect(hfgC->horizontalHeader(), &QHeaderView::sectionResized, hfgTotal,
            [this](int c, int, int width) { hfgTotal->setColumnWidth(c, width); });
    connect(hfgC->horizontalScrollBar(), &QScrollBar::valueChanged, hfgTotal->horizontalScrollBar(),
            &QScrollBar::setValue);

    Command1 = ui::button(this, "Command1", QStringLiteral("依 工 種"));
    Command2 = ui::button(this, "Command2", QStringLiteral("依 區 域"));
    Command3 = ui::button(this, "Command3", QStringLiteral("列  印"));
    cmdExit = ui::button(this, "cmdExit", QStringLiteral("離        開"));
    ani = new QProgressBar(this);
    ani->setObjectName(QStringLiteral("ani"));
    ani->setRange(0, 0); // busy
    ani->setTextVisible(false);
    ani->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(hfgC);
    layout->addWidget(hfgTotal);
    layout->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ani);
    buttons->addStretch();
    for (QPushButton* b : {Command1, Command2, Command3, cmdExit})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    resize(ui::twipsToPixelsX(10200, this), ui::twipsToPixelsY(5400, this));

    connect(Command1, &QPushButton::clicked, this, &frmCal::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCal::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCal::Command3_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmCal::cmdExit_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmCal::cmdExit_Click);
    setTabOrder(hfgC, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, cmdExit);
}

bool frmCal::fill(bool byWorkType) {
    if (!m_source.doc || !m_source.sta)
        return false;
    quote::QuoteDocument& doc = *m_source.doc;
    // Showing the root refills the editor's lists: with the statistics, one wait for a held database.
    const db::LoadSession session;
    try {
        stats::TidyShownLeaf(doc);
        stats::ShowRoot(doc);
        stats::FillStatisticsTable(*m_source.sta, doc.hfgQ);
        m_grid = stats::statisticsGrid(*m_source.sta, byWorkType, doc.WorkTypesOnly);
    } catch (const db::DbError& e) {
        // The view asked for could not be read: no other view stands in its place, nor is copied.
        m_grid = {};
        hfgC->setRowCount(0);
        hfgC->setHorizontalHeaderLabels(QStringList(hfgC->columnCount(), QString()));
        hfgTotal->clearContents(); // nor the total line of the view shown before
        hfgTotal->hide();
        ui::markUnloaded(hfgC, e);
        Command3->setEnabled(false);
        if (db::LoadSession::sayOnce(e))
            showError(mdM::dbErrorText(e));
        return false;
    }
    ui::markUnloaded(hfgC, QString());
    Command3->setEnabled(true);
    if (!m_grid.areaButtonEnabled)
        Command2->setEnabled(false); // until the window is closed
    showGrid(m_grid);
    return true;
}

void frmCal::showGrid(const stats::StatisticsGrid& g) {
    hfgC->clearContents();
    hfgC->setRowCount(int(g.rows.size()));
    QStringList titles;
    for (const QString& h : g.header)
        titles << h;
    hfgC->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < g.rows.size(); ++r) {
        const bool total = g.hasTotalLine && r == g.rows.size() - 1;
        for (int c = 0; c < stats::kStatColumns; ++c) {
            auto* item = new QTableWidgetItem(g.rows[r][size_t(c)]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (total && c >= 1)
                item->setBackground(QColor(255, 192, 192));
            hfgC->setItem(r, c, item);
        }
    }
    const auto hidden = stats::hiddenColumns(m_source.pricesHidden, m_source.costsHidden);
    for (int c = 0; c < stats::kStatColumns; ++c) {
        hfgC->setColumnHidden(c, hidden[size_t(c)]);
        hfgTotal->setColumnHidden(c, hidden[size_t(c)]);
    }
    showTotalLine(g);
}

void frmCal::showTotalLine(const stats::StatisticsGrid& g) {
    const int last = hfgC->rowCount() - 1;
    for (int r = 0; r <= last; ++r)
        hfgC->setRowHidden(r, g.hasTotalLine && r == last);
    hfgTotal->setVisible(g.hasTotalLine);
    if (g.hasTotalLine) {
        for (int c = 0; c < stats::kStatColumns; ++c) {
            hfgTotal->setItem(0, c, hfgC->item(last, c)->clone());
            hfgTotal->setColumnWidth(c, hfgC->columnWidth(c));
        }
        hfgTotal->setRowHeight(0, hfgC->verticalHeader()->defaultSectionSize());
        hfgTotal->setFixedHeight(hfgTotal->rowHeight(0) + 2 * hfgTotal->frameWidth());
    }
    // The window grows to its rows, up to the screen's height; beyond that the rows scroll.
    int rowsHeight = 0;
    for (int r = 0; r < hfgC->rowCount(); ++r)
        if (!hfgC->isRowHidden(r))
            rowsHeight += hfgC->rowHeight(r);
    const int gridHeight = hfgC->horizontalHeader()->sizeHint().height() + rowsHeight +
                           2 * hfgC->frameWidth() + hfgC->horizontalScrollBar()->sizeHint().height();
    const int wanted = height() - hfgC->height() + gridHeight;
    const QMargins frame = ui::expectedFrameMargins(this);
    const int room = ui::openingArea(this).height() - frame.top() - frame.bottom();
    if (wanted > height())
        resize(width(), std::min(wanted, room));
}

void frmCal::Command1_Click() {
    fill(true);
}

void frmCal::Command2_Click() {
    fill(false);
}

void frmCal::Command3_Click() {
    ani->show();
    QCoreApplication::processEvents();
    // Only what the window shows: a user without the price or cost right finds none in the copy.
    const QList<QStringList> cells =
        stats::statisticsCells(m_grid, stats::hiddenColumns(m_source.pricesHidden, m_source.costsHidden));
    const QString error =
        copier() ? copier()(cells)
                 : stats::copyStatisticsToWorkbook(cells, m_grid.hasTotalLine, sys::programFolder());
    ani->hide();
    if (!error.isEmpty())
        showError(error);
}

void frmCal::cmdExit_Click() {
    unload();
}

void frmCal::setCopier(Copier c) {
    copier() = std::move(c);
}

namespace stats {

namespace {
void openStatistics(frmCal::Source s, bool byWorkType) {
    db::DatabasePtr own; // the statistics database opened here when the window had none
    if (!s.sta) {
        try {
            own = openStaDb(sys::programFolder());
        } catch (const db::DbError& e) {
            showError(mdM::dbErrorText(e));
            return;
        }
        s.sta = own.get();
    }
    frmCal* f = ui::Default<frmCal>::get();
    f->setSource(s);
    if (f->fill(byWorkType))
        f->showModal();
    else
        f->unload();
    if (ui::Default<frmCal>::isLoaded())
        f->setSource({}); // the database may go with this call
}
} // namespace

void mCalA_Click(const frmCal::Source& s) {
    openStatistics(s, false);
}

void mCalT_Click(const frmCal::Source& s) {
    openStatistics(s, true);
}

} // namespace stats

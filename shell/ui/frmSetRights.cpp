// The rights page of the settings window: one grid row per staff member, one column per right.
#include "FrozenRows.h"
#include "SettingsStore.h"
#include "db/FieldMerge.h"
#include "frmSet.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Twips.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kStar = QStringLiteral("★");
// The name cell keeps the member the row was read from: record, login name and rights word.
constexpr int kRecordRole = Qt::UserRole;
constexpr int kLoginRole = Qt::UserRole + 1;
constexpr int kReadRole = Qt::UserRole + 2;

bool isEditColumn(int col) {
    return col == 5 || col == 7 || col == 9 || col == 11;
}

bool isQueryColumn(int col) {
    return col == 6 || col == 8 || col == 10 || col == 12;
}

// Each 編輯/查詢 pair as the mask of its two bits: 編輯 needs 查詢, so a merge takes a pair whole.
QList<int> rightsPairs() {
    QList<int> pairs;
    for (int col = frmSet::kFirstRightsCol; col < frmSet::kGridCols; ++col)
        if (isEditColumn(col))
            pairs << (3 << (col - frmSet::kFirstRightsCol));
    return pairs;
}

QColor columnColour(int col) {
    switch (col) {
    case 2:
    case 3:
    case 13:
        return QColor(255, 255, 192);
    case 4:
        return QColor(192, 255, 192);
    case 5:
    case 6:
        return QColor(192, 192, 255);
    case 7:
    case 8:
        return QColor(255, 192, 192);
    case 9:
    case 10:
        return QColor(192, 255, 255);
    default:
        return QColor(255, 192, 255);
    }
}

QTableWidgetItem* cell(QTableWidget* grid, int row, int col) {
    QTableWidgetItem* it = grid->item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        grid->setItem(row, col, it);
    }
    return it;
}
} // namespace

QWidget* frmSet::buildRightsPage() {
    auto* w = new QWidget;
    hfgSec = new QTableWidget(w);
    hfgSec->setObjectName(QStringLiteral("hfgSec"));
    hfgSec->setColumnCount(kGridCols);
    hfgSec->horizontalHeader()->hide();
    hfgSec->verticalHeader()->hide();
    hfgSec->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hfgSec->setSelectionMode(QAbstractItemView::NoSelection);
    connect(hfgSec, &QTableWidget::cellClicked, this, &frmSet::hfgSec_Click);
    // The two heading rows stay in view while the staff rows scroll.
    m_headings = new shell::FrozenRows(hfgSec, kFirstStaffRow, QStringLiteral("hfgSecHeadings"));

    Command2 = ui::button(w, "Command2", QStringLiteral("套用"));
    auto* v = new QVBoxLayout(w);
    v->addWidget(hfgSec);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Command2);
    v->addLayout(row);
    return w;
}

bool frmSet::starred(int row, int col) const {
    const QTableWidgetItem* it = hfgSec->item(row, col);
    return it && it->text() == kStar;
}

void frmSet::setStar(int row, int col, bool on) {
    cell(hfgSec, row, col)->setText(on ? kStar : QString());
}

int frmSet::rowRights(int row) const {
    int rights = 0;
    for (int c = kFirstRightsCol; c < kGridCols; ++c)
        if (starred(row, c))
            rights += 1 << (c - kFirstRightsCol);
    return rights;
}

void frmSet::showRights(int row, int rights) {
    const QString bits = mdM::RightsToBits(rights);
    for (int c = kFirstRightsCol; c < kGridCols; ++c)
        setStar(row, c, bits.mid(c - kFirstRightsCol, 1) == QLatin1String("1")); // position c-1
}

QString frmSet::LoadRightsGrid() {
    m_rightsDb = mdM::MainDb;
    QVector<shell::StaffRights> staff;
    bool read = false;
    QString failure;
    if (m_rightsDb) {
        try {
            staff = shell::readStaffRights(*m_rightsDb);
            read = true;
        } catch (const db::DbError& e) {
            failure = QStringLiteral("未能載入：%1").arg(e.description());
            if (db::LoadSession::sayOnce(e))
                showMessage(mdM::dbErrorText(e), ui::Icon::Critical);
        }
    }
    // Rights that could not be read are neither shown nor written.
    hfgSec->setEnabled(read);
    Command2->setEnabled(read);
    if (!read)
        m_rightsDb.reset();
    hfgSec->clearContents();
    hfgSec->clearSpans();
    hfgSec->setRowCount(int(staff.size()) + kFirstStaffRow);
    for (int i = 0; i < staff.size(); ++i) {
        const int r = kFirstStaffRow + i;
        QTableWidgetItem* name = cell(hfgSec, r, 1);
        name->setText(staff[i].name);
        name->setData(kRecordRole, staff[i].recordId);
        name->setData(kLoginRole, staff[i].login);
        name->setData(kReadRole, staff[i].rights);
        showRights(r, staff[i].rights);
    }
    return failure;
}

void frmSet::InitRightsGridHeaders() {
    hfgSec->setUpdatesEnabled(false);
    static const char* const headings[kGridCols] = {
        "",         "員工姓名", "價格可見", "成本可見", "報 價 單", "客戶資料", "客戶資料",
        "廠商資料", "廠商資料", "員工資料", "員工資料", "  詞 庫",  "  詞 庫",  "系統設定"};
    for (int c = 0; c < kGridCols; ++c) {
        cell(hfgSec, 0, c)->setText(QString::fromUtf8(headings[c]));
        cell(hfgSec, 1, c)
            ->setText(isEditColumn(c)    ? QStringLiteral("編輯")
                      : isQueryColumn(c) ? QStringLiteral("查詢")
                                         : QString());
    }
    hfgSec->setColumnWidth(0, 0);
    hfgSec->setColumnHidden(0, true);
    hfgSec->setColumnWidth(1, ui::twipsToPixelsX(1100, this));
    // Row 0 shows one heading over each 編輯/查詢 pair.
    for (int c = 5; c <= 11; c += 2)
        hfgSec->setSpan(0, c, 1, 2);

    QFont bold = hfgSec->font();
    bold.setBold(true);
    for (int r = 0; r < hfgSec->rowCount(); ++r) {
        QTableWidgetItem* name = cell(hfgSec, r, 1);
        name->setForeground(QColor(0, 0, 192));
        name->setFont(bold);
        for (int c = kFirstRightsCol; c < kGridCols; ++c) {
            QTableWidgetItem* it = cell(hfgSec, r, c);
            it->setBackground(columnColour(c));
            it->setTextAlignment(Qt::AlignCenter);
        }
    }
    // 800 twips wide, or as wide as the heading needs in the font on screen.
    const QFontMetrics fm(hfgSec->font());
    for (int c = kFirstRightsCol; c < kGridCols; ++c) {
        const int headingRow = isEditColumn(c) || isQueryColumn(c) ? 1 : 0; // row 0 spans the pairs
        const int heading =
            fm.horizontalAdvance(hfgSec->item(headingRow, c)->text().trimmed()) + fm.averageCharWidth() * 2;
        hfgSec->setColumnWidth(c, std::max(ui::twipsToPixelsX(800, this), heading));
    }
    // A name wider than its column shows whole in its tooltip.
    const QFontMetrics boldMetrics(bold);
    const int room =
        hfgSec->columnWidth(1) - 2 * (hfgSec->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int r = kFirstStaffRow; r < hfgSec->rowCount(); ++r) {
        QTableWidgetItem* name = cell(hfgSec, r, 1);
        name->setToolTip(boldMetrics.horizontalAdvance(name->text()) > room ? name->text() : QString());
    }
    m_headings->refresh();
    hfgSec->setUpdatesEnabled(true);
}

void frmSet::hfgSec_Click(int row, int col) {
    if (row < kFirstStaffRow || col < kFirstRightsCol || col >= kGridCols)
        return;
    if (isEditColumn(col)) {
        // Granting 編輯 grants 查詢 as well; taking it away leaves 查詢 as it was.
        const bool on = !starred(row, col);
        setStar(row, col, on);
        if (on)
            setStar(row, col + 1, true);
    } else if (isQueryColumn(col) && starred(row, col - 1)) {
        setStar(row, col, true); // 查詢 stays while 編輯 is granted
    } else {
        setStar(row, col, !starred(row, col));
    }
}

QString frmSet::rightName(int bit) const {
    const int col = kFirstRightsCol + bit;
    const auto heading = [this](int row, int c) {
        const QTableWidgetItem* it = hfgSec->item(row, c);
        return it ? it->text().remove(u' ') : QString();
    };
    // A pair is named whole ("廠商資料編輯/查詢"): it is merged as one.
    if (isEditColumn(col) || isQueryColumn(col)) {
        const int edit = isEditColumn(col) ? col : col - 1;
        return heading(0, edit) + heading(1, edit) + u'/' + heading(1, edit + 1);
    }
    return col < kGridCols ? heading(0, col) + heading(1, col) : QString::number(bit + 1);
}

bool frmSet::rightsTyped() const {
    for (int r = kFirstStaffRow; m_rightsDb && r < hfgSec->rowCount(); ++r)
        if (rowRights(r) != hfgSec->item(r, 1)->data(kReadRole).toInt())
            return true;
    return false;
}

void frmSet::Command2_Click() {
    if (!m_rightsDb)
        return;
    // Only the rows changed here are written, each to the member it was read from, and not over
    // another workstation's change unasked; 是 writes the rights changed here over it (a 編輯/查詢
    // pair whole), and the rights changed there stay.
    const auto member = [this](int r) {
        const QTableWidgetItem* name = cell(hfgSec, r, 1);
        return shell::StaffRights{name->data(kRecordRole).toLongLong(), name->data(kLoginRole).toString(),
                                  name->text(), name->data(kReadRole).toInt()};
    };
    QVector<shell::RightsChange> changes;
    try {
        for (;;) {
            changes.clear();
            QList<int> gone;                  // bottom up
            for (int r = kFirstStaffRow; r < hfgSec->rowCount(); ++r) {
                shell::RightsChange c{member(r), rowRights(r)};
                if (c.rights == c.read.rights)
                    continue;
                const std::optional<int> stored = shell::storedRights(*m_rightsDb, c.read);
                if (!stored) {
                    showMessage(QStringLiteral("這筆資料已不存在\r\n") + c.read.name, ui::Icon::Exclamation);
                    gone.prepend(r);
                    continue;
                }
                if (*stored != c.read.rights) {
                    QStringList rights;
                    for (const int bit : merge::differingBits(c.read.rights, *stored))
                        rights << rightName(bit);
                    rights.removeDuplicates();
                    switch (ui::askOverwrite(c.read.name + QStringLiteral(" 的權限"), rights)) {
                    case ui::Answer::Yes:
                        c.rights = merge::byBitUnits(c.read.rights, c.rights, *stored, rightsPairs());
                        c.read.rights = *stored;
                        break;
                    case ui::Answer::No: // the member's rights as stored now
                        cell(hfgSec, r, 1)->setData(kReadRole, *stored);
                        showRights(r, *stored);
                        continue;
                    default:
                        return;
                    }
                }
                changes.append(c);
            }
            for (int r : gone)
                hfgSec->removeRow(r);
            if (!shell::writeStaffRights(*m_rightsDb, changes))
                continue; // changed again meanwhile: compared anew
            break;
        }
    } catch (const db::DbError& e) {
        showMessage(e.description(), ui::Icon::Critical);
        return;
    }
    if (!changes.isEmpty())
        showMessage(QStringLiteral("所做的變更下次啟動才會生效"), ui::Icon::Information);
    // Every row changed here is written or shows what is stored: the grid shows the stored rights
    // of every member, those changed elsewhere meanwhile too.
    loadRightsPage();
}

// The record window frame's handlers: opening, modes, saving, showing, deleting, lists, search
// and the entry aids.
#include "GroupNavigator.h"
#include "NumberProposer.h"
#include "RecordWindow.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>

#include <algorithm>

namespace records {

namespace {
const QString kFullPage = QStringLiteral("簡單模式<<");
const QString kShortPage = QStringLiteral("整頁模式>>");

// Keeps a combo box's text while its entries are replaced.
void refill(QComboBox* cb, const QStringList& entries) {
    if (cb)
        ui::refill(cb, entries);
}
} // namespace

void RecordWindow::Form_Load() {
    const QRect screen = ui::screenRect(this);
    move(screen.left() + (screen.width() - frameGeometry().width()) / 2,
         screen.top() + ui::twipsToPixelsY(615));
    LoadLookups();
    LoadCategoryFilter();
    for (QComboBox* cb : lookupBoxes())
        ui::readAgainAtUse(cb, [this] { readListsAgain(false); });
    SetGridHeaders();
    SetEditMode(false);
    SetPageModeCaption(false);
    EnableDetailPanels(false);
    if (m_kind.party == Party::Vendor)
        LastSavedGroup = QStringLiteral("01");
    ListByNumberGroup(QStringLiteral("01"));
}

// ---------------------------------------------------------------- lookups

void RecordWindow::LoadCounties() {
    QList<QWidget*> lists{L1};
    for (const char* cb : {"cb1", "cb2", "cb3"})
        lists << box(QString::fromLatin1(cb));
    readLists(lists, [this] {
        const auto counties = store().counties();
        QStringList names;
        L1->clear();
        for (const auto& [county, code] : counties) {
            names << county;
            L1->addItem(code);
        }
        for (const char* cb : {"cb1", "cb2", "cb3"})
            refill(qobject_cast<QComboBox*>(box(QString::fromLatin1(cb))), names);
    });
}

void RecordWindow::LoadLookups() {
    LoadCounties();
    LoadChoiceLists();
}

void RecordWindow::LoadChoiceLists() {
    QList<QWidget*> lists;
    for (const char* cb : {"cb4", "cb5", "cb6", "cb7", "cbTp"})
        lists << box(QString::fromLatin1(cb));
    readLists(lists, [this] {
        const RecordStore s = store();
        const auto fill = [&](const char* name, const QString& sql) {
            if (auto* cb = qobject_cast<QComboBox*>(box(QString::fromLatin1(name))); cb && !sql.isEmpty())
                refill(cb, s.lookup(sql));
        };
        fill("cb4", QStringLiteral("select 中文姓名 from 員工"));
        fill("cb5", QStringLiteral("select 行 from 行業"));
        fill("cb6", QStringLiteral("select 地 from 地區"));
        fill("cb7", m_kind.paymentTermsSql);
        fill("cbTp", m_kind.categoryChoicesSql);
    });
}

QList<QComboBox*> RecordWindow::lookupBoxes() const {
    QList<QComboBox*> boxes;
    for (const char* name : {"cb1", "cb2", "cb3", "cb4", "cb5", "cb6", "cb7", "cbTp"})
        if (auto* cb = qobject_cast<QComboBox*>(box(QString::fromLatin1(name))))
            boxes << cb;
    if (Combo2)
        boxes << Combo2;
    return boxes;
}

void RecordWindow::readListsAgain(bool counties) {
    const db::LoadSession session;
    const auto unread = [this](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [this](const char* name) {
            const QWidget* w = box(QString::fromLatin1(name));
            return w && ui::isUnloaded(w);
        });
    };
    if (counties || ui::isUnloaded(L1) || unread({"cb1", "cb2", "cb3"}))
        LoadCounties();
    if (unread({"cb4", "cb5", "cb6", "cb7", "cbTp"}))
        LoadChoiceLists();
    if (Combo2 && ui::isUnloaded(Combo2))
        LoadCategoryFilter();
    readFiltersAgain();
}

void RecordWindow::LoadCategoryFilter() {
    if (!Combo2)
        return;
    const bool read = readLists({Combo2}, [this] {
        const QStringList entries = store().categoryFilter();
        Combo2->clear();
        Combo2->addItems(entries);
        Combo2->setEditText(entries.isEmpty() ? Combo2->currentText() : QStringLiteral("分類"));
    });
    clearPrompt(Combo2, read, QStringLiteral("分類"));
}

// ---------------------------------------------------------------- modes and pages

void RecordWindow::SetEditMode(bool editing) {
    const QList<QWidget*> browse{cmdAdd, cmdEdit, cmdDel, Command1, Command2, Command3};
    const QList<QWidget*> edit{cmdY, cmdN, lbf};
    // Hidden first, so the button row never holds both sets and never widens the window.
    for (QWidget* w : editing ? browse : edit)
        w->hide();
    for (QWidget* w : editing ? edit : browse)
        w->show();
    if (!canEdit()) {
        for (QWidget* w : {cmdAdd, cmdEdit, cmdDel, cmdPp})
            w->hide();
    }
}

void RecordWindow::SetPageModeCaption(bool fullPage) {
    Command2->setText(fullPage ? kFullPage : kShortPage);
    Frame1->setVisible(fullPage);
    for (QWidget* w : std::as_const(m_shownWithDetail))
        w->setVisible(fullPage);
    fitHeight(ui::twipsToPixelsY(fullPage ? m_kind.fullHeight : m_kind.shortHeight));
}

void RecordWindow::fitHeight(int pixels) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    layout()->activate();
    resize(width(), pixels);
}

void RecordWindow::EnableDetailPanels(bool enabled) {
    for (QWidget* p : m_panels)
        p->setEnabled(enabled);
    for (const FieldSlot& s : m_kind.fields) {
        if (s.kind == FieldKind::Memo)
            box(s.box1)->setEnabled(enabled);
    }
    setExtraEnabled(enabled);
}

void RecordWindow::clearBoxes() {
    m_loading = true;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        setBoxText(it.key(), QString());
    m_loading = false;
    afterClear();
}

void RecordWindow::ClearFields() {
    clearBoxes();
    m_groupText.clear();
    Combo1->setEditText(QString());
    if (Combo2)
        Combo2->setEditText(QString());
    for (QWidget* w : m_extraClearable) {
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->clear();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            c->setEditText(QString());
    }
}

void RecordWindow::enterEditing(const QString& mode, const QString& status) {
    Mode = mode;
    lbf->setText(status);
    HFG->setEnabled(false);
    SetPageModeCaption(true);
    SetEditMode(true);
    EnableDetailPanels(true);
}

void RecordWindow::cmdAdd_Click() {
    enterEditing(QStringLiteral("AddF"), QStringLiteral("新增中"));
    m_proposedNumber.clear();
    ClearFields();
    for (QDateEdit* d : m_pickers)
        d->setDate(QDate::currentDate());
    afterAdd();
    box(QStringLiteral("T1"))->setEnabled(true); // an edit before left it off
    QWidget* t2 = box(QStringLiteral("T2"));
    t2->setEnabled(true);
    t2->setFocus();
}

void RecordWindow::cmdEdit_Click() {
    HFG_RowColChange();
    const QString name = selectedName();
    if (name.isEmpty()) {
        showMessage(m_kind.noSelectionMessage);
        return;
    }
    const std::optional<QVector<QVariant>> row = readChosen();
    if (!row)
        return;
    enterEditing(QStringLiteral("EditF"), QStringLiteral("修改中"));
    const BoxValues values = decodeRecord(m_kind, *row);
    setBoxes(values);
    afterEditLoaded(values);
    // As shown, untrimmed: the trim of an edit is stored where no other writer changed the box.
    m_loadedRow = RecordStore::ReadRecord{*row, encodeRecord(m_kind, boxValues(), false)};
    box(QStringLiteral("T1"))->setEnabled(false);
    box(QStringLiteral("T2"))->setEnabled(false);
    box(QStringLiteral("T3"))->setFocus();
}

void RecordWindow::cmdN_Click() {
    const bool adding = addingMode();
    SetEditMode(false);
    markChosenRow(); // a filter may have listed other records meanwhile
    EnableDetailPanels(false);
    HFG->setEnabled(true);
    // What was typed goes: a new record leaves empty boxes, an edited one shows itself as stored.
    if (adding)
        clearBoxes();
    else
        showStoredRecord();
    afterCancel();
}

void RecordWindow::showStoredRecord() {
    if (!ShowSelectedRecord())
        clearBoxes();
}

void RecordWindow::Command2_Click() {
    if (Command2->text() == kShortPage) {
        HFG_RowColChange();
        if (selectedName().isEmpty()) {
            showMessage(m_kind.noSelectionMessage);
            return;
        }
        if (!ShowSelectedRecord())
            return;
        SetPageModeCaption(true);
        SetEditMode(false);
        EnableDetailPanels(false);
    } else {
        SetPageModeCaption(false);
    }
}

void RecordWindow::Command3_Click() {
    const db::LoadSession session;
    Mode.clear();
    SetGridHeaders();
    SetPageModeCaption(false);
    readListsAgain(true);
    ListByNumberGroup(QString());
}

// ---------------------------------------------------------------- save, show, delete

void RecordWindow::cmdY_Click() {
    saveAndBrowse();
}

bool RecordWindow::saveAndBrowse() {
    if (boxText(QStringLiteral("T2")).isEmpty() || boxText(QStringLiteral("T3")).isEmpty()) {
        showMessage(m_kind.requiredMessage, ui::Icon::Exclamation);
        return false;
    }
    if (boxText(QStringLiteral("T1")).isEmpty()) {
        showMessage(QStringLiteral("請輸入") + m_kind.numberColumn, ui::Icon::Exclamation);
        return false;
    }
    const bool saving = addingMode() || editingMode();
    if (saving && !saveRecord())
        return false;
    SetEditMode(false);
    // What follows only reads: the record is stored whatever they meet. The boxes keep the values
    // saved, a list that cannot be read says so beside it, and a held database is waited for once.
    const db::LoadSession session;
    const QScopedValueRollback reading(m_afterSave, AfterSave::Reading);
    if (m_kind.party != Party::Staff)
        LastSavedGroup = savedGroup(boxText(QStringLiteral("T1")));
    if (saving)
        setSelectedName(boxText(QStringLiteral("T2"))); // the chosen record from now on
    ListByNumberGroup(m_kind.party == Party::Staff ? QString() : LastSavedGroup);
    std::optional<QVector<QVariant>> row;
    if (saving && !selectedName().isEmpty() && guarded([&] { row = store().load(selectedName()); }) && row)
        showRow(*row); // as the database keeps it
    HFG->setEnabled(true);
    EnableDetailPanels(false);
    afterSaved();
    LoadCategoryFilter();
    SetGridHeaders();
    return true;
}

bool RecordWindow::saveRecord() {
    if (!checkBeforeSave())
        return false;
    const bool editing = editingMode();
    const ColumnValues values = encodeRecord(m_kind, boxValues(), editing);
    const QString number = boxText(QStringLiteral("T1"));
    try {
        RecordStore s = store();
        if (!editing) {
            // A proposed number another workstation has taken since is proposed again.
            const std::optional<QString> stored = s.insert(values, number == m_proposedNumber);
            if (!stored) {
                showMessage(QStringLiteral("編號 %1 已被使用").arg(number), ui::Icon::Exclamation);
                return false;
            }
            if (*stored != number) {
                setBoxText(QStringLiteral("T1"), *stored);
                showMessage(QStringLiteral("編號 %1 已被使用，改為 %2").arg(number, *stored));
            }
            return true;
        }
        for (bool overwrite = false;;) {
            QList<int> elsewhere;
            const int n = s.update(boxText(QStringLiteral("T2")), values, m_loadedRow, overwrite, &elsewhere);
            if (n == 0) {
                recordGone(boxText(QStringLiteral("T2")));
                return false;
            }
            if (n != RecordStore::kChangedElsewhere)
                return true;
            QStringList fields; // as their captions name them
            for (const int position : elsewhere)
                if (const FieldSlot* slot = m_kind.slotAt(position))
                    fields << QString(slot->label).remove(QLatin1Char(':')).remove(QLatin1Char(' '));
            switch (ui::askOverwrite(QStringLiteral("這筆資料"), fields)) {
            case ui::Answer::Yes:
                overwrite = true;
                break;
            case ui::Answer::No:
                cmdN_Click(); // the record as stored now
                return false;
            default:
                return false;
            }
        }
    } catch (const db::DbError& e) {
        if (e.number() == db::ErrDuplicateKey)
            showMessage(m_kind.duplicateMessage, ui::Icon::Exclamation);
        else
            showMessage(e.description());
        return false;
    }
}

void RecordWindow::sayFailure(const db::DbError& e) {
    if (m_afterSave == AfterSave::Said || !db::LoadSession::sayOnce(e))
        return;
    if (m_afterSave == AfterSave::No)
        return showMessage(e.description());
    m_afterSave = AfterSave::Said;
    showMessage(QStringLiteral("資料已儲存，但重新讀取時發生錯誤：\r\n") + e.description());
}

bool RecordWindow::ShowSelectedRecord() {
    if (selectedName().isEmpty())
        return false;
    QString failure;
    const std::optional<QVector<QVariant>> row = readChosen(&failure);
    if (!row) {
        clearBoxes(); // nothing is shown that could not be read
        afterFailedRead(failure);
        return false;
    }
    showRow(*row);
    return true;
}

std::optional<QVector<QVariant>> RecordWindow::readChosen(QString* failure) {
    const QString name = selectedName();
    std::optional<QVector<QVariant>> row;
    QStringList line;
    const bool read = guarded(
        [&] {
            const RecordStore s = store();
            row = s.load(name);
            if (row && !m_searchGrid)
                line = s.listLine(name);
        },
        failure);
    if (read && !row)
        recordGone(name);
    else if (!read)
        dropChoice();
    else if (!line.isEmpty())
        m_grid.replaceLines(2, name, line); // its line as stored, whatever changed since the list
    return read ? row : std::nullopt;
}

void RecordWindow::recordGone(const QString& name) {
    showMessage(kGone);
    if (selectedName() == name)
        dropChoice();
    m_grid.removeLines(m_searchGrid ? 1 : 2, name);
    markChosenRow();
}

void RecordWindow::showRow(const QVector<QVariant>& row) {
    const BoxValues values = decodeRecord(m_kind, row);
    setBoxes(values);
    afterShow(values);
}

void RecordWindow::cmdDel_Click() {
    HFG_RowColChange();
    const QString name = selectedName();
    if (name.isEmpty()) {
        showMessage(m_kind.noSelectionMessage);
        return;
    }
    if (ui::msgBox(QStringLiteral("確定刪除 ( ") + name + QStringLiteral(" )"), ui::Buttons::YesNo,
                   ui::Icon::Question, QStringLiteral("Kavo III"), 2) != ui::Answer::Yes)
        return; // the list stays as it was
    if (!guarded([&] { store().remove(name); }))
        return;
    ClearFields();
    m_grid.clear();
    SetGridHeaders();
    dropChoice();
    ListByNumberGroup(LastSavedGroup);
    SetPageModeCaption(false);
}

// ---------------------------------------------------------------- lists and search

void RecordWindow::SetGridHeaders() {
    // The captions and widths go with every list (showGridRows).
}

void RecordWindow::showGridRows(GridRows rows) {
    // One column more than the list has fields.
    QStringList captions;
    for (const GridColumn& c : m_kind.gridColumns.mid(0, m_kind.listFields.size() + 1))
        captions << c.caption;
    m_grid.setGrid(captions, std::move(rows), {3, 4, 5});
    for (int i = 0; i < m_kind.gridColumns.size(); ++i)
        HFG->setColumnWidth(i, ui::twipsToPixelsX(m_kind.gridColumns.at(i).width));
    // The record number is never cut short: its column widens (up to twice) for the screen font.
    const int numberWidth = HFG->columnWidth(1);
    HFG->setColumnWidth(1, std::max(numberWidth, std::min(HFG->contentWidth(1), 2 * numberWidth)));
    m_searchGrid = false;
    markLists({HFG}, {});
}

void RecordWindow::markChosenRow() {
    QItemSelectionModel* lines = HFG->selectionModel();
    const QString name = selectedName();
    const int column = m_searchGrid ? 1 : 2;
    for (int r = 0; !name.isEmpty() && r < m_grid.rowCount(); ++r) {
        if (m_grid.cell(r, column) != name)
            continue;
        // The scroll range of lines just listed is set first, or the line could not be reached.
        HFG->doItemsLayout();
        lines->setCurrentIndex(m_grid.index(r, column),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        HFG->scrollTo(m_grid.index(r, column));
        return;
    }
    lines->clearCurrentIndex();
    lines->clearSelection();
    // A record the grid does not list is no longer chosen; the record being typed stays the one
    // the window acts on until the typing ends (取消 or 確定 apply this rule again).
    if (!isEditing() && !name.isEmpty())
        dropChoice();
}

void RecordWindow::chooseRow(int row) {
    setSelectedName(m_grid.cell(row, m_searchGrid ? 1 : 2));
    markChosenRow();
}

void RecordWindow::dropChoice() {
    setSelectedName(QString());
    markChosenRow();
    // Nothing chosen, nothing shown. The record being typed stays until the typing ends, and the
    // values just saved stay beside a list that could not be read after the save.
    if (!isEditing() && m_afterSave == AfterSave::No) {
        clearBoxes();
        afterChoiceDropped();
    }
}

void RecordWindow::ListByNumberGroup(const QString& group) {
    GridRows rows;
    QString failure;
    if (!guarded([&] { rows = store().listGroup(group); }, &failure))
        return listFailed(failure);
    if (rows.isEmpty()) {
        showMessage(QStringLiteral("所選編號無記錄"),
                    m_kind.emptyGroupExclamation ? ui::Icon::Exclamation : ui::Icon::None);
        m_groupText = QStringLiteral("編號");
        Combo1->setEditText(m_groupText);
        return;
    }
    const QString first = rows.first().value(1);
    showGridRows(std::move(rows));
    m_groupText = groupOfNumber(first);
    Combo1->setEditText(m_groupText);
}

void RecordWindow::ListByCategory(const QString& type) {
    GridRows rows;
    QString failure;
    if (!guarded([&] { rows = store().listCategory(type); }, &failure))
        return listFailed(failure);
    if (rows.isEmpty()) {
        showMessage(QStringLiteral("所選分類無記錄"), ui::Icon::Exclamation);
        return;
    }
    showGridRows(std::move(rows));
}

void RecordWindow::Combo1_Click() {
    ListByNumberGroup(Combo1->currentText());
}

void RecordWindow::Combo2_Click() {
    ListByCategory(Combo2->currentText());
}

void RecordWindow::Command1_Click() {
    Mode = QStringLiteral("QureF");
    const QString text =
        ui::inputBox(QStringLiteral("請輸入搜尋文字"), QStringLiteral("Kavo III"), mdM::LastSearchText)
            .value_or(QString());
    mdM::LastSearchText = text;
    if (text.isEmpty()) {
        Mode.clear();
        return;
    }
    QVector<SearchHit> hits;
    QString failure;
    if (!guarded([&] { hits = store().search(text); }, &failure))
        return listFailed(failure);
    GridRows rows;
    rows.reserve(hits.size());
    for (const SearchHit& h : hits)
        rows << QStringList{QString(), h.name, searchLine(h)};
    if (rows.isEmpty()) {
        // The grid's lines are emptied and the last one goes; the first tells that nothing was found.
        rows.fill(QStringList{}, std::max(1, m_grid.rowCount() - 1));
        rows.first() = QStringList{QString(), QString(), QStringLiteral("找不到資料")};
    }
    m_grid.setGrid({QString(), m_kind.keyColumn, QStringLiteral("搜尋結果:  (欄位名稱)  -->   找到字串")},
                   std::move(rows));
    const int widths[] = {300, 3000, 6500};
    for (int i = 0; i < 3; ++i)
        HFG->setColumnWidth(i, ui::twipsToPixelsX(widths[i]));
    m_searchGrid = true;
    markLists({HFG}, {}); // draws the chosen record's line, if it is one of the hits
}

void RecordWindow::listFailed(const QString& failure) {
    // The lines of an earlier list are not the ones asked for.
    markLists({HFG}, failure);
}

void RecordWindow::clearPrompt(QComboBox* filter, bool read, const QString& prompt) {
    // A filter whose list could not be read shows why in place of its prompt.
    if (!read && filter->currentText() == prompt)
        filter->setEditText(QString());
}

void RecordWindow::markLists(const QList<QWidget*>& views, const QString& failure) {
    for (QWidget* view : views) {
        if (!view)
            continue;
        if (!failure.isEmpty()) {
            if (view == HFG)
                m_grid.clear();
            else if (auto* cb = qobject_cast<QComboBox*>(view))
                ui::refill(cb, {}); // what the box holds stays
            else if (auto* list = qobject_cast<QListWidget*>(view))
                list->clear();
        }
        ui::markUnloaded(view, failure.isEmpty() ? QString() : QStringLiteral("未能載入：%1").arg(failure));
        if (view == HFG) {
            for (QWidget* command : {cmdEdit, cmdDel})
                command->setEnabled(failure.isEmpty());
            markChosenRow();
        }
    }
}

// ---------------------------------------------------------------- grid handlers

void RecordWindow::HFG_Click(int row) {
    if (row < 0 || row >= m_grid.rowCount())
        return;
    chooseRow(row);
    ShowSelectedRecord();
}

void RecordWindow::HFG_DblClick(int row) {
    if (row < 0 || row >= m_grid.rowCount())
        return;
    chooseRow(row);
    SetPageModeCaption(true);
    ShowSelectedRecord();
    EnableDetailPanels(false);
}

void RecordWindow::HFG_RowColChange() {
    m_followPending = false;
    if (isEditing())
        return; // the grid is off; editing ends by drawing the chosen line again
    const QModelIndex current = HFG->currentIndex();
    const QString before = selectedName();
    if (current.isValid() && HFG->selectionModel()->isSelected(current)) {
        if (before.isEmpty() || m_grid.cell(current.row(), m_searchGrid ? 1 : 2) != before)
            HFG_Click(current.row());
    } else {
        dropChoice();
    }
}

// ---------------------------------------------------------------- entry aids

void RecordWindow::cb1_Click(int index) {
    const QString code = index >= 0 && index < L1->count() ? L1->item(index)->text() : QString();
    const QString county = boxText(QStringLiteral("cb1"));
    for (const QString& b : m_kind.countyCopyBoxes)
        setBoxText(b, county);
    for (const QString& b : m_kind.areaCodeBoxes)
        setBoxText(b, code);
    focusNextChild();
}

void RecordWindow::T2_Change() {
    if (m_loading)
        return;
    const QString name = boxText(QStringLiteral("T2"));
    if (!m_kind.shortNameBox.isEmpty())
        setBoxText(m_kind.shortNameBox, firstCharacters(name, 4));
    for (const QString& b : m_kind.nameCopyBoxes)
        setBoxText(b, name);
}

void RecordWindow::T11_Change() {
    if (m_loading)
        return;
    const QString number = boxText(QStringLiteral("T11"));
    for (const QString& b : m_kind.phoneCopyBoxes)
        setBoxText(b, number);
}

void RecordWindow::T2_Validate() {
    const QString name = boxText(QStringLiteral("T2"));
    if (name.isEmpty())
        return;
    // A proposal that fails leaves no number (the save then asks for one), never the number of the
    // name typed before.
    QString number;
    guarded([&] { number = store().proposeNumber(name); });
    m_proposedNumber = number;
    setBoxText(QStringLiteral("T1"), number);
}

void RecordWindow::DTP_CloseUp(const QString& picker) {
    QDateEdit* d = m_pickers.value(picker);
    if (!d)
        return;
    for (const auto& [p, target] : m_kind.datePickers) {
        if (p == picker)
            setBoxText(target, rocDateText(d->date()));
    }
}

} // namespace records

#include "frmPrv.h"

#include "SupplyLinks.h"
#include "frmWP.h"
#include "mdM.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kModes[2] = {"w", "p"};
// Spacing of the page's lines and the margin of the button frame, in pixels.
constexpr int kNarrowMargin = 3;
} // namespace

frmPrv::frmPrv() : RecordWindow(records::vendorKind()) {
    setObjectName(QStringLiteral("frmPrv"));
    Label1->setObjectName(QStringLiteral("Label2")); // the vendor window's filter title
    cbW = choiceBox("cbW", QStringLiteral("工班"));
    cbP = choiceBox("cbP", QStringLiteral("材料"));
    filterRow->insertWidget(filterRow->count() - 1, cbW);
    filterRow->insertWidget(filterRow->count() - 1, cbP);
    m_extraClearable << cbW << cbP;
    connectChoice(cbW, [this](int) { cbW_Click(); });
    connectChoice(cbP, [this](int) { cbP_Click(); });

    // 修改, 確定 and 取消 sit in their own frame at the head of the detail area, above the part
    // that scrolls where the screen is short.
    Frame2 = new QGroupBox;
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* frame2Row = new QHBoxLayout(Frame2);
    frame2Row->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
    for (QPushButton* b : {cmdEdit, cmdY, cmdN}) {
        buttonRow->removeWidget(b);
        b->setParent(Frame2);
        frame2Row->addWidget(b);
    }
    frame2Row->addStretch();
    auto* windowLayout = static_cast<QVBoxLayout*>(layout());
    windowLayout->insertWidget(windowLayout->count() - 1, Frame2);
    m_shownWithDetail << Frame2;

    // The category boxes stand in the basic block, the link frames on the fourth tab.
    auto* boxes = new QHBoxLayout;
    const QString captions[2] = {QStringLiteral("施工廠商"), QStringLiteral("材料供應")};
    const QString frames[2] = {QStringLiteral("廠商施工"), QStringLiteral("材料供應")};
    const QString buttons[2] = {QStringLiteral("編輯       廠商       施工        <<--"),
                                QStringLiteral("編輯       供應       材料    <<--")};
    auto* linksRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        ck[i] = new QCheckBox(captions[i]);
        ck[i]->setObjectName(QStringLiteral("ck(%1)").arg(i));
        registerBox(ck[i]);
        boxes->addWidget(ck[i]);
        connect(ck[i], &QCheckBox::toggled, this, [this, i] { ck_Toggled(i); });

        Fm[i] = new QGroupBox(frames[i]);
        Fm[i]->setObjectName(QStringLiteral("Fm%1").arg(i + 1));
        auto* v = new QVBoxLayout(Fm[i]);
        Lists[i] = new QListWidget;
        Lists[i]->setObjectName(i == 0 ? QStringLiteral("Lw") : QStringLiteral("Lp"));
        v->addWidget(Lists[i]);
        QPushButton* b = ui::button(Fm[i], i == 0 ? "cmW" : "cmP", buttons[i]);
        cmLinks[i] = b;
        v->addWidget(b);
        connect(b, &QPushButton::clicked, this, i == 0 ? &frmPrv::cmW_Click : &frmPrv::cmP_Click);
        Fm[i]->hide();
        linksRow->addWidget(Fm[i]);
    }
    boxes->addStretch();
    // The whole page fits a 1280x800 screen below the menu bar without scrolling: the check boxes
    // beside the last box where it stands alone on its line, the lines of the blocks closer together.
    auto* p1 = static_cast<QGridLayout*>(m_panels.at(0)->layout());
    const int last = p1->rowCount() - 1;
    if (p1->itemAtPosition(last, 2))
        p1->addLayout(boxes, last + 1, 0, 1, p1->columnCount());
    else
        p1->addLayout(boxes, last, 2, 1, p1->columnCount() - 2);
    for (QWidget* panel : std::as_const(m_panels)) {
        auto* grid = static_cast<QGridLayout*>(panel->layout());
        // The boxes of a line keep their spacing across, which they would take from the grid.
        for (QBoxLayout* line : grid->findChildren<QBoxLayout*>(Qt::FindDirectChildrenOnly))
            line->setSpacing(grid->horizontalSpacing());
        grid->setVerticalSpacing(kNarrowMargin);
    }
    for (QWidget* page : std::as_const(m_pages) + QList<QWidget*>{Frame1}) {
        page->layout()->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
        page->layout()->setSpacing(kNarrowMargin);
    }
    static_cast<QVBoxLayout*>(m_pages.at(3)->layout())->addLayout(linksRow);
    for (QLabel* l : m_pages.at(3)->findChildren<QLabel*>()) {
        if (l->text() == QStringLiteral("敘述："))
            l->setObjectName(QStringLiteral("Label1")); // the description's title
    }
}

QString frmPrv::selectedName() const {
    return mdPro::CurrentVendorName;
}

void frmPrv::setSelectedName(const QString& name) {
    mdPro::CurrentVendorName = name;
}

void frmPrv::Form_Load() {
    RecordWindow::Form_Load(); // the short form: Frame2 hidden
    if (!canEdit())
        m_shownWithDetail.removeOne(Frame2); // it holds only buttons this user never sees
    loadFilters();
    for (QComboBox* cb : {cbW, cbP})
        ui::readAgainAtUse(cb, [this] { readListsAgain(false); });
}

void frmPrv::loadFilters() {
    loadFilter(cbW, QStringLiteral("select 工班 from 工班 order by w_id"), QStringLiteral("工班"));
    loadFilter(cbP, QStringLiteral("select 材料 from 材料 order by p_id"), QStringLiteral("材料"));
}

void frmPrv::readFiltersAgain() {
    if (ui::isUnloaded(cbW))
        loadFilter(cbW, QStringLiteral("select 工班 from 工班 order by w_id"), QStringLiteral("工班"));
    if (ui::isUnloaded(cbP))
        loadFilter(cbP, QStringLiteral("select 材料 from 材料 order by p_id"), QStringLiteral("材料"));
}

void frmPrv::loadFilter(QComboBox* cb, const QString& sql, const QString& prompt) {
    const bool read = readLists({cb}, [&] {
        const QStringList names = store().lookup(sql);
        if (names.isEmpty())
            return;
        cb->clear();
        cb->addItems(names);
        cb->setEditText(prompt);
    });
    clearPrompt(cb, read, prompt);
}

void frmPrv::cbW_Click() {
    mdPro::WPListMode = QStringLiteral("w");
    ListBySupplyOrWork();
}

void frmPrv::cbP_Click() {
    mdPro::WPListMode = QStringLiteral("p");
    ListBySupplyOrWork();
}

void frmPrv::ListBySupplyOrWork() {
    const bool work = mdPro::WPListMode.compare(QLatin1String("w"), Qt::CaseInsensitive) == 0;
    records::GridRows rows;
    QString failure;
    if (!guarded([&] { rows = store().listSupply(mdPro::WPListMode, (work ? cbW : cbP)->currentText()); },
                 &failure))
        return listFailed(failure);
    if (rows.isEmpty()) {
        cbW->setEditText(QStringLiteral("工班"));
        cbP->setEditText(QStringLiteral("材料"));
        showMessage(QStringLiteral("所選無資料"));
        return;
    }
    showGridRows(std::move(rows));
}

void frmPrv::readLinks(int index) {
    Lists[index]->clear();
    QString failure;
    guarded(
        [&] {
            Lists[index]->addItems(records::readLinks(
                store().database(), *records::linkKind(QString::fromLatin1(kModes[index])), selectedName()));
        },
        &failure);
    markLinksRead(index, failure);
}

void frmPrv::markLinksRead(int index, const QString& failure) {
    markLists({Lists[index]}, failure);
    ck[index]->setEnabled(failure.isEmpty() && isEditing());
    cmLinks[index]->setEnabled(failure.isEmpty());
}

void frmPrv::showLinks(int index) {
    Lists[index]->clear();
    const bool checked = ck[index]->isChecked();
    Fm[index]->setVisible(checked);
    if (checked)
        readLinks(index);
    else
        markLinksRead(index, {});
}

void frmPrv::afterShow(const records::BoxValues&) {
    showLinks(0);
    showLinks(1);
}

void frmPrv::afterEditLoaded(const records::BoxValues& values) {
    afterShow(values); // the links of the record as stored
}

void frmPrv::afterAdd() {
    m_loading = true;
    for (int i = 0; i < 2; ++i) {
        ck[i]->setChecked(false);
        ck[i]->setEnabled(false);
        Fm[i]->hide();
    }
    m_loading = false;
}

void frmPrv::afterClear() {
    Lists[0]->clear();
    Lists[1]->clear();
}

void frmPrv::afterFailedRead(const QString& failure) {
    // The links of a vendor that could not be read are not "none".
    for (int i = 0; i < 2; ++i)
        if (!Fm[i]->isHidden())
            markLinksRead(i, failure);
}

void frmPrv::setExtraEnabled(bool enabled) {
    Fm[0]->setEnabled(enabled);
    Fm[1]->setEnabled(enabled);
}

void frmPrv::ck_Toggled(int index) {
    if (m_loading)
        return;
    if (ck[index]->isChecked()) {
        Fm[index]->show();
        return;
    }
    if (Fm[index]->isHidden() || Lists[index]->count() == 0) {
        Fm[index]->hide();
        return;
    }
    const QString what = index == 0 ? QStringLiteral("負責工班") : QStringLiteral("材料供應");
    const bool yes =
        ui::msgBox(QStringLiteral("這個動作會將(") + what + QStringLiteral(")內的資料刪除\r\n確定執行?"),
                   ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Kavo III"), 2) == ui::Answer::Yes;
    if (yes && guarded([&] {
            records::deleteLinks(store().database(), *records::linkKind(QString::fromLatin1(kModes[index])),
                                 selectedName());
        })) {
        Lists[index]->clear();
        Fm[index]->hide();
        return;
    }
    m_loading = true;
    ck[index]->setChecked(true);
    m_loading = false;
}

void frmPrv::editLinks(int index) {
    if (boxText(QStringLiteral("T2")).isEmpty()) {
        showMessage(QStringLiteral("請先輸入廠商名稱"));
        return;
    }
    mdPro::WPListMode = QString::fromLatin1(kModes[index]);
    ui::Default<frmWP>::get()->showModal();
    // The editor and the read after it are one command: a database held by another workstation was
    // waited for and said in the editor, so the list fails at once, unread, without saying it again.
    if (const QString held = frmWP::heldDatabaseFailure(); !held.isEmpty())
        return markLinksRead(index, held);
    if (frmWP::vendorWasGone())
        recordGone(selectedName());
    readLinks(index);
}

void frmPrv::cmW_Click() {
    editLinks(0);
}

void frmPrv::cmP_Click() {
    editLinks(1);
}

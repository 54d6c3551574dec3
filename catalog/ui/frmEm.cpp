#include "frmEm.h"

#include "GridCells.h"
#include "Questions.h"
#include "frmEng.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kTitle = QStringLiteral("Kavo III");
constexpr int kBrowseHeight = 6465;
constexpr int kEditHeight = 8130;

struct ModeTexts {
    const char* caption;
    const char* addLabel;
    const char* emptyName;
    const char* deleteWarning;
};

ModeTexts textsOf(const catalog::MasterList& list) {
    if (QLatin1String(list.mode) == QLatin1String("k"))
        return {"編輯 工程類別", " 至   工程類別", "請在空格中輸入 工程類別", "如果刪除會將所包含的區域一並刪除"};
    return {"編輯 工程種類", " 至   工程種類", "請在空格中輸入 工程種類", "如果刪除會將所包含的施工一並刪除"};
}

void message(const QString& text, ui::Icon icon = ui::Icon::None) {
    ui::msgBox(text, ui::Buttons::OK, icon, kTitle);
}
} // namespace

frmEm::frmEm() {
    setObjectName(QStringLiteral("frmEm"));
    LsM = new QListWidget(this);
    LsM->setObjectName(QStringLiteral("LsM"));
    cmdNew = ui::button(this, "cmdNew", QStringLiteral("新增"));
    cmdEdit = ui::button(this, "cmdEdit", QStringLiteral("修改"));
    cmdDel = ui::button(this, "cmdDel", QStringLiteral("刪除"));
    cmdUp = ui::button(this, "cmdUp", QStringLiteral("▲"));
    cmdDn = ui::button(this, "cmdDn", QStringLiteral("▼"));
    Command1 = ui::button(this, "Command1", QStringLiteral("離開"));
    fm = new QFrame(this);
    fm->setObjectName(QStringLiteral("fm"));
    fm->setFrameShape(QFrame::StyledPanel);
    lb1 = new QLabel(fm);
    lb1->setObjectName(QStringLiteral("lb1"));
    txt = ui::textBox(fm, "txt");
    lb2 = new QLabel(fm);
    lb2->setObjectName(QStringLiteral("lb2"));
    cmdY = ui::button(fm, "cmdY", QStringLiteral("確定"));
    cmdN = ui::button(fm, "cmdN", QStringLiteral("取消"));

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {cmdNew, cmdEdit, cmdDel, cmdUp, cmdDn})
        side->addWidget(b);
    side->addStretch();
    side->addWidget(Command1);
    auto* top = new QHBoxLayout;
    top->addWidget(LsM, 1);
    top->addLayout(side);
    auto* f = new QGridLayout(fm);
    f->addWidget(lb1, 0, 0, 1, 2);
    f->addWidget(txt, 1, 0);
    f->addWidget(lb2, 1, 1);
    auto* yn = new QHBoxLayout;
    yn->addStretch();
    yn->addWidget(cmdY);
    yn->addWidget(cmdN);
    f->addLayout(yn, 2, 0, 1, 2);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top, 1);
    v->addWidget(fm);

    connect(cmdNew, &QPushButton::clicked, this, &frmEm::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmEm::cmdEdit_Click);
    connect(cmdDel, &QPushButton::clicked, this, &frmEm::cmdDel_Click);
    connect(cmdUp, &QPushButton::clicked, this, &frmEm::cmdUp_Click);
    connect(cmdDn, &QPushButton::clicked, this, &frmEm::cmdDn_Click);
    connect(Command1, &QPushButton::clicked, this, &frmEm::Command1_Click);
    connect(cmdY, &QPushButton::clicked, this, &frmEm::cmdY_Click);
    connect(cmdN, &QPushButton::clicked, this, &frmEm::cmdN_Click);
    connect(txt, &QLineEdit::returnPressed, this, &frmEm::cmdY_Click);
    resize(ui::twipsToPixelsX(4800), ui::twipsToPixelsY(kBrowseHeight));
}

frmEm::~frmEm() = default;

void frmEm::Form_Load() {
    m_list = &catalog::masterList(mdEng::EmListMode);
    setWindowTitle(QString::fromUtf8(textsOf(*m_list).caption));
    // The colour of the box whose list is edited here, so the user sees which list it is; the
    // frame takes the window's colour.
    if (ui::Default<frmEng>::isLoaded()) {
        QPalette p = palette();
        p.setColor(QPalette::Window, ui::Default<frmEng>::get()->listBoxColour(mdEng::EmListMode));
        setPalette(p);
        setAutoFillBackground(true);
        fm->setAutoFillBackground(true);
    }
    showFrame(false);
    if (mdM::MainDb)
        m_store = std::make_unique<catalog::CatalogStore>(mdM::MainDb);
    LoadList();
}

bool frmEm::tryRun(const std::function<void()>& run) {
    try {
        run();
        return true;
    } catch (const db::DbError& e) {
        noteHeld(e);
        if (db::LoadSession::sayOnce(e))
            ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        return false;
    }
}

void frmEm::noteHeld(const db::DbError& e) {
    if (metHeld && e.number() == db::ErrLocked)
        *metHeld = true;
}

void frmEm::LoadList() {
    QStringList names;
    QString reason = QStringLiteral("未能載入");
    m_loaded = m_store && tryRun([&] {
        try {
            names = m_store->masterEntries(*m_list);
        } catch (const db::DbError& e) {
            reason = QStringLiteral("未能載入：%1").arg(e.description());
            throw;
        }
    });
    showList(names);
    catalog_ui::markUnloaded(LsM, m_loaded ? QString() : reason);
    for (QPushButton* b : {cmdNew, cmdEdit, cmdDel, cmdUp, cmdDn})
        b->setEnabled(m_loaded);
}

void frmEm::showList(const QStringList& names) {
    m_loadedNames = names;
    LsM->clear();
    for (int i = 0; i < names.size(); ++i) {
        auto* entry = new QListWidgetItem(names.at(i), LsM);
        entry->setData(Qt::UserRole, i); // its place as loaded: a move keeps it
    }
}

int frmEm::chosenRow() const {
    const QList<QListWidgetItem*> chosen = LsM->selectedItems();
    return chosen.isEmpty() ? -1 : LsM->row(chosen.first());
}

QStringList frmEm::shownNames() const {
    QStringList names;
    for (int i = 0; i < LsM->count(); ++i)
        names << LsM->item(i)->text();
    return names;
}

void frmEm::storeOrder() {
    const QStringList names = shownNames();
    if (names == m_loadedNames)
        return; // looking at a list writes nothing
    // Only the moves made here are written over the order stored now.
    QList<int> readAs;
    for (int i = 0; i < LsM->count(); ++i)
        readAs << LsM->item(i)->data(Qt::UserRole).toInt();
    showList(m_store->saveOrder(*m_list, names, m_loadedNames, readAs));
}

bool frmEm::SaveOrder() {
    return m_store && m_loaded && tryRun([&] { storeOrder(); });
}

void frmEm::showFrame(bool shown) {
    if (!shown)
        m_action = Action::None;
    if (shown == !fm->isHidden())
        return;
    // The frame adds its height while it is open; closing it gives the window back the height it
    // had.
    if (shown)
        m_browseHeight = height();
    fm->setVisible(shown);
    const int browse = m_browseHeight > 0 ? m_browseHeight : ui::twipsToPixelsY(kBrowseHeight, this);
    resize(width(), shown ? browse + ui::twipsToPixelsY(kEditHeight - kBrowseHeight, this) : browse);
}

void frmEm::cmdNew_Click() {
    m_action = Action::Add;
    showFrame(true);
    m_action = Action::Add;
    lb1->setText(QStringLiteral("新增"));
    lb2->setText(QString::fromUtf8(textsOf(*m_list).addLabel));
    txt->clear();
    txt->setFocus();
}

void frmEm::cmdEdit_Click() {
    if (chosenRow() < 0) {
        message(QStringLiteral("請先選取"));
        return;
    }
    m_editName = LsM->item(chosenRow())->text();
    showFrame(true);
    m_action = Action::Edit;
    lb1->setText(QStringLiteral("修改【%1】成為：").arg(m_editName));
    lb2->clear();
    txt->setText(m_editName);
    txt->setFocus();
    txt->selectAll();
}

bool frmEm::refuseEmpty() {
    if (!txt->text().trimmed().isEmpty())
        return false;
    message(QString::fromUtf8(textsOf(*m_list).emptyName));
    txt->setFocus();
    txt->selectAll();
    return true;
}

void frmEm::cmdY_Click() {
    if (m_action == Action::None || !m_store || !m_loaded)
        return;
    if (refuseEmpty())
        return;
    const QString name = txt->text(); // stored as typed
    // Whether the name is taken; a failed read stops here, nothing written.
    bool taken = false;
    if (!catalog::sameName(name, m_editName) || m_action == Action::Add) {
        if (!tryRun([&] { taken = m_store->masterContains(*m_list, name); }))
            return;
    }
    if (m_action == Action::Add) {
        if (taken) {
            message(QStringLiteral("【%1】已存在").arg(name), ui::Icon::Exclamation);
            return;
        }
        if (!SaveOrder() || !tryRun([&] { m_store->addMasterEntry(*m_list, name); }))
            return;
    } else if (name != m_editName) {
        // A change of letter case only is a plain rename: the name is the same name.
        if (!catalog::sameName(name, m_editName) && taken &&
            !catalog_ui::confirmLoss(QStringLiteral("【%1】已存在\r\n是否合併?").arg(name)))
            return;
        bool renamed = false;
        if (!SaveOrder() || !tryRun([&] { renamed = m_store->renameMasterEntry(*m_list, m_editName, name); }))
            return;
        if (!renamed) {
            // Deleted meanwhile, here or on another workstation: the typed name stays in the frame.
            LoadList();
            message(QStringLiteral("【%1】已不存在，無法修改").arg(m_editName), ui::Icon::Exclamation);
            txt->setFocus();
            return;
        }
    }
    LoadList();
    txt->clear();
    showFrame(false);
}

void frmEm::cmdN_Click() {
    txt->clear();
    showFrame(false);
}

void frmEm::cmdDel_Click() {
    if (chosenRow() < 0) {
        message(QStringLiteral("請先選取"));
        return;
    }
    const QString name = LsM->item(chosenRow())->text();
    if (!catalog_ui::confirmLoss(QStringLiteral("確定刪除【%1】\r\n%2")
                                     .arg(name, QString::fromUtf8(textsOf(*m_list).deleteWarning))))
        return;
    bool deleted = false;
    if (!SaveOrder() || !tryRun([&] { deleted = m_store->deleteMasterEntry(*m_list, name); }))
        return;
    LoadList();
    if (!deleted) // renamed or deleted meanwhile, on another workstation
        message(QStringLiteral("【%1】已不存在").arg(name), ui::Icon::Exclamation);
}

void frmEm::move(int step) {
    const int i = chosenRow();
    if (i < 0) {
        message(QStringLiteral("請先選取 再行調整順序"));
        return;
    }
    const int to = i + step;
    if (to < 0 || to >= LsM->count()) {
        QApplication::beep();
        return;
    }
    QListWidgetItem* it = LsM->takeItem(i);
    LsM->insertItem(to, it);
    LsM->setCurrentRow(to);
}

void frmEm::cmdUp_Click() {
    move(-1);
}

void frmEm::cmdDn_Click() {
    move(1);
}

void frmEm::Command1_Click() {
    unload();
}

bool frmEm::Form_QueryUnload() {
    // A name typed in the frame and not confirmed is not dropped without a word (one the list
    // shows already loses nothing).
    const QString name = txt->text();
    const QStringList shown = shownNames();
    const bool typed = m_action != Action::None && !name.isEmpty() &&
                       (m_action == Action::Add || name != m_editName) &&
                       std::none_of(shown.begin(), shown.end(), [&](const QString& n) { return catalog::sameName(n, name); });
    if (typed && !catalog_ui::confirmLoss(QStringLiteral("【%1】尚未確定，是否放棄?").arg(name)))
        return false;
    if (!m_store || !m_loaded)
        return true;
    try {
        storeOrder();
        return true;
    } catch (const db::DbError& e) {
        noteHeld(e);
        return catalog_ui::closeWithoutStoring(e.description(), QStringLiteral("順序"));
    }
}

// The construction-data window as a whole: its tabs, load, rights, the guard that asks before
// unapplied changes would be lost, and closing.
#include "frmEng.h"
#include "frmEm.h"

#include "GridCells.h"
#include "ui/Controls.h"
#include "LineGrid.h"
#include "Questions.h"
#include "mdM.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Kavo III");
} // namespace

frmEng::frmEng() {
    setObjectName(QStringLiteral("frmEng"));
    setWindowTitle(QStringLiteral("工程資料"));
    Tab1 = new QTabWidget(this);
    Tab1->setObjectName(QStringLiteral("Tab1"));
    Tab1->addTab(buildAreasTab(), QStringLiteral("工程類別 與 區域"));
    Tab1->addTab(buildWorkTab(), QStringLiteral("工程種類 與 施工 、 加成"));
    Tab1->addTab(buildListsTab(), QStringLiteral("其他詞庫"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(Tab1);
    connect(Tab1, &QTabWidget::currentChanged, this, &frmEng::Tab1_Click);
    resize(1000, 720);
}

frmEng::~frmEng() = default;

QMenu* frmEng::buildPopup(const char* name, const char* const names[7]) {
    static const char* const captions[7] = {"新增", "刪除", "修改", "複製", "貼上", "套用", "取消"};
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < 7; ++i) {
        QAction* a = menu->addAction(QString::fromUtf8(captions[i]));
        a->setObjectName(QString::fromLatin1(names[i]));
        if (i <= 2 || i == 4)
            menu->addSeparator();
    }
    return menu;
}

void frmEng::Form_Load() {
    // The session's database; opened only when none is (whatever Mdbpath.ini names meanwhile).
    if (!mdM::MainDb)
        mdM::OpenDatabase();
    if (!mdM::MainDb)
        return;
    m_store = std::make_unique<catalog::CatalogStore>(mdM::MainDb);
    m_rights = mdM::RightsToBits(mdM::UserRights).mid(9, 1) != QLatin1String("0");
    // Without rights position 10 the window only shows. The move buttons follow their group's load.
    cmEdK->setEnabled(m_rights);
    Command2->setEnabled(m_rights);
    for (QPushButton* b : {cmdPrK, cmdPrt, cmdPrd, cmdPo})
        b->setVisible(m_rights);
    for (QPushButton* b : {cmdCancel, Command4, Command5})
        b->setEnabled(m_rights);

    // Each group loads on its own: one that fails is left unloaded, the others show.
    m_loading = true;
    LoadCategories();
    LoadAreas();
    LoadWorkKinds();
    LoadUnits();
    LoadVocabularies();
    LoadWorkItems();
    LoadDetails();
    m_loading = false;
    if (!m_loadError.isEmpty())
        ui::msgBox(m_loadError, ui::Buttons::OK, ui::Icon::Critical, kTitle);
}

QColor frmEng::listBoxColour(const QString& mode) const {
    const QComboBox* box = mode == QLatin1String("k") ? cbK : cbT;
    return box->palette().color(QPalette::Base);
}

bool frmEng::canEdit() const {
    return m_rights && m_store;
}

ui::Answer frmEng::askApply(const QString& group) {
    return ui::msgBox(QStringLiteral("【%1】正在編輯中\r\n是否套用?").arg(group), ui::Buttons::YesNoCancel,
                      ui::Icon::Question, kTitle);
}

QString frmEng::groupName(const QPushButton* applyButton) const {
    if (applyButton == cmAp)
        return QStringLiteral("%1 的區域").arg(m_areasCategory);
    if (applyButton == cmWp)
        return QStringLiteral("%1 的施工").arg(m_itemsKind);
    return QStringLiteral("%1 的細項加成").arg(m_detailsItem);
}

bool frmEng::tryWrite(const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const db::DbError& e) {
        ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        return false;
    } catch (const catalog::NumberTooLong& e) { // a number another workstation stored, merged in
        ui::msgBox(QString::fromStdString(e.what()), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        return false;
    }
}

bool frmEng::showListEditor() {
    frmEm* editor = ui::Default<frmEm>::get();
    const bool read = editor->listLoaded();
    bool held = false;
    editor->metHeld = &held;
    editor->showModal();
    return read && !held;
}

bool frmEng::applyOverLoaded(const QString& what, const std::function<void(bool overwrite)>& write,
                             const std::function<void()>& reload) {
    for (bool overwrite = false;;) {
        QStringList changed;
        try {
            return tryWrite([&] { write(overwrite); });
        } catch (const catalog::StaleRows& s) {
            if (s.kind() == catalog::StaleRows::Kind::ParentGone) {
                ui::msgBox(s.reason(), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
                return false;
            }
            changed = s.changedRows();
        }
        switch (catalog_ui::askOverwrite(what, changed)) {
        case ui::Answer::Yes:
            overwrite = true;
            break;
        case ui::Answer::No:
            if (reload)
                reload();
            return true;
        default:
            return false;
        }
    }
}

bool frmEng::tryLoad(const std::function<void()>& read, QWidget* view) {
    try {
        read();
        if (view)
            catalog_ui::markUnloaded(view, QString());
        return true;
    } catch (const db::DbError& e) {
        if (view)
            catalog_ui::markUnloaded(view, QStringLiteral("未能載入：%1").arg(e.description()));
        if (!m_loading && db::LoadSession::sayOnce(e))
            ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        else if (m_loadError.isEmpty())
            m_loadError = e.description();
        return false;
    }
}

bool frmEng::settleGroup(QPushButton* applyButton, bool (frmEng::*apply)(), void (frmEng::*cancel)()) {
    if (!applyButton->isEnabled())
        return true;
    switch (askApply(groupName(applyButton))) {
    case ui::Answer::Yes:
        return (this->*apply)();
    case ui::Answer::No:
        (this->*cancel)();
        return true;
    default:
        return false;
    }
}

void frmEng::setDirty(QPushButton* applyButton, QAction* applyItem, bool dirty) {
    applyButton->setEnabled(dirty && m_rights);
    applyItem->setEnabled(dirty && m_rights);
}

void frmEng::Tab1_Click(int index) {
    if (m_switchingBack)
        return;
    const int left = m_currentTab;
    bool stay = false;
    if (left == 0) {
        stay = !settleGroup(cmAp, &frmEng::cmAp_Click, &frmEng::cmdCancel_Click);
        if (!stay)
            txtA->hide();
    } else if (left == 1) {
        stay = !settleGroup(cmWp, &frmEng::cmWp_Click, &frmEng::Command4_Click);
        if (!stay)
            stay = !settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click);
        if (!stay) {
            m_items->hideEditors();
            m_details->hideEditors();
        }
    }
    if (stay) {
        m_switchingBack = true;
        Tab1->setCurrentIndex(left);
        m_switchingBack = false;
        return;
    }
    m_currentTab = index;
    // A list that could not be read is read again on its tab, with one wait.
    QList<int> unread;
    for (int i = 0; i < m_listLoaded.size(); ++i)
        if (!m_listLoaded.at(i))
            unread << i;
    if (index == 2 && m_store && !unread.isEmpty()) {
        const db::LoadSession session;
        LoadVocabularies(unread);
    }
    if (index == 1 && m_store && !m_unitsLoaded) {
        const db::LoadSession session;
        LoadUnits();
    }
}

bool frmEng::Form_QueryUnload() {
    if (!m_store)
        return true;
    // Each group with changes not applied asks; Cancel keeps the window open.
    if (!settleGroup(cmAp, &frmEng::cmAp_Click, &frmEng::cmdCancel_Click) ||
        !settleGroup(cmWp, &frmEng::cmWp_Click, &frmEng::Command4_Click) ||
        !settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click))
        return false;
    // The vocabulary lists that changed are stored (a user who may not change them changed
    // nothing).
    return !m_rights || SaveVocabularies();
}

bool frmEng::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        // A cell too narrow for its text shows it whole in a tooltip.
        auto* grid = qobject_cast<QTableWidget*>(watched->parent());
        if (grid && grid->viewport() == watched && catalog_ui::showCutText(grid, static_cast<QHelpEvent*>(e)))
            return true;
    } else if (e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        for (int i = 0; i < hfgA.size(); ++i)
            if (watched == hfgA.at(i)->viewport()) {
                areaMouseDown(i, me);
                return false;
            }
        for (int i = 0; i < hfgS.size(); ++i)
            if (watched == hfgS.at(i)->viewport()) {
                listMouseDown(i, me);
                return false;
            }
        if (watched == hfgW->viewport())
            workMouseDown(me);
        else if (watched == hfgD->viewport())
            detailMouseDown(me);
    } else if (e->type() == QEvent::Resize && watched == Frame1) {
        LayoutAreaGrids();
    } else if (e->type() == QEvent::Resize && watched == hfgD) {
        sizeDetailColumns();
    } else if (e->type() == QEvent::Resize && watched == hfgW) {
        fitWorkColumns();
    } else if (e->type() == QEvent::Resize && !hfgS.isEmpty() && watched == hfgS.first()->parentWidget()) {
        fitListColumns();
    } else if (e->type() == QEvent::Resize && hfgS.contains(qobject_cast<QTableWidget*>(watched))) {
        sizeListColumn(static_cast<QTableWidget*>(watched));
    } else if (e->type() == QEvent::FocusOut && watched == txtA) {
        txtA->hide();
    } else if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (watched == txtA && enter) {
            mAddA_Click();
            return true;
        }
        if (watched == txtS) {
            if (enter) {
                mAddS_Click();
                return true;
            }
            if (catalog_ui::refusesKey(txtS, k->text()))
                return true;
        }
    }
    return ui::Form::eventFilter(watched, e);
}


#include "frmWP.h"

#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
QListWidget* listBox(QWidget* parent, const char* name, bool multi) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(multi ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    return l;
}

QList<int> selectedRows(const QListWidget* l) {
    QList<int> rows;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->isSelected())
            rows << i;
    return rows;
}

QString endedHeld;
bool endedGone = false;

void showDbError(const db::DbError& e) {
    endedHeld = e.number() == db::ErrLocked ? e.description() : QString();
    ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::None, QStringLiteral("Kavo III"));
}
} // namespace

frmWP::frmWP() {
    setObjectName(QStringLiteral("frmWP"));
    lbCusName = new QLabel(this);
    lbCusName->setObjectName(QStringLiteral("lbCusName"));
    LbO = new QLabel(QStringLiteral("原有的:"), this);
    LbO->setObjectName(QStringLiteral("LbO"));
    LbNew = new QLabel(QStringLiteral("新增的:"), this);
    LbNew->setObjectName(QStringLiteral("LbNew"));
    LbAll = new QLabel(QStringLiteral("所有的:"), this);
    LbAll->setObjectName(QStringLiteral("LbAll"));
    LsO = listBox(this, "LsO", true);
    LsNew = listBox(this, "LsNew", false);
    LsAll = listBox(this, "LsAll", true);
    cmAd = ui::button(this, "cmAd", QStringLiteral("加入"));
    cmMv = ui::button(this, "cmMv", QStringLiteral("移除"));
    auto* Command3 = ui::button(this, "Command3", QStringLiteral("恢復原始狀態"));
    Command1 = ui::button(this, "Command1", QStringLiteral("確定"));
    auto* Command2 = ui::button(this, "Command2", QStringLiteral("取消"));
    auto* Command4 = ui::button(this, "Command4", QStringLiteral("離開"));

    auto* g = new QGridLayout(this);
    g->addWidget(lbCusName, 0, 0, 1, 4);
    g->addWidget(LbO, 1, 0);
    g->addWidget(LbNew, 1, 1);
    g->addWidget(LbAll, 1, 3);
    g->addWidget(LsO, 2, 0, 4, 1);
    g->addWidget(LsNew, 2, 1, 4, 1);
    g->addWidget(cmAd, 2, 2);
    g->addWidget(cmMv, 3, 2);
    g->addWidget(Command3, 4, 2);
    g->addWidget(LsAll, 2, 3, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command4);
    g->addLayout(buttons, 6, 0, 1, 4);

    connect(cmAd, &QPushButton::clicked, this, &frmWP::cmAd_Click);
    connect(cmMv, &QPushButton::clicked, this, &frmWP::cmMv_Click);
    connect(Command1, &QPushButton::clicked, this, &frmWP::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWP::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWP::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmWP::Command4_Click);
}

void frmWP::Form_Load() {
    adjustSize();
    const QRect screen = ui::screenRect(this);
    move(screen.center() - rect().center()); // in the middle of the screen, over the vendor window
    lbCusName->setText(QStringLiteral("目前廠商：【") + mdPro::CurrentVendorName + QStringLiteral("】"));
    endedGone = false;
    LoadLists();
}

bool frmWP::vendorWasGone() {
    return endedGone;
}

QString frmWP::heldDatabaseFailure() {
    return endedHeld;
}

void frmWP::LoadLists() {
    endedHeld.clear();
    m_lists = {};
    m_loaded = false;
    QString failure;
    const std::optional<records::LinkKind> k = records::linkKind(mdPro::WPListMode);
    if (k) {
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(k->red, k->green, k->blue));
        setPalette(p);
        setAutoFillBackground(true);
        setWindowTitle(k->caption);
        LbO->setText(k->ownedTitle);
        LbNew->setText(k->addedTitle);
        LbAll->setText(k->allTitle);
        try {
            m_lists.load(*mdM::MainDb, *k, mdPro::CurrentVendorName);
            m_loaded = true;
        } catch (const db::DbError& e) {
            m_lists = {};
            failure = ui::unloadedReason(e);
            showDbError(e);
        }
    }
    showLists();
    for (QListWidget* l : {LsO, LsNew, LsAll})
        ui::markUnloaded(l, failure);
    // Lists that could not be read are neither edited nor written; 恢復原始狀態 reads them again.
    for (QPushButton* b : {cmAd, cmMv, Command1})
        b->setEnabled(m_loaded);
}

void frmWP::showLists() {
    const auto fill = [](QListWidget* l, const QStringList& names) {
        l->clear();
        l->addItems(names);
    };
    fill(LsO, m_lists.owned);
    fill(LsNew, m_lists.added);
    fill(LsAll, m_lists.all);
}

void frmWP::cmAd_Click() {
    m_lists.add(selectedRows(LsAll));
    showLists();
}

void frmWP::cmMv_Click() {
    m_lists.remove(selectedRows(LsO));
    showLists();
}

void frmWP::Command3_Click() {
    LoadLists();
}

void frmWP::Command1_Click() {
    if (!m_loaded)
        return;
    endedHeld.clear();
    if (const std::optional<records::LinkKind> k = records::linkKind(mdPro::WPListMode)) {
        try {
            endedGone = !m_lists.write(*mdM::MainDb, *k, mdPro::CurrentVendorName); // the vendor window says so
        } catch (const db::DbError& e) {
            showDbError(e); // nothing was written; the dialog stays with its lists
            return;
        }
    }
    unload();
}

void frmWP::Command2_Click() {
    unload();
}

void frmWP::Command4_Click() {
    unload();
}

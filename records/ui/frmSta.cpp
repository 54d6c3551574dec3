#include "frmSta.h"

#include "LoginService.h"
#include "StaffAccounts.h"
#include "ui/Controls.h"
#include "ui/Keys.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSta::frmSta() : RecordWindow(records::staffKind()) {
    setObjectName(QStringLiteral("frmSta"));
    auto* Frame3 = new QGroupBox(QStringLiteral("密碼設定"));
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* g = new QGridLayout(Frame3);
    cmdPaSet = ui::button(Frame3, "cmdPaSet", QStringLiteral("密碼設定"));
    const auto row = [&](QLabel*& label, const char* labelName, const QString& caption, QLineEdit*& box,
                         const char* boxName, int r) {
        label = new QLabel(caption, Frame3);
        label->setObjectName(QString::fromLatin1(labelName));
        box = ui::passwordBox(Frame3, boxName);
        ui::enterAsTab(box);
        m_extraClearable << box;
        g->addWidget(label, r, 0);
        g->addWidget(box, r, 1);
    };
    g->addWidget(cmdPaSet, 0, 0, 1, 2);
    row(lbOp, "lbOp", QStringLiteral("原始密碼: "), txtOp, "txtOp", 1);
    row(lbNp, "lbNp", QStringLiteral("新  密  碼: "), txtNp, "txtNp", 2);
    row(lbCp, "lbCp", QStringLiteral("確定密碼 : "), txtCp, "txtCp", 3);
    cmdPass = ui::button(Frame3, "cmdPass", QStringLiteral("變更"));
    cmdCnC = ui::button(Frame3, "cmdCnC", QStringLiteral("取消變更"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPass);
    buttons->addWidget(cmdCnC);
    g->addLayout(buttons, 4, 0, 1, 2);
    static_cast<QVBoxLayout*>(Frame1->layout())->addWidget(Frame3);
    showPanel(false);

    // The group box comes up over the header on a right-click and goes once it loses the focus.
    Combo1->hide();
    Label1->hide();
    Combo1->installEventFilter(this);
    HFG->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(HFG->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& p) { HFG_MouseDown(HFG->horizontalHeader()->logicalIndexAt(p)); });
    connect(cmdPaSet, &QPushButton::clicked, this, &frmSta::cmdPaSet_Click);
    connect(cmdPass, &QPushButton::clicked, this, &frmSta::cmdPass_Click);
    connect(cmdCnC, &QPushButton::clicked, this, &frmSta::cmdCnC_Click);
}

bool frmSta::eventFilter(QObject* o, QEvent* e) {
    if (o == Combo1 && e->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
        Combo1->hide();
        Label1->hide();
    }
    return RecordWindow::eventFilter(o, e);
}

void frmSta::HFG_MouseDown(int column) {
    if (column != 1 && column != 2)
        return;
    Label1->show();
    Combo1->show();
    Combo1->setFocus(Qt::MouseFocusReason);
}

void frmSta::afterSaved() {
    Mode.clear();
}

void frmSta::afterCancel() {
    const bool added = addingMode();
    Mode.clear();
    if (!added)
        return;
    // The member chosen before the add shows again, and the password panel, which the add emptied,
    // closes as it does when a choice is dropped: no password is changed for what was typed.
    showStoredRecord();
    cmdCnC_Click();
}

void frmSta::afterChoiceDropped() {
    cmdCnC_Click(); // no member on screen, no password to change
}

bool frmSta::checkBeforeSave() {
    const QString login = boxText(QStringLiteral("T3"));
    if (login.compare(QLatin1String(shell::kSuperUserLogin), Qt::CaseInsensitive) == 0) {
        showMessage(QStringLiteral("不可使用此英文名稱"));
        auto* t3 = qobject_cast<QLineEdit*>(box(QStringLiteral("T3")));
        t3->setFocus();
        t3->selectAll();
        return false;
    }
    bool taken = false;
    if (!guarded([&] { taken = records::loginTaken(store().database(), login, boxText(QStringLiteral("T2"))); }))
        return false;
    if (taken) {
        showMessage(QStringLiteral("英文姓名重複"), ui::Icon::Exclamation);
        return false;
    }
    return true;
}

void frmSta::showPanel(bool open) {
    if (open && !cmdPaSet->isHidden())
        m_heightBeforePanel = height();
    for (QWidget* w : {static_cast<QWidget*>(cmdPass), static_cast<QWidget*>(cmdCnC), static_cast<QWidget*>(lbOp),
                       static_cast<QWidget*>(txtOp), static_cast<QWidget*>(lbNp), static_cast<QWidget*>(txtNp),
                       static_cast<QWidget*>(lbCp), static_cast<QWidget*>(txtCp)})
        w->setVisible(open);
    cmdPaSet->setVisible(!open);
    if (!open && m_heightBeforePanel) {
        // The window grew for the panel; it goes back to its height.
        fitHeight(*m_heightBeforePanel);
        m_heightBeforePanel.reset();
    }
}

void frmSta::clearPasswords() {
    txtOp->clear();
    txtNp->clear();
    txtCp->clear();
}

std::optional<QString> frmSta::memberPassword(const QString& name) {
    std::optional<QString> stored;
    if (guarded([&] { stored = records::storedPassword(store().database(), name); }) && !stored)
        memberGone(name);
    return stored;
}

void frmSta::memberGone(const QString& name) {
    recordGone(name);
    cmdCnC_Click(); // no member, no password to change
}

void frmSta::cmdPaSet_Click() {
    const QString name = boxText(QStringLiteral("T2"));
    if (name.isEmpty() || boxText(QStringLiteral("T3")).isEmpty()) {
        showMessage(QStringLiteral("請先填入中文姓名與英文姓名"), ui::Icon::Exclamation);
        return;
    }
    if (!Mode.isEmpty()) {
        if (!saveAndBrowse())
            return;
        if (!memberPassword(name)) // the member gone meanwhile: said there
            return;
    }
    showPanel(true);
}

void frmSta::cmdPass_Click() {
    const QString name = boxText(QStringLiteral("T2"));
    const std::optional<QString> stored = memberPassword(name);
    if (!stored)
        return;
    if (txtOp->text() != *stored) {
        showMessage(QStringLiteral("密碼錯誤"), ui::Icon::Exclamation);
        clearPasswords();
        return;
    }
    if (txtNp->text() != txtCp->text()) {
        showMessage(QStringLiteral("新密碼與確定密碼不同"), ui::Icon::Exclamation);
        clearPasswords();
        return;
    }
    bool written = false;
    if (!guarded([&] { written = records::setPassword(store().database(), name, txtNp->text()); }))
        return;
    if (!written) {
        memberGone(name);
        return;
    }
    showPanel(false);
    clearPasswords();
    showMessage(QStringLiteral("密碼變更完成\r\n下次請使用新密碼登入"));
}

void frmSta::cmdCnC_Click() {
    clearPasswords();
    showPanel(false);
}

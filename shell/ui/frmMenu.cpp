#include "frmMenu.h"

#include "SettingsStore.h"
#include "MenuWindows.h"
#include "frmSet.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Placement.h"
#include "ui/StayOnTop.h"
#include "ui/Twips.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

namespace {
// Distance of the bar's right edge from the screen's right edge.
constexpr int kRightGap = 900;
// The folded strip stays this many pixels high at least, so the mouse can find it.
constexpr int kMinStripPixels = 3;
} // namespace

frmMenu::frmMenu() {
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("澄築工房 III"));
    // The desktop's dock (ui::showAsDock): no frame of the window manager's; its own buttons fold it
    // and end the program.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    auto button = [&](const char* name, const QString& caption) {
        QPushButton* b = ui::button(this, name, caption);
        layout->addWidget(b);
        return b;
    };
    cmdQ = button("cmdQ", QStringLiteral("報價單"));
    cmdC = button("cmdC", QStringLiteral("客戶資料"));
    cmdP = button("cmdP", QStringLiteral("廠商資料"));
    cmdSt = button("cmdSt", QStringLiteral("員工資料"));
    cmdSa = button("cmdSa", QStringLiteral("工程資料&詞庫"));
    cmdPws = button("cmdPws", QStringLiteral("系統設定"));
    Command2 = button("Command2", QStringLiteral("隱藏"));
    Command1 = button("Command1", QStringLiteral("結束"));

    connect(cmdQ, &QPushButton::clicked, this, &frmMenu::cmdQ_Click);
    connect(cmdC, &QPushButton::clicked, this, &frmMenu::cmdC_Click);
    connect(cmdP, &QPushButton::clicked, this, &frmMenu::cmdP_Click);
    connect(cmdSt, &QPushButton::clicked, this, &frmMenu::cmdSt_Click);
    connect(cmdSa, &QPushButton::clicked, this, &frmMenu::cmdSa_Click);
    connect(cmdPws, &QPushButton::clicked, this, &frmMenu::cmdPws_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMenu::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMenu::Command1_Click);
    for (QPushButton* b : {cmdQ, cmdC, cmdP, cmdSt, cmdSa, cmdPws, Command1}) {
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }

    setFixedWidth(std::max(layout->sizeHint().width(), ui::twipsToPixelsX(7200)));
    setHeightTwips(kUnfoldedHeight);
    ui::setTopBar(this); // the program's other windows open below it
}

void frmMenu::Form_Load() {
    ui::setStayOnTop(this);
    setHeightTwips(kUnfoldedHeight);
    EnableButtons();
    LoadAutoSaveSettings();
}

void frmMenu::EnableButtons() {
    // Rights positions 3 to 12; positions 1 and 2 do not concern the bar.
    const QString bits = mdM::RightsToBits(mdM::UserRights);
    auto granted = [&bits](int position) {
        return position - 1 < bits.size() && bits.at(position - 1) == QLatin1Char('1');
    };
    cmdQ->setEnabled(granted(3));
    cmdC->setEnabled(granted(4) || granted(5));
    cmdP->setEnabled(granted(6) || granted(7));
    cmdSt->setEnabled(granted(8) || granted(9));
    cmdSa->setEnabled(granted(10) || granted(11));
    cmdPws->setEnabled(granted(12));
}

void frmMenu::LoadAutoSaveSettings() {
    const shell::AutoSaveSettings s = shell::readAutoIni();
    mdM::AutoSaveOn = s.on;
    mdM::AutoSaveInterval = s.interval;
}

void frmMenu::setHeightTwips(int twips) {
    m_heightTwips = twips;
    setFixedHeight(std::max(ui::twipsToPixelsY(twips, this), kMinStripPixels));
    const QRect screen = ui::screenRect(this);
    // The window system's frame where it has told it (a widget's own frame geometry learns of a
    // frame only with its next move).
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const int frameWidth = width() + frame.left() + frame.right();
    move(screen.x() + screen.width() - frameWidth - ui::twipsToPixelsX(kRightGap, this), screen.y());
}

void frmMenu::showEvent(QShowEvent* e) {
    ui::Form::showEvent(e);
    setHeightTwips(m_heightTwips);
    // Placed again with its frame once the window system has framed it.
    ui::whenFramed(this, [this] { setHeightTwips(m_heightTwips); });
}

void frmMenu::cmdQ_Click() {
    shell::openMenuWindow(shell::MenuWindow::Quote); // frmQ, maximised
}

void frmMenu::cmdC_Click() {
    mdM::CusOpenedFromQuote = false;
    shell::openMenuWindow(shell::MenuWindow::Customers); // frmCus
}

void frmMenu::cmdP_Click() {
    shell::openMenuWindow(shell::MenuWindow::Vendors); // frmPrv
}

void frmMenu::cmdSt_Click() {
    shell::openMenuWindow(shell::MenuWindow::Staff); // frmSta
}

void frmMenu::cmdSa_Click() {
    shell::openMenuWindow(shell::MenuWindow::Catalog); // frmEng, maximised
}

void frmMenu::cmdPws_Click() {
    ui::showOrRaise(ui::Default<frmSet>::get());
}

void frmMenu::Command2_Click() {
    if (m_heightTwips == kUnfoldedHeight)
        setHeightTwips(kFoldedHeight);
    else if (m_heightTwips == kFoldedHeight)
        setHeightTwips(kUnfoldedHeight);
}

void frmMenu::Button_MouseMove() {
    if (m_heightTwips == kFoldedHeight)
        setHeightTwips(kUnfoldedHeight);
}

bool frmMenu::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter)
        Button_MouseMove();
    return ui::Form::eventFilter(watched, e);
}

void frmMenu::Command1_Click() {
    unload();
}

bool frmMenu::Form_QueryUnload() {
    const ui::Answer a = ui::msgBox(QStringLiteral("是否要結束澄築工房?"), ui::Buttons::YesNo,
                                    ui::Icon::Question, QStringLiteral("Kavo III"), 2);
    if (a != ui::Answer::Yes)
        return false;
    // Every other window closes through its own close path (the quotation editor first, with
    // its save question); one that refuses keeps the program running.
    return ui::unloadAllForms(this);
}

void frmMenu::Form_Unload() {
    sys::exitProgram(0);
}

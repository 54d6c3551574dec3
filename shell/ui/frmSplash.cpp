#include "frmSplash.h"

#include "frmLogin.h"
#include "ui/Twips.h"

#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash() {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(ui::twipsToPixelsX(6000), ui::twipsToPixelsY(3000));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#frmSplash { border: 2px solid #406080; background: #f4f8ff; }"));

    Pic = new QLabel(QStringLiteral("澄築工房 III"), this);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setAlignment(Qt::AlignCenter);
    QFont big = Pic->font();
    big.setPointSize(big.pointSize() * 2 + 6);
    big.setBold(true);
    Pic->setFont(big);

    l = new QLabel(this);
    l->setObjectName(QStringLiteral("l"));
    lb = new QLabel(this);
    lb->setObjectName(QStringLiteral("lb"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pic, 1);
    layout->addWidget(l, 0, Qt::AlignRight);
    layout->addWidget(lb, 0, Qt::AlignRight);

    // Fires as soon as the window is shown.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load() {
    const QRect screen = ui::screenRect(this);
    move(screen.x() + (screen.width() - width()) / 2,
         screen.y() + (screen.height() - height()) / 2 - ui::twipsToPixelsY(1500, this));
    l->setText(QStringLiteral("Version: %1.5").arg(kMajor));
    lb->setText(QStringLiteral("Build: %1.%2").arg(kMinor).arg(kRevision));
    Timer1->start();
}

void frmSplash::Timer1_Timer() {
    Timer1->stop();
    frmLogin* login = ui::Default<frmLogin>::get();
    login->show();
    login->activateWindow();
}

void frmSplash::Form_Unload() {
    Timer1->stop();
}

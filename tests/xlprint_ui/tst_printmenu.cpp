// The print menu as the editor builds it: the group separators added, each item running its own
// command, 列印設定 its own handler.
#include "PrintMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <QtTest>

class TestPrintMenu : public QObject {
    Q_OBJECT
private slots:
    void wiring() {
        QWidget w;
        QMenu m(&w);
        for (const xlprint::PrintCommand& c : xlprint::printCommands())
            m.addAction(QString::fromUtf8(c.caption))->setObjectName(QLatin1String(c.item));
        m.addSeparator();
        m.addAction(QStringLiteral("列印設定(&U)"))->setObjectName(QStringLiteral("mPxlset"));
        QStringList ran;
        int settings = 0;
        xlprint::connectPrintMenu(
            &m, [&](const xlprint::PrintCommand& c) { ran << QLatin1String(c.item); }, [&] { ++settings; });
        QStringList names;
        for (QAction* a : m.actions())
            names << (a->isSeparator() ? QStringLiteral("-") + a->objectName() : a->objectName());
        QCOMPARE(names.join(u' '), QStringLiteral("mPs mPss -ml9 mPa mPnw mAs mPw mPwa mWs -ml10 mPas "
                                                  "mPws mPwaS mPwsb -mll mPac mPwc mPwac - mPxlset"));
        m.findChild<QAction*>(QStringLiteral("mPwsb"))->trigger();
        m.findChild<QAction*>(QStringLiteral("mPs"))->trigger();
        m.findChild<QAction*>(QStringLiteral("mPxlset"))->trigger();
        QCOMPARE(ran, (QStringList{QStringLiteral("mPwsb"), QStringLiteral("mPs")}));
        QCOMPARE(settings, 1);
    }
};

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"

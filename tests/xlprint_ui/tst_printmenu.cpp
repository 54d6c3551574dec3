// The print menu: items in their groups, the items needing areas disabled for a quotation of
// work types only, each item running its own command.
#include "PrintMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <QtTest>

class TestPrintMenu : public QObject {
    Q_OBJECT
private slots:
    void itemsAndEnabling() {
        QWidget w;
        QStringList ran;
        int settings = 0;
        QMenu* m = xlprint::buildPrintMenu(
            &w, [&](const xlprint::PrintCommand& c) { ran << QLatin1String(c.item); },
            [&] { ++settings; });
        QCOMPARE(m->objectName(), QStringLiteral("mPxls"));
        QCOMPARE(m->title(), QStringLiteral("列印(Excel)(&P)"));
        QStringList names;
        for (QAction* a : m->actions())
            names << (a->isSeparator() ? QStringLiteral("-") + a->objectName() : a->objectName());
        QCOMPARE(names.join(u' '), QStringLiteral("mPs mPss -ml9 mPa mPnw mAs mPw mPwa mWs -ml10 mPas "
                                                  "mPws mPwaS mPwsb -mll mPac mPwc mPwac mPxlset"));
        QCOMPARE(m->findChild<QAction*>(QStringLiteral("mPnw"))->text(),
                 QStringLiteral("區域首頁(估價)(不印工種)"));

        xlprint::enablePrintMenu(m, true);
        QStringList disabled;
        for (QAction* a : m->actions())
            if (!a->isSeparator() && !a->isEnabled())
                disabled << a->objectName();
        QCOMPARE(disabled.join(u' '), QStringLiteral("mPa mPnw mAs mPwa mPas mPwaS mPac mPwac"));
        xlprint::enablePrintMenu(m, false);
        for (QAction* a : m->actions())
            QVERIFY(a->isEnabled());

        m->findChild<QAction*>(QStringLiteral("mPwsb"))->trigger();
        m->findChild<QAction*>(QStringLiteral("mPxlset"))->trigger();
        QCOMPARE(ran, QStringList{QStringLiteral("mPwsb")});
        QCOMPARE(settings, 1);
    }
};

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"

// Every command that reads or writes a database, walked with its statements failing one by one and
// with each of its tables unreadable, then unwritable: one row per command.
#include "Walk.h"

#include "LoginService.h"
#include "frmLogin.h"
#include "frmMenu.h"
#include "frmSet.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using walk::Row;

namespace {

template <class T> T* form() {
    T* f = ui::Default<T>::get();
    f->show();
    return f;
}
template <class W, class T> W* in(const char* name) {
    return child<W>(ui::Default<T>::get(), name);
}
template <class T> void click(const char* name) {
    in<QPushButton, T>(name)->click();
}
void openMainDb() {
    mdM::OpenDatabase();
}
// The settings window over an open main database.
frmSet* settings() {
    openMainDb();
    return form<frmSet>();
}

QList<Row> rows() {
    return {
        // ---- shell
        {QStringLiteral("登入"), {QStringLiteral("super"), QStringLiteral("員工")},
         [] {
             form<frmLogin>();
             in<QLineEdit, frmLogin>("txtUserName")->setText(QString::fromLatin1(shell::kSuperUserLogin));
             in<QLineEdit, frmLogin>("txtPassword")->setText(QStringLiteral("1234"));
         },
         [] { ui::Default<frmLogin>::get()->cmdOK_Click(); },
         [] {
             if (ui::Default<frmLogin>::isLoaded())
                 ui::Default<frmLogin>::get()->cmdOK_Click();
         }},
        {QStringLiteral("系統設定: 開啟, 套用"), {QStringLiteral("company"), QStringLiteral("員工"), QStringLiteral("super")},
         openMainDb, [] { form<frmSet>(); },
         [] {
             click<frmSet>("Command3");
             click<frmSet>("Command2");
         }},
        {QStringLiteral("系統設定: 公司資料 套用"), {QStringLiteral("company")},
         [] { child<QLineEdit>(settings(), "txtCo_name")->setText(QStringLiteral("新名稱")); },
         [] { click<frmSet>("Command3"); }, [] { click<frmSet>("Command3"); }},
        {QStringLiteral("系統設定: SuperUser 密碼 變更"), {QStringLiteral("super")},
         [] {
             frmSet* f = settings();
             mdM::SuperUserPassword = QStringLiteral("1234");
             child<QLineEdit>(f, "opstxt")->setText(QStringLiteral("1234"));
             child<QLineEdit>(f, "npstxt")->setText(QStringLiteral("5678"));
             child<QLineEdit>(f, "cpstxt")->setText(QStringLiteral("5678"));
         },
         [] { click<frmSet>("cmdCp"); }},
        {QStringLiteral("系統設定: 使用者權限 套用"), {QStringLiteral("員工")},
         [] { settings()->hfgSec_Click(frmSet::kFirstStaffRow, frmSet::kFirstRightsCol + 1); },
         [] { click<frmSet>("Command2"); }, [] { click<frmSet>("Command2"); }},
        {QStringLiteral("系統設定: 路徑 套用"), {},
         [] { settings(); }, [] { click<frmSet>("Command4"); }, [] { click<frmSet>("Command1"); }},
        {QStringLiteral("選單: 系統設定"), {QStringLiteral("company"), QStringLiteral("員工")},
         [] {
             openMainDb();
             form<frmMenu>();
         },
         [] { click<frmMenu>("cmdPws"); }, [] { click<frmSet>("Command3"); }},
    };
}

// Commands that still fail the walk, with why; skipped until their windows are made sound.
const QMap<QString, QString>& knownFailures() {
    static const QMap<QString, QString> known = {};
    return known;
}

} // namespace

class TstWalk : public QObject {
    Q_OBJECT

    walk::Walker m_walker;
    QElapsedTimer m_clock;

private slots:
    void initTestCase() {
        m_clock.start();
        // The offscreen platform's notes on every window shown say nothing about the walk.
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, text);
        });
    }

    void commands_data() {
        QTest::addColumn<int>("row");
        const QList<Row> all = rows();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name.toUtf8().constData()) << i;
    }

    void commands() {
        QFETCH(int, row);
        const Row r = rows().at(row);
        if (knownFailures().contains(r.name))
            QSKIP(qPrintable(knownFailures().value(r.name)));
        const QStringList problems = m_walker.walk(r);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void cleanupTestCase() {
        const walk::Totals& t = m_walker.totals();
        qInfo().noquote() << QStringLiteral("walked %1 commands: %2 failing statements, %3 tables unreadable, "
                                            "%4 unwritable; %5 runs reached the failure; %6 s")
                                 .arg(t.commands)
                                 .arg(t.points)
                                 .arg(t.readRules)
                                 .arg(t.writeRules)
                                 .arg(t.failedRuns)
                                 .arg(double(m_clock.elapsed()) / 1000.0, 0, 'f', 1);
    }
};

QTEST_MAIN(TstWalk)
#include "tst_walk.moc"

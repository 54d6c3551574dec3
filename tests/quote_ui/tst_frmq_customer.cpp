// The quotation header's customer button: the customer picked in the customer window fills the
// header; closing the picker any other way leaves the header as it was.
#include "QuoteUiFixture.h"
#include "../records_ui/PickerScript.h"
#include "ScriptedDialogs.h"
#include "LoginService.h"
#include "frmCus.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
const QString kDental = QStringLiteral("大安牙醫診所");


void pick(frmCus* f, const QString& name) {
    for (int r = 0; r < f->grid().rowCount(); ++r)
        if (f->grid().cell(r, 2) == name)
            f->HFG_Click(r);
    f->cmd2Q_Click();
}
} // namespace

class TestFrmQCustomer : public QObject {
    Q_OBJECT
    QuoteUiFixture fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void pickedCustomerFillsTheHeader() {
        frmQ* w = fx.open();
        whenPickerShows([](frmCus* f) {
            QVERIFY(mdM::CusOpenedFromQuote);
            pick(f, kDental);
        });
        w->cmdC_Click();
        QCOMPARE(w->customerBox()->text(), kDental);
        QCOMPARE(w->projectNameBox()->currentText(), kDental);
        QCOMPARE(w->addressBox()->text(), QStringLiteral("台北市大安區信義路四段236號2樓"));
        QCOMPARE(w->phoneLabel()->text(), mdM::QuoteCustPhone);
        QVERIFY(!mdM::QuoteCustPhone.isEmpty());
        QCOMPARE(w->contactLabel()->text(), mdM::QuoteContact);

        w->customerBox()->setText(QStringLiteral("手打的客戶")); // no longer that customer's contact
        QCOMPARE(mdM::QuoteCustPhone + mdM::QuoteCustFax + mdM::QuoteContact, QString());
        QCOMPARE(w->phoneLabel()->text() + w->contactLabel()->text(), QString());
        whenPickerShows([](frmCus* f) { f->close(); });
        w->cmdC_Click();
        QCOMPARE(w->customerBox()->text(), QStringLiteral("手打的客戶"));
        QCOMPARE(w->addressBox()->text(), QStringLiteral("台北市大安區信義路四段236號2樓"));

        w->mNew_Click(); // a new quotation has no customer's phone, fax or contact
        QCOMPARE(mdM::QuoteCustPhone + mdM::QuoteCustFax + mdM::QuoteContact, QString());
        QCOMPARE(w->phoneLabel()->text() + w->contactLabel()->text(), QString());

        // Handed over, closed, then a new editor, also in another database's session: its report
        // header prints no customer's contact line.
        for (const bool newSession : {false, true}) {
            whenPickerShows([](frmCus* f) { pick(f, kDental); });
            w->cmdC_Click();
            ScriptedDialogs dialogs;
            dialogs.expectMessage(ui::Answer::No); // 是否儲存報價單 ?
            QVERIFY(w->unload());
            if (newSession) {
                const auto b =
                    db::Database::open(fx.folder->createMainDb(fx.folder->mkdir("b")), mdM::kMainDbPassword);
                shell::beginSession(b, shell::checkLogin(*b, "wexa", "1234", QStringLiteral("1234")), "1234");
            }
            (w = fx.open())->mP_Click();
            VERIFY_DIALOGS(dialogs);
            const auto report = db::Database::open(fx.folder->file(QStringLiteral("ptdemo.mdb")));
            QCOMPARE(report->scalar("SELECT cn || ct || cf FROM phead").toString(), QStringLiteral("新客戶"));
        }
    }

    void askedBeforeDiscardingTypedCustomer() {
        frmQ* w = fx.open();
        mdM::CusOpenedFromQuote = false;
        frmCus* menuWindow = ui::Default<frmCus>::get();
        menuWindow->show();
        menuWindow->cmdAdd_Click();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        w->cmdC_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(menuWindow->isEditing());
        QCOMPARE(w->customerBox()->text(), QStringLiteral("新客戶"));
    }
};

QTEST_MAIN(TestFrmQCustomer)
#include "tst_frmq_customer.moc"

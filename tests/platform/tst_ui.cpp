// The widget side of the platform layer: default window instances, Enter-as-Tab, key filters,
// twips and stay-on-top.
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Keys.h"
#include "ui/StayOnTop.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A window that counts its handlers and can refuse to close.
class CountingForm : public ui::Form {
public:
    static inline int created = 0;
    static inline int loads = 0;
    static inline int unloads = 0;
    static inline bool refuse = false;
    static inline QStringList closeOrder;

    CountingForm() { ++created; }

protected:
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload() override { return !refuse; }
    void Form_Unload() override {
        ++unloads;
        closeOrder << QStringLiteral("counting");
    }
};

class OtherForm : public ui::Form {
public:
    OtherForm() { setUnloadPriority(10); }

protected:
    void Form_Unload() override { CountingForm::closeOrder << QStringLiteral("other"); }
};

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void init() {
        CountingForm::created = CountingForm::loads = CountingForm::unloads = 0;
        CountingForm::refuse = false;
        CountingForm::closeOrder.clear();
    }
    void cleanup() {
        CountingForm::refuse = false;
        ui::Default<CountingForm>::unload();
        ui::Default<OtherForm>::unload();
        flushDeletes();
    }

    void defaultInstanceIsCreatedOnFirstReference() {
        QVERIFY(!ui::Default<CountingForm>::isLoaded());
        QCOMPARE(CountingForm::created, 0);

        CountingForm* f = ui::Default<CountingForm>::get();
        QVERIFY(f);
        QVERIFY(ui::Default<CountingForm>::isLoaded());
        QCOMPARE(ui::Default<CountingForm>::get(), f);
        QCOMPARE(CountingForm::created, 1);
        QCOMPARE(CountingForm::loads, 1);
        QVERIFY(ui::loadedForms().contains(f));
    }

    void unloadRefusedKeepsTheWindow() {
        CountingForm* f = ui::Default<CountingForm>::get();
        f->show();
        CountingForm::refuse = true;
        QVERIFY(!ui::Default<CountingForm>::unload());
        QVERIFY(!f->close()); // the window's close button takes the same path
        QVERIFY(ui::Default<CountingForm>::isLoaded());
        QVERIFY(f->isVisible());
        QCOMPARE(CountingForm::unloads, 0);
        QCOMPARE(ui::Default<CountingForm>::get(), f);
        QCOMPARE(CountingForm::loads, 1);
    }

    void unloadDestroysAndNextReferenceIsFresh() {
        QPointer<CountingForm> first = ui::Default<CountingForm>::get();
        QSignalSpy unloaded(first.data(), &ui::Form::unloaded);
        QVERIFY(ui::Default<CountingForm>::unload());
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(CountingForm::unloads, 1);
        QVERIFY(!ui::Default<CountingForm>::isLoaded());
        QVERIFY(!ui::loadedForms().contains(first.data()));
        flushDeletes();
        QVERIFY(first.isNull());
        QCOMPARE(CountingForm::created, 1); // isLoaded never creates

        CountingForm* second = ui::Default<CountingForm>::get();
        QVERIFY(second);
        QCOMPARE(CountingForm::created, 2);
        QCOMPARE(CountingForm::loads, 2);
        QVERIFY(ui::Default<CountingForm>::unload());
        QVERIFY(ui::Default<CountingForm>::unload()); // nothing loaded: nothing to refuse
        QCOMPARE(CountingForm::created, 2);
    }

    void closingTheWindowUnloadsIt() {
        CountingForm* f = ui::Default<CountingForm>::get();
        f->show();
        QVERIFY(f->close());
        QVERIFY(!ui::Default<CountingForm>::isLoaded());
        QCOMPARE(CountingForm::unloads, 1);
    }

    void unloadAllClosesByPriorityAndStopsAtARefusal() {
        ui::Default<CountingForm>::get();
        ui::Default<OtherForm>::get();
        CountingForm::refuse = true;
        QVERIFY(!ui::unloadAllForms());
        QCOMPARE(CountingForm::closeOrder, QStringList{QStringLiteral("other")});
        QVERIFY(ui::Default<CountingForm>::isLoaded());

        CountingForm::refuse = false;
        ui::Default<OtherForm>::get();
        CountingForm::closeOrder.clear();
        QVERIFY(ui::unloadAllForms(ui::Default<CountingForm>::get()));
        QCOMPARE(CountingForm::closeOrder, QStringList{QStringLiteral("other")});
        QVERIFY(ui::Default<CountingForm>::isLoaded());
        QVERIFY(ui::unloadAllForms());
        QVERIFY(!ui::Default<CountingForm>::isLoaded());
    }

    void enterMovesTheFocusOn_data() {
        QTest::addColumn<bool>("combo");
        QTest::newRow("text box") << false;
        QTest::newRow("combo box") << true;
    }
    void enterMovesTheFocusOn() {
        QFETCH(bool, combo);
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        QWidget* first = nullptr;
        if (combo) {
            auto* cb = new QComboBox(&w);
            cb->setEditable(true);
            cb->addItems({QStringLiteral("甲"), QStringLiteral("乙")});
            first = cb;
        } else {
            first = new QLineEdit(&w);
        }
        auto* second = new QLineEdit(&w);
        layout->addWidget(first);
        layout->addWidget(second);
        ui::enterAsTabAll(&w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());

        QSignalSpy entered(second, &QLineEdit::returnPressed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(entered.count(), 0); // the Enter itself went nowhere
        if (combo)
            QCOMPARE(static_cast<QComboBox*>(first)->count(), 2); // the Enter added no entry
    }

    // Every text box of the program takes a long text whole, set or pasted, wherever it was made;
    // a box with a limit of its own cuts at a character boundary and says so.
    void textBoxesTakeTheirTextWhole_data() {
        QTest::addColumn<QString>("kind"); // textBox, placed (a line edit put in a window), combo
        QTest::addColumn<int>("limit");    // the box's own limit, 0 for none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString rare = QString::fromUcs4(U"\U0002000B").repeated(20000); // 40,000 units
        const QString latin = QStringLiteral("x").repeated(40000);
        QTest::newRow("text box") << "textBox" << 0 << rare << rare;
        QTest::newRow("line edit placed in a window") << "placed" << 0 << rare << rare;
        QTest::newRow("editable combo box") << "combo" << 0 << rare << rare;
        QTest::newRow("longer than the toolkit's limit") << "textBox" << 0 << latin << latin;
        QTest::newRow("own limit inside a pair") << "textBox" << 5 << QStringLiteral("ab") + rare.left(6)
                                                 << QStringLiteral("ab") + rare.left(2);
        QTest::newRow("own limit at a boundary") << "placed" << 4 << QStringLiteral("abcdef")
                                                 << QStringLiteral("abcd");
        QTest::newRow("within the own limit") << "textBox" << 5 << QStringLiteral("abc") << QStringLiteral("abc");
    }
    void textBoxesTakeTheirTextWhole() {
        QFETCH(QString, kind);
        QFETCH(int, limit);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        QLineEdit* box = nullptr;
        QComboBox* combo = nullptr;
        if (kind == u"textBox") {
            box = ui::textBox(&w, "box");
            layout->addWidget(box);
        } else if (kind == u"placed") {
            box = new QLineEdit;
            layout->addWidget(box);
        } else {
            combo = new QComboBox(&w);
            combo->setEditable(true);
            layout->addWidget(combo);
            box = combo->lineEdit();
        }
        if (limit > 0)
            box->setMaxLength(limit); // as a window sets it, after the box is made
        QToolTip::hideText();
        const bool cut = kept != text;
        // Set before the window is shown (a combo box's editor once it is).
        if (combo) {
            w.show();
            combo->setEditText(text);
        } else {
            box->setText(text);
            w.show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(box->text().size(), kept.size());
        QCOMPARE(box->text(), kept);
        // Pasted.
        box->clear();
        QApplication::clipboard()->setText(text);
        box->paste();
        QCOMPARE(box->text(), kept);
        QCOMPARE(QToolTip::text(), cut ? ui::textCutTip(limit) : QString());
    }

    void keyFilterBeepsAndDropsOtherKeys() {
        QLineEdit box;
        ui::allowOnlyKeys(&box, ui::kDigitsAndBackspace);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClicks(&box, QStringLiteral("1a2-3 "));
        QCOMPARE(box.text(), QStringLiteral("123"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("12"));
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.text(), QStringLiteral("1"));
    }

    void twipsFollowTheLogicalResolution() {
        const QScreen* s = QGuiApplication::primaryScreen();
        QVERIFY(s);
        QCOMPARE(ui::twipsToPixelsX(1440), qRound(s->logicalDotsPerInchX()));
        QCOMPARE(ui::twipsToPixelsY(720), qRound(s->logicalDotsPerInchY() / 2));
        QCOMPARE(qRound(ui::pixelsToTwipsX(ui::twipsToPixelsX(2880))), 2880);
    }

    void messageBoxesOfAStayOnTopWindowStayAboveIt() {
        QWidget bar;
        ui::setStayOnTop(&bar);
        bar.show();
        QWidget other;
        other.show();
        QDialog box(&bar); // a message box of the bar
        box.show();
        QDialog otherBox(&other);
        otherBox.show();
        QCOMPARE(ui::windowsKeptOnTop(), (QList<QWidget*>{&bar, &box}));
        box.hide();
        QCOMPARE(ui::windowsKeptOnTop(), QList<QWidget*>{&bar});
    }

    // Bringing an open window to the front puts the stay-on-top window back above it, once.
    void raisingAnOpenWindowRaisesTheKeptWindowAgain() {
        struct Counter : QObject {
            int raises = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                raises += e->type() == QEvent::ZOrderChange;
                return false;
            }
        } counter;
        QWidget bar;
        ui::setStayOnTop(&bar);
        bar.show();
        QWidget other;
        other.show();
        QCoreApplication::processEvents();
        bar.installEventFilter(&counter);
        other.raise();
        QCoreApplication::processEvents();
        QCOMPARE(counter.raises, 1);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(counter.raises, 1); // no endless round of raises
        bar.raise();
        QCoreApplication::processEvents();
        QCOMPARE(counter.raises, 2); // the kept window's own raise starts nothing
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"

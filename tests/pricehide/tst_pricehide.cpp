// Prices and costs a user may not see: a quotation whose unit prices and costs are marked numbers is
// opened by a user without the price right (and by one without the cost right) and driven through a
// table of commands by outputs: after each command (options, fee switches, bulk repricing, cells typed
// and picked, row and tree commands, a file another user switched) every output he can reach is
// produced (the editor at every node, the page-end frame, the statistics window and its copy, every
// spreadsheet layout, the report tables and reports, every dialog) and every text shown or written is
// searched for a number derived from a hidden price (cost) in any form the program prints it.
#include "../quote_ui/QuoteUiFixture.h"
#include "../xlprint/QuoteFixture.h"
#include "CellEditors.h"
#include "PrintCommands.h"
#include "PageEndRules.h"
#include "QuoteFile.h"
#include "ReportDb.h"
#include "ScriptedDialogs.h"
#include "TemplateDescription.h"
#include "frmCal.h"
#include "report/Report.h"
#include "system/System.h"
#include "text/Numbers.h"
#include "workbook/Workbook.h"
#include "workbook/Zip.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace quote;

namespace {

constexpr int kNoPrices = 4095 & ~1;
constexpr int kNoCosts = 4095 & ~2;

// Two areas with two work types each, twelve rows (one without a cost); prices and costs are
// four-digit numbers found nowhere else; a fee by the total, a fee per ping, tax and a discount.
QuoteDocument markedQuotation(double prices = 1, double costs = 1) {
    QuoteDocument doc = xlfixture::quotation({
        {{"客廳", "木作"},
         {{"系統櫃", "W120", "尺", "3", "7319", "5281"},
          {"門片", "", "片", "4", "6143", "4427"},
          {"踢腳板", "", "尺", "7", "8261", "5939"}}},
        {{"客廳", "油漆"},
         {{"乳膠漆", "ICI", "坪", "9", "6817", "4793"},
          {"批土", "", "坪", "5", "7553", "5167"},
          {"壁紙", "", "式", "2", "9337", "6473"}}},
        {{"主臥", "木作"},
         {{"衣櫃", "W180", "尺", "6", "8437", "6091"},
          {"床頭板", "", "式", "2", "9173", "6619"},
          {"天花板", "", "坪", "3", "7681", "5347"}}},
        {{"主臥", "油漆"},
         {{"噴漆", "", "坪", "8", "6389", "4561"},
          {"防霉", "", "式", "2", "8819", ""},
          {"修補", "", "式", "4", "7937", "5413"}}},
    });
    for (ItemRow& r : doc.hfgB.dataRows()) {
        r[ColPrice] = num::str(num::val(r[ColPrice]) * prices);
        r[ColCost] = r[ColCost].isEmpty() ? QString() : num::str(num::val(r[ColCost]) * costs);
        r[ColRatio] = r[ColCost].isEmpty()
                          ? QString()
                          : num::str(num::roundHalfEven(num::val(r[ColPrice]) / num::val(r[ColCost]), 2));
    }
    doc.pageEnd.design.included = true;
    doc.pageEnd.supervision = {true, QStringLiteral("監工費"), false, QStringLiteral("37"), feeBaseUnit(false),
                               num::str(1873 * prices), {}};
    doc.pageEnd.txtOff = num::str(-2000 * prices);
    return doc;
}

// The numbers derived from the hidden values, each in every form the program prints (plain,
// rounded, with thousands separators, in Chinese numerals), to what they are.
class Needles {
public:
    void add(double v, const QString& what) {
        v = qAbs(v);
        for (int digits : {-1, 0, 1, 2, 4}) {
            const QString s = num::str(digits < 0 ? v : num::roundHalfEven(v, digits));
            if (s.count(QRegularExpression(QStringLiteral("\\d"))) < 3)
                continue; // too short to tell from a quantity or a date
            m_numbers.insert(s, what);
            m_numbers.insert(mdM::FormatThousands(s), what);
        }
        const QString whole = num::str(num::roundHalfEven(v, 0));
        if (v >= 1000)
            for (const QString& words : {mdM::NumberToChineseFormal(whole), mdM::NumberToChinese(whole)})
                m_words.insert(words, what);
    }
    // Drops the numbers `seen` holds.
    void drop(const Needles& seen) {
        for (auto it = seen.m_numbers.cbegin(); it != seen.m_numbers.cend(); ++it)
            m_numbers.remove(it.key());
    }
    // What `text` shows of them: "number(what)" for each.
    QStringList in(const QString& text) const {
        static const QRegularExpression number(QStringLiteral("\\d[\\d,]*(\\.\\d+)?"));
        QStringList hits;
        for (auto it = number.globalMatch(text); it.hasNext();) {
            const QString n = it.next().captured();
            if (m_numbers.contains(n))
                hits << n + u'(' + m_numbers.value(n) + u')';
        }
        for (auto it = m_words.cbegin(); it != m_words.cend(); ++it)
            if (text.contains(it.key()))
                hits << it.key() + u'(' + it.value() + u')';
        return hits;
    }

private:
    QHash<QString, QString> m_numbers, m_words;
};

// Every group the printouts and statistics sum a row in: each node above it, and each name across
// the areas.
QSet<QString> groupsOf(const ItemRow& r) {
    const QStringList parts = r[ColPath].split(kPathSeparator);
    QSet<QString> groups{QString()};
    for (int i = 1; i < parts.size(); ++i)
        groups << parts.mid(0, i + 1).join(kPathSeparator) << u'*' + parts[i];
    return groups;
}

// The hidden numbers of a priced quotation (its page-end fields computed), prices or costs, added.
void addNeedles(Needles& n, const QuoteDocument& doc, bool prices) {
    const auto rows = doc.hfgB.dataRows();
    for (const ItemRow& r : rows) {
        for (int c : {prices ? ColPrice : ColCost, prices ? ColAmount : ColCostTotal})
            n.add(num::val(r[c]), r[ColName] + u' ' + QString::number(c));
        if (!r[ColRatio].isEmpty())
            n.add(num::val(r[ColRatio]), r[ColName] + QStringLiteral(" 比例"));
    }
    QMap<QString, std::array<double, 2>> sums;
    for (const ItemRow& r : rows) {
        for (const QString& g : groupsOf(r)) {
            sums[g][0] += num::val(r[ColAmount]);
            sums[g][1] += num::val(r[ColCostTotal]);
        }
    }
    for (auto it = sums.cbegin(); it != sums.cend(); ++it) {
        const auto [price, cost] = it.value();
        n.add(prices ? price : cost, it.key() + QStringLiteral(" 合計"));
        n.add(price - cost, it.key() + QStringLiteral(" 毛利"));
        n.add(price / cost, it.key() + QStringLiteral(" 比例"));
    }
    if (prices) {
        const PageEnd& pe = doc.pageEnd;
        for (const Fee& f : {pe.design, pe.supervision}) {
            for (const QString& figure : {f.base, f.rate, f.amount}) // no figure of a fee is shown
                n.add(num::val(figure), f.name);
            n.add(num::val(f.rate) * 100, f.name + QStringLiteral(" 基準 %")); // a price per ping as a share
        }
        for (const QString& v : {pe.lbNtax, pe.lbTax, pe.lbHtax, pe.lbApr})
            n.add(num::val(v), QStringLiteral("頁尾 ") + v);
    }
}

// The quotation of the editor as the whole quotation holds it now: the shown leaf's edits stored,
// fees and totals recomputed.
QuoteDocument wholeQuotation(const QuoteDocument& shown) {
    QuoteDocument doc = shown;
    doc.hooks = {};
    doc.tv_NodeClick(kRootKey);
    quote::RecalcGrandTotal(doc);
    return doc;
}

// The numbers of the columns the user sees (prices, or costs), each row's and each node's sums: a
// hidden number equal to one of them shows nothing he does not see anyway.
Needles seenNumbers(const QuoteDocument& doc, bool prices) {
    Needles n;
    QHash<QString, double> sums;
    for (const ItemRow& r : doc.hfgB.dataRows()) {
        for (int c : {prices ? ColPrice : ColCost, prices ? ColAmount : ColCostTotal})
            n.add(num::val(r[c]), {});
        for (const QString& g : groupsOf(r))
            sums[g] += num::val(r[prices ? ColAmount : ColCostTotal]);
    }
    for (double v : std::as_const(sums))
        n.add(v, {});
    return n;
}

QStringList g_opened; // workbooks the printouts handed to the spreadsheet application
bool recordOpen(const QString& path) {
    g_opened << path;
    return true;
}

// The texts of a saved workbook: every part's text between its tags (cells, shared strings,
// headers and footers).
QStringList workbookTexts(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("unreadable ") + path};
    QStringList out;
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    for (const wb::zip::Entry& e : wb::zip::read(f.readAll(), path))
        if (QString::fromStdString(e.name).endsWith(QLatin1String(".xml")))
            out << QString::fromUtf8(e.data).replace(tags, QStringLiteral("\n"));
    return out;
}

} // namespace

class TestPriceHide : public QObject {
    Q_OBJECT
    QuoteUiFixture fx; // one program folder for every run
    QString m_file;     // the marked quotation, priced and saved by a user with every right
    QString m_switched; // the same after that user switched each fee to the other basis
    QuoteDocument m_priced;
    QStringList m_found; // "rights/command → output: where: text holds number(what)"
    QStringList m_seen; // every text looked at, in order
    QHash<int, QStringList> m_seenBy; // by rights
    // Texts written where the user can read them since the last look: reports shown, statistics
    // copied, report tables filled.
    QList<std::pair<QString, QString>> m_handed;
    int m_dialogsSeen = 0;
    int m_booksSeen = 0;

    void look(const Needles& n, const QString& output, const QString& where, const QString& text) {
        static const QRegularExpression time(QStringLiteral("_\\d{8}-\\d{6}(-\\d+)?")); // a workbook's
        m_seen << output.section(u'/', 1) + u':' + QString(where).remove(time) + u':' + text;
        const QStringList hits = n.in(text);
        if (!hits.isEmpty())
            m_found << output + QStringLiteral(": ") + where + QStringLiteral(": \"") + text.left(200) +
                           QStringLiteral("\" holds ") + hits.join(u' ');
    }

    // Everything the user sees or is handed now: visible widgets (texts, items, tool tips, window
    // titles, the menus of shown windows), the shown columns of every view, the clipboard, the
    // dialogs, workbooks and texts handed since the last look.
    void lookAll(const Needles& n, const QString& output, const ScriptedDialogs& d) {
        const qsizetype widgetsFrom = m_seen.size();
        for (QWidget* w : QApplication::allWidgets()) {
            auto* menu = qobject_cast<QMenu*>(w);
            if (!w->isVisible() &&
                !(menu && menu->parentWidget() && menu->parentWidget()->window()->isVisible()))
                continue;
            const QString where = w->window()->objectName() + u'.' + w->objectName() + u'(' +
                                  QString::fromLatin1(w->metaObject()->className()) + u')';
            QStringList t{w->toolTip(), w->isEnabled() ? QString() : QStringLiteral("disabled")};
            if (w->isWindow())
                t << w->windowTitle();
            if (auto* x = qobject_cast<QLabel*>(w))
                t << x->text();
            if (auto* x = qobject_cast<QLineEdit*>(w))
                t << x->text();
            if (auto* x = qobject_cast<QAbstractButton*>(w))
                t << x->text();
            if (auto* x = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < x->count(); ++i)
                    t << x->itemText(i);
            if (menu)
                for (QAction* a : menu->actions())
                    t << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" disabled"));
            if (auto* v = qobject_cast<QAbstractItemView*>(w);
                v && v->model() && !qobject_cast<QHeaderView*>(w)) {
                auto* table = qobject_cast<QTableView*>(v);
                const QAbstractItemModel* m = v->model();
                for (int c = 0; c < m->columnCount(); ++c) {
                    if (table && (table->isColumnHidden(c) || table->columnWidth(c) == 0))
                        continue;
                    t << m->headerData(c, Qt::Horizontal).toString();
                    for (int r = 0; r < m->rowCount(); ++r)
                        for (int role : {Qt::DisplayRole, Qt::ToolTipRole})
                            t << m->index(r, c).data(role).toString();
                }
            }
            for (const QString& s : t)
                look(n, output, where, s);
        }
        std::sort(m_seen.begin() + widgetsFrom, m_seen.end()); // in no order of their own
        look(n, output, QStringLiteral("clipboard"), QApplication::clipboard()->text());
        for (; m_dialogsSeen < d.shown().size(); ++m_dialogsSeen) {
            const ScriptedDialogs::Shown& s = d.shown().at(m_dialogsSeen);
            for (const QString& t : {s.message.text, s.message.title, s.input.prompt, s.input.title,
                                     s.input.defaultText, s.file.title, s.file.fileName})
                look(n, output, QStringLiteral("dialog"), t);
        }
        for (; m_booksSeen < g_opened.size(); ++m_booksSeen)
            for (const QString& t : workbookTexts(g_opened.at(m_booksSeen)))
                for (const QString& line : t.split(u'\n', Qt::SkipEmptyParts))
                    look(n, output, QFileInfo(g_opened.at(m_booksSeen)).fileName(), line);
        for (const auto& [where, text] : std::exchange(m_handed, {}))
            look(n, output, where, text);
    }

    QString templatePath(const xlprint::PrintCommand& c) const {
        return QDir(xlprint::templateFolderOf(c, mdM::TemplateFolder))
            .filePath(QString::fromUtf8(c.templateFile));
    }

    // The report tables as the editor left them in the program folder.
    void readReportTables() {
        db::DatabasePtr db = stats::openReportDb(sys::programFolder());
        for (const char* table : {"phead", "pbody", "pfp", "ps0", "ps1", "ps2", "ps3", "ps4"})
            for (db::Recordset r = db->query(QStringLiteral("SELECT * FROM ") + QString::fromLatin1(table));
                 !r.eof(); r.moveNext()) {
                QStringList fields;
                for (int i = 0; i < r.fieldCount(); ++i)
                    fields << r.text(i);
                m_handed << std::pair{QStringLiteral("ptdemo.") + QString::fromLatin1(table), fields.join(u'|')};
            }
    }

    // A catalogue for the editor's pick lists: work items of both work types with a detail, units,
    // ratios and item remarks.
    void fillCatalogue() {
        fx.clearCatalogue();
        auto db = fx.openDb();
        db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '層板', 1, '片', 3217, 1.3), "
                                   "('油漆', '面漆', 1, '坪', 2143, 1.4)"));
        db->execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES ('層板', '實木', 300, 1)"));
        db->execute(QStringLiteral("INSERT INTO u (sort, u) VALUES (1, '片'), (2, '才')"));
        db->execute(QStringLiteral("INSERT INTO sc (sort, sc) VALUES (1, 1.25), (2, 1.5)"));
        db->execute(QStringLiteral("INSERT INTO Qps (sort, ps) VALUES (1, '含運費')"));
    }

    static void closeWindows() {
        for (ui::Form* f : ui::loadedForms())
            delete f;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    // One program folder with the templates and a catalogue; the marked quotation priced in the
    // editor by a user with every right (the page-end frame computes fees, tax and the quoted total)
    // and saved, then saved again after that user switched both fees' bases.
    void initTestCase() {
        // Every output is written whole and synced: on a memory file system the syncs cost nothing.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
        QVERIFY(fx.setUp(4095));
        QString error;
        for (const tpl::TemplateSpec& t : tpl::allTemplates())
            QVERIFY2(tpl::writeTemplate(t, fx.folder->file(t.relativePath), &error), qPrintable(error));
        fillCatalogue();
        wb::setOutputFolder(fx.folder->mkdir(QStringLiteral("out")));
        wb::setSpreadsheetOpener(&recordOpen);
        sys::setSpreadsheetAppOverride(true);
        report::Report::setPreviewOverride([this](const report::Report& r, QWidget*) {
            for (int p = 0; p < r.pageCount(); ++p)
                for (const report::TextBox& b : r.layoutPage(p).texts)
                    m_handed << std::pair{QStringLiteral("report"), b.lines.join(u' ')};
        });
        frmCal::setCopier([this](const QList<QStringList>& cells) {
            for (const QStringList& row : cells)
                m_handed << std::pair{QStringLiteral("statistics copy"), row.join(u'\t')};
            return QString();
        });

        frmQ* w = fx.open();
        w->document().adopt(markedQuotation());
        w->setWorkTypesOnly(false);
        w->rebuildTree();
        w->showRoot();
        w->pageEndButton()->click();
        m_priced = w->document();
        QVERIFY(!m_priced.pageEnd.lbApr.isEmpty());
        // The file name is shown in the title: the process id spelt in letters, so that no digit of
        // it can pass for a hidden number.
        QString id = QString::number(QCoreApplication::applicationPid());
        for (QChar& c : id)
            c = QChar(u'a' + c.digitValue());
        const QString stem = QDir::temp().filePath(QStringLiteral("pricehide-") + id);
        m_file = stem + QStringLiteral(".kav");
        m_switched = stem + QStringLiteral("-switched.kav");
        QVERIFY(!quote::QuoteFile::write(w->document(), m_file));
        QuoteDocument earlier = m_priced; // the total as a floor area, a price per ping as a share
        for (Fee* f : {&earlier.pageEnd.design, &earlier.pageEnd.supervision})
            f->byTotal = !f->byTotal;
        QVERIFY(!quote::QuoteFile::write(earlier, fx.folder->file(QStringLiteral("earlier.kav"))));
        // One row whose 合計 an earlier switch left as the floor area.
        QuoteDocument past =
            xlfixture::quotation({{{"浴室", "防水"}, {{"修漏", "", "式", "1", "8200", "6100"}}}});
        past.pageEnd.design = {true, QStringLiteral("設計費"), false, QStringLiteral("8200"),
                               feeBaseUnit(false), QStringLiteral("0.05"), {}};
        QVERIFY(!quote::QuoteFile::write(past, fx.folder->file(QStringLiteral("past-total.kav"))));
        child<QAbstractButton>(w, "Dop2")->click();
        child<QAbstractButton>(w, "Lop1")->click();
        QVERIFY(!quote::QuoteFile::write(w->document(), m_switched));
        closeWindows();
    }
    void cleanupTestCase() {
        QFile::remove(m_file);
        QFile::remove(m_switched);
        frmCal::setCopier({});
        report::Report::setPreviewOverride({});
        wb::setSpreadsheetOpener(nullptr);
        wb::setOutputFolder({});
        sys::setSpreadsheetAppOverride(std::nullopt);
        fx.tearDown();
    }
    void cleanup() { closeWindows(); }

    void nothingHiddenShown_data() {
        QTest::addColumn<int>("rights");
        QTest::newRow("no prices") << kNoPrices;
        QTest::newRow("no costs") << kNoCosts;
        QTest::newRow("no prices, no costs") << (kNoPrices & kNoCosts);
        QTest::newRow("every right") << 4095; // the walk sees prices wherever they are shown
        // As the first two, on files that differ only in what he may not see: he sees the same.
        QTest::newRow("no prices, other prices") << kNoPrices;
        QTest::newRow("no costs, other costs") << kNoCosts;
    }

    void nothingHiddenShown() {
        QFETCH(int, rights);
        const bool twin = QByteArray(QTest::currentDataTag()).contains("other");
        if (QuoteDocument doc = wholeQuotation(markedQuotation(rights == kNoPrices ? 10 : 1, rights == kNoCosts ? 10 : 1)); twin)
            QVERIFY(!QuoteFile::write(doc, m_file));
        fillCatalogue();
        m_seen.clear();
        mdM::UserRights = rights;
        g_opened.clear();
        m_handed.clear();
        m_dialogsSeen = m_booksSeen = 0;
        const QString tag = QString::fromLatin1(QTest::currentDataTag()) + u'/';
        const bool prices = rights != kNoCosts;
        ScriptedDialogs d;
        d.answerUnexpectedAsEnter(100000);
        frmQ* w = fx.open();
        CellEditors* cells = w->cellEditors();
        auto act = [w](const char* name) { w->action(QString::fromLatin1(name))->trigger(); };
        auto closePopups = [w] {
            for (QMenu* m : w->findChildren<QMenu*>())
                m->hide();
        };
        auto press = [w](int row, int col, Qt::MouseButton button = Qt::LeftButton) {
            QTableView* g = w->grid();
            const QPoint p = g->visualRect(g->model()->index(row - 1, col)).center();
            QTest::mousePress(g->viewport(), button, {}, p);
            QTest::mouseRelease(g->viewport(), button, {}, p);
        };
        auto click = [w](const char* name) { child<QAbstractButton>(w, name)->click(); };
        auto pageEnd = [w](bool open) {
            if (child<QWidget>(w, "frmPe")->isVisible() != open)
                w->pageEndButton()->click();
        };
        auto treeCommand = [w, act, closePopups](const QString& node, const char* command) {
            QTreeWidget* tv = w->tree();
            tv->expandAll();
            QTest::mouseClick(tv->viewport(), Qt::RightButton, {},
                              tv->visualItemRect(w->treeItem(node)).center());
            closePopups();
            act(command);
            if (QListWidget* l = w->areaTypePickList(); l->isVisible() && l->count() > 0) {
                l->setCurrentRow(l->count() - 1);
                act("mADakO");
            }
        };
        auto rowCommand = [cells, press, closePopups, act](int row, const char* command) {
            cells->SelRowStart = row;
            cells->SelRowEnd = row;
            press(row, ColHeader, Qt::RightButton);
            closePopups();
            act(command);
        };
        // Every cell of the row the user may enter, typed into and left with `key`.
        auto typeRow = [w, cells, press](const QString& leaf, int row, Qt::Key key) {
            w->tv_NodeClick(leaf);
            for (int c = ColName; c <= ColRemark; ++c) {
                if (w->grid()->isColumnHidden(c))
                    continue;
                press(row, c);
                QWidget* e = cells->openEditor();
                if (!e)
                    continue;
                auto* box = qobject_cast<QComboBox*>(e);
                auto* line = box ? box->lineEdit() : qobject_cast<QLineEdit*>(e);
                line->selectAll();
                QTest::keyClicks(line, QStringLiteral("12"));
                QTest::keyClick(line, key);
            }
        };
        // The first entry of every pick list of the row's cells.
        auto pickRow = [w, cells, press](const QString& leaf, int row) {
            w->tv_NodeClick(leaf);
            press(row, ColName);
            cells->c_Click();
            if (cells->Ls->count() > 0) {
                cells->Ls->setCurrentRow(0);
                cells->Ls_Click();
            }
            for (int c : {ColSpec, ColUnit, ColRatio, ColRemark}) {
                if (w->grid()->isColumnHidden(c))
                    continue;
                press(row, c);
                if (auto* box = qobject_cast<QComboBox*>(cells->openEditor()); box && box->count() > 0) {
                    box->setCurrentIndex(0);
                    emit box->activated(0);
                }
            }
        };
        auto bulk = [w, &d](const char* label, const QString& answer) {
            w->showRoot();
            d.expectInput(answer);
            QTest::mouseDClick(child<QLabel>(w, label), Qt::LeftButton);
        };
        const QString leaf = m_priced.tree.leaves(kRootKey).first();
        const QString area = leaf.section(kPathSeparator, 0, 1);

        // The commands, each followed by every output.
        using Look = std::function<void(const QString& detail)>;
        QList<std::pair<QString, std::function<void()>>> commands;
        commands << std::pair{QStringLiteral("opened"), [&] {
                                  d.expectOpenFile(m_file);
                                  w->mOpen_Click();
                              }};
        if (rights != 4095) {
            commands << std::pair{QStringLiteral("pricing options"), [=] {
                                      for (const char* o : {"mEpCc", "mEcCr", "mErCc", "mEpCr", "mEcCp", "mErCp"})
                                          act(o);
                                  }};
            for (const char* option : {"Dop2", "Dop1", "Lop1", "Lop2"})
                commands << std::pair{QStringLiteral("page end ") + QString::fromLatin1(option), [=] {
                                          pageEnd(true);
                                          click(option);
                                      }};
            commands << std::pair{QStringLiteral("page end tax and discount"), [=] {
                                      pageEnd(true);
                                      click("ckTax");
                                      click("ckTax");
                                      auto* off = child<QLineEdit>(w, "txtOff");
                                      off->selectAll();
                                      QTest::keyClicks(off, QStringLiteral("-1000"));
                                  }};
            commands << std::pair{QStringLiteral("numbers of 1 to 15 digits typed, saved, opened"), [&] {
                                      w->tv_NodeClick(leaf);
                                      for (int c : {ColQty, ColPrice, ColCost})
                                          for (int n = 1; n <= 15 && !w->grid()->isColumnHidden(c); n += 2) {
                                              press(c == ColQty ? 2 : 3, c);
                                              cells->txt->insert(QString(n, u'7'));
                                          }
                                      const QString saved = fx.folder->file(QStringLiteral("saved.kav"));
                                      QFile::remove(saved);
                                      d.expectSaveFile(saved);
                                      w->mSaveAs_Click();
                                      d.expectMessage(ui::Answer::No);
                                      d.expectOpenFile(saved);
                                      w->mOpen_Click();
                                  }};
            commands << std::pair{QStringLiteral("cells typed, Enter"), [=] { typeRow(leaf, 1, Qt::Key_Return); }}
                     << std::pair{QStringLiteral("cells typed, Esc"), [=] { typeRow(leaf, 2, Qt::Key_Escape); }}
                     << std::pair{QStringLiteral("lists picked"), [=] { pickRow(leaf, 3); }};
            commands << std::pair{QStringLiteral("row copied, pasted, inserted copied"), [=] {
                                      w->tv_NodeClick(leaf);
                                      rowCommand(1, "mCpq");
                                      rowCommand(3, "mPstQ");
                                      rowCommand(2, "mInsQcp");
                                  }};
            commands << std::pair{QStringLiteral("row inserted, undone, deleted"), [=] {
                                      w->tv_NodeClick(leaf);
                                      for (const char* c : {"mInsQ", "mUndo", "mDelQ"})
                                          rowCommand(2, c);
                                  }};
            commands << std::pair{QStringLiteral("品名加入"), [=] {
                                      w->tv_NodeClick(leaf);
                                      rowCommand(1, "mAdd2W");
                                  }};
            commands << std::pair{QStringLiteral("tree commands"), [=] {
                                      for (const char* c : {"mAddA", "mInsA", "mAddT", "mInsT", "mDelN"})
                                          treeCommand(area, c);
                                  }};
            commands << std::pair{QStringLiteral("比例 1"), [=] { bulk("lbSc", QStringLiteral("1")); }}
                     << std::pair{QStringLiteral("合計 100000"), [=] { bulk("lbSum", QStringLiteral("100000")); }};
            commands << std::pair{QStringLiteral("opened, a past total as floor area"), [&] {
                                      d.expectMessage(ui::Answer::No);
                                      d.expectOpenFile(fx.folder->file(QStringLiteral("past-total.kav")));
                                      w->mOpen_Click();
                                  }}
                     << std::pair{QStringLiteral("its quantity changed"), [=] {
                                      w->tv_NodeClick(w->document().tree.leaves(kRootKey).first());
                                      press(1, ColQty);
                                      QTest::keyClicks(cells->txt, QStringLiteral("2"));
                                  }};
            commands << std::pair{QStringLiteral("opened, of an earlier build"), [&] {
                                      d.expectMessage(ui::Answer::No);
                                      d.expectOpenFile(fx.folder->file(QStringLiteral("earlier.kav")));
                                      w->mOpen_Click();
                                  }};
            commands << std::pair{QStringLiteral("opened, switched by another user"), [&] {
                                      d.expectMessage(ui::Answer::No);
                                      d.expectOpenFile(m_switched);
                                      w->mOpen_Click();
                                  }};
        }

        // The outputs, each produced and searched after every command.
        QList<std::pair<QString, std::function<void(const Look&)>>> outputs;
        outputs << std::pair{QStringLiteral("window"), [](const Look&) {}};
        outputs << std::pair{QStringLiteral("every node"), [=](const Look& look) {
                                 for (int i = 1; i <= w->document().tree.count(); ++i) {
                                     const QString node = w->document().tree.at(i)->key;
                                     w->tv_NodeClick(node);
                                     look(u' ' + node);
                                 }
                             }};
        outputs << std::pair{QStringLiteral("page end frame"), [=](const Look& look) {
                                 pageEnd(true);
                                 look({});
                                 pageEnd(false);
                             }};
        for (const char* command : {"mCalA", "mCalT"})
            outputs << std::pair{QString::fromLatin1(command), [=, this](const Look& look) {
                                     QTimer::singleShot(0, this, [&] {
                                         frmCal* f = ui::Default<frmCal>::get();
                                         look(QStringLiteral(" shown"));
                                         for (QPushButton* b : {f->Command1, f->Command2, f->Command3}) {
                                             b->click();
                                             look(u' ' + b->text());
                                         }
                                         f->cmdExit_Click();
                                     });
                                     act(command);
                                 }};
        for (const xlprint::PrintCommand& c : xlprint::printCommands())
            outputs << std::pair{QString::fromLatin1(c.item), [=, this, &d](const Look&) {
                                     d.expectOpenFile(templatePath(c));
                                     act(c.item);
                                 }};
        outputs << std::pair{QStringLiteral("report tables"), [=, this](const Look&) {
                                 emit w->menu(QStringLiteral("mP"))->aboutToShow();
                                 readReportTables();
                             }};
        for (const char* item : {"mPfp", "mPdt"})
            outputs << std::pair{QString::fromLatin1(item), [=](const Look&) { act(item); }};
        outputs << std::pair{QStringLiteral("catalogue"), [this](const Look&) {
                                 auto r = fx.openDb()->query(QStringLiteral("SELECT * FROM t2w ORDER BY t, w"));
                                 for (; !r.eof(); r.moveNext())
                                     m_handed << std::pair{QStringLiteral("t2w"), r.text(1) + u'|' + r.text(4) + u'|' + r.text(5)};
                             }};

        for (const auto& [command, run] : commands) {
            run();
            // The hidden numbers of the quotation as opened, and those the command made (a hidden
            // number it made equal to one the user sees, as a ratio of 1 does, shows nothing new).
            const QuoteDocument now = wholeQuotation(w->document());
            Needles needles;
            addNeedles(needles, now, prices);
            needles.drop(seenNumbers(now, !prices));
            addNeedles(needles, m_priced, prices);
            if (rights == (kNoPrices & kNoCosts)) // the costs are hidden too
                for (const QuoteDocument* q : {&now, &std::as_const(m_priced)})
                    addNeedles(needles, *q, false);
            for (const auto& [output, produce] : outputs) {
                const QString where = tag + command + QStringLiteral(" → ") + output;
                produce([&](const QString& detail) { lookAll(needles, where + detail, d); });
                lookAll(needles, where, d);
                d.clear(); // an answer the command did not ask for (a refused one) is dropped
            }
        }
        const QStringList found = std::exchange(m_found, {});
        if (rights != 4095)
            for (const QString& f : found)
                qInfo().noquote() << f;
        // The last file was opened; the bulk commands are refused to a user without either right.
        QCOMPARE(w->document().pageEnd.design.byTotal, rights == 4095);
        const QList<ui::InputRequest> inputs = d.inputs();
        QCOMPARE(std::count_if(inputs.cbegin(), inputs.cend(),
                               [](const ui::InputRequest& r) { return r.prompt == QStringLiteral("請輸入金額"); }),
                 0);
        if (twin)
            QCOMPARE(m_seen, m_seenBy.value(rights));
        m_seenBy[rights] = m_seen;

        if (rights == 4095) {
            for (const char* shown : {"frmQ.lbApr(", "frmQ.hfgQ(", "frmCal.hfgC(", ": 報價單_",
                                      ": 單張報價單_", ": 成本分析_", ": report: ", ": ptdemo.pfp: ",
                                      ": statistics copy: "})
                QVERIFY2(std::any_of(found.cbegin(), found.cend(),
                                     [&](const QString& f) { return f.contains(QString::fromUtf8(shown)); }),
                         shown);
            return;
        }
        QVERIFY2(found.isEmpty(), "hidden numbers shown (listed above)");
    }
};

QTEST_MAIN(TestPriceHide)
#include "tst_pricehide.moc"

// The four catalogue printouts: a fresh copy of the shipped template filled from the catalogue,
// read back through the workbook layer and opened by LibreOffice.
#include "CatalogStore.h"
#include "CatalogUi.h"
#include "ScriptedDialogs.h"
#include "TemplateDescription.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {
QStringList g_opened;
const ScriptedDialogs* g_dialogs = nullptr;
qsizetype g_toldBeforeOpen = 0; // the messages shown before the workbook was opened
bool recordOpen(const QString& path) {
    g_opened << path;
    g_toldBeforeOpen = g_dialogs ? g_dialogs->messages().size() : 0;
    return true;
}
} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;
    std::unique_ptr<QTemporaryDir> outDir;
    QString outPath() const { return outDir->path(); }

    // The printout of one button, opened again from the file handed to the spreadsheet program.
    std::unique_ptr<wb::Workbook> print(const char* button) {
        g_opened.clear();
        CatalogUi::click(button);
        if (g_opened.size() != 1)
            return nullptr;
        return wb::Workbook::open(g_opened.first());
    }
    // The text LibreOffice shows of a workbook, through a PDF: as laid out, or (bbox) as the
    // words with their boxes.
    QString officeText(const QString& path, bool bbox = false) {
        QTemporaryDir profile;
        QProcess p;
        p.setWorkingDirectory(outPath());
        p.start(QStringLiteral("soffice"),
                {QStringLiteral("--headless"), QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                 QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), outPath(), path});
        if (!p.waitForFinished(110000) || p.exitCode() != 0)
            return {};
        const QString pdf = QDir(outPath()).filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".pdf"));
        QProcess t;
        t.start(QStringLiteral("pdftotext"), {bbox ? QStringLiteral("-bbox") : QStringLiteral("-layout"), pdf,
                                              QStringLiteral("-")});
        t.waitForFinished(30000);
        return QString::fromUtf8(t.readAllStandardOutput());
    }
    // The printed height of a word in points, 0 when it is not printed.
    static double printedHeight(const QString& bboxText, const QString& word) {
        const QRegularExpression re(QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">") +
                                    QRegularExpression::escape(word) + QStringLiteral("</word>"));
        const QRegularExpressionMatch m = re.match(bboxText);
        return m.hasMatch() ? m.captured(2).toDouble() - m.captured(1).toDouble() : 0;
    }

private slots:
    void init() {
        QVERIFY(fx.setUpWithRights());
        outDir = std::make_unique<QTemporaryDir>();
        QVERIFY(outDir->isValid());
        for (const tpl::TemplateSpec& t : tpl::catalogTemplates()) {
            QString error;
            QDir(fx.folder->path()).mkpath(QStringLiteral("Pother"));
            QVERIFY2(tpl::writeTemplate(t, fx.folder->file(t.relativePath), &error), qPrintable(error));
        }
        sys::setSpreadsheetAppOverride(true);
        wb::setOutputFolder(outPath());
        wb::setSpreadsheetOpener(&recordOpen);
    }
    void cleanup() {
        wb::setSpreadsheetOpener(nullptr);
        wb::setOutputFolder({});
        sys::setSpreadsheetAppOverride(std::nullopt);
        fx.tearDown();
    }

    void categoriesAndAreas() {
        catalog::CatalogStore(fx.openDb()).saveAreas(QStringLiteral("店面"), {QStringLiteral("騎樓")});
        fx.window();
        const auto book = print("cmdPrK");
        QVERIFY(book);
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("工程類別 與 區域")); // the template's own title
        QCOMPARE(s.text(3, 1), QStringLiteral("住宅："));
        QCOMPARE(s.text(17, 2), QStringLiteral("全室"));
        QCOMPARE(s.text(3, 3), QStringLiteral("店面："));
        QCOMPARE(s.text(3, 4), QStringLiteral("騎樓"));
        QVERIFY(s.text(4, 4).isEmpty());
        QCOMPARE(s.text(3, 5), QStringLiteral("辦公室："));
        // A fresh copy each time: the template itself stays unfilled.
        const auto tmpl = wb::Workbook::open(fx.folder->file(QStringLiteral("Pother/工程類別.xlsx")));
        QVERIFY(tmpl->sheet(1).text(3, 1).isEmpty());
        const QString office = officeText(g_opened.first());
        QVERIFY2(office.contains(QStringLiteral("住宅：")) && office.contains(QStringLiteral("騎樓")), qPrintable(office));
        // The page holds the categories there are at a readable size, not shrunk to fit every
        // pair the sheet has room for.
        const double height = printedHeight(officeText(g_opened.first(), true), QStringLiteral("騎樓"));
        QVERIFY2(height >= 7, qPrintable(QString::number(height)));
    }

    void workKindsAndMarkups() {
        fx.window();
        auto book = print("cmdPrt");
        QVERIFY(book);
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("工程種類列表："));
        QCOMPARE(s.text(3, 1), QStringLiteral("拆除工程："));
        QCOMPARE(s.type(3, 4), wb::CellType::Number);
        QCOMPARE(s.number(3, 4).value_or(-1), 250.0);
        QCOMPARE(s.text(9, 1), QStringLiteral("泥作工程："));
        const QString office = officeText(g_opened.first());
        QVERIFY2(office.contains(QStringLiteral("工程種類列表：")) && office.contains(QStringLiteral("地面保護板舖設")),
                 qPrintable(office));

        book = print("cmdPrd");
        QVERIFY(book);
        wb::Sheet& d = book->sheet(1);
        QCOMPARE(d.text(3, 1), QStringLiteral("泥作工程："));
        QCOMPARE(d.text(3, 2), QStringLiteral("壁面磁磚貼工："));
        QCOMPARE(d.text(3, 3), QStringLiteral("30x60公分 壁磚"));
        QCOMPARE(d.number(4, 4).value_or(-1), 1500.0);
    }

    void vocabularyAndEmptySources() {
        fx.openDb()->execute(QStringLiteral("DELETE FROM 地區"));
        fx.window();
        auto book = print("cmdPo");
        QVERIFY(book);
        wb::Sheet& s = book->sheet(1);
        catalog::CatalogStore store(fx.openDb());
        QCOMPARE(s.text(2, 1), QStringLiteral("單位"));
        QCOMPARE(s.text(3, 1), store.vocabulary(0).first());
        QCOMPARE(s.text(3, 12), store.vocabulary(11).first());
        QVERIFY(s.text(3, 3).isEmpty());
        QVERIFY(s.text(3, 13).isEmpty());
        QVERIFY(officeText(g_opened.first()).contains(store.vocabulary(0).first()));

        // What the lists show is printed, before closing stores it.
        CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(2);
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::listGrid(0), 0, "mDelS"));
        book = print("cmdPo");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(book->sheet(1).text(3, 1), store.vocabulary(0).at(1));

        // No markups at all: the template is shown unfilled.
        fx.openDb()->execute(QStringLiteral("DELETE FROM w2d"));
        book = print("cmdPrd");
        QVERIFY(book);
        QCOMPARE(book->sheet(1).text(1, 1), QStringLiteral("細項加成"));
        QVERIFY(book->sheet(1).text(3, 1).isEmpty());

        // A remark past the highest row is cut and told before the spreadsheet opens.
        store.saveVocabularies({{5, {catalog::VocabularyEntry{QString(2000, u'尾'), std::nullopt}}}});
        dialogs.expectMessage();
        g_dialogs = &dialogs;
        QVERIFY(print("cmdPo"));
        g_dialogs = nullptr;
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(g_toldBeforeOpen, 2);
        QVERIFY(dialogs.messages().at(1).text.startsWith(QString::fromUtf8(wb::kCutHeadline)));
    }

    void missingTemplateAndNoSpreadsheetProgram() {
        fx.window();
        QFile::remove(fx.folder->file(QStringLiteral("Pother/工程種類.xlsx")));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        g_opened.clear();
        CatalogUi::click("cmdPrt");
        sys::setSpreadsheetAppOverride(false);
        dialogs.expectMessage();
        CatalogUi::click("cmdPrK");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("找不到範本檔\r\n工程種類.xlsx"));
        // Without a spreadsheet program the printout is saved and its path given.
        QVERIFY(g_opened.isEmpty());
        const QStringList saved = QDir(outPath()).entryList(QDir::Files);
        QCOMPARE(saved.size(), 1);
        QVERIFY(dialogs.messages().at(1).text.startsWith(QStringLiteral("系統偵測無 Excel\r\n無法列印\r\n")));
        QVERIFY(dialogs.messages().at(1).text.endsWith(saved.first()));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_frmeng_print.moc"

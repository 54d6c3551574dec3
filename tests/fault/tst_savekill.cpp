// Saves killed at random moments: after every SIGKILL the file on disk is the old one or the new
// one, byte for byte, never anything else.
#include "FaultWork.h"
#include "KillRounds.h"
#include "QuoteFile.h"
#include "mdM.h"
#include "text/Codec.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <xlsxwriter.h>

using namespace fault;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Which of two contents a file holds, byte for byte.
std::function<int(const QString&)> exactly(const QByteArray& a, const QByteArray& b) {
    return [a, b](const QString& file) {
        const QByteArray got = fileBytes(file);
        return got == a ? 0 : got == b ? 1 : -1;
    };
}

void checkFigures(const KillFigures& f, int kills) {
    qInfo().noquote() << describe(f);
    QCOMPARE(f.kills, kills);
    QCOMPARE(f.checked, kills);
    QCOMPARE(f.lost, 0);
}

} // namespace

class TestSaveKill : public QObject {
    Q_OBJECT
private slots:
    void quotationFile() {
        const QByteArray a = quotationBytes(1);
        const QByteArray b = quotationBytes(2);
        QVERIFY(a != b && a.size() > 1000000);
        QTemporaryDir dir;
        KillPlan plan;
        plan.kills = 200;
        plan.parallel = 4;
        plan.maxDelayMs = 250; // about three saves
        plan.arguments = [](const QString& slot) {
            return QStringList{QStringLiteral("quote"), QDir(slot).filePath(QStringLiteral("q.kav")),
                               QStringLiteral("1"), QStringLiteral("2")};
        };
        plan.target = [](const QString& slot) { return QDir(slot).filePath(QStringLiteral("q.kav")); };
        plan.state = exactly(a, b);
        QString error;
        const KillFigures f = killRounds(
            dir.path(), plan, [&](const QString& slot) { putBytes(plan.target(slot), b); }, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        checkFigures(f, plan.kills);
        QVERIFY(f.replaced > 0); // some kills came after a whole save
    }

    // The settings files the program rewrites: the database folders and the recent files.
    void settingsFile_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("Mdbpath.ini") << "mdbpath" << QString::fromUtf8(mdM::kMdbPathIni) << mdbPathLines(0)
                                     << mdbPathLines(1);
        QTest::newRow("Of.ini") << "ofini"
                                << "Of.ini" << recentFilesLines(0) << recentFilesLines(1);
    }
    void settingsFile() {
        QFETCH(QString, mode);
        QFETCH(QString, file);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        const auto bytesOf = [](const QStringList& lines) {
            QString content;
            for (const QString& line : lines)
                content += line + QStringLiteral("\r\n");
            return text::encode(content);
        };
        QVERIFY(bytesOf(first) != bytesOf(second));
        QTemporaryDir dir;
        KillPlan plan;
        plan.kills = 200;
        plan.parallel = 4;
        plan.maxDelayMs = 20;
        plan.arguments = [mode](const QString& slot) { return QStringList{mode, slot}; };
        plan.target = [file](const QString& slot) { return QDir(slot).filePath(file); };
        plan.state = exactly(bytesOf(first), bytesOf(second));
        QString error;
        const KillFigures f = killRounds(
            dir.path(), plan, [&](const QString& slot) { putBytes(plan.target(slot), bytesOf(second)); },
            &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        checkFigures(f, plan.kills);
    }

    // A saved workbook carries the time of its save, so its bytes differ from save to save: the
    // file must be a whole workbook that opens and holds the old or the new content.
    void workbookOutput() {
        QTemporaryDir dir;
        const QString templatePath = dir.filePath(QStringLiteral("報價單.xlsx"));
        {
            lxw_workbook* book = workbook_new(templatePath.toUtf8().constData());
            lxw_worksheet* sheet = workbook_add_worksheet(book, "報價單");
            for (int r = 0; r < 400; ++r)
                for (int c = 0; c < 8; ++c)
                    worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), "工程項目內容", nullptr);
            QCOMPARE(workbook_close(book), LXW_NO_ERROR);
        }
        KillPlan plan;
        plan.kills = 200;
        plan.parallel = 4;
        plan.maxDelayMs = 60;
        plan.arguments = [templatePath](const QString& slot) {
            return QStringList{QStringLiteral("workbook"), templatePath,
                               QDir(slot).filePath(QStringLiteral("out.xlsx"))};
        };
        plan.target = [](const QString& slot) { return QDir(slot).filePath(QStringLiteral("out.xlsx")); };
        // Which output the file is: a whole workbook that opens and holds one of the two marks.
        plan.state = [](const QString& file) {
            try {
                const QString mark = wb::Workbook::open(file)->sheet(1).text(1, 1);
                return mark == workbookMark(0) ? 0 : mark == workbookMark(1) ? 1 : -1;
            } catch (const wb::WorkbookError&) {
                return -1;
            }
        };
        const auto firstOutput = [&](const QString& slot) {
            std::unique_ptr<wb::Workbook> book = wb::Workbook::open(templatePath);
            book->sheet(1).setText(1, 1, workbookMark(1));
            book->save(plan.target(slot));
        };
        QString error;
        const KillFigures f = killRounds(dir.path(), plan, firstOutput, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        checkFigures(f, plan.kills);
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "tst_savekill.moc"

#pragma once
// A program folder with the main database, the shipped templates and a few known customers,
// vendors and staff; printouts saved into a folder of the test and "opened" by a recorder.
#include "TempProgramFolder.h"
#include "TemplateDescription.h"
#include "db/Database.h"
#include "mdM.h"
#include "system/System.h"
#include "workbook/Workbook.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

class RecordPrintFixture {
public:
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> output;
    db::DatabasePtr db;
    static inline QStringList opened;

    static bool recordOpen(const QString& path) {
        opened << path;
        return true;
    }

    bool setUp() {
        mdM::ResetState();
        folder = std::make_unique<TempProgramFolder>();
        output = std::make_unique<QTemporaryDir>();
        const QString dbPath = folder->createMainDb();
        QString error;
        if (dbPath.isEmpty() || !tpl::writeMissing(folder->path(), nullptr, &error))
            return false;
        db = db::Database::open(dbPath, QString::fromUtf8(mdM::kMainDbPassword));
        mdM::MainDb = db;
        wb::setOutputFolder(output->path());
        wb::setSpreadsheetOpener(recordOpen);
        sys::setSpreadsheetAppOverride(true);
        opened.clear();
        db::Transaction t(*db);
        db->execute(QStringLiteral("delete from 客戶"));
        db->execute(QStringLiteral("delete from 廠商"));
        const QString customer = QStringLiteral(
            "insert into 客戶 (客戶編號, 客戶名稱, 公司地址, 郵遞區號, 電話1, 連絡人, 登錄日期, type) "
            "values (?, ?, ?, ?, ?, ?, ?, ?)");
        // Inserted out of order: the lists and labels go by record number.
        db->execute(customer, {"C003", "丙公司", "高雄市;中正路3號", "80041", "07;3333333", QVariant(), "91/5/8", "一般"});
        db->execute(customer, {"C001", "甲公司", "台北市;仁愛路一段1號", "02765", "0912345678", "王經理", "90/1/2", "一般"});
        db->execute(customer, {"C002", "乙公司", QVariant(), "30041", "03;5555555", "李小姐", QVariant(), "VIP"});
        db->execute(customer, {"C004", "丁公司", "台中市;;", "40041", QVariant(), "陳先生", "92/12/31", "一般"});
        db->execute(QStringLiteral("insert into 廠商 (廠商編號, 廠商名稱, 公司地址, 郵遞區號, 連絡人) values (?, ?, ?, ?, ?)"),
                    {"V001", "木工班", "新北市;板橋區文化路", "22041", "林師傅"});
        t.commit();
        return true;
    }

    void tearDown() {
        wb::setOutputFolder({});
        wb::setSpreadsheetOpener(nullptr);
        sys::setSpreadsheetAppOverride(std::nullopt);
        mdM::MainDb.reset();
        db.reset();
        mdM::ResetState();
        output.reset();
        folder.reset();
    }

    QString templatePath(const QString& name) const {
        return QDir(folder->path()).filePath(QStringLiteral("Pother/") + name);
    }
#ifdef KAVO_APP
    // The program started from the fixture's folder (its binary copied there) with the earlier
    // template `earlier` in place of `name`, and ended once that template is the current one or
    // after 20 s: whether the start brought it up to date.
    bool startedWithEarlier(const QString& name, const QString& earlier) const {
        const QString templ = templatePath(name);
        const QString program = QDir(folder->path()).filePath(QStringLiteral("kavo3"));
        QFile::remove(templ);
        if (!QFile::copy(earlier, templ) || tpl::currentDigest(QStringLiteral("Pother/") + name) == digestOf(templ) ||
            (!QFile::exists(program) && !QFile::copy(QStringLiteral(KAVO_APP), program)))
            return false;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(program, {});
        bool upgraded = false;
        for (QDeadlineTimer t(20000); !upgraded && !t.hasExpired(); QThread::msleep(50))
            upgraded = digestOf(templ) == tpl::currentDigest(QStringLiteral("Pother/") + name);
        p.kill();
        p.waitForFinished();
        return upgraded;
    }
#endif
    static QByteArray digestOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? tpl::stableDigest(f.readAll()) : QByteArray();
    }
    QStringList outputs() const {
        return QDir(output->path()).entryList(QDir::Files, QDir::Name);
    }
};

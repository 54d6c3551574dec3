#pragma once
// A program folder with the main database, the shipped templates and a few known customers,
// vendors and staff; printouts saved into a folder of the test and "opened" by a recorder.
#include "TempProgramFolder.h"
#include "TemplateDescription.h"
#include "db/Database.h"
#include "mdM.h"
#include "system/System.h"
#include "workbook/Workbook.h"

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
    // Whether the program, started from the fixture's folder with earlier templates (name, file) in
    // Pother, makes them the current ones within 20 s.
    bool startReplaces(const QMap<QString, QString>& earlier) const {
        QStringList left = earlier.keys();
        const QString program = folder->file(QStringLiteral("kavo3"));
        for (const QString& name : left)
            if (!QFile::remove(templatePath(name)) || !QFile::copy(earlier[name], templatePath(name)))
                return false;
        QProcess p;
        p.start(QFile::copy(KAVO_APP, program) ? program : QString(), {"-platform", "offscreen"});
        for (int i = 0; i < 400 && !left.isEmpty(); ++i, QThread::msleep(50))
            left.removeIf([&](const QString& name) {
                QFile f(templatePath(name));
                return f.open(QIODevice::ReadOnly) && tpl::stableDigest(f.readAll()) == tpl::currentDigest("Pother/" + name);
            });
        p.kill();
        return p.waitForFinished() && left.isEmpty();
    }
    QStringList outputs() const {
        return QDir(output->path()).entryList(QDir::Files, QDir::Name);
    }
};

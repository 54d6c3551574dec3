#include "FaultWork.h"

#include "CatalogStore.h"
#include "LoginService.h"
#include "QuoteFile.h"
#include "RecentFiles.h"
#include "RecordStore.h"
#include "ReferenceQuotation.h"
#include "SettingsStore.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"
#include "workbook/Workbook.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSet>
#include <cstdio>
#include <functional>

namespace fault {

void announceReady() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

QByteArray quotationBytes(quint32 seed) {
    quote::QuoteDocument doc = quote::bench::referenceQuotation(seed);
    return quote::QuoteFile::bytes(doc);
}

int saveQuotations(const QString& path, quint32 seedA, quint32 seedB) {
    quote::QuoteDocument docs[2] = {quote::bench::referenceQuotation(seedA),
                                    quote::bench::referenceQuotation(seedB)};
    announceReady();
    for (int i = 0;; i ^= 1) {
        if (const auto error = quote::QuoteFile::write(docs[i], path)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(error->detail));
            return 1;
        }
    }
}

QStringList mdbPathLines(int which) {
    if (which == 0)
        return {QStringLiteral("/srv/kavo/資料"), QStringLiteral("/srv/kavo/套表"),
                QStringLiteral("/srv/kavo/報價")};
    return {QStringLiteral("/home/office/共用資料庫/kavo3"), QStringLiteral("/home/office/套表"),
            QStringLiteral("/home/office/報價單/二〇二四")};
}

int writeMdbPath(const QString& folder) {
    sys::setProgramFolder(folder);
    const QStringList lines[2] = {mdbPathLines(0), mdbPathLines(1)};
    announceReady();
    for (int i = 0;; i ^= 1) {
        const QString error = mdM::writeMdbPathIni(lines[i][0], lines[i][1], lines[i][2]);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
}

QString workbookMark(int which) {
    return which == 0 ? QStringLiteral("第一份報價單") : QStringLiteral("第二份報價單，較長的內容");
}

int saveWorkbooks(const QString& templatePath, const QString& output) {
    announceReady();
    for (int i = 0;; i ^= 1) {
        try {
            std::unique_ptr<wb::Workbook> book = wb::Workbook::open(templatePath);
            book->sheet(1).setText(1, 1, workbookMark(i));
            book->save(output, true);
        } catch (const wb::WorkbookError& e) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(e.reason()));
            return 1;
        }
    }
}

QString stationMember(const QString& station, int k) {
    return QStringLiteral("%1-員工%2").arg(station).arg(k);
}

int stationRights(int round) {
    return 1 + round % 4095;
}

QString stationPassword(const QString& station, int round) {
    return QStringLiteral("%1-%2").arg(station).arg(round);
}

QString stationCategory(const QString& station) {
    return station + QStringLiteral("-類別");
}

QString stationCustomer(const QString& station, int round) {
    return QStringLiteral("%1-客戶-%2").arg(station).arg(round);
}

QString stationSharedBox(const QString& station) {
    return station.endsWith(u'A') ? QStringLiteral("T4") : QStringLiteral("T24"); // 統一編號, 連絡人
}

QStringList recentFilesLines(int which) {
    quote::RecentFiles recent;
    const QStringList opened = {
        QStringLiteral("/home/office/報價/信義住宅.kav"), QStringLiteral("/home/office/報價/大安辦公室.kav"),
        QStringLiteral("/home/office/報價/板橋透天.kav"), QStringLiteral("/srv/共用/報價/新店公寓.kav"),
        QStringLiteral("/srv/共用/報價/內湖店面.kav"),    QStringLiteral("/home/office/報價/淡水別墅.kav")};
    for (qsizetype i = 0; i < opened.size() - (which == 0 ? 2 : 0); ++i)
        recent.AddRecentFile(opened[i]);
    return recent.lines();
}

int writeOfIni(const QString& folder) {
    sys::setProgramFolder(folder);
    const QStringList lines[2] = {recentFilesLines(0), recentFilesLines(1)};
    announceReady();
    for (int i = 0;; i ^= 1) {
        QString reason;
        if (!text::writeLines(sys::programFile(QStringLiteral("Of.ini")), lines[i], &reason)) {
            std::fprintf(stderr, "%s\n", qPrintable(reason));
            return 1;
        }
    }
}

QStringList stationAreas(const QString& station, int round) {
    QStringList areas;
    for (int k = 0; k < kStationAreas; ++k)
        areas << QStringLiteral("%1-%2-%3").arg(station).arg(round).arg(k);
    return areas;
}

namespace {

void report(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Runs one write and reports how it went; the message of a refusal as the windows show it.
void attempt(const char* what, int round, const std::function<void()>& write) {
    try {
        write();
        report(QStringLiteral("ok %1 %2").arg(QLatin1String(what)).arg(round));
    } catch (const db::DbError& e) {
        QString message = mdM::dbErrorText(e);
        message.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        report(QStringLiteral("refused %1 %2 %3").arg(QLatin1String(what)).arg(round).arg(message));
    }
}

// A list read back must be one write's list: every member of a station one rights value, every
// area of a category from one round.
void checkWhole(db::Database& d, catalog::CatalogStore& store, const QStringList& stations) {
    try {
        const QVector<shell::StaffRights> staff = shell::readStaffRights(d);
        for (const QString& station : stations) {
            QSet<int> values;
            for (const shell::StaffRights& s : staff)
                if (s.name.startsWith(station + QLatin1Char('-')))
                    values.insert(s.rights);
            if (values.size() > 1)
                report(QStringLiteral("torn rights %1").arg(station));
            const QStringList areas = store.areas(stationCategory(station));
            QSet<QString> rounds;
            for (const QString& a : areas)
                rounds.insert(a.section(QLatin1Char('-'), 1, 1));
            if (rounds.size() > 1 || (!areas.isEmpty() && areas.size() != kStationAreas))
                report(QStringLiteral("torn areas %1 %2").arg(station, areas.join(QLatin1Char(','))));
        }
    } catch (const db::DbError&) {
        // A read that waited too long shows nothing; it is not a write.
    }
}

} // namespace

int runStation(const QString& dbFolder, const QString& name, int seconds, int busyMs) {
    db::DatabasePtr d;
    try {
        d = mdM::openMainDb(dbFolder);
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(mdM::dbErrorText(e)));
        return 1;
    }
    catalog::CatalogStore store(d);
    records::RecordStore customers(*d, records::customerKind());
    const qsizetype numberColumn = customers.columns().indexOf(QStringLiteral("客戶編號"));
    const qsizetype nameColumn = customers.columns().indexOf(QStringLiteral("客戶名稱"));
    QVector<shell::StaffRights> own;
    QVector<QVariant> sharedRow;
    QString known; // the SuperUser password as this station knows it
    try { // with the program's own wait: the other station may be writing already
        for (const shell::StaffRights& s : shell::readStaffRights(*d))
            if (s.name.startsWith(name + QLatin1Char('-')))
                own.append(s);
        sharedRow = customers.load(kSharedCustomer).value_or(QVector<QVariant>());
        known = shell::readSuperUserPassword(*d).value_or(QString());
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(mdM::dbErrorText(e)));
        return 1;
    }
    d->setBusyTimeout(busyMs);
    const QStringList stations = {QStringLiteral("站A"), QStringLiteral("站B")};
    announceReady();
    QElapsedTimer clock;
    clock.start();
    const QDeadlineTimer deadline{std::chrono::seconds(seconds)};
    for (int round = 0; !deadline.hasExpired(); ++round) {
        attempt("rights", round, [&] {
            QVector<shell::RightsChange> changes;
            for (const shell::StaffRights& s : own)
                changes.append({s, stationRights(round)});
            if (!shell::writeStaffRights(*d, changes))
                throw db::DbError(db::ErrGeneral, QStringLiteral("rights changed elsewhere"));
            for (shell::StaffRights& s : own)
                s.rights = stationRights(round);
        });
        attempt("password", round, [&] { // with the password last set here, or read when that was refused
            const QString next = stationPassword(name, round);
            const shell::PasswordChange c = shell::changeSuperUserPassword(*d, next, known);
            if (c == shell::PasswordChange::NoSuperUser)
                throw db::DbError(db::ErrGeneral, QStringLiteral("no SuperUser row"));
            if (c == shell::PasswordChange::Changed)
                report(QStringLiteral("changed %1 %2").arg(known, next));
            known =
                c == shell::PasswordChange::Changed ? next : shell::readSuperUserPassword(*d).value_or(known);
        });
        attempt("areas", round, [&] { store.saveAreas(stationCategory(name), stationAreas(name, round)); });
        attempt("customer", round, [&] {
            customers.insert(
                {{int(numberColumn), QStringLiteral("%1%2").arg(name).arg(round, 5, 10, QLatin1Char('0'))},
                 {int(nameColumn), stationCustomer(name, round)}});
        });
        attempt("shared", round, [&] { // as a window open since the start, answering 是 every time
            records::BoxValues boxes = records::decodeRecord(customers.kind(), sharedRow);
            const records::ColumnValues shown = records::encodeRecord(customers.kind(), boxes, true);
            boxes.insert(stationSharedBox(name), QStringLiteral("%1-%2").arg(name).arg(round));
            customers.update(kSharedCustomer, records::encodeRecord(customers.kind(), boxes, true),
                             records::RecordStore::ReadRecord{sharedRow, shown}, true);
        });
        checkWhole(*d, store, stations);
    }
    report(QStringLiteral("done %1").arg(clock.elapsed()));
    return 0;
}

} // namespace fault

#include "SettingsStore.h"

#include "LoginService.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"
#include "text/Numbers.h"

#include <algorithm>

namespace shell {

namespace {
const QString kCompanyTable = QStringLiteral("company");
const QString kAutoIni = QStringLiteral("auto.ini");
} // namespace

QStringList readCompany(db::Database& d) {
    QStringList fields;
    db::Recordset rs = d.openRecordset(kCompanyTable);
    for (int i = 0; i < kCompanyFields; ++i)
        fields << (rs.eof() ? QString() : rs.text(i));
    return fields;
}

std::optional<QStringList> writeCompany(db::Database& d, const QStringList& typed, const QStringList& read,
                                        bool overwrite) {
    // Checked and written in one transaction: stored is only what was also compared.
    db::Transaction transaction(d);
    QStringList stored = readCompany(d);
    if (!overwrite && stored != read)
        return std::nullopt;
    db::Recordset rs = d.openRecordset(kCompanyTable);
    const bool adding = rs.eof();
    if (adding) {
        rs.addNew();
    } else {
        rs.moveFirst();
        rs.edit();
    }
    for (int i = 0; i < kCompanyFields; ++i)
        if (adding || typed.value(i) != read.value(i)) {
            rs.setField(i, typed.value(i));
            stored[i] = typed.value(i);
        }
    rs.update();
    transaction.commit();
    return stored;
}

PasswordChange changeSuperUserPassword(db::Database& d, const QString& password, const QString& checked) {
    const QString login = QString::fromLatin1(kSuperUserLogin);
    if (d.execute(QStringLiteral("UPDATE super SET super_pass = ? WHERE super_id = ? AND super_pass = ?"),
                  {password, login, checked}) > 0)
        return PasswordChange::Changed;
    return readSuperUserPassword(d) ? PasswordChange::ChangedElsewhere : PasswordChange::NoSuperUser;
}

QString keepFolders(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder) {
    if (const QString error = mdM::writeMdbPathIni(dbFolder, templateFolder, quoteFolder); !error.isEmpty())
        return error;
    mdM::DbFolder = mdM::resolveFolder(dbFolder);
    mdM::TemplateFolder = mdM::resolveFolder(templateFolder);
    mdM::QuoteFolder = mdM::resolveFolder(quoteFolder);
    return {};
}

int autoSaveIntervalOf(const QString& text) {
    const double v = num::roundHalfEven(num::val(text));
    return int(std::clamp(v, 0.0, double(kMaxAutoSaveInterval)));
}

AutoSaveSettings readAutoIni() {
    AutoSaveSettings s;
    const auto lines = text::readLines(sys::programFile(kAutoIni));
    if (!lines)
        return s;
    s.on = lines->value(0) == QLatin1String("1");
    s.interval = autoSaveIntervalOf(lines->value(1));
    return s;
}

bool writeAutoIni(bool on, const QString& intervalText, QString* error) {
    return text::writeLines(sys::programFile(kAutoIni),
                            {on ? QStringLiteral("1") : QStringLiteral("0"), intervalText}, error);
}

QVector<StaffRights> readStaffRights(db::Database& d) {
    QVector<StaffRights> rows;
    db::Recordset rs = d.query(
        QStringLiteral("SELECT rowid, 英文姓名, 中文姓名, 權限 FROM 員工 ORDER BY 員工編號, rowid"));
    for (; !rs.eof(); rs.moveNext())
        rows.append({rs.value(0).toLongLong(), rs.text(1), rs.text(2), int(num::val(rs.text(3)))});
    return rows;
}

std::optional<int> storedRights(db::Database& d, const StaffRights& member) {
    // The login name compares exactly, as the login does: a record reused by another member is not his.
    db::Recordset rs = d.query(QStringLiteral("SELECT 英文姓名, 權限 FROM 員工 WHERE rowid = ?"), {member.recordId});
    if (rs.eof() || rs.text(0) != member.login)
        return std::nullopt;
    return int(num::val(rs.text(1)));
}

bool writeStaffRights(db::Database& d, const QVector<RightsChange>& changes) {
    db::Transaction t(d);
    for (const RightsChange& c : changes) {
        if (storedRights(d, c.read) != c.read.rights)
            return false;
        d.execute(QStringLiteral("UPDATE 員工 SET 權限 = ? WHERE rowid = ?"), {c.rights, c.read.recordId});
    }
    t.commit();
    return true;
}

} // namespace shell

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

void writeCompany(db::Database& d, const QStringList& fields) {
    // The row is read back in the write's transaction: stored is only what was also read.
    db::Transaction transaction(d);
    db::Recordset rs = d.openRecordset(kCompanyTable);
    if (rs.eof()) {
        rs.addNew();
    } else {
        rs.moveFirst();
        rs.edit();
    }
    for (int i = 0; i < kCompanyFields; ++i)
        rs.setField(i, fields.value(i));
    rs.update();
    transaction.commit();
}

bool changeSuperUserPassword(db::Database& d, const QString& password) {
    return d.execute(QStringLiteral("UPDATE super SET super_pass = ? WHERE super_id = ?"),
                     {password, QString::fromLatin1(kSuperUserLogin)}) > 0;
}

QString applyFolders(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder) {
    db::DatabasePtr opened;
    std::optional<QString> superUserPassword;
    try {
        opened = mdM::openMainDb(mdM::resolveFolder(dbFolder));
        superUserPassword = mdM::superUserPasswordOf(opened);
    } catch (const db::DbError& e) {
        return mdM::dbErrorText(e);
    }
    if (const QString error = mdM::writeMdbPathIni(dbFolder, templateFolder, quoteFolder); !error.isEmpty())
        return error;
    mdM::DbFolder = mdM::resolveFolder(dbFolder);
    mdM::TemplateFolder = mdM::resolveFolder(templateFolder);
    mdM::QuoteFolder = mdM::resolveFolder(quoteFolder);
    mdM::useMainDb(opened, superUserPassword);
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
    db::Recordset rs =
        d.query(QStringLiteral("SELECT rowid, 中文姓名, 權限 FROM 員工 ORDER BY 員工編號, rowid"));
    for (; !rs.eof(); rs.moveNext())
        rows.append({rs.value(0).toLongLong(), rs.text(1), int(num::val(rs.text(2)))});
    return rows;
}

void writeStaffRights(db::Database& d, const QVector<StaffRights>& rows) {
    db::Transaction t(d);
    for (const StaffRights& r : rows)
        d.execute(QStringLiteral("UPDATE 員工 SET 權限 = ? WHERE rowid = ?"), {r.rights, r.recordId});
    t.commit();
}

} // namespace shell

#pragma once
// What the settings window reads and writes, without widgets: the company row, the SuperUser
// password, the folders of Mdbpath.ini, the autosave file and the rights of every staff member.
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace shell {

// company: 名稱, 地址, 電話, 傳真, 統編, E-MAIL by position.
inline constexpr int kCompanyFields = 6;
// The six texts of the first company row; six empty texts when there is none. Throws db::DbError.
QStringList readCompany(db::Database& d);
// Writes the six texts into the first company row, adding the row when the table has none.
void writeCompany(db::Database& d, const QStringList& fields);

// Stores a new SuperUser password in the SuperUser's row. False when table super holds no such
// row: only the database's own set-up makes it. Throws db::DbError.
bool changeSuperUserPassword(db::Database& d, const QString& password);

// Opens the main database in `dbFolder` and, once it is open and what the program keeps of it is
// read (mdM::superUserPasswordOf), makes it mdM::MainDb, takes the three folders into mdM and
// rewrites Mdbpath.ini with them. On failure nothing changes and the reason comes back (a database
// error as its number and description on two lines).
QString applyFolders(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder);

// auto.ini: line 1 "1" for autosave on, line 2 the interval in autosave ticks.
inline constexpr int kMaxAutoSaveInterval = 32767;
struct AutoSaveSettings {
    bool on = false;
    int interval = 0;
};
// The interval a text gives: its leading number, rounded, kept within 0..kMaxAutoSaveInterval.
int autoSaveIntervalOf(const QString& text);
// Reads auto.ini of the program folder (found whatever the letter case of its name); a missing
// file gives autosave off and interval 0.
AutoSaveSettings readAutoIni();
// Writes auto.ini (the existing file whatever the letter case of its name): "1" or "0", then the
// interval text as typed. False with the reason on failure.
bool writeAutoIni(bool on, const QString& intervalText, QString* error = nullptr);

// One staff member's rights, tied to the member's record.
struct StaffRights {
    qint64 recordId = 0;
    QString name;
    int rights = 0;
};
// Every staff member in the order of the staff numbers. Throws db::DbError.
QVector<StaffRights> readStaffRights(db::Database& d);
// Writes every member's rights word in one transaction: all or nothing. Throws db::DbError.
void writeStaffRights(db::Database& d, const QVector<StaffRights>& rows);

} // namespace shell

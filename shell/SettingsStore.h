#pragma once
// What the settings window reads and writes, without widgets: the company row, the SuperUser
// password, the folders of Mdbpath.ini, the autosave file and the rights of every staff member.
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace shell {

// company: 名稱, 地址, 電話, 傳真, 統編, E-MAIL by position.
inline constexpr int kCompanyFields = 6;
// The six texts of the first company row; six empty texts when there is none. Throws db::DbError.
QStringList readCompany(db::Database& d);
// Writes the texts of `typed` that differ from `read` (the row as the window read it) into the
// first company row, adding the row when the table has none; in one transaction. The row as stored
// then comes back; unless `overwrite`, nothing is written and nothing comes back when a stored text
// is no longer as read.
std::optional<QStringList> writeCompany(db::Database& d, const QStringList& typed, const QStringList& read,
                                        bool overwrite = false);

// Stores a new SuperUser password in the SuperUser's row, only where the password stored is still
// `checked`, the one the user proved to know: a password replaced meanwhile changes nothing
// (ChangedElsewhere). NoSuperUser when table super holds no such row: only the database's own
// set-up makes it. Throws db::DbError.
enum class PasswordChange { Changed, ChangedElsewhere, NoSuperUser };
PasswordChange changeSuperUserPassword(db::Database& d, const QString& password, const QString& checked);

// Rewrites Mdbpath.ini with the three folders and takes them into mdM; the message to show when the
// file cannot be written (nothing changes then), else empty.
QString keepFolders(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder);

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

// One staff member's rights, tied to the member's record and login name.
struct StaffRights {
    qint64 recordId = 0;
    QString login; // 英文姓名
    QString name;  // 中文姓名
    int rights = 0;
};
// Every staff member in the order of the staff numbers. Throws db::DbError.
QVector<StaffRights> readStaffRights(db::Database& d);
// The rights word stored now for a member as read; none when its record is gone or now holds
// another member. Throws db::DbError.
std::optional<int> storedRights(db::Database& d, const StaffRights& member);
// A member's new rights word; `read` is the member with the word the writer expects stored.
struct RightsChange {
    StaffRights read;
    int rights = 0;
};
// Writes the changes in one transaction where every member still holds the word expected: all or
// nothing, false when one does not (gone, replaced, or changed since). Throws db::DbError.
bool writeStaffRights(db::Database& d, const QVector<RightsChange>& changes);

} // namespace shell

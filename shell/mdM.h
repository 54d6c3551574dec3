#pragma once
// Process-wide state of the program and the procedures every window shares.
#include "db/Database.h"
#include <QString>
#include <functional>
#include <optional>

namespace mdM {

inline constexpr const char* kMainDbFile = "Kavo3.mdb";
inline constexpr const char* kMainDbPassword = "plovertimska";
inline constexpr const char* kMdbPathIni = "Mdbpath.ini";

// Folders from Mdbpath.ini (lines 1 to 3).
extern QString DbFolder;
extern QString TemplateFolder;
extern QString QuoteFolder;
// The open main database; null until the first successful opening.
extern db::DatabasePtr MainDb;

extern bool AutoSaveOn;
extern int AutoSaveInterval;

// Hand-over of a customer to the quotation editor and header values of a printout.
extern QString QuoteCustName;
extern QString QuoteCustPhone;
extern QString QuoteCustFax;
extern QString QuoteProjectName;
extern QString QuoteSiteAddress;
extern QString QuoteContact;
extern QString QuoteDate;
extern QString QuoteSalesperson;
extern QString QuoteNo;
extern bool CusOpenedFromQuote;
extern bool CusPicked;

// The logged-in user.
extern QString CurrentUserName;     // 員工.中文姓名; empty for the SuperUser
extern QString CurrentUserLogin;    // 員工.英文姓名
extern QString CurrentUserPassword; // 員工.pass
extern int UserRights;              // rights word, bit 0 = position 1
extern QString SuperUserPassword;

// Excel print settings (Xp.ini, fastP.ini).
extern QString XlStartRow;
extern QString XlStartCol;
extern QString XlPageTopLeft;
extern QString XlPageBottomRight;
extern QString XlRowsPerPage;
extern bool XlFixedHeader;

extern int ListPrintParty; // 1 customers, 2 vendors, 3 staff
extern QString LastSearchText;

// Puts every variable back to its start value (tests).
void ResetState();

// Reads Mdbpath.ini and opens the main database in its first folder, asking for the folder when
// the database cannot be found there. True when MainDb was opened by this call.
bool OpenDatabase();
void LoadPrintSettings();
// Waits the given seconds while the event loop keeps running.
void Delay(double seconds);

// The main database file of `folder` (its name found whatever the letter case), opened with the main
// password. Throws db::DbError.
db::DatabasePtr openMainDb(const QString& folder);
// The main database file of the running session (its full path), set by the login; empty before
// it. A reopen during the session opens this file, whatever Mdbpath.ini names meanwhile (another
// program's change of it counts from the next start).
extern QString SessionDbFile;
// Whether `opened` is the database file in use: the session's, or before a login the one open.
bool isCurrentDb(const db::DatabasePtr& opened);
// A switch of the session to another database file is a new session: the windows close and the
// new database asks for a login. `keep` makes the switch last once the login is accepted (it writes
// Mdbpath.ini and takes the folders; the message to show when that fails, else empty). True when
// the new session began; false leaves the session as it was.
using SessionSwitch = std::function<bool(const db::DatabasePtr& opened, const std::function<QString()>& keep)>;
// Set by the login window once a session runs; a reopen's folder prompt switches through it.
void setSessionSwitch(SessionSwitch s);
// A database error as the windows show it: its number and its description on two lines.
QString dbErrorText(const db::DbError& e);
// A folder of Mdbpath.ini as the program uses it: a relative folder is taken relative to the program
// folder (so a copied program folder works on its own data); an absolute one as it stands.
QString resolveFolder(const QString& folder);
// Rewrites Mdbpath.ini with the three folders: a folder the file already names in a relative form
// keeps that form, another inside the program folder is written relative to it. The message to show
// when that fails, else empty.
QString writeMdbPathIni(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder);

QString StrokeCode(const QString& c);
QString BeforeSemicolon(const QString& s);
QString AfterSemicolon(const QString& s);
QString SemicolonsToSpaces(const QString& s);
QString RightsToBits(int v);
QString NumberToChinese(const QString& n);
QString NumberToChineseFormal(const QString& n);
QString FormatThousands(const QString& v);

} // namespace mdM

namespace mdPro {
extern QString WPListMode; // "w" work crews, "p" materials
extern QString CurrentVendorName;
} // namespace mdPro

namespace mdEng {
extern QString EmListMode; // "k" or "t"
} // namespace mdEng

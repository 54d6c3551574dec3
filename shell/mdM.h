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

// Every value below has one owner, named where it is declared, and is set where that owner starts:
// - the program: the settings files of the program folder, read at start (or when a window that
//   uses them loads) and set again where the file is written;
// - the session: the login and what belongs to it, set by shell::beginSession at every login,
//   the first and each one of a switch to another database;
// - a window: a hand-over set by the window that opens another, right before it opens it;
// - the quotation on screen: set by the quotation editor from what its quotation holds, at the
//   editor's load, 建立新檔, a file opened and a customer handed over.

// Program (Mdbpath.ini lines 1 to 3).
extern QString DbFolder;
extern QString TemplateFolder;
extern QString QuoteFolder;
// Session: the open main database; before the first login the one the login checks against.
extern db::DatabasePtr MainDb;

// Program (auto.ini).
extern bool AutoSaveOn;
extern int AutoSaveInterval;

// The quotation on screen: its header and the contact line of the customer it names (empty when it
// names none). The customer window's picker hands a customer over through the customer's values.
extern QString QuoteCustName;
extern QString QuoteCustPhone;
extern QString QuoteCustFax;
extern QString QuoteProjectName;
extern QString QuoteSiteAddress;
extern QString QuoteContact;
extern QString QuoteDate;
extern QString QuoteSalesperson;
extern QString QuoteNo;
// Window: the customer window opened as the editor's picker, and whether it handed one back.
extern bool CusOpenedFromQuote;
extern bool CusPicked;

// Session: the logged-in user.
extern QString CurrentUserName;     // 員工.中文姓名; empty for the SuperUser
extern QString CurrentUserLogin;    // 員工.英文姓名
extern QString CurrentUserPassword; // 員工.pass
extern int UserRights;              // rights word, bit 0 = position 1
// Session: the SuperUser password as the login read it. A check of a password reads the stored one.
extern QString SuperUserPassword;

// Program (Xp.ini, fastP.ini).
extern QString XlStartRow;
extern QString XlStartCol;
extern QString XlPageTopLeft;
extern QString XlPageBottomRight;
extern QString XlRowsPerPage;
extern bool XlFixedHeader;

// Window: whose records the list printout prints, 1 customers, 2 vendors, 3 staff.
extern int ListPrintParty;
// Session: the record windows' last full-text search text.
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
// Session: the main database file of the running session (its full path); empty before the login.
// A reopen during the session opens this file, whatever Mdbpath.ini names meanwhile (another
// program's change of it counts from the next start).
extern QString SessionDbFile;
// Whether `opened` is the database file in use: the session's, or before a login the one open.
bool isCurrentDb(const db::DatabasePtr& opened);
// A switch of the session to another database file is a new session: the windows close and the
// new database asks for a login. `keep` makes the switch last once the login is accepted (it writes
// Mdbpath.ini and takes the folders; the message to show when that fails, else empty). True when
// the new session began; false leaves the session as it was.
using SessionSwitch = std::function<bool(const db::DatabasePtr& opened, const std::function<QString()>& keep)>;
// Program: set by the login window once the first session runs; a reopen's folder prompt switches
// through it.
void setSessionSwitch(SessionSwitch s);
// The reopen of a window about to open (its Form_Initialize, so that a switch the folder prompt leads
// to closes the other windows without asking this one). False when the window must not open: the
// session's file was not found and the prompt did not give it back (取消, or another database, whose
// new session began or did not). Before a login it is OpenDatabase, and the window opens.
bool reopenForWindow();
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
// Session: the vendor window's list mode, "w" work crews or "p" materials (also handed to the
// supply-links editor), and its current vendor's name.
extern QString WPListMode;
extern QString CurrentVendorName;
} // namespace mdPro

namespace mdEng {
// Window: the ordered list editor's list, "k" or "t", set by the catalogue window that opens it.
extern QString EmListMode;
} // namespace mdEng

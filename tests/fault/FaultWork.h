#pragma once
// The work of the fault tests' child process, and what the parent needs to check its results.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fault {

// Tells the parent that the child's data is prepared and the loop starts now.
void announceReady();

// The bytes of the reference quotation of `seed` as its file holds them.
QByteArray quotationBytes(quint32 seed);
// Saves the quotations of the two seeds over `path` in turn, forever.
int saveQuotations(const QString& path, quint32 seedA, quint32 seedB);

// The two contents the Mdbpath.ini writer alternates between (0 or 1).
QStringList mdbPathLines(int which);
// Makes `folder` the program folder and rewrites its Mdbpath.ini in turn, forever.
int writeMdbPath(const QString& folder);

// The text cell A1 holds in the two workbook outputs (0 or 1).
QString workbookMark(int which);
// Opens the template, writes the mark into A1 of its first sheet and saves it over `output`,
// the two marks in turn, forever.
int saveWorkbooks(const QString& templatePath, const QString& output);

// One workstation on the main database of `dbFolder` for `seconds`, waiting `busyMs` at most for
// the other's locks. Each round it writes its own staff members' rights (all of them one value),
// the SuperUser password and its own catalogue category's areas (one list), then reads everything
// back. It reports every write on its standard output, one line each:
//   ok <what> <round>            the write reported success
//   refused <what> <round> <message on one line>
//   torn <what> <detail>         a read found a list half written
//   changed <old> <new>         the SuperUser password replaced, with the one it last set (or read
//                                after another station's change refused that)
// and "done <milliseconds it ran>" at the end. <what> is rights, password, areas, customer
// (a new customer record "<name>-客戶-<round>" each round) or shared (the box stationSharedBox
// of the customer kSharedCustomer, which both stations edit as its window does, set to
// "<name>-<round>").
int runStation(const QString& dbFolder, const QString& name, int seconds, int busyMs);

// What a station writes in a round: its staff members are named "<name>-員工1" to "-員工3", the
// rights value of round r is 1 + r % 4095, the password "<name>-<r>", the category
// "<name>-類別" with kStationAreas areas "<name>-<r>-<k>".
inline constexpr int kStationMembers = 3;
inline constexpr int kStationAreas = 8;
QString stationMember(const QString& station, int k);
int stationRights(int round);
QString stationPassword(const QString& station, int round);
QString stationCategory(const QString& station);
QStringList stationAreas(const QString& station, int round);
QString stationCustomer(const QString& station, int round);
inline const QString kSharedCustomer = QStringLiteral("林志明");
QString stationSharedBox(const QString& station);

// The two recent-files lists the Of.ini writer alternates between (0 or 1), as the file's lines.
QStringList recentFilesLines(int which);
// Makes `folder` the program folder and rewrites its Of.ini as the editor does, in turn, forever.
int writeOfIni(const QString& folder);

} // namespace fault

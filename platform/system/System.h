#pragma once
// The program's place on this machine: its folder, files in it and the desktop around it.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace sys {

// The program folder: the folder of the executable unless a test set another one.
QString programFolder();
void setProgramFolder(const QString& folder); // empty restores the executable's folder
// A file in the program folder: the existing one whatever the letter case of its name, else
// folder/name.
QString programFile(const QString& name);

// The path of an existing file named `name` in `dir` whatever the letter case of its name;
// dir/name when there is none.
QString findFileNoCase(const QString& dir, const QString& name);

// Whether the desktop has an application that opens .xlsx workbooks: a known spreadsheet program on
// the PATH or the desktop's default application for the type.
bool spreadsheetAppInstalled();
// Opens a workbook file with the desktop's spreadsheet application, its menus in the program's
// language whatever the desktop's, without waiting for it; false when no application could be
// started. An application that starts and then ends with a failure within its first two minutes (it
// could not open a window, say) calls `failed` later, from the event loop.
bool openWithSpreadsheetApp(const QString& path, const std::function<void()>& failed = {});
// Tests decide the answer of spreadsheetAppInstalled; nullopt restores the look-up.
void setSpreadsheetAppOverride(std::optional<bool> installed);

// The font family that draws the rare characters (CJK Extension B, such as 𠀋 in a name) in
// Traditional Chinese glyphs, which the usual Chinese fonts lack; `families` with it as the last
// fallback.
inline constexpr const char* kRareCharactersFamily = "TW-Sung-Ext-B";
QStringList withRareCharacters(QStringList families);

// The read-only attribute of a file: no write permission for owner, group or others.
bool setReadOnly(const QString& path, bool readOnly = true);
bool isReadOnly(const QString& path);

// Where the quotation editor writes its autosave file: "autosave.kav" in the program folder.
QString autosavePath();

// Ends the program in order (the event loop is left with `code`). Tests install their own handler
// to see that the program asked to end. Without an event loop yet, the loop ends as soon as it starts.
void exitProgram(int code = 0);
void setExitHandler(std::function<void(int)> handler); // empty restores the default
bool exitRequested(); // the program asked to end since start (or since resetExitRequested)
void resetExitRequested();

} // namespace sys

#pragma once
// The one seam through which the program asks the user: message boxes, input boxes and file
// dialogs. The program installs the widget backend; tests install a scripted one that answers
// from a queue and fails on a dialog it was not told to expect.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ui {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Answer { OK, Cancel, Yes, No, Retry, Abort, Ignore };

// The program's name, which some boxes carry as their title.
inline constexpr const char* kAppTitle = "Kavo3";
// The title of a box that has no title of its own.
inline constexpr const char* kBoxTitle = "Kavo III";

struct MessageRequest {
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::OK;
    int defaultButton = 1; // 1-based, as the buttons stand
    QString title;         // empty: kBoxTitle
};

struct InputRequest {
    QString prompt;
    QString title; // empty: kBoxTitle
    QString defaultText;
};

// Filters as the windows write them: "說明|*.kav|所有檔案|*.*" (description, pattern pairs).
struct FileRequest {
    QString title;
    QString folder;   // first folder shown
    QString fileName; // preset file name (may be a full path)
    QString filter;
    int filterIndex = 1;
    // Save dialogs: the suffix a name not ending in it gets ("kav"). The replace question is
    // asked of the name with it.
    QString defaultSuffix;
};

class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    virtual Answer message(const MessageRequest& r) = 0;
    // nullopt on Cancel.
    virtual std::optional<QString> input(const InputRequest& r) = 0;
    // Empty on Cancel.
    virtual QString openFile(const FileRequest& r) = 0;
    // The name chosen, asking nothing about an existing file (saveFileDialog asks).
    virtual QString saveFile(const FileRequest& r) = 0;
    virtual QString folder(const FileRequest& r) = 0;
};

// Installs a backend (not owned); nullptr restores the widget backend.
void setDialogBackend(DialogBackend* backend);
// The backend used when none is installed (not owned): the widget backend registers itself here
// (ui::installWidgetDialogs). Without one, boxes are answered with their cancel-like default and
// a warning is logged.
void setDefaultDialogBackend(DialogBackend* backend);
// The backend installed by setDialogBackend, or nullptr.
DialogBackend* installedDialogBackend();

// The answers of a button set, in the order the buttons stand (defaultButton counts in it).
QList<Answer> buttonAnswers(Buttons buttons);
// What Escape answers: OK for an OK box, No for Yes/No, Abort for Abort/Retry/Ignore, else Cancel.
Answer escapeAnswer(Buttons buttons);
DialogBackend& dialogs();

// A message that says a database is held by another workstation (db::kBusyMessage) is shown in
// its one form wherever it comes from: the exclamation icon, without the error number.
Answer msgBox(const QString& text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
              const QString& title = {}, int defaultButton = 1);
// What a writer loaded changed elsewhere since: Yes writes the changes made in the window over it
// (what the window left alone stays as stored), No reloads it, Cancel (the default) keeps editing
// with the changes still to apply. `what` names it ("住宅 的區域"), `differing` what changed
// elsewhere (fields, rows or rights).
Answer askOverwrite(const QString& what, const QStringList& differing = {});
// The text typed, or nullopt on Cancel.
std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                const QString& defaultText = {});
QString openFileDialog(const FileRequest& r);
// The name to save to, the default suffix added as withDefaultSuffix adds it. An existing file
// of that name is replaced only when the user says so; No shows the dialog again.
QString saveFileDialog(const FileRequest& r);
// path with "." and suffix added unless it already ends in "." and suffix, in any letter case
// ("林宅", "林宅." and "林宅 v1.2" give "林宅.kav", "林宅 v1.2.kav"); path as it is when it is
// empty or suffix is empty.
QString withDefaultSuffix(const QString& path, const QString& suffix);
QString folderDialog(const FileRequest& r);

// Qt name filters ("說明 (*.kav);;所有檔案 (*.*)") of a "desc|pattern|..." filter.
QString toQtFilter(const QString& filter);

} // namespace ui

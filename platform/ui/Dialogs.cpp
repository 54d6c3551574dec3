#include "Dialogs.h"

#include "db/Database.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace ui {

namespace {

const char* kindName(Buttons b) {
    switch (b) {
    case Buttons::OK:
        return "OK";
    case Buttons::OKCancel:
        return "OKCancel";
    case Buttons::YesNo:
        return "YesNo";
    case Buttons::YesNoCancel:
        return "YesNoCancel";
    case Buttons::RetryCancel:
        return "RetryCancel";
    case Buttons::AbortRetryIgnore:
        return "AbortRetryIgnore";
    }
    return "?";
}

// Answers every dialog as if the user had pressed Escape (or OK where that is the only button),
// so a program without a screen never waits for a user that is not there.
class FallbackDialogs final : public DialogBackend {
public:
    Answer message(const MessageRequest& r) override {
        const Answer a = escapeAnswer(r.buttons);
        qWarning().noquote() << "No dialog backend: message box" << kindName(r.buttons) << "answered"
                             << int(a) << ":" << r.text;
        return a;
    }
    std::optional<QString> input(const InputRequest& r) override {
        qWarning().noquote() << "No dialog backend: input box cancelled:" << r.prompt;
        return std::nullopt;
    }
    QString openFile(const FileRequest& r) override { return cancelled("open", r); }
    QString saveFile(const FileRequest& r) override { return cancelled("save", r); }
    QString folder(const FileRequest& r) override { return cancelled("folder", r); }

private:
    static QString cancelled(const char* what, const FileRequest& r) {
        qWarning().noquote() << "No dialog backend:" << what << "dialog cancelled:" << r.title;
        return {};
    }
};

FallbackDialogs& fallback() {
    static FallbackDialogs f;
    return f;
}

DialogBackend* g_installed = nullptr;
DialogBackend* g_default = nullptr;

} // namespace

Answer escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return Answer::OK;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    case Buttons::OKCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

QList<Answer> buttonAnswers(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return {Answer::OK};
    case Buttons::OKCancel:
        return {Answer::OK, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::RetryCancel:
        return {Answer::Retry, Answer::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Answer::Abort, Answer::Retry, Answer::Ignore};
    }
    return {Answer::OK};
}

void setDialogBackend(DialogBackend* backend) {
    g_installed = backend;
}

void setDefaultDialogBackend(DialogBackend* backend) {
    g_default = backend;
}

DialogBackend* installedDialogBackend() {
    return g_installed;
}

DialogBackend& dialogs() {
    if (g_installed)
        return *g_installed;
    if (g_default)
        return *g_default;
    return fallback();
}

Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title, int defaultButton) {
    MessageRequest r;
    r.text = text;
    r.buttons = buttons;
    r.icon = icon;
    if (text.contains(QString::fromUtf8(db::kBusyMessage))) {
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeAll(QString::number(db::ErrLocked));
        r.text = lines.join(QStringLiteral("\r\n"));
        r.icon = Icon::Exclamation;
    }
    r.title = title;
    r.defaultButton = defaultButton;
    return dialogs().message(r);
}

Answer askOverwrite(const QString& what, const QStringList& differing) {
    const QString changed = differing.isEmpty() ? QString() : QStringLiteral("：") + differing.join(u'、');
    return msgBox(QStringLiteral("%1已在別處變更%2\r\n是否覆蓋?\r\n\r\n是: 只寫入這裡改過的　否: 重新載入　取消: 繼續編輯")
                      .arg(what, changed),
                  Buttons::YesNoCancel, Icon::Question, QStringLiteral("Kavo III"), 3);
}

std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    InputRequest r;
    r.prompt = prompt;
    r.title = title;
    r.defaultText = defaultText;
    return dialogs().input(r);
}

QString openFileDialog(const FileRequest& r) {
    return dialogs().openFile(r);
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || path.endsWith(u'.' + suffix, Qt::CaseInsensitive))
        return path;
    return path.endsWith(u'.') ? path + suffix : path + u'.' + suffix;
}

QString saveFileDialog(const FileRequest& r) {
    FileRequest shown = r;
    for (;;) {
        const QString path = withDefaultSuffix(dialogs().saveFile(shown), r.defaultSuffix);
        if (path.isEmpty() || !QFileInfo::exists(path))
            return path;
        const QString question =
            QStringLiteral("%1 已經存在。\r\n要取代它嗎?").arg(QDir::toNativeSeparators(path));
        if (msgBox(question, Buttons::YesNo, Icon::Exclamation, r.title, 2) == Answer::Yes)
            return path;
        shown.fileName = path;
    }
}

QString folderDialog(const FileRequest& r) {
    return dialogs().folder(r);
}

QString toQtFilter(const QString& filter) {
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString desc = parts.at(i).trimmed();
        if (i + 1 >= parts.size()) {
            // A description without its pattern: show it as it stands.
            if (!desc.isEmpty())
                out << desc;
            break;
        }
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        const QString qtPatterns = patterns.join(QLatin1Char(' '));
        // A description that already ends with its patterns in brackets ("檔案(*.kav)") stands as
        // written; another gets them appended.
        const qsizetype open = desc.lastIndexOf(QLatin1Char('('));
        const bool hasOwn = desc.endsWith(QLatin1Char(')')) && open >= 0 &&
                            desc.mid(open + 1, desc.size() - open - 2).replace(QLatin1Char(';'), QLatin1Char(' ')).simplified() ==
                                qtPatterns;
        out << (hasOwn ? desc : QStringLiteral("%1 (%2)").arg(desc, qtPatterns));
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace ui

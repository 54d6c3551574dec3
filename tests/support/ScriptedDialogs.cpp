#include "ScriptedDialogs.h"

#include <QDebug>

namespace {

QString shortText(const QString& s) {
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("⏎"));
    return t.size() > 80 ? t.left(77) + QStringLiteral("...") : t;
}

} // namespace

ScriptedDialogs::ScriptedDialogs() : m_previous(ui::installedDialogBackend()) {
    ui::setDialogBackend(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    ui::setDialogBackend(m_previous);
    if (ok())
        return;
    const QString msg = QStringLiteral("ScriptedDialogs: ") + failures();
    // A test that already failed has said why; a forgotten check must still fail the test.
    if (QTest::currentTestFunction() && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
    else
        qCritical().noquote() << msg;
}

QString ScriptedDialogs::kindName(Kind k) {
    switch (k) {
    case Kind::Message:
        return QStringLiteral("message box");
    case Kind::Input:
        return QStringLiteral("input box");
    case Kind::OpenFile:
        return QStringLiteral("open-file dialog");
    case Kind::SaveFile:
        return QStringLiteral("save-file dialog");
    case Kind::Folder:
        return QStringLiteral("folder dialog");
    }
    return {};
}

void ScriptedDialogs::expectMessage(ui::Answer answer) {
    m_queue.append({Kind::Message, answer, std::nullopt});
}

void ScriptedDialogs::expectInput(std::optional<QString> answer) {
    m_queue.append({Kind::Input, ui::Answer::OK, std::move(answer)});
}

void ScriptedDialogs::expectOpenFile(const QString& path) {
    m_queue.append({Kind::OpenFile, ui::Answer::OK, path});
}

void ScriptedDialogs::expectSaveFile(const QString& path) {
    m_queue.append({Kind::SaveFile, ui::Answer::OK, path});
}

void ScriptedDialogs::expectFolder(const QString& path) {
    m_queue.append({Kind::Folder, ui::Answer::OK, path});
}

QList<ui::MessageRequest> ScriptedDialogs::messages() const {
    QList<ui::MessageRequest> out;
    for (const Shown& s : m_shown)
        if (s.kind == Kind::Message)
            out << s.message;
    return out;
}

QList<ui::InputRequest> ScriptedDialogs::inputs() const {
    QList<ui::InputRequest> out;
    for (const Shown& s : m_shown)
        if (s.kind == Kind::Input)
            out << s.input;
    return out;
}

QList<ui::FileRequest> ScriptedDialogs::files() const {
    QList<ui::FileRequest> out;
    for (const Shown& s : m_shown)
        if (s.kind == Kind::OpenFile || s.kind == Kind::SaveFile || s.kind == Kind::Folder)
            out << s.file;
    return out;
}

QString ScriptedDialogs::failures() const {
    QStringList lines = m_failures;
    for (const Expectation& e : m_queue)
        lines << QStringLiteral("expected %1 was never shown").arg(kindName(e.kind));
    return lines.join(QLatin1Char('\n'));
}

void ScriptedDialogs::clear() {
    m_queue.clear();
    m_failures.clear();
    m_enterAnswers = 0;
}

void ScriptedDialogs::answerUnexpectedAsEnter(int limit) {
    m_enterLimit = limit;
}

bool ScriptedDialogs::cancelUnexpected() {
    return ++m_enterAnswers > m_enterLimit;
}

std::optional<ScriptedDialogs::Expectation> ScriptedDialogs::take(Kind k, const QString& what) {
    if (m_enterLimit >= 0 && (m_queue.isEmpty() || m_queue.first().kind != k))
        return std::nullopt;
    if (m_queue.isEmpty()) {
        m_failures << QStringLiteral("unexpected %1: %2").arg(kindName(k), shortText(what));
        return std::nullopt;
    }
    if (m_queue.first().kind != k) {
        m_failures << QStringLiteral("expected %1 but got %2: %3")
                          .arg(kindName(m_queue.first().kind), kindName(k), shortText(what));
        return std::nullopt;
    }
    return m_queue.takeFirst();
}

ui::Answer ScriptedDialogs::message(const ui::MessageRequest& r) {
    Shown s;
    s.kind = Kind::Message;
    s.message = r;
    m_shown << s;
    const auto e = take(Kind::Message, r.text);
    if (!e && m_enterLimit >= 0 && !cancelUnexpected())
        return ui::buttonAnswers(r.buttons).value(r.defaultButton - 1, ui::escapeAnswer(r.buttons));
    if (!e)
        return ui::escapeAnswer(r.buttons);
    if (!ui::buttonAnswers(r.buttons).contains(e->answer)) {
        m_failures << QStringLiteral("message box has no button for the scripted answer %1: %2")
                          .arg(int(e->answer))
                          .arg(shortText(r.text));
        return ui::escapeAnswer(r.buttons);
    }
    return e->answer;
}

std::optional<QString> ScriptedDialogs::input(const ui::InputRequest& r) {
    Shown s;
    s.kind = Kind::Input;
    s.input = r;
    m_shown << s;
    const auto e = take(Kind::Input, r.prompt);
    if (!e && m_enterLimit >= 0 && !cancelUnexpected())
        return r.defaultText;
    if (!e)
        return std::nullopt;
    return e->text;
}

QString ScriptedDialogs::fileDialog(Kind k, const ui::FileRequest& r) {
    Shown s;
    s.kind = k;
    s.file = r;
    m_shown << s;
    const auto e = take(k, r.title);
    if (!e && m_enterLimit >= 0)
        cancelUnexpected();
    return e ? e->text.value_or(QString()) : QString();
}

QString ScriptedDialogs::openFile(const ui::FileRequest& r) {
    return fileDialog(Kind::OpenFile, r);
}

QString ScriptedDialogs::saveFile(const ui::FileRequest& r) {
    return fileDialog(Kind::SaveFile, r);
}

QString ScriptedDialogs::folder(const ui::FileRequest& r) {
    return fileDialog(Kind::Folder, r);
}

#pragma once
// A dialog backend for tests: answers dialogs from a queue of expectations and records every
// dialog shown. Installs itself on construction and uninstalls on destruction. A dialog that was
// not expected, or of another kind than the next expectation, is a failure; so is an expectation
// left unconsumed at destruction (the destructor fails the running test).
//
//     ScriptedDialogs dialogs;
//     dialogs.expectInput(QStringLiteral("/data"));
//     dialogs.expectMessage(ui::Answer::OK);
//     ... code under test ...
//     VERIFY_DIALOGS(dialogs);
//     QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
#include "ui/Dialogs.h"

#include <QList>
#include <QString>
#include <QtTest/QTest>
#include <optional>

class ScriptedDialogs final : public ui::DialogBackend {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Folder };

    // One dialog as it was shown; the request of its kind is filled.
    struct Shown {
        Kind kind = Kind::Message;
        ui::MessageRequest message;
        ui::InputRequest input;
        ui::FileRequest file;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void expectMessage(ui::Answer answer = ui::Answer::OK);
    void expectInput(std::optional<QString> answer); // nullopt: Cancel
    void expectOpenFile(const QString& path);        // empty: Cancel
    void expectSaveFile(const QString& path);
    void expectFolder(const QString& path);

    // Every dialog shown, in order, and those of one kind.
    const QList<Shown>& shown() const { return m_shown; }
    QList<ui::MessageRequest> messages() const;
    QList<ui::InputRequest> inputs() const;
    QList<ui::FileRequest> files() const; // open, save and folder dialogs
    int pending() const { return int(m_queue.size()); }

    // No unexpected dialog and no expectation left.
    bool ok() const { return m_failures.isEmpty() && m_queue.isEmpty(); }
    // What went wrong, one line each (unexpected dialogs and unconsumed expectations).
    QString failures() const;
    // Forgets expectations and failures (after a test has checked them itself).
    void clear();
    // From now on a dialog that finds no expectation of its kind next is answered as Enter would
    // answer it (the default button, an input box's default text, a file dialog cancelled) and only
    // recorded; after `limit` of them every further one is cancelled (a box that keeps coming back).
    void answerUnexpectedAsEnter(int limit);
    // Unexpected dialogs answered since the last clear(); past the limit one kept coming back.
    int enterAnswers() const { return m_enterAnswers; }

    ui::Answer message(const ui::MessageRequest& r) override;
    std::optional<QString> input(const ui::InputRequest& r) override;
    QString openFile(const ui::FileRequest& r) override;
    QString saveFile(const ui::FileRequest& r) override;
    QString folder(const ui::FileRequest& r) override;

    static QString kindName(Kind k);

private:
    struct Expectation {
        Kind kind;
        ui::Answer answer = ui::Answer::OK;
        std::optional<QString> text;
    };
    // The next expectation when it is of kind k; records a failure otherwise.
    std::optional<Expectation> take(Kind k, const QString& what);
    QString fileDialog(Kind k, const ui::FileRequest& r);

    QList<Expectation> m_queue;
    QList<Shown> m_shown;
    QStringList m_failures;
    ui::DialogBackend* m_previous = nullptr;
    int m_enterLimit = -1; // -1: an unexpected dialog is a failure
    int m_enterAnswers = 0;
    // In the Enter mode: whether an unexpected dialog is answered by cancelling it.
    bool cancelUnexpected();
};

// Fails the test unless every expected dialog was shown and no other.
#define VERIFY_DIALOGS(scripted) QVERIFY2((scripted).ok(), qPrintable((scripted).failures()))

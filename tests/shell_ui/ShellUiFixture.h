#pragma once
// A fresh program folder with its own main database for every window test, an exit handler that
// only counts, and a teardown that removes every window the test left open.
#include "TempProgramFolder.h"
#include "db/Database.h"
#include "frmLogin.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <memory>

class ShellUiFixture {
public:
    std::unique_ptr<TempProgramFolder> folder;
    int exits = 0;

    // False when the program folder could not be made.
    bool setUp() {
        mdM::ResetState();
        sys::resetExitRequested();
        exits = 0;
        sys::setExitHandler([this](int) { ++exits; });
        folder = std::make_unique<TempProgramFolder>();
        return folder->isValid() && !folder->createMainDb().isEmpty() &&
               folder->writeMdbPath(folder->path(), folder->path(),
                                    folder->mkdir(QStringLiteral("quotes"))) &&
               folder->writeSettings(QStringLiteral("auto.ini"), {QStringLiteral("0"), QStringLiteral("0")});
    }

    void tearDown() {
        // Windows go without their close paths: those may ask questions.
        for (ui::Form* f : ui::loadedForms())
            delete f;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mdM::MainDb.reset();
        mdM::ResetState();
        folder.reset();
        sys::setExitHandler({});
        sys::resetExitRequested();
    }

    // A second connection to the test's main database, to see what the windows wrote.
    db::DatabasePtr openDb() const {
        return db::Database::open(folder->file(QString::fromUtf8(mdM::kMainDbFile)),
                                  QString::fromUtf8(mdM::kMainDbPassword));
    }
};

// The default instance of a window, loaded and shown.
template <class T> T* showForm() {
    T* f = ui::Default<T>::get();
    f->show();
    return f;
}

template <class T> T* child(const QWidget* w, const char* name) {
    return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Answers the login window a switch to another database shows: logs in, or 取消 for no user. The
// database it names goes into `named`.
inline void whenLoginShows(const QString& user, const QString& password, QString* named = nullptr) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, user, password, named] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* f = qobject_cast<frmLogin*>(w);
            if (!f || !f->isVisible() || f->isUnloaded())
                continue;
            poll->deleteLater();
            poll->stop();
            if (named)
                *named = child<QLabel>(f, "lbDb")->text().remove(QChar(0x200B));
            child<QLineEdit>(f, "txtUserName")->setText(user);
            child<QLineEdit>(f, "txtPassword")->setText(password);
            child<QPushButton>(f, user.isEmpty() ? "cmdCancel" : "cmdOK")->click();
            return;
        }
    });
    poll->start(10);
}

#pragma once
// A temporary program folder for a test: sys::programFolder() points at it while it lives and
// goes back to what it was when it is destroyed.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // A path in the folder (the file need not exist).
    QString file(const QString& name) const;
    // Creates a sub-folder (and its parents); returns its path.
    QString mkdir(const QString& name) const;

    // Settings files: lines in the code page, each ended by CR LF. False on failure.
    bool writeSettings(const QString& name, const QStringList& lines) const;
    // The lines of a settings file; empty when it cannot be read.
    QStringList readSettings(const QString& name) const;
    // Mdbpath.ini with its three folders.
    bool writeMdbPath(const QString& dbFolder, const QString& templateFolder,
                      const QString& quoteFolder) const;

    // Creates the main database Kavo3.mdb (schema and seed data, the main password) in `folder`
    // (the program folder when empty); returns its path, or an empty text on failure.
    QString createMainDb(const QString& folder = {}) const;

    // The main database's schema and seed script.
    static QString mainDbScript();
    // A file of resources/kavo3 (the SQL scripts are UTF-8); empty when it cannot be read.
    static QString readResource(const QString& name);

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

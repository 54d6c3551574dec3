#pragma once
// A small tmpfs mounted for one test and filled to the last block, so that writing any more fails
// with ENOSPC as on a real full disk. Mounting needs the super-user: isMounted() says whether it
// worked. Files put in with put() before fill() stay readable.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    bool put(const QString& name, const QByteArray& bytes) const;
    // Takes up every free block; true when the file system is then full.
    bool fill() const;
    // The names of the files in it, the filler left out.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

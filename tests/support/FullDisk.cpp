#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const QString kFiller = QStringLiteral(".filler");
}

FullDisk::FullDisk() {
    m_mounted = m_dir.isValid()
        && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=256k") == 0;
}

FullDisk::~FullDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool FullDisk::put(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

bool FullDisk::fill() const {
    const int fd = ::open(QFile::encodeName(file(kFiller)).constData(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    ssize_t n = 0;
    while ((n = ::write(fd, block.constData(), block.size())) > 0) {}
    const bool full = n < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

QStringList FullDisk::entries() const {
    QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(kFiller);
    return names;
}

#include "FileErrors.h"

#include "system/System.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace text {

namespace {

struct Reason {
    int errorNumber;
    const char* text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "找不到檔案或資料夾"},
    {EACCES, "沒有存取權限（檔案或資料夾唯讀）"},
    {EPERM, "沒有權限"},
    {EROFS, "磁碟唯讀，無法寫入"},
    {ENOSPC, "磁碟空間不足"},
    {EDQUOT, "超過磁碟配額"},
    {EFBIG, "檔案太大"},
    {EISDIR, "這是資料夾，不是檔案"},
    {ENOTDIR, "路徑中有不是資料夾的項目"},
    {ENAMETOOLONG, "檔名或路徑太長"},
    {EEXIST, "檔案已存在"},
    {EBUSY, "檔案正在使用中"},
    {EIO, "磁碟讀寫錯誤"},
    {EMFILE, "開啟的檔案太多"},
    {ENFILE, "開啟的檔案太多"},
};

// The error number a file's failure message stands for: Qt words an operating-system error with
// qt_error_string, in the program's translation where it has one (the translation installed at
// start turns "No such file or directory" into Chinese), else as the system does; 0 for none.
int errorNumberOf(const QString& said) {
    for (const Reason& r : kReasons)
        if (said.contains(qt_error_string(r.errorNumber), Qt::CaseInsensitive) ||
            said.contains(QString::fromLocal8Bit(std::strerror(r.errorNumber)), Qt::CaseInsensitive))
            return r.errorNumber;
    return 0;
}

} // namespace

QString fileErrorReason(int errorNumber) {
    for (const Reason& r : kReasons)
        if (r.errorNumber == errorNumber)
            return QString::fromUtf8(r.text);
    return QStringLiteral("檔案存取錯誤（%1）").arg(errorNumber);
}

QString fileErrorReason(const QFileDevice& file) {
    if (const int errorNumber = errorNumberOf(file.errorString()))
        return fileErrorReason(errorNumber);
    switch (file.error()) {
    case QFileDevice::OpenError:
        return QStringLiteral("無法開啟檔案");
    case QFileDevice::ReadError:
        return QStringLiteral("無法讀取檔案");
    case QFileDevice::WriteError:
        return QStringLiteral("無法寫入檔案");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return QStringLiteral("無法以新檔取代舊檔");
    case QFileDevice::PermissionsError:
        return QStringLiteral("沒有權限");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁碟空間或系統資源不足");
    default:
        return QStringLiteral("檔案存取錯誤");
    }
}

QString writeBlocker(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return fileErrorReason(EISDIR);
    // The file is replaced by a new one written beside it: its folder must take new files too.
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    if (faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return fileErrorReason(errno == EACCES || errno == EPERM ? EACCES : errno);
    if (!info.exists())
        return {};
    // A read-only file stays as it is, also for a user the file system would let through.
    if (sys::isReadOnly(path) ||
        faccessat(AT_FDCWD, QFile::encodeName(info.absoluteFilePath()).constData(), W_OK, AT_EACCESS) != 0)
        return fileErrorReason(EACCES);
    return {};
}

} // namespace text

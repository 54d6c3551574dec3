#include "TemplateLock.h"

#include "system/System.h"

#include <QDir>
#include <QFileInfo>

namespace quote {
namespace {

void lockUnder(const QString& base) {
    for (const QString& name : kTemplateFolders) {
        const QDir dir(sys::findFileNoCase(base, name));
        if (!dir.exists())
            continue;
        for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot))
            sys::setReadOnly(f.absoluteFilePath());
    }
}

} // namespace

void LockTemplateFiles(const QString& programFolder, const QString& templateFolder) {
    lockUnder(programFolder);
    if (templateFolder.isEmpty())
        return;
    const QString a = QFileInfo(programFolder).canonicalFilePath();
    const QString b = QFileInfo(templateFolder).canonicalFilePath();
    if (!b.isEmpty() && a != b)
        lockUnder(templateFolder);
}

} // namespace quote

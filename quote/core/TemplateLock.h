#pragma once
// The print templates are marked read-only when the quotation editor starts, so that a printout
// never overwrites them.
#include <QString>
#include <QStringList>

namespace quote {

// The template folders, in the order they are locked.
inline const QStringList kTemplateFolders = {QStringLiteral("PrintQ"), QStringLiteral("PrintS"),
                                             QStringLiteral("PrintC"), QStringLiteral("PrintNF"),
                                             QStringLiteral("Pother")};

// Sets the read-only attribute on every ordinary file of the template folders under the program
// folder and, when it is another folder, under the print-template folder. A folder that is missing
// or a file that cannot be locked is skipped silently.
void LockTemplateFiles(const QString& programFolder, const QString& templateFolder);

} // namespace quote

// kavo3-templates: puts the shipped print templates into a program folder, each when missing or
// still as an earlier build wrote it.
#include "TemplateDescription.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kavo3-templates <program folder>\n");
        return 2;
    }
    QStringList written;
    QString error;
    const bool ok = tpl::writeMissing(QString::fromLocal8Bit(argv[1]), &written, &error);
    for (const QString& path : written)
        std::printf("kavo3-templates: wrote %s\n", qPrintable(path));
    if (!ok)
        std::fprintf(stderr, "kavo3-templates: %s", qPrintable(error));
    return ok ? 0 : 1;
}

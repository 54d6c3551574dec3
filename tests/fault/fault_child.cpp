// The child process of the fault tests. It does one kind of work in a loop until it is killed or
// its time is up, and says "ready" on its standard output once its data is prepared.
//
//   fault_child quote <file> <seedA> <seedB>      saves two reference quotations in turn
//   fault_child mdbpath <folder>                   rewrites the folder's Mdbpath.ini, two contents
//   fault_child ofini <folder>                     rewrites the folder's Of.ini, two contents
//   fault_child workbook <template> <output>       fills the template and saves it over the output
//   fault_child station <folder> <name> <seconds> <busy ms>
//                                                  one workstation on the folder's main database
#include "FaultWork.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("quote") && args.size() == 4)
        return fault::saveQuotations(args[1], args[2].toUInt(), args[3].toUInt());
    if (mode == QLatin1String("mdbpath") && args.size() == 2)
        return fault::writeMdbPath(args[1]);
    if (mode == QLatin1String("ofini") && args.size() == 2)
        return fault::writeOfIni(args[1]);
    if (mode == QLatin1String("workbook") && args.size() == 3)
        return fault::saveWorkbooks(args[1], args[2]);
    if (mode == QLatin1String("station") && args.size() == 5)
        return fault::runStation(args[1], args[2], args[3].toInt(), args[4].toInt());
    std::fprintf(stderr, "usage: fault_child quote|mdbpath|workbook|station ...\n");
    return 2;
}

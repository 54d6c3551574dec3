// The settings files on any bytes. The first byte chooses the file, the rest is its content:
// 0 Mdbpath.ini (read at start-up, which then looks for the main database in the folder it names
// and asks for another folder: the silent dialogs cancel), 1 auto.ini, 2 Xp.ini, 3 fastP.ini,
// 4 Of.ini (the editor's recent files).
#include "FuzzSupport.h"
#include "PrintSettings.h"
#include "RecentFiles.h"
#include "SettingsStore.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (fuzz::setUp(), true);
    (void)ready;
    if (size == 0)
        return 0;
    const QByteArray content(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    mdM::ResetState();
    sys::resetExitRequested();
    switch (data[0] % 5) {
    case 0: {
        fuzz::putFile(QStringLiteral("Mdbpath.ini"), content);
        mdM::OpenDatabase();
        break;
    }
    case 1: {
        fuzz::putFile(QStringLiteral("auto.ini"), content);
        const shell::AutoSaveSettings s = shell::readAutoIni();
        fuzz::require(s.interval >= 0 && s.interval <= shell::kMaxAutoSaveInterval,
                      "autosave interval out of range");
        break;
    }
    case 4: {
        fuzz::putFile(QStringLiteral("Of.ini"), content);
        quote::RecentFiles recent;
        recent.load(text::readLines(sys::programFile(QStringLiteral("Of.ini"))).value_or(QStringList()));
        const QStringList shown = recent.lines();
        fuzz::require(shown.size() <= quote::RecentFiles::kCount, "more recent files than the list holds");
        recent.AddRecentFile(QStringLiteral("/tmp/新的報價.kav"));
        fuzz::require(recent.lines().value(0) == QStringLiteral("/tmp/新的報價.kav"),
                      "an opened file is not first");
        break;
    }
    default: {
        fuzz::putFile(data[0] % 5 == 2 ? QStringLiteral("Xp.ini") : QStringLiteral("fastP.ini"), content);
        const xlprint::PrintSettings s = xlprint::loadPrintSettings();
        if (const auto g = xlprint::geometryOf(s)) {
            fuzz::require(g->S >= 1 && g->C >= 1 && g->P >= 1, "geometry below its first row or column");
            fuzz::require(g->tl.row <= g->br.row && g->tl.col <= g->br.col, "page range corners crossed");
            fuzz::require(g->S >= g->tl.row && g->S + g->P - 1 <= g->br.row,
                          "first page's rows outside the range");
        }
        break;
    }
    }
    return 0;
}

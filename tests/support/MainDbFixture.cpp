#include "MainDbFixture.h"

#include "mdM.h"

bool MainDbFixture::setUp() {
    folder = std::make_unique<TempProgramFolder>();
    const QString path = folder->createMainDb();
    if (path.isEmpty())
        return false;
    db = db::Database::open(path, QString::fromUtf8(mdM::kMainDbPassword));
    return bool(db);
}

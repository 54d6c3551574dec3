#include "OpenMainDb.h"

#include "mdM.h"

db::Database& openMainDbOrThrow() {
    if (!mdM::MainDb)
        throw db::DbError(db::ErrGeneral, QStringLiteral("主資料庫未開啟"));
    return *mdM::MainDb;
}

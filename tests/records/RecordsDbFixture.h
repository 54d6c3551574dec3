#pragma once
// A fresh main database (schema and demo data) for every test function.
#include "TempProgramFolder.h"
#include "db/Database.h"
#include "mdM.h"

#include <QtTest/QtTest>
#include <memory>

class RecordsDbFixture {
public:
    std::unique_ptr<TempProgramFolder> folder;
    db::DatabasePtr db;

    bool setUp() {
        folder = std::make_unique<TempProgramFolder>();
        const QString path = folder->createMainDb();
        if (path.isEmpty())
            return false;
        db = db::Database::open(path, QString::fromUtf8(mdM::kMainDbPassword));
        return bool(db);
    }
    void tearDown() {
        db.reset();
        folder.reset();
    }
};

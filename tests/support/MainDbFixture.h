#pragma once
// A fresh main database (schema and demo data) in a temporary program folder, for every test function.
#include "TempProgramFolder.h"
#include "db/Database.h"

#include <memory>

struct MainDbFixture {
    std::unique_ptr<TempProgramFolder> folder;
    db::DatabasePtr db;

    bool setUp();
    void tearDown() {
        db.reset();
        folder.reset();
    }
};

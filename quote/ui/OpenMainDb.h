#pragma once
// The main database for a command of the quotation window; throws db::DbError when none is open.
#include "db/Database.h"

db::Database& openMainDbOrThrow();

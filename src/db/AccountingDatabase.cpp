#include "AccountingDatabase.h"

std::unique_ptr<Database> openAccountingDatabase(const QString& DbPath, OpenMode mode) {
    return Database::open(DbPath, mode, DbConnect);
}

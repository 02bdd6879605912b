#include "AccountingDatabase.h"

#include "AccessFile.h"
#include "WorkingCopy.h"

std::unique_ptr<Database> openAccountingDatabase(const QString& DbPath, OpenMode mode) {
    if (!startsAsAccessFile(DbPath))
        return Database::open(DbPath, mode, DbConnect);
    const WorkingCopy copy = WorkingCopy::prepare(DbPath, DbConnect);
    auto db = Database::open(copy.path(), mode, DbConnect);
    db->keepWhileOpen(copy.lease());
    return db;
}

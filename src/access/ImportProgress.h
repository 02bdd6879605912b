#pragma once

#include <QString>

/** Told how the reading of an Access file goes, table by table, so that a window can show it. */
class ImportProgress {
public:
    virtual ~ImportProgress() = default;

    /** Table `index` (from 0) of `count` of `file` is being read; it holds `rows` rows. */
    virtual void tableStarted(const QString& file, const QString& table, int index, int count,
                              qint64 rows) = 0;
    /** `done` rows of the current table are read. */
    virtual void rowsRead(qint64 done) = 0;
    /** The reading is over, well or not. */
    virtual void finished() = 0;
};

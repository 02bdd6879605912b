#pragma once

#include "ImportProgress.h"

#include <QTextStream>

#include <optional>

/**
 * The reader's child process tells its progress as lines on its standard
 * output, which the program that started it reads back into an
 * ImportProgress. An error is a line of its own.
 */
class ImportProgressLines : public ImportProgress {
public:
    explicit ImportProgressLines(QTextStream& out) : m_out(out) {}

    void tableStarted(const QString& file, const QString& table, int index, int count, qint64 rows) override;
    void rowsRead(qint64 done) override;
    void finished() override;
    void failed(const QString& message);

    /** Reads one line back into `progress` (when given); returns the message of an error line, else nothing.
     */
    static std::optional<QString> replay(const QString& line, const QString& file, ImportProgress* progress);

private:
    QTextStream& m_out;
};

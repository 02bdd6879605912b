#pragma once

#include "access/ImportProgress.h"

#include <memory>

class QProgressDialog;

/**
 * Shows an import of the package's Access file as it goes, table by table:
 * the file's name, the table being read and how far along it is. It appears
 * only when the import lasts more than a moment.
 */
class ImportProgressDialog : public ImportProgress {
public:
    ImportProgressDialog();
    ~ImportProgressDialog() override;

    void tableStarted(const QString& file, const QString& table, int index, int count, qint64 rows) override;
    void rowsRead(qint64 done) override;
    void finished() override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QString m_tableText;
};

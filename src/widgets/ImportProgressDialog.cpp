#include "ImportProgressDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace {
constexpr int kMomentMs = 700;
}

ImportProgressDialog::ImportProgressDialog() = default;
ImportProgressDialog::~ImportProgressDialog() = default;

void ImportProgressDialog::tableStarted(const QString& file, const QString& table, int index, int count,
                                        qint64 rows) {
    if (!m_dialog) {
        m_dialog = std::make_unique<QProgressDialog>();
        m_dialog->setWindowTitle(QStringLiteral("Leyendo la base de datos de contabilidad"));
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(kMomentMs);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumWidth(460);
    }
    m_tableText = QStringLiteral("Leyendo %1\n\nTabla %2 (%3 de %4)")
                      .arg(QDir::toNativeSeparators(QFileInfo(file).fileName()), table)
                      .arg(index + 1)
                      .arg(count);
    m_dialog->setLabelText(m_tableText);
    m_dialog->setMaximum(static_cast<int>(qMax<qint64>(rows, 1)));
    m_dialog->setValue(0);
    QCoreApplication::processEvents();
}

void ImportProgressDialog::rowsRead(qint64 done) {
    if (!m_dialog)
        return;
    m_dialog->setValue(static_cast<int>(qMin<qint64>(done, m_dialog->maximum())));
    QCoreApplication::processEvents();
}

void ImportProgressDialog::finished() {
    m_dialog.reset();
}

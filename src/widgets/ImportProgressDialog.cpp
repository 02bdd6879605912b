#include "ImportProgressDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProgressDialog>

namespace {

constexpr int kMomentMs = 700;

// What the office calls the package's tables; the others go by their number alone.
QString officeWordsFor(const QString& table) {
    static const QHash<QString, QString> kWords{
        {QStringLiteral("tdapt"), QStringLiteral("apuntes")},
        {QStringLiteral("provedores"), QStringLiteral("proveedores")},
        {QStringLiteral("irpf"), QStringLiteral("retenciones")},
        {QStringLiteral("centro"), QStringLiteral("datos del centro")},
        {QStringLiteral("config"), QStringLiteral("configuración")},
        {QStringLiteral("iva"), QStringLiteral("IVA")},
    };
    const auto words = kWords.constFind(table.toLower());
    return words == kWords.cend() ? QString() : QStringLiteral(" (%1)").arg(*words);
}

}  // namespace

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
    m_tableText = QStringLiteral("Leyendo la contabilidad, %1:\n\ntabla %2 de %3%4")
                      .arg(QDir::toNativeSeparators(QFileInfo(file).fileName()))
                      .arg(index + 1)
                      .arg(count)
                      .arg(officeWordsFor(table));
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

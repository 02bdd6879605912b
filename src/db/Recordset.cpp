#include "Recordset.h"

#include "DbError.h"

Recordset::Recordset(QStringList fieldNames, QList<QVariantList> rows)
    : m_fieldNames(std::move(fieldNames)), m_rows(std::move(rows)) {}

void Recordset::moveFirst() {
    if (m_rows.isEmpty())
        throw DbError(QStringLiteral("No hay registro activo."));
    m_position = 0;
}

void Recordset::moveLast() {
    if (m_rows.isEmpty())
        throw DbError(QStringLiteral("No hay registro activo."));
    m_position = m_rows.size() - 1;
}

void Recordset::moveNext() {
    if (eof())
        throw DbError(QStringLiteral("No hay registro activo."));
    ++m_position;
}

QVariant Recordset::value(int index) const {
    requireCurrentRow();
    if (index < 0 || index >= m_fieldNames.size())
        throw DbError(QStringLiteral("No existe el campo número %1 en esta colección.").arg(index));
    return m_rows[m_position][index];
}

QVariant Recordset::value(const QString& name) const {
    int index = 0;
    while (index < m_fieldNames.size() && m_fieldNames[index].compare(name, Qt::CaseInsensitive) != 0)
        ++index;
    if (index == m_fieldNames.size())
        throw DbError(QStringLiteral("No existe el campo '%1' en esta colección.").arg(name));
    return value(index);
}

void Recordset::requireCurrentRow() const {
    if (bof() || eof())
        throw DbError(QStringLiteral("No hay registro activo."));
}

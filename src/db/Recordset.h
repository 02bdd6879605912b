#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

#include <memory>

/**
 * The rows of one statement, walked like a Jet record set. A value is Null
 * (an invalid QVariant), a number (qlonglong or double) or a text (QString).
 * The rows are read in full when the record set opens.
 */
class Recordset {
public:
    Recordset(QStringList fieldNames, QList<QVariantList> rows);

    bool bof() const { return m_rows.isEmpty() || m_position < 0; }
    bool eof() const { return m_rows.isEmpty() || m_position >= m_rows.size(); }
    void moveFirst();
    void moveLast();
    void moveNext();
    int recordCount() const { return static_cast<int>(m_rows.size()); }

    int fieldCount() const { return static_cast<int>(m_fieldNames.size()); }
    const QStringList& fieldNames() const { return m_fieldNames; }

    /** The value of a field of the current row, by position; throws DbError without a current row. */
    QVariant value(int index) const;
    /** The value of a field of the current row, by name without regard to case. */
    QVariant value(const QString& name) const;

private:
    void requireCurrentRow() const;

    QStringList m_fieldNames;
    QList<QVariantList> m_rows;
    qsizetype m_position = 0;
};

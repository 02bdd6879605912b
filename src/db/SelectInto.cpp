#include "SelectInto.h"

#include "ColumnTypes.h"
#include "SqlQuoting.h"

namespace SelectInto {

namespace {

// The type of the values a column holds, for a column whose source declares none that says it.
QString typeOfValues(const QList<QVariantList>& rows, int column) {
    bool anyReal = false;
    bool anyInteger = false;
    for (const QVariantList& row : rows) {
        const QVariant& value = row[column];
        if (value.isNull())
            continue;
        switch (value.typeId()) {
            case QMetaType::LongLong:
                anyInteger = true;
                break;
            case QMetaType::Double:
                anyReal = true;
                break;
            case QMetaType::QByteArray:
                return ColumnTypes::kBlob;
            default:
                return ColumnTypes::kText;
        }
    }
    if (anyReal)
        return ColumnTypes::kReal;
    if (anyInteger)
        return ColumnTypes::kInteger;
    return ColumnTypes::kText;
}

// The declared type of the source column when it says one, otherwise that of the values.
QString columnType(const QueryRows& rows, int column) {
    switch (ColumnTypes::affinityOf(rows.declaredTypes[column])) {
        case ColumnTypes::Affinity::Integer:
            return ColumnTypes::kInteger;
        case ColumnTypes::Affinity::Text:
            return ColumnTypes::kText;
        case ColumnTypes::Affinity::Real:
            return ColumnTypes::kReal;
        case ColumnTypes::Affinity::Blob:
        case ColumnTypes::Affinity::Numeric:
            break;
    }
    return typeOfValues(rows.values, column);
}

}  // namespace

QString createTable(const QString& table, const QueryRows& rows) {
    QStringList columns;
    for (int c = 0; c < rows.names.size(); ++c)
        columns.append(quoteName(rows.names[c]) + QLatin1Char(' ') + columnType(rows, c));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(table), columns.join(QStringLiteral(", ")));
}

QString insertRow(const QString& table, const QueryRows& rows) {
    const QStringList placeholders(rows.names.size(), QStringLiteral("?"));
    return QStringLiteral("INSERT INTO %1 VALUES (%2)")
        .arg(quoteName(table), placeholders.join(QLatin1Char(',')));
}

}  // namespace SelectInto

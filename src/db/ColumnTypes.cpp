#include "ColumnTypes.h"

namespace ColumnTypes {

Affinity affinityOf(const QString& declaredType) {
    const QString type = declaredType.toUpper();
    const auto has = [&](const char* part) { return type.contains(QLatin1String(part)); };
    if (has("INT"))
        return Affinity::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return Affinity::Text;
    if (has("BLOB") || type.isEmpty())
        return Affinity::Blob;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return Affinity::Real;
    return Affinity::Numeric;
}

QString textOfSize(int size) {
    return QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(size);
}

}  // namespace ColumnTypes

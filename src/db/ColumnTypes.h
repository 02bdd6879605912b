#pragma once

#include <QString>

/**
 * The types of columns: SQLite's reading of a declared type, and the
 * declarations of the columns the program makes.
 */
namespace ColumnTypes {

/** What SQLite makes of a declared type, by its rule: INT first, then CHAR, CLOB or TEXT, BLOB, REAL. */
enum class Affinity { Integer, Text, Blob, Real, Numeric };
Affinity affinityOf(const QString& declaredType);

/** Text compared without regard to case, as in the package's own tables. */
inline const QString kText = QStringLiteral("TEXT COLLATE NOCASE");
/** The same, of at most `size` characters as Jet's Text(size) declares it. */
QString textOfSize(int size);
/** Text compared byte by byte: a date's stored text (JetDates), whose order is time order, or an identifier.
 */
inline const QString kExactText = QStringLiteral("TEXT");
inline const QString kInteger = QStringLiteral("INTEGER");
inline const QString kReal = QStringLiteral("REAL");
inline const QString kBlob = QStringLiteral("BLOB");

}  // namespace ColumnTypes

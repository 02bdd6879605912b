#include "CliCommands.h"

#include "CliArguments.h"
#include "TabularOutput.h"
#include "access/AccountingDatabase.h"
#include "db/DbError.h"

#include <charconv>

namespace {

QString formatNumber(double value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

// One value on one line: Null as \N, numbers in their shortest exact form, and
// the characters that would break the line or the columns escaped.
QString formatValue(const QVariant& value) {
    if (value.isNull())
        return QStringLiteral("\\N");
    if (value.typeId() == QMetaType::LongLong)
        return QString::number(value.toLongLong());
    if (value.typeId() == QMetaType::Double)
        return formatNumber(value.toDouble());
    return tabularText(value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray())
                                                               : value.toString());
}

}  // namespace

int runQueryCommand(const QStringList& arguments, CliStreams streams) {
    const auto args = CliArguments::parse(arguments, {QStringLiteral("db")});
    if (!args || !args->has(QStringLiteral("db")) || args->positional().size() != 1) {
        streams.err << cliUsage();
        return kExitUsage;
    }
    try {
        auto db = openAccountingDatabase(args->value(QStringLiteral("db")));
        const auto rows = db->run(args->positional().first());
        if (!rows)
            return kExitOk;
        Recordset recordset = *rows;
        streams.out << recordset.fieldNames().join(QLatin1Char('\t')) << '\n';
        for (; !recordset.eof(); recordset.moveNext()) {
            QStringList line;
            for (int i = 0; i < recordset.fieldCount(); ++i)
                line.append(formatValue(recordset.value(i)));
            streams.out << line.join(QLatin1Char('\t')) << '\n';
        }
        return kExitOk;
    } catch (const DbError& error) {
        printDbError(streams.err, error);
        return kExitFailure;
    }
}

#pragma once

#include <QString>

/** The statements of the supplier review, in the accounting package's SQL, as they are sent. */
namespace ReviewStatements {

/** Makes the work table the first time; it fails once the table exists. */
inline const QString kMakeErrorNif =
    QStringLiteral("select '000000000' as NIF,space(50) as Nombre into ErrorNIF from contra");
inline const QString kEmptyErrorNif = QStringLiteral("delete * from ErrorNIF");
inline const QString kSuppliers = QStringLiteral("select nif, nombre from provedores");
inline const QString kListDoubtful = QStringLiteral("insert into ErrorNIF (nif,nombre) values (?,?)");
inline const QString kReportRows = QStringLiteral("select * from ErrorNIF");

}  // namespace ReviewStatements

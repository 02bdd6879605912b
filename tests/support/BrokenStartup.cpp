#include "BrokenStartup.h"

#include "FixtureDatabase.h"
#include "access/AccountingDatabase.h"

#include <QDir>
#include <QFile>

const QStringList BrokenStartup::kFaults = {QStringLiteral("missing"), QStringLiteral("password"),
                                            QStringLiteral("exclusive"), QStringLiteral("config"),
                                            QStringLiteral("empty")};

BrokenStartup::BrokenStartup(const QString& fault) : m_fault(fault) {
    QDir(m_dir.path()).mkdir(QStringLiteral("Mdb"));
    if (fault == QLatin1String("missing"))
        return;
    if (fault == QLatin1String("password")) {
        Database::create(dbPath(), QStringLiteral(";pwd=otra"));
        return;
    }
    if (fault == QLatin1String("empty")) {
        QFile(dbPath()).open(QIODevice::WriteOnly);
        return;
    }
    FixtureDatabase fixture;
    fixture.db().close();
    QFile::copy(fixture.path(), dbPath());
    if (fault == QLatin1String("exclusive"))
        m_holder = openAccountingDatabase(dbPath(), OpenMode::Exclusive);
    else if (fault == QLatin1String("config"))
        openAccountingDatabase(dbPath())->deleteTable(QStringLiteral("config"));
}

QString BrokenStartup::expectedMessage() const {
    if (m_fault == QLatin1String("missing"))
        return QStringLiteral("No se encuentra el archivo '%1'.").arg(dbPath());
    if (m_fault == QLatin1String("password"))
        return QStringLiteral("No es una contraseña válida.");
    if (m_fault == QLatin1String("exclusive"))
        return QStringLiteral("La base de datos está bloqueada por otro usuario.");
    if (m_fault == QLatin1String("config"))
        return QStringLiteral("No se encuentra la tabla o consulta 'config'.");
    return QStringLiteral("El archivo '%1' no es una base de datos.").arg(dbPath());
}

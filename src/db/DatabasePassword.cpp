#include "DatabasePassword.h"

#include "Database.h"
#include "DbError.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace DatabasePassword {

namespace {

constexpr int kRounds = 10000;

QString passwordOf(const QString& connect) {
    for (const QString& item : connect.split(QLatin1Char(';'))) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals > 0 && item.left(equals).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return item.mid(equals + 1);
    }
    return {};
}

QByteArray passwordHash(const QByteArray& salt, const QString& password) {
    QByteArray digest = salt + password.toUtf8();
    for (int round = 0; round < kRounds; ++round)
        digest = QCryptographicHash::hash(salt + digest, QCryptographicHash::Sha256);
    return digest;
}

}  // namespace

void check(Database& db, const QString& connect) {
    Recordset table = db.openNativeRecordset(
        QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'aeat_password'"));
    if (table.value(0).toLongLong() == 0)
        return;  // a database without a password opens with any
    for (Recordset stored = db.openNativeRecordset(QStringLiteral("SELECT salt, hash FROM aeat_password"));
         !stored.eof(); stored.moveNext())
        if (passwordHash(stored.value(0).toByteArray(), passwordOf(connect)) != stored.value(1).toByteArray())
            throw DbError(QStringLiteral("No es una contraseña válida."));
}

void store(Database& db, const QString& connect) {
    const QString password = passwordOf(connect);
    if (password.isEmpty())
        return;
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    db.executeNativeScript(
        QStringLiteral("CREATE TABLE aeat_password (salt BLOB NOT NULL, hash BLOB NOT NULL)"));
    db.executeNative(QStringLiteral("INSERT INTO aeat_password (salt, hash) VALUES (?, ?)"),
                     {salt, passwordHash(salt, password)});
}

}  // namespace DatabasePassword

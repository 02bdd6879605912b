#include "DbError.h"

#include <QRegularExpression>

namespace {

struct MessagePattern {
    const char* pattern;
    const char* spanish;
    // SQLite's "no such column": the name, which a saved query of Access would ask the user for.
    bool namesAMissingField = false;
};

// SQLite speaks English; the messages that a user or a support call may meet
// are given in Spanish, each naming what it stumbled on.
constexpr MessagePattern kPatterns[] = {
    {"^no such table: (.*)$", "No se encuentra la tabla o consulta '%1'."},
    {"^no such view: (.*)$", "No se encuentra la consulta '%1'."},
    {"^no such column: (.*)$", "No se encuentra el campo '%1'.", true},
    {"^no such function: (.*)$", "Función no definida en la expresión: '%1'."},
    {"^table (.*) already exists$", "La tabla '%1' ya existe."},
    {"^view (.*) already exists$", "La consulta '%1' ya existe."},
    {"^duplicate column name: (.*)$", "El campo '%1' ya existe."},
    {"^file is not a database$", "El archivo no es una base de datos."},
    {"^database is locked$", "La base de datos está bloqueada por otro usuario."},
    {"^attempt to write a readonly database$", "La base de datos está abierta solo para lectura."},
    {"^near \"(.*)\": syntax error$", "Error de sintaxis cerca de '%1'."},
    {"^database disk image is malformed$", "La base de datos está dañada."},
    {"^disk I/O error$", "Error de lectura o escritura en el disco."},
    {"^interrupted$", "La operación se ha interrumpido."},
    {"^(UNIQUE|PRIMARY KEY) constraint failed: (.*)$", "Ya hay un registro con ese valor."},
    {"^NOT NULL constraint failed: (.*)$", "El campo '%1' no puede quedar vacío."},
    {"^unrecognized token: \"(.*)\"$", "Símbolo no reconocido: «%1»."},
    {"^ambiguous column name: (.*)$", "El campo '%1' puede ser de más de una tabla."},
    {"^misuse of aggregate( function)?:? (.*)$", "Uso incorrecto de una función de agregado."},
    {"^wrong number of arguments to function (.*)\\(\\)$", "Número de argumentos incorrecto para '%1'."},
    {"^incomplete input$", "Error de sintaxis: la instrucción está incompleta."},
};

// The last message of the program's own handed to SQLite on this thread.
thread_local QString ownMessage;

}  // namespace

void DbError::expectOwnMessage(const QString& message) {
    ownMessage = message;
}

DbError DbError::fromSqlite(const char* sqliteMessage) {
    const QString original = QString::fromUtf8(sqliteMessage);
    if (!ownMessage.isEmpty() && original == ownMessage)
        return DbError(original);
    for (const auto& entry : kPatterns) {
        const QRegularExpression re(QString::fromLatin1(entry.pattern));
        const auto match = re.match(original);
        if (match.hasMatch()) {
            QString text = QString::fromUtf8(entry.spanish);
            DbError error(text.contains(QLatin1String("%1")) ? text.arg(match.captured(1)) : text, original);
            if (entry.namesAMissingField)
                error.m_missingField = match.captured(1);
            return error;
        }
    }
    return DbError(QStringLiteral("Error de la base de datos."), original, true);
}

#include "DbError.h"

#include <QRegularExpression>

namespace {

struct MessagePattern {
    const char* pattern;
    const char* spanish;
};

// SQLite speaks English; the few messages that a user or a support call may
// meet are given in Spanish, anything else keeps SQLite's own text.
constexpr MessagePattern kPatterns[] = {
    {"^no such table: (.*)$", "No se encuentra la tabla o consulta '%1'."},
    {"^no such view: (.*)$", "No se encuentra la consulta '%1'."},
    {"^no such column: (.*)$", "No se encuentra el campo '%1'."},
    {"^no such function: (.*)$", "Función no definida en la expresión: '%1'."},
    {"^table (.*) already exists$", "La tabla '%1' ya existe."},
    {"^view (.*) already exists$", "La consulta '%1' ya existe."},
    {"^duplicate column name: (.*)$", "El campo '%1' ya existe."},
    {"^file is not a database$", "El archivo no es una base de datos."},
    {"^database is locked$", "La base de datos está bloqueada por otro usuario."},
    {"^attempt to write a readonly database$", "La base de datos está abierta solo para lectura."},
    {"^near \"(.*)\": syntax error$", "Error de sintaxis cerca de '%1'."},
    {"^incomplete input$", "Error de sintaxis: la instrucción está incompleta."},
};

}  // namespace

DbError DbError::fromSqlite(const char* sqliteMessage) {
    const QString original = QString::fromUtf8(sqliteMessage);
    for (const auto& entry : kPatterns) {
        const QRegularExpression re(QString::fromLatin1(entry.pattern));
        const auto match = re.match(original);
        if (match.hasMatch()) {
            QString text = QString::fromUtf8(entry.spanish);
            return DbError(re.captureCount() > 0 ? text.arg(match.captured(1)) : text);
        }
    }
    return DbError(QStringLiteral("Error de la base de datos: ") + original);
}

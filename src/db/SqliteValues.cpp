#include "SqliteValues.h"

#include "DbError.h"

#include <sqlite3.h>
#include <QByteArray>

namespace SqliteValues {

namespace {

enum class Kind { Null, Integer, Real, Blob, Text };

Kind kindOf(const QVariant& value) {
    if (value.isNull())
        return Kind::Null;
    switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return Kind::Integer;
        case QMetaType::Double:
        case QMetaType::Float:
            return Kind::Real;
        case QMetaType::QByteArray:
            return Kind::Blob;
        default:
            return Kind::Text;
    }
}

}  // namespace

QVariant fromSqlite(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant::fromValue<qlonglong>(sqlite3_value_int64(value));
        case SQLITE_FLOAT:
            return sqlite3_value_double(value);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                              sqlite3_value_bytes(value));
        default:
            return text(value);
    }
}

// The same reading as fromSqlite's, through the statement: a column's own value object may not be read.
QVariant column(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant::fromValue<qlonglong>(sqlite3_column_int64(stmt, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt, column);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                              sqlite3_column_bytes(stmt, column));
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                     sqlite3_column_bytes(stmt, column));
    }
}

QString text(sqlite3_value* value) {
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(utf8, sqlite3_value_bytes(value));
}

int bind(sqlite3_stmt* stmt, int index, const QVariant& value) {
    switch (kindOf(value)) {
        case Kind::Null:
            return sqlite3_bind_null(stmt, index);
        case Kind::Integer:
            return sqlite3_bind_int64(stmt, index, value.toLongLong());
        case Kind::Real:
            return sqlite3_bind_double(stmt, index, value.toDouble());
        case Kind::Blob: {
            const QByteArray bytes = value.toByteArray();
            return sqlite3_bind_blob(stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                                     SQLITE_TRANSIENT);
        }
        case Kind::Text:
            break;
    }
    const QByteArray utf8 = value.toString().toUtf8();
    return sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void setResult(sqlite3_context* ctx, const QVariant& value) {
    switch (kindOf(value)) {
        case Kind::Null:
            sqlite3_result_null(ctx);
            return;
        case Kind::Integer:
            sqlite3_result_int64(ctx, value.toLongLong());
            return;
        case Kind::Real:
            sqlite3_result_double(ctx, value.toDouble());
            return;
        case Kind::Blob: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_result_blob(ctx, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
            return;
        }
        case Kind::Text:
            setResultText(ctx, value.toString());
            return;
    }
}

void setResultText(sqlite3_context* ctx, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void setResultError(sqlite3_context* ctx, const QString& message) {
    DbError::expectOwnMessage(message);
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), static_cast<int>(utf8.size()));
}

}  // namespace SqliteValues

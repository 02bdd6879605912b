#include "FunctionFamily.h"
#include "JetValues.h"
#include "db/SqliteValues.h"

#include <sqlite3.h>

namespace {

using namespace JetValues;

QVariant nz(const QVariantList& a) {
    return a[0].isNull() ? (a.size() > 1 ? a[1] : QVariant(QString())) : a[0];
}
QVariant len(const QVariantList& a) {
    return integer(numberText(a[0]).size());
}
QVariant right(const QVariantList& a) {
    return numberText(a[0]).right(static_cast<qsizetype>(number(a[1], "Right")));
}
QVariant mid(const QVariantList& a) {
    const auto start = static_cast<qsizetype>(number(a[1], "Mid"));
    if (start < 1)
        throw Refusal{QStringLiteral("Argumento no válido en Mid: %1.").arg(start)};
    return numberText(a[0]).mid(start - 1, a.size() > 2 ? static_cast<qsizetype>(number(a[2], "Mid")) : -1);
}
QVariant ucase(const QVariantList& a) {
    return numberText(a[0]).toUpper();
}
QVariant lcase(const QVariantList& a) {
    return numberText(a[0]).toLower();
}
// InStr([start,] text, sought): the position from 1, 0 when absent; text compares without regard to case.
QVariant inStr(const QVariantList& a) {
    const bool withStart = a.size() == 3;
    const auto start = withStart ? static_cast<qsizetype>(number(a[0], "InStr")) : 1;
    const QString text = numberText(a[withStart ? 1 : 0]);
    const QString sought = numberText(a[withStart ? 2 : 1]);
    return integer(text.indexOf(sought, start - 1, Qt::CaseInsensitive) + 1);
}
QVariant string(const QVariantList& a) {
    const QString filler = a[1].typeId() == QMetaType::QString
                               ? a[1].toString().left(1)
                               : QString(QChar(static_cast<char16_t>(number(a[1], "String"))));
    return filler.repeated(static_cast<qsizetype>(number(a[0], "String")));
}

// Runs once per entry in the selections' GROUP BY: it cuts the UTF-8 bytes
// at a character boundary without converting the text.
void left(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 length = sqlite3_value_int64(argv[1]);
    if (length < 0) {
        SqliteValues::setResultError(ctx, QStringLiteral("Argumento no válido en left$: %1.").arg(length));
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        SqliteValues::setResultText(ctx, numberText(sqlite3_value_double(argv[0])).left(length));
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    int end = 0;
    for (qint64 characters = 0; end < size && characters < length; ++characters) {
        ++end;
        while (end < size && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;  // a continuation byte of the same character
    }
    sqlite3_result_text(ctx, text, end, SQLITE_TRANSIENT);
}

void space(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 count = sqlite3_value_int64(argv[0]);
    if (count < 0 || count > 65535) {
        SqliteValues::setResultError(ctx, QStringLiteral("Argumento no válido en space: %1.").arg(count));
        return;
    }
    SqliteValues::setResultText(ctx, QString(static_cast<qsizetype>(count), QLatin1Char(' ')));
}

constexpr ScalarFunction kScalars[] = {
    {"Nz", 1, 2, nz, false},      {"Len", 1, 1, len, true},       {"Right", 2, 2, right, true},
    {"Mid", 2, 3, mid, true},     {"UCase", 1, 1, ucase, true},   {"LCase", 1, 1, lcase, true},
    {"InStr", 2, 3, inStr, true}, {"String", 2, 2, string, true},
};

// left$ keeps its name: "$" may stand inside an SQLite name.
constexpr NativeFunction kNatives[] = {
    {"left$", 2, left},
    {"space", 1, space},
};

}  // namespace

FunctionFamily textFunctions() {
    return {kScalars, kNatives};
}

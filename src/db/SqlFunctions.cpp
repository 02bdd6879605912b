#include "SqlFunctions.h"

#include "Clock.h"
#include "JetDates.h"
#include "JetTranslator.h"
#include "base/NumberText.h"

#include <sqlite3.h>
#include <QDate>
#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>

namespace {

void resultText(sqlite3_context* ctx, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void resultError(sqlite3_context* ctx, const QString& message) {
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), static_cast<int>(utf8.size()));
}

QString argumentText(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

void jetNow(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, JetDates::storedText(Clock::now()));
}

void jetYear(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(ctx);
            return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: {
            // A date held as a number counts days from 30 December 1899.
            const auto days = static_cast<qint64>(sqlite3_value_double(argv[0]));
            sqlite3_result_int(ctx, QDate(1899, 12, 30).addDays(days).year());
            return;
        }
        default: {
            // Read straight from the text's bytes: this runs once per entry.
            const unsigned char* text = sqlite3_value_text(argv[0]);
            const std::optional<QDate> day = JetDates::storedDay(text, sqlite3_value_bytes(argv[0]));
            if (!day) {
                resultError(ctx, QStringLiteral("No coinciden los tipos de datos: '%1' no es una fecha.")
                                     .arg(argumentText(argv[0])));
                return;
            }
            sqlite3_result_int(ctx, day->year());
        }
    }
}

QString valueAsText(sqlite3_value* value) {
    if (sqlite3_value_type(value) == SQLITE_FLOAT)
        return shortestNumberText(sqlite3_value_double(value));
    return argumentText(value);
}

// Runs once per entry in the selections' GROUP BY: it cuts the UTF-8 bytes
// at a character boundary without converting the text.
void jetLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 length = sqlite3_value_int64(argv[1]);
    if (length < 0) {
        resultError(ctx, QStringLiteral("Argumento no válido en left$: %1.").arg(length));
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        resultText(ctx, valueAsText(argv[0]).left(length));
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

void jetSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 count = sqlite3_value_int64(argv[0]);
    if (count < 0 || count > 65535) {
        resultError(ctx, QStringLiteral("Argumento no válido en space: %1.").arg(count));
        return;
    }
    resultText(ctx, QString(static_cast<qsizetype>(count), QLatin1Char(' ')));
}

// The sort key of a text: without accents and without regard to case.
QString sortKey(const void* data, int size) {
    const QString text = QString::fromUtf8(static_cast<const char*>(data), size);
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        const QString decomposed = c.decompositionTag() == QChar::Canonical ? c.decomposition() : QString(c);
        key += decomposed.isEmpty() ? c : decomposed.at(0);
    }
    return key.toCaseFolded();
}

// The sort-key unit of each code point below U+0250 (the Latin letters and their accents): the
// letter without its accent, case-folded; 0 where the key would need more than one unit.
const std::array<char16_t, 0x250>& latinSortUnits() {
    static const std::array<char16_t, 0x250> units = [] {
        std::array<char16_t, 0x250> table{};
        for (char16_t code = 0; code < table.size(); ++code) {
            const QChar c(code);
            const QString decomposed =
                c.decompositionTag() == QChar::Canonical ? c.decomposition() : QString(c);
            const QString folded = QString(decomposed.isEmpty() ? c : decomposed.at(0)).toCaseFolded();
            table[code] = folded.size() == 1 ? folded.at(0).unicode() : 0;
        }
        return table;
    }();
    return units;
}

// The sort-key unit of the character of UTF-8 `text` at `i`, which moves past it; 0 when the
// character lies beyond the table.
char16_t nextSortUnit(const unsigned char* text, int size, int& i) {
    char32_t code = text[i];
    if (code >= 0x80) {
        if ((code & 0xE0) != 0xC0 || i + 1 >= size || (text[i + 1] & 0xC0) != 0x80)
            return 0;
        code = ((code & 0x1F) << 6) | (text[++i] & 0x3F);
    }
    ++i;
    return code < latinSortUnits().size() ? latinSortUnits()[code] : 0;
}

// Compares two texts by their sort keys without making them, for texts of Latin letters; a sort
// of many names spends most of its time here. Nothing when a character lies beyond the table.
std::optional<int> compareLatin(const unsigned char* a, int sizeA, const unsigned char* b, int sizeB) {
    int i = 0;
    int j = 0;
    while (i < sizeA && j < sizeB) {
        const char16_t unitA = nextSortUnit(a, sizeA, i);
        const char16_t unitB = nextSortUnit(b, sizeB, j);
        if (unitA == 0 || unitB == 0)
            return std::nullopt;
        if (unitA != unitB)
            return unitA - unitB;
    }
    for (const auto& [text, size, at] : {std::tuple{a, sizeA, i}, std::tuple{b, sizeB, j}})
        for (int k = at; k < size;)
            if (nextSortUnit(text, size, k) == 0)
                return std::nullopt;
    return (i < sizeA) - (j < sizeB);  // the longer key sorts after
}

int jetCollate(void*, int sizeA, const void* a, int sizeB, const void* b) {
    const std::optional<int> latin = compareLatin(static_cast<const unsigned char*>(a), sizeA,
                                                  static_cast<const unsigned char*>(b), sizeB);
    const int primary = latin ? *latin : sortKey(a, sizeA).compare(sortKey(b, sizeB));
    if (primary != 0)
        return primary;
    const int common = std::min(sizeA, sizeB);
    const int bytes = std::memcmp(a, b, static_cast<size_t>(common));
    return bytes != 0 ? bytes : sizeA - sizeB;
}

void registerFunction(sqlite3* db, const char* name, int args,
                      void (*fn)(sqlite3_context*, int, sqlite3_value**), bool deterministic) {
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, args, flags, nullptr, fn, nullptr, nullptr, nullptr);
}

}  // namespace

void registerJetFunctions(sqlite3* db) {
    // Declared deterministic so that SQLite reads the clock once per statement, not once per row.
    registerFunction(db, "Now", 0, jetNow, true);
    registerFunction(db, "Year", 1, jetYear, true);
    registerFunction(db, "left$", 2, jetLeft, true);
    registerFunction(db, "space", 1, jetSpace, true);
    sqlite3_create_collation_v2(db, kJetSortCollation, SQLITE_UTF8, nullptr, jetCollate, nullptr);
}

#include "JetFunctionLibrary.h"

#include "Clock.h"
#include "JetDates.h"
#include "base/NumberText.h"
#include "base/SignificantDigits.h"

#include <sqlite3.h>
#include <QDateTime>
#include <QRegularExpression>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

// A call that Jet would refuse: its message becomes the statement's error.
struct Refusal {
    QString message;
};

QVariant fromSqlite(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant::fromValue<qlonglong>(sqlite3_value_int64(value));
        case SQLITE_FLOAT:
            return sqlite3_value_double(value);
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                     sqlite3_value_bytes(value));
    }
}

void toSqlite(sqlite3_context* ctx, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_result_null(ctx);
    } else if (value.typeId() == QMetaType::LongLong) {
        sqlite3_result_int64(ctx, value.toLongLong());
    } else if (value.typeId() == QMetaType::Double) {
        sqlite3_result_double(ctx, value.toDouble());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
}

QVariant integer(qint64 value) {
    return QVariant::fromValue<qlonglong>(value);
}

bool anyNull(const QVariantList& args) {
    return std::any_of(args.begin(), args.end(), [](const QVariant& arg) { return arg.isNull(); });
}

// A number as Jet writes it in text: the shortest exact form.
QString numberText(const QVariant& value) {
    return value.typeId() == QMetaType::Double ? shortestNumberText(value.toDouble()) : value.toString();
}

double number(const QVariant& value, const char* function) {
    bool ok = false;
    const double result = value.toString().trimmed().toDouble(&ok);
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
        return value.toDouble();
    if (!ok)
        throw Refusal{QStringLiteral("No coinciden los tipos de datos en %1: '%2' no es un número.")
                          .arg(QLatin1String(function), value.toString())};
    return result;
}

// Halves to even, on the value's 15 significant digits, as Jet rounds.
double roundHalfEven(double value, int digits) {
    if (!std::isfinite(value) || value == 0)
        return value;
    const auto [mantissa, exponent] = SignificantDigits::of(std::fabs(value));
    const int shift =
        exponent - (SignificantDigits::kCount - 1) + digits;  // mantissa × 10^shift units of 10^-digits
    if (shift >= 0)
        return value;
    if (-shift > 18)
        return 0;
    qint64 divisor = 1;
    for (int i = 0; i < -shift; ++i)
        divisor *= 10;
    qint64 units = mantissa / divisor;
    const qint64 rest = mantissa % divisor;
    if (2 * rest > divisor || (2 * rest == divisor && units % 2 == 1))
        ++units;
    const double rounded = static_cast<double>(units) / std::pow(10.0, digits);
    return value < 0 ? -rounded : rounded;
}

std::optional<QDateTime> dateOf(const QVariant& value) {
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double)
        return JetDates::fromSerialDays(value.toDouble());
    const QDateTime when = JetDates::fromStoredText(value.toString());
    if (when.isValid())
        return when;
    return std::nullopt;
}

QDateTime date(const QVariant& value, const char* function) {
    const std::optional<QDateTime> when = dateOf(value);
    if (!when)
        throw Refusal{QStringLiteral("No coinciden los tipos de datos en %1: '%2' no es una fecha.")
                          .arg(QLatin1String(function), value.toString())};
    return *when;
}

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
// Val: the number at the start of the text, blanks ignored; 0 when there is none.
QVariant val(const QVariantList& a) {
    QString text = numberText(a[0]);
    text.remove(QLatin1Char(' '));
    qsizetype end = 0;
    while (end < text.size() &&
           (text[end].isDigit() ||
            (end == 0 && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) ||
            (text[end] == QLatin1Char('.') && !text.left(end).contains(QLatin1Char('.')))))
        ++end;
    return text.left(end).toDouble();
}
QVariant cstr(const QVariantList& a) {
    return numberText(a[0]);
}
QVariant cdbl(const QVariantList& a) {
    return number(a[0], "CDbl");
}
QVariant ccur(const QVariantList& a) {
    return roundHalfEven(number(a[0], "CCur"), 4);
}
QVariant clng(const QVariantList& a) {
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "CLng"), 0)));
}
QVariant cint(const QVariantList& a) {
    const double value = roundHalfEven(number(a[0], "CInt"), 0);
    if (value < -32768 || value > 32767)
        throw Refusal{QStringLiteral("Desbordamiento en CInt: %1.").arg(value)};
    return integer(static_cast<qint64>(value));
}
QVariant intPart(const QVariantList& a) {
    return std::floor(number(a[0], "Int"));
}
QVariant fix(const QVariantList& a) {
    return std::trunc(number(a[0], "Fix"));
}
QVariant sgn(const QVariantList& a) {
    const double value = number(a[0], "Sgn");
    return integer(value > 0 ? 1 : value < 0 ? -1 : 0);
}
QVariant round(const QVariantList& a) {
    return roundHalfEven(number(a[0], "Round"), a.size() > 1 ? static_cast<int>(number(a[1], "Round")) : 0);
}
QVariant month(const QVariantList& a) {
    return integer(date(a[0], "Month").date().month());
}
QVariant day(const QVariantList& a) {
    return integer(date(a[0], "Day").date().day());
}
QVariant hour(const QVariantList& a) {
    return integer(date(a[0], "Hour").time().hour());
}
QVariant minute(const QVariantList& a) {
    return integer(date(a[0], "Minute").time().minute());
}
QVariant second(const QVariantList& a) {
    return integer(date(a[0], "Second").time().second());
}
// Weekday(date [, first day]): 1 for Sunday unless the second argument names another first day.
QVariant weekday(const QVariantList& a) {
    const int firstDay = a.size() > 1 ? static_cast<int>(number(a[1], "Weekday")) : 1;
    const int sundayBased = date(a[0], "Weekday").date().dayOfWeek() % 7 + 1;  // Sunday 1 ... Saturday 7
    return integer((sundayBased - firstDay + 7) % 7 + 1);
}
QVariant today(const QVariantList&) {
    return JetDates::storedText(QDateTime(Clock::now().date(), QTime(0, 0)));
}
// DateSerial carries months and days beyond their range into the next unit, as Jet does.
QVariant dateSerial(const QVariantList& a) {
    const int year = static_cast<int>(number(a[0], "DateSerial"));
    const int month = static_cast<int>(number(a[1], "DateSerial"));
    const int days = static_cast<int>(number(a[2], "DateSerial"));
    const QDate first = QDate(year, 1, 1).addMonths(month - 1);
    return JetDates::storedText(QDateTime(first.addDays(days - 1), QTime(0, 0)));
}

// Str: a number as text, with a leading space where a minus sign would stand.
QVariant str(const QVariantList& a) {
    const double value = number(a[0], "Str");
    return (value < 0 ? QString() : QStringLiteral(" ")) +
           numberText(a[0].typeId() == QMetaType::QString ? QVariant(value) : a[0]);
}
QVariant cdate(const QVariantList& a) {
    if (a[0].typeId() == QMetaType::QString) {
        const QDate spanish = QDate::fromString(a[0].toString().trimmed(), QStringLiteral("d/M/yyyy"));
        if (spanish.isValid())
            return JetDates::storedText(QDateTime(spanish, QTime(0, 0)));
    }
    return JetDates::storedText(date(a[0], "CDate"));
}

// The intervals of DateAdd, DateDiff and DatePart: yyyy, q, m, y, d, w, ww, h, n, s.
QString interval(const QVariant& value, const char* function) {
    const QString name = value.toString().toLower();
    static const QStringList kIntervals{QStringLiteral("yyyy"), QStringLiteral("q"), QStringLiteral("m"),
                                        QStringLiteral("y"),    QStringLiteral("d"), QStringLiteral("w"),
                                        QStringLiteral("ww"),   QStringLiteral("h"), QStringLiteral("n"),
                                        QStringLiteral("s")};
    if (!kIntervals.contains(name))
        throw Refusal{QStringLiteral("Argumento no válido en %1: el intervalo '%2'.")
                          .arg(QLatin1String(function), value.toString())};
    return name;
}

QVariant dateAdd(const QVariantList& a) {
    const QString unit = interval(a[0], "DateAdd");
    const auto count = static_cast<qint64>(number(a[1], "DateAdd"));
    const QDateTime when = date(a[2], "DateAdd");
    QDateTime result;
    if (unit == QLatin1String("yyyy"))
        result = when.addYears(static_cast<int>(count));
    else if (unit == QLatin1String("q"))
        result = when.addMonths(static_cast<int>(3 * count));
    else if (unit == QLatin1String("m"))
        result = when.addMonths(static_cast<int>(count));
    else if (unit == QLatin1String("ww"))
        result = when.addDays(7 * count);
    else if (unit == QLatin1String("h"))
        result = when.addSecs(3600 * count);
    else if (unit == QLatin1String("n"))
        result = when.addSecs(60 * count);
    else if (unit == QLatin1String("s"))
        result = when.addSecs(count);
    else  // y, d, w: days
        result = when.addDays(count);
    return JetDates::storedText(result);
}

qint64 secondsSinceEpoch(const QDateTime& when) {
    return QDate(1899, 12, 30).daysTo(when.date()) * 86400 + when.time().msecsSinceStartOfDay() / 1000;
}

// Which week a day is in, weeks starting on Sunday.
qint64 sundayWeek(const QDate& day) {
    const qint64 days = QDate(1899, 12, 31).daysTo(day);  // a Sunday
    return days >= 0 ? days / 7 : (days - 6) / 7;
}

// DateDiff counts the boundaries of the interval between the two dates, as Jet does.
QVariant dateDiff(const QVariantList& a) {
    const QString unit = interval(a[0], "DateDiff");
    const QDateTime from = date(a[1], "DateDiff");
    const QDateTime to = date(a[2], "DateDiff");
    const auto floorDiv = [](qint64 value, qint64 by) {
        return value >= 0 ? value / by : (value - by + 1) / by;
    };
    if (unit == QLatin1String("yyyy"))
        return integer(to.date().year() - from.date().year());
    if (unit == QLatin1String("q"))
        return integer((to.date().year() - from.date().year()) * 4 + (to.date().month() - 1) / 3 -
                       (from.date().month() - 1) / 3);
    if (unit == QLatin1String("m"))
        return integer((to.date().year() - from.date().year()) * 12 + to.date().month() -
                       from.date().month());
    if (unit == QLatin1String("w"))
        return integer(from.date().daysTo(to.date()) / 7);
    if (unit == QLatin1String("ww"))
        return integer(sundayWeek(to.date()) - sundayWeek(from.date()));
    const qint64 seconds[] = {floorDiv(secondsSinceEpoch(from), 1), floorDiv(secondsSinceEpoch(to), 1)};
    if (unit == QLatin1String("h"))
        return integer(floorDiv(seconds[1], 3600) - floorDiv(seconds[0], 3600));
    if (unit == QLatin1String("n"))
        return integer(floorDiv(seconds[1], 60) - floorDiv(seconds[0], 60));
    if (unit == QLatin1String("s"))
        return integer(seconds[1] - seconds[0]);
    return integer(from.date().daysTo(to.date()));  // y, d
}

QVariant datePart(const QVariantList& a) {
    const QString unit = interval(a[0], "DatePart");
    const QDateTime when = date(a[1], "DatePart");
    const QDate day = when.date();
    if (unit == QLatin1String("yyyy"))
        return integer(day.year());
    if (unit == QLatin1String("q"))
        return integer((day.month() - 1) / 3 + 1);
    if (unit == QLatin1String("m"))
        return integer(day.month());
    if (unit == QLatin1String("y"))
        return integer(day.dayOfYear());
    if (unit == QLatin1String("d"))
        return integer(day.day());
    if (unit == QLatin1String("w"))
        return integer(day.dayOfWeek() % 7 + 1);
    if (unit == QLatin1String("ww"))
        return integer(sundayWeek(day) - sundayWeek(QDate(day.year(), 1, 1)) + 1);
    if (unit == QLatin1String("h"))
        return integer(when.time().hour());
    if (unit == QLatin1String("n"))
        return integer(when.time().minute());
    return integer(when.time().second());
}

// A number with Spanish separators: a decimal comma and, when asked, points between thousands.
QString spanishNumber(double value, int decimals, bool grouped) {
    QString text = QString::number(std::fabs(roundHalfEven(value, decimals)), 'f', decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text[point] = QLatin1Char(',');
    if (grouped)
        for (qsizetype at = (point >= 0 ? point : text.size()) - 3; at > 0; at -= 3)
            text.insert(at, QLatin1Char('.'));
    return (value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]"))) ? QStringLiteral("-")
                                                                                    : QString()) +
           text;
}

// Format with the common patterns: named ones and digit patterns for numbers, d m y h n s for dates.
QVariant format(const QVariantList& a) {
    const QString pattern = a.size() > 1 ? a[1].toString() : QString();
    const QString named = pattern.toLower();
    const bool numeric = a[0].typeId() == QMetaType::LongLong || a[0].typeId() == QMetaType::Double;
    if (numeric || named == QLatin1String("fixed") || named == QLatin1String("standard") ||
        named == QLatin1String("percent") || named == QLatin1String("currency") ||
        pattern.contains(QLatin1Char('0')) || pattern.contains(QLatin1Char('#'))) {
        if (!numeric && !dateOf(a[0]))
            number(a[0], "Format");
        if (numeric || !pattern.isEmpty()) {
            const double value = number(a[0], "Format");
            if (pattern.isEmpty())
                return numberText(a[0]);
            if (named == QLatin1String("fixed"))
                return spanishNumber(value, 2, false);
            if (named == QLatin1String("standard"))
                return spanishNumber(value, 2, true);
            if (named == QLatin1String("percent"))
                return spanishNumber(value * 100, 2, false) + QStringLiteral("%");
            if (named == QLatin1String("currency"))
                return spanishNumber(value, 2, true) + QStringLiteral(" €");
            const qsizetype point = pattern.indexOf(QLatin1Char('.'));
            const int decimals = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
            return spanishNumber(value, decimals, pattern.contains(QLatin1Char(',')));
        }
    }
    QDateTime when = date(a[0], "Format");
    if (named == QLatin1String("short date") || pattern.isEmpty())
        return pattern.isEmpty() ? JetDates::storedText(when) : when.toString(QStringLiteral("dd/MM/yyyy"));
    if (named == QLatin1String("long time"))
        return when.toString(QStringLiteral("HH:mm:ss"));
    QString qtPattern;
    for (const QChar c : pattern) {
        switch (c.toLower().unicode()) {
            case 'm':
                qtPattern += QLatin1Char('M');
                break;
            case 'n':
                qtPattern += QLatin1Char('m');
                break;
            case 'h':
                qtPattern += QLatin1Char('H');
                break;
            case 'd':
            case 'y':
            case 's':
                qtPattern += c.toLower();
                break;
            default:
                qtPattern += QLatin1Char('\'') + QString(c) + QLatin1Char('\'');
        }
    }
    return when.toString(qtPattern);
}

// a & b: the text of both, Null counting as empty text; Null only when both are.
QVariant concat(const QVariantList& a) {
    if (a[0].isNull() && a[1].isNull())
        return {};
    return (a[0].isNull() ? QString() : numberText(a[0])) + (a[1].isNull() ? QString() : numberText(a[1]));
}
// Mod and \ round both operands to whole numbers first, halves to even.
qint64 wholeDivisor(const QVariant& value, const char* function) {
    const auto divisor = static_cast<qint64>(roundHalfEven(number(value, function), 0));
    if (divisor == 0)
        throw Refusal{QStringLiteral("División por cero en %1.").arg(QLatin1String(function))};
    return divisor;
}
QVariant mod(const QVariantList& a) {
    const qint64 divisor = wholeDivisor(a[1], "Mod");
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "Mod"), 0)) % divisor);
}
QVariant intDiv(const QVariantList& a) {
    const qint64 divisor = wholeDivisor(a[1], "\\");
    return integer(static_cast<qint64>(roundHalfEven(number(a[0], "\\"), 0)) / divisor);
}
QVariant power(const QVariantList& a) {
    return std::pow(number(a[0], "^"), number(a[1], "^"));
}
// LIKE with Jet's wildcards: * any text, ? one character, # one digit, [abc], [a-z] and [!abc]; no case.
QVariant like(const QVariantList& a) {
    const QString pattern = numberText(a[1]);
    QString expression = QStringLiteral("\\A");
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            expression += QStringLiteral(".*");
        } else if (c == QLatin1Char('?')) {
            expression += QLatin1Char('.');
        } else if (c == QLatin1Char('#')) {
            expression += QStringLiteral("[0-9]");
        } else if (c == QLatin1Char('[') && pattern.indexOf(QLatin1Char(']'), i + 1) > i) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            QString set = pattern.mid(i + 1, close - i - 1);
            const bool negated = set.startsWith(QLatin1Char('!'));
            if (negated)
                set.remove(0, 1);
            if (set.isEmpty()) {
                expression += QRegularExpression::escape(QStringLiteral("[]"));
            } else {
                QString escaped;
                for (const QChar member : set)
                    escaped += member == QLatin1Char('-') ? QString(member)
                                                          : QRegularExpression::escape(QString(member));
                expression += QLatin1Char('[') + (negated ? QStringLiteral("^") : QString()) + escaped +
                              QLatin1Char(']');
            }
            i = close;
        } else {
            expression += QRegularExpression::escape(QString(c));
        }
    }
    expression += QStringLiteral("\\z");
    const QRegularExpression re(expression, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return integer(re.match(numberText(a[0])).hasMatch() ? -1 : 0);
}

struct ScalarFunction {
    const char* name;
    int minArgs;
    int maxArgs;
    QVariant (*body)(const QVariantList&);
    bool nullInNullOut;
    bool deterministic;
};

constexpr ScalarFunction kScalarFunctions[] = {
    {"Nz", 1, 2, nz, false, true},
    {"Len", 1, 1, len, true, true},
    {"Right", 2, 2, right, true, true},
    {"Mid", 2, 3, mid, true, true},
    {"UCase", 1, 1, ucase, true, true},
    {"LCase", 1, 1, lcase, true, true},
    {"InStr", 2, 3, inStr, true, true},
    {"String", 2, 2, string, true, true},
    {"Val", 1, 1, val, true, true},
    {"CStr", 1, 1, cstr, true, true},
    {"CDbl", 1, 1, cdbl, true, true},
    {"CCur", 1, 1, ccur, true, true},
    {"CLng", 1, 1, clng, true, true},
    {"CInt", 1, 1, cint, true, true},
    {"Int", 1, 1, intPart, true, true},
    {"Fix", 1, 1, fix, true, true},
    {"Sgn", 1, 1, sgn, true, true},
    {"Round", 1, 2, round, true, true},
    {"Month", 1, 1, month, true, true},
    {"Day", 1, 1, day, true, true},
    {"Hour", 1, 1, hour, true, true},
    {"Minute", 1, 1, minute, true, true},
    {"Second", 1, 1, second, true, true},
    {"Weekday", 1, 2, weekday, true, true},
    {"Date", 0, 0, today, false, true},
    {"DateSerial", 3, 3, dateSerial, true, true},
    {"JetConcat", 2, 2, concat, false, true},
    {"JetMod", 2, 2, mod, true, true},
    {"JetIntDiv", 2, 2, intDiv, true, true},
    {"JetPower", 2, 2, power, true, true},
    {"JetLike", 2, 2, like, true, true},
    {"Str", 1, 1, str, true, true},
    {"CDate", 1, 1, cdate, true, true},
    {"DateAdd", 3, 3, dateAdd, true, true},
    {"DateDiff", 3, 3, dateDiff, true, true},
    {"DatePart", 2, 2, datePart, true, true},
    {"Format", 1, 2, format, true, true},
};

void callScalar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto* function = static_cast<const ScalarFunction*>(sqlite3_user_data(ctx));
    QVariantList args;
    for (int i = 0; i < argc; ++i)
        args.append(fromSqlite(argv[i]));
    if (function->nullInNullOut && anyNull(args)) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        toSqlite(ctx, function->body(args));
    } catch (const Refusal& refusal) {
        const QByteArray utf8 = refusal.message.toUtf8();
        sqlite3_result_error(ctx, utf8.constData(), static_cast<int>(utf8.size()));
    }
}

// First and Last keep the value of the first and of the last row of their group, Null or not.
template <bool kLast>
void keepStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* kept = static_cast<QVariant**>(sqlite3_aggregate_context(ctx, sizeof(QVariant*)));
    if (!kept)
        return;
    if (!*kept)
        *kept = new QVariant(fromSqlite(argv[0]));
    else if (kLast)
        **kept = fromSqlite(argv[0]);
}

void keepFinal(sqlite3_context* ctx) {
    auto* kept = static_cast<QVariant**>(sqlite3_aggregate_context(ctx, 0));
    if (!kept || !*kept) {
        sqlite3_result_null(ctx);
        return;
    }
    toSqlite(ctx, **kept);
    delete *kept;
}

// StDev and Var: of a sample, Null ignored; Null with fewer than two values.
struct Moments {
    qint64 count;
    double mean;
    double squares;  // Welford's sum of squared deviations
};

void momentsStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    auto* moments = static_cast<Moments*>(sqlite3_aggregate_context(ctx, sizeof(Moments)));
    if (!moments)
        return;
    const double value = sqlite3_value_double(argv[0]);
    ++moments->count;
    const double delta = value - moments->mean;
    moments->mean += delta / static_cast<double>(moments->count);
    moments->squares += delta * (value - moments->mean);
}

template <bool kRoot>
void momentsFinal(sqlite3_context* ctx) {
    const auto* moments = static_cast<Moments*>(sqlite3_aggregate_context(ctx, 0));
    if (!moments || moments->count < 2) {
        sqlite3_result_null(ctx);
        return;
    }
    const double variance = moments->squares / static_cast<double>(moments->count - 1);
    sqlite3_result_double(ctx, kRoot ? std::sqrt(variance) : variance);
}

}  // namespace

void registerJetFunctionLibrary(sqlite3* db) {
    for (const ScalarFunction& function : kScalarFunctions) {
        const int flags = SQLITE_UTF8 | (function.deterministic ? SQLITE_DETERMINISTIC : 0);
        for (int args = function.minArgs; args <= function.maxArgs; ++args)
            sqlite3_create_function_v2(db, function.name, args, flags, const_cast<ScalarFunction*>(&function),
                                       callScalar, nullptr, nullptr, nullptr);
    }
    sqlite3_create_function_v2(db, "First", 1, SQLITE_UTF8, nullptr, nullptr, keepStep<false>, keepFinal,
                               nullptr);
    sqlite3_create_function_v2(db, "Last", 1, SQLITE_UTF8, nullptr, nullptr, keepStep<true>, keepFinal,
                               nullptr);
    sqlite3_create_function_v2(db, "StDev", 1, SQLITE_UTF8, nullptr, nullptr, momentsStep, momentsFinal<true>,
                               nullptr);
    sqlite3_create_function_v2(db, "Var", 1, SQLITE_UTF8, nullptr, nullptr, momentsStep, momentsFinal<false>,
                               nullptr);
}

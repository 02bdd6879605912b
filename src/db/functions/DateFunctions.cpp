#include "FunctionFamily.h"
#include "JetValues.h"
#include "db/Clock.h"
#include "db/JetDates.h"
#include "db/SqliteValues.h"

#include <sqlite3.h>

namespace {

using namespace JetValues;

void now(sqlite3_context* ctx, int, sqlite3_value**) {
    SqliteValues::setResultText(ctx, JetDates::storedText(Clock::now()));
}

// Year reads a stored date straight from the text's bytes: it runs once per entry of the selections.
void year(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(ctx);
            return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            sqlite3_result_int(ctx, JetDates::fromSerialDays(sqlite3_value_double(argv[0])).date().year());
            return;
        default:
            break;
    }
    const unsigned char* text = sqlite3_value_text(argv[0]);
    if (const std::optional<QDate> day = JetDates::storedDay(text, sqlite3_value_bytes(argv[0])))
        sqlite3_result_int(ctx, day->year());
    else
        SqliteValues::setResultError(ctx, notADate(SqliteValues::text(argv[0]), "Year").message);
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
    return JetDates::epoch().daysTo(when.date()) * 86400 + when.time().msecsSinceStartOfDay() / 1000;
}

// Which week a day is in, weeks starting on Sunday.
qint64 sundayWeek(const QDate& day) {
    const qint64 days = JetDates::epoch().addDays(1).daysTo(day);  // the day after the epoch is a Sunday
    return days >= 0 ? days / 7 : (days - 6) / 7;
}

qint64 floorDivision(qint64 value, qint64 by) {
    return value >= 0 ? value / by : (value - by + 1) / by;
}

// DateDiff counts the boundaries of the interval between the two dates, as Jet does.
QVariant dateDiff(const QVariantList& a) {
    const QString unit = interval(a[0], "DateDiff");
    const QDateTime from = date(a[1], "DateDiff");
    const QDateTime to = date(a[2], "DateDiff");
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
    const qint64 seconds[] = {secondsSinceEpoch(from), secondsSinceEpoch(to)};
    if (unit == QLatin1String("h"))
        return integer(floorDivision(seconds[1], 3600) - floorDivision(seconds[0], 3600));
    if (unit == QLatin1String("n"))
        return integer(floorDivision(seconds[1], 60) - floorDivision(seconds[0], 60));
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

constexpr ScalarFunction kScalars[] = {
    {"Month", 1, 1, month, true},       {"Day", 1, 1, day, true},
    {"Hour", 1, 1, hour, true},         {"Minute", 1, 1, minute, true},
    {"Second", 1, 1, second, true},     {"Weekday", 1, 2, weekday, true},
    {"Date", 0, 0, today, false},       {"DateSerial", 3, 3, dateSerial, true},
    {"CDate", 1, 1, cdate, true},       {"DateAdd", 3, 3, dateAdd, true},
    {"DateDiff", 3, 3, dateDiff, true}, {"DatePart", 2, 2, datePart, true},
};

constexpr NativeFunction kNatives[] = {
    {"Now", 0, now},
    {"Year", 1, year},
};

}  // namespace

FunctionFamily dateFunctions() {
    return {kScalars, kNatives};
}

#include "JetDates.h"

#include <cmath>

namespace JetDates {

namespace {

const QString kDay = QStringLiteral("yyyy-MM-dd");
const QString kDayAndTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int kSecondsPerDay = 86400;

// "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss", its parts checked digit by digit.
struct StoredParts {
    QDate day;
    QTime time;
};

std::optional<StoredParts> storedParts(const unsigned char* text, qsizetype size) {
    if (size != 10 && size != 19)
        return std::nullopt;
    const auto digit = [&](qsizetype i) { return text[i] >= '0' && text[i] <= '9'; };
    const auto number = [&](qsizetype from, qsizetype digits) {
        int value = 0;
        for (qsizetype i = from; i < from + digits; ++i) {
            if (!digit(i))
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    if (year < 0 || month < 0 || day < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    StoredParts parts{QDate(year, month, day), QTime(0, 0)};
    if (size == 10)
        return parts;
    if (text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    const int second = number(17, 2);
    if (hour < 0 || minute < 0 || second < 0 || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    parts.time = QTime(hour, minute, second);
    return parts;
}

struct DayAndSecond {
    QDate day;
    int second;  // of the day
};

// A serial day number as a calendar day and a second of it, a fraction that rounds up to the next
// day being that day's midnight. Wall-clock arithmetic: no time zone and no daylight saving.
DayAndSecond split(double days) {
    const double whole = std::trunc(days);
    const qint64 seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
    const QDate day = epoch().addDays(static_cast<qint64>(whole) + seconds / kSecondsPerDay);
    return {day, static_cast<int>(seconds % kSecondsPerDay)};
}

}  // namespace

QDate epoch() {
    return QDate(1899, 12, 30);
}

QString storedText(const QDateTime& moment) {
    return moment.toString(moment.time() == QTime(0, 0) ? kDay : kDayAndTime);
}

QDateTime fromStoredText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const auto parts = storedParts(reinterpret_cast<const unsigned char*>(utf8.constData()), utf8.size());
    return parts ? QDateTime(parts->day, parts->time) : QDateTime();
}

std::optional<QDate> storedDay(const unsigned char* utf8, qsizetype size) {
    const auto parts = storedParts(utf8, size);
    return parts ? std::optional<QDate>(parts->day) : std::nullopt;
}

QDateTime fromSerialDays(double days) {
    const DayAndSecond moment = split(days);
    return QDateTime(moment.day, QTime(0, 0).addSecs(moment.second));
}

QString serialDaysText(double days) {
    const DayAndSecond moment = split(days);
    int year = 0;
    int month = 0;
    int day = 0;
    moment.day.getDate(&year, &month, &day);
    if (year < 1 || year > 9999)
        return storedText(fromSerialDays(days));
    // Written digit by digit: the reading of an Access file turns millions of dates into text.
    char16_t text[19];
    qsizetype length = 0;
    const auto put = [&](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[length + i] = static_cast<char16_t>(u'0' + value % 10);
        length += digits;
    };
    const auto separator = [&](char16_t c) { text[length++] = c; };
    put(year, 4);
    separator(u'-');
    put(month, 2);
    separator(u'-');
    put(day, 2);
    if (moment.second != 0) {
        separator(u' ');
        put(moment.second / 3600, 2);
        separator(u':');
        put(moment.second / 60 % 60, 2);
        separator(u':');
        put(moment.second % 60, 2);
    }
    return QString(reinterpret_cast<const QChar*>(text), length);
}

}  // namespace JetDates

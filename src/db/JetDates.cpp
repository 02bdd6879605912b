#include "JetDates.h"

#include <cmath>

namespace JetDates {

namespace {
const QString kDay = QStringLiteral("yyyy-MM-dd");
const QString kDayAndTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int kSecondsPerDay = 86400;
}  // namespace

QString storedText(const QDateTime& moment) {
    return moment.toString(moment.time() == QTime(0, 0) ? kDay : kDayAndTime);
}

QDateTime fromStoredText(const QString& text) {
    const QDateTime moment = QDateTime::fromString(text, kDayAndTime);
    if (moment.isValid())
        return moment;
    const QDate day = QDate::fromString(text, kDay);
    return day.isValid() ? QDateTime(day, QTime(0, 0)) : QDateTime();
}

namespace {

struct DayAndSecond {
    QDate day;
    int second;  // of the day
};

// A serial day number as a calendar day and a second of it, a fraction that rounds up to the next
// day being that day's midnight. Wall-clock arithmetic: no time zone and no daylight saving.
DayAndSecond split(double days) {
    const double whole = std::trunc(days);
    const qint64 seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
    const QDate day = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole) + seconds / kSecondsPerDay);
    return {day, static_cast<int>(seconds % kSecondsPerDay)};
}

}  // namespace

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

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

QDateTime fromSerialDays(double days) {
    const double whole = std::trunc(days);
    const QDateTime start(QDate(1899, 12, 30).addDays(static_cast<qint64>(whole)), QTime(0, 0));
    return start.addSecs(std::llround(std::fabs(days - whole) * kSecondsPerDay));
}

}  // namespace JetDates

// Day counts to and from QDate/QTime.
#include "foundation/QOR_DateTime.h"

#include <cmath>
#include <cstdint>

namespace qor {

namespace {
constexpr std::int64_t kMsPerDay = 86400000;
bool inRange(const QDate& d) { return d.isValid() && d.year() >= 1 && d.year() <= 9999; }
} // namespace

bool TryDecodeDateTime(TDateTime value, QDate& date, QTime& time)
{
    // Years 1..9999 lie within +-3e6 days of the epoch; the bound keeps the
    // conversion to an integer defined.
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return false;
    const double whole = std::trunc(value);
    std::int64_t days = std::int64_t(whole);
    std::int64_t ms = std::llround(std::fabs(value - whole) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++days;
    }
    const QDate d = DateTimeEpoch().addDays(days);
    if (!inRange(d))
        return false;
    date = d;
    time = QTime::fromMSecsSinceStartOfDay(int(ms));
    return true;
}

static QString badValue(TDateTime value)
{
    return QStringLiteral("Invalid date/time value: %1").arg(value, 0, 'g', 17);
}

QDate DateTimeToQDate(TDateTime value)
{
    QDate d;
    QTime t;
    if (!TryDecodeDateTime(value, d, t))
        throw EQORConvertError(badValue(value));
    return d;
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    QDate d;
    QTime t;
    if (!TryDecodeDateTime(value, d, t))
        throw EQORConvertError(badValue(value));
    return QDateTime(d, t);
}

TDateTime QDateToDateTime(const QDate& date)
{
    if (!inRange(date))
        throw EQORConvertError(QStringLiteral("Invalid date: %1").arg(date.toString(Qt::ISODate)));
    return TDateTime(DateTimeEpoch().daysTo(date));
}

TDateTime QDateTimeToDateTime(const QDateTime& dateTime)
{
    const TDateTime days = QDateToDateTime(dateTime.date());
    const double frac = double(dateTime.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    // Before the epoch the whole part counts towards minus infinity while the time of day
    // stays positive, so the fraction is taken away.
    return days < 0 ? days - frac : days + frac;
}

TDateTime EncodeDate(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (year < 1 || year > 9999 || !d.isValid())
        throw EQORConvertError(
            QStringLiteral("Invalid date: year %1, month %2, day %3").arg(year).arg(month).arg(day));
    return TDateTime(DateTimeEpoch().daysTo(d));
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const QDate d = DateTimeToQDate(value);
    year = d.year();
    month = d.month();
    day = d.day();
}

TDateTime Now() { return QDateTimeToDateTime(QDateTime::currentDateTime()); }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DayOfTheWeek(TDateTime value) { return DateTimeToQDate(value).dayOfWeek(); }

int WeekOfTheYear(TDateTime value) { return DateTimeToQDate(value).weekNumber(); }

} // namespace qor

// Dates and times as a day count: whole days since 1899-12-30 (day 0) with the time of day
// as the fraction. A negative count keeps its time of day positive (-1.25 is 1899-12-29
// 06:00). The conversions go through QDate and QTime; the years 1..9999 are the range.
#pragma once

#include "foundation/QOR_Core.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace qor {

using TDateTime = double;

/// Raised when a date or time cannot be encoded or decoded (an impossible date, a day
/// count outside the years 1..9999, a value that is not a number).
class EQORConvertError : public EQORError {
public:
    using EQORError::EQORError;
};

/// The date of day 0.
inline QDate DateTimeEpoch() { return QDate(1899, 12, 30); }

/// Splits a day count into its date and time of day (the time rounded to the millisecond);
/// false when the count is not finite or its date lies outside the years 1..9999.
bool TryDecodeDateTime(TDateTime value, QDate& date, QTime& time);
/// The date of a day count; raises EQORConvertError where TryDecodeDateTime fails.
QDate DateTimeToQDate(TDateTime value);
QDateTime DateTimeToQDateTime(TDateTime value);
/// The day count of a date (time of day 0); raises EQORConvertError for an invalid date
/// or one outside the years 1..9999.
TDateTime QDateToDateTime(const QDate& date);
TDateTime QDateTimeToDateTime(const QDateTime& dateTime);

/// The day count of year, month and day; raises EQORConvertError for an impossible date.
TDateTime EncodeDate(int year, int month, int day);
/// Year, month and day of a day count; raises EQORConvertError where TryDecodeDateTime fails.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
/// The current local date and time.
TDateTime Now();
/// Gregorian leap year.
bool IsLeapYear(int year);
/// ISO weekday of a day count: Monday 1 .. Sunday 7.
int DayOfTheWeek(TDateTime value);
/// ISO 8601 week number of a day count.
int WeekOfTheYear(TDateTime value);

} // namespace qor

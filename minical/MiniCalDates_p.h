// Calendar arithmetic of the month calendar, free of widgets: month lengths, Easter and the
// feasts that follow it, where a day sits in the 7 x 6 day block, the built-in holiday
// tables and the cell sizes for a client size.
#pragma once

#include "foundation/QOR_Core.h"

namespace qor::minical {

/// Days of a month (1..12) of the Gregorian calendar; 0 for any other month.
int DaysInMonth(int year, int month);

/// Easter Sunday of a year as a day of March (32 is 1 April), by Gauss's rule.
int EasterDay(int year);

/// The movable feasts in table order, with their distance from Easter Sunday.
constexpr int NrMovableFeasts = 6;
constexpr int MovableFeastOffset[NrMovableFeasts] = {0, 1, 39, 49, 50, 60};

/// Index (0..5) of the movable feast on that date, -1 if none. Only March to June is searched.
int MovableFeast(int year, int month, int day);

/// The built-in fixed holidays, every year, in the order the list keeps them.
constexpr int NrBuiltInHolidays = 8;
struct TDayMonth {
    int Day;
    int Month;
};
constexpr TDayMonth BuiltInHoliday[NrBuiltInHolidays] = {{25, 12}, {26, 12}, {1, 1},  {6, 1},
                                                         {15, 8},  {1, 11},  {8, 12}, {1, 5}};
/// Captions by language; languages outside 1..4 get the English ones.
QString BuiltInHolidayCaption(TLanguage lang, int index);
QString MovableFeastCaption(TLanguage lang, int index);

/// MonOfs for a month whose first day has the ISO weekday `weekdayOfFirst` (Monday 1 ..
/// Sunday 7) when the week starts with `firstDayOfWeek` (0 Monday .. 6 Sunday).
int MonthOffset(int weekdayOfFirst, int firstDayOfWeek);
/// The day number a day cell shows before wrapping into the neighbouring months.
inline int CellDayNumber(int col, int row, int monOfs) { return 7 * (row - 2) + col - 1 + monOfs; }
/// Grid column and row of a day of the month.
inline int DayCol(int day, int monOfs) { return (day - monOfs) % 7 + 1; }
inline int DayRow(int day, int monOfs) { return (day - monOfs) / 7 + 2; }

/// Cell sizes for a client area: eight equal columns and rows, the first row and column
/// taking up the remainder.
struct TMiniCalSizes {
    int ColWidth = 0;
    int RowHeight = 0;
    int Row0Height = 0;
    int Col0Width = 0;
};
/// `borderSingle` and `ctl3D` describe the classic border (a 2-pixel sunken edge with Ctl3D,
/// a 1-pixel line without) that the remainder rule was made for; the rule is applied to the
/// client size plus that border, so the grid fills the client area the same way whatever
/// frame the widget draws.
TMiniCalSizes MiniCalSizing(int clientWidth, int clientHeight, int lineWidth, bool ctl3D, bool borderSingle);

} // namespace qor::minical

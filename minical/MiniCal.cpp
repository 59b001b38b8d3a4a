// The month calendar: the date and its parts, month and year steps, the holiday list and
// the update step that follows every change.
#include "minical/QOR_MiniCal.h"

#include "minical/MiniCalDates_p.h"

#include <algorithm>

namespace qor {

using namespace minical;

TMiniCal::TMiniCal(QWidget* owner)
    : TCustomDrawGrid(owner)
{
    FDayColors = {0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
    SetDefaultDrawing(false);
    SetColCount(8);
    SetRowCount(8);
    SetFixedCols(1);
    SetFixedRows(2);
    SetGridLineWidth(1);
    SetScrollBars(ssNone);
    SetBorderStyle(bsSingle);
    SetOptions(Options() - goRangeSelect + goDrawFocusSelected);
    SetDoubleBuffered(true);
    resize(300, 180);
    applySizing();
    FDate = Now();
    buildHolidayList();
    updateCalendar();
}

TMiniCal::~TMiniCal() = default;

void TMiniCal::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TMiniCal::setColour(TColor& field, TColor c)
{
    field = c;
    Repaint();
}

// ---- the date ------------------------------------------------------------------------------

void TMiniCal::SetDate(TDateTime value)
{
    DateTimeToQDate(value); // refuses what cannot be shown, before anything changes
    FDate = value;
    updateCalendar();
    Changed();
}

int TMiniCal::Year() const
{
    return DateTimeToQDate(FDate).year();
}

int TMiniCal::Month() const
{
    return DateTimeToQDate(FDate).month();
}

int TMiniCal::Day() const
{
    return DateTimeToQDate(FDate).day();
}

void TMiniCal::SetYear(int value)
{
    if (value < 0)
        return;
    const QDate d = DateTimeToQDate(FDate);
    FDate = EncodeDate(value, d.month(), d.day());
    updateCalendar();
    Changed();
}

void TMiniCal::SetMonth(int value)
{
    if (value < 0 || value > 12)
        return;
    const QDate d = DateTimeToQDate(FDate);
    FDate = EncodeDate(d.year(), value, d.day());
    updateCalendar();
    Changed();
}

void TMiniCal::SetDay(int value)
{
    const QDate d = DateTimeToQDate(FDate);
    if (value < 0 || value > DaysInMonth(d.year(), d.month()))
        return;
    FDate = EncodeDate(d.year(), d.month(), value);
    updateCalendar();
    Changed();
}

void TMiniCal::stepMonth(int delta)
{
    const QDate d = DateTimeToQDate(FDate);
    const QDate edge = delta < 0 ? QDate(d.year(), d.month(), 1)
                                 : QDate(d.year(), d.month(), DaysInMonth(d.year(), d.month()));
    const QDate next = edge.addDays(delta);
    // Year 1 and 9999 have no neighbours: EncodeDate refuses them and the date stays.
    SetDate(EncodeDate(next.year(), next.month(),
                       std::min(d.day(), DaysInMonth(next.year(), next.month()))));
}

void TMiniCal::PrevMonth() { stepMonth(-1); }
void TMiniCal::NextMonth() { stepMonth(+1); }

void TMiniCal::PrevYear()
{
    if (Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() - 1);
}

void TMiniCal::NextYear()
{
    if (Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() + 1);
}

void TMiniCal::LastDayOfMonth()
{
    const QDate d = DateTimeToQDate(FDate);
    SetDay(DaysInMonth(d.year(), d.month()));
}

// ---- holidays -----------------------------------------------------------------------------

bool TMiniCal::CheckHoliday(int year, int month, int day, QString& Caption) const
{
    Caption.clear();
    for (int r = 1; r <= FHolidays.NrOfRows(); ++r) {
        const int y = FHolidays.GetVal(3, r);
        if (FHolidays.GetVal(1, r) == day && FHolidays.GetVal(2, r) == month
            && (y == MiniCalEveryYear || y == year)) {
            Caption = FHolidayCaptions.value(r - 1);
            return true;
        }
    }
    if (!FShowMovableHolidays)
        return false;
    const int feast = MovableFeast(year, month, day);
    if (feast < 0)
        return false;
    Caption = MovableFeastCaption(FLanguage, feast);
    return true;
}

void TMiniCal::appendHoliday(int day, int mon, int year, const QString& caption)
{
    const int row = FHolidays.NrOfRows() + 1;
    FHolidays.Resize(3, row);
    FHolidays.SetVal(1, row, day);
    FHolidays.SetVal(2, row, mon);
    FHolidays.SetVal(3, row, year);
    FHolidayCaptions.append(caption);
}

void TMiniCal::buildHolidayList()
{
    FHolidayCaptions.clear();
    FHolidays.Resize(3, 0);
    for (int i = 0; i < NrBuiltInHolidays; ++i)
        appendHoliday(BuiltInHoliday[i].Day, BuiltInHoliday[i].Month, MiniCalEveryYear,
                      BuiltInHolidayCaption(FLanguage, i));
}

void TMiniCal::ClearHolidayList()
{
    FHolidayCaptions.clear();
    FHolidays.SetNRows(0);
    updateCalendar();
    Repaint();
}

void TMiniCal::AddHoliday(int day, int mon, int year, const QString& Caption)
{
    appendHoliday(day, mon, year, Caption);
    updateCalendar();
    Repaint();
}

void TMiniCal::AddRepeatHoliday(int day, int mon, const QString& Caption)
{
    appendHoliday(day, mon, MiniCalEveryYear, Caption);
    updateCalendar();
    Repaint();
}

bool TMiniCal::RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay,
                               QString& Description) const
{
    if (HDIndex < 1 || HDIndex > NumHolidays())
        return false;
    Day = FHolidays.GetVal(1, HDIndex);
    Month = FHolidays.GetVal(2, HDIndex);
    Year = FHolidays.GetVal(3, HDIndex);
    IsRepeatHDay = Year == MiniCalEveryYear;
    Description = FHolidayCaptions.value(HDIndex - 1);
    return true;
}

// ---- settings -----------------------------------------------------------------------------

TColor TMiniCal::DayColors(TDayOfWeek day) const
{
    return unsigned(day) < FDayColors.size() ? FDayColors[day] : TColor(0);
}

void TMiniCal::SetDayColors(TDayOfWeek day, TColor c)
{
    if (unsigned(day) >= FDayColors.size())
        return;
    FDayColors[day] = c;
    updateCalendar();
    Changed();
}

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek d)
{
    if (d == FFirstDayOfWeek || unsigned(d) > dwSun)
        return;
    FFirstDayOfWeek = d;
    updateCalendar();
    Changed();
}

void TMiniCal::SetIndicateHolidays(bool v)
{
    FIndicateHolidays = v;
    updateCalendar();
    Repaint();
}

void TMiniCal::SetLanguage(TLanguage lang)
{
    FLanguage = lang;
    buildHolidayList();
    updateCalendar();
}

void TMiniCal::SetMarkToday(bool v)
{
    FMarkToday = v;
    Repaint();
}

void TMiniCal::SetShowHolidayHint(bool v)
{
    FShowHolidayHint = v;
    SetHint(QString());
    if (v)
        SetShowHint(true);
    updateCalendar();
    Repaint();
}

void TMiniCal::SetShowMonthShort(bool v)
{
    FShowMonthShort = v;
    Repaint();
}

void TMiniCal::SetShowMovableHolidays(bool v)
{
    FShowMovableHolidays = v;
    updateCalendar();
    Repaint();
}

void TMiniCal::HintChanged()
{
    // The viewport gets the mouse, so it carries the tooltip as well.
    viewport()->setToolTip(ShowHint() ? Hint() : QString());
}

// ---- the update step ------------------------------------------------------------------------

void TMiniCal::updateCalendar()
{
    const QDate d = DateTimeToQDate(FDate);
    FMonOfs = MonthOffset(QDate(d.year(), d.month(), 1).dayOfWeek(), FFirstDayOfWeek);
    MoveColRow(DayCol(d.day(), FMonOfs), DayRow(d.day(), FMonOfs), false, false);
    if (FShowHolidayHint) {
        QString caption;
        const bool holiday = FIndicateHolidays && CheckHoliday(d.year(), d.month(), d.day(), caption);
        SetHint(holiday ? caption : QString());
    }
    Invalidate();
}

} // namespace qor

// The month calendar: an 8 x 8 grid with a title row (navigation buttons, month and year),
// a row of weekday names, six week rows with the days of the month and the neighbouring
// months, and a column of ISO week numbers. It keeps one date, marks today, colours
// weekends and holidays, and knows fixed holidays (eight built in, more added by the
// application) and the six movable feasts that follow Easter, in four languages.
#pragma once

#include "foundation/QOR_DateTime.h"
#include "foundation/QOR_Grid.h"
#include "foundation/QOR_IntMatrix.h"

#include <QStringList>
#include <array>

namespace qor {

inline namespace minical_enums {
Q_NAMESPACE
enum TDayOfWeek : Byte { dwMon = 0, dwTue = 1, dwWed = 2, dwThu = 3, dwFri = 4, dwSat = 5, dwSun = 6 };
Q_ENUM_NS(TDayOfWeek)
} // namespace minical_enums

/// Background colours of the day cells by weekday.
using TDayColors = std::array<TColor, 7>;

/// The year stored for a holiday that recurs every year.
constexpr int MiniCalEveryYear = -99999;

class TMiniCal : public TCustomDrawGrid {
    Q_OBJECT
    Q_PROPERTY(bool AutoSwitch READ AutoSwitch WRITE SetAutoSwitch)
    Q_PROPERTY(quint32 ColorActiveMonth READ ColorActiveMonth WRITE SetColorActiveMonth)
    Q_PROPERTY(quint32 ColorInactiveMonth READ ColorInactiveMonth WRITE SetColorInactiveMonth)
    Q_PROPERTY(quint32 ColorWeekNoBg READ ColorWeekNoBg WRITE SetColorWeekNoBg)
    Q_PROPERTY(quint32 ColorWeekNoFg READ ColorWeekNoFg WRITE SetColorWeekNoFg)
    Q_PROPERTY(quint32 ColorDayIdBg READ ColorDayIdBg WRITE SetColorDayIdBg)
    Q_PROPERTY(quint32 ColorDayIdFg READ ColorDayIdFg WRITE SetColorDayIdFg)
    Q_PROPERTY(quint32 ColorSelectedBg READ ColorSelectedBg WRITE SetColorSelectedBg)
    Q_PROPERTY(quint32 ColorSelectedFg READ ColorSelectedFg WRITE SetColorSelectedFg)
    Q_PROPERTY(quint32 ColorHolidayBg READ ColorHolidayBg WRITE SetColorHolidayBg)
    Q_PROPERTY(quint32 ColorHolidayFg READ ColorHolidayFg WRITE SetColorHolidayFg)
    Q_PROPERTY(quint32 ColorToday READ ColorToday WRITE SetColorToday)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(int Day READ Day WRITE SetDay STORED false)
    Q_PROPERTY(qor::minical_enums::TDayOfWeek FirstDayOfWeek READ FirstDayOfWeek WRITE SetFirstDayOfWeek)
    Q_PROPERTY(bool IndicateHolidays READ IndicateHolidays WRITE SetIndicateHolidays)
    Q_PROPERTY(qor::core_enums::TLanguage Language READ Language WRITE SetLanguage)
    Q_PROPERTY(bool MarkToday READ MarkToday WRITE SetMarkToday)
    Q_PROPERTY(int Month READ Month WRITE SetMonth STORED false)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ShowHolidayHint READ ShowHolidayHint WRITE SetShowHolidayHint)
    Q_PROPERTY(bool ShowMonthShort READ ShowMonthShort WRITE SetShowMonthShort)
    Q_PROPERTY(bool ShowMovableHolidays READ ShowMovableHolidays WRITE SetShowMovableHolidays)
    Q_PROPERTY(int Year READ Year WRITE SetYear STORED false)

public:
    explicit TMiniCal(QWidget* owner = nullptr);
    ~TMiniCal() override;

    // ---- the date
    TDateTime Date() const { return FDate; }
    /// Stores the date (its time of day is kept but not used), updates and fires OnChange.
    /// A day count outside the years 1..9999 raises EQORConvertError and changes nothing.
    void SetDate(TDateTime value);
    int Year() const;
    /// Negative years are ignored; year 0 or a date that does not exist in the new year
    /// (29 February) raises EQORConvertError and leaves Date as it was.
    void SetYear(int value);
    int Month() const;
    /// Months outside 0..12 are ignored; 0 or a day the new month lacks raises EQORConvertError.
    void SetMonth(int value);
    int Day() const;
    /// Days below 0 or beyond the month are ignored; day 0 raises EQORConvertError.
    void SetDay(int value);
    /// Day number shown in column 1 of the first week row (0 or less: a day of the month before).
    int MonOfs() const { return FMonOfs; }

    void PrevMonth();
    void NextMonth();
    void PrevYear();
    void NextYear();
    void LastDayOfMonth();

    // ---- holidays
    /// True when the date is a holiday (a listed one first, then a movable feast), with its caption.
    bool CheckHoliday(int year, int month, int day, QString& Caption) const;
    void ClearHolidayList();
    void AddHoliday(int day, int mon, int year, const QString& Caption);
    void AddRepeatHoliday(int day, int mon, const QString& Caption);
    /// Holiday HDIndex (1..NumHolidays); false and the outputs untouched otherwise.
    bool RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay,
                         QString& Description) const;
    int NumHolidays() const { return FHolidays.NrOfRows(); }

    // ---- settings
    bool AutoSwitch() const { return FAutoSwitch; }
    void SetAutoSwitch(bool v) { FAutoSwitch = v; }
    TColor ColorActiveMonth() const { return FColorActiveMonth; }
    void SetColorActiveMonth(TColor c) { setColour(FColorActiveMonth, c); }
    TColor ColorInactiveMonth() const { return FColorInactiveMonth; }
    void SetColorInactiveMonth(TColor c) { setColour(FColorInactiveMonth, c); }
    TColor ColorWeekNoBg() const { return FColorWeekNoBg; }
    void SetColorWeekNoBg(TColor c) { setColour(FColorWeekNoBg, c); }
    TColor ColorWeekNoFg() const { return FColorWeekNoFg; }
    void SetColorWeekNoFg(TColor c) { setColour(FColorWeekNoFg, c); }
    TColor ColorDayIdBg() const { return FColorDayIdBg; }
    void SetColorDayIdBg(TColor c) { setColour(FColorDayIdBg, c); }
    TColor ColorDayIdFg() const { return FColorDayIdFg; }
    void SetColorDayIdFg(TColor c) { setColour(FColorDayIdFg, c); }
    TColor ColorSelectedBg() const { return FColorSelectedBg; }
    void SetColorSelectedBg(TColor c) { setColour(FColorSelectedBg, c); }
    TColor ColorSelectedFg() const { return FColorSelectedFg; }
    void SetColorSelectedFg(TColor c) { setColour(FColorSelectedFg, c); }
    TColor ColorHolidayBg() const { return FColorHolidayBg; }
    void SetColorHolidayBg(TColor c) { setColour(FColorHolidayBg, c); }
    TColor ColorHolidayFg() const { return FColorHolidayFg; }
    void SetColorHolidayFg(TColor c) { setColour(FColorHolidayFg, c); }
    TColor ColorToday() const { return FColorToday; }
    void SetColorToday(TColor c) { setColour(FColorToday, c); }
    TColor DayColors(TDayOfWeek day) const;
    /// Ignored for an ordinal outside dwMon..dwSun.
    void SetDayColors(TDayOfWeek day, TColor c);
    TDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TDayOfWeek d);
    bool IndicateHolidays() const { return FIndicateHolidays; }
    void SetIndicateHolidays(bool v);
    TLanguage Language() const { return FLanguage; }
    /// Rebuilds the holiday list with the built-in holidays in the new language, so holidays
    /// the application added are gone.
    void SetLanguage(TLanguage lang);
    bool MarkToday() const { return FMarkToday; }
    void SetMarkToday(bool v);
    bool ShowHolidayHint() const { return FShowHolidayHint; }
    void SetShowHolidayHint(bool v);
    bool ShowMonthShort() const { return FShowMonthShort; }
    void SetShowMonthShort(bool v);
    bool ShowMovableHolidays() const { return FShowMovableHolidays; }
    void SetShowMovableHolidays(bool v);


    TNotifyEvent OnChange;

    /// The design size.

    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    /// The calendar takes no keys: the events fire and the key goes on to the parent.
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;

protected:
    /// Fires OnChange.
    virtual void Changed();
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void HintChanged() override;

private:
    void setColour(TColor& field, TColor c);
    /// The update step: MonOfs, the grid's current cell, the holiday hint, a repaint.
    void updateCalendar();
    void buildHolidayList();
    void stepMonth(int delta);
    void appendHoliday(int day, int mon, int year, const QString& caption);
    /// Cell sizes from the client size; true when they changed.
    bool applySizing();
    void drawButtonFrame(const TRect& r);
    void mouseDownCell(int col, int row);

    TDateTime FDate = 0;
    int FMonOfs = 1;
    TIntMatrix FHolidays;
    QStringList FHolidayCaptions;
    TDayColors FDayColors{};
    TDayOfWeek FFirstDayOfWeek = dwMon;
    TLanguage FLanguage = lgEnglish;
    bool FAutoSwitch = true;
    bool FIndicateHolidays = true;
    bool FMarkToday = true;
    bool FShowHolidayHint = true;
    bool FShowMonthShort = true;
    bool FShowMovableHolidays = true;
    TColor FColorActiveMonth = 0x000000;
    TColor FColorInactiveMonth = 0xC0C0C0;
    TColor FColorWeekNoBg = 0xC0C0C0;
    TColor FColorWeekNoFg = 0x000000;
    TColor FColorDayIdBg = 0xC0C0C0;
    TColor FColorDayIdFg = 0x000000;
    TColor FColorSelectedBg = 0xD0A040;
    TColor FColorSelectedFg = 0xFFFFFF;
    TColor FColorHolidayBg = 0x9BD8F1;
    TColor FColorHolidayFg = 0x0000C0;
    TColor FColorToday = 0x0000FF;

    // What the cell sizes were computed for, so a change of Ctl3D, border or line width
    // re-sizes the cells at the next paint.
    struct SizedFor {
        int W = -1, H = -1, G = -1;
        bool Ctl3D = false, Border = false;
        bool operator==(const SizedFor&) const = default;
    } FSizedFor;
    // Today as the paint in progress sees it.
    QDate FPaintToday;
};

} // namespace qor

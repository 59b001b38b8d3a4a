// Painting of the month calendar: cell sizes from the client size and the cells one by one.
#include "minical/QOR_MiniCal.h"

#include "minical/MiniCalDates_p.h"

namespace qor {

using namespace minical;

bool TMiniCal::applySizing()
{
    const SizedFor now{ClientWidth(), ClientHeight(), GridLineWidth(), Ctl3D(), BorderStyle() == bsSingle};
    if (now == FSizedFor)
        return false;
    FSizedFor = now;
    const TMiniCalSizes s = MiniCalSizing(now.W, now.H, now.G, now.Ctl3D, now.Border);
    SetDefaultColWidth(s.ColWidth);
    SetDefaultRowHeight(s.RowHeight);
    SetRowHeights(0, s.Row0Height);
    SetGridColWidths(0, s.Col0Width);
    return true;
}

void TMiniCal::Resize()
{
    applySizing();
    TCustomDrawGrid::Resize();
}

void TMiniCal::Paint()
{
    // Ctl3D, the border and the line width change the cell sizes without a resize.
    applySizing();
    FPaintToday = QDate::currentDate();
    TCustomDrawGrid::Paint();
}

void TMiniCal::drawButtonFrame(const TRect& r)
{
    TCanvas* cv = Canvas();
    TPen* pen = cv->Pen();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    pen->SetColor(0xFFFFFF);
    cv->MoveTo(L, B - 1);
    cv->LineTo(L, T);
    cv->LineTo(R, T);
    pen->SetColor(0x686868);
    cv->MoveTo(L, B);
    cv->LineTo(R, B);
    cv->LineTo(R, T);
    pen->SetColor(0x9CA0A5);
    cv->MoveTo(L + 1, B - 1);
    cv->LineTo(R - 1, B - 1);
    cv->LineTo(R - 1, T);
    pen->SetColor(0xE6E2E2);
    cv->MoveTo(L + 1, B - 2);
    cv->LineTo(L + 1, T + 1);
    cv->LineTo(R - 1, T + 1);
}

void TMiniCal::DrawCell(int ACol, int ARow, const TRect& cellRect, TGridDrawState)
{
    TCanvas* cv = Canvas();
    TRect rect = cellRect;
    const QDate date = DateTimeToQDate(FDate);
    const int year = date.year();
    const int month = date.month();
    const int days = DaysInMonth(year, month);
    const int g = GridLineWidth();
    cv->Font()->SetColor(clBlack);
    cv->Brush()->SetStyle(bsSolid);
    QString text;
    bool button = false;
    int todayDay = 0; // the day cell that shows today, if any

    if (ARow == 0) {
        switch (ACol) {
        case 1: text = QStringLiteral("<<"); break;
        case 2: text = QStringLiteral("<"); break;
        case 6: text = QStringLiteral(">"); break;
        case 7: text = QStringLiteral(">>"); break;
        case 5:
            // The title spans columns 3 to 5, which draw nothing themselves.
            text = (FShowMonthShort ? MonthShort(FLanguage, month) : MonthLong(FLanguage, month))
                + QLatin1Char(' ') + QString::number(year);
            rect.Left -= 2 * (rect.Width() + g);
            break;
        default: return;
        }
        button = true;
        cv->Brush()->SetColor(clBtnFace);
    } else if (ARow == 1) {
        if (ACol == 0) {
            // "#" heads the week numbers and takes the corner cell above it.
            text = QStringLiteral("#");
            rect.Top -= RowHeights(0) + g;
            button = true;
            cv->Brush()->SetColor(clBtnFace);
        } else {
            text = WeekDayShort(FLanguage, (int(FFirstDayOfWeek) + ACol - 1) % 7);
            cv->Brush()->SetColor(FColorDayIdBg);
            cv->Font()->SetColor(FColorDayIdFg);
        }
    } else if (ACol == 0) {
        const QDate first(year, month, 1);
        text = QString::number(first.addDays(7 * (ARow - 2)).weekNumber());
        cv->Brush()->SetColor(FColorWeekNoBg);
        cv->Font()->SetColor(FColorWeekNoFg);
    } else {
        const int n = CellDayNumber(ACol, ARow, FMonOfs);
        cv->Brush()->SetColor(FDayColors[size_t((ACol + int(FFirstDayOfWeek) - 1) % 7)]);
        if (n < 1) {
            text = QString::number((month == 1 ? 31 : DaysInMonth(year, month - 1)) + n);
            cv->Font()->SetColor(FColorInactiveMonth);
        } else if (n > days) {
            text = QString::number(n - days);
            cv->Font()->SetColor(FColorInactiveMonth);
        } else {
            text = QString::number(n);
            cv->Font()->SetColor(FColorActiveMonth);
            QString caption;
            const bool holiday = FIndicateHolidays && CheckHoliday(year, month, n, caption);
            if (holiday) {
                cv->Brush()->SetColor(FColorHolidayBg);
                cv->Font()->SetColor(FColorHolidayFg);
            }
            if (n == date.day()) {
                cv->Font()->SetColor(FColorSelectedFg);
                cv->Brush()->SetColor(holiday ? MeanColor(ResolveColor(FColorSelectedBg), ResolveColor(FColorHolidayBg))
                                              : FColorSelectedBg);
            }
            if (FMarkToday && FPaintToday.year() == year && FPaintToday.month() == month
                && FPaintToday.day() == n)
                todayDay = n;
        }
    }

    const int x = rect.Left + (rect.Width() - cv->TextWidth(text)) / 2;
    const int y = rect.Top + (rect.Height() - cv->TextHeight(text)) / 2;
    cv->TextRect(rect, x, y, text);
    if (button && Ctl3D())
        drawButtonFrame(rect);
    if (todayDay) {
        cv->Pen()->SetColor(FColorToday);
        cv->Pen()->SetStyle(psSolid);
        cv->Pen()->SetWidth(1);
        cv->Brush()->SetStyle(bsClear);
        cv->Ellipse(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
        cv->Brush()->SetStyle(bsSolid);
    }
}

} // namespace qor

// Mouse input of the month calendar: picking a day (switching months on the neighbours'
// days), the step buttons and today. The calendar takes no keys and no wheel.
#include "minical/QOR_MiniCal.h"

#include "minical/MiniCalDates_p.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace qor {

using namespace minical;

void TMiniCal::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomDrawGrid::MouseDown(button, shift, x, y);
    if (button != mbLeft || x < 0 || y < 0 || x >= GetGridWidth() || y >= GetGridHeight())
        return;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    // A step beyond year 1 or 9999 raises the conversion error; a mouse message has no
    // caller to take it, so it goes to the application's handler as a message handler's would.
    try {
        mouseDownCell(cell.X, cell.Y);
    } catch (const std::exception& e) {
        updateCalendar();
        HandleException(this, e);
    }
}

void TMiniCal::mouseDownCell(int col, int row)
{
    if (col >= 1 && row >= 2) {
        const QDate d = DateTimeToQDate(FDate);
        int y = d.year();
        int m = d.month();
        int n = CellDayNumber(col, row, FMonOfs);
        if (FAutoSwitch) {
            if (n <= 0) {
                if (m == 1) {
                    m = 12;
                    --y;
                    n += 31;
                } else {
                    --m;
                    n += DaysInMonth(y, m);
                }
            } else if (n > DaysInMonth(y, m)) {
                n -= DaysInMonth(y, m);
                if (m == 12) {
                    m = 1;
                    ++y;
                } else {
                    ++m;
                }
            }
        }
        if (n >= 1 && n <= DaysInMonth(y, m)) {
            FDate = EncodeDate(y, m, n);
            updateCalendar();
            Changed();
        } else {
            // The grid moved its current cell to the clicked one; put it back on the date.
            updateCalendar();
        }
        return;
    }
    if (row == 0 || (row == 1 && col == 0)) {
        switch (col) {
        case 0: SetDate(Now()); break;
        case 1: PrevYear(); break;
        case 2: PrevMonth(); break;
        case 6: NextMonth(); break;
        case 7: NextYear(); break;
        default: break;
        }
    }
}

void TMiniCal::KeyDown(Word& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TMiniCal::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TMiniCal::keyPressEvent(QKeyEvent* e)
{
    TCustomDrawGrid::keyPressEvent(e);
    e->ignore();
}

void TMiniCal::keyReleaseEvent(QKeyEvent* e)
{
    TCustomDrawGrid::keyReleaseEvent(e);
    e->ignore();
}

void TMiniCal::wheelEvent(QWheelEvent* e) { e->ignore(); }

} // namespace qor

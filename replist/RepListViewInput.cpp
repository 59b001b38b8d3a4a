// TReportListView input: header-click sorting, check marks, row selection by mouse and
// keys, column auto-sizing by double click, in-place editing.
#include "replist/RepListView_p.h"

#include <QApplication>
#include <algorithm>

namespace qor {

namespace {
// Clicks this close to a header border belong to column sizing, not to sorting.
constexpr int kHeaderEdgeZone = 4;
// Width of the check box area at the left of a check cell.
constexpr int kCheckBoxZone = 18;
} // namespace

void TReportListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    FLastMousePosX = x;
    FLastMousePosY = y;
    TCustomDrawGrid::MouseDown(button, shift, x, y);
    // The second press of a double click (ssDouble) counts as a press of its own: a double
    // click on a check box toggles it twice, on a header sorts twice.
    if (button != mbLeft)
        return;
    if (!(x > 0 && x < GetGridWidth() && y > 0 && y < GetGridHeight()))
        return;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    const int k = cell.X;
    const int g = cell.Y;
    const int dataCol = dataColOf(k);
    TStringArray* strings = FRLData->Strings();

    if (g == columnHeaderRow()) {
        const TRect r = CellRect(k, g);
        if (!FSortEnabled || x - r.Left <= kHeaderEdgeZone || r.Right - x <= kHeaderEdgeZone)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        const int selRow = dataRowOf(Selection().Top);
        const int remembered = strings->GetSortOrder(selRow);
        const bool toggle = !FRLData->SortToggle();
        FRLData->SetSortToggle(toggle);
        Sort(dataCol, FRLData->SecondarySortColumn(), toggle);
        if (remembered > 0) {
            for (int r2 = 1; r2 <= NrOfRows(); ++r2) {
                if (strings->GetSortOrder(r2) == remembered) {
                    const int gr = gridRowOf(r2);
                    SetSelection(GridRect(Col(), gr, Col(), gr));
                    break;
                }
            }
        }
        Paint();
        return;
    }

    const auto pause = SuppressPaintScope(this);
    const int dataRow = dataRowOf(g);
    const bool isDataRow = g >= CountHeadRows() && dataRow <= NumShownRows();
    const bool disabled = isDataRow && rowDisabled(dataRow);
    const TGridOptions opts = Options();
    SetOptions(ColumnEditable(dataCol) && !disabled ? opts + goEditing : opts - goEditing);

    if (isDataRow && GetColCheckMode(dataCol) != cmNone && x < CellRect(k, g).Left + kCheckBoxZone
        && !FROCheckMarks && !disabled) {
        const QString stored = strings->GetString(dataCol, dataRow);
        if (stored.length() > 1 || FShowEmptyCBx) {
            bool state = !FRLData->GetElemChecked(dataCol, dataRow);
            if (OnBeforeCheckedChange)
                OnBeforeCheckedChange(this, state, dataCol, dataRow);
            if (GetColCheckMode(dataCol) == cmRadio)
                FRLData->SetElemChecked(dataCol, dataRow, true);
            else
                FRLData->SetElemChecked(dataCol, dataRow, state);
            bool s = !state;
            if (OnCheckedChange)
                OnCheckedChange(this, s, dataCol, dataRow);
        }
    }

    const int row = dataRowOf(Row());
    if (row < 1 || row > NrOfRows())
        return;
    if (FRowSelectMode == 1) {
        for (int r2 = 1; r2 <= NrOfRows(); ++r2)
            strings->SetRowAttrib(r2, strings->GetRowAttrib(r2) & ~RowAttrSelected);
        strings->SetRowAttrib(row, strings->GetRowAttrib(row) | RowAttrSelected);
        ChangedSelection();
    } else if (FRowSelectMode == 2) {
        if (shift.Contains(ssShift)) {
            // Only the anchor's selection spreads; the other bits (disabled rows, the
            // application's own) stay as they are.
            const int anchor = std::clamp(FSelectAnchor, 1, NrOfRows());
            const Byte sel = strings->GetRowAttrib(anchor) & RowAttrSelected;
            for (int r2 = std::min(anchor, row); r2 <= std::max(anchor, row); ++r2)
                strings->SetRowAttrib(r2, Byte((strings->GetRowAttrib(r2) & ~RowAttrSelected) | sel));
        } else {
            FSelectAnchor = row;
            if (shift.Contains(ssCtrl) || !FCtrlForMultiSel) {
                strings->SetRowAttrib(row, strings->GetRowAttrib(row) ^ RowAttrSelected);
            } else {
                for (int r2 = 1; r2 <= NrOfRows(); ++r2)
                    strings->SetRowAttrib(r2, strings->GetRowAttrib(r2) & ~RowAttrSelected);
                strings->SetRowAttrib(row, strings->GetRowAttrib(row) | RowAttrSelected);
            }
        }
        ChangedSelection();
    }
}

void TReportListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomDrawGrid::MouseUp(button, shift, x, y);
    if (FRowSelectMode != 2)
        return;
    if (x > GetGridWidth() || (button == mbLeft && y > GetGridHeight())) {
        {
            const auto pause = SuppressPaintScope(this);
            TStringArray* strings = FRLData->Strings();
            for (int r = 1; r <= NrOfRows(); ++r)
                strings->SetRowAttrib(r, strings->GetRowAttrib(r) & ~RowAttrSelected);
        }
        ChangedSelection();
    }
}

void TReportListView::MouseMove(TShiftState shift, int x, int y)
{
    FLastMousePosX = x;
    FLastMousePosY = y;
    TCustomDrawGrid::MouseMove(shift, x, y);
}

void TReportListView::DblClick()
{
    const int x = FLastMousePosX;
    const int y = FLastMousePosY;
    if (y < GetGridHeight() && FColumnHeadersVisible) {
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.Y >= 0 && cell.Y == columnHeaderRow() && cell.X >= 0) {
            const TRect r = CellRect(cell.X, cell.Y);
            if (x - r.Left < 5 || r.Right - x <= 4) {
                int k = (x >= (r.Left + r.Right) / 2) ? cell.X : cell.X - 1;
                while (k > 0 && TCustomGrid::GridColWidths(k) == 0)
                    --k;
                // The grid column at the border is sized, whatever the column order.
                if (k >= 0)
                    setGridColWidth(k, std::max(4, DetermineMaxColWidth(dataColOf(k), true)));
            }
            return;
        }
    }
    TCustomDrawGrid::DblClick();
}

bool TReportListView::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    if (NrOfRows() == 0)
        return false;
    return TCustomDrawGrid::DoMouseWheelDown(shift, mousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    if (NrOfRows() == 0)
        return false;
    return TCustomDrawGrid::DoMouseWheelUp(shift, mousePos);
}

void TReportListView::KeyDown(Word& key, TShiftState shift)
{
    TCustomDrawGrid::KeyDown(key, shift);
    switch (key) {
    case VK_DOWN: case VK_UP: case VK_RIGHT: case VK_LEFT:
    case VK_HOME: case VK_END: case VK_NEXT: case VK_PRIOR: {
        {
            const auto pause = SuppressPaintScope(this);
            TStringArray* strings = FRLData->Strings();
            for (int r = 1; r <= NrOfRows(); ++r)
                strings->SetRowAttrib(r, strings->GetRowAttrib(r) & ~RowAttrSelected);
            const int row = dataRowOf(Selection().Top);
            if (row >= 1 && row <= NrOfRows())
                strings->SetRowAttrib(row, strings->GetRowAttrib(row) | RowAttrSelected);
        }
        ChangedSelection();
        break;
    }
    default:
        break;
    }
}

void TReportListView::KeyPress(QChar& key)
{
    TCustomDrawGrid::KeyPress(key);
    if (FAutoAdvance && (key.unicode() == 0 || key.unicode() == 13)) {
        Word down = VK_DOWN;
        KeyDown(down, TShiftState());
    }
}

bool TReportListView::SelectCell(int ACol, int ARow)
{
    const TGridOptions opts = Options();
    const bool editable = ARow >= FixedRows() && ColumnEditable(dataColOf(ACol)) && !rowDisabled(dataRowOf(ARow));
    SetOptions(editable ? opts + goEditing : opts - goEditing);
    return TCustomDrawGrid::SelectCell(ACol, ARow);
}

QString TReportListView::GetEditText(int ACol, int ARow)
{
    const int dataCol = dataColOf(ACol);
    const int dataRow = dataRowOf(ARow);
    QString text = FRLData->Strings()->GetString(dataCol, dataRow);
    if (dataRow < 1 || dataRow > NumShownRows())
        text.clear();
    if (GetColCheckMode(dataCol) != cmNone)
        text = text.mid(1);
    if (OnGetEditText)
        OnGetEditText(this, ACol, dataRow, text);
    return text;
}

void TReportListView::SetEditText(int ACol, int ARow, const QString& Value)
{
    const int dataCol = dataColOf(ACol);
    const int dataRow = dataRowOf(ARow);
    if (dataRow >= 1 && dataRow <= NumShownRows() && dataCol >= 1 && dataCol <= NrOfColumns() && !rowDisabled(dataRow)) {
        QString stored = Value;
        if (GetColCheckMode(dataCol) != cmNone) {
            const QString old = FRLData->Strings()->GetString(dataCol, dataRow);
            const bool unchecked = old.isEmpty() || old.at(0) == QLatin1Char(' ');
            stored = QString(unchecked ? QLatin1Char(' ') : QLatin1Char('X')) + Value;
        }
        FRLData->Strings()->SetString(dataCol, dataRow, stored.left(MaxCellLength));
    }
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, dataRow, Value);
}

void TReportListView::TopLeftChanged()
{
    InvalidateGrid();
    TCustomDrawGrid::TopLeftChanged();
}

} // namespace qor

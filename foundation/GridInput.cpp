// Grid input: mouse (selection, column sizing), keyboard navigation, wheel, focus.
#include "foundation/QOR_Grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

namespace qor {

namespace {
// How far from a column border (in pixels, either side) a press starts sizing the column.
constexpr int kSizingReach = 2;
} // namespace

void TCustomGrid::ColumnSizedByUser(int ACol, int Width) { SetGridColWidths(ACol, Width); }

int TCustomGrid::sizingBorderAt(int x, int y) const
{
    if (!m_options.Contains(goColSizing) || y < 0 || y >= std::min(m_rows.FixedExtent(), ClientHeight()))
        return -1;
    const int W = ClientWidth();
    int found = -1;
    int p = 0;
    auto probe = [&](int k) {
        const int border = p + m_cols.Sizes[size_t(k)];
        if (x >= border - kSizingReach && x <= border + m_cols.LineWidth - 1 + kSizingReach)
            found = k;
        p = border + m_cols.LineWidth;
    };
    for (int k = 0; k < std::min(m_cols.Fixed, ColCount()) && p < W; ++k)
        probe(k);
    for (int k = m_cols.First; k < ColCount() && p < W; ++k)
        probe(k);
    return found;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && !shift.Contains(ssDouble)) {
        const int b = sizingBorderAt(x, y);
        if (b >= 0) {
            HideEditor();
            const TRect r = CellRect(b, 0);
            m_sizingCol = b;
            m_sizingOffset = x - (r.Left + m_cols.Size(b));
        } else {
            const TGridCoord c = MouseCoord(x, y);
            if (c.X >= FixedCols() && c.Y >= FixedRows()) {
                m_downOnCurrent = c == m_cur;
                if (shift.Contains(ssShift) && m_options.Contains(goRangeSelect))
                    MoveColRow(c.X, c.Y, false, true);
                else
                    MoveColRow(c.X, c.Y, true, true);
                m_selecting = true;
                m_downCell = c;
            }
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    if (m_sizingCol >= 0) {
        int left = 0;
        if (m_cols.CellStart(m_sizingCol, std::numeric_limits<int>::max(), left))
            ColumnSizedByUser(m_sizingCol, std::max(0, x - m_sizingOffset - left));
    } else if (m_selecting && shift.Contains(ssLeft) && m_options.Contains(goRangeSelect)
               && !m_options.Contains(goRowSelect)) {
        const TGridCoord c = MouseCoord(x, y);
        if (c.X >= FixedCols() && c.Y >= FixedRows() && !(c == m_cur))
            MoveColRow(c.X, c.Y, false, true);
    } else if (m_selecting && shift.Contains(ssLeft) && m_options.Contains(goRangeSelect)) {
        const TGridCoord c = MouseCoord(x, y);
        if (c.Y >= FixedRows() && c.Y != m_cur.Y)
            MoveColRow(m_cur.X, c.Y, false, true);
    } else {
        viewport()->setCursor(sizingBorderAt(x, y) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    }
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (m_sizingCol >= 0) {
        m_sizingCol = -1;
    } else if (m_selecting) {
        m_selecting = false;
        const TGridCoord c = MouseCoord(x, y);
        if (button == mbLeft && m_downOnCurrent && c == m_cur && m_downCell == m_cur && CanEditShow())
            ShowEditor();
        m_downOnCurrent = false;
    }
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TCustomGrid::moveBy(int dCol, int dRow, bool extend)
{
    if (ColCount() <= FixedCols() || RowCount() <= FixedRows())
        return;
    const int c = std::clamp(m_cur.X + dCol, FixedCols(), ColCount() - 1);
    const int r = std::clamp(m_cur.Y + dRow, FixedRows(), RowCount() - 1);
    MoveColRow(c, r, !(extend && m_options.Contains(goRangeSelect)), true);
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    const bool ext = shift.Contains(ssShift);
    const bool ctrl = shift.Contains(ssCtrl);
    const bool rowSel = m_options.Contains(goRowSelect);
    const int page = std::max(1, VisibleRowCount());
    switch (key) {
    case VK_UP: moveBy(0, -1, ext); break;
    case VK_DOWN: moveBy(0, 1, ext); break;
    case VK_LEFT:
        if (rowSel)
            SetGridLeftCol(GridLeftCol() - 1);
        else
            moveBy(-1, 0, ext);
        break;
    case VK_RIGHT:
        if (rowSel)
            SetGridLeftCol(GridLeftCol() + 1);
        else
            moveBy(1, 0, ext);
        break;
    case VK_PRIOR:
        SetGridTopRow(GridTopRow() - page);
        moveBy(0, -page, ext);
        break;
    case VK_NEXT:
        SetGridTopRow(GridTopRow() + page);
        moveBy(0, page, ext);
        break;
    case VK_HOME:
        if (ctrl || rowSel)
            moveBy(ctrl ? -ColCount() : 0, -RowCount(), ext);
        else
            moveBy(-ColCount(), 0, ext);
        break;
    case VK_END:
        if (ctrl || rowSel)
            moveBy(ctrl ? ColCount() : 0, RowCount(), ext);
        else
            moveBy(ColCount(), 0, ext);
        break;
    case VK_TAB:
        if (m_options.Contains(goTabs) && !shift.Contains(ssAlt)) {
            if (ext) {
                if (m_cur.X > FixedCols())
                    moveBy(-1, 0, false);
                else if (m_cur.Y > FixedRows())
                    MoveColRow(ColCount() - 1, m_cur.Y - 1, true, true);
            } else {
                if (m_cur.X < ColCount() - 1)
                    moveBy(1, 0, false);
                else if (m_cur.Y < RowCount() - 1)
                    MoveColRow(FixedCols(), m_cur.Y + 1, true, true);
            }
        }
        break;
    case VK_F2:
        if (CanEditShow())
            ShowEditor();
        break;
    default: break;
    }
}

void TCustomGrid::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    const ushort k = key.unicode();
    if (k == 13 && m_options.Contains(goEditing) && !m_options.Contains(goAlwaysShowEditor)) {
        if (m_editorMode)
            HideEditor();
        else
            ShowEditor();
        key = QChar(0);
    } else if (k == 27) {
        if (m_editorMode) {
            if (InplaceEditText() != m_editOriginal) {
                SetInplaceEditText(m_editOriginal);
                SetEditText(m_cur.X, m_cur.Y, m_editOriginal);
            }
            HideEditor();
            key = QChar(0);
        }
    } else if (k >= 32 && k != 127 && !m_editorMode && CanEditShow()) {
        ShowEditor();
        if (m_editorMode) {
            SetInplaceEditText(QString(key));
            SetEditText(m_cur.X, m_cur.Y, QString(key));
            if (auto* le = qobject_cast<QLineEdit*>(m_editor))
                le->deselect();
            key = QChar(0);
        }
    }
}

void TCustomGrid::DoEnter()
{
    Invalidate();
    if (OnEnter)
        OnEnter(this);
}

void TCustomGrid::DoExit()
{
    Invalidate();
    if (OnExit)
        OnExit(this);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, shift, mousePos, handled);
    if (!handled && m_cur.Y < RowCount() - 1)
        MoveColRow(std::max(m_cur.X, FixedCols()), std::max(m_cur.Y + 1, FixedRows()), true, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, shift, mousePos, handled);
    if (!handled && m_cur.Y > FixedRows())
        MoveColRow(std::max(m_cur.X, FixedCols()), std::min(m_cur.Y - 1, RowCount() - 1), true, true);
    return true;
}

void TCustomGrid::changeEvent(QEvent* e)
{
    TControlBase<QAbstractScrollArea>::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        EnabledChanged();
    else if (e->type() == QEvent::PaletteChange)
        Invalidate();
}

} // namespace qor

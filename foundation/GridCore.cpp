// The grid base: dimensions, scrolling, current cell and selection, geometry queries.
#include "foundation/QOR_Grid.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace qor {

TCustomGrid::TCustomGrid(QWidget* owner)
    : TControlBase<QAbstractScrollArea>(owner),
      m_store(this, viewport(), [this] { return QSize(ClientWidth(), ClientHeight()); }, [this] { Paint(); })
{
    m_options = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    m_cols.Sizes.assign(5, m_defColWidth);
    m_rows.Sizes.assign(5, m_defRowHeight);
    m_cols.Fixed = m_rows.Fixed = 1;
    m_cols.First = m_rows.First = 1;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    m_store.SetBackground(m_color);
    resize(320, 120);
    updateScrollBars();
}

TCustomGrid::~TCustomGrid() = default;

// --- dimensions ----------------------------------------------------------------------------

static void clampAxis(TGridAxis& a, int& cur, int& anchor)
{
    if (a.Fixed > a.Count() - 1)
        a.Fixed = std::max(0, a.Count() - 1);
    if (a.First < a.Fixed)
        a.First = a.Fixed;
    if (a.First > a.Count() - 1)
        a.First = std::max(a.Fixed, a.Count() - 1);
    if (cur >= a.Count())
        cur = a.Count() - 1;
    if (anchor >= a.Count())
        anchor = a.Count() - 1;
    if (cur < a.Fixed && a.Count() > a.Fixed)
        cur = a.Fixed;
    if (anchor < a.Fixed && a.Count() > a.Fixed)
        anchor = a.Fixed;
}

void TCustomGrid::SetColCount(int n)
{
    n = std::max(1, n);
    if (n == ColCount())
        return;
    HideEditor();
    m_cols.Sizes.resize(size_t(n), m_defColWidth);
    clampAxis(m_cols, m_cur.X, m_anchor.X);
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    Invalidate();
}

void TCustomGrid::SetRowCount(int n)
{
    n = std::max(1, n);
    if (n == RowCount())
        return;
    HideEditor();
    m_rows.Sizes.resize(size_t(n), m_defRowHeight);
    clampAxis(m_rows, m_cur.Y, m_anchor.Y);
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    Invalidate();
}

void TCustomGrid::SetFixedCols(int n)
{
    n = std::clamp(n, 0, std::max(0, ColCount() - 1));
    if (n == FixedCols())
        return;
    m_cols.Fixed = n;
    m_cols.First = n;   // scrolling starts again right after the fixed columns
    clampAxis(m_cols, m_cur.X, m_anchor.X);
    if (m_cur.X < n)
        m_cur.X = m_anchor.X = n;
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    Invalidate();
}

void TCustomGrid::SetFixedRows(int n)
{
    n = std::clamp(n, 0, std::max(0, RowCount() - 1));
    if (n == FixedRows())
        return;
    m_rows.Fixed = n;
    m_rows.First = n;
    clampAxis(m_rows, m_cur.Y, m_anchor.Y);
    if (m_cur.Y < n)
        m_cur.Y = m_anchor.Y = n;
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    Invalidate();
}

void TCustomGrid::SetGridColWidths(int i, int w)
{
    if (i < 0 || i >= ColCount())
        return;
    w = std::max(0, w);
    if (m_cols.Sizes[size_t(i)] == w)
        return;
    m_cols.Sizes[size_t(i)] = w;
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int i, int h)
{
    if (i < 0 || i >= RowCount())
        return;
    h = std::max(0, h);
    if (m_rows.Sizes[size_t(i)] == h)
        return;
    m_rows.Sizes[size_t(i)] = h;
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int w)
{
    w = std::max(0, w);
    m_defColWidth = w;
    std::fill(m_cols.Sizes.begin(), m_cols.Sizes.end(), w);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int h)
{
    h = std::max(0, h);
    m_defRowHeight = h;
    std::fill(m_rows.Sizes.begin(), m_rows.Sizes.end(), h);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int w)
{
    w = std::max(0, w);
    if (w == m_cols.LineWidth)
        return;
    m_cols.LineWidth = m_rows.LineWidth = w;
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    Invalidate();
}

void TCustomGrid::ColWidthsChanged()
{
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    placeEditor();
    Invalidate();
}

void TCustomGrid::RowHeightsChanged()
{
    updateScrollBars();
    setTopLeft(GridLeftCol(), GridTopRow());
    placeEditor();
    Invalidate();
}

// --- scrolling ----------------------------------------------------------------------------

void TCustomGrid::setTopLeft(int col, int row)
{
    col = std::clamp(col, m_cols.Fixed, std::max(m_cols.Fixed, m_cols.MaxFirst(ClientWidth())));
    row = std::clamp(row, m_rows.Fixed, std::max(m_rows.Fixed, m_rows.MaxFirst(ClientHeight())));
    if (col == m_cols.First && row == m_rows.First)
        return;
    m_cols.First = col;
    m_rows.First = row;
    updateScrollBars();
    placeEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::SetGridLeftCol(int c) { setTopLeft(c, GridTopRow()); }
void TCustomGrid::SetGridTopRow(int r) { setTopLeft(GridLeftCol(), r); }

int TCustomGrid::VisibleColCount() const { return m_cols.VisibleCount(ClientWidth()); }
int TCustomGrid::VisibleRowCount() const { return m_rows.VisibleCount(ClientHeight()); }

void TCustomGrid::TopLeftChanged() {}

void TCustomGrid::SetScrollBars(TScrollStyle s)
{
    if (s == m_scrollBars)
        return;
    m_scrollBars = s;
    updateScrollBars();
}

void TCustomGrid::updateScrollBars()
{
    if (m_updatingBars)
        return;
    m_updatingBars = true;
    const bool h = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    const bool v = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QScrollBar* hb = horizontalScrollBar();
    QScrollBar* vb = verticalScrollBar();
    const bool track = m_options.Contains(goThumbTracking);
    hb->setTracking(track);
    vb->setTracking(track);
    const int maxCol = std::max(m_cols.Fixed, m_cols.MaxFirst(ClientWidth()));
    const int maxRow = std::max(m_rows.Fixed, m_rows.MaxFirst(ClientHeight()));
    hb->setRange(m_cols.Fixed, maxCol);
    hb->setPageStep(std::max(1, VisibleColCount()));
    hb->setValue(m_cols.First);
    vb->setRange(m_rows.Fixed, maxRow);
    vb->setPageStep(std::max(1, VisibleRowCount()));
    vb->setValue(m_rows.First);
    m_updatingBars = false;
}

void TCustomGrid::scrollContentsBy(int, int)
{
    if (m_updatingBars)
        return;
    setTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TCustomGrid::ClampInView(int ACol, int ARow)
{
    int col = GridLeftCol();
    int row = GridTopRow();
    if (ACol >= m_cols.Fixed && ACol < ColCount()) {
        if (ACol < col) {
            col = ACol;
        } else {
            const int room = ClientWidth() - m_cols.FixedExtent();
            int used = m_cols.Size(ACol);
            int first = ACol;
            // the left-most first column that still shows ACol whole
            while (first - 1 >= col && used + m_cols.LineWidth + m_cols.Size(first - 1) <= room) {
                used += m_cols.LineWidth + m_cols.Size(first - 1);
                --first;
            }
            if (first > col)
                col = first;
        }
    }
    if (ARow >= m_rows.Fixed && ARow < RowCount()) {
        if (ARow < row) {
            row = ARow;
        } else {
            const int room = ClientHeight() - m_rows.FixedExtent();
            int used = m_rows.Size(ARow);
            int first = ARow;
            while (first - 1 >= row && used + m_rows.LineWidth + m_rows.Size(first - 1) <= room) {
                used += m_rows.LineWidth + m_rows.Size(first - 1);
                --first;
            }
            if (first > row)
                row = first;
        }
    }
    setTopLeft(col, row);
}

// --- current cell and selection -----------------------------------------------------------

void TCustomGrid::SetCol(int c) { MoveColRow(c, Row(), true, true); }
void TCustomGrid::SetRow(int r) { MoveColRow(Col(), r, true, true); }

TGridRect TCustomGrid::Selection() const
{
    TGridRect r{std::min(m_anchor.X, m_cur.X), std::min(m_anchor.Y, m_cur.Y),
                std::max(m_anchor.X, m_cur.X), std::max(m_anchor.Y, m_cur.Y)};
    if (m_options.Contains(goRowSelect)) {
        r.Left = FixedCols();
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& r)
{
    m_anchor = TGridCoord{r.Left, r.Top};
    m_cur = TGridCoord{r.Right, r.Bottom};
    placeEditor();
    Invalidate();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < FixedCols() || ACol >= ColCount() || ARow < FixedRows() || ARow >= RowCount())
        return;
    if (!SelectCell(ACol, ARow))
        return;
    if (ACol != m_cur.X || ARow != m_cur.Y)
        HideEditor();
    m_cur = TGridCoord{ACol, ARow};
    if (MoveAnchor || !m_options.Contains(goRangeSelect))
        m_anchor = m_cur;
    if (Show)
        ClampInView(ACol, ARow);
    Invalidate();
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::SetOptions(TGridOptions o)
{
    if (o == m_options)
        return;
    const TGridOptions old = m_options;
    m_options = o;
    if (!o.Contains(goEditing) && old.Contains(goEditing))
        HideEditor();
    if (o.Contains(goRowSelect) && !old.Contains(goRowSelect))
        HideEditor();
    if (!o.Contains(goRangeSelect))
        m_anchor = m_cur;
    updateScrollBars();
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool on)
{
    if (on == m_defaultDrawing)
        return;
    m_defaultDrawing = on;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle b)
{
    if (b == m_borderStyle)
        return;
    m_borderStyle = b;
    setFrameShape(b == bsSingle ? QFrame::Box : QFrame::NoFrame);
    updateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor c)
{
    if (c == m_fixedColor)
        return;
    m_fixedColor = c;
    Invalidate();
}

// --- geometry ------------------------------------------------------------------------------

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    int x = 0, y = 0;
    if (!m_cols.CellStart(ACol, ClientWidth(), x) || !m_rows.CellStart(ARow, ClientHeight(), y))
        return TRect();
    return TRect(x, y, x + m_cols.Size(ACol), y + m_rows.Size(ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    const int c = m_cols.IndexAt(X, ClientWidth());
    const int r = m_rows.IndexAt(Y, ClientHeight());
    if (c < 0 || r < 0)
        return TGridCoord{-1, -1};
    return TGridCoord{c, r};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

int TCustomGrid::GetGridWidth() const { return m_cols.GridExtent(ClientWidth()); }
int TCustomGrid::GetGridHeight() const { return m_rows.GridExtent(ClientHeight()); }

// --- control ------------------------------------------------------------------------------

// A hidden scroll area lays out its viewport only when shown, so until then the client
// size is worked out from the frame and the scroll bars that would be shown.
int TCustomGrid::ClientWidth() const
{
    if (isVisible())
        return viewport()->width();
    int w = contentsRect().width();
    const QScrollBar* vb = verticalScrollBar();
    const Qt::ScrollBarPolicy pol = verticalScrollBarPolicy();
    if (pol == Qt::ScrollBarAlwaysOn || (pol == Qt::ScrollBarAsNeeded && vb->maximum() > vb->minimum()))
        w -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vb);
    return std::max(0, w);
}

int TCustomGrid::ClientHeight() const
{
    if (isVisible())
        return viewport()->height();
    int h = contentsRect().height();
    const QScrollBar* hb = horizontalScrollBar();
    const Qt::ScrollBarPolicy pol = horizontalScrollBarPolicy();
    if (pol == Qt::ScrollBarAlwaysOn || (pol == Qt::ScrollBarAsNeeded && hb->maximum() > hb->minimum()))
        h -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hb);
    return std::max(0, h);
}

void TCustomGrid::SetBounds(int left, int top, int w, int h)
{
    setGeometry(left, top, std::max(0, w), std::max(0, h));
    SetDesignSize(size());
}

void TCustomGrid::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    m_store.SetBackground(c);
    ColorChanged();
}

void TCustomGrid::SetEnabled(bool on)
{
    setEnabled(on);
    Invalidate();
}

bool TCustomGrid::Focused() const
{
    return hasFocus() || (m_editor && m_editor->isVisible() && m_editor->hasFocus());
}

void TCustomGrid::Assign(const QObject* source) { AssignError(source, this); }

void TCustomGrid::FontChanged() { Invalidate(); }
void TCustomGrid::ColorChanged() { Invalidate(); }
void TCustomGrid::EnabledChanged() { Invalidate(); }

void TCustomGrid::resizeEvent(QResizeEvent* e)
{
    TControlBase<QAbstractScrollArea>::resizeEvent(e);
    updateScrollBars();
    const int col = GridLeftCol(), row = GridTopRow();
    setTopLeft(col, row);
    placeEditor();
    Invalidate();
    Resize();
}

// --- TCustomDrawGrid -----------------------------------------------------------------------

TCustomDrawGrid::TCustomDrawGrid(QWidget* owner)
    : TCustomGrid(owner)
{
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    QString v;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, rect, state);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool ok = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, ok);
    return ok;
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

} // namespace qor

// Grid painting: a backing image of the view's size, drawn cell by cell over the visible
// cells only, then shown by the view's paint event.
#include "foundation/QOR_Grid.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace qor {

namespace {
constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kCellLineColor = clSilver;

struct Span {
    int index;
    int start;
};

// The cells of one axis that are at least partly inside the view, in drawing order.
void visibleSpans(const TGridAxis& a, int viewLen, std::vector<Span>& out)
{
    out.clear();
    int p = 0;
    const int nFixed = std::min(a.Fixed, a.Count());
    for (int k = 0; k < nFixed && p < viewLen; ++k) {
        out.push_back({k, p});
        p += a.Sizes[size_t(k)] + a.LineWidth;
    }
    for (int k = a.First; k < a.Count() && p < viewLen; ++k) {
        out.push_back({k, p});
        p += a.Sizes[size_t(k)] + a.LineWidth;
    }
}
} // namespace

TCanvas* TCustomGrid::Canvas() { return m_store.Canvas(); }

void TCustomGrid::Invalidate() { m_store.Invalidate(); }

void TCustomGrid::Repaint() { m_store.Repaint(); }

// Paint runs from the paint event and from setters that draw at once; drawing outside of
// the paint event asks the backing store for an update, so such a change reaches the screen.
void TCustomGrid::Paint()
{
    TCanvas* cv = Canvas();
    const int W = ClientWidth();
    const int H = ClientHeight();
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(m_color);
    cv->FillRect(TRect(0, 0, W, H));
    cv->Font()->Assign(*Font());

    std::vector<Span> cols, rows;
    visibleSpans(m_cols, W, cols);
    visibleSpans(m_rows, H, rows);
    drawLines();

    const TGridRect sel = Selection();
    const bool focused = Focused();
    const bool rowSelect = m_options.Contains(goRowSelect);
    const bool focusSel = m_options.Contains(goDrawFocusSelected) || rowSelect;
    for (const Span& r : rows) {
        const int h = m_rows.Sizes[size_t(r.index)];
        for (const Span& c : cols) {
            const int w = m_cols.Sizes[size_t(c.index)];
            const TRect rect(c.start, r.start, c.start + w, r.start + h);
            TGridDrawState st;
            const bool fixed = c.index < m_cols.Fixed || r.index < m_rows.Fixed;
            if (fixed) {
                st.Include(gdFixed);
            } else {
                if (sel.Contains(c.index, r.index))
                    st.Include(gdSelected);
                if (focused && c.index == m_cur.X && r.index == m_cur.Y)
                    st.Include(gdFocused);
            }
            if (m_defaultDrawing) {
                cv->Font()->Assign(*Font());
                if (fixed) {
                    cv->Brush()->SetColor(m_fixedColor);
                } else if (st.Contains(gdSelected) && (!st.Contains(gdFocused) || focusSel)) {
                    cv->Brush()->SetColor(clHighlight);
                    cv->Font()->SetColor(clHighlightText);
                } else {
                    cv->Brush()->SetColor(m_color);
                }
                cv->FillRect(rect);
            }
            DrawCell(c.index, r.index, rect, st);
            if (m_defaultDrawing && st.Contains(gdFocused) && !rowSelect)
                cv->DrawFocusRect(rect);
        }
    }
    if (m_defaultDrawing && rowSelect && focused) {
        const TRect first = CellRect(std::max(m_cols.Fixed, GridLeftCol()), m_cur.Y);
        if (!first.IsEmpty())
            cv->DrawFocusRect(TRect(first.Left, first.Top, GetGridWidth(), first.Bottom));
    }
}

void TCustomGrid::drawLines()
{
    const int lw = m_cols.LineWidth;
    if (lw <= 0)
        return;
    TCanvas* cv = Canvas();
    const int W = ClientWidth();
    const int H = ClientHeight();
    const int gw = GetGridWidth();
    const int gh = GetGridHeight();
    const int fixedH = std::min(m_rows.FixedExtent(), gh);
    const int fixedW = std::min(m_cols.FixedExtent(), gw);
    std::vector<Span> cols, rows;
    visibleSpans(m_cols, W, cols);
    visibleSpans(m_rows, H, rows);
    const bool fv = m_options.Contains(goFixedVertLine);
    const bool fh = m_options.Contains(goFixedHorzLine);
    const bool cv_ = m_options.Contains(goVertLine);
    const bool ch = m_options.Contains(goHorzLine);
    auto fill = [cv](TColor col, int l, int t, int r, int b) {
        if (r <= l || b <= t)
            return;
        cv->Brush()->SetColor(col);
        cv->FillRect(TRect(l, t, r, b));
    };
    for (const Span& c : cols) {
        const int x = c.start + m_cols.Sizes[size_t(c.index)];
        const bool fixedCol = c.index < m_cols.Fixed;
        if (fv)
            fill(kFixedLineColor, x, 0, x + lw, fixedH);
        if (fixedCol ? fv : cv_)
            fill(fixedCol ? kFixedLineColor : kCellLineColor, x, fixedH, x + lw, gh);
    }
    for (const Span& r : rows) {
        const int y = r.start + m_rows.Sizes[size_t(r.index)];
        const bool fixedRow = r.index < m_rows.Fixed;
        if (fh)
            fill(kFixedLineColor, 0, y, fixedW, y + lw);
        if (fixedRow ? fh : ch)
            fill(fixedRow ? kFixedLineColor : kCellLineColor, fixedW, y, gw, y + lw);
    }
}

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}

bool TCustomGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::Paint) {
        m_store.PaintEvent();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

} // namespace qor

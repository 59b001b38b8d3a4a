// Mark selector painting: background, the grid of symbols with the selected cell, the frame,
// and the cells the highlight moves between.
#include "pickers/QOR_marksel.h"
#include "pickers/MarkSel_p.h"

namespace qor {

namespace {

constexpr TColor kDisabledSymbol = 0x808080;
constexpr TColor kDisabledBack = 0xC0C0C0;
constexpr TColor kDisabledSelCell = 0xDEDEDE;

void setPenBrush(TCanvas* c, TColor pen, TColor brush)
{
    c->Pen()->SetColor(pen);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(brush);
}

} // namespace

void TMarkSel::drawSymbol(TCanvas* c, const TMarkSelLayout& l, int mark) const
{
    if (mark == 0 && FZeroAsCross) {
        // Symbol 0 always has the first cell.
        c->MoveTo(4, 4);
        c->LineTo(l.DH + 1, l.DV + 1);
        c->MoveTo(4, l.DV);
        c->LineTo(l.DH + 1, 3);
        return;
    }
    const TPoint p = l.Points[std::size_t(mark)];
    DrawMarkOnCanvas(c, Byte(mark), p.X + 2, p.Y + 2);
}

void TMarkSel::restoreCell(TCanvas* c, const TMarkSelLayout& l, int mark) const
{
    if (!l.Shown[std::size_t(mark)])
        return;
    const bool sel = mark == FSelected;
    if (sel)
        setPenBrush(c, FColorSelFG, FColorSelBG);
    else
        setPenBrush(c, FColorBG, FColorBG);
    c->Rectangle(MarkSelCellRect(l, l.Points[std::size_t(mark)]));
    c->Pen()->SetColor(sel ? FColorSelFG : FColorFG);
    drawSymbol(c, l, mark);
}

void TMarkSel::hiLiteCell(TCanvas* c, const TMarkSelLayout& l, int mark) const
{
    if (!l.Shown[std::size_t(mark)])
        return;
    setPenBrush(c, FColorHiLite, FColorHiLite);
    c->Rectangle(MarkSelHiLiteRect(l, l.Points[std::size_t(mark)]));
    c->Pen()->SetColor(FColorHiSymb);
    drawSymbol(c, l, mark);
}

void TMarkSel::Paint()
{
    const bool enabled = Enabled();
    const TColor back = enabled ? FColorBG : kDisabledBack;
    const TColor symbol = enabled ? FColorFG : kDisabledSymbol;
    const TColor selSymbol = enabled ? FColorSelFG : kDisabledSymbol;
    const TColor selCell = enabled ? FColorSelBG : kDisabledSelCell;
    const int w = width();
    const int h = height();

    TCanvas* c = Canvas();
    setPenBrush(c, back, back);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Rectangle(0, 0, w, h);
    c->Pen()->SetColor(symbol);

    const TMarkSelLayout l = layout();
    for (int i = 0; i < NrOfMarks; ++i) {
        if (!l.Shown[std::size_t(i)])
            continue;
        if (i == FSelected) {
            setPenBrush(c, selSymbol, selCell);
            c->Rectangle(MarkSelCellRect(l, l.Points[std::size_t(i)]));
        } else {
            setPenBrush(c, symbol, back);
        }
        drawSymbol(c, l, i);
    }
    DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, symbol);
    // A full paint must not wipe the highlight the mouse still rests on.
    if (enabled && FLastHiLite >= 0)
        hiLiteCell(c, l, FLastHiLite);
    if (OnPaint)
        OnPaint(this);
}

} // namespace qor

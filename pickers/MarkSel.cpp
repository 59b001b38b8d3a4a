// Mark selector: properties, symbol visibility, the highlight that follows the mouse and the
// selection by click.
#include "pickers/QOR_marksel.h"
#include "pickers/MarkSel_p.h"

namespace qor {

TMarkSel::TMarkSel(QWidget* owner) : TGraphicControl(owner)
{
    FMarkVis.fill(true);
    resize(DefaultWidth, DefaultHeight);
}

void TMarkSel::SetNrOfColumns(int n)
{
    if (n == FNrCols || n < 1 || n > 51)
        return;
    FNrCols = n;
    Paint();
}

void TMarkSel::SetNrOfRows(int n)
{
    if (n == FNrRows || n < 1 || n > 51)
        return;
    FNrRows = n;
    Paint();
}

void TMarkSel::SetSelected(int mark)
{
    if (mark == FSelected || mark < -1 || mark > NrOfMarks - 1)
        return;
    FSelected = mark;
    Paint();
}

void TMarkSel::SetShowZeroAsCross(bool on)
{
    FZeroAsCross = on;
    Invalidate();
}

#define QOR_MARKSEL_COLOR_SETTER(Setter, field) \
    void TMarkSel::Setter(TColor c)             \
    {                                           \
        if (c == field)                         \
            return;                             \
        field = c;                              \
        Paint();                                \
    }

QOR_MARKSEL_COLOR_SETTER(SetColorBackGnd, FColorBG)
QOR_MARKSEL_COLOR_SETTER(SetColorMarks, FColorFG)
QOR_MARKSEL_COLOR_SETTER(SetColorSelFG, FColorSelFG)
QOR_MARKSEL_COLOR_SETTER(SetColorSelBG, FColorSelBG)
QOR_MARKSEL_COLOR_SETTER(SetColorHiLiteBG, FColorHiLite)
QOR_MARKSEL_COLOR_SETTER(SetColorHiLiteSymbol, FColorHiSymb)

#undef QOR_MARKSEL_COLOR_SETTER

void TMarkSel::SetFrameStyle(TFrameStyle s)
{
    if (s == FFrameStyle)
        return;
    FFrameStyle = s;
    Paint();
}

bool TMarkSel::MarkVisible(int ix) const
{
    if (ix < 0 || ix >= NrOfMarks)
        ix = 0;
    return ix == 0 || FMarkVis[std::size_t(ix)];
}

void TMarkSel::SetMarkVisible(int ix, bool on)
{
    if (ix < 1 || ix >= NrOfMarks)
        return;
    FMarkVis[std::size_t(ix)] = on;
    Paint();
}

void TMarkSel::ShowAllMarks()
{
    FMarkVis.fill(true);
    Paint();
}

void TMarkSel::HideAllMarks()
{
    FMarkVis.fill(false);
    FMarkVis[0] = true;
    Paint();
}

TMarkSelLayout TMarkSel::layout() const { return MarkSelLayout(width(), height(), FNrCols, FNrRows, FMarkVis); }

TPoint TMarkSel::MarkCoords(int ix) const
{
    if (ix < 0 || ix >= NrOfMarks)
        return TPoint();
    return layout().Points[std::size_t(ix)];
}

int TMarkSel::MarkAt(int x, int y) const { return MarkSelNearest(layout(), x, y); }

void TMarkSel::Assign(const QObject* source)
{
    if (const auto* s = qobject_cast<const TMarkSel*>(source)) {
        if (s == this)
            return;
        FMarkVis = s->FMarkVis;
        FNrCols = s->FNrCols;
        FNrRows = s->FNrRows;
        FSelected = s->FSelected;
        FColorBG = s->FColorBG;
        FColorFG = s->FColorFG;
        FColorSelFG = s->FColorSelFG;
        FColorSelBG = s->FColorSelBG;
        FColorHiLite = s->FColorHiLite;
        FColorHiSymb = s->FColorHiSymb;
        FFrameStyle = s->FFrameStyle;
        FZeroAsCross = s->FZeroAsCross;
        FStyleElements = s->FStyleElements;
        SetEnabled(s->Enabled());
        Paint();
        return;
    }
    TGraphicControl::Assign(source);
}

// ---------------------------------------------------------------- mouse

void TMarkSel::moveHiLite(int mark)
{
    if (mark == FLastHiLite)
        return;
    const TMarkSelLayout l = layout();
    TCanvas* c = Canvas();
    if (FLastHiLite >= 0)
        restoreCell(c, l, FLastHiLite);
    if (mark >= 0)
        hiLiteCell(c, l, mark);
    FLastHiLite = mark;
}

void TMarkSel::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (Enabled())
        moveHiLite(MarkAt(x, y));
}

void TMarkSel::MouseLeave()
{
    TGraphicControl::MouseLeave();
    // A highlight left behind would look like the mouse were still over that symbol.
    moveHiLite(-1);
}

void TMarkSel::pick(int x, int y, const TMarkClickEvent& event)
{
    const int s = MarkAt(x, y);
    FSelected = s;
    if (event)
        event(this, x, y, s);
    FLastHiLite = -1;
    Paint();
    moveHiLite(s);
}

// A release away from the control (the mouse was dragged off) is a change of mind, not a pick.
void TMarkSel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && !(x == -1 && y == -1) && rect().contains(x, y))
        pick(x, y, OnMarkClick);
}

void TMarkSel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && shift.Contains(ssDouble) && rect().contains(x, y))
        pick(x, y, OnMarkDblClick);
}

void TMarkSel::EnabledChanged()
{
    FLastHiLite = -1;
    TGraphicControl::EnabledChanged();
}

} // namespace qor

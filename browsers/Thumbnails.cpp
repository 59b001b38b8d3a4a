// Thumbnail strip: construction, property setters, the selection, mouse input and assignment.
#include "browsers/QOR_Thumbnails.h"
#include "browsers/ThumbnailsGeometry_p.h"

#include <QMouseEvent>
#include <algorithm>
#include <climits>

namespace qor {

TThumbnails::TThumbnails(QWidget* owner) : TGraphicControl(owner)
{
    resize(260, 400);
    resizeSelection();
    const TLineColors lines = LineColorsForScheme(FColorScheme);
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    FBuilding = false;
}

TThumbnails::~TThumbnails() = default;

TThumbLayout TThumbnails::layout() const
{
    TThumbLayout g;
    g.SlideSize = FThumbBaseSize;
    g.SlideDistance = FSLideDist;
    g.SlideMargin = FSlideMargin;
    g.Width = width();
    g.Height = height();
    g.Cols = FNumSldX;
    g.First = FFirstThumbIx;
    g.Min = FMin;
    g.Max = FMax;
    return g;
}

// Setters repaint at once; nothing is drawn while the strip is built or loaded.
void TThumbnails::changed()
{
    if (!FBuilding && !IsLoading())
        Paint();
}

void TThumbnails::Loaded() { Invalidate(); }

void TThumbnails::resizeSelection()
{
    const qint64 n = qint64(FMax) - qint64(FMin) + 1;
    FSelectedSlide.SetSize(int(std::clamp<qint64>(n, 0, INT_MAX)));
}

void TThumbnails::applyScroll(double x) { FFirstThumbIx = ThumbScrollPos(layout(), x); }

// ---------------------------------------------------------------- setters

void TThumbnails::SetMin(int v)
{
    if (v == FMin)
        return;
    FMin = v;
    resizeSelection();
    // Keep the scroll position inside the new range, or the strip would show no slide at all.
    applyScroll(FFirstThumbIx);
    changed();
}

void TThumbnails::SetMax(int v)
{
    v = std::max(v, 1);
    if (v == FMax)
        return;
    FMax = v;
    resizeSelection();
    applyScroll(FFirstThumbIx);
    changed();
}

void TThumbnails::SetSlideSize(int v)
{
    v = std::min(std::max(v, 50), width());
    if (v == FThumbBaseSize)
        return;
    FThumbBaseSize = v;
    changed();
}

void TThumbnails::SetSlideDistance(int v)
{
    v = std::clamp(v, 0, 100);
    if (v == FSLideDist)
        return;
    FSLideDist = v;
    changed();
}

void TThumbnails::SetSlideMargin(int v)
{
    v = std::clamp(v, 0, 100);
    if (v == FSlideMargin)
        return;
    FSlideMargin = v;
    changed();
}

void TThumbnails::SetSlideSelectMode(TSlideSelectMode m)
{
    if (m == FSelectMode)
        return;
    FSelectMode = m;
    FSelectedSlide.Clear();
    changed();
}

void TThumbnails::SetFocusLinewidth(int v)
{
    v = std::clamp(v, 0, 10);
    if (v == FHiliteThickness)
        return;
    FHiliteThickness = v;
    changed();
}

void TThumbnails::SetColorBackGnd(TColor c)
{
    if (c == FColorBG)
        return;
    FColorBG = c;
    changed();
}

void TThumbnails::SetColorCover(TColor c)
{
    if (c == FColorCover)
        return;
    FColorCover = c;
    changed();
}

void TThumbnails::SetColorSelected(TColor c)
{
    if (c == FColorSelected)
        return;
    FColorSelected = c;
    changed();
}

void TThumbnails::SetColorFocus(TColor c)
{
    if (c == FColorHilite)
        return;
    FColorHilite = c;
    changed();
}

void TThumbnails::SetColorMark(TColor c)
{
    if (c == FMarkColor)
        return;
    FMarkColor = c;
    changed();
}

void TThumbnails::SetColorScheme(TColorScheme s)
{
    if (s == FColorScheme)
        return;
    FColorScheme = s;
    const TLineColors lines = LineColorsForScheme(s);
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    changed();
}

void TThumbnails::SetFrameStyle(TFrameStyle s)
{
    if (s == FFrameStyle)
        return;
    FFrameStyle = s;
    changed();
}

void TThumbnails::SetOuterFrameStyle(TFrameStyle s)
{
    if (s == FOuterFrameStyle)
        return;
    FOuterFrameStyle = s;
    changed();
}

void TThumbnails::SetInnerFrameStyle(TFrameStyle s)
{
    if (s == FInnerFrameStyle)
        return;
    FInnerFrameStyle = s;
    changed();
}

void TThumbnails::SetAntiAlias(bool on)
{
    if (on == FAntiAlias)
        return;
    FAntiAlias = on;
    changed();
}

void TThumbnails::SetFirstThumbIdx(double x)
{
    const double old = FFirstThumbIx;
    applyScroll(x);
    if (FFirstThumbIx != old)
        changed();
}

// ---------------------------------------------------------------- selection

bool TThumbnails::GetSelectedSlide(int sldnum) const
{
    const qint64 i = qint64(sldnum) - FMin;
    return i >= 0 && i <= INT_MAX && FSelectedSlide.GetBit(int(i));
}

void TThumbnails::SetSelectedSlide(int sldnum, bool value)
{
    const qint64 i = qint64(sldnum) - FMin;
    if (i < 0 || i >= FSelectedSlide.Size() || FSelectedSlide.GetBit(int(i)) == value)
        return;
    FSelectedSlide.SetBit(int(i), value);
    changed();
}

void TThumbnails::ResetAllSelections()
{
    FSelectedSlide.Clear();
    changed();
}

int TThumbnails::FirstSelectedSlide() const { return FSelectedSlide.FirstTrueBit() + FMin; }

int TThumbnails::NumSlidesSelected() const { return FSelectedSlide.CountTrueBits(); }

int TThumbnails::CalcSlideIndex(int xPos, int yPos) const { return ThumbSlideAt(layout(), xPos, yPos); }

void TThumbnails::CalcSlidePos(int sldNum, int& xPos, int& yPos) const
{
    const TPoint p = ThumbSlidePos(layout(), sldNum);
    xPos = p.X;
    yPos = p.Y;
}

// ---------------------------------------------------------------- mouse

void TThumbnails::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (FHiliteThickness == 0)
        return;
    const int n = CalcSlideIndex(x, y);
    if (n == FLastHiLite)
        return;
    // Drawn straight into the backing image: moving the mouse never repaints the whole strip.
    TCanvas* c = Canvas();
    if (FLastHiLite != 0)
        drawFocus(c, FLastHiLite, GetSelectedSlide(FLastHiLite) ? FColorSelected : FColorCover);
    if (n != 0)
        drawFocus(c, n, FColorHilite);
    FLastHiLite = n;
    if (OnFocusChange)
        OnFocusChange(this);
}

void TThumbnails::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    const int n = CalcSlideIndex(x, y);
    if (FSelectMode == ssmSingle) {
        FSelectedSlide.Clear();
        if (n != 0)
            FSelectedSlide.SetBit(int(qint64(n) - FMin), true);
        FLastClicked = n;
        changed();
    }
    if (OnImageClick)
        OnImageClick(this, x, y, n);
}

void TThumbnails::mouseDoubleClickEvent(QMouseEvent* e)
{
    TGraphicControl::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton || !OnImageDblClick)
        return;
    const QPoint p = e->position().toPoint();
    OnImageDblClick(this, p.x(), p.y(), CalcSlideIndex(p.x(), p.y()));
}

// ---------------------------------------------------------------- assignment

void TThumbnails::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TThumbnails*>(source);
    if (!s) {
        TGraphicControl::Assign(source);
        return;
    }
    if (s == this)
        return;
    FFrameStyle = s->FFrameStyle;
    FOuterFrameStyle = s->FOuterFrameStyle;
    FInnerFrameStyle = s->FInnerFrameStyle;
    FColorBG = s->FColorBG;
    FColGrayLine = s->FColGrayLine;
    FColWhiteLine = s->FColWhiteLine;
    FColorScheme = s->FColorScheme;
    FFirstThumbIx = s->FFirstThumbIx;
    FMin = s->FMin;
    FMax = s->FMax;
    FNumSldX = s->FNumSldX;
    FNumSldY = s->FNumSldY;
    FThumbBaseSize = s->FThumbBaseSize;
    FSLideDist = s->FSLideDist;
    FSlideMargin = s->FSlideMargin;
    // The application's handlers: they receive this strip as Sender from now on.
    OnImageRequest = s->OnImageRequest;
    OnImageClick = s->OnImageClick;
    OnImageDblClick = s->OnImageDblClick;
    OnFocusChange = s->OnFocusChange;
    OnFirstImageRequest = s->OnFirstImageRequest;
    OnLastImageRequest = s->OnLastImageRequest;
    OnSlideRendered = s->OnSlideRendered;
    FAntiAlias = s->FAntiAlias;
    FColorCover = s->FColorCover;
    FColorSelected = s->FColorSelected;
    FColorHilite = s->FColorHilite;
    FMarkColor = s->FMarkColor;
    FLastHiLite = s->FLastHiLite;
    FHiliteThickness = s->FHiliteThickness;
    resizeSelection();
    changed();
}

} // namespace qor

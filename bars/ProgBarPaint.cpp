// Progress bar painting: margin and background, the bar in each direction, grid lines, the two
// frames and the rotated value text, drawn straight into the control's backing image.
#include "bars/ProgBarGeometry_p.h"

namespace qor {

namespace {

// The bar's own frame look, drawn with rectangles and lines in the three line colours; the two
// corner pixels that belong to neither edge take the margin colour.
void drawBarFrame(TCanvas* c, TFrameStyle style, int l, int t, int r, int b, const TLineColors& lines,
                  TColor margin)
{
    if (style == fsNone)
        return;
    c->Brush()->SetStyle(bsClear);
    auto rect = [c](TColor col, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(col);
        c->Rectangle(x1, y1, x2, y2);
    };
    auto sunken = [&](TColor topLeft, TColor bottomRight) {
        c->Pen()->SetColor(topLeft);
        c->MoveTo(l + 1, b - 3);
        c->LineTo(l + 1, t + 1);
        c->LineTo(r - 1, t + 1);
        c->Pen()->SetColor(bottomRight);
        c->MoveTo(l + 1, b - 1);
        c->LineTo(r - 1, b - 1);
        c->LineTo(r - 1, t);
        rect(lines.Gray, l, t, r - 1, b - 1);
    };
    switch (style) {
    case fsSimple: rect(lines.Gray, l, t, r, b); return;
    case fsLowered: sunken(lines.Black, lines.White); break;
    case fsRaised: sunken(lines.White, lines.Black); break;
    case fsRidge:
        rect(lines.Gray, l + 1, t + 1, r, b);
        rect(lines.White, l, t, r - 1, b - 1);
        break;
    case fsGroove:
        rect(lines.White, l + 1, t + 1, r, b);
        rect(lines.Gray, l, t, r - 1, b - 1);
        break;
    default: return;
    }
    c->Brush()->SetColor(margin);
    c->FillRect(TRect(l, b - 1, l + 1, b));
    c->FillRect(TRect(r - 1, t, r, t + 1));
}

} // namespace

void TProgBar::Paint()
{
    if (!Visible() && !Designing()) {
        // Drawn when shown again, so a change made while hidden is not lost.
        Invalidate();
        return;
    }
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    TCanvas* c = Canvas();
    c->SetClipRect(TRect());
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);

    c->Pen()->SetColor(FColorMargin);
    c->Brush()->SetColor(FColorMargin);
    c->Rectangle(0, 0, w, h);

    const TRect area(FMarginLeft, FMarginTop, w - FMarginRight, h - FMarginBottom);
    c->Pen()->SetColor(FColorBackGnd);
    c->Brush()->SetColor(FColorBackGnd);
    c->Rectangle(area);
    if (!FBackGroundImg.isEmpty() && !area.IsEmpty())
        c->StretchDraw(area, FBGImg.get());

    paintBar(c, w, h);

    const TLineColors lines{FColBlackLine, FColGrayLine, FColWhiteLine};
    drawBarFrame(c, FFrameStyleInner, area.Left, area.Top, area.Right, area.Bottom, lines, FColorMargin);
    drawBarFrame(c, FFrameStyleOuter, 0, 0, w, h, lines, FColorMargin);

    if (FTextVisible)
        paintValueText(c);
}

void TProgBar::paintBar(TCanvas* c, int w, int h)
{
    const double f = progbar::BarFraction(FValue, FMin, FMax);
    const progbar::TBarLayout l = progbar::BarLayout(w, h, FMarginLeft, FMarginTop, FMarginRight, FMarginBottom,
                                                     FDirection, f);
    if (l.Length > 0) {
        if (!FShowColorGradient) {
            c->Pen()->SetColor(FBarColors[0]);
            c->Brush()->SetColor(FBarColors[0]);
            c->Rectangle(l.Bar);
        } else {
            // One line per step along the bar; only the lines inside the image are drawn,
            // so a value far past Max costs no more than a full bar.
            int first = 0, last = 0;
            progbar::VisibleLines(l, FDirection, w, h, first, last);
            for (int k = first; k < last; ++k) {
                c->Brush()->SetColor(FBarColors[size_t(progbar::BarColorIndex(FColorMapMode, k, l.Length, l.Total))]);
                c->FillRect(progbar::BarLine(l, FDirection, k));
            }
        }
    }
    const bool horizontal = FDirection == drLeft || FDirection == drRight;
    const std::vector<int> grid = progbar::GridLines(l, FDirection, FGridDist, horizontal ? w : h);
    if (!grid.empty()) {
        c->Pen()->SetColor(FColorGrid);
        for (int p : grid) {
            if (horizontal) {
                c->MoveTo(p, l.Area.Top);
                c->LineTo(p, l.Area.Bottom);
            } else {
                c->MoveTo(l.Area.Left, p);
                c->LineTo(l.Area.Right, p);
            }
        }
    }
}

void TProgBar::paintValueText(TCanvas* c)
{
    TFont* font = c->Font();
    font->Assign(*Font());
    font->SetOrientation(FTextAngle * 10);
    c->Brush()->SetStyle(bsClear);
    QString text = progbar::ValueText(FValue, FTextDecPlaces);
    if (OnShowValue)
        OnShowValue(this, text);
    m_shownText = text;
    m_textOrigin = progbar::TextOrigin(FTextAlignment, FTextAngle, c->TextWidth(text), c->TextHeight(text),
                                       FTextPosX, FTextPosY);
    c->TextOut(m_textOrigin.X, m_textOrigin.Y, text);
}

} // namespace qor

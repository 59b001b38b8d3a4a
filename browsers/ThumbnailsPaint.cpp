// Thumbnail strip: painting the visible slides and the focus rectangle.
#include "browsers/QOR_Thumbnails.h"
#include "browsers/ThumbnailsGeometry_p.h"
#include "foundation/QOR_DrawRect.h"

#include <QScopeGuard>
#include <cmath>

namespace qor {

namespace {

void frame(TCanvas* c, TFrameStyle style, int l, int t, int r, int b)
{
    DrawFrame(c, style, l, t, r, b, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
}

void solid(TCanvas* c, TColor color)
{
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Brush()->SetColor(color);
}

} // namespace

void TThumbnails::Paint()
{
    if (!Visible() && !Designing())
        return;
    if (FIsWorking) {
        // A handler changed a setting during the paint: show it at the next turn of the loop.
        FPaintAgain = true;
        return;
    }
    FIsWorking = true;
    const auto done = qScopeGuard([this] { FIsWorking = false; });
    try {
        TCanvas* c = Canvas();
        const int W = width();
        const int H = height();
        c->Font()->Assign(*Font());
        solid(c, FColorBG);
        c->Rectangle(0, 0, W, H);

        TThumbLayout g = layout();
        const int nx = ThumbColumns(g);
        if (nx != FNumSldX) {
            FNumSldX = nx;
            applyScroll(FFirstThumbIx);
        }
        FNumSldY = ThumbRows(g);
        g = layout();

        if (OnFirstImageRequest)
            OnFirstImageRequest(this);
        auto buffer = std::make_unique<TBitmap>();
        const qint64 whole = qint64(std::floor(FFirstThumbIx));
        for (int i = 1; i <= FNumSldX; ++i) {
            for (int j = 1; j <= FNumSldY; ++j) {
                const qint64 n = whole + qint64(j - 1) * FNumSldX + i - 1;
                if (n < FMin || n > FMax)
                    continue;
                const TPoint p = ThumbSlidePos(g, int(n));
                TBitmap* ib = buffer.get();
                paintSlide(c, int(n), p.X, p.Y, ib);
            }
        }
        if (OnLastImageRequest)
            OnLastImageRequest(this);
        buffer.reset();

        solid(c, FColorBG);
        c->Rectangle(0, 0, W, 10);
        c->Rectangle(0, H - 10, W, H);
        frame(c, FFrameStyle, 0, 0, W - 2, H - 2);
        // The slide under the mouse keeps its focus rectangle across repaints.
        if (FHiliteThickness > 0 && FLastHiLite != 0)
            drawFocus(c, FLastHiLite, FColorHilite);
    } catch (const std::exception& e) {
        HandleException(this, e);
    }
    if (FPaintAgain) {
        FPaintAgain = false;
        Invalidate();
    }
}

void TThumbnails::paintSlide(TCanvas* c, int n, int x0, int y0, TBitmap*& ib)
{
    TImageRequestProcessing how = irpShowEmpty;
    int mark = -1;
    if (OnImageRequest)
        OnImageRequest(this, n, how, mark, ib);
    const int S = FThumbBaseSize;
    const int m = FSlideMargin;
    const int x1 = x0 + S + 2 * m;
    const int y1 = y0 + S + 2 * m;

    if (how != irpShowNothing) {
        solid(c, GetSelectedSlide(n) ? FColorSelected : FColorCover);
        c->Rectangle(x0, y0, x1 + 1, y1 + 1);
        frame(c, FOuterFrameStyle, x0, y0, x1, y1);
    }
    c->Pen()->SetColor(clBlack);
    if (how == irpShowEmpty) {
        c->Brush()->SetColor(clWhite);
        c->Rectangle(x0 + m, y0 + m + 20, x1 - m, y1 - m - 20);
        c->Font()->SetColor(clBlack);
        const QString text = QString::number(n);
        const int tw = c->TextWidth(text);
        const int th = c->TextHeight(text);
        c->TextOut((x0 + x1) / 2 - tw / 2, (y0 + y1) / 2 - th / 2, text);
    } else if (how == irpShowSlide && ib && ib->Width() > 0 && ib->Height() > 0) {
        const TRect dest = ThumbImageRect(x0 + m, y0 + m, S, ib->Width(), ib->Height());
        c->SetStretchMode(FAntiAlias ? HALFTONE : COLORONCOLOR);
        c->SetCopyMode(SRCCOPY);
        c->StretchDraw(dest, ib);
        frame(c, FInnerFrameStyle, dest.Left, dest.Top, dest.Right, dest.Bottom);
    }
    if (mark != -1) {
        c->Pen()->SetColor(FMarkColor);
        DrawMarkOnCanvas(c, Byte(mark & 0xFF), x0 + 10, y0 + 12);
    }
    if (OnSlideRendered)
        OnSlideRendered(this, c, x0, y0, n);
}

void TThumbnails::hideMargins(TCanvas* c)
{
    const int W = width();
    const int H = height();
    solid(c, FColorBG);
    c->Rectangle(2, 2, W - 2, 10);
    c->Rectangle(2, H - 10, W - 2, H - 2);
}

void TThumbnails::drawFocus(TCanvas* c, int n, TColor color)
{
    if (n < FMin || n > FMax)
        return;
    const int S = FThumbBaseSize;
    const int m = FSlideMargin;
    const TPoint p = ThumbSlidePos(layout(), n);
    const int L = p.X + 2;
    const int T = std::max(p.Y + 2, 2);
    const int B0 = std::min(height() - 3, p.Y + 2 * m + S - 2);
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    for (int i = 1; i <= FHiliteThickness; ++i)
        DrawRectangle(c, L + i - 1, T + i - 1, p.X + 2 * m + S - i - 1, B0 - i + 1);
    hideMargins(c);
}

} // namespace qor

// Gradient fill: the colour pair and its flipping, the setters and painting.
#include "bars/GradFillGeometry_p.h"

#include <algorithm>

namespace qor {

TGradFill::TGradFill(QWidget* owner) : TGraphicControl(owner)
{
    resize(DefaultSize, DefaultSize);
}

void TGradFill::applyFlip()
{
    FColorFirst = FColorFlipped ? FBaseLast : FBaseFirst;
    FColorLast = FColorFlipped ? FBaseFirst : FBaseLast;
}

void TGradFill::SetColorFirst(TColor c)
{
    // The application always sets the colour it sees first; flipped, that is the base last one.
    (FColorFlipped ? FBaseLast : FBaseFirst) = c;
    applyFlip();
    Invalidate();
}

void TGradFill::SetColorLast(TColor c)
{
    (FColorFlipped ? FBaseFirst : FBaseLast) = c;
    applyFlip();
    Invalidate();
}

void TGradFill::SetColorFlipped(bool on)
{
    FColorFlipped = on;
    applyFlip();
    Invalidate();
}

void TGradFill::SetFillType(TGradType t)
{
    if (t == FFillType)
        return;
    if (int(t) > int(gtMidBandVert))
        throw EQORError(ComponentMessage(
            Name(), QStringLiteral("fill type %1 is out of range (0..%2)").arg(int(t)).arg(int(gtMidBandVert))));
    FFillType = t;
    Invalidate();
}

void TGradFill::SetFrameStyle(TFrameStyle s)
{
    FFrameStyle = s;
    Invalidate();
}

void TGradFill::SetGridColor(TColor c)
{
    FGridColor = c;
    Invalidate();
}

void TGradFill::SetGridMode(TGridMode m)
{
    FGridMode = m;
    Invalidate();
}

void TGradFill::SetNrColors(int n)
{
    FNrColors = std::clamp(n, 1, MaxColors);
    Invalidate();
}

void TGradFill::Paint()
{
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    TCanvas* c = Canvas();
    c->SetClipRect(TRect());
    const TColor first = ResolveColor(FColorFirst);
    const TColor last = ResolveColor(FColorLast);
    for (int k = 0; k < FNrColors; ++k) {
        c->Brush()->SetColor(gradfl::BandColor(FFillType, k, FNrColors, first, last));
        c->FillRect(gradfl::BandRect(FFillType, k, FNrColors, w, h));
    }
    // Grid lines sit on the band boundaries: rows of the bands across, columns as many along.
    c->Brush()->SetColor(FGridColor);
    if (FGridMode == gmHoriz || FGridMode == gmBoth)
        for (int y : gradfl::GridPositions(h, FNrColors))
            c->FillRect(TRect(0, y, w, y + 1));
    if (FGridMode == gmVert || FGridMode == gmBoth)
        for (int x : gradfl::GridPositions(w, FNrColors))
            c->FillRect(TRect(x, 0, x + 1, h));
    DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    if (OnPaint)
        OnPaint(this);
}

} // namespace qor

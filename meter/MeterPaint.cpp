// Drawing of TMeter: straight into the control's image; the parts that change only with the
// settings come from the picture the last paint with the same settings left.
#include "meter/QOR_Meter.h"
#include "meter/MeterScalePlan_p.h"
#include "foundation/QOR_PaintCanvas.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qor {

using meterdetail::kDegToRad;

namespace {

constexpr TColor kBevelWhite = 0xFFFFFF;
constexpr TColor kBevelGray = 0x808080;

void PenAndBrush(TCanvas* c, TColor col)
{
    c->Pen()->SetColor(col);
    c->Brush()->SetColor(col);
    c->Brush()->SetStyle(bsSolid);
}

bool Overlap(const TRect& a, const TRect& b)
{
    return !a.IsEmpty() && !b.IsEmpty() && a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom
        && b.Top < a.Bottom;
}

} // namespace

void TMeter::Paint()
{
    if (!FNeedleLayout)
        return;  // still under construction
    const int W = width(), H = height();
    if (!(Geo().Radius > 0))
        return;
    renderOn(BeginFullPaint(this), W, H, true);
}

void TMeter::DrawBands(TCanvas* c, const TMeterScale& sc)
{
    const double R = FGeo.Radius;
    const int CX = FGeo.CenterX, CY = FGeo.CenterY;
    const double A = FGeo.Angle;
    const int rOut = MeterRound(R + 4);
    const int rIn = MeterRound((100 - FScaleBakWidth) * R / 100);
    const double start = (90 + A / 2) * kDegToRad;
    const double low = sc.Theta(FThresholdLow) * kDegToRad;
    const double high = sc.Theta(FThresholdHigh) * kDegToRad;
    const double end = (90 - A / 2) * kDegToRad;
    auto P = [&](double a) { return TPoint(CX + MeterRound(R * std::cos(a)), CY - MeterRound(R * std::sin(a))); };
    auto band = [&](TColor col, double from, double to) {
        // from is the clockwise end of the band, to the counter-clockwise one.
        if (!(std::fabs(to - from) > 1e-6))
            return;
        const TPoint p1 = P(from), p2 = P(to);
        // A sliver narrower than a pixel would have equal end points, which the pie
        // reads as a full circle.
        if (p1 == p2 && std::fabs(to - from) < std::numbers::pi)
            return;
        PenAndBrush(c, col);
        c->Pie(CX - rOut, CY - rOut, CX + rOut + 1, CY + rOut, p1.X, p1.Y, p2.X, p2.Y);
    };
    band(FColorSclBkLow, low, start);
    band(FColorSclBkNorm, high, low);
    band(FColorSclBkHigh, end, high);
    PenAndBrush(c, FColorBakG);
    c->Ellipse(CX - rIn, CY - rIn, CX + rIn + 1, CY + rIn);
}

TMeter::TScalePlan::Key TMeter::TScalePlan::Key::Of(const TMeter& m, const TFont& font)
{
    Key key;
    key.Geo = m.FGeo;
    key.Min = m.FMinValue;
    key.Max = m.FMaxValue;
    key.Logarithmic = m.FLogarithmic;
    key.ShortTicks = m.FShortTicks;
    key.NrTicks = m.FNrTicks;
    key.DecPlaces = m.FDecPlaces;
    key.Font = font;
    return key;
}

const TMeter::TScalePlan& TMeter::ScalePlan(TCanvas* c, const TMeterScale& sc)
{
    const TScalePlan::Key key = TScalePlan::Key::Of(*this, *c->Font());
    if (FScalePlan && FScalePlan->Inputs == key)
        return *FScalePlan;

    auto plan = std::make_unique<TScalePlan>();
    plan->Inputs = key;
    const double R = FGeo.Radius;
    const int CX = FGeo.CenterX, CY = FGeo.CenterY;
    const TMeterTicks ticks = CalcMeterTicks(FNrTicks, FMinValue, FMaxValue, FLogarithmic, FShortTicks);
    for (double v : ticks.Minor) {
        const double th = sc.Theta(v);
        plan->Minor.push_back({sc.PixelAtAngle(th, R), sc.PixelAtAngle(th, R - 4)});
    }
    const QString maxText = MeterLabelText(FMaxValue, FDecPlaces);
    const double dx = c->TextWidth(maxText) / 2.0 + 15;
    const double dy = c->TextHeight(maxText) / 2.0 + 15;
    // On a scale that closes the circle the end of the scale meets its start: the label of
    // an end tick would overprint the start label and is left out (its tick stays).
    const bool closed = FGeo.Angle >= 360;
    TRect startLabel;
    bool haveStart = false;
    for (const TMeterTick& t : ticks.Major) {
        TScalePlan::Label l;
        const double th = sc.Theta(t.Value);
        l.Tick = {sc.PixelAtAngle(th, R), sc.PixelAtAngle(th, R - 8)};
        l.Labelled = t.Labelled;
        if (t.Labelled) {
            l.Text = MeterLabelText(t.Value, FDecPlaces);
            const double tr = th * kDegToRad;
            l.X = MeterRound(CX + (R - dx) * std::cos(tr));
            l.Y = MeterRound(CY - (R - dy) * std::sin(tr));
            l.Width = c->TextWidth(l.Text);
            l.Height = c->TextHeight(l.Text);
            if (closed) {
                const TRect box(l.X - l.Width / 2, l.Y - l.Height / 2, l.X - l.Width / 2 + l.Width,
                                l.Y - l.Height / 2 + l.Height);
                if (!haveStart) {
                    startLabel = box;
                    haveStart = true;
                } else if (sc.Fraction(t.Value) > 0.5 && Overlap(box, startLabel)) {
                    l.Hidden = true;
                }
            }
        }
        plan->Major.push_back(std::move(l));
    }
    FScalePlan = std::move(plan);
    return *FScalePlan;
}

void TMeter::DrawScale(TCanvas* c, const TMeterScale& sc)
{
    const double R = FGeo.Radius;
    const int CX = FGeo.CenterX, CY = FGeo.CenterY;
    const double A = FGeo.Angle;
    const int Ri = MeterRound(R);
    c->Pen()->SetColor(FColorScale);
    if (FScaleLine) {
        const double start = (90 + A / 2) * kDegToRad;
        const double end = (90 - A / 2) * kDegToRad;
        const int ex = CX + MeterRound(R * std::cos(end)), ey = CY - MeterRound(R * std::sin(end));
        const int sx = CX + MeterRound(R * std::cos(start)), sy = CY - MeterRound(R * std::sin(start));
        c->Arc(CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri, ex, ey, sx, sy);
    }
    if (!(FMinValue < FMaxValue))
        return;
    c->Font()->Assign(*Font());
    const TScalePlan& plan = ScalePlan(c, sc);
    for (const TScalePlan::Line& t : plan.Minor) {
        c->MoveTo(t.A.X, t.A.Y);
        c->LineTo(t.B.X, t.B.Y);
    }
    for (const TScalePlan::Label& l : plan.Major) {
        c->MoveTo(l.Tick.A.X, l.Tick.A.Y);
        c->LineTo(l.Tick.B.X, l.Tick.B.Y);
        if (!l.Labelled || l.Hidden)
            continue;
        if (!OnBeforeDrawScaleLabel) {
            if (!l.Text.isEmpty())
                c->TextOut(l.X - l.Width / 2, l.Y - l.Height / 2, l.Text);
            continue;
        }
        // The handler may change the text and the canvas font: measure what it left.
        QString text = l.Text;
        OnBeforeDrawScaleLabel(this, c, text, l.X - c->TextWidth(text) / 2, l.Y - c->TextHeight(text) / 2);
        if (!text.isEmpty())
            c->TextOut(l.X - c->TextWidth(text) / 2, l.Y - c->TextHeight(text) / 2, text);
    }
}

void TMeter::DrawNeedle(TCanvas* c, const TNeedleLayout* n, double value)
{
    const TMeterScale sc = Scale();
    c->Brush()->SetStyle(bsSolid);
    const double phi = sc.Theta(value);
    const std::array<TPoint, 7> p = CalcNeedlePolygon(phi, FGeo.Radius, FGeo.CenterX, FGeo.CenterY, n->Shape());
    if (n->ShadowDx() != 0 || n->ShadowDy() != 0) {
        PenAndBrush(c, n->ShadowColor());
        QVector<TPoint> s;
        s.reserve(7);
        for (const TPoint& q : p)
            s.append(TPoint(q.X - n->ShadowDx(), q.Y - n->ShadowDy()));
        c->Polygon(s);
    }
    c->Pen()->SetColor(n->ColorOutline());
    c->Brush()->SetColor(n->ColorBody());
    c->Brush()->SetStyle(bsSolid);
    c->Polygon(QVector<TPoint>(p.begin(), p.end()));
}

void TMeter::DrawCoverAndAnchor(TCanvas* c, int W, int H)
{
    const int CX = FGeo.CenterX, CY = FGeo.CenterY;
    const int RS = FRimSide, RT = FRimTop, RB = FRimBottom;
    PenAndBrush(c, FColorCover);
    c->Rectangle(0, 0, RS - 1, H);
    c->Rectangle(0, 0, W, RT);
    c->Rectangle(W - RS, 0, W, H);
    c->Rectangle(0, H - RB, W, H);

    auto bevel = [&] {
        c->Pen()->SetColor(kBevelWhite);
        c->MoveTo(RS - 1, H - RB);
        c->LineTo(W - RS, H - RB);
        c->LineTo(W - RS, RT);
        c->Pen()->SetColor(kBevelGray);
        c->LineTo(RS - 1, RT);
        c->LineTo(RS - 1, H - RB);
    };
    const int SA = FAnchorSize;
    if (!FAnchorCovered) {
        bevel();
    } else if (!FAnchorImage.isEmpty()) {
        bevel();
        const int iw = AuxACBmp.Width(), ih = AuxACBmp.Height();
        const TRect D(CX - iw / 2, CY - ih / 2, CX - iw / 2 + iw, CY - ih / 2 + ih);
        c->SetCopyMode(SRCAND);
        c->StretchDraw(D, &AuxACMaskBmp);
        c->SetCopyMode(SRCPAINT);
        c->StretchDraw(D, &AuxACBmp);
        c->SetCopyMode(SRCCOPY);
    } else if (MeterCenterInside(FMeterLayout)) {
        c->Ellipse(CX - SA, CY - SA, CX + SA, CY + SA);
        bevel();
        c->Pen()->SetColor(kBevelWhite);
        c->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX + SA, CY - SA, CX - SA, CY + SA);
        c->Pen()->SetColor(kBevelGray);
        c->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX - SA, CY + SA, CX + SA, CY - SA);
    } else {
        c->Pie(CX - SA, CY - SA, CX + SA, CY + SA, W, CY, 0, CY);
        c->Rectangle(CX - SA, H - RB, CX + SA, CY);
        c->Pen()->SetColor(kBevelGray);
        c->MoveTo(CX + SA - 1, CY);
        c->LineTo(CX + SA - 1, H - RB);
        c->Pen()->SetColor(kBevelWhite);
        c->LineTo(W - RS, H - RB);
        c->LineTo(W - RS, RT);
        c->Pen()->SetColor(kBevelGray);
        c->LineTo(RS - 1, RT);
        c->LineTo(RS - 1, H - RB);
        c->Pen()->SetColor(kBevelWhite);
        c->LineTo(CX - SA, H - RB);
        c->LineTo(CX - SA, CY - 1);
        c->Arc(CX - SA, CY - SA, CX + SA, CY + SA, W, CY, 0, CY);
        c->Pen()->SetColor(kBevelGray);
        c->Arc(CX - SA, CY - SA, CX + SA, CY + SA, CX + SA, CY, CX + SA, CY - SA);
    }
}

void TMeter::DrawCaption(TCanvas* c, int x, int y)
{
    c->Font()->Assign(FFontCaption);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x, y, FCaption);
}

TRect TMeter::AnchorBox(int H) const
{
    const int CX = FGeo.CenterX, CY = FGeo.CenterY, SA = FAnchorSize;
    if (!FAnchorCovered)
        return TRect();
    if (!FAnchorImage.isEmpty()) {
        const int iw = AuxACBmp.Width(), ih = AuxACBmp.Height();
        return TRect(CX - iw / 2, CY - ih / 2, CX - iw / 2 + iw, CY - ih / 2 + ih);
    }
    if (MeterCenterInside(FMeterLayout))
        return TRect(CX - SA, CY - SA, CX + SA, CY + SA);
    // The half disc and the post down to the bottom rim.
    return TRect(CX - SA, CY - SA, CX + SA, std::max(CY, H - FRimBottom));
}

void TMeter::DrawLamps(TCanvas* c, int W)
{
    const int Y = FRimTop;
    c->Brush()->SetStyle(bsSolid);
    if (FLimWatHighOn) {
        const int X = W - FRimSide;
        c->Brush()->SetColor(FOFL ? FLimWatActCol : FLimWatPsvCol);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(X - 18, Y + 8, X - 8, Y + 18);
        c->Pen()->SetColor(0xFFFFFF);
        c->MoveTo(X - 17, Y + 17);
        c->LineTo(X - 9, Y + 17);
        c->LineTo(X - 9, Y + 8);
        c->Pen()->SetColor(0xC0C0C0);
        c->MoveTo(X - 16, Y + 16);
        c->LineTo(X - 10, Y + 16);
        c->LineTo(X - 10, Y + 9);
        c->Pen()->SetColor(0x808080);
        c->MoveTo(X - 17, Y + 16);
        c->LineTo(X - 17, Y + 9);
        c->LineTo(X - 9, Y + 9);
    }
    if (FLimWatLowOn) {
        const int X = FRimSide;
        c->Brush()->SetColor(FUFL ? FLimWatActCol : FLimWatPsvCol);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(X + 8, Y + 8, X + 18, Y + 18);
        c->Pen()->SetColor(0xFFFFFF);
        c->MoveTo(X + 9, Y + 17);
        c->LineTo(X + 17, Y + 17);
        c->LineTo(X + 17, Y + 8);
        c->Pen()->SetColor(0xC0C0C0);
        c->MoveTo(X + 10, Y + 16);
        c->LineTo(X + 16, Y + 16);
        c->LineTo(X + 16, Y + 9);
        c->Pen()->SetColor(0x808080);
        c->MoveTo(X + 9, Y + 16);
        c->LineTo(X + 9, Y + 9);
        c->LineTo(X + 17, Y + 9);
    }
}

void TMeter::DrawFrameLines(TCanvas* c, int W, int H)
{
    c->Pen()->SetColor(FFrameStyle == fsRidge ? FLines.White : FLines.Gray);
    auto path = [&](TColor topLeft, TColor bottomRight) {
        c->Pen()->SetColor(topLeft);
        c->MoveTo(0, H - 1);
        c->LineTo(0, 0);
        c->LineTo(W - 1, 0);
        c->Pen()->SetColor(bottomRight);
        c->LineTo(W - 1, H - 1);
        c->LineTo(0, H - 1);
    };
    auto ridge = [&](TColor first, TColor second) {
        c->Pen()->SetColor(first);
        c->MoveTo(0, 0);
        c->LineTo(W - 2, 0);
        c->LineTo(W - 2, H - 2);
        c->LineTo(0, H - 2);
        c->LineTo(0, 0);
        c->Pen()->SetColor(second);
        c->MoveTo(1, H - 3);
        c->LineTo(1, 1);
        c->LineTo(W - 2, 1);
        c->MoveTo(1, H - 1);
        c->LineTo(W - 1, H - 1);
        c->LineTo(W - 1, 0);
    };
    switch (FFrameStyle) {
    case fsNone:
        break;
    case fsSimple:
        path(FColorBakG, FColorBakG);
        break;
    case fsLowered:
        path(FLines.Gray, FLines.White);
        break;
    case fsRaised:
        path(FLines.White, FLines.Gray);
        break;
    case fsRidge:
        ridge(FLines.White, FLines.Gray);
        break;
    case fsGroove:
        ridge(FLines.Gray, FLines.White);
        break;
    }
}

bool TMeter::RenderTo(TBitmap* B)
{
    const int W = width(), H = height();
    if (!B || !FNeedleLayout || !(Geo().Radius > 0))
        return false;
    if (B->Width() != W || B->Height() != H)
        B->SetSize(W, H);
    B->Canvas()->SetPalette(Palette());
    renderOn(B->Canvas(), W, H, false);
    return true;
}

void TMeter::StaticLayerKey(const TCanvas* c, int W, int H, TStaticLayerKey& k) const
{
    k.Width = W;
    k.Height = H;
    k.Scale = TScalePlan::Key::Of(*this, *Font());
    k.Layout = FMeterLayout;
    k.RimBottom = FRimBottom;
    k.BackGroundImg = FBackGroundImg;
    k.BackGroundKey = FBackGroundImg.isEmpty() ? 0 : AuxBGBmp.Image().cacheKey();
    k.FillMode = FBkgndFillMode;
    // Colours as the palette resolves them now, so a palette change shows.
    k.Colors = {c->Resolve(FColorBakG), c->Resolve(FColorSclBkLow), c->Resolve(FColorSclBkNorm),
                c->Resolve(FColorSclBkHigh), c->Resolve(FColorScale), c->Resolve(Font()->Color()),
                c->Resolve(FFontCaption.Color())};
    k.ScaleBkVisible = FScaleBkVisible;
    k.ScaleBakWidth = FScaleBakWidth;
    k.ThresholdLow = FThresholdLow;
    k.ThresholdHigh = FThresholdHigh;
    k.ScaleVisible = FScaleVisible;
    k.ScaleLine = FScaleLine;
    k.CaptionFont = FFontCaption;
    k.Caption = FCaption;
    k.AnchorCovered = FAnchorCovered;
    k.AnchorImage = FAnchorImage;
    k.AnchorImageSize = QSize(AuxACBmp.Width(), AuxACBmp.Height());
    k.AnchorSize = FAnchorSize;
}

TMeter::TCaptionPlace TMeter::DrawStatic(TCanvas* c, int W, int H)
{
    const TMeterScale sc = Scale();

    // Background.
    if (FBackGroundImg.isEmpty()) {
        c->Font()->Assign(*Font());
        PenAndBrush(c, FColorBakG);
        c->Rectangle(0, 0, W, H);
    } else {
        const int iw = AuxBGBmp.Width(), ih = AuxBGBmp.Height();
        switch (FBkgndFillMode) {
        case bfSimple:
            // A fresh bitmap's pen and brush: black outline, white fill.
            c->Pen()->SetColor(clBlack);
            c->Brush()->SetColor(clWhite);
            c->Brush()->SetStyle(bsSolid);
            c->Rectangle(0, 0, W, H);
            c->StretchDraw(TRect(0, 0, iw, ih), &AuxBGBmp);
            break;
        case bfStretch:
            c->StretchDraw(TRect(0, 0, W, H), &AuxBGBmp);
            break;
        case bfTile:
            if (iw > 0 && ih > 0) {
                const int nx = (W - 1) / iw + 1, ny = (H - 1) / ih + 1;
                for (int i = 1; i <= nx; ++i)
                    for (int j = 1; j <= ny; ++j)
                        c->StretchDraw(TRect(iw * (i - 1), ih * (j - 1), iw * i, ih * j), &AuxBGBmp);
            }
            break;
        }
    }

    if (FScaleBkVisible)
        DrawBands(c, sc);

    c->Brush()->SetStyle(bsClear);
    if (FScaleVisible)
        DrawScale(c, sc);

    // Caption, also without a scale. Where the anchor would cover it (a small meter whose
    // centre lies in the window) it is drawn after the anchor instead, over the knob.
    c->Font()->Assign(FFontCaption);
    TCaptionPlace cap;
    const int capW = c->TextWidth(FCaption), capH = c->TextHeight(FCaption);
    cap.X = FGeo.CenterX - capW / 2;
    cap.Y = FGeo.CenterY - MeterRound(FGeo.Radius / 3) - capH / 2;
    cap.OverKnob = !FCaption.isEmpty() && Overlap(TRect(cap.X, cap.Y, cap.X + capW, cap.Y + capH), AnchorBox(H));
    if (!cap.OverKnob)
        DrawCaption(c, cap.X, cap.Y);
    return cap;
}

void TMeter::renderOn(TCanvas* c, int W, int H, bool mayUseLayer)
{
    const TMeterScale sc = Scale();
    TCaptionPlace cap;
    // Background, bands, scale and caption change only with the settings: a paint copies
    // them from the picture of the last paint whose settings were the same. A label handler
    // may draw anything, so with one assigned they are drawn every time.
    if (mayUseLayer && !OnBeforeDrawScaleLabel) {
        TStaticLayerKey key;
        StaticLayerKey(c, W, H, key);
        if (!FLayer || !(FLayer->Inputs == key)) {
            // The picture is drawn again into the same bitmap: its canvas keeps the fonts and
            // the shaped label texts, which a changed colour or needle setting leaves as they were.
            if (!FLayer)
                FLayer = std::make_unique<TStaticLayer>();
            TStaticLayer* layer = FLayer.get();
            // A picture left half drawn must not be taken for the old one.
            auto dropUnfinished = qScopeGuard([this] { FLayer.reset(); });
            layer->Bitmap.SetSize(W, H);
            TCanvas* t = layer->Bitmap.Canvas();
            t->SetPalette(Palette());
            // The drawing state of the control's canvas at the start of a paint.
            t->Pen()->Assign(*c->Pen());
            t->Brush()->Assign(*c->Brush());
            t->Font()->Assign(*c->Font());
            t->SetPenPos(c->PenPos());
            t->SetCopyMode(c->CopyMode());
            t->SetStretchMode(c->StretchMode());
            t->FillRect(TRect(0, 0, W, H));
            layer->Caption = DrawStatic(t, W, H);
            t->Flush();
            layer->Pen.Assign(*t->Pen());
            layer->Brush.Assign(*t->Brush());
            layer->Font.Assign(*t->Font());
            layer->PenPos = t->PenPos();
            t->SetPalette(nullptr);
            layer->Inputs = key;
            dropUnfinished.dismiss();
        }
        const TCopyMode mode = c->CopyMode();
        c->SetCopyMode(SRCCOPY);
        c->Draw(0, 0, FLayer->Bitmap.Image());
        c->SetCopyMode(mode);
        c->Pen()->Assign(FLayer->Pen);
        c->Brush()->Assign(FLayer->Brush);
        c->Font()->Assign(FLayer->Font);
        c->SetPenPos(FLayer->PenPos);
        cap = FLayer->Caption;
    } else {
        cap = DrawStatic(c, W, H);
    }
    const bool captionOverKnob = cap.OverKnob;
    const int capX = cap.X, capY = cap.Y;

    // The secondary needle lies under the primary one.
    if (FNeedleLayoutSec->Visible())
        DrawNeedle(c, FNeedleLayoutSec, sc.Clamp(FValueSec));
    bool needleDrawn = false;
    if (OnBeforeDrawNeedle)
        OnBeforeDrawNeedle(this, c, needleDrawn);
    if (!needleDrawn && FNeedleLayout->Visible())
        DrawNeedle(c, FNeedleLayout, FValue);

    DrawCoverAndAnchor(c, W, H);
    if (captionOverKnob)
        DrawCaption(c, capX, capY);
    DrawLamps(c, W);
    if (OnMeterRendered)
        OnMeterRendered(this, c);
    DrawFrameLines(c, W, H);
}

} // namespace qor

// Progress bar: construction, property setters, the colour table, the increment timer and assignment.
#include "bars/ProgBarGeometry_p.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace qor {

TProgBar::TProgBar(QWidget* owner) : TGraphicControl(owner)
{
    FBarColors[0] = 0xFF0000;
    FBarColors[BarColorCount - 1] = 0x0000FF;
    recomputeBarColors();
    FBGImg = std::make_unique<TBitmap>(10, 10);
    FTimer = new TComponentTimer(this);
    FTimer->OnTimer = [this] { DoTimer(); };
    resize(DefaultWidth, DefaultHeight);
}

TProgBar::~TProgBar()
{
    FTimer->Stop();
    FTimer->OnTimer = nullptr;
}

void TProgBar::changed()
{
    // Setters draw at once; while the settings are being read, Loaded paints once at the end.
    if (IsLoading())
        Invalidate();
    else
        Paint();
}

void TProgBar::Loaded()
{
    TGraphicControl::Loaded();
    Invalidate();
}

// ---------------------------------------------------------------- colour table

void TProgBar::recomputeBarColors()
{
    // The ends may be system colours; the steps between them are taken from what they show.
    progbar::InterpolateBarColors(FBarColors, ResolveColor(FBarColors[0]), ResolveColor(FBarColors[BarColorCount - 1]));
}

void TProgBar::SetColorMin(TColor c)
{
    FBarColors[0] = c;
    recomputeBarColors();
    changed();
}

void TProgBar::SetColorMax(TColor c)
{
    FBarColors[BarColorCount - 1] = c;
    recomputeBarColors();
    changed();
}

TColor TProgBar::BarColors(int ix) const
{
    if (ix < 0 || ix >= BarColorCount)
        return 0;
    return FBarColors[size_t(ix)];
}

void TProgBar::SetBarColors(int ix, TColor c)
{
    if (ix < 0 || ix >= BarColorCount)
        return;
    FBarColors[size_t(ix)] = c;
}

// ---------------------------------------------------------------- plain setters

void TProgBar::SetAutoIncStep(double step)
{
    if (step != 0 && step != FAutoIncStep && !std::isnan(step))
        FAutoIncStep = step;
}

void TProgBar::SetBackGroundImg(const QString& fileName)
{
    if (!fileName.isEmpty()) {
        // Read into a bitmap of its own, so a file that cannot be read leaves picture and name.
        auto picture = std::make_unique<TBitmap>();
        try {
            picture->LoadFromFile(fileName);
        } catch (const EQORError&) {
            const QString reason = QFileInfo::exists(fileName)
                ? QImageReader(fileName).errorString()
                : QStringLiteral("file not found");
            throw EQORProgBar(ComponentMessage(
                Name(), QStringLiteral("cannot load the background picture \"%1\" (%2)").arg(fileName, reason)));
        }
        FBGImg = std::move(picture);
        FBackGroundImg = fileName;
    } else {
        FBackGroundImg.clear();
    }
    changed();
}

void TProgBar::SetColorBackGnd(TColor c)
{
    if (c == FColorBackGnd)
        return;
    FColorBackGnd = c;
    changed();
}

void TProgBar::SetColorMapMode(TColorMapping m)
{
    if (m == FColorMapMode)
        return;
    FColorMapMode = m;
    changed();
}

void TProgBar::SetColorGrid(TColor c)
{
    if (c == FColorGrid)
        return;
    FColorGrid = c;
    changed();
}

void TProgBar::SetColorMargin(TColor c)
{
    if (c == FColorMargin)
        return;
    FColorMargin = c;
    changed();
}

void TProgBar::SetColorScheme(TColorScheme s)
{
    if (s == FColorScheme)
        return;
    FColorScheme = s;
    const TLineColors lines = LineColorsForScheme(s);
    FColBlackLine = lines.Black;
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    changed();
}

void TProgBar::SetDirection(TDirection d)
{
    if (d == FDirection)
        return;
    FDirection = d;
    changed();
}

void TProgBar::SetFrameStyleOuter(TFrameStyle s)
{
    if (s == FFrameStyleOuter)
        return;
    FFrameStyleOuter = s;
    changed();
}

void TProgBar::SetFrameStyleInner(TFrameStyle s)
{
    if (s == FFrameStyleInner)
        return;
    FFrameStyleInner = s;
    changed();
}

void TProgBar::SetGridDist(int d)
{
    if (d == FGridDist)
        return;
    FGridDist = d;
    changed();
}

void TProgBar::SetMarginLeft(int v)
{
    if (v == FMarginLeft)
        return;
    FMarginLeft = v;
    changed();
}

void TProgBar::SetMarginRight(int v)
{
    if (v == FMarginRight)
        return;
    FMarginRight = v;
    changed();
}

void TProgBar::SetMarginTop(int v)
{
    if (v == FMarginTop)
        return;
    FMarginTop = v;
    changed();
}

void TProgBar::SetMarginBottom(int v)
{
    if (v == FMarginBottom)
        return;
    FMarginBottom = v;
    changed();
}

void TProgBar::SetMax(double v)
{
    if (v == FMax)
        return;
    FMax = v;
    changed();
}

void TProgBar::SetMin(double v)
{
    if (v == FMin)
        return;
    FMin = v;
    changed();
}

void TProgBar::SetRange(double min, double max)
{
    FMin = std::min(min, max);
    FMax = std::max(min, max);
    changed();
}

void TProgBar::SetShowColorGradient(bool on)
{
    if (on == FShowColorGradient)
        return;
    FShowColorGradient = on;
    changed();
}

void TProgBar::SetTextAlignment(TAlignment a)
{
    if (a == FTextAlignment)
        return;
    FTextAlignment = a;
    changed();
}

void TProgBar::SetTextAngle(int degrees)
{
    FTextAngle = std::clamp(degrees, 0, 360);
    changed();
}

void TProgBar::SetTextDecPlaces(int places)
{
    FTextDecPlaces = std::clamp(places, -2, 10);
    changed();
}

void TProgBar::SetTextPosX(int x)
{
    FTextPosX = std::clamp(x, 0, std::max(0, Width()));
    changed();
}

void TProgBar::SetTextPosY(int y)
{
    FTextPosY = std::clamp(y, 0, std::max(0, Height()));
    changed();
}

void TProgBar::SetTextVisible(bool on)
{
    FTextVisible = on;
    changed();
}

void TProgBar::SetValue(double v)
{
    if (v == FValue)
        return;
    FValue = v;
    changed();
}

// ---------------------------------------------------------------- increment timer

void TProgBar::startTimer(int interval)
{
    FTimer->Stop();
    if (interval > 0 && FAutoInc && !FTimer->Start(interval)) {
        // No timer runs, so the bar does not claim to increment.
        FAutoInc = false;
        throw EQORProgBar(ComponentMessage(Name(), QStringLiteral("no timer available")));
    }
}

void TProgBar::startPhase()
{
    FStartPhase = true;
    startTimer(FStartInterval);
}

void TProgBar::repeatPhase()
{
    FStartPhase = false;
    startTimer(FRepeatInterval);
}

void TProgBar::SetAutoInc(bool on)
{
    if (on == FAutoInc)
        return;
    FAutoInc = on;
    if (Designing())
        return;
    if (on)
        startPhase();
    else
        FTimer->Stop();
}

void TProgBar::SetStartInterval(int ms)
{
    ms = std::max(ms, 10);
    if (ms == FStartInterval)
        return;
    FStartInterval = ms;
    if (!Designing())
        startPhase();
}

void TProgBar::SetRepeatInterval(int ms)
{
    ms = std::max(ms, 10);
    if (ms == FRepeatInterval)
        return;
    FRepeatInterval = ms;
    if (!Designing())
        repeatPhase();
}

void TProgBar::SetOnAutoInc(TNotifyEvent handler)
{
    OnAutoInc = std::move(handler);
    if (!Designing())
        repeatPhase();
}

void TProgBar::SetOnShowValue(TBeforeShowValueEvent handler)
{
    OnShowValue = std::move(handler);
    changed();
}

void TProgBar::DoTimer()
{
    if (FStartPhase)
        repeatPhase();
    FValue += FAutoIncStep;
    changed();
    if (OnAutoInc)
        OnAutoInc(this);
}

// ---------------------------------------------------------------- assignment

void TProgBar::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TProgBar*>(source);
    if (!s) {
        TGraphicControl::Assign(source);
        return;
    }
    if (s == this)
        return;
    FFrameStyleOuter = s->FFrameStyleOuter;
    FFrameStyleInner = s->FFrameStyleInner;
    FValue = s->FValue;
    FMax = s->FMax;
    FMin = s->FMin;
    FColorMargin = s->FColorMargin;
    FColBlackLine = s->FColBlackLine;
    FColGrayLine = s->FColGrayLine;
    FColWhiteLine = s->FColWhiteLine;
    FColorScheme = s->FColorScheme;
    FDirection = s->FDirection;
    FBarColors = s->FBarColors;
    FBGImg->Assign(s->FBGImg.get()); // each bar keeps a picture of its own
    FColorBackGnd = s->FColorBackGnd;
    FShowColorGradient = s->FShowColorGradient;
    FColorGrid = s->FColorGrid;
    FGridDist = s->FGridDist;
    FColorMapMode = s->FColorMapMode;
    FMarginLeft = s->FMarginLeft;
    FMarginRight = s->FMarginRight;
    FMarginTop = s->FMarginTop;
    FMarginBottom = s->FMarginBottom;
    FBackGroundImg = s->FBackGroundImg;
    FTextPosX = s->FTextPosX;
    FTextPosY = s->FTextPosY;
    FTextDecPlaces = s->FTextDecPlaces;
    FTextAngle = s->FTextAngle;
    FTextAlignment = s->FTextAlignment;
    FTextVisible = s->FTextVisible;
    // OnShowValue stays: a handler may be bound to the source or its owner and must not be
    // called through this bar after they are gone. Timer settings, OnAutoInc and Font stay too.
    changed();
}

} // namespace qor

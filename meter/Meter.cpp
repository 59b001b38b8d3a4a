// TMeter's properties, range and limit logic, loading, images and mouse; TNeedleLayout.
#include "meter/QOR_Meter.h"
#include "meter/MeterScalePlan_p.h"
#include "foundation/QOR_Store.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace qor {

using meterdetail::kLogFloor;

namespace {

// The next value above x that the range logic can use as a new maximum: x + 1 where
// that is distinguishable from x, else a relative nudge. Not finite when x is at the
// very top of the double range.
double BumpUp(double x)
{
    const double a = x + 1;
    if (a > x)
        return a;
    return x + std::fabs(x) * 1e-9;
}

double BumpDown(double x)
{
    const double a = x - 1;
    if (a < x)
        return a;
    return x - std::fabs(x) * 1e-9;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TNeedleLayout

TNeedleLayout::TNeedleLayout(QObject* owner) : QObject(owner) {}

void TNeedleLayout::SetHeadSize(int v) { if (Store(FSize1, v)) Changed(); }
void TNeedleLayout::SetHeadMidLeng(int v) { if (Store(FBackShift1, v)) Changed(); }
void TNeedleLayout::SetThickness(int v) { if (Store(FThickness, v)) Changed(); }
void TNeedleLayout::SetColorBody(TColor v) { if (Store(FColorFill, v)) Changed(); }
void TNeedleLayout::SetColorOutline(TColor v) { if (Store(FColorLine, v)) Changed(); }
void TNeedleLayout::SetShadowDx(int v) { if (Store(FShadowDx, v)) Changed(); }
void TNeedleLayout::SetShadowDy(int v) { if (Store(FShadowDy, v)) Changed(); }
void TNeedleLayout::SetShadowColor(TColor v) { if (Store(FShadowColor, v)) Changed(); }
void TNeedleLayout::SetVisible(bool v) { if (Store(FVisible, v)) Changed(); }

void TNeedleLayout::SetHeadAngle(int v)
{
    v = std::clamp(v, 0, 180);
    if (!Store(FAngle1, v))
        return;
    Changed();
}

void TNeedleLayout::SetPercentNeedleLength(int v)
{
    v = std::clamp(v, 0, 100);
    if (!Store(FPctNeedleLeng, v))
        return;
    Changed();
}

bool TNeedleLayout::CopyFrom(const TNeedleLayout* s)
{
    if (!s || s == this)
        return false;
    const bool differs = FSize1 != s->FSize1 || FAngle1 != s->FAngle1 || FBackShift1 != s->FBackShift1
        || FThickness != s->FThickness || FColorFill != s->FColorFill || FColorLine != s->FColorLine
        || FPctNeedleLeng != s->FPctNeedleLeng || FShadowDx != s->FShadowDx || FShadowDy != s->FShadowDy
        || FShadowColor != s->FShadowColor || FVisible != s->FVisible;
    FSize1 = s->FSize1;
    FAngle1 = s->FAngle1;
    FBackShift1 = s->FBackShift1;
    FThickness = s->FThickness;
    FColorFill = s->FColorFill;
    FColorLine = s->FColorLine;
    FPctNeedleLeng = s->FPctNeedleLeng;
    FShadowDx = s->FShadowDx;
    FShadowDy = s->FShadowDy;
    FShadowColor = s->FShadowColor;
    FVisible = s->FVisible;
    return differs;
}

void TNeedleLayout::Assign(const TNeedleLayout* source)
{
    if (CopyFrom(source))
        Changed();
}

void TNeedleLayout::Changed()
{
    if (OnChange)
        OnChange(this);
}

TNeedleShape TNeedleLayout::Shape() const
{
    TNeedleShape s;
    s.HeadSize = FSize1;
    s.HeadAngle = FAngle1;
    s.HeadMidLeng = FBackShift1;
    s.Thickness = FThickness;
    s.PercentNeedleLength = FPctNeedleLeng;
    return s;
}

// ---------------------------------------------------------------------------------------
// TMeter: construction and geometry

static void SetMeterNeedleDefaults(TNeedleLayout* n, bool visible)
{
    n->SetHeadSize(20);
    n->SetHeadAngle(30);
    n->SetHeadMidLeng(20);
    n->SetThickness(0);
    n->SetColorBody(0xC0C0C0);
    n->SetColorOutline(0);
    n->SetPercentNeedleLength(100);
    n->SetShadowDx(0);
    n->SetShadowDy(0);
    n->SetShadowColor(0x808080);
    n->SetVisible(visible);
}

TMeter::TMeter(QWidget* owner)
    : TGraphicControl(owner), AuxBGBmp(10, 10), AuxACBmp(10, 10), AuxACMaskBmp(10, 10)
{
    FFontCaption.Assign(*Font());
    FFontCaption.OnChange = [this](TGraphicsObject*) {
        if (!FInFontCaptionSet)
            Repaint_();
    };
    FNeedleLayout = new TNeedleLayout(this);
    FNeedleLayoutSec = new TNeedleLayout(this);
    SetMeterNeedleDefaults(FNeedleLayout, true);
    SetMeterNeedleDefaults(FNeedleLayoutSec, false);
    FNeedleLayout->OnChange = [this](TObject* s) { StyleChanged(s); };
    FNeedleLayoutSec->OnChange = [this](TObject* s) { StyleChanged(s); };
    UpdateLineColors();
    // Moves over the control are reported without a button held.
    setMouseTracking(true);
    resize(297, 209);
    CalcMeterLayoutParams();
}

TMeter::~TMeter() = default;

void TMeter::CalcMeterLayoutParams() const
{
    FGeoWidth = width();
    FGeoHeight = height();
    FGeo = CalcMeterGeometry(FMeterLayout, FGeoWidth, FGeoHeight, FRimTop, FRimBottom, FRimSide);
}

const TMeterGeometry& TMeter::Geo() const
{
    if (width() != FGeoWidth || height() != FGeoHeight)
        CalcMeterLayoutParams();
    return FGeo;
}

void TMeter::SetBounds(int left, int top, int w, int h)
{
    TGraphicControl::SetBounds(left, top, w, h);
    CalcMeterLayoutParams();
}

void TMeter::Resize()
{
    CalcMeterLayoutParams();
    TGraphicControl::Resize();
}

void TMeter::FontChanged()
{
    TGraphicControl::FontChanged();
    Repaint_();
}

TMeterScale TMeter::Scale() const
{
    TMeterScale s;
    s.Min = FMinValue;
    s.Max = FMaxValue;
    s.Logarithmic = FLogarithmic;
    s.Geo = Geo();
    return s;
}

double TMeter::CalcNeedleAngle(double value) const
{
    return Scale().NeedleAngle(value);
}

void TMeter::ConvertToPixelCoords(double value, double pctradius, int& X, int& Y) const
{
    const TPoint p = Scale().ValueToPixel(value, pctradius);
    X = p.X;
    Y = p.Y;
}

bool TMeter::ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const
{
    return Scale().PixelToValue(XPos, YPos, MeterValue);
}

void TMeter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    double v = 0;
    const bool within = ConvertPixelToValue(x, y, v);
    if (OnMouseMoveInMeter)
        OnMouseMoveInMeter(this, within, shift, v);
}

void TMeter::Repaint_()
{
    if (IsLoading())
        return;
    Paint();
}

void TMeter::StyleChanged(TObject*)
{
    Repaint_();
}

// ---------------------------------------------------------------------------------------
// Value, range and limits

void TMeter::SetValue(double v)
{
    if (IsLoading()) {
        FValue = v;
        return;
    }
    if (v == FValue)
        return;
    v = Scale().Clamp(v);
    FValue = v;
    FOFL = false;
    FUFL = false;
    if (FNeedleLayout->Visible())
        SignalZone(v);
    Repaint_();
}

void TMeter::SignalZone(double v)
{
    if (v >= FThresholdHigh) {
        FOFL = true;
        if (OnOverFlow)
            OnOverFlow(this);
    } else if (v > FThresholdLow) {
        if (OnNormalRange)
            OnNormalRange(this);
    } else {
        FUFL = true;
        if (OnUnderFlow)
            OnUnderFlow(this);
    }
}

void TMeter::SetValueSec(double v)
{
    if (IsLoading()) {
        FValueSec = v;
        return;
    }
    if (v == FValueSec)
        return;
    v = Scale().Clamp(v);
    FValueSec = v;
    // A hidden secondary needle leaves the lamps to the primary one.
    if (!FNeedleLayoutSec->Visible())
        return;
    FOFL = false;
    FUFL = false;
    SignalZone(v);
    Repaint_();
}

void TMeter::SetMeterMinValue(double v)
{
    if (!std::isfinite(v))
        return;
    if (FLogarithmic && v < kLogFloor)
        return;
    if (IsLoading()) {
        FMinValue = v;
        return;
    }
    if (v == FMinValue)
        return;
    double newMax = FMaxValue;
    if (!(newMax > v)) {
        newMax = BumpUp(v);
        if (!std::isfinite(newMax))
            return;
    }
    FMinValue = v;
    FMaxValue = newMax;
    if (FValue < v)
        FValue = v;
    if (FValueSec < v)
        FValueSec = v;
    if (FThresholdLow < v)
        FThresholdLow = v;
    if (FThresholdHigh < v)
        FThresholdHigh = v;
    Repaint_();
}

void TMeter::SetMeterMaxValue(double v)
{
    if (!std::isfinite(v))
        return;
    if (FLogarithmic && v < kLogFloor)
        return;
    if (IsLoading()) {
        FMaxValue = v;
        return;
    }
    if (v == FMaxValue)
        return;
    double newMin = FMinValue;
    if (v <= FMinValue) {
        newMin = BumpDown(v);
        if (FLogarithmic && newMin <= 0)
            newMin = v / 10;
        if (!std::isfinite(newMin))
            return;
    }
    FMaxValue = v;
    FMinValue = newMin;
    if (FValue > v)
        FValue = v;
    if (FValueSec > v)
        FValueSec = v;
    if (FThresholdLow > v)
        FThresholdLow = v;
    if (FThresholdHigh > v)
        FThresholdHigh = v;
    Repaint_();
}

void TMeter::SetThresholdLow(double v)
{
    if (std::isnan(v))
        return;
    if (FLogarithmic && v < kLogFloor)
        return;
    if (IsLoading()) {
        FThresholdLow = v;
        return;
    }
    if (v == FThresholdLow)
        return;
    v = std::clamp(v, FMinValue, FMaxValue);
    FThresholdLow = v;
    if (FThresholdLow > FThresholdHigh)
        FThresholdHigh = FThresholdLow;
    FUFL = false;
    if (!(FValue > FThresholdLow)) {
        FUFL = true;
        if (OnUnderFlow)
            OnUnderFlow(this);
    }
    Repaint_();
}

void TMeter::SetThresholdHigh(double v)
{
    if (std::isnan(v))
        return;
    if (FLogarithmic && v < kLogFloor)
        return;
    if (IsLoading()) {
        FThresholdHigh = v;
        return;
    }
    if (v == FThresholdHigh)
        return;
    v = std::clamp(v, FMinValue, FMaxValue);
    FThresholdHigh = v;
    if (FThresholdHigh < FThresholdLow)
        FThresholdLow = FThresholdHigh;
    FOFL = false;
    if (FValue >= FThresholdHigh) {
        FOFL = true;
        if (OnOverFlow)
            OnOverFlow(this);
    }
    Repaint_();
}

void TMeter::SetLogarithmic(bool v)
{
    if (IsLoading()) {
        FLogarithmic = v;
        return;
    }
    if (v == FLogarithmic)
        return;
    if (FMinValue <= kLogFloor || FMaxValue <= kLogFloor)
        FLogarithmic = false;
    else
        FLogarithmic = v;
    Repaint_();
}

// ---------------------------------------------------------------------------------------
// Appearance

void TMeter::SetMeterLayout(TMeterLayout v)
{
    if (v > mlCirc360 || v == FMeterLayout)
        return;
    FMeterLayout = v;
    CalcMeterLayoutParams();
    Repaint_();
}

void TMeter::SetMeterNrTicks(int v)
{
    v = std::clamp(v, 2, 21);
    if (!Store(FNrTicks, v))
        return;
    Repaint_();
}

void TMeter::SetMeterDecPlaces(int v)
{
    v = std::clamp(v, 0, 4);
    if (!Store(FDecPlaces, v))
        return;
    Repaint_();
}

void TMeter::SetMeterShortTicks(bool v) { if (Store(FShortTicks, v)) Repaint_(); }
void TMeter::SetMeterScaleLine(bool v) { if (Store(FScaleLine, v)) Repaint_(); }
void TMeter::SetColorScale(TColor v) { if (Store(FColorScale, v)) Repaint_(); }
void TMeter::SetColorBakG(TColor v) { if (Store(FColorBakG, v)) Repaint_(); }
void TMeter::SetColorCover(TColor v) { if (Store(FColorCover, v)) Repaint_(); }
void TMeter::SetColorSclBkLow(TColor v) { if (Store(FColorSclBkLow, v)) Repaint_(); }
void TMeter::SetColorSclBkNorm(TColor v) { if (Store(FColorSclBkNorm, v)) Repaint_(); }
void TMeter::SetColorSclBkHigh(TColor v) { if (Store(FColorSclBkHigh, v)) Repaint_(); }
void TMeter::SetFrameStyle(TFrameStyle v) { if (Store(FFrameStyle, v)) Repaint_(); }
void TMeter::SetAnchorCovered(bool v) { if (Store(FAnchorCovered, v)) Repaint_(); }
void TMeter::SetAnchorSize(int v) { if (Store(FAnchorSize, v)) Repaint_(); }
void TMeter::SetLimWatchHighOn(bool v) { if (Store(FLimWatHighOn, v)) Repaint_(); }
void TMeter::SetLimWatchLowOn(bool v) { if (Store(FLimWatLowOn, v)) Repaint_(); }
void TMeter::SetLimWatchActColor(TColor v) { if (Store(FLimWatActCol, v)) Repaint_(); }
void TMeter::SetLimWatchPsvColor(TColor v) { if (Store(FLimWatPsvCol, v)) Repaint_(); }

void TMeter::SetScaleVisible(bool v)
{
    FScaleVisible = v;
    Repaint_();
}

void TMeter::SetScaleBkVisible(bool v)
{
    FScaleBkVisible = v;
    Repaint_();
}

void TMeter::SetScaleBkWidth(double v)
{
    if (std::isnan(v))
        return;
    FScaleBakWidth = std::clamp(v, 0.0, 100.0);
    Repaint_();
}

void TMeter::SetCaption(const QString& v)
{
    FCaption = v;
    Repaint_();
}

void TMeter::SetBkgndFillMode(TBkgFill v)
{
    FBkgndFillMode = v;
    Repaint_();
}

void TMeter::UpdateLineColors()
{
    FLines = LineColorsForScheme(FColorScheme);
}

void TMeter::SetColorScheme(TColorScheme v)
{
    if (!Store(FColorScheme, v))
        return;
    UpdateLineColors();
    Repaint_();
}

void TMeter::SetFontCaption(const TFont* v)
{
    if (v && v != &FFontCaption) {
        FInFontCaptionSet = true;
        FFontCaption.Assign(*v);
        FInFontCaptionSet = false;
    }
    Repaint_();
}

void TMeter::SetRimTop(int v)
{
    if (!Store(FRimTop, v))
        return;
    CalcMeterLayoutParams();
    Repaint_();
}

void TMeter::SetRimBottom(int v)
{
    if (!Store(FRimBottom, v))
        return;
    CalcMeterLayoutParams();
    Repaint_();
}

void TMeter::SetRimSide(int v)
{
    if (!Store(FRimSide, v))
        return;
    CalcMeterLayoutParams();
    Repaint_();
}

void TMeter::SetNeedleLayout(const TNeedleLayout* v)
{
    FNeedleLayout->CopyFrom(v);
    Repaint_();
}

void TMeter::SetNeedleLayoutSec(const TNeedleLayout* v)
{
    FNeedleLayoutSec->CopyFrom(v);
    Repaint_();
}

// ---------------------------------------------------------------------------------------
// Images

bool TMeter::LoadBackground(const QString& fileName)
{
    try {
        AuxBGBmp.LoadFromFile(fileName);
        return true;
    } catch (const EQORError&) {
        return false;
    }
}

void TMeter::BuildAnchorMask(const QImage& source)
{
    // Transparent are the pixels of palette index 0 (indexed images), the clear pixels
    // (images with alpha) or, in plain colour images, the black ones. The mask is white
    // where the background shows and black under the anchor; the anchor image itself is
    // made black where transparent so that ORing it leaves the background alone.
    const int w = source.width(), h = source.height();
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    QImage mask(w, h, QImage::Format_RGB32);
    QImage img = AuxACBmp.Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
        QRgb* p = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            bool clear;
            if (source.format() == QImage::Format_Indexed8 || source.format() == QImage::Format_Mono
                || source.format() == QImage::Format_MonoLSB)
                clear = source.pixelIndex(x, y) == 0;
            else if (source.hasAlphaChannel())
                clear = qAlpha(src[x]) < 128;
            else
                clear = (src[x] & 0x00FFFFFFu) == 0;
            m[x] = clear ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            if (clear)
                p[x] = qRgb(0, 0, 0);
        }
    }
    AuxACMaskBmp.SetImage(mask);
    AuxACBmp.SetImage(img);
}

bool TMeter::LoadAnchor(const QString& fileName)
{
    try {
        AuxACBmp.LoadFromFile(fileName);
        AuxACMaskBmp.LoadFromFile(fileName);
    } catch (const EQORError&) {
        return false;
    }
    QImageReader reader(fileName);
    const QImage source = reader.read();
    if (source.isNull() || source.size() != QSize(AuxACBmp.Width(), AuxACBmp.Height()))
        return false;
    BuildAnchorMask(source);
    return true;
}

static bool ImageFileExists(const QString& fileName)
{
    return !fileName.isEmpty() && QFileInfo(fileName).isFile();
}

void TMeter::SetBackGroundImg(const QString& fileName)
{
    if (IsLoading()) {
        FBackGroundImg = fileName;
        return;
    }
    if (ImageFileExists(fileName)) {
        FBackGroundImg = fileName;
        if (!LoadBackground(fileName)) {
            // A name whose picture is not shown would only mislead: clear it, show the
            // plain background and tell the caller.
            FBackGroundImg.clear();
            Repaint_();
            throw EQORError(ComponentMessage(Name(), QStringLiteral("cannot read image file \"%1\"").arg(fileName)));
        }
    } else {
        FBackGroundImg.clear();
    }
    Repaint_();
}

void TMeter::SetAnchorImage(const QString& fileName)
{
    if (IsLoading()) {
        FAnchorImage = fileName;
        return;
    }
    if (ImageFileExists(fileName)) {
        FAnchorImage = fileName;
        if (!LoadAnchor(fileName))
            FAnchorImage.clear();
    } else {
        FAnchorImage.clear();
    }
    Repaint_();
}

void TMeter::LoadImages()
{
    if (!ImageFileExists(FBackGroundImg) || !LoadBackground(FBackGroundImg))
        FBackGroundImg.clear();
    if (!ImageFileExists(FAnchorImage) || !LoadAnchor(FAnchorImage))
        FAnchorImage.clear();
}

// ---------------------------------------------------------------------------------------
// Loading

void TMeter::RepairLoadedState()
{
    // Stored data bypassed the setters: restore what the drawing relies on.
    if (!std::isfinite(FMinValue))
        FMinValue = 0;
    if (!std::isfinite(FMaxValue))
        FMaxValue = BumpUp(FMinValue);
    if (!(FMinValue < FMaxValue)) {
        const double up = BumpUp(FMinValue);
        if (std::isfinite(up))
            FMaxValue = up;
        else
            FMinValue = BumpDown(FMaxValue);
    }
    if (FLogarithmic && (FMinValue <= kLogFloor || FMaxValue <= kLogFloor))
        FLogarithmic = false;
    auto clampRange = [this](double v) {
        if (std::isnan(v))
            return FMinValue;
        return std::clamp(v, FMinValue, FMaxValue);
    };
    FThresholdLow = clampRange(FThresholdLow);
    FThresholdHigh = clampRange(FThresholdHigh);
    if (FThresholdHigh < FThresholdLow)
        FThresholdHigh = FThresholdLow;
    FValue = clampRange(FValue);
    FValueSec = clampRange(FValueSec);
}

void TMeter::Loaded()
{
    TGraphicControl::Loaded();
    RepairLoadedState();
    LoadImages();
    CalcMeterLayoutParams();
    Repaint_();
}

} // namespace qor

// The analog meter: a needle on a circular-arc scale with coloured bands, two limit
// lamps and a caption. The geometry and the value mapping are plain functions and
// structs below (no widget needed); TMeter keeps the properties and draws itself.
#pragma once

#include "foundation/QOR_Controls.h"

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace qor {

/// Sweep of the scale arc; the number is the sweep in degrees.
inline namespace meter_enums {
Q_NAMESPACE
enum TMeterLayout : Byte { mlCirc90 = 0, mlCirc120 = 1, mlCirc180 = 2, mlCirc270 = 3, mlCirc300 = 4, mlCirc360 = 5 };
Q_ENUM_NS(TMeterLayout)

/// How the background image fills the meter: natural size in the top left corner,
/// stretched over the whole control, or tiled. Other ordinals draw no background.
enum TBkgFill : Byte { bfSimple = 0, bfStretch = 1, bfTile = 2 };
Q_ENUM_NS(TBkgFill)
} // namespace meter_enums

using TMouseMoveInMeterEvent = std::function<void(TObject* Sender, bool WithinRange, TShiftState Shift, double MeterValue)>;
using TmtBeforeDrawScaleLabelEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, QString& CurrentTickLabel, int ChartX, int ChartY)>;
using TBeforeDrawNeedleEvent = std::function<void(TObject* Sender, TCanvas* Canvas, bool& NeedleDrawn)>;
using TMeterRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

// ---------------------------------------------------------------------------------------
// Geometry and value mapping (no widget involved)
// ---------------------------------------------------------------------------------------

/// Rounding to the nearest integer with halves to even; NaN gives 0, huge values saturate.
int MeterRound(double x);

/// Rounding towards minus infinity (floor) as an integer.
int IntNeg(double x);

/// Sweep, radius and centre of the scale arc.
struct TMeterGeometry {
    int Angle = 90;        ///< sweep in whole degrees, symmetric about straight up
    double Radius = 0;     ///< radius of the scale arc in pixels
    int CenterX = 0;
    int CenterY = 0;
};

/// The layout geometry for a control of W x H with the given rims.
TMeterGeometry CalcMeterGeometry(TMeterLayout layout, int width, int height, int rimTop, int rimBottom, int rimSide);

/// The sweep in degrees of a layout (90 for unknown ordinals).
int MeterLayoutAngle(TMeterLayout layout);

/// True for the layouts whose centre lies inside the window (270, 300, 360).
bool MeterCenterInside(TMeterLayout layout);

/// Maps values to scale fractions, angles and pixels and back, for one range and geometry.
struct TMeterScale {
    double Min = 0;
    double Max = 1;
    bool Logarithmic = false;
    TMeterGeometry Geo;

    /// Whether the logarithmic mapping applies to v (logarithmic, and v, Min, Max positive).
    bool UsesLog(double v) const;
    /// Position of v along the scale, 0 at Min and 1 at Max (not clamped).
    double Fraction(double v) const;
    /// Drawing angle of v in degrees, counter-clockwise from the positive x axis (y up).
    double Theta(double v) const;
    /// v clamped into [Min, Max]; NaN gives Min.
    double Clamp(double v) const;
    /// Angle of v (clamped) in degrees clockwise from straight down.
    double NeedleAngle(double v) const;
    /// Control pixel at radius r in direction theta (degrees).
    TPoint PixelAtAngle(double thetaDeg, double r) const;
    /// Pixel where the direction of v (clamped) crosses the circle of pctRadius percent of the radius.
    TPoint ValueToPixel(double v, double pctRadius) const;
    /// Direction of a pixel in degrees clockwise from straight down, in [0, 360).
    double PixelDirection(int x, int y) const;
    /// The value whose direction passes through the pixel; false (and 0) outside the sweep.
    bool PixelToValue(int x, int y, double& value) const;
    /// The value at the needle angle (degrees clockwise from straight down); false outside the sweep.
    bool AngleToValue(double needleAngle, double& value) const;
};

/// Step choice of the scale: the first major tick, the step between major ticks and
/// the number of minor intervals per step. Valid is false when the range allows no scale.
struct TScaleSteps {
    double First = 0;
    double Step = 0;
    int NMinor = 0;
    bool Valid = false;
};
TScaleSteps CalcScaleSteps(int nrTicks, double minValue, double maxValue);

struct TMeterTick {
    double Value = 0;
    bool Labelled = false;
};

/// Positions of the minor and major ticks of a scale (labels are on major ticks).
struct TMeterTicks {
    std::vector<double> Minor;
    std::vector<TMeterTick> Major;
};
/// On a logarithmic scale spanning a decade or more the major ticks already mark 1..9 of
/// every decade, and linear minor ticks mapped through the logarithmic fraction would pile
/// up in the top decade: such a scale has no minor ticks. Smaller spans keep them.
TMeterTicks CalcMeterTicks(int nrTicks, double minValue, double maxValue, bool logarithmic, bool shortTicks);

/// Label text: fixed-point, a point as decimal separator, no grouping, no "-0".
QString MeterLabelText(double x, int decimals);

/// The seven corners of a needle (head ends, tip, shoulders, foot) for a needle at
/// phiDeg (drawing angle) on a scale of radius R centred at (cx, cy).
struct TNeedleShape {
    int HeadSize = 20;
    int HeadAngle = 30;
    int HeadMidLeng = 20;
    int Thickness = 0;
    int PercentNeedleLength = 100;
};
std::array<TPoint, 7> CalcNeedlePolygon(double phiDeg, double radius, int cx, int cy, const TNeedleShape& shape);

// ---------------------------------------------------------------------------------------
// Needle appearance
// ---------------------------------------------------------------------------------------

/// The appearance of one needle. A fresh layout has every field zero or false; the
/// meter sets its own defaults. Setters fire OnChange through Changed when the value differs.
class TNeedleLayout : public QObject {
    Q_OBJECT
    Q_PROPERTY(int HeadSize READ HeadSize WRITE SetHeadSize)
    Q_PROPERTY(int HeadAngle READ HeadAngle WRITE SetHeadAngle)
    Q_PROPERTY(int HeadMidLeng READ HeadMidLeng WRITE SetHeadMidLeng)
    Q_PROPERTY(int Thickness READ Thickness WRITE SetThickness)
    Q_PROPERTY(quint32 ColorBody READ ColorBody WRITE SetColorBody)
    Q_PROPERTY(quint32 ColorOutline READ ColorOutline WRITE SetColorOutline)
    Q_PROPERTY(int PercentNeedleLength READ PercentNeedleLength WRITE SetPercentNeedleLength)
    Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
    Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
    Q_PROPERTY(quint32 ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TNeedleLayout(QObject* owner = nullptr);

    int HeadSize() const { return FSize1; }
    void SetHeadSize(int v);
    int HeadAngle() const { return FAngle1; }
    void SetHeadAngle(int v);  ///< clamped to 0..180
    int HeadMidLeng() const { return FBackShift1; }
    void SetHeadMidLeng(int v);
    int Thickness() const { return FThickness; }
    void SetThickness(int v);
    TColor ColorBody() const { return FColorFill; }
    void SetColorBody(TColor v);
    TColor ColorOutline() const { return FColorLine; }
    void SetColorOutline(TColor v);
    int PercentNeedleLength() const { return FPctNeedleLeng; }
    void SetPercentNeedleLength(int v);  ///< clamped to 0..100
    int ShadowDx() const { return FShadowDx; }
    void SetShadowDx(int v);
    int ShadowDy() const { return FShadowDy; }
    void SetShadowDy(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    /// Copies every property except OnChange; fires OnChange once when anything differed.
    void Assign(const TNeedleLayout* source);
    /// The same copy without notification; true when anything differed.
    bool CopyFrom(const TNeedleLayout* source);
    /// Fires OnChange(this) when assigned.
    void Changed();
    TNeedleShape Shape() const;

    TNotifyEvent OnChange;

private:
    int FSize1 = 0;
    int FAngle1 = 0;
    int FBackShift1 = 0;
    int FThickness = 0;
    TColor FColorFill = 0;
    TColor FColorLine = 0;
    int FPctNeedleLeng = 0;
    int FShadowDx = 0;
    int FShadowDy = 0;
    TColor FShadowColor = 0;
    bool FVisible = false;
};

// ---------------------------------------------------------------------------------------
// The meter
// ---------------------------------------------------------------------------------------

class TMeter : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueSec READ ValueSec WRITE SetValueSec)
    Q_PROPERTY(double MeterMinValue READ MeterMinValue WRITE SetMeterMinValue)
    Q_PROPERTY(double MeterMaxValue READ MeterMaxValue WRITE SetMeterMaxValue)
    Q_PROPERTY(double ThresholdLow READ ThresholdLow WRITE SetThresholdLow)
    Q_PROPERTY(double ThresholdHigh READ ThresholdHigh WRITE SetThresholdHigh)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(qor::meter_enums::TMeterLayout MeterLayout READ MeterLayout WRITE SetMeterLayout)
    Q_PROPERTY(int MeterNrTicks READ MeterNrTicks WRITE SetMeterNrTicks)
    Q_PROPERTY(int MeterDecPlaces READ MeterDecPlaces WRITE SetMeterDecPlaces)
    Q_PROPERTY(bool MeterShortTicks READ MeterShortTicks WRITE SetMeterShortTicks)
    Q_PROPERTY(bool MeterScaleLine READ MeterScaleLine WRITE SetMeterScaleLine)
    Q_PROPERTY(bool ScaleVisible READ ScaleVisible WRITE SetScaleVisible)
    Q_PROPERTY(bool ScaleBkVisible READ ScaleBkVisible WRITE SetScaleBkVisible)
    Q_PROPERTY(double ScaleBkWidth READ ScaleBkWidth WRITE SetScaleBkWidth)
    Q_PROPERTY(quint32 ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(quint32 ColorBakG READ ColorBakG WRITE SetColorBakG)
    Q_PROPERTY(quint32 ColorCover READ ColorCover WRITE SetColorCover)
    Q_PROPERTY(quint32 ColorSclBkLow READ ColorSclBkLow WRITE SetColorSclBkLow)
    Q_PROPERTY(quint32 ColorSclBkNorm READ ColorSclBkNorm WRITE SetColorSclBkNorm)
    Q_PROPERTY(quint32 ColorSclBkHigh READ ColorSclBkHigh WRITE SetColorSclBkHigh)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(qor::TFont* FontCaption READ FontCaption WRITE SetFontCaption)
    Q_PROPERTY(int RimTop READ RimTop WRITE SetRimTop)
    Q_PROPERTY(int RimBottom READ RimBottom WRITE SetRimBottom)
    Q_PROPERTY(int RimSide READ RimSide WRITE SetRimSide)
    Q_PROPERTY(bool AnchorCovered READ AnchorCovered WRITE SetAnchorCovered)
    Q_PROPERTY(int AnchorSize READ AnchorSize WRITE SetAnchorSize)
    Q_PROPERTY(QString AnchorImage READ AnchorImage WRITE SetAnchorImage)
    Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(qor::meter_enums::TBkgFill BkgndFillMode READ BkgndFillMode WRITE SetBkgndFillMode)
    Q_PROPERTY(bool LimWatchHighOn READ LimWatchHighOn WRITE SetLimWatchHighOn)
    Q_PROPERTY(bool LimWatchLowOn READ LimWatchLowOn WRITE SetLimWatchLowOn)
    Q_PROPERTY(quint32 LimWatchActColor READ LimWatchActColor WRITE SetLimWatchActColor)
    Q_PROPERTY(quint32 LimWatchPsvColor READ LimWatchPsvColor WRITE SetLimWatchPsvColor)
    Q_PROPERTY(qor::TNeedleLayout* NeedleLayout READ NeedleLayout WRITE SetNeedleLayout)
    Q_PROPERTY(qor::TNeedleLayout* NeedleLayoutSec READ NeedleLayoutSec WRITE SetNeedleLayoutSec)
    Q_PROPERTY(int OriginX READ OriginX)
    Q_PROPERTY(int OriginY READ OriginY)
    Q_PROPERTY(double ScaleRadius READ ScaleRadius)
public:
    explicit TMeter(QWidget* owner = nullptr);
    ~TMeter() override;

    double Value() const { return FValue; }
    void SetValue(double v);
    double ValueSec() const { return FValueSec; }
    void SetValueSec(double v);
    double MeterMinValue() const { return FMinValue; }
    void SetMeterMinValue(double v);
    double MeterMaxValue() const { return FMaxValue; }
    void SetMeterMaxValue(double v);
    double ThresholdLow() const { return FThresholdLow; }
    void SetThresholdLow(double v);
    double ThresholdHigh() const { return FThresholdHigh; }
    void SetThresholdHigh(double v);
    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool v);
    TMeterLayout MeterLayout() const { return FMeterLayout; }
    void SetMeterLayout(TMeterLayout v);
    int MeterNrTicks() const { return FNrTicks; }
    void SetMeterNrTicks(int v);
    int MeterDecPlaces() const { return FDecPlaces; }
    void SetMeterDecPlaces(int v);
    bool MeterShortTicks() const { return FShortTicks; }
    void SetMeterShortTicks(bool v);
    bool MeterScaleLine() const { return FScaleLine; }
    void SetMeterScaleLine(bool v);
    bool ScaleVisible() const { return FScaleVisible; }
    void SetScaleVisible(bool v);
    bool ScaleBkVisible() const { return FScaleBkVisible; }
    void SetScaleBkVisible(bool v);
    double ScaleBkWidth() const { return FScaleBakWidth; }
    void SetScaleBkWidth(double v);
    TColor ColorScale() const { return FColorScale; }
    void SetColorScale(TColor v);
    TColor ColorBakG() const { return FColorBakG; }
    void SetColorBakG(TColor v);
    TColor ColorCover() const { return FColorCover; }
    void SetColorCover(TColor v);
    TColor ColorSclBkLow() const { return FColorSclBkLow; }
    void SetColorSclBkLow(TColor v);
    TColor ColorSclBkNorm() const { return FColorSclBkNorm; }
    void SetColorSclBkNorm(TColor v);
    TColor ColorSclBkHigh() const { return FColorSclBkHigh; }
    void SetColorSclBkHigh(TColor v);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    TFont* FontCaption() { return &FFontCaption; }
    const TFont* FontCaption() const { return &FFontCaption; }
    void SetFontCaption(const TFont* v);
    int RimTop() const { return FRimTop; }
    void SetRimTop(int v);
    int RimBottom() const { return FRimBottom; }
    void SetRimBottom(int v);
    int RimSide() const { return FRimSide; }
    void SetRimSide(int v);
    bool AnchorCovered() const { return FAnchorCovered; }
    void SetAnchorCovered(bool v);
    int AnchorSize() const { return FAnchorSize; }
    void SetAnchorSize(int v);
    QString AnchorImage() const { return FAnchorImage; }
    /// An existing file is loaded (a file that cannot be read clears the name quietly).
    void SetAnchorImage(const QString& fileName);
    QString BackGroundImg() const { return FBackGroundImg; }
    /// An existing file is loaded; a file that cannot be read clears the name and raises EQORError.
    void SetBackGroundImg(const QString& fileName);
    TBkgFill BkgndFillMode() const { return FBkgndFillMode; }
    void SetBkgndFillMode(TBkgFill v);
    bool LimWatchHighOn() const { return FLimWatHighOn; }
    void SetLimWatchHighOn(bool v);
    bool LimWatchLowOn() const { return FLimWatLowOn; }
    void SetLimWatchLowOn(bool v);
    TColor LimWatchActColor() const { return FLimWatActCol; }
    void SetLimWatchActColor(TColor v);
    TColor LimWatchPsvColor() const { return FLimWatPsvCol; }
    void SetLimWatchPsvColor(TColor v);
    TNeedleLayout* NeedleLayout() const { return FNeedleLayout; }
    void SetNeedleLayout(const TNeedleLayout* v);
    TNeedleLayout* NeedleLayoutSec() const { return FNeedleLayoutSec; }
    void SetNeedleLayoutSec(const TNeedleLayout* v);

    // The geometry follows every size change, also of a hidden meter (Qt sends no resize
    // event to a widget that is not shown): the readers recompute it when the size moved.
    int OriginX() const { return Geo().CenterX; }
    int OriginY() const { return Geo().CenterY; }
    double ScaleRadius() const { return Geo().Radius; }
    /// Sweep of the scale in degrees for the current layout.
    int MeterAngle() const { return Geo().Angle; }
    /// The overflow and underflow latches that the limit lamps show.
    bool OverFlowLatched() const { return FOFL; }
    bool UnderFlowLatched() const { return FUFL; }
    /// The mapping between values, angles and pixels of the current state.
    TMeterScale Scale() const;

    double CalcNeedleAngle(double value) const;
    void ConvertToPixelCoords(double value, double pctradius, int& X, int& Y) const;
    bool ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const;

    void SetBounds(int left, int top, int width, int height) override;
    /// Draws the whole meter. Only a visible primary needle (NeedleLayout.Visible) is drawn;
    /// OnBeforeDrawNeedle is asked in any case, so an application can draw a needle of its
    /// own over a hidden one. On a scale that closes the circle (mlCirc360) the label of an
    /// end tick that would overprint the start label is left out. The caption is drawn after
    /// the anchor where the two overlap, so a small meter does not hide it under the knob.
    void Paint() override;
    /// Draws the whole meter into B (of the control's size); false when nothing is drawn (R <= 0).
    bool RenderTo(TBitmap* B);
    /// Handler of the needle layouts' OnChange: repaints.
    void StyleChanged(TObject* Sender);

    TBeforeDrawNeedleEvent OnBeforeDrawNeedle;
    TmtBeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
    TMeterRenderedEvent OnMeterRendered;
    TMouseMoveInMeterEvent OnMouseMoveInMeter;
    TNotifyEvent OnOverFlow;
    TNotifyEvent OnUnderFlow;
    TNotifyEvent OnNormalRange;

    void MouseMove(TShiftState shift, int x, int y) override;
    void Resize() override;
    void FontChanged() override;

protected:
    /// Clamps Value and ValueSec into the range, loads the image files and repaints.
    void Loaded() override;

private:
    /// Draws the whole meter on C, W x H pixels, geometry already computed; C has the state
    /// BeginFullPaint gives when mayUseLayer (then the unchanged parts may come from FLayer).
    void renderOn(TCanvas* c, int W, int H, bool mayUseLayer);
    struct TCaptionPlace {
        int X = 0;
        int Y = 0;
        bool OverKnob = false;
    };
    /// Background, bands, scale and (unless it goes over the knob) caption.
    TCaptionPlace DrawStatic(TCanvas* c, int W, int H);
    struct TStaticLayer;
    struct TStaticLayerKey;
    /// What the static part of the picture depends on, as it stands now.
    void StaticLayerKey(const TCanvas* c, int W, int H, TStaticLayerKey& k) const;
    void CalcMeterLayoutParams() const;
    /// The geometry for the current size (recomputed when the size changed since).
    const TMeterGeometry& Geo() const;
    /// The caption with its top-left corner at (x, y).
    void DrawCaption(TCanvas* c, int x, int y);
    /// The box the anchor covers (empty when no anchor is drawn).
    TRect AnchorBox(int H) const;
    /// Latches the zone of v (over, normal, under) and fires its event.
    void SignalZone(double v);
    void Repaint_();
    void RepairLoadedState();
    void LoadImages();
    bool LoadBackground(const QString& fileName);
    bool LoadAnchor(const QString& fileName);
    void BuildAnchorMask(const QImage& source);
    void UpdateLineColors();
    void DrawNeedle(TCanvas* c, const TNeedleLayout* layout, double value);
    void DrawScale(TCanvas* c, const TMeterScale& sc);
    struct TScalePlan;
    /// Tick end points, label texts, their sizes and places for the current range, ticks,
    /// geometry and font; rebuilt only when one of them changed since the last paint.
    const TScalePlan& ScalePlan(TCanvas* c, const TMeterScale& sc);
    void DrawBands(TCanvas* c, const TMeterScale& sc);
    void DrawCoverAndAnchor(TCanvas* c, int W, int H);
    void DrawLamps(TCanvas* c, int W);
    void DrawFrameLines(TCanvas* c, int W, int H);

    double FValue = 0;
    double FValueSec = 0;
    double FMinValue = 0;
    double FMaxValue = 1;
    double FThresholdLow = 0;
    double FThresholdHigh = 1;
    bool FLogarithmic = false;
    TMeterLayout FMeterLayout = mlCirc90;
    int FNrTicks = 3;
    int FDecPlaces = 1;
    bool FShortTicks = true;
    bool FScaleLine = true;
    bool FScaleVisible = true;
    bool FScaleBkVisible = false;
    double FScaleBakWidth = 0;
    TColor FColorScale = 0x800000;
    TColor FColorBakG = 0xFFFFFF;
    TColor FColorCover = clBtnFace;
    TColor FColorSclBkLow = 0x00FF00;
    TColor FColorSclBkNorm = 0x0080FF;
    TColor FColorSclBkHigh = 0x0000FF;
    TColorScheme FColorScheme = csFixed;
    TFrameStyle FFrameStyle = fsRaised;
    QString FCaption;
    TFont FFontCaption;
    int FRimTop = 8;
    int FRimBottom = 10;
    int FRimSide = 10;
    bool FAnchorCovered = true;
    int FAnchorSize = 24;
    QString FAnchorImage;
    QString FBackGroundImg;
    TBkgFill FBkgndFillMode = bfSimple;
    bool FLimWatHighOn = true;
    bool FLimWatLowOn = true;
    TColor FLimWatActCol = 0x0000FF;
    TColor FLimWatPsvCol = 0x808080;
    TNeedleLayout* FNeedleLayout = nullptr;
    TNeedleLayout* FNeedleLayoutSec = nullptr;
    TLineColors FLines;

    bool FOFL = false;
    bool FUFL = false;
    mutable TMeterGeometry FGeo;
    mutable int FGeoWidth = -1;
    mutable int FGeoHeight = -1;
    bool FInFontCaptionSet = false;

    std::unique_ptr<TScalePlan> FScalePlan;
    std::unique_ptr<TStaticLayer> FLayer;

    TBitmap AuxBGBmp;
    TBitmap AuxACBmp;
    TBitmap AuxACMaskBmp;
};

} // namespace qor

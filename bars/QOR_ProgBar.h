// TProgBar: a floating-point value between Min and Max shown as a bar inside margins and two
// frames, plain or as a gradient from a 1024-entry colour table, with grid lines, an optional
// background picture, the value as text at any position and angle, and an automatic increment
// driven by the component timer.
#pragma once

#include "foundation/QOR_Controls.h"

#include <array>
#include <memory>

namespace qor {

inline namespace progbar_enums {
Q_NAMESPACE
/// How the colour table is laid onto the bar.
enum TColorMapping : Byte { cgmCover = 0, cgmStretch = 1, cgmMove = 2 };
Q_ENUM_NS(TColorMapping)
} // namespace progbar_enums

class EQORProgBar : public EQORError {
public:
    using EQORError::EQORError;
};

/// May replace the text about to be shown for the value.
using TBeforeShowValueEvent = std::function<void(TObject* Sender, QString& ValueText)>;

class TProgBar : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoInc READ AutoInc WRITE SetAutoInc)
    Q_PROPERTY(double AutoIncStep READ AutoIncStep WRITE SetAutoIncStep)
    Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(uint ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(qor::progbar_enums::TColorMapping ColorMapMode READ ColorMapMode WRITE SetColorMapMode)
    Q_PROPERTY(uint ColorGrid READ ColorGrid WRITE SetColorGrid)
    Q_PROPERTY(uint ColorMargin READ ColorMargin WRITE SetColorMargin)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(uint ColorMin READ ColorMin WRITE SetColorMin)
    Q_PROPERTY(uint ColorMax READ ColorMax WRITE SetColorMax)
    Q_PROPERTY(qor::core_enums::TDirection Direction READ Direction WRITE SetDirection)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyleOuter READ FrameStyleOuter WRITE SetFrameStyleOuter)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyleInner READ FrameStyleInner WRITE SetFrameStyleInner)
    Q_PROPERTY(int GridDist READ GridDist WRITE SetGridDist)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(double Max READ Max WRITE SetMax)
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
    Q_PROPERTY(bool ShowColorGradient READ ShowColorGradient WRITE SetShowColorGradient)
    Q_PROPERTY(int StartInterval READ StartInterval WRITE SetStartInterval)
    Q_PROPERTY(qor::controls_enums::TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
    Q_PROPERTY(int TextDecPlaces READ TextDecPlaces WRITE SetTextDecPlaces)
    Q_PROPERTY(int TextPosX READ TextPosX WRITE SetTextPosX)
    Q_PROPERTY(int TextPosY READ TextPosY WRITE SetTextPosY)
    Q_PROPERTY(bool TextVisible READ TextVisible WRITE SetTextVisible)
    Q_PROPERTY(double Value READ Value WRITE SetValue)

public:
    static constexpr int BarColorCount = 1024;
    static constexpr int DefaultWidth = 300;
    static constexpr int DefaultHeight = 28;

    explicit TProgBar(QWidget* owner = nullptr);
    ~TProgBar() override;

    bool AutoInc() const { return FAutoInc; }
    /// Starts the timer in its start phase (or stops it); EQORProgBar when no timer is available.
    void SetAutoInc(bool on);
    double AutoIncStep() const { return FAutoIncStep; }
    void SetAutoIncStep(double step);
    QString BackGroundImg() const { return FBackGroundImg; }
    /// Loads the picture; EQORProgBar when the file cannot be read (picture and name stay).
    void SetBackGroundImg(const QString& fileName);
    TColor ColorBackGnd() const { return FColorBackGnd; }
    void SetColorBackGnd(TColor c);
    TColorMapping ColorMapMode() const { return FColorMapMode; }
    void SetColorMapMode(TColorMapping m);
    TColor ColorGrid() const { return FColorGrid; }
    void SetColorGrid(TColor c);
    TColor ColorMargin() const { return FColorMargin; }
    void SetColorMargin(TColor c);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme s);
    TColor ColorMin() const { return FBarColors[0]; }
    void SetColorMin(TColor c);
    TColor ColorMax() const { return FBarColors[BarColorCount - 1]; }
    void SetColorMax(TColor c);
    TDirection Direction() const { return FDirection; }
    void SetDirection(TDirection d);
    TFrameStyle FrameStyleOuter() const { return FFrameStyleOuter; }
    void SetFrameStyleOuter(TFrameStyle s);
    TFrameStyle FrameStyleInner() const { return FFrameStyleInner; }
    void SetFrameStyleInner(TFrameStyle s);
    int GridDist() const { return FGridDist; }
    void SetGridDist(int d);
    int MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return FMarginRight; }
    void SetMarginRight(int v);
    int MarginTop() const { return FMarginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(int v);
    double Max() const { return FMax; }
    void SetMax(double v);
    double Min() const { return FMin; }
    void SetMin(double v);
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int ms);
    bool ShowColorGradient() const { return FShowColorGradient; }
    void SetShowColorGradient(bool on);
    int StartInterval() const { return FStartInterval; }
    void SetStartInterval(int ms);
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment a);
    int TextAngle() const { return FTextAngle; }
    void SetTextAngle(int degrees);
    int TextDecPlaces() const { return FTextDecPlaces; }
    void SetTextDecPlaces(int places);
    int TextPosX() const { return FTextPosX; }
    void SetTextPosX(int x);
    int TextPosY() const { return FTextPosY; }
    void SetTextPosY(int y);
    bool TextVisible() const { return FTextVisible; }
    void SetTextVisible(bool on);
    double Value() const { return FValue; }
    void SetValue(double v);

    /// Min := the smaller, Max := the larger of the two.
    void SetRange(double min, double max);
    /// One entry of the colour table (0..1023); 0 for an index outside the table.
    TColor BarColors(int ix) const;
    /// Writes one entry directly (no repaint); an index outside the table is ignored.
    void SetBarColors(int ix, TColor c);

    /// The text the last paint showed for the value (after OnShowValue).
    QString ShownText() const { return m_shownText; }
    /// The top-left reference point the value text was last drawn at.
    TPoint TextOrigin() const { return m_textOrigin; }
    TComponentTimer* AutoIncTimer() const { return FTimer; }

    void Assign(const QObject* source) override;
    void Paint() override;

    /// Stores the handler; outside design mode the timer restarts in its repeat phase.
    void SetOnAutoInc(TNotifyEvent handler);
    /// Stores the handler and paints, so the text it makes shows at once.
    void SetOnShowValue(TBeforeShowValueEvent handler);

    TNotifyEvent OnAutoInc;
    TBeforeShowValueEvent OnShowValue;

    /// One timer tick: leaves the start phase, adds AutoIncStep to Value, paints, fires OnAutoInc.
    virtual void DoTimer();

protected:
    void Loaded() override;

private:
    void changed();
    void startPhase();
    void repeatPhase();
    void startTimer(int interval);
    void recomputeBarColors();
    void paintBar(TCanvas* c, int w, int h);
    void paintValueText(TCanvas* c);

    std::array<TColor, BarColorCount> FBarColors{};
    TComponentTimer* FTimer = nullptr; // owned by this control as its Qt child
    std::unique_ptr<TBitmap> FBGImg;
    QString FBackGroundImg;
    double FAutoIncStep = 1;
    double FMax = 100;
    double FMin = 0;
    double FValue = 10;
    TColor FColorBackGnd = 0xC0C0C0;
    TColor FColorGrid = 0x000000;
    TColor FColorMargin = 0xC0C0C0;
    TColor FColBlackLine = 0;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    int FGridDist = 0;
    int FMarginLeft = 4;
    int FMarginRight = 4;
    int FMarginTop = 4;
    int FMarginBottom = 4;
    int FRepeatInterval = 700;
    int FStartInterval = 1500;
    int FTextAngle = 0;
    int FTextDecPlaces = 0;
    int FTextPosX = 14;
    int FTextPosY = 14;
    TColorMapping FColorMapMode = cgmStretch;
    TColorScheme FColorScheme = csFixed;
    TDirection FDirection = drRight;
    TFrameStyle FFrameStyleOuter = fsRaised;
    TFrameStyle FFrameStyleInner = fsLowered;
    TAlignment FTextAlignment = taCenter;
    bool FAutoInc = false;
    bool FStartPhase = false;
    bool FShowColorGradient = false;
    bool FTextVisible = true;

    QString m_shownText;
    TPoint m_textOrigin;
};

} // namespace qor

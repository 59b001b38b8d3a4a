// TNumIO2: a self-drawn numeric field with its own text buffer, caret and selection,
// optional spin buttons and an optional draggable gauge under the text row.
#pragma once

#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"
#include "numio/QOR_InFormat.h"

#include <QString>
#include <functional>
#include <vector>

namespace qor {

class EQORNumIO2Error : public EQORError {
public:
    explicit EQORNumIO2Error(const QString& message) : EQORError(message) {}
};

using TOnGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

// ---------------------------------------------------------------------------------------
// Geometry and value mapping of the field, free of any widget so they can be checked alone.

/// Every measure the painting of one frame depends on.
struct TNumIO2Layout {
    int W = 0, H = 0;       // control size
    int G = 0;              // gauge band height (0 without gauge)
    int TH = 0;             // text height of the sample text
    int TY = 0;             // text row y
    int S = 0;              // H - G - 4
    int LS = 0, TBW = 0;    // left space, text box width
    int BW = 0, BS = 0;     // button width, gap between box and buttons
    int HB = 0;             // height of one button
    int X0 = 0;             // left edge of the buttons
    int CX = 0;             // centre column of the arrows
    int Q = 0;              // HB div 2
    int P3 = 0;             // horizontal room the buttons take (0 when hidden)
    int GL = 0, GW = 0;     // gauge left margin and width
    int GY1 = 0, GY2 = 0;   // gauge top and bottom
};

struct TNumIO2LayoutParams {
    int Width = 160, Height = 28, TextHeight = 0;
    int LeftSpace = 35, TextBoxWidth = 80;
    int ButWidth = 18, ButSpace = 3, ButHeight = 28;
    bool ButVisible = false;
    bool GaugeVisible = false;
    int GaugeHeight = 8, GaugeTopMargin = 3, GaugeLeftMargin = 35, GaugeWidth = 82;
};

TNumIO2Layout NumIO2ComputeLayout(const TNumIO2LayoutParams& p);

/// Gauge band height: GaugeHeight + GaugeTopMargin + 1 when the gauge is shown, else 0.
int NumIO2GaugeBand(bool gaugeVisible, int gaugeHeight, int gaugeTopMargin);
/// x of the number text in the box, for a text NW pixels wide.
int NumIO2TextX(TAlignment align, int leftSpace, int textBoxWidth, int textWidth);
/// Caret offset from the box's left edge for a caret CW pixels into a text NW wide.
int NumIO2CaretOffset(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int caretWidth);
/// x of a character boundary V pixels into a text W pixels wide.
int NumIO2CharPosToX(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int prefixWidth);
/// Nearest character boundary (by average character width) to x; never past the text's end.
int NumIO2XToCharPos(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int length, int x);
int NumIO2LeftTextX(TAlignment align, int leftSpace, int textWidth);
int NumIO2RightTextX(TAlignment align, int width, int leftSpace, int p3, int textBoxWidth, int textWidth);
/// Index of the pivot nearest to v (the first of equally near ones); -1 without pivots.
int NumIO2NearestPivot(const std::vector<double>& pivots, double v);
/// Gauge value at x: linear in the range, snapped to the nearest pivot, clamped to the range.
double NumIO2GaugeValueAt(int x, int gaugeLeft, int gaugeWidth, double low, double high,
                          const std::vector<double>& pivots);
/// Filled part of the gauge bar in pixels (full when the bounds are equal), rounded halves to even.
int NumIO2GaugeFill(int gaugeWidth, double value, double low, double high);
/// The value one spin-button press gives.
double NumIO2SpinStep(double value, bool up, double increment, double low, double high,
                      const std::vector<double>& pivots, int decPlaces);

/// Whether Text is acceptable (complete or partial) in the format.
bool NumIO2CheckValidity(const QString& text, TInFormat format, int decPlaces, TDecPSep sep);
/// The buffer text of a value; decimal formats use decSep as separator.
QString NumIO2FormatValue(double value, TInFormat format, int sigDigits, int decPlaces, QChar decSep = '.');
/// The value a buffer holds.
double NumIO2ParseValue(const QString& text, TInFormat format);
/// The separator character the field writes for a separator setting ("." for both).
QChar NumIO2SeparatorChar(TDecPSep sep);

// ---------------------------------------------------------------------------------------

class TNumIO2 : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(qor::controls_enums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
    Q_PROPERTY(bool ButVisible READ ButVisible WRITE SetButVisible)
    Q_PROPERTY(bool But3D READ But3D WRITE SetBut3D)
    Q_PROPERTY(int ButHeight READ ButHeight WRITE SetButHeight)
    Q_PROPERTY(int ButWidth READ ButWidth WRITE SetButWidth)
    Q_PROPERTY(double ButIncrem READ ButIncrem WRITE SetButIncrem)
    Q_PROPERTY(int ButSpace READ ButSpace WRITE SetButSpace)
    Q_PROPERTY(quint32 ButColor READ ButColor WRITE SetButColor)
    Q_PROPERTY(quint32 ColorBoxBG READ ColorBoxBG WRITE SetColorBoxBG)
    Q_PROPERTY(quint32 ColorBoxText READ ColorBoxText WRITE SetColorBoxText)
    Q_PROPERTY(quint32 ColorOutBG READ ColorOutBG WRITE SetColorOutBG)
    Q_PROPERTY(quint32 ColorOutText READ ColorOutText WRITE SetColorOutText)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(quint32 ColorWarnBG READ ColorWarnBG WRITE SetColorWarnBG)
    Q_PROPERTY(quint32 ColorWarnText READ ColorWarnText WRITE SetColorWarnText)
    Q_PROPERTY(qor::core_enums::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecPlaceSep)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(quint32 GaugeColor READ GaugeColor WRITE SetGaugeColor)
    Q_PROPERTY(quint32 GaugeColorBg READ GaugeColorBg WRITE SetGaugeColorBg)
    Q_PROPERTY(quint32 GaugeColorFrame READ GaugeColorFrame WRITE SetGaugeColorFrame)
    Q_PROPERTY(qor::core_enums::TFrameStyle GaugeFrameStyle READ GaugeFrameStyle WRITE SetGaugeFrameStyle)
    Q_PROPERTY(int GaugeHeight READ GaugeHeight WRITE SetGaugeHeight)
    Q_PROPERTY(int GaugeLeftMargin READ GaugeLeftMargin WRITE SetGaugeLeftMargin)
    Q_PROPERTY(int GaugeTopMargin READ GaugeTopMargin WRITE SetGaugeTopMargin)
    Q_PROPERTY(bool GaugeVisible READ GaugeVisible WRITE SetGaugeVisible)
    Q_PROPERTY(int GaugeWidth READ GaugeWidth WRITE SetGaugeWidth)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(qor::informat_enums::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(qor::controls_enums::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(qor::controls_enums::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(int SignificantDigits READ SignificantDigits WRITE SetSignificantDigits)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int TextBoxWidth READ TextBoxWidth WRITE SetTextBoxWidth)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    explicit TNumIO2(QWidget* owner = nullptr);
    ~TNumIO2() override;

    // Published properties.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool Beep() const { return FBeep; }
    void SetBeep(bool v) { FBeep = v; }
    bool ButVisible() const { return FButVisible; }
    void SetButVisible(bool v);
    bool But3D() const { return FBut3D; }
    void SetBut3D(bool v);
    int ButHeight() const { return FButHeight; }
    void SetButHeight(int v);
    int ButWidth() const { return FButWidth; }
    void SetButWidth(int v);
    double ButIncrem() const { return FButIncrem; }
    void SetButIncrem(double v);
    int ButSpace() const { return FButSpace; }
    void SetButSpace(int v);
    TColor ButColor() const { return FButColor; }
    void SetButColor(TColor v);
    TColor ColorBoxBG() const { return FColorBoxBG; }
    void SetColorBoxBG(TColor v);
    TColor ColorBoxText() const { return FColorBoxText; }
    void SetColorBoxText(TColor v);
    TColor ColorOutBG() const { return FColorOutBG; }
    void SetColorOutBG(TColor v);
    TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(TColor v);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    TColor ColorWarnBG() const { return FColorWarnBG; }
    void SetColorWarnBG(TColor v);
    TColor ColorWarnText() const { return FColorWarnTxt; }
    void SetColorWarnText(TColor v);
    TDecPSep DecPlaceSep() const { return FDecPSep; }
    void SetDecPlaceSep(TDecPSep v);
    bool Enabled() const { return TCustomControl::Enabled(); }
    void SetEnabled(bool v);
    int FixPointDecPlaces() const { return FDecP; }
    void SetFixPointDecPlaces(int v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    TColor GaugeColor() const { return FGaugeColor; }
    void SetGaugeColor(TColor v);
    TColor GaugeColorBg() const { return FGaugeColorBg; }
    void SetGaugeColorBg(TColor v);
    TColor GaugeColorFrame() const { return FGaugeColorFrm; }
    void SetGaugeColorFrame(TColor v);
    TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }
    void SetGaugeFrameStyle(TFrameStyle v);
    int GaugeHeight() const { return FGaugeHeight; }
    void SetGaugeHeight(int v);
    int GaugeLeftMargin() const { return FGaugeLeftMarg; }
    void SetGaugeLeftMargin(int v);
    int GaugeTopMargin() const { return FGaugeTopMarg; }
    void SetGaugeTopMargin(int v);
    bool GaugeVisible() const { return FGaugeVisib; }
    void SetGaugeVisible(bool v);
    int GaugeWidth() const { return FGaugeWidth; }
    void SetGaugeWidth(int v);
    bool HideSelection() const { return FHideSel; }
    void SetHideSelection(bool v);
    TInFormat InputFormat() const { return FInputFormat; }
    void SetInputFormat(TInFormat v);
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int v);
    QString LeftText() const { return FLeftText; }
    void SetLeftText(const QString& v);
    TAlignment LeftTextAlignment() const { return FLTAlignment; }
    void SetLeftTextAlignment(TAlignment v);
    double RangeHigh() const { return FMaximum; }
    void SetRangeHigh(double v);
    double RangeLow() const { return FMinimum; }
    void SetRangeLow(double v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    QString RightText() const { return FRightText; }
    void SetRightText(const QString& v);
    TAlignment RightTextAlignment() const { return FRTAlignment; }
    void SetRightTextAlignment(TAlignment v);
    int SignificantDigits() const { return FSigDig; }
    void SetSignificantDigits(int v);
    QString Text() const { return FInBuffer; }
    void SetText(const QString& v);
    int TextBoxWidth() const { return FTextBoxWidth; }
    void SetTextBoxWidth(int v);
    double Value() const;
    void SetValue(double v);

    // Public members.
    int IntegerValue() const;
    int MouseAreaCode() const { return FMouseAreaCode; }
    int SelBegin() const { return FSelBegin; }
    void SetSelBegin(int n);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int n);
    int CaretPos() const { return FCaretPos; }
    bool CaretVisible() const { return FCaretVisib; }
    std::vector<double> ButtonPivots;
    bool CheckValidity(const QString& instring) const;
    bool OutOfRange() const;
    void Changed();
    void SetFocus();
    void Assign(const QObject* source) override;
    int CharPosToXCoords(int pos);
    int XCoordsToCharPos(int x);
    /// The hidden timer that blinks the caret (tests drive it with Fire()).
    TComponentTimer* CaretTimer() const { return FCaretTimerH; }

    // Events.
    TNotifyEvent OnChange;
    TOnGaugeChangeEvent OnGaugeChange;

    // Overridden behaviour of the base.
    void Paint() override;
    void SetBounds(int left, int top, int width, int height) override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void EnabledChanged() override;

private:
    void UpdateTimer();
    void CaretTimerTick();
    TNumIO2Layout CurrentLayout(int textHeight) const;
    void DeleteSelection();
    void ClampCaretAndSelection();
    void HandleKey(Word key, TShiftState shift);
    QChar CurrentSeparator() const;

    int FLeftSpace = 35;
    bool FSuppressPaint = true;
    int FTextBoxWidth = 80;
    bool FValueChanged = false;
    int FDecP = 2;
    int FSigDig = 6;
    bool FEnabled = true;
    int FButWidth = 18;
    int FButSpace = 3;
    double FButIncrem = 1.0;
    bool FButVisible = false;
    bool FBut3D = true;
    int FButHeight = 28;
    TColor FButColor = 0xC0C0C0;
    TComponentTimer* FCaretTimerH = nullptr;
    QString FInBuffer;
    int FCaretPos = 0;
    bool FCaretVisib = false;
    bool FGaugeVisib = false;
    int FGaugeHeight = 8;
    int FGaugeWidth = 82;
    int FGaugeLeftMarg = 35;
    int FGaugeTopMarg = 3;
    TColor FGaugeColor = 0x800000;
    TColor FGaugeColorBg = 0xC0C0C0;
    TColor FGaugeColorFrm = 0x808080;
    TFrameStyle FGaugeFrameSt = fsLowered;
    QString FLeftText;
    QString FRightText;
    TFrameStyle FFrameStyle = fsLowered;
    TAlignment FAlignment = taCenter;
    TAlignment FLTAlignment = taRightJustify;
    TAlignment FRTAlignment = taLeftJustify;
    int FMouseAreaCode = 0;
    TColor FColorBoxBG = 0xFFFFFF;
    TColor FColorBoxText = 0;
    TColor FColorOutBG = clBtnFace;
    TColor FColorOutText = 0;
    TLineColors FLines;
    TColor FColorWarnBG = 0x6088FFF0;
    TColor FColorWarnTxt = 0x0000FF;
    TColorScheme FColorScheme = csFixed;
    int FSelBegin = 0;
    int FSelEnd = 0;
    TDecPSep FDecPSep = dsBoth;
    TInFormat FInputFormat = itFloat;
    bool FKeyShifted = false;
    bool FKeyCntrl = false;
    bool FHideSel = true;
    double FMaximum = 1000.0;
    double FMinimum = 0.0;
    bool FOnlineCheck = true;
    bool FBeep = false;
    bool FReadOnly = false;
    bool FAutoSize = false;
    bool FAutoSizing = false;
};

} // namespace qor

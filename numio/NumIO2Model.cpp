// TNumIO2: construction, properties, value conversion, copying and the caret timer.
#include "numio/QOR_NumIO2.h"
#include "foundation/QOR_Store.h"
#include "numio/NumFormats_p.h"

#include <algorithm>
#include <cmath>

namespace qor {

TNumIO2::TNumIO2(QWidget* owner)
    : TCustomControl(owner)
{
    // Painting stays suppressed until the control is complete (FSuppressPaint starts true).
    TCustomControl::SetBounds(Left(), Top(), 160, 28);
    SetTabStop(false);
    FLines = LineColorsForScheme(FColorScheme);
    FCaretTimerH = new TComponentTimer(this);
    FCaretTimerH->OnTimer = [this] { CaretTimerTick(); };
    UpdateTimer();
    FSuppressPaint = false;
}

TNumIO2::~TNumIO2()
{
    // The timer is a child: Qt deletes it; it must not tick into a half-destroyed field.
    FCaretTimerH->Stop();
    FCaretTimerH->OnTimer = nullptr;
}

// --- simple "when different" setters ---------------------------------------------------

void TNumIO2::SetAlignment(TAlignment v) { if (Store(FAlignment, v)) Paint(); }
void TNumIO2::SetAutoSize(bool v) { if (Store(FAutoSize, v)) Paint(); }
void TNumIO2::SetButVisible(bool v) { if (Store(FButVisible, v)) Paint(); }
void TNumIO2::SetBut3D(bool v) { if (Store(FBut3D, v)) Paint(); }
void TNumIO2::SetButIncrem(double v) { if (Store(FButIncrem, v)) Paint(); }
void TNumIO2::SetButColor(TColor v) { if (Store(FButColor, v)) Paint(); }
void TNumIO2::SetColorBoxBG(TColor v) { if (Store(FColorBoxBG, v)) Paint(); }
void TNumIO2::SetColorBoxText(TColor v) { if (Store(FColorBoxText, v)) Paint(); }
void TNumIO2::SetColorOutBG(TColor v) { if (Store(FColorOutBG, v)) Paint(); }
void TNumIO2::SetColorOutText(TColor v) { if (Store(FColorOutText, v)) Paint(); }
void TNumIO2::SetFrameStyle(TFrameStyle v) { if (Store(FFrameStyle, v)) Paint(); }
void TNumIO2::SetGaugeColor(TColor v) { if (Store(FGaugeColor, v)) Paint(); }
void TNumIO2::SetGaugeColorBg(TColor v) { if (Store(FGaugeColorBg, v)) Paint(); }
void TNumIO2::SetGaugeColorFrame(TColor v) { if (Store(FGaugeColorFrm, v)) Paint(); }
void TNumIO2::SetGaugeFrameStyle(TFrameStyle v) { if (Store(FGaugeFrameSt, v)) Paint(); }
void TNumIO2::SetGaugeVisible(bool v) { if (Store(FGaugeVisib, v)) Paint(); }
void TNumIO2::SetHideSelection(bool v) { if (Store(FHideSel, v)) Paint(); }
void TNumIO2::SetLeftTextAlignment(TAlignment v) { if (Store(FLTAlignment, v)) Paint(); }
void TNumIO2::SetRightTextAlignment(TAlignment v) { if (Store(FRTAlignment, v)) Paint(); }
void TNumIO2::SetTextBoxWidth(int v) { if (Store(FTextBoxWidth, v)) Paint(); }


void TNumIO2::SetLeftText(const QString& v)
{
    if (!Store(FLeftText, v))
        return;
    Paint();
}

void TNumIO2::SetRightText(const QString& v)
{
    if (!Store(FRightText, v))
        return;
    Paint();
}

// --- clamping setters ------------------------------------------------------------------

void TNumIO2::SetButHeight(int v)
{
    if (v == FButHeight)
        return;
    v = std::max(v, 18);
    v = std::min(v, Height());
    FButHeight = v;
    Paint();
}

void TNumIO2::SetButWidth(int v)
{
    if (v == FButWidth)
        return;
    FButWidth = std::clamp(v, 8, 50);
    Paint();
}

void TNumIO2::SetButSpace(int v)
{
    if (v == FButSpace)
        return;
    FButSpace = std::clamp(v, 0, 50);
    Paint();
}

void TNumIO2::SetGaugeHeight(int v)
{
    if (v == FGaugeHeight)
        return;
    v = std::min(v, Height() - FGaugeTopMarg - 18);
    FGaugeHeight = std::max(v, 3);
    Paint();
}

void TNumIO2::SetGaugeLeftMargin(int v)
{
    if (v == FGaugeLeftMarg)
        return;
    v = std::min(v, Width() - FGaugeWidth);
    FGaugeLeftMarg = std::max(v, 0);
    Paint();
}

void TNumIO2::SetGaugeTopMargin(int v)
{
    if (v == FGaugeTopMarg)
        return;
    v = std::min(v, Height() - FGaugeHeight - 18);
    FGaugeTopMarg = std::max(v, 0);
    Paint();
}

void TNumIO2::SetGaugeWidth(int v)
{
    if (v == FGaugeWidth)
        return;
    v = std::max(v, 10);
    FGaugeWidth = std::min(v, Width() - FGaugeLeftMarg);
    Paint();
}

void TNumIO2::SetLeftSpace(int v)
{
    if (v == FLeftSpace || v < 0)
        return;
    FLeftSpace = std::min(v, Width());
    Paint();
}

void TNumIO2::SetColorScheme(TColorScheme v)
{
    if (!Store(FColorScheme, v))
        return;
    FLines = LineColorsForScheme(v);
    Paint();
}

void TNumIO2::SetColorWarnBG(TColor v)
{
    FColorWarnBG = v;
    Paint();
}

void TNumIO2::SetColorWarnText(TColor v)
{
    FColorWarnTxt = v;
    Paint();
}

void TNumIO2::SetEnabled(bool v)
{
    FEnabled = v;
    TCustomControl::SetEnabled(v);
    Paint();
}

void TNumIO2::EnabledChanged()
{
    // Enabling can also arrive from a parent; keep the mirror and the picture in step.
    FEnabled = isEnabled();
    Paint();
    TCustomControl::EnabledChanged();
}

void TNumIO2::SetRangeHigh(double v)
{
    FMaximum = v;
    if (FMinimum > v)
        FMinimum = v;
    Paint();
}

void TNumIO2::SetRangeLow(double v)
{
    FMinimum = v;
    if (FMaximum < v)
        FMaximum = v;
    Paint();
}

void TNumIO2::SetReadOnly(bool v)
{
    if (!Store(FReadOnly, v))
        return;
    if (v) {
        FCaretTimerH->Stop();
        FCaretVisib = false;
    } else {
        UpdateTimer();
    }
    Paint();
}

void TNumIO2::SetBounds(int left, int top, int width, int height)
{
    if (!FAutoSizing)
        height = std::max(height, 18);
    TCustomControl::SetBounds(left, top, width, height);
    if (FButHeight > Height())
        FButHeight = Height();
}

void TNumIO2::Resize()
{
    // A resize that bypasses SetBounds must not leave the buttons taller than the control.
    if (FButHeight > Height())
        FButHeight = Height();
    TCustomControl::Resize();
}

// --- text, value and format -------------------------------------------------------------

QChar TNumIO2::CurrentSeparator() const
{
    return NumIO2SeparatorChar(FDecPSep);
}

bool TNumIO2::CheckValidity(const QString& instring) const
{
    return NumIO2CheckValidity(instring, FInputFormat, FDecP, FDecPSep);
}

void TNumIO2::SetText(const QString& v)
{
    if (!v.isEmpty() && !CheckValidity(v))
        return;
    FInBuffer = v;
    FCaretPos = 0;
    FSelBegin = 0;
    FSelEnd = 0;
    Paint();
}

double TNumIO2::Value() const
{
    return NumIO2ParseValue(FInBuffer, FInputFormat);
}

void TNumIO2::SetValue(double v)
{
    FInBuffer = NumIO2FormatValue(v, FInputFormat, FSigDig, FDecP, CurrentSeparator());
    ClampCaretAndSelection();
    Paint();
}

void TNumIO2::ClampCaretAndSelection()
{
    // A shorter text must not leave the caret or the selection behind its end.
    const int len = int(FInBuffer.size());
    FCaretPos = std::clamp(FCaretPos, 0, len);
    FSelBegin = std::clamp(FSelBegin, 0, len);
    FSelEnd = std::clamp(FSelEnd, FSelBegin, len);
}

int TNumIO2::IntegerValue() const
{
    const double r = std::nearbyint(Value());
    if (!(r <= 2147483647.0 && r >= -2147483648.0))
        throw EQORNumIO2Error(ComponentMessage(Name(), QStringLiteral("integer overflow")));
    return int(r);
}

bool TNumIO2::OutOfRange() const
{
    const double v = Value();
    return v < FMinimum || v > FMaximum;
}

void TNumIO2::SetInputFormat(TInFormat v)
{
    if (v == FInputFormat)
        return;
    const double value = Value();
    FInputFormat = v;
    SetValue(value);
}

void TNumIO2::SetFixPointDecPlaces(int v)
{
    if (v == FDecP || v <= 0)
        return;
    FDecP = std::min(v, 15);
    SetValue(Value());
}

void TNumIO2::SetSignificantDigits(int v)
{
    if (v == FSigDig || v <= 0)
        return;
    FSigDig = std::min(v, 15);
    SetValue(Value());
}

void TNumIO2::SetDecPlaceSep(TDecPSep v)
{
    if (v == FDecPSep)
        return;
    if (v != dsBoth) {
        const QChar locale = numfmt::LocaleDecimalSeparator();
        QChar oldSep = '.';
        if (FDecPSep == dsComma)
            oldSep = ',';
        else if (FDecPSep == dsSysDefault)
            oldSep = locale;
        QChar newSep = '.';
        if (v == dsComma)
            newSep = ',';
        else if (v == dsSysDefault)
            newSep = locale;
        if (FDecPSep == dsBoth) {
            FInBuffer.replace('.', newSep);
            FInBuffer.replace(',', newSep);
        } else if (oldSep != newSep) {
            FInBuffer.replace(oldSep, newSep);
        }
    }
    FDecPSep = v;
    Paint();
}

void TNumIO2::SetSelBegin(int n)
{
    n = std::clamp(n, 0, int(FInBuffer.size()));
    FSelBegin = n;
    FCaretPos = n;
    if (FSelEnd < n)
        FSelEnd = n;
    Paint();
}

void TNumIO2::SetSelEnd(int n)
{
    n = std::clamp(n, 0, int(FInBuffer.size()));
    FSelEnd = n;
    FCaretPos = n;
    if (FSelBegin > n)
        FSelBegin = n;
    Paint();
}

void TNumIO2::Changed()
{
    if (OnChange)
        OnChange(this);
}

// --- copying ----------------------------------------------------------------------------

void TNumIO2::Assign(const QObject* source)
{
    const auto* src = qobject_cast<const TNumIO2*>(source);
    if (!src) {
        TCustomControl::Assign(source);
        return;
    }
    FLeftSpace = src->FLeftSpace;
    FTextBoxWidth = src->FTextBoxWidth;
    FDecP = src->FDecP;
    FSigDig = src->FSigDig;
    FLeftText = src->FLeftText;
    FRightText = src->FRightText;
    FFrameStyle = src->FFrameStyle;
    FAlignment = src->FAlignment;
    FRTAlignment = src->FRTAlignment;
    FLTAlignment = src->FLTAlignment;
    FColorBoxBG = src->FColorBoxBG;
    FColorBoxText = src->FColorBoxText;
    FColorOutBG = src->FColorOutBG;
    FColorOutText = src->FColorOutText;
    FLines = src->FLines;
    FColorScheme = src->FColorScheme;
    FInputFormat = src->FInputFormat;
    FInBuffer = src->FInBuffer;
    FCaretPos = src->FCaretPos;
    FCaretVisib = src->FCaretVisib;
    FMouseAreaCode = src->FMouseAreaCode;
    FColorWarnBG = src->FColorWarnBG;
    FColorWarnTxt = src->FColorWarnTxt;
    FSelBegin = src->FSelBegin;
    FSelEnd = src->FSelEnd;
    FDecPSep = src->FDecPSep;
    FKeyShifted = src->FKeyShifted;
    FKeyCntrl = src->FKeyCntrl;
    FHideSel = src->FHideSel;
    FMaximum = src->FMaximum;
    FMinimum = src->FMinimum;
    FOnlineCheck = src->FOnlineCheck;
    FBeep = src->FBeep;
    FReadOnly = src->FReadOnly;
    FAutoSize = src->FAutoSize;
    Paint();
}

// --- caret timer ------------------------------------------------------------------------

void TNumIO2::UpdateTimer()
{
    FCaretTimerH->Stop();
    FCaretVisib = true;
    if (!FCaretTimerH->Start(500))
        throw EQORNumIO2Error(ComponentMessage(Name(), QStringLiteral("no timer available")));
    Paint();
}

void TNumIO2::CaretTimerTick()
{
    if (hasFocus()) {
        FCaretVisib = !FCaretVisib;
    } else {
        FCaretTimerH->Stop();
        FCaretVisib = false;
    }
    Paint();
}

void TNumIO2::SetFocus()
{
    TCustomControl::SetFocus();
    if (!FReadOnly)
        UpdateTimer();
}

void TNumIO2::Click()
{
    TCustomControl::SetFocus();
    if (!FReadOnly)
        UpdateTimer();
    TCustomControl::Click();
}

void TNumIO2::DoEnter()
{
    if (!FReadOnly)
        UpdateTimer();
    TCustomControl::DoEnter();
}

void TNumIO2::DoExit()
{
    // Shift or Ctrl released elsewhere never reaches this field as key-up.
    FKeyShifted = false;
    FKeyCntrl = false;
    // The selection is shown only while focused: take it off the screen at once.
    Paint();
    TCustomControl::DoExit();
}

} // namespace qor

// Raster label: construction, property setters, the scroll timer and assignment.
#include "displays/QOR_RasterLab.h"
#include "foundation/QOR_Store.h"

#include <algorithm>
#include <climits>

namespace qor {

namespace {

// Offsets of a text that scrolls without looping keep growing; they are held far beyond
// any control size instead of overflowing.
constexpr qint64 kOffsetLimit = 1000000000;

int addOffset(int offset, qint64 delta)
{
    return int(std::clamp(qint64(offset) + delta, -kOffsetLimit, kOffsetLimit));
}

} // namespace

TRasterLab::TRasterLab(QWidget* owner) : TGraphicControl(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(400, 68);
    FScrTimerHandle = new TComponentTimer(this);
    FScrTimerHandle->OnTimer = [this] { DoTimer(); };
    FLines = LineColorsForScheme(FColorScheme);
    Font()->SetName(QStringLiteral("default"));
    Font()->SetSize(8);
    FCMat = CreateBitFont(Font());
    FBuilding = false;
}

TRasterLab::~TRasterLab()
{
    FScrTimerHandle->Stop();
    FScrTimerHandle->OnTimer = nullptr;
}

// ---------------------------------------------------------------- setters

void TRasterLab::SetAutoHeight(bool on)
{
    if (!Store(FAutoHeight, on))
        return;
    if (on)
        AdjustAutoHeight();
    Paint();
}

void TRasterLab::SetAutoCenter(bool on)
{
    if (!Store(FAutoCenter, on))
        return;
    if (on)
        AdjustAutoCenter();
    else
        FXPos = 1;
    Paint();
}

void TRasterLab::SetCharBlockMode(TRDBlockMode m)
{
    if (!Store(FCharBlockMode, m))
        return;
    Paint();
}

void TRasterLab::SetColorDotOff(TColor c)
{
    if (!Store(FColorDotOff, c))
        return;
    Paint();
}

void TRasterLab::SetColorDotOn(TColor c)
{
    if (!Store(FColorDotOn, c))
        return;
    Paint();
}

void TRasterLab::SetColorLabBakG(TColor c)
{
    if (!Store(FColorLabBakG, c))
        return;
    Paint();
}

void TRasterLab::SetColorScheme(TColorScheme s)
{
    if (!Store(FColorScheme, s))
        return;
    FLines = LineColorsForScheme(s);
    Paint();
}

void TRasterLab::SetDotSize(int v)
{
    v = std::clamp(v, 1, 32);
    if (!Store(FDotSize, v))
        return;
    reapplyAutoRules();
    Paint();
}

void TRasterLab::SetDotSpacing(int v)
{
    v = std::clamp(v, 0, 3);
    if (!Store(FDotSpacing, v))
        return;
    reapplyAutoRules();
    Paint();
}

void TRasterLab::SetFrameStyle(TFrameStyle s)
{
    if (!Store(FFrameStyle, s))
        return;
    // The frame width enters both auto rules.
    reapplyAutoRules();
    Paint();
}

void TRasterLab::SetPosX(int v)
{
    if (!Store(FXPos, v))
        return;
    Paint();
}

void TRasterLab::SetPosY(int v)
{
    if (!Store(FYPos, v))
        return;
    Paint();
}

void TRasterLab::SetProportional(bool on)
{
    if (!Store(FProportional, on))
        return;
    // The spacing changes the text length, so a centred text is centred again.
    if (FAutoCenter)
        AdjustAutoCenter();
    Paint();
}

void TRasterLab::SetScrollMode(TRDScrollMode m)
{
    if (!Store(FScrollMode, m))
        return;
    if (!Designing()) {
        FScrTimerEnabled = m != rdsmOff;
        restartTimer();
    }
    if (m == rdsmOff) {
        FScrollPosX = 0;
        FScrollPosY = 0;
        Paint();
    }
}

void TRasterLab::SetScrollInterval(int ms)
{
    ms = std::max(ms, 10);
    if (!Store(FScrollIv, ms))
        return;
    restartTimer();
}

void TRasterLab::SetScrollIncrement(int px)
{
    if (px == 0)
        px = 1;
    else if (px < 0)
        px = px == INT_MIN ? INT_MAX : -px;
    if (!Store(FScrollInc, px))
        return;
    restartTimer();
}

void TRasterLab::SetScrollLoop(bool on)
{
    FScrollLoop = on;
    Paint();
}

void TRasterLab::SetText(const QString& t)
{
    if (!Store(FLabText, t))
        return;
    if (FAutoCenter)
        AdjustAutoCenter();
    Paint();
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& m)
{
    FCMat = m;
    // A new set may have another height and other widths.
    reapplyAutoRules();
    Paint();
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent handler)
{
    OnScrollTimer = std::move(handler);
    restartTimer();
}

void TRasterLab::FontChanged()
{
    if (FBuilding)
        return;
    FCMat = CreateBitFont(Font());
    reapplyAutoRules();
    Paint();
}

// ---------------------------------------------------------------- auto rules

void TRasterLab::AdjustAutoHeight()
{
    SetHeight(RasterAutoHeight(FFrameStyle, step(), FCMat.FontHeight));
}

void TRasterLab::AdjustAutoCenter()
{
    FXPos = RasterAutoCenterX(FFrameStyle, width(), CalcTextBitLength(FLabText));
}

void TRasterLab::reapplyAutoRules()
{
    if (FAutoHeight)
        AdjustAutoHeight();
    if (FAutoCenter)
        AdjustAutoCenter();
}

// ---------------------------------------------------------------- timer

void TRasterLab::restartTimer()
{
    FScrTimerHandle->Stop();
    if (FScrollIv > 0 && FScrollMode != rdsmOff && FScrTimerEnabled) {
        if (!FScrTimerHandle->Start(FScrollIv)) {
            FScrTimerEnabled = false;
            throw EQORRasterLabError(ComponentMessage(Name(), QStringLiteral("no timer available")));
        }
    }
}

void TRasterLab::DoTimer()
{
    const int textHeight = FCMat.FontHeight * step();
    switch (FScrollMode) {
    case rdsmOff:
        FScrTimerEnabled = false;
        FScrTimerHandle->Stop();
        FScrollPosX = 0;
        FScrollPosY = 0;
        break;
    case rdsmRight:
        FScrollPosX = addOffset(FScrollPosX, FScrollInc);
        if (FScrollLoop && FScrollPosX > width()) {
            FScrollPosX = -FTextBitLength; // re-enters from the left edge
            DoScrLoopRestart();
        }
        break;
    case rdsmLeft:
        FScrollPosX = addOffset(FScrollPosX, -qint64(FScrollInc));
        if (FScrollLoop && FXPos + FScrollPosX + FTextBitLength < 0) {
            FScrollPosX = width() - FXPos; // re-enters from the right edge
            DoScrLoopRestart();
        }
        break;
    case rdsmDown:
        FScrollPosY = addOffset(FScrollPosY, FScrollInc);
        if (FScrollLoop && FScrollPosY > height()) {
            FScrollPosY = -textHeight; // re-enters from the top edge
            DoScrLoopRestart();
        }
        break;
    case rdsmUp:
        FScrollPosY = addOffset(FScrollPosY, -qint64(FScrollInc));
        if (FScrollLoop && FYPos + FScrollPosY + textHeight < 0) {
            FScrollPosY = height() - FYPos; // re-enters from the bottom edge
            DoScrLoopRestart();
        }
        break;
    }
    Paint();
    if (OnScrollTimer)
        OnScrollTimer(this);
}

void TRasterLab::DoScrLoopRestart()
{
    if (OnScrollLoopRestart)
        OnScrollLoopRestart(this);
}

// ---------------------------------------------------------------- assignment

void TRasterLab::Assign(const QObject* source)
{
    if (const auto* s = qobject_cast<const TRasterLab*>(source)) {
        FFrameStyle = s->FFrameStyle;
        FLabText = s->FLabText;
        FColorLabBakG = s->FColorLabBakG;
        FColorDotOn = s->FColorDotOn;
        FLines = s->FLines;
        FColorScheme = s->FColorScheme;
        Paint();
        return;
    }
    TGraphicControl::Assign(source);
}

} // namespace qor

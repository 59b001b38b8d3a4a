// TNumLab: properties, assignment and mouse areas.
#include "displays/QOR_NumLab.h"

#include <cmath>

namespace qor {

TNumLab::TNumLab(QWidget* owner) : TGraphicControl(owner)
{
    FOverFlowIndi = QStringLiteral("*********");
    FStateText = QStringLiteral("undefined");
    FDtFormat = QStringLiteral("mmm-dd, yyyy");
    const TLineColors lines = LineColorsForScheme(FColorScheme);
    FColBlackLine = lines.Black;
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    resize(160, 28);
}

TNumLab::~TNumLab() = default;

// Every setter stores and paints at once; "when different" ones skip unchanged values.
#define QOR_NUMLAB_SETTER(Name, Type, Field)  \
    void TNumLab::Set##Name(Type v)           \
    {                                         \
        if (v == Field)                       \
            return;                           \
        Field = v;                            \
        Paint();                              \
    }

QOR_NUMLAB_SETTER(Alignment, TAlignment, FAlignment)
QOR_NUMLAB_SETTER(ColorLabBakG, TColor, FColorLabBakG)
QOR_NUMLAB_SETTER(ColorLabText, TColor, FColorLabText)
QOR_NUMLAB_SETTER(ColorOutBakG, TColor, FColorOutBakG)
QOR_NUMLAB_SETTER(ColorOutText, TColor, FColorOutText)
QOR_NUMLAB_SETTER(Comma, bool, FComma)
QOR_NUMLAB_SETTER(DisplayType, TDisplay, FDisplayType)
QOR_NUMLAB_SETTER(DTFormat, const QString&, FDtFormat)
QOR_NUMLAB_SETTER(Empty, bool, FEmpty)
QOR_NUMLAB_SETTER(ForcePlusSign, bool, FPlusSign)
QOR_NUMLAB_SETTER(FrameStyle, TFrameStyle, FFrameStyle)
QOR_NUMLAB_SETTER(LabelWidth, int, FLabWidth)
QOR_NUMLAB_SETTER(LeftText, const QString&, FLeftText)
QOR_NUMLAB_SETTER(LeftTextAlignment, TAlignment, FLTAlignment)
QOR_NUMLAB_SETTER(OverflowIndicator, const QString&, FOverFlowIndi)
QOR_NUMLAB_SETTER(RightText, const QString&, FRightText)
QOR_NUMLAB_SETTER(RightTextAlignment, TAlignment, FRTAlignment)
QOR_NUMLAB_SETTER(StateText, const QString&, FStateText)
QOR_NUMLAB_SETTER(StyleElements, TStyleElements, FStyleElements)

#undef QOR_NUMLAB_SETTER

void TNumLab::SetValue(double v)
{
    // A NaN never compares equal; treat NaN over NaN as unchanged too.
    if (v == FLabValue || (v != v && FLabValue != FLabValue))
        return;
    FLabValue = v;
    Paint();
}

void TNumLab::SetColorScheme(TColorScheme v)
{
    if (v == FColorScheme)
        return;
    FColorScheme = v;
    const TLineColors lines = LineColorsForScheme(v);
    FColBlackLine = lines.Black;
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    Paint();
}

void TNumLab::SetEnabled(bool v)
{
    FEnabled = v;
    TGraphicControl::SetEnabled(v);
    Paint();
}

void TNumLab::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
    Invalidate();
}

void TNumLab::SetLeftSpace(int v)
{
    if (v == FLeftSpace || v < 0)
        return;
    FLeftSpace = std::min(v, Width());
    Paint();
}

void TNumLab::SetPrecision(int v)
{
    if (v == FDecP || v < 0)
        return;
    FDecP = std::min(v, 15);
    Paint();
}

void TNumLab::SetTransparent(bool v)
{
    if (v == FTransParent)
        return;
    FTransParent = v;
    if (v)
        Invalidate();
    else
        Paint();
}

void TNumLab::MouseMove(TShiftState shift, int x, int y)
{
    FMouseAreaCode = TNumLabGeometry::AreaCode(x, FLeftSpace, FLabWidth);
    TGraphicControl::MouseMove(shift, x, y);
}

void TNumLab::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TNumLab*>(source);
    if (!s) {
        TGraphicControl::Assign(source);
        return;
    }
    if (s == this)
        return;
    FLeftSpace = s->FLeftSpace;
    FEmpty = s->FEmpty;
    FLabWidth = s->FLabWidth;
    FDecP = s->FDecP;
    FLeftText = s->FLeftText;
    FRightText = s->FRightText;
    FFrameStyle = s->FFrameStyle;
    FAlignment = s->FAlignment;
    FRTAlignment = s->FRTAlignment;
    FLTAlignment = s->FLTAlignment;
    FOverFlowIndi = s->FOverFlowIndi;
    FLabValue = s->FLabValue;
    FStateText = s->FStateText;
    FTransParent = s->FTransParent;
    FColorLabBakG = s->FColorLabBakG;
    FColorLabText = s->FColorLabText;
    FColorOutBakG = s->FColorOutBakG;
    FColorOutText = s->FColorOutText;
    FColBlackLine = s->FColBlackLine;
    FColGrayLine = s->FColGrayLine;
    FColWhiteLine = s->FColWhiteLine;
    FColorScheme = s->FColorScheme;
    FDisplayType = s->FDisplayType;
    Paint();
}

} // namespace qor

// TNumLab: properties, assignment and mouse areas.
#include "displays/QOR_NumLab.h"
#include "foundation/QOR_Store.h"

#include <cmath>

namespace qor {

TNumLab::TNumLab(QWidget* owner) : TGraphicControl(owner)
{
    FOverFlowIndi = QStringLiteral("*********");
    FStateText = QStringLiteral("undefined");
    FDtFormat = QStringLiteral("mmm-dd, yyyy");
    FLines = LineColorsForScheme(FColorScheme);
    resize(160, 28);
}

TNumLab::~TNumLab() = default;

void TNumLab::SetAlignment(TAlignment v) { if (Store(FAlignment, v)) Paint(); }
void TNumLab::SetColorLabBakG(TColor v) { if (Store(FColorLabBakG, v)) Paint(); }
void TNumLab::SetColorLabText(TColor v) { if (Store(FColorLabText, v)) Paint(); }
void TNumLab::SetColorOutBakG(TColor v) { if (Store(FColorOutBakG, v)) Paint(); }
void TNumLab::SetColorOutText(TColor v) { if (Store(FColorOutText, v)) Paint(); }
void TNumLab::SetComma(bool v) { if (Store(FComma, v)) Paint(); }
void TNumLab::SetDisplayType(TDisplay v) { if (Store(FDisplayType, v)) Paint(); }
void TNumLab::SetDTFormat(const QString& v) { if (Store(FDtFormat, v)) Paint(); }
void TNumLab::SetEmpty(bool v) { if (Store(FEmpty, v)) Paint(); }
void TNumLab::SetForcePlusSign(bool v) { if (Store(FPlusSign, v)) Paint(); }
void TNumLab::SetFrameStyle(TFrameStyle v) { if (Store(FFrameStyle, v)) Paint(); }
void TNumLab::SetLabelWidth(int v) { if (Store(FLabWidth, v)) Paint(); }
void TNumLab::SetLeftText(const QString& v) { if (Store(FLeftText, v)) Paint(); }
void TNumLab::SetLeftTextAlignment(TAlignment v) { if (Store(FLTAlignment, v)) Paint(); }
void TNumLab::SetOverflowIndicator(const QString& v) { if (Store(FOverFlowIndi, v)) Paint(); }
void TNumLab::SetRightText(const QString& v) { if (Store(FRightText, v)) Paint(); }
void TNumLab::SetRightTextAlignment(TAlignment v) { if (Store(FRTAlignment, v)) Paint(); }
void TNumLab::SetStateText(const QString& v) { if (Store(FStateText, v)) Paint(); }
void TNumLab::SetStyleElements(TStyleElements v) { if (Store(FStyleElements, v)) Paint(); }


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
    if (!Store(FColorScheme, v))
        return;
    FLines = LineColorsForScheme(v);
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
    if (!Store(FTransParent, v))
        return;
    // Qt paints what lies behind a widget only when the widget does not cover it all.
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
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
    setAttribute(Qt::WA_OpaquePaintEvent, !FTransParent);
    FColorLabBakG = s->FColorLabBakG;
    FColorLabText = s->FColorLabText;
    FColorOutBakG = s->FColorOutBakG;
    FColorOutText = s->FColorOutText;
    FLines = s->FLines;
    FColorScheme = s->FColorScheme;
    FDisplayType = s->FDisplayType;
    Paint();
}

} // namespace qor

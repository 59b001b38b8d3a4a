// TOnOffBut: properties, glyph sets, groups, mouse handling and assignment.
#include "pickers/OnOffBut_p.h"
#include "pickers/QOR_onoffbut.h"

namespace qor {

using namespace onoffbut;

TOnOffBut::TOnOffBut(QWidget* owner) : TGraphicControl(owner)
{
    for (auto& b : FButImg)
        b = std::make_unique<TBitmap>();
    for (auto& b : FUserImg)
        b = std::make_unique<TBitmap>(20, 20);
    FMask = std::make_unique<TBitmap>();
    const TLineColors lines = LineColorsForScheme(FColorScheme);
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    drawDefaultUserGlyphs();
    LoadGlyphs();
    resize(100, 50);
    OnResize = [this](TObject* sender) { ProcessResize(sender); };
}

TOnOffBut::~TOnOffBut() = default;

void TOnOffBut::drawDefaultUserGlyphs()
{
    // Off: a diagonal cross; on: a circle; the disabled ones stay blank.
    TCanvas* off = FUserImg[1]->Canvas();
    off->MoveTo(0, 0);
    off->LineTo(20, 20);
    off->MoveTo(0, 20);
    off->LineTo(20, 0);
    FUserImg[3]->Canvas()->Ellipse(5, 5, 15, 15);
}

const TBitmap* TOnOffBut::ButtonImage(int index) const
{
    return index >= 0 && index < 4 ? FButImg[index].get() : nullptr;
}

const TBitmap* TOnOffBut::UserImage(int index) const
{
    return index >= 0 && index < 4 ? FUserImg[index].get() : nullptr;
}

// ---------------------------------------------------------------- glyphs

void TOnOffBut::ExtractGlyphs(const TBitmap& bitmap)
{
    const int w = bitmap.Width() / 2;
    const int h = bitmap.Height() / 2;
    FGlyphWidth = w;
    FGlyphHeight = h;
    const QImage& src = bitmap.Image();
    for (int i = 0; i < 4; ++i) {
        const TRect q = Quadrant(i, w, h);
        FButImg[i]->SetImage(src.copy(q.ToQRect()).convertToFormat(QImage::Format_RGB32));
    }
}

void TOnOffBut::LoadGlyphs()
{
    if (FButStyle == oobsUser) {
        for (int i = 3; i >= 0; --i)
            FButImg[i]->Assign(FUserImg[i].get());
        // The size follows the user glyphs, so centring and the hit area match what is drawn.
        FGlyphWidth = FUserImg[3]->Width();
        FGlyphHeight = FUserImg[3]->Height();
        return;
    }
    TBitmap sheet;
    sheet.LoadFromResourceName(OnOffButResourceName(FButStyle));
    ExtractGlyphs(sheet);
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle v)
{
    if (v == FButStyle)
        return;
    if (v != oobsUser && OnOffButResourceName(v).isEmpty())
        throw EQORError(ComponentMessage(Name(), QStringLiteral("unknown button style %1").arg(int(v))));
    const TOnOffButStyle old = FButStyle;
    FButStyle = v;
    try {
        LoadGlyphs();
    } catch (...) {
        FButStyle = old;
        throw;
    }
    if (FAutoCenter)
        AdjustAutoCenter();
    Invalidate();
}

void TOnOffBut::SetUserGlyph(const TBitmap* img)
{
    if (!img || img->Width() < 2 || img->Height() < 2)
        throw EQORError(ComponentMessage(Name(), QStringLiteral("a user glyph bitmap needs at least 2 x 2 pixels")));
    const int w = img->Width() / 2;
    const int h = img->Height() / 2;
    const QImage& src = img->Image();
    for (int i = 0; i < 4; ++i)
        FUserImg[i]->SetImage(src.copy(Quadrant(i, w, h).ToQRect()).convertToFormat(QImage::Format_RGB32));
    if (FButStyle == oobsUser) {
        LoadGlyphs();
        if (FAutoCenter)
            AdjustAutoCenter();
        Invalidate();
    }
}

void TOnOffBut::LoadUserGlyph(const QString& fileName)
{
    TBitmap b;
    b.LoadFromFile(fileName);
    SetUserGlyph(&b);
}

// ---------------------------------------------------------------- layout

void TOnOffBut::AdjustAutoCenter()
{
    const TPoint p = CentredSpace(Width(), Height(), FGlyphWidth, FGlyphHeight);
    FLeftSpace = p.X;
    FTopSpace = p.Y;
}

void TOnOffBut::ProcessResize(TObject*)
{
    if (parentWidget() && FAutoCenter)
        AdjustAutoCenter();
    if (FTransParent)
        Invalidate();
    else
        Paint();
}

void TOnOffBut::moveEvent(QMoveEvent* e)
{
    // What shows through depends on where the button stands on its parent.
    if (FTransParent)
        Invalidate();
    TGraphicControl::moveEvent(e);
}

void TOnOffBut::SetAutoCenter(bool v)
{
    if (v == FAutoCenter)
        return;
    FAutoCenter = v;
    if (v)
        AdjustAutoCenter();
    if (FTransParent)
        Invalidate();
    else
        Paint();
}

void TOnOffBut::SetLeftSpace(int v)
{
    if (v == FLeftSpace || v < 0)
        return;
    if (FAutoCenter)
        AdjustAutoCenter();
    else
        FLeftSpace = std::min(v, Width());
    Invalidate();
}

void TOnOffBut::SetTopSpace(int v)
{
    if (v == FTopSpace || v < 0)
        return;
    if (FAutoCenter)
        AdjustAutoCenter();
    else
        FTopSpace = std::min(v, Height());
    Invalidate();
}

// ---------------------------------------------------------------- plain setters

#define QOR_ONOFF_SETTER(Name, Type, Field, After) \
    void TOnOffBut::Set##Name(Type v)              \
    {                                              \
        if (v == Field)                            \
            return;                                \
        Field = v;                                 \
        After();                                   \
    }

QOR_ONOFF_SETTER(LeftText, const QString&, FLeftText, Invalidate)
QOR_ONOFF_SETTER(TopText, const QString&, FTopText, Invalidate)
QOR_ONOFF_SETTER(BottomText, const QString&, FBottomText, Invalidate)
QOR_ONOFF_SETTER(RightText, const QString&, FRightText, Invalidate)
QOR_ONOFF_SETTER(LeftTextAlignment, TAlignment, FLTAlignment, Invalidate)
QOR_ONOFF_SETTER(TopTextAlignment, TAlignment, FTTAlignment, Invalidate)
QOR_ONOFF_SETTER(BottomTextAlignment, TAlignment, FBTAlignment, Invalidate)
QOR_ONOFF_SETTER(RightTextAlignment, TAlignment, FRTAlignment, Invalidate)
QOR_ONOFF_SETTER(ColorBackgnd, TColor, FColorBakG, Paint)
QOR_ONOFF_SETTER(ColorText, TColor, FColorTxt, Paint)
QOR_ONOFF_SETTER(FrameStyle, TFrameStyle, FFrameStyle, Paint)

#undef QOR_ONOFF_SETTER

void TOnOffBut::SetColorScheme(TColorScheme v)
{
    if (v == FColorScheme)
        return;
    FColorScheme = v;
    const TLineColors lines = LineColorsForScheme(v);
    FColGrayLine = lines.Gray;
    FColWhiteLine = lines.White;
    Invalidate();
}

void TOnOffBut::SetTransparent(bool v)
{
    FTransParent = v;
    Invalidate();
}

void TOnOffBut::SetEnabled(bool v)
{
    FEnabled = v;
    TGraphicControl::SetEnabled(v);
    Invalidate();
}

void TOnOffBut::SetMode(TOOButMode v)
{
    FMode = v;
    if (v == oobmSpeedBut)
        FOnOff = false;
    Invalidate();
}

// ---------------------------------------------------------------- switching and groups

void TOnOffBut::SetOnOff(bool v)
{
    if (v == FOnOff)
        return;
    // The button that is on in a group without AllowAllOff cannot be switched off.
    if (!v && FGroupIndex != 0 && !FAllowAllOff)
        return;
    FOnOff = v;
    Paint();
    if (v)
        UpdateExclusive();
}

void TOnOffBut::SetGroupIndex(int v)
{
    if (v == FGroupIndex)
        return;
    FGroupIndex = v;
    UpdateExclusive();
}

void TOnOffBut::SetAllowAllOff(bool v)
{
    if (v == FAllowAllOff)
        return;
    FAllowAllOff = v;
    UpdateExclusive();
}

void TOnOffBut::UpdateExclusive()
{
    QWidget* p = parentWidget();
    if (FGroupIndex == 0 || !p)
        return;
    // Receivers only switch themselves off and repaint; no application handler runs
    // meanwhile, so the listed siblings stay alive through the loop.
    const QList<TOnOffBut*> siblings = p->findChildren<TOnOffBut*>(Qt::FindDirectChildrenOnly);
    for (TOnOffBut* b : siblings)
        b->ButtonPressed(FGroupIndex, this);
}

void TOnOffBut::ButtonPressed(int groupIndex, TOnOffBut* sender)
{
    if (FGroupIndex < 0 || FGroupIndex != groupIndex || !sender || sender == this)
        return;
    if (sender->FOnOff && FOnOff) {
        FOnOff = false;
        Paint();
    }
    FAllowAllOff = sender->FAllowAllOff;
}

// ---------------------------------------------------------------- mouse

bool TOnOffBut::pressCounts(TMouseButton button, int x, int y) const
{
    if (FMouseAction == oomaNone || button != mbLeft)
        return false;
    return FMouseAction != oomaFocused || InsideGlyph(x, y, FLeftSpace, FTopSpace, FGlyphWidth, FGlyphHeight);
}

void TOnOffBut::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!pressCounts(button, x, y))
        return;
    if (FOnOff && FGroupIndex != 0 && !FAllowAllOff)
        return;
    FOnOff = !FOnOff;
    Paint();
    if (FOnOff)
        UpdateExclusive();
}

void TOnOffBut::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!pressCounts(button, x, y))
        return;
    if (FMode == oobmSpeedBut) {
        FOnOff = false;
        Paint();
    }
    TGraphicControl::Click();
}

void TOnOffBut::Click() {}

// ---------------------------------------------------------------- assignment

void TOnOffBut::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TOnOffBut*>(source);
    if (!s) {
        TGraphicControl::Assign(source);
        return;
    }
    if (s == this)
        return;
    FLeftSpace = s->FLeftSpace;
    FTopSpace = s->FTopSpace;
    FAutoCenter = s->FAutoCenter;
    FLeftText = s->FLeftText;
    FTopText = s->FTopText;
    FBottomText = s->FBottomText;
    FRightText = s->FRightText;
    FLTAlignment = s->FLTAlignment;
    FTTAlignment = s->FTTAlignment;
    FBTAlignment = s->FBTAlignment;
    FRTAlignment = s->FRTAlignment;
    FFrameStyle = s->FFrameStyle;
    FColorBakG = s->FColorBakG;
    FColGrayLine = s->FColGrayLine;
    FColWhiteLine = s->FColWhiteLine;
    FColorScheme = s->FColorScheme;
    FOnOff = s->FOnOff;
    for (int i = 0; i < 4; ++i) {
        FButImg[i]->Assign(s->FButImg[i].get());
        FUserImg[i]->Assign(s->FUserImg[i].get());
    }
    FButStyle = s->FButStyle;
    FMouseAction = s->FMouseAction;
    FColorTxt = s->FColorTxt;
    FGlyphWidth = s->FGlyphWidth;
    FGlyphHeight = s->FGlyphHeight;
    FTransParent = s->FTransParent;
    FEnabled = s->FEnabled;
    TGraphicControl::SetEnabled(FEnabled);
    Invalidate();
}

void TOnOffBut::AssignTo(QObject* dest) const
{
    if (auto* d = qobject_cast<TOnOffBut*>(dest)) {
        d->Assign(this);
        return;
    }
    TGraphicControl::AssignTo(dest);
}

} // namespace qor

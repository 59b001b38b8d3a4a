// TNumLab: row geometry and drawing.
#include "displays/QOR_NumLab.h"
#include "foundation/QOR_PaintCanvas.h"
#include "foundation/QOR_SideText.h"

#include <QPainter>
#include <QWidget>
#include <optional>

namespace qor {

// Integer division truncating toward zero, as the row layout is defined with it.
static int divT(int a, int b) { return a / b; }

int TNumLabGeometry::LeftTextX(TAlignment a, int leftSpace, int tw)
{
    return SideTextLeftX(a, leftSpace, tw);
}

int TNumLabGeometry::LeftTextShadowX(TAlignment a, int leftSpace, int tw)
{
    return SideTextLeftX(a, leftSpace, tw) + 1;
}

int TNumLabGeometry::RightTextX(TAlignment a, int width, int leftSpace, int labWidth, int tw)
{
    return SideTextRightX(a, width, leftSpace + labWidth, tw);
}

int TNumLabGeometry::RightTextShadowX(TAlignment a, int width, int leftSpace, int labWidth, int tw)
{
    // The shadow falls one pixel right, except under right-aligned text, where it falls left.
    return SideTextRightX(a, width, leftSpace + labWidth, tw) + (a == taRightJustify ? -1 : 1);
}

int TNumLabGeometry::ValueX(TAlignment a, int leftSpace, int labWidth, int tw)
{
    switch (a) {
    case taLeftJustify: return leftSpace + 4;
    case taRightJustify: return leftSpace + labWidth - tw - 2;
    default: return leftSpace + divT(labWidth - tw, 2) + 2;
    }
}

TRect TNumLabGeometry::ValueClip(int leftSpace, int labWidth, int height)
{
    return TRect(leftSpace + 3, 2, leftSpace + labWidth - 1, height - 3);
}

int TNumLabGeometry::AreaCode(int x, int leftSpace, int labWidth)
{
    int code = 0;
    if (x > leftSpace)
        code = 1;
    if (x > leftSpace + labWidth)
        code = 2;
    return code;
}

int TNumLabGeometry::TextY(int height, int textHeight) { return divT(height - textHeight, 2); }

bool TNumLab::styledClient() const { return StyleServicesEnabled() && FStyleElements.Contains(seClient); }
bool TNumLab::styledFont() const { return StyleServicesEnabled() && FStyleElements.Contains(seFont); }

void TNumLab::drawSideText(TCanvas* c, const QString& text, bool left, int y, int bmpWidth)
{
    if (text.isEmpty())
        return;
    const int tw = c->TextWidth(text);
    const TAlignment a = left ? FLTAlignment : FRTAlignment;
    const int x = left ? TNumLabGeometry::LeftTextX(a, FLeftSpace, tw)
                       : TNumLabGeometry::RightTextX(a, bmpWidth, FLeftSpace, FLabWidth, tw);
    if (FEnabled) {
        c->Font()->SetColor(styledFont() ? QColorToColor(palette().color(QPalette::Active, QPalette::WindowText))
                                         : FColorOutText);
        c->TextOut(x, y, text);
        return;
    }
    // Engraved look: a light copy one pixel down-right, then the grey text on top.
    const int sx = left ? TNumLabGeometry::LeftTextShadowX(a, FLeftSpace, tw)
                        : TNumLabGeometry::RightTextShadowX(a, bmpWidth, FLeftSpace, FLabWidth, tw);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(styledFont() ? QColorToColor(palette().color(QPalette::Disabled, QPalette::WindowText))
                                     : TColor(0xFFFFFF));
    c->TextOut(sx, y + 1, text);
    if (!styledFont()) {
        c->Font()->SetColor(0x808080);
        c->TextOut(x, y, text);
    }
}

void TNumLab::Paint()
{
    if (!Visible() && !Designing())
        return;
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    // A transparent label is masked onto what lies behind it, which needs the image apart;
    // otherwise it paints straight into its own.
    std::optional<TBitmap> masked;
    TCanvas* c = nullptr;
    if (FTransParent) {
        masked.emplace(w, h);
        c = masked->Canvas();
        c->SetPalette(Palette());
        c->Font()->Assign(*Font());
    } else {
        c = BeginFullPaint(this);
    }

    // 1. Background: white when transparent, so that the AND copy lets the parent through.
    TColor outBack = FColorOutBakG;
    if (FTransParent)
        outBack = clWhite;
    else if (styledClient())
        outBack = QColorToColor(palette().color(QPalette::Window));
    c->Pen()->SetColor(outBack);
    c->Brush()->SetColor(outBack);
    c->Rectangle(0, 0, w, h);

    const int y = TNumLabGeometry::TextY(h, c->TextHeight(QStringLiteral("(8g]}\u00DC\u00C4\u00A7")));

    // 2, 3. The texts beside the box.
    drawSideText(c, FLeftText, true, y, w);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(outBack);
    drawSideText(c, FRightText, false, y, w);

    // 4. The box, filled, then its frame.
    const TColor boxBack = styledClient() ? QColorToColor(palette().color(QPalette::Base)) : FColorLabBakG;
    TColor boxPen = FLines.Gray;
    if (FFrameStyle == fsNone)
        boxPen = FColorLabBakG;
    else if (FFrameStyle == fsRidge)
        boxPen = FLines.White;
    c->Pen()->SetColor(boxPen);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(boxBack);
    c->Rectangle(FLeftSpace + 1, 0, FLeftSpace + FLabWidth + 1, h - 1);
    if (styledClient())
        DrawFrame(c, FFrameStyle, FLeftSpace + 1, 0, FLeftSpace + FLabWidth, h - 2, ResolveColor(cl3DLight),
                  ResolveColor(clBtnHighlight), ResolveColor(clBtnShadow), ResolveColor(cl3DDkShadow), 0);
    else
        DrawFrame(c, FFrameStyle, FLeftSpace + 1, 0, FLeftSpace + FLabWidth, h - 2, 0xFFFFFF, 0xC0C0C0,
                  0x808080, 0, 0);

    // 5. The value.
    FShownText.clear();
    if (!FEmpty) {
        QString text;
        if (!NumLabValueText(FLabValue, FDisplayType, FDecP, FComma, FPlusSign, FDtFormat, FStateText, text))
            text = FOverFlowIndi;
        if (OnBeforeDisplay)
            OnBeforeDisplay(this, text);
        int tw = c->TextWidth(text);
        if (tw > FLabWidth - 6 && FDisplayType != dtState)
            text = FOverFlowIndi; // placed where the wide text would have stood
        FShownText = text;
        if (FEnabled)
            c->Font()->SetColor(styledFont() ? QColorToColor(palette().color(QPalette::Active, QPalette::WindowText))
                                             : FColorLabText);
        else
            c->Font()->SetColor(clBtnShadow);
        c->TextRect(TNumLabGeometry::ValueClip(FLeftSpace, FLabWidth, h),
                    TNumLabGeometry::ValueX(FAlignment, FLeftSpace, FLabWidth, tw), y, text);
    }

    if (masked)
        keepMasked(*masked);
}

void TNumLab::keepMasked(TBitmap& bmp)
{
    m_masked = bmp.Image().convertToFormat(QImage::Format_RGB32);
    m_boxFill = FColorLabText != 0 ? TColor(0xFFFFFF) : FColorLabBakG;
    if (!m_inPaintEvent)
        update();
}

void TNumLab::paintEvent(QPaintEvent* e)
{
    if (!FTransParent) {
        TGraphicControl::paintEvent(e);
        return;
    }
    // Drawn on the window over what the parent (and any sibling below) painted there: the
    // value box is filled, then the label's image is ANDed on, so its white lets all that show.
    m_inPaintEvent = true;
    Paint();
    m_inPaintEvent = false;
    if (m_masked.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QColor fill = ColorToQColor(m_boxFill, &palette());
    p.fillRect(QRect(FLeftSpace + 2, 2, FLabWidth - 2, height() - 4), fill);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(QRect(QPoint(0, 0), m_masked.size()), m_masked);
}

} // namespace qor

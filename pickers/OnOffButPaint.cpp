// TOnOffBut: drawing of captions, glyph and frame, and the transparent look through a mask.
#include "pickers/OnOffBut_p.h"
#include "pickers/QOR_onoffbut.h"

namespace qor {

using namespace onoffbut;

QImage TOnOffBut::backdrop() const
{
    QImage img(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    const QWidget* p = parentWidget();
    if (!p) {
        img.fill(palette().color(QPalette::Window));
        return img;
    }
    img.fill(p->palette().color(p->backgroundRole()));
    // The parent's own drawing under this button, without its children (this button among them).
    const_cast<QWidget*>(p)->render(&img, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    return img;
}

void TOnOffBut::Paint()
{
    if (!Visible() && !Designing())
        return;
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    const bool enabled = isEnabled();
    const TColor back = FTransParent ? TColor(clBlack) : ResolveColor(FColorBakG);

    TBitmap bmp(w, h);
    TCanvas* b = bmp.Canvas();
    b->SetPalette(Palette());
    b->Font()->Assign(*Font());
    const int th = b->TextHeight(HeightSample());

    // The mask: white lets what lies behind show, black lets the button's image show.
    FMask->SetSize(w, h);
    TCanvas* m = FMask->Canvas();
    m->Font()->Assign(*Font());
    m->Font()->SetColor(clBlack);
    m->Pen()->SetStyle(psSolid);
    m->Pen()->SetColor(clWhite);
    m->Brush()->SetColor(clWhite);
    m->Rectangle(0, 0, w, h);

    b->Pen()->SetColor(back);
    b->Brush()->SetColor(back);
    b->Rectangle(0, 0, w, h);

    // Captions around the glyph, each written on the image and, in black, on the mask.
    const auto caption = [&](const QString& text, Side side, TAlignment a) {
        if (text.isEmpty())
            return;
        const int tw = b->TextWidth(text);
        const TPoint p = CaptionPos(side, a, FLeftSpace, FTopSpace, FGlyphWidth, FGlyphHeight, w, tw, th);
        const auto step = [&](int x, int y, TColor colour) {
            b->Font()->SetColor(colour);
            b->TextOut(x, y, text);
            m->TextOut(x, y, text);
        };
        if (enabled) {
            step(p.X, p.Y, FColorTxt);
        } else {
            // Engraved: a white copy one pixel down-right under the grey text.
            b->Brush()->SetStyle(bsClear);
            step(p.X + 1, p.Y + 1, 0xFFFFFF);
            step(p.X, p.Y, 0x808080);
        }
    };
    caption(FLeftText, Side::Left, FLTAlignment);
    caption(FRightText, Side::Right, FRTAlignment);
    caption(FTopText, Side::Top, FTTAlignment);
    caption(FBottomText, Side::Bottom, FBTAlignment);

    // The glyph of the state, its key-coloured pixels turned into background.
    TBitmap* g = FButImg[StateIndex(FOnOff, enabled)].get();
    const TRect d(FLeftSpace + 1, FTopSpace + 1, FLeftSpace + 1 + g->Width(), FTopSpace + 1 + g->Height());
    m->Brush()->SetStyle(bsSolid);
    m->Brush()->SetColor(clWhite);
    m->Pen()->SetColor(clWhite);
    m->Rectangle(d);
    b->SetCopyMode(SRCCOPY);
    b->CopyRect(d, g->Image(), TRect(0, 0, g->Width(), g->Height()));

    QImage& bi = bmp.Image();
    QImage& mi = FMask->Image();
    const QRgb key = ColorToRgb(OnOffButKeyColor) & 0xFFFFFF;
    const QRgb fill = ColorToRgb(back) | 0xFF000000u;
    const QRgb black = qRgb(0, 0, 0);
    const int x0 = std::max(0, d.Left), x1 = std::min(w, d.Right);
    for (int y = std::max(0, d.Top); y < std::min(h, d.Bottom); ++y) {
        auto* bl = reinterpret_cast<QRgb*>(bi.scanLine(y));
        auto* ml = reinterpret_cast<QRgb*>(mi.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            if ((bl[x] & 0xFFFFFF) == key)
                bl[x] = fill;
            else
                ml[x] = black;
        }
    }

    DrawFrame(b, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    DrawFrame(m, FFrameStyle, 0, 0, w - 1, h - 1, 0, 0, 0, 0, 0);

    TCanvas* cc = Canvas();
    if (FTransParent) {
        // The control has no see-through surface: what lies behind it is drawn first, then
        // the mask keeps it where the mask is white and the image adds the button elsewhere.
        cc->SetCopyMode(SRCCOPY);
        cc->Draw(0, 0, backdrop());
        cc->SetCopyMode(SRCAND);
        cc->Draw(0, 0, FMask.get());
        cc->SetCopyMode(SRCPAINT);
        cc->Draw(0, 0, &bmp);
        cc->SetCopyMode(SRCCOPY);
    } else {
        cc->SetCopyMode(SRCCOPY);
        cc->Draw(0, 0, &bmp);
    }
}

} // namespace qor

// Raster label painting: characters as dots, the unlit-dot grid, the frame.
#include "displays/QOR_RasterLab.h"

#include <algorithm>

namespace qor {

namespace {

// Fills x1..x2-1, y1..y2-1 with one colour: the pixels of a Rectangle whose pen and brush
// both have that colour. Off-screen canvases (nobody listens for their drawing) are written
// directly, which keeps a scroll step cheap; any other canvas gets the Rectangle.
void fillBox(TCanvas* c, int x1, int y1, int x2, int y2, TColor color)
{
    QImage* img = c->Target();
    if (img && !img->isNull() && img->depth() == 32 && !c->HasClip() && !c->OnDrawn) {
        x1 = std::max(x1, 0);
        y1 = std::max(y1, 0);
        x2 = std::min(x2, img->width());
        y2 = std::min(y2, img->height());
        if (x1 >= x2 || y1 >= y2)
            return;
        c->Flush();
        const QRgb px = ColorToRgb(c->Resolve(color));
        for (int y = y1; y < y2; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            std::fill(line + x1, line + x2, px);
        }
        return;
    }
    c->Pen()->SetColor(color);
    c->Brush()->SetColor(color);
    c->Rectangle(x1, y1, x2, y2);
}

// The closed outline MoveTo(a, a) .. LineTo(W - b, a) .. LineTo(W - b, H - b) .. back to (a, a).
void outline(TCanvas* c, int w, int h, int a, int b, TColor color)
{
    c->Pen()->SetColor(color);
    c->MoveTo(a, a);
    c->LineTo(w - b, a);
    c->LineTo(w - b, h - b);
    c->LineTo(a, h - b);
    c->LineTo(a, a);
}

} // namespace

int TRasterLab::PaintChar(TCanvas* canvas, const TRDCharMatrix& set, int x, int y, Byte ch, int dotSize,
                          int dotSpacing, TColor colorOn, bool fixed)
{
    int left = 0, right = 0;
    RasterGlyphColumns(set, ch, fixed, left, right);
    const int step = dotSize + dotSpacing;
    const int rows = std::clamp(int(set.FontHeight), 0, 32);
    left = std::clamp(left, 0, 31);
    right = std::min(right, 31);
    for (int r = 0; r < rows; ++r) {
        std::uint32_t bits = set.BitData[ch][r] >> left;
        for (int c = left; c <= right && bits != 0; ++c, bits >>= 1) {
            if (!(bits & 1u))
                continue;
            const int px = x + (c - left) * step;
            const int py = y + r * step;
            if (dotSize == 1)
                fillBox(canvas, px, py, px + 1, py + 1, colorOn);
            else
                fillBox(canvas, px, py, px + dotSize, py + dotSize, colorOn);
        }
    }
    return step * (right - left + 1);
}

void TRasterLab::PaintString(TCanvas* canvas, const TRDCharMatrix& set, int x, int y, const QString& text,
                             int dotSize, int dotSpacing, TColor colorOn, TColor /*colorOff*/, TColor colorBack, TRDBlockMode blockMode,
                             bool proportional, int& bitLength)
{
    const int step = dotSize + dotSpacing;
    const int height = canvas->Target() ? canvas->Target()->height() : 0;
    int cx = x;
    auto gap = [&] {
        if (blockMode == rdbmOn)
            fillBox(canvas, cx - dotSize - dotSpacing, 0, cx, height, colorBack);
    };
    gap();
    for (char code : RasterTextCodes(text)) {
        const Byte ch = Byte(code);
        const int width = PaintChar(canvas, set, cx, y, ch, dotSize, dotSpacing, colorOn, !proportional);
        cx += proportional ? width + step : (set.FontWidth + 1) * step;
        gap();
    }
    // The text covers x .. cx-1, trailing empty column included: the same length the
    // prediction gives, so scrolling and centring agree with what is drawn.
    bitLength = cx - x;
}

int TRasterLab::CalcTextBitLength(const QString& text) const
{
    return RasterTextBitLength(FCMat, text, FDotSize, FDotSpacing, FProportional);
}

void TRasterLab::Paint()
{
    if (!Visible() && !Designing())
        return;
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap bmp(w, h);
    TCanvas* c = bmp.Canvas();
    c->SetPalette(Palette());
    c->Font()->Assign(*Font());

    // 1. background: the unlit-dot colour when off-dots show, else the label background
    const TColor back = FCharBlockMode != rdbmOff ? FColorDotOff : FColorLabBakG;
    if (FFrameStyle != fsNone)
        fillBox(c, 1, 1, w - 1, h - 1, back);
    else
        fillBox(c, 0, 0, w, h, back);

    // 2. the gaps of the dot grid, aligned with the text
    const int st = step();
    if (FCharBlockMode != rdbmOff) {
        const int oy = (FYPos + FScrollPosY) % st;
        for (int k = 0; k <= h / st + 1; ++k)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int y = oy + k * st + i - FDotSpacing - 1;
                fillBox(c, 0, y, w, y + 1, FColorLabBakG);
            }
        const int ox = (FXPos + FScrollPosX) % st;
        for (int k = 0; k <= w / st + 1; ++k)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int x = ox + k * st + i - FDotSpacing - 1;
                fillBox(c, x, 0, x + 1, h, FColorLabBakG);
            }
    }

    // 3. the text
    PaintString(c, FCMat, FXPos + FScrollPosX, FYPos + FScrollPosY, FLabText, FDotSize, FDotSpacing, FColorDotOn,
                FColorDotOff, FColorLabBakG, FCharBlockMode, FProportional, FTextBitLength);

    // 4. the frame
    switch (FFrameStyle) {
    case fsSimple:
        outline(c, w, h, 0, 1, FColGrayLine);
        break;
    case fsLowered:
        c->Pen()->SetColor(FColBlackLine);
        c->MoveTo(1, h - 3);
        c->LineTo(1, 1);
        c->LineTo(w - 2, 1);
        c->Pen()->SetColor(FColWhiteLine);
        c->MoveTo(2, h - 1);
        c->LineTo(w - 1, h - 1);
        c->LineTo(w - 1, 0);
        outline(c, w, h, 0, 2, FColGrayLine);
        break;
    case fsRaised:
        c->Pen()->SetColor(FColWhiteLine);
        c->MoveTo(1, h - 3);
        c->LineTo(1, 1);
        c->LineTo(w - 2, 1);
        c->Pen()->SetColor(FColBlackLine);
        c->MoveTo(0, h - 1);
        c->LineTo(w - 1, h - 1);
        c->LineTo(w - 1, 0);
        outline(c, w, h, 0, 2, FColGrayLine);
        break;
    case fsRidge:
        outline(c, w, h, 1, 1, FColGrayLine);
        outline(c, w, h, 0, 2, FColWhiteLine);
        break;
    case fsGroove:
        outline(c, w, h, 1, 1, FColWhiteLine);
        outline(c, w, h, 0, 2, FColGrayLine);
        break;
    default:
        break;
    }

    // 5. one copy onto the control
    Canvas()->Draw(0, 0, &bmp);
}

} // namespace qor

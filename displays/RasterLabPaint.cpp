// Raster label painting: characters as dots, the unlit-dot grid, the frame.
#include "displays/QOR_RasterLab.h"
#include "foundation/QOR_PaintCanvas.h"

#include <algorithm>
#include <vector>

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

// The background rectangle (inset by the frame) in colour back, then full-length gap lines in
// colour gap: one row template per kind of row, copied, which is what makes a scroll step cheap.
void paintBackground(TCanvas* c, int w, int h, int inset, TColor back, TColor gap,
                     const std::vector<char>& gapCol, const std::vector<char>& gapRow)
{
    QImage* img = c->Target();
    if (!img || img->isNull() || img->depth() != 32 || c->HasClip() || c->OnDrawn
        || img->width() < w || img->height() < h) {
        fillBox(c, inset, inset, w - inset, h - inset, back);
        for (int y = 0; y < h; ++y)
            if (gapRow[size_t(y)])
                fillBox(c, 0, y, w, y + 1, gap);
        for (int x = 0; x < w; ++x)
            if (gapCol[size_t(x)])
                fillBox(c, x, 0, x + 1, h, gap);
        return;
    }
    c->Flush();
    const QRgb backPx = ColorToRgb(c->Resolve(back));
    const QRgb gapPx = ColorToRgb(c->Resolve(gap));
    std::vector<QRgb> inside(static_cast<size_t>(w)), outside(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) {
        const bool g = gapCol[size_t(x)] != 0;
        const QRgb border = reinterpret_cast<const QRgb*>(img->constScanLine(0))[x];
        outside[size_t(x)] = g ? gapPx : border;
        inside[size_t(x)] = g ? gapPx : (x >= inset && x < w - inset ? backPx : border);
    }
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
        if (gapRow[size_t(y)])
            std::fill(line, line + w, gapPx);
        else if (y >= inset && y < h - inset)
            std::copy(inside.begin(), inside.end(), line);
        else {
            // rows of the frame keep what they had, apart from the gap columns
            for (int x = 0; x < w; ++x)
                if (gapCol[size_t(x)])
                    line[x] = gapPx;
        }
    }
}

// A horizontal or vertical line from (x0, y0) towards (x1, y1), end point excluded, as
// MoveTo/LineTo draw it.
void segment(TCanvas* c, int x0, int y0, int x1, int y1, TColor color)
{
    const int dx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int dy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    if (dx != 0 && dy != 0) {
        c->Pen()->SetColor(color);
        c->MoveTo(x0, y0);
        c->LineTo(x1, y1);
        return;
    }
    if (dx == 0 && dy == 0)
        return;
    // the covered run, as a box: x0..x1-1 (or x1+1..x0) and likewise for y
    const int l = dx >= 0 ? x0 : x1 + 1, r = dx >= 0 ? (dx ? x1 : x0 + 1) : x0 + 1;
    const int t = dy >= 0 ? y0 : y1 + 1, b = dy >= 0 ? (dy ? y1 : y0 + 1) : y0 + 1;
    fillBox(c, l, t, r, b, color);
}

// The closed outline MoveTo(a, a) .. LineTo(W - b, a) .. LineTo(W - b, H - b) .. back to (a, a).
void outline(TCanvas* c, int w, int h, int a, int b, TColor color)
{
    segment(c, a, a, w - b, a, color);
    segment(c, w - b, a, w - b, h - b, color);
    segment(c, w - b, h - b, a, h - b, color);
    segment(c, a, h - b, a, a, color);
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
    TCanvas* c = BeginFullPaint(this);

    // 1. background: the unlit-dot colour when off-dots show, else the label background;
    // 2. the gaps of the dot grid in the label background, aligned with the text, so that
    //    what remains of the background are DotSize squares of unlit dots.
    const TColor back = FCharBlockMode != rdbmOff ? FColorDotOff : FColorLabBakG;
    const int inset = FFrameStyle != fsNone ? 1 : 0;
    // Positions count from the frame's inner edge: a 2-px frame would otherwise cover the
    // first dot column and row, so under it the text and the dot grid move one pixel in.
    const int shift = RasterFrameShift(FFrameStyle);
    const int originX = FXPos + FScrollPosX + shift, originY = FYPos + FScrollPosY + shift;
    const int st = step();
    std::vector<char> gapCol(size_t(w), 0), gapRow(size_t(h), 0);
    if (FCharBlockMode != rdbmOff) {
        // mod is the remainder of truncating division: negative for a negative offset
        const int oy = originY % st;
        for (int k = 0; k <= h / st + 1; ++k)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int y = oy + k * st + i - FDotSpacing - 1;
                if (y >= 0 && y < h)
                    gapRow[size_t(y)] = 1;
            }
        const int ox = originX % st;
        for (int k = 0; k <= w / st + 1; ++k)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int x = ox + k * st + i - FDotSpacing - 1;
                if (x >= 0 && x < w)
                    gapCol[size_t(x)] = 1;
            }
    }
    paintBackground(c, w, h, inset, back, FColorLabBakG, gapCol, gapRow);

    // 3. the text
    PaintString(c, FCMat, originX, originY, FLabText, FDotSize, FDotSpacing, FColorDotOn,
                FColorDotOff, FColorLabBakG, FCharBlockMode, FProportional, FTextBitLength);

    // 4. the frame. The lines leave out their end points, which would leave the outer corner
    // pixels top right and bottom left (and the one beside it) as whatever was there before:
    // the outer bottom-right colour closes them, as a classic 3-D edge has it.
    auto corners = [&](TColor col, bool besideBottomLeft) {
        fillBox(c, w - 1, 0, w, 1, col);
        fillBox(c, 0, h - 1, besideBottomLeft ? 2 : 1, h, col);
    };
    switch (FFrameStyle) {
    case fsSimple:
        outline(c, w, h, 0, 1, FLines.Gray);
        break;
    case fsLowered:
        segment(c, 1, h - 3, 1, 1, FLines.Black);
        segment(c, 1, 1, w - 2, 1, FLines.Black);
        segment(c, 2, h - 1, w - 1, h - 1, FLines.White);
        segment(c, w - 1, h - 1, w - 1, 0, FLines.White);
        outline(c, w, h, 0, 2, FLines.Gray);
        corners(FLines.White, true);
        break;
    case fsRaised:
        segment(c, 1, h - 3, 1, 1, FLines.White);
        segment(c, 1, 1, w - 2, 1, FLines.White);
        segment(c, 0, h - 1, w - 1, h - 1, FLines.Black);
        segment(c, w - 1, h - 1, w - 1, 0, FLines.Black);
        outline(c, w, h, 0, 2, FLines.Gray);
        corners(FLines.Black, false);
        break;
    case fsRidge:
        outline(c, w, h, 1, 1, FLines.Gray);
        outline(c, w, h, 0, 2, FLines.White);
        corners(FLines.Gray, false);
        break;
    case fsGroove:
        outline(c, w, h, 1, 1, FLines.White);
        outline(c, w, h, 0, 2, FLines.Gray);
        corners(FLines.White, false);
        break;
    default:
        break;
    }
}

} // namespace qor

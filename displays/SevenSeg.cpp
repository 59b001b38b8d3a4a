// TSevenSeg: properties, the sprite master image, the character cache and painting.
#include "displays/QOR_sevenseg.h"
#include "foundation/QOR_PaintCanvas.h"
#include "foundation/QOR_Store.h"

#include <cstring>

namespace qor {

namespace {

std::unique_ptr<TBitmap> loadSprite(const char* name)
{
    auto b = std::make_unique<TBitmap>();
    b->LoadFromResourceName(QString::fromLatin1(name));
    b->SetPixelFormat(pf32bit);
    return b;
}

constexpr TColor kWhite = 0xFFFFFF;

} // namespace

TSevenSeg::TSevenSeg(QWidget* owner) : TGraphicControl(owner)
{
    FCaption = QStringLiteral("8.8.8.8.");
    FLines = LineColorsForScheme(FColorScheme);
    DigImg = std::make_unique<TBitmap>(SevenSegMasterWidth, SevenSegMasterHeight);
    DigImg->SetPixelFormat(pf32bit);
    ImgCache = std::make_unique<TBitmap>();
    SegVert = loadSprite("SEGVERT");
    SegHorz = loadSprite("SEGHORZ");
    SegDot = loadSprite("SEGDOT");
    SegPlus = loadSprite("SEGPLUS");
    SegDeg = loadSprite("SEGDEG");
    SegColon = loadSprite("SEGCOLON");
    resize(216, 76);
    FWidth = 216;
    FHeight = 76;
    CreateImageCache();
}

TSevenSeg::~TSevenSeg() = default;

void TSevenSeg::rebuildAndPaint()
{
    CreateImageCache();
    Paint();
}

void TSevenSeg::SetCaption(const QString& v)
{
    if (!Store(FCaption, v))
        return;
    Paint();
}

void TSevenSeg::SetColorBackGnd(TColor v)
{
    if (!Store(FColorBakG, v))
        return;
    rebuildAndPaint();
}

void TSevenSeg::SetColorText(TColor v)
{
    if (!Store(FColorTxt, v))
        return;
    rebuildAndPaint();
}

void TSevenSeg::SetColorScheme(TColorScheme v)
{
    if (!Store(FColorScheme, v))
        return;
    FLines = LineColorsForScheme(v);
    Invalidate();
}

void TSevenSeg::SetFrameStyle(TFrameStyle v)
{
    if (!Store(FFrameStyle, v))
        return;
    Invalidate();
}

void TSevenSeg::SetInterDigDist(int v)
{
    if (v >= 256)
        v = 255;
    if (!Store(FInterDigDist, v))
        return;
    rebuildAndPaint();
}

void TSevenSeg::SetMargin(int v)
{
    if (v == FMargin)
        return;
    v = std::min(v, Height() / 2 - 1);
    FMargin = v;
    rebuildAndPaint();
}

void TSevenSeg::SetNumDigits(int v)
{
    if (v == FNumDigits || v < 1 || v > 32)
        return;
    FNumDigits = v;
    rebuildAndPaint();
}

void TSevenSeg::ProcessResize(TObject*)
{
    if (Width() == FWidth && Height() == FHeight)
        return;
    FWidth = Width();
    FHeight = Height();
    rebuildAndPaint();
}

void TSevenSeg::Resize()
{
    // The cache follows the size whatever the application assigns to OnResize.
    ProcessResize(this);
    TGraphicControl::Resize();
}

void TSevenSeg::ColorizeSegments(TColor color)
{
    color = ResolveColor(color);
    if (color == kWhite)
        color = 0xFEFEFE;
    FSpriteColor = color;
    auto fillFrom = [color](TBitmap* b, int x, int y) {
        TCanvas* c = b->Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(color);
        c->FloodFill(x, y, c->Pixels(x, y), fsSurface);
    };
    for (TBitmap* b : {SegHorz.get(), SegVert.get(), SegDot.get(), SegPlus.get()})
        fillFrom(b, b->Width() / 2, b->Height() / 2);
    // The centres of the colon and the degree ring are background, so these two are
    // filled from points inside their shapes: each colon dot and a point on the ring.
    const int cw = SegColon->Width(), ch = SegColon->Height();
    fillFrom(SegColon.get(), cw / 2 + cw * 13 / 100, ch * 50 / 190);
    fillFrom(SegColon.get(), cw / 2 - cw * 13 / 100, ch * 140 / 190);
    fillFrom(SegDeg.get(), SegDeg->Width() / 2 - SegDeg->Width() * 45 / 160, SegDeg->Height() / 2);
}

void TSevenSeg::CreateDigit(QChar ch, bool dot)
{
    TCanvas* c = DigImg->Canvas();
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetColor(kWhite);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(kWhite);
    c->Rectangle(0, 0, DigImg->Width(), DigImg->Height());
    c->SetCopyMode(SRCAND);
    const TColor back = ResolveColor(FColorBakG);
    c->Brush()->SetColor(back);

    auto stamp = [c](TBitmap* sprite, int index) {
        const TPoint p = TSevenSegMap::SegmentPos(index);
        c->CopyRect(TRect(p.X, p.Y, p.X + sprite->Width(), p.Y + sprite->Height()), sprite->Canvas(),
                    TRect(0, 0, sprite->Width(), sprite->Height()));
    };
    if (ch == QLatin1Char('+')) {
        stamp(SegPlus.get(), 9);
    } else if (ch == QLatin1Char(':')) {
        stamp(SegColon.get(), 10);
    } else if (ch == QChar(0xB0)) {
        stamp(SegDeg.get(), 11);
    } else if (ch == QLatin1Char('.') || ch == QLatin1Char(',')) {
        dot = true;
    } else {
        for (int seg : TSevenSegMap::Segments(ch))
            stamp((seg == 1 || seg == 4 || seg == 7) ? SegHorz.get() : SegVert.get(), seg);
    }
    if (dot)
        stamp(SegDot.get(), 8);
    c->SetCopyMode(SRCCOPY);

    c->FloodFill(1, 1, kWhite, fsSurface);
    // White enclosed by a shape (the hole of the degree ring) is background as well; no
    // segment is ever pure white, so what is still white here is never part of a digit.
    if (back != kWhite) {
        QImage& img = DigImg->Image();
        const QRgb from = qRgb(255, 255, 255);
        const QRgb to = ColorToRgb(back);
        for (int y = 0; y < img.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == from)
                    line[x] = to;
        }
    }
}

void TSevenSeg::CreateImageCache()
{
    ++FCacheBuilds;
    const int cell = SevenSegCellWidth(Width(), FMargin, FNumDigits, FInterDigDist);
    const int cacheH = Height() - 2 * FMargin;
    if (cell < 1 || cacheH < 1) {
        // Too small to show a digit: an empty cache, and Paint copies nothing.
        ImgCache->SetSize(0, 0);
        return;
    }
    ImgCache->SetSize(cell * SevenSegCharCount, cacheH);
    TCanvas* cc = ImgCache->Canvas();
    cc->SetPalette(Palette());
    cc->SetCopyMode(SRCCOPY);
    cc->Pen()->SetColor(FColorBakG);
    cc->Brush()->SetStyle(bsSolid);
    cc->Brush()->SetColor(FColorBakG);
    cc->Rectangle(0, 0, ImgCache->Width(), cacheH);
    ColorizeSegments(FColorTxt);
    cc->Flush();
    // The master is shrunk 5 to 40 times. Sampling it (even bilinearly) picks a few master
    // pixels per cell pixel and leaves stair-stepped strokes with dark fringes; averaging
    // the whole area a cell pixel covers (a box filter, what half-tone stretching does)
    // keeps the strokes even at every size.
    QImage& cache = ImgCache->Image();
    for (int i = 0; i < SevenSegCharCount; ++i) {
        CreateDigit(SevenSegCharList.at(i), false);
        const QImage small = DigImg->Image()
                                 .convertToFormat(QImage::Format_RGB32)
                                 .scaled(cell, cacheH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(cache.format());
        const int bytes = cell * 4;
        for (int y = 0; y < cacheH; ++y)
            std::memcpy(cache.scanLine(y) + size_t(i) * size_t(bytes), small.constScanLine(y), size_t(bytes));
    }
}

void TSevenSeg::Paint()
{
    if (!Visible() && !Designing())
        return;
    if (Width() != FWidth || Height() != FHeight) {
        // A size change that has not come through a resize event yet.
        FWidth = Width();
        FHeight = Height();
        CreateImageCache();
    }
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    TCanvas* c = BeginFullPaint(this);
    c->Pen()->SetColor(FColorBakG);
    c->Brush()->SetColor(FColorBakG);
    c->Rectangle(0, 0, w, h);

    const int d = SevenSegCellWidth(w, FMargin, FNumDigits, FInterDigDist);
    const int cacheH = ImgCache->Height();
    if (!FCaption.isEmpty() && d >= 1 && !ImgCache->Empty() && ImgCache->Width() >= SevenSegCharCount * d) {
        const QImage& cache = ImgCache->Image();
        const std::vector<TSevenSegSlot> slotList = SevenSegSlots(FCaption, FNumDigits);
        for (size_t s = 0; s < slotList.size(); ++s) {
            const int x = int(s) * (d + FInterDigDist) + FMargin;
            const int y = FMargin;
            if (slotList[s].Cell >= 0) {
                const int i = slotList[s].Cell;
                c->CopyRect(TRect(x, y, x + d, h - FMargin), cache, TRect(i * d, 0, (i + 1) * d, cacheH));
            }
            if (slotList[s].Dot) {
                // Only the lower-right corner of the point cell, so the digit stays.
                c->CopyRect(TRect(x + d * 5 / 6, FMargin + cacheH * 5 / 6, x + d, h - FMargin), cache,
                            TRect(20 * d + d * 5 / 6, cacheH * 5 / 6, 21 * d, cacheH));
            }
        }
    }
    DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
}

void TSevenSeg::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TSevenSeg*>(source);
    if (!s) {
        TGraphicControl::Assign(source);
        return;
    }
    if (s == this)
        return;
    FColorBakG = s->FColorBakG;
    FColorTxt = s->FColorTxt;
    FNumDigits = s->FNumDigits;
    FCaption = s->FCaption;
    FFrameStyle = s->FFrameStyle;
    FLines = s->FLines;
    FColorScheme = s->FColorScheme;
    FMargin = s->FMargin;
    FInterDigDist = s->FInterDigDist;
    CreateImageCache();
    Invalidate();
}

} // namespace qor

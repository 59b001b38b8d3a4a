// Raster label geometry: glyph columns, text lengths, the auto-size rules, and character
// sets sampled from fonts.
#include "displays/QOR_RasterLab.h"

namespace qor {

void RasterGlyphColumns(const TRDCharMatrix& set, Byte code, bool fixed, int& left, int& right)
{
    if (fixed) {
        left = 0;
        right = set.FontWidth - 1;
        return;
    }
    left = set.LeftMostBit[code];
    right = set.RightMostBit[code];
    // A sampled glyph without dots keeps the bounds 31 and 0: it takes no columns at all
    // instead of a negative width that would pull the following characters backwards.
    if (right < left)
        right = left - 1;
}

int RasterCharAdvance(const TRDCharMatrix& set, Byte code, int step, bool proportional)
{
    int left = 0, right = 0;
    RasterGlyphColumns(set, code, !proportional, left, right);
    return (right - left + 2) * step;
}

QByteArray RasterTextCodes(const QString& text)
{
    QByteArray codes;
    codes.reserve(text.size());
    for (char32_t u : text.toUcs4())
        codes.append(char(u > 0xFFFF ? Byte('?') : RasterCharCode(QChar(char16_t(u)))));
    return codes;
}

int RasterTextBitLength(const TRDCharMatrix& set, const QString& text, int dotSize, int dotSpacing, bool proportional)
{
    const int step = dotSize + dotSpacing;
    int length = 0;
    for (char code : RasterTextCodes(text))
        length += RasterCharAdvance(set, Byte(code), step, proportional);
    return length;
}

int RasterFrameInset(TFrameStyle style)
{
    switch (style) {
    case fsSimple:
    case fsLowered:
    case fsRaised: return 1;
    case fsRidge:
    case fsGroove: return 2;
    default: return 0;
    }
}

int RasterFrameShift(TFrameStyle style)
{
    switch (style) {
    case fsLowered:
    case fsRaised:
    case fsRidge:
    case fsGroove: return 1;
    default: return 0;
    }
}

int RasterAutoHeight(TFrameStyle style, int step, int fontHeight)
{
    return RasterFrameInset(style) + step * fontHeight;
}

int RasterAutoCenterX(TFrameStyle style, int width, int textLength)
{
    return (width - textLength) / 2 + RasterFrameInset(style) + 1;
}

TRDCharMatrix TRasterLab::CreateBitFont(const TFont* font)
{
    if (!font || font->Name().compare(QLatin1String("default"), Qt::CaseInsensitive) == 0)
        return BuiltInRasterFont();

    TRDCharMatrix m; // all zero: codes 0..31 stay empty, FontWidth and FontHeight start at 0
    TBitmap bmp(65, 65);
    TCanvas* c = bmp.Canvas();
    c->Font()->Assign(*font);
    // The dots come from the glyph shapes alone: a white font colour would otherwise
    // leave every glyph empty.
    c->Font()->SetColor(clBlack);
    for (int code = 32; code <= 255; ++code) {
        c->Pen()->SetColor(clWhite);
        c->Brush()->SetColor(clWhite);
        c->Rectangle(0, 0, 100, 100);
        const QChar ch = RasterCodeChar(Byte(code));
        if (!ch.isNull())
            c->TextOut(0, 0, QString(ch));
        const QImage& img = bmp.Image();
        int left = 31, right = 0;
        for (int row = 0; row < 32; ++row) {
            const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(row));
            std::uint32_t bits = 0;
            for (int col = 0; col < 32; ++col) {
                if ((line[col] & 0x00FFFFFFu) != 0x00FFFFFFu) {
                    bits |= std::uint32_t(1) << col;
                    left = std::min(left, col);
                    right = std::max(right, col);
                }
            }
            m.BitData[code][row] = bits;
            if (bits != 0)
                m.FontHeight = std::max(m.FontHeight, row + 1);
        }
        m.LeftMostBit[code] = Byte(left);
        m.RightMostBit[code] = Byte(right);
        m.FontWidth = std::max(m.FontWidth, right - left + 1);
    }
    m.LeftMostBit[32] = 0;
    m.RightMostBit[32] = Byte(m.FontWidth / 2);
    return m;
}

} // namespace qor

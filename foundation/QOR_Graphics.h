// Drawing vocabulary over Qt: colours, pens, brushes, fonts, a canvas with the
// classic raster semantics (end points excluded, exclusive rectangles, top-left text)
// and a 32-bit bitmap with its own canvas.
#pragma once

#include "foundation/QOR_Types.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPainter>
#include <QVector>
#include <functional>
#include <memory>

class QWidget;

namespace qor {

/// Resolves system colours through the palette (the application's when none is given).
QColor ColorToQColor(TColor c, const QPalette* palette = nullptr);
/// The 0x00BBGGRR value of a colour, system colours resolved.
TColor ColorToRGB(TColor c, const QPalette* palette = nullptr);
TColor QColorToColor(const QColor& c);
/// The 0x00BBGGRR value of a 32-bit image pixel (0xAARRGGBB).
constexpr TColor RgbToColor(QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); }
constexpr QRgb ColorToRgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

inline namespace graphics_enums {
Q_NAMESPACE
enum TPenStyle : Byte { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)
enum TPenMode : Byte {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
Q_ENUM_NS(TPenMode)
enum TBrushStyle : Byte { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)
enum TFontStyle : Byte { fsBold, fsItalic, fsUnderline, fsStrikeOut };
Q_ENUM_NS(TFontStyle)
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch : Byte { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)
enum TFillStyle : Byte { fsSurface, fsBorder };
Q_ENUM_NS(TFillStyle)
enum TStretchMode : Byte { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };
Q_ENUM_NS(TStretchMode)
enum TPixelFormat : Byte { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
Q_ENUM_NS(TPixelFormat)
} // namespace graphics_enums

/// Raster operation codes of CopyRect, Draw and StretchDraw.
using TCopyMode = std::uint32_t;
constexpr TCopyMode SRCCOPY = 0x00CC0020;
constexpr TCopyMode SRCPAINT = 0x00EE0086;
constexpr TCopyMode SRCAND = 0x008800C6;
constexpr TCopyMode SRCINVERT = 0x00660046;
constexpr TCopyMode SRCERASE = 0x00440328;
constexpr TCopyMode NOTSRCCOPY = 0x00330008;
constexpr TCopyMode NOTSRCERASE = 0x001100A6;
constexpr TCopyMode MERGEPAINT = 0x00BB0226;
constexpr TCopyMode DSTINVERT = 0x00550009;
constexpr TCopyMode BLACKNESS = 0x00000042;
constexpr TCopyMode WHITENESS = 0x00FF0062;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;

/// Base of the graphic objects: tells its owner when it changes.
class TGraphicsObject {
public:
    virtual ~TGraphicsObject() = default;
    std::function<void(TGraphicsObject*)> OnChange;

protected:
    void Changed() { if (OnChange) OnChange(this); }
};

class TFont : public TGraphicsObject {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    void Assign(const TFont& other);

    QString Name() const { return m_name; }
    void SetName(const QString& name);
    /// Size in points; pixels = points * 96 / 72, whatever the device.
    int Size() const { return m_size; }
    void SetSize(int points);
    /// Height in pixels (negative in the classic sense is not used: always the pixel size).
    int Height() const;
    void SetHeight(int pixels);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles s);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch p);
    /// Angle of the text base line in tenths of a degree, counter-clockwise.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int tenths);
    /// Smooth (antialiased) glyph edges; off by default so text is pixel-exact.
    bool AntiAlias() const { return m_antialias; }
    void SetAntiAlias(bool on);

    QFont ToQFont() const;
    void FromQFont(const QFont& f);
    bool operator==(const TFont& o) const;

private:
    QString m_name;
    int m_size;
    TColor m_color;
    TFontStyles m_style;
    TFontPitch m_pitch = fpDefault;
    int m_orientation = 0;
    bool m_antialias = false;
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    int Width() const { return m_width; }
    void SetWidth(int w);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle s);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode m);
    void Assign(const TPen& o);

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return m_color; }
    /// Setting a colour makes a clear brush solid again.
    void SetColor(TColor c);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle s);
    void Assign(const TBrush& o);

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

class TBitmap;

/// Draws into a QImage with the classic raster rules:
/// - MoveTo/LineTo: Bresenham, the end point is not drawn;
/// - Rectangle/Ellipse/FillRect: cover x1..x2-1, y1..y2-1;
/// - TextOut: the text's top-left corner at (x, y); an opaque brush fills the text cell.
/// Antialiasing is off unless the font asks for it.
class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    /// The image drawn into (not owned). The palette resolves system colours.
    void SetTarget(QImage* image, const QPalette* palette = nullptr);
    QImage* Target() const { return m_image; }
    void SetPalette(const QPalette* palette) { m_palette = palette; }
    /// Called once after the first drawing operation since the last Acknowledge (controls repaint then).
    std::function<void()> OnDrawn;
    void AcknowledgeDrawn() { m_drawnSignalled = false; }

    TPen* Pen() { return &m_pen; }
    TBrush* Brush() { return &m_brush; }
    TFont* Font() { return &m_font; }
    const TPen* Pen() const { return &m_pen; }
    const TBrush* Brush() const { return &m_brush; }
    const TFont* Font() const { return &m_font; }
    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint p) { m_penPos = p; }
    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode m) { m_copyMode = m; }
    TStretchMode StretchMode() const { return m_stretchMode; }
    void SetStretchMode(TStretchMode m) { m_stretchMode = m; }
    /// Optional clip rectangle for all drawing; an empty TRect removes it.
    void SetClipRect(const TRect& r);
    TRect ClipRect() const;
    bool HasClip() const { return m_hasClip; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry);
    void Polygon(const QVector<TPoint>& points);
    void Polyline(const QVector<TPoint>& points);
    /// Arc, Pie, Chord: counter-clockwise from the ray through (x3, y3) to the ray through (x4, y4).
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void FloodFill(int x, int y, TColor color, TFillStyle style);
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor c);

    void TextOut(int x, int y, const QString& text);
    /// Text at (x, y) clipped to r; an opaque brush fills r first.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    QSize TextExtent(const QString& text) const;

    /// Copies a bitmap with CopyMode (the bitmap's Transparent colour is skipped when set).
    void Draw(int x, int y, TBitmap* bitmap);
    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, TBitmap* bitmap);
    void StretchDraw(const TRect& r, const QImage& image);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
    void CopyRect(const TRect& dest, const QImage& source, const TRect& src);

    /// A painter on the target with pen, brush and font of this canvas applied,
    /// for drawing that has no classic counterpart. Ends with the next direct pixel access.
    QPainter* Painter();
    /// Finishes pending painter work so the image can be read directly.
    void Flush();

    TColor Resolve(TColor c) const { return ColorToRGB(c, m_palette); }

private:
    QPainter* beginPaint();
    void applyPenMode(QPainter* p, TPenMode mode) const;
    QPainter* shapePainter();
    enum class ArcKind { Arc, Pie, Chord };
    void arcShape(ArcKind kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void notifyDrawn();
    void plotLine(int x0, int y0, int x1, int y1);
    void blit(const QRect& dst, const QImage& src, const QRect& srcRect, TCopyMode mode,
              bool transparent, QRgb transparentColor);
    QRgb penRgb() const;
    QRgb brushRgb() const;
    /// The pen's colour as the pen mode paints it.
    QColor penColor() const;
    /// The brush with its style, hatches included.
    QBrush qtBrush() const;

    /// The Qt font and metrics of Font, kept for the last few fonts used: building them is
    /// dearer than measuring or drawing a short label.
    struct CachedFont;
    struct FontCache;
    const CachedFont& qtFont() const;
    mutable std::unique_ptr<FontCache> m_fontCache;

    QImage* m_image = nullptr;
    const QPalette* m_palette = nullptr;
    std::unique_ptr<QPainter> m_painter;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TPoint m_penPos;
    TCopyMode m_copyMode = SRCCOPY;
    TStretchMode m_stretchMode = COLORONCOLOR;
    QRect m_clip;
    bool m_hasClip = false;
    bool m_drawnSignalled = false;
};

/// A 32-bit off-screen image with its own canvas.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    void Assign(const TBitmap* other);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    /// Resizing keeps the pixels that still fit; new area is white.
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    void SetSize(int w, int h);
    bool Empty() const { return m_image.isNull() || Width() == 0 || Height() == 0; }

    TPixelFormat PixelFormat() const { return m_pixelFormat; }
    /// pf8bit and pf1bit hold one byte (index) per pixel; the others 32 bits per pixel.
    void SetPixelFormat(TPixelFormat f);
    /// Start of a scan line (bytes; 4 per pixel at 32 bits, 1 at 8 bits).
    uchar* ScanLine(int y);

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool t) { m_transparent = t; }
    /// Defaults to the bottom-left pixel, as bitmaps classically do.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c) { m_transparentColor = c; m_autoTransparent = false; }

    /// Throws EQORError when the file cannot be read as an image.
    void LoadFromFile(const QString& path);
    /// Loads a bitmap resource of this library by name, such as "SEGVERT"; throws EQORError if unknown.
    void LoadFromResourceName(const QString& name);
    static bool ResourceExists(const QString& name);
    void SaveToFile(const QString& path) const;

    TCanvas* Canvas() { return &m_canvas; }
    /// The pixels (pending canvas work finished first).
    QImage& Image();
    const QImage& Image() const;
    void SetImage(const QImage& img);

private:
    QImage m_image;
    TCanvas m_canvas;
    TPixelFormat m_pixelFormat = pf32bit;
    bool m_transparent = false;
    bool m_autoTransparent = true;
    TColor m_transparentColor = clWhite;
};

} // namespace qor

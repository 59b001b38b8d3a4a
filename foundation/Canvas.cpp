// The canvas: classic raster drawing rules on a QImage.
#include "foundation/QOR_Graphics.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QTextLayout>
#include <QHash>
#include <QPainterPath>
#include <QtMath>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace qor {

namespace {

QPainter::CompositionMode modeForPen(TPenMode m)
{
    switch (m) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

bool copyModeComposition(TCopyMode m, QPainter::CompositionMode& out)
{
    switch (m) {
    case SRCCOPY: out = QPainter::CompositionMode_Source; return true;
    case NOTSRCCOPY: out = QPainter::RasterOp_NotSource; return true;
    case SRCAND: out = QPainter::RasterOp_SourceAndDestination; return true;
    case SRCPAINT: out = QPainter::RasterOp_SourceOrDestination; return true;
    case SRCINVERT: out = QPainter::RasterOp_SourceXorDestination; return true;
    case SRCERASE: out = QPainter::RasterOp_SourceAndNotDestination; return true;
    case NOTSRCERASE: out = QPainter::RasterOp_NotSourceAndNotDestination; return true;
    case MERGEPAINT: out = QPainter::RasterOp_NotSourceOrDestination; return true;
    case DSTINVERT: out = QPainter::RasterOp_NotDestination; return true;
    default: return false;
    }
}

// On/off run lengths of the dashed cosmetic pens, in pixels.
const std::vector<int>& dashPattern(TPenStyle s)
{
    static const std::vector<int> none;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return none;
    }
}

// Hatches by name, not by position: the two enumerations list them in different orders.
Qt::BrushStyle hatchPattern(TBrushStyle s)
{
    switch (s) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: return Qt::NoBrush;
    default: return Qt::SolidPattern;
    }
}

// Fonts that differ only in colour share their Qt font, metrics and shapes.
bool sameGlyphs(const TFont& a, const TFont& b)
{
    return a.Height() == b.Height() && a.Style() == b.Style() && a.Pitch() == b.Pitch()
        && a.AntiAlias() == b.AntiAlias() && a.Orientation() == b.Orientation() && a.Name() == b.Name();
}

// Visits the pixels of a one-pixel line from (x0, y0) on, Bresenham's way, for steps pixels
// (the end point excluded), skipping the off runs of a dash pattern.
template <typename Plot>
void walkLine(int x0, int y0, int x1, int y1, int steps, const std::vector<int>& pattern, Plot plot)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    size_t seg = 0;
    int segLeft = pattern.empty() ? 0 : pattern[0];
    int err = dx + dy;
    int x = x0, y = y0;
    for (int i = 0; i < steps; ++i) {
        if (pattern.empty() || (seg % 2) == 0)
            plot(x, y);
        if (!pattern.empty() && --segLeft == 0) {
            seg = (seg + 1) % pattern.size();
            segLeft = pattern[seg];
        }
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

// Short slanted lines (scale ticks, needles, check marks) cost a painter call each, far more
// than their few pixels. An opaque colour copied onto a 32-bit image is written straight into
// the image the painter draws on, inside the same clip. False when the painter has to do it.
bool plotDirect(QImage& image, const QPainter& p, const QRect* canvasClip, const QColor& color, int x0, int y0,
                int x1, int y1, int steps, const std::vector<int>& pattern)
{
    const QImage::Format f = image.format();
    // A shared image would be copied by bits(), away from the painter's buffer.
    if (color.alpha() != 255 || !image.isDetached()
        || (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied))
        return false;
    QRect clip = image.rect();
    if (p.hasClipping()) {
        if (!canvasClip || p.clipBoundingRect() != QRectF(*canvasClip))
            return false;
        clip &= *canvasClip;
    }
    const QRgb rgb = color.rgba();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    walkLine(x0, y0, x1, y1, steps, pattern, [&](int x, int y) {
        if (clip.contains(x, y))
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
    });
    return true;
}

double rayAngle(double cx, double cy, int x, int y)
{
    return qRadiansToDegrees(std::atan2(cy - y, x - cx));
}

} // namespace

struct TCanvas::CachedFont {
    TFont Key;
    QFont Font;
    QFontMetrics Metrics;
    /// Advances of the texts measured last (labels are measured again at every paint).
    mutable QHash<QString, int> Widths;
    /// The shaped glyphs of the texts drawn last, with the baseline they were laid out on:
    /// shaping costs more than drawing, and a repaint draws the same texts again.
    struct Shaped {
        QList<QGlyphRun> Runs;
        qreal Baseline = 0;
    };
    mutable QHash<QString, Shaped> Glyphs;

    int Width(const QString& text) const
    {
        const auto it = Widths.constFind(text);
        if (it != Widths.constEnd())
            return *it;
        if (Widths.size() >= 256)
            Widths.clear();
        const int w = Metrics.horizontalAdvance(text);
        Widths.insert(text, w);
        return w;
    }

    /// Draws the text with its baseline at y, as QPainter::drawText(x, y, text) does.
    void Draw(QPainter* p, int x, int y, const QString& text) const
    {
        if (!cacheable(text)) {
            p->drawText(x, y, text);
            return;
        }
        auto it = Glyphs.constFind(text);
        if (it == Glyphs.constEnd()) {
            if (Glyphs.size() >= 256)
                Glyphs.clear();
            QTextLayout layout(text, Font);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            layout.endLayout();
            it = Glyphs.insert(text, Shaped{layout.glyphRuns(), line.isValid() ? line.ascent() : 0});
        }
        for (const QGlyphRun& run : it->Runs)
            p->drawGlyphRun(QPointF(x, y - it->Baseline), run);
    }

private:
    // Texts whose glyph runs draw exactly what drawText draws: one line, left to right, no
    // decorations (those are placed differently), no rotation (drawn as paths then).
    bool cacheable(const QString& text) const
    {
        if (Key.Orientation() != 0 || Font.underline() || Font.strikeOut() || text.size() > 256)
            return false;
        for (const QChar c : text)
            if (c.unicode() < 0x20 || c.unicode() >= 0x0590)
                return false;
        return true;
    }
};

struct TCanvas::FontCache {
    // A component typically alternates between two or three fonts (scale, caption ...).
    std::array<std::optional<CachedFont>, 4> Entries;
    size_t Next = 0;
};

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() { Flush(); }

const TCanvas::CachedFont& TCanvas::qtFont() const
{
    if (!m_fontCache)
        m_fontCache = std::make_unique<FontCache>();
    for (const auto& e : m_fontCache->Entries)
        if (e && sameGlyphs(e->Key, m_font))
            return *e;
    auto& slot = m_fontCache->Entries[m_fontCache->Next];
    m_fontCache->Next = (m_fontCache->Next + 1) % m_fontCache->Entries.size();
    const QFont f = m_font.ToQFont();
    slot.emplace(CachedFont{m_font, f, QFontMetrics(f), {}, {}});
    return *slot;
}

void TCanvas::SetTarget(QImage* image, const QPalette* palette)
{
    Flush();
    m_image = image;
    if (palette)
        m_palette = palette;
}

void TCanvas::SetClipRect(const TRect& r)
{
    m_hasClip = !r.IsEmpty();
    m_clip = r.ToQRect();
    if (m_painter) {
        if (m_hasClip)
            m_painter->setClipRect(m_clip);
        else
            m_painter->setClipping(false);
    }
}

TRect TCanvas::ClipRect() const
{
    if (m_hasClip)
        return TRect::FromQRect(m_clip);
    return m_image ? TRect(0, 0, m_image->width(), m_image->height()) : TRect();
}

void TCanvas::Flush()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

QPainter* TCanvas::beginPaint()
{
    if (!m_image || m_image->isNull() || m_image->format() == QImage::Format_Indexed8)
        return nullptr;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (m_hasClip)
            m_painter->setClipRect(m_clip);
    }
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->resetTransform();
    notifyDrawn();
    return m_painter.get();
}

QPainter* TCanvas::Painter()
{
    QPainter* p = beginPaint();
    if (!p)
        return nullptr;
    p->setRenderHint(QPainter::Antialiasing, m_font.AntiAlias());
    p->setPen(m_pen.Style() == psClear ? QPen(Qt::NoPen) : QPen(ColorToQColor(m_pen.Color(), m_palette), m_pen.Width()));
    p->setBrush(qtBrush());
    p->setFont(qtFont().Font);
    return p;
}

QPainter* TCanvas::shapePainter()
{
    // Outlined and filled shapes: pen, brush and pen mode applied, edges aliased.
    QPainter* p = Painter();
    if (!p)
        return nullptr;
    p->setRenderHint(QPainter::Antialiasing, false);
    applyPenMode(p, m_pen.Mode());
    if (m_pen.Style() == psClear || m_pen.Mode() == pmNop) {
        p->setPen(Qt::NoPen);
    } else {
        QPen pen = p->pen();
        pen.setColor(penColor());
        p->setPen(pen);
    }
    return p;
}

QColor TCanvas::penColor() const
{
    // pmBlack and pmWhite paint their colour whatever the pen's.
    switch (m_pen.Mode()) {
    case pmBlack: return Qt::black;
    case pmWhite: return Qt::white;
    default: return ColorToQColor(m_pen.Color(), m_palette);
    }
}

QBrush TCanvas::qtBrush() const
{
    const Qt::BrushStyle style = hatchPattern(m_brush.Style());
    return style == Qt::NoBrush ? QBrush(Qt::NoBrush) : QBrush(ColorToQColor(m_brush.Color(), m_palette), style);
}

void TCanvas::notifyDrawn()
{
    if (!m_drawnSignalled && OnDrawn) {
        m_drawnSignalled = true;
        OnDrawn();
    }
}

QRgb TCanvas::penRgb() const { return ColorToRgb(ColorToRGB(m_pen.Color(), m_palette)); }
QRgb TCanvas::brushRgb() const { return ColorToRgb(ColorToRGB(m_brush.Color(), m_palette)); }

void TCanvas::applyPenMode(QPainter* p, TPenMode mode) const
{
    p->setCompositionMode(modeForPen(mode));
}

// ---------------------------------------------------------------- lines

void TCanvas::MoveTo(int x, int y) { m_penPos = TPoint(x, y); }

void TCanvas::LineTo(int x, int y)
{
    plotLine(m_penPos.X, m_penPos.Y, x, y);
    m_penPos = TPoint(x, y);
}

void TCanvas::plotLine(int x0, int y0, int x1, int y1)
{
    if (m_pen.Style() == psClear || m_pen.Mode() == pmNop)
        return;
    QPainter* p = beginPaint();
    if (!p)
        return;
    const QColor color = penColor();
    applyPenMode(p, m_pen.Mode());

    if (m_pen.Width() > 1) {
        // Wide pens: round caps, the end point included, as wide geometric pens draw.
        QPen pen(color, m_pen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        if (x0 == x1 && y0 == y1)
            return;
        p->drawLine(x0, y0, x1, y1);
        return;
    }

    // Bresenham from the start point, stopping before the end point.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const int steps = std::max(dx, -dy);
    if (steps == 0)
        return;
    const std::vector<int>& pattern = dashPattern(m_pen.Style());
    if (pattern.empty() && (dx == 0 || dy == 0)) {
        // A solid horizontal or vertical line is one run of pixels: a one-pixel-wide fill
        // covers the same pixels with the same colour and raster operation, without the
        // per-point work (frames and bevels are made of such lines).
        const QRect run = dy == 0 ? QRect(std::min(x0, x0 + sx * (steps - 1)), y0, steps, 1)
                                  : QRect(x0, std::min(y0, y0 + sy * (steps - 1)), 1, steps);
        p->fillRect(run, color);
        return;
    }
    const QRect* clip = m_hasClip ? &m_clip : nullptr;
    if (m_pen.Mode() == pmCopy && plotDirect(*m_image, *p, clip, color, x0, y0, x1, y1, steps, pattern))
        return;
    QPolygon pts;
    pts.reserve(steps);
    walkLine(x0, y0, x1, y1, steps, pattern, [&pts](int x, int y) { pts.append(QPoint(x, y)); });
    p->setPen(QPen(color, 1));
    p->setBrush(Qt::NoBrush);
    p->drawPoints(pts);
}

void TCanvas::Polyline(const QVector<TPoint>& points)
{
    for (int i = 1; i < points.size(); ++i)
        plotLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
}

// ---------------------------------------------------------------- shapes

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1)
        return;
    QPainter* p = beginPaint();
    if (!p)
        return;
    applyPenMode(p, m_pen.Mode());
    const bool penVisible = m_pen.Style() != psClear && m_pen.Mode() != pmNop;
    const int w = penVisible ? std::min({m_pen.Width(), (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2}) : 0;
    if (m_brush.Style() != bsClear) {
        // Without a pen the filled area is one pixel smaller, as the classic call fills it.
        const QRect inner = penVisible ? QRect(QPoint(x1 + w, y1 + w), QPoint(x2 - 1 - w, y2 - 1 - w))
                                       : QRect(QPoint(x1, y1), QPoint(x2 - 2, y2 - 2));
        if (inner.isValid())
            p->fillRect(inner, qtBrush());
    }
    if (!penVisible)
        return;
    const QColor c = penColor();
    if (m_pen.Style() != psSolid && m_pen.Style() != psInsideFrame && w == 1) {
        plotLine(x1, y1, x2 - 1, y1);
        plotLine(x2 - 1, y1, x2 - 1, y2 - 1);
        plotLine(x2 - 1, y2 - 1, x1, y2 - 1);
        plotLine(x1, y2 - 1, x1, y1);
        return;
    }
    // Outline as four bands, so that no pixel is touched twice (matters for inverting modes).
    const QRect outer(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    QRegion band(outer);
    band -= QRect(QPoint(x1 + w, y1 + w), QPoint(x2 - 1 - w, y2 - 1 - w));
    for (const QRect& r : band)
        p->fillRect(r, c);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    QPainter* p = shapePainter();
    if (!p)
        return;
    if (x2 - x1 <= 2 && y2 - y1 <= 2) {
        // Tiny ellipses are their bounding box.
        const QRect box(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
        if (p->pen().style() != Qt::NoPen)
            p->fillRect(box, p->pen().color());
        else
            p->fillRect(box, qtBrush());
        return;
    }
    if (m_pen.Width() > 1 && m_pen.Style() != psClear) {
        QPen pen = p->pen();
        pen.setJoinStyle(Qt::MiterJoin);
        p->setPen(pen);
        const double half = m_pen.Width() / 2.0;
        p->drawEllipse(QRectF(x1 + half - 0.5, y1 + half - 0.5, x2 - x1 - m_pen.Width(), y2 - y1 - m_pen.Width()));
        return;
    }
    p->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry)
{
    QPainter* p = shapePainter();
    if (!p)
        return;
    p->drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), rx / 2.0, ry / 2.0);
}

void TCanvas::Polygon(const QVector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    QPainter* p = shapePainter();
    if (!p)
        return;
    QPolygon poly;
    poly.reserve(points.size());
    for (const TPoint& pt : points)
        poly.append(QPoint(pt.X, pt.Y));
    p->drawPolygon(poly, Qt::OddEvenFill);
}

static void arcAngles(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int& start16, int& span16)
{
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    const double a0 = rayAngle(cx, cy, x3, y3);
    double span = rayAngle(cx, cy, x4, y4) - a0;
    while (span <= 0)
        span += 360.0;
    start16 = qRound(a0 * 16);
    span16 = qRound(span * 16);
}

void TCanvas::arcShape(ArcKind kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    QPainter* p = shapePainter();
    if (!p)
        return;
    int a, s;
    arcAngles(x1, y1, x2, y2, x3, y3, x4, y4, a, s);
    const QRect box(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    switch (kind) {
    case ArcKind::Arc:
        p->setBrush(Qt::NoBrush);
        p->drawArc(box, a, s);
        break;
    case ArcKind::Pie: p->drawPie(box, a, s); break;
    case ArcKind::Chord: p->drawChord(box, a, s); break;
    }
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    arcShape(ArcKind::Arc, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    arcShape(ArcKind::Pie, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    arcShape(ArcKind::Chord, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty() || m_brush.Style() == bsClear)
        return;
    QPainter* p = beginPaint();
    if (!p)
        return;
    p->fillRect(r.ToQRect(), qtBrush());
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    QPainter* p = beginPaint();
    if (!p)
        return;
    const QColor c = ColorToQColor(m_brush.Color(), m_palette);
    QRegion band(r.ToQRect());
    band -= QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
    for (const QRect& b : band)
        p->fillRect(b, c);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty() || !m_image || m_image->format() != QImage::Format_RGB32)
        return;
    Flush();
    notifyDrawn();
    const QRect bounds = m_hasClip ? m_clip.intersected(m_image->rect()) : m_image->rect();
    auto invert = [&](int x, int y) {
        if (!bounds.contains(x, y))
            return;
        QRgb* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
        line[x] = (~line[x] & 0x00FFFFFF) | 0xFF000000;
    };
    // Every other pixel along the border, inverted, so drawing it twice removes it.
    int k = 0;
    for (int x = r.Left; x < r.Right; ++x, ++k)
        if (k % 2 == 0) invert(x, r.Top);
    for (int y = r.Top + 1; y < r.Bottom; ++y, ++k)
        if (k % 2 == 0) invert(r.Right - 1, y);
    for (int x = r.Right - 2; x >= r.Left; --x, ++k)
        if (k % 2 == 0) invert(x, r.Bottom - 1);
    for (int y = r.Bottom - 2; y > r.Top; --y, ++k)
        if (k % 2 == 0) invert(r.Left, y);
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    if (!m_image || m_image->format() != QImage::Format_RGB32 || m_brush.Style() == bsClear)
        return;
    const QRect bounds = m_hasClip ? m_clip.intersected(m_image->rect()) : m_image->rect();
    if (!bounds.contains(x, y))
        return;
    Flush();
    notifyDrawn();
    const QRgb target = ColorToRgb(ColorToRGB(color, m_palette)) & 0x00FFFFFF;
    const QRgb fill = brushRgb() | 0xFF000000;
    auto px = [&](int px, int py) -> QRgb {
        return reinterpret_cast<const QRgb*>(m_image->constScanLine(py))[px] & 0x00FFFFFF;
    };
    auto inside = [&](int px_, int py_) {
        const QRgb c = px(px_, py_);
        return style == fsSurface ? c == target : c != target;
    };
    if (!inside(x, y) || (px(x, y) == (fill & 0x00FFFFFF)))
        return;
    // Scan-line fill; a filled pixel never counts as inside again because it has the fill colour,
    // except when the fill colour itself is "inside" (border mode with a border of another colour):
    // a visited map guards that case.
    std::vector<uchar> visited(size_t(m_image->width()) * size_t(m_image->height()), 0);
    std::vector<QPoint> stack{QPoint(x, y)};
    const int w = m_image->width();
    while (!stack.empty()) {
        const QPoint s = stack.back();
        stack.pop_back();
        int lx = s.x();
        const int sy = s.y();
        if (visited[size_t(sy) * w + lx] || !inside(lx, sy))
            continue;
        while (lx > bounds.left() && !visited[size_t(sy) * w + lx - 1] && inside(lx - 1, sy))
            --lx;
        int rx = s.x();
        while (rx < bounds.right() && !visited[size_t(sy) * w + rx + 1] && inside(rx + 1, sy))
            ++rx;
        QRgb* line = reinterpret_cast<QRgb*>(m_image->scanLine(sy));
        for (int i = lx; i <= rx; ++i) {
            line[i] = fill;
            visited[size_t(sy) * w + i] = 1;
        }
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < bounds.top() || ny > bounds.bottom())
                continue;
            bool run = false;
            for (int i = lx; i <= rx; ++i) {
                const bool in = !visited[size_t(ny) * w + i] && inside(i, ny);
                if (in && !run)
                    stack.push_back(QPoint(i, ny));
                run = in;
            }
        }
    }
}

TColor TCanvas::Pixels(int x, int y) const
{
    if (!m_image || !m_image->rect().contains(x, y))
        return 0xFFFFFFFF;
    const_cast<TCanvas*>(this)->Flush();
    return RgbToColor(m_image->pixel(x, y));
}

void TCanvas::SetPixels(int x, int y, TColor c)
{
    if (!m_image || !m_image->rect().contains(x, y) || (m_hasClip && !m_clip.contains(x, y)))
        return;
    Flush();
    notifyDrawn();
    const TColor rgb = ColorToRGB(c, m_palette);
    if (m_image->format() == QImage::Format_Indexed8)
        m_image->setPixel(x, y, uint(GetRValue(rgb)));
    else
        m_image->setPixel(x, y, ColorToRgb(rgb));
}

// ---------------------------------------------------------------- text

int TCanvas::TextWidth(const QString& text) const
{
    return qtFont().Width(text);
}

int TCanvas::TextHeight(const QString&) const
{
    const QFontMetrics& fm = qtFont().Metrics;
    return fm.ascent() + fm.descent();
}

QSize TCanvas::TextExtent(const QString& text) const { return QSize(TextWidth(text), TextHeight(text)); }

void TCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter* p = beginPaint();
    int width = -1;
    if (p) {
        const auto& qf = qtFont();
        const QFontMetrics& fm = qf.Metrics;
        p->setFont(qf.Font);
        p->setRenderHint(QPainter::TextAntialiasing, m_font.AntiAlias());
        p->setRenderHint(QPainter::Antialiasing, m_font.AntiAlias());
        p->translate(x, y);
        if (m_font.Orientation() != 0)
            p->rotate(-m_font.Orientation() / 10.0);
        if (m_brush.Style() != bsClear) {
            width = qf.Width(text);
            p->fillRect(QRect(0, 0, width, fm.ascent() + fm.descent()), ColorToQColor(m_brush.Color(), m_palette));
        }
        p->setPen(ColorToQColor(m_font.Color(), m_palette));
        qf.Draw(p, 0, fm.ascent(), text);
        p->resetTransform();
    }
    m_penPos = TPoint(x + (width >= 0 ? width : TextWidth(text)), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    QPainter* p = beginPaint();
    if (!p)
        return;
    p->save();
    QRect clip = r.ToQRect();
    if (m_hasClip)
        clip = clip.intersected(m_clip);
    p->setClipRect(clip);
    if (m_brush.Style() != bsClear)
        p->fillRect(r.ToQRect(), ColorToQColor(m_brush.Color(), m_palette));
    const auto& qf = qtFont();
    p->setFont(qf.Font);
    p->setRenderHint(QPainter::TextAntialiasing, m_font.AntiAlias());
    p->setPen(ColorToQColor(m_font.Color(), m_palette));
    qf.Draw(p, x, y + qf.Metrics.ascent(), text);
    p->restore();
}

// ---------------------------------------------------------------- copying

void TCanvas::blit(const QRect& dst, const QImage& src, const QRect& srcRect, TCopyMode mode,
                   bool transparent, QRgb transparentColor)
{
    if (dst.isEmpty() || srcRect.isEmpty() || src.isNull())
        return;
    if (m_image && m_image->format() == QImage::Format_Indexed8) {
        // One byte per pixel targets (masks): plain copy of the source's red channel.
        Flush();
        const QImage s = src.copy(srcRect).scaled(dst.size()).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < dst.height(); ++y) {
            const int ty = dst.top() + y;
            if (ty < 0 || ty >= m_image->height()) continue;
            for (int x = 0; x < dst.width(); ++x) {
                const int tx = dst.left() + x;
                if (tx < 0 || tx >= m_image->width()) continue;
                m_image->scanLine(ty)[tx] = uchar(qRed(s.pixel(x, y)));
            }
        }
        return;
    }
    QPainter* p = beginPaint();
    if (!p)
        return;
    if (mode == BLACKNESS || mode == WHITENESS) {
        p->fillRect(dst, mode == BLACKNESS ? Qt::black : Qt::white);
        return;
    }
    QPainter::CompositionMode cm;
    if (!copyModeComposition(mode, cm))
        cm = QPainter::CompositionMode_Source;
    const QImage::Format sf = src.format();
    if (!transparent && srcRect.size() == dst.size() && src.rect().contains(srcRect)
        && sf != QImage::Format_Indexed8 && sf != QImage::Format_Grayscale8 && sf != QImage::Format_Mono) {
        // An unstretched piece is drawn straight from the source: the same pixels as from a
        // copy of the piece, without allocating one per call (cached cells, sprites).
        p->setCompositionMode(cm);
        p->drawImage(dst.topLeft(), src, srcRect);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    QImage piece = (srcRect == src.rect()) ? src : src.copy(srcRect);
    if (piece.format() == QImage::Format_Indexed8 || piece.format() == QImage::Format_Grayscale8
        || piece.format() == QImage::Format_Mono)
        piece = piece.convertToFormat(QImage::Format_RGB32);
    if (transparent) {
        piece = piece.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = transparentColor & 0x00FFFFFF;
        for (int y = 0; y < piece.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x)
                if ((line[x] & 0x00FFFFFF) == key)
                    line[x] = 0;
        }
        if (cm == QPainter::CompositionMode_Source)
            cm = QPainter::CompositionMode_SourceOver;
    }
    p->setCompositionMode(cm);
    if (piece.size() != dst.size()) {
        p->setRenderHint(QPainter::SmoothPixmapTransform, m_stretchMode == HALFTONE);
        p->drawImage(dst, piece);
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    } else {
        p->drawImage(dst.topLeft(), piece);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty())
        return;
    const QImage& img = bitmap->Image();
    blit(QRect(x, y, img.width(), img.height()), img, img.rect(), m_copyMode, bitmap->Transparent(),
         ColorToRgb(bitmap->TransparentColor()));
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    blit(QRect(x, y, image.width(), image.height()), image, image.rect(), m_copyMode, false, 0);
}

void TCanvas::StretchDraw(const TRect& r, TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty())
        return;
    const QImage& img = bitmap->Image();
    blit(r.ToQRect(), img, img.rect(), m_copyMode, bitmap->Transparent(), ColorToRgb(bitmap->TransparentColor()));
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    blit(r.ToQRect(), image, image.rect(), m_copyMode, false, 0);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src)
{
    if (!source || !source->m_image)
        return;
    source->Flush();
    if (source == this) {
        const QImage copy = m_image->copy(src.ToQRect());
        blit(dest.ToQRect(), copy, copy.rect(), m_copyMode, false, 0);
        return;
    }
    blit(dest.ToQRect(), *source->m_image, src.ToQRect(), m_copyMode, false, 0);
}

void TCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& src)
{
    blit(dest.ToQRect(), source, src.ToQRect(), m_copyMode, false, 0);
}

} // namespace qor

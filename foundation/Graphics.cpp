// Colours, fonts, pens, brushes and bitmaps.
#include "foundation/QOR_Graphics.h"
#include "foundation/QOR_Core.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImageReader>
#include <QPalette>

namespace qor {

namespace {

QPalette::ColorRole roleOf(TColor c, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (c & 0xFF) {
    case 0x00: return QPalette::Button;          // scroll bar
    case 0x01: return QPalette::Window;          // desktop background
    case 0x02: return QPalette::Highlight;       // active caption
    case 0x03: group = QPalette::Inactive; return QPalette::Mid; // inactive caption
    case 0x04: return QPalette::Window;          // menu
    case 0x05: return QPalette::Base;            // window
    case 0x06: return QPalette::Shadow;          // window frame
    case 0x07: return QPalette::WindowText;      // menu text
    case 0x08: return QPalette::Text;            // window text
    case 0x09: return QPalette::HighlightedText; // caption text
    case 0x0A: return QPalette::Button;          // active border
    case 0x0B: return QPalette::Button;          // inactive border
    case 0x0C: return QPalette::Dark;            // application workspace
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;          // button face
    case 0x10: return QPalette::Dark;            // button shadow
    case 0x11: group = QPalette::Disabled; return QPalette::Text; // grey text
    case 0x12: return QPalette::ButtonText;
    case 0x13: group = QPalette::Inactive; return QPalette::WindowText;
    case 0x14: return QPalette::Light;           // button highlight
    case 0x15: return QPalette::Shadow;          // 3-D dark shadow
    case 0x16: return QPalette::Midlight;        // 3-D light
    case 0x17: return QPalette::ToolTipText;
    case 0x18: return QPalette::ToolTipBase;
    case 0x1A: return QPalette::Link;            // hot light
    case 0x1D: return QPalette::Highlight;       // menu highlight
    case 0x1E: return QPalette::Window;          // menu bar
    default: return QPalette::Window;
    }
}

} // namespace

TColor ColorToRGB(TColor c, const QPalette* palette)
{
    if (IsSystemColor(c)) {
        const QPalette pal = palette ? *palette : QApplication::palette();
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = roleOf(c, group);
        return QColorToColor(pal.color(group, role));
    }
    if (c == clNone || c == clDefault)
        return clBlack;
    return c & 0x00FFFFFFu;
}

QColor ColorToQColor(TColor c, const QPalette* palette)
{
    const TColor rgb = ColorToRGB(c, palette);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// ---------------------------------------------------------------- TFont

namespace {
QString defaultFontName()
{
    static const QString name = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* f : {"DejaVu Sans", "Liberation Sans", "Noto Sans"})
            if (families.contains(QString::fromLatin1(f)))
                return QString::fromLatin1(f);
        return QApplication::font().family();
    }();
    return name;
}
} // namespace

TFont::TFont() : m_name(), m_size(8), m_color(clWindowText) {}

TFont::TFont(const TFont& other) : TGraphicsObject() { Assign(other); }

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

void TFont::Assign(const TFont& o)
{
    if (&o == this)
        return;
    m_name = o.m_name;
    m_size = o.m_size;
    m_color = o.m_color;
    m_style = o.m_style;
    m_pitch = o.m_pitch;
    m_orientation = o.m_orientation;
    m_antialias = o.m_antialias;
    Changed();
}

bool TFont::operator==(const TFont& o) const
{
    return Name() == o.Name() && m_size == o.m_size && m_color == o.m_color && m_style == o.m_style
        && m_pitch == o.m_pitch && m_orientation == o.m_orientation && m_antialias == o.m_antialias;
}

void TFont::SetName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetSize(int points)
{
    if (points == m_size)
        return;
    m_size = points;
    Changed();
}

int TFont::Height() const { return qMax(1, (qAbs(m_size) * 96 + 36) / 72); }

void TFont::SetHeight(int pixels) { SetSize(qMax(1, (qAbs(pixels) * 72 + 48) / 96)); }

void TFont::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    Changed();
}

void TFont::SetStyle(TFontStyles s)
{
    if (s == m_style)
        return;
    m_style = s;
    Changed();
}

void TFont::SetPitch(TFontPitch p)
{
    if (p == m_pitch)
        return;
    m_pitch = p;
    Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (tenths == m_orientation)
        return;
    m_orientation = tenths;
    Changed();
}

void TFont::SetAntiAlias(bool on)
{
    if (on == m_antialias)
        return;
    m_antialias = on;
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont f(m_name.isEmpty() ? defaultFontName() : m_name);
    f.setPixelSize(Height());
    f.setBold(m_style.Contains(fsBold));
    f.setItalic(m_style.Contains(fsItalic));
    f.setUnderline(m_style.Contains(fsUnderline));
    f.setStrikeOut(m_style.Contains(fsStrikeOut));
    if (m_pitch == fpFixed)
        f.setFixedPitch(true);
    f.setStyleStrategy(m_antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void TFont::FromQFont(const QFont& f)
{
    m_name = f.family();
    if (f.pixelSize() > 0)
        m_size = qMax(1, (f.pixelSize() * 72 + 48) / 96);
    else
        m_size = qMax(1, qRound(f.pointSizeF()));
    TFontStyles s;
    if (f.bold()) s.Include(fsBold);
    if (f.italic()) s.Include(fsItalic);
    if (f.underline()) s.Include(fsUnderline);
    if (f.strikeOut()) s.Include(fsStrikeOut);
    m_style = s;
    Changed();
}

// ---------------------------------------------------------------- TPen, TBrush

void TPen::SetColor(TColor c) { if (c != m_color) { m_color = c; Changed(); } }
void TPen::SetWidth(int w) { w = qMax(1, w); if (w != m_width) { m_width = w; Changed(); } }
void TPen::SetStyle(TPenStyle s) { if (s != m_style) { m_style = s; Changed(); } }
void TPen::SetMode(TPenMode m) { if (m != m_mode) { m_mode = m; Changed(); } }
void TPen::Assign(const TPen& o)
{
    m_color = o.m_color;
    m_width = o.m_width;
    m_style = o.m_style;
    m_mode = o.m_mode;
    Changed();
}

void TBrush::SetColor(TColor c)
{
    if (c == m_color && m_style != bsClear)
        return;
    m_color = c;
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle s) { if (s != m_style) { m_style = s; Changed(); } }
void TBrush::Assign(const TBrush& o)
{
    m_color = o.m_color;
    m_style = o.m_style;
    Changed();
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() { m_canvas.SetTarget(&m_image); }

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { m_canvas.Flush(); }

void TBitmap::Assign(const TBitmap* other)
{
    if (!other || other == this)
        return;
    m_canvas.Flush();
    const_cast<TBitmap*>(other)->m_canvas.Flush();
    m_image = other->m_image.copy();
    m_pixelFormat = other->m_pixelFormat;
    m_transparent = other->m_transparent;
    m_autoTransparent = other->m_autoTransparent;
    m_transparentColor = other->m_transparentColor;
}

static QImage::Format formatOf(TPixelFormat f)
{
    switch (f) {
    case pf1bit:
    case pf4bit:
    case pf8bit: return QImage::Format_Indexed8;
    default: return QImage::Format_RGB32;
    }
}

void TBitmap::SetSize(int w, int h)
{
    w = qMax(0, w);
    h = qMax(0, h);
    if (w == Width() && h == Height() && !m_image.isNull())
        return;
    m_canvas.Flush();
    QImage img(w, h, formatOf(m_pixelFormat));
    if (img.format() == QImage::Format_Indexed8) {
        QVector<QRgb> table(256);
        for (int i = 0; i < 256; ++i)
            table[i] = qRgb(i, i, i);
        img.setColorTable(table);
        img.fill(255);
    } else {
        img.fill(Qt::white);
    }
    if (!m_image.isNull() && w > 0 && h > 0 && img.format() == m_image.format()) {
        const int cw = qMin(w, m_image.width());
        const int ch = qMin(h, m_image.height());
        const int bpp = m_image.depth() / 8;
        for (int y = 0; y < ch; ++y)
            memcpy(img.scanLine(y), m_image.constScanLine(y), size_t(cw * bpp));
    }
    m_image = img;
    m_canvas.SetTarget(&m_image);
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == m_pixelFormat)
        return;
    m_canvas.Flush();
    const QImage::Format target = formatOf(f);
    m_pixelFormat = f;
    if (!m_image.isNull() && m_image.format() != target) {
        if (target == QImage::Format_Indexed8)
            m_image = m_image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8);
        else
            m_image = m_image.convertToFormat(target);
    }
    m_canvas.SetTarget(&m_image);
}

uchar* TBitmap::ScanLine(int y)
{
    m_canvas.Flush();
    if (y < 0 || y >= Height())
        throw EQORError(QStringLiteral("Scan line index out of range"));
    return m_image.scanLine(y);
}

TColor TBitmap::TransparentColor() const
{
    if (!m_autoTransparent || m_image.isNull() || Height() == 0 || Width() == 0)
        return m_transparentColor;
    const_cast<TBitmap*>(this)->m_canvas.Flush();
    return RgbToColor(m_image.pixel(0, Height() - 1));
}

void TBitmap::LoadFromFile(const QString& path)
{
    QImageReader reader(path);
    QImage img = reader.read();
    if (img.isNull())
        throw EQORError(QStringLiteral("Cannot load image \"%1\": %2").arg(path, reader.errorString()));
    SetImage(img);
}

static QString resourcePath(const QString& name)
{
    for (const char* ext : {".png", ".bmp", ".PNG", ".BMP"}) {
        const QString p = QStringLiteral(":/qor/") + name + QString::fromLatin1(ext);
        if (QFile::exists(p))
            return p;
    }
    return {};
}

bool TBitmap::ResourceExists(const QString& name) { return !resourcePath(name).isEmpty(); }

void TBitmap::LoadFromResourceName(const QString& name)
{
    const QString p = resourcePath(name);
    if (p.isEmpty())
        throw EQORError(QStringLiteral("Resource %1 not found").arg(name));
    LoadFromFile(p);
}

void TBitmap::SaveToFile(const QString& path) const
{
    const_cast<TBitmap*>(this)->m_canvas.Flush();
    if (!m_image.save(path))
        throw EQORError(QStringLiteral("Cannot save image \"%1\"").arg(path));
}

QImage& TBitmap::Image()
{
    m_canvas.Flush();
    return m_image;
}

const QImage& TBitmap::Image() const
{
    const_cast<TBitmap*>(this)->m_canvas.Flush();
    return m_image;
}

void TBitmap::SetImage(const QImage& img)
{
    m_canvas.Flush();
    if (formatOf(m_pixelFormat) == QImage::Format_Indexed8)
        m_image = img.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8);
    else
        m_image = img.convertToFormat(QImage::Format_RGB32);
    m_canvas.SetTarget(&m_image);
}

} // namespace qor

// Progress bar arithmetic: colour table, mappings, layout per direction, value text.
#include "bars/ProgBarGeometry_p.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qor::progbar {

namespace {

// Coordinates beyond this lie far outside any control; clamping there keeps the integer
// arithmetic of a bar driven far past Max (or huge margins) free of overflow.
constexpr qint64 kFar = qint64(1) << 28;

int clampFar(qint64 v) { return int(std::clamp(v, -kFar, kFar)); }

} // namespace

int Nearest(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(kFar) * 4)
        return int(kFar * 4);
    if (v <= -double(kFar) * 4)
        return int(-kFar * 4);
    const double f = std::floor(v);
    const double d = v - f;
    qint64 r = qint64(f);
    if (d > 0.5 || (d == 0.5 && (r & 1) != 0))
        ++r;
    return int(r);
}

TColor InterpolateColor(TColor a, TColor b, double x)
{
    if (!(x > 0)) // NaN too
        x = 0;
    if (x > 1)
        x = 1;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        const int c = int(std::trunc(ca + (cb - ca) * x));
        result |= TColor(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}

void InterpolateBarColors(std::array<TColor, TProgBar::BarColorCount>& table, TColor from, TColor to)
{
    constexpr int last = TProgBar::BarColorCount - 1;
    for (int i = 1; i < last; ++i)
        table[size_t(i)] = InterpolateColor(from, to, double(i) / last);
}

int BarColorIndex(TColorMapping mode, int k, int n, int total)
{
    constexpr double top = TProgBar::BarColorCount - 1;
    if (n <= 0 || total <= 0)
        return 0;
    int ix = 0;
    switch (mode) {
    case cgmCover:
        ix = Nearest(k * top / total);
        break;
    case cgmStretch:
        ix = Nearest(k * top / n);
        break;
    case cgmMove:
        ix = Nearest(k * top / total) - Nearest((n - 1) * top / total) + int(top);
        break;
    }
    return std::clamp(ix, 0, int(top));
}

double BarFraction(double value, double min, double max)
{
    if (max == min)
        return value >= max ? 1.0 : 0.0;
    return (value - min) / (max - min);
}

TBarLayout BarLayout(int w, int h, int marginLeft, int marginTop, int marginRight, int marginBottom,
                     TDirection dir, double fraction)
{
    const qint64 left = marginLeft, top = marginTop;
    const qint64 right = qint64(w) - marginRight, bottom = qint64(h) - marginBottom;
    TBarLayout l;
    l.Area = TRect(clampFar(left), clampFar(top), clampFar(right), clampFar(bottom));
    const bool horizontal = dir == drLeft || dir == drRight;
    const qint64 total = horizontal ? right - left : bottom - top;
    l.Total = clampFar(total);
    // A bar below Min (or an area with no room) shows nothing; past Max it runs on into the margin.
    l.Length = total > 0 ? std::clamp(Nearest(double(total) * fraction), 0, int(kFar)) : 0;
    const qint64 n = l.Length;
    switch (dir) {
    case drRight: l.Bar = TRect(l.Area.Left, l.Area.Top, clampFar(left + n), l.Area.Bottom); break;
    case drLeft: l.Bar = TRect(clampFar(right - n), l.Area.Top, l.Area.Right, l.Area.Bottom); break;
    case drUp: l.Bar = TRect(l.Area.Left, clampFar(bottom - n), l.Area.Right, l.Area.Bottom); break;
    case drDown: l.Bar = TRect(l.Area.Left, l.Area.Top, l.Area.Right, clampFar(top + n)); break;
    }
    return l;
}

TRect BarLine(const TBarLayout& l, TDirection dir, int k)
{
    const TRect& b = l.Bar;
    switch (dir) {
    case drRight: return TRect(b.Left + k, b.Top, b.Left + k + 1, b.Bottom);
    case drLeft: return TRect(b.Right - 1 - k, b.Top, b.Right - k, b.Bottom);
    case drUp: return TRect(b.Left, b.Bottom - 1 - k, b.Right, b.Bottom - k);
    case drDown: return TRect(b.Left, b.Top + k, b.Right, b.Top + k + 1);
    }
    return TRect();
}

void VisibleLines(const TBarLayout& l, TDirection dir, int w, int h, int& first, int& last)
{
    const TRect& b = l.Bar;
    const int n = l.Length;
    switch (dir) {
    case drRight: first = std::max(0, -b.Left); last = std::min(n, w - b.Left); break;
    case drLeft: first = std::max(0, b.Right - w); last = std::min(n, b.Right); break;
    case drUp: first = std::max(0, b.Bottom - h); last = std::min(n, b.Bottom); break;
    case drDown: first = std::max(0, -b.Top); last = std::min(n, h - b.Top); break;
    default: first = last = 0; break;
    }
    last = std::max(last, first);
}

std::vector<int> GridLines(const TBarLayout& l, TDirection dir, int gridDist, int limit)
{
    std::vector<int> out;
    if (gridDist <= 1 || limit <= 0)
        return out;
    const TRect& b = l.Bar;
    // Rightward the lines run from the bar's start up to and including its end coordinate;
    // upward from the bar's first line to its last. The other two directions mirror them.
    qint64 start = 0, stop = 0;
    int step = gridDist;
    switch (dir) {
    case drRight: start = b.Left; stop = b.Right; break;
    case drLeft: start = qint64(b.Right) - 1; stop = qint64(b.Left) - 1; step = -gridDist; break;
    case drUp: start = qint64(b.Bottom) - 1; stop = b.Top; step = -gridDist; break;
    case drDown: start = b.Top; stop = qint64(b.Bottom) - 1; break;
    }
    // Skip the lines before the visible range in one jump.
    if (step > 0 && start < 0)
        start += (-start + step - 1) / step * step;
    if (step < 0 && start >= limit)
        start -= (start - limit + 1 - step - 1) / -step * -step;
    for (qint64 p = start; step > 0 ? p <= stop : p >= stop; p += step) {
        if (p < 0 || p >= limit)
            break;
        out.push_back(int(p));
    }
    return out;
}

QString ValueText(double value, int decPlaces)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    if (decPlaces >= 0)
        return QString::number(value, 'f', std::min(decPlaces, 10));
    // Shortest digits that read back as the value, at least one after the point, and an
    // exponent of a sign and four digits.
    const QString e = QString::number(value, 'e', QLocale::FloatingPointShortest);
    const qsizetype at = e.indexOf(QLatin1Char('e'));
    QString mantissa = e.left(at);
    if (!mantissa.contains(QLatin1Char('.')))
        mantissa += QStringLiteral(".0");
    const int exponent = e.mid(at + 1).toInt();
    const QString digits = QString::number(std::abs(exponent)).rightJustified(4, QLatin1Char('0'));
    const QChar sign = exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
    if (decPlaces == -2)
        return mantissa + QLatin1Char('E') + sign + digits;
    const QString text = mantissa + QLatin1Char('E') + sign + digits.right(2);
    if (digits.left(2) != QLatin1String("00"))
        return QString(text.size(), QLatin1Char('*'));
    return text;
}

TPoint TextOrigin(TAlignment alignment, int angleDeg, int textWidth, int textHeight, int x, int y)
{
    const double a = angleDeg * std::numbers::pi / 180.0;
    const double s = std::sin(a), c = std::cos(a);
    const int h = textHeight / 2;
    const int m = textWidth / 2;
    switch (alignment) {
    case taLeftJustify:
        return TPoint(Nearest(s * -h) + x, Nearest(c * -h) + y);
    case taRightJustify:
        return TPoint(Nearest(c * -2 * m - s * h) + x, Nearest(s * 2 * m - c * h) + y);
    case taCenter:
    default:
        return TPoint(Nearest(c * -m - s * h) + x, Nearest(s * m - c * h) + y);
    }
}

} // namespace qor::progbar

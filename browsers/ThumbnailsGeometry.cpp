// Geometry of the thumbnail strip. Rounding follows the classic Round (halves to even);
// whole and fractional parts of the scroll position are taken towards minus infinity, which
// equals the usual Int and Frac for positions of 1 and above and keeps the rules consistent
// for slide numbers below 1.
#include "browsers/ThumbnailsGeometry_p.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qor {

namespace {

constexpr int kEdge = 10; // left, top and bottom margin of the grid

int roundEven(double v) { return int(std::nearbyint(v)); }

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int clampInt(qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); }

int cols(const TThumbLayout& g) { return std::max(1, g.Cols); }

} // namespace

int ThumbColumns(const TThumbLayout& g)
{
    const int c = g.Pitch();
    return c > 0 ? std::max(1, (g.Width + g.SlideDistance - 2 * kEdge) / c) : 1;
}

int ThumbRows(const TThumbLayout& g)
{
    const int c = g.Pitch();
    const int q = c > 0 ? g.Height / c : 0;
    return q < 0 ? 1 : q + 1;
}

double ThumbScrollPos(const TThumbLayout& g, double x)
{
    // An empty range (Min above Max) pins the position to Min.
    const double lo = g.Min;
    const double hi = std::max(g.Max, g.Min);
    if (std::isnan(x))
        x = lo;
    x = std::clamp(x, lo, hi);
    const qint64 nx = cols(g);
    const qint64 r = floorDiv(qint64(std::floor(x - 1)), nx);
    const double c = double(nx * r + 1);
    return c + (x - c) / double(nx);
}

TPoint ThumbSlidePos(const TThumbLayout& g, int n)
{
    const qint64 c = g.Pitch();
    const qint64 nx = cols(g);
    const double whole = std::floor(g.First);
    const qint64 k = qint64(n) - qint64(whole);
    const qint64 col = k - floorDiv(k, nx) * nx;
    const qint64 row = floorDiv(k, nx);
    const int x0 = clampInt(c * col + kEdge);
    const int y0 = clampInt(c * row + g.SlideDistance - roundEven((g.First - whole) * double(c)) + kEdge);
    return TPoint(x0, y0);
}

int ThumbSlideAt(const TThumbLayout& g, int x, int y)
{
    const int c = g.Pitch();
    if (c <= 0)
        return 0;
    if (x < kEdge || x > g.Width - kEdge || y < kEdge || y > g.Height - kEdge)
        return 0;
    const int a = (x - kEdge) / c;
    if (x < c * a + kEdge || x > c * a + g.Area() + kEdge || a + 1 > cols(g))
        return 0;
    const double whole = std::floor(g.First);
    const int d = roundEven((g.First - whole) * c);
    // Truncating division, as the classic div: a point in the gap above the first row stays
    // in no row instead of falling into the row hidden behind the top margin.
    const int e = (y + d - g.SlideDistance - kEdge) / c;
    const int top = c * e + g.SlideDistance - d + kEdge;
    if (y < top || y > top + g.Area())
        return 0;
    const qint64 n = qint64(whole) + qint64(e) * cols(g) + a;
    if (n < g.Min || n > g.Max)
        return 0;
    return int(n);
}

TRect ThumbImageRect(int left, int top, int slideSize, int iw, int ih)
{
    const int s = slideSize;
    if (iw <= 0 || ih <= 0)
        return TRect(left, top, left, top);
    if (iw < ih) {
        const int f = roundEven(double(iw) * s / ih);
        const int l = left + (s - f) / 2;
        return TRect(l, top, l + f, top + s);
    }
    const int f = roundEven(double(ih) * s / iw);
    const int t = top + (s - f) / 2;
    return TRect(left, t, left + s, t + f);
}

} // namespace qor

// The marker symbols of DrawMarkOnCanvas: 52 shapes that each fit a cell of 11 x 11
// pixels around the given point. Outlined shapes use the pen only; filled shapes use
// the pen for the outline and the brush inside, so callers colour them as they like.
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"

#include <cmath>

namespace qor {

namespace {

constexpr int kBig = 4;   // half size of the full-size symbols (9 x 9 pixels)
constexpr int kSmall = 2; // half size of the small symbols (5 x 5 pixels)

// A line that includes both end points; the canvas leaves the last one out.
void line(TCanvas* c, int x0, int y0, int x1, int y1)
{
    const int sx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int sy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    c->MoveTo(x0, y0);
    if (sx == 0 && sy == 0)
        c->LineTo(x0 + 1, y0);
    else
        c->LineTo(x1 + sx, y1 + sy);
}

// Runs a drawing with a clear brush and restores the caller's brush afterwards.
template <class F>
void outlined(TCanvas* c, F&& draw)
{
    TBrush* b = c->Brush();
    const TBrushStyle style = b->Style();
    const TColor color = b->Color();
    b->SetStyle(bsClear);
    draw();
    b->SetColor(color);
    b->SetStyle(style);
}

void circle(TCanvas* c, int x, int y, int r) { c->Ellipse(x - r, y - r, x + r + 1, y + r + 1); }
void square(TCanvas* c, int x, int y, int r) { c->Rectangle(x - r, y - r, x + r + 1, y + r + 1); }

void triangleUp(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x, y - r), TPoint(x + r, y + r), TPoint(x - r, y + r)});
}
void triangleDown(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x - r, y - r), TPoint(x + r, y - r), TPoint(x, y + r)});
}
void triangleLeft(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x - r, y), TPoint(x + r, y - r), TPoint(x + r, y + r)});
}
void triangleRight(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x - r, y - r), TPoint(x + r, y), TPoint(x - r, y + r)});
}
void diamond(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x, y - r), TPoint(x + r, y), TPoint(x, y + r), TPoint(x - r, y)});
}
void plus(TCanvas* c, int x, int y, int r)
{
    line(c, x - r, y, x + r, y);
    line(c, x, y - r, x, y + r);
}
void cross(TCanvas* c, int x, int y, int r)
{
    line(c, x - r, y - r, x + r, y + r);
    line(c, x - r, y + r, x + r, y - r);
}
void hexagon(TCanvas* c, int x, int y, int r)
{
    const int h = r / 2;
    c->Polygon({TPoint(x - h, y - r), TPoint(x + h, y - r), TPoint(x + r, y), TPoint(x + h, y + r),
                TPoint(x - h, y + r), TPoint(x - r, y)});
}
void pentagon(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x, y - r), TPoint(x + r, y - 1), TPoint(x + r - 2, y + r), TPoint(x - r + 2, y + r),
                TPoint(x - r, y - 1)});
}
void star5(TCanvas* c, int x, int y, int r)
{
    // Ten corners, alternating between the outer and an inner radius.
    QVector<TPoint> pts;
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < 10; ++i) {
        const double a = -pi / 2 + i * pi / 5;
        const double rr = (i % 2 == 0) ? r + 0.5 : r * 0.45;
        pts.append(TPoint(x + int(std::lround(rr * std::cos(a))), y + int(std::lround(rr * std::sin(a)))));
    }
    c->Polygon(pts);
}
void hourglass(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x - r, y - r), TPoint(x + r, y - r), TPoint(x, y), TPoint(x + r, y + r),
                TPoint(x - r, y + r), TPoint(x, y)});
}
void bowtie(TCanvas* c, int x, int y, int r)
{
    c->Polygon({TPoint(x - r, y - r), TPoint(x, y), TPoint(x + r, y - r), TPoint(x + r, y + r),
                TPoint(x, y), TPoint(x - r, y + r)});
}
void pixel(TCanvas* c, int x, int y) { line(c, x, y, x, y); }

} // namespace

void DrawMarkOnCanvas(TCanvas* canvas, Byte mark, int x, int y)
{
    if (!canvas)
        return;
    TCanvas* c = canvas;
    const int R = kBig;
    const int r = kSmall;
    switch (mark) {
    case 0: pixel(c, x, y); break;                                   // point
    case 1: circle(c, x, y, R); break;                               // filled circle
    case 2: square(c, x, y, R); break;                               // filled square
    case 3: triangleUp(c, x, y, R); break;
    case 4: triangleDown(c, x, y, R); break;
    case 5: diamond(c, x, y, R); break;
    case 6: plus(c, x, y, R); break;
    case 7: cross(c, x, y, R); break;
    case 8: plus(c, x, y, R); cross(c, x, y, R - 1); break;          // asterisk
    case 9: outlined(c, [&] { circle(c, x, y, R); }); break;
    case 10: outlined(c, [&] { square(c, x, y, R); }); break;
    case 11: outlined(c, [&] { triangleUp(c, x, y, R); }); break;
    case 12: outlined(c, [&] { triangleDown(c, x, y, R); }); break;
    case 13: outlined(c, [&] { diamond(c, x, y, R); }); break;
    case 14: circle(c, x, y, r); break;                              // small filled shapes
    case 15: square(c, x, y, r); break;
    case 16: triangleUp(c, x, y, r + 1); break;
    case 17: triangleDown(c, x, y, r + 1); break;
    case 18: diamond(c, x, y, r + 1); break;
    case 19: plus(c, x, y, r); break;
    case 20: cross(c, x, y, r); break;
    case 21: plus(c, x, y, r); cross(c, x, y, r - 1); break;
    case 22: triangleLeft(c, x, y, R); break;
    case 23: triangleRight(c, x, y, R); break;
    case 24: outlined(c, [&] { triangleLeft(c, x, y, R); }); break;
    case 25: outlined(c, [&] { triangleRight(c, x, y, R); }); break;
    case 26: hexagon(c, x, y, R); break;
    case 27: outlined(c, [&] { hexagon(c, x, y, R); }); break;
    case 28: pentagon(c, x, y, R); break;
    case 29: outlined(c, [&] { pentagon(c, x, y, R); }); break;
    case 30: star5(c, x, y, R); break;
    case 31: outlined(c, [&] { star5(c, x, y, R); }); break;
    case 32: line(c, x - R, y, x + R, y); break;                      // horizontal bar
    case 33: line(c, x, y - R, x, y + R); break;                      // vertical bar
    case 34: outlined(c, [&] { circle(c, x, y, R); }); plus(c, x, y, R); break;
    case 35: outlined(c, [&] { circle(c, x, y, R); }); cross(c, x, y, R - 1); break;
    case 36: outlined(c, [&] { square(c, x, y, R); }); plus(c, x, y, R); break;
    case 37: outlined(c, [&] { square(c, x, y, R); }); cross(c, x, y, R); break;
    case 38: outlined(c, [&] { circle(c, x, y, R); }); square(c, x, y, 1); break;               // circle with dot
    case 39: outlined(c, [&] { square(c, x, y, R); }); pixel(c, x, y); break;
    case 40: outlined(c, [&] { circle(c, x, y, R + 1); }); circle(c, x, y, r); break;  // target
    case 41: outlined(c, [&] { square(c, x, y, R + 1); }); square(c, x, y, r); break;
    case 42: hourglass(c, x, y, R); break;
    case 43: bowtie(c, x, y, R); break;
    case 44: line(c, x, y - R, x, y + R); line(c, x - 2, y - R + 2, x, y - R); line(c, x + 2, y - R + 2, x, y - R); break;
    case 45: line(c, x, y - R, x, y + R); line(c, x - 2, y + R - 2, x, y + R); line(c, x + 2, y + R - 2, x, y + R); break;
    case 46: line(c, x - R, y, x + R, y); line(c, x - R + 2, y - 2, x - R, y); line(c, x - R + 2, y + 2, x - R, y); break;
    case 47: line(c, x - R, y, x + R, y); line(c, x + R - 2, y - 2, x + R, y); line(c, x + R - 2, y + 2, x + R, y); break;
    case 48: outlined(c, [&] { square(c, x, y, R); }); line(c, x - R, y + R, x + R, y - R); break;
    case 49:                                                         // hash
        line(c, x - R, y - 2, x + R, y - 2); line(c, x - R, y + 2, x + R, y + 2);
        line(c, x - 2, y - R, x - 2, y + R); line(c, x + 2, y - R, x + 2, y + R);
        break;
    case 50:                                                         // three-armed star
        line(c, x, y, x, y - R); line(c, x, y, x - R + 1, y + R - 1); line(c, x, y, x + R - 1, y + R - 1);
        break;
    case 51: outlined(c, [&] { circle(c, x, y, R); }); line(c, x - R, y, x + R, y); break;
    default: break;
    }
}

} // namespace qor

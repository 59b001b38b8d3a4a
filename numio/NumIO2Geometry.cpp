// Layout of the spin field and the mapping between values, pixels and character positions.
#include "numio/QOR_NumIO2.h"
#include "foundation/QOR_SideText.h"

#include <algorithm>
#include <cmath>

namespace qor {

int NumIO2GaugeBand(bool gaugeVisible, int gaugeHeight, int gaugeTopMargin)
{
    return gaugeVisible ? gaugeHeight + gaugeTopMargin + 1 : 0;
}

TNumIO2Layout NumIO2ComputeLayout(const TNumIO2LayoutParams& p)
{
    TNumIO2Layout l;
    l.W = p.Width;
    l.H = p.Height;
    l.G = NumIO2GaugeBand(p.GaugeVisible, p.GaugeHeight, p.GaugeTopMargin);
    l.TH = p.TextHeight;
    l.TY = (l.H - l.G - l.TH) / 2;
    l.S = l.H - l.G - 4;
    l.LS = p.LeftSpace;
    l.TBW = p.TextBoxWidth;
    l.BW = p.ButWidth;
    l.BS = p.ButSpace;
    l.HB = p.ButHeight / 2;
    l.X0 = l.LS + l.TBW + l.BS;
    l.CX = l.X0 + 1 + l.BW / 2;
    l.Q = l.HB / 2;
    l.P3 = p.ButVisible ? l.BW + l.BS : 0;
    l.GL = p.GaugeLeftMargin;
    l.GW = p.GaugeWidth;
    l.GY1 = l.H - p.GaugeHeight - 1;
    l.GY2 = l.H - 1;
    return l;
}

int NumIO2TextX(TAlignment align, int leftSpace, int textBoxWidth, int textWidth)
{
    switch (align) {
    case taLeftJustify: return leftSpace + 4;
    case taRightJustify: return leftSpace + textBoxWidth - textWidth - 2;
    case taCenter: break;
    }
    return leftSpace + (textBoxWidth - textWidth) / 2 + 2;
}

int NumIO2CaretOffset(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int caretWidth)
{
    return NumIO2TextX(align, leftSpace, textBoxWidth, textWidth) - leftSpace + caretWidth - 1;
}

int NumIO2CharPosToX(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int prefixWidth)
{
    return NumIO2TextX(align, leftSpace, textBoxWidth, textWidth) + prefixWidth;
}

int NumIO2XToCharPos(TAlignment align, int leftSpace, int textBoxWidth, int textWidth, int length, int x)
{
    if (length <= 0)
        return 0;
    const int avg = std::max(1, textWidth / length);
    int c = 0;
    switch (align) {
    case taLeftJustify: c = x - leftSpace - 3; break;
    case taRightJustify: c = x + textWidth - leftSpace - textBoxWidth + 3; break;
    case taCenter: c = x - leftSpace - (textBoxWidth - textWidth) / 2 - 1; break;
    }
    c = std::clamp(c, 0, std::max(0, textWidth));
    // The average width truncates, so the rounding can land one past the last
    // boundary; a caret there would stand outside the text.
    return std::min(length, (c + avg / 2) / avg);
}

int NumIO2LeftTextX(TAlignment align, int leftSpace, int textWidth)
{
    return SideTextLeftX(align, leftSpace, textWidth);
}

int NumIO2RightTextX(TAlignment align, int width, int leftSpace, int p3, int textBoxWidth, int textWidth)
{
    return SideTextRightX(align, width, leftSpace + p3 + textBoxWidth, textWidth);
}

int NumIO2NearestPivot(const std::vector<double>& pivots, double v)
{
    int best = -1;
    double bestDist = 0;
    for (int i = 0; i < int(pivots.size()); ++i) {
        const double d = std::fabs(pivots[size_t(i)] - v);
        if (best < 0 || d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return best;
}

double NumIO2GaugeValueAt(int x, int gaugeLeft, int gaugeWidth, double low, double high,
                          const std::vector<double>& pivots)
{
    const int gw = gaugeWidth == 0 ? 1 : gaugeWidth;
    double v = low + double(x - gaugeLeft) / double(gw) * (high - low);
    const int p = NumIO2NearestPivot(pivots, v);
    if (p >= 0)
        v = pivots[size_t(p)];
    if (v > high)
        v = high;
    if (v < low)
        v = low;
    return v;
}

int NumIO2GaugeFill(int gaugeWidth, double value, double low, double high)
{
    double f = 1.0;
    if (high != low)
        f = (value - low) / (high - low);
    if (!(f >= 0.0)) // also catches NaN
        f = 0.0;
    if (f > 1.0)
        f = 1.0;
    // Halves to even, as the library rounds everywhere else (81 px at one half: 40 px).
    return int(std::nearbyint(gaugeWidth * f));
}

double NumIO2SpinStep(double value, bool up, double increment, double low, double high,
                      const std::vector<double>& pivots, int decPlaces)
{
    if (pivots.empty()) {
        double v = up ? value + increment : value - increment;
        if (v > high)
            v = high;
        if (v < low)
            v = low;
        return v;
    }
    const double eps = std::pow(10.0, -decPlaces);
    int l = NumIO2NearestPivot(pivots, value);
    const int last = int(pivots.size()) - 1;
    if (up) {
        if (value >= pivots[size_t(l)] - eps && l != last)
            ++l;
    } else {
        if (l > 0 && value <= pivots[size_t(l)] + eps)
            --l;
    }
    return pivots[size_t(l)];
}

} // namespace qor

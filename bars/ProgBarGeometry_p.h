// Progress bar arithmetic without widgets: rounding, the colour table and its mappings, the bar
// and grid layout for every direction, the value text and its rotated placement.
#pragma once

#include "bars/QOR_ProgBar.h"

#include <vector>

namespace qor::progbar {

/// v rounded to the nearest integer, halves to even; NaN gives 0, huge values saturate.
int Nearest(double v);

/// Each colour byte is Trunc(a + (b - a) * x), x clamped to 0..1.
TColor InterpolateColor(TColor a, TColor b, double x);
/// Entries 1..1022 of a 1024-entry table from `from` (entry 0) to `to` (entry 1023).
void InterpolateBarColors(std::array<TColor, TProgBar::BarColorCount>& table, TColor from, TColor to);
/// Table index of bar line k (0 at the bar's start) for a bar of n lines in an area of total lines.
int BarColorIndex(TColorMapping mode, int k, int n, int total);

/// (Value - Min) / (Max - Min); with Max equal to Min a value at or above it is a full bar.
double BarFraction(double value, double min, double max);

struct TBarLayout {
    TRect Area;     ///< the bar area inside the margins
    int Total = 0;  ///< lines of the area along the direction of growth
    int Length = 0; ///< lines of the bar; never negative, may exceed Total
    TRect Bar;      ///< pixels the bar covers (beyond Area into the margins when over Max)
};

TBarLayout BarLayout(int w, int h, int marginLeft, int marginTop, int marginRight, int marginBottom,
                     TDirection dir, double fraction);
/// The one-pixel line k of the bar, counted from where the bar starts.
TRect BarLine(const TBarLayout& layout, TDirection dir, int k);
/// Lines k of the bar that fall inside a w x h image: first and one past the last.
void VisibleLines(const TBarLayout& layout, TDirection dir, int w, int h, int& first, int& last);
/// Grid line positions (x for left/right, y for up/down) inside 0..limit-1, at every gridDist
/// from the bar's start; none for gridDist below 2.
std::vector<int> GridLines(const TBarLayout& layout, TDirection dir, int gridDist, int limit);

/// The value as text: 0..10 fixed decimals, -1 exponential with a two-digit exponent (all "*"
/// when the exponent needs more), -2 exponential with a four-digit exponent.
QString ValueText(double value, int decPlaces);
/// Top-left reference of a text textWidth wide and textHeight high turned by angleDeg so that
/// (x, y) is the left end, right end or centre of its middle line.
TPoint TextOrigin(TAlignment alignment, int angleDeg, int textWidth, int textHeight, int x, int y);

} // namespace qor::progbar

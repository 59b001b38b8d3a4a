// Gradient fill arithmetic without widgets: the rounding multiply-divide, band rectangles,
// band colours and grid line positions.
#pragma once

#include "bars/QOR_gradfl.h"

#include <vector>

namespace qor::gradfl {

/// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);
/// Band k of n on a w x h area: horizontal stripes top to bottom for the horizontal types,
/// vertical stripes left to right for the vertical ones.
TRect BandRect(TGradType type, int k, int n, int w, int h);
/// Colour of band k of n between two resolved colours.
TColor BandColor(TGradType type, int k, int n, TColor first, TColor last);
/// Positions of the grid lines across one extent: the inner band boundaries of n bands.
std::vector<int> GridPositions(int extent, int n);

} // namespace qor::gradfl

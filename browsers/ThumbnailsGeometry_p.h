// Geometry of the thumbnail strip as plain functions: columns and rows, the scroll rule,
// slide positions, the hit test and the placement of a scaled image.
#pragma once

#include "foundation/QOR_Types.h"

namespace qor {

/// Layout of the strip in pixels: what painting, the hit test and the focus rectangle share.
struct TThumbLayout {
    int SlideSize = 120;    ///< S
    int SlideDistance = 2;  ///< D
    int SlideMargin = 7;    ///< m
    int Width = 260;        ///< W
    int Height = 400;       ///< H
    int Cols = 2;           ///< nx
    double First = 1.0;     ///< F
    int Min = 1;
    int Max = 100;

    /// Cell pitch C = S + D + 2m.
    int Pitch() const { return SlideSize + SlideDistance + 2 * SlideMargin; }
    /// Side of a slide area, S + 2m.
    int Area() const { return SlideSize + 2 * SlideMargin; }
};

/// Columns that fit a width: (W + D - 20) div C, at least 1.
int ThumbColumns(const TThumbLayout& g);
/// Rows to draw: H div C + 1.
int ThumbRows(const TThumbLayout& g);
/// The scroll rule: x clamped into Min..Max, then aligned so that the whole part is the first
/// slide of its row and the fraction tells how far that row is scrolled up.
double ThumbScrollPos(const TThumbLayout& g, double x);
/// Top left corner of slide n's cell (it may lie outside the control).
TPoint ThumbSlidePos(const TThumbLayout& g, int n);
/// Slide under a point, 0 for none (a gap, a margin, or a number outside Min..Max).
int ThumbSlideAt(const TThumbLayout& g, int x, int y);
/// Where an iw x ih image is drawn in the slide area whose top left corner is (left, top):
/// scaled to S on its long side, centred on the short side (right and bottom exclusive).
TRect ThumbImageRect(int left, int top, int slideSize, int iw, int ih);

} // namespace qor

// Grid geometry of the mark selector: where each symbol sits, its cell outlines and the
// symbol nearest to a point. Plain functions, shared by painting, the mouse and the tests.
#pragma once

#include "foundation/QOR_Core.h"

#include <array>

namespace qor {

struct TMarkSelLayout {
    int DH = 0; ///< cell width
    int DV = 0; ///< cell height
    int MH = 0; ///< half the cell width
    int MV = 0; ///< half the cell height
    /// Position of each visible symbol in the order of the grid; meaningless for hidden ones.
    std::array<TPoint, NrOfMarks> Points{};
    /// Visible and given a cell of the grid: drawn and open to the mouse.
    std::array<bool, NrOfMarks> Shown{};
};

/// Lays the visible symbols out row by row in a grid of cols x rows cells on a control of
/// width x height pixels (two pixels of frame on every side). Visible symbols beyond the grid
/// get their points below it and are not shown.
TMarkSelLayout MarkSelLayout(int width, int height, int cols, int rows, const std::array<bool, NrOfMarks>& visible);

/// The shown symbol nearest to (x, y); on equal distance the lower number wins. Symbol 0 is
/// always shown, so there is always a result.
int MarkSelNearest(const TMarkSelLayout& layout, int x, int y);

/// Outline of the cell of a symbol at p (exclusive right and bottom), as the selection draws it.
TRect MarkSelCellRect(const TMarkSelLayout& layout, TPoint p);
/// The highlight: the cell one pixel smaller on every side.
TRect MarkSelHiLiteRect(const TMarkSelLayout& layout, TPoint p);

} // namespace qor

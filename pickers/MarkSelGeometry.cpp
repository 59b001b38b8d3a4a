// Mark selector geometry: the grid of symbols and the nearest-symbol search.
#include "pickers/MarkSel_p.h"

#include <cstdint>

namespace qor {

TMarkSelLayout MarkSelLayout(int width, int height, int cols, int rows, const std::array<bool, NrOfMarks>& visible)
{
    TMarkSelLayout l;
    cols = qMax(1, cols);
    rows = qMax(1, rows);
    l.DH = (width - 4) / cols;
    l.DV = (height - 4) / rows;
    l.MH = l.DH / 2;
    l.MV = l.DV / 2;
    int n = 0;
    for (int i = 0; i < NrOfMarks; ++i) {
        if (i != 0 && !visible[std::size_t(i)])
            continue;
        l.Points[std::size_t(i)] = TPoint(l.MH + l.DH * (n % cols), l.MV + (n / cols) * l.DV);
        l.Shown[std::size_t(i)] = n < cols * rows;
        ++n;
    }
    return l;
}

int MarkSelNearest(const TMarkSelLayout& layout, int x, int y)
{
    int best = 0;
    std::int64_t bestDist = 10'000'000'000LL;
    for (int i = 0; i < NrOfMarks; ++i) {
        if (!layout.Shown[std::size_t(i)])
            continue;
        const std::int64_t dx = x - layout.Points[std::size_t(i)].X;
        const std::int64_t dy = y - layout.Points[std::size_t(i)].Y;
        const std::int64_t d = dx * dx + dy * dy;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

TRect MarkSelCellRect(const TMarkSelLayout& l, TPoint p)
{
    return TRect(p.X - l.DH / 2 + 3, p.Y - l.DV / 2 + 3, p.X + l.DH / 2 + 3, p.Y + l.DV / 2 + 3);
}

TRect MarkSelHiLiteRect(const TMarkSelLayout& l, TPoint p)
{
    return TRect(p.X - l.DH / 2 + 4, p.Y - l.DV / 2 + 4, p.X + l.DH / 2 + 2, p.Y + l.DV / 2 + 2);
}

} // namespace qor

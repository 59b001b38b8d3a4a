// Gradient fill arithmetic: bands, their colours and the grid positions.
#include "bars/GradFillGeometry_p.h"

#include <cstdlib>

namespace qor::gradfl {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 p = qint64(a) * b;
    const qint64 q = c;
    const bool negative = (p < 0) != (q < 0);
    const qint64 ap = std::llabs(p), aq = std::llabs(q);
    const qint64 r = (ap + aq / 2) / aq;
    return int(negative ? -r : r);
}

TRect BandRect(TGradType type, int k, int n, int w, int h)
{
    if (type == gtHoriz || type == gtMidBandHoriz)
        return TRect(0, MulDiv(k, h, n), w, MulDiv(k + 1, h, n));
    return TRect(MulDiv(k, w, n), 0, MulDiv(k + 1, w, n), h);
}

TColor BandColor(TGradType type, int k, int n, TColor first, TColor last)
{
    const bool midBand = type == gtMidBandHoriz || type == gtMidBandVert;
    const int half = n / 2;
    // A ramp of one band, and a middle band with no room to rise (h = 0), show the first colour.
    if (n < 2 || (midBand && half == 0))
        return first & 0xFFFFFF;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c0 = int((first >> shift) & 0xFF);
        const int dc = int((last >> shift) & 0xFF) - c0;
        int c = 0;
        if (!midBand)
            c = c0 + MulDiv(k, dc, n);
        else if (k <= half)
            c = c0 + MulDiv(k, dc, half);
        else
            c = c0 + MulDiv(n - k - 1, dc, half);
        result |= TColor(c & 0xFF) << shift;
    }
    return result;
}

std::vector<int> GridPositions(int extent, int n)
{
    std::vector<int> out;
    for (int k = 1; k < n; ++k)
        out.push_back(MulDiv(k, extent, n));
    return out;
}

} // namespace qor::gradfl

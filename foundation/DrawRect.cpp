// Outline drawing of the core library.
#include "foundation/QOR_DrawRect.h"
#include "foundation/QOR_Graphics.h"

#include <utility>

namespace qor {

void DrawRectangle(TCanvas* canvas, int left, int top, int right, int bottom)
{
    if (!canvas)
        return;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    // LineTo leaves out its end point, so each side stops where the next one starts.
    if (left == right || top == bottom) {
        canvas->MoveTo(left, top);
        canvas->LineTo(right + (top == bottom ? 1 : 0), bottom + (left == right && top != bottom ? 1 : 0));
        return;
    }
    canvas->MoveTo(left, top);
    canvas->LineTo(right, top);
    canvas->LineTo(right, bottom);
    canvas->LineTo(left, bottom);
    canvas->LineTo(left, top);
}

} // namespace qor

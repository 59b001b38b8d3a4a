// A control's canvas reset for a whole-image paint.
#include "foundation/QOR_PaintCanvas.h"

namespace qor {

TCanvas* BeginFullPaint(TCustomControl* control)
{
    TCanvas* c = control->Canvas();
    c->SetPalette(control->Palette());
    c->SetClipRect(TRect());
    c->SetCopyMode(SRCCOPY);
    c->SetStretchMode(COLORONCOLOR);
    c->SetPenPos(TPoint(0, 0));
    c->Pen()->Assign(TPen());
    c->Brush()->Assign(TBrush());
    c->FillRect(control->ClientRect());
    c->Font()->Assign(*control->Font());
    return c;
}

} // namespace qor

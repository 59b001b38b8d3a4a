// Captions beside a box: one rule for every field that has them.
#include "foundation/QOR_SideText.h"

namespace qor {

int SideTextLeftX(TAlignment align, int boxLeft, int textWidth)
{
    switch (align) {
    case taLeftJustify: return 7;
    case taRightJustify: return boxLeft - textWidth - 5;
    case taCenter: break;
    }
    // Integer division truncating toward zero, as the layout is defined with it.
    return (boxLeft - textWidth) / 2;
}

int SideTextRightX(TAlignment align, int width, int boxRight, int textWidth)
{
    switch (align) {
    case taLeftJustify: return boxRight + 7;
    case taRightJustify: return width - textWidth - 6;
    case taCenter: break;
    }
    return (width - (boxRight + textWidth)) / 2 + boxRight + 1;
}

} // namespace qor

// On/off button: glyph quadrants, centring, hit area and caption places.
#include "pickers/OnOffBut_p.h"
#include "pickers/QOR_onoffbut.h"

#include <iterator>

namespace qor {

QString OnOffButResourceName(TOnOffButStyle style)
{
    static const char* const names[] = {
        nullptr,       "CHECKBOX",   "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB",
        "COLSLIDELR",  "LEDREDGREEN", "ARROWTR", "ARROWUD",     "ARROWLR",     "TRAFFICLGT",
        "BEVELEDLED",  "SMILEYS",    "SMILEYRG", "BULB",        "BUTLAMP",     "HDLEFT",
        "HDRIGHT",     "USER1",      "USER2",    "USER3",       "USER4",       "USER5"};
    const unsigned i = unsigned(style);
    if (i >= std::size(names) || !names[i])
        return QString();
    return QString::fromLatin1(names[i]);
}

namespace onoffbut {

TRect Quadrant(int index, int w, int h)
{
    switch (index) {
    case 3: return TRect(0, 0, w, h);
    case 1: return TRect(w, 0, 2 * w, h);
    case 2: return TRect(0, h, w, 2 * h);
    default: return TRect(w, h, 2 * w, 2 * h);
    }
}

TPoint CentredSpace(int width, int height, int gw, int gh)
{
    return TPoint((width - gw) / 2, (height - gh) / 2);
}

bool InsideGlyph(int x, int y, int left, int top, int gw, int gh)
{
    return left < x && x < left + gw && top < y && y < top + gh;
}

TPoint CaptionPos(Side side, TAlignment a, int left, int top, int gw, int gh, int width, int tw, int th)
{
    switch (side) {
    case Side::Left: {
        const int y = top + (gh - th) / 2;
        if (a == taLeftJustify)
            return TPoint(4, y);
        if (a == taRightJustify)
            return TPoint(left - tw - 3, y);
        return TPoint((left - tw) / 2, y);
    }
    case Side::Right: {
        const int y = top + (gh - th) / 2;
        if (a == taLeftJustify)
            return TPoint(left + gw + 4, y);
        if (a == taRightJustify)
            return TPoint(width - tw - 4, y);
        return TPoint((width - left - gw - tw) / 2 + left + gw + 1, y);
    }
    case Side::Top:
    case Side::Bottom: {
        const int y = side == Side::Top ? top - th - 4 : top + gh + 4;
        if (a == taLeftJustify)
            return TPoint(4, y);
        if (a == taRightJustify)
            return TPoint(width - tw - 4, y);
        return TPoint(left + (gw - tw) / 2, y);
    }
    }
    return TPoint();
}

} // namespace onoffbut
} // namespace qor

// TSevenSeg: segment positions, lit segments and the caption-to-slot mapping.
#include "displays/QOR_sevenseg.h"

namespace qor {

TPoint TSevenSegMap::SegmentPos(int index)
{
    static const TPoint pos[12] = {
        {0, 0},                                  // unused
        {94, 0},   {37, 23},  {244, 23}, {57, 197}, // top, upper left, upper right, middle
        {0, 220},  {207, 220}, {20, 394},           // lower left, lower right, bottom
        {269, 394},                                 // decimal point
        {57, 120}, {122, 121}, {150, 0}             // plus, colon, degree
    };
    return (index >= 1 && index <= 11) ? pos[index] : TPoint();
}

std::vector<int> TSevenSegMap::Segments(QChar ch)
{
    switch (ch.toUpper().unicode()) {
    case '0': return {1, 2, 3, 5, 6, 7};
    case '1': return {3, 6};
    case '2': return {1, 3, 4, 5, 7};
    case '3': return {1, 3, 4, 6, 7};
    case '4': return {2, 3, 4, 6};
    case '5': return {1, 2, 4, 6, 7};
    case '6': return {1, 2, 4, 5, 6, 7};
    case '7': return {1, 3, 6};
    case '8': return {1, 2, 3, 4, 5, 6, 7};
    case '9': return {1, 2, 3, 4, 6, 7};
    case '-': return {4};
    case 'A': return {1, 2, 3, 4, 5, 6};
    case 'B': return {2, 4, 5, 6, 7};
    case 'C': return {1, 2, 5, 7};
    case 'D': return {3, 4, 5, 6, 7};
    case 'E': return {1, 2, 4, 5, 7};
    case 'F': return {1, 2, 4, 5};
    default: return {};
    }
}

int TSevenSegMap::CellIndex(QChar ch) { return SevenSegCharList.indexOf(ch.toUpper()); }

static bool isPoint(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(','); }

std::vector<TSevenSegSlot> SevenSegSlots(const QString& caption, int numDigits)
{
    std::vector<TSevenSegSlot> slotList;
    int i = 0;
    const int n = caption.size();
    while (i < n && int(slotList.size()) < numDigits) {
        TSevenSegSlot s;
        if (isPoint(caption.at(i))) {
            s.Dot = true; // a point of its own: blank digit with a point
            ++i;
        } else {
            s.Cell = TSevenSegMap::CellIndex(caption.at(i));
            ++i;
            if (i < n && isPoint(caption.at(i))) {
                s.Dot = true;
                ++i;
            }
        }
        slotList.push_back(s);
    }
    return slotList;
}

int SevenSegCellWidth(int width, int margin, int numDigits, int interDigDist)
{
    if (numDigits < 1)
        return 0;
    return (width - 2 * margin) / numDigits - interDigDist;
}

} // namespace qor

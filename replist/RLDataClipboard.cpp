// TRLData on the clipboard: separated text and fixed-width text.
#include "replist/QOR_replist.h"

#include <algorithm>

namespace qor {

namespace {
// Bounds given by the caller, clamped to the cells that exist, so no bounds can make the
// loops run past the table (or overflow at the int range's end).
struct Block {
    int left, top, right, bottom;
};
Block clampBlock(int left, int top, int right, int bottom, int cols, int rows)
{
    return Block{std::max(left, 0), std::max(top, 1), std::min(right, cols), std::min(bottom, rows)};
}
} // namespace

QString TRLData::ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                               const QString& Separator) const
{
    const Block b = clampBlock(LeftCol, TopRow, RightCol, BottomRow, FNrOfCols, FNrOfRows);
    LeftCol = b.left, TopRow = b.top, RightCol = b.right, BottomRow = b.bottom;
    QString text;
    if (AddHeader) {
        for (int c = LeftCol; c <= RightCol; ++c) {
            if (c > LeftCol)
                text += Separator;
            text += GetColName(c);
        }
        text += QLatin1String("\n\n");
    }
    for (int r = TopRow; r <= BottomRow; ++r) {
        for (int c = LeftCol; c <= RightCol; ++c) {
            if (c > LeftCol)
                text += Separator;
            text += GetElem(c, r);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QString TRLData::FixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader) const
{
    const Block b = clampBlock(LeftCol, TopRow, RightCol, BottomRow, FNrOfCols, FNrOfRows);
    LeftCol = b.left, TopRow = b.top, RightCol = b.right, BottomRow = b.bottom;
    // Compared before subtracting: a right edge near INT_MIN minus a left edge would overflow.
    std::vector<int> width(RightCol >= LeftCol ? std::size_t(RightCol - LeftCol + 1) : 0, 0);
    for (int c = LeftCol; c <= RightCol; ++c) {
        int w = 0;
        const bool inRange = c >= 0 && c <= FNrOfCols;
        for (int r = std::max(TopRow, 1); inRange && r <= std::min(BottomRow, FNrOfRows); ++r)
            w = std::max(w, int(FStrings->GetString(c, r).size()));
        if (AddHeader)
            w = std::max(w, int(GetColName(c).size()));
        width[std::size_t(c - LeftCol)] = w;
    }
    QString text;
    if (AddHeader) {
        for (int c = LeftCol; c <= RightCol; ++c)
            text += LeftString(GetColName(c), width[std::size_t(c - LeftCol)] + 1);
        text += QLatin1String("\n\n");
    }
    for (int r = TopRow; r <= BottomRow; ++r) {
        for (int c = LeftCol; c <= RightCol; ++c)
            text += LeftString(GetElem(c, r), width[std::size_t(c - LeftCol)] + 1);
        text += QLatin1Char('\n');
    }
    return text;
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              const QString& Separator)
{
    Clipboard()->SetAsText(ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator));
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs)
{
    if (UseTabs)
        CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, QStringLiteral("\t"));
    else
        Clipboard()->SetAsText(FixedWidthText(LeftCol, TopRow, RightCol, BottomRow, AddHeader));
}

} // namespace qor

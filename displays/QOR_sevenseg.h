// TSevenSeg: a short text as slanted seven-segment digits, drawn from a cache of
// pre-scaled character cells.
#pragma once

#include "foundation/QOR_Controls.h"

#include <memory>
#include <vector>

namespace qor {

class TSevenSeg;
namespace testing {
int SevenSegCacheBuilds(const TSevenSeg& s);
}

/// The displayable characters; cache cell i holds character i.
inline const QString SevenSegCharList = QStringLiteral("0123456789-+:\u00B0ABCDEF.");
constexpr int SevenSegCharCount = 21;

/// Size of the master digit image the sprites are stamped on.
constexpr int SevenSegMasterWidth = 312;
constexpr int SevenSegMasterHeight = 432;

/// Where the sprites go on the master image, and which segments a character lights.
struct TSevenSegMap {
    /// Top-left corner of segment index 1..11 (1..7 segments, 8 point, 9 plus, 10 colon, 11 degree).
    static TPoint SegmentPos(int index);
    /// The lit segments 1..7 of a character ("0".."9", "-", "A".."F", "a".."f"); empty otherwise.
    static std::vector<int> Segments(QChar ch);
    /// Cell of a character in SevenSegCharList after upper-casing, or -1.
    static int CellIndex(QChar ch);
};

/// One digit slot of a caption: the cache cell to show (-1 for none) and whether it has a point.
struct TSevenSegSlot {
    int Cell = -1;
    bool Dot = false;
    bool operator==(const TSevenSegSlot&) const = default;
};

/// Consumes a caption into at most numDigits slots: a point after a character joins it,
/// a point on its own fills a blank slot with a point.
std::vector<TSevenSegSlot> SevenSegSlots(const QString& caption, int numDigits);

/// Cell width of the cache and of a slot: (width - 2 margin) div digits - distance.
int SevenSegCellWidth(int width, int margin, int numDigits, int interDigDist);

class TSevenSeg : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(quint32 ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(quint32 ColorText READ ColorText WRITE SetColorText)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int InterDigDist READ InterDigDist WRITE SetInterDigDist)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumDigits READ NumDigits WRITE SetNumDigits)

public:
    explicit TSevenSeg(QWidget* owner = nullptr);
    ~TSevenSeg() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    TColor ColorBackGnd() const { return FColorBakG; }
    void SetColorBackGnd(TColor v);
    TColor ColorText() const { return FColorTxt; }
    void SetColorText(TColor v);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    int InterDigDist() const { return FInterDigDist; }
    void SetInterDigDist(int v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int NumDigits() const { return FNumDigits; }
    void SetNumDigits(int v);

    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements v) { FStyleElements = v; }

    TColor ColBlackLine() const { return FLines.Black; }
    TColor ColGrayLine() const { return FLines.Gray; }
    TColor ColWhiteLine() const { return FLines.White; }

    /// Rebuilds the 21-cell cache for the current size, margin, distance, digits and colours.
    /// Each cell is the master digit shrunk by area averaging (every cell pixel the mean of
    /// the master pixels it covers), so strokes stay even from 10 px high upwards; painting
    /// then only copies cells.
    void CreateImageCache();
    /// Gives the six sprites colour C (white becomes 0xFEFEFE).
    void ColorizeSegments(TColor color);
    /// Draws character Ch (with a decimal point when Dot) on the master image.
    void CreateDigit(QChar ch, bool dot);
    /// Stores a new size and rebuilds and repaints when it differs from the stored one.
    void ProcessResize(TObject* sender);

    void Assign(const QObject* source) override;

    void Paint() override;
    void Resize() override;

    /// The master image, the cache and the sprites (read access for inspection).
    const TBitmap* MasterImage() const { return DigImg.get(); }
    const TBitmap* ImageCache() const { return ImgCache.get(); }
private:
    friend int testing::SevenSegCacheBuilds(const TSevenSeg& s);

    void rebuildAndPaint();

    TColor FColorBakG = 0x333333;
    TColor FColorTxt = 0x0000FF;
    std::unique_ptr<TBitmap> DigImg;
    int FNumDigits = 4;
    QString FCaption;
    TFrameStyle FFrameStyle = fsLowered;
    int FMargin = 8;
    int FInterDigDist = 2;
    int FWidth = 0;
    int FHeight = 0;
    std::unique_ptr<TBitmap> SegHorz;
    std::unique_ptr<TBitmap> SegVert;
    std::unique_ptr<TBitmap> SegDot;
    std::unique_ptr<TBitmap> SegPlus;
    std::unique_ptr<TBitmap> SegColon;
    std::unique_ptr<TBitmap> SegDeg;
    std::unique_ptr<TBitmap> ImgCache;
    TLineColors FLines;
    TColorScheme FColorScheme = csFixed;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
    int FCacheBuilds = 0;
    TColor FSpriteColor = 0;
};

} // namespace qor

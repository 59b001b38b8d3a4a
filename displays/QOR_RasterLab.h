// TRasterLab: a dot-matrix label. Every character is drawn as a grid of square dots from a
// bit-mapped character set (the built-in 7 x 12 set or one sampled from any font), and the
// text can scroll through the display, driven by the component timer.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QByteArray>
#include <cstdint>

namespace qor {

/// A bit-mapped character set for codes 0..255 (code page 1252 order; 0x80 is the euro sign).
struct TRDCharMatrix {
    std::int32_t FontWidth = 0;  ///< widest glyph in dot columns
    std::int32_t FontHeight = 0; ///< rows in use, counted from row 0
    Byte LeftMostBit[256] = {};  ///< first dot column of each glyph
    Byte RightMostBit[256] = {}; ///< last dot column of each glyph
    std::uint32_t BitData[256][32] = {}; ///< per code and row: bit j = dot in column j
};
static_assert(sizeof(TRDCharMatrix) == 33288, "the character set record has a fixed layout");

inline namespace rasterlab_enums {
Q_NAMESPACE
enum TRDBlockMode : Byte { rdbmOff = 0, rdbmOn = 1, rdbmRaster = 2 };
Q_ENUM_NS(TRDBlockMode)
enum TRDScrollMode : Byte { rdsmOff = 0, rdsmLeft = 1, rdsmRight = 2, rdsmDown = 3, rdsmUp = 4 };
Q_ENUM_NS(TRDScrollMode)
} // namespace rasterlab_enums

class EQORRasterLabError : public EQORError {
public:
    using EQORError::EQORError;
};

// ---- plain geometry, shared by painting, the auto-size rules and the tests

/// The built-in 7 x 12 character set.
const TRDCharMatrix& BuiltInRasterFont();
/// Code of a character in the character set (code page 1252; characters outside it become '?').
Byte RasterCharCode(QChar c);
/// The character a code stands for (a null character for the codes the code page leaves unused).
QChar RasterCodeChar(Byte code);
/// The codes of a text, one per character.
QByteArray RasterTextCodes(const QString& text);
/// First and last dot column drawn for a code; an empty glyph of a sampled set yields right = left - 1.
void RasterGlyphColumns(const TRDCharMatrix& set, Byte code, bool fixed, int& left, int& right);
/// Pixel advance of one character, including the empty dot column after it.
int RasterCharAdvance(const TRDCharMatrix& set, Byte code, int step, bool proportional);
/// Pixel length of a text: the sum of the character advances.
int RasterTextBitLength(const TRDCharMatrix& set, const QString& text, int dotSize, int dotSpacing, bool proportional);
/// Inner frame width used by the auto-size rules: 0 none, 1 single lines, 2 double lines.
int RasterFrameInset(TFrameStyle style);
/// How far the text and the dot grid move in from PosX and PosY: the 3-D frames are drawn
/// two pixels wide, and a dot at the first position would lose a column and a row under them.
int RasterFrameShift(TFrameStyle style);
/// Height that fits the character set exactly.
int RasterAutoHeight(TFrameStyle style, int step, int fontHeight);
/// PosX that centres a text of the given length.
int RasterAutoCenterX(TFrameStyle style, int width, int textLength);

class TRasterLab : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoHeight READ AutoHeight WRITE SetAutoHeight)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(int DotSize READ DotSize WRITE SetDotSize)
    Q_PROPERTY(int DotSpacing READ DotSpacing WRITE SetDotSpacing)
    Q_PROPERTY(int PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(int PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(int ScrollInterval READ ScrollInterval WRITE SetScrollInterval)
    Q_PROPERTY(int ScrollIncrement READ ScrollIncrement WRITE SetScrollIncrement)
    Q_PROPERTY(bool ScrollLoop READ ScrollLoop WRITE SetScrollLoop)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(qor::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(uint ColorDotOff READ ColorDotOff WRITE SetColorDotOff)
    Q_PROPERTY(uint ColorDotOn READ ColorDotOn WRITE SetColorDotOn)
    Q_PROPERTY(uint ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
    Q_PROPERTY(qor::rasterlab_enums::TRDBlockMode CharBlockMode READ CharBlockMode WRITE SetCharBlockMode)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(qor::rasterlab_enums::TRDScrollMode ScrollMode READ ScrollMode WRITE SetScrollMode)

public:
    explicit TRasterLab(QWidget* owner = nullptr);
    ~TRasterLab() override;

    bool AutoHeight() const { return FAutoHeight; }
    void SetAutoHeight(bool on);
    bool AutoCenter() const { return FAutoCenter; }
    void SetAutoCenter(bool on);
    TRDBlockMode CharBlockMode() const { return FCharBlockMode; }
    void SetCharBlockMode(TRDBlockMode m);
    TColor ColorDotOff() const { return FColorDotOff; }
    void SetColorDotOff(TColor c);
    TColor ColorDotOn() const { return FColorDotOn; }
    void SetColorDotOn(TColor c);
    TColor ColorLabBakG() const { return FColorLabBakG; }
    void SetColorLabBakG(TColor c);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme s);
    int DotSize() const { return FDotSize; }
    void SetDotSize(int v);
    int DotSpacing() const { return FDotSpacing; }
    void SetDotSpacing(int v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    /// Position of the text's first dot. Under a 3-D frame (two pixels wide) the text and the
    /// dot grid are drawn one pixel further right and down, so the first dots stay whole.
    int PosX() const { return FXPos; }
    void SetPosX(int v);
    int PosY() const { return FYPos; }
    void SetPosY(int v);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool on);
    TRDScrollMode ScrollMode() const { return FScrollMode; }
    void SetScrollMode(TRDScrollMode m);
    int ScrollInterval() const { return FScrollIv; }
    void SetScrollInterval(int ms);
    int ScrollIncrement() const { return FScrollInc; }
    void SetScrollIncrement(int px);
    bool ScrollLoop() const { return FScrollLoop; }
    void SetScrollLoop(bool on);
    QString Text() const { return FLabText; }
    void SetText(const QString& t);

    /// Scroll offsets in pixels, applied to the text and the dot grid.
    int ScrollPosX() const { return FScrollPosX; }
    int ScrollPosY() const { return FScrollPosY; }
    /// Pixel length of the text as last painted.
    int TextBitLength() const { return FTextBitLength; }
    /// Whether the scroll timer is meant to run (and runs, outside design mode).
    bool ScrollTimerEnabled() const { return FScrTimerEnabled; }
    TComponentTimer* ScrollTimer() { return FScrTimerHandle; }

    const TRDCharMatrix& CharMatrix() const { return FCMat; }
    void SetCharMatrix(const TRDCharMatrix& m);

    /// The built-in set for no font or a font named "default"; otherwise a set sampled from the font.
    static TRDCharMatrix CreateBitFont(const TFont* font);
    /// Draws one character; returns its width (step times its dot columns).
    static int PaintChar(TCanvas* canvas, const TRDCharMatrix& set, int x, int y, Byte ch, int dotSize,
                         int dotSpacing, TColor colorOn, bool fixed);
    /// Draws a text from (x, y); bitLength receives its pixel length. Unlit dots are the
    /// caller's grid, so colorOff is not drawn here; in rdbmOn the column before each character
    /// block is filled with colorBack over the canvas's full height.
    static void PaintString(TCanvas* canvas, const TRDCharMatrix& set, int x, int y, const QString& text,
                            int dotSize, int dotSpacing, TColor colorOn, TColor colorOff, TColor colorBack,
                            TRDBlockMode blockMode, bool proportional, int& bitLength);
    int CalcTextBitLength(const QString& text) const;
    void AdjustAutoHeight();
    void AdjustAutoCenter();

    void Assign(const QObject* source) override;

    void Paint() override;

    /// Stores the handler and restarts the timer, so the next tick comes a full interval later.
    void SetOnScrollTimer(TNotifyEvent handler);

    TNotifyEvent OnScrollTimer;
    TNotifyEvent OnScrollLoopRestart;

    /// One timer tick: the scroll step, a repaint, then OnScrollTimer.
    virtual void DoTimer();
    virtual void DoScrLoopRestart();

protected:
    void FontChanged() override;

private:
    void restartTimer();
    void reapplyAutoRules();
    int step() const { return FDotSize + FDotSpacing; }

    TRDCharMatrix FCMat;
    TFrameStyle FFrameStyle = fsLowered;
    TRDScrollMode FScrollMode = rdsmOff;
    int FScrollPosX = 0;
    int FScrollPosY = 0;
    bool FScrollLoop = true;
    TComponentTimer* FScrTimerHandle = nullptr;
    bool FScrTimerEnabled = false;
    bool FAutoCenter = false;
    int FTextBitLength = 0;
    int FScrollIv = 100;
    int FScrollInc = 1;
    QString FLabText = QStringLiteral("Text");
    TColor FColorLabBakG = 0x000000;
    TColor FColorDotOn = 0x00FF00;
    TColor FColorDotOff = 0x404040;
    TLineColors FLines;
    bool FAutoHeight = false;
    TRDBlockMode FCharBlockMode = rdbmOn;
    TColorScheme FColorScheme = csFixed;
    bool FProportional = true;
    int FDotSize = 3;
    int FDotSpacing = 1;
    int FXPos = 1;
    int FYPos = 1;
    bool FBuilding = true;
};

} // namespace qor

// TNumLab: a read-only number in a framed box, with optional texts on its left and right.
#pragma once

#include "foundation/QOR_Controls.h"

#include <functional>

namespace qor {

/// How the label turns its value into text.
inline namespace numlab_enums {
Q_NAMESPACE
enum TDisplay : Byte {
    dtFloat = 0,      ///< shorter of fixed and scientific, Precision significant digits
    dtFixP = 1,       ///< fixed point, Precision decimals
    dtExp = 2,        ///< scientific, Precision digits in all, three exponent digits
    dtHex = 3,        ///< rounded integer in hexadecimal, at least Precision digits
    dtZeroInt = 4,    ///< rounded integer with leading zeros to Precision digits
    dtInt = 5,        ///< rounded integer (ties to even)
    dtDateTime = 6,   ///< date/time serial (days since 1899-12-30) through DTFormat
    dtState = 7,      ///< StateText, whatever the value
    dtBin = 8,        ///< rounded integer in binary, at least Precision digits
    dtOct = 9,        ///< rounded integer in octal, at least Precision digits
    dtDeg = 10,       ///< degrees with Precision decimals: 12.50°
    dtDegMin = 11,    ///< degrees and minutes: 12°30.00'
    dtDegMinSec = 12, ///< degrees, minutes and seconds: 12°30'15.00"
    dtEEng = 13,      ///< engineering notation: 12.35E+3 (exponent a multiple of 3)
    dtEEngNoDP = 14   ///< engineering notation without trailing zeros and lone point: 12.35E+3, 12E+3
};
Q_ENUM_NS(TDisplay)
} // namespace numlab_enums

using TBeforeDisplayEvent = std::function<void(TObject* Sender, QString& Text)>;

/// The value text of steps 1 and 2 of a paint (format, then separator and plus sign).
/// Returns false, leaving Text empty, when the value cannot be shown in the format
/// (not a number or out of range for the integer and angle formats).
bool NumLabValueText(double value, TDisplay display, int precision, bool comma, bool forcePlusSign,
                     const QString& dtFormat, const QString& stateText, QString& text);

/// A date/time serial (whole days since 1899-12-30, fraction of a day) through a format
/// of d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz am/pm a/p ampm and
/// quoted literals; "m" right after an hour means minutes. False when out of range.
bool NumLabDateTimeText(double serial, const QString& format, QString& text);

/// Where the label puts its parts; all positions in pixels of the control.
struct TNumLabGeometry {
    static int LeftTextX(TAlignment a, int leftSpace, int tw);
    static int LeftTextShadowX(TAlignment a, int leftSpace, int tw);
    static int RightTextX(TAlignment a, int width, int leftSpace, int labWidth, int tw);
    static int RightTextShadowX(TAlignment a, int width, int leftSpace, int labWidth, int tw);
    static int ValueX(TAlignment a, int leftSpace, int labWidth, int tw);
    /// The value's clip rectangle inside the box.
    static TRect ValueClip(int leftSpace, int labWidth, int height);
    /// 0 over the left text, 1 over the box, 2 over the right text.
    static int AreaCode(int x, int leftSpace, int labWidth);
    /// Text top: (height - text height) div 2, truncated toward zero.
    static int TextY(int height, int textHeight);
};

class TNumLab : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(qor::controls_enums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(quint32 ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
    Q_PROPERTY(quint32 ColorLabText READ ColorLabText WRITE SetColorLabText)
    Q_PROPERTY(quint32 ColorOutBakG READ ColorOutBakG WRITE SetColorOutBakG)
    Q_PROPERTY(quint32 ColorOutText READ ColorOutText WRITE SetColorOutText)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(qor::numlab_enums::TDisplay DisplayType READ DisplayType WRITE SetDisplayType)
    Q_PROPERTY(QString DTFormat READ DTFormat WRITE SetDTFormat)
    Q_PROPERTY(bool Empty READ Empty WRITE SetEmpty)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ForcePlusSign READ ForcePlusSign WRITE SetForcePlusSign)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int LabelWidth READ LabelWidth WRITE SetLabelWidth)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(qor::controls_enums::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(QString OverflowIndicator READ OverflowIndicator WRITE SetOverflowIndicator)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(qor::controls_enums::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(QString StateText READ StateText WRITE SetStateText)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(double Value READ Value WRITE SetValue)

public:
    explicit TNumLab(QWidget* owner = nullptr);
    ~TNumLab() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TColor ColorLabBakG() const { return FColorLabBakG; }
    void SetColorLabBakG(TColor v);
    TColor ColorLabText() const { return FColorLabText; }
    void SetColorLabText(TColor v);
    TColor ColorOutBakG() const { return FColorOutBakG; }
    void SetColorOutBakG(TColor v);
    TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(TColor v);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    bool Comma() const { return FComma; }
    void SetComma(bool v);
    TDisplay DisplayType() const { return FDisplayType; }
    void SetDisplayType(TDisplay v);
    QString DTFormat() const { return FDtFormat; }
    void SetDTFormat(const QString& v);
    bool Empty() const { return FEmpty; }
    void SetEmpty(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool ForcePlusSign() const { return FPlusSign; }
    void SetForcePlusSign(bool v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    int LabelWidth() const { return FLabWidth; }
    void SetLabelWidth(int v);
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int v);
    QString LeftText() const { return FLeftText; }
    void SetLeftText(const QString& v);
    TAlignment LeftTextAlignment() const { return FLTAlignment; }
    void SetLeftTextAlignment(TAlignment v);
    QString OverflowIndicator() const { return FOverFlowIndi; }
    void SetOverflowIndicator(const QString& v);
    int Precision() const { return FDecP; }
    void SetPrecision(int v);
    QString RightText() const { return FRightText; }
    void SetRightText(const QString& v);
    TAlignment RightTextAlignment() const { return FRTAlignment; }
    void SetRightTextAlignment(TAlignment v);
    QString StateText() const { return FStateText; }
    void SetStateText(const QString& v);
    /// A transparent label is see-through: its white background is laid over whatever lies
    /// behind it (the parent's picture, an image) as an AND mask, so that only the texts
    /// and the opaque value box cover it.
    bool Transparent() const { return FTransParent; }
    void SetTransparent(bool v);
    double Value() const { return FLabValue; }
    void SetValue(double v);

    /// Style elements an active visual style may colour (all by default).
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements v);

    /// 0 over the left text, 1 over the box, 2 over the right text; set by mouse moves.
    int MouseAreaCode() const { return FMouseAreaCode; }
    /// Line colours set by ColorScheme.
    TColor ColBlackLine() const { return FLines.Black; }
    TColor ColGrayLine() const { return FLines.Gray; }
    TColor ColWhiteLine() const { return FLines.White; }

    /// The value text drawn by the last paint (after OnBeforeDisplay and overflow).
    QString ShownText() const { return FShownText; }

    void Assign(const QObject* source) override;

    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;

    TBeforeDisplayEvent OnBeforeDisplay;

protected:
    void EnabledChanged() override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool styledClient() const;
    bool styledFont() const;
    void drawSideText(TCanvas* c, const QString& text, bool left, int y, int bmpWidth);
    void keepMasked(TBitmap& bmp);

    int FLeftSpace = 35;
    bool FEmpty = false;
    int FLabWidth = 80;
    int FDecP = 2;
    bool FComma = false;
    bool FPlusSign = false;
    bool FTransParent = false;
    QString FLeftText;
    QString FRightText;
    TFrameStyle FFrameStyle = fsLowered;
    QString FStateText;
    TAlignment FAlignment = taCenter;
    TAlignment FLTAlignment = taRightJustify;
    TAlignment FRTAlignment = taLeftJustify;
    int FMouseAreaCode = 0;
    QString FOverFlowIndi;
    double FLabValue = 0.0;
    bool FEnabled = true;
    TColor FColorLabBakG = clBtnFace;
    TColor FColorLabText = clBlack;
    TColor FColorOutBakG = clBtnFace;
    TColor FColorOutText = clBlack;
    TLineColors FLines;
    TColorScheme FColorScheme = csFixed;
    TDisplay FDisplayType = dtFixP;
    QString FDtFormat;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
    QString FShownText;

    // A transparent label's image: its white background is ANDed with what lies behind,
    // after the value box has been filled with m_boxFill.
    QImage m_masked;
    TColor m_boxFill = 0;
    bool m_inPaintEvent = false;
};

} // namespace qor

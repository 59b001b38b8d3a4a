// TOnOffBut: a two-state switch drawn from a 2 x 2 glyph bitmap, with captions around the
// glyph, an optional frame and transparent background; buttons sharing a group index on one
// parent behave like radio buttons.
#pragma once

#include "foundation/QOR_Controls.h"

#include <array>
#include <memory>

namespace qor {

inline namespace onoffbut_enums {
Q_NAMESPACE

/// The glyph set a button shows; every style but oobsUser has a bitmap resource of its own.
enum TOnOffButStyle : Byte {
    oobsUser = 0,
    oobsCheckbox = 1,
    oobsRadioBut = 2,
    oobsSlideTB = 3,
    oobsSlideLR = 4,
    oobsColSlideTB = 5,
    oobsColSlideLR = 6,
    oobsLedRedGreen = 7,
    oobsArrowTopRgt = 8,
    oobsArrowUpDown = 9,
    oobsArrowLeftRight = 10,
    oobsTrafficLPed = 11,
    oobsBeveledLed = 12,
    oobsSmileyYellow = 13,
    oobsSmileyRedGrn = 14,
    oobsBulb = 15,
    oobsButLamp = 16,
    oobsHDLeft = 17,
    oobsHDRight = 18,
    oobsUser1 = 19,
    oobsUser2 = 20,
    oobsUser3 = 21,
    oobsUser4 = 22,
    oobsUser5 = 23
};
Q_ENUM_NS(TOnOffButStyle)

/// Which presses switch the button: none, only those inside the glyph, or anywhere on it.
enum TOOButMouseAction : Byte { oomaNone = 0, oomaFocused = 1, oomaPlain = 2 };
Q_ENUM_NS(TOOButMouseAction)

/// Toggling on each press, or on only while the mouse button is held.
enum TOOButMode : Byte { oobmNormalBut = 0, oobmSpeedBut = 1 };
Q_ENUM_NS(TOOButMode)

} // namespace onoffbut_enums

/// Identifier of the group announcement a button sends to its siblings when it turns on.
constexpr unsigned CM_BUTTONPRESSED = 0xB018;

/// The colour of glyph pixels that are background (red 235, green 190, blue 235).
constexpr TColor OnOffButKeyColor = 0xEBBEEB;

/// Name of the bitmap resource of a style ("COLSLIDELR"); empty for oobsUser and unknown values.
QString OnOffButResourceName(TOnOffButStyle style);

class TOnOffBut : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AllowAllOff READ AllowAllOff WRITE SetAllowAllOff)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(QString BottomText READ BottomText WRITE SetBottomText)
    Q_PROPERTY(qor::controls_enums::TAlignment BottomTextAlignment READ BottomTextAlignment WRITE SetBottomTextAlignment)
    Q_PROPERTY(qor::onoffbut_enums::TOnOffButStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
    Q_PROPERTY(quint32 ColorBackgnd READ ColorBackgnd WRITE SetColorBackgnd)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(quint32 ColorText READ ColorText WRITE SetColorText)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(qor::controls_enums::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(qor::onoffbut_enums::TOOButMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(qor::onoffbut_enums::TOOButMouseAction MouseAction READ MouseAction WRITE SetMouseAction)
    Q_PROPERTY(bool OnOff READ OnOff WRITE SetOnOff)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(qor::controls_enums::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(int TopSpace READ TopSpace WRITE SetTopSpace)
    Q_PROPERTY(QString TopText READ TopText WRITE SetTopText)
    Q_PROPERTY(qor::controls_enums::TAlignment TopTextAlignment READ TopTextAlignment WRITE SetTopTextAlignment)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TOnOffBut(QWidget* owner = nullptr);
    ~TOnOffBut() override;

    bool AllowAllOff() const { return FAllowAllOff; }
    void SetAllowAllOff(bool v);
    bool AutoCenter() const { return FAutoCenter; }
    void SetAutoCenter(bool v);
    TOnOffButStyle ButtonStyle() const { return FButStyle; }
    /// Loads the style's glyph set; an unknown style raises EQORError and changes nothing.
    void SetButtonStyle(TOnOffButStyle v);
    TColor ColorBackgnd() const { return FColorBakG; }
    void SetColorBackgnd(TColor v);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    TColor ColorText() const { return FColorTxt; }
    void SetColorText(TColor v);
    /// Passed on to the control; the disabled glyphs and engraved captions show while disabled.
    void SetEnabled(bool v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int v);
    int TopSpace() const { return FTopSpace; }
    void SetTopSpace(int v);
    QString LeftText() const { return FLeftText; }
    void SetLeftText(const QString& v);
    QString TopText() const { return FTopText; }
    void SetTopText(const QString& v);
    QString BottomText() const { return FBottomText; }
    void SetBottomText(const QString& v);
    QString RightText() const { return FRightText; }
    void SetRightText(const QString& v);
    TAlignment LeftTextAlignment() const { return FLTAlignment; }
    void SetLeftTextAlignment(TAlignment v);
    TAlignment TopTextAlignment() const { return FTTAlignment; }
    void SetTopTextAlignment(TAlignment v);
    TAlignment BottomTextAlignment() const { return FBTAlignment; }
    void SetBottomTextAlignment(TAlignment v);
    TAlignment RightTextAlignment() const { return FRTAlignment; }
    void SetRightTextAlignment(TAlignment v);
    TOOButMode Mode() const { return FMode; }
    void SetMode(TOOButMode v);
    TOOButMouseAction MouseAction() const { return FMouseAction; }
    void SetMouseAction(TOOButMouseAction v) { FMouseAction = v; }
    bool OnOff() const { return FOnOff; }
    void SetOnOff(bool v);
    bool Transparent() const { return FTransParent; }
    void SetTransparent(bool v);

    /// Style elements an active visual style may colour (kept for forms that set them).
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements v) { FStyleElements = v; }

    /// Size of one glyph of the current style.
    int GlyphWidth() const { return FGlyphWidth; }
    int GlyphHeight() const { return FGlyphHeight; }
    /// The glyph in use for a state: index 2 * OnOff + Enabled (0 off-disabled .. 3 on-enabled).
    const TBitmap* ButtonImage(int index) const;
    /// The user style's glyph of a state, same indexing.
    const TBitmap* UserImage(int index) const;
    /// The transparency mask the last paint built (white shows what lies behind).
    const TBitmap* Mask() const { return FMask.get(); }
    /// Line colours set by ColorScheme (the frame itself is drawn in fixed colours).
    TColor ColGrayLine() const { return FColGrayLine; }
    TColor ColWhiteLine() const { return FColWhiteLine; }

    /// Supplies the glyphs of oobsUser from a 2 x 2 bitmap laid out as the glyph sets are
    /// (top: on, off; bottom: on disabled, off disabled). A bitmap smaller than 2 x 2 raises
    /// EQORError and keeps the glyphs in use.
    void SetUserGlyph(const TBitmap* img);
    /// The same from an image file; a file that cannot be read raises EQORError.
    void LoadUserGlyph(const QString& fileName);

    void Assign(const QObject* source) override;
    void AssignTo(QObject* dest) const override;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    /// Does nothing: the button fires OnClick itself from MouseUp, after its own tests.
    void Click() override;


protected:
    /// Divides a 2 x 2 glyph bitmap into the four glyphs in use and takes their size.
    void ExtractGlyphs(const TBitmap& bitmap);
    /// Fills the glyphs in use for the current style.
    void LoadGlyphs();
    /// Centres the glyph area in the control.
    void AdjustAutoCenter();
    /// Tells the other buttons of the group on the same parent that this one is on.
    void UpdateExclusive();
    /// Receives a sibling's announcement (CM_BUTTONPRESSED with the group index and the sender).
    void ButtonPressed(int groupIndex, TOnOffBut* sender);
    /// The resize handler the constructor puts into OnResize.
    void ProcessResize(TObject* sender);

    void moveEvent(QMoveEvent* e) override;

private:
    /// True when (x, y) lies where a press counts under the current MouseAction.
    bool pressCounts(TMouseButton button, int x, int y) const;
    /// What lies behind the control, for the transparent look.
    QImage backdrop() const;
    void drawDefaultUserGlyphs();

    bool FOnOff = true;
    std::array<std::unique_ptr<TBitmap>, 4> FButImg;
    std::array<std::unique_ptr<TBitmap>, 4> FUserImg;
    std::unique_ptr<TBitmap> FMask;
    int FGlyphWidth = 0;
    int FGlyphHeight = 0;
    TOnOffButStyle FButStyle = oobsColSlideLR;
    TOOButMode FMode = oobmNormalBut;
    TOOButMouseAction FMouseAction = oomaFocused;
    int FGroupIndex = 0;
    bool FAllowAllOff = true;
    bool FAutoCenter = true;
    bool FTransParent = false;
    bool FEnabled = true;
    TFrameStyle FFrameStyle = fsLowered;
    TColor FColorBakG = clBtnFace;
    TColor FColorTxt = clBlack;
    TColorScheme FColorScheme = csFixed;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    int FLeftSpace = 35;
    int FTopSpace = 18;
    QString FLeftText;
    QString FTopText;
    QString FBottomText;
    QString FRightText;
    TAlignment FLTAlignment = taRightJustify;
    TAlignment FTTAlignment = taCenter;
    TAlignment FBTAlignment = taCenter;
    TAlignment FRTAlignment = taLeftJustify;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
};

} // namespace qor

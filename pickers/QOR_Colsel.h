// TColSel: a drop-down list of colours. Every entry shows a colour bar and the colour's name;
// up to 47 entries, filled from four palettes of the colour table or set one by one, and
// entries the user may redefine through the colour dialog by opening the list from the bar.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QComboBox>
#include <array>

namespace qor {

/// The colour table the palettes draw on. Position p (1-based) is element p - 1:
/// 1..16 the basic 16-colour palette, 17..20 four further colours, 21..47 system colours.
inline constexpr std::array<TColor, 47> PredefinedColors = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
    clMoneyGreen, clSkyBlue, clCream, clMedGray,
    clScrollBar, clBackground, clActiveCaption, clInactiveCaption, clMenu, clWindow, clWindowFrame,
    clMenuText, clWindowText, clCaptionText, clActiveBorder, clInactiveBorder, clAppWorkSpace,
    clHighlight, clHighlightText, clBtnFace, clBtnShadow, clGrayText, clBtnText, clInactiveCaptionText,
    clBtnHighlight, cl3DDkShadow, cl3DLight, clInfoText, clInfoBk, clHotLight, clMenuHighlight,
};

/// The name of a colour: its constant's name where it has one ("clBlack", "clBtnFace"),
/// otherwise "$" and eight upper-case hexadecimal digits ("$00123456").
QString ColorToString(TColor c);

using TOnColorNameChangeEvent = std::function<void(TObject* Sender, QString& ColorName)>;

class TColSel : public QComboBox, public TComponentFlags {
    Q_OBJECT
    Q_PROPERTY(int NumColors READ NumColors WRITE SetNumColors)
    Q_PROPERTY(uint SelColor READ SelColor WRITE SetSelColor)
    Q_PROPERTY(int ColorBarWidth READ ColorBarWidth WRITE SetColorBarWidth)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)

public:
    static constexpr int MaxColors = 47;

    explicit TColSel(QWidget* owner = nullptr);
    ~TColSel() override;

    QString Name() const { return objectName(); }
    void SetName(const QString& n) { setObjectName(n); }
    QObject* Owner() const { return parent(); }

    /// How many entries the list shows; values outside 1..47 are ignored. Selects entry 1.
    int NumColors() const { return FNumColors; }
    void SetNumColors(int n);
    /// The colour of the selected entry. Writing selects the first entry of the same RGB value;
    /// a colour not in the list redefines the selected entry.
    TColor SelColor() const { return FColors[std::size_t(FSelColorIx - 1)]; }
    void SetSelColor(TColor c);
    /// Width of the colour bar in pixels; negative values are ignored.
    int ColorBarWidth() const { return FColorBarWidth; }
    void SetColorBarWidth(int w);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on);
    /// Background of the names.
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int n) { setMaxVisibleItems(n); }
    /// The font of the names; follows setFont and the parent's font.
    TFont* Font() { return &FFont; }
    /// Kept for the visual styles of the platform; the classic look ignores it.
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements e) { FStyleElements = e; }

    /// The name of the selected entry; empty when no item is selected.
    QString SelColorID() const;
    /// The selected entry, 1-based.
    int SelColorIx() const { return FSelColorIx; }
    /// Entry i (1..NumColors); 0 outside. Writing generates the entry's name anew.
    TColor Colors(int i) const;
    void SetColors(int i, TColor c);
    /// Name of entry i (1..NumColors); empty outside. Writing shows the new name at once.
    QString ColorNames(int i) const;
    void SetColorNames(int i, const QString& name);
    /// Whether the user may redefine entry i (1..NumColors); false outside.
    bool ColorEditAllowed(int i) const;
    void SetColorEditAllowed(int i, bool on);
    void SetAllColorEditFlags();
    void ResetAllColorEditFlags();

    /// 16 entries from table positions 1..16.
    void LoadBasicVGAPalette();
    /// 20 entries from table positions 1..20.
    void LoadExtendedPalette();
    /// 47 entries from table positions 1..47.
    void LoadStandardPalette();
    /// 27 entries from table positions 21..47, the system colours.
    void LoadWindowsSystemPalette();

    /// Height of one entry in pixels.
    int ItemHeight() const;
    /// Draws item index (0-based; entry index + 1) into rect of the canvas: colour bar, edit
    /// mark and name. The canvas's brush and font colours are restored afterwards.
    virtual void DrawItem(TCanvas* canvas, int index, TRect rect);

    /// Opening the list from the colour bar first lets the user redefine an editable entry.
    void showPopup() override;
    QSize sizeHint() const override;

    TOnColorNameChangeEvent OnColorNameChange;
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    /// The user picked an item: the selection follows, then OnClick.
    virtual void Click();
    /// After a pick by the user: OnChange.
    virtual void Change();
    /// The list opens: the colour dialog for an editable entry when opened from the bar, then OnDropDown.
    virtual void DropDown();
    virtual void MouseMove(TShiftState shift, int x, int y);
    void Loaded() override;

    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    friend class TColSelDelegate;
    void rebuild();
    void refresh();
    /// Fires OnColorNameChange on a generated name and stores what the handler leaves.
    void storeGeneratedName(int i, QString name);
    void loadPalette(int count, int firstPosition);
    /// One item as the user sees it: the control's background, the item, and the focus rectangle.
    QImage renderItem(int index, QSize size, bool focused);

    std::array<TColor, MaxColors> FColors{};
    std::array<QString, MaxColors> FColorNames;
    std::array<bool, MaxColors> FIsUserEditable{};
    int FNumColors = 20;
    int FSelColorIx = 1;
    int FColorBarWidth = 30;
    int FMouseAreaCode = 0;
    TColor FColor = clWindow;
    TFont FFont;
    bool m_syncingFont = false;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
};

} // namespace qor

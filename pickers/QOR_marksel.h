// TMarkSel: a picker for the 52 marker symbols of DrawMarkOnCanvas, laid out in a grid. The
// symbol nearest to the mouse is highlighted, the selected one sits in a cell of its own
// colours, and a click selects the nearest symbol and reports it.
#pragma once

#include "foundation/QOR_Controls.h"

#include <array>

namespace qor {

struct TMarkSelLayout;

using TMarkClickEvent = std::function<void(TObject* Sender, int X, int Y, int Mark)>;

class TMarkSel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
    Q_PROPERTY(int Selected READ Selected WRITE SetSelected)
    Q_PROPERTY(bool ShowZeroAsCross READ ShowZeroAsCross WRITE SetShowZeroAsCross)
    Q_PROPERTY(uint ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(uint ColorMarks READ ColorMarks WRITE SetColorMarks)
    Q_PROPERTY(uint ColorSelFG READ ColorSelFG WRITE SetColorSelFG)
    Q_PROPERTY(uint ColorSelBG READ ColorSelBG WRITE SetColorSelBG)
    Q_PROPERTY(uint ColorHiLiteBG READ ColorHiLiteBG WRITE SetColorHiLiteBG)
    Q_PROPERTY(uint ColorHiLiteSymbol READ ColorHiLiteSymbol WRITE SetColorHiLiteSymbol)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    static constexpr int DefaultWidth = 236;
    static constexpr int DefaultHeight = 178;

    explicit TMarkSel(QWidget* owner = nullptr);

    int NrOfColumns() const { return FNrCols; }
    /// Accepted in 1..51.
    void SetNrOfColumns(int n);
    int NrOfRows() const { return FNrRows; }
    /// Accepted in 1..51.
    void SetNrOfRows(int n);
    /// The selected symbol, -1 for none; accepted in -1..51.
    int Selected() const { return FSelected; }
    void SetSelected(int mark);
    bool ShowZeroAsCross() const { return FZeroAsCross; }
    void SetShowZeroAsCross(bool on);
    TColor ColorBackGnd() const { return FColorBG; }
    void SetColorBackGnd(TColor c);
    /// Pen of the symbols and line colour of the frame.
    TColor ColorMarks() const { return FColorFG; }
    void SetColorMarks(TColor c);
    /// Pen of the selected symbol and its cell outline.
    TColor ColorSelFG() const { return FColorSelFG; }
    void SetColorSelFG(TColor c);
    /// Fill of the selected cell.
    TColor ColorSelBG() const { return FColorSelBG; }
    void SetColorSelBG(TColor c);
    /// Fill of the highlighted cell.
    TColor ColorHiLiteBG() const { return FColorHiLite; }
    void SetColorHiLiteBG(TColor c);
    /// Pen of the highlighted symbol.
    TColor ColorHiLiteSymbol() const { return FColorHiSymb; }
    void SetColorHiLiteSymbol(TColor c);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    /// Kept for the visual styles of the platform; the classic look ignores it.
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements e) { FStyleElements = e; }

    /// Whether a symbol takes part; symbol 0 always does, and an index outside 0..51 reads it.
    bool MarkVisible(int ix) const;
    /// Only symbols 1..51 can be hidden; other indexes are ignored.
    void SetMarkVisible(int ix, bool on);
    void ShowAllMarks();
    void HideAllMarks();

    /// Where symbol ix sits in the grid as the control is now laid out.
    TPoint MarkCoords(int ix) const;
    /// The shown symbol nearest to (x, y), as a click there selects it.
    int MarkAt(int x, int y) const;
    /// The highlighted symbol (-1 while the mouse is not over the control).
    int HiLited() const { return FLastHiLite; }

    void Assign(const QObject* source) override;
    void Paint() override;

    TMarkClickEvent OnMarkClick;
    TMarkClickEvent OnMarkDblClick;
    TNotifyEvent OnPaint;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void EnabledChanged() override;

private:
    TMarkSelLayout layout() const;
    void drawSymbol(TCanvas* c, const TMarkSelLayout& l, int mark) const;
    void restoreCell(TCanvas* c, const TMarkSelLayout& l, int mark) const;
    void hiLiteCell(TCanvas* c, const TMarkSelLayout& l, int mark) const;
    void moveHiLite(int mark);
    void pick(int x, int y, const TMarkClickEvent& event);

    std::array<bool, NrOfMarks> FMarkVis{};
    int FNrCols = 8;
    int FNrRows = 6;
    int FSelected = -1;
    int FLastHiLite = -1;
    TColor FColorBG = clBtnFace;
    TColor FColorFG = 0x000000;
    TColor FColorSelFG = 0x800000;
    TColor FColorSelBG = 0xFFFFFF;
    TColor FColorHiLite = 0x0000FF;
    TColor FColorHiSymb = 0xFFFFFF;
    TFrameStyle FFrameStyle = fsGroove;
    bool FZeroAsCross = true;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
};

} // namespace qor

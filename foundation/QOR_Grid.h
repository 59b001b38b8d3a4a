// The grid base shared by the grid components (report list, table editor, month calendar):
// rows and columns of cells with fixed leading rows and columns that stay put while the rest
// scrolls, a selection, keyboard and wheel navigation, column sizing and an in-place editor.
// Cells are drawn by the derived class in DrawCell; painting visits only the visible cells.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <vector>

namespace qor {

struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TGridCoord&) const = default;
};

/// A block of cells in grid coordinates, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    constexpr bool operator==(const TGridRect&) const = default;
};

constexpr TGridRect GridRect(int l, int t, int r, int b) { return TGridRect{l, t, r, b}; }

inline namespace grid_enums {
Q_NAMESPACE
enum TGridDrawStateItem : Byte { gdSelected, gdFocused, gdFixed };
Q_ENUM_NS(TGridDrawStateItem)
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridOption : Byte {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
Q_ENUM_NS(TGridOption)
using TGridOptions = TSet<TGridOption>;

enum TEditStyle : Byte { esSimple, esEllipsis, esPickList };
Q_ENUM_NS(TEditStyle)
enum TScrollStyle : Byte { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)
enum TBorderStyle : Byte { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)
} // namespace grid_enums

/// One axis of a grid (the columns or the rows): sizes, the line between cells, the fixed
/// leading cells and the first scrollable cell shown. Every query walks only the cells that
/// fit into the view, so its cost does not depend on the number of cells.
struct TGridAxis {
    std::vector<int> Sizes;
    int LineWidth = 1;
    int Fixed = 0;
    int First = 0; ///< first scrollable cell shown (>= Fixed)

    int Count() const { return int(Sizes.size()); }
    int Size(int i) const { return (i >= 0 && i < Count()) ? Sizes[size_t(i)] : 0; }
    /// Extent of the fixed cells, lines included.
    int FixedExtent() const;
    /// Start of cell i in the view; false when it is scrolled out or beyond viewLen.
    bool CellStart(int i, int viewLen, int& start) const;
    /// The cell under pos (its trailing line included), -1 outside the cells.
    int IndexAt(int pos, int viewLen) const;
    /// The largest First that still fills the view (at least Fixed).
    int MaxFirst(int viewLen) const;
    /// Scrollable cells shown whole from First.
    int VisibleCount(int viewLen) const;
    /// Where the drawn cells end (last visible line included), at most viewLen.
    int GridExtent(int viewLen) const;
    /// Index of the last cell at least partly visible.
    int LastVisible(int viewLen) const;
};

class TCustomGrid;

/// The simple in-place editor: a line edit laid over the current cell.
class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    TCustomGrid* Grid() const { return m_grid; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    TCustomGrid* m_grid;
};

using TOnGetPickListItems = std::function<void(int ACol, int ARow, QStringList& Items)>;

/// The pick-list in-place editor: an editable combo box whose list the grid supplies.
class TInplaceEditList : public QComboBox {
    Q_OBJECT
public:
    explicit TInplaceEditList(TCustomGrid* grid);
    TCustomGrid* Grid() const { return m_grid; }
    int DropDownRows() const { return maxVisibleItems(); }
    void SetDropDownRows(int n) { setMaxVisibleItems(n < 1 ? 1 : n); }
    QStringList PickList() const;
    void SetPickList(const QStringList& items);
    TOnGetPickListItems OnGetPickListitems;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    TCustomGrid* m_grid;
};

extern template class TControlBase<QAbstractScrollArea>;

/// The grid base. Coordinates are grid coordinates (fixed cells included, 0-based).
class TCustomGrid : public TControlBase<QAbstractScrollArea> {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)

public:
    explicit TCustomGrid(QWidget* owner = nullptr);
    ~TCustomGrid() override;

    // --- dimensions -------------------------------------------------------------------
    int ColCount() const { return m_cols.Count(); }
    void SetColCount(int n);
    int RowCount() const { return m_rows.Count(); }
    void SetRowCount(int n);
    int FixedCols() const { return m_cols.Fixed; }
    void SetFixedCols(int n);
    int FixedRows() const { return m_rows.Fixed; }
    void SetFixedRows(int n);
    // Grid members count grid columns and rows from 0, fixed ones included; a derived
    // control keeps ColWidths, LeftCol and TopRow free for its own (data-relative) meaning.
    int GridColWidths(int i) const { return m_cols.Size(i); }
    void SetGridColWidths(int i, int w);
    int RowHeights(int i) const { return m_rows.Size(i); }
    void SetRowHeights(int i, int h);
    int DefaultColWidth() const { return m_defColWidth; }
    /// Also resets every column to the new width.
    virtual void SetDefaultColWidth(int w);
    int DefaultRowHeight() const { return m_defRowHeight; }
    /// Also resets every row to the new height.
    virtual void SetDefaultRowHeight(int h);
    int GridLineWidth() const { return m_cols.LineWidth; }
    void SetGridLineWidth(int w);
    const TGridAxis& ColAxis() const { return m_cols; }
    const TGridAxis& RowAxis() const { return m_rows; }

    // --- scrolling --------------------------------------------------------------------
    int GridLeftCol() const { return m_cols.First; }
    void SetGridLeftCol(int c);
    int GridTopRow() const { return m_rows.First; }
    void SetGridTopRow(int r);
    int VisibleColCount() const;
    int VisibleRowCount() const;
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle s);

    // --- current cell and selection ------------------------------------------------------
    int Col() const { return m_cur.X; }
    void SetCol(int c);
    int Row() const { return m_cur.Y; }
    void SetRow(int r);
    TGridRect Selection() const;
    /// Sets anchor and current cell as given, without range checks (a selection outside
    /// the cells hides it).
    void SetSelection(const TGridRect& r);
    /// Moves the current cell; MoveAnchor also moves the anchor, Show scrolls it into view.
    /// Cells outside the scrollable range and cells SelectCell refuses are ignored.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions o);
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool on);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle b);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool on) { m_ctl3D = on; Invalidate(); }
    bool DoubleBuffered() const { return true; }
    void SetDoubleBuffered(bool) {}
    TColor FixedColor() const { return m_fixedColor; }
    virtual void SetFixedColor(TColor c);

    // --- geometry -------------------------------------------------------------------
    /// The cell's rectangle in the view (its lines excluded); empty when not shown.
    TRect CellRect(int ACol, int ARow) const;
    /// The cell under a point of the view; (-1, -1) outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    /// Extent of the drawn cells in the view, at most the view's size.
    int GetGridWidth() const;
    int GetGridHeight() const;

    // --- drawing ------------------------------------------------------------------
    TCanvas* Canvas();
    virtual void Paint();
    void Invalidate();
    void InvalidateGrid() { Invalidate(); }
    void InvalidateCell(int, int) { Invalidate(); }
    void Repaint();
    void Refresh() { Repaint(); }

    // --- editing ------------------------------------------------------------------
    bool EditorMode() const { return m_editorMode; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    /// The editor widget (a TInplaceEdit or a TInplaceEditList), nullptr before the first edit.
    QWidget* InplaceEditor() const { return m_editor; }
    QString InplaceEditText() const;
    void SetInplaceEditText(const QString& t);
    virtual QString GetEditText(int ACol, int ARow);
    /// Called for every change of the editor's text.
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual TEditStyle GetEditStyle(int ACol, int ARow);

    // --- control ------------------------------------------------------------------
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetWidth(int v) { SetBounds(x(), y(), v, height()); }
    void SetHeight(int v) { SetBounds(x(), y(), width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    virtual bool Enabled() const { return isEnabled(); }
    virtual void SetEnabled(bool on);
    bool Visible() const { return isVisible() || !isHidden(); }
    void SetVisible(bool on) { setVisible(on); }
    bool Focused() const;
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    const QPalette* Palette() const { return &palette(); }
    TColor ResolveColor(TColor c) const { return ColorToRGB(c, &palette()); }
    virtual void Assign(const QObject* source);


    // The handlers fire the matching On... event; overrides call the base to keep it.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    /// Arrows, Home/End, PgUp/PgDn, Tab (goTabs), F2 and Enter (editing) move or edit.
    void KeyDown(Word& key, TShiftState shift) override;
    /// A printable character starts the editor (goEditing); Escape cancels it.
    void KeyPress(QChar& key) override;
    void DoEnter() override;
    void DoExit() override;
    /// Moves the current row one down (up); true when handled.
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void FontChanged() override;
    virtual void ColorChanged();
    virtual void EnabledChanged();

protected:
    /// Draws one cell; State tells fixed, selected and focused.
    virtual void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state);
    /// Whether the cell may become current; the base allows every cell.
    virtual bool SelectCell(int ACol, int ARow);
    /// After every change of LeftCol or TopRow.
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    /// Dragging a column border ends here for every move; the base sets the grid column's
    /// width. A derived control routes it through its own column-width setter and events.
    virtual void ColumnSizedByUser(int ACol, int Width);
    virtual void RowHeightsChanged();
    /// The editor for a style; the base makes a TInplaceEdit or a TInplaceEditList.
    virtual QWidget* CreateEditor(TEditStyle style);
    virtual bool CanEditShow() const;
    /// Gives the pick list of a cell; the base leaves it empty.
    virtual void GetPickListItems(int ACol, int ARow, QStringList& items);
    /// Keeps the current cell in view.
    void ClampInView(int ACol, int ARow);

    bool viewportEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* e) override;
    /// Tab and Shift+Tab move between the cells with goTabs.
    bool WantTabs() const override { return m_options.Contains(goTabs); }

private:
    friend class TInplaceEdit;
    friend class TInplaceEditList;
    void updateScrollBars();
    void drawLines();
    void placeEditor();
    void editorTextEdited(const QString& text);
    void editorKey(QKeyEvent* e);
    int sizingBorderAt(int x, int y) const;
    void moveBy(int dCol, int dRow, bool extend);
    void setTopLeft(int col, int row);

    TGridAxis m_cols;
    TGridAxis m_rows;
    int m_defColWidth = 64;
    int m_defRowHeight = 24;
    TGridCoord m_cur{1, 1};
    TGridCoord m_anchor{1, 1};
    TGridOptions m_options;
    TScrollStyle m_scrollBars = ssBoth;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_defaultDrawing = true;
    bool m_ctl3D = true;
    TColor m_color = clWindow;
    TColor m_fixedColor = clBtnFace;
    TBackingStore m_store;
    bool m_updatingBars = false;

    QWidget* m_editor = nullptr;
    TEditStyle m_editorStyle = esSimple;
    bool m_editorMode = false;
    bool m_settingEditorText = false;
    QString m_editOriginal;

    int m_sizingCol = -1;      ///< column being sized by dragging its right border
    int m_sizingOffset = 0;
    bool m_selecting = false;
    TGridCoord m_downCell{-1, -1};
    bool m_downOnCurrent = false;
};

/// The grid whose cells the owner draws through OnDrawCell, with the grid's events.
class TCustomDrawGrid : public TCustomGrid {
    Q_OBJECT
public:
    explicit TCustomDrawGrid(QWidget* owner = nullptr);

    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;
    TNotifyEvent OnTopLeftChanged;

    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

protected:
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
};

/// A ready-to-use draw grid.
class TDrawGrid : public TCustomDrawGrid {
    Q_OBJECT
public:
    explicit TDrawGrid(QWidget* owner = nullptr) : TCustomDrawGrid(owner) {}
};

} // namespace qor

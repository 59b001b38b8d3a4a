// The numeric table editor: a grid over a TDataTable that shows and edits a table of
// doubles with a state byte per cell (invalid, empty, marks A and B), names and attribute
// bytes of rows and columns, a comment and nominal scales.
//
// Grid geometry: grid column 0 holds the row names, grid row 0 the column names; while the
// row attributes are shown grid column 1 is the row-attribute column (ColOffset 1), while
// the column attributes are shown grid row 1 is the column-attribute row (RowOffset 1).
// Data column c is grid column c + ColOffset, data row r grid row r + RowOffset.
#pragma once

#include "foundation/QOR_DataTable.h"
#include "foundation/QOR_Grid.h"

#include <QMetaObject>
#include <QPointer>
#include <memory>
#include <vector>

class QMenu;
class QAction;
class QContextMenuEvent;

namespace qor {

struct NTabEdUi;
struct NTabEdUiDeleter {
    void operator()(NTabEdUi* ui) const;
};

class EQORNTabedError : public EQORError {
public:
    using EQORError::EQORError;
};

using TPopupMenu = QMenu;
/// Lets the application change a data cell's text, colours and font style just before it is drawn.
using TBeforeRenderCellEvent = std::function<void(TObject* Sender, int colix, int rowix, QString& Text,
                                                  TColor& ColorText, TColor& ColorBakg, TFontStyles& FontStyles)>;
using TBeforePopupEvent = std::function<void(TObject* Sender, TPopupMenu* PMenu)>;

class TNTabEd : public TCustomGrid {
    Q_OBJECT
    Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
    Q_PROPERTY(qor::core_enums::TOrientation AutoAdvanceDir READ AutoAdvanceDir WRITE SetAutoAdvanceDir)
    Q_PROPERTY(bool AttribRowVisible READ AttribRowVisible WRITE SetAttribRowVisible)
    Q_PROPERTY(bool AttribColVisible READ AttribColVisible WRITE SetAttribColVisible)
    Q_PROPERTY(bool BlockInternalPopup READ BlockInternalPopup WRITE SetBlockInternalPopup)
    Q_PROPERTY(bool CommentEditingAllowed READ CommentEditingAllowed WRITE SetCommentEditingAllowed)
    Q_PROPERTY(QString Comment READ Comment WRITE SetComment)
    Q_PROPERTY(quint32 ColorBackground READ ColorBackground WRITE SetColorBackground)
    Q_PROPERTY(quint32 ColorFixed READ ColorFixed WRITE SetColorFixed)
    Q_PROPERTY(quint32 ColorNormal READ ColorNormal WRITE SetColorNormal)
    Q_PROPERTY(quint32 ColorSelected READ ColorSelected WRITE SetColorSelected)
    Q_PROPERTY(quint32 ColorMarkedA READ ColorMarkedA WRITE SetColorMarkedA)
    Q_PROPERTY(quint32 ColorMarkedB READ ColorMarkedB WRITE SetColorMarkedB)
    Q_PROPERTY(quint32 ColorMarkedBoth READ ColorMarkedBoth WRITE SetColorMarkedBoth)
    Q_PROPERTY(quint32 ColorRangeSelFG READ ColorRangeSelFG WRITE SetColorRangeSelFG)
    Q_PROPERTY(quint32 ColorRangeSelBG READ ColorRangeSelBG WRITE SetColorRangeSelBG)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool BoldMarks READ BoldMarks WRITE SetBoldMarks)
    Q_PROPERTY(bool BoldSelHeads READ BoldSelHeads WRITE SetBoldSelHeads)
    Q_PROPERTY(bool ClipboardUseFullPrec READ ClipboardUseFullPrec WRITE SetClipboardUseFullPrec)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol)
    Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow)
    Q_PROPERTY(int NomEditDropDownCount READ NomEditDropDownCount WRITE SetNomEditDropDownCount)
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
    Q_PROPERTY(int NumWidth READ NumWidth WRITE SetNumWidth)
    Q_PROPERTY(bool DataReadOnly READ DataReadOnly WRITE SetDataReadOnly)
    Q_PROPERTY(bool OptimizeRowHeight READ OptimizeRowHeight WRITE SetOptimizeRowHeight)

public:
    explicit TNTabEd(QWidget* owner = nullptr);
    ~TNTabEd() override;

    /// The table shown: the editor's own, or one attached by AssignAnotherDataMatrix.
    TDataTable* Data() const { return m_data; }

    // ---- geometry
    int ColOffset() const { return m_colOffset; }
    int RowOffset() const { return m_rowOffset; }
    int NrOfColumns() const { return m_data->NrOfColumns(); }
    /// Resizes the table to N columns; new columns take the width and precision of the old
    /// last one. EQORError when the table refuses the size (fewer than one column).
    void SetNrOfColumns(int n);
    int NrOfRows() const { return m_data->NrOfRows(); }
    void SetNrOfRows(int n);
    /// Both dimensions in one resize of the table.
    void Redimension(int NrCols, int NrRows);
    /// First data column shown (1-based).
    int LeftCol() const { return TCustomGrid::GridLeftCol() - m_colOffset; }
    void SetLeftCol(int v);
    int TopRow() const { return TCustomGrid::GridTopRow() - m_rowOffset; }
    void SetTopRow(int v);
    /// Index > 0: data column Index; 0: the row-name column; negative: the row-attribute
    /// column (0 while hidden).
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Width);
    /// Also resets every column, then the row-name column to 80 and the attribute column.
    void SetDefaultColWidth(int w) override;
    int ClassColWidth() const { return m_classColWidth; }

    // ---- cells (1-based data coordinates)
    double Elem(int ACol, int ARow) const { return m_data->GetElem(ACol, ARow); }
    void SetElem(int ACol, int ARow, double v) { m_data->SetElem(ACol, ARow, v); }
    double GetElem(int ACol, int ARow) const { return Elem(ACol, ARow); }
    Byte CellState(int ACol, int ARow) const { return m_data->GetCellState(ACol, ARow); }
    /// Stores the byte; inside the table it repaints and fires OnCellStateChanged.
    void SetCellState(int ACol, int ARow, Byte Value);
    bool ElemMarkedA(int ACol, int ARow) const { return (CellState(ACol, ARow) & csMarkA) != 0; }
    void SetElemMarkedA(int ACol, int ARow, bool v);
    bool ElemMarkedB(int ACol, int ARow) const { return (CellState(ACol, ARow) & csMarkB) != 0; }
    void SetElemMarkedB(int ACol, int ARow, bool v);
    bool IsNumber(int ACol, int ARow) const { return (CellState(ACol, ARow) & (csInvalid | csEmpty)) == 0; }
    bool IsEmpty(int ACol, int ARow) const { return (CellState(ACol, ARow) & csEmpty) != 0; }
    void SetIsEmpty(int ACol, int ARow, bool v);

    // ---- headings, attributes, precision
    TDTNameStr ColName(int ColNr) const { return m_data->GetColName(ColNr); }
    void SetColName(int ColNr, const QString& Name);
    TDTNameStr RowName(int RowNr) const { return m_data->GetRowName(RowNr); }
    void SetRowName(int RowNr, const QString& Name);
    Byte ColAttrib(int ColNr) const { return m_data->GetColAttrib(ColNr); }
    void SetColAttrib(int ColNr, Byte a);
    Byte RowAttrib(int RowNr) const { return m_data->GetRowAttrib(RowNr); }
    void SetRowAttrib(int RowNr, Byte a);
    /// Decimals of a column (-1 for exponential notation); 0 outside the table.
    int Precision(int ColNr) const;
    /// Clamped to -1..10; ignored outside the table.
    void SetPrecision(int ColNr, int Value);
    QString Comment() const { return m_data->Comment(); }
    void SetComment(const QString& text);

    /// The text a data cell shows: empty, "-nan-", a nominal identifier or the value.
    QString CellText(int ACol, int ARow) const;
    /// The value of a cell formatted with its column's precision and NumWidth (a nominal
    /// column gives its identifier, or the scale name, ":" and the ordinal).
    QString ValueText(int ACol, int ARow) const;

    // ---- settings
    bool AutoAdvance() const { return m_autoAdvance; }
    void SetAutoAdvance(bool v) { m_autoAdvance = v; }
    TOrientation AutoAdvanceDir() const { return m_autoAdvanceDir; }
    void SetAutoAdvanceDir(TOrientation v) { m_autoAdvanceDir = v; }
    bool AttribRowVisible() const { return m_colOffset == 1; }
    void SetAttribRowVisible(bool v);
    bool AttribColVisible() const { return m_rowOffset == 1; }
    void SetAttribColVisible(bool v);
    bool BlockInternalPopup() const { return m_blockInternalPopup; }
    void SetBlockInternalPopup(bool v) { m_blockInternalPopup = v; }
    bool CommentEditingAllowed() const { return m_commentEditingAllowed; }
    void SetCommentEditingAllowed(bool v) { m_commentEditingAllowed = v; }
    bool ClipboardUseFullPrec() const { return m_clipFullPrec; }
    void SetClipboardUseFullPrec(bool v) { m_clipFullPrec = v; }
    int NomEditDropDownCount() const { return m_nomDropDown; }
    void SetNomEditDropDownCount(int n);
    int NumWidth() const { return m_numWidth; }
    /// 1..20; other values are ignored (OnLayoutChanged fires either way).
    void SetNumWidth(int w);
    bool DataReadOnly() const { return m_readOnly; }
    void SetDataReadOnly(bool v);
    bool OptimizeRowHeight() const { return m_optimizeRowHeight; }
    void SetOptimizeRowHeight(bool v);
    bool BoldMarks() const { return m_boldMarks; }
    void SetBoldMarks(bool v);
    bool BoldSelHeads() const { return m_boldSelHeads; }
    void SetBoldSelHeads(bool v);
    bool SortIncludeHd() const { return m_sortIncludeHd; }
    bool SuppressPaint() const { return m_suppressPaint; }
    /// Switching painting back on paints at once.
    void SetSuppressPaint(bool v);

    // ---- colours
    TColor ColorBackground() const { return m_colorBackground; }
    void SetColorBackground(TColor c);
    TColor ColorFixed() const { return m_colorFixed; }
    void SetColorFixed(TColor c);
    TColor ColorNormal() const { return m_colorNormal; }
    void SetColorNormal(TColor c) { setColour(m_colorNormal, c); }
    TColor ColorSelected() const { return m_colorSelected; }
    void SetColorSelected(TColor c) { setColour(m_colorSelected, c); }
    TColor ColorMarkedA() const { return m_colorMarkedA; }
    void SetColorMarkedA(TColor c) { setColour(m_colorMarkedA, c); }
    TColor ColorMarkedB() const { return m_colorMarkedB; }
    void SetColorMarkedB(TColor c) { setColour(m_colorMarkedB, c); }
    TColor ColorMarkedBoth() const { return m_colorMarkedBoth; }
    void SetColorMarkedBoth(TColor c) { setColour(m_colorMarkedBoth, c); }
    TColor ColorRangeSelFG() const { return m_colorRangeSelFG; }
    void SetColorRangeSelFG(TColor c) { setColour(m_colorRangeSelFG, c); }
    TColor ColorRangeSelBG() const { return m_colorRangeSelBG; }
    void SetColorRangeSelBG(TColor c) { setColour(m_colorRangeSelBG, c); }

    // ---- operations
    /// 1 <= ix <= count + 1, else ignored.
    void InsertRow(int ix);
    void InsertColumn(int ix);
    /// 1 <= ix <= count and only while count >= 2.
    void RemoveRow(int ix);
    void RemoveColumn(int ix);
    void MirrorRows();
    void MirrorColumns();
    /// Empties the table; columns are named "C-1".., rows "R-1".., every precision 3.
    void Clear();
    /// Every value becomes Value; states stay.
    void Fill(double Value);
    void FillMarkedCells(double Value, Byte StateMask);
    void InvertCellStates(Byte StateMask);
    void ExchangeMarkings();
    void UnMarkAllElems();
    void MarkAllElemsA();
    void MarkAllElemsB();
    int NrOfMarkedDataA() const;
    int NrOfMarkedDataB() const;
    bool IfRowMarked(int row) const;
    bool IfColumnMarked(int col) const;
    bool IfAnyMarked() const;
    /// ColNr -1: attribute column; 0: row names; 1..NrOfColumns: data. Returns the width set.
    int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
    /// RowNr -1: attribute row; 0: the name row; 1..NrOfRows: data. Returns the height set.
    int AutoRowHeight(int RowNr, int Addon);

    void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
    void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders);
    void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
    /// The first column (row) with this name; 0 when there is none.
    int FindColIndex(const QString& ColID) const { return m_data->FindColIndex(ColID); }
    int FindRowIndex(const QString& RowID) const { return m_data->FindRowIndex(RowID); }

    /// Shows and edits an application-owned table instead of the editor's own (nullptr
    /// goes back to the own table). The editor never frees an attached table; once it is
    /// detached, or the editor is destroyed, the table keeps no notification bound to the
    /// editor. An attached table destroyed by the application is let go of, and the
    /// editor shows its own table again.
    void AssignAnotherDataMatrix(TDataTable* NewDTab);
    bool ExternalData() const { return m_data != m_own.get(); }
    /// Table content (values, states, names, attributes, comment, scales) and precisions of another editor.
    void CopyContentsFrom(const TNTabEd* ExtTab);
    /// The cell states of the cells both tables have.
    void CopyCellStatesFrom(const TNTabEd* ExtTab);

    // ---- editing, popup menus and clipboard
    /// Item k (1..12) of the data popup is enabled while bit k-1 is set ("Paste" also needs
    /// a filled copy buffer; "Paste", "Clear", "Extract from Clipboard" and "Toggle Empty
    /// State" also need writable data).
    int PopupDMask() const;
    void SetPopupDMask(int Mask);
    /// The same for the 5 items of the heading popup.
    int PopupHMask() const;
    void SetPopupHMask(int Mask);
    /// Captions (at most 50 characters): data items 1..12, heading items 1..5, the items
    /// 1..4 of both mark submenus and of both unmark submenus.
    QString PopupDCaptions(int Index) const;
    void SetPopupDCaptions(int Index, const QString& Caption);
    QString PopupHCaptions(int Index) const;
    void SetPopupHCaptions(int Index, const QString& Caption);
    QString PopupMCaptions(int Index) const;
    void SetPopupMCaptions(int Index, const QString& Caption);
    QString PopupUCaptions(int Index) const;
    void SetPopupUCaptions(int Index, const QString& Caption);
    /// The data popup ("PopupDTAction") and the heading popup ("PopupHTAction").
    TPopupMenu* PopupDTAction() const;
    TPopupMenu* PopupHTAction() const;
    /// The size of the number matrix in the clipboard text: the most numbers on one line
    /// and the lines up to the last one holding a number. False (1 x 1) without numbers.
    bool GetClipMatrixSize(int& NCols, int& NRows) const;
    /// "Copy": the selected cells into the copy buffer and, as text, onto the clipboard.
    void CopyToClipboard();
    /// "Paste": the copy buffer at the selection's top-left. False (table unchanged) when
    /// the buffer is empty or the data are read-only.
    bool PasteCopyBuffer();
    /// "Extract from Clipboard": the numbers of the clipboard text into the cells from the
    /// selection's top-left. False (table unchanged, a beep) without text, for binary text,
    /// read-only data or text without a number.
    bool ExtractFromClipboard();
    /// The heading edit box and the comment memo while they are open (else nullptr).
    QWidget* HeadingEditBox() const;
    QWidget* CommentMemo() const;

    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    TEditStyle GetEditStyle(int ACol, int ARow) override;
    void KeyPress(QChar& key) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    void Paint() override;
    void KeyDown(Word& key, TShiftState shift) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    QSize sizeHint() const override { return QSize(320, 130); }

    // ---- events (the first seven fire only while neither SuppressPaint nor the internal
    // suppression is set)
    TNotifyEvent OnChange;
    TNotifyEvent OnChangeSetup;
    TNotifyEvent OnHeadingChanged;
    TNotifyEvent OnAttributeChanged;
    TNotifyEvent OnCellStateChanged;
    TNotifyEvent OnLayoutChanged;
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnTopLeftChanged;
    TNotifyEvent OnPaste;
    TOnPercentDoneEvent OnPercentDone;
    TBeforePopupEvent OnBeforePopup;
    TBeforeRenderCellEvent OnBeforeRenderCell;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;

protected:
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    void TopLeftChanged() override;
    QWidget* CreateEditor(TEditStyle style) override;
    void GetPickListItems(int ACol, int ARow, QStringList& items) override;
    bool WantTabs() const override { return true; }
    bool WantKey(int qtKey, TShiftState shift) const override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    // Hooks of the editing commands.
    /// Redraws the corner cell with the current cell's coordinates, outside the paint cycle.
    void RefreshCorner();
    /// Outlines (or, drawn again, un-outlines) a heading cell by inverting its frame.
    void DrawHeadingOutline(int ACol, int ARow);
    /// While the comment is being edited the corner reads "Comment:".
    bool CommentEditing() const { return m_commentEditing; }
    void SetCommentEditing(bool on);
    /// The buffer of copied cells and whether it holds any.
    TDataTable* CopyBuffer() const { return m_copyBuffer.get(); }
    bool CopyBufferFilled() const { return m_copyBufferFilled; }
    void SetCopyBufferFilled(bool v) { m_copyBufferFilled = v; }
    /// Fires OnSelectionChanged when the selection differs from the remembered one.
    void CheckSelectionChanged();
    /// Fires an event unless painting or events are suppressed.
    void Fire(const TNotifyEvent& e);
    bool EventsSuppressed() const { return m_suppressPaint || m_internalSuppress > 0; }

private:
    friend class InternalSuppress;
    friend class QuietTable;
    friend class PaintPause;
    void setColour(TColor& field, TColor c);
    void hookTable(TDataTable* t);
    void unhookTable(TDataTable* t);
    void tableResized(int oldCols, int oldRows);
    void tableDataChanged();
    void tableSetupChanged();
    void tableDestroyed();
    void syncGridToTable(int oldCols);
    void resizePrecisions(int n);
    void setDataRowHeight(int RowNr, int h);
    void setCellStateBits(int ACol, int ARow, Byte set, Byte clear);
    void setAllStates(Byte orMask, Byte andMask);
    QString cornerText() const;
    void reportSelection();
    void drawFixedCell(int ACol, int ARow, TRect rect);

    // editing and commands (NTabEdEdit.cpp, NTabEdMenus.cpp, NTabEdClipboard.cpp)
    void buildUi();
    TGridRect dataSelection() const;
    void openDataPopup(QPoint globalPos);
    void openHeadingPopup(TGridCoord cell);
    void updateDataMenu();
    void openHeadingBox();
    void closeHeadingBox(bool commit);
    void openMemo();
    void closeMemo(bool commit);
    bool uiKey(QObject* watched, int qtKey);
    void markCommand(int item, int sub);
    void headingCommand(int item);
    void clearCommand();
    void toggleEmptyCommand();
    /// Hands fn the value and state index of every selected data cell, with the table's
    /// notifications held back; false (nothing run) when the data are read-only.
    bool forSelectedCells(const std::function<void(TMatrix&, Byte*, std::size_t)>& fn);
    void selectAllCommand();
    void readOnlyCommand();

    std::unique_ptr<TDataTable> m_own;
    TDataTable* m_data = nullptr;
    QPointer<TDataTable> m_external;
    QMetaObject::Connection m_externalGone;
    std::unique_ptr<TDataTable> m_copyBuffer;
    bool m_copyBufferFilled = false;
    std::vector<signed char> m_precision;

    int m_colOffset = 1;
    int m_rowOffset = 0;
    int m_classColWidth = 32;
    int m_numWidth = 1;
    int m_nomDropDown = 8;
    bool m_suppressPaint = false;
    int m_internalSuppress = 0;
    int m_quiet = 0;
    TGridRect m_lastSel{-1, -1, -1, -1};
    bool m_sortIncludeHd = false;
    bool m_commentEditing = false;

    bool m_autoAdvance = true;
    TOrientation m_autoAdvanceDir = otVertical;
    bool m_blockInternalPopup = false;
    bool m_commentEditingAllowed = true;
    bool m_clipFullPrec = true;
    bool m_readOnly = false;
    bool m_optimizeRowHeight = false;
    bool m_boldMarks = true;
    bool m_boldSelHeads = true;

    TColor m_colorBackground = clWindow;
    TColor m_colorFixed = clBtnFace;
    TColor m_colorNormal = 0x002000;
    TColor m_colorSelected = 0x404040;
    TColor m_colorMarkedA = clRed;
    TColor m_colorMarkedB = clBlue;
    TColor m_colorMarkedBoth = 0xCC00BB;
    TColor m_colorRangeSelFG = 0x80552C;
    TColor m_colorRangeSelBG = 0xF8E8E0;

    // Menus, edit box, memo and the state of editing; declared last, so it goes first.
    std::unique_ptr<NTabEdUi, NTabEdUiDeleter> m_ui;
};

} // namespace qor

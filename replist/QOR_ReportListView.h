// The report list view: a grid that shows a TRLData store as a report with header rows,
// check boxes and radio buttons, row and column selection, sorting by header click and
// in-place editing.
#pragma once

#include "replist/QOR_replist.h"
#include "foundation/QOR_Grid.h"

#include <QPointer>
#include <vector>

class QDialog;
class QPushButton;

namespace qor {

class EQORRepListError : public EQORError {
public:
    using EQORError::EQORError;
};

/// The text a data cell shows in a column of ColWidth pixels: when the text without its
/// first character is wider than ColWidth - GlyphWidth - 9, it is cut to about the part that
/// fits and marked with "..." (after the first character in a right-aligned column, so the
/// end stays visible; at the end otherwise).
QString ReportCellEllipsis(const QString& Text, int ColWidth, int GlyphWidth, bool RightAligned,
                           const std::function<int(const QString&)>& TextWidth);
/// The same for one line of a column header (Reserve: room kept for the sort arrow).
QString ReportHeaderEllipsis(const QString& Line, int ColWidth, int Reserve,
                             const std::function<int(const QString&)>& TextWidth);

class TReportListView : public TCustomDrawGrid {
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
    Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
    Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)
    Q_PROPERTY(bool CommonHeaderVisible READ CommonHeaderVisible WRITE SetCommonHeaderVisible)
    Q_PROPERTY(int CommonHeaderHeight READ CommonHeaderHeight WRITE SetCommonHeaderHeight)
    Q_PROPERTY(bool ColumnHeadersVisible READ ColumnHeadersVisible WRITE SetColumnHeadersVisible)
    Q_PROPERTY(int ColumnHeadersHeight READ ColumnHeadersHeight WRITE SetColumnHeadersHeight)
    Q_PROPERTY(QString EmptyMessage READ EmptyMessage WRITE SetEmptyMessage)
    Q_PROPERTY(int RowSelectMode READ RowSelectMode WRITE SetRowSelectMode)
    Q_PROPERTY(int RowColPattern READ RowColPattern WRITE SetRowColPattern)
    Q_PROPERTY(bool ShowEmptyCheckBoxes READ ShowEmptyCheckBoxes WRITE SetShowEmptyCheckBoxes)
    Q_PROPERTY(bool FixedFirstColumn READ FixedFirstColumn WRITE SetFixedFirstColumn)
    Q_PROPERTY(bool SortEnabled READ SortEnabled WRITE SetSortEnabled)
    Q_PROPERTY(bool UseCtrlForMultiSel READ UseCtrlForMultiSel WRITE SetUseCtrlForMultiSel)
    Q_PROPERTY(quint32 ColorHigh READ ColorHigh WRITE SetColorHigh)
    Q_PROPERTY(quint32 ColorText READ ColorText WRITE SetColorText)
    Q_PROPERTY(quint32 ColorBkgdNormal READ ColorBkgdNormal WRITE SetColorBkgdNormal)
    Q_PROPERTY(quint32 ColorBkgdShaded READ ColorBkgdShaded WRITE SetColorBkgdShaded)
    Q_PROPERTY(quint32 ColorColumnHd READ ColorColumnHd WRITE SetColorColumnHd)
    Q_PROPERTY(quint32 FixedColor READ FixedColor WRITE SetFixedColor)
    Q_PROPERTY(quint32 ColorColumnHdText READ ColorColumnHdText WRITE SetColorColumnHdText)
    Q_PROPERTY(quint32 ColorCommonHd READ ColorCommonHd WRITE SetColorCommonHd)
    Q_PROPERTY(quint32 ColorCommonHdText READ ColorCommonHdText WRITE SetColorCommonHdText)
    Q_PROPERTY(quint32 ColorDisabledBkgd READ ColorDisabledBkgd WRITE SetColorDisabledBkgd)
    Q_PROPERTY(quint32 ColorDisabledText READ ColorDisabledText WRITE SetColorDisabledText)
    Q_PROPERTY(quint32 ColorEmptyMsg READ ColorEmptyMsg WRITE SetColorEmptyMsg)
    Q_PROPERTY(quint32 ColorHighText READ ColorHighText WRITE SetColorHighText)
    Q_PROPERTY(quint32 ColorSelectedRow READ ColorSelectedRow WRITE SetColorSelectedRow)
    Q_PROPERTY(quint32 ColorSelectedRowText READ ColorSelectedRowText WRITE SetColorSelectedRowText)
    Q_PROPERTY(quint32 ColorSelectedCol READ ColorSelectedCol WRITE SetColorSelectedCol)
    Q_PROPERTY(quint32 ColorSelectedColText READ ColorSelectedColText WRITE SetColorSelectedColText)
    Q_PROPERTY(quint32 ColorSelectedBoth READ ColorSelectedBoth WRITE SetColorSelectedBoth)
    Q_PROPERTY(quint32 ColorSelectedBothText READ ColorSelectedBothText WRITE SetColorSelectedBothText)
    Q_PROPERTY(quint32 InterRowIndicatorColor READ InterRowIndicatorColor WRITE SetInterRowIndicatorColor)
    Q_PROPERTY(qor::controls_enums::TAlignment CommonHeaderAlignment READ CommonHeaderAlignment WRITE SetCommonHeaderAlignment)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool HighLightBold READ HighLightBold WRITE SetHighLightBold)
    Q_PROPERTY(int HighLightRow READ HighLightRow WRITE SetHighLightRow)
    Q_PROPERTY(int HighLightColumn READ HighLightColumn WRITE SetHighLightColumn)
    Q_PROPERTY(int InterRowIndicatorWidth READ InterRowIndicatorWidth WRITE SetInterRowIndicatorWidth)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol)
    Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow)

public:
    explicit TReportListView(QWidget* owner = nullptr);
    ~TReportListView() override;

    /// The store the view shows (owned by the view).
    TRLData* Data() const { return FRLData; }

    // ---- dimensions
    int NrOfColumns() const { return FRLData->NrOfColumns(); }
    void SetNrCols(int n);
    void SetNrOfColumns(int n) { SetNrCols(n); }
    int NrOfRows() const { return FRLData->NrOfRows(); }
    void SetNrRows(int n);
    void SetNrOfRows(int n) { SetNrRows(n); }
    /// Header rows shown: common header and column headers.
    int CountHeadRows() const { return (FCommonHeaderVisible ? 1 : 0) + (FColumnHeadersVisible ? 1 : 0); }

    // ---- plain settings
    bool AutoAdvance() const { return FAutoAdvance; }
    void SetAutoAdvance(bool v) { FAutoAdvance = v; }
    bool SortEnabled() const { return FSortEnabled; }
    void SetSortEnabled(bool v) { FSortEnabled = v; }
    bool UseCtrlForMultiSel() const { return FCtrlForMultiSel; }
    void SetUseCtrlForMultiSel(bool v) { FCtrlForMultiSel = v; }

    // ---- colours
    TColor ColorHigh() const { return FColorHigh; }
    void SetColorHigh(TColor c) { setColour(FColorHigh, c); }
    TColor ColorText() const { return FColorText; }
    void SetColorText(TColor c) { setColour(FColorText, c); }
    TColor ColorBkgdNormal() const { return FColorBkgdNormal; }
    void SetColorBkgdNormal(TColor c) { setColour(FColorBkgdNormal, c); }
    TColor ColorBkgdShaded() const { return FColorBkgdShaded; }
    void SetColorBkgdShaded(TColor c) { setColour(FColorBkgdShaded, c); }
    TColor ColorColumnHd() const { return TCustomGrid::FixedColor(); }
    void SetColorColumnHd(TColor c);
    void SetFixedColor(TColor c) override { SetColorColumnHd(c); }
    TColor ColorColumnHdText() const { return FColorColumnHdText; }
    void SetColorColumnHdText(TColor c) { setColour(FColorColumnHdText, c); }
    TColor ColorCommonHd() const { return FColorCommonHd; }
    void SetColorCommonHd(TColor c) { setColour(FColorCommonHd, c); }
    TColor ColorCommonHdText() const { return FColorCommonHdText; }
    void SetColorCommonHdText(TColor c) { setColour(FColorCommonHdText, c); }
    TColor ColorDisabledBkgd() const { return FColorDisabledBkgd; }
    void SetColorDisabledBkgd(TColor c) { setColour(FColorDisabledBkgd, c); }
    TColor ColorDisabledText() const { return FColorDisabledText; }
    void SetColorDisabledText(TColor c) { setColour(FColorDisabledText, c); }
    TColor ColorEmptyMsg() const { return FColorEmptyMsg; }
    void SetColorEmptyMsg(TColor c);
    TColor ColorHighText() const { return FColorHighText; }
    void SetColorHighText(TColor c) { setColour(FColorHighText, c); }
    TColor ColorSelectedRow() const { return FColorSelectedRow; }
    void SetColorSelectedRow(TColor c) { setColour(FColorSelectedRow, c); }
    TColor ColorSelectedRowText() const { return FColorSelectedRowText; }
    void SetColorSelectedRowText(TColor c) { setColour(FColorSelectedRowText, c); }
    TColor ColorSelectedCol() const { return FColorSelectedCol; }
    void SetColorSelectedCol(TColor c) { setColour(FColorSelectedCol, c); }
    TColor ColorSelectedColText() const { return FColorSelectedColText; }
    void SetColorSelectedColText(TColor c) { setColour(FColorSelectedColText, c); }
    TColor ColorSelectedBoth() const { return FColorSelectedBoth; }
    void SetColorSelectedBoth(TColor c) { setColour(FColorSelectedBoth, c); }
    TColor ColorSelectedBothText() const { return FColorSelectedBothText; }
    void SetColorSelectedBothText(TColor c) { setColour(FColorSelectedBothText, c); }

    // ---- headers
    QString CommonHeader() const { return FRLData->CommonHeader(); }
    void SetCommonHeader(const QString& s);
    TAlignment CommonHeaderAlignment() const { return FCommonHeaderAlignment; }
    void SetCommonHeaderAlignment(TAlignment a);
    bool CommonHeaderVisible() const { return FCommonHeaderVisible; }
    void SetCommonHeaderVisible(bool v);
    int CommonHeaderHeight() const { return FCommonHeaderHeight; }
    void SetCommonHeaderHeight(int h);
    bool ColumnHeadersVisible() const { return FColumnHeadersVisible; }
    void SetColumnHeadersVisible(bool v);
    int ColumnHeadersHeight() const { return FColumnHeadersHeight; }
    void SetColumnHeadersHeight(int h);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }

    // ---- sizes (data-relative; the grid's own are GridColWidths, GridLeftCol, GridTopRow)
    /// Also fires OnChangeSetup.
    void SetDefaultColWidth(int w) override;
    void SetDefaultRowHeight(int h) override;
    /// Width of the grid column that shows data column Index (1-based); 0 out of range.
    int ColWidths(int Index) const;
    /// Writing out of range does nothing but still fires OnChangeSetup.
    void SetColWidths(int Index, int Width);
    /// First scrolling column shown, 1-based.
    int LeftCol() const { return TCustomGrid::GridLeftCol() + 1; }
    void SetLeftCol(int v);
    /// First data row shown.
    int TopRow() const { return TCustomGrid::GridTopRow() - CountHeadRows() + 1; }
    void SetTopRow(int v);

    // ---- look
    QString EmptyMessage() const { return FEmptyMsg; }
    void SetEmptyMessage(const QString& s);
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool on) override;
    bool HighLightBold() const { return FHighLightBold; }
    void SetHighLightBold(bool v);
    int HighLightRow() const { return FHighLightRow; }
    void SetHighLightRow(int r);
    int HighLightColumn() const { return FHighLightColumn; }
    void SetHighLightColumn(int c);
    TColor InterRowIndicatorColor() const { return FInterRowIndicatorColor; }
    void SetInterRowIndicatorColor(TColor c) { setColour(FInterRowIndicatorColor, c); }
    int InterRowIndicatorWidth() const { return FInterRowIndicatorWidth; }
    void SetInterRowIndicatorWidth(int w);
    int InterRowIndicatorPos() const { return FInterRowIndicatorPos; }
    void SetInterRowIndicatorPos(int p);
    int RowSelectMode() const { return FRowSelectMode; }
    void SetRowSelectMode(int m);
    int RowColPattern() const { return FRowColPattern; }
    void SetRowColPattern(int p);
    bool ShowEmptyCheckBoxes() const { return FShowEmptyCBx; }
    void SetShowEmptyCheckBoxes(bool v);
    bool FixedFirstColumn() const { return FFixedFirstColumn; }
    void SetFixedFirstColumn(bool v);
    bool CheckMarksReadOnly() const { return FROCheckMarks; }
    void SetCheckMarksReadOnly(bool v);
    bool SuppressPaint() const { return FSuppressPaint; }
    /// Repaints when painting is switched back on.
    void SetSuppressPaint(bool v);

    // ---- store pass-through
    QString Elem(int ACol, int ARow) const { return FRLData->GetElem(ACol, ARow); }
    void SetElem(int ACol, int ARow, const QString& v) { FRLData->SetElem(ACol, ARow, v); }
    QString GetElem(int ACol, int ARow) const { return FRLData->GetElem(ACol, ARow); }
    bool ElemChecked(int ACol, int ARow) const { return GetElemChecked(ACol, ARow); }
    void SetElemChecked(int ACol, int ARow, bool v);
    bool GetElemChecked(int ACol, int ARow) const { return FRLData->GetElemChecked(ACol, ARow); }
    TColFmtString ColumnFormat(int ColNr) const { return FRLData->GetColumnFormat(ColNr); }
    TColFmtString GetColumnFormat(int ColNr) const { return FRLData->GetColumnFormat(ColNr); }
    void SetColumnFormat(int ColNr, const QString& f);
    TCheckMode ColumnCheckMode(int ColNr) const { return FRLData->GetColCheckMode(ColNr); }
    TCheckMode GetColCheckMode(int ColNr) const { return FRLData->GetColCheckMode(ColNr); }
    void SetColumnCheckMode(int ColNr, TCheckMode m) { SetColCheckMode(ColNr, m); }
    void SetColCheckMode(int ColNr, TCheckMode m);
    TNameStrType Header(int ColNr) const { return FRLData->GetColName(ColNr); }
    void SetHeader(int ColNr, const QString& s) { SetColName(ColNr, s); }
    TNameStrType GetColName(int ColNr) const { return FRLData->GetColName(ColNr); }
    void SetColName(int ColNr, const QString& s);
    bool IsCheckedColumn(int ColNr) const { return FRLData->GetCheckedCol(ColNr); }
    void SetIsCheckedColumn(int ColNr, bool v) { SetCheckedCol(ColNr, v); }
    bool GetCheckedCol(int ColNr) const { return FRLData->GetCheckedCol(ColNr); }
    void SetCheckedCol(int ColNr, bool v);
    QString DefaultValue(int ACol, int ARow) const { return FRLData->GetCellDefaultValue(ACol, ARow); }
    QString GetCellDefaultValue(int ACol, int ARow) const { return FRLData->GetCellDefaultValue(ACol, ARow); }
    double AsNumber(int ACol, int ARow) const { return FRLData->GetAsNumber(ACol, ARow); }
    double GetAsNumber(int ACol, int ARow) const { return FRLData->GetAsNumber(ACol, ARow); }
    QString Comment() const { return FRLData->Comment(); }
    void SetComment(const QString& s) { FRLData->SetComment(s); }
    QString DataID() const { return FRLData->DataID(); }
    void SetDataID(const QString& s) { FRLData->SetDataID(s); }
    int ColumnIndex(const QString& Head, bool PartialMatch) const { return FRLData->ColumnIndex(Head, PartialMatch); }
    int CountCheckedElemsInRow(int Row) const { return FRLData->CountCheckedElemsInRow(Row); }
    int FirstCheckedElemInCol(int ColNr) const { return FRLData->FirstCheckedElemInCol(ColNr); }
    int FirstCheckedElemInRow(int RowNr) const { return FRLData->FirstCheckedElemInRow(RowNr); }
    /// Disabled rows are not counted.
    int CountCheckedElemsInCol(int Column) const;
    int LastSortColumn() const { return FRLData->LastSortColumn(); }
    bool LastSortOrder() const { return FRLData->LastSortOrder(); }
    int SecondarySortColumn() const { return FRLData->SecondarySortColumn(); }
    void SetSecondarySortColumn(int c);
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const QString& Separator)
    {
        FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
    }
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs)
    {
        FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
    }
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const char* Separator)
    {
        FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, QString::fromUtf8(Separator));
    }
    // XML: reading brings the grid's dimensions and per-column settings in line with the store.
    void SaveAsXMLFile(const QString& FName, const QString& DataID) { FRLData->SaveAsXMLFile(FName, DataID); }
    bool LoadFromXMLFile(const QString& FName, const QString& DataID);
    void WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID)
    {
        FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
    }
    bool ReadFromXMLStream(QIODevice* InStream, const QString& DataID);
    bool ReadFromXMLString(const QString& InString, const QString& DataID);
    void WriteToOpenXMLFile(QTextStream& OutFile, bool CreateHeader, const QString& DataID)
    {
        FRLData->WriteToOpenXMLFile(OutFile, CreateHeader, DataID);
    }
    bool ReadFromOpenXMLFile(QTextStream& InFile, const QString& DataID);
    QString XMLText(bool CreateHeader, const QString& DataID) const { return FRLData->XMLText(CreateHeader, DataID); }

    // ---- per-column view settings (data columns, 1-based)
    int ColumnOrder(int ColNr) const;
    /// Needs exactly NrOfColumns entries, each in 1..NrOfColumns; false otherwise.
    bool SetColumnOrder(const std::vector<int>& ColList);
    TAlignment ColumnAlignment(int ColNr) const;
    void SetColumnAlignment(int ColNr, TAlignment a) { SetColAlignment(ColNr, a); }
    void SetColAlignment(int ColNr, TAlignment a);
    bool ColumnEditable(int ColNr) const;
    void SetColumnEditable(int ColNr, bool v);
    bool ColumnIsPwd(int ColNr) const;
    void SetColumnIsPwd(int ColNr, bool v);

    // ---- row and column states
    bool RowSelected(int r) const;
    void SetRowSelected(int r, bool v);
    bool RowEnabled(int r) const;
    void SetRowEnabled(int r, bool v);
    bool ColumnSelected(int c) const;
    void SetColumnSelected(int c, bool v);
    int FirstSelectedRow() const;
    int FirstSelectedColumn() const;
    int NumSelectedRows() const;
    int NumSelectedColumns() const;
    int NumEnabledRows() const;
    void SelectAllRows();
    void DeselectAllRows();
    void EnableAllRows();
    void DisableAllRows();
    void SelectAllColumns();
    void DeselectAllColumns();

    // ---- rows and bulk operations
    int AddRow();
    int InsertRow(int r);
    void RemoveRow(int r);
    void RemoveEmptyRows();
    void Fill(const QString& s);
    void Clear();
    // Everything that moves rows or replaces them (Sort, UnSort, RemoveRow, Clear, Assign,
    // the XML readers, NrOfRows, NrOfColumns) first closes the in-place editor, whose text is
    // already in its cell, so no later keystroke lands in another row.
    void Sort(int Col, int ColSec, bool Ascending);
    void UnSort();
    void SetAllCheckmarksOfCol(int Column, bool Checked);
    void InvertAllCheckmarksOfCol(int Column);
    void CenterScrollAndSelect(int Row);
    /// The cell under a point: column 1-based; row: data row, -1 column headers,
    /// -2 common header, 0 outside.
    TGridCoord MouseCell(int X, int Y) const;

    // ---- column widths
    int DetermineMaxColWidth(int ColNr, bool IncludeHeader);
    int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
    int AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth);
    void ExpandColWidth(int ColIx, int RightMargin);
    void FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth, int RightMargin);

    void SetBounds(int left, int top, int width, int height) override;
    void Assign(const QObject* Source) override;
    virtual void AssignTo(QObject* Dest) const;

    void Paint() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;

    // ---- events
    TCheckStateChangeEvent OnCheckedChange;
    TCheckStateChangeEvent OnBeforeCheckedChange;
    TBeforeFilterEvent OnBeforeFilter;
    TRequestEditFormatEvent OnRequestEditFormat;
    TNotifyEvent OnSelectedChange;
    TNotifyEvent OnChange;
    TNotifyEvent OnChangeSetup;
    TRenderCellEvent OnBeforeRenderCell;
    TBeforeSortExchgEvent OnBeforeSortExchange;
    TBeforeHTMLExportEvent OnBeforeHTMLExport;
    TOnPercentDoneEvent OnPercentDone;

    void Changed();
    void ChangedSetup();
    void ChangedSelection();

    // ---- row editor, filtering, HTML export and line import
    /// Edits row Row in a modal form made for it at screen position (PosLeft, PosTop), with
    /// the caption "Editing Row <Row>" and the buttons OK and Cancel. The result is the
    /// form's: 1 OK (the row written back), 2 Cancel or closed; 0 for a row out of range.
    int EditRowEntries(int Row, int PosLeft, int PosTop);
    int EditRowEntries(int Row, int PosLeft, int PosTop, const QString& FormCaption, const QString& ButOKCaption,
                       const QString& ButCancelCaption);
    /// The controls go into ContainerForm at (PosLeft, PosTop); the caller's form has no
    /// buttons made for it, so it ends the edit itself (done(1) to write back).
    int EditRowEntries(int Row, QDialog* ContainerForm, int PosLeft, int PosTop);
    /// Sorts by SortColumn (none when out of range), then hides the rows that do not match
    /// FilterExp in the columns FilterColumns (all when empty); an empty expression shows
    /// every row again. The number of rows shown, or -1 with nothing changed when the
    /// expression is malformed (LastFilterError says why). See docs/REPLIST_FILTER.md.
    int FilterAndSort(const QString& FilterExp, const std::vector<int>& FilterColumns, bool IgnoreCase,
                      TFilterMode FilterMode, int SortColumn, bool Ascending);
    bool FilterActive() const { return FFilterActive; }
    /// Rows shown: display rows 1..NumShownRows(); the hidden ones follow them.
    int NumShownRows() const;
    bool RowShown(int r) const;
    QString LastFilterError() const { return FFilterError; }
    void ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                         const std::vector<int>& ColumnSelection, int Border, int CellSpacing, int Cellpadding,
                         bool IncludeHeader, const QString& HeadClass, const QString& CellClass,
                         const QString& TableClass);
    int LoadLinesFromFile(int Column, int FirstRow, const QString& FName);
    /// The row editor's form while an edit runs, else nullptr.
    QDialog* ContainerForm() const;

protected:
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    /// Editing needs an editable column, an enabled row and a row that is shown, whatever the
    /// input path (no editor on the blank line shown when a filter hid every row).
    bool CanEditShow() const override;
    /// Dragging a header border sizes the grid column under it, with OnChangeSetup.
    void ColumnSizedByUser(int ACol, int Width) override;

private:
    void setColour(TColor& field, TColor c);
    void setGridColWidth(int gridCol, int width);
    void hideEditorOnDisabledRow();
    void resetColumnArrays();
    void updateGridRows();
    void updateHeaderHeights();
    void syncWithStore();
    void storeChanged();
    int gridColOf(int dataCol) const;
    int dataColOf(int gridCol) const;
    int dataRowOf(int gridRow) const { return gridRow - CountHeadRows() + 1; }
    int gridRowOf(int dataRow) const { return dataRow + CountHeadRows() - 1; }
    int columnHeaderRow() const { return FColumnHeadersVisible ? CountHeadRows() - 1 : -1; }
    bool rowDisabled(int r) const;
    void setAllRowBits(Byte bit, bool on);
    void drawDataCell(int ACol, int ARow, const TRect& rect);
    void drawHeaderCell(int ACol, int ARow, const TRect& rect);
    int headerBandEnd() const;
    int editRowEntries(int Row, QDialog* form, bool created, int xOff, int yOff, const QString& caption);
    void liftFilter();
    void relayoutFilter();
    void restoreFilterBase();
    int shownRowCount();

    TRLData* FRLData = nullptr;
    std::vector<int> FColOrder;
    std::vector<TAlignment> FColAlignment;
    std::vector<bool> FColumnEditable;
    std::vector<bool> FColumnIsPwd;

    bool FAutoAdvance = false;
    int FLastMousePosX = 0;
    int FLastMousePosY = 0;
    TAlignment FHeaderAlignment = taCenter;
    QString FEmptyMsg;
    int FSelectAnchor = 1;
    int FRowSelectMode = 1;
    bool FCtrlForMultiSel = true;
    bool FSortEnabled = true;
    bool FShowEmptyCBx = true;
    bool FROCheckMarks = false;
    bool FEnabled = true;
    bool FSuppressPaint = true;

    TColor FColorHigh = 0xCC9966;
    TColor FColorText = 0x002000;
    TColor FColorBkgdNormal = 0xFFFFFF;
    TColor FColorBkgdShaded = 0xF0EFE8;
    TColor FColorColumnHdText = 0;
    TColor FColorCommonHd = clBtnFace;
    TColor FColorCommonHdText = 0;
    TColor FColorDisabledBkgd = 0xF0F0F0;
    TColor FColorDisabledText = 0xC0C0C0;
    TColor FColorEmptyMsg = 0;
    TColor FColorHighText = 0xFFFFFF;
    TColor FColorSelectedRow = 0x94BAED;
    TColor FColorSelectedRowText = 0x800000;
    TColor FColorSelectedCol = 0;
    TColor FColorSelectedColText = 0;
    TColor FColorSelectedBoth = 0;
    TColor FColorSelectedBothText = 0;
    TAlignment FCommonHeaderAlignment = taCenter;
    bool FCommonHeaderVisible = false;
    int FCommonHeaderHeight = 20;
    bool FColumnHeadersVisible = true;
    int FColumnHeadersHeight = 20;
    bool FHighLightBold = false;
    int FHighLightRow = 0;
    int FHighLightColumn = 0;
    TColor FInterRowIndicatorColor = 0x0000FF;
    int FInterRowIndicatorWidth = 3;
    int FInterRowIndicatorPos = 0;
    int FRowColPattern = 1;
    bool FFixedFirstColumn = false;

    QPointer<QWidget> FContainerForm;
    QPointer<QWidget> FSBERCancel;
    std::vector<int> FFilterBase; ///< display order without the filter (stored positions)
    bool FFilterActive = false;
    int FShownRows = 0;
    int FFilterTotal = 0;
    QString FFilterError;
};

} // namespace qor

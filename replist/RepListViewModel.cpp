// TReportListView: construction, settings, dimensions, column order and widths, row and
// column states, bulk operations and copying.
#include "replist/RepListView_p.h"
#include "foundation/QOR_Store.h"

#include <algorithm>
#include <new>

namespace qor {

TReportListView::TReportListView(QWidget* owner)
    : TCustomDrawGrid(owner)
{
    FSuppressPaint = true;
    FRLData = new TRLData(this);
    SetFixedCols(0);
    SetFixedRows(1);
    SetDefaultDrawing(false);
    SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking});
    TCustomGrid::SetFixedColor(clBtnFace);
    SetColor(clWindow);
    FRLData->SetNrCols(ColCount());
    FRLData->SetNrRows(RowCount() - 1);

    TStringArray* strings = FRLData->Strings();
    strings->OnChange = [this](TObject*) { storeChanged(); };
    strings->OnPercentDone = [this](TObject*, int p) {
        if (OnPercentDone)
            OnPercentDone(this, p);
    };
    FRLData->OnBeforeSortExchange = [this](TObject*, const QString& in, QString& out) {
        if (OnBeforeSortExchange)
            OnBeforeSortExchange(this, in, out);
    };
    FRLData->OnBeforeHTMLExport = [this](TObject* sender, QString& text, int col, int row) {
        if (OnBeforeHTMLExport)
            OnBeforeHTMLExport(sender, text, col, row);
    };
    FRLData->OnPercentDone = [this](TObject* sender, int p) {
        if (OnPercentDone)
            OnPercentDone(sender, p);
    };

    try {
        resetColumnArrays();
    } catch (const std::bad_alloc&) {
        throw EQORRepListError(ComponentMessage(Name(), QStringLiteral("failed to initialize table editor (out of memory)")));
    }
    updateGridRows();
    updateHeaderHeights();
    SetTopRow(1);
    // A Qt widget can paint as soon as it is constructed.
    FSuppressPaint = false;
}

TReportListView::~TReportListView()
{
    if (FRLData) {
        FRLData->Strings()->OnChange = nullptr;
        FRLData->Strings()->OnPercentDone = nullptr;
        FRLData->OnBeforeSortExchange = nullptr;
        FRLData->OnBeforeHTMLExport = nullptr;
        FRLData->OnPercentDone = nullptr;
    }
}

void TReportListView::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TReportListView::ChangedSetup()
{
    if (OnChangeSetup)
        OnChangeSetup(this);
}

void TReportListView::ChangedSelection()
{
    if (OnSelectedChange)
        OnSelectedChange(this);
}

void TReportListView::storeChanged()
{
    syncWithStore();
    Changed();
    // Cell setters arrive here one by one; the repaint is coalesced into the next paint.
    Invalidate();
}

// The store can change its dimensions behind the view's back (XML reading, Assign).
void TReportListView::syncWithStore()
{
    if (FRLData->NrOfColumns() != ColCount() || int(FColOrder.size()) != FRLData->NrOfColumns()) {
        SetColCount(FRLData->NrOfColumns());
        resetColumnArrays();
    }
    if (RowCount() != CountHeadRows() + std::max(1, shownRowCount()) || FixedRows() != CountHeadRows()) {
        updateGridRows();
        updateHeaderHeights();
    }
}

void TReportListView::resetColumnArrays()
{
    const size_t n = size_t(std::max(1, FRLData->NrOfColumns()));
    FColAlignment.resize(n, taLeftJustify);
    FColumnEditable.resize(n, false);
    FColumnIsPwd.resize(n, false);
    FColOrder.resize(n);
    for (size_t i = 0; i < n; ++i)
        FColOrder[i] = int(i);
}

void TReportListView::updateGridRows()
{
    const int hr = CountHeadRows();
    SetRowCount(hr + std::max(1, shownRowCount()));
    SetFixedRows(hr);
}

void TReportListView::updateHeaderHeights()
{
    const bool twoRows = NrOfRows() >= 2;
    if (FCommonHeaderVisible && FColumnHeadersVisible) {
        TCustomGrid::SetRowHeights(0, FCommonHeaderHeight);
        if (twoRows)
            TCustomGrid::SetRowHeights(1, FColumnHeadersHeight);
    } else {
        const int h = FCommonHeaderVisible ? FCommonHeaderHeight
                    : FColumnHeadersVisible ? FColumnHeadersHeight
                                            : TCustomGrid::DefaultRowHeight();
        TCustomGrid::SetRowHeights(0, h);
        if (twoRows)
            TCustomGrid::SetRowHeights(1, TCustomGrid::DefaultRowHeight());
    }
}

int TReportListView::gridColOf(int dataCol) const
{
    for (size_t k = 0; k < FColOrder.size(); ++k)
        if (FColOrder[k] == dataCol - 1)
            return int(k);
    return dataCol - 1;
}

int TReportListView::dataColOf(int gridCol) const
{
    if (gridCol >= 0 && gridCol < int(FColOrder.size()))
        return FColOrder[size_t(gridCol)] + 1;
    return gridCol + 1;
}

// ---- dimensions ---------------------------------------------------------------------------

void TReportListView::SetNrCols(int n)
{
    HideEditor();
    const int oldCount = ColCount();
    const int lastWidth = oldCount > 0 ? TCustomGrid::GridColWidths(oldCount - 1) : TCustomGrid::DefaultColWidth();
    FRLData->SetNrCols(n);
    try {
        resetColumnArrays();
    } catch (const std::bad_alloc&) {
        throw EQORRepListError(ComponentMessage(Name(), QStringLiteral("not enough memory on heap")));
    }
    SetColCount(NrOfColumns());
    for (int k = oldCount; k < ColCount(); ++k)
        TCustomGrid::SetGridColWidths(k, lastWidth);
    SetTopRow(0);
    Paint();
    ChangedSetup();
}

void TReportListView::SetNrRows(int n)
{
    HideEditor();
    FRLData->SetNrRows(n);
    SetSelection(GridRect(0, 0, 0, 0));
    updateGridRows();
    updateHeaderHeights();
    Paint();
    ChangedSetup();
}

// ---- settings ---------------------------------------------------------------------------

void TReportListView::setColour(TColor& field, TColor c)
{
    field = c;
    Paint();
    ChangedSetup();
}

void TReportListView::SetColorColumnHd(TColor c)
{
    TCustomGrid::SetFixedColor(c);
    Paint();
    ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor c)
{
    if (c == FColorEmptyMsg)
        return;
    setColour(FColorEmptyMsg, c);
}

void TReportListView::SetCommonHeader(const QString& s)
{
    if (s == FRLData->CommonHeader())
        return;
    FRLData->SetCommonHeader(s);
    Changed();
    Paint();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment a)
{
    if (!Store(FCommonHeaderAlignment, a))
        return;
    Changed();
    Paint();
}

void TReportListView::SetCommonHeaderVisible(bool v)
{
    if (!Store(FCommonHeaderVisible, v))
        return;
    updateGridRows();
    updateHeaderHeights();
    Changed();
    Paint();
}

void TReportListView::SetCommonHeaderHeight(int h)
{
    FCommonHeaderHeight = std::clamp(h, 8, 127);
    updateHeaderHeights();
    Changed();
    Paint();
}

void TReportListView::SetColumnHeadersVisible(bool v)
{
    if (!Store(FColumnHeadersVisible, v))
        return;
    updateGridRows();
    updateHeaderHeights();
    Changed();
    Paint();
}

void TReportListView::SetColumnHeadersHeight(int h)
{
    FColumnHeadersHeight = std::clamp(h, 8, 127);
    updateHeaderHeights();
    Changed();
    Paint();
}

void TReportListView::SetDefaultColWidth(int w)
{
    TCustomGrid::SetDefaultColWidth(w);
    Paint();
    ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(int h)
{
    TCustomGrid::SetDefaultRowHeight(h);
    updateHeaderHeights();
    Paint();
    ChangedSetup();
}

void TReportListView::setGridColWidth(int gridCol, int width)
{
    TCustomGrid::SetGridColWidths(gridCol, width);
    ChangedSetup();
}

void TReportListView::ColumnSizedByUser(int ACol, int Width)
{
    setGridColWidth(ACol, Width);
}

int TReportListView::ColWidths(int Index) const
{
    if (Index < 1 || Index > NrOfColumns())
        return 0;
    return TCustomGrid::GridColWidths(gridColOf(Index));
}

void TReportListView::SetColWidths(int Index, int Width)
{
    if (Index >= 1 && Index <= NrOfColumns())
        setGridColWidth(gridColOf(Index), Width);
    else
        ChangedSetup();
}

void TReportListView::SetLeftCol(int v)
{
    v = std::clamp(v, FixedCols() + 1, std::max(FixedCols() + 1, NrOfColumns()));
    TCustomGrid::SetGridLeftCol(v - 1);
}

void TReportListView::SetTopRow(int v)
{
    v = std::clamp(v, 1, std::max(1, NrOfRows()));
    TCustomGrid::SetGridTopRow(v + CountHeadRows() - 1);
}

void TReportListView::SetEmptyMessage(const QString& s)
{
    if (!Store(FEmptyMsg, s))
        return;
    Paint();
    ChangedSetup();
}

void TReportListView::SetEnabled(bool on)
{
    FEnabled = on;
    TCustomGrid::SetEnabled(on);
    Refresh();
}

bool TReportListView::CanEditShow() const
{
    const int dataRow = dataRowOf(Row());
    return TCustomDrawGrid::CanEditShow() && ColumnEditable(dataColOf(Col())) && dataRow <= NumShownRows()
        && !rowDisabled(dataRow);
}

void TReportListView::hideEditorOnDisabledRow()
{
    if (EditorMode() && rowDisabled(dataRowOf(Row())))
        HideEditor();
}

void TReportListView::SetHighLightBold(bool v)
{
    FHighLightBold = v;
    Paint();
    ChangedSetup();
}

void TReportListView::SetHighLightRow(int r)
{
    FHighLightRow = r;
    Paint();
    ChangedSetup();
}

void TReportListView::SetHighLightColumn(int c)
{
    FHighLightColumn = c;
    Paint();
    ChangedSetup();
}

void TReportListView::SetInterRowIndicatorWidth(int w)
{
    FInterRowIndicatorWidth = w;
    Paint();
    ChangedSetup();
}

void TReportListView::SetInterRowIndicatorPos(int p)
{
    if (!Store(FInterRowIndicatorPos, p))
        return;
    Paint();
}

void TReportListView::SetRowColPattern(int p)
{
    FRowColPattern = p;
    Paint();
    ChangedSetup();
}

void TReportListView::SetShowEmptyCheckBoxes(bool v)
{
    if (!Store(FShowEmptyCBx, v))
        return;
    Paint();
}

void TReportListView::SetFixedFirstColumn(bool v)
{
    FFixedFirstColumn = v;
    SetFixedCols(v ? 1 : 0);
    Changed();
    Paint();
}

void TReportListView::SetCheckMarksReadOnly(bool v)
{
    if (!Store(FROCheckMarks, v))
        return;
    Paint();
}

void TReportListView::SetSuppressPaint(bool v)
{
    if (!Store(FSuppressPaint, v))
        return;
    if (!v) {
        Paint();
        Invalidate();
    }
}

void TReportListView::SetSecondarySortColumn(int c)
{
    if (c < -1 || c > NrOfColumns())
        return;
    FRLData->SetSecondarySortColumn(c);
    ChangedSetup();
}

void TReportListView::SetRowSelectMode(int m)
{
    FRowSelectMode = m;
    if (m != 2) {
        const auto scope = SuppressPaintScope(this);
        for (int r = 1; r <= NrOfRows(); ++r)
            FRLData->Strings()->SetRowAttrib(r, FRLData->Strings()->GetRowAttrib(r) & ~RowAttrSelected);
    }
    if (m == 0)
        SetSelection(GridRect(NrOfColumns() + 1, NrOfRows() + 1, NrOfColumns() + 1, NrOfRows() + 1));
    ChangedSelection();
}

// ---- store pass-through with a repaint ------------------------------------------------------

void TReportListView::SetElemChecked(int ACol, int ARow, bool v) { FRLData->SetElemChecked(ACol, ARow, v); }

void TReportListView::SetColumnFormat(int ColNr, const QString& f)
{
    FRLData->SetColumnFormat(ColNr, f);
    Changed();
    Paint();
}

void TReportListView::SetColCheckMode(int ColNr, TCheckMode m)
{
    // Every cell of the column is rewritten; an open editor would hold the old form.
    if (m != GetColCheckMode(ColNr))
        HideEditor();
    FRLData->SetColCheckMode(ColNr, m);
    Changed();
    Paint();
}

void TReportListView::SetColName(int ColNr, const QString& s)
{
    FRLData->SetColName(ColNr, s);
    Changed();
    Paint();
}

void TReportListView::SetCheckedCol(int ColNr, bool v)
{
    if ((v ? cmBox : cmNone) != GetColCheckMode(ColNr))
        HideEditor();
    FRLData->SetCheckedCol(ColNr, v);
    Changed();
    Paint();
}

int TReportListView::CountCheckedElemsInCol(int Column) const
{
    if (Column < 1 || Column > NrOfColumns() || GetColCheckMode(Column) == cmNone)
        return 0;
    int n = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        if (!rowDisabled(r) && FRLData->GetElemChecked(Column, r))
            ++n;
    return n;
}

bool TReportListView::LoadFromXMLFile(const QString& FName, const QString& DataID)
{
    HideEditor();
    const bool ok = FRLData->LoadFromXMLFile(FName, DataID);
    syncWithStore();
    Paint();
    return ok;
}

bool TReportListView::ReadFromXMLStream(QIODevice* InStream, const QString& DataID)
{
    HideEditor();
    const bool ok = FRLData->ReadFromXMLStream(InStream, DataID);
    syncWithStore();
    Paint();
    return ok;
}

bool TReportListView::ReadFromXMLString(const QString& InString, const QString& DataID)
{
    HideEditor();
    const bool ok = FRLData->ReadFromXMLString(InString, DataID);
    syncWithStore();
    Paint();
    return ok;
}

bool TReportListView::ReadFromOpenXMLFile(QTextStream& InFile, const QString& DataID)
{
    HideEditor();
    const bool ok = FRLData->ReadFromOpenXMLFile(InFile, DataID);
    syncWithStore();
    Paint();
    return ok;
}

// ---- per-column view settings ---------------------------------------------------------------

int TReportListView::ColumnOrder(int ColNr) const
{
    if (ColNr < 1 || ColNr > int(FColOrder.size()))
        return 0;
    return FColOrder[size_t(ColNr - 1)] + 1;
}

bool TReportListView::SetColumnOrder(const std::vector<int>& ColList)
{
    if (int(ColList.size()) != NrOfColumns())
        return false;
    bool ok = true;
    for (size_t i = 0; i < ColList.size() && i < FColOrder.size(); ++i) {
        if (ColList[i] >= 1 && ColList[i] <= NrOfColumns())
            FColOrder[i] = ColList[i] - 1;
        else
            ok = false;
    }
    Paint();
    return ok;
}

TAlignment TReportListView::ColumnAlignment(int ColNr) const
{
    if (ColNr < 1 || ColNr > int(FColAlignment.size()))
        return taLeftJustify;
    return FColAlignment[size_t(ColNr - 1)];
}

void TReportListView::SetColAlignment(int ColNr, TAlignment a)
{
    if (ColNr < 1 || ColNr > int(FColAlignment.size()) || FColAlignment[size_t(ColNr - 1)] == a)
        return;
    FColAlignment[size_t(ColNr - 1)] = a;
    Changed();
    Paint();
}

bool TReportListView::ColumnEditable(int ColNr) const
{
    if (ColNr < 1 || ColNr > int(FColumnEditable.size()))
        return false;
    return FColumnEditable[size_t(ColNr - 1)];
}

void TReportListView::SetColumnEditable(int ColNr, bool v)
{
    if (ColNr < 1 || ColNr > int(FColumnEditable.size()))
        return;
    FColumnEditable[size_t(ColNr - 1)] = v;
}

bool TReportListView::ColumnIsPwd(int ColNr) const
{
    if (ColNr < 1 || ColNr > int(FColumnIsPwd.size()))
        return false;
    return FColumnIsPwd[size_t(ColNr - 1)];
}

void TReportListView::SetColumnIsPwd(int ColNr, bool v)
{
    if (ColNr < 1 || ColNr > int(FColumnIsPwd.size()) || FColumnIsPwd[size_t(ColNr - 1)] == v)
        return;
    FColumnIsPwd[size_t(ColNr - 1)] = v;
    Changed();
    Paint();
}

// ---- row and column states ------------------------------------------------------------------

bool TReportListView::rowDisabled(int r) const
{
    return r >= 1 && r <= NrOfRows() && (FRLData->Strings()->GetRowAttrib(r) & RowAttrDisabled) != 0;
}

bool TReportListView::RowSelected(int r) const
{
    return r >= 1 && r <= NrOfRows() && (FRLData->Strings()->GetRowAttrib(r) & RowAttrSelected) != 0;
}

void TReportListView::SetRowSelected(int r, bool v)
{
    if (r < 1 || r > NrOfRows())
        return;
    TStringArray* s = FRLData->Strings();
    s->SetRowAttrib(r, v ? (s->GetRowAttrib(r) | RowAttrSelected) : (s->GetRowAttrib(r) & ~RowAttrSelected));
    ChangedSelection();
    Paint();
}

bool TReportListView::RowEnabled(int r) const
{
    return r >= 1 && r <= NrOfRows() && !rowDisabled(r);
}

void TReportListView::SetRowEnabled(int r, bool v)
{
    if (r < 1 || r > NrOfRows())
        return;
    TStringArray* s = FRLData->Strings();
    s->SetRowAttrib(r, v ? (s->GetRowAttrib(r) & ~RowAttrDisabled) : (s->GetRowAttrib(r) | RowAttrDisabled));
    hideEditorOnDisabledRow();
    ChangedSelection();
    Paint();
}

bool TReportListView::ColumnSelected(int c) const
{
    return c >= 1 && c <= NrOfColumns() && (FRLData->Strings()->GetColAttrib(c) & ColAttrSelected) != 0;
}

void TReportListView::SetColumnSelected(int c, bool v)
{
    if (c < 1 || c > NrOfColumns())
        return;
    TStringArray* s = FRLData->Strings();
    s->SetColAttrib(c, v ? (s->GetColAttrib(c) | ColAttrSelected) : (s->GetColAttrib(c) & ~ColAttrSelected));
    ChangedSelection();
    Paint();
}

int TReportListView::FirstSelectedRow() const
{
    for (int r = 1; r <= NrOfRows(); ++r)
        if (RowSelected(r))
            return rowDisabled(r) ? 0 : r;
    return 0;
}

int TReportListView::FirstSelectedColumn() const
{
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (ColumnSelected(c))
            return c;
    return 0;
}

int TReportListView::NumSelectedRows() const
{
    int n = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        n += RowSelected(r) ? 1 : 0;
    return n;
}

int TReportListView::NumSelectedColumns() const
{
    int n = 0;
    for (int c = 1; c <= NrOfColumns(); ++c)
        n += ColumnSelected(c) ? 1 : 0;
    return n;
}

int TReportListView::NumEnabledRows() const
{
    int n = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        n += rowDisabled(r) ? 0 : 1;
    return n;
}

void TReportListView::setAllRowBits(Byte bit, bool on)
{
    {
        const auto scope = SuppressPaintScope(this);
        TStringArray* s = FRLData->Strings();
        for (int r = 1; r <= NrOfRows(); ++r)
            s->SetRowAttrib(r, on ? Byte(s->GetRowAttrib(r) | bit) : Byte(s->GetRowAttrib(r) & ~bit));
    }
    hideEditorOnDisabledRow();
    ChangedSelection();
}

void TReportListView::SelectAllRows() { setAllRowBits(RowAttrSelected, true); }
void TReportListView::DeselectAllRows() { setAllRowBits(RowAttrSelected, false); }
void TReportListView::EnableAllRows() { setAllRowBits(RowAttrDisabled, false); }
void TReportListView::DisableAllRows() { setAllRowBits(RowAttrDisabled, true); }

void TReportListView::SelectAllColumns()
{
    {
        const auto scope = SuppressPaintScope(this);
        TStringArray* s = FRLData->Strings();
        for (int c = 1; c <= NrOfColumns(); ++c)
            s->SetColAttrib(c, s->GetColAttrib(c) | ColAttrSelected);
    }
    ChangedSelection();
}

void TReportListView::DeselectAllColumns()
{
    {
        const auto scope = SuppressPaintScope(this);
        TStringArray* s = FRLData->Strings();
        for (int c = 1; c <= NrOfColumns(); ++c)
            s->SetColAttrib(c, s->GetColAttrib(c) & ~ColAttrSelected);
    }
    ChangedSelection();
}

// ---- rows and bulk operations ------------------------------------------------------------------

int TReportListView::AddRow()
{
    HideEditor();
    SetNrRows(NrOfRows() + 1);
    return NrOfRows();
}

int TReportListView::InsertRow(int r)
{
    HideEditor();
    int used = 0;
    {
        const auto scope = SuppressPaintScope(this);
        if (r >= 1 && r <= NrOfRows()) {
            FRLData->Strings()->InsertRow(r);
            SetNrRows(NrOfRows() + 1);
            used = r;
        } else if (r > NrOfRows()) {
            SetNrRows(NrOfRows() + 1);
            used = NrOfRows();
        }
        FRLData->forgetSortColumns();
    }
    return used;
}

void TReportListView::RemoveRow(int r)
{
    if (r < 1 || r > NrOfRows())
        return;
    HideEditor();
    if (NrOfRows() > FixedRows() - 1) {
        FRLData->Strings()->RemoveRow(r);
        FRLData->SetNrRows(NrOfRows() - 1);
        updateGridRows();
        updateHeaderHeights();
        ChangedSetup();
    } else {
        for (int c = 0; c <= NrOfColumns(); ++c)
            FRLData->Strings()->SetString(c, r, QString());
        FRLData->SetNrRows(0);
        updateGridRows();
        updateHeaderHeights();
    }
    Paint();
}

void TReportListView::RemoveEmptyRows()
{
    HideEditor();
    for (int r = NrOfRows(); r >= 1; --r) {
        bool empty = true;
        for (int c = 0; c <= NrOfColumns() && empty; ++c)
            empty = FRLData->GetElem(c, r).isEmpty();
        if (empty)
            RemoveRow(r);
    }
}

void TReportListView::Fill(const QString& s)
{
    HideEditor();
    const auto scope = SuppressPaintScope(this);
    FRLData->Fill(s);
}

void TReportListView::Clear()
{
    HideEditor();
    FRLData->Clear();
    const size_t n = size_t(std::max(1, NrOfColumns()));
    FColAlignment.assign(n, taLeftJustify);
    FColumnEditable.assign(n, false);
    FColumnIsPwd.assign(n, false);
    resetColumnArrays();
    Paint();
}

void TReportListView::Sort(int Col, int ColSec, bool Ascending)
{
    HideEditor();
    restoreFilterBase();
    FRLData->Sort(Col, ColSec, Ascending);
    relayoutFilter();
    Paint();
}

void TReportListView::UnSort()
{
    HideEditor();
    FRLData->UnSort();
    relayoutFilter();
    Paint();
}

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    if (GetColCheckMode(Column) != cmBox)
        return;
    const auto scope = SuppressPaintScope(this);
    FRLData->SetAllCheckmarksOfCol(Column, Checked);
}

void TReportListView::InvertAllCheckmarksOfCol(int Column)
{
    if (GetColCheckMode(Column) != cmBox)
        return;
    const auto scope = SuppressPaintScope(this);
    FRLData->InvertAllCheckmarksOfCol(Column);
}

void TReportListView::CenterScrollAndSelect(int Row)
{
    const auto scope = SuppressPaintScope(this);
    TStringArray* s = FRLData->Strings();
    for (int r = 1; r <= NrOfRows(); ++r)
        s->SetRowAttrib(r, s->GetRowAttrib(r) & ~RowAttrSelected);
    if (Row >= 1 && Row <= NrOfRows())
        s->SetRowAttrib(Row, s->GetRowAttrib(Row) | RowAttrSelected);
    const int v = VisibleRowCount();
    int top = Row > NrOfRows() - v / 2 ? NrOfRows() - v + 1 : Row - v / 2;
    SetTopRow(std::max(1, top));
    const int g = gridRowOf(Row);
    SetSelection(GridRect(FixedCols(), g, ColCount() - 1, g));
}

TGridCoord TReportListView::MouseCell(int X, int Y) const
{
    const TGridCoord c = MouseCoord(X, Y);
    TGridCoord res{c.X + 1, 0};
    if (c.Y < 0)
        return res;
    const int hr = CountHeadRows();
    if (c.Y >= hr)
        res.Y = dataRowOf(c.Y);
    else if (hr == 1)
        res.Y = FCommonHeaderVisible ? -2 : -1;
    else
        res.Y = c.Y == 0 ? -2 : -1;
    return res;
}

// ---- column widths ---------------------------------------------------------------------------

int TReportListView::DetermineMaxColWidth(int ColNr, bool IncludeHeader)
{
    if (ColNr < 1 || ColNr > NrOfColumns())
        return 9;
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    const bool italic = Font()->Style().Contains(fsItalic);
    const bool check = GetColCheckMode(ColNr) != cmNone;
    const bool pwd = ColumnIsPwd(ColNr);
    int widest = 0;
    for (int r = 1; r <= NrOfRows(); ++r) {
        const QString t = pwd ? QStringLiteral("******") : FRLData->GetElem(ColNr, r);
        int w = cv->TextWidth(t);
        if (check)
            w += 16;
        if (italic)
            w += 2;
        widest = std::max(widest, w);
    }
    if (IncludeHeader) {
        int w = 0;
        for (const QString& line : GetColName(ColNr).split(QLatin1Char('\n')))
            w = std::max(w, cv->TextWidth(line));
        if (ColNr == FRLData->LastSortColumn())
            w += 13;
        if (italic)
            w += 2;
        widest = std::max(widest, w);
    }
    return widest + 9;
}

int TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon)
{
    const int w = std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon);
    SetColWidths(ColNr, w);
    return w;
}

int TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth)
{
    const int w = std::min(MaxWidth, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon));
    SetColWidths(ColNr, w);
    return w;
}

void TReportListView::ExpandColWidth(int ColIx, int RightMargin)
{
    if (ColIx >= 1 && ColIx <= NrOfColumns()) {
        const int gc = gridColOf(ColIx);
        int others = 0;
        for (int k = 0; k < ColCount(); ++k)
            if (k != gc)
                others += TCustomGrid::GridColWidths(k);
        const int w = ClientWidth() - RightMargin - others;
        TCustomGrid::SetGridColWidths(gc, w > 15 ? w : 16);
    }
    ChangedSetup();
}

void TReportListView::FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth, int RightMargin)
{
    const auto scope = SuppressPaintScope(this);
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (c != ExpandColumn)
            AutoColWidth(c, IncludeHeader, Addon, MaxWidth);
    ExpandColWidth(ExpandColumn, RightMargin);
}

// ---- copying -------------------------------------------------------------------------------

void TReportListView::SetBounds(int left, int top, int width, int height)
{
    TCustomDrawGrid::SetBounds(left, top, width, height);
    Paint();
}

void TReportListView::Assign(const QObject* Source)
{
    const auto* src = qobject_cast<const TReportListView*>(Source);
    if (!src) {
        TCustomDrawGrid::Assign(Source);
        return;
    }
    if (src == this)
        return;
    HideEditor();
    FAutoAdvance = src->FAutoAdvance;
    FLastMousePosX = src->FLastMousePosX;
    FLastMousePosY = src->FLastMousePosY;
    OnChange = src->OnChange;
    OnChangeSetup = src->OnChangeSetup;
    OnSelectedChange = src->OnSelectedChange;
    FSelectAnchor = src->FSelectAnchor;
    FRowSelectMode = src->FRowSelectMode;
    FSortEnabled = src->FSortEnabled;
    FEnabled = src->FEnabled;
    OnCheckedChange = src->OnCheckedChange;
    OnBeforeCheckedChange = src->OnBeforeCheckedChange;
    OnGetEditText = src->OnGetEditText;
    OnSetEditText = src->OnSetEditText;
    FColorSelectedRow = src->FColorSelectedRow;
    FColorSelectedRowText = src->FColorSelectedRowText;
    FColorSelectedCol = src->FColorSelectedCol;
    FColorSelectedColText = src->FColorSelectedColText;
    FColorSelectedBoth = src->FColorSelectedBoth;
    FColorSelectedBothText = src->FColorSelectedBothText;
    FColorHigh = src->FColorHigh;
    FColorHighText = src->FColorHighText;
    FHighLightBold = src->FHighLightBold;
    FHighLightRow = src->FHighLightRow;
    FHighLightColumn = src->FHighLightColumn;
    FColorText = src->FColorText;
    FColorBkgdNormal = src->FColorBkgdNormal;
    FColorBkgdShaded = src->FColorBkgdShaded;
    FRowColPattern = src->FRowColPattern;
    FCommonHeaderAlignment = src->FCommonHeaderAlignment;
    FCommonHeaderVisible = src->FCommonHeaderVisible;
    FColumnHeadersVisible = src->FColumnHeadersVisible;
    FColorCommonHd = src->FColorCommonHd;
    FColorCommonHdText = src->FColorCommonHdText;
    TCustomGrid::SetFixedColor(src->ColorColumnHd());
    FColorColumnHdText = src->FColorColumnHdText;
    OnRequestEditFormat = src->OnRequestEditFormat;
    FShowEmptyCBx = src->FShowEmptyCBx;
    OnPercentDone = src->OnPercentDone;
    OnBeforeRenderCell = src->OnBeforeRenderCell;
    OnBeforeSortExchange = src->OnBeforeSortExchange;
    OnBeforeHTMLExport = src->OnBeforeHTMLExport;
    OnBeforeFilter = src->OnBeforeFilter;
    FInterRowIndicatorPos = src->FInterRowIndicatorPos;
    FInterRowIndicatorColor = src->FInterRowIndicatorColor;
    FInterRowIndicatorWidth = src->FInterRowIndicatorWidth;
    FFixedFirstColumn = src->FFixedFirstColumn;
    const bool suppress = src->FSuppressPaint;
    FSuppressPaint = true;
    FRLData->Assign(src->FRLData);
    try {
        SetColCount(NrOfColumns());
        updateGridRows();
        SetFixedCols(FFixedFirstColumn ? 1 : 0);
        updateHeaderHeights();
        FColAlignment = src->FColAlignment;
        FColumnIsPwd = src->FColumnIsPwd;
        FColumnEditable = src->FColumnEditable;
        FColOrder = src->FColOrder;
    } catch (const std::bad_alloc&) {
        FSuppressPaint = suppress;
        throw EQORRepListError(ComponentMessage(Name(), QStringLiteral("not enough memory on heap")));
    }
    FSuppressPaint = suppress;
    Paint();
}

void TReportListView::AssignTo(QObject* Dest) const
{
    if (auto* dst = qobject_cast<TReportListView*>(Dest)) {
        dst->Assign(this);
        return;
    }
    AssignError(this, Dest);
}

} // namespace qor

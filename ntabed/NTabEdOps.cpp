// TNTabEd operations: inserting, removing and mirroring, clearing and filling, marks and
// sorts. Everything that moves or replaces cells closes the in-place editor first, so a
// later keystroke never lands in another cell.
#include "ntabed/NTabEd_p.h"

#include <algorithm>

namespace qor {

void TNTabEd::InsertRow(int ix)
{
    if (ix < 1 || ix > NrOfRows() + 1)
        return;
    HideEditor();
    PaintPause pause(this);
    m_data->InsertRow(ix);
}

void TNTabEd::InsertColumn(int ix)
{
    if (ix < 1 || ix > NrOfColumns() + 1)
        return;
    HideEditor();
    PaintPause pause(this);
    m_data->InsertColumn(ix);
}

void TNTabEd::RemoveRow(int ix)
{
    if (ix < 1 || ix > NrOfRows() || NrOfRows() < 2)
        return;
    HideEditor();
    PaintPause pause(this);
    m_data->RemoveRow(ix);
}

void TNTabEd::RemoveColumn(int ix)
{
    if (ix < 1 || ix > NrOfColumns() || NrOfColumns() < 2)
        return;
    HideEditor();
    PaintPause pause(this);
    m_data->RemoveColumn(ix);
}

void TNTabEd::MirrorRows()
{
    HideEditor();
    PaintPause pause(this);
    m_data->MirrorRows();
}

void TNTabEd::MirrorColumns()
{
    HideEditor();
    PaintPause pause(this);
    m_data->MirrorColumns();
}

void TNTabEd::Clear()
{
    HideEditor();
    PaintPause pause(this);
    m_data->Clear();
    for (int c = 1; c <= NrOfColumns(); ++c)
        m_data->SetColName(c, QStringLiteral("C-") + QString::number(c));
    for (int r = 1; r <= NrOfRows(); ++r)
        m_data->SetRowName(r, QStringLiteral("R-") + QString::number(r));
    std::fill(m_precision.begin(), m_precision.end(), static_cast<signed char>(3));
}

void TNTabEd::Fill(double Value)
{
    HideEditor();
    m_data->Matrix().Fill(Value);
    // No event, but the window must show the new values.
    Invalidate();
}

void TNTabEd::FillMarkedCells(double Value, Byte StateMask)
{
    HideEditor();
    PaintPause pause(this);
    m_data->FillMarkedCells(Value, StateMask);
}

void TNTabEd::InvertCellStates(Byte StateMask)
{
    {
        QuietTable q(this);
        m_data->InvertCellStates(StateMask);
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::ExchangeMarkings()
{
    {
        QuietTable q(this);
        m_data->ExchangeMarkings();
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::setAllStates(Byte orMask, Byte andMask)
{
    {
        InternalSuppress s(this);
        Byte* st = m_data->States();
        const std::size_t n = m_data->Matrix().Count();
        for (std::size_t k = 0; k < n; ++k)
            st[k] = Byte((st[k] | orMask) & andMask);
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::UnMarkAllElems() { setAllStates(0, 0x3F); }
void TNTabEd::MarkAllElemsA() { setAllStates(csMarkA, 0xFF); }
void TNTabEd::MarkAllElemsB() { setAllStates(csMarkB, 0xFF); }

int TNTabEd::NrOfMarkedDataA() const
{
    const Byte* st = m_data->States();
    return int(std::count_if(st, st + m_data->Matrix().Count(), [](Byte s) { return (s & csMarkA) != 0; }));
}

int TNTabEd::NrOfMarkedDataB() const
{
    const Byte* st = m_data->States();
    return int(std::count_if(st, st + m_data->Matrix().Count(), [](Byte s) { return (s & csMarkB) != 0; }));
}

bool TNTabEd::IfRowMarked(int row) const
{
    if (row < 1 || row > NrOfRows())
        return false;
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (CellState(c, row) & (csMarkA | csMarkB))
            return true;
    return false;
}

bool TNTabEd::IfColumnMarked(int col) const
{
    if (col < 1 || col > NrOfColumns())
        return false;
    for (int r = 1; r <= NrOfRows(); ++r)
        if (CellState(col, r) & (csMarkA | csMarkB))
            return true;
    return false;
}

bool TNTabEd::IfAnyMarked() const
{
    for (int r = 1; r <= NrOfRows(); ++r)
        if (IfRowMarked(r))
            return true;
    return false;
}

// ---- sorts ---------------------------------------------------------------------------------

namespace {
// Sorting with headers moves columns with their names: their precisions go along.
class SortHeaders {
public:
    SortHeaders(bool& flag, bool on) : m_flag(flag), m_saved(flag) { m_flag = on; }
    ~SortHeaders() { m_flag = m_saved; }
    SortHeaders(const SortHeaders&) = delete;
    SortHeaders& operator=(const SortHeaders&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};
} // namespace

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, IncludeHeaders);
    m_data->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool IncludeHeaders)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, IncludeHeaders);
    m_data->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, true);
    m_data->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, true);
    m_data->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, true);
    m_data->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow)
{
    HideEditor();
    PaintPause pause(this);
    SortHeaders h(m_sortIncludeHd, true);
    m_data->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

} // namespace qor

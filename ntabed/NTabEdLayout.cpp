// TNTabEd layout: dimensions and resizing, the attribute column and row, column widths,
// row heights and scrolling in data coordinates.
#include "ntabed/NTabEd_p.h"

#include <algorithm>
#include <new>

namespace qor {

// Brings the grid and the precisions in line with the table after it changed size: new
// columns take the width of the old last column and its precision.
void TNTabEd::syncGridToTable(int oldCols)
{
    const int nc = NrOfColumns();
    const int nr = NrOfRows();
    const int w = TCustomGrid::GridColWidths(ColCount() - 1);
    const int oldGridCols = ColCount();
    TCustomGrid::SetColCount(nc + m_colOffset + 1);
    for (int g = std::max(oldGridCols, m_colOffset + 1); g < ColCount(); ++g)
        TCustomGrid::SetGridColWidths(g, w);
    TCustomGrid::SetRowCount(nr + m_rowOffset + 1);
    resizePrecisions(std::min(oldCols, int(m_precision.size())));
}

void TNTabEd::resizePrecisions(int keep)
{
    const int n = NrOfColumns();
    if (int(m_precision.size()) == n)
        return;
    const signed char last = m_precision.empty() ? 3 : m_precision[std::size_t(std::max(0, keep - 1))];
    try {
        m_precision.resize(std::size_t(n), last);
    } catch (const std::bad_alloc&) {
        throw EQORNTabedError(ComponentMessage(Name(), QStringLiteral("not enough memory on heap")));
    }
}

void TNTabEd::SetNrOfColumns(int n)
{
    if (n == NrOfColumns())
        return;
    {
        InternalSuppress s(this);
        m_data->Resize(n, NrOfRows());   // the resized notification lays out the grid
    }
    Fire(OnChangeSetup);
    Invalidate();
}

void TNTabEd::SetNrOfRows(int n)
{
    if (n == NrOfRows())
        return;
    {
        InternalSuppress s(this);
        m_data->Resize(NrOfColumns(), n);
    }
    Fire(OnChangeSetup);
    Invalidate();
}

void TNTabEd::Redimension(int NrCols, int NrRows)
{
    {
        InternalSuppress s(this);
        if (NrCols != NrOfColumns() || NrRows != NrOfRows())
            m_data->Resize(NrCols, NrRows);
    }
    Fire(OnChangeSetup);
    Invalidate();
}

// ---- scrolling -----------------------------------------------------------------------------

void TNTabEd::SetLeftCol(int v)
{
    TCustomGrid::SetGridLeftCol(std::clamp(v + m_colOffset, m_colOffset + 1, m_colOffset + NrOfColumns()));
}

void TNTabEd::SetTopRow(int v)
{
    TCustomGrid::SetGridTopRow(std::clamp(v + m_rowOffset, m_rowOffset + 1, m_rowOffset + NrOfRows()));
    Invalidate();
}

// ---- widths and heights --------------------------------------------------------------------

int TNTabEd::ColWidths(int Index) const
{
    if (Index > 0)
        return Index <= NrOfColumns() ? TCustomGrid::GridColWidths(Index + m_colOffset) : 0;
    if (Index == 0)
        return TCustomGrid::GridColWidths(0);
    return m_colOffset == 1 ? TCustomGrid::GridColWidths(1) : 0;
}

void TNTabEd::SetColWidths(int Index, int Width)
{
    if (Index > 0) {
        if (Index <= NrOfColumns())
            TCustomGrid::SetGridColWidths(Index + m_colOffset, Width);
    } else if (Index == 0) {
        TCustomGrid::SetGridColWidths(0, Width);
    } else if (m_colOffset == 1) {
        TCustomGrid::SetGridColWidths(1, Width);
        m_classColWidth = TCustomGrid::GridColWidths(1);
    }
    Fire(OnLayoutChanged);
}

void TNTabEd::setDataRowHeight(int RowNr, int h)
{
    if (RowNr > 0) {
        if (RowNr <= NrOfRows())
            TCustomGrid::SetRowHeights(RowNr + m_rowOffset, h);
    } else if (RowNr == 0) {
        TCustomGrid::SetRowHeights(0, h);
    } else if (m_rowOffset == 1) {
        TCustomGrid::SetRowHeights(1, h);
    }
}

void TNTabEd::SetDefaultColWidth(int w)
{
    TCustomGrid::SetDefaultColWidth(w);
    TCustomGrid::SetGridColWidths(0, 80);
    if (m_colOffset == 1)
        TCustomGrid::SetGridColWidths(1, m_classColWidth);
    Fire(OnLayoutChanged);
}

// ---- the attribute column and row ----------------------------------------------------------

void TNTabEd::SetAttribRowVisible(bool v)
{
    if (v == AttribRowVisible())
        return;
    if (v) {
        // The grid needs the extra column before it can fix two.
        TCustomGrid::SetColCount(NrOfColumns() + 2);
        for (int g = ColCount() - 1; g >= 2; --g)
            TCustomGrid::SetGridColWidths(g, TCustomGrid::GridColWidths(g - 1));
        TCustomGrid::SetGridColWidths(1, m_classColWidth);
        m_colOffset = 1;
        TCustomGrid::SetFixedCols(2);
    } else {
        m_classColWidth = TCustomGrid::GridColWidths(1);
        TCustomGrid::SetFixedCols(1);
        m_colOffset = 0;
        for (int g = 1; g <= ColCount() - 2; ++g)
            TCustomGrid::SetGridColWidths(g, TCustomGrid::GridColWidths(g + 1));
        TCustomGrid::SetColCount(NrOfColumns() + 1);
    }
    Invalidate();
    Fire(OnLayoutChanged);
}

void TNTabEd::SetAttribColVisible(bool v)
{
    if (v == AttribColVisible())
        return;
    if (v) {
        TCustomGrid::SetRowCount(NrOfRows() + 2);
        for (int g = RowCount() - 1; g >= 2; --g)
            TCustomGrid::SetRowHeights(g, TCustomGrid::RowHeights(g - 1));
        TCustomGrid::SetRowHeights(1, TCustomGrid::RowHeights(0));
        m_rowOffset = 1;
        TCustomGrid::SetFixedRows(2);
    } else {
        TCustomGrid::SetFixedRows(1);
        m_rowOffset = 0;
        for (int g = 1; g <= RowCount() - 2; ++g)
            TCustomGrid::SetRowHeights(g, TCustomGrid::RowHeights(g + 1));
        TCustomGrid::SetRowCount(NrOfRows() + 1);
    }
    Invalidate();
    Fire(OnLayoutChanged);
}

// ---- automatic sizes -----------------------------------------------------------------------

int TNTabEd::AutoColWidth(int ColNr, bool IncludeHeader, int Addon)
{
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    int w = 0;
    if (ColNr == -1) {
        w = cv->TextWidth(IncludeHeader ? QStringLiteral("Attrib") : QStringLiteral("255"));
    } else if (ColNr == 0) {
        w = cv->TextWidth(QStringLiteral("999:9999"));
        for (int r = 1; r <= NrOfRows(); ++r)
            w = std::max(w, cv->TextWidth(RowName(r)));
    } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
        if (IncludeHeader)
            w = cv->TextWidth(ColName(ColNr));
        w = std::max(w, cv->TextWidth(QString::number(ColAttrib(ColNr))));
        for (int r = 1; r <= NrOfRows(); ++r)
            w = std::max(w, cv->TextWidth(ValueText(ColNr, r)));
    } else {
        return 0;
    }
    w = std::max(4, w + Addon + 8);
    SetColWidths(ColNr, w);
    return w;
}

int TNTabEd::AutoRowHeight(int RowNr, int Addon)
{
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    const int h = std::max(8, cv->TextHeight(QStringLiteral("9GMg\u00DC$\u00A7[{|")) + Addon + 2);
    setDataRowHeight(RowNr, h);
    return h;
}

} // namespace qor

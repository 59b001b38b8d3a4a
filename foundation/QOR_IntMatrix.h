// A matrix of integers addressed by 1-based column and row, as the numerics library keeps it.
#pragma once

#include <vector>

namespace qor {

class TIntMatrix {
public:
    /// A matrix of NrColumns x NrRows zeros (negative sizes count as 0).
    TIntMatrix(int nrColumns = 0, int nrRows = 0);

    int NrOfColumns() const { return m_cols; }
    int NrOfRows() const { return m_rows; }
    /// New dimensions; the values of the cells that remain are kept, new cells are 0.
    void Resize(int nrColumns, int nrRows);
    /// New number of rows, keeping the columns.
    void SetNRows(int nrRows) { Resize(m_cols, nrRows); }
    void SetNCols(int nrColumns) { Resize(nrColumns, m_rows); }
    /// The cell at (Col, Row), both 1-based; 0 outside the matrix.
    int GetVal(int col, int row) const;
    /// Ignored outside the matrix.
    void SetVal(int col, int row, int value);
    int Elem(int col, int row) const { return GetVal(col, row); }
    void SetElem(int col, int row, int value) { SetVal(col, row, value); }
    void Fill(int value);

private:
    bool inside(int col, int row) const { return col >= 1 && col <= m_cols && row >= 1 && row <= m_rows; }
    int m_cols = 0;
    int m_rows = 0;
    std::vector<int> m_data; ///< row by row
};

} // namespace qor

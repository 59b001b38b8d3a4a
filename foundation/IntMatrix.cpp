// The integer matrix: one vector, row by row.
#include "foundation/QOR_IntMatrix.h"

#include <algorithm>

namespace qor {

TIntMatrix::TIntMatrix(int nrColumns, int nrRows) { Resize(nrColumns, nrRows); }

void TIntMatrix::Resize(int nrColumns, int nrRows)
{
    nrColumns = std::max(0, nrColumns);
    nrRows = std::max(0, nrRows);
    if (nrColumns == m_cols && nrRows == m_rows)
        return;
    std::vector<int> data(size_t(nrColumns) * size_t(nrRows), 0);
    const int keepCols = std::min(nrColumns, m_cols);
    const int keepRows = std::min(nrRows, m_rows);
    for (int r = 0; r < keepRows; ++r)
        std::copy_n(m_data.begin() + std::ptrdiff_t(r) * m_cols, keepCols,
                    data.begin() + std::ptrdiff_t(r) * nrColumns);
    m_data.swap(data);
    m_cols = nrColumns;
    m_rows = nrRows;
}

int TIntMatrix::GetVal(int col, int row) const
{
    return inside(col, row) ? m_data[size_t(row - 1) * size_t(m_cols) + size_t(col - 1)] : 0;
}

void TIntMatrix::SetVal(int col, int row, int value)
{
    if (inside(col, row))
        m_data[size_t(row - 1) * size_t(m_cols) + size_t(col - 1)] = value;
}

void TIntMatrix::Fill(int value) { std::fill(m_data.begin(), m_data.end(), value); }

} // namespace qor

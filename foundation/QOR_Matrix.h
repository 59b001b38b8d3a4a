// The numerics library's matrix of doubles: one contiguous block, rows after each other,
// addressed with 1-based column and row numbers.
#pragma once

#include "foundation/QOR_Core.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace qor {

/// Lays a row-major block of OldCols x OldRows out anew as NewCols x NewRows, keeping the
/// cells that still fit and giving new cells Fill.
template <class T>
void ResizeRowMajor(std::vector<T>& v, int oldCols, int oldRows, int newCols, int newRows, T fill)
{
    if (newCols == oldCols) {
        v.resize(std::size_t(newCols) * std::size_t(newRows), fill);
        return;
    }
    std::vector<T> out(std::size_t(newCols) * std::size_t(newRows), fill);
    const int cols = std::min(oldCols, newCols);
    const int rows = std::min(oldRows, newRows);
    for (int r = 0; r < rows; ++r)
        std::copy_n(v.begin() + std::ptrdiff_t(std::size_t(r) * std::size_t(oldCols)), cols,
                    out.begin() + std::ptrdiff_t(std::size_t(r) * std::size_t(newCols)));
    v.swap(out);
}

class TMatrix {
public:
    /// A matrix of NrCols x NrRows zeros (a negative size counts as 0).
    explicit TMatrix(int nrCols = 1, int nrRows = 1) { Resize(nrCols, nrRows); }

    int NrOfColumns() const { return m_cols; }
    int NrOfRows() const { return m_rows; }

    /// Keeps the values that still fit; new cells are 0. Raises EQORError when the
    /// memory cannot be had, with the matrix unchanged.
    void Resize(int nrCols, int nrRows);

    /// 0 outside the matrix.
    double Elem(int col, int row) const
    {
        return valid(col, row) ? m_values[index(col, row)] : 0.0;
    }
    /// Ignored outside the matrix.
    void SetElem(int col, int row, double v)
    {
        if (valid(col, row))
            m_values[index(col, row)] = v;
    }
    void Fill(double v) { std::fill(m_values.begin(), m_values.end(), v); }

    /// The values, row after row (column c of row r at (r-1)*NrOfColumns + c-1).
    double* Values() { return m_values.data(); }
    const double* Values() const { return m_values.data(); }
    std::size_t Count() const { return m_values.size(); }

    bool valid(int col, int row) const { return col >= 1 && col <= m_cols && row >= 1 && row <= m_rows; }
    std::size_t index(int col, int row) const
    {
        return std::size_t(row - 1) * std::size_t(m_cols) + std::size_t(col - 1);
    }

private:
    std::vector<double> m_values;
    int m_cols = 0;
    int m_rows = 0;
};

} // namespace qor

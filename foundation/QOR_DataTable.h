// The numerics library's data table: a matrix of doubles with a state byte per cell, a
// name and an attribute byte per row and per column, a comment, and per column a scale
// type with the identifiers of a nominal scale. Storage is contiguous: one block of
// values, one of state bytes, the names and attributes beside them.
#pragma once

#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Matrix.h"

#include <QObject>
#include <array>
#include <functional>
#include <vector>

namespace qor {

/// A row or column name: at most DTNameLen characters (longer texts are cut when stored).
using TDTNameStr = QString;
constexpr int DTNameLen = 50;
/// A nominal identifier: at most NomIDLen characters; ordinals run 1..MaxNomIDs.
constexpr int NomIDLen = 10;
constexpr int MaxNomIDs = 150;

/// Cell-state bits.
constexpr Byte csInvalid = 0x01;  ///< the cell's text is not a valid number
constexpr Byte csEmpty = 0x02;    ///< the cell is empty
constexpr Byte csMarkA = 0x40;
constexpr Byte csMarkB = 0x80;

/// Scale types of a column; nominal scales (mstNominal, mstBinary) hold ordinals of
/// nominal identifiers as cell values.
constexpr int mstInterval = 0;
constexpr int mstNominal = 1;
constexpr int mstBinary = 2;
constexpr int mstOrdinal = 3;
constexpr int mstRatio = 4;
constexpr int MaxMScaleType = 4;
/// Display name of every scale type.
inline constexpr std::array<const char*, MaxMScaleType + 1> MScaleTypeNames = {
    "interval", "nominal", "binary", "ordinal", "ratio"};
/// The display name of a scale type ("" for an unknown type).
QString MScaleTypeName(int scaleType);
inline bool IsNominalScale(int scaleType) { return scaleType == mstNominal || scaleType == mstBinary; }

/// True when S (blanks around it allowed) is a decimal integer with an optional sign that
/// fits an int.
bool IsValidDecInt(const QString& s);
/// The same, giving the value.
bool IsValidDecInt(const QString& s, int& value);

/// Kind byte of the before-sort-exchange notification.
constexpr Byte sekColumns = 1;  ///< two columns exchange places
constexpr Byte sekRows = 2;     ///< two rows exchange places

/// Old and new dimensions after every change of size.
using TDTResizeEvent = std::function<void(TObject* Sender, int OldNrCols, int OldNrRows, int NewNrCols, int NewNrRows)>;
/// Announced before two columns (Kind sekColumns) or rows (sekRows) change places during a
/// sort: Ix1 and Ix2 are the two indices, Low and High the range of the other axis moved.
using TDTBeforeSortExchgEvent = std::function<void(TObject* Sender, Byte Kind, int Ix1, int Ix2, int Low, int High)>;

class TDataTable : public QObject {
    Q_OBJECT
public:
    /// A table of one column and one row.
    explicit TDataTable(QObject* owner = nullptr);
    ~TDataTable() override;
    TDataTable(const TDataTable&) = delete;
    TDataTable& operator=(const TDataTable&) = delete;

    int NrOfColumns() const { return m_values.NrOfColumns(); }
    int NrOfRows() const { return m_values.NrOfRows(); }

    /// Keeps what still fits; new cells are 0 with state 0, new names empty, new
    /// attributes 0. Raises EQORError (table unchanged) for fewer than one column or row
    /// or when the memory cannot be had; reports through OnResize afterwards.
    void Resize(int nrCols, int nrRows);

    // ---- cells (1-based; reads outside give 0, writes outside are ignored)
    double GetElem(int col, int row) const { return m_values.valid(col, row) ? m_values.Values()[at(col, row)] : 0.0; }
    void SetElem(int col, int row, double v);
    Byte GetCellState(int col, int row) const
    {
        return m_values.valid(col, row) ? m_states[at(col, row)] : Byte(0);
    }
    void SetCellState(int col, int row, Byte s);
    /// Neither invalid nor empty.
    bool GetIsNumber(int col, int row) const { return (GetCellState(col, row) & (csInvalid | csEmpty)) == 0; }
    /// The value matrix (changing it directly notifies nobody). A row sort only reorders
    /// the rows' places; asking for the matrix or the states lays the rows out in their
    /// order first, so a reference or pointer obtained here holds until the next sort.
    TMatrix& Matrix() { settleRows(); return m_values; }
    const TMatrix& Matrix() const { settleRows(); return m_values; }
    /// The state bytes, row after row, as the value matrix lays out the values.
    Byte* States() { settleRows(); return m_states.data(); }
    const Byte* States() const { settleRows(); return m_states.data(); }

    // ---- names, attributes, comment
    TDTNameStr GetColName(int col) const;
    void SetColName(int col, const QString& name);
    TDTNameStr GetRowName(int row) const;
    void SetRowName(int row, const QString& name);
    Byte GetColAttrib(int col) const;
    void SetColAttrib(int col, Byte a);
    Byte GetRowAttrib(int row) const;
    void SetRowAttrib(int row, Byte a);
    QString Comment() const { return m_comment; }
    void SetFComment(const QString& text);
    void SetComment(const QString& text) { SetFComment(text); }

    // ---- scales
    /// mstInterval for a column outside the table.
    int GetMScaleType(int col) const;
    /// Types outside 0..MaxMScaleType are ignored.
    void SetMScaleType(int col, int scaleType);
    /// Identifier of ordinal N (1..MaxNomIDs) of the column; empty when undefined.
    QString GetNominalID(int col, int n) const;
    /// Stores the identifier cut to NomIDLen characters.
    void SetNominalID(int col, int n, const QString& id);
    /// Ordinal of Id in the column (compared without case when IgnoreCase), 0 when absent.
    int OrdinalOfNominalID(int col, const QString& id, bool ignoreCase) const;

    // ---- structure (every call reports through OnResize and OnDataChanged)
    /// A new row (column) before Ix; Ix = count + 1 appends; other Ix are ignored.
    void InsertRow(int ix);
    void InsertColumn(int ix);
    /// Removes row (column) Ix; ignored out of range and for the last remaining one.
    void RemoveRow(int ix);
    void RemoveColumn(int ix);
    /// Reverses the order of the rows (columns), names and attributes included.
    void MirrorRows();
    void MirrorColumns();
    /// Every value 0 and state 0, names empty, attributes 0, the comment empty, every
    /// column an interval scale without identifiers; the dimensions stay.
    void Clear();
    /// Copies everything of Source, dimensions included (the notifications stay).
    void Assign(const TDataTable& source);

    // ---- bulk cell operations (OnDataChanged once)
    /// Every state XOR Mask.
    void InvertCellStates(Byte mask);
    /// Mark A and mark B change places in every cell.
    void ExchangeMarkings();
    /// Clears both marks of every cell.
    void UnmarkAllCells();
    /// Every cell whose state has a bit of Mask gets Value; states stay.
    void FillMarkedCells(double value, Byte mask);

    // ---- sorting (stable; cells that are no number follow the numbers in either direction)
    /// Orders columns LowCol..HighCol by their values in row SortRowIx, moving the cells of
    /// rows LowRow..HighRow; with IncludeHeaders the column names, attributes, scale types
    /// and identifiers move with their columns.
    void SortCols(int sortRowIx, bool ascending, int lowCol, int lowRow, int highCol, int highRow, bool includeHeaders);
    /// Orders rows LowRow..HighRow by their values in column SortColIx, moving the cells of
    /// columns LowCol..HighCol; with IncludeHeaders the row names and attributes move too.
    void SortRows(int sortColIx, bool ascending, int lowCol, int lowRow, int highCol, int highRow, bool includeHeaders);
    /// By attributes / names; names and attributes always move with the cells.
    void SortColAttributes(bool ascending, int lowCol, int lowRow, int highCol, int highRow);
    void SortRowAttributes(bool ascending, int lowCol, int lowRow, int highCol, int highRow);
    void SortColNames(bool ascending, bool ignoreCase, int lowCol, int lowRow, int highCol, int highRow);
    void SortRowNames(bool ascending, bool ignoreCase, int lowCol, int lowRow, int highCol, int highRow);

    /// The first column (row) named exactly Name; 0 when there is none.
    int FindColIndex(const QString& name) const;
    int FindRowIndex(const QString& name) const;

    // ---- notifications
    /// Values, states or structure changed.
    TNotifyEvent OnDataChanged;
    /// Names, attributes, comment or scales changed.
    TNotifyEvent OnSetupChanged;
    TDTResizeEvent OnResize;
    TOnPercentDoneEvent OnPercentDone;
    TDTBeforeSortExchgEvent OnBeforeSortExchange;

private:
    /// Position of a cell in the value and state blocks: row Row lives in storage row
    /// m_rowAt[Row - 1].
    std::size_t at(int col, int row) const
    {
        return std::size_t(m_rowAt[std::size_t(row - 1)]) * std::size_t(NrOfColumns()) + std::size_t(col - 1);
    }
    /// Moves every row to its own storage row (one pass) and makes m_rowAt the identity.
    void settleRows() const;
    /// The identity for the current row count (after the blocks were laid out anew).
    void resetRowOrder();
    void dataChanged();
    void setupChanged();
    void resized(int oldCols, int oldRows);
    void exchangeRows(int a, int b, int lowCol, int highCol, bool headers);
    void exchangeCols(int a, int b, int lowRow, int highRow, bool headers);
    /// Applies a permutation of indices Low..High (Order[k] = old index now at Low + k)
    /// through exchanges.
    void permute(bool rows, int low, std::vector<int> order, int lowOther, int highOther, bool headers);
    template <class Less>
    void sortAxis(bool rows, int low, int high, int lowOther, int highOther, bool headers, Less less);
    /// Reorders Low..High of an axis: Arrange(order) puts the indices Low..High, given in
    /// their present order, into the new one.
    template <class Arrange>
    void arrangeAxis(bool rows, int low, int high, int lowOther, int highOther, bool headers, Arrange arrange);
    void percent(int p);

    // Rows exchanged across all columns only swap their entries in m_rowAt; the blocks
    // follow lazily (settleRows), which a const accessor may do, hence mutable.
    mutable TMatrix m_values;
    mutable std::vector<Byte> m_states;
    mutable std::vector<int> m_rowAt;
    mutable bool m_rowsMoved = false;
    std::vector<QString> m_colNames;
    std::vector<QString> m_rowNames;
    std::vector<Byte> m_colAttr;
    std::vector<Byte> m_rowAttr;
    std::vector<Byte> m_scaleType;
    /// Identifiers per column; empty until the column gets its first identifier.
    std::vector<std::vector<QString>> m_nomIDs;
    QString m_comment;
};

} // namespace qor

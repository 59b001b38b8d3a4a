// The core library's two-dimensional string table and the small string and stream
// helpers that travel with it.
#pragma once

#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Core.h"

#include <QString>
#include <functional>
#include <vector>

class QIODevice;

namespace qor {

/// How two Boolean results are combined.
inline namespace stringarray_enums {
Q_NAMESPACE
enum TLogicOp : Byte { loAND = 0, loOR = 1, loXOR = 2, loANDNOT = 3, loORNOT = 4, loXORNOT = 5 };
Q_ENUM_NS(TLogicOp)
} // namespace stringarray_enums

/// A op B; the ...NOT forms negate B first.
bool ApplyLogicOp(TLogicOp op, bool a, bool b);

/// Called once for every cell text a sort looks at, before rows change places: the
/// handler may replace the text the sort key is made from (OutString starts as InString).
using TBeforeSortExchgEvent = std::function<void(TObject* Sender, const QString& InString, QString& OutString)>;

/// Fixed-point text of X with Decimals decimals, right-aligned in at least Width characters.
QString strff(double x, int width, int decimals);
/// S left-aligned in exactly N characters: padded with blanks, or cut.
QString LeftString(const QString& s, int n);
/// A random password of N characters from letters and digits (empty for N <= 0).
QString InventPassword(int n);
/// Reads a decimal integer from the 1-based position Start of S: blanks are skipped while
/// the position is before the last character, one sign is taken, then the digits up to the
/// first non-digit. No digits give 0; values beyond the int range saturate.
int ReadIntegerAt(const QString& s, int start);
/// The next line of Stream from its current position, without its line end (LF, CR LF).
/// EndOfStream is set when nothing is left after the line. MaxLen > 0 caps the returned
/// text (the rest of an overlong line is skipped); 0 means no cap.
QString ReadLnStream(QIODevice* stream, bool& endOfStream, int maxLen = 0);

/// Reads a cell text as a number: blanks around it are ignored, the decimal point is "."
/// (or a single "," when there is no "."); false for anything else, and for inf or nan.
bool TryReadNumber(const QString& s, double& value);

namespace detail {

/// The texts of one column of a TStringArray. A text per cell as a QString would cost 24
/// bytes before its characters, more than the characters of a typical cell; here the
/// characters of all cells sit in UTF-16 pages and a cell costs a 32-bit offset and a
/// length byte (texts are at most 255 characters). A rewrite that fits where the old text
/// was goes there; a longer one is appended and leaves the old characters as garbage,
/// which goes when the column is compacted (once garbage exceeds the live text). A
/// column never written to has no slots at all and reads as empty texts.
class TStringColumn {
public:
    bool Written() const { return !m_len.empty(); }
    std::size_t Slots() const { return m_len.size(); }
    std::size_t Length(std::size_t i) const { return m_len[i]; }
    QStringView View(std::size_t i) const
    {
        const std::size_t n = m_len[i];
        if (n == 0)
            return {};
        const quint32 o = m_off[i];
        return QStringView(m_pages[o >> kPageBits].data() + (o & (kPageUnits - 1)), qsizetype(n));
    }
    /// Stores S (at most 255 characters) in slot I, giving the column Count slots if it
    /// had none. False, with nothing changed, when the slot held S already. Throws
    /// (std::bad_alloc, EQORError) with nothing changed when the text finds no room.
    bool Set(std::size_t i, QStringView s, std::size_t count);
    /// Empties slot I (its text becomes garbage).
    void Erase(std::size_t i);
    /// Room for Count slots, so that SetSlots(Count) cannot fail.
    void Reserve(std::size_t count);
    /// Slots 0..Count-1, new ones empty; slots dropped must be empty.
    void SetSlots(std::size_t count);
    /// Removes slot I, appending an empty one at the end.
    void RemoveSlot(std::size_t i);
    /// Drops the last slot (which must be empty) and puts an empty one at I.
    void InsertSlot(std::size_t i);
    /// Slot i takes the text of slot Order[i] (Order a permutation of some slots; the
    /// others must be empty).
    void Permute(const std::vector<int>& order);
    /// Compacts when the garbage has grown past the live text.
    void CompactIfWasteful() noexcept;
    void Compact();

    qint64 LiveUnits() const { return m_live; }
    qint64 GarbageUnits() const { return m_garbage; }
    std::size_t Pages() const { return m_pages.size(); }

    static constexpr int kPageBits = 16;
    static constexpr std::size_t kPageUnits = std::size_t(1) << kPageBits;

private:
    quint32 append(QStringView s);

    std::vector<quint32> m_off;                 // page << kPageBits | position in page
    std::vector<quint8> m_len;
    std::vector<std::vector<char16_t>> m_pages; // only the last page has room left
    qint64 m_live = 0;                          // characters of the cells
    qint64 m_garbage = 0;                       // characters no cell refers to
};

} // namespace detail

/// A table of short texts: columns 0..NrOfColumns, rows 1..NrOfRows. Rows are stored in
/// the order they were put in; the display order is a permutation of them, set by Sort
/// and reset by UnSort. Every row and column number taken or given is a display row.
/// Row attribute bytes belong to their row and travel with it when the order changes.
class TStringArray : public QObject {
    Q_OBJECT
public:
    /// Longest text a cell holds; longer texts are cut when stored.
    static constexpr int MaxStrLen = 255;

    explicit TStringArray(QObject* owner = nullptr);
    ~TStringArray() override;
    TStringArray(const TStringArray&) = delete;
    TStringArray& operator=(const TStringArray&) = delete;

    int NrOfColumns() const { return m_nrCols; }
    int NrOfRows() const { return m_nrRows; }
    /// Growth granularity in rows (at least 1).
    int AllocRowsBy() const { return m_allocBy; }
    void SetAllocRowsBy(int n);
    int AllocatedRows() const { return m_allocRows; }

    /// Makes cells 0..Cols x 1..Rows addressable, keeping the existing ones (rows beyond
    /// the new count are dropped). Raises EQORError, with nothing changed, when it cannot.
    void Resize(int cols, int rows);
    /// Empties every cell; dimensions, attributes and order stay.
    void Clear();

    QString GetString(int col, int row) const;
    void SetString(int col, int row, const QString& s);
    /// Stored text of the row at stored position StoredRow (1-based), whatever the order.
    QString GetStoredString(int col, int storedRow) const;
    void SetStoredString(int col, int storedRow, const QString& s);
    /// The same texts without a copy, for loops over many cells (filters, sorting,
    /// painting). A view stays valid only until the array next changes: any write, row
    /// insertion or removal, Resize, Clear, CommitSorting or SwapContents may move the
    /// texts (a column is compacted now and then as cells are rewritten), so fetch views
    /// again after such a call. Empty cells give an empty view.
    QStringView GetStringView(int col, int row) const;
    QStringView GetStoredStringView(int col, int storedRow) const;

    void RemoveRow(int r);
    /// A new empty row at display row r; r beyond the last row appends.
    void InsertRow(int r);

    Byte GetRowAttrib(int r) const;
    void SetRowAttrib(int r, Byte b);
    Byte GetColAttrib(int c) const;
    void SetColAttrib(int c, Byte b);

    /// Orders the display rows by column Col, ties by ColSec (-1 = none), both in the
    /// given direction. Stable: rows that compare equal keep their current display order.
    /// Empty cells come first, then cells that read as numbers (by value), then the other
    /// texts (case-insensitive).
    void Sort(int col, int colSec, bool ascending);
    void UnSort();
    /// The display order becomes the stored order.
    void CommitSorting();
    /// Stored position (1-based) of display row r; 0 out of range.
    int GetSortOrder(int r) const;
    /// Sets the stored position of display row r (v in 1..NrOfRows, else ignored); the
    /// display row that showed v takes r's old one, so the order stays a permutation.
    /// Setting rows 1..n one after the other to a permutation gives exactly that order.
    void SetSortOrder(int r, int v);
    /// The whole order at once: Order[r - 1] is the stored position of display row r. False,
    /// with nothing changed, unless it is a permutation of 1..NrOfRows.
    bool SetSortOrders(const std::vector<int>& order);
    bool IsSorted() const;

    double GetAsNumber(int col, int row) const;

    /// Exchanges the contents (cells, attributes, order, allocation step) with Other;
    /// the notification handlers stay with their objects.
    void SwapContents(TStringArray& other) noexcept;

    /// Fired after cells change.
    TNotifyEvent OnChange;
    /// Fired during long operations (Sort), 0..100.
    TOnPercentDoneEvent OnPercentDone;
    /// Consulted by Sort for every key text (see TBeforeSortExchgEvent).
    TBeforeSortExchgEvent OnBeforeSortExchange;

private:
    bool validCell(int col, int row) const { return col >= 0 && col <= m_nrCols && row >= 1 && row <= m_nrRows; }
    int storedIndex(int row) const { return m_order[std::size_t(row - 1)]; }
    void changed();

    friend struct TStringArrayProbe;

    // Columns 0..m_nrCols; once written, a column has m_allocRows slots by stored row - 1.
    std::vector<detail::TStringColumn> m_cols;
    std::vector<Byte> m_rowAttr;   // by stored row - 1
    std::vector<Byte> m_colAttr;   // by column 0..m_nrCols
    std::vector<int> m_order;      // display row - 1 -> stored row - 1
    int m_nrCols = 0;
    int m_nrRows = 0;
    int m_allocRows = 0;
    int m_allocBy = 10;
};

} // namespace qor

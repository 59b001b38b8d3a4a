// TDataTable and TMatrix: storage, structural changes, bulk state operations and sorting.
#include "foundation/QOR_DataTable.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>
#include <utility>

namespace qor {

// ---------------------------------------------------------------- TMatrix

void TMatrix::Resize(int nrCols, int nrRows)
{
    nrCols = std::max(0, nrCols);
    nrRows = std::max(0, nrRows);
    try {
        ResizeRowMajor(m_values, m_cols, m_rows, nrCols, nrRows, 0.0);
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("matrix: not enough memory for %1 x %2 elements").arg(nrCols).arg(nrRows));
    }
    m_cols = nrCols;
    m_rows = nrRows;
}

// ---------------------------------------------------------------- helpers

QString MScaleTypeName(int scaleType)
{
    if (scaleType < 0 || scaleType > MaxMScaleType)
        return QString();
    return QString::fromLatin1(MScaleTypeNames[std::size_t(scaleType)]);
}

bool IsValidDecInt(const QString& s, int& value)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    int i = 0;
    bool neg = false;
    if (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-')) {
        neg = t.at(0) == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (neg)
        v = -v;
    if (v > 2147483647LL)
        return false;
    value = int(v);
    return true;
}

bool IsValidDecInt(const QString& s)
{
    int v = 0;
    return IsValidDecInt(s, v);
}

// ---------------------------------------------------------------- TDataTable

TDataTable::TDataTable(QObject* owner)
    : QObject(owner), m_values(0, 0)
{
    Resize(1, 1);
}

TDataTable::~TDataTable() = default;

void TDataTable::dataChanged()
{
    if (OnDataChanged)
        OnDataChanged(this);
}

void TDataTable::setupChanged()
{
    if (OnSetupChanged)
        OnSetupChanged(this);
}

void TDataTable::resized(int oldCols, int oldRows)
{
    if (OnResize)
        OnResize(this, oldCols, oldRows, NrOfColumns(), NrOfRows());
}

void TDataTable::percent(int p)
{
    if (OnPercentDone)
        OnPercentDone(this, p);
}

void TDataTable::Resize(int nrCols, int nrRows)
{
    if (nrCols < 1 || nrRows < 1)
        throw EQORError(QStringLiteral("data table: cannot resize to %1 columns and %2 rows").arg(nrCols).arg(nrRows));
    const int oc = NrOfColumns();
    const int orows = NrOfRows();
    if (nrCols == oc && nrRows == orows)
        return;
    settleRows();
    // Everything is laid out in copies first, so a failed allocation leaves the table as it was.
    try {
        std::vector<int> rowAt(static_cast<std::size_t>(nrRows));
        std::iota(rowAt.begin(), rowAt.end(), 0);
        TMatrix values = m_values;
        values.Resize(nrCols, nrRows);
        std::vector<Byte> states = m_states;
        ResizeRowMajor(states, oc, orows, nrCols, nrRows, Byte(0));
        std::vector<QString> colNames = m_colNames, rowNames = m_rowNames;
        colNames.resize(std::size_t(nrCols));
        rowNames.resize(std::size_t(nrRows));
        std::vector<Byte> colAttr = m_colAttr, rowAttr = m_rowAttr, scale = m_scaleType;
        colAttr.resize(std::size_t(nrCols), 0);
        rowAttr.resize(std::size_t(nrRows), 0);
        scale.resize(std::size_t(nrCols), Byte(mstInterval));
        std::vector<std::vector<QString>> ids = m_nomIDs;
        ids.resize(std::size_t(nrCols));
        m_values = std::move(values);
        m_states.swap(states);
        m_colNames.swap(colNames);
        m_rowNames.swap(rowNames);
        m_colAttr.swap(colAttr);
        m_rowAttr.swap(rowAttr);
        m_scaleType.swap(scale);
        m_nomIDs.swap(ids);
        m_rowAt.swap(rowAt);
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("data table: not enough memory for %1 columns and %2 rows").arg(nrCols).arg(nrRows));
    }
    resized(oc, orows);
    dataChanged();
}

void TDataTable::SetElem(int col, int row, double v)
{
    if (!m_values.valid(col, row))
        return;
    m_values.Values()[at(col, row)] = v;
    dataChanged();
}

void TDataTable::SetCellState(int col, int row, Byte s)
{
    if (!m_values.valid(col, row))
        return;
    m_states[at(col, row)] = s;
    dataChanged();
}

TDTNameStr TDataTable::GetColName(int col) const
{
    return (col >= 1 && col <= NrOfColumns()) ? m_colNames[std::size_t(col - 1)] : QString();
}

void TDataTable::SetColName(int col, const QString& name)
{
    if (col < 1 || col > NrOfColumns())
        return;
    m_colNames[std::size_t(col - 1)] = name.left(DTNameLen);
    setupChanged();
}

TDTNameStr TDataTable::GetRowName(int row) const
{
    return (row >= 1 && row <= NrOfRows()) ? m_rowNames[std::size_t(row - 1)] : QString();
}

void TDataTable::SetRowName(int row, const QString& name)
{
    if (row < 1 || row > NrOfRows())
        return;
    m_rowNames[std::size_t(row - 1)] = name.left(DTNameLen);
    setupChanged();
}

Byte TDataTable::GetColAttrib(int col) const
{
    return (col >= 1 && col <= NrOfColumns()) ? m_colAttr[std::size_t(col - 1)] : Byte(0);
}

void TDataTable::SetColAttrib(int col, Byte a)
{
    if (col < 1 || col > NrOfColumns())
        return;
    m_colAttr[std::size_t(col - 1)] = a;
    setupChanged();
}

Byte TDataTable::GetRowAttrib(int row) const
{
    return (row >= 1 && row <= NrOfRows()) ? m_rowAttr[std::size_t(row - 1)] : Byte(0);
}

void TDataTable::SetRowAttrib(int row, Byte a)
{
    if (row < 1 || row > NrOfRows())
        return;
    m_rowAttr[std::size_t(row - 1)] = a;
    setupChanged();
}

void TDataTable::SetFComment(const QString& text)
{
    m_comment = text;
    setupChanged();
}

int TDataTable::GetMScaleType(int col) const
{
    return (col >= 1 && col <= NrOfColumns()) ? int(m_scaleType[std::size_t(col - 1)]) : mstInterval;
}

void TDataTable::SetMScaleType(int col, int scaleType)
{
    if (col < 1 || col > NrOfColumns() || scaleType < 0 || scaleType > MaxMScaleType)
        return;
    m_scaleType[std::size_t(col - 1)] = Byte(scaleType);
    setupChanged();
}

QString TDataTable::GetNominalID(int col, int n) const
{
    if (col < 1 || col > NrOfColumns() || n < 1 || n > MaxNomIDs)
        return QString();
    const auto& ids = m_nomIDs[std::size_t(col - 1)];
    return ids.empty() ? QString() : ids[std::size_t(n - 1)];
}

void TDataTable::SetNominalID(int col, int n, const QString& id)
{
    if (col < 1 || col > NrOfColumns() || n < 1 || n > MaxNomIDs)
        return;
    auto& ids = m_nomIDs[std::size_t(col - 1)];
    if (ids.empty())
        ids.resize(MaxNomIDs);
    ids[std::size_t(n - 1)] = id.left(NomIDLen);
    setupChanged();
}

int TDataTable::OrdinalOfNominalID(int col, const QString& id, bool ignoreCase) const
{
    if (col < 1 || col > NrOfColumns() || id.isEmpty())
        return 0;
    const auto& ids = m_nomIDs[std::size_t(col - 1)];
    const QString key = id.left(NomIDLen);
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (std::size_t k = 0; k < ids.size(); ++k)
        if (!ids[k].isEmpty() && ids[k].compare(key, cs) == 0)
            return int(k) + 1;
    return 0;
}

// ---------------------------------------------------------------- structure

void TDataTable::InsertRow(int ix)
{
    const int nc = NrOfColumns(), nr = NrOfRows();
    if (ix < 1 || ix > nr + 1)
        return;
    settleRows();
    try {
        m_rowAt.reserve(std::size_t(nr + 1));
        TMatrix values(nc, nr + 1);
        std::vector<Byte> states(std::size_t(nc) * std::size_t(nr + 1), 0);
        const std::size_t split = std::size_t(ix - 1) * std::size_t(nc);
        std::copy_n(m_values.Values(), split, values.Values());
        std::copy(m_values.Values() + split, m_values.Values() + m_values.Count(), values.Values() + split + std::size_t(nc));
        std::copy_n(m_states.begin(), split, states.begin());
        std::copy(m_states.begin() + std::ptrdiff_t(split), m_states.end(), states.begin() + std::ptrdiff_t(split + std::size_t(nc)));
        m_rowNames.insert(m_rowNames.begin() + (ix - 1), QString());
        m_rowAttr.insert(m_rowAttr.begin() + (ix - 1), Byte(0));
        m_values = std::move(values);
        m_states.swap(states);
        resetRowOrder();
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("data table: not enough memory to insert a row"));
    }
    resized(nc, nr);
    dataChanged();
}

void TDataTable::InsertColumn(int ix)
{
    const int nc = NrOfColumns(), nr = NrOfRows();
    if (ix < 1 || ix > nc + 1)
        return;
    settleRows();
    try {
        TMatrix values(nc + 1, nr);
        std::vector<Byte> states(std::size_t(nc + 1) * std::size_t(nr), 0);
        for (int r = 0; r < nr; ++r) {
            const std::size_t src = std::size_t(r) * std::size_t(nc);
            const std::size_t dst = std::size_t(r) * std::size_t(nc + 1);
            for (int c = 0, d = 0; c < nc; ++c, ++d) {
                if (c == ix - 1)
                    ++d;
                values.Values()[dst + std::size_t(d)] = m_values.Values()[src + std::size_t(c)];
                states[dst + std::size_t(d)] = m_states[src + std::size_t(c)];
            }
        }
        m_colNames.insert(m_colNames.begin() + (ix - 1), QString());
        m_colAttr.insert(m_colAttr.begin() + (ix - 1), Byte(0));
        m_scaleType.insert(m_scaleType.begin() + (ix - 1), Byte(mstInterval));
        m_nomIDs.insert(m_nomIDs.begin() + (ix - 1), std::vector<QString>());
        m_values = std::move(values);
        m_states.swap(states);
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("data table: not enough memory to insert a column"));
    }
    resized(nc, nr);
    dataChanged();
}

void TDataTable::RemoveRow(int ix)
{
    const int nc = NrOfColumns(), nr = NrOfRows();
    if (ix < 1 || ix > nr || nr < 2)
        return;
    settleRows();
    const std::size_t from = std::size_t(ix - 1) * std::size_t(nc);
    double* v = m_values.Values();
    std::copy(v + from + std::size_t(nc), v + m_values.Count(), v + from);
    std::copy(m_states.begin() + std::ptrdiff_t(from + std::size_t(nc)), m_states.end(), m_states.begin() + std::ptrdiff_t(from));
    m_rowNames.erase(m_rowNames.begin() + (ix - 1));
    m_rowAttr.erase(m_rowAttr.begin() + (ix - 1));
    m_values.Resize(nc, nr - 1);   // the tail is dropped; shrinking never allocates more
    m_states.resize(std::size_t(nc) * std::size_t(nr - 1));
    resetRowOrder();
    resized(nc, nr);
    dataChanged();
}

void TDataTable::RemoveColumn(int ix)
{
    const int nc = NrOfColumns(), nr = NrOfRows();
    if (ix < 1 || ix > nc || nc < 2)
        return;
    settleRows();
    try {
        TMatrix values(nc - 1, nr);
        std::vector<Byte> states(std::size_t(nc - 1) * std::size_t(nr), 0);
        std::size_t d = 0;
        for (int r = 0; r < nr; ++r)
            for (int c = 0; c < nc; ++c) {
                if (c == ix - 1)
                    continue;
                const std::size_t s = std::size_t(r) * std::size_t(nc) + std::size_t(c);
                values.Values()[d] = m_values.Values()[s];
                states[d] = m_states[s];
                ++d;
            }
        m_values = std::move(values);
        m_states.swap(states);
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("data table: not enough memory to remove a column"));
    }
    m_colNames.erase(m_colNames.begin() + (ix - 1));
    m_colAttr.erase(m_colAttr.begin() + (ix - 1));
    m_scaleType.erase(m_scaleType.begin() + (ix - 1));
    m_nomIDs.erase(m_nomIDs.begin() + (ix - 1));
    resized(nc, nr);
    dataChanged();
}

void TDataTable::MirrorRows()
{
    const int nr = NrOfRows();
    for (int a = 1, b = nr; a < b; ++a, --b)
        exchangeRows(a, b, 1, NrOfColumns(), true);
    dataChanged();
}

void TDataTable::MirrorColumns()
{
    const int nc = NrOfColumns();
    for (int a = 1, b = nc; a < b; ++a, --b)
        exchangeCols(a, b, 1, NrOfRows(), true);
    dataChanged();
}

void TDataTable::Clear()
{
    m_values.Fill(0.0);
    std::fill(m_states.begin(), m_states.end(), Byte(0));
    std::fill(m_colNames.begin(), m_colNames.end(), QString());
    std::fill(m_rowNames.begin(), m_rowNames.end(), QString());
    std::fill(m_colAttr.begin(), m_colAttr.end(), Byte(0));
    std::fill(m_rowAttr.begin(), m_rowAttr.end(), Byte(0));
    std::fill(m_scaleType.begin(), m_scaleType.end(), Byte(mstInterval));
    for (auto& ids : m_nomIDs)
        ids.clear();
    m_comment.clear();
    dataChanged();
}

void TDataTable::Assign(const TDataTable& source)
{
    if (&source == this)
        return;
    const int oc = NrOfColumns(), orows = NrOfRows();
    source.settleRows();
    try {
        std::vector<int> rowAt(static_cast<std::size_t>(source.NrOfRows()));
        std::iota(rowAt.begin(), rowAt.end(), 0);
        TMatrix values = source.m_values;
        std::vector<Byte> states = source.m_states;
        std::vector<QString> colNames = source.m_colNames, rowNames = source.m_rowNames;
        std::vector<Byte> colAttr = source.m_colAttr, rowAttr = source.m_rowAttr, scale = source.m_scaleType;
        std::vector<std::vector<QString>> ids = source.m_nomIDs;
        m_values = std::move(values);
        m_states.swap(states);
        m_colNames.swap(colNames);
        m_rowNames.swap(rowNames);
        m_colAttr.swap(colAttr);
        m_rowAttr.swap(rowAttr);
        m_scaleType.swap(scale);
        m_nomIDs.swap(ids);
        m_rowAt.swap(rowAt);
        m_rowsMoved = false;
        m_comment = source.m_comment;
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("data table: not enough memory to copy a table"));
    }
    if (oc != NrOfColumns() || orows != NrOfRows())
        resized(oc, orows);
    dataChanged();
    setupChanged();
}

// ---------------------------------------------------------------- bulk cell operations

void TDataTable::InvertCellStates(Byte mask)
{
    for (Byte& s : m_states)
        s ^= mask;
    dataChanged();
}

void TDataTable::ExchangeMarkings()
{
    for (Byte& s : m_states) {
        const Byte a = s & csMarkA, b = s & csMarkB;
        s = Byte((s & 0x3F) | (a << 1) | (b >> 1));
    }
    dataChanged();
}

void TDataTable::UnmarkAllCells()
{
    for (Byte& s : m_states)
        s &= 0x3F;
    dataChanged();
}

void TDataTable::FillMarkedCells(double value, Byte mask)
{
    double* v = m_values.Values();
    for (std::size_t k = 0; k < m_states.size(); ++k)
        if (m_states[k] & mask)
            v[k] = value;
    dataChanged();
}

// ---------------------------------------------------------------- sorting

void TDataTable::resetRowOrder()
{
    m_rowAt.resize(std::size_t(NrOfRows()));
    std::iota(m_rowAt.begin(), m_rowAt.end(), 0);
    m_rowsMoved = false;
}

void TDataTable::settleRows() const
{
    if (!m_rowsMoved)
        return;
    // Each cycle of the row order is followed once with one row in hand: every row is
    // copied once, and no second block of the table's size is needed.
    const std::size_t nc = std::size_t(NrOfColumns());
    std::vector<double> heldValues(nc);
    std::vector<Byte> heldStates(nc);
    double* v = m_values.Values();
    Byte* st = m_states.data();
    for (std::size_t start = 0; start < m_rowAt.size(); ++start) {
        if (std::size_t(m_rowAt[start]) == start)
            continue;
        std::copy_n(v + start * nc, nc, heldValues.begin());
        std::copy_n(st + start * nc, nc, heldStates.begin());
        for (std::size_t j = start;;) {
            const std::size_t src = std::size_t(m_rowAt[j]);
            m_rowAt[j] = int(j);
            if (src == start) {
                std::copy_n(heldValues.begin(), nc, v + j * nc);
                std::copy_n(heldStates.begin(), nc, st + j * nc);
                break;
            }
            std::copy_n(v + src * nc, nc, v + j * nc);
            std::copy_n(st + src * nc, nc, st + j * nc);
            j = src;
        }
    }
    m_rowsMoved = false;
}

void TDataTable::exchangeRows(int a, int b, int lowCol, int highCol, bool headers)
{
    if (a == b)
        return;
    if (OnBeforeSortExchange)
        OnBeforeSortExchange(this, sekRows, a, b, lowCol, highCol);
    if (lowCol <= 1 && highCol >= NrOfColumns()) {
        // Whole rows only change their places; the cells stay where they are stored.
        std::swap(m_rowAt[std::size_t(a - 1)], m_rowAt[std::size_t(b - 1)]);
        m_rowsMoved = true;
    } else {
        const std::size_t n = std::size_t(highCol - lowCol + 1);
        double* v = m_values.Values();
        const std::size_t ia = at(lowCol, a), ib = at(lowCol, b);
        std::swap_ranges(v + ia, v + ia + n, v + ib);
        std::swap_ranges(m_states.begin() + std::ptrdiff_t(ia), m_states.begin() + std::ptrdiff_t(ia + n),
                         m_states.begin() + std::ptrdiff_t(ib));
    }
    if (headers) {
        m_rowNames[std::size_t(a - 1)].swap(m_rowNames[std::size_t(b - 1)]);
        std::swap(m_rowAttr[std::size_t(a - 1)], m_rowAttr[std::size_t(b - 1)]);
    }
}

void TDataTable::exchangeCols(int a, int b, int lowRow, int highRow, bool headers)
{
    if (a == b)
        return;
    if (OnBeforeSortExchange)
        OnBeforeSortExchange(this, sekColumns, a, b, lowRow, highRow);
    double* v = m_values.Values();
    for (int r = lowRow; r <= highRow; ++r) {
        const std::size_t ia = at(a, r), ib = at(b, r);
        std::swap(v[ia], v[ib]);
        std::swap(m_states[ia], m_states[ib]);
    }
    if (headers) {
        const std::size_t ka = std::size_t(a - 1), kb = std::size_t(b - 1);
        m_colNames[ka].swap(m_colNames[kb]);
        std::swap(m_colAttr[ka], m_colAttr[kb]);
        std::swap(m_scaleType[ka], m_scaleType[kb]);
        std::swap(m_nomIDs[ka], m_nomIDs[kb]);
    }
}

void TDataTable::permute(bool rows, int low, std::vector<int> order, int lowOther, int highOther, bool headers)
{
    // order[k] is the old index that belongs at low + k. Walking the positions and
    // swapping the wanted element in keeps `where` (old index -> current position) and
    // `occupant` (position -> old index) exact.
    const int n = int(order.size());
    std::vector<int> where(static_cast<std::size_t>(n)), occupant(static_cast<std::size_t>(n));
    std::iota(where.begin(), where.end(), 0);
    std::iota(occupant.begin(), occupant.end(), 0);
    const int step = std::max(1, n / 20);
    int untilPercent = 0;
    for (int k = 0; k < n; ++k) {
        const int want = order[std::size_t(k)] - low;
        const int from = where[std::size_t(want)];
        if (from != k) {
            if (rows)
                exchangeRows(low + k, low + from, lowOther, highOther, headers);
            else
                exchangeCols(low + k, low + from, lowOther, highOther, headers);
            const int displaced = occupant[std::size_t(k)];
            occupant[std::size_t(from)] = displaced;
            where[std::size_t(displaced)] = from;
            occupant[std::size_t(k)] = want;
            where[std::size_t(want)] = k;
        }
        if (n >= 1000 && --untilPercent < 0) {   // at every multiple of step
            percent(50 + 50 * k / n);
            untilPercent = step - 1;
        }
    }
}

template <class Arrange>
void TDataTable::arrangeAxis(bool rows, int low, int high, int lowOther, int highOther, bool headers, Arrange arrange)
{
    const int count = rows ? NrOfRows() : NrOfColumns();
    const int otherCount = rows ? NrOfColumns() : NrOfRows();
    low = std::max(1, low);
    high = std::min(count, high);
    lowOther = std::max(1, lowOther);
    highOther = std::min(otherCount, highOther);
    if (high <= low || highOther < lowOther)
        return;
    std::vector<int> order(std::size_t(high - low + 1));
    std::iota(order.begin(), order.end(), low);
    if (order.size() >= 1000)
        percent(0);
    arrange(order);
    permute(rows, low, std::move(order), lowOther, highOther, headers);
    if (high - low + 1 >= 1000)
        percent(100);
    dataChanged();
    if (headers)
        setupChanged();
}

template <class Less>
void TDataTable::sortAxis(bool rows, int low, int high, int lowOther, int highOther, bool headers, Less less)
{
    arrangeAxis(rows, low, high, lowOther, highOther, headers,
                [&](std::vector<int>& order) { std::stable_sort(order.begin(), order.end(), less); });
}

namespace {
// The order of a stable sort by value: the numbers by value in the wanted direction, the
// equal ones in their present order, then every cell that is no number (a NaN value counts
// as none, so the order stays strict) in its present order. Sorting (key, index) pairs
// gives exactly that, without going through the table for every comparison.
template <class Cell>
void orderByValues(std::vector<int>& order, bool ascending, Cell cell)
{
    std::vector<std::pair<double, int>> numbers;
    numbers.reserve(order.size());
    std::vector<int> others;
    for (const int ix : order) {
        const auto [value, state] = cell(ix);
        if ((state & (csInvalid | csEmpty)) == 0 && !std::isnan(value))
            numbers.emplace_back(ascending ? value : -value, ix);   // negation reverses exactly
        else
            others.push_back(ix);
    }
    std::sort(numbers.begin(), numbers.end());
    auto out = std::transform(numbers.begin(), numbers.end(), order.begin(), [](const auto& p) { return p.second; });
    std::copy(others.begin(), others.end(), out);
}
} // namespace

void TDataTable::SortRows(int sortColIx, bool ascending, int lowCol, int lowRow, int highCol, int highRow, bool includeHeaders)
{
    if (sortColIx < 1 || sortColIx > NrOfColumns())
        return;
    arrangeAxis(true, lowRow, highRow, lowCol, highCol, includeHeaders, [&](std::vector<int>& order) {
        orderByValues(order, ascending, [&](int r) {
            const std::size_t k = at(sortColIx, r);
            return std::pair<double, Byte>(m_values.Values()[k], m_states[k]);
        });
    });
}

void TDataTable::SortCols(int sortRowIx, bool ascending, int lowCol, int lowRow, int highCol, int highRow, bool includeHeaders)
{
    if (sortRowIx < 1 || sortRowIx > NrOfRows())
        return;
    arrangeAxis(false, lowCol, highCol, lowRow, highRow, includeHeaders, [&](std::vector<int>& order) {
        orderByValues(order, ascending, [&](int c) {
            const std::size_t k = at(c, sortRowIx);
            return std::pair<double, Byte>(m_values.Values()[k], m_states[k]);
        });
    });
}

void TDataTable::SortColAttributes(bool ascending, int lowCol, int lowRow, int highCol, int highRow)
{
    const std::vector<Byte> key = m_colAttr;
    sortAxis(false, lowCol, highCol, lowRow, highRow, true, [&](int a, int b) {
        const Byte ka = key[std::size_t(a - 1)], kb = key[std::size_t(b - 1)];
        return ascending ? ka < kb : kb < ka;
    });
}

void TDataTable::SortRowAttributes(bool ascending, int lowCol, int lowRow, int highCol, int highRow)
{
    const std::vector<Byte> key = m_rowAttr;
    sortAxis(true, lowRow, highRow, lowCol, highCol, true, [&](int a, int b) {
        const Byte ka = key[std::size_t(a - 1)], kb = key[std::size_t(b - 1)];
        return ascending ? ka < kb : kb < ka;
    });
}

void TDataTable::SortColNames(bool ascending, bool ignoreCase, int lowCol, int lowRow, int highCol, int highRow)
{
    const std::vector<QString> key = m_colNames;
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    sortAxis(false, lowCol, highCol, lowRow, highRow, true, [&](int a, int b) {
        const int c = key[std::size_t(a - 1)].compare(key[std::size_t(b - 1)], cs);
        return ascending ? c < 0 : c > 0;
    });
}

void TDataTable::SortRowNames(bool ascending, bool ignoreCase, int lowCol, int lowRow, int highCol, int highRow)
{
    const std::vector<QString> key = m_rowNames;
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    sortAxis(true, lowRow, highRow, lowCol, highCol, true, [&](int a, int b) {
        const int c = key[std::size_t(a - 1)].compare(key[std::size_t(b - 1)], cs);
        return ascending ? c < 0 : c > 0;
    });
}

int TDataTable::FindColIndex(const QString& name) const
{
    for (std::size_t k = 0; k < m_colNames.size(); ++k)
        if (m_colNames[k] == name)
            return int(k) + 1;
    return 0;
}

int TDataTable::FindRowIndex(const QString& name) const
{
    for (std::size_t k = 0; k < m_rowNames.size(); ++k)
        if (m_rowNames[k] == name)
            return int(k) + 1;
    return 0;
}

} // namespace qor

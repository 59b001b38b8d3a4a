#include "foundation/QOR_StringArray.h"

#include <QIODevice>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <cmath>
#include <new>
#include <numeric>

namespace qor {

namespace {
constexpr long long kMaxRows = 1LL << 28;
constexpr long long kMaxCells = 1LL << 29;
} // namespace

bool ApplyLogicOp(TLogicOp op, bool a, bool b)
{
    switch (op) {
    case loAND: return a && b;
    case loOR: return a || b;
    case loXOR: return a != b;
    case loANDNOT: return a && !b;
    case loORNOT: return a || !b;
    case loXORNOT: return a == b;
    }
    return a && b;
}

QString strff(double x, int width, int decimals)
{
    // Bounded so that a number read from user text cannot ask for gigabytes.
    decimals = std::clamp(decimals, 0, 300);
    width = std::clamp(width, 0, 4096);
    QString s = QString::number(x, 'f', decimals);
    if (s.size() < width)
        s = QString(width - s.size(), QLatin1Char(' ')) + s;
    return s;
}

QString LeftString(const QString& s, int n)
{
    if (n <= 0)
        return QString();
    if (s.size() >= n)
        return s.left(n);
    return s + QString(n - s.size(), QLatin1Char(' '));
}

QString InventPassword(int n)
{
    static const char alphabet[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    constexpr int alphabetSize = int(sizeof(alphabet)) - 1;
    QString s;
    if (n <= 0)
        return s;
    s.reserve(n);
    auto* rng = QRandomGenerator::system();
    for (int i = 0; i < n; ++i)
        s.append(QLatin1Char(alphabet[rng->bounded(alphabetSize)]));
    return s;
}

int ReadIntegerAt(const QString& s, int start)
{
    if (s.isEmpty())
        return 0;
    int pos = std::max(start, 1) - 1;
    const int len = int(s.size());
    while (pos < len - 1 && s.at(pos) == QLatin1Char(' '))
        ++pos;
    bool negative = false;
    if (pos < len && (s.at(pos) == QLatin1Char('-') || s.at(pos) == QLatin1Char('+'))) {
        negative = s.at(pos) == QLatin1Char('-');
        ++pos;
    }
    long long value = 0;
    while (pos < len && s.at(pos) >= QLatin1Char('0') && s.at(pos) <= QLatin1Char('9')) {
        value = value * 10 + (s.at(pos).unicode() - '0');
        if (value > INT_MAX)
            value = INT_MAX + 1LL; // saturate; keeps growing bounded
        ++pos;
    }
    if (negative)
        return value > INT_MAX ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

QString ReadLnStream(QIODevice* stream, bool& endOfStream, int maxLen)
{
    endOfStream = true;
    if (!stream || !stream->isReadable())
        return QString();
    QByteArray line;
    if (maxLen > 0) {
        // Read in bounded pieces; keep at most maxLen characters' worth of bytes.
        bool gotEnd = false;
        while (!gotEnd) {
            QByteArray piece = stream->readLine(4096);
            if (piece.isEmpty())
                break;
            gotEnd = piece.endsWith('\n');
            if (line.size() < qsizetype(maxLen) * 4)
                line += piece;
        }
    } else {
        line = stream->readLine();
    }
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    endOfStream = stream->atEnd();
    QString s = QString::fromUtf8(line);
    if (maxLen > 0 && s.size() > maxLen)
        s.truncate(maxLen);
    return s;
}

bool TryReadNumber(const QString& s, double& value)
{
    const QStringView t = QStringView(s).trimmed();
    if (t.isEmpty())
        return false;
    // Quick refusal of plain words keeps sorting text columns cheap.
    const QChar c0 = t.front();
    if (!(c0.isDigit() || c0 == QLatin1Char('-') || c0 == QLatin1Char('+') || c0 == QLatin1Char('.')
          || c0 == QLatin1Char(',')))
        return false;
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok && t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.'))) {
        QString u = t.toString();
        u.replace(QLatin1Char(','), QLatin1Char('.'));
        v = u.toDouble(&ok);
    }
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// ---------------------------------------------------------------------------------------

TStringArray::TStringArray(QObject* owner) : QObject(owner)
{
    m_cols.resize(1);
    m_colAttr.assign(1, 0);
}

TStringArray::~TStringArray() = default;

void TStringArray::SetAllocRowsBy(int n)
{
    m_allocBy = std::max(n, 1);
}

void TStringArray::changed()
{
    if (OnChange)
        OnChange(this);
}

void TStringArray::Resize(int cols, int rows)
{
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    const long long need = std::max(rows, 1);
    const long long alloc = (need + m_allocBy - 1) / m_allocBy * m_allocBy;
    // Far beyond any table this container is meant for; refused before anything is touched.
    if (alloc > kMaxRows || ((long long)cols + 1) * alloc > kMaxCells)
        throw EQORError(QStringLiteral("string table: cannot resize to %1 x %2 (too large)").arg(cols).arg(rows));
    const int newAlloc = int(alloc);
    try {
        // Everything that can fail is done before any visible change.
        std::vector<std::vector<QString>> newCols;
        if (cols > m_nrCols)
            newCols.resize(std::size_t(cols - m_nrCols));
        for (int c = 0; c <= std::min(cols, m_nrCols); ++c)
            if (!m_cols[std::size_t(c)].empty())
                m_cols[std::size_t(c)].reserve(std::size_t(newAlloc));
        m_rowAttr.reserve(std::size_t(newAlloc));
        m_order.reserve(std::size_t(rows));
        m_cols.reserve(std::size_t(cols) + 1);
        m_colAttr.reserve(std::size_t(cols) + 1);

        // Rows dropped by a shrink are the highest stored rows; the order of the others stays.
        if (rows < m_nrRows) {
            std::vector<int> kept;
            kept.reserve(std::size_t(rows));
            for (int idx : m_order)
                if (idx < rows)
                    kept.push_back(idx);
            m_order.swap(kept);
        } else {
            for (int i = m_nrRows; i < rows; ++i)
                m_order.push_back(i);
        }
        for (int c = 0; c <= std::min(cols, m_nrCols); ++c) {
            auto& v = m_cols[std::size_t(c)];
            if (v.empty())
                continue;
            for (int i = rows; i < std::min<int>(int(v.size()), m_nrRows); ++i)
                v[std::size_t(i)].clear();
            v.resize(std::size_t(newAlloc));
        }
        m_rowAttr.resize(std::size_t(newAlloc), 0);
        std::fill(m_rowAttr.begin() + std::min(rows, newAlloc), m_rowAttr.end(), Byte(0));
        m_cols.resize(std::size_t(std::min(cols, m_nrCols)) + 1);
        for (auto& v : newCols)
            m_cols.push_back(std::move(v));
        m_colAttr.resize(std::size_t(cols) + 1, 0);
        m_nrCols = cols;
        m_nrRows = rows;
        m_allocRows = newAlloc;
    } catch (const std::bad_alloc&) {
        throw EQORError(QStringLiteral("string table: cannot resize to %1 x %2 (out of memory)").arg(cols).arg(rows));
    }
    changed();
}

void TStringArray::Clear()
{
    for (auto& v : m_cols)
        std::vector<QString>().swap(v);
    changed();
}

QString TStringArray::GetString(int col, int row) const
{
    if (!validCell(col, row))
        return QString();
    const auto& v = m_cols[std::size_t(col)];
    if (v.empty())
        return QString();
    return v[std::size_t(storedIndex(row))];
}

void TStringArray::SetString(int col, int row, const QString& s)
{
    if (!validCell(col, row))
        return;
    SetStoredString(col, storedIndex(row) + 1, s);
}

QString TStringArray::GetStoredString(int col, int storedRow) const
{
    if (!validCell(col, storedRow))
        return QString();
    const auto& v = m_cols[std::size_t(col)];
    return v.empty() ? QString() : v[std::size_t(storedRow - 1)];
}

QStringView TStringArray::GetStringView(int col, int row) const
{
    return validCell(col, row) ? GetStoredStringView(col, storedIndex(row) + 1) : QStringView();
}

QStringView TStringArray::GetStoredStringView(int col, int storedRow) const
{
    if (!validCell(col, storedRow))
        return {};
    const auto& v = m_cols[std::size_t(col)];
    return v.empty() ? QStringView() : QStringView(v[std::size_t(storedRow - 1)]);
}

void TStringArray::SetStoredString(int col, int storedRow, const QString& s)
{
    if (!validCell(col, storedRow))
        return;
    auto& v = m_cols[std::size_t(col)];
    if (v.empty()) {
        if (s.isEmpty())
            return;
        v.resize(std::size_t(m_allocRows));
    }
    QString& cell = v[std::size_t(storedRow - 1)];
    if (s.size() > MaxStrLen) {
        const QString cut = s.left(MaxStrLen);
        if (cell == cut)
            return;
        cell = cut;
    } else {
        if (cell == s)
            return;
        cell = s;
    }
    changed();
}

void TStringArray::RemoveRow(int r)
{
    if (r < 1 || r > m_nrRows)
        return;
    const int s = storedIndex(r);
    for (auto& v : m_cols) {
        if (v.empty())
            continue;
        v.erase(v.begin() + s);
        v.emplace_back();
    }
    m_rowAttr.erase(m_rowAttr.begin() + s);
    m_rowAttr.push_back(0);
    m_order.erase(m_order.begin() + (r - 1));
    for (int& idx : m_order)
        if (idx > s)
            --idx;
    --m_nrRows;
    changed();
}

void TStringArray::InsertRow(int r)
{
    if (r < 1)
        return;
    if (r > m_nrRows)
        r = m_nrRows + 1;
    // The new stored row goes right before the stored row now shown at r, so an unsorted
    // table stays unsorted.
    const int s = r <= m_nrRows ? storedIndex(r) : m_nrRows;
    if (m_nrRows + 1 > m_allocRows) {
        // Grows by the allocation step; the one change notification comes at the end.
        TNotifyEvent saved = std::move(OnChange);
        OnChange = nullptr;
        try {
            Resize(m_nrCols, m_nrRows + 1);
        } catch (...) {
            OnChange = std::move(saved);
            throw;
        }
        OnChange = std::move(saved);
    } else {
        ++m_nrRows;
        m_order.push_back(m_nrRows - 1);
    }
    // Now a row m_nrRows-1 (stored) exists at the display end; move it to its place.
    m_order.pop_back();
    for (auto& v : m_cols) {
        if (v.empty())
            continue;
        v.pop_back();
        v.insert(v.begin() + s, QString());
    }
    m_rowAttr.pop_back();
    m_rowAttr.insert(m_rowAttr.begin() + s, Byte(0));
    for (int& idx : m_order)
        if (idx >= s)
            ++idx;
    m_order.insert(m_order.begin() + (r - 1), s);
    changed();
}

Byte TStringArray::GetRowAttrib(int r) const
{
    if (r < 1 || r > m_nrRows)
        return 0;
    return m_rowAttr[std::size_t(storedIndex(r))];
}

void TStringArray::SetRowAttrib(int r, Byte b)
{
    if (r < 1 || r > m_nrRows)
        return;
    m_rowAttr[std::size_t(storedIndex(r))] = b;
}

Byte TStringArray::GetColAttrib(int c) const
{
    if (c < 0 || c > m_nrCols)
        return 0;
    return m_colAttr[std::size_t(c)];
}

void TStringArray::SetColAttrib(int c, Byte b)
{
    if (c < 0 || c > m_nrCols)
        return;
    m_colAttr[std::size_t(c)] = b;
}

namespace {

// Sort record of one row, made once per sort. Rank 0 is an empty cell, 1 a number, 2 other
// text; the key orders numbers by value and texts by their first twelve case-folded
// characters, so most comparisons never touch the strings themselves (texts in a column
// often share a long prefix, such as "item 000…", and chasing every string would cost a
// cache miss per comparison).
constexpr int kKeyWords = 3;
constexpr int kKeyChars = 4 * kKeyWords;
using SortKey = std::array<quint64, kKeyWords>;

struct SortRec {
    SortKey p1{};
    SortKey p2{};
    quint32 row = 0;
    Byte r1 = 0;
    Byte r2 = 0;
};

quint64 numberKey(double d)
{
    if (d == 0.0)
        d = 0.0; // -0 and 0 are the same number
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
}

SortKey textKey(const QString& s)
{
    SortKey k{};
    const int n = int(std::min<qsizetype>(s.size(), kKeyChars));
    for (int i = 0; i < kKeyChars; ++i) {
        quint64& w = k[std::size_t(i / 4)];
        w <<= 16;
        if (i < n)
            w |= s.at(i).toCaseFolded().unicode();
    }
    return k;
}

} // namespace

void TStringArray::Sort(int col, int colSec, bool ascending)
{
    if (col < 0 || col > m_nrCols || m_nrRows < 2)
        return;
    if (colSec < 0 || colSec > m_nrCols || colSec == col)
        colSec = -1;
    const std::size_t n = std::size_t(m_nrRows);
    const int totalSteps = colSec >= 0 ? 2 : 1;
    int lastPercent = -1;
    auto progress = [&](int step, std::size_t i) {
        if (!OnPercentDone)
            return;
        const int p = int((double(step) + double(i) / double(n)) * 90.0 / totalSteps);
        if (p != lastPercent) {
            lastPercent = p;
            OnPercentDone(this, p);
        }
    };

    std::vector<SortRec> recs(n);
    for (std::size_t i = 0; i < n; ++i)
        recs[i].row = quint32(m_order[i]); // the current display order, kept among equals
    // Texts a handler replaced stay here for the comparisons that need whole texts.
    std::vector<QString> replaced1, replaced2;
    // Case-folded texts longer than the prefix, made once per sort: texts sharing a long
    // prefix ("item 0001", "item 0002", ...) then compare without folding per comparison.
    std::vector<QString> folded1, folded2;

    auto makeKeys = [&](int c, bool first, std::vector<QString>& replaced, std::vector<QString>& folded) {
        const auto& v = m_cols[std::size_t(c)];
        if (v.empty())
            return;
        if (OnBeforeSortExchange)
            replaced.assign(n, QString());
        const std::size_t pace = n / 100 + 1;
        for (std::size_t i = 0; i < n; ++i) {
            SortRec& rec = recs[i];
            const QString* text = &v[rec.row];
            if (OnBeforeSortExchange) {
                QString& out = replaced[rec.row];
                out = *text;
                OnBeforeSortExchange(this, *text, out);
                text = &out;
            }
            Byte rank = 0;
            SortKey key{};
            double d;
            if (text->isEmpty()) {
            } else if (TryReadNumber(*text, d)) {
                rank = 1;
                key[0] = numberKey(d);
            } else {
                rank = 2;
                key = textKey(*text);
                if (text->size() > kKeyChars) {
                    if (folded.empty())
                        folded.resize(n);
                    folded[rec.row] = text->toCaseFolded();
                }
            }
            (first ? rec.r1 : rec.r2) = rank;
            (first ? rec.p1 : rec.p2) = key;
            if (i % pace == 0)
                progress(first ? 0 : 1, i);
        }
    };
    makeKeys(col, true, replaced1, folded1);
    if (colSec >= 0)
        makeKeys(colSec, false, replaced2, folded2);

    const std::vector<QString>* text1 = replaced1.empty() ? &m_cols[std::size_t(col)] : &replaced1;
    const std::vector<QString>* text2 =
        colSec < 0 ? nullptr : (replaced2.empty() ? &m_cols[std::size_t(colSec)] : &replaced2);
    auto cmpKey = [](Byte ra, const SortKey& pa, Byte rb, const SortKey& pb, const std::vector<QString>* texts,
                     const std::vector<QString>& folded, quint32 a, quint32 b) -> int {
        if (ra != rb)
            return ra < rb ? -1 : 1;
        for (int w = 0; w < kKeyWords; ++w)
            if (pa[std::size_t(w)] != pb[std::size_t(w)])
                return pa[std::size_t(w)] < pb[std::size_t(w)] ? -1 : 1;
        if (ra != 2)
            return 0;
        const QString& ta = (*texts)[a];
        const QString& tb = (*texts)[b];
        // Equal keys mostly mean equal texts: settle those without folding.
        if (ta.size() <= kKeyChars && tb.size() <= kKeyChars)
            return ta.size() == tb.size() ? 0 : (ta.size() < tb.size() ? -1 : 1);
        if (ta == tb)
            return 0;
        // Only texts longer than the key have a folded copy.
        if (ta.size() > kKeyChars && tb.size() > kKeyChars)
            return QString::compare(folded[a], folded[b], Qt::CaseSensitive);
        return QString::compare(ta, tb, Qt::CaseInsensitive);
    };
    auto cmp = [&](const SortRec& a, const SortRec& b) {
        int r = cmpKey(a.r1, a.p1, b.r1, b.p1, text1, folded1, a.row, b.row);
        if (r == 0 && text2)
            r = cmpKey(a.r2, a.p2, b.r2, b.p2, text2, folded2, a.row, b.row);
        return r;
    };
    if (ascending)
        std::stable_sort(recs.begin(), recs.end(), [&](const SortRec& a, const SortRec& b) { return cmp(a, b) < 0; });
    else
        std::stable_sort(recs.begin(), recs.end(), [&](const SortRec& a, const SortRec& b) { return cmp(a, b) > 0; });
    for (std::size_t i = 0; i < n; ++i)
        m_order[i] = int(recs[i].row);
    if (OnPercentDone)
        OnPercentDone(this, 100);
    changed();
}

void TStringArray::UnSort()
{
    std::iota(m_order.begin(), m_order.end(), 0);
    changed();
}

void TStringArray::CommitSorting()
{
    if (!IsSorted())
        return;
    for (auto& v : m_cols) {
        if (v.empty())
            continue;
        std::vector<QString> reordered(v.size());
        for (std::size_t i = 0; i < m_order.size(); ++i)
            reordered[i] = std::move(v[std::size_t(m_order[i])]);
        v.swap(reordered);
    }
    std::vector<Byte> attr(m_rowAttr.size(), 0);
    for (std::size_t i = 0; i < m_order.size(); ++i)
        attr[i] = m_rowAttr[std::size_t(m_order[i])];
    m_rowAttr.swap(attr);
    std::iota(m_order.begin(), m_order.end(), 0);
}

int TStringArray::GetSortOrder(int r) const
{
    if (r < 1 || r > m_nrRows)
        return 0;
    return storedIndex(r) + 1;
}

void TStringArray::SetSortOrder(int r, int v)
{
    if (r < 1 || r > m_nrRows || v < 1 || v > m_nrRows)
        return;
    // The display row that showed stored row v takes r's, so the order stays a permutation.
    const auto it = std::find(m_order.begin(), m_order.end(), v - 1);
    *it = m_order[std::size_t(r - 1)];
    m_order[std::size_t(r - 1)] = v - 1;
}

bool TStringArray::SetSortOrders(const std::vector<int>& order)
{
    if (int(order.size()) != m_nrRows)
        return false;
    std::vector<bool> seen(order.size(), false);
    for (int v : order) {
        if (v < 1 || v > m_nrRows || seen[std::size_t(v - 1)])
            return false;
        seen[std::size_t(v - 1)] = true;
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        m_order[i] = order[i] - 1;
    return true;
}

bool TStringArray::IsSorted() const
{
    for (std::size_t i = 0; i < m_order.size(); ++i)
        if (m_order[i] != int(i))
            return true;
    return false;
}

double TStringArray::GetAsNumber(int col, int row) const
{
    double d = 0.0;
    if (!TryReadNumber(GetString(col, row), d))
        return 0.0;
    return d;
}

void TStringArray::SwapContents(TStringArray& other) noexcept
{
    m_cols.swap(other.m_cols);
    m_rowAttr.swap(other.m_rowAttr);
    m_colAttr.swap(other.m_colAttr);
    m_order.swap(other.m_order);
    std::swap(m_nrCols, other.m_nrCols);
    std::swap(m_nrRows, other.m_nrRows);
    std::swap(m_allocRows, other.m_allocRows);
    std::swap(m_allocBy, other.m_allocBy);
}

} // namespace qor

#include "foundation/QOR_StringArray.h"
#include "foundation/StringArray_p.h"

#include <QIODevice>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cmath>
#include <new>
#include <numeric>

#ifdef __linux__
#include <sys/mman.h>
#endif

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

namespace {

bool isAsciiBlank(char16_t u)
{
    return u == u' ' || (u >= 0x09 && u <= 0x0d);
}

// The general reading, for any text: Qt's C-locale reading of the trimmed text, and the
// same with a single "," taken for "." when there is no ".".
bool readNumberGeneral(QStringView s, double& value)
{
    const QStringView t = s.trimmed();
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

// TryReadNumber for a view. Plain ASCII texts, what nearly every numeric cell holds, are
// read by std::from_chars, which takes the same syntax as Qt's C-locale reading except
// for a leading "+" (handled here) and rounds the same way (both round correctly); the
// tests compare the two readings over a large table of texts. Anything else takes the
// general reading.
bool readNumber(QStringView s, double& value)
{
    const char16_t* p = s.utf16();
    qsizetype n = s.size();
    while (n > 0 && isAsciiBlank(*p)) {
        ++p;
        --n;
    }
    while (n > 0 && isAsciiBlank(p[n - 1]))
        --n;
    if (n == 0)
        return false;
    const char16_t c0 = p[0];
    if (c0 >= 0x80 || p[n - 1] >= 0x80)
        return readNumberGeneral(s, value); // Unicode digits or blanks
    if (!((c0 >= u'0' && c0 <= u'9') || c0 == u'-' || c0 == u'+' || c0 == u'.' || c0 == u','))
        return false;
    constexpr qsizetype kLongest = 64;
    if (n > kLongest)
        return readNumberGeneral(s, value);
    char buf[kLongest];
    int commas = 0;
    int dots = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i];
        if (u >= 0x80)
            return readNumberGeneral(s, value);
        buf[i] = char(u);
        commas += u == u',';
        dots += u == u'.';
    }
    if (commas > 0) {
        // Qt refuses any ","; the second try takes a lone "," for the decimal point.
        if (commas > 1 || dots > 0)
            return false;
        *std::find(buf, buf + n, ',') = '.';
    }
    const char* b = buf;
    const char* const e = buf + n;
    if (*b == '+') {
        ++b;
        if (b == e || *b == '-' || *b == '+')
            return false;
    }
    double v = 0.0;
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace

bool TryReadNumber(const QString& s, double& value)
{
    return readNumber(QStringView(s), value);
}

// ---------------------------------------------------------------------------------------

namespace detail {

namespace {
// Offsets are 32 bits: page number in the high bits, position in the low ones.
constexpr std::size_t kMaxPages = std::size_t(1) << (32 - TStringColumn::kPageBits);
} // namespace

quint32 TStringColumn::append(QStringView s)
{
    const std::size_t n = std::size_t(s.size());
    if (m_pages.empty() || m_pages.back().size() + n > kPageUnits) {
        if (m_pages.size() >= kMaxPages && m_garbage > 0)
            Compact();
        if (m_pages.empty() || m_pages.back().size() + n > kPageUnits) {
            if (m_pages.size() >= kMaxPages)
                throw EQORError(QStringLiteral("string table: a column cannot hold more text"));
            // A text never straddles two pages. The first page grows as texts come, so that
            // small tables stay small; a column that needs more gets full pages.
            std::vector<char16_t> page;
            page.reserve(m_pages.empty() ? std::max<std::size_t>(n, 32) : kPageUnits);
            m_pages.push_back(std::move(page));
        }
    }
    std::vector<char16_t>& page = m_pages.back();
    if (page.size() + n > page.capacity())
        page.reserve(std::min(kPageUnits, std::max(page.capacity() * 2, page.size() + n)));
    const quint32 o = quint32(((m_pages.size() - 1) << kPageBits) | page.size());
    page.insert(page.end(), s.utf16(), s.utf16() + n);
    return o;
}

bool TStringColumn::Set(std::size_t i, QStringView s, std::size_t count)
{
    const std::size_t n = std::size_t(s.size());
    if (m_len.empty()) {
        if (n == 0)
            return false;
        std::vector<quint32> off(count, 0);
        std::vector<quint8> len(count, 0);
        off[i] = append(s);
        len[i] = quint8(n);
        m_off.swap(off);
        m_len.swap(len);
        m_live = qint64(n);
        return true;
    }
    const std::size_t old = m_len[i];
    if (old == n && View(i) == s)
        return false;
    if (n <= old) {
        // Fits where the old text was: no garbage beyond the shortening.
        if (n > 0) {
            const quint32 o = m_off[i];
            std::memmove(m_pages[o >> kPageBits].data() + (o & (kPageUnits - 1)), s.utf16(), n * sizeof(char16_t));
        }
        m_garbage += qint64(old - n);
    } else {
        m_off[i] = append(s);
        m_garbage += qint64(old);
    }
    m_len[i] = quint8(n);
    m_live += qint64(n) - qint64(old);
    CompactIfWasteful();
    return true;
}

void TStringColumn::Erase(std::size_t i)
{
    const std::size_t n = m_len[i];
    m_len[i] = 0;
    m_live -= qint64(n);
    m_garbage += qint64(n);
}

void TStringColumn::Reserve(std::size_t count)
{
    if (!Written() || count <= m_len.capacity())
        return;
    // Rows added a few at a time (InsertRow) must not copy all slots every time.
    const std::size_t cap = std::max(count, m_len.capacity() + m_len.capacity() / 2);
    m_off.reserve(cap);
    m_len.reserve(cap);
}

void TStringColumn::SetSlots(std::size_t count)
{
    if (!Written())
        return;
    m_off.resize(count, 0);
    m_len.resize(count, 0);
}

void TStringColumn::RemoveSlot(std::size_t i)
{
    Erase(i);
    m_off.erase(m_off.begin() + std::ptrdiff_t(i));
    m_len.erase(m_len.begin() + std::ptrdiff_t(i));
    m_off.push_back(0);
    m_len.push_back(0);
}

void TStringColumn::InsertSlot(std::size_t i)
{
    m_off.pop_back();
    m_len.pop_back();
    m_off.insert(m_off.begin() + std::ptrdiff_t(i), 0);
    m_len.insert(m_len.begin() + std::ptrdiff_t(i), 0);
}

void TStringColumn::Permute(const std::vector<int>& order)
{
    std::vector<quint32> off(m_off.size(), 0);
    std::vector<quint8> len(m_len.size(), 0);
    for (std::size_t i = 0; i < order.size(); ++i) {
        off[i] = m_off[std::size_t(order[i])];
        len[i] = m_len[std::size_t(order[i])];
    }
    m_off.swap(off);
    m_len.swap(len);
}

void TStringColumn::CompactIfWasteful() noexcept
{
    // Compacting reads every slot, so a column of many empty slots waits for more garbage;
    // either way the work is paid for by the garbage written since the last time.
    if (m_garbage <= std::max<qint64>({m_live, qint64(m_len.size() / 4), 64}))
        return;
    try {
        Compact();
    } catch (...) {
        // Out of memory: the garbage stays, nothing is lost.
    }
}

void TStringColumn::Compact()
{
    // The new pages are sized first, so that nothing can fail once texts move; the texts
    // then lie in stored row order, which also suits loops over a column.
    std::vector<std::size_t> fill;
    std::size_t used = kPageUnits;
    for (const quint8 n : m_len) {
        if (n == 0)
            continue;
        if (used + n > kPageUnits) {
            fill.push_back(0);
            used = 0;
        }
        used += n;
        fill.back() = used;
    }
    std::vector<std::vector<char16_t>> pages(fill.size());
    for (std::size_t p = 0; p < fill.size(); ++p)
        pages[p].reserve(p + 1 < fill.size() ? kPageUnits : fill[p]);
    std::size_t p = 0;
    for (std::size_t i = 0; i < m_len.size(); ++i) {
        const std::size_t n = m_len[i];
        if (n == 0)
            continue;
        if (pages[p].size() + n > kPageUnits)
            ++p;
        const QStringView t = View(i);
        m_off[i] = quint32((p << kPageBits) | pages[p].size());
        pages[p].insert(pages[p].end(), t.utf16(), t.utf16() + n);
    }
    m_pages.swap(pages);
    m_garbage = 0;
}

} // namespace detail

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
    const int keptCols = std::min(cols, m_nrCols);
    try {
        // Everything that can fail is done before any visible change.
        std::vector<detail::TStringColumn> newCols;
        if (cols > m_nrCols)
            newCols.resize(std::size_t(cols - m_nrCols));
        for (int c = 0; c <= keptCols; ++c)
            m_cols[std::size_t(c)].Reserve(std::size_t(newAlloc));
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
        for (int c = 0; c <= keptCols; ++c) {
            auto& col = m_cols[std::size_t(c)];
            if (!col.Written())
                continue;
            for (int i = rows; i < m_nrRows; ++i)
                col.Erase(std::size_t(i));
            col.SetSlots(std::size_t(newAlloc));
            col.CompactIfWasteful();
        }
        m_rowAttr.resize(std::size_t(newAlloc), 0);
        std::fill(m_rowAttr.begin() + std::min(rows, newAlloc), m_rowAttr.end(), Byte(0));
        m_cols.resize(std::size_t(keptCols) + 1);
        for (auto& col : newCols)
            m_cols.push_back(std::move(col));
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
    for (auto& col : m_cols)
        col = detail::TStringColumn();
    changed();
}

QString TStringArray::GetString(int col, int row) const
{
    return GetStringView(col, row).toString();
}

void TStringArray::SetString(int col, int row, const QString& s)
{
    if (!validCell(col, row))
        return;
    SetStoredString(col, storedIndex(row) + 1, s);
}

QString TStringArray::GetStoredString(int col, int storedRow) const
{
    return GetStoredStringView(col, storedRow).toString();
}

QStringView TStringArray::GetStringView(int col, int row) const
{
    return validCell(col, row) ? GetStoredStringView(col, storedIndex(row) + 1) : QStringView();
}

QStringView TStringArray::GetStoredStringView(int col, int storedRow) const
{
    if (!validCell(col, storedRow))
        return {};
    const auto& c = m_cols[std::size_t(col)];
    return c.Written() ? c.View(std::size_t(storedRow - 1)) : QStringView();
}

void TStringArray::SetStoredString(int col, int storedRow, const QString& s)
{
    if (!validCell(col, storedRow))
        return;
    const QStringView text = QStringView(s).left(MaxStrLen);
    if (m_cols[std::size_t(col)].Set(std::size_t(storedRow - 1), text, std::size_t(m_allocRows)))
        changed();
}

void TStringArray::RemoveRow(int r)
{
    if (r < 1 || r > m_nrRows)
        return;
    const int s = storedIndex(r);
    for (auto& col : m_cols) {
        if (!col.Written())
            continue;
        col.RemoveSlot(std::size_t(s));
        col.CompactIfWasteful();
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
    for (auto& col : m_cols)
        if (col.Written())
            col.InsertSlot(std::size_t(s));
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

// ---- sorting
//
// Every cell text becomes a key once per sort: its class (empty, number, text) and, for
// a number, its value as an integer of the same order; for a text, its first characters
// case-folded and packed into two integers so that integer order is text order. Rows are
// then ordered on the keys: numbers by a radix sort, texts by a comparison sort that looks at
// the texts themselves only when keys tie and a text is longer than its key. A secondary
// column orders each run of rows that the first column leaves equal.

enum : Byte { kClsEmpty = 0, kClsNumber = 1, kClsText = 2 };

// Working memory of a sort: tens of megabytes for a million rows, touched once or twice.
// Taken in huge pages where the system offers them, as faulting it in 4 KiB at a time
// costs more than the sorting itself.
template <class T>
struct ScratchAllocator {
    using value_type = T;
    ScratchAllocator() = default;
    template <class U>
    ScratchAllocator(const ScratchAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        const std::size_t bytes = std::max<std::size_t>(n * sizeof(T), 1);
        void* p = nullptr;
#ifdef __linux__
        constexpr std::size_t kHuge = std::size_t(2) << 20;
        if (bytes >= 4 * kHuge) {
            const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
            p = std::aligned_alloc(kHuge, rounded);
            if (p)
                madvise(p, rounded, MADV_HUGEPAGE);
        }
#endif
        if (!p)
            p = std::malloc(bytes);
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    bool operator==(const ScratchAllocator<U>&) const noexcept
    {
        return true;
    }
};
template <class T>
using Scratch = std::vector<T, ScratchAllocator<T>>;

quint64 numberKey(double d)
{
    if (d == 0.0)
        d = 0.0; // -0 and 0 are the same number
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
}

bool isAscii(QStringView s)
{
    char16_t any = 0;
    for (const QChar c : s)
        any |= c.unicode();
    return any < 0x80;
}

char16_t foldAscii(char16_t u)
{
    return (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
}

// Case-insensitive order of two texts: code units of their case-folded forms, which is
// what QString::compare with Qt::CaseInsensitive gives; ASCII texts are folded here
// without the general machinery.
int compareFolded(QStringView a, QStringView b, bool bothAscii, qsizetype from)
{
    if (!bothAscii)
        return a.compare(b, Qt::CaseInsensitive);
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = from; i < n; ++i) {
        const char16_t x = foldAscii(a[i].unicode());
        const char16_t y = foldAscii(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

struct Key {
    quint64 k0 = 0;
    quint64 k1 = 0;
};

// The keys of one column, by stored row.
struct ColumnKeys {
    const detail::TStringColumn* column = nullptr; // the stored texts, unless replaced
    std::vector<QString> replaced;                  // texts the sort handler changed, by stored row
    Scratch<Byte> isReplaced;                        // (both empty while it changed none)
    Scratch<Byte> cls;
    Scratch<Key> key;
    // Whether every text is ASCII: then a key holds 16 characters of 8 bits, otherwise 8
    // UTF-16 code units of the case-folded text.
    bool ascii = true;

    QStringView text(quint32 row) const
    {
        if (!isReplaced.empty() && isReplaced[row])
            return replaced[row];
        return column && column->Written() ? column->View(row) : QStringView();
    }

    void makeTextKey(quint32 row)
    {
        const QStringView t = text(row);
        Key k;
        if (ascii) {
            const qsizetype n = std::min<qsizetype>(t.size(), 16);
            quint64 w[2] = {0, 0};
            for (qsizetype i = 0; i < 16; ++i)
                w[i / 8] = (w[i / 8] << 8) | (i < n ? foldAscii(t[i].unicode()) : 0u);
            k = {w[0], w[1]};
        } else {
            // The whole text is folded: a character outside the basic plane folds as a pair.
            const QString folded = t.toString().toCaseFolded();
            const qsizetype n = std::min<qsizetype>(folded.size(), 8);
            quint64 w[2] = {0, 0};
            for (qsizetype i = 0; i < 8; ++i)
                w[i / 4] = (w[i / 4] << 16) | (i < n ? folded[i].unicode() : 0u);
            k = {w[0], w[1]};
        }
        key[row] = k;
    }

    // Three-way comparison of two rows of the same class, ascending.
    int compareSameClass(quint32 a, quint32 b) const
    {
        const Key& x = key[a];
        const Key& y = key[b];
        if (x.k0 != y.k0)
            return x.k0 < y.k0 ? -1 : 1;
        if (x.k1 != y.k1)
            return x.k1 < y.k1 ? -1 : 1;
        if (cls[a] != kClsText)
            return 0;
        return compareTextTail(a, b);
    }
    // Texts whose keys tie.
    int compareTextTail(quint32 a, quint32 b) const
    {
        const QStringView ta = text(a);
        const QStringView tb = text(b);
        if (ascii) {
            if (ta.size() <= 16 && tb.size() <= 16)
                return ta.size() == tb.size() ? 0 : (ta.size() < tb.size() ? -1 : 1);
            return compareFolded(ta, tb, true, 16);
        }
        return compareFolded(ta, tb, false, 0);
    }
    int compare(quint32 a, quint32 b) const
    {
        if (cls[a] != cls[b])
            return cls[a] < cls[b] ? -1 : 1;
        return compareSameClass(a, b);
    }
};

struct NumRec {
    quint64 key;
    quint32 row;
};

struct TextRec {
    Key key;
    quint32 row;
    quint32 pos; // place in the order before the sort, which decides among equals
};

// Stable least-significant-digit radix sort on the keys, 11 bits a pass; digits that all
// keys share are skipped.
void radixSort(Scratch<NumRec>& a, Scratch<NumRec>& tmp)
{
    constexpr int kBits = 11;
    constexpr int kPasses = (64 + kBits - 1) / kBits;
    constexpr std::size_t kBuckets = std::size_t(1) << kBits;
    const std::size_t n = a.size();
    if (n < 2)
        return;
    std::vector<std::array<std::size_t, kBuckets>> count(kPasses);
    for (auto& c : count)
        c.fill(0);
    for (const NumRec& r : a)
        for (int d = 0; d < kPasses; ++d)
            ++count[std::size_t(d)][(r.key >> (d * kBits)) & (kBuckets - 1)];
    tmp.resize(n);
    NumRec* src = a.data();
    NumRec* dst = tmp.data();
    for (int d = 0; d < kPasses; ++d) {
        auto& c = count[std::size_t(d)];
        if (c[(src[0].key >> (d * kBits)) & (kBuckets - 1)] == n)
            continue;
        std::size_t sum = 0;
        for (auto& x : c) {
            const std::size_t k = x;
            x = sum;
            sum += k;
        }
        for (std::size_t i = 0; i < n; ++i)
            dst[c[(src[i].key >> (d * kBits)) & (kBuckets - 1)]++] = src[i];
        std::swap(src, dst);
    }
    if (src != a.data())
        std::copy(src, src + n, a.data());
}

// Orders rows [first, last) (stored row numbers in their current display order) by one
// column's keys; stable.
class RowSorter {
public:
    RowSorter(const ColumnKeys& keys, bool ascending) : m_keys(keys), m_asc(ascending) {}

    void sort(quint32* first, quint32* last)
    {
        const std::size_t n = std::size_t(last - first);
        if (n < 2)
            return;
        if (n <= 24) {
            insertionSort(first, last);
            return;
        }
        // Stable partition by class, in the order the direction asks for.
        std::array<std::size_t, 3> count{};
        for (const quint32* p = first; p != last; ++p)
            ++count[m_keys.cls[*p]];
        const std::array<Byte, 3> classes = m_asc ? std::array<Byte, 3>{kClsEmpty, kClsNumber, kClsText}
                                                  : std::array<Byte, 3>{kClsText, kClsNumber, kClsEmpty};
        std::array<std::size_t, 3> start{};
        std::size_t at = 0;
        for (const Byte c : classes) {
            start[c] = at;
            at += count[c];
        }
        if (std::max({count[0], count[1], count[2]}) < n) {
            m_rows.assign(first, last);
            std::array<std::size_t, 3> pos = start;
            for (const quint32 r : m_rows)
                first[pos[m_keys.cls[r]]++] = r;
        }

        if (count[kClsNumber] > 1) {
            quint32* p = first + start[kClsNumber];
            m_nums.resize(count[kClsNumber]);
            for (std::size_t i = 0; i < m_nums.size(); ++i) {
                const quint64 k = m_keys.key[p[i]].k0;
                m_nums[i] = {m_asc ? k : ~k, p[i]};
            }
            radixSort(m_nums, m_numTmp);
            for (std::size_t i = 0; i < m_nums.size(); ++i)
                p[i] = m_nums[i].row;
        }
        if (count[kClsText] > 1) {
            quint32* p = first + start[kClsText];
            m_texts.resize(count[kClsText]);
            for (std::size_t i = 0; i < m_texts.size(); ++i)
                m_texts[i] = {m_keys.key[p[i]], p[i], quint32(i)};
            // Equal texts are told apart by their place before the sort: stable, and an
            // in-place sort needs no buffer of the records' size.
            const ColumnKeys& keys = m_keys;
            auto cmp = [&keys](const TextRec& a, const TextRec& b) {
                if (a.key.k0 != b.key.k0)
                    return a.key.k0 < b.key.k0 ? -1 : 1;
                if (a.key.k1 != b.key.k1)
                    return a.key.k1 < b.key.k1 ? -1 : 1;
                return keys.compareTextTail(a.row, b.row);
            };
            if (m_asc)
                std::sort(m_texts.begin(), m_texts.end(), [&cmp](const TextRec& a, const TextRec& b) {
                    const int c = cmp(a, b);
                    return c != 0 ? c < 0 : a.pos < b.pos;
                });
            else
                std::sort(m_texts.begin(), m_texts.end(), [&cmp](const TextRec& a, const TextRec& b) {
                    const int c = cmp(a, b);
                    return c != 0 ? c > 0 : a.pos < b.pos;
                });
            for (std::size_t i = 0; i < m_texts.size(); ++i)
                p[i] = m_texts[i].row;
        }
    }

    int compare(quint32 a, quint32 b) const { return m_keys.compare(a, b); }

private:
    void insertionSort(quint32* first, quint32* last) const
    {
        for (quint32* i = first + 1; i < last; ++i) {
            const quint32 v = *i;
            quint32* j = i;
            while (j > first && before(v, *(j - 1))) {
                *j = *(j - 1);
                --j;
            }
            *j = v;
        }
    }
    bool before(quint32 a, quint32 b) const
    {
        const int c = m_keys.compare(a, b);
        return m_asc ? c < 0 : c > 0;
    }

    const ColumnKeys& m_keys;
    const bool m_asc;
    Scratch<quint32> m_rows;
    Scratch<NumRec> m_nums, m_numTmp;
    Scratch<TextRec> m_texts;
};

} // namespace

void TStringArray::Sort(int col, int colSec, bool ascending)
{
    if (col < 0 || col > m_nrCols || m_nrRows < 2)
        return;
    if (colSec < 0 || colSec > m_nrCols || colSec == col)
        colSec = -1;
    const std::size_t n = std::size_t(m_nrRows);
    const int nrCols = m_nrCols;
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

    // Keys are made in stored order, which reads the texts front to back.
    auto makeKeys = [&](int c, int step, ColumnKeys& k) {
        k.column = &m_cols[std::size_t(c)];
        k.cls.assign(n, kClsEmpty);
        k.key.assign(n, Key());
        if (!k.column->Written())
            return; // a column never written to: all empty, nothing to ask about
        const bool asked = bool(OnBeforeSortExchange);
        if (asked) {
            // A handler is often installed only to pass the texts on and changes none: the
            // text handed over is one buffer refilled for each cell (a copy the handler
            // keeps is detached from it), and only texts it changed are kept.
            QString in, out;
            for (std::size_t i = 0; i < n; ++i) {
                const QStringView t = k.column->View(i);
                in.resize(t.size());
                if (!t.isEmpty())
                    std::copy(t.utf16(), t.utf16() + t.size(), reinterpret_cast<char16_t*>(in.data()));
                out = in;
                OnBeforeSortExchange(this, in, out);
                if (!out.isSharedWith(in) && out != in) {
                    if (k.isReplaced.empty()) {
                        k.isReplaced.assign(n, 0);
                        k.replaced.resize(n);
                    }
                    k.isReplaced[i] = 1;
                    k.replaced[i] = out;
                }
                out = QString();
                if (i % (n / 100 + 1) == 0)
                    progress(step, i / 2);
            }
        }
        const std::size_t pace = n / 100 + 1;
        for (std::size_t i = 0; i < n; ++i) {
            const QStringView t = k.text(quint32(i));
            if (t.isEmpty())
                continue;
            double d;
            if (readNumber(t, d)) {
                k.cls[i] = kClsNumber;
                k.key[i].k0 = numberKey(d);
            } else {
                k.cls[i] = kClsText;
                if (k.ascii && !isAscii(t))
                    k.ascii = false;
            }
            if (i % pace == 0)
                progress(step, asked ? (n + i) / 2 : i);
        }
        for (std::size_t i = 0; i < n; ++i)
            if (k.cls[i] == kClsText)
                k.makeTextKey(quint32(i));
    };

    ColumnKeys primary, secondary;
    makeKeys(col, 0, primary);
    if (colSec >= 0)
        makeKeys(colSec, 1, secondary);
    // A handler that changed the table's shape has left nothing to sort by.
    if (m_nrRows != int(n) || m_nrCols != nrCols)
        return;

    Scratch<quint32> rows(m_order.begin(), m_order.end()); // kept among equals
    RowSorter first(primary, ascending);
    first.sort(rows.data(), rows.data() + n);
    if (colSec >= 0) {
        RowSorter second(secondary, ascending);
        std::size_t runStart = 0;
        for (std::size_t i = 1; i <= n; ++i) {
            if (i < n && first.compare(rows[i - 1], rows[i]) == 0)
                continue;
            if (i - runStart > 1)
                second.sort(rows.data() + runStart, rows.data() + i);
            runStart = i;
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        m_order[i] = int(rows[i]);
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
    for (auto& col : m_cols)
        if (col.Written())
            col.Permute(m_order);
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
    if (!readNumber(GetStringView(col, row), d))
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

const detail::TStringColumn& TStringArrayProbe::Column(const TStringArray& a, int c)
{
    return a.m_cols[std::size_t(c)];
}

} // namespace qor

// TNTabEd and the clipboard: the copy buffer, the text of copied cells, pasting the buffer,
// reading numbers out of any clipboard text, and the commands on the selected cells.
#include "ntabed/NTabEdUi_p.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUtf8StringView>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace qor {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();

QClipboard* clipboard() { return QGuiApplication::clipboard(); }

// The clipboard text as UTF-8 bytes: the table editor puts its text there as bytes, and
// scanning bytes spares converting millions of characters to UTF-16 and back.
QByteArray clipText(const QMimeData* mime)
{
    if (!mime || !mime->hasText())
        return QByteArray();
    static const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
    static const QString plain = QStringLiteral("text/plain");
    QByteArray b = mime->hasFormat(utf8) ? mime->data(utf8) : mime->data(plain);
    if (b.isEmpty())
        b = mime->text().toUtf8();
    return b;
}

// Text that holds control characters other than line ends and tabs, or bytes that are no
// UTF-8 (or decoded to the replacement character), is no table text.
bool looksBinary(QByteArrayView t)
{
    bool high = false;
    for (char ch : t) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v') || c == 0x7F)
            return true;
        high = high || c >= 0x80;
    }
    return high && (!QUtf8StringView(t.data(), t.size()).isValidUtf8() || t.indexOf("\xEF\xBF\xBD") >= 0);
}

// The exponent of "d.ddd e+xx" (to_chars) written as E, sign and four digits.
void appendExponential(std::string& out, double x, int decimals)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, decimals);
    const char* e = std::find(static_cast<const char*>(buf), static_cast<const char*>(r.ptr), 'e');
    out.push_back(x < 0 ? '-' : ' ');
    out.append(static_cast<const char*>(buf), std::size_t(e - buf));
    out.push_back('E');
    const char sign = e + 1 < r.ptr ? e[1] : '+';
    out.push_back(sign);
    const char* digits = e + 2;
    const int nd = int(r.ptr - digits);
    for (int k = nd; k < 4; ++k)
        out.push_back('0');
    out.append(digits, std::size_t(nd));
}

} // namespace

bool ClipConvert(std::string& text, double& value)
{
    // An exponent mark without digits belongs to no number ("5E" is 5).
    while (!text.empty() && (text.back() == 'E' || text.back() == '+' || text.back() == '-')) {
        const char c = text.back();
        text.pop_back();
        if (c == 'E')
            break;
    }
    const std::size_t ePos = text.find('E');
    const std::string_view mantissa = std::string_view(text).substr(0, ePos);
    if (mantissa.find_first_of("0123456789") == std::string_view::npos)
        return false;   // a sign or separator alone is no number
    if (!text.empty() && text.back() == '.')
        text.push_back('0');
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    double v = 0;
    const auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the C library tells which.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        v = cLocale ? strtod_l(first, nullptr, cLocale) : 0.0;
    } else if (r.ec != std::errc()) {
        v = 0;
    }
    if (std::isnan(v))
        v = 0;
    value = std::clamp(v, -kMaxDouble, kMaxDouble);
    return true;
}

void AppendClipValue(std::string& out, double x, bool fullPrecision, int precision)
{
    if (fullPrecision) {
        // 22 characters hold 14 significant digits; a value that needs more gets 17. The
        // shortest digits that give the value back, padded with zeros, are both.
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
        const char* e = std::find(static_cast<const char*>(buf), static_cast<const char*>(r.ptr), 'e');
        const bool point = e - buf > 1;
        const int decimals = point ? int(e - buf) - 2 : 0;
        out.push_back(x < 0 ? '-' : ' ');
        out.append(static_cast<const char*>(buf), std::size_t(e - buf));
        if (!point)
            out.push_back('.');
        out.append(std::size_t((decimals <= 13 ? 13 : 16) - decimals), '0');
        out.push_back('E');
        out.push_back(e[1]);
        const int nd = int(r.ptr - (e + 2));
        out.append(std::size_t(std::max(0, 4 - nd)), '0');
        out.append(e + 2, std::size_t(nd));
        return;
    }
    if (precision < 0) {
        appendExponential(out, x, 1);
        return;
    }
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, x == 0 ? 0.0 : x, std::chars_format::fixed, precision);
    if (r.ec == std::errc())
        out.append(buf, std::size_t(r.ptr - buf));
    else
        out.append(NTabFloatStr(x, 1, precision).toStdString());
}

// ---- selection -------------------------------------------------------------------------

// The selection in data coordinates, cut to the table (Right < Left when nothing is left).
TGridRect TNTabEd::dataSelection() const
{
    const TGridRect s = Selection();
    TGridRect d{s.Left - m_colOffset, s.Top - m_rowOffset, s.Right - m_colOffset, s.Bottom - m_rowOffset};
    d.Left = std::max(d.Left, 1);
    d.Top = std::max(d.Top, 1);
    d.Right = std::min(d.Right, NrOfColumns());
    d.Bottom = std::min(d.Bottom, NrOfRows());
    return d;
}

// ---- copy and paste --------------------------------------------------------------------

void TNTabEd::CopyToClipboard()
{
    const TGridRect d = dataSelection();
    if (d.Right < d.Left || d.Bottom < d.Top)
        return;
    const int w = d.Right - d.Left + 1;
    const int h = d.Bottom - d.Top + 1;
    m_copyBuffer->Resize(w, h);
    TMatrix& bm = m_copyBuffer->Matrix();
    Byte* bs = m_copyBuffer->States();
    const TMatrix& m = m_data->Matrix();
    const Byte* st = m_data->States();
    std::string text;
    text.reserve(std::size_t(w) * std::size_t(h) * (m_clipFullPrec ? 23 : 10) + std::size_t(h) * 2);
    QByteArray states;
    states.resize(qsizetype(8 + std::size_t(w) * std::size_t(h)));
    const qint32 dims[2] = {w, h};
    std::memcpy(states.data(), dims, sizeof dims);
    char* sp = states.data() + 8;
    for (int r = d.Top; r <= d.Bottom; ++r) {
        for (int c = d.Left; c <= d.Right; ++c) {
            const std::size_t src = m.index(c, r);
            const double x = m.Values()[src];
            const Byte s = st[src];
            const int bc = c - d.Left + 1;
            const int br = r - d.Top + 1;
            bm.Values()[bm.index(bc, br)] = x;
            bs[bm.index(bc, br)] = s;
            *sp++ = char(s);
            text.push_back(c == d.Left ? ' ' : '\t');
            // Cells that are no number, and values that are no finite number, keep their
            // place as "####".
            if ((s & (csInvalid | csEmpty)) || !std::isfinite(x))
                text.append("####");
            else
                AppendClipValue(text, x, m_clipFullPrec, Precision(c));
        }
        text.append("\r\n");
    }
    m_copyBufferFilled = true;
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), QByteArray(text.data(), qsizetype(text.size())));
    mime->setData(QString::fromLatin1(kClipStatesMime), states);
    clipboard()->setMimeData(mime);   // the clipboard owns it
    updateDataMenu();
}

bool TNTabEd::PasteCopyBuffer()
{
    if (!m_copyBufferFilled || m_readOnly) {
        MessageBeep();
        return false;
    }
    HideEditor();
    const TGridRect s = Selection();
    const int left = std::max(s.Left - m_colOffset, 1);
    const int top = std::max(s.Top - m_rowOffset, 1);
    const int bw = m_copyBuffer->NrOfColumns();
    const int bh = m_copyBuffer->NrOfRows();
    const int right = std::min(left + bw - 1, NrOfColumns());
    const int bottom = std::min(top + bh - 1, NrOfRows());
    {
        InternalSuppress sup(this);
        QuietTable q(this);
        TMatrix& m = m_data->Matrix();
        Byte* st = m_data->States();
        const TMatrix& bm = m_copyBuffer->Matrix();
        const Byte* bs = m_copyBuffer->States();
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c) {
                const std::size_t src = bm.index(c - left + 1, r - top + 1);
                m.Values()[m.index(c, r)] = bm.Values()[src];
                st[m.index(c, r)] = bs[src];
            }
    }
    Invalidate();
    Fire(OnChange);
    Fire(OnCellStateChanged);
    Fire(OnPaste);
    SetSelection(GridRect(left + m_colOffset, top + m_rowOffset, right + m_colOffset, bottom + m_rowOffset));
    reportSelection();
    return true;
}

// ---- numbers out of clipboard text -----------------------------------------------------

namespace {
// The cell states the clipboard carries beside the text, when a table editor put it there.
struct ClipStates {
    int w = 0;
    int h = 0;
    QByteArray bytes;
    Byte at(int col0, int row0) const
    {
        if (col0 < 0 || row0 < 0 || col0 >= w || row0 >= h)
            return csInvalid;
        const Byte s = Byte(bytes.at(qsizetype(8 + std::size_t(row0) * std::size_t(w) + std::size_t(col0))));
        return (s & (csInvalid | csEmpty)) ? Byte(s & (csInvalid | csEmpty)) : csInvalid;
    }
};

ClipStates clipStates(const QMimeData* mime)
{
    ClipStates cs;
    if (!mime)
        return cs;
    const QByteArray b = mime->data(QString::fromLatin1(kClipStatesMime));
    if (b.size() < 8)
        return cs;
    qint32 dims[2];
    std::memcpy(dims, b.constData(), sizeof dims);
    if (dims[0] < 1 || dims[1] < 1 || qint64(dims[0]) * dims[1] != b.size() - 8)
        return cs;
    cs.w = dims[0];
    cs.h = dims[1];
    cs.bytes = b;
    return cs;
}
} // namespace

bool TNTabEd::GetClipMatrixSize(int& NCols, int& NRows) const
{
    NCols = 1;
    NRows = 1;
    const QByteArray text = clipText(clipboard()->mimeData());
    if (text.isEmpty() || looksBinary(text))
        return false;
    int lastLine = -1;
    int cols = 0;
    auto count = [&](int line, int n) {
        lastLine = std::max(lastLine, line);
        cols = std::max(cols, n + 1);
    };
    const long long found = ScanClipNumbers(text.constData(), text.constData() + text.size(),
                                            [&](int line, int n, double) { count(line, n); },
                                            [&](int line, int n) { count(line, n); });
    if (found == 0)
        return false;
    NCols = cols;
    NRows = lastLine + 1;
    return true;
}

bool TNTabEd::ExtractFromClipboard()
{
    const QMimeData* mime = clipboard()->mimeData();
    const QByteArray text = m_readOnly ? QByteArray() : clipText(mime);
    if (text.isEmpty() || looksBinary(text)) {
        MessageBeep();
        return false;
    }
    HideEditor();
    const ClipStates states = clipStates(mime);
    const TGridRect s = Selection();
    const int left = std::max(s.Left - m_colOffset, 1);
    const int top = std::max(s.Top - m_rowOffset, 1);
    const int nc = NrOfColumns();
    const int nr = NrOfRows();
    int lastLine = -1;
    int cols = 0;
    long long found = 0;
    {
        InternalSuppress sup(this);
        QuietTable q(this);
        TMatrix& m = m_data->Matrix();
        Byte* st = m_data->States();
        auto inside = [&](int line, int n, int& c, int& r) {
            lastLine = std::max(lastLine, line);
            cols = std::max(cols, n + 1);
            // 64-bit sums: a line of 2^31 numbers cannot wrap around into the table
            const long long cc = (long long)left + n;
            const long long rr = (long long)top + line;
            if (cc > nc || rr > nr)
                return false;
            c = int(cc);
            r = int(rr);
            return true;
        };
        found = ScanClipNumbers(
            text.constData(), text.constData() + text.size(),
            [&](int line, int n, double v) {
                int c, r;
                if (!inside(line, n, c, r))
                    return;
                const std::size_t i = m.index(c, r);
                m.Values()[i] = v;
                // a number written is shown: it is neither invalid nor empty any more
                st[i] = Byte(st[i] & ~(csInvalid | csEmpty));
            },
            [&](int line, int n) {
                int c, r;
                if (!inside(line, n, c, r))
                    return;
                const std::size_t i = m.index(c, r);
                st[i] = Byte((st[i] & ~(csInvalid | csEmpty)) | states.at(n, line));
            });
    }
    if (lastLine < 0) {
        MessageBeep();
        return false;
    }
    Invalidate();
    Fire(OnChange);
    Fire(OnPaste);
    const int right = int(std::min<long long>((long long)left + cols - 1, nc));
    const int bottom = int(std::min<long long>((long long)top + lastLine, nr));
    SetSelection(GridRect(left + m_colOffset, top + m_rowOffset, right + m_colOffset, bottom + m_rowOffset));
    reportSelection();
    return found > 0 || cols > 0;
}

// ---- commands on the selected cells ------------------------------------------------------

bool TNTabEd::forSelectedCells(const std::function<void(TMatrix&, Byte*, std::size_t)>& fn)
{
    if (m_readOnly)
        return false;
    HideEditor();
    const TGridRect d = dataSelection();
    InternalSuppress sup(this);
    QuietTable q(this);
    TMatrix& m = m_data->Matrix();
    Byte* st = m_data->States();
    for (int r = d.Top; r <= d.Bottom; ++r)
        for (int c = d.Left; c <= d.Right; ++c)
            fn(m, st, m.index(c, r));
    return true;
}

void TNTabEd::clearCommand()
{
    const bool done = forSelectedCells([](TMatrix& m, Byte* st, std::size_t i) {
        m.Values()[i] = 0;
        st[i] = 0;
    });
    if (!done)
        return;
    Invalidate();
    Fire(OnPaste);
    Fire(OnChange);
    Fire(OnCellStateChanged);
}

void TNTabEd::toggleEmptyCommand()
{
    if (!forSelectedCells([](TMatrix&, Byte* st, std::size_t i) { st[i] ^= csEmpty; }))
        return;
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::selectAllCommand()
{
    SetSelection(GridRect(m_colOffset + 1, m_rowOffset + 1, m_colOffset + NrOfColumns(), m_rowOffset + NrOfRows()));
    Invalidate();
    reportSelection();
}

// Marks: item 1 sets A, 2 sets B, 3 clears A, 4 clears B; sub 1 the range, 2 the columns,
// 3 the rows, 4 the whole table.
void TNTabEd::markCommand(int item, int sub)
{
    const Byte bit = (item == 1 || item == 3) ? csMarkA : csMarkB;
    const bool set = item <= 2;
    TGridRect d = dataSelection();
    if (sub == 2 || sub == 4) {
        d.Top = 1;
        d.Bottom = NrOfRows();
    }
    if (sub == 3 || sub == 4) {
        d.Left = 1;
        d.Right = NrOfColumns();
    }
    {
        InternalSuppress sup(this);
        QuietTable q(this);
        const TMatrix& m = m_data->Matrix();
        Byte* st = m_data->States();
        for (int r = d.Top; r <= d.Bottom; ++r)
            for (int c = d.Left; c <= d.Right; ++c) {
                Byte& s = st[m.index(c, r)];
                s = set ? Byte(s | bit) : Byte(s & ~bit);
            }
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

} // namespace qor

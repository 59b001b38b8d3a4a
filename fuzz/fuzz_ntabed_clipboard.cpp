// The table editor and the clipboard: numbers read out of any clipboard text into the table
// ("Extract from Clipboard"), the editor's own text read back, and Copy / Paste of blocks.
// A refused command leaves every value, state and the selection as they were; an accepted
// extraction writes exactly the numbers a reading of the text (written here apart from the
// editor's scanner) finds, at their places from the selection's top-left, cut at the table.
#include "FuzzSupport.h"
#include "NumTextReference.h"

#include "ntabed/NTabEdUi_p.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace qor;
using qor::fuzzing::TFuzzInput;
using qor::fuzzing::numref::CStrtod;
using qor::fuzzing::numref::Num;

namespace {

// ---- a reading of clipboard text -----------------------------------------------------------

struct Item {
    int line = 0;
    int n = 0;
    bool placeholder = false;
    double value = 0;
};

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigitByte(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsSepByte(unsigned char c) { return c == '.' || c == ','; }
bool IsSignByte(unsigned char c) { return c == '+' || c == '-'; }
bool IsExpByte(unsigned char c) { return c == 'e' || c == 'E'; }

// The numbers of a clipboard text as the editor documents them: a number starts at a digit,
// a sign or a separator ("." and ","), runs as far as the decimal grammar takes it (a character
// that breaks the grammar ends it, keeping what was read), needs a digit before any exponent,
// and keeps exponent digits up to 4200. "####" between blanks holds a place; a line feed after
// the first number or place starts the next line.
std::vector<Item> ReadClipText(const QByteArray& text)
{
    std::vector<Item> items;
    const auto* b = reinterpret_cast<const unsigned char*>(text.constData());
    const int size = int(text.size());
    int line = 0, n = 0;
    bool started = false;
    int i = 0;
    while (i < size) {
        const unsigned char c = b[i];
        if (c == '\n') {
            if (started) {
                ++line;
                n = 0;
            }
            ++i;
            continue;
        }
        if (c == '#' && i + 4 <= size && b[i + 1] == '#' && b[i + 2] == '#' && b[i + 3] == '#'
            && (i == 0 || IsSpace(b[i - 1])) && (i + 4 == size || IsSpace(b[i + 4]))) {
            items.push_back({line, n++, true, 0});
            started = true;
            i += 4;
            continue;
        }
        if (!(IsDigitByte(c) || IsSignByte(c) || IsSepByte(c))) {
            ++i;
            continue;
        }
        bool negative = false;
        if (IsSignByte(b[i]))
            negative = b[i++] == '-';
        std::string intDigits, fracDigits;
        while (i < size && IsDigitByte(b[i]))
            intDigits += char(b[i++]);
        bool sep = false;
        if (i < size && IsSepByte(b[i])) {
            sep = true;
            ++i;
            while (i < size && IsDigitByte(b[i]))
                fracDigits += char(b[i++]);
        }
        const bool mantissa = !intDigits.empty() || !fracDigits.empty();
        std::string expDigits;
        bool expNegative = false;
        // After a sign only a digit or a separator may follow; a second separator ends the number.
        if ((intDigits.empty() && !sep) || (sep && i < size && IsSepByte(b[i]))) {
            // nothing more belongs to this number
        } else if (i < size && IsExpByte(b[i])) {
            ++i;
            const bool signOk = i < size && IsSignByte(b[i]);
            if (signOk) {
                expNegative = b[i] == '-';
                ++i;
            }
            const bool broken = i < size && (IsSepByte(b[i]) || b[i] == ' ' || b[i] == '\t' || b[i] == '\r' || IsExpByte(b[i])
                                             || (signOk && IsSignByte(b[i])));
            if (!broken) {
                long long e = 0;
                bool cut = false;
                while (i < size && IsDigitByte(b[i])) {
                    if (!cut) {
                        e = e * 10 + (b[i] - '0');
                        if (e <= kClipMaxExponent)
                            expDigits += char(b[i]);
                        else
                            cut = true;
                    }
                    ++i;
                }
            }
        }
        if (!mantissa)
            continue;
        std::string canon = std::string(negative ? "-" : "") + (intDigits.empty() ? "0" : intDigits) + "."
            + (fracDigits.empty() ? "0" : fracDigits);
        if (!expDigits.empty())
            canon += std::string("e") + (expNegative ? "-" : "+") + expDigits;
        const double v = std::clamp(CStrtod(canon.c_str()), -DBL_MAX, DBL_MAX);
        items.push_back({line, n++, false, v});
        started = true;
    }
    return items;
}

bool SameValue(double got, double want)
{
    return got == want || (std::fabs(want) < DBL_MIN && got == 0.0);
}

// ---- the table ---------------------------------------------------------------------------------

struct Cell {
    double value;
    Byte state;
};

struct Table {
    int cols = 0, rows = 0;
    std::vector<Cell> cells;
    TGridRect selection{};
    Cell& at(int c, int r) { return cells[std::size_t(r - 1) * std::size_t(cols) + std::size_t(c - 1)]; }
    const Cell& at(int c, int r) const { return cells[std::size_t(r - 1) * std::size_t(cols) + std::size_t(c - 1)]; }
};

Table Snapshot(const TNTabEd& e)
{
    Table t;
    t.cols = e.NrOfColumns();
    t.rows = e.NrOfRows();
    for (int r = 1; r <= t.rows; ++r)
        for (int c = 1; c <= t.cols; ++c)
            t.cells.push_back({e.Elem(c, r), e.CellState(c, r)});
    t.selection = e.Selection();
    return t;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

QString Rect(const TGridRect& g) { return QStringLiteral("(%1,%2)-(%3,%4)").arg(g.Left).arg(g.Top).arg(g.Right).arg(g.Bottom); }

// The table as the editor holds it must be the expected one, cell for cell, with the selection.
void Compare(const Table& got, const Table& want, const QString& what, double tolerance = 0.0)
{
    QOR_FUZZ_CHECK(got.cols == want.cols && got.rows == want.rows,
                   what + QStringLiteral(": size %1 x %2, want %3 x %4").arg(got.cols).arg(got.rows).arg(want.cols).arg(want.rows));
    for (int r = 1; r <= want.rows; ++r)
        for (int c = 1; c <= want.cols; ++c) {
            const Cell& g = got.at(c, r);
            const Cell& w = want.at(c, r);
            const bool valueOk = SameBits(g.value, w.value) || std::fabs(g.value - w.value) <= tolerance
                || (std::fabs(w.value) < DBL_MIN && g.value == 0.0);
            QOR_FUZZ_CHECK(valueOk && g.state == w.state,
                           what + QStringLiteral(": cell (%1, %2) holds %3 state %4, want %5 state %6")
                                      .arg(c).arg(r).arg(Num(g.value)).arg(g.state).arg(Num(w.value)).arg(w.state));
        }
    QOR_FUZZ_CHECK(got.selection == want.selection,
                   what + QStringLiteral(": selection %1, want %2").arg(Rect(got.selection), Rect(want.selection)));
}

void SelectData(TNTabEd& e, int l, int t, int r, int b)
{
    e.SetSelection(GridRect(l + e.ColOffset(), t + e.RowOffset(), r + e.ColOffset(), b + e.RowOffset()));
}

void PutOnClipboard(const QByteArray& text, const QByteArray* states)
{
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), text);
    if (states)
        mime->setData(QString::fromLatin1(kClipStatesMime), *states);
    QGuiApplication::clipboard()->setMimeData(mime); // the clipboard owns it
}

bool PlainText(const QByteArray& text)
{
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (!((c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r'))
            return false;
    }
    return true;
}

// Runs "Extract from Clipboard" on the text now on the clipboard and checks the table against
// the reading of the text. Returns the items read.
std::vector<Item> CheckExtraction(TNTabEd& e, const QByteArray& text, const QByteArray* states, const QString& what)
{
    const Table before = Snapshot(e);
    const std::vector<Item> items = ReadClipText(text);
    // The editor's own scanner finds the same numbers at the same places.
    std::vector<Item> scanned;
    ScanClipNumbers(text.constData(), text.constData() + text.size(),
                    [&](int line, int n, double v) { scanned.push_back({line, n, false, v}); },
                    [&](int line, int n) { scanned.push_back({line, n, true, 0}); });
    QOR_FUZZ_CHECK(scanned.size() == items.size(),
                   what + QStringLiteral(": the scanner finds %1 numbers, the reading %2 in '%3'")
                              .arg(scanned.size()).arg(items.size()).arg(QString::fromUtf8(text)));
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Item& a = scanned[k];
        const Item& b = items[k];
        QOR_FUZZ_CHECK(a.line == b.line && a.n == b.n && a.placeholder == b.placeholder && SameValue(a.value, b.value),
                       what + QStringLiteral(": item %1 is (%2, %3) %4 %5, the reading has (%6, %7) %8 %9 in '%10'")
                                  .arg(k).arg(a.line).arg(a.n).arg(int(a.placeholder)).arg(Num(a.value))
                                  .arg(b.line).arg(b.n).arg(int(b.placeholder)).arg(Num(b.value))
                                  .arg(QString::fromUtf8(text)));
    }

    const bool accepted = e.ExtractFromClipboard();
    const Table after = Snapshot(e);
    if (!accepted) {
        Compare(after, before, what + QStringLiteral(" (refused)"));
        // Only an empty, read-only or non-text clipboard, or one without any number, is refused.
        QOR_FUZZ_CHECK(e.DataReadOnly() || items.empty() || !PlainText(text),
                       what + QStringLiteral(": plain text with %1 numbers refused").arg(items.size()));
        return items;
    }
    QOR_FUZZ_CHECK(!e.DataReadOnly() && !items.empty(), what + QStringLiteral(": accepted though read-only or without numbers"));
    Table want = before;
    const int left = std::max(before.selection.Left - e.ColOffset(), 1);
    const int top = std::max(before.selection.Top - e.RowOffset(), 1);
    int lastLine = 0, cols = 0;
    // Cell states the clipboard carries beside the text, where they fit its shape.
    int sw = 0, sh = 0;
    if (states && states->size() >= 8) {
        qint32 dims[2];
        std::memcpy(dims, states->constData(), sizeof dims);
        if (dims[0] >= 1 && dims[1] >= 1 && qint64(dims[0]) * dims[1] == states->size() - 8) {
            sw = dims[0];
            sh = dims[1];
        }
    }
    for (const Item& it : items) {
        lastLine = std::max(lastLine, it.line);
        cols = std::max(cols, it.n + 1);
        const long long c = (long long)left + it.n;
        const long long r = (long long)top + it.line;
        if (c > want.cols || r > want.rows)
            continue;
        Cell& cell = want.at(int(c), int(r));
        const Byte kept = Byte(cell.state & ~(csInvalid | csEmpty));
        if (it.placeholder) {
            Byte s = csInvalid;
            if (it.n < sw && it.line < sh) {
                const Byte carried = Byte(states->at(qsizetype(8 + std::size_t(it.line) * std::size_t(sw) + std::size_t(it.n))));
                if (carried & (csInvalid | csEmpty))
                    s = Byte(carried & (csInvalid | csEmpty));
            }
            cell.state = Byte(kept | s);
        } else {
            cell.value = it.value;
            cell.state = kept;
        }
    }
    const int right = int(std::min<long long>((long long)left + cols - 1, want.cols));
    const int bottom = int(std::min<long long>((long long)top + lastLine, want.rows));
    want.selection = GridRect(left + e.ColOffset(), top + e.RowOffset(), right + e.ColOffset(), bottom + e.RowOffset());
    Compare(after, want, what + QStringLiteral(" (accepted)"));
    return items;
}

double CellValue(TFuzzInput& in)
{
    switch (in.Int(0, 3)) {
    case 0: return double(in.Int(-1000, 1000));
    case 1: return double(in.Int(-100000, 100000)) / std::pow(10.0, in.Int(0, 12));
    case 2: return in.Double();
    default: return 0.0;
    }
}

// A block of values written as the editor writes its copy text, with blanks, tabs and either
// line end between them, then extracted: every value comes back within the precision written.
void CheckWrittenBlock(TNTabEd& e, TFuzzInput& in)
{
    const bool full = in.Bool();
    const int precision = in.Int(-1, 10);
    const int w = in.Int(1, 6);
    const int h = in.Int(1, 6);
    static const char* const kSeps[] = {"\t", " ", "  ", " \t"};
    static const char* const kEnds[] = {"\r\n", "\n", " \r\n", "\t\n"};
    const char* end = kEnds[in.Int(0, 3)];
    std::string text;
    std::vector<double> values;
    std::vector<bool> holes;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            text += c == 0 ? " " : kSeps[in.Int(0, 3)];
            double v = CellValue(in);
            const bool hole = !std::isfinite(v) || in.Int(0, 7) == 0;
            if (hole) {
                text += "####";
                v = 0;
            } else {
                AppendClipValue(text, v, full, precision);
            }
            values.push_back(v);
            holes.push_back(hole);
        }
        text += end;
    }
    const QByteArray bytes(text.data(), qsizetype(text.size()));
    const std::vector<Item> items = ReadClipText(bytes);
    const QString what = QStringLiteral("written block %1 x %2, full %3, precision %4: '%5'")
                             .arg(w).arg(h).arg(int(full)).arg(precision).arg(QString::fromUtf8(bytes));
    QOR_FUZZ_CHECK(items.size() == values.size(), what + QStringLiteral(": %1 items read").arg(items.size()));
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Item& it = items[k];
        const double v = values[k];
        QOR_FUZZ_CHECK(it.line == int(k) / w && it.n == int(k) % w && it.placeholder == holes[k],
                       what + QStringLiteral(": item %1 at (%2, %3)").arg(k).arg(it.line).arg(it.n));
        if (holes[k])
            continue;
        double tol = 0;
        if (!full) {
            if (precision >= 0) {
                tol = 0.5 * std::pow(10.0, -precision) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
            } else {
                const double e = v == 0 ? 0 : std::floor(std::log10(std::fabs(v)));
                tol = 0.5 * std::pow(10.0, e - 1) * 1.01 + std::fabs(v) * DBL_EPSILON;
            }
        }
        QOR_FUZZ_CHECK(std::fabs(it.value - v) <= tol || (std::fabs(v) < DBL_MIN * 1e3 && std::fabs(it.value) < DBL_MIN * 1e3),
                       what + QStringLiteral(": %1 reads back as %2").arg(Num(v), Num(it.value)));
    }
    PutOnClipboard(bytes, nullptr);
    CheckExtraction(e, bytes, nullptr, what);
}

// Copy a block, paste it elsewhere, then extract the copy text elsewhere again.
void CheckCopyPaste(TNTabEd& e, TFuzzInput& in)
{
    const int nc = e.NrOfColumns(), nr = e.NrOfRows();
    const bool pasteFirst = in.Int(0, 7) == 0; // Paste before any Copy is refused
    if (pasteFirst) {
        const Table before = Snapshot(e);
        QOR_FUZZ_CHECK(!e.PasteCopyBuffer(), QStringLiteral("Paste without a copy accepted"));
        Compare(Snapshot(e), before, QStringLiteral("Paste without a copy"));
    }
    const int l = in.Int(1, nc), t = in.Int(1, nr);
    const int r = in.Int(l, nc), b = in.Int(t, nr);
    SelectData(e, l, t, r, b);
    const Table source = Snapshot(e);
    e.CopyToClipboard();
    Compare(Snapshot(e), source, QStringLiteral("Copy"));
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QOR_FUZZ_CHECK(mime != nullptr, QStringLiteral("Copy left no clipboard data"));
    const QByteArray text = mime->data(QStringLiteral("text/plain"));
    const QByteArray states = mime->data(QString::fromLatin1(kClipStatesMime));
    // The copy text holds the block: a number per cell that is one, a place for every other.
    const std::vector<Item> items = ReadClipText(text);
    const QString what = QStringLiteral("copy of %1 full %2: '%3'")
                             .arg(Rect(GridRect(l, t, r, b))).arg(int(e.ClipboardUseFullPrec())).arg(QString::fromUtf8(text));
    QOR_FUZZ_CHECK(items.size() == std::size_t(r - l + 1) * std::size_t(b - t + 1), what + QStringLiteral(": %1 items").arg(items.size()));
    for (const Item& it : items) {
        const int c = l + it.n, row = t + it.line;
        QOR_FUZZ_CHECK(c <= r && row <= b, what);
        const Cell& cell = source.at(c, row);
        const bool number = (cell.state & (csInvalid | csEmpty)) == 0 && std::isfinite(cell.value);
        QOR_FUZZ_CHECK(it.placeholder == !number, what + QStringLiteral(": cell (%1, %2)").arg(c).arg(row));
        if (!number)
            continue;
        const int p = e.Precision(c);
        double tol = 0;
        if (!e.ClipboardUseFullPrec()) {
            if (p >= 0) {
                tol = 0.5 * std::pow(10.0, -p) * (1 + 1e-9) + std::fabs(cell.value) * DBL_EPSILON;
            } else {
                const double ex = cell.value == 0 ? 0 : std::floor(std::log10(std::fabs(cell.value)));
                tol = 0.5 * std::pow(10.0, ex - 1) * 1.01 + std::fabs(cell.value) * DBL_EPSILON;
            }
        }
        QOR_FUZZ_CHECK(std::fabs(it.value - cell.value) <= tol
                           || (std::fabs(cell.value) < DBL_MIN * 1e3 && std::fabs(it.value) < DBL_MIN * 1e3),
                       what + QStringLiteral(": cell (%1, %2) %3 reads back as %4").arg(c).arg(row).arg(Num(cell.value), Num(it.value)));
    }

    // Paste at another place: value and state bits of every cell of the block, cut at the table.
    const int pl = in.Int(1, nc), pt = in.Int(1, nr);
    const int pr0 = in.Int(pl, nc), pb0 = in.Int(pt, nr);
    SelectData(e, pl, pt, pr0, pb0);
    const Table before = Snapshot(e);
    const bool pasted = e.PasteCopyBuffer();
    Table want = before;
    if (pasted) {
        QOR_FUZZ_CHECK(!e.DataReadOnly(), QStringLiteral("Paste into a read-only table"));
        const int pr = std::min(pl + (r - l), nc), pb = std::min(pt + (b - t), nr);
        for (int row = pt; row <= pb; ++row)
            for (int c = pl; c <= pr; ++c)
                want.at(c, row) = source.at(l + (c - pl), t + (row - pt));
        want.selection = GridRect(pl + e.ColOffset(), pt + e.RowOffset(), pr + e.ColOffset(), pb + e.RowOffset());
    } else {
        QOR_FUZZ_CHECK(e.DataReadOnly(), QStringLiteral("Paste of a filled copy buffer refused"));
    }
    Compare(Snapshot(e), want, QStringLiteral("Paste of %1 at (%2, %3)").arg(Rect(GridRect(l, t, r, b))).arg(pl).arg(pt));

    // The copy text read back by an extraction elsewhere.
    const int el = in.Int(1, nc), et = in.Int(1, nr);
    SelectData(e, el, et, el, et);
    CheckExtraction(e, text, &states, QStringLiteral("extraction of the copy"));
}

// The editor with the copy buffer's flag reachable, so every input starts without a copy.
class FuzzEditor : public TNTabEd {
public:
    using TNTabEd::SetCopyBufferFilled;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qor::fuzzing::EnsureApplication();
    static FuzzEditor* editor = new FuzzEditor; // one editor for the process, reset for every input
    FuzzEditor& e = *editor;

    TFuzzInput in(data, size);
    const int mode = in.Int(0, 2);
    const int nc = in.Int(1, 8), nr = in.Int(1, 8);
    e.SetDataReadOnly(false);
    e.SetCopyBufferFilled(false);
    e.SetAttribRowVisible(in.Bool());
    e.SetAttribColVisible(in.Bool());
    e.Redimension(nc, nr);
    e.SetClipboardUseFullPrec(in.Bool());
    for (int c = 1; c <= nc; ++c)
        e.SetPrecision(c, in.Int(-1, 10));
    // A few cells of their own; the rest zero and plain.
    for (int r = 1; r <= nr; ++r)
        for (int c = 1; c <= nc; ++c) {
            e.SetElem(c, r, 0.0);
            e.SetCellState(c, r, 0);
        }
    const int filled = in.Int(0, nc * nr);
    for (int k = 0; k < filled; ++k) {
        const int c = in.Int(1, nc), r = in.Int(1, nr);
        e.SetElem(c, r, CellValue(in));
        e.SetCellState(c, r, Byte(in.Byte() & (csInvalid | csEmpty | csMarkA | csMarkB)));
    }
    const int sl = in.Int(1, nc), st = in.Int(1, nr);
    const int sr = in.Int(sl, nc), sb = in.Int(st, nr);
    SelectData(e, sl, st, sr, sb);
    e.SetDataReadOnly(in.Int(0, 7) == 0);

    switch (mode) {
    case 0: {
        // Any bytes as the clipboard's text, with or without a block of cell states beside them.
        const bool withStates = in.Int(0, 3) == 0;
        const QByteArray states = withStates ? in.Text(64).toLatin1() : QByteArray();
        const QByteArray text = in.RestAsBytes();
        PutOnClipboard(text, withStates ? &states : nullptr);
        CheckExtraction(e, text, withStates ? &states : nullptr, QStringLiteral("clipboard text"));
        int cols = 0, rows = 0;
        const bool any = e.GetClipMatrixSize(cols, rows);
        QOR_FUZZ_CHECK(cols >= 1 && rows >= 1 && (any || (cols == 1 && rows == 1)),
                       QStringLiteral("clipboard size %1 x %2").arg(cols).arg(rows));
        break;
    }
    case 1: CheckWrittenBlock(e, in); break;
    default: CheckCopyPaste(e, in); break;
    }
    return 0;
}

// The report list's clipboard texts: separated and fixed-width text of any block, bounds from the
// whole int range. The text is the one the layout rules give for the block clamped to the table;
// the clipboard receives exactly that text; separated text reads back into the cells' visible
// texts whenever no text holds a line feed or the separator's first character.
#include "FuzzSupport.h"

#include "replist/QOR_replist.h"

#include <algorithm>
#include <climits>

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

int pickBound(TFuzzInput& in)
{
    static const int values[] = {INT_MIN, INT_MIN + 1, -2, -1, 0, 1, 2, 3, 4, 5, 6, INT_MAX - 1, INT_MAX};
    return values[in.Int(0, int(std::size(values)) - 1)];
}

struct Block {
    int left, top, right, bottom;
};

Block clamped(const TRLData& d, int l, int t, int r, int b)
{
    return {std::max(l, 0), std::max(t, 1), std::min(r, d.NrOfColumns()), std::min(b, d.NrOfRows())};
}

QString separatedReference(const TRLData& d, Block k, bool header, const QString& sep)
{
    QString s;
    if (header) {
        QStringList names;
        for (int c = k.left; c <= k.right; ++c)
            names << d.GetColName(c);
        s += names.join(sep) + QStringLiteral("\n\n");
    }
    for (int r = k.top; r <= k.bottom; ++r) {
        QStringList cells;
        for (int c = k.left; c <= k.right; ++c)
            cells << d.GetElem(c, r);
        s += cells.join(sep) + QLatin1Char('\n');
    }
    return s;
}

QString fixedReference(const TRLData& d, Block k, bool header)
{
    std::vector<int> w;
    for (int c = k.left; c <= k.right; ++c) {
        int m = header ? int(d.GetColName(c).size()) : 0;
        for (int r = k.top; r <= k.bottom; ++r)
            m = std::max(m, int(d.Strings()->GetString(c, r).size())); // stored text, check mark included
        w.push_back(m);
    }
    auto field = [](const QString& t, int width) { return t.left(width).leftJustified(width, u' '); };
    QString s;
    if (header) {
        for (int c = k.left; c <= k.right; ++c)
            s += field(d.GetColName(c), w[size_t(c - k.left)] + 1);
        s += QStringLiteral("\n\n");
    }
    for (int r = k.top; r <= k.bottom; ++r) {
        for (int c = k.left; c <= k.right; ++c)
            s += field(d.GetElem(c, r), w[size_t(c - k.left)] + 1);
        s += QLatin1Char('\n');
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qor::fuzzing::EnsureApplication();
    TFuzzInput in(data, size);
    const int cols = in.Int(1, 4);
    const int rows = in.Int(0, 5);
    const int checkMask = in.Byte();
    const bool header = in.Bool();
    const int kind = in.Int(0, 2); // separator, tabs, fixed width
    const int l = pickBound(in), t = pickBound(in), r = pickBound(in), b = pickBound(in);
    const QString sep = in.Text(8);

    TRLData d;
    d.SetNrCols(cols);
    d.SetNrRows(rows);
    for (int c = 1; c <= cols; ++c) {
        d.SetColName(c, in.Text(24));
        if (checkMask & (1 << c))
            d.SetColCheckMode(c, (checkMask & (1 << (c + 4))) ? cmRadio : cmBox);
    }
    for (int row = 1; row <= rows; ++row)
        for (int c = 0; c <= cols; ++c) {
            d.SetElem(c, row, in.Text(40));
            if (d.GetColCheckMode(c) != cmNone && in.Bool())
                d.SetElemChecked(c, row, true);
        }
    if (in.Bool())
        d.Sort(in.Int(0, cols), -1, in.Bool());

    const Block k = clamped(d, l, t, r, b);
    const QString separator = kind == 1 ? QStringLiteral("\t") : sep;
    const QString text = kind == 2 ? d.FixedWidthText(l, t, r, b, header) : d.ClipboardText(l, t, r, b, header, separator);
    const QString want = kind == 2 ? fixedReference(d, k, header) : separatedReference(d, k, header, separator);
    QOR_FUZZ_CHECK(text == want, QString("block %1,%2..%3,%4 gave\n%5\n---\nexpected\n%6").arg(l).arg(t).arg(r).arg(b)
                                     .arg(text, want));
    if (kind == 0)
        d.CopyToClipBoard(l, t, r, b, header, sep);
    else
        d.CopyToClipBoard(l, t, r, b, header, kind == 1);
    QOR_FUZZ_CHECK(Clipboard()->AsText() == text, QString("the clipboard holds another text"));

    // Separated text reads back when nothing in it can be taken for a separator or a line end.
    if (kind != 2 && !separator.isEmpty() && !separator.contains(u'\n') && k.left <= k.right) {
        // A text holding the separator's first character could end in a piece of it.
        const QChar first = separator.at(0);
        auto plainText = [first](const QString& s) { return !s.contains(first) && !s.contains(u'\n'); };
        bool plain = true;
        for (int c = k.left; c <= k.right && plain; ++c) {
            plain = !header || plainText(d.GetColName(c));
            for (int row = k.top; row <= k.bottom && plain; ++row)
                plain = plainText(d.GetElem(c, row));
        }
        if (plain) {
            QStringList lines = text.split(u'\n');
            QOR_FUZZ_CHECK(lines.takeLast().isEmpty(), QString("text does not end with a line feed"));
            if (header) {
                QOR_FUZZ_CHECK(lines.size() >= 2 && lines.at(1).isEmpty(), QString("header not followed by an empty line"));
                const QStringList names = lines.takeFirst().split(separator);
                lines.removeFirst();
                for (int c = k.left; c <= k.right; ++c)
                    QOR_FUZZ_CHECK(names.value(c - k.left) == d.GetColName(c), QString("name of column %1").arg(c));
            }
            QOR_FUZZ_CHECK(lines.size() == std::max<qint64>(0, qint64(k.bottom) - k.top + 1), QString("%1 lines").arg(lines.size()));
            for (int row = k.top; row <= k.bottom; ++row) {
                const QStringList cells = lines.at(row - k.top).split(separator);
                QOR_FUZZ_CHECK(cells.size() == k.right - k.left + 1, QString("row %1 has %2 cells").arg(row).arg(cells.size()));
                for (int c = k.left; c <= k.right; ++c)
                    QOR_FUZZ_CHECK(cells.at(c - k.left) == d.GetElem(c, row), QString("cell %1,%2").arg(c).arg(row));
            }
        }
    }
    return 0;
}

// Column formats: the store's default value (GetCellDefaultValue) and the row editor's reading of
// the same format (SplitEditFormat, RowIndexDefault). The default value is checked against a
// direct reading of the format rules; the editor's field against the same rules; and where both
// read a default from the format they agree.
#include "FuzzSupport.h"

#include "replist/QOR_replist.h"
#include "replist/RLRowEditor_p.h"

#include <algorithm>
#include <climits>

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

// What the default value must be; for "$pwd$" only the length can be known (Length set, text empty).
struct Expected {
    QString text;
    int passwordLength = -1;
};

Expected referenceDefault(const QString& fmt, int row)
{
    QChar letter = u's';
    QString rest;
    const qsizetype close = fmt.indexOf(u']');
    if (close < 0) {
        rest = fmt;
    } else {
        letter = fmt.size() > 1 ? fmt.at(1) : QChar();
        if (close + 1 >= fmt.size())
            return {};
        rest = fmt.mid(close + 1);
        const qsizetype w = rest.indexOf(u']');
        if (w >= 0)
            rest = rest.mid(w + 1);
    }
    const auto bounded = [](int n) { return std::clamp(n, 0, MaxCellLength); };
    switch (letter.unicode()) {
    case 'c':
    case 'l':
        return {rest.section(u'|', 0, 0)};
    case 'd':
        return {rest};
    case 'e':
    case 'f':
    case 'h':
    case 'i': {
        if (!rest.contains(QLatin1String("rix"), Qt::CaseInsensitive))
            return {rest};
        const int n = ReadIntegerAt(rest, 4);
        if (letter == u'e' || letter == u'f')
            return {QString::number(double(row), 'f', bounded(n))};
        if (letter == u'h') {
            const int digits = std::clamp(n, 1, 8);
            QString hex = QString::number(quint32(row), 16).toUpper().rightJustified(8, u'0');
            return {hex.right(digits)};
        }
        const int digits = std::max(1, bounded(n));
        QString dec = QString::number(qAbs(qint64(row))).rightJustified(digits, u'0');
        dec = dec.right(digits);
        return {row < 0 ? QLatin1Char('-') + dec : dec};
    }
    case 's':
        if (rest.contains(QLatin1String("$pwd$"), Qt::CaseInsensitive))
            return {QString(), bounded(ReadIntegerAt(rest, 6))};
        return {rest};
    default:
        return {};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFuzzInput in(data, size);
    const int rowKind = in.Int(0, 3);
    int row = in.Int(-300, 300);
    if (rowKind == 2)
        row = INT_MAX - in.Int(0, 3);
    else if (rowKind == 3)
        row = INT_MIN + in.Int(0, 3);
    const QString format = in.RestAsText();

    // The store keeps at most MaxColFmtLength characters of a format.
    TRLData d;
    d.SetNrCols(2);
    d.SetColumnFormat(2, format);
    const QString stored = d.GetColumnFormat(2);
    QOR_FUZZ_CHECK(stored == format.left(MaxColFmtLength), QString("format stored as '%1'").arg(stored));
    const QString got = d.GetCellDefaultValue(2, row);
    const Expected want = referenceDefault(stored, row);
    if (want.passwordLength >= 0) {
        QOR_FUZZ_CHECK(got.size() == want.passwordLength, QString("password of %1 for '%2'").arg(got.size()).arg(stored));
        QOR_FUZZ_CHECK(std::all_of(got.begin(), got.end(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }),
                       QString("password '%1'").arg(got));
    } else {
        QOR_FUZZ_CHECK(got == want.text, QString("default '%1', expected '%2' for '%3' row %4")
                                             .arg(got, want.text, stored).arg(row));
    }
    QOR_FUZZ_CHECK(d.GetCellDefaultValue(0, row).isEmpty() && d.GetCellDefaultValue(3, row).isEmpty(),
                   QString("a column that has no format gave a default"));

    // The row editor's reading.
    const TRowEditField f = SplitEditFormat(stored);
    QOR_FUZZ_CHECK(f.Width >= 1, QString("width %1 for '%2'").arg(f.Width).arg(stored));
    const qsizetype close = stored.indexOf(u']');
    const qsizetype open = stored.indexOf(u'[');
    if (close < 0) {
        QOR_FUZZ_CHECK(f.TypeText == QLatin1String("s") && !f.ReadOnly && f.Width == 200 && f.Remainder == stored,
                       QString("format without a type read as '%1' / '%2'").arg(f.TypeText, f.Remainder));
    }
    // A format that opens with "[" and a type letter is read alike by both: the editor's
    // remainder is the default's source, and a row-index default is the same text.
    if (stored.startsWith(u'[') && close >= 2 && open == 0 && stored.at(1) != u'#') {
        const QChar letter = stored.at(1);
        QOR_FUZZ_CHECK(f.Letter() == letter, QString("editor letter '%1', format '%2'").arg(f.Letter()).arg(stored));
        if (close + 1 < stored.size()) {
            const Expected fromEditor = referenceDefault(QStringLiteral("[") + letter + QStringLiteral("][]") + f.Remainder, row);
            QOR_FUZZ_CHECK(fromEditor.text == want.text && fromEditor.passwordLength == want.passwordLength,
                           QString("editor remainder '%1' of '%2' gives another default").arg(f.Remainder, stored));
            if (QStringLiteral("efhi").contains(letter) && f.Remainder.contains(QLatin1String("rix"), Qt::CaseInsensitive))
                QOR_FUZZ_CHECK(RowIndexDefault(letter, row, f.Remainder) == got,
                               QString("editor row index '%1', default '%2' for '%3' row %4")
                                   .arg(RowIndexDefault(letter, row, f.Remainder), got, stored).arg(row));
        }
    }
    return 0;
}

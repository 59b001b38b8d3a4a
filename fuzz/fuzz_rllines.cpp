// Line import of the report list store: the input's bytes as a file, read into a column from a
// row on. Every line lands in its row (cut to a cell's length), UTF-8 and Latin-1 may mix, LF, CR LF
// and CR all end lines; the rest of the store stays as it was; a refused import changes nothing.
#include "FuzzSupport.h"

#include "replist/QOR_replist.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <climits>

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

// The texts of a store, hidden column included, with the row and column settings.
QString describe(const TRLData& d)
{
    QString s;
    s += QStringLiteral("%1x%2\n").arg(d.NrOfColumns()).arg(d.NrOfRows());
    for (int c = 1; c <= d.NrOfColumns(); ++c)
        s += QStringLiteral("col %1 %2 %3\n").arg(c).arg(int(d.GetColCheckMode(c))).arg(d.Strings()->GetColAttrib(c));
    for (int r = 1; r <= d.NrOfRows(); ++r) {
        s += QStringLiteral("%1 %2:").arg(d.Strings()->GetSortOrder(r)).arg(d.Strings()->GetRowAttrib(r));
        for (int c = 0; c <= d.NrOfColumns(); ++c)
            s += QLatin1Char('[') + QString::fromLatin1(d.Strings()->GetString(c, r).toUtf8().toHex()) + QLatin1Char(']');
        s += QLatin1Char('\n');
    }
    return s;
}

void fillKnown(TRLData& d)
{
    d.SetNrCols(3);
    d.SetNrRows(4);
    d.SetColCheckMode(2, cmBox);
    for (int r = 1; r <= 4; ++r)
        for (int c = 0; c <= 3; ++c)
            d.SetElem(c, r, QStringLiteral("k%1.%2").arg(c).arg(r));
    d.SetElemChecked(2, 3, true);
    d.Strings()->SetRowAttrib(2, RowAttrSelected);
    d.Sort(1, -1, false);
}

// One character: a whole UTF-8 sequence of 2 to 4 bytes when one starts here, else the byte as
// Latin-1. Qt's own decoder, asked about the candidate sequence alone, is the judge.
QString decodeReference(const QByteArray& bytes)
{
    QString out;
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size()) {
        const auto b = uchar(bytes[i]);
        const int len = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 && b < 0xF0 ? 3 : b >= 0xC0 && b < 0xE0 ? 2 : 1;
        if (len > 1 && i + len <= bytes.size()) {
            const QByteArray seq = bytes.mid(i, len);
            // Stateless and keeping an initial BOM: U+FEFF inside the file is a character.
            QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
            const QString ch = decoder.decode(seq);
            // A sequence the decoder replaced encodes back differently (U+FFFD itself, written
            // in UTF-8, is a character like any other).
            if (ch.toUtf8() == seq && ch.toUcs4().size() == 1) {
                out += ch;
                i += len;
                continue;
            }
        }
        out += QChar(char16_t(b));
        ++i;
    }
    return out;
}

QStringList linesReference(const QString& text)
{
    QStringList lines;
    QString cur;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << cur;
            cur.clear();
            open = false;
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            cur += c;
            open = true;
        }
    }
    if (open)
        lines << cur;
    return lines;
}

QString workDir()
{
    static QTemporaryDir* dir = new QTemporaryDir; // lives for the process, as the fuzzer's runs do
    return dir->path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = workDir() + QStringLiteral("/lines.txt");
    TFuzzInput in(data, size);
    const int column = in.Int(-1, 4);
    const int rowKind = in.Int(0, 3);
    const int rowPick = in.Int(0, 15);
    const QByteArray bytes = in.RestAsBytes();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qor::fuzzing::Fail("cannot write the input file", path);
    }
    const QStringList lines = linesReference(decodeReference(bytes));
    const int n = int(lines.size());
    // Rows near the store's limit and the int range's end must be refused without allocating.
    int firstRow = rowPick - 1; // -1..14: before, inside, right after and past the store
    if (rowKind == 2)
        firstRow = int(std::min<qint64>(INT_MAX, qint64(MaxRLDataRows) - n + 2 + rowPick));
    else if (rowKind == 3)
        firstRow = INT_MAX - rowPick;

    TRLData d;
    fillKnown(d);
    const QString before = describe(d);
    const int oldRows = d.NrOfRows();
    const bool refuse = column < 0 || column > 3 || firstRow < 1 || (n > 0 && qint64(firstRow) + n - 1 > MaxRLDataRows);
    int result = 0;
    try {
        result = d.LoadLinesFromFile(column, firstRow, path);
    } catch (const EQORError& e) {
        qor::fuzzing::Fail("line import raised", QString::fromUtf8(e.what()));
    }
    if (refuse || n == 0) {
        QOR_FUZZ_CHECK(result == (refuse ? -1 : 0), QString("result %1 for column %2, row %3, %4 lines")
                                                        .arg(result).arg(column).arg(firstRow).arg(n));
        QOR_FUZZ_CHECK(describe(d) == before, QString("a refused or empty import changed the store"));
        return 0;
    }
    QOR_FUZZ_CHECK(result == n, QString("result %1, %2 lines").arg(result).arg(n));
    QOR_FUZZ_CHECK(d.NrOfRows() == std::max(oldRows, firstRow + n - 1),
                   QString("%1 rows after %2 lines from row %3").arg(d.NrOfRows()).arg(n).arg(firstRow));
    // What SetElem makes of each line, cut to a cell's length, on a twin store.
    TRLData twin;
    fillKnown(twin);
    if (twin.NrOfRows() < firstRow + n - 1)
        twin.SetNrRows(firstRow + n - 1);
    for (int i = 0; i < n; ++i)
        twin.SetElem(column, firstRow + i, lines[i].left(MaxCellLength));
    QOR_FUZZ_CHECK(describe(d) == describe(twin), QString("stored lines differ:\n%1\n---\n%2").arg(describe(d), describe(twin)));
    for (int i = 0; i < n; ++i) {
        const QString cell = d.GetElem(column, firstRow + i);
        QOR_FUZZ_CHECK(cell.size() <= MaxCellLength && lines[i].left(cell.size()) == cell,
                       QString("row %1 holds '%2' for line '%3'").arg(firstRow + i).arg(cell, lines[i]));
    }
    return 0;
}

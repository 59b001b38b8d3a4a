// The report list's XML readers: the same bytes through the file, stream, string and open text
// file readers, each into a store filled with known content first, and CheckIfValidReplist on
// them. A refused input leaves a store exactly as it was (and sends no change notice); an accepted
// one saved again and read back gives an equal store; the four readers agree on text they all see
// alike; and no reader accepts a list whose root line CheckIfValidReplist does not find.
#include "FuzzSupport.h"

#include "replist/QOR_replist.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

// Everything a store holds, as text, so two stores compare in one go.
QString describe(const TRLData& d)
{
    QString s;
    QTextStream out(&s);
    out << "cols " << d.NrOfColumns() << " rows " << d.NrOfRows() << "\n";
    out << "hd[" << d.CommonHeader() << "] comment[" << d.Comment() << "] id[" << d.DataID() << "]\n";
    out << "sort " << d.LastSortColumn() << " " << d.SecondarySortColumn() << " " << d.LastSortOrder() << " "
        << d.SortToggle() << " sorted " << d.Strings()->IsSorted() << "\n";
    for (int c = 1; c <= d.NrOfColumns(); ++c)
        out << "col " << c << " [" << d.GetColName(c) << "] [" << d.GetColumnFormat(c) << "] "
            << int(d.GetColCheckMode(c)) << " " << int(d.Strings()->GetColAttrib(c)) << "\n";
    for (int r = 1; r <= d.NrOfRows(); ++r) {
        out << "row " << r << " <- " << d.Strings()->GetSortOrder(r) << " attr " << int(d.Strings()->GetRowAttrib(r))
            << ":";
        for (int c = 0; c <= d.NrOfColumns(); ++c)
            out << " [" << d.Strings()->GetString(c, r).toUtf8().toHex() << "]";
        out << "\n";
    }
    return s;
}

// Known content using what the XML form carries: names, formats, check modes, attribute bytes,
// a sort order, texts that need encoding.
void fillKnown(TRLData& d)
{
    d.SetNrCols(3);
    d.SetNrRows(4);
    d.SetColName(1, "Name <&>");
    d.SetColName(2, "Done");
    d.SetColumnFormat(1, "[c:3][80]red|green");
    d.SetColumnFormat(3, "[i]rix4");
    d.SetColCheckMode(2, cmBox);
    d.SetColCheckMode(3, cmRadio);
    d.SetComment("before\r\nthe read");
    d.SetCommonHeader("Known\nheader");
    d.SetDataID("Known");
    const char* texts[] = {"zeta", "alpha", "ctl\x01 char", "\xc3\xa4 umlaut"};
    for (int r = 1; r <= 4; ++r) {
        d.SetElem(0, r, QString("hidden %1").arg(r));
        d.SetElem(1, r, QString::fromUtf8(texts[r - 1]));
        d.SetElem(3, r, QString::number(r * 7));
    }
    d.SetElemChecked(2, 3, true);
    d.SetElemChecked(3, 2, true);
    d.Strings()->SetRowAttrib(2, 0x80);
    d.Strings()->SetColAttrib(1, 0x41);
    d.Sort(1, 3, false);
    d.SetSortToggle(false);
}

enum Reader { rFile, rStream, rString, rOpenFile, rCount };
const char* const kReaderName[rCount] = {"file", "stream", "string", "open file"};

QString workDir()
{
    static QTemporaryDir* dir = new QTemporaryDir; // lives for the process, as the fuzzer's runs do
    return dir->path();
}

bool readWith(TRLData& d, int reader, const QByteArray& data, const QString& path, const QString& id)
{
    switch (reader) {
    case rFile:
        return d.LoadFromXMLFile(path, id);
    case rStream: {
        QBuffer buf;
        buf.setData(data);
        buf.open(QIODevice::ReadOnly);
        return d.ReadFromXMLStream(&buf, id);
    }
    case rString:
        return d.ReadFromXMLString(QString::fromUtf8(data), id);
    default: {
        QByteArray copy = data;
        QTextStream ts(&copy, QIODevice::ReadOnly);
        return d.ReadFromOpenXMLFile(ts, id);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString dir = workDir();
    TFuzzInput in(data, size);
    const int idChoice = in.Int(0, 3);
    const QString id = idChoice == 0 ? QString() : idChoice == 1 ? QStringLiteral("Sales")
                     : idChoice == 2 ? QStringLiteral(" sales ") : QStringLiteral("Known");
    const QByteArray bytes = in.RestAsBytes();
    const QString path = dir + QStringLiteral("/in.xml");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qor::fuzzing::Fail("cannot write the input file", path);
    }

    bool checkFile = false;
    try {
        checkFile = CheckIfValidReplist(path, id);
    } catch (const EQORError& e) {
        qor::fuzzing::Fail("CheckIfValidReplist raised on a readable file", QString::fromUtf8(e.what()));
    }
    QBuffer checkBuf;
    checkBuf.setData(bytes);
    checkBuf.open(QIODevice::ReadOnly);
    const bool checkStream = CheckIfValidReplist(&checkBuf, id);
    QOR_FUZZ_CHECK(checkFile == checkStream || bytes.contains('\r'),
                   QString("file check %1, stream check %2").arg(checkFile).arg(checkStream));

    TRLData known;
    fillKnown(known);
    const QString before = describe(known);

    bool accepted[rCount] = {};
    QString after[rCount];
    for (int r = 0; r < rCount; ++r) {
        TRLData d;
        fillKnown(d);
        int notices = 0;
        d.Strings()->OnChange = [&notices](TObject*) { ++notices; };
        accepted[r] = readWith(d, r, bytes, path, id);
        after[r] = describe(d);
        if (!accepted[r]) {
            QOR_FUZZ_CHECK(after[r] == before, QString("%1 reader refused but changed the store:\n%2\n---\n%3")
                                                   .arg(kReaderName[r], before, after[r]));
            QOR_FUZZ_CHECK(notices == 0, QString("%1 reader refused but notified").arg(kReaderName[r]));
            continue;
        }
        QOR_FUZZ_CHECK(checkFile || checkStream,
                       QString("%1 reader accepted a list CheckIfValidReplist does not find").arg(kReaderName[r]));
        QOR_FUZZ_CHECK(notices == 1, QString("%1 reader accepted with %2 notices").arg(kReaderName[r]).arg(notices));
        // Whatever was accepted is written again and read back unchanged.
        const QString text = d.XMLText(r % 2 == 0, d.DataID());
        TRLData again;
        fillKnown(again);
        QOR_FUZZ_CHECK(again.ReadFromXMLString(text, QString()),
                       QString("%1 reader's store written again is refused:\n%2").arg(kReaderName[r], text));
        QOR_FUZZ_CHECK(describe(again) == after[r], QString("%1 reader's store changed in a round trip:\n%2\n---\n%3")
                                                        .arg(kReaderName[r], after[r], describe(again)));
    }

    // Text every reader sees alike (UTF-8 throughout, no carriage returns, which a line reader
    // takes as line ends) must get the same answer from each of them.
    const bool plain = QString::fromUtf8(bytes).toUtf8() == bytes && !bytes.contains('\r');
    if (plain) {
        for (int r = 1; r < rCount; ++r) {
            QOR_FUZZ_CHECK(accepted[r] == accepted[0],
                           QString("%1 reader says %2, file reader %3").arg(kReaderName[r]).arg(accepted[r]).arg(accepted[0]));
            QOR_FUZZ_CHECK(after[r] == after[0], QString("%1 reader read differently:\n%2\n---\n%3")
                                                     .arg(kReaderName[r], after[0], after[r]));
        }
    }
    return 0;
}

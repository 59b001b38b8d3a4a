// The XML tests of the report data store, run by tst_rldata after the store tests.
#pragma once

#include "replist/QOR_replist.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace qor;

namespace {

// Everything a store holds, as text, so two stores compare with one QCOMPARE.
QString describe(TRLData& d)
{
    QString s;
    QTextStream out(&s);
    out << "cols " << d.NrOfColumns() << " rows " << d.NrOfRows() << "\n";
    out << "hd[" << d.CommonHeader() << "] comment[" << d.Comment() << "] id[" << d.DataID() << "]\n";
    out << "sort " << d.LastSortColumn() << " " << d.SecondarySortColumn() << " " << d.LastSortOrder() << " "
        << d.SortToggle() << "\n";
    for (int c = 1; c <= d.NrOfColumns(); ++c)
        out << "col " << c << " [" << d.GetColName(c) << "] [" << d.GetColumnFormat(c) << "] "
            << int(d.GetColCheckMode(c)) << " " << int(d.Strings()->GetColAttrib(c)) << "\n";
    for (int r = 1; r <= d.NrOfRows(); ++r) {
        out << "row " << r << " <- " << d.Strings()->GetSortOrder(r) << " attr " << int(d.Strings()->GetRowAttrib(r)) << ":";
        for (int c = 0; c <= d.NrOfColumns(); ++c) {
            const QString t = d.Strings()->GetString(c, r);
            out << " [" << t.toUtf8().toHex() << "]";
        }
        out << "\n";
    }
    return s;
}

// A store using every feature the XML form has to carry.
void fillFeatureStore(TRLData& d)
{
    d.SetNrCols(4);
    d.SetNrRows(6);
    d.SetColName(1, "Name <&>");
    d.SetColName(2, "Done \"q\"");
    d.SetColName(3, QString::fromUtf8("Wahl \xc3\xa4"));
    d.SetColumnFormat(1, "[s]$pwd$8");
    d.SetColumnFormat(4, "[c:3][80]red|green|<blue>");
    d.SetColCheckMode(2, cmBox);
    d.SetColCheckMode(3, cmRadio);
    d.SetComment("line 1\nline 2 & <tag> \"q\" 'a'\r\nend");
    d.SetCommonHeader("Title\nSecond line\n");
    d.SetDataID("Sales");
    const QStringList col1{"zeta", "Alpha", "  padded  ", QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80"),
                           "ctl\x01\x02\x1f end", "cr\rlf\r\n tab\t"};
    const QStringList col4{"<replist qorvantix id=\"x\">", "a]]>b", "&amp; literal", "", "1e3", "\xef\xbf\xbe"};
    for (int r = 1; r <= 6; ++r) {
        d.SetElem(1, r, col1[r - 1]);
        d.SetElem(2, r, QString("v%1").arg(r));
        d.SetElem(4, r, QString::fromUtf8(col4[r - 1].toUtf8()));
        d.SetElem(0, r, QString("hidden %1").arg(r));
    }
    d.SetElem(4, 6, QString(QChar(0xFFFE)) + QChar(0xD800)); // not representable as XML text
    d.SetElemChecked(2, 2, true);
    d.SetElemChecked(2, 5, true);
    d.SetElemChecked(3, 4, true);
    d.Strings()->SetString(2, 6, "?odd prefix");
    d.Strings()->SetRowAttrib(2, 0x80);
    d.Strings()->SetRowAttrib(5, 0x40);
    d.Strings()->SetColAttrib(3, 0x81);
    d.Sort(1, 2, false);
    d.SetSortToggle(false);
}

enum Writer { wFile, wStream, wString, wOpenFile };
enum Reader { rFile, rStream, rString, rOpenFile };

QByteArray writeWith(TRLData& d, int writer, const QString& dir, const QString& id)
{
    switch (writer) {
    case wFile: {
        const QString path = dir + "/w.xml";
        d.SaveAsXMLFile(path, id);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    }
    case wStream: {
        QByteArray data;
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        d.WriteToXMLStream(&buf, true, id);
        return data;
    }
    case wString:
        return d.XMLText(false, id).toUtf8();
    default: {
        QByteArray data;
        QTextStream ts(&data, QIODevice::WriteOnly);
        d.WriteToOpenXMLFile(ts, false, id);
        ts.flush();
        return data;
    }
    }
}

bool readWith(TRLData& d, int reader, const QByteArray& data, const QString& dir, const QString& id)
{
    switch (reader) {
    case rFile: {
        const QString path = dir + "/r.xml";
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(data);
        f.close();
        return d.LoadFromXMLFile(path, id);
    }
    case rStream: {
        QByteArray copy = data;
        QBuffer buf(&copy);
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

QString smallListXml()
{
    TRLData d;
    d.SetNrCols(2);
    d.SetNrRows(2);
    d.SetElem(1, 1, "a");
    d.SetElem(2, 2, "b");
    d.SetColCheckMode(2, cmBox);
    return d.XMLText(true, "small");
}

} // namespace

class TestRLDataXml : public QObject {
    Q_OBJECT

private slots:
    void tagNames()
    {
        for (int t = xmlNumCols; t < xmlInvalid; ++t) {
            const QString name = RepListXmlTagName(TRepListXmlTag(t));
            QVERIFY(!name.isEmpty());
            QCOMPARE(RepListXmlTagOf(name), TRepListXmlTag(t));
            QCOMPARE(RepListXmlTagOf(name.toUpper()), TRepListXmlTag(t));
        }
        QCOMPARE(RepListXmlTagOf(u"nonsense"), xmlInvalid);
        QCOMPARE(RepListXmlTagName(xmlInvalid), QString());
    }

    void rootLineIsWrittenOnOneLine()
    {
        TRLData d;
        d.SetDataID("Sales");
        const QStringList lines = d.XMLText(true, "Sales").split('\n');
        QVERIFY(lines[0].startsWith("<?xml"));
        QCOMPARE(lines[1], QString("<replist format=\"qorvantix\" version=\"1\" id=\"Sales\">"));
        QVERIFY(IsReplistRootLine(lines[1], "sales"));
        const QStringList noHeader = d.XMLText(false, "x").split('\n');
        QVERIFY(noHeader[0].startsWith("<replist "));
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("reader");
        const char* wn[] = {"file", "stream", "string", "openfile"};
        for (int w = 0; w < 4; ++w)
            for (int r = 0; r < 4; ++r)
                QTest::newRow(qPrintable(QString("%1 -> %2").arg(wn[w], wn[r]))) << w << r;
    }
    void roundTrip()
    {
        QFETCH(int, writer);
        QFETCH(int, reader);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TRLData src;
        fillFeatureStore(src);
        const QByteArray data = writeWith(src, writer, dir.path(), "Sales");
        QVERIFY(!data.isEmpty());
        TRLData dst;
        dst.SetNrCols(2);
        dst.SetElem(1, 0, "old");
        int changes = 0;
        dst.Strings()->OnChange = [&](TObject*) { ++changes; };
        QVERIFY(readWith(dst, reader, data, dir.path(), "sales"));
        QCOMPARE(describe(dst), describe(src));
        QCOMPARE(changes, 1);
        // The order survives as an order: unsorting both gives the same stored rows.
        src.UnSort();
        dst.UnSort();
        QCOMPARE(describe(dst), describe(src));
    }

    void emptyStoreRoundTrip()
    {
        TRLData src;
        src.SetNrCols(3);
        TRLData dst;
        dst.SetNrCols(1);
        dst.SetNrRows(5);
        QVERIFY(dst.ReadFromXMLString(src.XMLText(true, ""), ""));
        QCOMPARE(describe(dst), describe(src));
    }

    void idWithSpecialCharacters_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("ampersand") << "R&D";
        QTest::newRow("quote") << "say \"hi\"";
        QTest::newRow("less than") << "a<b";
        QTest::newRow("line feed") << "two\nlines";
        QTest::newRow("blanks") << "  Sales  ";
    }
    void idWithSpecialCharacters()
    {
        QFETCH(QString, id);
        TRLData src;
        src.SetNrRows(1);
        src.SetElem(1, 1, "v");
        src.SetDataID(id);
        const QString xml = src.XMLText(true, id);
        QCOMPARE(xml.split('\n')[1].count("<replist"), 1);
        QByteArray bytes = xml.toUtf8();
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        QVERIFY(CheckIfValidReplist(&buf, id));
        TRLData dst;
        QVERIFY(dst.ReadFromXMLString(xml, id));
        QCOMPARE(dst.DataID(), id);
        QCOMPARE(dst.GetElem(1, 1), QString("v"));
        QVERIFY(!dst.ReadFromXMLString(xml, id + "x"));
    }

    void recognition_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("dataId");
        QTest::addColumn<bool>("expected");
        const QString sales = "<?xml version=\"1.0\"?>\n<!-- list -->\n<REPLIST Format=\"QorVantix\" ID=\"SaLeS\">\n</replist>\n";
        QTest::newRow("sales lower") << sales << "sales" << true;
        QTest::newRow("sales upper") << sales << "SALES" << true;
        QTest::newRow("empty id accepts any") << sales << "" << true;
        QTest::newRow("stock") << sales << "stock" << false;
        const QString blanks = "<replist qorvantix id=\"  Sales  \">\n";
        QTest::newRow("blanks around identifier") << blanks << "sales" << true;
        QTest::newRow("only spaces trimmed") << "<replist qorvantix id=\"\tSales\">\n" << "sales" << false;
        QTest::newRow("blank identifier is empty") << "<replist qorvantix id=\"   \">\n" << "x" << false;
        const QString noSig = "<replist format=\"other\" id=\"sales\">\n";
        QTest::newRow("no signature, id") << noSig << "sales" << false;
        QTest::newRow("no signature, empty id") << noSig << "" << false;
        const QString two = "<replist qorvantix id=\"a\">\n</replist>\n<replist qorvantix id=\"b\">\n</replist>\n";
        QTest::newRow("second list a") << two << "a" << true;
        QTest::newRow("second list b") << two << "b" << true;
        QTest::newRow("second list c") << two << "c" << false;
        const QString open = "<replist qorvantix id=\"abc>\n";
        QTest::newRow("no closing quote, empty DataID") << open << "" << true;
        QTest::newRow("no closing quote, DataID") << open << "abc>" << false;
        QTest::newRow("no id attribute") << "<replist qorvantix>\n" << "" << true;
        QTest::newRow("no id attribute, DataID") << "<replist qorvantix>\n" << "a" << false;
        QTest::newRow("empty file") << "" << "" << false;
        QTest::newRow("signature on another line") << "<replist id=\"a\">\nqorvantix\n" << "a" << false;
    }
    void recognition()
    {
        QFETCH(QString, content);
        QFETCH(QString, dataId);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        const QString path = dir.path() + "/r.xml";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content.toUtf8());
        f.close();
        QCOMPARE(CheckIfValidReplist(path, dataId), expected);
        QByteArray bytes = content.toUtf8();
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        QCOMPARE(CheckIfValidReplist(&buf, dataId), expected);
    }

    void recognitionOfMissingFileRaises()
    {
        QVERIFY_THROWS_EXCEPTION(EQORError, CheckIfValidReplist(QString("/nonexistent/dir/x.xml"), QString()));
    }

    void streamRecognitionLeavesPosition()
    {
        QByteArray bytes("one\n<replist qorvantix id=\"a\">\nthree\n");
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        QVERIFY(CheckIfValidReplist(&buf, "a"));
        bool eos = false;
        QCOMPARE(ReadLnStream(&buf, eos, 0), QString("three"));
    }

    // Text before the root tag on its line: every reader starts at the tag itself, even when
    // lower-casing the line would change its length (capital I with dot above becomes two).
    void textBeforeRootTag_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("ascii") << "<doc>";
        QTest::newRow("dotted capital I") << QString::fromUtf8("\xc4\xb0");
        QTest::newRow("three of them") << QString::fromUtf8("<a>\xc4\xb0\xc4\xb0 \xc4\xb0</a>");
        QTest::newRow("long s") << QString::fromUtf8("<repli\xc5\xbft/>");
    }
    void textBeforeRootTag()
    {
        QFETCH(QString, prefix);
        QString xml = smallListXml();
        xml.insert(xml.indexOf("<replist "), prefix);
        for (int reader = 0; reader < 4; ++reader) {
            QTemporaryDir dir;
            TRLData d;
            QVERIFY2(readWith(d, reader, xml.toUtf8(), dir.path(), "small"), qPrintable(QString::number(reader)));
            QCOMPARE(d.GetElem(1, 1), QString("a"));
            QCOMPARE(d.DataID(), QString("small"));
        }
    }

    void secondListIsLoadedById()
    {
        TRLData a, b;
        a.SetNrRows(1);
        a.SetElem(1, 1, "from a");
        b.SetNrRows(2);
        b.SetElem(1, 2, "from b");
        const QString both = "<?xml version=\"1.0\"?>\n<doc>\n" + a.XMLText(false, "a") + b.XMLText(false, "b") + "</doc>\n";
        for (int reader = 0; reader < 4; ++reader) {
            QTemporaryDir dir;
            TRLData d;
            QVERIFY(readWith(d, reader, both.toUtf8(), dir.path(), "B"));
            QCOMPARE(d.NrOfRows(), 2);
            QCOMPARE(d.GetElem(1, 2), QString("from b"));
            QCOMPARE(d.DataID(), QString("b"));
            QVERIFY(readWith(d, reader, both.toUtf8(), dir.path(), ""));
            QCOMPARE(d.GetElem(1, 1), QString("from a"));
        }
    }

    void listsInsideOtherContent()
    {
        TRLData a, b;
        a.SetNrRows(1);
        a.SetElem(1, 1, "first");
        b.SetNrRows(1);
        b.SetElem(1, 1, "second");
        // Stream: other lines around the lists; each read stops after its list.
        QByteArray data;
        {
            QBuffer out(&data);
            out.open(QIODevice::WriteOnly);
            out.write("header line\n");
            a.WriteToXMLStream(&out, false, "one");
            out.write("between\n");
            b.WriteToXMLStream(&out, false, "two");
            out.write("after\n");
        }
        QBuffer in(&data);
        in.open(QIODevice::ReadOnly);
        TRLData d;
        QVERIFY(d.ReadFromXMLStream(&in, "one"));
        QCOMPARE(d.GetElem(1, 1), QString("first"));
        bool eos = false;
        QCOMPARE(ReadLnStream(&in, eos, 0), QString("between"));
        QVERIFY(d.ReadFromXMLStream(&in, "two"));
        QCOMPARE(d.GetElem(1, 1), QString("second"));
        QCOMPARE(ReadLnStream(&in, eos, 0), QString("after"));

        // Open text file: the same with a text stream.
        QString text;
        {
            QTextStream ts(&text);
            ts << "intro\n";
            a.WriteToOpenXMLFile(ts, false, "one");
            ts << "middle\n";
        }
        QTextStream ts(&text, QIODevice::ReadOnly);
        TRLData e;
        QVERIFY(e.ReadFromOpenXMLFile(ts, "one"));
        QCOMPARE(e.GetElem(1, 1), QString("first"));
        QCOMPARE(ts.readLine(), QString("middle"));
    }

    void malformedInputLeavesStore_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("id");
        QTest::newRow("wrong identifier") << "" << "" << "other";
        QTest::newRow("empty input") << "*" << "" << "";
        QTest::newRow("no root line") << "qorvantix" << "something" << "";
        QTest::newRow("truncated in the middle") << "@half" << "" << "";
        QTest::newRow("truncated before the end tag") << "</replist>" << "" << "";
        QTest::newRow("more rows than cells") << "<numrows>2</numrows>" << "<numrows>3</numrows>" << "";
        QTest::newRow("fewer rows than cells") << "<numrows>2</numrows>" << "<numrows>1</numrows>" << "";
        QTest::newRow("more columns than cells") << "<numcols>2</numcols>" << "<numcols>3</numcols>" << "";
        QTest::newRow("cell column out of range") << "<cell col=\"1\" row=\"2\"" << "<cell col=\"9\" row=\"2\"" << "";
        QTest::newRow("cell row 0") << "<cell col=\"1\" row=\"2\"" << "<cell col=\"1\" row=\"0\"" << "";
        QTest::newRow("cell row out of range") << "<cell col=\"1\" row=\"2\"" << "<cell col=\"1\" row=\"7\"" << "";
        QTest::newRow("duplicate cell") << "<cell col=\"1\" row=\"2\"" << "<cell col=\"1\" row=\"1\"" << "";
        QTest::newRow("cell without address") << "<cell col=\"1\" row=\"2\"" << "<cell" << "";
        QTest::newRow("huge row count") << "<numrows>2</numrows>" << "<numrows>99999999999</numrows>" << "";
        QTest::newRow("large row count, no cells") << "<numrows>2</numrows>" << "<numrows>90000000</numrows>" << "";
        QTest::newRow("huge column count") << "<numcols>2</numcols>" << "<numcols>2000000000</numcols>" << "";
        QTest::newRow("zero columns") << "<numcols>2</numcols>" << "<numcols>0</numcols>" << "";
        QTest::newRow("count not a number") << "<numcols>2</numcols>" << "<numcols>two</numcols>" << "";
        QTest::newRow("second count") << "<numcols>2</numcols>" << "<numcols>2</numcols><numcols>2</numcols>" << "";
        QTest::newRow("no counts") << "<numcols>2</numcols>" << "" << "";
        QTest::newRow("unclosed element") << "<comment></comment>" << "<comment>" << "";
        QTest::newRow("bad entity") << "<comment></comment>" << "<comment>&bogus;</comment>" << "";
        QTest::newRow("foreign root") << "<replist " << "<replistx " << "";
        QTest::newRow("nested list") << "<comment></comment>" << "<replist></replist>" << "";
        QTest::newRow("column name out of range") << "<colname col=\"2\">" << "<colname col=\"5\">" << "";
        QTest::newRow("unknown check mode") << "mode=\"box\"" << "mode=\"triangle\"" << "";
        QTest::newRow("bad encoded text") << "<comment></comment>" << "<comment enc=\"b64\">!!!</comment>" << "";
        QTest::newRow("odd encoded length") << "<comment></comment>" << "<comment enc=\"b64\">QQ==</comment>" << "";
        QTest::newRow("order with a repeat") << "<comment></comment>" << "<comment></comment><order>1 1</order>" << "";
        QTest::newRow("order too short") << "<comment></comment>" << "<comment></comment><order>1</order>" << "";
        QTest::newRow("row attribute too big") << "<comment></comment>" << "<comment></comment><rowattr row=\"1\">300</rowattr>" << "";
        QTest::newRow("sort column out of range") << "col=\"-1\" sec" << "col=\"8\" sec" << "";
        QTest::newRow("text after the root tag only") << "@rootonly" << "" << "";
    }
    void malformedInputLeavesStore()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, id);
        QString xml = smallListXml();
        if (from == "*")
            xml.clear();
        else if (from == "@half")
            xml.truncate(xml.size() / 2);
        else if (from == "@rootonly")
            xml = xml.left(xml.indexOf("<numcols>"));
        else if (!from.isEmpty()) {
            QVERIFY2(xml.contains(from), qPrintable(from));
            xml.replace(xml.indexOf(from), from.size(), to);
        }
        for (int reader = 0; reader < 4; ++reader) {
            QTemporaryDir dir;
            TRLData d;
            d.SetNrCols(3);
            d.SetNrRows(2);
            d.SetElem(2, 1, "keep");
            d.SetColName(3, "kept");
            d.SetComment("mine");
            d.SetDataID("before");
            const QString before = describe(d);
            int changes = 0;
            d.Strings()->OnChange = [&](TObject*) { ++changes; };
            QVERIFY2(!readWith(d, reader, xml.toUtf8(), dir.path(), id), qPrintable(QString("reader %1").arg(reader)));
            QCOMPARE(describe(d), before);
            QCOMPARE(changes, 0);
        }
    }

    // Cells in stored order are taken straight into the store; anything else waits for the
    // end. Both ways, and every text form XML has, must give the same store, and a list
    // that does not add up must leave the store alone.
    void cellOrdersAndTextForms_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("expected"); // "col,row=text"; empty: refused
        auto c = [](int col, int row, const QString& inner) {
            return QString("<cell col=\"%1\" row=\"%2\">%3</cell>\n").arg(col).arg(row).arg(inner);
        };
        const QString counts = "<numcols>2</numcols><numrows>2</numrows>\n";
        QString inOrder;
        QStringList all;
        for (int r = 1; r <= 2; ++r)
            for (int k = 0; k <= 2; ++k) {
                inOrder += c(k, r, QString("t%1%2").arg(k).arg(r));
                all << QString("%1,%2=t%1%2").arg(k).arg(r);
            }
        QString reversed;
        for (int r = 2; r >= 1; --r)
            for (int k = 2; k >= 0; --k)
                reversed += c(k, r, QString("t%1%2").arg(k).arg(r));
        QString swapped = inOrder;
        swapped.replace(c(1, 1, "t11"), "@").replace(c(2, 1, "t21"), c(1, 1, "t11")).replace("@", c(2, 1, "t21"));
        QTest::newRow("stored order") << counts + inOrder << all;
        QTest::newRow("reverse order") << counts + reversed << all;
        QTest::newRow("cells before counts") << inOrder + counts << all;
        QTest::newRow("two cells swapped") << counts + swapped << all;
        QTest::newRow("counts between cells") << c(0, 1, "t01") + counts + inOrder.mid(inOrder.indexOf("<cell col=\"1\"")) << all;
        const QString rest = c(2, 1, "") + c(0, 2, "") + c(1, 2, "") + c(2, 2, "");
        auto one = [&](const QString& first, const QString& text) {
            QTest::newRow(qPrintable(first.left(40))) << counts + first + c(1, 1, "") + rest << QStringList{"0,1=" + text};
        };
        one("<cell row=\"1\" col=\"0\">rc</cell>", "rc");
        one("<cell x=\"9\" col=\"0\" enc=\"no\" row=\"1\">ex</cell>", "ex");
        one("<CELL col=\"0\" row=\"1\">upper</CELL>", "upper");
        one(c(0, 1, "a&amp;b&#x41;&#66;&lt;&gt;&quot;"), "a&bAB<>\"");
        one(c(0, 1, "p<![CDATA[<&>]]>q"), "p<&>q");
        one(c(0, 1, "a<!-- note -->b<?pi x?>c"), "abc");
        one(c(0, 1, "  two\n lines\t "), "  two\n lines\t ");
        one("<cell col=\"0\" row=\"1\" enc=\"b64\">YQANAGIA</cell>", "a\rb");
        one(c(0, 1, QString(300, 'z')), QString(255, 'z'));
        one("<cell col=\"0\" row=\"1\"/>", "");
        const QStringList refused;
        QTest::newRow("cell again after the order passed it")
            << counts + c(0, 1, "a") + c(2, 1, "b") + c(1, 1, "c") + c(2, 1, "d") + c(0, 2, "") + c(1, 2, "") << refused;
        QTest::newRow("in-order cell repeated out of order") << counts + inOrder + c(1, 1, "again") << refused;
        QTest::newRow("out-of-order cell repeated") << counts + reversed.replace(c(0, 1, "t01"), c(1, 2, "x")) << refused;
        QTest::newRow("one cell missing") << counts + inOrder.replace(c(2, 2, "t22"), "") << refused;
        QTest::newRow("column past the count") << counts + inOrder.replace(c(2, 2, "t22"), c(3, 2, "")) << refused;
        QTest::newRow("row past the count") << counts + QString(inOrder).replace(c(2, 2, "t22"), c(2, 3, "")) << refused;
        QTest::newRow("markup in a cell") << counts + QString(inOrder).replace("t11", "a<b/>") << refused;
        QTest::newRow("bad base64 in a cell") << counts + QString(inOrder).replace(">t11", " enc=\"b64\">QQ=") << refused;
    }
    void cellOrdersAndTextForms()
    {
        QFETCH(QString, body);
        QFETCH(QStringList, expected);
        const QString xml = "<?xml version=\"1.0\"?>\n<replist format=\"qorvantix\" id=\"t\">\n" + body + "</replist>\n";
        TRLData want;
        if (!expected.isEmpty()) {
            want.SetNrCols(2);
            want.SetNrRows(2);
            want.SetDataID("t");
            for (const QString& e : expected) {
                const int eq = int(e.indexOf('='));
                const QStringList at = e.left(eq).split(',');
                want.Strings()->SetStoredString(at[0].toInt(), at[1].toInt(), e.mid(eq + 1));
            }
        }
        for (int reader = 0; reader < 4; ++reader) {
            QTemporaryDir dir;
            TRLData d;
            d.SetNrCols(3);
            d.SetNrRows(1);
            d.SetElem(3, 1, "keep");
            const QString before = describe(d);
            const bool ok = readWith(d, reader, xml.toUtf8(), dir.path(), "t");
            QCOMPARE(ok, !expected.isEmpty());
            QCOMPARE(describe(d), expected.isEmpty() ? before : describe(want));
        }
    }

    // Stores are grown as in-order cells arrive (in steps from a stream, at once from a file
    // or string); a list shorter than it declares is refused however far it got.
    void growingStore()
    {
        TRLData src;
        src.SetNrCols(2);
        src.SetNrRows(2600);
        src.SetDataID("g");
        for (int r = 1; r <= 2600; ++r)
            src.SetElem(r % 3, r, QString::number(r * 7));
        const QByteArray full = src.XMLText(false, "g").toUtf8();
        QByteArray shortened = full;
        shortened.replace("<numrows>2600</numrows>", "<numrows>9000</numrows>");
        for (int reader = 0; reader < 4; ++reader) {
            QTemporaryDir dir;
            TRLData d;
            QVERIFY(readWith(d, reader, full, dir.path(), "g"));
            QCOMPARE(describe(d), describe(src));
            d.SetElem(1, 1, "mine");
            const QString before = describe(d);
            QVERIFY(!readWith(d, reader, shortened, dir.path(), "g"));
            QCOMPARE(describe(d), before);
        }
    }

    void validSmallListLoads()
    {
        // The mutations above start from this text, which itself loads.
        TRLData d;
        QVERIFY(d.ReadFromXMLString(smallListXml(), "SMALL"));
        QCOMPARE(d.NrOfColumns(), 2);
        QCOMPARE(d.GetElem(2, 2), QString("b"));
        QCOMPARE(d.GetColCheckMode(2), cmBox);
    }

    void documentedSampleLoads()
    {
        const QString path = QStringLiteral(QOR_TEST_DATA_DIR) + "/../../docs/sample_replist.xml";
        QVERIFY(CheckIfValidReplist(path, "stock"));
        TRLData d;
        QVERIFY(d.LoadFromXMLFile(path, "STOCK"));
        QCOMPARE(d.NrOfColumns(), 3);
        QCOMPARE(d.NrOfRows(), 3);
        QCOMPARE(d.CommonHeader(), QString("Stock list\nWarehouse 2"));
        QCOMPARE(d.LastSortColumn(), 3);
        // Sorted by count: 7, 45, 120.
        QCOMPARE(d.GetElem(3, 1), QString("7"));
        QCOMPARE(d.GetElem(1, 1), QString("Line\x01" "break"));
        QCOMPARE(d.GetElem(1, 2), QString("Nuts & washers"));
        QVERIFY(d.GetElemChecked(2, 2));
        QCOMPARE(d.Strings()->GetRowAttrib(2), Byte(0x80));
        QCOMPARE(d.GetElem(0, 3), QString("sku-1001"));
        QCOMPARE(d.GetCellDefaultValue(3, 12), QString("012"));
        d.UnSort();
        QCOMPARE(d.GetElem(1, 1), QString("Bolts M4"));
    }

    void unknownElementsAreSkipped()
    {
        QString xml = smallListXml();
        xml.replace("<comment></comment>", "<comment></comment><future a=\"1\"><deep>x</deep></future>");
        TRLData d;
        QVERIFY(d.ReadFromXMLString(xml, ""));
        QCOMPARE(d.GetElem(1, 1), QString("a"));
    }

    void missingFileGivesFalse()
    {
        TRLData d;
        d.SetNrRows(3);
        QVERIFY(!d.LoadFromXMLFile("/nonexistent/none.xml", ""));
        QCOMPARE(d.NrOfRows(), 3);
    }

    void failedSaveKeepsPreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/list.xml";
        TRLData d;
        d.SetNrRows(500);
        d.Fill("text");
        d.SaveAsXMLFile(path, "first");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray previous = f.readAll();
        f.close();
        d.Fill("other");
        d.OnPercentDone = [](TObject*, int p) {
            if (p >= 50)
                throw std::runtime_error("interrupted");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, d.SaveAsXMLFile(path, "second"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"list.xml"}));
        d.OnPercentDone = nullptr;
        QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.SaveAsXMLFile(dir.path() + "/no/such/dir/x.xml", "x"));
    }

    void writeToClosedStreamRaises()
    {
        TRLData d;
        QBuffer buf;
        QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.WriteToXMLStream(&buf, true, "x"));
        QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.WriteToXMLStream(nullptr, true, "x"));
        QVERIFY(!d.ReadFromXMLStream(nullptr, ""));
    }

    void progressIsPacedAndComplete()
    {
        TRLData d;
        d.SetNrCols(4);
        d.SetNrRows(1000);
        d.Fill("x");
        QList<int> saved;
        d.OnPercentDone = [&](TObject* s, int p) {
            QCOMPARE(s, &d);
            saved << p;
        };
        const QString xml = d.XMLText(true, "p");
        QVERIFY(saved.size() > 10);
        QVERIFY(saved.size() <= 102);
        QCOMPARE(saved.last(), 100);
        QVERIFY(std::is_sorted(saved.begin(), saved.end()));
        QList<int> loaded;
        TRLData e;
        e.OnPercentDone = [&](TObject*, int p) { loaded << p; };
        QVERIFY(e.ReadFromXMLString(xml, "p"));
        QVERIFY(loaded.size() > 10);
        QVERIFY(loaded.size() <= 102);
        QCOMPARE(loaded.last(), 100);
        QVERIFY(std::is_sorted(loaded.begin(), loaded.end()));
    }
};

// Runs the XML tests; returns the number of failures.
inline int RunRLDataXmlTests(int argc, char** argv)
{
    TestRLDataXml t;
    return QTest::qExec(&t, argc, argv);
}


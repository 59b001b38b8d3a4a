#include "replist/QOR_replist.h"
#include "tst_rldata_xml.h"
#include "tst_rldata_faults.h"

#include <QApplication>
#include <QtTest>

using namespace qor;

namespace {

TRLData* makeStore(QObject* owner, int cols, int rows)
{
    auto* d = new TRLData(owner);
    d->SetName("Store");
    d->SetNrCols(cols);
    d->SetNrRows(rows);
    return d;
}

QStringList storedColumn(TRLData& d, int col)
{
    QStringList out;
    for (int r = 1; r <= d.NrOfRows(); ++r)
        out << d.Strings()->GetString(col, r);
    return out;
}

QStringList visibleColumn(TRLData& d, int col)
{
    QStringList out;
    for (int r = 1; r <= d.NrOfRows(); ++r)
        out << d.GetElem(col, r);
    return out;
}

void setStored(TRLData& d, int col, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        d.Strings()->SetString(col, i + 1, texts[i]);
}

} // namespace

class TestRLData : public QObject {
    Q_OBJECT

private slots:
    void newStore()
    {
        TRLData d;
        QCOMPARE(d.NrOfColumns(), 1);
        QCOMPARE(d.NrOfRows(), 0);
        QCOMPARE(d.GetColName(1), QString("C-1"));
        QCOMPARE(d.CommonHeader(), QString("QOR Report Listview"));
        QCOMPARE(d.LastSortColumn(), -1);
        QCOMPARE(d.SecondarySortColumn(), -1);
        QVERIFY(d.LastSortOrder());
        QVERIFY(d.SortToggle());
        QCOMPARE(d.FeedbkNumCells(), 1);
        QCOMPARE(d.FeedbkStep(), 1);
        QCOMPARE(d.Strings()->AllocRowsBy(), 10);
        QVERIFY(d.Strings()->AllocatedRows() >= 1);
        QCOMPARE(d.GetColCheckMode(1), cmNone);
        QCOMPARE(d.GetColumnFormat(1), QString());
    }

    void dimensionsClamp_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("expCols");
        QTest::addColumn<int>("expRows");
        QTest::newRow("zero cols") << 0 << 3 << 1 << 3;
        QTest::newRow("negative cols") << -5 << 0 << 1 << 0;
        QTest::newRow("negative rows") << 2 << -3 << 2 << 0;
        QTest::newRow("plain") << 7 << 11 << 7 << 11;
    }
    void dimensionsClamp()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, expCols);
        QFETCH(int, expRows);
        TRLData d;
        d.SetNrCols(cols);
        d.SetNrRows(rows);
        QCOMPARE(d.NrOfColumns(), expCols);
        QCOMPARE(d.NrOfRows(), expRows);
        QCOMPARE(d.Strings()->NrOfColumns(), expCols);
    }

    void columnNamesOnGrowAndShrink()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetColName(1, "one");
        d.SetColName(2, "two");
        d.SetColumnFormat(2, "[i]");
        d.SetNrCols(4);
        QCOMPARE(d.GetColName(1), QString("one"));
        QCOMPARE(d.GetColName(2), QString("two"));
        QCOMPARE(d.GetColName(3), QString("C-3"));
        QCOMPARE(d.GetColName(4), QString("C-4"));
        QCOMPARE(d.GetColumnFormat(2), QString("[i]"));
        d.SetColName(3, "three");
        d.SetColCheckMode(3, cmBox);
        d.SetNrCols(2);
        d.SetNrCols(3);
        QCOMPARE(d.GetColName(3), QString("C-3"));
        QCOMPARE(d.GetColCheckMode(3), cmNone);
        QCOMPARE(d.GetColName(0), QString());
        QCOMPARE(d.GetColName(4), QString());
        d.SetColName(4, "ignored");
        QCOMPARE(d.GetColName(4), QString());
    }

    void lengthCuts_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("stored");
        QTest::newRow("name 60") << "name" << 60 << 50;
        QTest::newRow("name 50") << "name" << 50 << 50;
        QTest::newRow("format 100") << "format" << 100 << 80;
        QTest::newRow("cell 300") << "cell" << 300 << 255;
        QTest::newRow("cell 255") << "cell" << 255 << 255;
        QTest::newRow("check cell 300") << "checkcell" << 300 << 254;
        QTest::newRow("fill 300") << "fill" << 300 << 255;
    }
    void lengthCuts()
    {
        QFETCH(QString, what);
        QFETCH(int, length);
        QFETCH(int, stored);
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(1);
        d.SetColCheckMode(2, cmBox);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar('a' + i % 26);
        if (what == "name") {
            d.SetColName(1, text);
            QCOMPARE(d.GetColName(1), text.left(stored));
        } else if (what == "format") {
            d.SetColumnFormat(1, text);
            QCOMPARE(d.GetColumnFormat(1), text.left(stored));
        } else if (what == "cell") {
            d.SetElem(1, 1, text);
            QCOMPARE(d.GetElem(1, 1), text.left(stored));
        } else if (what == "checkcell") {
            d.SetElem(2, 1, text);
            QCOMPARE(d.GetElem(2, 1), text.left(stored));
            QCOMPARE(d.Strings()->GetString(2, 1).size(), 255);
        } else {
            d.Fill(text);
            QCOMPARE(d.GetElem(1, 1), text.left(stored));
        }
    }

    void cellsOutOfRange_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("col -1") << -1 << 1;
        QTest::newRow("col 3") << 3 << 1;
        QTest::newRow("row 0") << 1 << 0;
        QTest::newRow("row 3") << 1 << 3;
    }
    void cellsOutOfRange()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(2);
        d.SetColCheckMode(1, cmBox);
        d.SetElem(col, row, "x");
        d.SetElemChecked(col, row, true);
        QCOMPARE(d.GetElem(col, row), QString());
        QCOMPARE(d.GetElemChecked(col, row), false);
        QCOMPARE(d.GetAsNumber(col, row), 0.0);
        for (int c = 0; c <= 2; ++c)
            for (int r = 1; r <= 2; ++r)
                QCOMPARE(d.Strings()->GetString(c, r), QString());
    }

    void hiddenColumnZero()
    {
        TRLData d;
        d.SetNrCols(1);
        d.SetNrRows(2);
        d.SetElem(0, 1, "hidden");
        QCOMPARE(d.GetElem(0, 1), QString("hidden"));
        d.Fill("f");
        QCOMPARE(d.GetElem(0, 1), QString("hidden")); // Fill leaves column 0 alone
        QCOMPARE(d.GetElem(0, 2), QString());
        QCOMPARE(d.GetColCheckMode(0), cmNone);
        d.SetColCheckMode(0, cmBox);
        QCOMPARE(d.GetElem(0, 1), QString("hidden"));
    }

    void checkModeRewrites()
    {
        TRLData d;
        d.SetNrCols(1);
        d.SetNrRows(3);
        setStored(d, 1, {"a", "", "b"});
        int changes = 0;
        d.Strings()->OnChange = [&](TObject*) { ++changes; };
        d.SetColCheckMode(1, cmBox);
        QCOMPARE(changes, 0); // silenced while the column is rewritten
        QVERIFY(d.Strings()->OnChange); // and put back afterwards
        QCOMPARE(storedColumn(d, 1), QStringList({" a", "", " b"}));
        QCOMPARE(visibleColumn(d, 1), QStringList({"a", "", "b"}));
        for (int r = 1; r <= 3; ++r)
            QVERIFY(!d.GetElemChecked(1, r));
        QVERIFY(d.GetCheckedCol(1));
        QVERIFY(d.IsCheckedColumn(1));
        d.SetColCheckMode(1, cmNone);
        QCOMPARE(storedColumn(d, 1), QStringList({"a", "", "b"}));
        QVERIFY(!d.GetCheckedCol(1));
        d.Strings()->SetString(1, 1, "x"); // the restored notification still fires
        QCOMPARE(changes, 1);
    }

    void checkModeTransitions_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("box to radio unchecks, empties get a blank")
            << int(cmBox) << int(cmRadio) << QStringList{"Xa", "", " b"} << QStringList{" a", " ", " b"};
        QTest::newRow("radio to box keeps cells")
            << int(cmRadio) << int(cmBox) << QStringList{"Xa", "", " b"} << QStringList{"Xa", "", " b"};
        QTest::newRow("radio to none drops the prefix")
            << int(cmRadio) << int(cmNone) << QStringList{"Xa", "", " b"} << QStringList{"a", "", "b"};
        QTest::newRow("unchanged mode does nothing")
            << int(cmBox) << int(cmBox) << QStringList{"Xa", "", "Yb"} << QStringList{"Xa", "", "Yb"};
    }
    void checkModeTransitions()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        TRLData d;
        d.SetNrRows(3);
        d.SetColCheckMode(1, TCheckMode(from));
        setStored(d, 1, before);
        d.SetColCheckMode(1, TCheckMode(to));
        QCOMPARE(d.GetColCheckMode(1), TCheckMode(to));
        QCOMPARE(storedColumn(d, 1), after);
    }

    void checkedColumnSetter()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetColCheckMode(1, cmRadio);
        QVERIFY(!d.GetCheckedCol(1)); // only cmBox counts
        d.SetCheckedCol(2, true);
        QCOMPARE(d.GetColCheckMode(2), cmBox);
        d.SetCheckedCol(2, false);
        QCOMPARE(d.GetColCheckMode(2), cmNone);
        d.SetColCheckMode(5, cmBox);
        QCOMPARE(d.GetColCheckMode(5), cmNone);
        d.SetColCheckMode(1, TCheckMode(7)); // no such mode: ignored
        QCOMPARE(d.GetColCheckMode(1), cmRadio);
    }

    void radioColumn()
    {
        TRLData d;
        d.SetNrRows(6);
        d.SetColCheckMode(1, cmRadio);
        setStored(d, 1, {" a", "", "", " d", "", "Xf"});
        d.SetElemChecked(1, 3, true);
        d.SetElemChecked(1, 5, true);
        QCOMPARE(storedColumn(d, 1), QStringList({" a", " ", " ", " d", "X", " f"}));
        QCOMPARE(d.CountCheckedElemsInCol(1), 1);
        QCOMPARE(d.FirstCheckedElemInCol(1), 5);
        d.SetElemChecked(1, 5, false);
        QCOMPARE(d.CountCheckedElemsInCol(1), 0);
    }

    void boxColumnAndElemText()
    {
        TRLData d;
        d.SetNrRows(2);
        d.SetColCheckMode(1, cmBox);
        d.SetElem(1, 1, "text");
        QCOMPARE(d.Strings()->GetString(1, 1), QString(" text"));
        d.SetElemChecked(1, 1, true);
        QCOMPARE(d.Strings()->GetString(1, 1), QString("Xtext"));
        d.SetElem(1, 1, "new");
        QCOMPARE(d.Strings()->GetString(1, 1), QString("Xnew"));
        QVERIFY(d.GetElemChecked(1, 1));
        d.SetElemChecked(1, 2, true); // empty cell
        QCOMPARE(d.Strings()->GetString(1, 2), QString("X"));
        QCOMPARE(d.GetElem(1, 2), QString());
        d.Strings()->SetString(1, 2, "?odd");
        QVERIFY(d.GetElemChecked(1, 2)); // any non-blank first character reads as checked
    }

    void setAllAndInvert()
    {
        TRLData d;
        d.SetNrRows(4);
        d.SetColCheckMode(1, cmBox);
        setStored(d, 1, {"X1", " 2", "", "Y3"});
        d.InvertAllCheckmarksOfCol(1);
        QCOMPARE(storedColumn(d, 1), QStringList({" 1", "X2", "X", " 3"}));
        d.SetAllCheckmarksOfCol(1, true);
        QCOMPARE(storedColumn(d, 1), QStringList({"X1", "X2", "X", "X3"}));
        d.SetAllCheckmarksOfCol(1, false);
        QCOMPARE(storedColumn(d, 1), QStringList({" 1", " 2", " ", " 3"}));
        // Radio columns are not touched by either.
        d.SetColCheckMode(1, cmRadio);
        setStored(d, 1, {"X1", " 2", "", " 3"});
        d.InvertAllCheckmarksOfCol(1);
        d.SetAllCheckmarksOfCol(1, true);
        QCOMPARE(storedColumn(d, 1), QStringList({"X1", " 2", "", " 3"}));
    }

    void countsAndFirsts()
    {
        TRLData d;
        d.SetNrCols(4);
        d.SetNrRows(3);
        d.SetColCheckMode(2, cmBox);
        d.SetColCheckMode(4, cmRadio);
        d.SetElem(1, 2, "Xplain"); // plain column: never counts
        d.SetElemChecked(2, 3, true);
        d.SetElemChecked(4, 2, true);
        d.SetElemChecked(2, 2, true);
        QCOMPARE(d.CountCheckedElemsInCol(1), 0);
        QCOMPARE(d.CountCheckedElemsInCol(2), 2);
        QCOMPARE(d.CountCheckedElemsInCol(4), 1);
        QCOMPARE(d.CountCheckedElemsInRow(2), 2);
        QCOMPARE(d.CountCheckedElemsInRow(1), 0);
        QCOMPARE(d.FirstCheckedElemInCol(2), 2);
        QCOMPARE(d.FirstCheckedElemInRow(2), 2);
        QCOMPARE(d.FirstCheckedElemInRow(3), 2);
        QCOMPARE(d.FirstCheckedElemInRow(1), 0);
        QCOMPARE(d.CountCheckedElemsInCol(9), 0);
        QCOMPARE(d.CountCheckedElemsInRow(0), 0);
        QCOMPARE(d.CountCheckedElemsInRow(4), 0);
        QCOMPARE(d.FirstCheckedElemInCol(0), 0);
        QCOMPARE(d.FirstCheckedElemInRow(4), 0);
    }

    void columnIndex_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<int>("expected");
        QTest::newRow("exact, last wins") << "name" << false << 3;
        QTest::newRow("partial, last wins") << "am" << true << 3;
        QTest::newRow("exact other") << "X" << false << 2;
        QTest::newRow("no match") << "zz" << false << -1;
        QTest::newRow("no partial match") << "zz" << true << -1;
        QTest::newRow("empty never partial") << "" << true << -1;
        QTest::newRow("exact needs whole name") << "nam" << false << -1;
    }
    void columnIndex()
    {
        QFETCH(QString, head);
        QFETCH(bool, partial);
        QFETCH(int, expected);
        TRLData d;
        d.SetNrCols(3);
        d.SetColName(1, "Name");
        d.SetColName(2, "x");
        d.SetColName(3, "NAME");
        QCOMPARE(d.ColumnIndex(head, partial), expected);
    }

    void removeOnlyRow()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(1);
        d.SetElem(0, 1, "h");
        d.SetElem(1, 1, "a");
        d.SetElem(2, 1, "b");
        d.Strings()->SetRowAttrib(1, 0xC0);
        d.RemoveRow(1);
        QCOMPARE(d.NrOfRows(), 0);
        QVERIFY(d.Strings()->NrOfRows() >= 1);
        for (int c = 0; c <= 2; ++c)
            QCOMPARE(d.Strings()->GetString(c, 1), QString());
        QCOMPARE(d.FeedbkNumCells(), 1);
        d.SetNrRows(1);
        QCOMPARE(d.GetElem(1, 1), QString());
        QCOMPARE(d.Strings()->GetRowAttrib(1), Byte(0));
        d.RemoveRow(0);
        d.RemoveRow(2);
        QCOMPARE(d.NrOfRows(), 1);
    }

    void removeRowOnSortedStore()
    {
        TRLData d;
        d.SetNrRows(4);
        setStored(d, 1, {"c", "a", "d", "b"});
        d.Sort(1, -1, true);
        QCOMPARE(visibleColumn(d, 1), QStringList({"a", "b", "c", "d"}));
        d.RemoveRow(2); // "b"
        QCOMPARE(visibleColumn(d, 1), QStringList({"a", "c", "d"}));
        QVERIFY(!d.Strings()->IsSorted()); // the sorted order was made the stored one
        d.UnSort();
        QCOMPARE(visibleColumn(d, 1), QStringList({"a", "c", "d"}));
    }

    void removeEmptyRows()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(5);
        d.SetColCheckMode(2, cmBox);
        d.SetElem(1, 1, "keep1");
        d.SetElemChecked(2, 2, true);   // only a checked prefix: empty
        d.SetElemChecked(2, 3, false);  // only an unchecked prefix: empty
        d.SetElem(0, 4, "hidden");      // hidden text keeps the row
        d.SetElem(2, 5, "v");
        d.RemoveEmptyRows();
        QCOMPARE(d.NrOfRows(), 3);
        QCOMPARE(d.GetElem(1, 1), QString("keep1"));
        QCOMPARE(d.GetElem(0, 2), QString("hidden"));
        QCOMPARE(d.GetElem(2, 3), QString("v"));
    }

    void copyRow()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(2);
        d.SetColCheckMode(2, cmBox);
        d.SetElem(0, 1, "h");
        d.SetElem(1, 1, "a");
        d.SetElem(2, 1, "b");
        d.SetElemChecked(2, 1, true);
        d.Strings()->SetRowAttrib(1, 0x80);
        d.CopyRow(1, 2);
        QCOMPARE(d.Strings()->GetString(0, 2), QString("h"));
        QCOMPARE(d.Strings()->GetString(2, 2), QString("Xb"));
        QCOMPARE(d.Strings()->GetRowAttrib(2), Byte(0x80));
        d.CopyRow(1, 3); // out of range: nothing
        QCOMPARE(d.NrOfRows(), 2);
    }

    void fillAndClear()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(3);
        d.SetColCheckMode(2, cmBox);
        d.Strings()->SetString(2, 1, "Xa");
        d.Strings()->SetString(2, 2, " b");
        d.Fill("z");
        QCOMPARE(storedColumn(d, 1), QStringList({"z", "z", "z"}));
        QCOMPARE(storedColumn(d, 2), QStringList({"Xz", " z", " z"}));
        d.SetColName(1, "n");
        d.SetColumnFormat(1, "[i]");
        d.SetComment("c");
        d.SetDataID("id");
        d.SetCommonHeader("hd");
        d.Sort(1, -1, false);
        d.Clear();
        QCOMPARE(d.NrOfColumns(), 2);
        QCOMPARE(d.NrOfRows(), 3);
        QCOMPARE(d.GetColName(1), QString("C-1"));
        QCOMPARE(d.GetColumnFormat(1), QString());
        QCOMPARE(d.GetColCheckMode(2), cmNone);
        QCOMPARE(d.GetElem(1, 1), QString());
        QCOMPARE(d.Comment(), QString("c"));
        QCOMPARE(d.DataID(), QString("id"));
        QCOMPARE(d.CommonHeader(), QString("hd"));
        QCOMPARE(d.LastSortColumn(), 1);
        QCOMPARE(d.LastSortOrder(), false);
    }

    void defaultValues_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        QTest::newRow("[i][80]rix4 row 7") << "[i][80]rix4" << 7 << "0007";
        QTest::newRow("[h]rix2 row 255") << "[h]rix2" << 255 << "FF";
        QTest::newRow("[h]rix2 row 256") << "[h]rix2" << 256 << "00";
        QTest::newRow("[h]rix0 gives one digit") << "[h]rix0" << 255 << "F";
        QTest::newRow("[h]rix12 limited to 8") << "[h]rix12" << 255 << "000000FF";
        QTest::newRow("[f]rix2") << "[f]rix2" << 3 << "3.00";
        QTest::newRow("[e]rix0") << "[e]rix0" << 12 << "12";
        QTest::newRow("[i]rix0 one digit") << "[i]rix0" << 5 << "5";
        QTest::newRow("[i]rix2 low digits") << "[i]rix2" << 123 << "23";
        QTest::newRow("[i]RIX3 any case") << "[i]RIX3" << 9 << "009";
        QTest::newRow("[i] value") << "[i]42" << 1 << "42";
        QTest::newRow("[c]") << "[c]red|green|blue" << 1 << "red";
        QTest::newRow("[l:5] without bar") << "[l:5]only" << 1 << "only";
        QTest::newRow("[c][120] width skipped") << "[c][120]a|b" << 1 << "a";
        QTest::newRow("[dyyyy-MM-dd]") << "[dyyyy-MM-dd]2016-03-07" << 1 << "2016-03-07";
        QTest::newRow("[s] text") << "[s]hello" << 1 << "hello";
        QTest::newRow("[#i]rix4 read-only") << "[#i]rix4" << 7 << "";
        QTest::newRow("[i] nothing after") << "[i]" << 7 << "";
        QTest::newRow("plain") << "plain" << 1 << "plain";
        QTest::newRow("empty format") << "" << 1 << "";
        QTest::newRow("unknown letter") << "[q]x" << 1 << "";
    }
    void defaultValues()
    {
        QFETCH(QString, format);
        QFETCH(int, row);
        QFETCH(QString, expected);
        TRLData d;
        d.SetNrRows(2);
        d.SetColumnFormat(1, format);
        QCOMPARE(d.GetCellDefaultValue(1, row), expected);
        QCOMPARE(d.DefaultValue(1, row), expected);
    }

    void defaultPasswords()
    {
        TRLData d;
        d.SetNrCols(3);
        d.SetColumnFormat(1, "[s]$pwd$8");
        d.SetColumnFormat(2, "[s]$PWD$999999999");
        d.SetColumnFormat(3, "$pwd$5"); // no brackets: type s
        const QString p = d.GetCellDefaultValue(1, 1);
        QCOMPARE(p.size(), 8);
        QVERIFY(p != d.GetCellDefaultValue(1, 1));
        QCOMPARE(d.GetCellDefaultValue(2, 1).size(), MaxCellLength); // bounded
        QCOMPARE(d.GetCellDefaultValue(3, 1).size(), 5);
        QCOMPARE(d.GetCellDefaultValue(4, 1), QString()); // out-of-range column
    }

    void defaultRowNumbersAreBounded()
    {
        TRLData d;
        d.SetColumnFormat(1, "[i]rix2000000000");
        QCOMPARE(d.GetCellDefaultValue(1, 7).size(), MaxCellLength);
        d.SetColumnFormat(1, "[f]rix2000000000");
        QVERIFY(d.GetCellDefaultValue(1, 7).size() <= 300);
    }

    void progressCounters_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cells");
        QTest::addColumn<int>("step");
        QTest::newRow("cols with no rows count one row") << 4 << -1 << 5 << 1;
        QTest::newRow("rows 0 gives 1") << 4 << 0 << 1 << 1;
        QTest::newRow("1000 x 4") << 4 << 1000 << 5000 << 51;
        QTest::newRow("99 cells") << 32 << 3 << 99 << 1;
        QTest::newRow("100 cells") << 1 << 50 << 100 << 2;
    }
    void progressCounters()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, cells);
        QFETCH(int, step);
        TRLData d;
        if (rows >= 0)
            d.SetNrRows(rows);
        d.SetNrCols(cols); // counts at least one row
        if (rows >= 0)
            d.SetNrRows(rows);
        QCOMPARE(d.FeedbkNumCells(), cells);
        QCOMPARE(d.FeedbkStep(), step);
    }

    void failingResizeKeepsCounts()
    {
        TRLData d;
        d.SetName("Big");
        d.SetNrCols(5);
        d.SetNrRows(3);
        try {
            d.SetNrRows(INT_MAX);
            QFAIL("no exception");
        } catch (const EQORError& e) {
            QVERIFY(e.Message().startsWith("Component \"Big\": "));
        }
        QCOMPARE(d.NrOfRows(), 3);
        QVERIFY_THROWS_EXCEPTION(EQORError, d.SetNrCols(INT_MAX));
        QCOMPARE(d.NrOfColumns(), 5);
        QCOMPARE(d.Strings()->NrOfColumns(), 5);
    }

    void sortStateAndForwarding()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(3);
        setStored(d, 1, {"b", "c", "a"});
        QList<QObject*> senders;
        d.OnBeforeSortExchange = [&](TObject* s, const QString& in, QString& out) {
            senders << s;
            out = in;
        };
        d.Sort(1, 2, false);
        QCOMPARE(d.LastSortColumn(), 1);
        QCOMPARE(d.SecondarySortColumn(), 2);
        QCOMPARE(d.LastSortOrder(), false);
        QCOMPARE(visibleColumn(d, 1), QStringList({"c", "b", "a"}));
        QVERIFY(!senders.isEmpty());
        QVERIFY(std::all_of(senders.begin(), senders.end(), [&](QObject* s) { return s == &d; }));
        d.UnSort();
        QCOMPARE(d.LastSortColumn(), -1);
        QCOMPARE(d.SecondarySortColumn(), -1);
        QCOMPARE(d.LastSortOrder(), false); // the order flag stays
        QCOMPARE(visibleColumn(d, 1), QStringList({"b", "c", "a"}));
    }

    void asNumberReadsStoredText()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(1);
        d.SetElem(1, 1, "2.5");
        QCOMPARE(d.AsNumber(1, 1), 2.5);
        d.SetElem(1, 1, "text");
        QCOMPARE(d.GetAsNumber(1, 1), 0.0);
    }

    void clipboardSeparated_data()
    {
        QTest::addColumn<bool>("header");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("expected");
        QTest::newRow("header ;") << true << ";" << "A;B\n\na1;b1\na2;\n";
        QTest::newRow("no header, two chars") << false << ", " << "a1, b1\na2, \n";
    }
    void clipboardSeparated()
    {
        QFETCH(bool, header);
        QFETCH(QString, sep);
        QFETCH(QString, expected);
        TRLData d;
        d.SetNrCols(3);
        d.SetNrRows(2);
        d.SetColName(1, "A");
        d.SetColName(2, "B");
        d.SetColCheckMode(2, cmBox);
        d.SetElem(1, 1, "a1");
        d.SetElem(2, 1, "b1");
        d.SetElemChecked(2, 1, true);
        d.SetElem(1, 2, "a2");
        QCOMPARE(d.ClipboardText(1, 1, 2, 2, header, sep), expected);
        d.CopyToClipBoard(1, 1, 2, 2, header, sep);
        QCOMPARE(Clipboard()->AsText(), expected);
    }

    void clipboardTabsAndOutOfRange()
    {
        TRLData d;
        d.SetNrCols(2);
        d.SetNrRows(1);
        d.SetElem(1, 1, "x");
        d.SetElem(2, 1, "y");
        d.CopyToClipBoard(1, 1, 2, 1, false, true);
        QCOMPARE(Clipboard()->AsText(), QString("x\ty\n"));
        d.CopyToClipBoard(2, 1, 3, 2, false, "\t"); // the block is clamped to the table
        QCOMPARE(Clipboard()->AsText(), QString("y\n"));
    }

    void clipboardFixedWidth()
    {
        TRLData d;
        d.SetNrCols(3);
        d.SetNrRows(3);
        d.SetColName(1, "Name");
        d.SetColName(2, "ok");
        d.SetColName(3, "LongHeader");
        d.SetColCheckMode(2, cmBox);
        d.SetElem(1, 1, "ab");
        d.SetElem(1, 2, "abcdef");
        d.SetElem(2, 1, "yes");   // stored " yes": width 4
        d.SetElemChecked(2, 1, true);
        d.SetElem(3, 3, "v");
        // widths: col 1 = 6, col 2 = 4 (prefix counted), col 3 = 1 (10 with header)
        QCOMPARE(d.FixedWidthText(1, 1, 3, 3, false),
                 QString("ab     yes    \n"
                         "abcdef        \n"
                         "            v \n"));
        // With the header only row 1 counts, and the names: widths 4, 4.
        QCOMPARE(d.FixedWidthText(1, 1, 2, 1, true), QString("Name ok   \n\nab   yes  \n"));
        d.CopyToClipBoard(1, 1, 3, 1, true, false);
        QCOMPARE(Clipboard()->AsText(), QString("Name ok   LongHeader \n\nab   yes  ") + QString(11, ' ') + "\n");
    }

    void assignCopiesEverything()
    {
        QObject owner;
        TRLData* src = makeStore(&owner, 3, 4);
        src->SetColName(1, "N1");
        src->SetColName(3, "N3");
        src->SetColumnFormat(2, "[i]rix3");
        src->SetColCheckMode(3, cmRadio);
        src->SetComment("comment");
        src->SetCommonHeader("common");
        src->SetDataID("ID");
        src->Strings()->SetAllocRowsBy(7);
        const QStringList texts{"d", "b", "a", "c"};
        for (int r = 1; r <= 4; ++r) {
            src->SetElem(0, r, "h" + texts[r - 1]);
            src->SetElem(1, r, texts[r - 1]);
            src->SetElem(3, r, "v" + texts[r - 1]);
        }
        src->SetElemChecked(3, 2, true);
        src->Strings()->SetRowAttrib(1, 0x80); // "d"
        src->Strings()->SetColAttrib(2, 0x80);
        src->Sort(1, -1, true);
        src->SetSortToggle(false);
        int srcExchanges = 0;
        src->OnBeforeSortExchange = [&](TObject*, const QString& in, QString& out) { ++srcExchanges; out = in; };
        src->OnPercentDone = [](TObject*, int) {};

        TRLData* dst = makeStore(&owner, 1, 1);
        TStringArray* container = dst->Strings();
        int dstChanges = 0;
        container->OnChange = [&](TObject*) { ++dstChanges; };
        dst->Assign(src);
        QCOMPARE(dst->Strings(), container); // same container, notification routing kept
        QVERIFY(dstChanges > 0);
        QCOMPARE(dst->NrOfColumns(), 3);
        QCOMPARE(dst->NrOfRows(), 4);
        QCOMPARE(dst->Strings()->AllocRowsBy(), 7);
        QCOMPARE(dst->FeedbkNumCells(), 16);
        for (int c = 0; c <= 3; ++c)
            for (int r = 1; r <= 4; ++r) {
                QCOMPARE(dst->Strings()->GetString(c, r), src->Strings()->GetString(c, r));
                QCOMPARE(dst->Strings()->GetSortOrder(r), src->Strings()->GetSortOrder(r));
            }
        QCOMPARE(dst->Strings()->GetRowAttrib(4), Byte(0x80)); // travels with "d"
        QCOMPARE(dst->Strings()->GetColAttrib(2), Byte(0x80));
        QCOMPARE(dst->GetColName(1), QString("N1"));
        QCOMPARE(dst->GetColName(2), QString("C-2"));
        QCOMPARE(dst->GetColumnFormat(2), QString("[i]rix3"));
        QCOMPARE(dst->GetColCheckMode(3), cmRadio);
        QCOMPARE(dst->Comment(), QString("comment"));
        QCOMPARE(dst->CommonHeader(), QString("common"));
        QCOMPARE(dst->DataID(), QString("ID"));
        QCOMPARE(dst->LastSortColumn(), 1);
        QVERIFY(!dst->SortToggle());
        // Handlers stay with their store: a copied one may be bound to the source's owner.
        QVERIFY(!dst->OnBeforeSortExchange);
        QVERIFY(!dst->OnPercentDone);
        dst->UnSort();
        src->UnSort();
        QCOMPARE(visibleColumn(*dst, 1), texts);
        QCOMPARE(visibleColumn(*src, 1), texts);
        const int before = srcExchanges;
        dst->Sort(1, -1, false);
        QCOMPARE(srcExchanges, before);

        // AssignTo goes the other way.
        TRLData* third = makeStore(&owner, 1, 0);
        src->AssignTo(third);
        QCOMPARE(third->NrOfColumns(), 3);
    }

    void assignFromOtherClassRefuses()
    {
        TRLData d;
        QObject plain;
        QVERIFY_THROWS_EXCEPTION(EQORError, d.Assign(&plain));
    }

    void notificationsAreForwardedToOwner()
    {
        TRLData d;
        d.SetNrRows(2);
        QString seen;
        d.OnBeforeHTMLExport = [&](TObject* s, QString& text, int col, int row) {
            QCOMPARE(s, &d);
            seen = QString("%1@%2,%3").arg(text).arg(col).arg(row);
            text = "changed";
        };
        QString t = "cell";
        d.BeforeHTMLExport(t, 1, 2);
        QCOMPARE(seen, QString("cell@1,2"));
        QCOMPARE(t, QString("changed"));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestRLData store;
    int failures = QTest::qExec(&store, argc, argv);
    failures += RunRLDataXmlTests(argc, argv);
    failures += RunRLDataFaultTests(argc, argv);
    return failures;
}

#include "tst_rldata.moc"

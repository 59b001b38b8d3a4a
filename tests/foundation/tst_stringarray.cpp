#include "foundation/QOR_StringArray.h"

#include <QBuffer>
#include <QtTest>

using namespace qor;

namespace {

// Fills column Col of rows 1..n with the given texts.
void fillColumn(TStringArray& a, int col, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        a.SetString(col, i + 1, texts[i]);
}

QStringList column(const TStringArray& a, int col)
{
    QStringList out;
    for (int r = 1; r <= a.NrOfRows(); ++r)
        out << a.GetString(col, r);
    return out;
}

} // namespace

class TestStringArray : public QObject {
    Q_OBJECT

private slots:
    void newContainerIsEmpty()
    {
        TStringArray a;
        QCOMPARE(a.NrOfColumns(), 0);
        QCOMPARE(a.NrOfRows(), 0);
        QCOMPARE(a.GetString(0, 1), QString());
        a.SetString(0, 1, "x"); // no rows: ignored
        QCOMPARE(a.GetString(0, 1), QString());
    }

    void resizeKeepsCells()
    {
        TStringArray a;
        a.Resize(2, 3);
        a.SetString(0, 1, "h1");
        a.SetString(2, 3, "c2r3");
        a.SetString(1, 2, "c1r2");
        a.Resize(4, 30);
        QCOMPARE(a.GetString(0, 1), QString("h1"));
        QCOMPARE(a.GetString(2, 3), QString("c2r3"));
        QCOMPARE(a.GetString(1, 2), QString("c1r2"));
        QCOMPARE(a.GetString(4, 30), QString());
        a.Resize(1, 2);
        QCOMPARE(a.GetString(1, 2), QString("c1r2"));
        QCOMPARE(a.GetString(2, 3), QString()); // gone with its column and row
        // Growing again gives empty cells, not the dropped ones.
        a.Resize(2, 3);
        QCOMPARE(a.GetString(2, 3), QString());
        QCOMPARE(a.GetString(1, 3), QString());
    }

    void growthStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("allocated");
        QTest::newRow("10 for 1") << 10 << 1 << 10;
        QTest::newRow("10 for 0 keeps one row") << 10 << 0 << 10;
        QTest::newRow("10 for 10") << 10 << 10 << 10;
        QTest::newRow("10 for 11") << 10 << 11 << 20;
        QTest::newRow("7 for 15") << 7 << 15 << 21;
        QTest::newRow("step below 1 acts as 1") << 0 << 5 << 5;
    }
    void growthStep()
    {
        QFETCH(int, step);
        QFETCH(int, rows);
        QFETCH(int, allocated);
        TStringArray a;
        a.SetAllocRowsBy(step);
        QCOMPARE(a.AllocRowsBy(), std::max(step, 1));
        a.Resize(3, rows);
        QCOMPARE(a.NrOfRows(), rows);
        QCOMPARE(a.AllocatedRows(), allocated);
    }

    void impossibleResizeRaisesAndKeepsEverything()
    {
        TStringArray a;
        a.Resize(2, 2);
        a.SetString(1, 1, "keep");
        QVERIFY_THROWS_EXCEPTION(EQORError, a.Resize(1000000, 2000000000));
        QCOMPARE(a.NrOfColumns(), 2);
        QCOMPARE(a.NrOfRows(), 2);
        QCOMPARE(a.GetString(1, 1), QString("keep"));
    }

    void cellsAreCutTo255()
    {
        TStringArray a;
        a.Resize(1, 1);
        a.SetString(1, 1, QString(300, 'q'));
        QCOMPARE(a.GetString(1, 1).size(), 255);
        a.SetString(1, 1, QString(255, 'w'));
        QCOMPARE(a.GetString(1, 1), QString(255, 'w'));
    }

    void outOfRangeIsIgnored_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("col -1") << -1 << 1;
        QTest::newRow("col past end") << 3 << 1;
        QTest::newRow("row 0") << 1 << 0;
        QTest::newRow("row past end") << 1 << 3;
    }
    void outOfRangeIsIgnored()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        TStringArray a;
        a.Resize(2, 2);
        int changes = 0;
        a.OnChange = [&](TObject*) { ++changes; };
        a.SetString(col, row, "x");
        QCOMPARE(a.GetString(col, row), QString());
        QCOMPARE(changes, 0);
        QCOMPARE(a.GetRowAttrib(row < 1 || row > 2 ? row : 99), Byte(0));
    }

    void changeNotification()
    {
        TStringArray a;
        a.Resize(1, 2);
        int changes = 0;
        QObject* sender = nullptr;
        a.OnChange = [&](TObject* s) { ++changes; sender = s; };
        a.SetString(1, 1, "a");
        QCOMPARE(changes, 1);
        QCOMPARE(sender, &a);
        a.SetString(1, 1, "a"); // same text: nothing changed
        QCOMPARE(changes, 1);
        a.Clear();
        QCOMPARE(changes, 2);
        QCOMPARE(a.GetString(1, 1), QString());
        QCOMPARE(a.NrOfRows(), 2);
    }

    void insertAndRemoveRows()
    {
        TStringArray a;
        a.SetAllocRowsBy(2);
        a.Resize(1, 3);
        fillColumn(a, 1, {"a", "b", "c"});
        a.SetRowAttrib(2, 0x80);
        a.InsertRow(2);
        QCOMPARE(column(a, 1), QStringList({"a", "", "b", "c"}));
        QCOMPARE(a.GetRowAttrib(2), Byte(0));
        QCOMPARE(a.GetRowAttrib(3), Byte(0x80));
        QVERIFY(!a.IsSorted());
        a.InsertRow(99); // beyond the end appends
        QCOMPARE(column(a, 1), QStringList({"a", "", "b", "c", ""}));
        a.InsertRow(0); // below 1: nothing
        QCOMPARE(a.NrOfRows(), 5);
        a.RemoveRow(2);
        QCOMPARE(column(a, 1), QStringList({"a", "b", "c", ""}));
        QCOMPARE(a.GetRowAttrib(2), Byte(0x80));
        a.RemoveRow(0);
        a.RemoveRow(5);
        QCOMPARE(a.NrOfRows(), 4);
    }

    void insertNotifiesOnce()
    {
        TStringArray a;
        a.SetAllocRowsBy(1);
        a.Resize(1, 1);
        int changes = 0;
        a.OnChange = [&](TObject*) { ++changes; };
        a.InsertRow(1); // needs to grow
        QCOMPARE(changes, 1);
        QCOMPARE(a.NrOfRows(), 2);
        QVERIFY(a.OnChange);
    }

    void shrinkWhileSorted()
    {
        TStringArray a;
        a.Resize(1, 5);
        fillColumn(a, 1, {"e", "a", "d", "b", "c"});
        a.Sort(1, -1, true);
        a.Resize(1, 3); // stored rows 4 and 5 ("b", "c") go
        QCOMPARE(column(a, 1), QStringList({"a", "d", "e"}));
        a.UnSort();
        QCOMPARE(column(a, 1), QStringList({"e", "a", "d"}));
        a.Resize(1, 4);
        QCOMPARE(column(a, 1), QStringList({"e", "a", "d", ""}));
    }

    void rowOperationsOnSortedTable()
    {
        TStringArray a;
        a.Resize(1, 4);
        fillColumn(a, 1, {"d", "b", "a", "c"});
        a.SetRowAttrib(1, 7); // "d"
        a.Sort(1, -1, true);
        QCOMPARE(column(a, 1), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(a.GetRowAttrib(4), Byte(7)); // attributes travel with their rows
        a.RemoveRow(2); // "b"
        QCOMPARE(column(a, 1), QStringList({"a", "c", "d"}));
        a.InsertRow(2);
        a.SetString(1, 2, "new");
        QCOMPARE(column(a, 1), QStringList({"a", "new", "c", "d"}));
        a.UnSort();
        // Stored order: d, a, new (put before the row then shown at 2, "c"), c
        QCOMPARE(column(a, 1), QStringList({"d", "a", "new", "c"}));
    }

    void sortKinds_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbers by value") << QStringList{"10", "9", "-1", "2.5"} << true
                                          << QStringList{"-1", "2.5", "9", "10"};
        QTest::newRow("numbers descending") << QStringList{"10", "9", "-1", "2.5"} << false
                                            << QStringList{"10", "9", "2.5", "-1"};
        QTest::newRow("text ignores case") << QStringList{"beta", "Alpha", "alpha2", "BETA0"} << true
                                           << QStringList{"Alpha", "alpha2", "beta", "BETA0"};
        QTest::newRow("empty, numbers, texts") << QStringList{"x", "", "3", "A", "1"} << true
                                               << QStringList{"", "1", "3", "A", "x"};
        QTest::newRow("mixed descending") << QStringList{"x", "", "3", "A", "1"} << false
                                          << QStringList{"x", "A", "3", "1", ""};
        QTest::newRow("no cycle between 2, 10, 1a") << QStringList{"1a", "10", "2"} << true
                                                    << QStringList{"2", "10", "1a"};
        QTest::newRow("comma decimal") << QStringList{"1,5", "1,25", "2"} << true
                                       << QStringList{"1,25", "1,5", "2"};
        QTest::newRow("long texts share a prefix") << QStringList{"abcdZ", "ABCDa", "abcd", "abcdb"} << true
                                                   << QStringList{"abcd", "ABCDa", "abcdb", "abcdZ"};
        QTest::newRow("signs, zeros, extremes") << QStringList{"0", "-0", "-1e300", "1e300", "-2"} << true
                                                << QStringList{"-1e300", "-2", "0", "-0", "1e300"};
        QTest::newRow("non-ASCII case") << QStringList{QString::fromUtf8("\xc3\x84rger"), QString::fromUtf8("\xc3\xa4pfel"), "zebra"}
                                        << true
                                        << QStringList{"zebra", QString::fromUtf8("\xc3\xa4pfel"), QString::fromUtf8("\xc3\x84rger")};
        QTest::newRow("blanks around numbers") << QStringList{" 20", "3 "} << true << QStringList{"3 ", " 20"};
    }
    void sortKinds()
    {
        QFETCH(QStringList, input);
        QFETCH(bool, ascending);
        QFETCH(QStringList, expected);
        TStringArray a;
        a.Resize(1, int(input.size()));
        fillColumn(a, 1, input);
        a.Sort(1, -1, ascending);
        QCOMPARE(column(a, 1), expected);
        a.UnSort();
        QCOMPARE(column(a, 1), input);
    }

    void sortIsStableInBothDirections()
    {
        TStringArray a;
        a.Resize(2, 6);
        fillColumn(a, 1, {"b", "a", "B", "a", "b", "A"});
        fillColumn(a, 2, {"1", "2", "3", "4", "5", "6"});
        a.Sort(1, -1, true);
        QCOMPARE(column(a, 2), QStringList({"2", "4", "6", "1", "3", "5"}));
        a.UnSort();
        a.Sort(1, -1, false);
        QCOMPARE(column(a, 2), QStringList({"1", "3", "5", "2", "4", "6"}));
    }

    void sortBuildsOnTheDisplayOrder()
    {
        TStringArray a;
        a.Resize(2, 4);
        fillColumn(a, 1, {"x", "y", "x", "y"});
        fillColumn(a, 2, {"4", "3", "2", "1"});
        a.Sort(2, -1, true);
        a.Sort(1, -1, true);
        // Ties on column 1 keep the order of the previous sort by column 2.
        QCOMPARE(column(a, 2), QStringList({"2", "4", "1", "3"}));
    }

    void secondaryColumn()
    {
        TStringArray a;
        a.Resize(2, 5);
        fillColumn(a, 1, {"b", "a", "b", "a", "c"});
        fillColumn(a, 2, {"2", "9", "1", "10", "0"});
        a.Sort(1, 2, true);
        QCOMPARE(column(a, 2), QStringList({"9", "10", "1", "2", "0"}));
        a.Sort(1, 2, false);
        QCOMPARE(column(a, 2), QStringList({"0", "2", "1", "10", "9"}));
    }

    void sortOrderAccessAndCommit()
    {
        TStringArray a;
        a.Resize(1, 3);
        fillColumn(a, 1, {"c", "a", "b"});
        a.Sort(1, -1, true);
        QVERIFY(a.IsSorted());
        QCOMPARE(a.GetSortOrder(1), 2);
        QCOMPARE(a.GetSortOrder(2), 3);
        QCOMPARE(a.GetSortOrder(3), 1);
        QCOMPARE(a.GetSortOrder(0), 0);
        QCOMPARE(a.GetSortOrder(4), 0);
        QCOMPARE(a.GetStoredString(1, 1), QString("c"));
        for (int r = 0; r <= 4; ++r) // the views follow the display order and are empty outside
            QVERIFY(a.GetStringView(1, r) == a.GetString(1, r) && a.GetStoredStringView(1, r) == a.GetStoredString(1, r));
        QVERIFY(a.GetStringView(1, 1) == u"a" && a.GetStringView(2, 1).isNull());
        a.CommitSorting();
        QVERIFY(!a.IsSorted());
        QCOMPARE(a.GetStoredString(1, 1), QString("a"));
        a.UnSort();
        QCOMPARE(column(a, 1), QStringList({"a", "b", "c"}));
        a.SetSortOrder(1, 3);
        a.SetSortOrder(3, 1);
        a.SetSortOrder(2, 9); // out of range: ignored
        QCOMPARE(column(a, 1), QStringList({"c", "b", "a"}));
    }

    void sortReportsProgressAndAsksForKeys()
    {
        TStringArray a;
        a.Resize(1, 300);
        for (int r = 1; r <= 300; ++r)
            a.SetString(1, r, QString("k%1").arg(r % 7));
        QList<int> percents;
        a.OnPercentDone = [&](TObject*, int p) { percents << p; };
        int asked = 0;
        // Keys are rewritten: "kN" sorts by -N.
        a.OnBeforeSortExchange = [&](TObject* s, const QString& in, QString& out) {
            QCOMPARE(s, &a);
            ++asked;
            out = QString::number(-in.mid(1).toInt());
        };
        a.Sort(1, -1, true);
        QCOMPARE(asked, 300);
        QCOMPARE(a.GetString(1, 1), QString("k6"));
        QCOMPARE(a.GetString(1, 300), QString("k0"));
        QVERIFY(!percents.isEmpty());
        QCOMPARE(percents.last(), 100);
        QVERIFY(std::is_sorted(percents.begin(), percents.end()));
    }

    void asNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("int") << "42" << 42.0;
        QTest::newRow("neg float") << "-2.5" << -2.5;
        QTest::newRow("exp") << "1e3" << 1000.0;
        QTest::newRow("comma") << "3,25" << 3.25;
        QTest::newRow("blanks") << "  7 " << 7.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("thousands commas") << "1,000,000" << 0.0;
        QTest::newRow("inf is no number") << "inf" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }
    void asNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        TStringArray a;
        a.Resize(1, 1);
        a.SetString(1, 1, text);
        QCOMPARE(a.GetAsNumber(1, 1), value);
    }

    void swapContentsKeepsHandlers()
    {
        TStringArray a, b;
        a.Resize(1, 1);
        b.Resize(3, 4);
        a.SetString(1, 1, "a");
        b.SetString(3, 4, "b");
        int aChanges = 0;
        a.OnChange = [&](TObject*) { ++aChanges; };
        a.SwapContents(b);
        QCOMPARE(a.NrOfColumns(), 3);
        QCOMPARE(a.GetString(3, 4), QString("b"));
        QCOMPARE(b.GetString(1, 1), QString("a"));
        a.SetString(1, 1, "z");
        QCOMPARE(aChanges, 1);
    }

    // ---- helpers

    void strffTable_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7 w1 d2") << 7.0 << 1 << 2 << "7.00";
        QTest::newRow("padded") << 3.14159 << 8 << 3 << "   3.142";
        QTest::newRow("no decimals") << 12.6 << 1 << 0 << "13";
        QTest::newRow("negative") << -1.5 << 6 << 1 << "  -1.5";
        QTest::newRow("negative decimals act as 0") << 2.0 << 1 << -3 << "2";
    }
    void strffTable()
    {
        QFETCH(double, x);
        QFETCH(int, width);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(strff(x, width, decimals), expected);
    }

    void leftString()
    {
        QCOMPARE(LeftString("ab", 4), QString("ab  "));
        QCOMPARE(LeftString("abcdef", 3), QString("abc"));
        QCOMPARE(LeftString("ab", 0), QString());
        QCOMPARE(LeftString("", 2), QString("  "));
    }

    void inventPassword()
    {
        QCOMPARE(InventPassword(0), QString());
        QCOMPARE(InventPassword(-3), QString());
        const QString p = InventPassword(64);
        QCOMPARE(p.size(), 64);
        for (QChar c : p)
            QVERIFY2(c.isLetterOrNumber() && c.unicode() < 128, qPrintable(p));
        QVERIFY(InventPassword(32) != InventPassword(32));
    }

    void integerReader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("value");
        QTest::newRow("empty") << "" << 1 << 0;
        QTest::newRow("plain") << "123" << 1 << 123;
        QTest::newRow("from 4th") << "rix4" << 4 << 4;
        QTest::newRow("blanks then sign") << "   -12x" << 1 << -12;
        QTest::newRow("plus") << "+7" << 1 << 7;
        QTest::newRow("no digits") << "abc" << 1 << 0;
        QTest::newRow("sign only") << "-" << 1 << 0;
        QTest::newRow("blank last char") << "   " << 1 << 0;
        QTest::newRow("start past end") << "12" << 5 << 0;
        QTest::newRow("saturates") << "99999999999999999999" << 1 << INT_MAX;
        QTest::newRow("saturates negative") << "-99999999999999999999" << 1 << INT_MIN;
    }
    void integerReader()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, value);
        QCOMPARE(ReadIntegerAt(text, start), value);
    }

    void readLnStream()
    {
        QByteArray data("first\r\nsecond\n\nlast \xc3\xa4");
        QBuffer buf(&data);
        QVERIFY(buf.open(QIODevice::ReadOnly));
        bool eos = false;
        QCOMPARE(ReadLnStream(&buf, eos, 0), QString("first"));
        QVERIFY(!eos);
        QCOMPARE(ReadLnStream(&buf, eos, 0), QString("second"));
        QCOMPARE(ReadLnStream(&buf, eos, 0), QString());
        QVERIFY(!eos);
        QCOMPARE(ReadLnStream(&buf, eos, 0), QString::fromUtf8("last \xc3\xa4"));
        QVERIFY(eos);
        QCOMPARE(ReadLnStream(nullptr, eos, 0), QString());
        QVERIFY(eos);
    }

    void readLnStreamCapsLongLines()
    {
        QByteArray data = QByteArray(10000, 'a') + "\nnext\n";
        QBuffer buf(&data);
        QVERIFY(buf.open(QIODevice::ReadOnly));
        bool eos = false;
        QCOMPARE(ReadLnStream(&buf, eos, 16), QString(16, 'a'));
        QCOMPARE(ReadLnStream(&buf, eos, 16), QString("next"));
        QVERIFY(eos);
    }

    void logicOps_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("truth"); // results for (a,b) = 00 01 10 11
        QTest::newRow("AND") << int(loAND) << "0001";
        QTest::newRow("OR") << int(loOR) << "0111";
        QTest::newRow("XOR") << int(loXOR) << "0110";
        QTest::newRow("ANDNOT") << int(loANDNOT) << "0010";
        QTest::newRow("ORNOT") << int(loORNOT) << "1011";
        QTest::newRow("XORNOT") << int(loXORNOT) << "1001";
    }
    void logicOps()
    {
        QFETCH(int, op);
        QFETCH(QString, truth);
        QString got;
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b)
                got += ApplyLogicOp(TLogicOp(op), a, b) ? '1' : '0';
        QCOMPARE(got, truth);
    }
};

QTEST_GUILESS_MAIN(TestStringArray)
#include "tst_stringarray.moc"

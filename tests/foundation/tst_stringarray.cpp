#include "foundation/QOR_StringArray.h"
#include "foundation/StringArray_p.h"

#include <QBuffer>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <numeric>
#include <random>

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

// The number reading the store had before its fast path, kept as the reference.
bool referenceNumber(const QString& s, double& value)
{
    const QStringView t = QStringView(s).trimmed();
    if (t.isEmpty())
        return false;
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

// The documented sort order of two cell texts: empty, then numbers by value, then texts
// case-insensitively.
int referenceCompare(const QString& a, const QString& b)
{
    double x = 0, y = 0;
    const int ra = a.isEmpty() ? 0 : (referenceNumber(a, x) ? 1 : 2);
    const int rb = b.isEmpty() ? 0 : (referenceNumber(b, y) ? 1 : 2);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1)
        return x == y ? 0 : (x < y ? -1 : 1);
    if (ra == 2)
        return QString::compare(a, b, Qt::CaseInsensitive);
    return 0;
}

// A naive copy of the table's contract: cells by stored row, the display order, attributes.
struct ModelTable {
    int cols = 0;
    int rows = 0;
    std::vector<std::vector<QString>> cells; // [col][stored row - 1]
    std::vector<int> order;                  // display row - 1 -> stored row - 1
    std::vector<Byte> attr;                  // by stored row - 1

    void resize(int c, int r)
    {
        c = std::max(c, 0);
        r = std::max(r, 0);
        cells.resize(std::size_t(c) + 1);
        for (auto& v : cells)
            v.resize(std::size_t(r));
        if (r < rows) {
            std::vector<int> kept;
            for (int i : order)
                if (i < r)
                    kept.push_back(i);
            order = kept;
        } else {
            for (int i = rows; i < r; ++i)
                order.push_back(i);
        }
        attr.resize(std::size_t(r), 0);
        cols = c;
        rows = r;
    }
    QString at(int c, int r) const { return cells[std::size_t(c)][std::size_t(order[std::size_t(r - 1)])]; }
    void set(int c, int r, const QString& s) { cells[std::size_t(c)][std::size_t(order[std::size_t(r - 1)])] = s.left(255); }
    void removeRow(int r)
    {
        const int s = order[std::size_t(r - 1)];
        for (auto& v : cells)
            v.erase(v.begin() + s);
        attr.erase(attr.begin() + s);
        order.erase(order.begin() + (r - 1));
        for (int& i : order)
            if (i > s)
                --i;
        --rows;
    }
    void insertRow(int r)
    {
        r = std::min(r, rows + 1);
        const int s = r <= rows ? order[std::size_t(r - 1)] : rows;
        for (auto& v : cells)
            v.insert(v.begin() + s, QString());
        attr.insert(attr.begin() + s, Byte(0));
        for (int& i : order)
            if (i >= s)
                ++i;
        order.insert(order.begin() + (r - 1), s);
        ++rows;
    }
    void sort(int c, int c2, bool asc)
    {
        if (rows < 2)
            return;
        auto cmp = [&](int a, int b) {
            int k = referenceCompare(cells[std::size_t(c)][std::size_t(a)], cells[std::size_t(c)][std::size_t(b)]);
            if (k == 0 && c2 >= 0 && c2 != c)
                k = referenceCompare(cells[std::size_t(c2)][std::size_t(a)], cells[std::size_t(c2)][std::size_t(b)]);
            return asc ? k < 0 : k > 0;
        };
        std::stable_sort(order.begin(), order.end(), cmp);
    }
    void commit()
    {
        for (auto& v : cells) {
            std::vector<QString> w(v.size());
            for (std::size_t i = 0; i < order.size(); ++i)
                w[i] = v[std::size_t(order[i])];
            v = w;
        }
        std::vector<Byte> b(attr.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            b[i] = attr[std::size_t(order[i])];
        attr = b;
        std::iota(order.begin(), order.end(), 0);
    }
};

// Cells, attributes and order of A against M, and the storage counts of every column.
QString mismatch(const TStringArray& a, const ModelTable& m)
{
    if (a.NrOfColumns() != m.cols || a.NrOfRows() != m.rows)
        return QString("size %1x%2, expected %3x%4").arg(a.NrOfColumns()).arg(a.NrOfRows()).arg(m.cols).arg(m.rows);
    for (int c = 0; c <= m.cols; ++c) {
        qint64 live = 0;
        for (int r = 1; r <= m.rows; ++r) {
            if (a.GetStringView(c, r) != m.at(c, r))
                return QString("cell %1,%2: '%3', expected '%4'").arg(c).arg(r).arg(a.GetString(c, r), m.at(c, r));
            live += a.GetStringView(c, r).size();
        }
        const auto& col = TStringArrayProbe::Column(a, c);
        if (col.LiveUnits() != live)
            return QString("column %1 counts %2 live characters, holds %3").arg(c).arg(col.LiveUnits()).arg(live);
        if (col.GarbageUnits() > std::max<qint64>({live, qint64(col.Slots() / 4), 64}))
            return QString("column %1 keeps %2 characters of garbage").arg(c).arg(col.GarbageUnits());
        if (col.Written() && col.Slots() != std::size_t(a.AllocatedRows()))
            return QString("column %1 has %2 slots for %3 rows").arg(c).arg(col.Slots()).arg(a.AllocatedRows());
    }
    for (int r = 1; r <= m.rows; ++r) {
        if (a.GetSortOrder(r) != m.order[std::size_t(r - 1)] + 1)
            return QString("order of row %1").arg(r);
        if (a.GetRowAttrib(r) != m.attr[std::size_t(m.order[std::size_t(r - 1)])])
            return QString("attribute of row %1").arg(r);
    }
    return QString();
}

// Texts for the storage and sort tests: empty, short, long, cut at 255, numbers in many
// spellings, non-ASCII letters and characters outside the basic plane.
QString randomCellText(std::mt19937& rng)
{
    static const QStringList pieces = {"a", "B", "item ", "0", "7", ".", ",", "-", "+", " ", "e", "Z", "z",
                                       QString::fromUtf8("\xc3\xa4"), QString::fromUtf8("\xc3\x84"),
                                       QString::fromUtf8("\xc3\x9f"), QString(QChar(0x212A)),
                                       QString::fromUcs4(U"\U00010400"), QString::fromUcs4(U"\U00010428"),
                                       "inf", "nan", "1e3", "-0"};
    const int kind = int(rng() % 10);
    if (kind == 0)
        return QString();
    if (kind == 1)
        return QString(int(250 + rng() % 20), QChar('a' + int(rng() % 3)));
    QString s;
    const int n = int(rng() % (kind == 2 ? 12 : 5)) + 1;
    for (int i = 0; i < n; ++i)
        s += pieces[int(rng() % pieces.size())];
    return s;
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

    // ---- storage

    void randomSequencesKeepTheContract_data()
    {
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 4; ++seed)
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
    void randomSequencesKeepTheContract()
    {
        QFETCH(int, seed);
        std::mt19937 rng{unsigned(seed)};
        TStringArray a, b;
        ModelTable m, mb;
        a.SetAllocRowsBy(1 + seed % 4);
        auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
        for (int step = 0; step < 2500; ++step) {
            const int op = pick(0, 21);
            QString what;
            if (op <= 9 && m.rows > 0) {
                const int c = pick(0, m.cols), r = pick(1, m.rows);
                const QString t = randomCellText(rng);
                a.SetString(c, r, t);
                m.set(c, r, t);
                what = "set";
            } else if (op == 10 || m.rows == 0) {
                const int c = pick(0, 6), r = pick(0, 30);
                a.Resize(c, r);
                m.resize(c, r);
                what = QString("resize %1x%2").arg(c).arg(r);
            } else if (op == 11) {
                const int r = pick(1, m.rows);
                a.RemoveRow(r);
                m.removeRow(r);
                what = "remove";
            } else if (op == 12) {
                const int r = pick(1, m.rows + 2);
                a.InsertRow(r);
                m.insertRow(r);
                what = "insert";
            } else if (op == 13) {
                const int c = pick(0, m.cols), c2 = pick(-1, m.cols);
                const bool asc = rng() % 2;
                a.Sort(c, c2, asc);
                m.sort(c, c2, asc);
                what = QString("sort %1 %2 %3").arg(c).arg(c2).arg(asc);
            } else if (op == 14) {
                a.UnSort();
                std::iota(m.order.begin(), m.order.end(), 0);
                what = "unsort";
            } else if (op == 15) {
                a.CommitSorting();
                m.commit();
                what = "commit";
            } else if (op == 16) {
                const int r = pick(1, m.rows);
                const Byte v = Byte(pick(0, 255));
                a.SetRowAttrib(r, v);
                m.attr[std::size_t(m.order[std::size_t(r - 1)])] = v;
                what = "attribute";
            } else if (op == 17) {
                a.SwapContents(b);
                std::swap(m, mb);
                what = "swap";
            } else if (op == 18 && step % 7 == 0) {
                a.Clear();
                for (auto& v : m.cells)
                    std::fill(v.begin(), v.end(), QString());
                what = "clear";
            } else {
                // One cell rewritten with ever longer texts: garbage, then compaction.
                const int c = pick(0, m.cols), r = pick(1, m.rows);
                for (int k = 1; k <= 40; ++k) {
                    const QString t(k * 6, QChar('a' + k % 26));
                    a.SetString(c, r, t);
                    m.set(c, r, t);
                }
                what = "rewrites";
            }
            const QString bad = mismatch(a, m);
            QVERIFY2(bad.isEmpty(), qPrintable(QString("step %1 (%2): %3").arg(step).arg(what, bad)));
        }
        QVERIFY(mismatch(b, mb).isEmpty());
    }

    void rewritesUntilCompaction_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cells");    // the first rows rewritten in turn
        QTest::addColumn<int>("firstLen");
        QTest::addColumn<int>("step");     // length change per rewrite
        QTest::addColumn<int>("rewrites");
        QTest::addColumn<bool>("compacts");
        QTest::newRow("longer texts append, compaction follows") << 4 << 4 << 3 << 1 << 300 << true;
        QTest::newRow("same length: rewritten in place") << 4 << 4 << 10 << 0 << 500 << false;
        QTest::newRow("shorter texts in place, garbage grows") << 3 << 3 << 250 << -3 << 240 << true;
        QTest::newRow("one cell of a long column") << 20 << 1 << 1 << 2 << 120 << true;
        QTest::newRow("sparse column of many rows waits") << 4000 << 1 << 1 << 1 << 40 << false;
        QTest::newRow("longest texts") << 2 << 2 << 255 << 0 << 50 << false;
    }
    void rewritesUntilCompaction()
    {
        QFETCH(int, rows);
        QFETCH(int, cells);
        QFETCH(int, firstLen);
        QFETCH(int, step);
        QFETCH(int, rewrites);
        QFETCH(bool, compacts);
        TStringArray a;
        ModelTable m;
        a.Resize(2, rows);
        m.resize(2, rows);
        for (int r = 1; r <= cells; ++r) {
            a.SetString(1, r, QString(firstLen, 'x'));
            m.set(1, r, QString(firstLen, 'x'));
        }
        const auto& col = TStringArrayProbe::Column(a, 1);
        bool compacted = false;
        for (int k = 0; k < rewrites; ++k) {
            const int r = 1 + k % cells;
            const int len = std::clamp(firstLen + step * (k / cells + 1), 1, 300);
            const QString t(len, QChar('a' + k % 26));
            const qint64 garbageBefore = col.GarbageUnits();
            a.SetString(1, r, t);
            m.set(1, r, t);
            compacted = compacted || col.GarbageUnits() < garbageBefore;
            // Views fetched now show the texts wherever the compaction put them.
            const QString bad = mismatch(a, m);
            QVERIFY2(bad.isEmpty(), qPrintable(QString("rewrite %1: %2").arg(k).arg(bad)));
        }
        QCOMPARE(compacted, compacts);
        QCOMPARE(a.GetStringView(2, 1).isNull(), true); // never written: no slots, no pages
        QCOMPARE(TStringArrayProbe::Column(a, 2).Pages(), std::size_t(0));
    }

    void cutToMaxStrLen_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("changes");
        const QString w255(255, 'w');
        QTest::newRow("300 cut to 255") << QString() << QString(300, 'q') << QString(255, 'q') << 1;
        QTest::newRow("255 kept") << QString("a") << w255 << w255 << 1;
        QTest::newRow("cut text equals the cell: no change") << w255 << QString(300, 'w') << w255 << 0;
        QTest::newRow("shorter over longest, in place") << w255 << QString("v") << QString("v") << 1;
        QTest::newRow("cut inside a pair") << QString() << QString(254, 'a') + QString::fromUcs4(U"\U00010400")
                                           << QString(254, 'a') + QString::fromUcs4(U"\U00010400").left(1) << 1;
        QTest::newRow("empty over empty") << QString() << QString("") << QString() << 0;
    }
    void cutToMaxStrLen()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(int, changes);
        TStringArray a;
        a.Resize(1, 2);
        a.SetString(1, 2, before);
        int seen = 0;
        a.OnChange = [&](TObject*) { ++seen; };
        a.SetString(1, 2, text);
        QCOMPARE(a.GetString(1, 2), stored);
        QCOMPARE(a.GetStringView(1, 2).size(), stored.size());
        QCOMPARE(seen, changes);
        QCOMPARE(TStringArrayProbe::Column(a, 1).LiveUnits(), qint64(stored.size()));
    }

    void resizeAndSwapWithGarbage()
    {
        TStringArray a, b;
        ModelTable m, mb;
        auto check = [&](const char* what) {
            QVERIFY2(mismatch(a, m).isEmpty(), qPrintable(QString(what) + ": " + mismatch(a, m)));
            QVERIFY2(mismatch(b, mb).isEmpty(), qPrintable(QString(what) + ": " + mismatch(b, mb)));
        };
        a.Resize(3, 50);
        m.resize(3, 50);
        for (int c = 0; c <= 3; ++c)
            for (int r = 1; r <= 50; ++r) {
                const QString t = QString("c%1 r%2").arg(c).arg(r);
                a.SetString(c, r, t);
                m.set(c, r, t);
            }
        for (int r = 1; r <= 50; ++r) { // longer texts: the old ones become garbage
            a.SetString(2, r, QString("longer text %1").arg(r));
            m.set(2, r, QString("longer text %1").arg(r));
        }
        check("filled");
        a.Sort(2, -1, false);
        m.sort(2, -1, false);
        a.Resize(2, 20); // drops stored rows 21..50 and column 3
        m.resize(2, 20);
        check("shrunk");
        a.Resize(4, 60);
        m.resize(4, 60);
        check("grown");
        QCOMPARE(TStringArrayProbe::Column(a, 3).Written(), false);
        b.Resize(1, 3);
        mb.resize(1, 3);
        b.SetString(1, 2, "b");
        mb.set(1, 2, "b");
        const QStringView before = a.GetStringView(2, 1);
        QVERIFY(!before.isEmpty());
        a.SwapContents(b);
        std::swap(m, mb);
        check("swapped");
        // The pages moved with their table: a view taken before reads the same text from b.
        QVERIFY(b.GetStringView(2, 1) == before);
        for (int r = 1; r <= 20; ++r) {
            b.SetString(2, r, QString(40, QChar('A' + r)));
            mb.set(2, r, QString(40, QChar('A' + r)));
        }
        check("rewritten after the swap");
        b.Resize(2, 0);
        mb.resize(2, 0);
        b.Resize(2, 5);
        mb.resize(2, 5);
        check("emptied and grown");
        QCOMPARE(TStringArrayProbe::Column(b, 2).LiveUnits(), qint64(0));
        b.Clear();
        QCOMPARE(TStringArrayProbe::Column(b, 1).Written(), false);
    }

    // ---- sort keys

    void numberReadingMatchesReference_data()
    {
        QTest::addColumn<QString>("text");
        const char* texts[] = {" 1,5", "1e3", "-0", "inf", "-inf", "nan", "+5", "+.5", "5.", ".5", "-.5", "1e", "1e+",
                               "1e400", "1e-400", "4.9e-324", "2e-324", "3e-324", "1.7976931348623157e308",
                               "1.7976931348623159e308", "1,5e3", "1,000", "1,000,000", "1.5,0", ",5", "5,", "-,5",
                               "+-1", "--1", "++1", "+", "-", ".", ",", "0x10", "1 2", "00012", "\t-2.5e-3 \n",
                               "123456789012345678901234567890", "0.1000000000000000055511151231257827021181583404541015625",
                               "9007199254740993", "1e0000000000000000000005", "1_0", "1d", "12 apples", "E5"};
        for (const char* t : texts)
            QTest::newRow(t) << QString::fromLatin1(t);
        QTest::newRow("70 digits") << QString(70, '7');
        QTest::newRow("no-break spaces") << QString::fromUtf8("\xc2\xa0" "42\xc2\xa0");
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\xd9\xa1\xd9\xa2");
        QTest::newRow("full-width digit") << QString::fromUtf8("\xef\xbc\x91");
    }
    void numberReadingMatchesReference()
    {
        QFETCH(QString, text);
        double got = 0, want = 0;
        const bool ok = TryReadNumber(text, got);
        QCOMPARE(ok, referenceNumber(text, want));
        if (ok)
            QVERIFY2(std::memcmp(&got, &want, sizeof got) == 0, qPrintable(QString::number(got, 'g', 17)));
    }

    void numberReadingMatchesReferenceOnRandomTexts()
    {
        std::mt19937 rng(7);
        const char alphabet[] = "0123456789012345678901234567890123456789+-.,eE x";
        for (int i = 0; i < 150000; ++i) {
            QString s;
            const int n = 1 + int(rng() % (i % 10 == 0 ? 30 : 9));
            for (int k = 0; k < n; ++k)
                s += QLatin1Char(alphabet[rng() % (sizeof alphabet - 1)]);
            double got = 0, want = 0;
            const bool ok = TryReadNumber(s, got);
            const bool wantOk = referenceNumber(s, want);
            if (ok != wantOk || (ok && std::memcmp(&got, &want, sizeof got) != 0))
                QFAIL(qPrintable(QString("'%1': %2 %3, expected %4 %5").arg(s).arg(ok).arg(got, 0, 'g', 17).arg(wantOk).arg(want, 0, 'g', 17)));
        }
    }

    void sortMatchesReferenceOrder_data()
    {
        QTest::addColumn<int>("kind"); // 0 mixed, 1 ASCII with long shared prefixes, 2 numbers
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("secondary");
        QTest::addColumn<bool>("ascending");
        for (int kind = 0; kind < 3; ++kind)
            for (int rows : {7, 400})
                for (bool sec : {false, true})
                    for (bool asc : {true, false})
                        QTest::newRow(qPrintable(QString("kind %1, %2 rows, %3, %4").arg(kind).arg(rows)
                                                     .arg(sec ? "secondary" : "one column", asc ? "up" : "down")))
                            << kind << rows << sec << asc;
    }
    void sortMatchesReferenceOrder()
    {
        QFETCH(int, kind);
        QFETCH(int, rows);
        QFETCH(bool, secondary);
        QFETCH(bool, ascending);
        std::mt19937 rng{unsigned(kind * 1000 + rows)};
        // A small pool per column, so that ties are frequent.
        auto pool = [&](int size) {
            QStringList p;
            for (int i = 0; i < size; ++i) {
                if (kind == 0)
                    p << randomCellText(rng);
                else if (kind == 1)
                    p << QString("%1item %2").arg(i % 3 == 0 ? "Long Shared Prefix " : (i % 3 == 1 ? "long shared prefiX " : "")).arg(rng() % 40, 3, 10, QChar('0'))
                              + (i % 4 ? "" : "B");
                else
                    p << QString::number(double(int(rng() % 2000) - 1000) / 8.0, 'f', int(rng() % 3))
                              .replace(i % 5 ? QString("#") : QString("."), ",");
            }
            return p;
        };
        const QStringList p1 = pool(rows / 4 + 2), p2 = pool(rows / 3 + 2);
        TStringArray a;
        ModelTable m;
        a.Resize(2, rows);
        m.resize(2, rows);
        for (int r = 1; r <= rows; ++r) {
            const QString t1 = p1[int(rng() % p1.size())], t2 = p2[int(rng() % p2.size())];
            a.SetString(1, r, t1);
            m.set(1, r, t1);
            a.SetString(2, r, t2);
            m.set(2, r, t2);
        }
        // Twice: the second sort starts from the order the first one left.
        for (int round = 0; round < 2; ++round) {
            a.Sort(2 - round, secondary ? 1 + round : -1, ascending);
            m.sort(2 - round, secondary ? 1 + round : -1, ascending);
            const QString bad = mismatch(a, m);
            QVERIFY2(bad.isEmpty(), qPrintable(bad));
        }
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

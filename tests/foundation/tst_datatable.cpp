// The data table and the matrix: sizes, cells with all eight state bits, names and
// identifiers, structural changes with their notifications, bulk state operations, sorts.
#include "foundation/QOR_DataTable.h"

#include <QtTest>
#include <cmath>
#include <random>

using namespace qor;

namespace {
// Cell (c, r) holds 10 * r + c so that every move shows.
void numberCells(TDataTable& t)
{
    for (int r = 1; r <= t.NrOfRows(); ++r)
        for (int c = 1; c <= t.NrOfColumns(); ++c)
            t.Matrix().SetElem(c, r, 10 * r + c);
}

QList<double> column(const TDataTable& t, int c)
{
    QList<double> l;
    for (int r = 1; r <= t.NrOfRows(); ++r)
        l << t.GetElem(c, r);
    return l;
}

QList<double> row(const TDataTable& t, int r)
{
    QList<double> l;
    for (int c = 1; c <= t.NrOfColumns(); ++c)
        l << t.GetElem(c, r);
    return l;
}

struct Recorder {
    int data = 0, setup = 0;
    QList<QList<int>> resizes;
    QList<QList<int>> exchanges;
    QList<int> percents;
    void attach(TDataTable& t)
    {
        t.OnDataChanged = [this](TObject*) { ++data; };
        t.OnSetupChanged = [this](TObject*) { ++setup; };
        t.OnResize = [this](TObject*, int oc, int orows, int nc, int nr) { resizes << QList<int>{oc, orows, nc, nr}; };
        t.OnBeforeSortExchange = [this](TObject*, Byte k, int a, int b, int lo, int hi) {
            exchanges << QList<int>{k, a, b, lo, hi};
        };
        t.OnPercentDone = [this](TObject*, int p) { percents << p; };
    }
};
} // namespace

class tst_DataTable : public QObject {
    Q_OBJECT
private slots:
    void matrixResizeKeepsCells();
    void cellsAndStateBits();
    void resizeReportsAndRefuses();
    void namesAttributesScales();
    void decimalIntegers_data();
    void decimalIntegers();
    void insertRemove_data();
    void insertRemove();
    void mirrorAndClear();
    void bulkStates();
    void sortRowsInRange();
    void sortColsAnnouncesExchanges();
    void sortByNamesAndAttributes();
    void randomSortsKeepRowsWhole();
    void sortRowsAsStableSort_data();
    void sortRowsAsStableSort();
    void randomSequenceMatchesModel();
};

void tst_DataTable::matrixResizeKeepsCells()
{
    TMatrix m(3, 2);
    m.SetElem(1, 1, 1.5);
    m.SetElem(3, 2, -2);
    m.SetElem(4, 1, 9);            // outside: ignored
    QCOMPARE(m.Elem(4, 1), 0.0);
    m.Resize(4, 3);
    QCOMPARE(m.Elem(1, 1), 1.5);
    QCOMPARE(m.Elem(3, 2), -2.0);
    QCOMPARE(m.Elem(4, 3), 0.0);
    m.Resize(2, 2);
    QCOMPARE(m.Elem(1, 1), 1.5);
    QCOMPARE(m.Elem(3, 2), 0.0);
    m.Fill(7);
    QCOMPARE(m.Elem(2, 2), 7.0);
    QCOMPARE(m.Count(), std::size_t(4));
}

void tst_DataTable::cellsAndStateBits()
{
    TDataTable t;
    Recorder rec;
    rec.attach(t);
    t.Resize(3, 4);
    for (int s = 0; s < 256; ++s) {
        t.SetCellState(2, 3, Byte(s));
        QCOMPARE(int(t.GetCellState(2, 3)), s);
        QCOMPARE(t.GetIsNumber(2, 3), (s & 3) == 0);
    }
    t.SetElem(3, 4, 2.25);
    QCOMPARE(t.GetElem(3, 4), 2.25);
    const int before = rec.data;
    t.SetElem(0, 1, 1);
    t.SetElem(4, 1, 1);
    t.SetCellState(1, 5, 1);
    QCOMPARE(rec.data, before);      // writes outside neither store nor notify
    QCOMPARE(t.GetElem(0, 1), 0.0);
    QCOMPARE(int(t.GetCellState(1, 5)), 0);
}

void tst_DataTable::resizeReportsAndRefuses()
{
    TDataTable t;
    Recorder rec;
    rec.attach(t);
    t.Resize(3, 4);
    t.SetElem(3, 4, 5);
    t.SetCellState(3, 4, 0xC4);
    t.SetColName(3, "c3");
    t.Resize(5, 6);
    QCOMPARE(rec.resizes, (QList<QList<int>>{{1, 1, 3, 4}, {3, 4, 5, 6}}));
    QCOMPARE(t.GetElem(3, 4), 5.0);
    QCOMPARE(int(t.GetCellState(3, 4)), 0xC4);
    QCOMPARE(t.GetColName(3), QStringLiteral("c3"));
    for (auto bad : {QPoint(0, 3), QPoint(3, 0), QPoint(-1, -1)}) {
        QVERIFY_THROWS_EXCEPTION(EQORError, t.Resize(bad.x(), bad.y()));
        QCOMPARE(t.NrOfColumns(), 5);
        QCOMPARE(t.NrOfRows(), 6);
    }
    QCOMPARE(rec.resizes.size(), 2);
}

void tst_DataTable::namesAttributesScales()
{
    TDataTable t;
    Recorder rec;
    rec.attach(t);
    t.Resize(2, 2);
    t.SetColName(1, QString(60, QLatin1Char('x')));
    QCOMPARE(t.GetColName(1).size(), DTNameLen);
    t.SetRowName(3, "none");
    QCOMPARE(t.GetRowName(3), QString());
    t.SetColAttrib(2, 255);
    t.SetRowAttrib(1, 7);
    QCOMPARE(int(t.GetColAttrib(2)), 255);
    QCOMPARE(int(t.GetRowAttrib(1)), 7);
    QCOMPARE(int(t.GetRowAttrib(0)), 0);
    t.SetFComment("note");
    QCOMPARE(t.Comment(), QStringLiteral("note"));
    QCOMPARE(rec.setup, 4);
    QCOMPARE(t.GetMScaleType(1), mstInterval);
    t.SetMScaleType(1, mstNominal);
    t.SetMScaleType(2, 99);          // unknown type: ignored
    QCOMPARE(t.GetMScaleType(1), mstNominal);
    QCOMPARE(t.GetMScaleType(2), mstInterval);
    t.SetNominalID(1, 3, "Copper-wire");
    t.SetNominalID(1, 151, "out");
    QCOMPARE(t.GetNominalID(1, 3), QStringLiteral("Copper-wir"));
    QCOMPARE(t.GetNominalID(1, 2), QString());
    QCOMPARE(t.GetNominalID(1, 151), QString());
    QCOMPARE(t.OrdinalOfNominalID(1, "copper-wir", true), 3);
    QCOMPARE(t.OrdinalOfNominalID(1, "copper-wir", false), 0);
    QCOMPARE(t.OrdinalOfNominalID(1, "Copper-wire and more", false), 3);
    QCOMPARE(t.OrdinalOfNominalID(2, "Copper-wir", true), 0);
    QCOMPARE(MScaleTypeName(mstNominal), QStringLiteral("nominal"));
    QCOMPARE(MScaleTypeName(-1), QString());
    QVERIFY(IsNominalScale(mstBinary) && !IsNominalScale(mstOrdinal));
}

void tst_DataTable::decimalIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "7" << true << 7;
    QTest::newRow("blanks and sign") << " -42 " << true << -42;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("decimal") << "1.0" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("inner blank") << "1 2" << false << 0;
}

void tst_DataTable::decimalIntegers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int v = 0;
    QCOMPARE(IsValidDecInt(text, v), valid);
    QCOMPARE(IsValidDecInt(text), valid);
    if (valid)
        QCOMPARE(v, value);
}

void tst_DataTable::insertRemove_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("ix");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<double>>("firstColumn");
    QTest::addColumn<QList<double>>("firstRow");
    // a 3 x 3 table numbered 10 * r + c
    QTest::newRow("insert row 2") << "insrow" << 2 << 3 << 4 << QList<double>{11, 0, 21, 31} << QList<double>{11, 12, 13};
    QTest::newRow("append row") << "insrow" << 4 << 3 << 4 << QList<double>{11, 21, 31, 0} << QList<double>{11, 12, 13};
    QTest::newRow("insert row beyond") << "insrow" << 5 << 3 << 3 << QList<double>{11, 21, 31} << QList<double>{11, 12, 13};
    QTest::newRow("insert column 1") << "inscol" << 1 << 4 << 3 << QList<double>{0, 0, 0} << QList<double>{0, 11, 12, 13};
    QTest::newRow("append column") << "inscol" << 4 << 4 << 3 << QList<double>{11, 21, 31} << QList<double>{11, 12, 13, 0};
    QTest::newRow("insert column 0") << "inscol" << 0 << 3 << 3 << QList<double>{11, 21, 31} << QList<double>{11, 12, 13};
    QTest::newRow("remove row 1") << "remrow" << 1 << 3 << 2 << QList<double>{21, 31} << QList<double>{21, 22, 23};
    QTest::newRow("remove row 4") << "remrow" << 4 << 3 << 3 << QList<double>{11, 21, 31} << QList<double>{11, 12, 13};
    QTest::newRow("remove column 2") << "remcol" << 2 << 2 << 3 << QList<double>{11, 21, 31} << QList<double>{11, 13};
}

void tst_DataTable::insertRemove()
{
    QFETCH(QString, op);
    QFETCH(int, ix);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QList<double>, firstColumn);
    QFETCH(QList<double>, firstRow);
    TDataTable t;
    t.Resize(3, 3);
    numberCells(t);
    for (int k = 1; k <= 3; ++k) {
        t.SetColName(k, QStringLiteral("c%1").arg(k));
        t.SetRowName(k, QStringLiteral("r%1").arg(k));
        t.SetCellState(k, k, Byte(0x40 + k));
    }
    Recorder rec;
    rec.attach(t);
    if (op == "insrow") t.InsertRow(ix);
    else if (op == "inscol") t.InsertColumn(ix);
    else if (op == "remrow") t.RemoveRow(ix);
    else t.RemoveColumn(ix);
    QCOMPARE(t.NrOfColumns(), cols);
    QCOMPARE(t.NrOfRows(), rows);
    QCOMPARE(column(t, 1), firstColumn);
    QCOMPARE(row(t, 1), firstRow);
    const bool changed = cols != 3 || rows != 3;
    QCOMPARE(rec.resizes.size(), changed ? 1 : 0);
    QCOMPARE(rec.data, changed ? 1 : 0);
    if (changed)
        QCOMPARE(rec.resizes.first(), (QList<int>{3, 3, cols, rows}));
    // states and names travel with their cells
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const int v = int(t.GetElem(c, r));
            const Byte want = (v != 0 && v / 10 == v % 10) ? Byte(0x40 + v % 10) : Byte(0);
            QCOMPARE(t.GetCellState(c, r), want);
            if (v != 0) {
                QCOMPARE(t.GetColName(c), QStringLiteral("c%1").arg(v % 10));
                QCOMPARE(t.GetRowName(r), QStringLiteral("r%1").arg(v / 10));
            }
        }
}

void tst_DataTable::mirrorAndClear()
{
    TDataTable t;
    t.Resize(3, 2);
    numberCells(t);
    t.SetRowName(1, "a");
    t.MirrorRows();
    QCOMPARE(column(t, 1), (QList<double>{21, 11}));
    QCOMPARE(t.GetRowName(2), QStringLiteral("a"));
    t.MirrorColumns();
    QCOMPARE(row(t, 1), (QList<double>{23, 22, 21}));
    t.SetCellState(1, 1, 0xFF);
    t.SetComment("c");
    t.SetMScaleType(1, mstBinary);
    t.SetNominalID(1, 1, "yes");
    t.Clear();
    QCOMPARE(t.NrOfColumns(), 3);
    QCOMPARE(t.GetElem(1, 1), 0.0);
    QCOMPARE(int(t.GetCellState(1, 1)), 0);
    QCOMPARE(t.GetRowName(2), QString());
    QCOMPARE(t.Comment(), QString());
    QCOMPARE(t.GetMScaleType(1), mstInterval);
    QCOMPARE(t.GetNominalID(1, 1), QString());
}

void tst_DataTable::bulkStates()
{
    TDataTable t;
    t.Resize(2, 2);
    const Byte initial[4] = {0x00, 0x40, 0x80, 0xFC};
    for (int k = 0; k < 4; ++k)
        t.SetCellState(k % 2 + 1, k / 2 + 1, initial[k]);
    auto states = [&] {
        QList<int> l;
        for (int k = 0; k < 4; ++k)
            l << t.GetCellState(k % 2 + 1, k / 2 + 1);
        return l;
    };
    t.ExchangeMarkings();
    QCOMPARE(states(), (QList<int>{0x00, 0x80, 0x40, 0xFC}));
    t.InvertCellStates(0x02);
    QCOMPARE(states(), (QList<int>{0x02, 0x82, 0x42, 0xFE}));
    t.FillMarkedCells(9, 0x40);
    QCOMPARE(column(t, 1), (QList<double>{0, 9}));
    QCOMPARE(column(t, 2), (QList<double>{0, 9}));
    t.UnmarkAllCells();
    QCOMPARE(states(), (QList<int>{0x02, 0x02, 0x02, 0x3E}));   // bits 2-5 kept
}

void tst_DataTable::sortRowsInRange()
{
    TDataTable t;
    t.Resize(3, 5);
    const double key[5] = {3, 1, 2, 1, 0};
    for (int r = 1; r <= 5; ++r) {
        t.SetElem(1, r, key[r - 1]);
        t.SetElem(2, r, r);
        t.SetElem(3, r, r);
        t.SetRowName(r, QStringLiteral("r%1").arg(r));
    }
    t.SetCellState(1, 5, csEmpty);       // no number: after the numbers in either direction
    t.SortRows(1, true, 1, 1, 2, 5, true);
    QCOMPARE(column(t, 2), (QList<double>{2, 4, 3, 1, 5}));   // stable among the equal ones
    t.SetElem(1, 4, std::nan(""));       // a NaN value sorts with the cells that are no number
    t.SortRows(1, true, 1, 1, 2, 5, true);
    QCOMPARE(column(t, 2), (QList<double>{2, 4, 3, 1, 5}));
    t.SetElem(1, 4, 3);
    QCOMPARE(column(t, 3), (QList<double>{1, 2, 3, 4, 5}));   // outside the column range
    QCOMPARE(t.GetRowName(1), QStringLiteral("r2"));
    QCOMPARE(int(t.GetCellState(1, 5)), int(csEmpty));
    t.SortRows(1, false, 1, 1, 2, 5, false);
    QCOMPARE(column(t, 1).mid(0, 4), (QList<double>{3, 2, 1, 1}));
    QCOMPARE(int(t.GetCellState(1, 5)), int(csEmpty));
    QCOMPARE(t.GetRowName(1), QStringLiteral("r2"));           // names stay without headers
    // a range of rows 2..3 only
    t.SortRows(1, true, 1, 2, 3, 3, true);
    QCOMPARE(column(t, 1).mid(0, 3), (QList<double>{3, 1, 2}));
}

void tst_DataTable::sortColsAnnouncesExchanges()
{
    TDataTable t;
    t.Resize(4, 2);
    const double key[4] = {4, 2, 3, 1};
    for (int c = 1; c <= 4; ++c) {
        t.SetElem(c, 1, key[c - 1]);
        t.SetElem(c, 2, 10 * c);
        t.SetColAttrib(c, Byte(c));
    }
    Recorder rec;
    rec.attach(t);
    t.SortCols(1, true, 1, 1, 4, 2, true);
    QCOMPARE(row(t, 1), (QList<double>{1, 2, 3, 4}));
    QCOMPARE(row(t, 2), (QList<double>{40, 20, 30, 10}));
    QCOMPARE(int(t.GetColAttrib(1)), 4);
    QVERIFY(!rec.exchanges.isEmpty());
    for (const auto& e : rec.exchanges) {
        QCOMPARE(e.at(0), int(sekColumns));
        QCOMPARE(e.mid(3), (QList<int>{1, 2}));
    }
    // replaying the announced exchanges on the original order gives the sorted one
    QList<int> order{1, 2, 3, 4};
    for (const auto& e : rec.exchanges)
        order.swapItemsAt(e.at(1) - 1, e.at(2) - 1);
    QCOMPARE(order, (QList<int>{4, 2, 3, 1}));
    QCOMPARE(rec.data, 1);
}

void tst_DataTable::sortByNamesAndAttributes()
{
    TDataTable t;
    t.Resize(3, 3);
    numberCells(t);
    const char* names[3] = {"beta", "Alpha", "alpha2"};
    for (int k = 1; k <= 3; ++k) {
        t.SetRowName(k, names[k - 1]);
        t.SetColName(k, names[3 - k]);
        t.SetRowAttrib(k, Byte(10 - k));
    }
    t.SortRowNames(true, true, 1, 1, 3, 3);
    QCOMPARE(column(t, 1), (QList<double>{21, 31, 11}));
    t.SortRowNames(true, false, 1, 1, 3, 3);    // case-sensitive: "Alpha" < "alpha2" < "beta"
    QCOMPARE(t.GetRowName(1), QStringLiteral("Alpha"));
    t.SortRowAttributes(false, 1, 1, 3, 3);
    QCOMPARE(column(t, 1), (QList<double>{11, 21, 31}));
    t.SortColNames(false, true, 1, 1, 3, 3);
    QCOMPARE(t.GetColName(1), QStringLiteral("beta"));
    QCOMPARE(t.FindColIndex("beta"), 1);
    QCOMPARE(t.FindRowIndex("alpha2"), 3);
    QCOMPARE(t.FindRowIndex("gamma"), 0);
}

void tst_DataTable::randomSortsKeepRowsWhole()
{
    std::mt19937 rng(7);
    TDataTable t;
    t.Resize(4, 1500);
    for (int r = 1; r <= 1500; ++r) {
        t.SetElem(1, r, double(rng() % 50));
        for (int c = 2; c <= 4; ++c)
            t.SetElem(c, r, r * 10 + c);
        t.SetCellState(4, r, Byte(r % 256));
    }
    Recorder rec;
    rec.attach(t);
    for (int step = 0; step < 20; ++step) {
        const int lo = int(rng() % 1500) + 1;
        const int hi = int(rng() % 1500) + 1;
        const bool asc = rng() % 2;
        t.SortRows(1, asc, 1, std::min(lo, hi), 4, std::max(lo, hi), false);
        for (int r = 1; r <= 1500; ++r) {
            const int orig = int(t.GetElem(2, r)) / 10;
            QCOMPARE(t.GetElem(3, r), orig * 10 + 3.0);
            QCOMPARE(int(t.GetCellState(4, r)), orig % 256);
        }
        for (int r = std::min(lo, hi); r < std::max(lo, hi); ++r)
            QVERIFY(asc ? t.GetElem(1, r) <= t.GetElem(1, r + 1) : t.GetElem(1, r) >= t.GetElem(1, r + 1));
    }
    QVERIFY(rec.percents.contains(100));
}

namespace {
// What a stable sort by value gives for indices Lo..Hi: numbers (a NaN is none) by value in
// the wanted direction, then the cells that are no number, both in their present order.
template <class Key>
QList<int> stableOrder(int lo, int hi, bool asc, Key key)
{
    QList<int> order;
    for (int k = lo; k <= hi; ++k)
        order << k;
    auto num = [&](int k) { return (key(k).second & 3) == 0 && !std::isnan(key(k).first); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (num(a) != num(b) || !num(a))
            return num(a) && !num(b);
        return asc ? key(a).first < key(b).first : key(b).first < key(a).first;
    });
    return order;
}
} // namespace

void tst_DataTable::sortRowsAsStableSort_data()
{
    QTest::addColumn<QList<double>>("keys");
    QTest::addColumn<QList<int>>("keyStates");
    QTest::addColumn<bool>("asc");
    QTest::addColumn<QList<int>>("range");   // low col, high col, low row, high row
    QTest::addColumn<bool>("headers");
    const double nan = std::nan(""), inf = HUGE_VAL;
    const QList<double> ties{3, 1, 2, 1, 0, 2, 5, 1}, mixed{2, 9, 1, 7, 3, 0, 4, 1}, odd{0.0, -0.0, nan, -inf, inf, 0.0, -0.0, 1};
    const QList<int> plain(8, 0), states{0, 1, 0, 2, 0, 3, 0, 0xFC}, all{1, 4, 1, 8};
    QTest::newRow("ties ascending") << ties << plain << true << all << true;
    QTest::newRow("ties descending") << ties << plain << false << all << true;
    QTest::newRow("invalid and empty ascending") << mixed << states << true << all << true;
    QTest::newRow("invalid and empty descending") << mixed << states << false << all << false;
    QTest::newRow("NaN, infinities, zeros ascending") << odd << plain << true << all << true;
    QTest::newRow("NaN, infinities, zeros descending") << odd << plain << false << all << true;
    QTest::newRow("rows 3..7 without headers") << ties << plain << true << QList<int>{1, 4, 3, 7} << false;
    QTest::newRow("columns 1..2") << mixed << states << true << QList<int>{1, 2, 1, 8} << true;
    QTest::newRow("columns 2..4, key stays") << ties << plain << false << QList<int>{2, 4, 2, 8} << true;
}

// Column 2 holds the row's number, column 3 marks and bits 2-5 telling the rows apart.
void tst_DataTable::sortRowsAsStableSort()
{
    QFETCH(QList<double>, keys);
    QFETCH(QList<int>, keyStates);
    QFETCH(bool, asc);
    QFETCH(QList<int>, range);
    QFETCH(bool, headers);
    const int lc = range[0], hc = range[1], lr = range[2], hr = range[3];
    TDataTable t;
    t.Resize(4, 8);
    for (int r = 1; r <= 8; ++r) {
        t.SetElem(1, r, keys[r - 1]), t.SetCellState(1, r, Byte(keyStates[r - 1]));
        t.SetElem(2, r, r), t.SetCellState(3, r, Byte(0xC0 | (r << 2)));
        t.SetRowName(r, QString::number(r)), t.SetRowAttrib(r, Byte(r));
    }
    const QList<int> order = stableOrder(lr, hr, asc, [&](int r) { return std::pair(t.GetElem(1, r), t.GetCellState(1, r)); });
    QList<int> now{0, 1, 2, 3, 4, 5, 6, 7, 8}, want = now;
    std::copy(order.begin(), order.end(), want.begin() + lr);
    // Each exchange comes with the table as it is before it, puts the row that belongs at
    // its first index there, and the first indices only grow.
    int lastA = 0;
    t.OnBeforeSortExchange = [&](TObject*, Byte kind, int a, int b, int lo, int hi) {
        QVERIFY(kind == sekRows && lo == lc && hi == hc && lastA < a && a < b && now[a] != want[a]);
        QVERIFY(t.GetElem(2, a) == now[a] && t.GetElem(2, b) == now[b]);
        now.swapItemsAt(a, b);
        QVERIFY(now[a] == want[a]);
        lastA = a;
    };
    t.SortRows(1, asc, lc, lr, hc, hr, headers);
    QCOMPARE(now, want);
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const int from = c >= lc && c <= hc ? want[r] : r;
            const double v = c == 1 ? keys[from - 1] : c == 2 ? from : 0, got = t.GetElem(c, r);
            const int st = c == 1 ? keyStates[from - 1] : c == 3 ? 0xC0 | (from << 2) : 0;
            QVERIFY2((std::isnan(v) ? std::isnan(got) : got == v && std::signbit(got) == std::signbit(v)) && t.GetCellState(c, r) == st,
                     qPrintable(QStringLiteral("cell %1,%2").arg(c).arg(r)));
        }
        QCOMPARE(t.GetRowName(r), QString::number(headers ? want[r] : r));
        QCOMPARE(int(t.GetRowAttrib(r)), headers ? want[r] : r);
        // the blocks, when asked for, are laid out in the rows' order
        QCOMPARE(t.Matrix().Elem(2, r), t.GetElem(2, r));
        QCOMPARE(int(t.States()[t.Matrix().index(3, r)]), int(t.GetCellState(3, r)));
    }
}

// Row sorts mixed with mirroring, structural changes, raw writes, resizing and copying a
// sorted table, against a plain model of rows; seeded, checked after every step.
void tst_DataTable::randomSequenceMatchesModel()
{
    struct Row { QList<double> v = QList<double>(5, 0); QList<int> s = QList<int>(5, 0); QString name; int attr = 0; };
    QList<Row> m{Row{}};
    std::mt19937 rng(15);
    auto rnd = [&](int n) { return int(rng() % unsigned(n)); };
    TDataTable t, u;
    t.Resize(5, 1);
    auto sortModel = [&](int key, bool asc, int lo, int hi, int lc, int hc, bool headers) {
        const QList<Row> old = m;
        const QList<int> order = stableOrder(lo, hi, asc, [&](int r) { return std::pair(old[r - 1].v[key - 1], Byte(old[r - 1].s[key - 1])); });
        for (int k = 0; k < order.size(); ++k) {
            Row &to = m[lo + k - 1], from = old[order[k] - 1];
            for (int c = lc; c <= hc; ++c)
                to.v[c - 1] = from.v[c - 1], to.s[c - 1] = from.s[c - 1];
            if (headers)
                to.name = from.name, to.attr = from.attr;
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const int nr = int(m.size()), r = rnd(nr) + 1, c = rnd(5) + 1, lo = rnd(nr) + 1, hi = lo + rnd(nr - lo + 1);
        const int lc = rnd(2) ? 1 : c, hc = rnd(2) ? 5 : c;
        const bool asc = rnd(2), headers = rnd(2);
        switch (rnd(7)) {
        case 0: t.SortRows(c, asc, lc, lo, hc, hi, headers), sortModel(c, asc, lo, hi, lc, hc, headers); break;
        case 1: t.MirrorRows(), std::reverse(m.begin(), m.end()); break;
        case 2: t.InsertRow(r), m.insert(r - 1, Row{}); break;
        case 3: if (nr > 1) t.RemoveRow(r), m.removeAt(r - 1); break;
        case 4: {
            const double v = rnd(6);
            const int s = QList<int>{0, 0, 1, 2, 0x40, 0xBC}[rnd(6)];
            rnd(2) ? t.SetElem(c, r, v) : t.Matrix().SetElem(c, r, v);
            t.SetCellState(c, r, Byte(s)), t.SetRowName(r, QString::number(step)), t.SetRowAttrib(r, Byte(step));
            m[r - 1].v[c - 1] = v, m[r - 1].s[c - 1] = s, m[r - 1].name = QString::number(step), m[r - 1].attr = step % 256;
            break;
        }
        case 5:   // a copy of a sorted table
            u.Assign(t), u.SortRows(c, asc, 1, lo, 5, hi, true), sortModel(c, asc, lo, hi, 1, 5, true);
            t.Resize(1, 1), t.Assign(u);
            break;
        case 6:
            t.Resize(5, std::clamp(nr + rnd(7) - 3, 1, 40)), m.resize(t.NrOfRows());
            break;
        }
        QCOMPARE(t.NrOfRows(), int(m.size()));
        for (int rr = 1; rr <= t.NrOfRows(); ++rr) {
            for (int cc = 1; cc <= 5; ++cc)
                QVERIFY2(t.GetElem(cc, rr) == m[rr - 1].v[cc - 1] && t.GetCellState(cc, rr) == m[rr - 1].s[cc - 1],
                         qPrintable(QStringLiteral("step %1 cell %2,%3").arg(step).arg(cc).arg(rr)));
            QVERIFY(t.GetRowName(rr) == m[rr - 1].name && t.GetRowAttrib(rr) == m[rr - 1].attr);
        }
    }
}

QTEST_GUILESS_MAIN(tst_DataTable)
#include "tst_datatable.moc"

// Regression tests of the report data store: handlers after Assign, saves that load back,
// shrinking a sorted store, foreign encodings, clipboard bounds, nested XML and check sorting.
#pragma once

#include "replist/QOR_replist.h"

#include <QBuffer>
#include <QtTest>
#include <climits>
#include <functional>

using namespace qor;

namespace faults {

inline QStringList shown(const TRLData& d, int col)
{
    QStringList l;
    for (int r = 1; r <= d.NrOfRows(); ++r)
        l << d.GetElem(col, r);
    return l;
}

inline void fill(TRLData& d, int col, const QStringList& texts)
{
    if (d.NrOfRows() < texts.size())
        d.SetNrRows(int(texts.size()));
    for (int r = 1; r <= texts.size(); ++r)
        d.Strings()->SetString(col, r, texts[r - 1]);
}

template <class T>
concept HasLastSortSetters = requires(T& d) { d.SetLastSortColumn(1); } || requires(T& d) { d.SetLastSortOrder(true); };

} // namespace faults

class TestRLDataFaults : public QObject {
    Q_OBJECT

private slots:
    void assignKeepsOwnHandlers()
    {
        TRLData src, dst;
        faults::fill(src, 1, {"c", "a", "b"});
        int srcCalls = 0, dstCalls = 0;
        src.OnBeforeSortExchange = [&](TObject*, const QString&, QString&) { ++srcCalls; };
        dst.OnBeforeSortExchange = [&](TObject* s, const QString&, QString&) { QCOMPARE(s, &dst); ++dstCalls; };
        dst.Assign(&src);
        dst.Sort(1, -1, true);
        QCOMPARE(srcCalls, 0);
        QCOMPARE(dstCalls, 3);
        QCOMPARE(faults::shown(dst, 1), QStringList({"a", "b", "c"}));
    }

    // Whatever a store accepts, its save loads back, equal.
    void everySaveLoadsBack()
    {
        const std::vector<std::pair<const char*, std::function<void(TRLData&)>>> cases{
            {"sort column removed", [](TRLData& d) { d.Sort(4, 3, false); d.SetNrCols(2); }},
            {"secondary column removed", [](TRLData& d) { d.Sort(1, 4, true); d.SetNrCols(3); }},
            {"sort column out of range", [](TRLData& d) { d.Sort(9, -1, true); d.Sort(-3, 2, true); }},
            {"secondary column out of range", [](TRLData& d) { d.SetSecondarySortColumn(17); d.SetSecondarySortColumn(-4); }},
            {"duplicate sort order", [](TRLData& d) { d.Strings()->SetSortOrder(1, 2); d.Strings()->SetSortOrder(4, 4); }},
            {"order set in full", [](TRLData& d) { QVERIFY(!d.Strings()->SetSortOrders({1, 1, 2, 3})); QVERIFY(d.Strings()->SetSortOrders({4, 1, 3, 2})); }},
            {"too many columns", [](TRLData& d) { QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.SetNrCols(MaxRLDataColumns + 1)); }},
            {"too many rows", [](TRLData& d) { QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.SetNrRows(MaxRLDataRows + 1)); }},
        };
        for (const auto& [name, step] : cases) {
            TRLData d;
            d.SetNrCols(4);
            faults::fill(d, 1, {"d", "b", "a", "c"});
            faults::fill(d, 3, {"1", "2", "3", "4"});
            step(d);
            TRLData back;
            QVERIFY2(back.ReadFromXMLString(d.XMLText(false, "t"), "t"), name);
            QVERIFY2(back.NrOfColumns() == d.NrOfColumns() && back.LastSortColumn() == d.LastSortColumn()
                         && back.SecondarySortColumn() == d.SecondarySortColumn(), name);
            QVERIFY2(d.LastSortColumn() <= d.NrOfColumns() && d.SecondarySortColumn() <= d.NrOfColumns(), name);
            QVERIFY2(faults::shown(back, 1) == faults::shown(d, 1), name);
        }
    }

    void sortStateIsReadOnly() { QVERIFY(!faults::HasLastSortSetters<TRLData>); }

    void shrinkingSortedDropsLastShown()
    {
        TRLData d;
        faults::fill(d, 1, {"d", "a", "c", "b"});
        d.Sort(1, -1, true);
        d.SetNrRows(2);
        QCOMPARE(faults::shown(d, 1), QStringList({"a", "b"}));
        d.SetNrRows(3);
        QCOMPARE(faults::shown(d, 1), QStringList({"a", "b", ""}));
    }

    void foreignEncodingRefused()
    {
        TRLData d;
        faults::fill(d, 1, {QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac")});
        QBuffer latin;
        latin.open(QIODevice::WriteOnly);
        QTextStream out(&latin);
        out.setEncoding(QStringConverter::Latin1);
        QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.WriteToOpenXMLFile(out, true, "x"));
        out.flush();
        QVERIFY(latin.data().isEmpty());
        QString text; // a stream into a string keeps every character
        QTextStream toString(&text);
        toString.setEncoding(QStringConverter::Latin1);
        d.WriteToOpenXMLFile(toString, false, "x");
        TRLData back;
        QVERIFY(back.ReadFromXMLString(text, "x"));
        QCOMPARE(faults::shown(back, 1), faults::shown(d, 1));
    }

    void clipboardBoundsClamped()
    {
        TRLData d;
        d.SetNrCols(2);
        faults::fill(d, 1, {"a", "b"});
        faults::fill(d, 2, {"c", "d"});
        QCOMPARE(d.ClipboardText(INT_MIN, INT_MIN, INT_MAX, INT_MAX, false, ";"), QString(";a;c\n;b;d\n"));
        QCOMPARE(d.FixedWidthText(1, 2, INT_MAX, INT_MAX, false), QString("b d \n"));
        QCOMPARE(d.ClipboardText(2, 1, 3, 5, false, ";"), QString("c\nd\n"));
        // A right edge far left of the left one is an empty block, not a width that overflows.
        QCOMPARE(d.FixedWidthText(1, 1, INT_MIN, 2, false), QString("\n\n"));
        QCOMPARE(d.FixedWidthText(INT_MAX, 1, INT_MIN, 1, true), QString("\n\n\n"));
    }

    // Markup inside one of our elements is refused with the store unchanged; an unknown
    // element is skipped with whatever it holds.
    void nestedElementInCell()
    {
        TRLData src;
        faults::fill(src, 1, {"abc"});
        const QString xml = src.XMLText(false, "n");
        QVERIFY(xml.contains(">abc<"));
        TRLData d;
        faults::fill(d, 1, {"keep"});
        QVERIFY(!d.ReadFromXMLString(QString(xml).replace(">abc<", ">a<b>x</b>c<"), "n"));
        QCOMPARE(faults::shown(d, 1), QStringList{"keep"});
        QVERIFY(!d.ReadFromXMLString(QString(xml).replace("<numrows>1</numrows>", "<numrows>1<i/></numrows>"), "n"));
        QVERIFY(d.ReadFromXMLString(QString(xml).replace("<numrows>", "<later><x>1</x></later><numrows>"), "n"));
        QCOMPARE(faults::shown(d, 1), QStringList{"abc"});
    }

    void checkColumnSortsByVisibleText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("secondary");
        QTest::newRow("box") << int(cmBox) << false;
        QTest::newRow("radio") << int(cmRadio) << false;
        QTest::newRow("box as secondary") << int(cmBox) << true;
    }
    void checkColumnSortsByVisibleText()
    {
        QFETCH(int, mode);
        QFETCH(bool, secondary);
        TRLData d;
        d.SetNrCols(2);
        const int col = secondary ? 2 : 1;
        faults::fill(d, 1, secondary ? QStringList{"k", "k", "k", "k", "k"} : QStringList{"X10", " 9", "Xb", " a", "X9"});
        if (secondary)
            faults::fill(d, 2, {"X10", " 9", "Xb", " a", "X9"});
        d.SetColCheckMode(col, TCheckMode(mode));
        // SetColCheckMode rewrites the prefixes; put them back as they were.
        faults::fill(d, col, {"X10", " 9", "Xb", " a", "X9"});
        QStringList keys;
        d.OnBeforeSortExchange = [&](TObject*, const QString& in, QString&) { keys << in; };
        secondary ? d.Sort(1, 2, true) : d.Sort(1, -1, true);
        QCOMPARE(faults::shown(d, col), QStringList({"9", "9", "10", "a", "b"}));
        QVERIFY(keys.contains("10") && !keys.contains("X10"));
        QVERIFY(d.Strings()->IsSorted());
        d.UnSort();
        QCOMPARE(faults::shown(d, col), QStringList({"10", "9", "b", "a", "9"}));
    }
};

inline int RunRLDataFaultTests(int argc, char** argv)
{
    TestRLDataFaults t;
    return QTest::qExec(&t, argc, argv);
}

// Tests of the table editor's model: defaults, the text form of values, precisions,
// attribute lines, resizing, names, marks, suppression of events, sorts, and the lifetime
// of an attached table.
#include "ntabed/NTabEd_p.h"

#include <QApplication>
#include <QMetaProperty>
#include <QtTest>
#include <memory>
#include <random>

#include "tst_ntabed_util.h"

using namespace qor;

class TestNTabEd : public QObject {
    Q_OBJECT

private slots:
    void newEditorDefaults();
    void publishedProperties();
    void numberText_data();
    void numberText();
    void precisionClamps_data();
    void precisionClamps();
    void cellTexts();
    void attribColumnRoundTrip();
    void attribRowRoundTrip();
    void insertRemoveLimits_data();
    void insertRemoveLimits();
    void namesAndAttributes();
    void marksKeepEachOther_data();
    void marksKeepEachOther();
    void bulkMarks();
    void growthCopiesWidthAndPrecision();
    void refusedResize();
    void suppressionOfEvents();
    void tableNotificationsReachScreen();
    void sortKeepsPrecisionWithColumn();
    void autoSizes();
    void dataRelativeScrolling();
    void copyFromAnotherEditor();
    void attachedTableOutlivesEditor();
    void attachedTableDetachedAndFreed();
    void sharedTableBetweenEditors();
    void randomOperationsKeepGridInLine();
};

void TestNTabEd::newEditorDefaults()
{
    TNTabEd e;
    QCOMPARE(e.NrOfColumns(), 3);
    QCOMPARE(e.NrOfRows(), 4);
    QCOMPARE(e.ColCount(), 5);
    QCOMPARE(e.RowCount(), 5);
    QVERIFY(e.AttribRowVisible());
    QVERIFY(!e.AttribColVisible());
    QCOMPARE(e.ColOffset(), 1);
    QCOMPARE(e.RowOffset(), 0);
    QCOMPARE(e.FixedCols(), 2);
    QCOMPARE(e.FixedRows(), 1);
    for (int c = 1; c <= 3; ++c) {
        QCOMPARE(e.Precision(c), 3);
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(e.Elem(c, r), 0.0);
            QCOMPARE(int(e.CellState(c, r)), 0);
        }
    }
    QCOMPARE(e.ColWidths(0), 80);
    QCOMPARE(e.ColWidths(-1), 32);
    QCOMPARE(e.NumWidth(), 1);
    QCOMPARE(e.DefaultRowHeight(), 24);
    QCOMPARE(e.ColorNormal(), TColor(0x002000));
    QCOMPARE(e.ColorSelected(), TColor(0x404040));
    QCOMPARE(e.ColorMarkedA(), clRed);
    QCOMPARE(e.ColorMarkedB(), clBlue);
    QCOMPARE(e.ColorMarkedBoth(), TColor(0xCC00BB));
    QCOMPARE(e.ColorRangeSelFG(), TColor(0x80552C));
    QCOMPARE(e.ColorRangeSelBG(), TColor(0xF8E8E0));
    QCOMPARE(e.ColorBackground(), clWindow);
    QCOMPARE(e.ColorFixed(), clBtnFace);
    QCOMPARE(e.NomEditDropDownCount(), 8);
    QVERIFY(e.AutoAdvance() && e.BoldMarks() && e.BoldSelHeads() && e.ClipboardUseFullPrec() && e.CommentEditingAllowed());
    QVERIFY(!e.DataReadOnly() && !e.OptimizeRowHeight() && !e.BlockInternalPopup() && !e.SuppressPaint());
    QCOMPARE(e.AutoAdvanceDir(), otVertical);
    QVERIFY(!e.ExternalData());
    QCOMPARE(e.LeftCol(), 1);
    QCOMPARE(e.TopRow(), 1);
}

void TestNTabEd::publishedProperties()
{
    TNTabEd e;
    const QStringList names{"AutoAdvance", "AutoAdvanceDir", "AttribRowVisible", "AttribColVisible",
                            "BlockInternalPopup", "CommentEditingAllowed", "Comment", "ColorBackground",
                            "ColorFixed", "ColorNormal", "ColorSelected", "ColorMarkedA", "ColorMarkedB",
                            "ColorMarkedBoth", "ColorRangeSelFG", "ColorRangeSelBG", "DefaultColWidth",
                            "DefaultRowHeight", "BoldMarks", "BoldSelHeads", "ClipboardUseFullPrec", "LeftCol",
                            "TopRow", "NomEditDropDownCount", "NrOfColumns", "NrOfRows", "NumWidth",
                            "DataReadOnly", "OptimizeRowHeight"};
    const QMetaObject* mo = e.metaObject();
    for (const QString& n : names) {
        const int i = mo->indexOfProperty(n.toLatin1());
        QVERIFY2(i >= 0, qPrintable(n));
        QVERIFY2(mo->property(i).isReadable() && mo->property(i).isWritable(), qPrintable(n));
    }
    QVERIFY(e.setProperty("NrOfColumns", 6));
    QCOMPARE(e.NrOfColumns(), 6);
    QVERIFY(e.setProperty("Comment", "a\tb"));
    QCOMPARE(e.Comment(), QStringLiteral("ab"));     // control characters removed
}

void TestNTabEd::numberText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("prec");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.5") << 12.5 << 3 << 1 << "12.500";
    QTest::newRow("zero") << 0.0 << 3 << 1 << "0.000";
    QTest::newRow("minus zero") << -0.0 << 2 << 1 << "0.00";
    QTest::newRow("above limit") << 123456.7 << 3 << 1 << " 1.2E+05";
    QTest::newRow("at limit") << 99999.999 << 3 << 1 << "99999.999";
    QTest::newRow("below small limit") << 0.0004 << 3 << 1 << " 4.0E-04";
    QTest::newRow("at small limit") << -0.001 << 3 << 1 << "-0.001";
    QTest::newRow("precision 0") << 999999999.0 << 0 << 1 << "999999999";
    QTest::newRow("precision 0 above") << 1e9 << 0 << 1 << " 1.0E+09";
    QTest::newRow("precision 8") << 0.5 << 8 << 1 << "0.50000000";
    QTest::newRow("precision 8 at 1") << 1.0 << 8 << 1 << " 1.0E+00";
    QTest::newRow("precision -1") << 1.5 << -1 << 1 << " 1.5E+00";
    QTest::newRow("precision 9") << 1.5 << 9 << 1 << " 1.5E+00";
    QTest::newRow("precision 10") << -2.0 << 10 << 1 << "-2.0E+00";
    QTest::newRow("wide field") << 12.5 << 2 << 8 << "   12.50";
    QTest::newRow("wide exponential") << 123456.7 << 3 << 4 << " 1.235E+05";
    QTest::newRow("exponent 100") << 1e100 << 3 << 1 << "********";
    QTest::newRow("exponent -150") << -1e-150 << 3 << 1 << "********";
    QTest::newRow("exponent 99") << 9.9e99 << 3 << 1 << " 9.9E+99";
}

void TestNTabEd::numberText()
{
    QFETCH(double, x);
    QFETCH(int, prec);
    QFETCH(int, width);
    QFETCH(QString, text);
    QCOMPARE(NTabCellValueText(x, prec, width), text);
    TNTabEd e;
    e.SetPrecision(1, prec);
    e.SetNumWidth(width);
    e.SetElem(1, 1, x);
    QCOMPARE(e.CellText(1, 1), text);
}

void TestNTabEd::precisionClamps_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("layoutEvents");
    QTest::newRow("above 10") << 2 << 25 << 10 << 1;
    QTest::newRow("below -1") << 2 << -7 << -1 << 1;
    QTest::newRow("inside") << 2 << 5 << 5 << 1;
    QTest::newRow("column 0") << 0 << 5 << 0 << 0;
    QTest::newRow("beyond last") << 4 << 5 << 0 << 0;
}

void TestNTabEd::precisionClamps()
{
    QFETCH(int, col);
    QFETCH(int, value);
    QFETCH(int, stored);
    QFETCH(int, layoutEvents);
    TNTabEd e;
    int layout = 0;
    e.OnLayoutChanged = [&](TObject* s) { QCOMPARE(s, &e); ++layout; };
    e.SetPrecision(col, value);
    QCOMPARE(e.Precision(col), stored);
    QCOMPARE(layout, layoutEvents);
    // also the other formatting helper and NumWidth limits
    QCOMPARE(NTabFloatStr(-1.5, -7, 2), QStringLiteral("-001.50"));
    QCOMPARE(NTabFloatStr(7, 1, 0), QStringLiteral("7"));
    QCOMPARE(NTabFloatStr(1234.5, 22, -1), QStringLiteral(" 1.2345000000000E+0003"));
    layout = 0;
    for (int w : {0, 21, -3})
        e.SetNumWidth(w);
    QCOMPARE(e.NumWidth(), 1);
    QCOMPARE(layout, 3);    // fired even for refused widths
    e.SetNumWidth(20);
    QCOMPARE(e.NumWidth(), 20);
}

void TestNTabEd::cellTexts()
{
    TNTabEd e;
    e.Data()->SetMScaleType(2, mstNominal);
    e.Data()->SetNominalID(2, 3, "steel");
    const struct {
        int col;
        double v;
        Byte state;
        const char* text;
    } rows[] = {
        {1, 5, csEmpty | csMarkA, ""},
        {1, 5, csInvalid, "-nan-"},
        {2, 5, csInvalid, "-nan-"},        // invalid even in a nominal column
        {2, 3.2, 0, "steel"},
        {2, 4, 0, "nominal:4"},
        {2, 200, 0, "nominal:200"},
        {2, -1e300, 0, ""},
    };
    for (const auto& r : rows) {
        e.SetElem(r.col, 1, r.v);
        e.SetCellState(r.col, 1, r.state);
        if (r.v > -1e299)
            QCOMPARE(e.CellText(r.col, 1), QString::fromUtf8(r.text));
        else
            QVERIFY(e.CellText(r.col, 1).startsWith("nominal:-1"));
    }
}

void TestNTabEd::attribColumnRoundTrip()
{
    TNTabEd e;
    int layout = 0;
    e.OnLayoutChanged = [&](TObject*) { ++layout; };
    e.SetColWidths(1, 41);
    e.SetColWidths(2, 52);
    e.SetColWidths(3, 63);
    e.SetColWidths(-1, 44);
    QCOMPARE(e.ClassColWidth(), 44);
    layout = 0;
    e.SetAttribRowVisible(false);
    QCOMPARE(layout, 1);
    QCOMPARE(e.ColOffset(), 0);
    QCOMPARE(e.FixedCols(), 1);
    QCOMPARE(e.ColCount(), 4);
    QCOMPARE(e.ColWidths(-1), 0);
    e.SetColWidths(-1, 99);        // hidden: nothing but the event
    QCOMPARE(layout, 2);
    QCOMPARE((QList<int>{e.ColWidths(0), e.ColWidths(1), e.ColWidths(2), e.ColWidths(3)}), (QList<int>{80, 41, 52, 63}));
    e.SetAttribRowVisible(false);   // no change: no event
    QCOMPARE(layout, 2);
    e.SetAttribRowVisible(true);
    QCOMPARE(e.ColOffset(), 1);
    QCOMPARE(e.FixedCols(), 2);
    QCOMPARE(e.ColCount(), 5);
    QCOMPARE((QList<int>{e.ColWidths(-1), e.ColWidths(1), e.ColWidths(2), e.ColWidths(3)}), (QList<int>{44, 41, 52, 63}));
    // DefaultColWidth resets the data columns but keeps the names and attributes columns
    e.SetDefaultColWidth(50);
    QCOMPARE((QList<int>{e.ColWidths(0), e.ColWidths(-1), e.ColWidths(1), e.ColWidths(3)}), (QList<int>{80, 44, 50, 50}));
    // a one-column table can show its attribute column again
    e.SetAttribRowVisible(false);
    e.SetNrOfColumns(1);
    e.SetAttribRowVisible(true);
    QCOMPARE(e.FixedCols(), 2);
    QCOMPARE(e.ColCount(), 3);
}

void TestNTabEd::attribRowRoundTrip()
{
    TNTabEd e;
    e.SetRowHeights(0, 30);
    e.SetRowHeights(2, 17);
    e.SetAttribColVisible(true);
    QCOMPARE(e.RowOffset(), 1);
    QCOMPARE(e.FixedRows(), 2);
    QCOMPARE(e.RowCount(), 6);
    QCOMPARE(e.RowHeights(1), 30);       // the attribute row takes the name row's height
    QCOMPARE(e.RowHeights(3), 17);       // data row 2 moved down with its height
    e.SetAttribColVisible(false);
    QCOMPARE(e.RowCount(), 5);
    QCOMPARE(e.RowHeights(2), 17);
    QCOMPARE(e.FixedRows(), 1);
}

void TestNTabEd::insertRemoveLimits_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("startRows");
    QTest::addColumn<int>("ix");
    QTest::addColumn<int>("rows");
    QTest::newRow("remove the only row") << "remove" << 1 << 1 << 1;
    QTest::newRow("remove row 0") << "remove" << 4 << 0 << 4;
    QTest::newRow("remove beyond") << "remove" << 4 << 5 << 4;
    QTest::newRow("remove last") << "remove" << 4 << 4 << 3;
    QTest::newRow("append") << "insert" << 4 << 5 << 5;
    QTest::newRow("beyond append") << "insert" << 4 << 6 << 4;
    QTest::newRow("insert 0") << "insert" << 4 << 0 << 4;
    QTest::newRow("insert first") << "insert" << 4 << 1 << 5;
}

void TestNTabEd::insertRemoveLimits()
{
    QFETCH(QString, op);
    QFETCH(int, startRows);
    QFETCH(int, ix);
    QFETCH(int, rows);
    for (bool columns : {false, true}) {
        TNTabEd e;
        columns ? e.SetNrOfColumns(startRows) : e.SetNrOfRows(startRows);
        for (int k = 1; k <= startRows; ++k)
            columns ? e.SetElem(k, 1, k) : e.SetElem(1, k, k);
        if (op == "remove")
            columns ? e.RemoveColumn(ix) : e.RemoveRow(ix);
        else
            columns ? e.InsertColumn(ix) : e.InsertRow(ix);
        QCOMPARE(columns ? e.NrOfColumns() : e.NrOfRows(), rows);
        QCOMPARE(e.ColCount(), e.NrOfColumns() + e.ColOffset() + 1);
        QCOMPARE(e.RowCount(), e.NrOfRows() + e.RowOffset() + 1);
        QCOMPARE(e.Precision(e.NrOfColumns()), 3);
        QVERIFY(!e.SuppressPaint());
        if (op == "insert" && rows != startRows)
            QCOMPARE(columns ? e.Elem(ix, 1) : e.Elem(1, ix), 0.0);
    }
}

void TestNTabEd::namesAndAttributes()
{
    TNTabEd e;
    int heading = 0, attrib = 0, setup = 0;
    e.OnHeadingChanged = [&](TObject*) { ++heading; };
    e.OnAttributeChanged = [&](TObject*) { ++attrib; };
    e.OnChangeSetup = [&](TObject*) { ++setup; };
    const QString sixty = QString(50, QLatin1Char('a')) + QString(10, QLatin1Char('b'));
    e.SetColName(2, sixty);
    QCOMPARE(e.ColName(2), sixty.left(50));
    e.SetRowName(4, "last");
    e.SetRowName(5, "beyond");
    e.SetColName(0, "zero");
    QCOMPARE(heading, 2);
    QCOMPARE(e.RowName(5), QString());
    QCOMPARE(e.ColName(0), QString());
    e.SetColAttrib(3, 255);
    e.SetRowAttrib(1, 9);
    e.SetRowAttrib(0, 9);
    QCOMPARE(attrib, 2);
    QCOMPARE(int(e.ColAttrib(3)), 255);
    QCOMPARE(int(e.RowAttrib(0)), 0);
    QCOMPARE(setup, 0);                  // the editor's own changes fire their own events
    QCOMPARE(e.FindColIndex(sixty.left(50)), 2);
    QCOMPARE(e.FindRowIndex("last"), 4);
    QCOMPARE(e.FindRowIndex("nothing"), 0);
    e.Data()->SetRowName(1, "from the application");
    QCOMPARE(setup, 1);
    e.Clear();
    QCOMPARE(e.ColName(3), QStringLiteral("C-3"));
    QCOMPARE(e.RowName(4), QStringLiteral("R-4"));
}

void TestNTabEd::marksKeepEachOther_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("result");
    QTest::newRow("A onto B") << 0x80 << "A+" << 1 << 0xC0;
    QTest::newRow("A onto B with bits 2-5") << 0xBC << "A+" << 1 << 0xFC;
    QTest::newRow("clear B keeps A") << 0xC0 << "B-" << 1 << 0x40;
    QTest::newRow("clear A keeps 2-5") << 0x7C << "A-" << 1 << 0x3C;
    QTest::newRow("B onto empty") << 0x02 << "B+" << 1 << 0x82;
    QTest::newRow("empty on") << 0x41 << "E+" << 1 << 0x43;
    QTest::newRow("empty off") << 0xFF << "E-" << 1 << 0xFD;
    QTest::newRow("outside the table") << 0x00 << "A+" << 4 << 0x00;
}

void TestNTabEd::marksKeepEachOther()
{
    QFETCH(int, start);
    QFETCH(QString, op);
    QFETCH(int, col);
    QFETCH(int, result);
    TNTabEd e;
    e.Data()->SetCellState(1, 2, Byte(start));
    int events = 0, changes = 0;
    e.OnCellStateChanged = [&](TObject*) { ++events; };
    e.OnChange = [&](TObject*) { ++changes; };
    const bool on = op.endsWith('+');
    if (op.startsWith('A')) e.SetElemMarkedA(col, 2, on);
    else if (op.startsWith('B')) e.SetElemMarkedB(col, 2, on);
    else e.SetIsEmpty(col, 2, on);
    QCOMPARE(int(e.CellState(1, 2)), result);
    QCOMPARE(events, 1);       // fired even when the cell is outside
    QCOMPARE(changes, 0);
    QCOMPARE(e.IsNumber(1, 2), (result & 3) == 0);
}

void TestNTabEd::bulkMarks()
{
    TNTabEd e;
    e.Data()->SetCellState(2, 3, 0x3C);
    int events = 0;
    e.OnCellStateChanged = [&](TObject*) { ++events; };
    e.MarkAllElemsA();
    QCOMPARE(e.NrOfMarkedDataA(), 12);
    QCOMPARE(e.NrOfMarkedDataB(), 0);
    e.ExchangeMarkings();
    QCOMPARE(e.NrOfMarkedDataB(), 12);
    QCOMPARE(int(e.CellState(2, 3)), 0xBC);
    e.UnMarkAllElems();
    QCOMPARE(int(e.CellState(2, 3)), 0x3C);
    QVERIFY(!e.IfAnyMarked());
    e.SetElemMarkedB(2, 4, true);
    QVERIFY(e.IfRowMarked(4) && !e.IfRowMarked(3) && !e.IfRowMarked(5) && !e.IfRowMarked(0));
    QVERIFY(e.IfColumnMarked(2) && !e.IfColumnMarked(1) && !e.IfColumnMarked(4));
    QVERIFY(e.IfAnyMarked());
    e.InvertCellStates(0x02);
    QCOMPARE(int(e.CellState(2, 4)), 0x82);
    QCOMPARE(events, 5);
    e.SetElem(2, 4, 1);
    e.SetElem(1, 1, 2);
    e.FillMarkedCells(7, csMarkB);
    QCOMPARE(e.Elem(2, 4), 7.0);
    QCOMPARE(e.Elem(1, 1), 2.0);
    e.Fill(-1);
    QCOMPARE(e.Elem(3, 4), -1.0);
    QCOMPARE(int(e.CellState(2, 4)), 0x82);     // Fill leaves the states
}

void TestNTabEd::growthCopiesWidthAndPrecision()
{
    TNTabEd e;
    e.SetColWidths(3, 57);
    e.SetPrecision(3, 6);
    int setup = 0;
    e.OnChangeSetup = [&](TObject*) { ++setup; };
    e.SetNrOfColumns(5);
    QCOMPARE(setup, 1);
    QCOMPARE(e.ColCount(), 7);
    QCOMPARE((QList<int>{e.ColWidths(3), e.ColWidths(4), e.ColWidths(5)}), (QList<int>{57, 57, 57}));
    QCOMPARE((QList<int>{e.Precision(3), e.Precision(4), e.Precision(5)}), (QList<int>{6, 6, 6}));
    e.SetNrOfColumns(2);
    QCOMPARE(e.Precision(3), 0);
    e.Redimension(4, 9);
    QCOMPARE(e.NrOfColumns(), 4);
    QCOMPARE(e.NrOfRows(), 9);
    QCOMPARE(e.RowCount(), 10);
    QCOMPARE(e.Precision(4), 3);     // from the old column 2
    QCOMPARE(setup, 3);
    // the table grows behind the editor's back (InsertColumn of the application)
    e.Data()->InsertColumn(1);
    QCOMPARE(e.ColCount(), 7);
    QCOMPARE(e.Precision(5), e.Precision(4));
}

void TestNTabEd::refusedResize()
{
    TNTabEd e;
    QVERIFY_THROWS_EXCEPTION(EQORError, e.SetNrOfColumns(0));
    QVERIFY_THROWS_EXCEPTION(EQORError, e.SetNrOfRows(-2));
    QVERIFY_THROWS_EXCEPTION(EQORError, e.Redimension(2, 0));
    QCOMPARE(e.NrOfColumns(), 3);
    QCOMPARE(e.NrOfRows(), 4);
    QCOMPARE(e.ColCount(), 5);
    // the editor is usable afterwards: events and paints are not left suppressed
    int setup = 0;
    e.OnChangeSetup = [&](TObject*) { ++setup; };
    e.SetNrOfRows(6);
    QCOMPARE(setup, 1);
}

void TestNTabEd::suppressionOfEvents()
{
    CountingEditor e;
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QTest::qWait(20);
    int events = 0;
    auto count = [&](TObject*) { ++events; };
    e.OnChange = e.OnChangeSetup = e.OnHeadingChanged = e.OnAttributeChanged = count;
    e.OnCellStateChanged = e.OnLayoutChanged = e.OnSelectionChanged = count;
    int topLeft = 0;
    e.OnTopLeftChanged = [&](TObject*) { ++topLeft; };
    auto everything = [&](int k) {
        e.SetElem(1, 1, 3);
        e.SetComment("c");
        e.SetNrOfRows(e.NrOfRows() + 30);
        e.SetColName(1, "n");
        e.SetRowAttrib(1, 3);
        e.SetElemMarkedA(1, 1, true);
        e.SetColorMarkedA(0x123456);
        e.SetNumWidth(2);
        e.SetSelection(GridRect(2, 2, 2 + k, 2 + k));
        e.CheckSelectionChanged();
        e.SetTopRow(10);
    };
    e.SetSuppressPaint(true);
    e.paints = 0;
    everything(1);
    QTest::qWait(30);
    QCOMPARE(events, 0);
    QCOMPARE(e.paints, 0);
    QCOMPARE(topLeft, 1);            // not subject to suppression
    e.SetSuppressPaint(false);
    QCOMPARE(e.paints, 1);           // paints once, at once
    e.SetSuppressPaint(false);       // no change: no paint
    QCOMPARE(e.paints, 1);
    everything(2);
    QCOMPARE(events, 9);    // the scroll finds the selection already reported
}

void TestNTabEd::tableNotificationsReachScreen()
{
    CountingEditor e;
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QTest::qWait(20);
    int change = 0, percent = 0;
    e.OnChange = [&](TObject* s) { QCOMPARE(s, &e); ++change; };
    e.OnPercentDone = [&](TObject* s, int) { QCOMPARE(s, &e); ++percent; };
    e.paints = 0;
    e.Data()->SetElem(2, 2, 8.5);       // the application writes through the table
    QCOMPARE(change, 1);
    QTRY_VERIFY(e.paints > 0);
    e.SetNrOfRows(2000);
    e.Data()->SortRows(1, true, 1, 1, 3, 2000, false);
    QVERIFY(percent > 0);
}

void TestNTabEd::sortKeepsPrecisionWithColumn()
{
    TNTabEd e;
    e.SetNrOfColumns(4);
    const double key[4] = {30, 10, 40, 20};
    for (int c = 1; c <= 4; ++c) {
        e.SetElem(c, 1, key[c - 1]);
        e.SetPrecision(c, c);
        e.SetColName(c, QStringLiteral("k%1").arg(key[c - 1]));
    }
    e.SortCols(1, true, 1, 1, 4, 4, true);
    QCOMPARE((QList<double>{e.Elem(1, 1), e.Elem(2, 1), e.Elem(3, 1), e.Elem(4, 1)}), (QList<double>{10, 20, 30, 40}));
    QCOMPARE((QList<int>{e.Precision(1), e.Precision(2), e.Precision(3), e.Precision(4)}), (QList<int>{2, 4, 1, 3}));
    QCOMPARE(e.ColName(1), QStringLiteral("k10"));
    QVERIFY(!e.SortIncludeHd());
    e.SortCols(1, false, 1, 1, 4, 4, false);     // without headers the precisions stay
    QCOMPARE(e.Elem(1, 1), 40.0);
    QCOMPARE((QList<int>{e.Precision(1), e.Precision(2), e.Precision(3), e.Precision(4)}), (QList<int>{2, 4, 1, 3}));
    e.SortColNames(false, 1, 1, 4, 4);
    QCOMPARE(e.ColName(1), QStringLiteral("k40"));
    QCOMPARE(e.Precision(1), 3);
    e.SetRowName(1, "b");
    e.SetRowName(2, "a");
    e.SetElem(1, 2, -5);
    e.SortRowNames(true, true, 1, 1, 4, 2);
    QCOMPARE(e.Elem(1, 1), -5.0);
    e.SetRowAttrib(1, 9);
    e.SortRowAttributes(true, 1, 1, 4, 4);
    QCOMPARE(int(e.RowAttrib(4)), 9);
    e.SortRows(1, true, 1, 1, 4, 4, false);
    QCOMPARE(e.Elem(1, 1), -5.0);
    e.SetColAttrib(1, 200);
    e.SortColAttributes(true, 1, 1, 4, 4);
    QCOMPARE(int(e.ColAttrib(4)), 200);
}

void TestNTabEd::autoSizes()
{
    TNTabEd e;
    e.Font()->SetName("DejaVu Sans");
    TCanvas* cv = e.Canvas();
    cv->Font()->Assign(*e.Font());
    const int base = cv->TextWidth("999:9999");
    QCOMPARE(e.AutoColWidth(0, false, 2), base + 10);
    QCOMPARE(e.ColWidths(0), base + 10);
    e.SetRowName(2, "a rather long row name");
    QCOMPARE(e.AutoColWidth(0, false, 0), cv->TextWidth("a rather long row name") + 8);
    QCOMPARE(e.AutoColWidth(-1, true, 0), cv->TextWidth("Attrib") + 8);
    QCOMPARE(e.ColWidths(-1), cv->TextWidth("Attrib") + 8);
    QCOMPARE(e.AutoColWidth(-1, false, 0), cv->TextWidth("255") + 8);
    e.SetColName(1, "a column name wider than values");
    e.SetElem(1, 3, 12345.678);
    QCOMPARE(e.AutoColWidth(1, false, 0), cv->TextWidth("12345.678") + 8);
    QCOMPARE(e.AutoColWidth(1, true, 0), cv->TextWidth("a column name wider than values") + 8);
    QCOMPARE(e.AutoColWidth(4, true, 0), 0);
    QCOMPARE(e.AutoColWidth(-3, true, 0), 0);
    QCOMPARE(e.AutoColWidth(-1, true, -100), 4);   // at least 4
    const int h = cv->TextHeight(QString::fromUtf8("9GMgÜ$§[{|")) + 5;
    QCOMPARE(e.AutoRowHeight(2, 3), h);
    QCOMPARE(e.RowHeights(2), h);
    QCOMPARE(e.AutoRowHeight(0, 3), h);
    QCOMPARE(e.RowHeights(0), h);
    const int before = e.RowHeights(1);
    QCOMPARE(e.AutoRowHeight(-1, 40), h + 37);      // attribute row hidden: only returned
    QCOMPARE(e.RowHeights(1), before);
    QCOMPARE(e.AutoRowHeight(1, -100), 8);
}

void TestNTabEd::dataRelativeScrolling()
{
    TNTabEd e;
    e.resize(300, 200);
    e.Redimension(50, 100);
    e.SetAttribColVisible(true);
    e.SetLeftCol(10);
    QCOMPARE(e.LeftCol(), 10);
    QCOMPARE(e.TCustomGrid::GridLeftCol(), 11);
    e.SetLeftCol(-5);
    QCOMPARE(e.LeftCol(), 1);
    e.SetTopRow(40);
    QCOMPARE(e.TopRow(), 40);
    QCOMPARE(e.TCustomGrid::GridTopRow(), 41);
    e.SetTopRow(1000);                 // clamped by the grid to what fills the view
    QVERIFY(e.TopRow() <= 100 && e.TopRow() > 90);
}

void TestNTabEd::copyFromAnotherEditor()
{
    TNTabEd a, b;
    a.Redimension(2, 3);
    a.SetElem(2, 3, 4.5);
    a.SetCellState(2, 3, 0x41);
    a.SetPrecision(2, 7);
    a.SetComment("source");
    a.Data()->SetMScaleType(1, mstBinary);
    int change = 0;
    b.OnChange = [&](TObject*) { ++change; };
    b.CopyContentsFrom(&a);
    QCOMPARE(b.NrOfColumns(), 2);
    QCOMPARE(b.NrOfRows(), 3);
    QCOMPARE(b.ColCount(), 4);
    QCOMPARE(b.Elem(2, 3), 4.5);
    QCOMPARE(int(b.CellState(2, 3)), 0x41);
    QCOMPARE(b.Precision(2), 7);
    QCOMPARE(b.Comment(), QStringLiteral("source"));
    QCOMPARE(b.Data()->GetMScaleType(1), mstBinary);
    QCOMPARE(change, 1);
    a.SetElem(2, 3, 1);                  // a copy, not a share
    QCOMPARE(b.Elem(2, 3), 4.5);
    TNTabEd c;
    c.SetElem(1, 1, 9);
    c.CopyCellStatesFrom(&a);            // 3 x 4 from 2 x 3: the common cells
    QCOMPARE(int(c.CellState(2, 3)), 0x41);
    QCOMPARE(int(c.CellState(3, 4)), 0);
    QCOMPARE(c.Elem(1, 1), 9.0);
}

void TestNTabEd::attachedTableOutlivesEditor()
{
    auto table = std::make_unique<TDataTable>();
    table->Resize(6, 7);
    table->SetElem(6, 7, 2.5);
    {
        auto e = std::make_unique<TNTabEd>();
        int setup = 0;
        e->OnChangeSetup = [&](TObject*) { ++setup; };
        e->AssignAnotherDataMatrix(table.get());
        QVERIFY(e->ExternalData());
        QCOMPARE(e->Data(), table.get());
        QCOMPARE(e->NrOfColumns(), 6);
        QCOMPARE(e->ColCount(), 8);
        QCOMPARE(e->RowCount(), 8);
        QCOMPARE(e->Precision(6), 3);
        QCOMPARE(e->Elem(6, 7), 2.5);
        QCOMPARE(setup, 1);
        e->SetNrOfRows(9);                 // the editor resizes the application's table
        QCOMPARE(table->NrOfRows(), 9);
        table->Resize(8, 9);               // and follows when the application does
        QCOMPARE(e->ColCount(), 10);
        e->SetPrecision(8, 1);
    }
    // The editor is gone: changing the table calls into nothing (AddressSanitizer watches).
    QVERIFY(!table->OnDataChanged && !table->OnSetupChanged && !table->OnResize);
    QVERIFY(!table->OnPercentDone && !table->OnBeforeSortExchange);
    table->Resize(3, 3);
    table->SetElem(1, 1, 1);
    table->SetColName(1, "still here");
    table->SortCols(1, true, 1, 1, 3, 3, true);
    QCOMPARE(table->FindColIndex("still here"), 3);   // the column of value 1 went last
}

void TestNTabEd::attachedTableDetachedAndFreed()
{
    TNTabEd e;
    e.SetElem(1, 1, 42);
    auto table = std::make_unique<TDataTable>();
    table->Resize(2, 2);
    e.AssignAnotherDataMatrix(table.get());
    int change = 0;
    e.OnChange = [&](TObject*) { ++change; };
    table->SetElem(1, 1, 5);
    QCOMPARE(change, 1);
    e.AssignAnotherDataMatrix(nullptr);        // back to the own table
    QVERIFY(!e.ExternalData());
    QCOMPARE(e.Elem(1, 1), 42.0);
    QCOMPARE(e.ColCount(), 5);
    table->SetElem(1, 1, 6);
    table->Resize(10, 10);
    QCOMPARE(change, 1);
    QCOMPARE(e.NrOfColumns(), 3);
    // freed by the application while attached: the editor lets go and shows its own table
    e.AssignAnotherDataMatrix(table.get());
    QCOMPARE(e.NrOfColumns(), 10);
    table.reset();
    QVERIFY(!e.ExternalData());
    QCOMPARE(e.NrOfColumns(), 3);
    QCOMPARE(e.ColCount(), 5);
    QCOMPARE(e.Elem(1, 1), 42.0);
    e.SetNrOfColumns(4);
    QCOMPARE(e.Precision(4), 3);
}

void TestNTabEd::sharedTableBetweenEditors()
{
    TDataTable table;
    table.Resize(2, 2);
    auto first = std::make_unique<TNTabEd>();
    TNTabEd second;
    first->AssignAnotherDataMatrix(&table);
    second.AssignAnotherDataMatrix(&table);   // the table now notifies the second editor
    first.reset();                            // and the first one must not unbind it
    int change = 0;
    second.OnChange = [&](TObject*) { ++change; };
    table.SetElem(1, 1, 3);
    QCOMPARE(change, 1);
    table.Resize(4, 4);
    QCOMPARE(second.ColCount(), 6);
}

void TestNTabEd::randomOperationsKeepGridInLine()
{
    std::mt19937 rng(11);
    TNTabEd e;
    for (int step = 0; step < 1500; ++step) {
        const int k = int(rng() % 10);
        const int n = int(rng() % 8);
        switch (k) {
        case 0: e.InsertRow(n); break;
        case 1: e.RemoveRow(n); break;
        case 2: e.InsertColumn(n); break;
        case 3: e.RemoveColumn(n); break;
        case 4: e.SetAttribRowVisible(rng() % 2); break;
        case 5: e.SetAttribColVisible(rng() % 2); break;
        case 6: e.Redimension(n % 5 + 1, n % 3 + 1); break;
        case 7: e.SortCols(1, rng() % 2, 1, 1, n, n, true); break;
        case 8: e.SetPrecision(n, int(rng() % 15) - 3); break;
        default: e.MirrorColumns(); break;
        }
        QCOMPARE(e.ColCount(), e.NrOfColumns() + e.ColOffset() + 1);
        QCOMPARE(e.RowCount(), e.NrOfRows() + e.RowOffset() + 1);
        QCOMPARE(e.FixedCols(), e.ColOffset() + 1);
        QCOMPARE(e.FixedRows(), e.RowOffset() + 1);
        for (int c = 1; c <= e.NrOfColumns(); ++c)
            QVERIFY(e.Precision(c) >= -1 && e.Precision(c) <= 10);
        QCOMPARE(e.Precision(e.NrOfColumns() + 1), 0);
    }
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestNTabEd t;
        status |= QTest::qExec(&t, argc, argv);
    }
    status |= runRenderTests(argc, argv);
    status |= runEditTests(argc, argv);
    return status;
}

#include "tst_ntabed.moc"

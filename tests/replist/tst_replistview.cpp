// Tests of the report list view: geometry and header rows, sorting by header click,
// check marks, selection modes, column widths, editing, row operations and copying.
#include "replist/QOR_ReportListView.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include "tst_replistview_util.h"

using namespace qor;

class TestRepListView : public QObject {
    Q_OBJECT

private slots:
    void newViewDefaults();
    void commonHeaderMakesTwoFixedRows();
    void headerHeightClamp_data();
    void headerHeightClamp();
    void emptyListKeepsOneLine();
    void headerClickNearBorderDoesNotSort();
    void headerClickSortsAndToggles();
    void sortKeepsSelectedRow();
    void sortDisabled();
    void checkBoxClick();
    void radioClick();
    void checkClickOutsideBoxOrDisabled();
    void emptyCheckCellIgnoredWithoutEmptyBoxes();
    void multiSelection();
    void multiSelectionWithoutCtrl();
    void releaseOutsideDeselects();
    void rowSelectModeZero();
    void keysSelectCurrentRow();
    void centerScrollAndSelect_data();
    void centerScrollAndSelect();
    void mouseCell();
    void determineMaxColWidth();
    void autoAndExpandColWidth();
    void columnOrder();
    void colWidthsFollowColumnOrder();
    void editingWithPrefix();
    void editorOnlyInEditableColumns();
    void autoAdvance();
    void rowOperations();
    void removeLastRowWithTwoHeaderRows();
    void countCheckedSkipsDisabled();
    void firstSelectedRowDisabled();
    void changeEvents();
    void suppressPaintForBulk();
    void assignCopiesSettings();
    void xmlReadResizesGrid();
    void clipboardPassThrough();
    void wheelMovesCurrentRow();
    void dblClickOnHeaderBorderSizes();
};

void TestRepListView::newViewDefaults()
{
    TReportListView v;
    QCOMPARE(v.NrOfColumns(), 5);
    QCOMPARE(v.NrOfRows(), 4);
    for (int c = 1; c <= 5; ++c)
        QCOMPARE(v.GetColName(c), QStringLiteral("C-%1").arg(c));
    QCOMPARE(v.ColCount(), 5);
    QCOMPARE(v.RowCount(), 5);
    QCOMPARE(v.FixedRows(), 1);
    QCOMPARE(v.FixedCols(), 0);
    QCOMPARE(v.CountHeadRows(), 1);
    QCOMPARE(v.RowHeights(0), 20);
    QVERIFY(!v.CommonHeaderVisible());
    QCOMPARE(v.CommonHeader(), QStringLiteral("QOR Report Listview"));
    QVERIFY(!v.DefaultDrawing());
    QCOMPARE(v.Options(), (TGridOptions{goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking}));
    QCOMPARE(v.TopRow(), 1);
    QCOMPARE(v.RowSelectMode(), 1);
    QCOMPARE(v.ColorHigh(), TColor(0xCC9966));
    QCOMPARE(v.ColorSelectedRow(), TColor(0x94BAED));
    QCOMPARE(v.ColorColumnHd(), clBtnFace);
    QCOMPARE(v.InterRowIndicatorWidth(), 3);
    QVERIFY(v.SortEnabled());
    QVERIFY(v.UseCtrlForMultiSel());
    QVERIFY(v.ShowEmptyCheckBoxes());
    QVERIFY(!v.SuppressPaint());
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(v.Elem(1, r), QString());
}

void TestRepListView::commonHeaderMakesTwoFixedRows()
{
    TReportListView v;
    int changes = 0;
    v.OnChange = [&](TObject*) { ++changes; };
    v.SetColumnHeadersHeight(30);
    v.SetCommonHeaderVisible(true);
    QCOMPARE(v.FixedRows(), 2);
    QCOMPARE(v.RowCount(), 6);
    QCOMPARE(v.RowHeights(0), 20);
    QCOMPARE(v.RowHeights(1), 30);
    QVERIFY(changes >= 2);
    const int before = changes;
    v.SetCommonHeaderVisible(true);   // the same value: nothing
    QCOMPARE(changes, before);
    // with fewer than two data rows grid row 1 keeps its height
    v.SetNrRows(1);
    v.SetColumnHeadersHeight(40);
    QCOMPARE(v.RowHeights(1), 30);
    v.SetNrRows(3);
    QCOMPARE(v.RowHeights(1), 40);
    // only the common header
    v.SetColumnHeadersVisible(false);
    QCOMPARE(v.FixedRows(), 1);
    QCOMPARE(v.RowHeights(0), 20);
    QCOMPARE(v.RowHeights(1), v.DefaultRowHeight());
    // no header at all
    v.SetCommonHeaderVisible(false);
    QCOMPARE(v.FixedRows(), 0);
    QCOMPARE(v.RowCount(), 3);
    QCOMPARE(v.RowHeights(0), v.DefaultRowHeight());
}

void TestRepListView::headerHeightClamp_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("below") << 3 << 8;
    QTest::newRow("lowest") << 8 << 8;
    QTest::newRow("inside") << 50 << 50;
    QTest::newRow("highest") << 127 << 127;
    QTest::newRow("above") << 200 << 127;
}

void TestRepListView::headerHeightClamp()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    TReportListView v;
    v.SetCommonHeaderHeight(value);
    QCOMPARE(v.CommonHeaderHeight(), expected);
    v.SetColumnHeadersHeight(value);
    QCOMPARE(v.ColumnHeadersHeight(), expected);
    QCOMPARE(v.RowHeights(0), expected);
}

void TestRepListView::emptyListKeepsOneLine()
{
    TReportListView v;
    v.SetNrRows(0);
    QCOMPARE(v.RowCount(), 2);
    v.SetCommonHeaderVisible(true);
    QCOMPARE(v.RowCount(), 3);
    const int row = v.Row();
    QVERIFY(!v.DoMouseWheelDown(TShiftState(), TPoint(5, 5)));
    QVERIFY(!v.DoMouseWheelUp(TShiftState(), TPoint(5, 5)));
    QCOMPARE(v.Row(), row);
}

void TestRepListView::headerClickNearBorderDoesNotSort()
{
    ShownView s;
    fillLetters(*s.v, 1, {"c", "a", "b"});
    const TRect h = s.v->CellRect(0, 0);
    click(*s.v, h.Right - 3, 10);
    click(*s.v, h.Left + 3, 10);
    QCOMPARE(s.v->LastSortColumn(), -1);
    QCOMPARE(s.v->Elem(1, 1), QStringLiteral("c"));
}

void TestRepListView::headerClickSortsAndToggles()
{
    ShownView s;
    fillLetters(*s.v, 1, {"c", "a", "b"});
    fillLetters(*s.v, 2, {"2", "3", "1"});
    const TRect h1 = s.v->CellRect(0, 0);
    click(*s.v, (h1.Left + h1.Right) / 2, 10);
    QCOMPARE(s.v->LastSortColumn(), 1);
    QVERIFY(!s.v->LastSortOrder());   // the first click sorts descending
    QCOMPARE(columnTexts(*s.v, 1), (QStringList{"c", "b", "a"}));
    const TRect h2 = s.v->CellRect(1, 0);
    click(*s.v, (h2.Left + h2.Right) / 2, 10);   // another column: the other way
    QCOMPARE(s.v->LastSortColumn(), 2);
    QVERIFY(s.v->LastSortOrder());
    QCOMPARE(columnTexts(*s.v, 2), (QStringList{"1", "2", "3"}));
    click(*s.v, (h2.Left + h2.Right) / 2, 10);
    QVERIFY(!s.v->LastSortOrder());
    QCOMPARE(columnTexts(*s.v, 2), (QStringList{"3", "2", "1"}));
}

void TestRepListView::sortKeepsSelectedRow()
{
    ShownView s;
    fillLetters(*s.v, 1, {"c", "a", "b", "d"});
    // select data row 3 ("b") with a click
    const TRect cell = s.v->CellRect(1, 3);
    click(*s.v, cell.Left + 5, cell.Top + 5);
    QVERIFY(s.v->RowSelected(3));
    QCOMPARE(s.v->Row(), 3);
    const TRect h = s.v->CellRect(0, 0);
    click(*s.v, (h.Left + h.Right) / 2, 10);   // descending: d c b a
    QCOMPARE(columnTexts(*s.v, 1), (QStringList{"d", "c", "b", "a"}));
    QVERIFY(s.v->RowSelected(3));
    QCOMPARE(s.v->Elem(1, s.v->FirstSelectedRow()), QStringLiteral("b"));
    QCOMPARE(s.v->Selection().Top, 3);   // grid row 3 shows data row 3
    click(*s.v, (h.Left + h.Right) / 2, 10);   // ascending: a b c d
    QCOMPARE(s.v->Elem(1, s.v->FirstSelectedRow()), QStringLiteral("b"));
    QCOMPARE(s.v->Selection().Top, 2);
    QCOMPARE(s.v->NumSelectedRows(), 1);
}

void TestRepListView::sortDisabled()
{
    ShownView s;
    fillLetters(*s.v, 1, {"c", "a", "b"});
    s.v->SetSortEnabled(false);
    const TRect h = s.v->CellRect(0, 0);
    click(*s.v, (h.Left + h.Right) / 2, 10);
    QCOMPARE(s.v->LastSortColumn(), -1);
}

void TestRepListView::checkBoxClick()
{
    ShownView s;
    s.v->SetColCheckMode(2, cmBox);
    s.v->SetElem(2, 1, QStringLiteral("one"));
    s.v->SetElemChecked(2, 1, true);
    QList<QPair<bool, int>> before, after;
    s.v->OnBeforeCheckedChange = [&](TObject* sender, bool& st, int c, int r) {
        QCOMPARE(sender, s.v);
        before << qMakePair(st, c * 100 + r);
    };
    s.v->OnCheckedChange = [&](TObject*, bool& st, int c, int r) { after << qMakePair(st, c * 100 + r); };
    const TRect cell = s.v->CellRect(1, 1);
    click(*s.v, cell.Left + 8, cell.Top + 8);
    QVERIFY(!s.v->GetElemChecked(2, 1));
    QCOMPARE(s.v->Elem(2, 1), QStringLiteral("one"));
    QCOMPARE(before, (QList<QPair<bool, int>>{{false, 201}}));
    QCOMPARE(after, (QList<QPair<bool, int>>{{true, 201}}));   // the negation of the new state
    click(*s.v, cell.Left + 8, cell.Top + 8);
    QVERIFY(s.v->GetElemChecked(2, 1));
    // the handler may veto by changing the state
    s.v->OnBeforeCheckedChange = [](TObject*, bool& st, int, int) { st = true; };
    click(*s.v, cell.Left + 8, cell.Top + 8);
    QVERIFY(s.v->GetElemChecked(2, 1));
}

void TestRepListView::radioClick()
{
    ShownView s;
    s.v->SetColCheckMode(1, cmRadio);
    fillLetters(*s.v, 1, {"a", "b", "c"});
    s.v->SetElemChecked(1, 2, true);
    QList<bool> after;
    s.v->OnCheckedChange = [&](TObject*, bool& st, int, int) { after << st; };
    const TRect c2 = s.v->CellRect(0, 2);
    click(*s.v, c2.Left + 8, c2.Top + 8);
    QVERIFY(s.v->GetElemChecked(1, 2));   // a checked radio stays checked
    const TRect c3 = s.v->CellRect(0, 3);
    click(*s.v, c3.Left + 8, c3.Top + 8);
    QVERIFY(s.v->GetElemChecked(1, 3));
    QVERIFY(!s.v->GetElemChecked(1, 2));
    QCOMPARE(s.v->CountCheckedElemsInCol(1), 1);
    QCOMPARE(after.size(), 2);
}

void TestRepListView::checkClickOutsideBoxOrDisabled()
{
    ShownView s;
    s.v->SetColCheckMode(1, cmBox);
    fillLetters(*s.v, 1, {"a", "b", "c"});
    const TRect c1 = s.v->CellRect(0, 1);
    click(*s.v, c1.Left + 18, c1.Top + 8);   // 18 pixels in: no longer the box
    QVERIFY(!s.v->GetElemChecked(1, 1));
    click(*s.v, c1.Left + 17, c1.Top + 8);
    QVERIFY(s.v->GetElemChecked(1, 1));
    s.v->SetRowEnabled(2, false);
    const TRect c2 = s.v->CellRect(0, 2);
    click(*s.v, c2.Left + 8, c2.Top + 8);
    QVERIFY(!s.v->GetElemChecked(1, 2));
    s.v->SetCheckMarksReadOnly(true);
    const TRect c3 = s.v->CellRect(0, 3);
    click(*s.v, c3.Left + 8, c3.Top + 8);
    QVERIFY(!s.v->GetElemChecked(1, 3));
}

void TestRepListView::emptyCheckCellIgnoredWithoutEmptyBoxes()
{
    ShownView s;
    s.v->SetColCheckMode(1, cmBox);
    s.v->SetShowEmptyCheckBoxes(false);
    const TRect c1 = s.v->CellRect(0, 1);
    click(*s.v, c1.Left + 8, c1.Top + 8);
    QVERIFY(!s.v->GetElemChecked(1, 1));
    QCOMPARE(s.v->Data()->Strings()->GetString(1, 1), QString());
    s.v->SetShowEmptyCheckBoxes(true);
    click(*s.v, c1.Left + 8, c1.Top + 8);
    QVERIFY(s.v->GetElemChecked(1, 1));
}

void TestRepListView::multiSelection()
{
    ShownView s;
    s.v->SetNrRows(10);
    s.v->SetRowSelectMode(2);
    int events = 0;
    s.v->OnSelectedChange = [&](TObject*) { ++events; };
    clickRow(*s.v, 2);
    clickRow(*s.v, 5, Qt::ShiftModifier);
    QCOMPARE(selectedRows(*s.v), (QList<int>{2, 3, 4, 5}));
    clickRow(*s.v, 3, Qt::ControlModifier);
    QCOMPARE(selectedRows(*s.v), (QList<int>{2, 4, 5}));
    clickRow(*s.v, 7);
    QCOMPARE(selectedRows(*s.v), (QList<int>{7}));
    QCOMPARE(events, 4);
    // shift upwards from the new anchor
    clickRow(*s.v, 6, Qt::ShiftModifier);
    QCOMPARE(selectedRows(*s.v), (QList<int>{6, 7}));
}

void TestRepListView::multiSelectionWithoutCtrl()
{
    ShownView s;
    s.v->SetNrRows(6);
    s.v->SetRowSelectMode(2);
    s.v->SetUseCtrlForMultiSel(false);
    clickRow(*s.v, 2);
    clickRow(*s.v, 4);
    QCOMPARE(selectedRows(*s.v), (QList<int>{2, 4}));
    clickRow(*s.v, 2);
    QCOMPARE(selectedRows(*s.v), (QList<int>{4}));
}

void TestRepListView::releaseOutsideDeselects()
{
    ShownView s;
    s.v->SetRowSelectMode(2);
    s.v->SelectAllRows();
    QCOMPARE(s.v->NumSelectedRows(), 4);
    s.v->MouseUp(mbLeft, TShiftState(), 10, s.v->GetGridHeight() + 5);
    QCOMPARE(s.v->NumSelectedRows(), 0);
    s.v->SelectAllRows();
    s.v->MouseUp(mbRight, TShiftState(), 10, s.v->GetGridHeight() + 5);   // below: left button only
    QCOMPARE(s.v->NumSelectedRows(), 4);
    s.v->SetDefaultColWidth(30);
    s.v->MouseUp(mbRight, TShiftState(), s.v->GetGridWidth() + 5, 10);   // to the right: any button
    QCOMPARE(s.v->NumSelectedRows(), 0);
}

void TestRepListView::rowSelectModeZero()
{
    ShownView s;
    clickRow(*s.v, 2);
    QCOMPARE(selectedRows(*s.v), (QList<int>{2}));
    int events = 0;
    s.v->OnSelectedChange = [&](TObject*) { ++events; };
    s.v->SetRowSelectMode(0);
    QCOMPARE(events, 1);
    QCOMPARE(s.v->NumSelectedRows(), 0);
    QCOMPARE(s.v->Selection().Top, 5);   // NrOfRows + 1: outside the data
    clickRow(*s.v, 3);
    QCOMPARE(s.v->NumSelectedRows(), 0);
}

void TestRepListView::keysSelectCurrentRow()
{
    ShownView s;
    s.v->SetNrRows(10);
    clickRow(*s.v, 2);
    int events = 0;
    s.v->OnSelectedChange = [&](TObject*) { ++events; };
    QTest::keyClick(s.v, Qt::Key_Down);
    QCOMPARE(selectedRows(*s.v), (QList<int>{3}));
    QTest::keyClick(s.v, Qt::Key_End);
    QCOMPARE(selectedRows(*s.v), (QList<int>{10}));
    QTest::keyClick(s.v, Qt::Key_Home);
    QCOMPARE(selectedRows(*s.v), (QList<int>{1}));
    QCOMPARE(events, 3);
    QTest::keyClick(s.v, Qt::Key_A);   // not a navigation key
    QCOMPARE(events, 3);
}

void TestRepListView::centerScrollAndSelect_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    QTest::newRow("middle of 100") << 100 << 50 << 45;
    QTest::newRow("near the end of 53") << 53 << 50 << 44;
    QTest::newRow("near the start") << 100 << 3 << 1;
    QTest::newRow("last row") << 100 << 100 << 91;
}

void TestRepListView::centerScrollAndSelect()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(int, top);
    TReportListView v;
    v.SetBorderStyle(bsNone);
    v.SetScrollBars(ssNone);
    v.resize(400, 21 + 10 * 25);   // header 20 + line, ten rows of 24 + line
    v.SetNrRows(rows);
    QCOMPARE(v.VisibleRowCount(), 10);
    v.SetRowSelected(7, true);
    v.CenterScrollAndSelect(row);
    QCOMPARE(v.TopRow(), top);
    QCOMPARE(selectedRows(v), (QList<int>{row}));
    QCOMPARE(v.Selection().Top, row);   // one header row: grid row = data row
    QVERIFY(!v.SuppressPaint());
}

void TestRepListView::mouseCell()
{
    ShownView s;
    const TRect h = s.v->CellRect(2, 0);
    QCOMPARE(s.v->MouseCell(h.Left + 2, 5), (TGridCoord{3, -1}));
    const TRect d = s.v->CellRect(0, 2);
    QCOMPARE(s.v->MouseCell(d.Left + 2, d.Top + 2), (TGridCoord{1, 2}));
    QCOMPARE(s.v->MouseCell(5, s.v->GetGridHeight() + 3).Y, 0);
    s.v->SetCommonHeaderVisible(true);
    QCOMPARE(s.v->MouseCell(5, 5).Y, -2);
    QCOMPARE(s.v->MouseCell(5, s.v->CellRect(0, 1).Top + 2).Y, -1);
    QCOMPARE(s.v->MouseCell(5, s.v->CellRect(0, 2).Top + 2).Y, 1);
    s.v->SetColumnHeadersVisible(false);
    QCOMPARE(s.v->MouseCell(5, 5).Y, -2);
}

void TestRepListView::determineMaxColWidth()
{
    TReportListView v;
    v.SetElem(1, 1, QStringLiteral("short"));
    v.SetElem(1, 2, QStringLiteral("a longer text"));
    v.SetElem(2, 1, QStringLiteral("a longer text"));
    v.SetElem(3, 1, QStringLiteral("a longer text"));
    v.SetColCheckMode(2, cmBox);
    v.SetColCheckMode(3, cmRadio);
    v.SetElem(2, 1, QStringLiteral("a longer text"));
    v.SetElem(3, 1, QStringLiteral("a longer text"));
    TCanvas* cv = v.Canvas();
    cv->Font()->Assign(*v.Font());
    const int t = cv->TextWidth(QStringLiteral("a longer text"));
    QCOMPARE(v.DetermineMaxColWidth(1, false), t + 9);
    QCOMPARE(v.DetermineMaxColWidth(2, false), t + 16 + 9);
    QCOMPARE(v.DetermineMaxColWidth(3, false), t + 16 + 9);   // the glyph, not the prefix
    QCOMPARE(v.DetermineMaxColWidth(0, false), 9);
    QCOMPARE(v.DetermineMaxColWidth(6, true), 9);
    v.SetColName(4, QStringLiteral("A very long header name"));
    const int hw = cv->TextWidth(QStringLiteral("A very long header name"));
    QCOMPARE(v.DetermineMaxColWidth(4, false), 9);
    QCOMPARE(v.DetermineMaxColWidth(4, true), hw + 9);
    v.Sort(4, -1, true);
    QCOMPARE(v.DetermineMaxColWidth(4, true), hw + 13 + 9);
}

void TestRepListView::autoAndExpandColWidth()
{
    TReportListView v;
    v.SetBorderStyle(bsNone);
    v.SetScrollBars(ssNone);
    v.resize(500, 200);
    int setup = 0;
    v.OnChangeSetup = [&](TObject*) { ++setup; };
    v.SetElem(1, 1, QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    const int want = v.DetermineMaxColWidth(1, false);
    QCOMPARE(v.AutoColWidth(1, false, 3), want + 3);
    QCOMPARE(v.ColWidths(1), want + 3);
    QCOMPARE(v.AutoColWidth(1, false, 3, 50), 50);
    QCOMPARE(v.AutoColWidth(2, false, -100), 4);   // at least 4
    QVERIFY(setup >= 3);
    v.ExpandColWidth(3, 10);
    const int others = v.ColWidths(1) + v.ColWidths(2) + v.ColWidths(4) + v.ColWidths(5);
    QCOMPARE(v.ColWidths(3), 500 - 10 - others);
    v.SetColWidths(1, 600);
    v.ExpandColWidth(3, 10);
    QCOMPARE(v.ColWidths(3), 16);
    setup = 0;
    v.ExpandColWidth(9, 0);   // out of range: the event all the same
    QCOMPARE(setup, 1);
    v.SetColWidths(9, 20);
    QCOMPARE(setup, 2);
    QCOMPARE(v.ColWidths(9), 0);
}

void TestRepListView::columnOrder()
{
    TReportListView v;
    QCOMPARE(v.ColumnOrder(1), 1);
    QCOMPARE(v.ColumnOrder(0), 0);
    QCOMPARE(v.ColumnOrder(6), 0);
    QVERIFY(v.SetColumnOrder({5, 4, 3, 2, 1}));
    QCOMPARE(v.ColumnOrder(1), 5);
    QCOMPARE(v.ColumnOrder(5), 1);
    QVERIFY(!v.SetColumnOrder({1, 2, 3}));   // wrong count: nothing changes
    QCOMPARE(v.ColumnOrder(1), 5);
    QVERIFY(!v.SetColumnOrder({1, 9, 3, 4, 5}));   // a bad entry keeps its position
    QCOMPARE(v.ColumnOrder(1), 1);
    QCOMPARE(v.ColumnOrder(2), 4);
    // a change of the column count resets the order
    v.SetNrCols(6);
    QCOMPARE(v.ColumnOrder(1), 1);
    QCOMPARE(v.ColumnOrder(2), 2);
    QCOMPARE(v.ColumnOrder(6), 6);
}

void TestRepListView::colWidthsFollowColumnOrder()
{
    TReportListView v;
    v.SetNrCols(3);
    QVERIFY(v.SetColumnOrder({2, 3, 1}));   // grid column 0 shows data column 2, ...
    v.SetColWidths(1, 77);                  // data column 1 is shown in grid column 2
    QCOMPARE(v.TCustomGrid::GridColWidths(2), 77);
    QCOMPARE(v.ColWidths(1), 77);
    v.SetElem(2, 1, QStringLiteral("grid column zero"));
    QCOMPARE(v.GetEditText(0, 1), QStringLiteral("grid column zero"));
    // new columns take the width of the last one
    v.SetNrCols(5);
    QCOMPARE(v.TCustomGrid::GridColWidths(3), 77);
    QCOMPARE(v.TCustomGrid::GridColWidths(4), 77);
}

void TestRepListView::editingWithPrefix()
{
    TReportListView v;
    v.SetColCheckMode(2, cmBox);
    v.SetElem(2, 3, QStringLiteral("old"));
    v.SetElemChecked(2, 3, true);
    v.SetElem(1, 3, QStringLiteral("plain"));
    QCOMPARE(v.GetEditText(1, 3), QStringLiteral("old"));
    QCOMPARE(v.GetEditText(0, 3), QStringLiteral("plain"));
    QList<int> rows;
    v.OnSetEditText = [&](TObject*, int c, int r, const QString& val) { rows << c << r; QCOMPARE(val, QStringLiteral("new")); };
    v.SetEditText(1, 3, QStringLiteral("new"));
    QCOMPARE(v.Data()->Strings()->GetString(2, 3), QStringLiteral("Xnew"));
    QCOMPARE(rows, (QList<int>{1, 3}));
    v.SetElemChecked(2, 3, false);
    v.SetEditText(1, 3, QStringLiteral("new"));
    QCOMPARE(v.Data()->Strings()->GetString(2, 3), QStringLiteral(" new"));
    v.OnSetEditText = nullptr;
    v.SetEditText(0, 3, QString(300, QLatin1Char('z')));
    QCOMPARE(v.Elem(1, 3).length(), 255);
    v.OnGetEditText = [](TObject*, int, int r, QString& t) { t += QString::number(r); };
    QCOMPARE(v.GetEditText(0, 2), QStringLiteral("2"));
}

void TestRepListView::editorOnlyInEditableColumns()
{
    ShownView s;
    s.v->SetOptions(s.v->Options() - goRowSelect);
    s.v->SetColumnEditable(2, true);
    s.v->SetElem(2, 2, QStringLiteral("edit me"));
    const TRect c = s.v->CellRect(1, 2);
    click(*s.v, c.Left + 20, c.Top + 5);
    QVERIFY(s.v->Options().Contains(goEditing));
    click(*s.v, c.Left + 20, c.Top + 5);
    QVERIFY(s.v->EditorMode());
    QCOMPARE(s.v->InplaceEditText(), QStringLiteral("edit me"));
    QTest::keyClicks(s.v->InplaceEditor(), "X");
    QCOMPARE(s.v->Elem(2, 2), QStringLiteral("X"));
    QTest::keyClick(s.v->InplaceEditor(), Qt::Key_Return);
    QVERIFY(!s.v->EditorMode());
    // a column that is not editable
    const TRect c1 = s.v->CellRect(0, 2);
    click(*s.v, c1.Left + 20, c1.Top + 5);
    QVERIFY(!s.v->Options().Contains(goEditing));
    click(*s.v, c1.Left + 20, c1.Top + 5);
    QVERIFY(!s.v->EditorMode());
    // a disabled row
    s.v->SetRowEnabled(3, false);
    const TRect c3 = s.v->CellRect(1, 3);
    click(*s.v, c3.Left + 20, c3.Top + 5);
    click(*s.v, c3.Left + 20, c3.Top + 5);
    QVERIFY(!s.v->EditorMode());
}

void TestRepListView::autoAdvance()
{
    ShownView s;
    s.v->SetAutoAdvance(true);
    clickRow(*s.v, 1);
    QTest::keyClick(s.v, Qt::Key_Return);
    QCOMPARE(s.v->Row(), 2);
    QCOMPARE(selectedRows(*s.v), (QList<int>{2}));
    s.v->SetAutoAdvance(false);
    QTest::keyClick(s.v, Qt::Key_Return);
    QCOMPARE(s.v->Row(), 2);
}

void TestRepListView::rowOperations()
{
    TReportListView v;
    fillLetters(v, 1, {"a", "b", "c", "d"});
    v.Sort(1, -1, false);
    QCOMPARE(v.AddRow(), 5);
    QCOMPARE(v.RowCount(), 6);
    QCOMPARE(v.InsertRow(2), 2);
    QCOMPARE(v.NrOfRows(), 6);
    QCOMPARE(v.Elem(1, 2), QString());
    QCOMPARE(v.Elem(1, 3), QStringLiteral("c"));
    QCOMPARE(v.LastSortColumn(), -1);
    QCOMPARE(v.InsertRow(99), 7);
    QCOMPARE(v.NrOfRows(), 7);
    QCOMPARE(v.InsertRow(0), 0);
    QCOMPARE(v.NrOfRows(), 7);
    v.RemoveEmptyRows();
    QCOMPARE(columnTexts(v, 1), (QStringList{"d", "c", "b", "a"}));
    v.RemoveRow(1);
    QCOMPARE(columnTexts(v, 1), (QStringList{"c", "b", "a"}));
    QCOMPARE(v.RowCount(), 4);
    v.RemoveRow(0);
    v.RemoveRow(9);
    QCOMPARE(v.NrOfRows(), 3);
    v.Fill(QStringLiteral("f"));
    QCOMPARE(v.Elem(5, 3), QStringLiteral("f"));
    v.SetColumnAlignment(2, taRightJustify);
    v.SetColumnIsPwd(3, true);
    v.SetColName(1, QStringLiteral("Name"));
    v.Clear();
    QCOMPARE(v.Elem(5, 3), QString());
    QCOMPARE(v.GetColName(1), QStringLiteral("C-1"));
    QCOMPARE(v.ColumnAlignment(2), taLeftJustify);
    QVERIFY(!v.ColumnIsPwd(3));
    QCOMPARE(v.NrOfRows(), 3);
    v.RemoveRow(1);
    v.RemoveRow(1);
    v.RemoveRow(1);
    QCOMPARE(v.NrOfRows(), 0);
    QCOMPARE(v.RowCount(), 2);
}

void TestRepListView::removeLastRowWithTwoHeaderRows()
{
    TReportListView v;
    v.SetCommonHeaderVisible(true);
    v.SetNrRows(1);
    v.SetElem(1, 1, QStringLiteral("gone"));
    v.RemoveRow(1);
    QCOMPARE(v.NrOfRows(), 0);
    QCOMPARE(v.RowCount(), 3);
    v.SetNrRows(1);
    QCOMPARE(v.Elem(1, 1), QString());
}

void TestRepListView::countCheckedSkipsDisabled()
{
    TReportListView v;
    v.SetColCheckMode(1, cmBox);
    v.SetAllCheckmarksOfCol(1, true);
    QCOMPARE(v.CountCheckedElemsInCol(1), 4);
    v.SetRowEnabled(2, false);
    QCOMPARE(v.CountCheckedElemsInCol(1), 3);
    QCOMPARE(v.Data()->CountCheckedElemsInCol(1), 4);
    v.InvertAllCheckmarksOfCol(1);
    QCOMPARE(v.CountCheckedElemsInCol(1), 0);
    v.SetColCheckMode(2, cmRadio);
    v.SetAllCheckmarksOfCol(2, true);   // radio columns are left alone
    QCOMPARE(v.CountCheckedElemsInCol(2), 0);
    QCOMPARE(v.NumEnabledRows(), 3);
    v.EnableAllRows();
    QCOMPARE(v.NumEnabledRows(), 4);
    v.DisableAllRows();
    QCOMPARE(v.NumEnabledRows(), 0);
    QVERIFY(!v.RowEnabled(0));
    QVERIFY(!v.RowSelected(5));
}

void TestRepListView::firstSelectedRowDisabled()
{
    TReportListView v;
    QCOMPARE(v.FirstSelectedRow(), 0);
    v.SetRowSelected(3, true);
    v.SetRowSelected(4, true);
    QCOMPARE(v.FirstSelectedRow(), 3);
    v.SetRowEnabled(3, false);
    QCOMPARE(v.FirstSelectedRow(), 0);
    v.SetColumnSelected(2, true);
    v.SetColumnSelected(9, true);
    QCOMPARE(v.FirstSelectedColumn(), 2);
    QCOMPARE(v.NumSelectedColumns(), 1);
    v.SelectAllColumns();
    QCOMPARE(v.NumSelectedColumns(), 5);
    v.DeselectAllColumns();
    QCOMPARE(v.NumSelectedColumns(), 0);
}

void TestRepListView::changeEvents()
{
    TReportListView v;
    QStringList log;
    v.OnChange = [&](TObject*) { log << "change"; };
    v.OnChangeSetup = [&](TObject*) { log << "setup"; };
    v.OnSelectedChange = [&](TObject*) { log << "selected"; };
    v.SetColorHigh(0x123456);
    v.SetCommonHeader(QStringLiteral("Report"));
    v.SetCommonHeader(QStringLiteral("Report"));
    v.SetRowSelected(1, true);
    v.SetEmptyMessage(QStringLiteral("none"));
    v.SetEmptyMessage(QStringLiteral("none"));
    v.SetColorEmptyMsg(0);
    v.SetSecondarySortColumn(9);
    v.SetSecondarySortColumn(2);
    QCOMPARE(log, (QStringList{"setup", "change", "selected", "setup", "setup"}));
    QCOMPARE(v.SecondarySortColumn(), 2);
    log.clear();
    v.SetElem(1, 1, QStringLiteral("x"));
    QCOMPARE(log, (QStringList{"change"}));
}

void TestRepListView::suppressPaintForBulk()
{
    TReportListView v;
    v.resize(300, 200);
    fillLetters(v, 1, {"a", "b", "c", "d"});
    v.SetSuppressPaint(true);
    v.Canvas()->Brush()->SetColor(0x00FF00);
    v.Canvas()->FillRect(TRect(0, 0, 300, 200));
    v.Paint();   // suppressed: the canvas keeps what was there
    v.Canvas()->Flush();
    QCOMPARE(RgbToColor(v.Canvas()->Target()->pixel(50, 50)), TColor(0x00FF00));
    v.SelectAllRows();   // a bulk operation restores the suppressed state
    QVERIFY(v.SuppressPaint());
    v.SetSuppressPaint(false);   // repaints at once
    v.Canvas()->Flush();
    QVERIFY(RgbToColor(v.Canvas()->Target()->pixel(50, 50)) != TColor(0x00FF00));
}

void TestRepListView::assignCopiesSettings()
{
    TReportListView a, b;
    a.SetNrCols(3);
    a.SetNrRows(6);
    a.SetCommonHeaderVisible(true);
    a.SetFixedFirstColumn(true);
    a.SetColorSelectedRow(0x111111);
    a.SetRowColPattern(3);
    a.SetRowSelectMode(2);
    a.SetColumnAlignment(2, taCenter);
    a.SetColumnEditable(3, true);
    a.SetColumnIsPwd(1, true);
    a.SetColumnOrder({3, 1, 2});
    a.SetElem(2, 4, QStringLiteral("copied"));
    a.SetRowSelected(4, true);
    bool fired = false;
    a.OnCheckedChange = [&](TObject*, bool&, int, int) { fired = true; };
    b.Assign(&a);
    QCOMPARE(b.NrOfColumns(), 3);
    QCOMPARE(b.NrOfRows(), 6);
    QCOMPARE(b.ColCount(), 3);
    QCOMPARE(b.RowCount(), 8);
    QCOMPARE(b.FixedRows(), 2);
    QCOMPARE(b.FixedCols(), 1);
    QCOMPARE(b.ColorSelectedRow(), TColor(0x111111));
    QCOMPARE(b.RowColPattern(), 3);
    QCOMPARE(b.RowSelectMode(), 2);
    QCOMPARE(b.ColumnAlignment(2), taCenter);
    QVERIFY(b.ColumnEditable(3));
    QVERIFY(b.ColumnIsPwd(1));
    QCOMPARE(b.ColumnOrder(1), 3);
    QCOMPARE(b.Elem(2, 4), QStringLiteral("copied"));
    QVERIFY(b.RowSelected(4));
    QVERIFY(b.OnCheckedChange);
    bool state = false;
    b.OnCheckedChange(&b, state, 1, 1);
    QVERIFY(fired);
    QObject other;
    QVERIFY_THROWS_EXCEPTION(EQORError, b.Assign(&other));
    TReportListView c;
    a.AssignTo(&c);
    QCOMPARE(c.Elem(2, 4), QStringLiteral("copied"));
}

void TestRepListView::xmlReadResizesGrid()
{
    TReportListView a, b;
    a.SetNrCols(2);
    a.SetNrRows(7);
    a.SetElem(2, 7, QStringLiteral("last"));
    const QString xml = a.XMLText(true, QStringLiteral("ID1"));
    QVERIFY(b.ReadFromXMLString(xml, QStringLiteral("ID1")));
    QCOMPARE(b.NrOfColumns(), 2);
    QCOMPARE(b.NrOfRows(), 7);
    QCOMPARE(b.ColCount(), 2);
    QCOMPARE(b.RowCount(), 8);
    QCOMPARE(b.Elem(2, 7), QStringLiteral("last"));
    QCOMPARE(b.ColumnOrder(2), 2);
    QCOMPARE(b.ColumnOrder(3), 0);
    QVERIFY(!b.ReadFromXMLString(QStringLiteral("garbage"), QString()));
    QCOMPARE(b.RowCount(), 8);
}

void TestRepListView::clipboardPassThrough()
{
    TReportListView v;
    v.SetElem(1, 1, QStringLiteral("a"));
    v.SetElem(2, 1, QStringLiteral("b"));
    v.CopyToClipBoard(1, 1, 2, 1, false, ";");
    QCOMPARE(Clipboard()->AsText(), QStringLiteral("a;b\n"));
}

void TestRepListView::wheelMovesCurrentRow()
{
    ShownView s;
    clickRow(*s.v, 1);
    QVERIFY(s.v->DoMouseWheelDown(TShiftState(), TPoint(5, 5)));
    QCOMPARE(s.v->Row(), 2);
}

void TestRepListView::dblClickOnHeaderBorderSizes()
{
    ShownView s;
    s.v->SetElem(1, 1, QStringLiteral("a rather long text that needs room"));
    int dbl = 0;
    s.v->OnDblClick = [&](TObject*) { ++dbl; };
    const TRect h = s.v->CellRect(0, 0);
    // DblClick comes before the double click's MouseDown: the pointer is already there.
    QTest::mouseMove(s.v->viewport(), QPoint(h.Right - 2, 10));
    QTest::mouseDClick(s.v->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(h.Right - 2, 10));
    QCOMPARE(s.v->ColWidths(1), s.v->DetermineMaxColWidth(1, true));
    QCOMPARE(dbl, 0);
    const TRect d = s.v->CellRect(1, 2);
    QTest::mouseMove(s.v->viewport(), QPoint(d.Left + 10, d.Top + 5));
    QTest::mouseDClick(s.v->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(d.Left + 10, d.Top + 5));
    QCOMPARE(dbl, 1);
}

QObject* createRenderTests();
QObject* createFaultTests();
QObject* createSequenceTests();

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestRepListView model;
    int failed = QTest::qExec(&model, argc, argv);
    QObject* render = createRenderTests();
    failed += QTest::qExec(render, argc, argv);
    delete render;
    for (QObject* t : {createFaultTests(), createSequenceTests()}) {
        failed += QTest::qExec(t, argc, argv);
        delete t;
    }
    return failed;
}

#include "tst_replistview.moc"

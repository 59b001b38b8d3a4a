// Tests of the grid base: axis geometry, cell rectangles and hit tests, scrolling,
// keyboard and wheel navigation, the in-place editor, column sizing and painting.
#include "foundation/QOR_Testing.h"
#include "foundation/QOR_Grid.h"

#include <QApplication>
#include <QScrollBar>
#include <QtTest>

using namespace qor;

namespace {

// A grid that records the cells it is asked to draw.
class ProbeGrid : public TCustomDrawGrid {
public:
    explicit ProbeGrid(QWidget* parent = nullptr) : TCustomDrawGrid(parent)
    {
        SetBorderStyle(bsNone);
        SetScrollBars(ssNone);
    }
    int drawn = 0;
    TEditStyle style = esSimple;
    QStringList pick;
    QString cellText = QStringLiteral("abc");
    QStringList edits;
    QString GetEditText(int, int) override { return cellText; }
    void SetEditText(int, int, const QString& v) override { edits << v; }
    TEditStyle GetEditStyle(int, int) override { return style; }

protected:
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState st) override
    {
        ++drawn;
        TCustomDrawGrid::DrawCell(c, r, rect, st);
    }
    void GetPickListItems(int, int, QStringList& items) override { items = pick; }
};

TGridAxis axis(std::vector<int> sizes, int fixed, int first, int lw = 1)
{
    TGridAxis a;
    a.Sizes = std::move(sizes);
    a.Fixed = fixed;
    a.First = first;
    a.LineWidth = lw;
    return a;
}

QImage rendered(TCustomGrid& g)
{
    g.Paint();
    g.Canvas()->Flush();
    return *g.Canvas()->Target();
}

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

} // namespace

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    void axisIndexAt_data();
    void axisIndexAt();
    void axisMaxFirstAndVisible();
    void axisCellStartScrolledOut();
    void cellRectAndMouseCoord();
    void mouseCoordOutside();
    void gridExtent();
    void scrollClamps();
    void keyboardNavigation_data();
    void keyboardNavigation();
    void pageKeysAndRangeSelect();
    void wheelMovesRow();
    void wheelHandlerCanVeto();
    void editorRoundTrip();
    void editorEscapeRestores();
    void editorNeedsEditingOption();
    void typingStartsEditor();
    void secondClickOpensEditor();
    void pickListEditor();
    void columnSizingByDrag();
    void defaultDrawingColours();
    void paintVisitsOnlyVisibleCells();
    void selectCellVeto();
    void topLeftChangedFires();
    void directPaintReachesScreen();
    void dragSizingGoesThroughOneHook();
};

void TestGrid::axisIndexAt_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("index");
    // sizes 10, 20, 30 with 1-pixel lines: cell 0 spans 0..10 (line at 10), cell 1 11..31, cell 2 32..62
    QTest::newRow("first pixel") << 0 << 0;
    QTest::newRow("last pixel of cell 0") << 9 << 0;
    QTest::newRow("line after cell 0") << 10 << 0;
    QTest::newRow("first pixel of cell 1") << 11 << 1;
    QTest::newRow("line after cell 1") << 31 << 1;
    QTest::newRow("cell 2") << 32 << 2;
    QTest::newRow("line after last") << 62 << 2;
    QTest::newRow("beyond the cells") << 63 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void TestGrid::axisIndexAt()
{
    QFETCH(int, pos);
    QFETCH(int, index);
    const TGridAxis a = axis({10, 20, 30}, 1, 1);
    QCOMPARE(a.IndexAt(pos, 1000), index);
}

void TestGrid::axisMaxFirstAndVisible()
{
    // fixed cell of 10 + line; nine cells of 20 + line; view 100 leaves 89 for scrolling cells
    TGridAxis a = axis({10, 20, 20, 20, 20, 20, 20, 20, 20, 20}, 1, 1);
    QCOMPARE(a.FixedExtent(), 11);
    QCOMPARE(a.VisibleCount(100), 4);   // 11 + 4*21 = 95; a fifth would end at 116
    QCOMPARE(a.MaxFirst(100), 6);       // cells 6..9 (4 x 21 = 84 <= 89)
    a.First = 6;
    QCOMPARE(a.VisibleCount(100), 4);
    QCOMPARE(a.LastVisible(100), 9);
    a.First = 1;
    QCOMPARE(a.LastVisible(100), 5);    // cell 5 starts at 95, partly shown
    QCOMPARE(a.GridExtent(100), 100);
    QCOMPARE(a.GridExtent(1000), 11 + 9 * 21);
    // no scrollable cells: MaxFirst stays at the fixed count
    const TGridAxis f = axis({10}, 1, 1);
    QCOMPARE(f.MaxFirst(100), 1);
}

void TestGrid::axisCellStartScrolledOut()
{
    const TGridAxis a = axis({10, 20, 20, 20, 20}, 1, 3);
    int s = -1;
    QVERIFY(a.CellStart(0, 100, s));
    QCOMPARE(s, 0);
    QVERIFY(!a.CellStart(1, 100, s));   // scrolled out
    QVERIFY(!a.CellStart(2, 100, s));
    QVERIFY(a.CellStart(3, 100, s));
    QCOMPARE(s, 11);
    QVERIFY(a.CellStart(4, 100, s));
    QCOMPARE(s, 32);
    QVERIFY(!a.CellStart(4, 32, s));    // starts at the view's end
    QVERIFY(!a.CellStart(5, 100, s));
}

void TestGrid::cellRectAndMouseCoord()
{
    ProbeGrid g;
    g.resize(400, 200);
    QCOMPARE(g.ClientWidth(), 400);
    QCOMPARE(g.ColCount(), 5);
    QCOMPARE(g.RowCount(), 5);
    QCOMPARE(g.DefaultColWidth(), 64);
    QCOMPARE(g.DefaultRowHeight(), 24);
    QCOMPARE(g.CellRect(0, 0), TRect(0, 0, 64, 24));
    QCOMPARE(g.CellRect(1, 1), TRect(65, 25, 129, 49));
    QCOMPARE(g.CellRect(4, 4), TRect(260, 100, 324, 124));
    g.SetGridColWidths(1, 10);
    QCOMPARE(g.CellRect(2, 0), TRect(76, 0, 140, 24));
    // hit tests on fixed cells and at borders
    QCOMPARE(g.MouseCoord(0, 0), (TGridCoord{0, 0}));
    QCOMPARE(g.MouseCoord(64, 24), (TGridCoord{0, 0}));  // the lines belong to the cell before
    QCOMPARE(g.MouseCoord(65, 25), (TGridCoord{1, 1}));
    QCOMPARE(g.MouseCoord(75, 30), (TGridCoord{1, 1}));
    QCOMPARE(g.MouseCoord(76, 30), (TGridCoord{2, 1}));
    int c = 0, r = 0;
    g.MouseToCell(80, 110, c, r);
    QCOMPARE(c, 2);
    QCOMPARE(r, 4);
}

void TestGrid::mouseCoordOutside()
{
    ProbeGrid g;
    g.resize(400, 200);
    // grid ends at x = 5*65 = 325 and y = 5*25 = 125
    QCOMPARE(g.MouseCoord(324, 124), (TGridCoord{4, 4}));
    QCOMPARE(g.MouseCoord(325, 10), (TGridCoord{-1, -1}));
    QCOMPARE(g.MouseCoord(10, 125), (TGridCoord{-1, -1}));
    QCOMPARE(g.MouseCoord(-1, 10), (TGridCoord{-1, -1}));
    QCOMPARE(g.GetGridWidth(), 325);
    QCOMPARE(g.GetGridHeight(), 125);
}

void TestGrid::gridExtent()
{
    ProbeGrid g;
    g.resize(200, 100);
    g.SetRowCount(50);
    g.SetColCount(50);
    QCOMPARE(g.GetGridWidth(), 200);
    QCOMPARE(g.GetGridHeight(), 100);
    QCOMPARE(g.VisibleRowCount(), 3);   // the third data row ends at 25 + 2*25 + 24 = 99
    QCOMPARE(g.VisibleColCount(), 2);   // the third data column would end at 65 + 2*65 + 64 = 259
}

void TestGrid::scrollClamps()
{
    ProbeGrid g;
    g.resize(400, 251);   // fixed row 25 + 9 rows of 25 = 250 fit
    g.SetRowCount(100);
    QCOMPARE(g.VisibleRowCount(), 9);
    g.SetGridTopRow(1000);
    QCOMPARE(g.GridTopRow(), 91);       // rows 91..99 fill the view
    g.SetGridTopRow(-5);
    QCOMPARE(g.GridTopRow(), 1);
    g.SetGridTopRow(50);
    QCOMPARE(g.GridTopRow(), 50);
    QVERIFY(g.CellRect(1, 10).IsEmpty());                      // scrolled out
    QCOMPARE(g.CellRect(1, 0), TRect(65, 0, 129, 24));         // fixed rows stay put
    QCOMPARE(g.CellRect(1, 50), TRect(65, 25, 129, 49));
    QCOMPARE(g.MouseCoord(70, 30), (TGridCoord{1, 50}));
    g.SetGridLeftCol(99);
    QCOMPARE(g.GridLeftCol(), 1);       // all columns fit: nothing to scroll
    // fewer rows clamp the top row
    g.SetRowCount(20);
    QCOMPARE(g.GridTopRow(), 11);
    g.SetRowCount(5);
    QCOMPARE(g.GridTopRow(), 1);
    // changing the fixed count starts scrolling right after the fixed cells
    g.SetFixedCols(0);
    QCOMPARE(g.GridLeftCol(), 0);
    QCOMPARE(g.CellRect(0, 1), TRect(0, 25, 64, 49));
    g.SetFixedRows(2);
    QCOMPARE(g.GridTopRow(), 2);
}

void TestGrid::keyboardNavigation_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("startCol");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << 2 << 2 << 2 << 3;
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << 2 << 2 << 2 << 1;
    QTest::newRow("up stops at first data row") << int(Qt::Key_Up) << 0 << 2 << 1 << 2 << 1;
    QTest::newRow("down stops at last row") << int(Qt::Key_Down) << 0 << 2 << 19 << 2 << 19;
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << 2 << 2 << 1 << 2;
    QTest::newRow("left stops at fixed col") << int(Qt::Key_Left) << 0 << 1 << 2 << 1 << 2;
    QTest::newRow("right") << int(Qt::Key_Right) << 0 << 2 << 2 << 3 << 2;
    QTest::newRow("home") << int(Qt::Key_Home) << 0 << 3 << 5 << 1 << 5;
    QTest::newRow("end") << int(Qt::Key_End) << 0 << 2 << 5 << 4 << 5;
    QTest::newRow("ctrl home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 3 << 5 << 1 << 1;
    QTest::newRow("ctrl end") << int(Qt::Key_End) << int(Qt::ControlModifier) << 2 << 5 << 4 << 19;
}

void TestGrid::keyboardNavigation()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, startCol);
    QFETCH(int, startRow);
    QFETCH(int, col);
    QFETCH(int, row);
    ProbeGrid g;
    g.resize(400, 200);
    g.SetRowCount(20);
    g.MoveColRow(startCol, startRow, true, true);
    QTest::keyClick(&g, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(g.Col(), col);
    QCOMPARE(g.Row(), row);
    QCOMPARE(g.Selection(), GridRect(col, row, col, row));
    // the current cell is kept in view
    QVERIFY(!g.CellRect(col, row).IsEmpty());
}

void TestGrid::pageKeysAndRangeSelect()
{
    ProbeGrid g;
    g.resize(400, 251);
    g.SetRowCount(100);
    QCOMPARE(g.VisibleRowCount(), 9);
    g.MoveColRow(1, 1, true, true);
    QTest::keyClick(&g, Qt::Key_PageDown);
    QCOMPARE(g.Row(), 10);
    QCOMPARE(g.GridTopRow(), 10);
    QTest::keyClick(&g, Qt::Key_PageUp);
    QCOMPARE(g.Row(), 1);
    QCOMPARE(g.GridTopRow(), 1);
    // shift extends from the anchor with goRangeSelect
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(g.Selection(), GridRect(1, 1, 2, 2));
    // without it the anchor follows
    g.SetOptions(g.Options() - goRangeSelect);
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(g.Selection(), GridRect(2, 3, 2, 3));
    // row select spans all scrollable columns; left/right scroll instead of moving
    g.SetOptions(g.Options() + goRowSelect);
    QCOMPARE(g.Selection(), GridRect(1, 3, 4, 3));
    QTest::keyClick(&g, Qt::Key_Left);
    QCOMPARE(g.Col(), 2);
}

void TestGrid::wheelMovesRow()
{
    ProbeGrid g;
    g.resize(400, 251);
    g.SetRowCount(30);
    g.MoveColRow(1, 1, true, true);
    QVERIFY(g.DoMouseWheelDown(TShiftState(), TPoint(5, 5)));
    QCOMPARE(g.Row(), 2);
    QVERIFY(g.DoMouseWheelUp(TShiftState(), TPoint(5, 5)));
    QVERIFY(g.DoMouseWheelUp(TShiftState(), TPoint(5, 5)));
    QCOMPARE(g.Row(), 1);
    // a real wheel event: two notches down
    QWheelEvent ev(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &ev);
    QCOMPARE(g.Row(), 3);
    for (int i = 0; i < 40; ++i)
        g.DoMouseWheelDown(TShiftState(), TPoint());
    QCOMPARE(g.Row(), 29);
    QCOMPARE(g.GridTopRow(), 21);
}

void TestGrid::wheelHandlerCanVeto()
{
    ProbeGrid g;
    g.resize(400, 200);
    int calls = 0;
    g.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) { ++calls; handled = true; };
    g.MoveColRow(1, 1, true, true);
    g.DoMouseWheel(TShiftState(), -120, TPoint());
    QCOMPARE(calls, 1);
    QCOMPARE(g.Row(), 1);
}

void TestGrid::editorRoundTrip()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goEditing);
    g.MoveColRow(2, 3, true, true);
    g.ShowEditor();
    QVERIFY(g.EditorMode());
    auto* ed = qobject_cast<TInplaceEdit*>(g.InplaceEditor());
    QVERIFY(ed);
    QCOMPARE(ed->text(), QStringLiteral("abc"));
    QCOMPARE(ed->geometry(), g.CellRect(2, 3).ToQRect());
    QVERIFY(g.edits.isEmpty());   // showing the editor changes nothing
    ed->setFocus();
    QTest::keyClick(ed, Qt::Key_End);
    QTest::keyClicks(ed, "de");
    QCOMPARE(g.edits, (QStringList{"abcd", "abcde"}));
    QTest::keyClick(ed, Qt::Key_Return);
    QVERIFY(!g.EditorMode());
    QVERIFY(!ed->isVisible());
    // arrows leave the editor and move
    g.ShowEditor();
    QVERIFY(g.EditorMode());
    QTest::keyClick(g.InplaceEditor(), Qt::Key_Down);
    QVERIFY(!g.EditorMode());
    QCOMPARE(g.Row(), 4);
}

void TestGrid::editorEscapeRestores()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goEditing);
    g.ShowEditor();
    auto* ed = qobject_cast<QLineEdit*>(g.InplaceEditor());
    QVERIFY(ed);
    QTest::keyClicks(ed, "xy");   // replaces the selected text
    QCOMPARE(g.edits.last(), QStringLiteral("xy"));
    QTest::keyClick(ed, Qt::Key_Escape);
    QVERIFY(!g.EditorMode());
    QCOMPARE(g.edits.last(), QStringLiteral("abc"));
}

void TestGrid::editorNeedsEditingOption()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.ShowEditor();
    QVERIFY(!g.EditorMode());
    g.SetOptions(g.Options() + goEditing + goRowSelect);
    g.ShowEditor();
    QVERIFY(!g.EditorMode());
    g.SetOptions(g.Options() - goRowSelect);
    g.ShowEditor();
    QVERIFY(g.EditorMode());
    g.SetOptions(g.Options() - goEditing);   // taking the option away closes the editor
    QVERIFY(!g.EditorMode());
}

void TestGrid::typingStartsEditor()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goEditing);
    g.setFocus();
    QTest::keyClick(&g, Qt::Key_7);
    QVERIFY(g.EditorMode());
    QCOMPARE(g.InplaceEditText(), QStringLiteral("7"));
    QCOMPARE(g.edits.last(), QStringLiteral("7"));
    QTest::keyClick(g.InplaceEditor(), Qt::Key_8);
    QCOMPARE(g.edits.last(), QStringLiteral("78"));
    // F2 on a non-editing grid does nothing
    ProbeGrid h;
    QTest::keyClick(&h, Qt::Key_F2);
    QVERIFY(!h.EditorMode());
}

void TestGrid::secondClickOpensEditor()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goEditing);
    const QPoint p = g.CellRect(3, 2).ToQRect().center();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(g.Col(), 3);
    QCOMPARE(g.Row(), 2);
    QVERIFY(!g.EditorMode());   // the first click only selects
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QVERIFY(g.EditorMode());
    // a click elsewhere closes it
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, g.CellRect(1, 1).ToQRect().center());
    QVERIFY(!g.EditorMode());
    QCOMPARE(g.Col(), 1);
}

void TestGrid::pickListEditor()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goEditing);
    g.style = esPickList;
    g.pick = QStringList{"one", "two", "three"};
    g.ShowEditor();
    auto* list = qobject_cast<TInplaceEditList*>(g.InplaceEditor());
    QVERIFY(list);
    QCOMPARE(list->PickList(), g.pick);
    QCOMPARE(g.InplaceEditText(), QStringLiteral("abc"));
    list->setCurrentIndex(1);
    QCOMPARE(g.edits.last(), QStringLiteral("two"));
    g.HideEditor();
    // back to a simple editor for a simple cell
    g.style = esSimple;
    g.ShowEditor();
    QVERIFY(qobject_cast<TInplaceEdit*>(g.InplaceEditor()));
}

void TestGrid::columnSizingByDrag()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goColSizing);
    // the border of column 1 is the line at x = 129
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(129, 10));
    QTest::mouseMove(g.viewport(), QPoint(159, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(159, 10), QPointF(159, 10), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(159, 10));
    QCOMPARE(g.GridColWidths(1), 94);
    QCOMPARE(g.GridColWidths(2), 64);
    // in the data rows a press at a border selects instead of sizing
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(159, 40));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
    QCOMPARE(g.GridColWidths(1), 94);
    // without goColSizing nothing is sized
    g.SetOptions(g.Options() - goColSizing);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(159, 10));
    QMouseEvent move2(QEvent::MouseMove, QPointF(190, 10), QPointF(190, 10), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move2);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(190, 10));
    QCOMPARE(g.GridColWidths(1), 94);
}

void TestGrid::defaultDrawingColours()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.SetColor(0x00FFEEDD);
    g.SetFixedColor(0x00112233);
    g.MoveColRow(2, 2, true, true);
    TColor selectedFont = 0, normalFont = 1;
    g.OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState st) {
        if (c == 2 && r == 2) {
            QVERIFY(st.Contains(gdSelected));
            selectedFont = g.Canvas()->Font()->Color();
        } else if (c == 3 && r == 3) {
            normalFont = g.Canvas()->Font()->Color();
        }
    };
    const QImage img = rendered(g);
    QCOMPARE(selectedFont, clHighlightText);
    QCOMPARE(normalFont, g.Font()->Color());
    g.OnDrawCell = nullptr;
    QCOMPARE(px(img, 10, 10), TColor(0x112233));                 // fixed cell
    QCOMPARE(px(img, 70, 30), TColor(0xFFEEDD));                 // normal cell
    QCOMPARE(px(img, 64, 10), clBlack);                          // fixed line
    QCOMPARE(px(img, 129, 30), clSilver);                        // cell line
    QCOMPARE(px(img, 140, 60), g.ResolveColor(clHighlight));     // selected, not focused
    QCOMPARE(px(img, 350, 10), TColor(0xFFEEDD));                // beyond the grid
    // without the line options the lines are not drawn
    g.SetOptions(TGridOptions{});
    const QImage img2 = rendered(g);
    QCOMPARE(px(img2, 129, 30), TColor(0xFFEEDD));
    // DefaultDrawing off: only DrawCell paints, the cells keep the background
    g.SetDefaultDrawing(false);
    const QImage img3 = rendered(g);
    QCOMPARE(px(img3, 10, 10), TColor(0xFFEEDD));
    QCOMPARE(px(img3, 140, 60), TColor(0xFFEEDD));
}

void TestGrid::paintVisitsOnlyVisibleCells()
{
    ProbeGrid small, big;
    for (ProbeGrid* g : {&small, &big}) {
        g->resize(400, 251);
        g->SetColCount(20);
    }
    small.SetRowCount(100);
    big.SetRowCount(1000000);
    small.drawn = big.drawn = 0;
    small.Paint();
    big.Paint();
    QCOMPARE(small.drawn, big.drawn);
    QCOMPARE(small.drawn, 7 * 11);   // 7 columns (1 fixed + 6 partly visible) x 11 rows (1 fixed + 10)
    big.SetGridTopRow(500000);
    big.drawn = 0;
    big.Paint();
    QCOMPARE(big.drawn, 7 * 11);
    QList<int> rows;
    big.OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState st) {
        if (c == 0)
            rows << r;
        QCOMPARE(st.Contains(gdFixed), c == 0 || r == 0);
    };
    big.Paint();
    QCOMPARE(rows.first(), 0);
    QCOMPARE(rows.at(1), 500000);
}

void TestGrid::selectCellVeto()
{
    ProbeGrid g;
    g.resize(400, 200);
    g.OnSelectCell = [](TObject*, int c, int, bool& ok) { ok = c != 3; };
    g.MoveColRow(2, 2, true, true);
    g.MoveColRow(3, 2, true, true);
    QCOMPARE(g.Col(), 2);
    g.MoveColRow(9, 2, true, true);   // outside: ignored
    QCOMPARE(g.Col(), 2);
    g.SetSelection(GridRect(5, 6, 5, 6));   // unchecked: may lie outside the cells
    QCOMPARE(g.Selection(), GridRect(5, 6, 5, 6));
    QTest::keyClick(&g, Qt::Key_Up);   // navigation from outside comes back into range
    QCOMPARE(g.Row(), 4);
    QCOMPARE(g.Col(), 4);
}

void TestGrid::topLeftChangedFires()
{
    ProbeGrid g;
    g.resize(400, 251);
    g.SetRowCount(100);
    int n = 0;
    g.OnTopLeftChanged = [&](TObject*) { ++n; };
    g.SetGridTopRow(5);
    g.SetGridTopRow(5);
    QCOMPARE(n, 1);
    g.SetScrollBars(ssBoth);
    g.verticalScrollBar()->setValue(8);
    QCOMPARE(g.GridTopRow(), 8);
    QCOMPARE(n, 2);
    QCOMPARE(g.verticalScrollBar()->maximum(), 91);
}

namespace {
// Draws its cells in one colour, repainted at once by SetFill as a setter of a derived
// control does.
class FillGrid : public ProbeGrid {
public:
    TColor fill = clWhite;
    QList<QPair<int, int>> sized;
    void SetFill(TColor c)
    {
        fill = c;
        Paint();
    }

protected:
    void DrawCell(int, int, const TRect& rect, TGridDrawState) override
    {
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(rect);
    }
    void ColumnSizedByUser(int c, int w) override
    {
        sized << qMakePair(c, w);
        ProbeGrid::ColumnSizedByUser(c, w);
    }
};

template <class G>
concept HidesNothing = !requires(G& g) { g.ColWidths(0); } && !requires(G& g) { g.LeftCol(); } && !requires(G& g) { g.TopRow(); };
} // namespace

void TestGrid::directPaintReachesScreen()
{
    FillGrid g;
    g.resize(300, 150);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    qor::testing::PaintCounter paints(g.viewport());
    for (TColor c : {clRed, clLime, clBlue}) {
        QCoreApplication::processEvents();
        paints.n = 0;
        g.SetFill(c);
        QCoreApplication::processEvents();
        QVERIFY(paints.n >= 1);
        QCOMPARE(px(*g.Canvas()->Target(), 100, 60), c);
    }
}

void TestGrid::dragSizingGoesThroughOneHook()
{
    QVERIFY(HidesNothing<TCustomGrid>);
    FillGrid g;
    g.resize(400, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.SetOptions(g.Options() + goColSizing);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(129, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(149, 10), QPointF(149, 10), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(149, 10));
    QCOMPARE(g.sized, (QList<QPair<int, int>>{{1, 84}}));
    QCOMPARE(g.GridColWidths(1), 84);
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"

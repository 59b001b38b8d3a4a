// Regression tests of the report list view: what setters show, handlers after Assign, the
// in-place editor while rows move, disabled rows, shift-click, double clicks, column sizing.
#include "foundation/QOR_Testing.h"
#include "replist/QOR_ReportListView.h"

#include <QApplication>
#include <QtTest>
#include <functional>
#include <stdexcept>

#include "tst_replistview_util.h"

using namespace qor;

namespace {

using ViewStep = std::function<void(TReportListView&)>;

// An editable view with rows c, a, b in column 1 and the editor open on data row 1.
void openEditor(TReportListView& v)
{
    v.SetOptions(v.Options() - goRowSelect);
    v.SetColumnEditable(1, true);
    fillLetters(v, 1, {"c", "a", "b"});
    v.SetRow(v.CountHeadRows());
    v.SetCol(0);
    v.ShowEditor();
}

void dragHeader(QWidget* vp, int fromX, int toX)
{
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(fromX, 8));
    QMouseEvent move(QEvent::MouseMove, QPointF(toX, 8), vp->mapToGlobal(QPointF(toX, 8)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(toX, 8));
}

// A double click as Qt delivers it: press, release, double-click press, release.
void doubleClick(QWidget* vp, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::mouseClick(vp, Qt::LeftButton, mods, p);
    QTest::mouseDClick(vp, Qt::LeftButton, mods, p);
    QTest::mouseRelease(vp, Qt::LeftButton, mods, p);
}

} // namespace

class TestRepListFaults : public QObject {
    Q_OBJECT

private slots:
    void settersReachScreen();
    void assignedStoreKeepsNoForeignHandler();
    void editorClosedBeforeRowsMove();
    void disabledRowsNotEditable();
    void shiftClickCopiesOnlySelection();
    void emptyHeaderLineInNarrowColumn();
    void commonHeaderStaysInView();
    void waitCursorRestoredWhenSortThrows();
    void doubleClickIsTwoPresses();
    void dragSizingFiresChangeSetup();
    void baseMembersKeepTheirMeaning();
};

void TestRepListFaults::settersReachScreen()
{
    ShownView s;
    TReportListView& v = *s.v;
    const std::vector<std::pair<const char*, ViewStep>> steps{
        {"ColorText", [](TReportListView& w) { w.SetColorText(0x0000FF); }},
        {"ColorBkgdNormal", [](TReportListView& w) { w.SetColorBkgdNormal(0x00FF00); }},
        {"HighLightRow", [](TReportListView& w) { w.SetHighLightRow(2); }},
        {"RowColPattern", [](TReportListView& w) { w.SetRowColPattern(2); }},
        {"ColName", [](TReportListView& w) { w.SetColName(1, "Name"); }},
        {"CommonHeaderVisible", [](TReportListView& w) { w.SetCommonHeaderVisible(true); }},
        {"ColAlignment", [](TReportListView& w) { w.SetColAlignment(1, taRightJustify); }},
        {"RowSelected", [](TReportListView& w) { w.SetRowSelected(3, true); }},
        {"InterRowIndicatorPos", [](TReportListView& w) { w.SetInterRowIndicatorPos(2); }},
        {"Sort", [](TReportListView& w) { w.Sort(1, -1, false); }},
        {"NrOfRows", [](TReportListView& w) { w.SetNrRows(0); }},
        {"EmptyMessage", [](TReportListView& w) { w.SetEmptyMessage("none"); }},
    };
    qor::testing::PaintCounter paints(v.viewport());
    for (const auto& [name, step] : steps) {
        QCoreApplication::processEvents();
        paints.n = 0;
        step(v);
        QCoreApplication::processEvents();
        QVERIFY2(paints.n > 0, name);
    }
}

void TestRepListFaults::assignedStoreKeepsNoForeignHandler()
{
    auto* src = new TReportListView;
    fillLetters(*src, 1, {"b", "a"});
    int srcCalls = 0;
    src->OnBeforeSortExchange = [&](TObject*, const QString&, QString&) { ++srcCalls; };
    TRLData copy;
    copy.Assign(src->Data());
    delete src;
    copy.Sort(1, -1, true); // the source's wiring would call into the deleted view
    QCOMPARE(srcCalls, 0);
    QCOMPARE(copy.GetElem(1, 1), QStringLiteral("a"));

    TReportListView v;
    int viewCalls = 0;
    v.OnBeforeSortExchange = [&](TObject* sender, const QString&, QString&) { QCOMPARE(sender, &v); ++viewCalls; };
    v.Data()->Assign(&copy);
    v.Sort(1, -1, false);
    QCOMPARE(viewCalls, 2);
}

void TestRepListFaults::editorClosedBeforeRowsMove()
{
    TReportListView other;
    fillLetters(other, 1, {"x", "y", "z"});
    const QString xml = other.XMLText(false, "e");
    const std::vector<std::pair<const char*, ViewStep>> steps{
        {"Sort", [](TReportListView& w) { w.Sort(1, -1, true); }},
        {"UnSort", [](TReportListView& w) { w.UnSort(); }},
        {"RemoveRow", [](TReportListView& w) { w.RemoveRow(1); }},
        {"Clear", [](TReportListView& w) { w.Clear(); }},
        {"NrOfRows", [](TReportListView& w) { w.SetNrRows(1); }},
        {"ColCheckMode", [](TReportListView& w) { w.SetColCheckMode(1, cmBox); }},
        {"Assign", [&](TReportListView& w) { w.Assign(&other); }},
        {"ReadFromXMLString", [&](TReportListView& w) { w.ReadFromXMLString(xml, "e"); }},
        {"DataAssign then Sort", [&](TReportListView& w) { w.Data()->Assign(other.Data()); w.Sort(1, -1, false); }},
    };
    for (const auto& [name, step] : steps) {
        ShownView s;
        TReportListView& v = *s.v;
        openEditor(v);
        if (std::string(name) == "UnSort")
            v.Data()->Strings()->SetSortOrders({3, 2, 1});
        QVERIFY2(v.EditorMode(), name);
        step(v);
        QVERIFY2(!v.EditorMode(), name);
        QStringList before;
        for (int r = 1; r <= v.NrOfRows(); ++r)
            before << v.Elem(1, r);
        QTest::keyClicks(v.InplaceEditor(), "Q");
        QStringList after;
        for (int r = 1; r <= v.NrOfRows(); ++r)
            after << v.Elem(1, r);
        QVERIFY2(before == after, name);
    }
}

void TestRepListFaults::disabledRowsNotEditable()
{
    ShownView s;
    TReportListView& v = *s.v;
    v.SetOptions(v.Options() - goRowSelect);
    v.SetColumnEditable(1, true);
    fillLetters(v, 1, {"a", "b", "c"});
    v.SetRowEnabled(2, false);
    clickRow(v, 1);
    v.SetCol(0);
    QTest::keyClick(&v, Qt::Key_Down);
    QCOMPARE(v.Row(), v.CountHeadRows() + 1);
    for (Qt::Key k : {Qt::Key_Q, Qt::Key_F2, Qt::Key_Return})
        QTest::keyClick(&v, k);
    QVERIFY(!v.EditorMode());
    v.SetEditText(0, v.Row(), QStringLiteral("typed"));
    QCOMPARE(columnTexts(v, 1), QStringList({"a", "b", "c"}));
    // an editor open on a row that becomes disabled closes
    QTest::keyClick(&v, Qt::Key_Down);
    QTest::keyClick(&v, Qt::Key_F2);
    QVERIFY(v.EditorMode());
    v.SetRowEnabled(3, false);
    QVERIFY(!v.EditorMode());
}

void TestRepListFaults::shiftClickCopiesOnlySelection()
{
    ShownView s;
    TReportListView& v = *s.v;
    v.SetNrRows(6);
    v.SetRowSelectMode(2);
    v.SetRowEnabled(3, false);
    v.Data()->Strings()->SetRowAttrib(4, 0x01);
    clickRow(v, 2);
    clickRow(v, 5, Qt::ShiftModifier);
    QCOMPARE(selectedRows(v), (QList<int>{2, 3, 4, 5}));
    QVERIFY(!v.RowEnabled(3));
    QCOMPARE(int(v.Data()->Strings()->GetRowAttrib(4)), 0x81);
    clickRow(v, 3, Qt::ControlModifier); // deselecting spreads as well
    clickRow(v, 5, Qt::ShiftModifier);
    QCOMPARE(selectedRows(v), (QList<int>{2}));
    QVERIFY(!v.RowEnabled(3));
    QCOMPARE(int(v.Data()->Strings()->GetRowAttrib(4)), 0x01);
}

void TestRepListFaults::emptyHeaderLineInNarrowColumn()
{
    const auto width = [](const QString& s) { return 7 * int(s.size()); };
    for (int w : {0, 5, 8, 9})
        QCOMPARE(ReportHeaderEllipsis(QString(), w, 13, width), QString());
    QCOMPARE(ReportHeaderEllipsis(QStringLiteral("abcdef"), 20, 0, width), QStringLiteral("a..."));
}

void TestRepListFaults::commonHeaderStaysInView()
{
    ShownView s;
    TReportListView& v = *s.v;
    v.Font()->SetName(QStringLiteral("DejaVu Sans"));
    v.SetCommonHeaderVisible(true);
    v.SetCommonHeader(QStringLiteral("Right title"));
    v.SetCommonHeaderAlignment(taRightJustify);
    v.SetColorCommonHdText(0x0000FF);
    for (int c = 1; c <= v.NrOfColumns(); ++c)
        v.SetColWidths(c, 300);
    QCoreApplication::processEvents();
    const QImage img = v.viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = img.width() / 2; x < img.width(); ++x)
            red += RgbToColor(img.pixel(x, y)) == 0x0000FF ? 1 : 0;
    QVERIFY(red > 10);
}

void TestRepListFaults::waitCursorRestoredWhenSortThrows()
{
    ShownView s;
    TReportListView& v = *s.v;
    fillLetters(v, 1, {"b", "a"});
    v.OnBeforeSortExchange = [](TObject*, const QString&, QString&) { throw std::runtime_error("no"); };
    const TRect h = v.CellRect(0, 0);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, v.MouseDown(mbLeft, TShiftState(), (h.Left + h.Right) / 2, 8));
    QVERIFY(!QApplication::overrideCursor());
}

void TestRepListFaults::doubleClickIsTwoPresses()
{
    ShownView s;
    TReportListView& v = *s.v;
    fillLetters(v, 2, {"one", "two", "three"});
    v.SetColCheckMode(2, cmBox);
    int changes = 0;
    v.OnCheckedChange = [&](TObject*, bool&, int, int) { ++changes; };
    const TRect box = v.CellRect(1, 1);
    doubleClick(v.viewport(), QPoint(box.Left + 8, box.Top + 8));
    QCOMPARE(changes, 2);
    QVERIFY(!v.ElemChecked(2, 1));
    // a header double click sorts twice: descending, then ascending
    const TRect h = v.CellRect(1, 0);
    doubleClick(v.viewport(), QPoint((h.Left + h.Right) / 2, 8));
    QCOMPARE(v.LastSortColumn(), 2);
    QVERIFY(v.LastSortOrder());
    QCOMPARE(columnTexts(v, 2), QStringList({"one", "three", "two"}));
    // mode 2 with Ctrl toggles twice
    v.SetRowSelectMode(2);
    const QList<int> before = selectedRows(v);
    const TRect c = v.CellRect(1, 3);
    doubleClick(v.viewport(), QPoint(c.Left + 40, c.Top + 8), Qt::ControlModifier);
    QCOMPARE(selectedRows(v), before);
}

void TestRepListFaults::dragSizingFiresChangeSetup()
{
    ShownView s;
    TReportListView& v = *s.v;
    QVERIFY(v.SetColumnOrder({3, 1, 2, 4, 5}));
    int setups = 0;
    v.OnChangeSetup = [&](TObject*) { ++setups; };
    const int w0 = v.ColWidths(3);
    const int border = v.CellRect(0, 0).Right;
    dragHeader(v.viewport(), border, border + 30);
    QVERIFY(setups > 0);
    QCOMPARE(v.ColWidths(3), w0 + 30);
    QCOMPARE(v.GridColWidths(0), w0 + 30);
    QCOMPARE(v.ColWidths(1), w0);
    // a double click on a border sizes the grid column at it, whatever the order says
    QVERIFY(v.SetColumnOrder({1, 1, 2, 3, 4}));
    v.SetElem(1, 1, QStringLiteral("a text wider than the column is now"));
    const int border1 = v.CellRect(1, 0).Right;
    QTest::mouseMove(v.viewport(), QPoint(border1 - 1, 8));
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border1 - 1, 8));
    QCOMPARE(v.GridColWidths(1), v.DetermineMaxColWidth(1, true));
    QCOMPARE(v.GridColWidths(0), w0 + 30);
}

void TestRepListFaults::baseMembersKeepTheirMeaning()
{
    TReportListView v;
    TCustomGrid& g = v;
    g.SetEnabled(false);
    QVERIFY(!v.Enabled());
    int setups = 0;
    v.OnChangeSetup = [&](TObject*) { ++setups; };
    g.SetDefaultColWidth(50);
    QCOMPARE(setups, 1);
    QCOMPARE(v.ColWidths(1), 50);
    g.SetFixedColor(0x123456);
    QCOMPARE(v.ColorColumnHd(), TColor(0x123456));
    QCOMPARE(setups, 2);
}

QObject* createFaultTests() { return new TestRepListFaults; }

#include "tst_replistview_faults.moc"

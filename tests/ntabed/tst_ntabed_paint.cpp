// Rendering of the table editor checked on the window's pixels: the coordinate corner,
// attribute captions, mark and selection colours, the render hook, heading highlights, the
// inverted heading outline, and that painting visits only the visible cells.
#include "tst_ntabed_util.h"

#include <QApplication>
#include <QSet>
#include <QWheelEvent>

using namespace qor;

namespace {

struct Shown {
    CountingEditor e;
    Shown()
    {
        e.show();
        if (!QTest::qWaitForWindowExposed(&e))
            qWarning("editor window not exposed");
        QTest::qWait(20);
    }
    // What the window shows once the event loop has run.
    QImage shot()
    {
        QTest::qWait(20);
        return e.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

int countColour(const QImage& img, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += px(img, x, y) == c ? 1 : 0;
    return n;
}

// The cell as the canvas draws Text into it: brush Bg, font colour Fg, text at (dx, dy).
QImage expectedCell(const TFont& font, const TRect& r, TColor fg, TColor bg, int dx, int dy,
                    const QString& text, TFontStyles style = TFontStyles())
{
    TBitmap b(r.Width(), r.Height());
    TCanvas* cv = b.Canvas();
    cv->Font()->Assign(font);
    cv->Font()->SetColor(fg);
    cv->Font()->SetStyle(style);
    cv->Brush()->SetColor(bg);
    cv->TextRect(TRect(0, 0, r.Width(), r.Height()), dx, dy, text);
    return b.Image().convertToFormat(QImage::Format_RGB32);
}

bool sameRegion(const QImage& img, const TRect& r, const QImage& want)
{
    return img.copy(r.ToQRect()) == want;
}

TRect shrunk(const TRect& r) { return TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1); }

} // namespace

class TestNTabEdRender : public QObject {
    Q_OBJECT

private slots:
    void cornerShowsCurrentCell();
    void attributeCaptions();
    void markAndSelectionColours_data();
    void markAndSelectionColours();
    void beforeRenderCellHook();
    void currentRowAndColumnHeadings();
    void headingOutlineInverts();
    void commentCorner();
    void onlyVisibleCellsDrawn();
    void setterReachesScreen();
};

void TestNTabEdRender::cornerShowsCurrentCell()
{
    Shown s;
    TNTabEd& e = s.e;
    e.SetNrOfRows(8);
    e.SetAttribColVisible(true);
    e.SetSelection(GridRect(3, 6, 3, 6));         // data column 2, row 5
    const TRect corner = e.CellRect(0, 0);
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, e.ColorNormal(), e.ResolveColor(clWindow), 3, 2, "2:5")));
    int selChanged = 0;
    e.OnSelectionChanged = [&](TObject*) { ++selChanged; };
    QTest::keyClick(&e, Qt::Key_Down);
    QCOMPARE(selChanged, 1);
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, e.ColorNormal(), e.ResolveColor(clWindow), 3, 2, "2:6")));
    QWheelEvent wheel(QPointF(50, 50), e.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(e.viewport(), &wheel);
    QCOMPARE(selChanged, 2);
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, e.ColorNormal(), e.ResolveColor(clWindow), 3, 2, "2:7")));
    const TRect cell = e.CellRect(4, 3);             // a click on data cell (3, 2)
    QTest::mouseClick(e.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(cell.Left + 5, cell.Top + 5));
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, e.ColorNormal(), e.ResolveColor(clWindow), 3, 2, "3:2")));
}

void TestNTabEdRender::attributeCaptions()
{
    Shown s;
    TNTabEd& e = s.e;
    e.SetAttribColVisible(true);
    const QImage img = s.shot();
    const TColor fixed = e.ResolveColor(clBtnFace);
    const TColor fontColour = e.ResolveColor(e.Font()->Color());
    TRect a = shrunk(e.CellRect(0, 1));
    a.Right -= 2;
    QVERIFY(sameRegion(img, a, expectedCell(*e.Font(), a, fontColour, fixed, 2, 1, "Attribute")));
    const TRect b = shrunk(e.CellRect(1, 0));
    QVERIFY(sameRegion(img, b, expectedCell(*e.Font(), b, fontColour, fixed, 2, 1, "Attrib")));
    const TRect c = e.CellRect(1, 1);
    QCOMPARE(countColour(img, c, fixed), c.Width() * c.Height());
    // the column attribute of data column 1 in the attribute row, the row attribute in column 1
    e.SetColAttrib(1, 17);
    e.SetRowAttrib(2, 254);
    const QImage img2 = s.shot();
    TRect d = shrunk(e.CellRect(2, 1));
    d.Right -= 2;
    TFontStyles bold;
    bold.Include(fsBold);
    QVERIFY(sameRegion(img2, d, expectedCell(*e.Font(), d, e.ColorSelected(), fixed, 2, 1, "17", bold)));
    TRect f = shrunk(e.CellRect(1, 3));
    f.Right -= 2;
    QVERIFY(sameRegion(img2, f, expectedCell(*e.Font(), f, e.ColorNormal(), fixed, 2, 1, "254")));
}

void TestNTabEdRender::markAndSelectionColours_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("fg");    // N normal, S range-selected, A, B, X both
    QTest::addColumn<bool>("blank");
    QTest::newRow("plain") << 0 << false << "N" << false;
    QTest::newRow("plain selected") << 0 << true << "S" << false;
    QTest::newRow("mark A") << 0x40 << false << "A" << false;
    QTest::newRow("mark B selected") << 0x80 << true << "B" << false;
    QTest::newRow("both") << 0xC0 << false << "X" << false;
    QTest::newRow("both with bits 2-5") << 0xFC << false << "X" << false;
    QTest::newRow("empty with mark A") << 0x42 << false << "A" << true;
    QTest::newRow("invalid") << 0x01 << true << "S" << false;
}

void TestNTabEdRender::markAndSelectionColours()
{
    QFETCH(int, state);
    QFETCH(bool, selected);
    QFETCH(QString, fg);
    QFETCH(bool, blank);
    Shown s;
    TNTabEd& e = s.e;
    e.SetElem(1, 1, 12.5);
    e.SetCellState(1, 1, Byte(state));
    // the current cell is always selected: keep it away unless the case wants (1, 1) selected
    e.SetSelection(selected ? GridRect(2, 1, 3, 2) : GridRect(4, 4, 4, 4));
    const TColor colour = fg == "N" ? e.ColorNormal() : fg == "S" ? e.ColorRangeSelFG()
                        : fg == "A" ? e.ColorMarkedA() : fg == "B" ? e.ColorMarkedB() : e.ColorMarkedBoth();
    const TColor bg = selected ? e.ColorRangeSelBG() : e.ResolveColor(clWindow);
    const TRect r = e.CellRect(2, 1);
    TFontStyles style;
    if (state & 0xC0)
        style.Include(fsBold);
    const QImage want = expectedCell(*e.Font(), r, colour, bg, 2, 1, blank ? QString() : e.CellText(1, 1), style);
    const QImage img = s.shot();
    QVERIFY(sameRegion(img, r, want));
    QCOMPARE(countColour(img, r, colour) > 0, !blank);
}

void TestNTabEdRender::beforeRenderCellHook()
{
    Shown s;
    TNTabEd& e = s.e;
    QSet<QPair<int, int>> seen;
    e.OnBeforeRenderCell = [&](TObject* sender, int c, int r, QString& text, TColor& fg, TColor& bg, TFontStyles& st) {
        QCOMPARE(sender, &e);
        seen.insert({c, r});
        if (c == 2 && r == 3) {
            QCOMPARE(text, QStringLiteral("0.000"));
            text = "hook";
            fg = 0x0000AA;
            bg = 0x00FF00;
            st.Include(fsItalic);
        }
    };
    e.Invalidate();
    const QImage img = s.shot();
    const TRect r = e.CellRect(3, 3);
    TFontStyles italic;
    italic.Include(fsItalic);
    QVERIFY(sameRegion(img, r, expectedCell(*e.Font(), r, 0x0000AA, 0x00FF00, 2, 1, "hook", italic)));
    QCOMPARE(seen.size(), 12);          // the 3 x 4 data cells, no fixed cell
    for (const auto& p : seen)
        QVERIFY(p.first >= 1 && p.first <= 3 && p.second >= 1 && p.second <= 4);
}

void TestNTabEdRender::currentRowAndColumnHeadings()
{
    Shown s;
    TNTabEd& e = s.e;
    for (int k = 1; k <= 4; ++k)
        e.SetRowName(k, QStringLiteral("row%1").arg(k));
    for (int k = 1; k <= 3; ++k)
        e.SetColName(k, QStringLiteral("col%1").arg(k));
    e.SetSelection(GridRect(3, 2, 4, 3));        // data columns 2..3, rows 2..3
    const QImage img = s.shot();
    TFontStyles bold;
    bold.Include(fsBold);
    const TColor fixed = e.ResolveColor(clBtnFace);
    for (int r = 1; r <= 4; ++r) {
        TRect h = shrunk(e.CellRect(0, r));
        h.Right -= 2;
        const bool current = r == 2;             // the top row of the selection
        QVERIFY(sameRegion(img, h, expectedCell(*e.Font(), h, current ? e.ColorSelected() : e.ColorNormal(), fixed, 2, 1,
                                                 QStringLiteral("row%1").arg(r), current ? bold : TFontStyles())));
    }
    for (int c = 1; c <= 3; ++c) {
        TRect h = shrunk(e.CellRect(c + 1, 0));
        h.Right -= 2;
        const bool current = c == 2;             // the left column of the selection
        QVERIFY(sameRegion(img, h, expectedCell(*e.Font(), h, current ? e.ColorSelected() : e.ColorNormal(), fixed, 2, 1,
                                                 QStringLiteral("col%1").arg(c), current ? bold : TFontStyles())));
    }
    e.SetBoldSelHeads(false);
    TRect h = shrunk(e.CellRect(0, 2));
    h.Right -= 2;
    QVERIFY(sameRegion(s.shot(), h, expectedCell(*e.Font(), h, e.ColorSelected(), fixed, 2, 1, "row2")));
}

void TestNTabEdRender::headingOutlineInverts()
{
    Shown s;
    CountingEditor& e = s.e;
    const QImage before = s.shot();
    const TRect r = e.CellRect(3, 0);
    e.DrawHeadingOutline(3, 0);
    // the paint event that the drawing asked for shows it; a later full paint would redraw the cell
    const QImage on = e.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QPoint p : {QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom), QPoint(r.Left, r.Bottom), QPoint(r.Right - 3, r.Top)})
        QCOMPARE(px(on, p.x(), p.y()), px(before, p.x(), p.y()) ^ 0xFFFFFF);
    QCOMPARE(px(on, r.Left + 5, r.Top + 5), px(before, r.Left + 5, r.Top + 5));   // inside stays
    QCOMPARE(px(on, r.Right + 1, r.Top), px(before, r.Right + 1, r.Top));          // outside stays
    e.DrawHeadingOutline(3, 0);
    QCOMPARE(s.shot(), before);
}

void TestNTabEdRender::commentCorner()
{
    Shown s;
    CountingEditor& e = s.e;
    e.SetCommentEditing(true);
    const TRect corner = e.CellRect(0, 0);
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, 0xFFFFFF, 0x808000, 2, 1, "Comment:")));
    e.SetCommentEditing(false);
    QVERIFY(sameRegion(s.shot(), corner, expectedCell(*e.Font(), corner, e.ColorNormal(), e.ResolveColor(clWindow), 3, 2, "1:1")));
}

void TestNTabEdRender::onlyVisibleCellsDrawn()
{
    CountingEditor e;
    e.Redimension(1000, 1000);
    e.SetTopRow(500);
    e.SetLeftCol(500);
    e.cells = 0;
    e.Repaint();
    const int visible = (e.VisibleColCount() + 3) * (e.VisibleRowCount() + 2);
    QVERIFY2(e.cells > 0 && e.cells <= visible, qPrintable(QString::number(e.cells)));
}

void TestNTabEdRender::setterReachesScreen()
{
    Shown s;
    CountingEditor& e = s.e;
    e.SetElem(1, 1, 8);
    e.SetElemMarkedA(1, 1, true);
    e.SetSelection(GridRect(4, 4, 4, 4));
    const TRect r = e.CellRect(2, 1);
    QVERIFY(countColour(s.shot(), r, clRed) > 0);
    e.SetColorMarkedA(0x00AA00);
    QVERIFY(countColour(s.shot(), r, 0x00AA00) > 0);
    e.SetSuppressPaint(true);
    e.SetColorMarkedA(0xAA0000);
    QVERIFY(countColour(s.shot(), r, 0xAA0000) == 0);   // nothing painted while suppressed
    e.SetSuppressPaint(false);
    QVERIFY(countColour(s.shot(), r, 0xAA0000) > 0);
}

int runRenderTests(int argc, char** argv)
{
    TestNTabEdRender t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_ntabed_paint.moc"

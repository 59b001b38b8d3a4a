// Rendering of the report list view checked on pixels of a small view.
#include "replist/QOR_ReportListView.h"

#include <QtTest>

using namespace qor;

namespace {

struct PaintedView {
    TReportListView v;
    PaintedView()
    {
        v.SetBorderStyle(bsNone);
        v.SetScrollBars(ssNone);
        v.resize(300, 200);
    }
    const QImage& render()
    {
        v.Paint();
        v.Canvas()->Flush();
        return *v.Canvas()->Target();
    }
    TColor at(int x, int y) { return RgbToColor(render().pixel(x, y)); }
    // Top of the grid row that shows data row r (one header row of 20 plus its line).
    static int rowTop(int r) { return 21 + (r - 1) * 25; }
};

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

int fixedWidth(const QString& s) { return 7 * int(s.length()); }

} // namespace

class TestRepListRender : public QObject {
    Q_OBJECT

private slots:
    void cellEllipsis_data();
    void cellEllipsis();
    void headerEllipsis();
    void stripes_data();
    void stripes();
    void colourPrecedence();
    void beforeRenderCell();
    void checkBoxGlyph();
    void radioGlyph();
    void readOnlyMarksKeepTick();
    void noEmptyBoxes();
    void ellipsisOnPixels();
    void passwordMasking();
    void headerEdgesAndSortArrow();
    void commonHeaderBand();
    void emptyMessageLines();
    void interRowIndicator();
    void drawCellEventGetsTextRect();
};

void TestRepListRender::cellEllipsis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("glyph");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("expected");
    // 7 pixels a character; the first character is not measured
    QTest::newRow("fits exactly") << "abcdefghij" << 72 << 0 << false << "abcdefghij";
    QTest::newRow("cut left-aligned") << "abcdefghij" << 50 << 0 << false << "abc...";
    QTest::newRow("cut right-aligned") << "abcdefghij" << 50 << 0 << true << "a...hij";
    QTest::newRow("check glyph takes room") << "abcdefghij" << 66 << 16 << false << "abc...";
    QTest::newRow("at least one character") << "abcdefghij" << 12 << 0 << false << "a...";
    QTest::newRow("one character is never cut") << "a" << 1 << 0 << false << "a";
    QTest::newRow("empty") << "" << 1 << 0 << false << "";
}

void TestRepListRender::cellEllipsis()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, glyph);
    QFETCH(bool, right);
    QFETCH(QString, expected);
    QCOMPARE(ReportCellEllipsis(text, width, glyph, right, fixedWidth), expected);
}

void TestRepListRender::headerEllipsis()
{
    QCOMPARE(ReportHeaderEllipsis("abcdefghij", 79, 0, fixedWidth), QStringLiteral("abcdefghij"));
    QCOMPARE(ReportHeaderEllipsis("abcdefghij", 50, 0, fixedWidth), QStringLiteral("abc..."));
    QCOMPARE(ReportHeaderEllipsis("abcdefghij", 50, 13, fixedWidth), QStringLiteral("a..."));
}

void TestRepListRender::stripes_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("shaded");   // one letter per data row: s shaded, n normal
    QTest::newRow("pattern 2") << 2 << "ssnnss";
    QTest::newRow("pattern 1") << 1 << "snsnsn";
    QTest::newRow("pattern 3") << 3 << "sssnnn";
    QTest::newRow("pattern 0") << 0 << "nnnnnn";
}

void TestRepListRender::stripes()
{
    QFETCH(int, pattern);
    QFETCH(QString, shaded);
    PaintedView p;
    p.v.SetNrRows(6);
    p.v.SetRowColPattern(pattern);
    const QImage& img = p.render();
    for (int r = 1; r <= 6; ++r) {
        const TColor want = shaded.at(r - 1) == QLatin1Char('s') ? p.v.ColorBkgdShaded() : p.v.ColorBkgdNormal();
        QCOMPARE(px(img, 30, PaintedView::rowTop(r) + 12), want);
        // without cell lines the cell covers the line pixels too
        QCOMPARE(px(img, 64, PaintedView::rowTop(r) + 12), want);
        QCOMPARE(px(img, 30, PaintedView::rowTop(r) + 24), want);
    }
}

void TestRepListRender::colourPrecedence()
{
    PaintedView p;
    p.v.SetNrRows(6);
    p.v.SetRowColPattern(0);
    p.v.SetColorSelectedBoth(0x445566);
    p.v.SetColorSelectedCol(0x778899);
    for (int r = 1; r <= 4; ++r)
        p.v.SetRowSelected(r, true);
    p.v.SetRowEnabled(1, false);
    p.v.SetHighLightRow(1);        // disabled wins over highlight and selection
    p.v.SetColumnSelected(2, true);
    p.v.SetHighLightColumn(4);
    const QImage img = p.render();
    auto cell = [&](int col, int row) { return px(img, 65 * (col - 1) + 30, PaintedView::rowTop(row) + 12); };
    QCOMPARE(cell(1, 1), p.v.ColorDisabledBkgd());
    QCOMPARE(cell(2, 1), p.v.ColorDisabledBkgd());
    QCOMPARE(cell(1, 2), p.v.ColorSelectedRow());
    QCOMPARE(cell(2, 2), TColor(0x445566));   // row and column selected
    QCOMPARE(cell(2, 5), TColor(0x778899));   // column selected only
    QCOMPARE(cell(4, 2), p.v.ColorHigh());    // highlight wins over a selected row
    QCOMPARE(cell(1, 5), p.v.ColorBkgdNormal());
    // the highlighted row wins over a selected row
    p.v.SetHighLightRow(3);
    QCOMPARE(p.at(30, PaintedView::rowTop(3) + 12), p.v.ColorHigh());
    // a disabled view ignores states
    p.v.SetEnabled(false);
    QCOMPARE(p.at(30, PaintedView::rowTop(1) + 12), p.v.ColorBkgdNormal());
}

void TestRepListRender::beforeRenderCell()
{
    PaintedView p;
    QList<int> seen;
    p.v.OnBeforeRenderCell = [&](TObject*, int c, int r, TColor&, TColor& brush, TColor&, TFontStyles&, QString&) {
        seen << c * 10 + r;
        if (c == 2 && r == 3)
            brush = 0x00FFFF;
    };
    const QImage& img = p.render();
    QCOMPARE(px(img, 65 + 30, PaintedView::rowTop(3) + 12), TColor(0x00FFFF));
    QVERIFY(seen.contains(23));
    QVERIFY(seen.contains(11));
    QVERIFY(!seen.contains(20));   // header cells do not reach the handler
}

void TestRepListRender::checkBoxGlyph()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    p.v.SetColCheckMode(1, cmBox);
    p.v.SetElemChecked(1, 1, true);
    const QImage& img = p.render();
    const int T = PaintedView::rowTop(1);
    const TColor shadow = p.v.ResolveColor(clBtnShadow);
    const TColor bg = p.v.ColorBkgdNormal();
    const TColor ink = p.v.ColorText();
    QCOMPARE(px(img, 4, T + 9), shadow);       // box outline: x 4..14, y T+4..T+14
    QCOMPARE(px(img, 14, T + 9), shadow);
    QCOMPARE(px(img, 9, T + 4), shadow);
    QCOMPARE(px(img, 9, T + 14), shadow);
    QCOMPARE(px(img, 15, T + 9), bg);
    QCOMPARE(px(img, 6, T + 8), ink);          // tick, first stroke
    QCOMPARE(px(img, 8, T + 10), ink);
    QCOMPARE(px(img, 12, T + 6), ink);         // second stroke, its three lines
    QCOMPARE(px(img, 12, T + 7), ink);
    QCOMPARE(px(img, 12, T + 8), ink);
    QCOMPARE(px(img, 12, T + 5), bg);
    QCOMPARE(px(img, 13, T + 5), bg);          // end points are not drawn
    // an unchecked box has the outline only
    const int T2 = PaintedView::rowTop(2);
    QCOMPARE(px(img, 4, T2 + 9), shadow);
    QCOMPARE(px(img, 6, T2 + 8), bg);
    QCOMPARE(px(img, 8, T2 + 10), bg);
}

void TestRepListRender::radioGlyph()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    p.v.SetColCheckMode(2, cmRadio);
    p.v.SetElemChecked(2, 2, true);
    const QImage& img = p.render();
    const int L = 65, T = PaintedView::rowTop(2);
    const TColor ink = p.v.ColorText();
    const TColor bg = p.v.ColorBkgdNormal();
    QCOMPARE(px(img, L + 9, T + 9), ink);      // the dot
    QCOMPARE(px(img, L + 8, T + 7), ink);
    QCOMPARE(px(img, L + 11, T + 9), ink);
    QCOMPARE(px(img, L + 11, T + 7), bg);
    QCOMPARE(px(img, L + 12, T + 9), bg);
    QCOMPARE(px(img, L + 9, T + 4), p.v.ResolveColor(clBtnShadow));   // the ring's top
    const int T1 = PaintedView::rowTop(1);
    QCOMPARE(px(img, L + 9, T1 + 9), bg);      // unchecked: no dot
}

void TestRepListRender::readOnlyMarksKeepTick()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    p.v.SetColCheckMode(1, cmBox);
    p.v.SetElemChecked(1, 1, true);
    p.v.SetCheckMarksReadOnly(true);
    const QImage& img = p.render();
    const int T = PaintedView::rowTop(1);
    QCOMPARE(px(img, 4, T + 9), p.v.ColorBkgdNormal());
    QCOMPARE(px(img, 6, T + 8), p.v.ColorText());
}

void TestRepListRender::noEmptyBoxes()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    p.v.SetColCheckMode(1, cmBox);
    p.v.SetElem(1, 2, QStringLiteral("x"));
    p.v.SetShowEmptyCheckBoxes(false);
    const QImage& img = p.render();
    QCOMPARE(px(img, 4, PaintedView::rowTop(1) + 9), p.v.ColorBkgdNormal());
    QCOMPARE(px(img, 4, PaintedView::rowTop(2) + 9), p.v.ResolveColor(clBtnShadow));
}

void TestRepListRender::ellipsisOnPixels()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    const QString longText = QStringLiteral("Wide wide wide wide wide text");
    TCanvas* cv = p.v.Canvas();
    cv->Font()->Assign(*p.v.Font());
    const QString cut = ReportCellEllipsis(longText, 64, 0, false, [cv](const QString& s) { return cv->TextWidth(s); });
    QVERIFY(cut.endsWith(QStringLiteral("...")));
    QVERIFY(cut.length() < longText.length());
    p.v.SetColWidths(2, 250);
    p.v.SetElem(1, 1, longText);
    p.v.SetElem(2, 1, cut);
    const QImage img = p.render();
    // the narrow cell's text area shows exactly what the wide cell shows for the cut text
    const int T = PaintedView::rowTop(1);
    int inked = 0;
    for (int y = T + 2; y < T + 24; ++y)
        for (int x = 4; x < 64 - 5; ++x) {
            QCOMPARE(img.pixel(x, y), img.pixel(65 + x, y));
            inked += px(img, x, y) == p.v.ColorText() ? 1 : 0;
        }
    QVERIFY(inked > 0);
}

void TestRepListRender::passwordMasking()
{
    PaintedView p;
    p.v.SetRowColPattern(0);
    p.v.SetColumnIsPwd(1, true);
    p.v.SetElem(1, 1, QStringLiteral("secret"));
    p.v.SetElem(2, 1, QStringLiteral("******"));
    p.v.SetColCheckMode(3, cmBox);
    p.v.SetColCheckMode(4, cmBox);
    p.v.SetColumnIsPwd(3, true);
    p.v.SetElem(3, 1, QStringLiteral("hidden"));   // unchecked
    p.v.SetElem(4, 1, QStringLiteral("******"));
    const QImage img = p.render();
    const int T = PaintedView::rowTop(1);
    for (int y = T; y < T + 24; ++y)
        for (int x = 0; x < 64; ++x) {
            QCOMPARE(img.pixel(x, y), img.pixel(65 + x, y));
            // a masked check cell keeps its (unchecked) state
            QCOMPARE(img.pixel(130 + x, y), img.pixel(195 + x, y));
        }
}

void TestRepListRender::headerEdgesAndSortArrow()
{
    PaintedView p;
    p.v.Sort(1, -1, true);
    const QImage img = p.render();
    QCOMPARE(px(img, 0, 10), clWhite);          // raised edge: left and top white
    QCOMPARE(px(img, 30, 0), clWhite);
    QCOMPARE(px(img, 30, 19), clGray);          // bottom grey
    QCOMPARE(px(img, 64, 10), clBlack);         // the fixed line between headers
    QCOMPARE(px(img, 30, 20), clBlack);         // the fixed line under the headers
    TCanvas* cv = p.v.Canvas();
    cv->Font()->Assign(*p.v.Font());
    const int t = cv->TextWidth(QStringLiteral("C-1"));
    const int h = cv->TextHeight(QStringLiteral("C-1"));
    const int X0 = 4 + std::min(t + 10, 64 - 11);
    const int Y0 = 2 + h / 2;
    const QImage img2 = p.render();
    QCOMPARE(px(img2, X0 - 4, Y0 + 3), clGray);   // ascending: the triangle points up
    QCOMPARE(px(img2, X0, Y0 - 3), clWhite);
    QCOMPARE(px(img2, X0, Y0 + 3), clWhite);
    p.v.Sort(1, -1, false);
    const QImage img3 = p.render();
    QCOMPARE(px(img3, X0 + 4, Y0 - 3), clWhite);  // descending: it points down
    QCOMPARE(px(img3, X0, Y0 - 3), clGray);
    QCOMPARE(px(img3, X0, Y0 + 3), clGray);        // the grey stroke starts at the tip
    QCOMPARE(px(img3, X0, Y0 + 4), p.v.ResolveColor(clBtnFace));
}

void TestRepListRender::commonHeaderBand()
{
    PaintedView p;
    p.v.SetCommonHeaderVisible(true);
    p.v.SetCommonHeader(QString());
    p.v.SetColorCommonHd(0x00AA00);
    p.v.SetDefaultColWidth(50);
    const QImage img = p.render();
    const int E = 4 * 51 + 50;   // right end of the last column
    QCOMPARE(px(img, 100, 10), TColor(0x00AA00));
    QCOMPARE(px(img, 0, 10), clWhite);
    QCOMPARE(px(img, 100, 0), clWhite);
    QCOMPARE(px(img, 100, 19), clGray);
    QCOMPARE(px(img, E - 1, 10), clGray);
    QCOMPARE(px(img, E, 10), clBlack);
    QCOMPARE(px(img, 50, 10), TColor(0x00AA00));   // one band over the column borders
    QCOMPARE(px(img, 50, 30), clBlack);            // the column headers below keep their lines
}

void TestRepListRender::emptyMessageLines()
{
    PaintedView p;
    p.v.SetNrRows(0);
    p.v.SetEmptyMessage(QStringLiteral("First line|Second"));
    p.v.SetColorEmptyMsg(0x0000FF);
    const QImage img = p.render();
    TCanvas* cv = p.v.Canvas();
    cv->Font()->Assign(*p.v.Font());
    const int h = cv->TextHeight(QStringLiteral("First line|Second"));
    const int y = 21;
    const int y1 = y - 2 * h;
    const int Y1 = y1 + (200 - y1 - h) / 2 - 2;
    const int Y2 = Y1 + h;
    int minX[2] = {1000, 1000}, maxX[2] = {-1, -1};
    for (int yy = 0; yy < 200; ++yy)
        for (int xx = 0; xx < 300; ++xx) {
            if (px(img, xx, yy) != TColor(0x0000FF))
                continue;
            const int line = yy < Y2 ? 0 : 1;
            QVERIFY2(yy >= Y1 && yy < Y2 + h, qPrintable(QStringLiteral("ink at %1").arg(yy)));
            minX[line] = std::min(minX[line], xx);
            maxX[line] = std::max(maxX[line], xx);
        }
    for (int i = 0; i < 2; ++i) {
        QVERIFY(maxX[i] >= 0);
        QVERIFY(std::abs((minX[i] + maxX[i]) / 2 - 150) <= 4);   // centred
    }
    QVERIFY(maxX[0] - minX[0] > maxX[1] - minX[1]);   // "First line" is the wider one
    // the empty data line is cleared with the control colour
    QCOMPARE(px(img, 5, 30), p.v.ResolveColor(clWindow));
}

void TestRepListRender::interRowIndicator()
{
    PaintedView p;
    p.v.SetNrRows(6);
    p.v.SetInterRowIndicatorWidth(1);
    p.v.SetInterRowIndicatorPos(3);
    const int y = 20 + 2 * 25;
    QCOMPARE(p.at(100, y), TColor(0x0000FF));
    QVERIFY(p.at(100, y + 2) != TColor(0x0000FF));
    p.v.SetInterRowIndicatorPos(7);   // below the last row
    QCOMPARE(p.at(100, 20 + 6 * 25), TColor(0x0000FF));
    p.v.SetInterRowIndicatorPos(8);   // beyond: not drawn
    QVERIFY(p.at(100, 20 + 7 * 25) != TColor(0x0000FF));
}

void TestRepListRender::drawCellEventGetsTextRect()
{
    PaintedView p;
    QList<TRect> rects;
    p.v.OnDrawCell = [&](TObject*, int c, int r, TRect rect, TGridDrawState st) {
        if (c == 1 && r == 1) {
            rects << rect;
            QVERIFY(!st.Contains(gdFixed));
        }
    };
    p.render();
    QCOMPARE(rects.size(), 1);
    QCOMPARE(rects.first(), TRect(65 + 4, 21 + 2, 129 - 5, 45));
}

QObject* createRenderTests() { return new TestRepListRender; }

#include "tst_replistview_paint.moc"

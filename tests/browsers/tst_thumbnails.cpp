// Tests of the thumbnail strip: the geometry rules, the requests of each paint, images, markers,
// the focus rectangle, selection by real mouse events, and what the window shows.
#include "browsers/QOR_Thumbnails.h"
#include "browsers/ThumbnailsGeometry_p.h"

#include <QtTest>
#include <stdexcept>

using namespace qor;

namespace {

TColor Px(QWidget& w, int x, int y) { return RgbToColor(w.grab().toImage().pixel(x, y)); }

QString Hex(TColor c) { return QString("0x%1").arg(c, 6, 16, QChar('0')); }

/// A shown strip that logs its requests: "first", slide numbers, "last".
struct Strip {
    TThumbnails t;
    QStringList log;
    explicit Strip(int w = 260, int h = 400)
    {
        t.Font()->SetName("DejaVu Sans");
        t.resize(w, h);
        t.OnFirstImageRequest = [this](TObject*) { log << "first"; };
        t.OnLastImageRequest = [this](TObject*) { log << "last"; };
        t.OnImageRequest = [this](TObject*, int id, TImageRequestProcessing&, int&, TBitmap*&) { log << QString::number(id); };
        t.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&t); }
};

TThumbLayout Layout(int w, int h, int cols, double first)
{
    TThumbLayout g;
    g.Width = w;
    g.Height = h;
    g.Cols = cols;
    g.First = first;
    return g;
}

} // namespace

class TestThumbnails : public QObject {
    Q_OBJECT

private slots:
    void layoutCounts_data();
    void layoutCounts();
    void scrollRule_data();
    void scrollRule();
    void hitTest_data();
    void hitTest();
    void imagePlacement_data();
    void imagePlacement();
    void requestOrderPerPaint_data();
    void requestOrderPerPaint();
    void fractionalScrollOnScreen();
    void setterReachesScreen();
    void slideKinds_data();
    void slideKinds();
    void markerWithoutCell();
    void scaledImageOnScreen();
    void handlerKeepsItsOwnBuffer();
    void focusRectangle_data();
    void focusRectangle();
    void clicksAndSelection_data();
    void clicksAndSelection();
    void doubleClick();
    void clamps_data();
    void clamps();
    void shrinkingRangeKeepsSlidesVisible();
    void handlerChangingSettingsDuringPaint();
    void assign();
};

void TestThumbnails::layoutCounts_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("nx");
    QTest::addColumn<int>("ny");
    QTest::newRow("default 260 x 400") << 260 << 400 << 1 << 3;
    QTest::newRow("width 400") << 400 << 400 << 2 << 3;
    QTest::newRow("just two columns (2C + 20 - D)") << 290 << 136 << 2 << 2;
    QTest::newRow("one pixel short of two") << 289 << 135 << 1 << 1;
    QTest::newRow("tiny") << 5 << 0 << 1 << 1;
}

void TestThumbnails::layoutCounts()
{
    QFETCH(int, w);
    QFETCH(int, h);
    const TThumbLayout g = Layout(w, h, 1, 1.0);
    QCOMPARE(g.Pitch(), 136);
    QTEST(ThumbColumns(g), "nx");
    QTEST(ThumbRows(g), "ny");
}

void TestThumbnails::scrollRule_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("stored");
    QTest::newRow("4 with two columns") << 2 << 4.0 << 3.5;
    QTest::newRow("3 with two columns") << 2 << 3.0 << 3.0;
    QTest::newRow("one column keeps x") << 1 << 7.25 << 7.25;
    QTest::newRow("three columns, 6") << 3 << 6.0 << 4.0 + 2.0 / 3.0;
    QTest::newRow("below Min") << 2 << -5.0 << 1.0;
    QTest::newRow("above Max") << 2 << 1000.0 << 99.5;
    QTest::newRow("not a number") << 2 << qQNaN() << 1.0;
}

void TestThumbnails::scrollRule()
{
    QFETCH(int, cols);
    QFETCH(double, x);
    QTEST(ThumbScrollPos(Layout(400, 400, cols, 1.0), x), "stored");
}

void TestThumbnails::hitTest_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<double>("first");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("slide");
    QTest::newRow("first cell") << 260 << 1.0 << 10 << 12 << 1;
    QTest::newRow("first cell right edge 144") << 260 << 1.0 << 144 << 50 << 1;
    QTest::newRow("gap at 145") << 260 << 1.0 << 145 << 50 << 0;
    QTest::newRow("second column at 146, one column") << 260 << 1.0 << 146 << 50 << 0;
    QTest::newRow("second column at 146") << 400 << 1.0 << 146 << 50 << 2;
    QTest::newRow("gap above the first row") << 260 << 1.0 << 50 << 11 << 0;
    QTest::newRow("left margin") << 400 << 1.0 << 9 << 50 << 0;
    QTest::newRow("second row") << 400 << 1.0 << 146 << 148 << 4;
    QTest::newRow("half-scrolled row 3,4") << 400 << 3.5 << 20 << 20 << 3;
    QTest::newRow("below it: 5") << 400 << 3.5 << 160 << 100 << 6;
    QTest::newRow("bottom margin") << 400 << 1.0 << 20 << 391 << 0;
    QTest::newRow("beyond Max") << 400 << 99.5 << 146 << 148 << 0;
}

void TestThumbnails::hitTest()
{
    QFETCH(int, w);
    QFETCH(double, first);
    QFETCH(int, x);
    QFETCH(int, y);
    TThumbLayout g = Layout(w, 400, 0, first);
    g.Cols = ThumbColumns(g);
    QTEST(ThumbSlideAt(g, x, y), "slide");
}

void TestThumbnails::imagePlacement_data()
{
    QTest::addColumn<int>("iw");
    QTest::addColumn<int>("ih");
    QTest::addColumn<TRect>("rect");
    QTest::newRow("200 x 100: 120 x 60 centred") << 200 << 100 << TRect(17, 47, 137, 107);
    QTest::newRow("portrait 50 x 100") << 50 << 100 << TRect(47, 17, 107, 137);
    QTest::newRow("square") << 33 << 33 << TRect(17, 17, 137, 137);
    QTest::newRow("round half to even: 240 x 1") << 240 << 1 << TRect(17, 17 + 60, 137, 17 + 60 + 0);
    QTest::newRow("empty") << 0 << 10 << TRect(17, 17, 17, 17);
}

void TestThumbnails::imagePlacement()
{
    QFETCH(int, iw);
    QFETCH(int, ih);
    QTEST(ThumbImageRect(17, 17, 120, iw, ih), "rect");
}

void TestThumbnails::requestOrderPerPaint_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<double>("first");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("order");
    QTest::newRow("default: one column") << 260 << 1.0 << 100 << "first 1 2 3 last";
    QTest::newRow("width 400: columns outer") << 400 << 1.0 << 100 << "first 1 3 5 2 4 6 last";
    QTest::newRow("scrolled to 3.5") << 400 << 4.0 << 100 << "first 3 5 7 4 6 8 last";
    QTest::newRow("end of range skips") << 400 << 100.0 << 100 << "first 99 100 last";
    QTest::newRow("100,000 slides, far down") << 400 << 99995.0 << 100000 << "first 99995 99997 99999 99996 99998 100000 last";
}

void TestThumbnails::requestOrderPerPaint()
{
    QFETCH(int, w);
    QFETCH(double, first);
    QFETCH(int, max);
    Strip s(w);
    QVERIFY(s.exposed());
    s.t.SetMax(max);
    s.t.SetFirstThumbIdx(first);
    QCoreApplication::processEvents();
    s.log.clear();
    s.t.SetColorCover(0x00FFFF); // a setter paints at once
    QTEST(s.log.join(' '), "order");
    s.log.clear();
    s.t.update(); // a paint event that needs no redraw asks for nothing
    QCoreApplication::processEvents();
    QCOMPARE(s.log.join(' '), QString());
}

void TestThumbnails::fractionalScrollOnScreen()
{
    Strip s(400);
    QVERIFY(s.exposed());
    s.t.SetColorBackGnd(0x00FF00);
    s.t.SetFirstThumbIdx(4);
    QCOMPARE(s.t.FirstThumbIdx(), 3.5);
    int x = 0, y = 0;
    s.t.CalcSlidePos(3, x, y);
    QCOMPARE(x, 10);
    QCOMPARE(y, 2 - 68 + 10);
    s.t.CalcSlidePos(5, x, y);
    QCOMPARE(y, 136 + 2 - 68 + 10);
    QCoreApplication::processEvents();
    // The row of 3 and 4 is half hidden under the top margin; the cover shows below it.
    QCOMPARE(Hex(Px(s.t, 60, 9)), Hex(0x00FF00));
    QCOMPARE(Hex(Px(s.t, 60, 75)), Hex(0xC0C0C0));
    QCOMPARE(Hex(Px(s.t, 60, 79)), Hex(0x00FF00)); // the gap between rows
}

void TestThumbnails::setterReachesScreen()
{
    Strip s;
    QVERIFY(s.exposed());
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 12, 40)), Hex(0xC0C0C0));
    s.t.SetColorCover(0x0000FF);
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 12, 40)), Hex(0x0000FF));
    s.t.SetSlideSelected(1, true);
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 12, 40)), Hex(0x800000));
}

void TestThumbnails::slideKinds_data()
{
    QTest::addColumn<TImageRequestProcessing>("how");
    QTest::addColumn<TColor>("cell");
    QTest::addColumn<TColor>("centre");
    QTest::newRow("empty: white card") << irpShowEmpty << TColor(0xC0C0C0) << TColor(0xFFFFFF);
    QTest::newRow("frame only") << irpShowFrameOnly << TColor(0xC0C0C0) << TColor(0xC0C0C0);
    QTest::newRow("slide without image") << irpShowSlide << TColor(0xC0C0C0) << TColor(0xC0C0C0);
    QTest::newRow("nothing") << irpShowNothing << TColor(0x00FF00) << TColor(0x00FF00);
}

void TestThumbnails::slideKinds()
{
    QFETCH(TImageRequestProcessing, how);
    Strip s;
    QVERIFY(s.exposed());
    s.t.OnImageRequest = [how](TObject*, int, TImageRequestProcessing& h, int&, TBitmap*&) { h = how; };
    s.t.SetColorBackGnd(0x00FF00);
    QCoreApplication::processEvents();
    // Slide 1's cell is 10..144 x 12..146; the card spans 17..137 x 39..119; the number is centred.
    QTEST(Px(s.t, 12, 30), "cell");
    QTEST(Px(s.t, 30, 60), "centre");
    if (how == irpShowEmpty) {
        const QImage img = s.t.grab().toImage();
        int dark = 0;
        for (int y = 70; y < 90; ++y)
            for (int x = 65; x < 90; ++x)
                dark += RgbToColor(img.pixel(x, y)) == 0 ? 1 : 0;
        QVERIFY2(dark > 5, "the slide number is drawn in black in the middle of the card");
    }
}

void TestThumbnails::markerWithoutCell()
{
    Strip s;
    QVERIFY(s.exposed());
    QList<QPoint> rendered;
    s.t.SetColorMark(0x0000FF);
    s.t.SetColorBackGnd(0x00FF00);
    s.t.OnImageRequest = [](TObject*, int, TImageRequestProcessing& h, int& mark, TBitmap*&) {
        h = irpShowNothing;
        mark = 3;
    };
    s.t.OnSlideRendered = [&](TObject* sender, TCanvas* c, int x, int y, int id) {
        QCOMPARE(sender, &s.t);
        QVERIFY(c != nullptr);
        rendered << QPoint(x, y) << QPoint(id, 0);
    };
    s.t.SetColorCover(0x123456);
    QCOMPARE(rendered, (QList<QPoint>{{10, 12}, {1, 0}, {10, 148}, {2, 0}, {10, 284}, {3, 0}}));
    QCoreApplication::processEvents();
    // No cell, and the triangle (mark 3) around (20, 24) in the mark colour.
    QCOMPARE(Hex(Px(s.t, 12, 14)), Hex(0x00FF00));
    QCOMPARE(Hex(Px(s.t, 20, 20)), Hex(0x0000FF));
    QCOMPARE(Hex(Px(s.t, 20, 156)), Hex(0x0000FF));
}

void TestThumbnails::scaledImageOnScreen()
{
    Strip s;
    QVERIFY(s.exposed());
    s.t.SetInnerFrameStyle(fsNone);
    s.t.OnImageRequest = [](TObject*, int, TImageRequestProcessing& h, int&, TBitmap*& ib) {
        h = irpShowSlide;
        ib->SetSize(200, 100);
        ib->Canvas()->Brush()->SetColor(0x0000FF);
        ib->Canvas()->FillRect(TRect(0, 0, 200, 100));
    };
    s.t.SetColorCover(0x00FFFF);
    QCoreApplication::processEvents();
    // Slide area of slide 1 from (17, 19): image 120 x 60 from y = 19 + 30 = 49 to 108.
    const QImage img = s.t.grab().toImage();
    auto at = [&](int x, int y) { return Hex(RgbToColor(img.pixel(x, y))); };
    QCOMPARE(at(17, 49), Hex(0x0000FF));
    QCOMPARE(at(136, 108), Hex(0x0000FF));
    QCOMPARE(at(17, 48), Hex(0x00FFFF));
    QCOMPARE(at(136, 109), Hex(0x00FFFF));
    QCOMPARE(at(137, 80), Hex(0x00FFFF));
}

void TestThumbnails::handlerKeepsItsOwnBuffer()
{
    Strip s;
    QVERIFY(s.exposed());
    TBitmap own(10, 10);
    own.Canvas()->Brush()->SetColor(0x0000FF);
    own.Canvas()->FillRect(TRect(0, 0, 10, 10));
    QList<TBitmap*> seen;
    s.t.OnImageRequest = [&](TObject*, int id, TImageRequestProcessing& h, int&, TBitmap*& ib) {
        seen << ib;
        h = irpShowSlide;
        if (id == 1)
            ib = &own; // the application's bitmap for this slide only
        else if (id == 2)
            ib = nullptr;
    };
    s.t.SetColorCover(0x00FFFF);
    QCOMPARE(seen.size(), 3);
    QVERIFY(seen[0] == seen[1] && seen[1] == seen[2]); // the strip's buffer each time
    QVERIFY(seen[0] != &own);
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 70, 70)), Hex(0x0000FF));
    QCOMPARE(own.Width(), 10); // still the application's, untouched
}

void TestThumbnails::focusRectangle_data()
{
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<int>("changes");
    QTest::newRow("width 1") << 1 << 3;
    QTest::newRow("width 3") << 3 << 3;
    QTest::newRow("off") << 0 << 0;
}

void TestThumbnails::focusRectangle()
{
    QFETCH(int, lineWidth);
    Strip s(400);
    QVERIFY(s.exposed());
    s.t.SetFocusLinewidth(lineWidth);
    QCoreApplication::processEvents();
    int changes = 0;
    s.t.OnFocusChange = [&](TObject*) { ++changes; };
    int paints = 0;
    s.t.OnFirstImageRequest = [&](TObject*) { ++paints; };
    QTest::mouseMove(&s.t, QPoint(50, 50));   // slide 1
    QTest::mouseMove(&s.t, QPoint(60, 60));   // still slide 1
    QTest::mouseMove(&s.t, QPoint(200, 50));  // slide 2
    QTest::mouseMove(&s.t, QPoint(145, 50));  // gap
    QCoreApplication::processEvents();
    QTEST(changes, "changes");
    QCOMPARE(paints, 0); // mouse movement never repaints the strip
    QCOMPARE(s.t.FocusedSlide(), 0);
    QTest::mouseMove(&s.t, QPoint(200, 50));
    QCoreApplication::processEvents();
    const QImage img = s.t.grab().toImage();
    // Slide 2's cell begins at x = 146: focus lines at 148 .. 148 + width - 1, none inside.
    for (int i = 0; i < lineWidth; ++i)
        QCOMPARE(Hex(RgbToColor(img.pixel(148 + i, 80))), Hex(0xFF0000));
    QCOMPARE(Hex(RgbToColor(img.pixel(148 + lineWidth, 80))), Hex(0xC0C0C0));
    QCOMPARE(Hex(RgbToColor(img.pixel(12, 80))), Hex(0xC0C0C0)); // slide 1 erased
    if (lineWidth > 0) {
        // A repaint keeps the rectangle of the slide under the mouse.
        s.t.SetColorCover(0x00FFFF);
        QCoreApplication::processEvents();
        QCOMPARE(Hex(Px(s.t, 148, 80)), Hex(0xFF0000));
        QCOMPARE(s.t.FocusedSlide(), 2);
    }
}

void TestThumbnails::clicksAndSelection_data()
{
    QTest::addColumn<TSlideSelectMode>("mode");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("selected");
    QTest::newRow("single on slide 2") << ssmSingle << QPoint(200, 50) << 2 << 1;
    QTest::newRow("single in the gap at 145 clears") << ssmSingle << QPoint(145, 50) << 0 << 0;
    QTest::newRow("multiple leaves it to the application") << ssmMultiple << QPoint(200, 50) << 2 << 2;
    QTest::newRow("disabled too") << ssmDisabled << QPoint(200, 50) << 2 << 2;
}

void TestThumbnails::clicksAndSelection()
{
    QFETCH(TSlideSelectMode, mode);
    QFETCH(QPoint, pos);
    Strip s(400);
    QVERIFY(s.exposed());
    s.t.SetSlideSelectMode(mode);
    s.t.SetSlideSelected(3, true);
    s.t.SetSlideSelected(4, true);
    QList<int> clicks;
    s.t.OnImageClick = [&](TObject*, int x, int y, int id) {
        QCOMPARE(QPoint(x, y), pos);
        clicks << id;
    };
    QTest::mouseClick(&s.t, Qt::LeftButton, {}, pos);
    QTest::mouseClick(&s.t, Qt::RightButton, {}, pos);
    QFETCH(int, reported);
    QCOMPARE(clicks, QList<int>{reported});
    QTEST(s.t.NumSlidesSelected(), "selected");
    if (mode == ssmSingle && reported != 0) {
        QVERIFY(s.t.SlideSelected(2));
        QCOMPARE(s.t.FirstSelectedSlide(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(Hex(Px(s.t, 150, 30)), Hex(0x800000));
    }
}

void TestThumbnails::doubleClick()
{
    Strip s(400);
    QVERIFY(s.exposed());
    QStringList events;
    s.t.OnDblClick = [&](TObject*) { events << "dbl"; };
    s.t.OnImageDblClick = [&](TObject*, int x, int, int id) { events << QString("image %1 at %2").arg(id).arg(x); };
    QTest::mouseDClick(&s.t, Qt::LeftButton, {}, QPoint(160, 200));
    QCOMPARE(events, (QStringList{"dbl", "image 4 at 160"}));
}

void TestThumbnails::clamps_data()
{
    QTest::addColumn<QByteArray>("prop");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("SlideSize raised to 50") << QByteArray("SlideSize") << 10 << 50;
    QTest::newRow("SlideSize capped at Width") << QByteArray("SlideSize") << 1000 << 260;
    QTest::newRow("SlideDistance high") << QByteArray("SlideDistance") << 101 << 100;
    QTest::newRow("SlideDistance low") << QByteArray("SlideDistance") << -1 << 0;
    QTest::newRow("SlideMargin high") << QByteArray("SlideMargin") << 500 << 100;
    QTest::newRow("FocusLinewidth high") << QByteArray("FocusLinewidth") << 11 << 10;
    QTest::newRow("FocusLinewidth low") << QByteArray("FocusLinewidth") << -3 << 0;
    QTest::newRow("Max below 1") << QByteArray("Max") << -7 << 1;
    QTest::newRow("Min anything") << QByteArray("Min") << -7 << -7;
}

void TestThumbnails::clamps()
{
    QFETCH(QByteArray, prop);
    QFETCH(int, value);
    TThumbnails t;
    QCOMPARE(t.sizeHint(), QSize(260, 400));
    QCOMPARE(t.size(), QSize(260, 400));
    QVERIFY(t.metaObject()->property(t.metaObject()->indexOfProperty("SlideSelectMode")).isEnumType());
    QVERIFY(t.setProperty(prop, value));
    QTEST(t.property(prop).toInt(), "stored");
}

void TestThumbnails::shrinkingRangeKeepsSlidesVisible()
{
    Strip s(400);
    QVERIFY(s.exposed());
    s.t.SetFirstThumbIdx(50);
    QCOMPARE(s.t.FirstThumbIdx(), 49.5);
    s.t.SetSlideSelected(10, true);
    s.log.clear();
    s.t.SetMax(10);
    QCOMPARE(s.t.FirstThumbIdx(), 9.5);
    QCOMPARE(s.log.join(' '), QString("first 9 10 last"));
    QVERIFY(s.t.SlideSelected(10));
    QVERIFY(!s.t.SlideSelected(11));
    s.t.SetMin(20); // above Max: an empty range, nothing requested, hit or selected
    QCOMPARE(s.t.FirstThumbIdx(), 19.5);
    s.log.clear();
    s.t.SetColorCover(0x00FFFF);
    QCOMPARE(s.log.join(' '), QString("first last"));
    QTest::mouseClick(&s.t, Qt::LeftButton, {}, QPoint(20, 20));
    s.t.SetSelectedSlide(20, true);
    QCOMPARE(s.t.NumSlidesSelected(), 0);
    QCOMPARE(s.t.FirstSelectedSlide(), 19); // none selected: Min - 1
}

void TestThumbnails::handlerChangingSettingsDuringPaint()
{
    Strip s;
    QVERIFY(s.exposed());
    int requests = 0;
    s.t.OnImageRequest = [&](TObject*, int, TImageRequestProcessing&, int&, TBitmap*&) {
        ++requests;
        s.t.SetColorCover(0x0000FF); // no paint inside the paint...
    };
    s.t.SetColorBackGnd(0x00FF00);
    QCOMPARE(requests, 3);
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 12, 40)), Hex(0x0000FF)); // ...but the change shows afterwards
    // A throwing handler ends the paint through the exception handler; the next paint runs.
    QStringList caught;
    SetApplicationExceptionHandler([&](TObject*, const std::exception& e) { caught << e.what(); });
    const auto unset = qScopeGuard([] { SetApplicationExceptionHandler(nullptr); });
    s.t.OnImageRequest = [](TObject*, int, TImageRequestProcessing&, int&, TBitmap*&) { throw std::runtime_error("no image"); };
    s.t.SetColorCover(0x00FFFF);
    QCOMPARE(caught, QStringList{"no image"});
    s.t.OnImageRequest = nullptr;
    s.t.SetColorCover(0xFF00FF);
    QCoreApplication::processEvents();
    QCOMPARE(Hex(Px(s.t, 12, 40)), Hex(0xFF00FF));
}

void TestThumbnails::assign()
{
    TThumbnails a, b;
    int hits = 0;
    a.OnImageClick = [&](TObject* sender, int, int, int) { hits += sender == &b ? 1 : 100; };
    a.SetMin(5);
    a.SetMax(500);
    a.SetSlideSize(80);
    a.SetSlideMargin(3);
    a.SetFrameStyle(fsRidge);
    a.SetFocusLinewidth(4);
    a.SetFirstThumbIdx(9);
    a.SetSlideSelected(7, true);
    b.Assign(&a);
    QCOMPARE(QList<int>({b.Min(), b.Max(), b.SlideSize(), b.SlideMargin(), b.FocusLinewidth()}),
             QList<int>({5, 500, 80, 3, 4}));
    QCOMPARE(b.FrameStyle(), fsRidge);
    QCOMPARE(b.FirstThumbIdx(), a.FirstThumbIdx());
    QCOMPARE(b.NumSlidesSelected(), 0); // the selection is resized to the range, not copied
    b.SetSlideSelected(500, true);
    QVERIFY(b.SlideSelected(500));
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(hits, 1);
    QWidget other;
    QVERIFY_THROWS_EXCEPTION(EQORError, b.Assign(&other));
}

QTEST_MAIN(TestThumbnails)
#include "tst_thumbnails.moc"

// Tests of the progress bar: rounding, colour table and mappings, layout and grid for every
// direction, value text and its placement, the pixels on screen, frames, the background
// picture, the increment timer and assignment.
#include "bars/ProgBarGeometry_p.h"
#include "bars/QOR_gradfl.h"

#include <QMetaProperty>
#include "foundation/QOR_Testing.h"

#include <QtTest>

using namespace qor;
using namespace qor::progbar;

namespace {

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

/// A shown bar with distinct colours and no frames or text, unless a test sets them.
struct Shown {
    QWidget host;
    TProgBar* bar;
    qor::testing::PaintCounter counter;
    explicit Shown(bool plain = true)
    {
        host.resize(400, 200);
        bar = new TProgBar(&host);
        bar->setObjectName("bar1");
        bar->Font()->SetName("DejaVu Sans");
        if (plain) {
            bar->SetFrameStyleInner(fsNone);
            bar->SetFrameStyleOuter(fsNone);
            bar->SetTextVisible(false);
            bar->SetColorMargin(0x00FF00);
        }
        bar->installEventFilter(&counter);
        host.show();
    }
    /// Paint events received once the event loop ran (grabbing paints too, so count first).
    int settle()
    {
        QCoreApplication::processEvents();
        return counter.n;
    }
    /// What the window shows after the event loop ran.
    QImage screen()
    {
        settle();
        return bar->grab().toImage();
    }
};

} // namespace

class TstProgBar : public QObject {
    Q_OBJECT

private slots:
    void nearest_data();
    void nearest();
    void colourTable();
    void mapping_data();
    void mapping();
    void layout_data();
    void layout();
    void gridLines_data();
    void gridLines();
    void valueText_data();
    void valueText();
    void textOrigin_data();
    void textOrigin();
    void defaultsOnScreen();
    void setterRules_data();
    void setterRules();
    void gradientOnScreen_data();
    void gradientOnScreen();
    void rangeEdges_data();
    void rangeEdges();
    void frames_data();
    void frames();
    void rotatedText();
    void showValueHook();
    void backgroundPicture();
    void timerSteps();
    void timerFailures();
    void assign();
    void publishedProperties();
};

void TstProgBar::nearest_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("expected");
    QTest::newRow("half down to even") << 0.5 << 0;
    QTest::newRow("half up to even") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("below half") << 2.49 << 2;
    QTest::newRow("above half") << -2.51 << -3;
    QTest::newRow("NaN") << qQNaN() << 0;
    QTest::newRow("huge saturates") << 1e300 << (1 << 30);
    QTest::newRow("-huge saturates") << -1e300 << -(1 << 30);
}

void TstProgBar::nearest()
{
    QFETCH(double, v);
    QFETCH(int, expected);
    QCOMPARE(Nearest(v), expected);
}

void TstProgBar::colourTable()
{
    TProgBar bar;
    QCOMPARE(bar.BarColors(0), TColor(0xFF0000));
    QCOMPARE(bar.BarColors(1023), TColor(0x0000FF));
    QCOMPARE(bar.BarColors(511), TColor(0x7F007F)); // Trunc(255 * 511 / 1023) = 127 each way
    bar.SetColorMin(0x000000);
    bar.SetColorMax(0xFFFFFF);
    QCOMPARE(bar.ColorMin(), TColor(0x000000));
    QCOMPARE(bar.ColorMax(), TColor(0xFFFFFF));
    QCOMPARE(bar.BarColors(1), TColor(0x000000));    // Trunc(0.249)
    QCOMPARE(bar.BarColors(5), TColor(0x010101));    // Trunc(1.246)
    QCOMPARE(bar.BarColors(1022), TColor(0xFEFEFE)); // Trunc(254.75)
    QCOMPARE(InterpolateColor(0x204060, 0x604020, 0.5), TColor(0x404040));
    QCOMPARE(InterpolateColor(0x000000, 0xFFFFFF, 7.0), TColor(0xFFFFFF)); // fraction clamped
    QCOMPARE(InterpolateColor(0x000000, 0xFFFFFF, -1.0), TColor(0x000000));
    // Direct entries: written without a repaint; outside the table nothing is touched.
    bar.SetBarColors(3, 0x123456);
    QCOMPARE(bar.BarColors(3), TColor(0x123456));
    bar.SetBarColors(1024, 0x123456);
    bar.SetBarColors(-1, 0x123456);
    QCOMPARE(bar.BarColors(1024), TColor(0));
    QCOMPARE(bar.BarColors(-1), TColor(0));
    QCOMPARE(bar.BarColors(1023), TColor(0xFFFFFF));
    // Setting an end recomputes the inner entries.
    bar.SetColorMin(0xFFFFFF);
    QCOMPARE(bar.BarColors(3), TColor(0xFFFFFF));
}

void TstProgBar::mapping_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    // total 292 lines: the default bar's inner width
    QTest::newRow("cover 50% start") << int(cgmCover) << 0 << 146 << 0;
    QTest::newRow("cover 50% middle") << int(cgmCover) << 73 << 146 << 256;
    QTest::newRow("cover 50% end: middle colour") << int(cgmCover) << 145 << 146 << 508;
    QTest::newRow("cover 100% end") << int(cgmCover) << 291 << 292 << 1019;
    QTest::newRow("cover past Max clamps") << int(cgmCover) << 399 << 400 << 1023;
    QTest::newRow("stretch 50% start") << int(cgmStretch) << 0 << 146 << 0;
    QTest::newRow("stretch 50% middle") << int(cgmStretch) << 73 << 146 << 512;
    QTest::newRow("stretch 50% end") << int(cgmStretch) << 145 << 146 << 1016;
    QTest::newRow("stretch 100% end") << int(cgmStretch) << 291 << 292 << 1019;
    QTest::newRow("stretch 10% end") << int(cgmStretch) << 28 << 29 << 988;
    QTest::newRow("move 50% start") << int(cgmMove) << 0 << 146 << 515;
    QTest::newRow("move 50% end: ColorMax") << int(cgmMove) << 145 << 146 << 1023;
    QTest::newRow("move 100% start") << int(cgmMove) << 0 << 292 << 4;
    QTest::newRow("move 100% end") << int(cgmMove) << 291 << 292 << 1023;
    QTest::newRow("move one line") << int(cgmMove) << 0 << 1 << 1023;
    QTest::newRow("move past Max clamps at 0") << int(cgmMove) << 0 << 400 << 0;
    QTest::newRow("empty bar") << int(cgmStretch) << 0 << 0 << 0;
}

void TstProgBar::mapping()
{
    QFETCH(int, mode);
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(int, expected);
    QCOMPARE(BarColorIndex(TColorMapping(mode), k, n, 292), expected);
}

void TstProgBar::layout_data()
{
    QTest::addColumn<int>("dir");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("length");
    QTest::addColumn<TRect>("bar");
    QTest::addColumn<TRect>("firstLine");
    // 300 x 28, margins 4: inner 292 x 20
    QTest::newRow("right 10%") << int(drRight) << 0.1 << 29 << TRect(4, 4, 33, 24) << TRect(4, 4, 5, 24);
    QTest::newRow("left 10%") << int(drLeft) << 0.1 << 29 << TRect(267, 4, 296, 24) << TRect(295, 4, 296, 24);
    QTest::newRow("up 10%") << int(drUp) << 0.1 << 2 << TRect(4, 22, 296, 24) << TRect(4, 23, 296, 24);
    QTest::newRow("down 10%") << int(drDown) << 0.1 << 2 << TRect(4, 4, 296, 6) << TRect(4, 4, 296, 5);
    QTest::newRow("up 50%") << int(drUp) << 0.5 << 10 << TRect(4, 14, 296, 24) << TRect(4, 23, 296, 24);
    QTest::newRow("right 0%") << int(drRight) << 0.0 << 0 << TRect(4, 4, 4, 24) << TRect(4, 4, 5, 24);
    QTest::newRow("right below Min") << int(drRight) << -0.5 << 0 << TRect(4, 4, 4, 24) << TRect(4, 4, 5, 24);
    QTest::newRow("right past Max") << int(drRight) << 2.0 << 584 << TRect(4, 4, 588, 24) << TRect(4, 4, 5, 24);
    QTest::newRow("down past Max") << int(drDown) << 1.5 << 30 << TRect(4, 4, 296, 34) << TRect(4, 4, 296, 5);
    QTest::newRow("halves to even") << int(drRight) << 0.5 / 292 << 0 << TRect(4, 4, 4, 24) << TRect(4, 4, 5, 24);
    QTest::newRow("far past Max") << int(drLeft) << 1e300 << (1 << 28) << TRect(296 - (1 << 28), 4, 296, 24)
                                  << TRect(295, 4, 296, 24);
}

void TstProgBar::layout()
{
    QFETCH(int, dir);
    QFETCH(double, fraction);
    QFETCH(int, length);
    QFETCH(TRect, bar);
    QFETCH(TRect, firstLine);
    const TBarLayout l = BarLayout(300, 28, 4, 4, 4, 4, TDirection(dir), fraction);
    QCOMPARE(l.Area, TRect(4, 4, 296, 24));
    QCOMPARE(l.Length, length);
    QCOMPARE(l.Bar, bar);
    QCOMPARE(BarLine(l, TDirection(dir), 0), firstLine);
    int first = 0, last = 0;
    VisibleLines(l, TDirection(dir), 300, 28, first, last);
    QVERIFY(first >= 0 && last <= length && first <= last);
    if (length > 0) {
        const TRect lastLine = BarLine(l, TDirection(dir), last - 1);
        QVERIFY(TRect(0, 0, 300, 28).Contains(lastLine.Left, lastLine.Top));
    }
}

void TstProgBar::gridLines_data()
{
    QTest::addColumn<int>("dir");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("dist");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("right: start to end") << int(drRight) << 0.1 << 10 << QList<int>{4, 14, 24};
    QTest::newRow("right: the end coordinate counts") << int(drRight) << 0.1 << 29 << QList<int>{4, 33};
    QTest::newRow("right empty bar") << int(drRight) << 0.0 << 10 << QList<int>{4};
    QTest::newRow("left mirrors right") << int(drLeft) << 0.1 << 10 << QList<int>{295, 285, 275};
    QTest::newRow("left end") << int(drLeft) << 0.1 << 29 << QList<int>{295, 266};
    QTest::newRow("up: first line to last") << int(drUp) << 0.5 << 3 << QList<int>{23, 20, 17, 14};
    QTest::newRow("up empty bar") << int(drUp) << 0.0 << 3 << QList<int>{};
    QTest::newRow("down mirrors up") << int(drDown) << 0.5 << 3 << QList<int>{4, 7, 10, 13};
    QTest::newRow("distance 1 draws none") << int(drRight) << 0.5 << 1 << QList<int>{};
    QTest::newRow("past Max: only inside") << int(drRight) << 10.0 << 100 << QList<int>{4, 104, 204};
    QTest::newRow("left far past Max") << int(drLeft) << 1e9 << 100 << QList<int>{295, 195, 95};
}

void TstProgBar::gridLines()
{
    QFETCH(int, dir);
    QFETCH(double, fraction);
    QFETCH(int, dist);
    QFETCH(QList<int>, expected);
    const TBarLayout l = BarLayout(300, 28, 4, 4, 4, 4, TDirection(dir), fraction);
    const bool horizontal = dir == drLeft || dir == drRight;
    const std::vector<int> got = GridLines(l, TDirection(dir), dist, horizontal ? 300 : 28);
    QCOMPARE(QList<int>(got.begin(), got.end()), expected);
}

void TstProgBar::valueText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << 10.0 << 0 << "10";
    QTest::newRow("two decimals") << 10.0 << 2 << "10.00";
    QTest::newRow("ten decimals") << 1.0 / 3 << 10 << "0.3333333333";
    QTest::newRow("negative, half away from zero") << -2.25 << 1 << "-2.3";
    QTest::newRow("exp 4 digits") << 1234.5 << -2 << "1.2345E+0003";
    QTest::newRow("exp 2 digits") << 1234.5 << -1 << "1.2345E+03";
    QTest::newRow("exp one digit mantissa") << 10.0 << -1 << "1.0E+01";
    QTest::newRow("exp negative") << -0.00012 << -1 << "-1.2E-04";
    QTest::newRow("exp too wide for 2 digits") << 1e150 << -1 << "*******";
    QTest::newRow("exp 4 digits keeps it") << 1e150 << -2 << "1.0E+0150";
    QTest::newRow("exp small too wide") << -2.5e-120 << -1 << "********";
    QTest::newRow("zero exp") << 0.0 << -1 << "0.0E+00";
    QTest::newRow("NaN") << qQNaN() << 2 << "NaN";
    QTest::newRow("Inf") << qInf() << -1 << "Inf";
}

void TstProgBar::valueText()
{
    QFETCH(double, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(ValueText(value, places), expected);
}

void TstProgBar::textOrigin_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("angle");
    QTest::addColumn<TPoint>("expected");
    // text 41 x 17: half height 8, half width 20 (the right end uses 2 x 20); anchor (100, 50)
    QTest::newRow("centre 0") << int(taCenter) << 0 << TPoint(80, 42);
    QTest::newRow("left 0") << int(taLeftJustify) << 0 << TPoint(100, 42);
    QTest::newRow("right 0") << int(taRightJustify) << 0 << TPoint(60, 42);
    QTest::newRow("centre 90") << int(taCenter) << 90 << TPoint(92, 70);
    QTest::newRow("left 90") << int(taLeftJustify) << 90 << TPoint(92, 50);
    QTest::newRow("right 90") << int(taRightJustify) << 90 << TPoint(92, 90);
    QTest::newRow("centre 180") << int(taCenter) << 180 << TPoint(120, 58);
    QTest::newRow("centre 45") << int(taCenter) << 45 << TPoint(80, 58);
    QTest::newRow("right 270") << int(taRightJustify) << 270 << TPoint(108, 10);
    QTest::newRow("left 360") << int(taLeftJustify) << 360 << TPoint(100, 42);
}

void TstProgBar::textOrigin()
{
    QFETCH(int, alignment);
    QFETCH(int, angle);
    QFETCH(TPoint, expected);
    QCOMPARE(TextOrigin(TAlignment(alignment), angle, 41, 17, 100, 50), expected);
}

void TstProgBar::defaultsOnScreen()
{
    Shown s(false);
    TProgBar* b = s.bar;
    QCOMPARE(b->width(), 300);
    QCOMPARE(b->height(), 28);
    QCOMPARE(b->sizeHint(), QSize(300, 28));
    QCOMPARE(b->Value(), 10.0);
    QCOMPARE(b->Min(), 0.0);
    QCOMPARE(b->Max(), 100.0);
    QCOMPARE(b->Direction(), drRight);
    QCOMPARE(b->ColorMapMode(), cgmStretch);
    QCOMPARE(b->FrameStyleOuter(), fsRaised);
    QCOMPARE(b->FrameStyleInner(), fsLowered);
    QCOMPARE(b->TextAlignment(), taCenter);
    QCOMPARE(b->TextPosX(), 14);
    QCOMPARE(b->TextPosY(), 14);
    QCOMPARE(b->StartInterval(), 1500);
    QCOMPARE(b->RepeatInterval(), 700);
    QCOMPARE(b->AutoIncStep(), 1.0);
    QVERIFY(!b->AutoInc() && !b->ShowColorGradient() && b->TextVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    QImage img = s.screen();
    // 10 % of the 292-pixel inner width: 29 columns from x = 4, inside the inner frame.
    QCOMPARE(px(img, 32, 8), TColor(0xFF0000));
    QCOMPARE(px(img, 33, 8), TColor(0xC0C0C0));
    QCOMPARE(px(img, 200, 14), TColor(0xC0C0C0));
    QCOMPARE(px(img, 2, 14), TColor(0xC0C0C0)); // margin
    QCOMPARE(b->ShownText(), QString("10"));
    TCanvas m;
    m.Font()->Assign(*b->Font());
    QCOMPARE(b->TextOrigin(), TextOrigin(taCenter, 0, m.TextWidth("10"), m.TextHeight("10"), 14, 14));
    // Text ink (the default font colour) lies around (14, 14).
    int inkL = 300, inkR = -1;
    const TColor ink = ColorToRGB(b->Font()->Color(), &b->palette());
    for (int y = 6; y < 22; ++y)
        for (int x = 6; x < 40; ++x)
            if (px(img, x, y) == ink) {
                inkL = std::min(inkL, x);
                inkR = std::max(inkR, x);
            }
    QVERIFY2(inkR >= 0 && std::abs((inkL + inkR) / 2.0 - 14) <= 2, qPrintable(QString("%1..%2").arg(inkL).arg(inkR)));

    // A value change reaches the window through the event loop.
    const int before = s.settle();
    b->SetValue(50);
    QVERIFY(s.settle() > before);
    img = s.screen();
    QCOMPARE(px(img, 149, 8), TColor(0xFF0000));
    QCOMPARE(px(img, 150, 8), TColor(0xC0C0C0));

    // A change while hidden shows once the bar is shown again.
    b->hide();
    b->SetValue(80);
    b->show();
    img = s.screen();
    QCOMPARE(px(img, 237, 8), TColor(0xFF0000));
    QCOMPARE(px(img, 238, 8), TColor(0xC0C0C0));
}

void TstProgBar::setterRules_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("TextDecPlaces 12") << QByteArray("TextDecPlaces") << QVariant(12) << QVariant(10);
    QTest::newRow("TextDecPlaces -5") << QByteArray("TextDecPlaces") << QVariant(-5) << QVariant(-2);
    QTest::newRow("TextAngle 400") << QByteArray("TextAngle") << QVariant(400) << QVariant(360);
    QTest::newRow("TextAngle -3") << QByteArray("TextAngle") << QVariant(-3) << QVariant(0);
    QTest::newRow("RepeatInterval 3") << QByteArray("RepeatInterval") << QVariant(3) << QVariant(10);
    QTest::newRow("StartInterval 0") << QByteArray("StartInterval") << QVariant(0) << QVariant(10);
    QTest::newRow("TextPosX past Width") << QByteArray("TextPosX") << QVariant(500) << QVariant(300);
    QTest::newRow("TextPosY negative") << QByteArray("TextPosY") << QVariant(-1) << QVariant(0);
    QTest::newRow("TextPosY past Height") << QByteArray("TextPosY") << QVariant(29) << QVariant(28);
    QTest::newRow("AutoIncStep 0 ignored") << QByteArray("AutoIncStep") << QVariant(0.0) << QVariant(1.0);
    QTest::newRow("AutoIncStep -2") << QByteArray("AutoIncStep") << QVariant(-2.0) << QVariant(-2.0);
    QTest::newRow("Value not clamped") << QByteArray("Value") << QVariant(250.0) << QVariant(250.0);
    QTest::newRow("Max below Min kept") << QByteArray("Max") << QVariant(-5.0) << QVariant(-5.0);
}

void TstProgBar::setterRules()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    TProgBar bar;
    QVERIFY(bar.setProperty(property, value));
    QCOMPARE(bar.property(property), stored);

    TProgBar range;
    range.SetRange(50, 20);
    QCOMPARE(range.Min(), 20.0);
    QCOMPARE(range.Max(), 50.0);
}

void TstProgBar::gradientOnScreen_data()
{
    QTest::addColumn<int>("dir");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPoint>("startPx");  // the bar's first line
    QTest::addColumn<QPoint>("endPx");    // its last line
    QTest::addColumn<QPoint>("pastPx");   // just beyond it
    QTest::addColumn<int>("startIx");
    QTest::addColumn<int>("endIx");
    // half a bar of 300 x 28 with margins 4
    QTest::newRow("right stretch") << int(drRight) << int(cgmStretch) << QPoint(4, 10) << QPoint(149, 10)
                                   << QPoint(150, 10) << 0 << 1016;
    QTest::newRow("right cover") << int(drRight) << int(cgmCover) << QPoint(4, 10) << QPoint(149, 10)
                                 << QPoint(150, 10) << 0 << 508;
    QTest::newRow("right move") << int(drRight) << int(cgmMove) << QPoint(4, 10) << QPoint(149, 10)
                                << QPoint(150, 10) << 515 << 1023;
    QTest::newRow("left move") << int(drLeft) << int(cgmMove) << QPoint(295, 10) << QPoint(150, 10)
                               << QPoint(149, 10) << 515 << 1023;
    QTest::newRow("up stretch") << int(drUp) << int(cgmStretch) << QPoint(100, 23) << QPoint(100, 14)
                                << QPoint(100, 13) << 0 << 921;
    QTest::newRow("down move") << int(drDown) << int(cgmMove) << QPoint(100, 4) << QPoint(100, 13)
                               << QPoint(100, 14) << 563 << 1023;
}

void TstProgBar::gradientOnScreen()
{
    QFETCH(int, dir);
    QFETCH(int, mode);
    QFETCH(QPoint, startPx);
    QFETCH(QPoint, endPx);
    QFETCH(QPoint, pastPx);
    QFETCH(int, startIx);
    QFETCH(int, endIx);
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->SetColorMin(0x000000);
    s.bar->SetColorMax(0xFFFFFF);
    s.bar->SetDirection(TDirection(dir));
    s.bar->SetColorMapMode(TColorMapping(mode));
    s.bar->SetShowColorGradient(true);
    s.bar->SetValue(50);
    const QImage img = s.screen();
    QCOMPARE(px(img, startPx.x(), startPx.y()), s.bar->BarColors(startIx));
    QCOMPARE(px(img, endPx.x(), endPx.y()), s.bar->BarColors(endIx));
    QCOMPARE(px(img, pastPx.x(), pastPx.y()), TColor(0xC0C0C0));
}

void TstProgBar::rangeEdges_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("gridDist");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<uint>("expected");
    QTest::newRow("past Max runs into the margin") << 0.0 << 100.0 << 150.0 << 0 << QPoint(298, 10) << 0xFF0000u;
    QTest::newRow("far past Max") << 0.0 << 100.0 << 1e12 << 0 << QPoint(298, 10) << 0xFF0000u;
    QTest::newRow("below Min shows no bar") << 0.0 << 100.0 << -5.0 << 0 << QPoint(4, 10) << 0xC0C0C0u;
    QTest::newRow("Max = Min, value at it: full") << 50.0 << 50.0 << 50.0 << 0 << QPoint(295, 10) << 0xFF0000u;
    QTest::newRow("Max = Min, value below: empty") << 50.0 << 50.0 << 49.0 << 0 << QPoint(4, 10) << 0xC0C0C0u;
    QTest::newRow("NaN value: empty") << 0.0 << 100.0 << qQNaN() << 0 << QPoint(4, 10) << 0xC0C0C0u;
    QTest::newRow("grid over the bar") << 0.0 << 100.0 << 50.0 << 10 << QPoint(14, 10) << 0x000000u;
    QTest::newRow("grid at the bar end") << 0.0 << 100.0 << 50.0 << 146 << QPoint(150, 10) << 0x000000u;
    QTest::newRow("no grid past the end") << 0.0 << 100.0 << 50.0 << 10 << QPoint(164, 10) << 0xC0C0C0u;
}

void TstProgBar::rangeEdges()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(int, gridDist);
    QFETCH(QPoint, probe);
    QFETCH(uint, expected);
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->SetMin(min);
    s.bar->SetMax(max);
    s.bar->SetGridDist(gridDist);
    s.bar->SetValue(value);
    QCOMPARE(px(s.screen(), probe.x(), probe.y()), TColor(expected));
    s.bar->SetShowColorGradient(true);
    const QImage img = s.screen();
    if (expected == 0xFF0000u) // the gradient covers the same pixels
        QVERIFY(px(img, probe.x(), probe.y()) != 0xC0C0C0u);
    else
        QCOMPARE(px(img, probe.x(), probe.y()), TColor(expected));
}

void TstProgBar::frames_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<uint>>("colours");
    const uint g = 0x808080, w = 0xFFFFFF, k = 0x000000, m = 0x00FF00;
    const QList<QPoint> probe{{0, 0}, {5, 1}, {1, 10}, {10, 26}, {10, 27}, {298, 10}, {299, 10}, {0, 27}, {299, 0}};
    QTest::newRow("none") << int(fsNone) << probe << QList<uint>{m, m, m, m, m, m, m, m, m};
    QTest::newRow("simple") << int(fsSimple) << probe << QList<uint>{g, m, m, m, g, m, g, g, g};
    QTest::newRow("lowered") << int(fsLowered) << probe << QList<uint>{g, k, k, g, w, g, w, m, m};
    QTest::newRow("raised") << int(fsRaised) << probe << QList<uint>{g, w, w, g, k, g, k, m, m};
    QTest::newRow("ridge") << int(fsRidge) << probe << QList<uint>{w, g, g, w, g, w, g, m, m};
    QTest::newRow("groove") << int(fsGroove) << probe << QList<uint>{g, w, w, g, w, g, w, m, m};
}

void TstProgBar::frames()
{
    QFETCH(int, style);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<uint>, colours);
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->SetFrameStyleOuter(TFrameStyle(style));
    const QImage img = s.screen();
    for (int i = 0; i < points.size(); ++i)
        QVERIFY2(px(img, points[i].x(), points[i].y()) == colours[i],
                 qPrintable(QString("(%1, %2): %3").arg(points[i].x()).arg(points[i].y())
                                .arg(px(img, points[i].x(), points[i].y()), 6, 16, QChar('0'))));
    // The inner frame takes the same look on the bar area; the system scheme its colours.
    s.bar->SetFrameStyleOuter(fsNone);
    s.bar->SetFrameStyleInner(TFrameStyle(style));
    s.bar->SetColorScheme(csSystem);
    const QImage inner = s.screen();
    if (style == fsSimple)
        QCOMPARE(px(inner, 4, 4), ColorToRGB(clBtnShadow, &s.bar->palette()));
}

void TstProgBar::rotatedText()
{
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->resize(160, 160);
    s.bar->SetColorBackGnd(0xFFFFFF);
    s.bar->SetValue(-1); // no bar
    s.bar->Font()->SetColor(0x000000);
    s.bar->Font()->SetSize(14);
    s.bar->SetTextVisible(true);
    s.bar->SetTextDecPlaces(0);
    s.bar->SetTextPosX(80);
    s.bar->SetTextPosY(80);
    s.bar->SetValue(-123456);
    struct Row { int angle; bool tall; };
    for (const Row r : {Row{0, false}, Row{90, true}, Row{180, false}, Row{270, true}}) {
        s.bar->SetTextAngle(r.angle);
        const QImage img = s.screen();
        int l = 999, t = 999, rr = -1, b = -1;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                if (px(img, x, y) == 0x000000) {
                    l = std::min(l, x); rr = std::max(rr, x);
                    t = std::min(t, y); b = std::max(b, y);
                }
        QVERIFY(rr >= 0);
        QCOMPARE(rr - l > b - t, !r.tall);
        // Centred on the anchor whatever the angle.
        QVERIFY2(std::abs((l + rr) / 2.0 - 80) <= 3 && std::abs((t + b) / 2.0 - 80) <= 4,
                 qPrintable(QString("angle %1: %2..%3 x %4..%5").arg(r.angle).arg(l).arg(rr).arg(t).arg(b)));
    }
}

void TstProgBar::showValueHook()
{
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->SetTextVisible(true);
    s.bar->SetTextDecPlaces(1);
    s.bar->SetValue(42);
    QCOMPARE(s.bar->ShownText(), QString("42.0"));
    QObject* sender = nullptr;
    s.bar->OnShowValue = [&](TObject* snd, QString& text) {
        sender = snd;
        text = text + " %";
    };
    s.bar->SetValue(43);
    QCOMPARE(s.bar->ShownText(), QString("43.0 %"));
    QCOMPARE(sender, s.bar);
    // Through the setter the new text shows without another change.
    const int before = s.settle();
    s.bar->SetOnShowValue([](TObject*, QString& text) { text = "done"; });
    QCOMPARE(s.bar->ShownText(), QString("done"));
    QVERIFY(s.settle() > before);
}

void TstProgBar::backgroundPicture()
{
    QTemporaryDir dir;
    const QString good = dir.filePath("back.png");
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(QColor(0x56, 0x34, 0x12));
    QVERIFY(pic.save(good));
    const QString notAPicture = dir.filePath("notes.png");
    QFile f(notAPicture);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not an image");
    f.close();

    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    s.bar->SetBackGroundImg(good);
    QCOMPARE(s.bar->BackGroundImg(), good);
    QCOMPARE(px(s.screen(), 200, 10), TColor(0x123456));

    for (const QString& bad : {notAPicture, dir.filePath("missing.png")}) {
        const int before = s.settle();
        try {
            s.bar->SetBackGroundImg(bad);
            QFAIL("no error for an unreadable picture");
        } catch (const EQORProgBar& e) {
            QVERIFY2(e.Message().startsWith("Component \"bar1\": cannot load the background picture \"" + bad + "\""),
                     qPrintable(e.Message()));
        }
        QCOMPARE(s.bar->BackGroundImg(), good);
        QCOMPARE(s.settle(), before);
        QCOMPARE(px(s.screen(), 200, 10), TColor(0x123456));
    }
    // A copy keeps a picture of its own.
    TProgBar copy(&s.host);
    copy.Assign(s.bar);
    s.bar->SetBackGroundImg("");
    QCOMPARE(s.bar->BackGroundImg(), QString());
    QCOMPARE(px(s.screen(), 200, 10), TColor(0xC0C0C0));
    copy.show();
    QCoreApplication::processEvents();
    QCOMPARE(px(copy.grab().toImage(), 200, 10), TColor(0x123456));
}

void TstProgBar::timerSteps()
{
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.host));
    TProgBar* b = s.bar;
    TComponentTimer* t = b->AutoIncTimer();
    QVERIFY(!t->Active());
    QList<QObject*> ticks;
    b->SetOnAutoInc([&](TObject* sender) { ticks << sender; });
    QVERIFY(!t->Active()); // no timer while AutoInc is off

    b->SetAutoInc(true);
    QVERIFY(t->Active());
    QCOMPARE(t->Interval(), 1500);
    const int before = s.settle();
    t->Fire();
    QCOMPARE(b->Value(), 11.0);
    QCOMPARE(t->Interval(), 700); // the first tick enters the repeat phase
    QCOMPARE(ticks, QList<QObject*>{b});
    QVERIFY(s.settle() > before);
    QCOMPARE(px(s.screen(), 35, 10), TColor(0xFF0000)); // 11 % = 32 columns

    b->SetAutoIncStep(2.5);
    b->SetValue(99);
    t->Fire();
    t->Fire();
    QCOMPARE(b->Value(), 104.0); // no limit at Max
    QCOMPARE(ticks.size(), 3);
    QCOMPARE(t->Interval(), 700);

    b->SetRepeatInterval(50);
    QCOMPARE(t->Interval(), 50);
    b->SetStartInterval(300);
    QCOMPARE(t->Interval(), 300);
    t->Fire();
    QCOMPARE(t->Interval(), 50);
    b->SetAutoInc(false);
    QVERIFY(!t->Active());
    b->SetRepeatInterval(60); // off: nothing starts
    QVERIFY(!t->Active());

    // Real time: the timer ticks by itself.
    b->SetStartInterval(10);
    b->SetRepeatInterval(10);
    const double v = b->Value();
    b->SetAutoInc(true);
    QTRY_VERIFY(b->Value() >= v + 5);
    b->SetAutoInc(false);

    // Designing: the timer stays off.
    TProgBar designed;
    designed.SetDesigning(true);
    designed.SetAutoInc(true);
    QVERIFY(designed.AutoInc());
    QVERIFY(!designed.AutoIncTimer()->Active());
}

void TstProgBar::timerFailures()
{
    qor::testing::SetTimerStartsFail(true);
    auto restore = qScopeGuard([] {
        qor::testing::SetTimerStartsFail(false);
        SetApplicationExceptionHandler(nullptr);
    });
    TProgBar b;
    b.setObjectName("bar7");
    const QString expected = "Component \"bar7\": no timer available";
    auto expectFailure = [&](const std::function<void()>& call) {
        try {
            call();
            return QString("no error");
        } catch (const EQORProgBar& e) {
            return e.Message();
        }
    };
    QCOMPARE(expectFailure([&] { b.SetAutoInc(true); }), expected);
    QVERIFY(!b.AutoInc()); // does not claim to run
    QCOMPARE(expectFailure([&] { b.SetAutoInc(false); }), QString("no error"));

    // The first tick restarts the timer; its failure goes to the application's handler.
    qor::testing::SetTimerStartsFail(false);
    b.SetAutoInc(true);
    QStringList handled;
    SetApplicationExceptionHandler([&](TObject* sender, const std::exception& e) {
        QCOMPARE(sender, &b);
        handled << QString::fromUtf8(e.what());
    });
    qor::testing::SetTimerStartsFail(true);
    b.AutoIncTimer()->Fire();
    QCOMPARE(handled, QStringList{expected});
    QCOMPARE(b.Value(), 10.0);
    QVERIFY(!b.AutoInc());

    qor::testing::SetTimerStartsFail(false);
    b.SetAutoInc(true);
    qor::testing::SetTimerStartsFail(true);
    QCOMPARE(expectFailure([&] { b.SetRepeatInterval(99); }), expected);
    QCOMPARE(b.RepeatInterval(), 99);
    QVERIFY(!b.AutoInc());
}

void TstProgBar::assign()
{
    QWidget host;
    TProgBar a(&host), b(&host);
    a.SetFrameStyleOuter(fsRidge);
    a.SetFrameStyleInner(fsGroove);
    a.SetRange(-5, 5);
    a.SetValue(2.5);
    a.SetColorMargin(0x111111);
    a.SetColorScheme(csSystem);
    a.SetDirection(drUp);
    a.SetColorMin(0x010203);
    a.SetColorMax(0x040506);
    a.SetBarColors(17, 0xABCDEF);
    a.SetColorBackGnd(0x222222);
    a.SetShowColorGradient(true);
    a.SetColorGrid(0x333333);
    a.SetGridDist(7);
    a.SetColorMapMode(cgmMove);
    a.SetMarginLeft(1);
    a.SetMarginRight(2);
    a.SetMarginTop(3);
    a.SetMarginBottom(5);
    a.SetTextPosX(40);
    a.SetTextPosY(20);
    a.SetTextDecPlaces(-1);
    a.SetTextAngle(33);
    a.SetTextAlignment(taRightJustify);
    a.SetTextVisible(false);
    // not copied:
    a.SetAutoIncStep(3);
    a.SetStartInterval(111);
    a.SetRepeatInterval(222);
    a.Font()->SetSize(20);
    bool showCalled = false;
    a.OnShowValue = [&](TObject*, QString&) { showCalled = true; };
    a.SetOnAutoInc([](TObject*) {});

    b.Assign(&a);
    const TProgBar fresh;
    const QMetaObject* mo = &TProgBar::staticMetaObject;
    const QSet<QByteArray> timerSettings{"AutoInc", "AutoIncStep", "StartInterval", "RepeatInterval"};
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (timerSettings.contains(p.name()))
            QVERIFY2(p.read(&fresh) == p.read(&b), p.name());
        else
            QVERIFY2(p.read(&a) == p.read(&b), p.name());
    }
    for (int ix : {0, 17, 500, 1023})
        QCOMPARE(b.BarColors(ix), a.BarColors(ix));
    QVERIFY(b.Font()->Size() != 20);
    QVERIFY(!b.OnShowValue && !b.OnAutoInc);
    QVERIFY(!showCalled);

    TProgBar c(&host);
    a.AssignTo(&c);
    QCOMPARE(c.Value(), 2.5);
    b.Assign(&b);
    QCOMPARE(b.Value(), 2.5);
    TGradFill fill;
    QVERIFY_THROWS_EXCEPTION(EQORError, b.Assign(&fill));
}

void TstProgBar::publishedProperties()
{
    const QMetaObject* mo = &TProgBar::staticMetaObject;
    QCOMPARE(mo->propertyCount() - mo->propertyOffset(), 30);
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        QVERIFY2(mo->property(i).isReadable() && mo->property(i).isWritable(), mo->property(i).name());
    const QMetaProperty mapMode = mo->property(mo->indexOfProperty("ColorMapMode"));
    QVERIFY(mapMode.isEnumType());
    QCOMPARE(QString(mapMode.enumerator().valueToKey(cgmMove)), QString("cgmMove"));
}

QTEST_MAIN(TstProgBar)
#include "tst_progbar.moc"

// Rendering checked on pixels: lamps, bands, needle, frame, cover, images, R <= 0.
#include "tst_meter_suites.h"

#include <QTemporaryDir>
#include <cmath>
#include <numbers>

using namespace qor;

Q_DECLARE_METATYPE(qor::TMeterLayout)
Q_DECLARE_METATYPE(qor::TFrameStyle)
Q_DECLARE_METATYPE(qor::TColorScheme)

namespace {

TColor Px(const QImage& img, int x, int y)
{
    return RgbToColor(img.pixel(x, y));
}

QString Hex(TColor c)
{
    return QString("0x%1").arg(c, 6, 16, QChar('0'));
}

#define QCOMPARE_COLOR(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

// The pixel at radius r in the direction of value v.
TPoint At(const TMeter& m, double v, double r)
{
    const TMeterScale s = m.Scale();
    return s.PixelAtAngle(s.Theta(v), r);
}

void HideNeedle(TMeter& m)
{
    m.OnBeforeDrawNeedle = [](TObject*, TCanvas*, bool& drawn) { drawn = true; };
}

bool NeighbourhoodHas(const QImage& img, TPoint p, TColor c)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Px(img, p.X + dx, p.Y + dy) == c)
                return true;
    return false;
}

int CountColor(const QImage& img, TColor c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Px(img, x, y) == c)
                ++n;
    return n;
}

} // namespace

void TestMeterRender::nothingDrawnWithoutRadius()
{
    for (int h : {30, 34}) {  // R = -4 and R = 0
        TMeter m;
        m.SetBounds(0, 0, 100, h);
        QVERIFY(m.ScaleRadius() <= 0);
        int rendered = 0;
        m.OnMeterRendered = [&](TObject*, TCanvas*) { ++rendered; };
        TCanvas* c = m.Canvas();
        c->Brush()->SetColor(0x123456);
        c->FillRect(m.ClientRect());
        m.Paint();
        for (int y = 0; y < h; y += 3)
            for (int x = 0; x < 100; x += 3)
                QCOMPARE_COLOR(c->Pixels(x, y), TColor(0x123456));
        TBitmap B;
        QVERIFY(!m.RenderTo(&B));
        QCOMPARE(rendered, 0);
    }
}

void TestMeterRender::paintCopiesTheRenderedImage()
{
    TMeter m;
    m.SetValue(0.3);
    const QImage img = RenderMeter(m);
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), QSize(297, 209));
    m.Paint();
    for (int y = 0; y < 209; y += 7)
        for (int x = 0; x < 297; x += 5)
            QCOMPARE_COLOR(m.Canvas()->Pixels(x, y), Px(img, x, y));
}

void TestMeterRender::limitLamps()
{
    TMeter m;
    m.SetValue(1);  // overflow latched
    QImage img = RenderMeter(m);
    const int Y = 8;
    struct Probe { int dx, dy; TColor c; };
    // Offsets for the high lamp (X = W - RimSide, counted leftwards) and the low lamp (X = RimSide).
    const Probe high[] = {
        {-18, 8, clBlack}, {-9, 8, clBlack}, {-18, 12, clBlack}, {-13, 8, clBlack},
        {-13, 17, clWhite}, {-9, 12, clWhite},
        {-13, 16, clSilver}, {-10, 12, clSilver},
        {-17, 12, clGray}, {-13, 9, clGray},
    };
    const Probe low[] = {
        {8, 8, clBlack}, {17, 8, clBlack}, {8, 12, clBlack}, {13, 8, clBlack},
        {13, 17, clWhite}, {17, 12, clWhite},
        {13, 16, clSilver}, {16, 12, clSilver},
        {9, 12, clGray}, {13, 9, clGray},
    };
    auto checkLamps = [&](TColor highFill, TColor lowFill) {
        for (const Probe& p : high)
            QCOMPARE_COLOR(Px(img, 287 + p.dx, Y + p.dy), p.c);
        for (const Probe& p : low)
            QCOMPARE_COLOR(Px(img, 10 + p.dx, Y + p.dy), p.c);
        for (int y = Y + 10; y <= Y + 15; ++y)
            for (int d = 0; d <= 5; ++d) {
                QCOMPARE_COLOR(Px(img, 287 - 16 + d, y), highFill);
                QCOMPARE_COLOR(Px(img, 10 + 10 + d, y), lowFill);
            }
    };
    checkLamps(0x0000FF, 0x808080);
    m.SetValue(0);  // underflow latched
    img = RenderMeter(m);
    checkLamps(0x808080, 0x0000FF);
    m.SetValue(0.5);  // neither
    img = RenderMeter(m);
    checkLamps(0x808080, 0x808080);
    m.SetLimWatchActColor(0x00FF00);
    m.SetLimWatchPsvColor(0x400040);
    m.SetValue(1);
    img = RenderMeter(m);
    checkLamps(0x00FF00, 0x400040);
    // The lamps follow the rims.
    m.SetRimTop(20);
    m.SetRimSide(30);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 297 - 30 - 13, 20 + 12), TColor(0x00FF00));
    QCOMPARE_COLOR(Px(img, 30 + 12, 20 + 12), TColor(0x400040));
}

void TestMeterRender::lampsSwitchedOff()
{
    TMeter m;
    m.SetValue(1);
    m.SetLimWatchHighOn(false);
    m.SetLimWatchLowOn(false);
    const QImage img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 287 - 13, 8 + 12), clWhite);
    QCOMPARE_COLOR(Px(img, 287 - 18, 8 + 8), clWhite);
    QCOMPARE_COLOR(Px(img, 10 + 12, 8 + 12), clWhite);
}

void TestMeterRender::bandExtent()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetScaleBkVisible(true);
    m.SetScaleBkWidth(50);
    m.SetThresholdLow(0.3);
    m.SetThresholdHigh(0.7);
    HideNeedle(m);
    const QImage img = RenderMeter(m);
    const int CX = 148, CY = 191;
    const int rOut = 179, rIn = 88;  // Round(R + 4), Round(50 % of R) with halves to even
    for (int r = rIn + 1; r <= rOut - 1; ++r)
        QCOMPARE_COLOR(Px(img, CX, CY - r), TColor(0x0080FF));
    QCOMPARE_COLOR(Px(img, CX, CY - rOut - 1), clWhite);
    QCOMPARE_COLOR(Px(img, CX, CY - rIn + 1), clWhite);
    QCOMPARE_COLOR(Px(img, CX, CY - 40), clWhite);
    const double mid = (rIn + rOut) / 2.0;
    const TPoint low = At(m, 0.1, mid), norm = At(m, 0.5, mid), high = At(m, 0.9, mid);
    QCOMPARE_COLOR(Px(img, low.X, low.Y), TColor(0x00FF00));
    QCOMPARE_COLOR(Px(img, norm.X, norm.Y), TColor(0x0080FF));
    QCOMPARE_COLOR(Px(img, high.X, high.Y), TColor(0x0000FF));
    // The band boundaries follow the thresholds: just either side of 0.3 and 0.7.
    const TPoint b1 = At(m, 0.27, mid), b2 = At(m, 0.33, mid), b3 = At(m, 0.67, mid), b4 = At(m, 0.73, mid);
    QCOMPARE_COLOR(Px(img, b1.X, b1.Y), TColor(0x00FF00));
    QCOMPARE_COLOR(Px(img, b2.X, b2.Y), TColor(0x0080FF));
    QCOMPARE_COLOR(Px(img, b3.X, b3.Y), TColor(0x0080FF));
    QCOMPARE_COLOR(Px(img, b4.X, b4.Y), TColor(0x0000FF));
    // Nothing beyond the ends of the sweep.
    const TMeterScale s = m.Scale();
    const TPoint before = s.PixelAtAngle(140, mid), after = s.PixelAtAngle(40, mid);
    QCOMPARE_COLOR(Px(img, before.X, before.Y), clWhite);
    QCOMPARE_COLOR(Px(img, after.X, after.Y), clWhite);
    // Full sectors at 100 %.
    m.SetScaleBkWidth(100);
    const QImage full = RenderMeter(m);
    QCOMPARE_COLOR(Px(full, CX, CY - 40), TColor(0x0080FF));
}

void TestMeterRender::bandSkippedAtRangeEnd()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetScaleBkVisible(true);
    m.SetScaleBkWidth(50);
    HideNeedle(m);
    // Thresholds at the range ends: only the normal band.
    QImage img = RenderMeter(m);
    const double mid = 133;
    for (double v : {0.02, 0.5, 0.98}) {
        const TPoint p = At(m, v, mid);
        QCOMPARE_COLOR(Px(img, p.X, p.Y), TColor(0x0080FF));
    }
    // A low band thinner than a pixel draws nothing (and never a whole ring).
    m.SetThresholdLow(1e-5);
    m.SetThresholdHigh(1 - 1e-5);
    img = RenderMeter(m);
    for (double v : {0.02, 0.5, 0.98}) {
        const TPoint p = At(m, v, mid);
        QCOMPARE_COLOR(Px(img, p.X, p.Y), TColor(0x0080FF));
    }
}

void TestMeterRender::bandRingAtZeroWidth()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetScaleBkVisible(true);
    HideNeedle(m);
    const QImage img = RenderMeter(m);  // width 0: ring from R to R + 4
    QCOMPARE_COLOR(Px(img, 148, 191 - 177), TColor(0x0080FF));
    QCOMPARE_COLOR(Px(img, 148, 191 - 173), clWhite);
    QCOMPARE_COLOR(Px(img, 148, 191 - 181), clWhite);
    m.SetScaleBkVisible(false);
    QCOMPARE_COLOR(Px(RenderMeter(m), 148, 191 - 177), clWhite);
}

void TestMeterRender::needleTipAndShadow()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetValue(0.5);
    QImage img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 148, 20), clBlack);   // tip at R - 4 straight up
    QCOMPARE_COLOR(Px(img, 148, 18), clWhite);
    QCOMPARE_COLOR(Px(img, 148, 30), clSilver);  // inside the head
    QCOMPARE_COLOR(Px(img, 148, 100), clBlack);  // shaft of zero thickness
    QCOMPARE_COLOR(Px(img, 143, 30), clWhite);
    m.NeedleLayout()->SetShadowDx(3);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 143, 30), clGray);    // shadow 3 px to the left
    QCOMPARE_COLOR(Px(img, 147, 30), clSilver);  // under the needle
    QCOMPARE_COLOR(Px(img, 145, 20), clGray);    // the shadow's tip
    m.NeedleLayout()->SetShadowDx(0);
    m.NeedleLayout()->SetPercentNeedleLength(50);
    m.NeedleLayout()->SetColorBody(0x00FFFF);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 148, 106), clBlack);  // Round(191 - 85.5) = 106
    QCOMPARE_COLOR(Px(img, 148, 104), clWhite);
    QCOMPARE_COLOR(Px(img, 148, 116), TColor(0x00FFFF));
    // The tip follows the value: at the maximum, 45 degrees to the right.
    m.NeedleLayout()->SetPercentNeedleLength(100);
    m.SetValue(1);
    img = RenderMeter(m);
    const int tx = MeterRound(std::cos(std::numbers::pi / 4) * 171 + 148), ty = MeterRound(191 - std::sin(std::numbers::pi / 4) * 171);
    QCOMPARE_COLOR(Px(img, tx, ty), clBlack);
}

void TestMeterRender::needleHandlerSuppressesNeedle()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetValue(0.5);
    TCanvas* seen = nullptr;
    TCanvas* rendered = nullptr;
    int calls = 0;
    m.OnBeforeDrawNeedle = [&](TObject* s, TCanvas* c, bool& drawn) {
        QVERIFY(s == &m);
        QVERIFY(!drawn);
        seen = c;
        ++calls;
        drawn = true;
        c->Pen()->SetColor(0x00FF00);
        c->MoveTo(0, 100);
        c->LineTo(297, 100);  // reaches under the rims
    };
    m.OnMeterRendered = [&](TObject*, TCanvas* c) { rendered = c; };
    const QImage img = RenderMeter(m);
    QCOMPARE(calls, 1);
    QVERIFY(seen && seen == rendered);
    QCOMPARE_COLOR(Px(img, 148, 30), clWhite);            // no built-in needle
    QCOMPARE_COLOR(Px(img, 100, 100), TColor(0x00FF00));  // the handler's drawing
    QCOMPARE_COLOR(Px(img, 3, 100), m.ResolveColor(clBtnFace));  // covered by the rim
    // Leaving NeedleDrawn false keeps the built-in needle.
    m.OnBeforeDrawNeedle = [](TObject*, TCanvas*, bool&) {};
    QCOMPARE_COLOR(Px(RenderMeter(m), 148, 30), clSilver);
}

void TestMeterRender::secondaryNeedleDrawn()
{
    TMeter m;
    m.SetScaleVisible(false);
    m.SetValueSec(1);
    const TPoint p = At(m, 1, 100);
    QVERIFY(!NeighbourhoodHas(RenderMeter(m), p, clBlack));  // hidden
    m.NeedleLayoutSec()->SetVisible(true);
    QVERIFY(NeighbourhoodHas(RenderMeter(m), p, clBlack));
    // The secondary needle lies under the primary one, and a value stored out of
    // range while loading is clamped to the end of the scale.
    m.NeedleLayoutSec()->SetColorOutline(0x0000FF);
    m.NeedleLayoutSec()->SetColorBody(0x0000FF);
    m.SetValue(1);
    QImage img = RenderMeter(m);
    QVERIFY(NeighbourhoodHas(img, p, clBlack));
    QVERIFY(!NeighbourhoodHas(img, p, 0x0000FF));
    m.BeginLoading();
    m.SetValueSec(50);
    m.EndLoading();
    QCOMPARE(m.ValueSec(), 1.0);
    m.SetValue(0);
    img = RenderMeter(m);
    QVERIFY(NeighbourhoodHas(img, p, 0x0000FF));
}

void TestMeterRender::labelHandler()
{
    TMeter m;
    HideNeedle(m);
    m.SetLimWatchHighOn(false);
    m.SetLimWatchLowOn(false);
    QStringList texts;
    QList<QPoint> centres;
    m.OnBeforeDrawScaleLabel = [&](TObject* s, TCanvas* c, QString& text, int x, int y) {
        QVERIFY(s == &m);
        texts << text;
        centres << QPoint(x + c->TextWidth(text) / 2, y + c->TextHeight(text) / 2);
    };
    const QImage withLabels = RenderMeter(m);
    QCOMPARE(texts, QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    // Label centres sit inside the arc, inset by half the text plus 15 pixels.
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*m.Font());
    const double dx = probe.Canvas()->TextWidth("1.0") / 2.0 + 15;
    const double dy = probe.Canvas()->TextHeight("1.0") / 2.0 + 15;
    for (int i = 0; i < 6; ++i) {
        const double th = m.Scale().Theta(i * 0.2) * std::numbers::pi / 180;
        const int ex = MeterRound(148 + (175 - dx) * std::cos(th));
        const int ey = MeterRound(191 - (175 - dy) * std::sin(th));
        QVERIFY2(std::abs(centres[i].x() - ex) <= 1 && std::abs(centres[i].y() - ey) <= 1,
                 qPrintable(QString("label %1 at %2,%3, expected %4,%5").arg(i).arg(centres[i].x()).arg(centres[i].y()).arg(ex).arg(ey)));
    }
    // Emptied labels vanish, the ticks stay.
    m.OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, QString& text, int, int) { text.clear(); };
    const QImage without = RenderMeter(m);
    const TColor font = m.ResolveColor(m.Font()->Color());
    QVERIFY(CountColor(withLabels, font) > CountColor(without, font) + 20);
    QCOMPARE(CountColor(withLabels, 0x800000), CountColor(without, 0x800000));
    // A changed label is drawn as changed.
    m.OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, QString& text, int, int) {
        if (text != "0.6")
            text.clear();
        else
            text = "WWWWWW";
    };
    const QImage changed = RenderMeter(m);
    QVERIFY(CountColor(changed, font) > 0);
}

void TestMeterRender::majorTickPixels()
{
    TMeter m;
    HideNeedle(m);
    m.SetScaleVisible(true);
    QImage img = RenderMeter(m);
    const TColor scale = 0x800000;
    for (double v : {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}) {
        const TPoint a = At(m, v, 175), mid = At(m, v, 171), past = At(m, v, 166);
        QCOMPARE_COLOR(Px(img, a.X, a.Y), scale);
        QVERIFY(NeighbourhoodHas(img, mid, scale));
        QCOMPARE_COLOR(Px(img, past.X, past.Y), clWhite);
    }
    const TPoint minorIn = At(m, 0.65, 173), minorPast = At(m, 0.65, 169);
    QVERIFY(NeighbourhoodHas(img, minorIn, scale));
    QCOMPARE_COLOR(Px(img, minorPast.X, minorPast.Y), clWhite);
    m.SetMeterShortTicks(false);
    img = RenderMeter(m);
    QVERIFY(!NeighbourhoodHas(img, minorIn, scale));
    m.SetScaleVisible(false);
    img = RenderMeter(m);
    QCOMPARE(CountColor(img, scale), 0);
    m.SetScaleVisible(true);
    m.SetColorScale(0x008000);
    QVERIFY(CountColor(RenderMeter(m), 0x008000) > 100);
}

void TestMeterRender::frameAndCover_data()
{
    QTest::addColumn<TFrameStyle>("style");
    QTest::addColumn<TColorScheme>("scheme");
    QTest::addColumn<TColor>("left");
    QTest::addColumn<TColor>("left1");
    QTest::addColumn<TColor>("right");
    QTest::addColumn<TColor>("right1");
    const TColor face = clBtnFace, yellow = 0x00FFFF;
    QTest::newRow("none") << fsNone << csFixed << face << face << face << face;
    QTest::newRow("simple (background colour)") << fsSimple << csFixed << yellow << face << yellow << face;
    QTest::newRow("lowered") << fsLowered << csFixed << clGray << face << clWhite << face;
    QTest::newRow("raised") << fsRaised << csFixed << clWhite << face << clGray << face;
    QTest::newRow("ridge") << fsRidge << csFixed << clWhite << clGray << clGray << clWhite;
    QTest::newRow("groove") << fsGroove << csFixed << clGray << clWhite << clWhite << clGray;
    QTest::newRow("raised, system colours") << fsRaised << csSystem << clBtnHighlight << face << clBtnShadow << face;
}

void TestMeterRender::frameAndCover()
{
    QFETCH(TFrameStyle, style);
    QFETCH(TColorScheme, scheme);
    QFETCH(TColor, left);
    QFETCH(TColor, left1);
    QFETCH(TColor, right);
    QFETCH(TColor, right1);
    TMeter m;
    m.SetColorBakG(0x00FFFF);
    m.SetFrameStyle(style);
    m.SetColorScheme(scheme);
    const QImage img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 0, 100), m.ResolveColor(left));
    QCOMPARE_COLOR(Px(img, 1, 100), m.ResolveColor(left1));
    QCOMPARE_COLOR(Px(img, 296, 100), m.ResolveColor(right));
    QCOMPARE_COLOR(Px(img, 295, 100), m.ResolveColor(right1));
    // Rims in the cover colour, the window's bevel sunk in.
    QCOMPARE_COLOR(Px(img, 4, 100), m.ResolveColor(clBtnFace));
    QCOMPARE_COLOR(Px(img, 148, 4), m.ResolveColor(clBtnFace));
    QCOMPARE_COLOR(Px(img, 60, 204), m.ResolveColor(clBtnFace));
    QCOMPARE_COLOR(Px(img, 9, 100), clGray);
    QCOMPARE_COLOR(Px(img, 287, 100), clWhite);
    QCOMPARE_COLOR(Px(img, 100, 8), clGray);
    QCOMPARE_COLOR(Px(img, 60, 199), clWhite);
    QCOMPARE_COLOR(Px(img, 60, 150), TColor(0x00FFFF));  // the window shows the background
    // The anchor: a half disc on a post down to the bottom rim.
    QCOMPARE_COLOR(Px(img, 148, 185), m.ResolveColor(clBtnFace));
    QCOMPARE_COLOR(Px(img, 148, 195), m.ResolveColor(clBtnFace));
}

void TestMeterRender::backgroundImageModes()
{
    QTemporaryDir dir;
    QImage tile(20, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            tile.setPixel(x, y, ((x / 10 + y / 10) % 2) ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    const QString tilePath = dir.filePath("tile.png");
    QVERIFY(tile.save(tilePath));
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    const QString redPath = dir.filePath("red.bmp");
    QVERIFY(red.save(redPath));

    TMeter m;
    m.SetScaleVisible(false);
    HideNeedle(m);
    m.SetBackGroundImg(redPath);
    QImage img = RenderMeter(m);  // natural size in the top left corner, white elsewhere
    QCOMPARE_COLOR(Px(img, 30, 30), TColor(0x0000FF));
    QCOMPARE_COLOR(Px(img, 60, 60), clWhite);
    m.SetBkgndFillMode(bfStretch);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, 60, 60), TColor(0x0000FF));
    QCOMPARE_COLOR(Px(img, 250, 150), TColor(0x0000FF));
    m.SetBackGroundImg(tilePath);
    m.SetBkgndFillMode(bfTile);
    img = RenderMeter(m);
    for (QPoint p : {QPoint(45, 105), QPoint(57, 33), QPoint(250, 150), QPoint(120, 66)})
        QCOMPARE(img.pixel(p) & 0xFFFFFF, tile.pixel(p.x() % 20, p.y() % 20) & 0xFFFFFF);
    // Clearing the name brings back the plain background.
    m.SetBackGroundImg(QString());
    m.SetColorBakG(0x00FF00);
    QCOMPARE_COLOR(Px(RenderMeter(m), 60, 60), TColor(0x00FF00));
}

void TestMeterRender::anchorImageDrawnWithMask()
{
    QTemporaryDir dir;
    QImage a(21, 21, QImage::Format_ARGB32);
    a.fill(Qt::transparent);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            if ((x - 10) * (x - 10) + (y - 10) * (y - 10) <= 36)
                a.setPixel(x, y, qRgb(0, 160, 0));
    const QString path = dir.filePath("knob.png");
    QVERIFY(a.save(path));
    TMeter m;
    m.SetMeterLayout(mlCirc300);
    m.SetScaleVisible(false);
    m.SetValue(1);
    const int CX = m.OriginX(), CY = m.OriginY();
    QImage img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, CX - 9, CY - 9), m.ResolveColor(clBtnFace));  // the drawn knob
    m.SetAnchorImage(path);
    QCOMPARE(m.AnchorImage(), path);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, CX, CY), RGB(0, 160, 0));
    QCOMPARE_COLOR(Px(img, CX - 4, CY + 3), RGB(0, 160, 0));
    QCOMPARE_COLOR(Px(img, CX - 9, CY - 9), clWhite);  // transparent corner shows the window
    m.SetAnchorCovered(false);
    img = RenderMeter(m);
    QCOMPARE_COLOR(Px(img, CX - 4, CY + 3), clWhite);
}

void TestMeterRender::everyLayoutRenders_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360})
        QTest::newRow(qPrintable(QString::number(MeterLayoutAngle(l)))) << l;
}

void TestMeterRender::everyLayoutRenders()
{
    QFETCH(TMeterLayout, layout);
    TMeter m;
    m.SetMeterLayout(layout);
    m.SetScaleVisible(false);
    m.SetValue(0.5);
    QImage img = RenderMeter(m);
    const int CX = m.OriginX(), CY = m.OriginY();
    const int tipY = MeterRound(CY - (m.ScaleRadius() - 4));
    QCOMPARE_COLOR(Px(img, CX, tipY), clBlack);
    QCOMPARE_COLOR(Px(img, CX, tipY - 2), clWhite);
    const TColor face = m.ResolveColor(clBtnFace);
    if (MeterCenterInside(layout)) {
        QCOMPARE_COLOR(Px(img, CX, CY), face);         // knob over the centre
        QCOMPARE_COLOR(Px(img, CX, CY + 30), clWhite);  // nothing below it
    } else {
        QCOMPARE_COLOR(Px(img, CX, CY - 10), face);  // half disc
        QCOMPARE_COLOR(Px(img, CX, CY + 4), face);   // post
    }
    // The scale, when shown, reaches both ends of the sweep.
    m.SetScaleVisible(true);
    HideNeedle(m);
    img = RenderMeter(m);
    QVERIFY(NeighbourhoodHas(img, At(m, 0, m.ScaleRadius()), 0x800000));
    QVERIFY(NeighbourhoodHas(img, At(m, 1, m.ScaleRadius()), 0x800000));
    QVERIFY(NeighbourhoodHas(img, At(m, 0.5, m.ScaleRadius()), 0x800000));
}

// The picture a user sees: labels that do not overprint, no piled-up minor ticks, geometry
// that follows a hidden resize, loaded values in range, the needle's Visible flag, the caption
// over a small knob.
#include "tst_meter_suites.h"

#include <QVBoxLayout>
#include <cmath>

using namespace qor;

Q_DECLARE_METATYPE(qor::TMeterLayout)

namespace {

TColor Px(const QImage& img, int x, int y)
{
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return 0xFFFFFFFF;
    return RgbToColor(img.pixel(x, y));
}

int Count(const QImage& img, TColor c, const TRect& r)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += Px(img, x, y) == c;
    return n;
}

TMeter* Configure(TMeter& m, TMeterLayout layout, int w, int h, double mn, double mx, bool log, int decimals)
{
    m.Font()->SetName("DejaVu Sans");
    m.Font()->SetSize(8);
    m.SetBounds(0, 0, w, h);
    m.SetMeterLayout(layout);
    m.SetMeterMaxValue(mx);
    m.SetMeterMinValue(mn);
    m.SetLogarithmic(log);
    m.SetMeterNrTicks(5);
    m.SetMeterDecPlaces(decimals);
    m.SetLimWatchHighOn(false);
    m.SetLimWatchLowOn(false);
    m.OnBeforeDrawNeedle = [](TObject*, TCanvas*, bool& drawn) { drawn = true; };
    return &m;
}

// Scale-coloured pixels whose distance from the centre lies in [r0, r1).
int RingPixels(const QImage& img, const TMeter& m, double r0, double r1)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double d = std::hypot(x - m.OriginX(), y - m.OriginY());
            n += d >= r0 && d < r1 && Px(img, x, y) == m.ColorScale();
        }
    return n;
}

} // namespace

void TestMeterPicture::closedCircleEndLabel_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<double>("mn");
    QTest::addColumn<double>("mx");
    QTest::addColumn<bool>("log");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("endLabel");
    QTest::newRow("360 log dose") << mlCirc360 << 0.01 << 10.0 << true << 2 << false;
    QTest::newRow("360 linear") << mlCirc360 << 0.0 << 240.0 << false << 0 << false;
    QTest::newRow("360 within a decade") << mlCirc360 << 2.0 << 8.0 << true << 1 << false;
    QTest::newRow("300 linear keeps both") << mlCirc300 << 0.0 << 240.0 << false << 0 << true;
    QTest::newRow("270 log keeps both") << mlCirc270 << 1.0 << 1000.0 << true << 0 << true;
}

void TestMeterPicture::closedCircleEndLabel()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(double, mn);
    QFETCH(double, mx);
    QFETCH(bool, log);
    QFETCH(int, decimals);
    QFETCH(bool, endLabel);
    TMeter m;
    Configure(m, layout, 250, 190, mn, mx, log, decimals);
    QStringList drawn;
    TRect startBox;
    m.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas* c, QString& text, int x, int y) {
        if (drawn.isEmpty())
            startBox = TRect(x, y, x + c->TextWidth(text), y + c->TextHeight(text));
        drawn << text;
    };
    const QImage all = RenderMeter(m);
    QVERIFY(!drawn.isEmpty());
    QCOMPARE(drawn.contains(MeterLabelText(mx, decimals)), endLabel);
    // The start label's box holds the start label alone: nothing printed over it.
    int calls = 0;
    m.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas*, QString& text, int, int) {
        if (calls++ > 0)
            text.clear();
    };
    const QImage startOnly = RenderMeter(m);
    for (int y = startBox.Top; y < startBox.Bottom; ++y)
        for (int x = startBox.Left; x < startBox.Right; ++x)
            QVERIFY2(Px(all, x, y) == Px(startOnly, x, y), qPrintable(QString("overprint at %1,%2").arg(x).arg(y)));
}

void TestMeterPicture::minorTicksOnLogScales_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<double>("mn");
    QTest::addColumn<double>("mx");
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("minor");
    QTest::newRow("log 1..1000") << mlCirc270 << 1.0 << 1000.0 << true << false;
    QTest::newRow("log 0.01..10") << mlCirc360 << 0.01 << 10.0 << true << false;
    QTest::newRow("log 1..10") << mlCirc180 << 1.0 << 10.0 << true << false;
    QTest::newRow("log 2..8") << mlCirc180 << 2.0 << 8.0 << true << true;
    QTest::newRow("linear 0..100") << mlCirc270 << 0.0 << 100.0 << false << true;
}

void TestMeterPicture::minorTicksOnLogScales()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(double, mn);
    QFETCH(double, mx);
    QFETCH(bool, log);
    QFETCH(bool, minor);
    const TMeterTicks t = CalcMeterTicks(5, mn, mx, log, true);
    QCOMPARE(!t.Minor.empty(), minor);
    TMeter m;
    Configure(m, layout, 300, 260, mn, mx, log, 1);
    m.SetMeterScaleLine(false);
    m.SetAnchorCovered(false);
    m.OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, QString& text, int, int) { text.clear(); };
    const QImage img = RenderMeter(m);
    const double R = m.ScaleRadius();
    // Major ticks reach 8 px in, minor ticks 4: the outer ring holds both, the inner ring of the
    // same width only the major ones.
    const int outer = RingPixels(img, m, R - 3.5, R - 0.5), inner = RingPixels(img, m, R - 7.5, R - 4.5);
    QVERIFY2(inner >= 10, qPrintable(QString::number(inner)));
    if (minor)
        QVERIFY2(outer > inner * 1.3, qPrintable(QString("%1 %2").arg(outer).arg(inner)));
    else
        QVERIFY2(outer <= inner * 1.15, qPrintable(QString("%1 %2").arg(outer).arg(inner)));
}

void TestMeterPicture::geometryFollowsHiddenResize_data()
{
    QTest::addColumn<int>("how");  // 0 resize, 1 setGeometry, 2 a layout of a hidden parent
    QTest::addColumn<TMeterLayout>("layout");
    QTest::newRow("resize 90") << 0 << mlCirc90;
    QTest::newRow("resize 300") << 0 << mlCirc300;
    QTest::newRow("setGeometry 120") << 1 << mlCirc120;
    QTest::newRow("setGeometry 360") << 1 << mlCirc360;
    QTest::newRow("layout 270") << 2 << mlCirc270;
}

void TestMeterPicture::geometryFollowsHiddenResize()
{
    QFETCH(int, how);
    QFETCH(TMeterLayout, layout);
    QWidget host;
    auto* m = new TMeter(&host);
    m->SetMeterLayout(layout);
    const TMeterGeometry before = CalcMeterGeometry(layout, 297, 209, 8, 10, 10);
    QCOMPARE(m->OriginY(), before.CenterY);
    if (how == 0) {
        m->resize(400, 330);
    } else if (how == 1) {
        m->setGeometry(5, 5, 400, 330);
    } else {
        auto* lay = new QVBoxLayout(&host);
        lay->setContentsMargins(0, 0, 0, 0);
        m->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        lay->addWidget(m);
        host.resize(400, 330);
        lay->activate();
    }
    QVERIFY(!m->isVisible());
    QCOMPARE(m->size(), QSize(400, 330));
    const TMeterGeometry g = CalcMeterGeometry(layout, 400, 330, 8, 10, 10);
    QCOMPARE(m->OriginX(), g.CenterX);
    QCOMPARE(m->OriginY(), g.CenterY);
    QCOMPARE(m->ScaleRadius(), g.Radius);
    int x = 0, y = 0;
    m->ConvertToPixelCoords(m->MeterMaxValue(), 100, x, y);
    TMeterScale s;
    s.Geo = g;
    QCOMPARE(x, s.ValueToPixel(1, 100).X);
    QCOMPARE(y, s.ValueToPixel(1, 100).Y);
    double v = -1;
    QVERIFY(m->ConvertPixelToValue(g.CenterX, g.CenterY - 50, v));
    QCOMPARE(v, 0.5);
    // The picture is drawn around the new centre: the needle (straight up) has its tip there.
    m->SetValue(0.5);
    const QImage img = RenderMeter(*m);
    const TPoint tip = s.PixelAtAngle(90, g.Radius - 4);
    bool outline = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            outline = outline || Px(img, tip.X + dx, tip.Y + dy) == 0;
    QVERIFY(outline);
}

void TestMeterPicture::loadedClampsBothValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("valueSec");
    QTest::addColumn<double>("wantValue");
    QTest::addColumn<double>("wantSec");
    QTest::newRow("both above") << 50.0 << 70.0 << 10.0 << 10.0;
    QTest::newRow("both below") << -5.0 << -7.0 << 2.0 << 2.0;
    QTest::newRow("sec only") << 5.0 << 99.0 << 5.0 << 10.0;
    QTest::newRow("in range") << 3.0 << 4.0 << 3.0 << 4.0;
}

void TestMeterPicture::loadedClampsBothValues()
{
    QFETCH(double, value);
    QFETCH(double, valueSec);
    QFETCH(double, wantValue);
    QFETCH(double, wantSec);
    TMeter m;
    m.BeginLoading();
    m.SetMeterMinValue(2);
    m.SetMeterMaxValue(10);
    m.SetValue(value);
    m.SetValueSec(valueSec);
    m.NeedleLayoutSec()->SetVisible(true);
    m.NeedleLayoutSec()->SetColorBody(0x00A0FF);
    m.EndLoading();
    QCOMPARE(m.Value(), wantValue);
    QCOMPARE(m.ValueSec(), wantSec);
    // The secondary needle points where its clamped value lies.
    const TMeterScale s = m.Scale();
    const TPoint p = s.PixelAtAngle(s.Theta(wantSec), m.ScaleRadius() * 0.6);
    m.OnBeforeDrawNeedle = [](TObject*, TCanvas*, bool& drawn) { drawn = true; };
    m.NeedleLayoutSec()->SetThickness(6);
    const QImage img = RenderMeter(m);
    QCOMPARE(Count(img, 0x00A0FF, TRect(p.X - 2, p.Y - 2, p.X + 3, p.Y + 3)) > 0, true);
}

void TestMeterPicture::primaryNeedleVisible_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("handlerDraws");
    QTest::addColumn<bool>("bodyShown");
    QTest::addColumn<bool>("handlerShown");
    QTest::newRow("visible") << true << false << true << false;
    QTest::newRow("hidden") << false << false << false << false;
    QTest::newRow("hidden, handler draws") << false << true << false << true;
    QTest::newRow("visible, handler draws") << true << true << false << true;
}

void TestMeterPicture::primaryNeedleVisible()
{
    QFETCH(bool, visible);
    QFETCH(bool, handlerDraws);
    QFETCH(bool, bodyShown);
    QFETCH(bool, handlerShown);
    TMeter m;
    m.NeedleLayout()->SetColorBody(0x123456);
    m.NeedleLayout()->SetThickness(6);
    m.NeedleLayout()->SetVisible(visible);
    int asked = 0;
    m.OnBeforeDrawNeedle = [&](TObject*, TCanvas* c, bool& drawn) {
        ++asked;
        if (handlerDraws) {
            c->Brush()->SetColor(0x654321);
            c->Brush()->SetStyle(bsSolid);
            c->FillRect(TRect(140, 100, 150, 110));
            drawn = true;
        }
    };
    m.SetValue(0.5);
    asked = 0;
    const QImage img = RenderMeter(m);
    QCOMPARE(asked, 1);
    QCOMPARE(Count(img, 0x123456, TRect(0, 0, m.width(), m.height())) > 20, bodyShown);
    QCOMPARE(Count(img, 0x654321, TRect(140, 100, 150, 110)) == 100, handlerShown);
}

void TestMeterPicture::captionOverKnob_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("needleOverCaption");  // a roomy meter keeps the order: needle over caption
    QTest::newRow("small 360") << mlCirc360 << 120 << 110 << false;
    QTest::newRow("small 300") << mlCirc300 << 110 << 100 << false;
    QTest::newRow("small 270") << mlCirc270 << 120 << 110 << false;
    QTest::newRow("small 90, post") << mlCirc90 << 140 << 80 << false;
    QTest::newRow("large 360") << mlCirc360 << 300 << 300 << true;
}

void TestMeterPicture::captionOverKnob()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, needleOverCaption);
    TMeter m;
    m.SetBounds(0, 0, w, h);
    m.SetMeterLayout(layout);
    m.SetScaleVisible(false);
    m.SetLimWatchHighOn(false);
    m.SetLimWatchLowOn(false);
    m.FontCaption()->SetName("DejaVu Sans");
    m.FontCaption()->SetSize(9);
    m.FontCaption()->SetColor(0x0000FF);
    m.SetCaption("HHH");
    // The needle straight up runs through the caption.
    m.NeedleLayout()->SetThickness(40);
    m.NeedleLayout()->SetColorBody(0x00FF00);
    m.NeedleLayout()->SetColorOutline(0x00FF00);
    m.SetValue(0.5);
    const QImage img = RenderMeter(m);
    // Small meters show the caption over knob and needle; a roomy one keeps the needle on top.
    QCOMPARE(Count(img, 0x0000FF, TRect(0, 0, w, h)) > 10, !needleOverCaption);
}

// Layout geometry, value mapping, scale steps and ticks: plain functions, no widget.
#include "tst_meter_suites.h"

#include <cmath>
#include <numbers>
#include <limits>

using namespace qor;

Q_DECLARE_METATYPE(qor::TMeterLayout)

namespace {


TMeterScale MakeScale(TMeterLayout layout, double mn, double mx, bool log, int W = 297, int H = 209)
{
    TMeterScale s;
    s.Min = mn;
    s.Max = mx;
    s.Logarithmic = log;
    s.Geo = CalcMeterGeometry(layout, W, H, 8, 10, 10);
    return s;
}

QStringList Labels(const TMeterTicks& t, int decimals)
{
    QStringList out;
    for (const TMeterTick& k : t.Major)
        if (k.Labelled)
            out << MeterLabelText(k.Value, decimals);
    return out;
}

} // namespace

void TestMeterGeometry::scaleSteps_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("mn");
    QTest::addColumn<double>("mx");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("nminor");
    QTest::addColumn<double>("first");

    QTest::newRow("default 0..1, 3") << 3 << 0.0 << 1.0 << 0.2 << 4 << 0.0;
    QTest::newRow("0..100, 4") << 4 << 0.0 << 100.0 << 20.0 << 4 << 0.0;
    QTest::newRow("0..100, 2 (h = log 5 edge)") << 2 << 0.0 << 100.0 << 20.0 << 4 << 0.0;
    QTest::newRow("0..10, 5 (h = log 2 edge)") << 5 << 0.0 << 10.0 << 1.0 << 5 << 0.0;
    QTest::newRow("0..30, 3 (exact decade)") << 3 << 0.0 << 30.0 << 10.0 << 5 << 0.0;
    QTest::newRow("0..140, 2 (upper band)") << 2 << 0.0 << 140.0 << 50.0 << 5 << 0.0;
    QTest::newRow("-10..-2, 3") << 3 << -10.0 << -2.0 << 2.0 << 4 << -10.0;
    QTest::newRow("-1..1, 3") << 3 << -1.0 << 1.0 << 0.5 << 5 << -1.0;
    QTest::newRow("-7..3, 4 (first above min)") << 4 << -7.0 << 3.0 << 2.0 << 4 << -6.0;
    QTest::newRow("0.5..1.7, 4") << 4 << 0.5 << 1.7 << 0.2 << 4 << 0.6;
    QTest::newRow("tiny 0..1e-6") << 3 << 0.0 << 1e-6 << 2e-7 << 4 << 0.0;
    QTest::newRow("huge 0..1e12") << 3 << 0.0 << 1e12 << 2e11 << 4 << 0.0;
    QTest::newRow("offset 1e6..1e6+5") << 5 << 1e6 << 1e6 + 5 << 1.0 << 5 << 1e6;
    QTest::newRow("log range 1..1000") << 3 << 1.0 << 1000.0 << 200.0 << 4 << 200.0;
    QTest::newRow("21 ticks 0..1") << 21 << 0.0 << 1.0 << 0.02 << 4 << 0.0;
}

void TestMeterGeometry::scaleSteps()
{
    QFETCH(int, n);
    QFETCH(double, mn);
    QFETCH(double, mx);
    QFETCH(double, step);
    QFETCH(int, nminor);
    QFETCH(double, first);
    const TScaleSteps s = CalcScaleSteps(n, mn, mx);
    QVERIFY(s.Valid);
    QVERIFY2(std::fabs(s.Step - step) <= 1e-9 * std::fabs(step), qPrintable(QString::number(s.Step, 'g', 17)));
    QCOMPARE(s.NMinor, nminor);
    QVERIFY2(std::fabs(s.First - first) <= 1e-9 * std::max(1.0, std::fabs(first)),
             qPrintable(QString::number(s.First, 'g', 17)));
    // First is the first multiple of the step not below Min.
    QVERIFY(s.First >= mn - 0.001 * s.Step);
    QVERIFY(s.First - s.Step < mn);
}

void TestMeterGeometry::scaleStepsRefusesDegenerateRanges()
{
    QVERIFY(!CalcScaleSteps(3, 1.0, 1.0).Valid);
    QVERIFY(!CalcScaleSteps(3, std::nan(""), 1.0).Valid);
    QVERIFY(!CalcScaleSteps(3, 0.0, std::numeric_limits<double>::infinity()).Valid);
    QVERIFY(CalcMeterTicks(3, 2.0, 2.0, false, true).Major.empty());
    // A span beyond the double range still gets a scale.
    const TScaleSteps wide = CalcScaleSteps(3, -1e308, 1e308);
    QVERIFY(wide.Valid);
    QVERIFY(std::isfinite(wide.Step) && wide.Step > 0);
    const TMeterTicks t = CalcMeterTicks(3, -1e308, 1e308, false, true);
    QVERIFY(t.Major.size() >= 3 && t.Major.size() < 60);
}

void TestMeterGeometry::largeMagnitudeTinySpanTerminates()
{
    // Steps of 1 cannot be added to 1e16 in doubles; the scale must come back, not hang.
    const TMeterTicks t = CalcMeterTicks(3, 1e16, 1e16 + 4, false, true);
    QVERIFY(t.Major.size() < 100);
    QVERIFY(t.Minor.size() < 1000);
}

void TestMeterGeometry::defaultTicks()
{
    const TMeterTicks t = CalcMeterTicks(3, 0.0, 1.0, false, true);
    QCOMPARE(Labels(t, 1), QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    QCOMPARE(int(t.Minor.size()), 15);
    for (double v : t.Minor) {
        QVERIFY(v > 0 && v < 1);
        const double q = v / 0.05;
        QVERIFY2(std::fabs(q - std::round(q)) < 1e-6, "minor tick off the 0.05 grid");
        const double r = v / 0.2;
        QVERIFY2(std::fabs(r - std::round(r)) > 1e-3, "minor tick on a major position");
    }
    QVERIFY(CalcMeterTicks(3, 0.0, 1.0, false, false).Minor.empty());
}

void TestMeterGeometry::logDecadeTicks()
{
    const TMeterTicks t = CalcMeterTicks(3, 1.0, 1000.0, true, true);
    QCOMPARE(int(t.Major.size()), 28);  // 1..9, 10..90, 100..900, 1000
    QCOMPARE(Labels(t, 1), QStringList({"1.0", "2.0", "5.0", "10.0", "20.0", "50.0", "100.0", "200.0",
                                        "500.0", "1000.0"}));
    QCOMPARE(t.Major.front().Value, 1.0);
    QVERIFY(std::fabs(t.Major.back().Value - 1000.0) < 1e-9);
    // The same range drawn linearly has the usual labels.
    QCOMPARE(Labels(CalcMeterTicks(3, 1.0, 1000.0, false, true), 0),
             QStringList({"200", "400", "600", "800", "1000"}));
    // A log range not starting at a power of ten: 3..300.
    const TMeterTicks u = CalcMeterTicks(3, 3.0, 300.0, true, false);
    QCOMPARE(Labels(u, 0), QStringList({"5", "10", "20", "50", "100", "200"}));
    QCOMPARE(u.Major.front().Value, 3.0);
}

void TestMeterGeometry::logWithinDecadeTicks()
{
    const TMeterTicks t = CalcMeterTicks(3, 2.0, 8.0, true, false);
    QCOMPARE(Labels(t, 0), QStringList({"2", "3", "4", "5", "6", "7", "8"}));
}

void TestMeterGeometry::negativeRangeLabels()
{
    QCOMPARE(Labels(CalcMeterTicks(3, -1.0, 1.0, false, false), 1), QStringList({"-1.0", "-0.5", "0.0", "0.5", "1.0"}));
    const QStringList l = Labels(CalcMeterTicks(3, -0.3, 0.3, false, false), 1);
    QCOMPARE(l, QStringList({"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3"}));
}

void TestMeterGeometry::labelText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("dec");
    QTest::addColumn<QString>("text");
    QTest::newRow("one decimal") << 0.4 << 1 << "0.4";
    QTest::newRow("no decimals") << 1234.0 << 0 << "1234";
    QTest::newRow("negative") << -2.5 << 2 << "-2.50";
    QTest::newRow("four decimals") << 1.0 / 3 << 4 << "0.3333";
    QTest::newRow("tiny negative is zero") << -1e-17 << 1 << "0.0";
    QTest::newRow("rounds to negative zero") << -0.04 << 1 << "0.0";
    QTest::newRow("rounds away from zero") << -0.06 << 1 << "-0.1";
    QTest::newRow("no grouping") << 1e6 << 0 << "1000000";
}

void TestMeterGeometry::labelText()
{
    QFETCH(double, x);
    QFETCH(int, dec);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(MeterLabelText(x, dec), text);
    QLocale::setDefault(QLocale::c());
}

void TestMeterGeometry::layoutGeometry_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("angle");
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");

    QTest::newRow("90 default") << mlCirc90 << 297 << 209 << 90 << 175.0 << 148 << 191;
    QTest::newRow("120 default") << mlCirc120 << 297 << 209 << 120 << (148.5 - 18) * 1.1547 << 148 << 191;
    QTest::newRow("180 default") << mlCirc180 << 297 << 209 << 180 << 130.5 << 148 << 191;
    QTest::newRow("270 default") << mlCirc270 << 297 << 209 << 270 << 175 / 1.7071 << 148 << 119;
    QTest::newRow("300 default") << mlCirc300 << 297 << 209 << 300 << 175 / 1.866 << 148 << 110;
    QTest::newRow("360 default (103.5 rounds to even)") << mlCirc360 << 297 << 209 << 360 << 87.5 << 148 << 104;
    QTest::newRow("90 400x300") << mlCirc90 << 400 << 300 << 90 << 266.0 << 200 << 282;
    QTest::newRow("120 tall 200x400") << mlCirc120 << 200 << 400 << 120 << 82 * 1.1547 << 100 << 382;
    QTest::newRow("120 wide 600x200") << mlCirc120 << 600 << 200 << 120 << 166.0 << 300 << 182;
    QTest::newRow("300 tall 400x500") << mlCirc300 << 400 << 500 << 300 << 182.0 << 200 << 198;
    QTest::newRow("270 wide 800x300") << mlCirc270 << 800 << 300 << 270 << 266 / 1.7071 << 400 << MeterRound(16 + 266 / 1.7071);
    QTest::newRow("360 tall 301x600") << mlCirc360 << 301 << 600 << 360 << 132.0 << 150 << 148;
    QTest::newRow("90 too small") << mlCirc90 << 100 << 30 << 90 << -4.0 << 50 << 12;
}

void TestMeterGeometry::layoutGeometry()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, angle);
    QFETCH(double, r);
    QFETCH(int, cx);
    QFETCH(int, cy);
    const TMeterGeometry g = CalcMeterGeometry(layout, w, h, 8, 10, 10);
    QCOMPARE(g.Angle, angle);
    QVERIFY2(std::fabs(g.Radius - r) < 1e-9, qPrintable(QString::number(g.Radius, 'g', 17)));
    QCOMPARE(g.CenterX, cx);
    QCOMPARE(g.CenterY, cy);
    QCOMPARE(MeterLayoutAngle(layout), angle);
}

void TestMeterGeometry::ownLayoutsFitTheWindow_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    for (TMeterLayout l : {mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360})
        for (QSize s : {QSize(297, 209), QSize(200, 400), QSize(600, 200), QSize(150, 150)})
            QTest::newRow(qPrintable(QString("%1 %2x%3").arg(MeterLayoutAngle(l)).arg(s.width()).arg(s.height())))
                << l << s.width() << s.height();
}

void TestMeterGeometry::ownLayoutsFitTheWindow()
{
    // The arc plus its 4-pixel band stays inside the window the rims leave.
    QFETCH(TMeterLayout, layout);
    QFETCH(int, w);
    QFETCH(int, h);
    const TMeterScale s = MakeScale(layout, 0, 1, false, w, h);
    QVERIFY(s.Geo.Radius > 0);
    for (int i = 0; i <= 100; ++i) {
        const double th = 90 + s.Geo.Angle / 2.0 - s.Geo.Angle * i / 100.0;
        const TPoint p = s.PixelAtAngle(th, s.Geo.Radius + 4);
        QVERIFY2(p.X >= 10 && p.X < w - 10 && p.Y >= 8 && p.Y < h - 10,
                 qPrintable(QString("(%1,%2) outside at %3 deg").arg(p.X).arg(p.Y).arg(th)));
    }
}

void TestMeterGeometry::angleRoundTrip_data()
{
    QTest::addColumn<TMeterLayout>("layout");
    QTest::addColumn<bool>("log");
    QTest::addColumn<double>("mn");
    QTest::addColumn<double>("mx");
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
        const QString a = QString::number(MeterLayoutAngle(l));
        QTest::newRow(qPrintable(a + " linear 0..1")) << l << false << 0.0 << 1.0;
        QTest::newRow(qPrintable(a + " linear -50..150")) << l << false << -50.0 << 150.0;
        QTest::newRow(qPrintable(a + " log 1..1000")) << l << true << 1.0 << 1000.0;
        QTest::newRow(qPrintable(a + " log 1e-3..2")) << l << true << 1e-3 << 2.0;
    }
}

void TestMeterGeometry::angleRoundTrip()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(bool, log);
    QFETCH(double, mn);
    QFETCH(double, mx);
    const TMeterScale s = MakeScale(layout, mn, mx, log);
    const double A = s.Geo.Angle;
    QCOMPARE(s.NeedleAngle(mn), 180 - A / 2);
    QCOMPARE(s.NeedleAngle(mx), 180 + A / 2);
    for (int i = 0; i <= 40; ++i) {
        const double f = i / 40.0;
        const double v = log ? std::exp(std::log(mn) + f * (std::log(mx) - std::log(mn))) : mn + f * (mx - mn);
        const double ang = s.NeedleAngle(v);
        QVERIFY(std::fabs(ang - (180 - A / 2 + A * f)) < 1e-9);
        // Drawing angle and needle angle describe the same direction.
        QVERIFY(std::fabs(s.Theta(v) + ang - 270) < 1e-9);
        double back = 0;
        QVERIFY(s.AngleToValue(ang, back));
        QVERIFY2(std::fabs(back - v) <= 1e-9 * std::max(1.0, std::fabs(v)),
                 qPrintable(QString("%1 -> %2").arg(v, 0, 'g', 17).arg(back, 0, 'g', 17)));
    }
}

void TestMeterGeometry::pixelRoundTrip_data()
{
    angleRoundTrip_data();
}

void TestMeterGeometry::pixelRoundTrip()
{
    QFETCH(TMeterLayout, layout);
    QFETCH(bool, log);
    QFETCH(double, mn);
    QFETCH(double, mx);
    const TMeterScale s = MakeScale(layout, mn, mx, log);
    // One pixel at the radius is at most this much angle.
    const double tolDeg = 180 / std::numbers::pi * 1.0 / s.Geo.Radius;
    for (int i = 0; i <= 40; ++i) {
        const double f = i / 40.0;
        if (layout == mlCirc360 && i == 40)
            continue;  // Max shares the bottom direction with Min on a full circle
        const double v = log ? std::exp(std::log(mn) + f * (std::log(mx) - std::log(mn))) : mn + f * (mx - mn);
        const TPoint p = s.ValueToPixel(v, 100);
        const TPoint q = s.PixelAtAngle(s.Theta(v), s.Geo.Radius);
        QVERIFY(std::abs(p.X - q.X) <= 1 && std::abs(p.Y - q.Y) <= 1);
        double back = -1;
        const bool within = s.PixelToValue(p.X, p.Y, back);
        if (i == 0 || i == 40) {
            // The end pixels may round just outside the sweep.
            if (!within)
                continue;
        }
        QVERIFY2(within, qPrintable(QString("value %1 at (%2,%3)").arg(v).arg(p.X).arg(p.Y)));
        QVERIFY2(std::fabs(s.NeedleAngle(back) - s.NeedleAngle(v)) <= tolDeg,
                 qPrintable(QString("%1 came back as %2").arg(v).arg(back)));
    }
}

void TestMeterGeometry::needleAngleKnownValues()
{
    const TMeterScale s = MakeScale(mlCirc90, 0, 1, false);
    QCOMPARE(s.NeedleAngle(0), 135.0);
    QCOMPARE(s.NeedleAngle(0.5), 180.0);
    QCOMPARE(s.NeedleAngle(1), 225.0);
    QCOMPARE(s.NeedleAngle(5), 225.0);
    QCOMPARE(s.NeedleAngle(-5), 135.0);
    QCOMPARE(s.NeedleAngle(std::nan("")), 135.0);
    QCOMPARE(s.NeedleAngle(std::numeric_limits<double>::infinity()), 225.0);
    const TMeterScale l = MakeScale(mlCirc90, 1, 1000, true);
    QVERIFY(std::fabs(l.NeedleAngle(10) - 165.0) < 1e-9);
    QVERIFY(std::fabs(l.NeedleAngle(100) - 195.0) < 1e-9);
    // A logarithmic flag over a non-positive range falls back to the linear mapping.
    const TMeterScale bad = MakeScale(mlCirc90, 0, 10, true);
    QCOMPARE(bad.NeedleAngle(5), 180.0);
    double v = 0;
    QVERIFY(bad.AngleToValue(180, v));
    QCOMPARE(v, 5.0);
}

void TestMeterGeometry::pixelToValueOutsideSweep()
{
    const TMeterScale s = MakeScale(mlCirc90, 0, 1, false);
    double v = -1;
    QVERIFY(s.PixelToValue(148, 100, v));
    QCOMPARE(v, 0.5);
    QVERIFY(s.PixelToValue(148, 5, v));  // the distance plays no part
    QCOMPARE(v, 0.5);
    v = -1;
    QVERIFY(!s.PixelToValue(148, 195, v));
    QCOMPARE(v, 0.0);
    v = -1;
    QVERIFY(!s.PixelToValue(20, 191, v));  // straight left: 90 degrees from down, outside 135..225
    QCOMPARE(v, 0.0);
    QVERIFY(s.PixelToValue(48, 91, v));  // up-left diagonal: the minimum
    QVERIFY(std::fabs(v) < 1e-9);
    QVERIFY(s.PixelToValue(248, 91, v));  // up-right diagonal: the maximum
    QVERIFY(std::fabs(v - 1) < 1e-9);
    QVERIFY(s.PixelToValue(148, 191, v));  // the centre itself counts as straight up
    QCOMPARE(v, 0.5);
    QCOMPARE(s.PixelDirection(148, 300), 0.0);
    QCOMPARE(s.PixelDirection(0, 191), 90.0);
    QCOMPARE(s.PixelDirection(148, 0), 180.0);
    QCOMPARE(s.PixelDirection(300, 191), 270.0);
    // The full circle takes every direction.
    const TMeterScale full = MakeScale(mlCirc360, 0, 1, false);
    QVERIFY(full.PixelToValue(full.Geo.CenterX, full.Geo.CenterY + 50, v));
    QCOMPARE(v, 0.0);
    QVERIFY(full.PixelToValue(full.Geo.CenterX - 50, full.Geo.CenterY, v));
    QCOMPARE(v, 0.25);
}

void TestMeterGeometry::needlePolygonCorners()
{
    TNeedleShape n;  // 20, 30 degrees, 20, thickness 0, 100 %
    const auto p = CalcNeedlePolygon(90, 175, 148, 191, n);
    QCOMPARE(p[1], TPoint(148, 20));                // tip at R - 4 straight up
    QCOMPARE(p[0], TPoint(153, 39));                // head ends 15 degrees either side
    QCOMPARE(p[2], TPoint(143, 39));
    QCOMPARE(p[3], TPoint(148, 40));                // shoulders on the axis without thickness
    QCOMPARE(p[6], TPoint(148, 40));
    QCOMPARE(p[4], TPoint(148, 191));
    QCOMPARE(p[5], TPoint(148, 191));
    n.Thickness = 6;
    n.PercentNeedleLength = 50;
    n.HeadAngle = 0;
    const auto q = CalcNeedlePolygon(0, 175, 148, 191, n);  // pointing right
    QCOMPARE(q[1], TPoint(148 + MeterRound(85.5), 191));
    QCOMPARE(q[0], q[2]);                           // no opening: the head ends coincide
    QCOMPARE(q[4], TPoint(148, 188));
    QCOMPARE(q[5], TPoint(148, 194));
    QCOMPARE(q[3].Y, 188);
    QCOMPARE(q[6].Y, 194);
}

void TestMeterGeometry::rounding()
{
    QCOMPARE(MeterRound(0.5), 0);
    QCOMPARE(MeterRound(1.5), 2);
    QCOMPARE(MeterRound(2.5), 2);
    QCOMPARE(MeterRound(-0.5), 0);
    QCOMPARE(MeterRound(-1.5), -2);
    QCOMPARE(MeterRound(std::nan("")), 0);
    QVERIFY(MeterRound(1e300) > 0);
    QCOMPARE(IntNeg(-0.5), -1);
    QCOMPARE(IntNeg(2.9), 2);
    QCOMPARE(IntNeg(std::log10(0.999999999 * 1000)), 2);
    QCOMPARE(IntNeg(std::log10(0.999999999)), -1);
}

// Properties, range and limit logic, loading, images and the mouse-to-value event.
#include "tst_meter_suites.h"

#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

using namespace qor;

namespace {

// Records the limit events (O, N, U) and counts paints through OnMeterRendered.
struct Recorder {
    QStringList events;
    int paints = 0;
    explicit Recorder(TMeter& m)
    {
        m.OnOverFlow = [this, &m](TObject* s) { QVERIFY(s == &m); events << "O"; };
        m.OnNormalRange = [this, &m](TObject* s) { QVERIFY(s == &m); events << "N"; };
        m.OnUnderFlow = [this, &m](TObject* s) { QVERIFY(s == &m); events << "U"; };
        m.OnMeterRendered = [this](TObject*, TCanvas*) { ++paints; };
    }
    QString take()
    {
        const QString s = events.join(QString());
        events.clear();
        return s;
    }
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

QString WriteImage(const QTemporaryDir& dir, const QString& name, const QImage& img)
{
    const QString path = dir.filePath(name);
    img.save(path);
    return path;
}

} // namespace

void TestMeterLogic::defaults()
{
    TMeter m;
    QCOMPARE(m.width(), 297);
    QCOMPARE(m.height(), 209);
    QCOMPARE(m.Value(), 0.0);
    QCOMPARE(m.MeterMinValue(), 0.0);
    QCOMPARE(m.MeterMaxValue(), 1.0);
    QCOMPARE(m.ThresholdLow(), 0.0);
    QCOMPARE(m.ThresholdHigh(), 1.0);
    QCOMPARE(m.MeterLayout(), mlCirc90);
    QCOMPARE(m.MeterNrTicks(), 3);
    QCOMPARE(m.MeterDecPlaces(), 1);
    QVERIFY(m.MeterShortTicks() && m.MeterScaleLine() && m.ScaleVisible() && !m.ScaleBkVisible());
    QCOMPARE(m.ScaleBkWidth(), 0.0);
    QCOMPARE(m.ColorScale(), TColor(0x800000));
    QCOMPARE(m.ColorBakG(), TColor(0xFFFFFF));
    QCOMPARE(m.ColorCover(), clBtnFace);
    QCOMPARE(m.ColorSclBkLow(), TColor(0x00FF00));
    QCOMPARE(m.ColorSclBkNorm(), TColor(0x0080FF));
    QCOMPARE(m.ColorSclBkHigh(), TColor(0x0000FF));
    QCOMPARE(m.ColorScheme(), csFixed);
    QCOMPARE(m.FrameStyle(), fsRaised);
    QCOMPARE(m.RimTop(), 8);
    QCOMPARE(m.RimBottom(), 10);
    QCOMPARE(m.RimSide(), 10);
    QVERIFY(m.AnchorCovered());
    QCOMPARE(m.AnchorSize(), 24);
    QCOMPARE(m.BkgndFillMode(), bfSimple);
    QVERIFY(m.LimWatchHighOn() && m.LimWatchLowOn());
    QCOMPARE(m.LimWatchActColor(), TColor(0x0000FF));
    QCOMPARE(m.LimWatchPsvColor(), TColor(0x808080));
    QVERIFY(!m.OverFlowLatched() && !m.UnderFlowLatched());
    QVERIFY(m.FontCaption()->operator==(*m.Font()));
    QCOMPARE(m.OriginX(), 148);
    QCOMPARE(m.OriginY(), 191);
    QCOMPARE(m.ScaleRadius(), 175.0);
    for (TNeedleLayout* n : {m.NeedleLayout(), m.NeedleLayoutSec()}) {
        QCOMPARE(n->HeadSize(), 20);
        QCOMPARE(n->HeadAngle(), 30);
        QCOMPARE(n->HeadMidLeng(), 20);
        QCOMPARE(n->Thickness(), 0);
        QCOMPARE(n->ColorBody(), TColor(0xC0C0C0));
        QCOMPARE(n->ColorOutline(), TColor(0));
        QCOMPARE(n->PercentNeedleLength(), 100);
        QCOMPARE(n->ShadowDx(), 0);
        QCOMPARE(n->ShadowDy(), 0);
        QCOMPARE(n->ShadowColor(), TColor(0x808080));
    }
    QVERIFY(m.NeedleLayout()->Visible());
    QVERIFY(!m.NeedleLayoutSec()->Visible());
    TNeedleLayout fresh;
    QCOMPARE(fresh.HeadSize(), 0);
    QVERIFY(!fresh.Visible());
    // Geometry follows size, layout and rims.
    m.SetBounds(0, 0, 400, 300);
    QCOMPARE(m.OriginX(), 200);
    QCOMPARE(m.ScaleRadius(), 266.0);
    m.SetMeterLayout(mlCirc300);
    QCOMPARE(m.MeterAngle(), 300);
    QCOMPARE(m.ScaleRadius(), 266 / 1.866);  // the height bounds it
    QCOMPARE(m.OriginY(), MeterRound(16 + 266 / 1.866));
    m.SetRimTop(20);
    QCOMPARE(m.ScaleRadius(), 254 / 1.866);
    m.SetRimSide(100);
    QCOMPARE(m.ScaleRadius(), 92.0);  // now the width does
    m.SetMeterLayout(TMeterLayout(9));  // not a layout: refused
    QCOMPARE(m.MeterLayout(), mlCirc300);
}

void TestMeterLogic::limitEventSequences_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("events");
    QTest::addColumn<double>("finalValue");
    QTest::addColumn<bool>("ofl");
    QTest::addColumn<bool>("ufl");
    // Thresholds 0.3 and 0.7 on 0..1.
    QTest::newRow("rising through both") << QList<double>{0.1, 0.5, 0.9} << "UNO" << 0.9 << true << false;
    QTest::newRow("falling through both") << QList<double>{0.9, 0.5, 0.1} << "ONU" << 0.1 << false << true;
    QTest::newRow("every change fires") << QList<double>{0.4, 0.5, 0.6} << "NNN" << 0.6 << false << false;
    QTest::newRow("equal value fires nothing") << QList<double>{0.8, 0.8} << "O" << 0.8 << true << false;
    QTest::newRow("thresholds belong to the outer zones") << QList<double>{0.7, 0.3} << "OU" << 0.3 << false << true;
    QTest::newRow("clamped above fires again") << QList<double>{2.0, 5.0} << "OO" << 1.0 << true << false;
    QTest::newRow("clamped below") << QList<double>{-3.0} << "U" << 0.0 << false << true;
    QTest::newRow("NaN rests at the minimum") << QList<double>{0.6, kNaN} << "NU" << 0.0 << false << true;
    QTest::newRow("infinities clamp") << QList<double>{kInf, -kInf} << "OU" << 0.0 << false << true;
    QTest::newRow("back to normal clears latches") << QList<double>{0.95, 0.5} << "ON" << 0.5 << false << false;
}

void TestMeterLogic::limitEventSequences()
{
    QFETCH(QList<double>, values);
    QFETCH(QString, events);
    QFETCH(double, finalValue);
    QFETCH(bool, ofl);
    QFETCH(bool, ufl);
    TMeter m;
    m.SetThresholdLow(0.3);
    m.SetThresholdHigh(0.7);
    m.SetValue(0.5);
    Recorder r(m);
    r.take();
    for (double v : values)
        m.SetValue(v);
    QCOMPARE(r.take(), events);
    QCOMPARE(m.Value(), finalValue);
    QCOMPARE(m.OverFlowLatched(), ofl);
    QCOMPARE(m.UnderFlowLatched(), ufl);
    QCOMPARE(r.paints, events.size());  // each change repaints once
}

void TestMeterLogic::hiddenNeedleFiresNoEventButRepaints()
{
    TMeter m;
    m.SetValue(1.0);
    QVERIFY(m.OverFlowLatched());
    Recorder r(m);
    m.NeedleLayout()->SetVisible(false);
    QCOMPARE(r.paints, 1);  // the layout change repaints through StyleChanged
    m.SetValue(0.0);
    QCOMPARE(r.take(), QString());
    QVERIFY(!m.OverFlowLatched() && !m.UnderFlowLatched());
    QCOMPARE(r.paints, 2);
    // The default meter: setting 2 stores 1 and overflows.
    TMeter d;
    Recorder rd(d);
    d.SetValue(2);
    QCOMPARE(d.Value(), 1.0);
    QVERIFY(d.OverFlowLatched());
    QCOMPARE(rd.take(), QString("O"));
}

void TestMeterLogic::secondaryNeedle()
{
    TMeter m;
    m.SetThresholdLow(0.3);
    m.SetThresholdHigh(0.7);
    m.SetValue(0.9);
    QVERIFY(m.OverFlowLatched());
    Recorder r(m);
    // Hidden: stored (clamped), no event, no repaint, and the primary's latch stays.
    m.SetValueSec(5);
    QCOMPARE(m.ValueSec(), 1.0);
    QCOMPARE(r.take(), QString());
    QCOMPARE(r.paints, 0);
    QVERIFY(m.OverFlowLatched());
    // Visible: the same zones and the shared latches.
    m.NeedleLayoutSec()->SetVisible(true);
    r.paints = 0;
    m.SetValueSec(0.1);
    QCOMPARE(r.take(), QString("U"));
    QVERIFY(!m.OverFlowLatched());
    QVERIFY(m.UnderFlowLatched());
    QCOMPARE(r.paints, 1);
    m.SetValueSec(0.5);
    QCOMPARE(r.take(), QString("N"));
    m.SetValueSec(0.5);
    QCOMPARE(r.take(), QString());
    m.SetValueSec(kNaN);
    QCOMPARE(m.ValueSec(), 0.0);
    QCOMPARE(r.take(), QString("U"));
}

void TestMeterLogic::thresholdSetters()
{
    TMeter m;
    m.SetValue(0.5);
    Recorder r(m);
    m.SetThresholdLow(0.6);  // value not above it: underflow
    QCOMPARE(r.take(), QString("U"));
    QVERIFY(m.UnderFlowLatched());
    m.SetThresholdLow(0.2);  // value above it: latch cleared, no event
    QCOMPARE(r.take(), QString());
    QVERIFY(!m.UnderFlowLatched());
    m.SetThresholdHigh(0.4);  // value at or above: overflow
    QCOMPARE(r.take(), QString("O"));
    QVERIFY(m.OverFlowLatched());
    m.SetThresholdHigh(0.1);  // below the low threshold: pulls it down
    QCOMPARE(m.ThresholdHigh(), 0.1);
    QCOMPARE(m.ThresholdLow(), 0.1);
    QCOMPARE(r.take(), QString("O"));
    m.SetThresholdLow(0.9);  // above the high threshold: pushes it up
    QCOMPARE(m.ThresholdLow(), 0.9);
    QCOMPARE(m.ThresholdHigh(), 0.9);
    QCOMPARE(r.take(), QString("U"));
    QVERIFY(m.UnderFlowLatched());
    m.SetThresholdHigh(7);  // clamped to the range
    QCOMPARE(m.ThresholdHigh(), 1.0);
    QVERIFY(!m.OverFlowLatched());
    QCOMPARE(r.take(), QString());
    m.SetThresholdLow(-7);
    QCOMPARE(m.ThresholdLow(), 0.0);
    m.SetThresholdLow(kNaN);  // ignored
    QCOMPARE(m.ThresholdLow(), 0.0);
    const int paints = r.paints;
    m.SetThresholdLow(0.0);  // unchanged: nothing
    QCOMPARE(r.paints, paints);
}

void TestMeterLogic::rangeSetters()
{
    TMeter m;
    m.SetThresholdLow(0.2);
    m.SetThresholdHigh(0.8);
    m.SetValue(0.5);
    Recorder r(m);
    m.SetMeterMaxValue(-5);  // not above Min: Min becomes new - 1
    QCOMPARE(m.MeterMaxValue(), -5.0);
    QCOMPARE(m.MeterMinValue(), -6.0);
    QCOMPARE(m.Value(), -5.0);
    QCOMPARE(m.ThresholdLow(), -5.0);
    QCOMPARE(m.ThresholdHigh(), -5.0);
    QCOMPARE(r.take(), QString());  // no limit event from the range
    QCOMPARE(r.paints, 1);
    m.SetMeterMinValue(10);  // not below Max: Max becomes new + 1
    QCOMPARE(m.MeterMinValue(), 10.0);
    QCOMPARE(m.MeterMaxValue(), 11.0);
    QCOMPARE(m.Value(), 10.0);
    QCOMPARE(m.ValueSec(), 10.0);
    QCOMPARE(m.ThresholdLow(), 10.0);
    m.SetMeterMinValue(0);
    QCOMPARE(m.Value(), 10.0);  // lowering the minimum keeps the value
    QCOMPARE(r.take(), QString());
    // Near the end of the integers of doubles, +1 would not move: still a real range.
    m.SetMeterMinValue(1e17);
    QVERIFY(m.MeterMaxValue() > m.MeterMinValue());
    m.SetMeterMaxValue(-1e17);
    QVERIFY(m.MeterMaxValue() > m.MeterMinValue());
    // Under a logarithmic scale a non-positive Max drags Min to a tenth.
    TMeter l;
    l.SetMeterMinValue(1);
    l.SetMeterMaxValue(100);
    l.SetLogarithmic(true);
    QVERIFY(l.Logarithmic());
    l.SetMeterMaxValue(0.5);
    QCOMPARE(l.MeterMinValue(), 0.05);
    QVERIFY(l.Logarithmic());
    l.SetMeterMinValue(0);  // below 1e-100: ignored
    QCOMPARE(l.MeterMinValue(), 0.05);
    l.SetMeterMaxValue(-3);
    QCOMPARE(l.MeterMaxValue(), 0.5);
}

void TestMeterLogic::rangeSettersRefuseNonFinite()
{
    TMeter m;
    Recorder r(m);
    m.SetMeterMinValue(kNaN);
    m.SetMeterMaxValue(kInf);
    m.SetMeterMinValue(-kInf);
    m.SetMeterMaxValue(kNaN);
    QCOMPARE(m.MeterMinValue(), 0.0);
    QCOMPARE(m.MeterMaxValue(), 1.0);
    QCOMPARE(r.paints, 0);
    // A minimum at the top of the double range has no room above it.
    m.SetMeterMinValue(std::numeric_limits<double>::max());
    QVERIFY(m.MeterMinValue() < m.MeterMaxValue());
    QVERIFY(std::isfinite(m.MeterMaxValue()));
}

void TestMeterLogic::logarithmicSwitch()
{
    TMeter m;
    Recorder r(m);
    m.SetLogarithmic(true);  // Min 0: refused, still repainted
    QVERIFY(!m.Logarithmic());
    QCOMPARE(r.paints, 1);
    m.SetMeterMinValue(1);
    m.SetMeterMaxValue(1000);
    m.SetLogarithmic(true);
    QVERIFY(m.Logarithmic());
    QCOMPARE(m.CalcNeedleAngle(10), 165.0);
    m.SetValue(100);
    int x = 0, y = 0;
    m.ConvertToPixelCoords(100, 100, x, y);
    double v = 0;
    QVERIFY(m.ConvertPixelToValue(x, y, v));
    QVERIFY(std::fabs(std::log10(v) - 2) < 0.02);
    m.SetLogarithmic(false);
    QVERIFY(!m.Logarithmic());
    QVERIFY(std::fabs(m.CalcNeedleAngle(500.5) - 180.0) < 1e-9);
}

void TestMeterLogic::clampedSetters()
{
    TMeter m;
    m.SetMeterNrTicks(1);
    QCOMPARE(m.MeterNrTicks(), 2);
    m.SetMeterNrTicks(30);
    QCOMPARE(m.MeterNrTicks(), 21);
    m.SetMeterDecPlaces(-1);
    QCOMPARE(m.MeterDecPlaces(), 0);
    m.SetMeterDecPlaces(9);
    QCOMPARE(m.MeterDecPlaces(), 4);
    m.SetScaleBkWidth(150);
    QCOMPARE(m.ScaleBkWidth(), 100.0);
    m.SetScaleBkWidth(-5);
    QCOMPARE(m.ScaleBkWidth(), 0.0);
    m.SetScaleBkWidth(kNaN);
    QCOMPARE(m.ScaleBkWidth(), 0.0);
    m.NeedleLayout()->SetHeadAngle(200);
    QCOMPARE(m.NeedleLayout()->HeadAngle(), 180);
    m.NeedleLayout()->SetHeadAngle(-4);
    QCOMPARE(m.NeedleLayout()->HeadAngle(), 0);
    m.NeedleLayout()->SetPercentNeedleLength(120);
    QCOMPARE(m.NeedleLayout()->PercentNeedleLength(), 100);
    m.NeedleLayout()->SetPercentNeedleLength(-1);
    QCOMPARE(m.NeedleLayout()->PercentNeedleLength(), 0);
    // Setters without an equality test repaint every time.
    Recorder r(m);
    m.SetCaption("V");
    m.SetCaption("V");
    m.SetScaleVisible(true);
    m.SetScaleBkVisible(false);
    m.SetScaleBkWidth(0);
    m.SetBkgndFillMode(bfSimple);
    QCOMPARE(r.paints, 6);
    // Setters with one repaint only on change.
    m.SetColorScale(0x800000);
    m.SetRimTop(8);
    m.SetFrameStyle(fsRaised);
    QCOMPARE(r.paints, 6);
    m.SetColorScale(0x123456);
    QCOMPARE(r.paints, 7);
    TFont f;
    f.SetSize(20);
    m.SetFontCaption(&f);
    QCOMPARE(m.FontCaption()->Size(), 20);
    QCOMPARE(r.paints, 8);
}

void TestMeterLogic::loadingStoresThenLoadedRepairs()
{
    TMeter m;
    Recorder r(m);
    m.BeginLoading();
    m.SetMeterMinValue(5);
    m.SetMeterMaxValue(5);  // stored unchecked: Min = Max
    m.SetValue(20);
    m.SetValueSec(-20);
    m.SetThresholdLow(7);
    m.SetLogarithmic(true);
    QCOMPARE(m.Value(), 20.0);
    QCOMPARE(m.MeterMaxValue(), 5.0);
    QCOMPARE(r.take(), QString());
    QCOMPARE(r.paints, 0);
    m.EndLoading();
    QCOMPARE(m.MeterMinValue(), 5.0);
    QCOMPARE(m.MeterMaxValue(), 6.0);  // repaired to a real range
    QCOMPARE(m.Value(), 6.0);          // clamped
    QCOMPARE(m.ValueSec(), 5.0);       // both values are clamped
    QVERIFY(m.Logarithmic());          // positive range: kept
    QVERIFY(m.ThresholdLow() <= m.ThresholdHigh());
    QVERIFY(m.ThresholdHigh() <= 6.0);
    QCOMPARE(r.take(), QString());  // no limit events from loading
    QCOMPARE(r.paints, 1);

    TMeter n;
    n.BeginLoading();
    n.SetLogarithmic(true);  // over 0..1: cannot stay
    n.SetValue(kNaN);
    n.SetBackGroundImg("/nonexistent/picture.png");
    QCOMPARE(n.BackGroundImg(), QString("/nonexistent/picture.png"));
    n.EndLoading();
    QVERIFY(!n.Logarithmic());
    QCOMPARE(n.Value(), 0.0);
    QCOMPARE(n.BackGroundImg(), QString());
}

void TestMeterLogic::mouseMoveInMeter()
{
    TMeter m;
    QStringList log;
    m.OnMouseMove = [&](TObject*, TShiftState, int x, int y) { log << QString("move %1,%2").arg(x).arg(y); };
    m.OnMouseMoveInMeter = [&](TObject* s, bool within, TShiftState shift, double v) {
        QVERIFY(s == &m);
        log << QString("meter %1 %2 %3").arg(int(within)).arg(v).arg(int(shift.Contains(ssShift)));
    };
    auto move = [&](int x, int y, Qt::KeyboardModifiers mods) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), m.mapToGlobal(QPointF(x, y)), Qt::NoButton, Qt::NoButton, mods);
        QApplication::sendEvent(&m, &e);
    };
    move(148, 100, Qt::NoModifier);
    move(148, 200, Qt::ShiftModifier);
    QCOMPARE(log, QStringList({"move 148,100", "meter 1 0.5 0", "move 148,200", "meter 0 0 1"}));
    QVERIFY(m.hasMouseTracking());
}

void TestMeterLogic::needleLayoutAssignAndChange()
{
    TMeter m;
    Recorder r(m);
    TNeedleLayout other;
    other.SetHeadSize(12);
    other.SetColorBody(0x00FFFF);
    other.SetVisible(true);
    int otherChanges = 0;
    other.OnChange = [&](TObject* s) {
        QVERIFY(s == &other);
        ++otherChanges;
    };
    m.SetNeedleLayout(&other);
    QCOMPARE(m.NeedleLayout()->HeadSize(), 12);
    QCOMPARE(m.NeedleLayout()->ColorBody(), TColor(0x00FFFF));
    QCOMPARE(m.NeedleLayout()->HeadAngle(), 0);  // everything is copied
    QCOMPARE(r.paints, 1);
    // The meter's handler stays on its own layout.
    m.NeedleLayout()->SetThickness(3);
    QCOMPARE(r.paints, 2);
    m.NeedleLayout()->SetThickness(3);
    QCOMPARE(r.paints, 2);
    QCOMPARE(otherChanges, 0);
    other.Assign(m.NeedleLayoutSec());
    QCOMPARE(otherChanges, 1);
    other.Assign(m.NeedleLayoutSec());
    QCOMPARE(otherChanges, 1);
    m.SetNeedleLayoutSec(&other);
    QVERIFY(!m.NeedleLayoutSec()->Visible());
}

void TestMeterLogic::backgroundImageFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TMeter m;
    m.SetName("Meter1");
    m.SetBackGroundImg(dir.filePath("missing.png"));  // no such file: cleared, no error
    QCOMPARE(m.BackGroundImg(), QString());
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString good = WriteImage(dir, "bg.png", img);
    m.SetBackGroundImg(good);
    QCOMPARE(m.BackGroundImg(), good);
    const QString jpg = WriteImage(dir, "bg.jpg", img);
    m.SetBackGroundImg(jpg);
    QCOMPARE(m.BackGroundImg(), jpg);
    const QString bmp = WriteImage(dir, "bg.bmp", img);
    m.SetBackGroundImg(bmp);
    QCOMPARE(m.BackGroundImg(), bmp);
    // An unreadable file raises and leaves no name behind.
    const QString bad = dir.filePath("broken.png");
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a picture");
    }
    bool raised = false;
    try {
        m.SetBackGroundImg(bad);
    } catch (const EQORError& e) {
        raised = true;
        QVERIFY(e.Message().startsWith("Component \"Meter1\": "));
        QVERIFY(e.Message().contains("broken.png"));
    }
    QVERIFY(raised);
    QCOMPARE(m.BackGroundImg(), QString());
    // A folder is not an image file.
    m.SetBackGroundImg(dir.path());
    QCOMPARE(m.BackGroundImg(), QString());
}

void TestMeterLogic::anchorImageFiles()
{
    QTemporaryDir dir;
    TMeter m;
    QImage img(9, 9, QImage::Format_ARGB32);
    img.fill(Qt::green);
    const QString good = WriteImage(dir, "anchor.png", img);
    m.SetAnchorImage(good);
    QCOMPARE(m.AnchorImage(), good);
    const QString bad = dir.filePath("broken.bmp");
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM garbage");
    }
    m.SetAnchorImage(bad);  // quietly cleared
    QCOMPARE(m.AnchorImage(), QString());
    m.SetAnchorImage(dir.filePath("none.png"));
    QCOMPARE(m.AnchorImage(), QString());
    // While loading only the name is kept; Loaded clears an unreadable one.
    TMeter n;
    n.BeginLoading();
    n.SetAnchorImage(bad);
    n.SetBackGroundImg(bad);
    QCOMPARE(n.AnchorImage(), bad);
    n.EndLoading();
    QCOMPARE(n.AnchorImage(), QString());
    QCOMPARE(n.BackGroundImg(), QString());
    TMeter k;
    k.BeginLoading();
    k.SetAnchorImage(good);
    k.EndLoading();
    QCOMPARE(k.AnchorImage(), good);
}

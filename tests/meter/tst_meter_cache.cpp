// What a meter keeps between paints (the scale's ticks, texts and their sizes) follows every
// input: after a change the window shows exactly what a new meter so configured draws.
#include "tst_meter_suites.h"

#include <functional>

using namespace qor;

using MeterChange = std::function<void(TMeter&)>;
Q_DECLARE_METATYPE(MeterChange)

namespace {

void Configure(TMeter& m)
{
    m.Font()->SetName("DejaVu Sans");
    m.Font()->SetSize(8);
    m.FontCaption()->SetName("DejaVu Sans");
    m.SetBounds(0, 0, 300, 250);
    m.SetMeterLayout(mlCirc270);
    m.SetScaleBkVisible(true);
    m.SetScaleBkWidth(10);
    m.SetMeterNrTicks(5);
    m.SetCaption("V");
    m.SetValue(0.4);
}

QImage Shown(QWidget& w)
{
    QCoreApplication::processEvents();
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

void TestMeterCache::changeAfterPaint_data()
{
    QTest::addColumn<MeterChange>("change");
    auto row = [](const char* name, MeterChange f) { QTest::newRow(name) << f; };
    row("MeterMaxValue", [](TMeter& m) { m.SetMeterMaxValue(2); });
    row("MeterMinValue", [](TMeter& m) { m.SetMeterMinValue(-1); });
    row("Logarithmic", [](TMeter& m) { m.SetMeterMaxValue(1000); m.SetMeterMinValue(1); m.SetLogarithmic(true); });
    row("Logarithmic off", [](TMeter& m) {
        m.SetMeterMaxValue(1000); m.SetMeterMinValue(1); m.SetLogarithmic(true);
        QCoreApplication::processEvents();
        m.SetLogarithmic(false);
    });
    row("MeterNrTicks", [](TMeter& m) { m.SetMeterNrTicks(11); });
    row("MeterNrTicks fewer", [](TMeter& m) { m.SetMeterNrTicks(3); });
    row("MeterDecPlaces", [](TMeter& m) { m.SetMeterDecPlaces(3); });
    row("MeterShortTicks", [](TMeter& m) { m.SetMeterShortTicks(false); });
    row("MeterLayout", [](TMeter& m) { m.SetMeterLayout(mlCirc360); });
    row("RimTop", [](TMeter& m) { m.SetRimTop(30); });
    row("RimBottom", [](TMeter& m) { m.SetRimBottom(40); });
    row("RimSide", [](TMeter& m) { m.SetRimSide(35); });
    row("SetBounds", [](TMeter& m) { m.SetBounds(0, 0, 320, 240); });
    row("resize", [](TMeter& m) { m.resize(280, 260); });
    row("Font size", [](TMeter& m) { m.Font()->SetSize(11); });
    row("Font name", [](TMeter& m) { m.Font()->SetName("DejaVu Serif"); });
    row("Font style", [](TMeter& m) { m.Font()->SetStyle(TFontStyles{fsBold}); });
    row("Font colour", [](TMeter& m) { m.Font()->SetColor(0x0000FF); });
    row("setFont", [](TMeter& m) { m.setFont(QFont("DejaVu Sans Mono", 12)); });
    row("FontCaption", [](TMeter& m) { m.FontCaption()->SetSize(16); });
    row("Caption", [](TMeter& m) { m.SetCaption("kPa"); });
    row("ColorScale", [](TMeter& m) { m.SetColorScale(0x00FF00); });
    row("MeterScaleLine", [](TMeter& m) { m.SetMeterScaleLine(false); });
    row("ScaleVisible", [](TMeter& m) { m.SetScaleVisible(false); });
    row("label handler", [](TMeter& m) {
        m.OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, QString& t, int, int) { t += "!"; };
        m.update();
    });
    row("ScaleBkVisible", [](TMeter& m) { m.SetScaleBkVisible(false); });
    row("ScaleBkWidth", [](TMeter& m) { m.SetScaleBkWidth(40); });
    row("ThresholdLow", [](TMeter& m) { m.SetThresholdLow(0.3); });
    row("ThresholdHigh", [](TMeter& m) { m.SetThresholdHigh(0.6); });
    row("ColorSclBkLow", [](TMeter& m) { m.SetThresholdLow(0.3); QCoreApplication::processEvents(); m.SetColorSclBkLow(0xFF00FF); });
    row("ColorSclBkNorm", [](TMeter& m) { m.SetColorSclBkNorm(0xFF00FF); });
    row("ColorSclBkHigh", [](TMeter& m) { m.SetThresholdHigh(0.6); QCoreApplication::processEvents(); m.SetColorSclBkHigh(0xFF00FF); });
    row("ColorBakG", [](TMeter& m) { m.SetColorBakG(0xC0FFC0); });
    row("palette", [](TMeter& m) {
        m.SetColorBakG(clBtnFace);
        QCoreApplication::processEvents();
        QPalette p = m.palette();
        p.setColor(QPalette::Button, QColor(10, 200, 30));
        m.setPalette(p);
    });
    row("AnchorSize", [](TMeter& m) { m.SetAnchorSize(60); });
    row("AnchorCovered", [](TMeter& m) { m.SetAnchorCovered(false); });
    row("Value", [](TMeter& m) { m.SetValue(0.9); });
}

void TestMeterCache::changeAfterPaint()
{
    QFETCH(MeterChange, change);
    TMeter m;
    Configure(m);
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    const QImage before = Shown(m);
    change(m);
    const QImage after = Shown(m);
    QVERIFY(after != before);

    TMeter fresh;
    Configure(fresh);
    change(fresh);
    QCOMPARE(after, RenderMeter(fresh).convertToFormat(QImage::Format_RGB32));
}

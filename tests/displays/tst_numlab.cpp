// Tests of the numeric label: value texts, row geometry, setters and the drawn image.
#include "displays/QOR_NumLab.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace qor;

Q_DECLARE_METATYPE(qor::TDisplay)
Q_DECLARE_METATYPE(qor::TAlignment)

namespace {

const QString kDeg = QString(QChar(0xB0));

QImage rendered(TNumLab& lab)
{
    lab.Paint();
    lab.Canvas()->Flush();
    return *lab.Canvas()->Target();
}

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

/// Pixels of exactly colour c inside r.
int countColor(const QImage& img, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            if (px(img, x, y) == c)
                ++n;
    return n;
}

/// Leftmost and rightmost columns holding colour c inside r (-1 when none).
QPair<int, int> columnSpan(const QImage& img, const TRect& r, TColor c)
{
    int lo = -1, hi = -1;
    for (int x = r.Left; x < r.Right; ++x)
        for (int y = r.Top; y < r.Bottom; ++y)
            if (px(img, x, y) == c) {
                if (lo < 0)
                    lo = x;
                hi = x;
                break;
            }
    return {lo, hi};
}

} // namespace

class TstNumLab : public QObject {
    Q_OBJECT

private slots:
    void valueText_data();
    void valueText();
    void unshowableValues_data();
    void unshowableValues();
    void dateTimeText_data();
    void dateTimeText();
    void sideTextPositions_data();
    void sideTextPositions();
    void valuePosition_data();
    void valuePosition();
    void areaCodes_data();
    void areaCodes();
    void defaults();
    void clampingSetters();
    void colorScheme();
    void assign();
    void assignRefusesOtherClasses();
    void mouseMoveSetsAreaCode();
    void paintBackgroundAndFrame();
    void emptyShowsNoValue();
    void valueDrawnInsideTheBox_data();
    void valueDrawnInsideTheBox();
    void overflowShowsIndicator();
    void stateIsNeverReplaced();
    void beforeDisplayCanRewrite();
    void disabledTextsAreEngraved();
    void hiddenLabelDoesNotPaint();
    void styledColours();
};

void TstNumLab::valueText_data()
{
    QTest::addColumn<TDisplay>("display");
    QTest::addColumn<int>("precision");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fixp pi") << dtFixP << 2 << false << false << 3.14159 << "3.14";
    QTest::newRow("fixp comma") << dtFixP << 2 << true << false << 3.14159 << "3,14";
    QTest::newRow("fixp plus") << dtFixP << 2 << false << true << 3.14159 << "+3.14";
    QTest::newRow("fixp zero plus") << dtFixP << 2 << false << true << 0.0 << "0.00";
    QTest::newRow("fixp negative") << dtFixP << 2 << false << true << -3.14159 << "-3.14";
    QTest::newRow("fixp tie up") << dtFixP << 2 << false << false << 0.125 << "0.13";
    QTest::newRow("fixp tie negative") << dtFixP << 2 << false << false << -0.125 << "-0.13";
    QTest::newRow("fixp 1.005") << dtFixP << 2 << false << false << 1.005 << "1.01";
    QTest::newRow("fixp 2.675") << dtFixP << 2 << false << false << 2.675 << "2.68";
    QTest::newRow("fixp carry") << dtFixP << 2 << false << false << 9.995 << "10.00";
    QTest::newRow("fixp below tie") << dtFixP << 2 << false << false << 0.1249 << "0.12";
    QTest::newRow("fixp tiny negative") << dtFixP << 2 << false << false << -0.001 << "0.00";
    QTest::newRow("fixp precision 0") << dtFixP << 0 << false << false << 2.5 << "3";
    QTest::newRow("fixp large") << dtFixP << 1 << false << false << 123456789.25 << "123456789.3";
    QTest::newRow("fixp small pads") << dtFixP << 4 << false << false << 0.5 << "0.5000";

    QTest::newRow("int tie even down") << dtInt << 2 << false << false << 2.5 << "2";
    QTest::newRow("int tie even up") << dtInt << 2 << false << false << 3.5 << "4";
    QTest::newRow("int negative tie") << dtInt << 2 << false << false << -2.5 << "-2";
    QTest::newRow("int below tie") << dtInt << 2 << false << false << 2.4999 << "2";
    QTest::newRow("int plus") << dtInt << 2 << false << true << 7.0 << "+7";
    QTest::newRow("int zero") << dtInt << 2 << false << true << 0.0 << "0";

    QTest::newRow("float pi") << dtFloat << 4 << false << false << 3.14159 << "3.142";
    QTest::newRow("float big") << dtFloat << 4 << false << false << 1234567.0 << "1.235E+6";
    QTest::newRow("float small fixed") << dtFloat << 4 << false << false << 0.0001 << "0.0001";
    QTest::newRow("float small sci") << dtFloat << 4 << false << false << 0.000001 << "1E-6";
    QTest::newRow("float integral") << dtFloat << 4 << false << false << 100.0 << "100";
    QTest::newRow("float zero") << dtFloat << 4 << false << false << 0.0 << "0";
    QTest::newRow("float negative") << dtFloat << 4 << false << false << -2.5 << "-2.5";
    QTest::newRow("float carry to sci") << dtFloat << 4 << false << false << 9999.5 << "1E+4";
    QTest::newRow("float comma") << dtFloat << 4 << true << false << 2.5 << "2,5";

    QTest::newRow("exp") << dtExp << 3 << false << false << 1234.5 << "1.23E+003";
    QTest::newRow("exp negative small") << dtExp << 3 << false << false << -0.00012345 << "-1.23E-004";
    QTest::newRow("exp zero") << dtExp << 3 << false << false << 0.0 << "0.00E+000";
    QTest::newRow("exp carry") << dtExp << 3 << false << false << 9.995 << "1.00E+001";
    QTest::newRow("exp plus comma") << dtExp << 2 << true << true << 25.0 << "+2,5E+001";

    QTest::newRow("hex") << dtHex << 2 << false << false << 255.0 << "FF";
    QTest::newRow("hex pads") << dtHex << 2 << false << false << 10.0 << "0A";
    QTest::newRow("hex negative") << dtHex << 2 << false << false << -1.0 << "-01";
    QTest::newRow("hex tie even") << dtHex << 2 << false << false << 254.5 << "FE";
    QTest::newRow("hex no plus") << dtHex << 0 << false << true << 16.0 << "10";

    QTest::newRow("zeroint") << dtZeroInt << 4 << false << false << 42.0 << "0042";
    QTest::newRow("zeroint negative") << dtZeroInt << 4 << false << false << -42.0 << "-0042";
    QTest::newRow("zeroint plus") << dtZeroInt << 4 << false << true << 42.0 << "+0042";
    QTest::newRow("zeroint wider") << dtZeroInt << 2 << false << false << 12345.0 << "12345";

    QTest::newRow("bin") << dtBin << 8 << false << false << 5.0 << "00000101";
    QTest::newRow("bin no plus") << dtBin << 0 << false << true << 2.0 << "10";
    QTest::newRow("oct") << dtOct << 0 << false << false << 8.0 << "10";
    QTest::newRow("oct plus") << dtOct << 3 << false << true << 8.0 << "+010";

    QTest::newRow("deg") << dtDeg << 2 << false << false << 12.5 << "12.50" + kDeg;
    QTest::newRow("deg comma") << dtDeg << 2 << true << false << 12.5 << "12,50" + kDeg;
    QTest::newRow("deg plus") << dtDeg << 1 << false << true << 12.5 << "+12.5" + kDeg;
    QTest::newRow("degmin") << dtDegMin << 2 << false << false << 12.5 << "12" + kDeg + "30.00'";
    QTest::newRow("degmin negative") << dtDegMin << 2 << false << false << -12.5 << "-12" + kDeg + "30.00'";
    QTest::newRow("degmin carry") << dtDegMin << 2 << false << false << 12.99999999 << "13" + kDeg + "00.00'";
    QTest::newRow("degmin precision 0") << dtDegMin << 0 << false << false << 1.0 / 60.0 * 5 << "0" + kDeg + "05'";
    QTest::newRow("dms") << dtDegMinSec << 1 << false << false << 12.5125 << "12" + kDeg + "30'45.0\"";
    QTest::newRow("dms carry") << dtDegMinSec << 1 << false << false << 0.99999999 << "1" + kDeg + "00'00.0\"";
    QTest::newRow("dms negative") << dtDegMinSec << 1 << false << false << -0.5 << "-0" + kDeg + "30'00.0\"";
    QTest::newRow("dms comma") << dtDegMinSec << 2 << true << false << 1.0 + 1.0 / 7200.0 << "1" + kDeg + "00'00,50\"";
    QTest::newRow("dms precision 0") << dtDegMinSec << 0 << false << false << 45.2625 << "45" + kDeg + "15'45\"";

    QTest::newRow("eeng") << dtEEng << 2 << false << false << 12345.0 << "12.35E+3";
    QTest::newRow("eeng micro") << dtEEng << 2 << false << false << 0.000123 << "123.00E-6";
    QTest::newRow("eeng carry") << dtEEng << 2 << false << false << 999.996 << "1.00E+3";
    QTest::newRow("eeng zero") << dtEEng << 2 << false << false << 0.0 << "0.00E+0";
    QTest::newRow("eeng negative") << dtEEng << 2 << false << false << -1500.0 << "-1.50E+3";
    QTest::newRow("eeng milli") << dtEEng << 1 << false << false << 0.0015 << "1.5E-3";
    QTest::newRow("eeng unit") << dtEEng << 1 << false << false << 7.0 << "7.0E+0";
    QTest::newRow("eeng nodp") << dtEEngNoDP << 2 << false << false << 12345.0 << "12.35E+3";
    QTest::newRow("eeng nodp integral") << dtEEngNoDP << 2 << false << false << 12000.0 << "12E+3";
    QTest::newRow("eeng nodp strip") << dtEEngNoDP << 2 << false << false << 1500.0 << "1.5E+3";

    QTest::newRow("state") << dtState << 2 << true << true << 3.5 << "undefined";
}

void TstNumLab::valueText()
{
    QFETCH(TDisplay, display);
    QFETCH(int, precision);
    QFETCH(bool, comma);
    QFETCH(bool, plus);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QString text;
    QVERIFY(NumLabValueText(value, display, precision, comma, plus, "mmm-dd, yyyy", "undefined", text));
    QCOMPARE(text, expected);
}

void TstNumLab::unshowableValues_data()
{
    QTest::addColumn<TDisplay>("display");
    QTest::addColumn<double>("value");
    QTest::newRow("int nan") << dtInt << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("int huge") << dtInt << 1e300;
    QTest::newRow("int just beyond") << dtInt << 9223372036854775808.0;
    QTest::newRow("hex inf") << dtHex << std::numeric_limits<double>::infinity();
    QTest::newRow("fixp nan") << dtFixP << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("dms huge") << dtDegMinSec << 1e200;
    QTest::newRow("datetime huge") << dtDateTime << 1e12;
}

void TstNumLab::unshowableValues()
{
    QFETCH(TDisplay, display);
    QFETCH(double, value);
    QString text = "x";
    QVERIFY(!NumLabValueText(value, display, 2, false, false, "yyyy", "s", text));
    QVERIFY(text.isEmpty());
}

void TstNumLab::dateTimeText_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default format") << 45000.0 << "mmm-dd, yyyy" << "Mar-15, 2023";
    QTest::newRow("iso with time") << 36526.75 << "yyyy-mm-dd hh:nn:ss" << "2000-01-01 18:00:00";
    QTest::newRow("m after h is minutes") << 36526.75 + 5.0 / 1440.0 << "h:mm" << "18:05";
    QTest::newRow("day names") << 45000.0 << "ddd dddd" << "Wed Wednesday";
    QTest::newRow("twelve hour") << 36526.75 << "h am/pm" << "6 PM";
    QTest::newRow("quoted") << 45000.0 << "'day' d" << "day 15";
    QTest::newRow("negative serial") << -1.25 << "yyyy-mm-dd hh:nn" << "1899-12-29 06:00";
    QTest::newRow("rounds to next day") << 44999.9999999999 << "yyyy-mm-dd hh:nn:ss" << "2023-03-15 00:00:00";
    QTest::newRow("milliseconds") << 45000.0 + 1.5 / 86400.0 << "ss.zzz" << "01.500";
}

void TstNumLab::dateTimeText()
{
    QFETCH(double, serial);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QString text;
    QVERIFY(NumLabDateTimeText(serial, format, text));
    QCOMPARE(text, expected);
    // The label's own path passes the text through unchanged: no separator swap, no sign.
    for (bool comma : {false, true}) {
        QString viaLabel;
        QVERIFY(NumLabValueText(serial, dtDateTime, 2, comma, true, format, QString(), viaLabel));
        QCOMPARE(viaLabel, expected);
    }
}

void TstNumLab::sideTextPositions_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<int>("leftX");
    QTest::addColumn<int>("leftShadowX");
    QTest::addColumn<int>("rightX");
    QTest::addColumn<int>("rightShadowX");
    // width 160, LeftSpace 35, LabelWidth 80, text width 11
    QTest::newRow("left") << taLeftJustify << 7 << 8 << 122 << 123;
    QTest::newRow("right") << taRightJustify << 19 << 20 << 143 << 142;
    QTest::newRow("center") << taCenter << 12 << 13 << 133 << 134;
}

void TstNumLab::sideTextPositions()
{
    QFETCH(TAlignment, align);
    QFETCH(int, leftX);
    QFETCH(int, leftShadowX);
    QFETCH(int, rightX);
    QFETCH(int, rightShadowX);
    QCOMPARE(TNumLabGeometry::LeftTextX(align, 35, 11), leftX);
    QCOMPARE(TNumLabGeometry::LeftTextShadowX(align, 35, 11), leftShadowX);
    QCOMPARE(TNumLabGeometry::RightTextX(align, 160, 35, 80, 11), rightX);
    QCOMPARE(TNumLabGeometry::RightTextShadowX(align, 160, 35, 80, 11), rightShadowX);
}

void TstNumLab::valuePosition_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<int>("tw");
    QTest::addColumn<int>("x");
    QTest::newRow("left") << taLeftJustify << 20 << 39;
    QTest::newRow("right") << taRightJustify << 20 << 93;
    QTest::newRow("center") << taCenter << 20 << 67;
    QTest::newRow("center odd") << taCenter << 21 << 66;
    // Wider than the box: the centred text starts left of the box and is clipped.
    QTest::newRow("center wide") << taCenter << 101 << 27;
}

void TstNumLab::valuePosition()
{
    QFETCH(TAlignment, align);
    QFETCH(int, tw);
    QFETCH(int, x);
    QCOMPARE(TNumLabGeometry::ValueX(align, 35, 80, tw), x);
    QCOMPARE(TNumLabGeometry::ValueClip(35, 80, 28), TRect(38, 2, 114, 25));
}

void TstNumLab::areaCodes_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("code");
    QTest::newRow("far left") << 0 << 0;
    QTest::newRow("at left space") << 35 << 0;
    QTest::newRow("just inside box") << 36 << 1;
    QTest::newRow("box end") << 115 << 1;
    QTest::newRow("right text") << 116 << 2;
}

void TstNumLab::areaCodes()
{
    QFETCH(int, x);
    QFETCH(int, code);
    QCOMPARE(TNumLabGeometry::AreaCode(x, 35, 80), code);
}

void TstNumLab::defaults()
{
    QWidget host;
    TNumLab lab(&host);
    QCOMPARE(lab.Width(), 160);
    QCOMPARE(lab.Height(), 28);
    QCOMPARE(lab.Alignment(), taCenter);
    QCOMPARE(lab.ColorLabBakG(), clBtnFace);
    QCOMPARE(lab.ColorLabText(), TColor(0));
    QCOMPARE(lab.ColorOutBakG(), clBtnFace);
    QCOMPARE(lab.ColorOutText(), TColor(0));
    QCOMPARE(lab.ColorScheme(), csFixed);
    QCOMPARE(lab.Comma(), false);
    QCOMPARE(lab.DisplayType(), dtFixP);
    QCOMPARE(lab.DTFormat(), QString("mmm-dd, yyyy"));
    QCOMPARE(lab.Empty(), false);
    QCOMPARE(lab.Enabled(), true);
    QCOMPARE(lab.ForcePlusSign(), false);
    QCOMPARE(lab.FrameStyle(), fsLowered);
    QCOMPARE(lab.LabelWidth(), 80);
    QCOMPARE(lab.LeftSpace(), 35);
    QCOMPARE(lab.LeftText(), QString());
    QCOMPARE(lab.LeftTextAlignment(), taRightJustify);
    QCOMPARE(lab.OverflowIndicator(), QString("*********"));
    QCOMPARE(lab.Precision(), 2);
    QCOMPARE(lab.RightTextAlignment(), taLeftJustify);
    QCOMPARE(lab.StateText(), QString("undefined"));
    QCOMPARE(lab.Transparent(), false);
    QCOMPARE(lab.Value(), 0.0);
    QCOMPARE(lab.MouseAreaCode(), 0);
    QCOMPARE(lab.ColGrayLine(), TColor(0x808080));
    QCOMPARE(lab.ColWhiteLine(), TColor(0xFFFFFF));
    QVERIFY(!lab.OnBeforeDisplay);
    // Published properties are reachable through the meta-object too.
    QCOMPARE(lab.property("LabelWidth").toInt(), 80);
    QVERIFY(lab.setProperty("Precision", 4));
    QCOMPARE(lab.Precision(), 4);
}

void TstNumLab::clampingSetters()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetPrecision(-1);
    QCOMPARE(lab.Precision(), 2);
    lab.SetPrecision(20);
    QCOMPARE(lab.Precision(), 15);
    lab.SetPrecision(0);
    QCOMPARE(lab.Precision(), 0);

    lab.SetLeftSpace(-5);
    QCOMPARE(lab.LeftSpace(), 35);
    lab.SetLeftSpace(500);
    QCOMPARE(lab.LeftSpace(), 160);
    lab.SetLeftSpace(0);
    QCOMPARE(lab.LeftSpace(), 0);

    lab.SetLabelWidth(-10); // no clamping
    QCOMPARE(lab.LabelWidth(), -10);
    lab.SetLabelWidth(1000);
    QCOMPARE(lab.LabelWidth(), 1000);
    rendered(lab); // an odd layout still paints without harm
}

void TstNumLab::colorScheme()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorScheme(csSystem);
    QCOMPARE(lab.ColGrayLine(), clBtnShadow);
    QCOMPARE(lab.ColWhiteLine(), clBtnHighlight);
    QCOMPARE(lab.ColBlackLine(), TColor(0));
    lab.SetColorScheme(csFixed);
    QCOMPARE(lab.ColGrayLine(), TColor(0x808080));
    QCOMPARE(lab.ColWhiteLine(), TColor(0xFFFFFF));
}

void TstNumLab::assign()
{
    QWidget host;
    TNumLab a(&host), b(&host);
    a.SetLeftSpace(20);
    a.SetEmpty(true);
    a.SetLabelWidth(60);
    a.SetPrecision(5);
    a.SetLeftText("U");
    a.SetRightText("V");
    a.SetFrameStyle(fsRidge);
    a.SetAlignment(taLeftJustify);
    a.SetRightTextAlignment(taCenter);
    a.SetLeftTextAlignment(taLeftJustify);
    a.SetOverflowIndicator("##");
    a.SetValue(7.25);
    a.SetStateText("off");
    a.SetTransparent(true);
    a.SetColorLabBakG(0x010203);
    a.SetColorLabText(0x040506);
    a.SetColorOutBakG(0x070809);
    a.SetColorOutText(0x0A0B0C);
    a.SetColorScheme(csSystem);
    a.SetDisplayType(dtHex);
    a.SetComma(true);
    a.SetForcePlusSign(true);
    a.SetDTFormat("yyyy");

    b.Assign(&a);
    QCOMPARE(b.LeftSpace(), 20);
    QCOMPARE(b.Empty(), true);
    QCOMPARE(b.LabelWidth(), 60);
    QCOMPARE(b.Precision(), 5);
    QCOMPARE(b.LeftText(), QString("U"));
    QCOMPARE(b.RightText(), QString("V"));
    QCOMPARE(b.FrameStyle(), fsRidge);
    QCOMPARE(b.Alignment(), taLeftJustify);
    QCOMPARE(b.RightTextAlignment(), taCenter);
    QCOMPARE(b.LeftTextAlignment(), taLeftJustify);
    QCOMPARE(b.OverflowIndicator(), QString("##"));
    QCOMPARE(b.Value(), 7.25);
    QCOMPARE(b.StateText(), QString("off"));
    QCOMPARE(b.Transparent(), true);
    QCOMPARE(b.ColorLabBakG(), TColor(0x010203));
    QCOMPARE(b.ColorLabText(), TColor(0x040506));
    QCOMPARE(b.ColorOutBakG(), TColor(0x070809));
    QCOMPARE(b.ColorOutText(), TColor(0x0A0B0C));
    QCOMPARE(b.ColorScheme(), csSystem);
    QCOMPARE(b.ColGrayLine(), clBtnShadow);
    QCOMPARE(b.DisplayType(), dtHex);
    // Not copied:
    QCOMPARE(b.Comma(), false);
    QCOMPARE(b.ForcePlusSign(), false);
    QCOMPARE(b.DTFormat(), QString("mmm-dd, yyyy"));

    // AssignTo hands the label to a destination of the same class.
    TNumLab c(&host);
    a.AssignTo(&c);
    QCOMPARE(c.Value(), 7.25);
}

void TstNumLab::assignRefusesOtherClasses()
{
    QWidget host;
    TNumLab lab(&host);
    QObject other;
    QVERIFY_THROWS_EXCEPTION(EQORError, lab.Assign(&other));
    QVERIFY_THROWS_EXCEPTION(EQORError, lab.AssignTo(&other));
}

void TstNumLab::mouseMoveSetsAreaCode()
{
    QWidget host;
    TNumLab lab(&host);
    QList<int> seen;
    lab.OnMouseMove = [&](TObject* sender, TShiftState, int x, int) {
        QCOMPARE(sender, &lab);
        seen << x;
    };
    lab.MouseMove({}, 100, 5);
    QCOMPARE(lab.MouseAreaCode(), 1);
    lab.MouseMove({}, 150, 5);
    QCOMPARE(lab.MouseAreaCode(), 2);
    lab.MouseMove({}, 3, 5);
    QCOMPARE(lab.MouseAreaCode(), 0);
    QCOMPARE(seen, (QList<int>{100, 150, 3}));

    // Through a real mouse event as well.
    host.resize(200, 40);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QTest::mouseMove(&lab, QPoint(120, 10));
    QTRY_COMPARE(lab.MouseAreaCode(), 2);
}

void TstNumLab::paintBackgroundAndFrame()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorOutBakG(0x00FF00);
    lab.SetColorLabBakG(0xFF0000);
    lab.SetEmpty(true);
    QImage img = rendered(lab);
    QCOMPARE(img.size(), QSize(160, 28));
    QCOMPARE(px(img, 2, 2), TColor(0x00FF00));
    QCOMPARE(px(img, 159, 27), TColor(0x00FF00));
    QCOMPARE(px(img, 35, 10), TColor(0x00FF00)); // the column before the box
    // Lowered frame on (36, 0)-(115, 26): shadow at top and left, highlight at bottom and right.
    QCOMPARE(px(img, 36, 10), TColor(0x808080));
    QCOMPARE(px(img, 70, 0), TColor(0x808080));
    QCOMPARE(px(img, 115, 10), TColor(0xFFFFFF));
    QCOMPARE(px(img, 70, 26), TColor(0xFFFFFF));
    QCOMPARE(px(img, 70, 27), TColor(0x00FF00)); // the bottom row stays outside
    QCOMPARE(px(img, 116, 10), TColor(0x00FF00));
    QCOMPARE(px(img, 70, 13), TColor(0xFF0000)); // box interior

    lab.SetFrameStyle(fsNone);
    img = rendered(lab);
    QCOMPARE(px(img, 36, 10), TColor(0xFF0000));
    QCOMPARE(px(img, 115, 10), TColor(0xFF0000));
    QCOMPARE(px(img, 70, 0), TColor(0xFF0000));
}

void TstNumLab::emptyShowsNoValue()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorLabText(0x0000FF);
    lab.SetValue(88.88);
    const TRect clip = TNumLabGeometry::ValueClip(35, 80, 28);
    QVERIFY(countColor(rendered(lab), clip, 0x0000FF) > 0);
    lab.SetEmpty(true);
    QCOMPARE(countColor(rendered(lab), clip, 0x0000FF), 0);
    QVERIFY(lab.ShownText().isEmpty());
}

void TstNumLab::valueDrawnInsideTheBox_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::newRow("left") << taLeftJustify;
    QTest::newRow("right") << taRightJustify;
    QTest::newRow("center") << taCenter;
}

void TstNumLab::valueDrawnInsideTheBox()
{
    QFETCH(TAlignment, align);
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorLabText(0x0000FF);
    lab.SetAlignment(align);
    lab.SetValue(12.5);
    const QImage img = rendered(lab);
    QCOMPARE(lab.ShownText(), QString("12.50"));
    const auto span = columnSpan(img, TRect(0, 0, 160, 28), 0x0000FF);
    QVERIFY(span.first >= 0);
    const int tw = lab.Canvas()->TextWidth("12.50");
    const int x = TNumLabGeometry::ValueX(align, 35, 80, tw);
    // Glyph ink lies within the advance of the text placed at x, and inside the clip.
    QVERIFY2(span.first >= x && span.first <= x + 3, qPrintable(QString("ink from %1, text at %2").arg(span.first).arg(x)));
    QVERIFY(span.second < x + tw);
    QVERIFY(span.first >= 38 && span.second < 114);
}

void TstNumLab::overflowShowsIndicator()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetLabelWidth(40);
    lab.SetValue(123456789.0);
    rendered(lab);
    QCOMPARE(lab.ShownText(), QString("*********"));
    lab.SetValue(1.0);
    rendered(lab);
    QCOMPARE(lab.ShownText(), QString("1.00"));
    // Values no integer can hold show the indicator instead of failing.
    lab.SetDisplayType(dtInt);
    lab.SetValue(1e300);
    rendered(lab);
    QCOMPARE(lab.ShownText(), QString("*********"));
    lab.SetValue(std::numeric_limits<double>::quiet_NaN());
    rendered(lab);
    QCOMPARE(lab.ShownText(), QString("*********"));
}

void TstNumLab::stateIsNeverReplaced()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetLabelWidth(30);
    lab.SetDisplayType(dtState);
    lab.SetStateText("a rather long state text");
    rendered(lab);
    QCOMPARE(lab.ShownText(), QString("a rather long state text"));
}

void TstNumLab::beforeDisplayCanRewrite()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorLabText(0x0000FF);
    lab.SetValue(5.0);
    QStringList seen;
    lab.OnBeforeDisplay = [&](TObject* sender, QString& text) {
        QCOMPARE(sender, &lab);
        seen << text;
        text = "A" + text;
    };
    rendered(lab);
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.last(), QString("5.00"));
    QCOMPARE(lab.ShownText(), QString("A5.00"));

    lab.OnBeforeDisplay = [](TObject*, QString& text) { text.clear(); };
    const QImage img = rendered(lab);
    QCOMPARE(lab.ShownText(), QString());
    QCOMPARE(countColor(img, TNumLabGeometry::ValueClip(35, 80, 28), 0x0000FF), 0);
}

void TstNumLab::disabledTextsAreEngraved()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorOutBakG(0x00FF00);
    lab.SetColorOutText(0x0000FF);
    lab.SetColorLabText(0x0000FF);
    lab.SetLeftText("Wg");
    lab.SetRightText("Wg");
    lab.SetValue(3.0);
    QImage img = rendered(lab);
    const TRect leftArea(0, 0, 35, 28), rightArea(116, 0, 160, 28);
    QVERIFY(countColor(img, leftArea, 0x0000FF) > 0);
    QVERIFY(countColor(img, rightArea, 0x0000FF) > 0);
    QCOMPARE(countColor(img, leftArea, 0x808080), 0);

    lab.SetEnabled(false);
    QCOMPARE(lab.Enabled(), false);
    img = rendered(lab);
    QCOMPARE(countColor(img, leftArea, 0x0000FF), 0);
    QVERIFY(countColor(img, leftArea, 0x808080) > 0);
    QVERIFY(countColor(img, leftArea, 0xFFFFFF) > 0);
    QVERIFY(countColor(img, rightArea, 0x808080) > 0);
    QVERIFY(countColor(img, rightArea, 0xFFFFFF) > 0);
    // The value takes the shadow colour.
    const TColor shadow = lab.ResolveColor(clBtnShadow);
    QVERIFY(countColor(img, TNumLabGeometry::ValueClip(35, 80, 28), shadow) > 0);
    // The white copy sits one pixel right and down of the grey one.
    const auto grey = columnSpan(img, leftArea, 0x808080);
    const auto white = columnSpan(img, leftArea, 0xFFFFFF);
    QCOMPARE(white.second, grey.second + 1);
}

void TstNumLab::hiddenLabelDoesNotPaint()
{
    QWidget host;
    TNumLab lab(&host);
    lab.SetColorOutBakG(0x00FF00);
    rendered(lab);
    lab.hide();
    lab.SetValue(42.0);
    lab.SetColorOutBakG(0x0000FF);
    lab.Canvas()->Flush();
    QCOMPARE(px(*lab.Canvas()->Target(), 2, 2), TColor(0x00FF00));
    lab.SetDesigning(true);
    lab.Paint();
    lab.Canvas()->Flush();
    QCOMPARE(px(*lab.Canvas()->Target(), 2, 2), TColor(0x0000FF));
}

void TstNumLab::styledColours()
{
    QWidget host;
    TNumLab lab(&host);
    QPalette pal = lab.palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    pal.setColor(QPalette::Base, QColor(0x40, 0x50, 0x60));
    pal.setColor(QPalette::Active, QPalette::WindowText, QColor(0x70, 0x80, 0x90));
    lab.setPalette(pal);
    lab.SetColorOutBakG(0x00FF00);
    lab.SetColorLabBakG(0xFF0000);
    lab.SetColorLabText(0x0000FF);
    lab.SetValue(8.0);

    SetStyleServicesEnabled(true);
    QImage img = rendered(lab);
    QCOMPARE(px(img, 2, 2), RGB(0x10, 0x20, 0x30));
    QCOMPARE(px(img, 70, 3), RGB(0x40, 0x50, 0x60));
    QVERIFY(countColor(img, TNumLabGeometry::ValueClip(35, 80, 28), RGB(0x70, 0x80, 0x90)) > 0);

    // Without the client and font elements the label keeps its own colours.
    lab.SetStyleElements(TStyleElements{seBorder});
    img = rendered(lab);
    SetStyleServicesEnabled(false);
    QCOMPARE(px(img, 2, 2), TColor(0x00FF00));
    QCOMPARE(px(img, 70, 3), TColor(0xFF0000));
    QVERIFY(countColor(img, TNumLabGeometry::ValueClip(35, 80, 28), 0x0000FF) > 0);
}

QTEST_MAIN(TstNumLab)
#include "tst_numlab.moc"

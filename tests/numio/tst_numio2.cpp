// The spin numeric field: conversions, properties, keyboard, mouse, caret timer and pixels.
#include "foundation/QOR_Testing.h"
#include "numio/QOR_NumIO2.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <memory>

namespace numio2test {

/// A shown field with a pinned font, so pixel positions do not depend on the machine.
inline std::unique_ptr<qor::TNumIO2> MakeField(const QString& name = QStringLiteral("Field1"))
{
    auto f = std::make_unique<qor::TNumIO2>();
    f->SetName(name);
    f->Font()->SetName(QStringLiteral("DejaVu Sans"));
    f->Font()->SetSize(9);
    f->setAttribute(Qt::WA_DontShowOnScreen, true);
    f->show();
    return f;
}

inline qor::TColor Px(qor::TNumIO2* f, int x, int y)
{
    f->Canvas()->Flush();
    return f->Canvas()->Pixels(x, y);
}

} // namespace numio2test

using namespace qor;
using numio2test::MakeField;

Q_DECLARE_METATYPE(qor::TInFormat)
Q_DECLARE_METATYPE(qor::TDecPSep)
Q_DECLARE_METATYPE(qor::TAlignment)

class TestNumIO2 : public QObject {
    Q_OBJECT

private slots:
    void init() { testing::SetTimerStartsFail(false); }

    // --- plain functions ---
    void formatValue_data();
    void formatValue();
    void parseValue_data();
    void parseValue();
    void checkValidity_data();
    void checkValidity();
    void xToCharPos_data();
    void xToCharPos();
    void spinStep_data();
    void spinStep();
    void gaugeValueAndFill();

    // --- properties ---
    void defaults();
    void formatSwitch_data();
    void formatSwitch();
    void fixPointDecPlaces_data();
    void fixPointDecPlaces();
    void rangeSetters_data();
    void rangeSetters();
    void decPlaceSep_data();
    void decPlaceSep();
    void textSetter();
    void clampingSetters();
    void selBeginSelEnd();
    void integerValueOverflow();
    void valueWriteKeepsCaretInText();
    void valueWriteUsesCommaSeparator();
    void assignCopiesModelNotButtons();
    void noTimerAvailable();

    // --- keyboard ---
    void typing_data();
    void typing();
    void shiftPrefixesInDynamic();
    void fixPointCaretSelection();
    void selectionDeletionWritesZero();
    void clipboardKeys();
    void readOnlyKeys();
    void onChangeOnlyForUserChanges();

    // --- mouse ---
    void spinButtons_data();
    void spinButtons();
    void spinButtonsWithoutPivots();
    void readOnlyIgnoresButtonsAndGauge();
    void gaugeClickAndDrag();
    void gaugeSnapsToPivots();
    void mouseAreaCode();
    void textClickAndDragSelects();

    // --- caret timer ---
    void caretTimer();
};

// ---------------------------------------------------------------------------------------

void TestNumIO2::formatValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<int>("sig");
    QTest::addColumn<int>("dec");
    QTest::addColumn<QString>("expected");
    QTest::newRow("float 2") << 1.5 << itFloat << 6 << 2 << "1.50";
    QTest::newRow("float neg") << -1.5 << itFloat << 6 << 2 << "-1.50";
    QTest::newRow("fixpoint 3") << 2.25 << itFixPoint << 6 << 3 << "2.250";
    QTest::newRow("exp 6 sig") << 1234.5 << itExp << 6 << 2 << " 1.23450E+03";
    QTest::newRow("int rounds") << 41.7 << itInt << 6 << 2 << "42";
    QTest::newRow("int neg") << -3.2 << itInt << 6 << 2 << "-3";
    QTest::newRow("dynamic int") << 41.7 << itDynamic << 6 << 2 << "42";
    QTest::newRow("hex 255") << 255.0 << itHex << 6 << 2 << "000000FF";
    QTest::newRow("hex -1") << -1.0 << itHex << 6 << 2 << "FFFFFFFF";
    QTest::newRow("oct 8") << 8.0 << itOct << 6 << 2 << "00000000010";
    QTest::newRow("bin 5") << 5.0 << itBin << 6 << 2 << QString(29, '0') + "101";
    QTest::newRow("int huge saturates") << 1e300 << itInt << 6 << 2 << "9223372036854775807";
}

void TestNumIO2::formatValue()
{
    QFETCH(double, value);
    QFETCH(TInFormat, format);
    QFETCH(int, sig);
    QFETCH(int, dec);
    QFETCH(QString, expected);
    QCOMPARE(NumIO2FormatValue(value, format, sig, dec), expected);
}

void TestNumIO2::parseValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<double>("expected");
    QTest::newRow("float point") << "1.5" << itFloat << 1.5;
    QTest::newRow("float comma") << "1,5" << itFloat << 1.5;
    QTest::newRow("float exponent") << "2E3" << itFixPoint << 2000.0;
    QTest::newRow("float empty") << "" << itFloat << 0.0;
    QTest::newRow("exp blank") << " 1.23450E+03" << itExp << 1234.5;
    QTest::newRow("int") << "+7" << itInt << 7.0;
    QTest::newRow("int lone sign") << "-" << itInt << 0.0;
    QTest::newRow("int overflow") << "99999999999" << itInt << 2147483647.0;
    QTest::newRow("int negative overflow") << "-99999999999" << itInt << -2147483648.0;
    QTest::newRow("hex") << "000000FF" << itHex << 255.0;
    QTest::newRow("hex all ones") << "FFFFFFFF" << itHex << -1.0;
    QTest::newRow("hex lower") << "ff" << itHex << 255.0;
    QTest::newRow("oct") << "00000000010" << itOct << 8.0;
    QTest::newRow("bin") << QString(29, '0') + "101" << itBin << 5.0;
    QTest::newRow("bin wraps") << "1" + QString(32, '0') << itBin << 0.0;
    QTest::newRow("dyn hex") << "$1F" << itDynamic << 31.0;
    QTest::newRow("dyn bin") << "%101" << itDynamic << 5.0;
    QTest::newRow("dyn oct") << "&17" << itDynamic << 15.0;
    QTest::newRow("dyn decimal exp") << "1.5E2" << itDynamic << 150.0;
    QTest::newRow("dyn empty") << "" << itDynamic << 0.0;
}

void TestNumIO2::parseValue()
{
    QFETCH(QString, text);
    QFETCH(TInFormat, format);
    QFETCH(double, expected);
    QCOMPARE(NumIO2ParseValue(text, format), expected);
}

void TestNumIO2::checkValidity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<int>("dec");
    QTest::addColumn<TDecPSep>("sep");
    QTest::addColumn<bool>("valid");
    QTest::newRow("float ok") << "12.5" << itFloat << 2 << dsBoth << true;
    QTest::newRow("float letter") << "12A" << itFloat << 2 << dsBoth << false;
    QTest::newRow("exp partial") << "1.5E-" << itExp << 2 << dsBoth << true;
    QTest::newRow("fix right places") << "1.50" << itFixPoint << 2 << dsBoth << true;
    QTest::newRow("fix three places") << "1.500" << itFixPoint << 2 << dsBoth << false;
    QTest::newRow("fix no point") << "150" << itFixPoint << 2 << dsBoth << false;
    QTest::newRow("fix comma in both") << "1,50" << itFixPoint << 2 << dsBoth << true;
    QTest::newRow("fix comma mode") << "1,50" << itFixPoint << 2 << dsComma << true;
    QTest::newRow("fix point in comma mode") << "1.50" << itFixPoint << 2 << dsComma << false;
    QTest::newRow("int") << "-12" << itInt << 2 << dsBoth << true;
    QTest::newRow("hex") << "1aF" << itHex << 2 << dsBoth << true;
    QTest::newRow("oct 8") << "18" << itOct << 2 << dsBoth << false;
    QTest::newRow("bin 2") << "102" << itBin << 2 << dsBoth << false;
    QTest::newRow("dyn prefix alone") << "$" << itDynamic << 2 << dsBoth << false;
    QTest::newRow("dyn hex") << "$FF" << itDynamic << 2 << dsBoth << true;
    QTest::newRow("dyn bin bad") << "%12" << itDynamic << 2 << dsBoth << false;
    QTest::newRow("dyn oct") << "&17" << itDynamic << 2 << dsBoth << true;
    QTest::newRow("dyn float") << "-1.5" << itDynamic << 2 << dsBoth << true;
    QTest::newRow("dyn no exponent") << "1E5" << itDynamic << 2 << dsBoth << false;
    QTest::newRow("dyn empty") << "" << itDynamic << 2 << dsBoth << false;
}

void TestNumIO2::checkValidity()
{
    QFETCH(QString, text);
    QFETCH(TInFormat, format);
    QFETCH(int, dec);
    QFETCH(TDecPSep, sep);
    QFETCH(bool, valid);
    QCOMPARE(NumIO2CheckValidity(text, format, dec, sep), valid);
}

void TestNumIO2::xToCharPos_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    // Left: text starts at 35 + 4; characters 10 px wide on average.
    QTest::newRow("left, first half of char 0") << taLeftJustify << 40 << 4 << 35 + 3 + 4 << 0;
    QTest::newRow("left, second half of char 0") << taLeftJustify << 40 << 4 << 35 + 3 + 5 << 1;
    QTest::newRow("left, first half of char 2") << taLeftJustify << 40 << 4 << 35 + 3 + 24 << 2;
    QTest::newRow("left, second half of char 2") << taLeftJustify << 40 << 4 << 35 + 3 + 25 << 3;
    QTest::newRow("left, before the box") << taLeftJustify << 40 << 4 << 0 << 0;
    QTest::newRow("left, far right") << taLeftJustify << 40 << 4 << 500 << 4;
    QTest::newRow("right, end") << taRightJustify << 40 << 4 << 35 + 80 - 3 << 4;
    QTest::newRow("right, start") << taRightJustify << 40 << 4 << 35 + 80 - 40 - 3 << 0;
    QTest::newRow("centre, start") << taCenter << 40 << 4 << 35 + 20 + 1 << 0;
    QTest::newRow("centre, middle") << taCenter << 40 << 4 << 35 + 20 + 1 + 20 << 2;
    QTest::newRow("never past the end") << taLeftJustify << 11 << 3 << 35 + 3 + 11 << 3;
    QTest::newRow("empty") << taLeftJustify << 0 << 0 << 60 << 0;
}

void TestNumIO2::xToCharPos()
{
    QFETCH(TAlignment, align);
    QFETCH(int, textWidth);
    QFETCH(int, length);
    QFETCH(int, x);
    QFETCH(int, expected);
    QCOMPARE(NumIO2XToCharPos(align, 35, 80, textWidth, length, x), expected);
}

void TestNumIO2::spinStep_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QList<double>>("pivots");
    QTest::addColumn<double>("expected");
    const QList<double> p = {0, 1, 2, 5};
    QTest::newRow("between, up") << 1.3 << true << p << 2.0;
    QTest::newRow("between, down") << 1.3 << false << p << 1.0;
    QTest::newRow("on pivot, up") << 2.0 << true << p << 5.0;
    QTest::newRow("on pivot, down") << 2.0 << false << p << 1.0;
    QTest::newRow("last, up stays") << 5.0 << true << p << 5.0;
    QTest::newRow("first, down stays") << 0.0 << false << p << 0.0;
    QTest::newRow("below first, up") << -3.0 << true << p << 0.0;
    QTest::newRow("within eps, up") << 1.995 << true << p << 5.0;
    QTest::newRow("no pivots, up") << 3.0 << true << QList<double>() << 4.0;
    QTest::newRow("no pivots, clamp high") << 999.5 << true << QList<double>() << 1000.0;
    QTest::newRow("no pivots, clamp low") << 0.5 << false << QList<double>() << 0.0;
}

void TestNumIO2::spinStep()
{
    QFETCH(double, value);
    QFETCH(bool, up);
    QFETCH(QList<double>, pivots);
    QFETCH(double, expected);
    const std::vector<double> pv(pivots.begin(), pivots.end());
    QCOMPARE(NumIO2SpinStep(value, up, 1.0, 0.0, 1000.0, pv, 2), expected);
}

void TestNumIO2::gaugeValueAndFill()
{
    QCOMPARE(NumIO2GaugeValueAt(35, 35, 82, 0, 1000, {}), 0.0);
    QCOMPARE(NumIO2GaugeValueAt(35 + 41, 35, 82, 0, 1000, {}), 500.0);
    QCOMPARE(NumIO2GaugeValueAt(34, 35, 82, 0, 1000, {}), 0.0);        // clamped low
    QCOMPARE(NumIO2GaugeValueAt(35 + 83, 35, 82, 0, 1000, {}), 1000.0); // clamped high
    QCOMPARE(NumIO2GaugeValueAt(35 + 30, 35, 82, 0, 1000, {0, 100, 400, 2000}), 400.0);
    QCOMPARE(NumIO2GaugeValueAt(35 + 80, 35, 82, 0, 1000, {0, 100, 400, 1500}), 1000.0); // pivot beyond range clamps
    QCOMPARE(NumIO2GaugeFill(82, 500, 0, 1000), 41);
    QCOMPARE(NumIO2GaugeFill(82, 5, 5, 5), 82);     // equal bounds: full
    QCOMPARE(NumIO2GaugeFill(82, -10, 0, 1000), 0);
    QCOMPARE(NumIO2GaugeFill(82, 5000, 0, 1000), 82);
}

// ---------------------------------------------------------------------------------------

void TestNumIO2::defaults()
{
    auto f = MakeField();
    QCOMPARE(f->Width(), 160);
    QCOMPARE(f->Height(), 28);
    QCOMPARE(f->Alignment(), taCenter);
    QCOMPARE(f->ButHeight(), 28);
    QCOMPARE(f->ButWidth(), 18);
    QCOMPARE(f->ButSpace(), 3);
    QCOMPARE(f->ButColor(), TColor(0xC0C0C0));
    QCOMPARE(f->ColorWarnBG(), TColor(0x6088FFF0));
    QCOMPARE(f->ColorWarnText(), TColor(0x0000FF));
    QCOMPARE(f->ColorOutBG(), clBtnFace);
    QCOMPARE(f->DecPlaceSep(), dsBoth);
    QCOMPARE(f->InputFormat(), itFloat);
    QCOMPARE(f->FixPointDecPlaces(), 2);
    QCOMPARE(f->SignificantDigits(), 6);
    QCOMPARE(f->LeftSpace(), 35);
    QCOMPARE(f->TextBoxWidth(), 80);
    QCOMPARE(f->GaugeHeight(), 8);
    QCOMPARE(f->GaugeLeftMargin(), 35);
    QCOMPARE(f->GaugeTopMargin(), 3);
    QCOMPARE(f->GaugeWidth(), 82);
    QCOMPARE(f->FrameStyle(), fsLowered);
    QCOMPARE(f->LeftTextAlignment(), taRightJustify);
    QCOMPARE(f->RightTextAlignment(), taLeftJustify);
    QCOMPARE(f->RangeLow(), 0.0);
    QCOMPARE(f->RangeHigh(), 1000.0);
    QVERIFY(f->HideSelection());
    QVERIFY(!f->TabStop());
    QCOMPARE(f->Text(), QString());
    QCOMPARE(f->Value(), 0.0);
    QVERIFY(f->CaretTimer()->Active());
    QCOMPARE(f->CaretTimer()->Interval(), 500);
}

void TestNumIO2::formatSwitch_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<TInFormat>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("readBack");
    QTest::newRow("hex") << 255.0 << itHex << "000000FF" << 255.0;
    QTest::newRow("bin 32 digits") << 5.0 << itBin << QString(29, '0') + "101" << 5.0;
    QTest::newRow("oct 11 digits") << 8.0 << itOct << "00000000010" << 8.0;
    QTest::newRow("hex negative") << -1.0 << itHex << "FFFFFFFF" << -1.0;
    QTest::newRow("exp") << 1234.5 << itExp << " 1.23450E+03" << 1234.5;
    QTest::newRow("int") << 41.7 << itInt << "42" << 42.0;
    QTest::newRow("dynamic") << 41.7 << itDynamic << "42" << 42.0;
    QTest::newRow("fixpoint") << 3.14159 << itFixPoint << "3.14" << 3.14;
}

void TestNumIO2::formatSwitch()
{
    QFETCH(double, value);
    QFETCH(TInFormat, to);
    QFETCH(QString, text);
    QFETCH(double, readBack);
    auto f = MakeField();
    f->SetValue(value);
    f->SetInputFormat(to);
    QCOMPARE(f->Text(), text);
    QCOMPARE(f->Value(), readBack);
    // and back to float keeps the number
    f->SetInputFormat(itFloat);
    QCOMPARE(f->Value(), std::round(readBack * 100) / 100);
}

void TestNumIO2::fixPointDecPlaces_data()
{
    QTest::addColumn<int>("places");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("3") << 3 << 3 << "1.500";
    QTest::newRow("0 ignored") << 0 << 2 << "1.50";
    QTest::newRow("negative ignored") << -4 << 2 << "1.50";
    QTest::newRow("20 capped") << 20 << 15 << "1.500000000000000";
    QTest::newRow("1") << 1 << 1 << "1.5";
}

void TestNumIO2::fixPointDecPlaces()
{
    QFETCH(int, places);
    QFETCH(int, stored);
    QFETCH(QString, text);
    auto f = MakeField();
    f->SetValue(1.5);
    QCOMPARE(f->Text(), QString("1.50"));
    f->SetFixPointDecPlaces(places);
    QCOMPARE(f->FixPointDecPlaces(), stored);
    QCOMPARE(f->Text(), text);

    // SignificantDigits follows the same rules in the exponent format.
    f->SetInputFormat(itExp);
    f->SetSignificantDigits(3);
    QCOMPARE(f->Text(), QString(" 1.50E+00"));
    f->SetSignificantDigits(0);
    QCOMPARE(f->SignificantDigits(), 3);
    f->SetSignificantDigits(40);
    QCOMPARE(f->SignificantDigits(), 15);
}

void TestNumIO2::rangeSetters_data()
{
    QTest::addColumn<bool>("setLow");
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("low above high drags high") << true << 2000.0 << 2000.0 << 2000.0;
    QTest::newRow("low inside") << true << 10.0 << 10.0 << 1000.0;
    QTest::newRow("high below low drags low") << false << -5.0 << -5.0 << -5.0;
    QTest::newRow("high inside") << false << 50.0 << 0.0 << 50.0;
}

void TestNumIO2::rangeSetters()
{
    QFETCH(bool, setLow);
    QFETCH(double, v);
    QFETCH(double, low);
    QFETCH(double, high);
    auto f = MakeField();
    if (setLow)
        f->SetRangeLow(v);
    else
        f->SetRangeHigh(v);
    QCOMPARE(f->RangeLow(), low);
    QCOMPARE(f->RangeHigh(), high);
    f->SetValue(low - 1);
    QVERIFY(f->OutOfRange());
    f->SetValue(high);
    QVERIFY(!f->OutOfRange());
}

void TestNumIO2::decPlaceSep_data()
{
    QTest::addColumn<TDecPSep>("from");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TDecPSep>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("point to comma") << dsPoint << "1.5" << dsComma << "1,5";
    QTest::newRow("both to point") << dsBoth << "1,5" << dsPoint << "1.5";
    QTest::newRow("both to comma") << dsBoth << "1.5" << dsComma << "1,5";
    QTest::newRow("comma to point") << dsComma << "1,5" << dsPoint << "1.5";
    QTest::newRow("point to both keeps") << dsPoint << "1.5" << dsBoth << "1.5";
    QTest::newRow("comma to both keeps") << dsComma << "1,5" << dsBoth << "1,5";
}

void TestNumIO2::decPlaceSep()
{
    QFETCH(TDecPSep, from);
    QFETCH(QString, text);
    QFETCH(TDecPSep, to);
    QFETCH(QString, expected);
    auto f = MakeField();
    f->SetDecPlaceSep(from);
    f->SetText(text);
    QCOMPARE(f->Text(), text);
    f->SetDecPlaceSep(to);
    QCOMPARE(f->DecPlaceSep(), to);
    QCOMPARE(f->Text(), expected);
    QCOMPARE(f->Value(), 1.5);
}

void TestNumIO2::textSetter()
{
    auto f = MakeField();
    f->SetText("12.5");
    QCOMPARE(f->Text(), QString("12.5"));
    f->SetSelEnd(3);
    f->SetText("abc");
    QCOMPARE(f->Text(), QString("12.5")); // ignored silently
    QCOMPARE(f->SelEnd(), 3);
    f->SetText("");
    QCOMPARE(f->Text(), QString());
    QCOMPARE(f->CaretPos(), 0);
    QCOMPARE(f->SelBegin(), 0);
    QCOMPARE(f->SelEnd(), 0);
    QCOMPARE(f->Value(), 0.0);
}

void TestNumIO2::clampingSetters()
{
    auto f = MakeField();
    f->SetButWidth(3);
    QCOMPARE(f->ButWidth(), 8);
    f->SetButWidth(99);
    QCOMPARE(f->ButWidth(), 50);
    f->SetButSpace(-2);
    QCOMPARE(f->ButSpace(), 0);
    f->SetButSpace(70);
    QCOMPARE(f->ButSpace(), 50);
    f->SetButHeight(5);
    QCOMPARE(f->ButHeight(), 18);
    f->SetButHeight(100);
    QCOMPARE(f->ButHeight(), 28);
    f->SetHeight(10);
    QCOMPARE(f->Height(), 18);
    f->SetHeight(40);
    f->SetButHeight(40);
    f->SetHeight(24);
    QCOMPARE(f->ButHeight(), 24); // buttons shrink with the control
    f->SetGaugeHeight(100);
    QCOMPARE(f->GaugeHeight(), 24 - 3 - 18);
    f->SetGaugeHeight(1);
    QCOMPARE(f->GaugeHeight(), 3);
    f->SetGaugeWidth(5);
    QCOMPARE(f->GaugeWidth(), 10);
    f->SetGaugeWidth(500);
    QCOMPARE(f->GaugeWidth(), 160 - 35);
    f->SetGaugeLeftMargin(400);
    QCOMPARE(f->GaugeLeftMargin(), 160 - 125);
    f->SetGaugeLeftMargin(-3);
    QCOMPARE(f->GaugeLeftMargin(), 0);
    f->SetGaugeTopMargin(50);
    QCOMPARE(f->GaugeTopMargin(), 24 - 3 - 18);
    f->SetLeftSpace(-1);
    QCOMPARE(f->LeftSpace(), 35);
    f->SetLeftSpace(1000);
    QCOMPARE(f->LeftSpace(), 160);
}

void TestNumIO2::selBeginSelEnd()
{
    auto f = MakeField();
    f->SetText("123.45");
    f->SetSelEnd(4);
    QCOMPARE(f->SelBegin(), 0);
    QCOMPARE(f->SelEnd(), 4);
    QCOMPARE(f->CaretPos(), 4);
    f->SetSelBegin(2);
    QCOMPARE(f->SelBegin(), 2);
    QCOMPARE(f->SelEnd(), 4);
    QCOMPARE(f->CaretPos(), 2);
    f->SetSelBegin(5); // end follows up
    QCOMPARE(f->SelEnd(), 5);
    f->SetSelEnd(1); // begin follows down
    QCOMPARE(f->SelBegin(), 1);
    QCOMPARE(f->SelEnd(), 1);
    f->SetSelEnd(99);
    QCOMPARE(f->SelEnd(), 6);
    f->SetSelBegin(-4);
    QCOMPARE(f->SelBegin(), 0);
}

void TestNumIO2::integerValueOverflow()
{
    auto f = MakeField("Speed");
    f->SetValue(41.7);
    QCOMPARE(f->IntegerValue(), 42);
    f->SetValue(-2147483648.0);
    QCOMPARE(f->IntegerValue(), int(-2147483647 - 1));
    f->SetValue(3.5e9);
    try {
        (void)f->IntegerValue();
        QFAIL("no exception");
    } catch (const EQORNumIO2Error& e) {
        QCOMPARE(e.Message(), QString("Component \"Speed\": integer overflow"));
    }
    f->SetValue(-3.5e9);
    QVERIFY_THROWS_EXCEPTION(EQORNumIO2Error, f->IntegerValue());
}

void TestNumIO2::valueWriteKeepsCaretInText()
{
    auto f = MakeField();
    f->SetText("123456.5");
    QTest::keyClick(f.get(), Qt::Key_End);
    QCOMPARE(f->CaretPos(), 8);
    f->SetValue(1);
    QCOMPARE(f->Text(), QString("1.00"));
    QCOMPARE(f->CaretPos(), 4);
    QTest::keyClick(f.get(), Qt::Key_Backspace);
    QCOMPARE(f->Text(), QString("1.0"));
}

void TestNumIO2::valueWriteUsesCommaSeparator()
{
    auto f = MakeField();
    f->SetDecPlaceSep(dsComma);
    f->SetValue(1.5);
    QCOMPARE(f->Text(), QString("1,50"));
    QCOMPARE(f->Value(), 1.5);
    QTest::keyClick(f.get(), Qt::Key_End);
    QTest::keyClick(f.get(), Qt::Key_7);
    QCOMPARE(f->Text(), QString("1,507")); // still editable
    f->SetInputFormat(itFixPoint);
    QCOMPARE(f->Text(), QString("1,51"));
    QVERIFY(f->CheckValidity(f->Text()));
}

void TestNumIO2::assignCopiesModelNotButtons()
{
    auto a = MakeField("A");
    auto b = MakeField("B");
    a->SetInputFormat(itInt);
    a->SetValue(77);
    a->SetLeftText("L");
    a->SetRangeLow(-5);
    a->SetRangeHigh(80);
    a->SetButVisible(true);
    a->SetGaugeVisible(true);
    a->SetReadOnly(true);
    a->ButtonPivots = {1, 2};
    int fired = 0;
    a->OnChange = [&](TObject*) { ++fired; };
    b->Assign(a.get());
    QCOMPARE(b->InputFormat(), itInt);
    QCOMPARE(b->Text(), QString("77"));
    QCOMPARE(b->LeftText(), QString("L"));
    QCOMPARE(b->RangeLow(), -5.0);
    QCOMPARE(b->RangeHigh(), 80.0);
    QVERIFY(b->ReadOnly());
    QVERIFY(!b->ButVisible());
    QVERIFY(!b->GaugeVisible());
    QVERIFY(b->ButtonPivots.empty());
    QVERIFY(!b->OnChange);
    QCOMPARE(b->Name(), QString("B"));
    QVERIFY(b->CaretTimer() != a->CaretTimer());
    QCOMPARE(fired, 0);

    // AssignTo copies into a field of the same class.
    auto c = MakeField("C");
    a->AssignTo(c.get());
    QCOMPARE(c->Text(), QString("77"));
    QObject plain;
    QVERIFY_THROWS_EXCEPTION(EQORError, a->AssignTo(&plain));
    QVERIFY_THROWS_EXCEPTION(EQORError, b->Assign(&plain));
}

void TestNumIO2::noTimerAvailable()
{
    auto f = MakeField("Blinker");
    f->SetReadOnly(true);
    QVERIFY(!f->CaretTimer()->Active());
    QVERIFY(!f->CaretVisible());
    testing::SetTimerStartsFail(true);
    try {
        f->SetReadOnly(false);
        testing::SetTimerStartsFail(false);
        QFAIL("no exception");
    } catch (const EQORNumIO2Error& e) {
        testing::SetTimerStartsFail(false);
        QCOMPARE(e.Message(), QString("Component \"Blinker\": no timer available"));
    }
    testing::SetTimerStartsFail(true);
    QVERIFY_THROWS_EXCEPTION(EQORNumIO2Error, TNumIO2 g);
    testing::SetTimerStartsFail(false);
}

// ---------------------------------------------------------------------------------------

struct KeyStroke {
    int key;
    Qt::KeyboardModifiers mods;
};
Q_DECLARE_METATYPE(QList<KeyStroke>)

static QList<KeyStroke> Keys(std::initializer_list<int> keys, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QList<KeyStroke> l;
    for (int k : keys)
        l << KeyStroke{k, mods};
    return l;
}

void TestNumIO2::typing_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QList<KeyStroke>>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits") << itFloat << "" << Keys({Qt::Key_1, Qt::Key_2}) << "12" << 0;
    QTest::newRow("lone minus admitted") << itFloat << "" << Keys({Qt::Key_Minus}) << "-" << 0;
    QTest::newRow("lone plus admitted") << itFloat << "" << Keys({Qt::Key_Plus}) << "+" << 0;
    QTest::newRow("letter refused in float") << itFloat << "" << Keys({Qt::Key_A}) << "" << 1;
    QTest::newRow("letter G gives nothing") << itHex << "" << Keys({Qt::Key_G}) << "" << 1;
    QTest::newRow("hex letters") << itHex << "" << Keys({Qt::Key_A, Qt::Key_F, Qt::Key_3}) << "AF3" << 0;
    // Digits past 32 bits would wrap into another number than the one shown.
    QTest::newRow("hex ninth digit refused") << itHex << "FFFFFFFF" << Keys({Qt::Key_End, Qt::Key_1}) << "FFFFFFFF" << 1;
    QTest::newRow("hex leading zero admitted") << itHex << "FFFFFFFF" << Keys({Qt::Key_Home, Qt::Key_0}) << "0FFFFFFFF" << 0;
    QTest::newRow("oct past 32 bits refused") << itOct << "37777777777" << Keys({Qt::Key_Home, Qt::Key_1}) << "37777777777" << 1;
    QTest::newRow("bin 33rd digit refused") << itBin << QString(32, QLatin1Char('1')) << Keys({Qt::Key_End, Qt::Key_0})
                                            << QString(32, QLatin1Char('1')) << 1;
    QTest::newRow("dynamic $ ninth digit refused") << itDynamic << "$10000000" << Keys({Qt::Key_End, Qt::Key_0})
                                                   << "$10000000" << 1;
    QTest::newRow("numpad digits") << itFloat << ""
                                   << Keys({Qt::Key_4, Qt::Key_2}, Qt::KeypadModifier) << "42" << 0;
    QTest::newRow("numpad decimal gives comma")
        << itFloat << "" << (Keys({Qt::Key_1}) << KeyStroke{Qt::Key_Period, Qt::KeypadModifier}
                             << KeyStroke{Qt::Key_5, Qt::KeypadModifier}) << "1,5" << 0;
    QTest::newRow("numpad minus")
        << itInt << "" << (QList<KeyStroke>() << KeyStroke{Qt::Key_Minus, Qt::KeypadModifier}
                           << KeyStroke{Qt::Key_7, Qt::NoModifier}) << "-7" << 0;
    QTest::newRow("period") << itFloat << "" << Keys({Qt::Key_3, Qt::Key_Period, Qt::Key_2}) << "3.2" << 0;
    QTest::newRow("comma") << itFloat << "" << Keys({Qt::Key_3, Qt::Key_Comma, Qt::Key_2}) << "3,2" << 0;
    QTest::newRow("second separator refused")
        << itFloat << "" << Keys({Qt::Key_3, Qt::Key_Period, Qt::Key_Period}) << "3." << 1;
    QTest::newRow("octal 8 refused") << itOct << "" << Keys({Qt::Key_7, Qt::Key_8}) << "7" << 1;
    QTest::newRow("binary") << itBin << "" << Keys({Qt::Key_1, Qt::Key_0, Qt::Key_2}) << "10" << 1;
    QTest::newRow("home then insert") << itFloat << "12" << Keys({Qt::Key_Home, Qt::Key_9}) << "912" << 0;
    QTest::newRow("left arrow inserts before last")
        << itFloat << "12" << Keys({Qt::Key_End, Qt::Key_Left, Qt::Key_5}) << "152" << 0;
    QTest::newRow("up arrow moves like left")
        << itFloat << "12" << Keys({Qt::Key_End, Qt::Key_Up, Qt::Key_5}) << "152" << 0;
    QTest::newRow("down arrow moves like right")
        << itFloat << "12" << Keys({Qt::Key_Home, Qt::Key_Down, Qt::Key_5}) << "152" << 0;
    QTest::newRow("backspace") << itFloat << "123" << Keys({Qt::Key_End, Qt::Key_Backspace}) << "12" << 0;
    QTest::newRow("backspace at start") << itFloat << "123" << Keys({Qt::Key_Backspace}) << "123" << 0;
    QTest::newRow("delete") << itFloat << "123" << Keys({Qt::Key_Delete}) << "23" << 0;
    QTest::newRow("delete at end") << itFloat << "123" << Keys({Qt::Key_End, Qt::Key_Delete}) << "123" << 0;
    QTest::newRow("delete making text invalid is undone")
        << itExp << "1E5" << Keys({Qt::Key_Delete}) << "1E5" << 1;
    QTest::newRow("exponent typed") << itExp << "" << Keys({Qt::Key_2, Qt::Key_E, Qt::Key_Minus, Qt::Key_3})
                                    << "2E-3" << 0;
    QTest::newRow("other key beeps") << itFloat << "1" << Keys({Qt::Key_F5}) << "1" << 1;
}

void TestNumIO2::typing()
{
    QFETCH(TInFormat, format);
    QFETCH(QString, start);
    QFETCH(QList<KeyStroke>, keys);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    auto f = MakeField();
    f->SetInputFormat(format);
    f->SetText(start);
    QCOMPARE(f->Text(), start);
    f->SetBeep(true);
    const int before = testing::BeepCount();
    for (const KeyStroke& k : keys)
        QTest::keyClick(f.get(), Qt::Key(k.key), k.mods);
    QCOMPARE(f->Text(), expected);
    QCOMPARE(testing::BeepCount() - before, beeps);
}

void TestNumIO2::shiftPrefixesInDynamic()
{
    auto f = MakeField();
    f->SetInputFormat(itDynamic);
    f->SetText("");
    f->SetBeep(true);
    const int before = testing::BeepCount();
    QTest::keyClick(f.get(), Qt::Key_4, Qt::ShiftModifier); // "$" alone is invalid
    QCOMPARE(f->Text(), QString());
    QCOMPARE(testing::BeepCount() - before, 1);

    f->SetText("1F"); // refused: not a decimal number
    QCOMPARE(f->Text(), QString());
    f->SetText("12");
    QTest::keyClick(f.get(), Qt::Key_Home);
    QTest::keyClick(f.get(), Qt::Key_Dollar, Qt::ShiftModifier);
    QCOMPARE(f->Text(), QString("$12"));
    QCOMPARE(f->Value(), 18.0);

    f->SetText("101");
    QTest::keyClick(f.get(), Qt::Key_5, Qt::ShiftModifier);
    QCOMPARE(f->Text(), QString("%101"));
    QCOMPARE(f->Value(), 5.0);

    f->SetText("17");
    QTest::keyClick(f.get(), Qt::Key_AsciiCircum, Qt::ShiftModifier); // the 6 key
    QCOMPARE(f->Text(), QString("&17"));
    QCOMPARE(f->Value(), 15.0);

    // Only the 4, 5 and 6 keys give prefixes: Shift with 7 is still a 7.
    f->SetText("12");
    QTest::keyClick(f.get(), Qt::Key_Home);
    QTest::keyClick(f.get(), Qt::Key_Ampersand, Qt::ShiftModifier);
    QCOMPARE(f->Text(), QString("712"));

    // Shift held as its own key press counts as well.
    f->SetText("12");
    QTest::keyPress(f.get(), Qt::Key_Shift);
    QTest::keyClick(f.get(), Qt::Key_4);
    QTest::keyRelease(f.get(), Qt::Key_Shift);
    QCOMPARE(f->Text(), QString("$12"));
    QTest::keyClick(f.get(), Qt::Key_End);
    QTest::keyClick(f.get(), Qt::Key_4);
    QCOMPARE(f->Text(), QString("$124"));
}

void TestNumIO2::fixPointCaretSelection()
{
    auto f = MakeField();
    f->SetInputFormat(itFixPoint);
    f->SetValue(1);
    QCOMPARE(f->Text(), QString("1.00"));

    // Arrow keys to just after the point select the first decimal.
    QTest::keyClick(f.get(), Qt::Key_Home);
    QTest::keyClick(f.get(), Qt::Key_Right);
    QCOMPARE(f->SelBegin(), f->SelEnd());
    QTest::keyClick(f.get(), Qt::Key_Right);
    QCOMPARE(f->CaretPos(), 2);
    QCOMPARE(f->SelBegin(), 2);
    QCOMPARE(f->SelEnd(), 3);
    QTest::keyClick(f.get(), Qt::Key_5);
    QCOMPARE(f->Text(), QString("1.50"));
    QCOMPARE(f->SelBegin(), 3);
    QCOMPARE(f->SelEnd(), 4);
    QTest::keyClick(f.get(), Qt::Key_7);
    QCOMPARE(f->Text(), QString("1.57"));
    QCOMPARE(f->CaretPos(), 4);
    QCOMPARE(f->SelBegin(), f->SelEnd()); // nothing left to overwrite at the end

    // A click at that spot leaves nothing selected: the first digit is refused, the
    // next overwrites.
    f->SetValue(1);
    f->SetBeep(true);
    f->SetSelBegin(2);
    f->SetSelEnd(2);
    const int before = testing::BeepCount();
    QTest::keyClick(f.get(), Qt::Key_5);
    QCOMPARE(f->Text(), QString("1.00"));
    QCOMPARE(testing::BeepCount() - before, 1);
    QCOMPARE(f->SelBegin(), 2);
    QCOMPARE(f->SelEnd(), 3);
    QTest::keyClick(f.get(), Qt::Key_5);
    QCOMPARE(f->Text(), QString("1.50"));

    // In the integer part the selection is emptied.
    QTest::keyClick(f.get(), Qt::Key_Home);
    QCOMPARE(f->SelBegin(), f->SelEnd());
    QTest::keyClick(f.get(), Qt::Key_2);
    QCOMPARE(f->Text(), QString("21.50"));
}

void TestNumIO2::selectionDeletionWritesZero()
{
    struct Case {
        TInFormat format;
        QString text;
        int key;
        QString zero;
    };
    const Case cases[] = {
        {itFloat, "12.50", Qt::Key_Delete, "0.00"},
        {itFloat, "12.50", Qt::Key_Backspace, "0.00"},
        {itInt, "-45", Qt::Key_Delete, "0"},
        {itHex, "FF", Qt::Key_Backspace, "00000000"},
        {itExp, "1E5", Qt::Key_Delete, " 0.00000E+00"},
    };
    for (const Case& c : cases) {
        auto f = MakeField();
        f->SetInputFormat(c.format);
        f->SetText(c.text);
        QCOMPARE(f->Text(), c.text);
        int changes = 0;
        f->OnChange = [&](TObject*) { ++changes; };
        f->SetSelEnd(int(c.text.size()));
        QTest::keyClick(f.get(), Qt::Key(c.key));
        QCOMPARE(f->Text(), c.zero);
        QCOMPARE(f->CaretPos(), 0);
        QCOMPARE(f->SelBegin(), 0);
        QCOMPARE(f->SelEnd(), 0);
        QCOMPARE(changes, 1);
    }
    // A partial selection is just removed.
    auto f = MakeField();
    f->SetText("123.5");
    f->SetSelBegin(1);
    f->SetSelEnd(3);
    QTest::keyClick(f.get(), Qt::Key_Delete);
    QCOMPARE(f->Text(), QString("1.5"));
    QCOMPARE(f->CaretPos(), 1);
    // Typing replaces a selection.
    f->SetSelBegin(0);
    f->SetSelEnd(1);
    QTest::keyClick(f.get(), Qt::Key_7);
    QCOMPARE(f->Text(), QString("7.5"));
    QCOMPARE(f->CaretPos(), 1);
}

void TestNumIO2::clipboardKeys()
{
    auto f = MakeField();
    f->SetText("123.5");
    f->SetSelBegin(1);
    f->SetSelEnd(3);
    Clipboard()->SetAsText("x");
    QTest::keyClick(f.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard()->AsText(), QString("23"));
    QCOMPARE(f->Text(), QString("123.5"));

    int changes = 0;
    f->OnChange = [&](TObject*) { ++changes; };
    QTest::keyClick(f.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Clipboard()->AsText(), QString("23"));
    QCOMPARE(f->Text(), QString("1.5"));
    QCOMPARE(changes, 1);

    Clipboard()->SetAsText("90");
    QTest::keyClick(f.get(), Qt::Key_Home);
    QTest::keyClick(f.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->Text(), QString("901.5"));
    QCOMPARE(f->CaretPos(), 2);
    QCOMPARE(changes, 2);

    // Pasted text that is no number is undone.
    Clipboard()->SetAsText("abc");
    f->SetBeep(true);
    const int before = testing::BeepCount();
    QTest::keyClick(f.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->Text(), QString("901.5"));
    QCOMPARE(changes, 2);
    QCOMPARE(testing::BeepCount() - before, 1);
    QTest::keyClick(f.get(), Qt::Key_Z, Qt::ControlModifier); // other Ctrl keys beep
    QCOMPARE(testing::BeepCount() - before, 2);
}

void TestNumIO2::readOnlyKeys()
{
    auto f = MakeField();
    f->SetText("42.5");
    f->SetReadOnly(true);
    f->SetSelEnd(2);
    int changes = 0;
    f->OnChange = [&](TObject*) { ++changes; };
    QTest::keyClick(f.get(), Qt::Key_Delete);
    QTest::keyClick(f.get(), Qt::Key_7);
    QTest::keyClick(f.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f->Text(), QString("42.5"));
    QCOMPARE(changes, 0);
    QTest::keyClick(f.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard()->AsText(), QString("42"));
}

void TestNumIO2::onChangeOnlyForUserChanges()
{
    auto f = MakeField();
    QStringList log;
    f->OnChange = [&](TObject* s) {
        QCOMPARE(s, static_cast<TObject*>(f.get()));
        log << "change " + f->Text();
    };
    f->OnKeyDown = [&](TObject*, Word& key, TShiftState) { log << QString("keydown %1").arg(key); };
    f->SetValue(5);
    f->SetText("6");
    f->SetInputFormat(itInt);
    QVERIFY(log.isEmpty());
    QTest::keyClick(f.get(), Qt::Key_End);
    QTest::keyClick(f.get(), Qt::Key_3);
    QCOMPARE(log, QStringList({"keydown 35", "keydown 51", "change 63"}));
    // A handler that clears the key swallows it.
    f->OnKeyDown = [&](TObject*, Word& key, TShiftState) { key = 0; };
    QTest::keyClick(f.get(), Qt::Key_4);
    QCOMPARE(f->Text(), QString("63"));
}

// ---------------------------------------------------------------------------------------

void TestNumIO2::spinButtons_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<double>("expected");
    QTest::newRow("1.3 up") << 1.3 << true << 2.0;
    QTest::newRow("1.3 down") << 1.3 << false << 1.0;
    QTest::newRow("2 up") << 2.0 << true << 5.0;
    QTest::newRow("2 down") << 2.0 << false << 1.0;
    QTest::newRow("5 up stays") << 5.0 << true << 5.0;
    QTest::newRow("0 down stays") << 0.0 << false << 0.0;
}

void TestNumIO2::spinButtons()
{
    QFETCH(double, start);
    QFETCH(bool, up);
    QFETCH(double, expected);
    auto f = MakeField();
    f->SetButVisible(true);
    f->ButtonPivots = {0, 1, 2, 5};
    f->SetValue(start);
    QStringList log;
    f->OnChange = [&](TObject*) { log << "change"; };
    f->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log << "down"; };
    // Buttons stand right of the box: 35 + 80 + 3 = 118, 18 wide, halves of 14.
    const QPoint p(127, up ? 5 : 20);
    QTest::mousePress(f.get(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(f->Value(), expected);
    QCOMPARE(log, QStringList({"change", "down"})); // at once, before the button comes up
    QTest::mouseRelease(f.get(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(log.count("change"), 1);
}

void TestNumIO2::spinButtonsWithoutPivots()
{
    auto f = MakeField();
    f->SetButVisible(true);
    f->SetButIncrem(2.5);
    f->SetValue(10);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 5));
    QCOMPARE(f->Value(), 12.5);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 5));
    QCOMPARE(f->Value(), 15.0); // a second click steps again
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 20));
    QCOMPARE(f->Value(), 12.5);
    f->SetValue(1000);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 5));
    QCOMPARE(f->Value(), 1000.0);
    // Just outside the buttons nothing steps.
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(118, 20));
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(136, 20));
    QCOMPARE(f->Value(), 1000.0);
    f->SetButVisible(false);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 20));
    QCOMPARE(f->Value(), 1000.0);
}

void TestNumIO2::readOnlyIgnoresButtonsAndGauge()
{
    auto f = MakeField();
    f->SetButVisible(true);
    f->SetGaugeVisible(true);
    f->SetValue(10);
    f->SetReadOnly(true);
    int changes = 0;
    f->OnChange = [&](TObject*) { ++changes; };
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(127, 5));
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 23));
    QCOMPARE(f->Value(), 10.0);
    QCOMPARE(changes, 0);
}

void TestNumIO2::gaugeClickAndDrag()
{
    auto f = MakeField();
    f->SetGaugeVisible(true);
    f->SetValue(500);
    QStringList log;
    f->OnChange = [&](TObject*) { log << QString("change %1").arg(f->Value()); };
    f->OnGaugeChange = [&](TObject*, TShiftState s, double v) {
        log << QString("gauge %1%2").arg(v).arg(s.Contains(ssLeft) ? " left" : "");
    };
    // Gauge band: y > 28 - 12; gauge from x 35, 82 wide.
    QTest::mousePress(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(35, 23));
    QCOMPARE(f->Value(), 0.0);
    QVERIFY(log.isEmpty());
    f->MouseMove(TShiftState{ssLeft}, 35 + 41, 23);
    QCOMPARE(f->Value(), 500.0);
    f->MouseMove(TShiftState{ssLeft}, 35 + 83, 23); // one past the end still drags, clamped
    QCOMPARE(f->Value(), 1000.0);
    f->MouseMove(TShiftState{ssLeft}, 35 + 90, 23); // further out is ignored
    QCOMPARE(f->Value(), 1000.0);
    QCOMPARE(log, QStringList({"gauge 500 left", "gauge 1000 left"}));
    QTest::mouseRelease(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(35 + 83, 23));
    QCOMPARE(log.last(), QString("change 1000"));
    QCOMPARE(log.count(), 3);
    // Moving without the button held does not drag.
    f->MouseMove(TShiftState{}, 60, 23);
    QCOMPARE(f->Value(), 1000.0);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(35 + 82, 23));
    QCOMPARE(f->Value(), 1000.0);
    QCOMPARE(log.count(), 4);
}

void TestNumIO2::gaugeSnapsToPivots()
{
    auto f = MakeField();
    f->SetGaugeVisible(true);
    f->ButtonPivots = {0, 100, 400, 900};
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(35 + 30, 23)); // ~366
    QCOMPARE(f->Value(), 400.0);
    QTest::mouseClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(35 + 10, 23)); // ~122
    QCOMPARE(f->Value(), 100.0);
}

void TestNumIO2::mouseAreaCode()
{
    auto f = MakeField();
    f->MouseMove(TShiftState{}, 10, 5);
    QCOMPARE(f->MouseAreaCode(), 0);
    f->MouseMove(TShiftState{}, 35, 5);
    QCOMPARE(f->MouseAreaCode(), 0);
    f->MouseMove(TShiftState{}, 36, 5);
    QCOMPARE(f->MouseAreaCode(), 1);
    f->MouseMove(TShiftState{}, 115, 5);
    QCOMPARE(f->MouseAreaCode(), 1);
    f->MouseMove(TShiftState{}, 116, 5);
    QCOMPARE(f->MouseAreaCode(), 2);
}

void TestNumIO2::textClickAndDragSelects()
{
    auto f = MakeField();
    f->SetAlignment(taLeftJustify);
    f->SetText("12345.6");
    const int x2 = f->CharPosToXCoords(2);
    const int x5 = f->CharPosToXCoords(5);
    QCOMPARE(f->CharPosToXCoords(0), 35 + 4);
    QTest::mousePress(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x2, 10));
    QCOMPARE(f->CaretPos(), f->XCoordsToCharPos(x2));
    const int p = f->CaretPos();
    QCOMPARE(f->SelBegin(), p);
    QCOMPARE(f->SelEnd(), p);
    f->MouseMove(TShiftState{ssLeft}, x5, 10);
    QCOMPARE(f->SelBegin(), p);
    QCOMPARE(f->SelEnd(), f->XCoordsToCharPos(x5));
    QVERIFY(f->SelEnd() > p);
    f->MouseMove(TShiftState{ssLeft}, 0, 10);
    QCOMPARE(f->SelBegin(), 0);
    QTest::mouseRelease(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 10));
    QCOMPARE(f->SelBegin(), 0);
}

// ---------------------------------------------------------------------------------------

void TestNumIO2::caretTimer()
{
    QWidget window;
    auto* f = new TNumIO2(&window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    f->SetFocus();
    QVERIFY(f->hasFocus());
    QVERIFY(f->CaretVisible());
    QVERIFY(f->CaretTimer()->Active());
    f->CaretTimer()->Fire();
    QVERIFY(!f->CaretVisible());
    f->CaretTimer()->Fire();
    QVERIFY(f->CaretVisible());

    // A key makes the caret visible again.
    f->CaretTimer()->Fire();
    QVERIFY(!f->CaretVisible());
    QTest::keyClick(f, Qt::Key_1);
    QVERIFY(f->CaretVisible());

    // Focus gone: the next tick stops the blink with the caret hidden.
    other->setFocus();
    QVERIFY(!f->hasFocus());
    f->CaretTimer()->Fire();
    QVERIFY(!f->CaretVisible());
    QVERIFY(!f->CaretTimer()->Active());

    // Focus back: blinking restarts.
    f->setFocus();
    QVERIFY(f->CaretTimer()->Active());
    QVERIFY(f->CaretVisible());

    // Read-only: no restart on focus.
    f->SetReadOnly(true);
    QVERIFY(!f->CaretTimer()->Active());
    other->setFocus();
    f->SetFocus();
    QVERIFY(!f->CaretTimer()->Active());
    QVERIFY(!f->CaretVisible());
}

// --- the picture, checked pixel by pixel at the positions the layout fixes ---

using numio2test::Px;

Q_DECLARE_METATYPE(qor::TFrameStyle)

class TestNumIO2Render : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void defaultBox();
    void boxFrames_data();
    void boxFrames();
    void buttons();
    void buttonsFlat();
    void rightTextMovesWithButtons();
    void leftTextPositions();
    void gauge_data();
    void gauge();
    void gaugeFrameLowered();
    void warningColours();
    void disabled();
    void caretClipping_data();
    void caretClipping();
    void caretBlinkPhase();
    void selectionInverted();
    void autoSize();
    void systemColourScheme();
};

/// Leftmost column in [x1, x2) whose pixels in rows [y1, y2) differ from bg; -1 if none.
static int FirstInkColumn(TNumIO2* f, int x1, int x2, int y1, int y2, TColor bg)
{
    for (int x = x1; x < x2; ++x)
        for (int y = y1; y < y2; ++y)
            if (Px(f, x, y) != bg)
                return x;
    return -1;
}

void TestNumIO2Render::layout()
{
    TNumIO2LayoutParams p;
    p.TextHeight = 14;
    TNumIO2Layout l = NumIO2ComputeLayout(p);
    QCOMPARE(l.G, 0);
    QCOMPARE(l.TY, 7);
    QCOMPARE(l.S, 24);
    QCOMPARE(l.X0, 118);
    QCOMPARE(l.HB, 14);
    QCOMPARE(l.CX, 128);
    QCOMPARE(l.Q, 7);
    QCOMPARE(l.P3, 0);
    QCOMPARE(l.GY1, 19);
    QCOMPARE(l.GY2, 27);
    p.ButVisible = true;
    p.GaugeVisible = true;
    l = NumIO2ComputeLayout(p);
    QCOMPARE(l.P3, 21);
    QCOMPARE(l.G, 12);
    QCOMPARE(l.TY, 1);
    QCOMPARE(l.S, 12);
    QCOMPARE(NumIO2TextX(taLeftJustify, 35, 80, 20), 39);
    QCOMPARE(NumIO2TextX(taRightJustify, 35, 80, 20), 93);
    QCOMPARE(NumIO2TextX(taCenter, 35, 80, 20), 67);
    QCOMPARE(NumIO2CaretOffset(taLeftJustify, 35, 80, 20, 6), 6 + 3);
    QCOMPARE(NumIO2CaretOffset(taRightJustify, 35, 80, 20, 6), 80 + 6 - 20 - 3);
    QCOMPARE(NumIO2CaretOffset(taCenter, 35, 80, 20, 6), 6 + 30 + 1);
    QCOMPARE(NumIO2LeftTextX(taLeftJustify, 35, 10), 7);
    QCOMPARE(NumIO2LeftTextX(taRightJustify, 35, 10), 20);
    QCOMPARE(NumIO2LeftTextX(taCenter, 35, 10), 12);
    QCOMPARE(NumIO2RightTextX(taLeftJustify, 160, 35, 21, 80, 10), 143);
    QCOMPARE(NumIO2RightTextX(taRightJustify, 160, 35, 21, 80, 10), 144);
    QCOMPARE(NumIO2RightTextX(taCenter, 160, 35, 0, 80, 10), 133);
}

void TestNumIO2Render::defaultBox()
{
    auto f = MakeField();
    f->CaretTimer()->Stop();
    f->SetReadOnly(true); // caret hidden
    f->Paint();
    const TColor face = f->ResolveColor(clBtnFace);
    QCOMPARE(f->Canvas()->Target()->width(), 160);
    QCOMPARE(f->Canvas()->Target()->height(), 28);
    // Left area 35 wide, box from 35 to 117 with a lowered frame.
    QCOMPARE(Px(f.get(), 34, 10), face);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0x808080));  // outline
    QCOMPARE(Px(f.get(), 35, 0), TColor(0x808080));
    QCOMPARE(Px(f.get(), 36, 10), TColor(0x000000));  // inner line, left
    QCOMPARE(Px(f.get(), 60, 1), TColor(0x000000));   // inner line, top
    QCOMPARE(Px(f.get(), 36, 26), TColor(0x808080));  // inner line stops above the outline
    QCOMPARE(Px(f.get(), 60, 10), TColor(0xFFFFFF));  // box
    QCOMPARE(Px(f.get(), 116, 10), TColor(0x808080)); // outline right
    QCOMPARE(Px(f.get(), 60, 26), TColor(0x808080));  // outline bottom
    QCOMPARE(Px(f.get(), 117, 10), TColor(0xFFFFFF)); // outer line right
    QCOMPARE(Px(f.get(), 60, 27), TColor(0xFFFFFF));  // outer line bottom
    QCOMPARE(Px(f.get(), 35, 27), face);              // outer line starts at 36
    QCOMPARE(Px(f.get(), 117, 0), face);              // end point excluded
    QCOMPARE(Px(f.get(), 118, 10), face);
    QCOMPARE(Px(f.get(), 150, 10), face);

    // The number is centred in the box.
    f->SetText("8");
    const int nw = f->Canvas()->TextWidth("8");
    const int x0 = 35 + (80 - nw) / 2 + 2;
    const int ink = FirstInkColumn(f.get(), 37, 115, 2, 25, 0xFFFFFF);
    QVERIFY(ink >= x0 && ink < x0 + nw);
    QCOMPARE(FirstInkColumn(f.get(), 37, x0, 2, 25, 0xFFFFFF), -1);
}

void TestNumIO2Render::boxFrames_data()
{
    QTest::addColumn<TFrameStyle>("style");
    QTest::addColumn<TColor>("outline");
    QTest::addColumn<TColor>("inner");
    QTest::addColumn<TColor>("outer");
    // outer/inner: colour of the 3-D lines, or the background when there are none.
    QTest::newRow("none") << fsNone << TColor(0xFFFFFF) << TColor(0xFFFFFF) << TColor(0xFFFFFFFE);
    QTest::newRow("simple") << fsSimple << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0xFFFFFFFE);
    QTest::newRow("lowered") << fsLowered << TColor(0x808080) << TColor(0) << TColor(0xFFFFFF);
    QTest::newRow("raised") << fsRaised << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0);
    QTest::newRow("ridge") << fsRidge << TColor(0xFFFFFF) << TColor(0x808080) << TColor(0x808080);
    QTest::newRow("groove") << fsGroove << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0xFFFFFF);
}

void TestNumIO2Render::boxFrames()
{
    QFETCH(TFrameStyle, style);
    QFETCH(TColor, outline);
    QFETCH(TColor, inner);
    QFETCH(TColor, outer);
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetFrameStyle(style);
    const TColor face = f->ResolveColor(clBtnFace);
    QCOMPARE(Px(f.get(), 35, 10), outline);
    QCOMPARE(Px(f.get(), 36, 10), inner);
    if (outer == 0xFFFFFFFE) {
        // flat styles: the rectangle reaches the bottom row, no outer line
        QCOMPARE(Px(f.get(), 60, 27), outline);
        QCOMPARE(Px(f.get(), 117, 10), face);
    } else {
        QCOMPARE(Px(f.get(), 60, 27), outer);
        QCOMPARE(Px(f.get(), 117, 10), outer);
        QCOMPARE(Px(f.get(), 60, 26), outline);
    }
}

void TestNumIO2Render::buttons()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetButVisible(true);
    const TColor face = f->ResolveColor(clBtnFace);
    // Frame of the pair: X0 = 118, BW = 18, HB = 14.
    QCOMPARE(Px(f.get(), 117, 10), TColor(0xFFFFFF)); // box's outer line, then the gap
    QCOMPARE(Px(f.get(), 118, 10), TColor(0x808080));
    QCOMPARE(Px(f.get(), 136, 10), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 0), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 26), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 13), TColor(0x808080)); // divider
    QCOMPARE(Px(f.get(), 122, 10), TColor(0xC0C0C0)); // face
    // 3-D highlight and shadow.
    QCOMPARE(Px(f.get(), 119, 5), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 1), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 119, 20), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 14), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 27), TColor(0x000000));
    QCOMPARE(Px(f.get(), 137, 10), TColor(0x000000));
    QCOMPARE(Px(f.get(), 137, 1), face); // end point excluded
    QCOMPARE(Px(f.get(), 138, 10), face);
    // Up arrow: rows 2, 4, 6 wide around CX = 128 at Q-1, Q, Q+1 (Q = 7).
    auto rowBlack = [&](int y) {
        QList<int> xs;
        for (int x = 119; x < 137; ++x)
            if (Px(f.get(), x, y) == 0)
                xs << x;
        return xs;
    };
    QCOMPARE(rowBlack(6), QList<int>({127, 128}));
    QCOMPARE(rowBlack(7), QList<int>({126, 127, 128, 129}));
    QCOMPARE(rowBlack(8), QList<int>({125, 126, 127, 128, 129, 130}));
    QCOMPARE(rowBlack(5), QList<int>());
    // Down arrow, widest row on top.
    QCOMPARE(rowBlack(19), QList<int>({125, 126, 127, 128, 129, 130}));
    QCOMPARE(rowBlack(20), QList<int>({126, 127, 128, 129}));
    QCOMPARE(rowBlack(21), QList<int>({127, 128}));
    QCOMPARE(rowBlack(22), QList<int>());

    // Disabled arrows are grey.
    f->SetEnabled(false);
    QCOMPARE(Px(f.get(), 127, 6), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 19), TColor(0x808080));
}

void TestNumIO2Render::buttonsFlat()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetButVisible(true);
    f->SetBut3D(false);
    f->SetButColor(0x00FF00);
    QCOMPARE(Px(f.get(), 119, 5), TColor(0x00FF00));
    QCOMPARE(Px(f.get(), 125, 27), f->ResolveColor(clBtnFace));
    QCOMPARE(Px(f.get(), 137, 10), f->ResolveColor(clBtnFace));
}

void TestNumIO2Render::rightTextMovesWithButtons()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetRightText("mV");
    const TColor face = f->ResolveColor(clBtnFace);
    const int without = FirstInkColumn(f.get(), 118, 160, 0, 28, face);
    QVERIFY(without >= 35 + 80 + 7);
    QVERIFY(without < 35 + 80 + 7 + 4);
    f->SetButVisible(true);
    const int with = FirstInkColumn(f.get(), 138, 160, 0, 28, face);
    QCOMPARE(with - without, 18 + 3);
    // Right-justified: the text ends 6 pixels from the edge.
    f->SetButVisible(false);
    f->SetRightTextAlignment(taRightJustify);
    const int tw = f->Canvas()->TextWidth("mV");
    const int x = FirstInkColumn(f.get(), 118, 160, 0, 28, face);
    QVERIFY(x >= 160 - tw - 6);
    QCOMPARE(FirstInkColumn(f.get(), 160 - 6, 160, 0, 28, face), -1);
}

void TestNumIO2Render::leftTextPositions()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetLeftText("U");
    f->SetColorOutText(0x0000FF);
    const TColor face = f->ResolveColor(clBtnFace);
    const int tw = f->Canvas()->TextWidth("U");
    // Right-justified by default: ends 5 px before the box.
    const int x = FirstInkColumn(f.get(), 0, 35, 0, 28, face);
    QVERIFY(x >= 35 - tw - 5 && x < 35 - 5);
    QCOMPARE(FirstInkColumn(f.get(), 35 - 5, 35, 0, 28, face), -1);
    bool red = false;
    for (int xx = 0; xx < 35; ++xx)
        for (int y = 0; y < 28; ++y)
            red = red || Px(f.get(), xx, y) == 0x0000FF;
    QVERIFY(red);
    f->SetLeftTextAlignment(taLeftJustify);
    const int xl = FirstInkColumn(f.get(), 0, 35, 0, 28, face);
    QVERIFY(xl >= 7 && xl < 7 + tw);
    QCOMPARE(FirstInkColumn(f.get(), 0, 7, 0, 28, face), -1);
}

void TestNumIO2Render::gauge_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("fill");
    QTest::newRow("empty") << 0.0 << 1000.0 << 0.0 << 82 << 0;
    QTest::newRow("half") << 0.0 << 1000.0 << 500.0 << 82 << 41;
    QTest::newRow("full") << 0.0 << 1000.0 << 1000.0 << 82 << 82;
    QTest::newRow("beyond") << 0.0 << 1000.0 << 5000.0 << 82 << 82;
    QTest::newRow("below") << 0.0 << 1000.0 << -5.0 << 82 << 0;
    QTest::newRow("equal bounds") << 7.0 << 7.0 << 7.0 << 82 << 82;
    // Halves round to even, as everywhere in the library.
    QTest::newRow("40.5 down") << 0.0 << 1.0 << 0.5 << 81 << 40;
    QTest::newRow("41.5 up") << 0.0 << 1.0 << 0.5 << 83 << 42;
    QTest::newRow("2.5 down") << 0.0 << 1.0 << 0.25 << 10 << 2;
    QTest::newRow("7.5 up") << 0.0 << 1.0 << 0.75 << 10 << 8;
    QTest::newRow("40.6 up") << 0.0 << 810.0 << 406.0 << 81 << 41;
}

void TestNumIO2Render::gauge()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, value);
    QFETCH(int, width);
    QFETCH(int, fill);
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetGaugeFrameStyle(fsNone);
    f->SetGaugeVisible(true);
    f->SetGaugeWidth(width);
    f->SetRangeHigh(high);
    f->SetRangeLow(low);
    f->SetValue(value);
    QCOMPARE(NumIO2GaugeFill(width, value, low, high), fill);
    // Gauge rectangle (35, 19) - (35 + width, 27); with no frame its outline is the background.
    const int y = 23;
    for (int x = 36; x < 35 + width; ++x) {
        const TColor want = x < 35 + fill ? TColor(0x800000) : TColor(0xC0C0C0);
        QCOMPARE(Px(f.get(), x, y), want);
    }
    QCOMPARE(Px(f.get(), 34, y), f->ResolveColor(clBtnFace));
    QCOMPARE(Px(f.get(), 35 + width, y), f->ResolveColor(clBtnFace));
    // The text box shrinks to the row above the gauge band (H - G = 16).
    QCOMPARE(Px(f.get(), 60, 14), TColor(0x808080)); // box outline bottom at H - G - 2
    QCOMPARE(Px(f.get(), 60, 15), TColor(0xFFFFFF)); // outer line at S + 3
    QCOMPARE(Px(f.get(), 60, 17), f->ResolveColor(clBtnFace));
}

void TestNumIO2Render::gaugeFrameLowered()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetGaugeVisible(true);
    f->SetValue(1000);
    QCOMPARE(Px(f.get(), 35, 22), TColor(0x808080));  // outline
    QCOMPARE(Px(f.get(), 60, 19), TColor(0x808080));
    QCOMPARE(Px(f.get(), 36, 23), TColor(0x000000));  // inner left
    QCOMPARE(Px(f.get(), 60, 20), TColor(0x000000));  // inner top
    QCOMPARE(Px(f.get(), 60, 27), TColor(0xFFFFFF));  // outer bottom at GY2
    QCOMPARE(Px(f.get(), 117, 23), TColor(0xFFFFFF)); // outer right
    QCOMPARE(Px(f.get(), 60, 23), TColor(0x800000));  // bar
    f->SetEnabled(false);
    QCOMPARE(Px(f.get(), 60, 23), TColor(0x808080));
}

void TestNumIO2Render::warningColours()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetValue(5);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0xFFFFFF));
    f->SetValue(2000);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x88FFF0));
    bool red = false;
    for (int x = 37; x < 115; ++x)
        for (int y = 2; y < 25; ++y)
            red = red || Px(f.get(), x, y) == 0x0000FF;
    QVERIFY(red);
    f->SetColorWarnBG(0x00FFFF);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x00FFFF));
    // Without a frame the outline takes the warning colour too.
    f->SetFrameStyle(fsNone);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0x00FFFF));
    f->SetValue(-1);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x00FFFF));
    f->SetValue(0);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0xFFFFFF));
}

void TestNumIO2Render::disabled()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetValue(2000);
    f->SetEnabled(false);
    QVERIFY(!f->Enabled());
    QCOMPARE(Px(f.get(), 40, 10), TColor(0xC0C0C0));
    f->SetFrameStyle(fsNone);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0xC0C0C0));
    bool grey = false, red = false;
    for (int x = 37; x < 115; ++x)
        for (int y = 2; y < 25; ++y) {
            grey = grey || Px(f.get(), x, y) == 0x808080;
            red = red || Px(f.get(), x, y) == 0x0000FF;
        }
    QVERIFY(grey);
    QVERIFY(!red);
    f->SetEnabled(true);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x88FFF0));
}

void TestNumIO2Render::caretClipping_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<bool>("atEnd");
    QTest::addColumn<int>("extra");   // TextBoxWidth = text width + 3 + extra
    QTest::addColumn<bool>("drawn");
    // Right-justified, caret at 0: offset = TBW - NW - 3.
    QTest::newRow("offset 0 hidden") << taRightJustify << false << 0 << false;
    QTest::newRow("offset 1 drawn") << taRightJustify << false << 1 << true;
    QTest::newRow("offset -2 hidden") << taRightJustify << false << -2 << false;
    // Left-justified, caret at the end: offset = NW + 3.
    QTest::newRow("offset TBW hidden") << taLeftJustify << true << 0 << false;
    QTest::newRow("offset TBW-1 drawn") << taLeftJustify << true << 1 << true;
    QTest::newRow("offset beyond TBW hidden") << taLeftJustify << true << -3 << false;
}

void TestNumIO2Render::caretClipping()
{
    QFETCH(TAlignment, align);
    QFETCH(bool, atEnd);
    QFETCH(int, extra);
    QFETCH(bool, drawn);
    auto f = MakeField();
    f->SetFrameStyle(fsRaised); // white inner line, so a black caret on it shows
    f->SetAlignment(align);
    f->SetText("12345");
    if (atEnd)
        QTest::keyClick(f.get(), Qt::Key_End);
    const int nw = f->Canvas()->TextWidth("12345");
    const int cw = atEnd ? nw : 0;
    f->SetTextBoxWidth(nw + 3 + extra);
    const int tbw = f->TextBoxWidth();
    const int off = NumIO2CaretOffset(align, 35, tbw, nw, cw);
    QCOMPARE(off > 0 && off < tbw, drawn);
    QVERIFY(f->CaretVisible());
    f->Paint();
    const int x = 35 + off;
    // The caret runs from y 3 to H - 4; rows 3 and 4 are above any digit.
    const bool black = Px(f.get(), x, 3) == 0 && Px(f.get(), x, 4) == 0 && Px(f.get(), x, 24) == 0;
    QCOMPARE(black, drawn);
    if (drawn)
        QVERIFY(Px(f.get(), x, 25) != 0);
}

void TestNumIO2Render::caretBlinkPhase()
{
    auto f = MakeField();
    // Empty centred text: caret offset (80 - 0) div 2 + 1 = 41 -> x = 76.
    QVERIFY(f->CaretVisible());
    f->Paint();
    QCOMPARE(Px(f.get(), 76, 3), TColor(0));
    QCOMPARE(Px(f.get(), 76, 24), TColor(0));
    QCOMPARE(Px(f.get(), 76, 2), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 76, 25), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 75, 10), TColor(0xFFFFFF));
    f->CaretTimer()->Fire(); // not focused: blink stops with the caret hidden
    QVERIFY(!f->CaretVisible());
    QCOMPARE(Px(f.get(), 76, 10), TColor(0xFFFFFF));
}

void TestNumIO2Render::selectionInverted()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetAlignment(taLeftJustify);
    f->SetText("123.45");
    f->SetSelBegin(1);
    f->SetSelEnd(4);
    QVERIFY(!f->hasFocus());
    // Hidden while unfocused.
    QCOMPARE(Px(f.get(), f->CharPosToXCoords(2), 3), TColor(0xFFFFFF));
    f->SetHideSelection(false);
    const int x1 = f->CharPosToXCoords(1);
    const int x2 = f->CharPosToXCoords(4);
    QVERIFY(x2 > x1 + 2);
    QCOMPARE(Px(f.get(), x1, 3), TColor(0x000000));       // white inverted
    QCOMPARE(Px(f.get(), x2 - 1, 24), TColor(0x000000));
    QCOMPARE(Px(f.get(), x1 - 1, 3), TColor(0xFFFFFF));   // outside
    QCOMPARE(Px(f.get(), x2, 3), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), x1, 2), TColor(0xFFFFFF));       // rows 3 .. H-G-4 only
    QCOMPARE(Px(f.get(), x1, 25), TColor(0xFFFFFF));
    // The selection never leaves the box (clamped to LS + TBW).
    f->SetTextBoxWidth(12);
    f->SetSelBegin(0);
    f->SetSelEnd(6);
    QCOMPARE(Px(f.get(), 35 + 11, 3), TColor(0x000000)); // last column inside, inverted
    QCOMPARE(Px(f.get(), 35 + 12, 3), TColor(0xFFFFFF)); // box interior, not inverted
    QCOMPARE(Px(f.get(), 35 + 13, 3), TColor(0x808080)); // box outline untouched
}

void TestNumIO2Render::autoSize()
{
    auto f = MakeField();
    f->SetAutoSize(true);
    const int want = f->Canvas()->TextHeight("E0") + 6;
    QCOMPARE(f->Height(), want);
    f->SetReadOnly(true);
    QCOMPARE(f->Canvas()->Target()->height(), want);
}

void TestNumIO2Render::systemColourScheme()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Dark, QColor(0x11, 0x22, 0x33));
    pal.setColor(QPalette::Light, QColor(0x44, 0x55, 0x66));
    f->setPalette(pal);
    f->SetColorScheme(csSystem);
    const TColor shadow = f->ResolveColor(clBtnShadow);
    const TColor highlight = f->ResolveColor(clBtnHighlight);
    QVERIFY(shadow != 0x808080);
    QCOMPARE(Px(f.get(), 35, 10), shadow);      // outline: grey line
    QCOMPARE(Px(f.get(), 117, 10), highlight);  // lowered frame's outer line: white line
    f->SetColorScheme(csFixed);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0x808080));
    QCOMPARE(Px(f.get(), 117, 10), TColor(0xFFFFFF));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestNumIO2 t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestNumIO2Render t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "tst_numio2.moc"

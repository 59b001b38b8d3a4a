// Tests of the numeric text routines and of the TNumIO edit field.
#include "foundation/QOR_Testing.h"
#include "numio/NumFormats_p.h"
#include "numio/QOR_NumIO.h"

#include <QApplication>
#include <QLocale>
#include <QMetaProperty>
#include <QtTest>

#include <charconv>
#include <cmath>
#include <bit>
#include <random>
#include <string>

using namespace qor;
using namespace qor::numfmt;

Q_DECLARE_METATYPE(qor::numfmt::TSepMode)
Q_DECLARE_METATYPE(qor::TDecPSep)
Q_DECLARE_METATYPE(qor::TInFormat)

namespace {

// Restores the default locale when a test that changes it ends, even on failure.
struct LocaleGuard {
    QLocale saved = QLocale();
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(saved); }
};

} // namespace

// ===================================================================================
// The routines of the numeric text formats.
// ===================================================================================
class TestNumFormats : public QObject {
    Q_OBJECT
private slots:
    void scanFloat_data();
    void scanFloat();
    void scanFloatStartPosition();
    void checkExp_data();
    void checkExp();
    void checkFloat_data();
    void checkFloat();
    void separatorRulesFollowLocale();
    void checkInt_data();
    void checkInt();
    void checkBaseDigits_data();
    void checkBaseDigits();
    void scanIntegers_data();
    void scanIntegers();
    void floatToFmt_data();
    void floatToFmt();
    void intToBase_data();
    void intToBase();
    void roundToInt32Bits();
    void roundTripScientific();
    void roundTripFixed();
    void roundTripInt();
    void roundTripBases();
    void scanMatchesFromChars();
};

void TestNumFormats::scanFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowExp");
    QTest::addColumn<TSepMode>("mode");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pos");

    QTest::newRow("point 1.5") << "1.5" << true << smPoint << 1.5 << 4;
    QTest::newRow("comma stops point mode") << "1,5" << true << smPoint << 1.0 << 2;
    QTest::newRow("comma in both mode") << "1,5" << true << smBoth << 1.5 << 4;
    QTest::newRow("comma in comma mode") << "1,5" << true << smComma << 1.5 << 4;
    QTest::newRow("point stops comma mode") << "1.5" << true << smComma << 1.0 << 2;
    QTest::newRow("lone minus") << "-" << true << smPoint << 0.0 << 2;
    QTest::newRow("lone plus") << "+" << true << smPoint << 0.0 << 2;
    QTest::newRow("huge exponent cut") << "2E99999" << true << smPoint << uc_MaxDouble << 8;
    QTest::newRow("huge negative") << "-2E99999" << true << smPoint << -uc_MaxDouble << 9;
    QTest::newRow("trailing point") << "1." << true << smPoint << 1.0 << 3;
    QTest::newRow("empty") << "" << true << smPoint << 0.0 << 1;
    QTest::newRow("leading blanks") << "  12" << true << smPoint << 12.0 << 5;
    QTest::newRow("blank ends") << "12 " << true << smPoint << 12.0 << 3;
    QTest::newRow("exp allowed") << "1e5" << true << smPoint << 1e5 << 4;
    QTest::newRow("exp not allowed") << "1e5" << false << smPoint << 1.0 << 2;
    QTest::newRow("exp being typed") << "1.5E" << true << smPoint << 1.5 << 5;
    QTest::newRow("exp sign being typed") << "1E-" << true << smPoint << 1.0 << 4;
    QTest::newRow("negative exponent") << "1E-5" << true << smPoint << 1e-5 << 5;
    QTest::newRow("plus exponent") << "2.5e+2" << true << smPoint << 250.0 << 7;
    QTest::newRow("fraction only") << ".5" << true << smPoint << 0.5 << 3;
    QTest::newRow("signed fraction") << "-.5" << true << smPoint << -0.5 << 4;
    QTest::newRow("plus sign") << "+3" << true << smPoint << 3.0 << 3;
    QTest::newRow("second point") << "1.2.3" << true << smPoint << 0.0 << 4;
    QTest::newRow("letters") << "abc" << true << smPoint << 0.0 << 1;
    QTest::newRow("double sign") << "--1" << true << smPoint << 0.0 << 2;
    QTest::newRow("overflow") << "1E400" << true << smPoint << uc_MaxDouble << 6;
    QTest::newRow("underflow") << "1E-400" << true << smPoint << 0.0 << 7;
    QTest::newRow("exponent past 4200 cut") << "1E4201" << true << smPoint << uc_MaxDouble << 7;
    QTest::newRow("tiny exponent cut") << "1E-42019" << true << smPoint << 0.0 << 9;
    QTest::newRow("many zeros then small") << "0.0000000001E-300" << true << smPoint << 1e-310 << 18;
    QTest::newRow("exponent alone") << "E5" << true << smPoint << 0.0 << 1;
    QTest::newRow("blank after digits") << "5 x" << true << smPoint << 5.0 << 2;
    QTest::newRow("point after exponent") << "1E2.5" << true << smPoint << 100.0 << 4;
    QTest::newRow("max double text") << "1.7976931348623157E308" << true << smPoint << uc_MaxDouble << 23;
}

void TestNumFormats::scanFloat()
{
    QFETCH(QString, text);
    QFETCH(bool, allowExp);
    QFETCH(TSepMode, mode);
    QFETCH(double, value);
    QFETCH(int, pos);
    int p = 1;
    const double got = ScanFloatText(text, allowExp, mode, p);
    QCOMPARE(p, pos);
    if (value == 0.0)
        QCOMPARE(got + 1.0, 1.0);
    else
        QCOMPARE(got, value);
}

void TestNumFormats::scanFloatStartPosition()
{
    int p = 3;
    QCOMPARE(ScanFloatText(QStringLiteral("ab12x"), true, smPoint, p), 12.0);
    QCOMPARE(p, 5);
    p = 0; // a position before the text starts at the first character
    QCOMPARE(ScanFloatText(QStringLiteral("7"), true, smPoint, p), 7.0);
    QCOMPARE(p, 2);
    p = 10; // past the end: nothing to read
    QCOMPARE(ScanFloatText(QStringLiteral("7"), true, smPoint, p), 0.0);
    QCOMPARE(p, 10);
}

void TestNumFormats::checkExp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowExp");
    QTest::addColumn<TDecPSep>("sep");
    QTest::addColumn<bool>("ok");

    QTest::newRow("huge exponent refused") << "2E99999" << true << dsPoint << false;
    QTest::newRow("4200 accepted") << "1E4200" << true << dsPoint << true;
    QTest::newRow("4201 refused") << "1E4201" << true << dsPoint << false;
    QTest::newRow("rest ignored 12A") << "12A" << true << dsPoint << true;
    QTest::newRow("rest ignored 1 x") << "1 x" << true << dsPoint << true;
    QTest::newRow("digit") << "1" << true << dsPoint << true;
    QTest::newRow("trailing point") << "1." << true << dsPoint << true;
    QTest::newRow("open exponent") << "1.5E" << true << dsPoint << true;
    QTest::newRow("open exponent sign") << "1E-" << true << dsPoint << true;
    QTest::newRow("full exponent") << "1E5" << true << dsPoint << true;
    QTest::newRow("minus") << "-" << true << dsPoint << false;
    QTest::newRow("plus") << "+" << true << dsPoint << false;
    QTest::newRow("blanks") << "   " << true << dsPoint << false;
    QTest::newRow("empty") << "" << true << dsPoint << false;
    QTest::newRow("exponent first") << "E5" << true << dsPoint << false;
    QTest::newRow("sign twice") << "+-1" << true << dsPoint << false;
    QTest::newRow("no exp: E ends") << "1E5" << false << dsPoint << true;
    QTest::newRow("comma mode comma") << "1,5" << true << dsComma << true;
    QTest::newRow("comma mode point ends") << "1.5" << true << dsComma << true;
    QTest::newRow("comma mode leading point") << ".5" << true << dsComma << false;
    QTest::newRow("point mode leading comma") << ",5" << true << dsPoint << false;
    QTest::newRow("both leading comma") << ",5" << true << dsBoth << true;
    QTest::newRow("second separator") << "1..5" << true << dsPoint << false;
    QTest::newRow("exponent then sep") << "1E5." << true << dsPoint << true;
    QTest::newRow("E twice") << "1EE" << true << dsPoint << false;
}

void TestNumFormats::checkExp()
{
    QFETCH(QString, text);
    QFETCH(bool, allowExp);
    QFETCH(TDecPSep, sep);
    QFETCH(bool, ok);
    QCOMPARE(CheckExpText(text, allowExp, sep), ok);
}

void TestNumFormats::checkFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TDecPSep>("sep");
    QTest::addColumn<bool>("ok");
    QTest::newRow("minus") << "-" << dsPoint << true;
    QTest::newRow("plus") << "+" << dsPoint << true;
    QTest::newRow("point") << "." << dsPoint << true;
    QTest::newRow("3.") << "3." << dsPoint << true;
    QTest::newRow("-.") << "-." << dsPoint << true;
    QTest::newRow("12.") << "12." << dsPoint << true;
    QTest::newRow("-12.75") << "-12.75" << dsPoint << true;
    QTest::newRow("empty") << "" << dsPoint << false;
    QTest::newRow("exponent") << "1e5" << dsPoint << false;
    QTest::newRow("two points") << "1.2.3" << dsPoint << false;
    QTest::newRow("blank") << "1 2" << dsPoint << false;
    QTest::newRow("leading blank") << " 1" << dsPoint << false;
    QTest::newRow("comma in point mode") << "1,5" << dsPoint << false;
    QTest::newRow("comma in both") << "1,5" << dsBoth << true;
    QTest::newRow("point in both") << "1.5" << dsBoth << true;
    QTest::newRow("comma in comma") << "1,5" << dsComma << true;
    QTest::newRow("point in comma") << "1.5" << dsComma << false;
    QTest::newRow("letter") << "a" << dsPoint << false;
    QTest::newRow("sign after digit") << "1-" << dsPoint << false;
    QTest::newRow("double sign") << "--1" << dsPoint << false;
    QTest::newRow("sign after point") << ".-" << dsPoint << false;
    QTest::newRow("system default is point here") << "1.5" << dsSysDefault << true;
}

void TestNumFormats::checkFloat()
{
    QFETCH(QString, text);
    QFETCH(TDecPSep, sep);
    QFETCH(bool, ok);
    QCOMPARE(CheckFloatText(text, sep), ok);
}

void TestNumFormats::separatorRulesFollowLocale()
{
    {
        LocaleGuard g(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(SepModeRuleA(dsSysDefault), smComma);
        QCOMPARE(SepModeRuleB(dsSysDefault), smComma);
        QVERIFY(CheckFloatText(QStringLiteral("1,5"), dsSysDefault));
        QVERIFY(!CheckFloatText(QStringLiteral("1.5"), dsSysDefault));
        QCOMPARE(SepModeRuleA(dsPoint), smPoint);
    }
    {
        LocaleGuard g(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(SepModeRuleA(dsSysDefault), smPoint);
        QCOMPARE(SepModeRuleB(dsSysDefault), smPoint);
        QCOMPARE(SepModeRuleA(dsBoth), smBoth);
        QCOMPARE(SepModeRuleB(dsComma), smComma);
    }
    {
        // A separator that is neither "." nor ",": rule A reads points, rule B commas.
        LocaleGuard g(QLocale(QLocale::Arabic, QLocale::Egypt));
        if (QLocale().decimalPoint() != QStringLiteral(".") && QLocale().decimalPoint() != QStringLiteral(",")) {
            QCOMPARE(SepModeRuleA(dsSysDefault), smPoint);
            QCOMPARE(SepModeRuleB(dsSysDefault), smComma);
        }
    }
}

void TestNumFormats::checkInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("minus") << "-" << false;
    QTest::newRow("plus") << "+" << false;
    QTest::newRow("+7") << "+7" << true;
    QTest::newRow("7") << "7" << true;
    QTest::newRow("-12") << "-12" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("sign last") << "1-" << false;
    QTest::newRow("letter") << "a" << false;
    QTest::newRow("trailing letter") << "12a" << false;
    QTest::newRow("blank") << " 1" << false;
    QTest::newRow("point") << "1.0" << false;
}

void TestNumFormats::checkInt()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(CheckIntText(text), ok);
}

void TestNumFormats::checkBaseDigits_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    for (int b : {16, 8, 2})
        QTest::addRow("empty base %d", b) << b << "" << false;
    QTest::newRow("hex all digits") << 16 << "0123456789abcdefABCDEF" << true;
    QTest::newRow("hex G") << 16 << "FG" << false;
    QTest::newRow("hex dollar") << 16 << "$ff" << false;
    QTest::newRow("oct 7") << 8 << "01234567" << true;
    QTest::newRow("oct 8") << 8 << "8" << false;
    QTest::newRow("bin 0101") << 2 << "0101" << true;
    QTest::newRow("bin 2") << 2 << "2" << false;
    QTest::newRow("bin blank") << 2 << "1 0" << false;
}

void TestNumFormats::checkBaseDigits()
{
    QFETCH(int, base);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const bool got = base == 16 ? CheckHexText(text) : base == 8 ? CheckOctText(text) : CheckBinText(text);
    QCOMPARE(got, ok);
}

void TestNumFormats::scanIntegers_data()
{
    QTest::addColumn<char>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pos");
    QTest::newRow("hex $ff") << 'h' << "$ff" << 255 << 4;
    QTest::newRow("hex FFFFFFFF") << 'h' << "FFFFFFFF" << -1 << 9;
    QTest::newRow("hex 1G") << 'h' << "1G" << 1 << 2;
    QTest::newRow("hex wraps") << 'h' << "100000001" << 1 << 10;
    QTest::newRow("hex dollar after blank") << 'h' << " $1" << 0 << 2;
    QTest::newRow("hex blanks") << 'h' << "  7f" << 127 << 5;
    QTest::newRow("int -12") << 'i' << "-12" << -12 << 4;
    QTest::newRow("int +7") << 'i' << "+7" << 7 << 3;
    QTest::newRow("int blanks") << 'i' << "  42x" << 42 << 5;
    QTest::newRow("int lone minus") << 'i' << "-" << 0 << 2;
    QTest::newRow("int wraps") << 'i' << "2147483648" << int(0x80000000u) << 11;
    QTest::newRow("int 2^32") << 'i' << "4294967296" << 0 << 11;
    QTest::newRow("int only blanks") << 'i' << "   " << 0 << 3;
    QTest::newRow("int empty") << 'i' << "" << 0 << 1;
    QTest::newRow("oct 777") << 'o' << "777" << 511 << 4;
    QTest::newRow("oct 8") << 'o' << "8" << 0 << 1;
    QTest::newRow("oct 37777777777") << 'o' << "37777777777" << -1 << 12;
    QTest::newRow("bin 101") << 'b' << "101" << 5 << 4;
    QTest::newRow("bin 1 and 32 zeros") << 'b' << ("1" + QString(32, '0')) << 0 << 34;
    QTest::newRow("bin 32 ones") << 'b' << QString(32, '1') << -1 << 33;
    QTest::newRow("bin stops at 2") << 'b' << "1012" << 5 << 4;
}

void TestNumFormats::scanIntegers()
{
    QFETCH(char, kind);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, pos);
    int p = 1;
    std::int32_t got = 0;
    switch (kind) {
    case 'h': got = ScanHexText(text, p); break;
    case 'i': got = ScanIntText(text, p); break;
    case 'o': got = ScanOctText(text, p); break;
    default: got = ScanBinText(text, p); break;
    }
    QCOMPARE(int(got), value);
    QCOMPARE(p, pos);
}

void TestNumFormats::floatToFmt_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("sci 1234.5") << 12 << -2 << 1234.5 << " 1.23450E+03";
    QTest::newRow("sci 1E150") << 12 << -2 << 1e150 << "************";
    QTest::newRow("sci 1E-150") << 12 << -2 << 1e-150 << "************";
    QTest::newRow("sci 1E100") << 12 << -2 << 1e100 << "************";
    QTest::newRow("sci 9.9E99") << 12 << -2 << 9.9e99 << " 9.90000E+99";
    QTest::newRow("sci rounds up to 1E100") << 12 << -2 << 9.9999999e99 << "************";
    QTest::newRow("sci negative") << 12 << -2 << -1234.5 << "-1.23450E+03";
    QTest::newRow("sci zero") << 12 << -2 << 0.0 << " 0.00000E+00";
    QTest::newRow("sci small") << 12 << -2 << 1e-5 << " 1.00000E-05";
    QTest::newRow("sci width 14") << 14 << -2 << 1.5 << " 1.5000000E+00";
    QTest::newRow("sci width 8") << 8 << -2 << 25.0 << " 2.5E+01";
    QTest::newRow("fixed -1.5") << 1 << 2 << -1.5 << "-1.50";
    QTest::newRow("fixed 41.7") << 1 << 0 << 41.7 << "42";
    QTest::newRow("fixed padded") << 8 << 2 << 3.14159 << "    3.14";
    QTest::newRow("fixed 8 decimals") << 1 << 8 << 1.0 << "1.00000000";
    QTest::newRow("fixed rounds") << 1 << 3 << 2.0006 << "2.001";
    QTest::newRow("fixed small negative") << 1 << 1 << -0.04 << "-0.0";
    QTest::newRow("fixed big") << 1 << 0 << 1e20 << "100000000000000000000";
}

void TestNumFormats::floatToFmt()
{
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, text);
    const QString got = FloatToFmtText(width, decimals, value);
    QCOMPARE(got, text);
    if (decimals < 0 && width >= 8)
        QCOMPARE(got.size(), width);
}

void TestNumFormats::intToBase_data()
{
    QTest::addColumn<char>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("bin 5") << 'b' << 5 << 8 << "00000101";
    QTest::newRow("oct 8") << 'o' << 8 << 11 << "00000000010";
    QTest::newRow("hex -1") << 'h' << -1 << 8 << "FFFFFFFF";
    QTest::newRow("hex 255 count 0") << 'h' << 255 << 0 << "F";
    QTest::newRow("hex drops high digits") << 'h' << 0x12345678 << 4 << "5678";
    QTest::newRow("hex count limited") << 'h' << 0xABCDEF << 20 << "00ABCDEF";
    QTest::newRow("oct -1") << 'o' << -1 << 11 << "37777777777";
    QTest::newRow("oct count limited") << 'o' << 1 << 30 << "00000000001";
    QTest::newRow("oct negative count") << 'o' << 9 << -3 << "1";
    QTest::newRow("bin -1 limited") << 'b' << -1 << 40 << QString(32, '1');
    QTest::newRow("bin min int") << 'b' << int(0x80000000u) << 32 << ("1" + QString(31, '0'));
    QTest::newRow("bin 256 in 8") << 'b' << 256 << 8 << "00000000";
}

void TestNumFormats::intToBase()
{
    QFETCH(char, kind);
    QFETCH(int, value);
    QFETCH(int, count);
    QFETCH(QString, text);
    const QString got = kind == 'h' ? IntToHexText(value, count)
                      : kind == 'o' ? IntToOctText(value, count)
                                    : IntToBinText(value, count);
    QCOMPARE(got, text);
}

void TestNumFormats::roundToInt32Bits()
{
    QCOMPARE(RoundToInt32Bits(41.7), 42);
    QCOMPARE(RoundToInt32Bits(-41.7), -42);
    QCOMPARE(RoundToInt32Bits(2.5), 2);   // halves to even
    QCOMPARE(RoundToInt32Bits(3.5), 4);
    QCOMPARE(RoundToInt32Bits(4294967295.0), -1);
    QCOMPARE(RoundToInt32Bits(4294967296.0 + 5), 5);
    QCOMPARE(RoundToInt32Bits(-4294967296.0 - 5), -5);
    QCOMPARE(RoundToInt32Bits(std::nan("")), 0);
    QCOMPARE(RoundToInt32Bits(uc_MaxDouble), 0);
}

void TestNumFormats::roundTripScientific()
{
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> expo(-99, 99);
    for (int i = 0; i < 400; ++i) {
        const double v = (i % 2 ? -1 : 1) * mant(rng) * std::pow(10.0, expo(rng));
        const QString text = FloatToFmtText(12, -2, v);
        QCOMPARE(text.size(), 12);
        int p = 1;
        const double back = ScanFloatText(text, true, smPoint, p);
        QCOMPARE(p, 13);
        QVERIFY2(std::fabs(back - v) <= std::fabs(v) * 5.0000001e-6, qPrintable(text));
        // The text of the read number is the same text again.
        QCOMPARE(FloatToFmtText(12, -2, back), text);
    }
}

void TestNumFormats::roundTripFixed()
{
    std::mt19937_64 rng(777);
    std::uniform_real_distribution<double> dist(-1e6, 1e6);
    for (int decimals = 0; decimals <= 8; ++decimals) {
        for (int i = 0; i < 60; ++i) {
            const double v = dist(rng);
            const QString text = FloatToFmtText(1, decimals, v);
            QCOMPARE(text.count(QChar('.')), decimals > 0 ? 1 : 0);
            if (decimals > 0)
                QCOMPARE(int(text.size() - text.indexOf('.') - 1), decimals);
            int p = 1;
            const double back = ScanFloatText(text, false, smPoint, p);
            QCOMPARE(p, int(text.size()) + 1);
            QVERIFY2(std::fabs(back - v) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + 1e-9, qPrintable(text));
            QCOMPARE(FloatToFmtText(1, decimals, back), text);
        }
    }
}

void TestNumFormats::roundTripInt()
{
    std::mt19937 rng(99);
    for (int i = 0; i < 400; ++i) {
        const std::int32_t v = std::int32_t(rng());
        const QString text = FloatToFmtText(1, 0, double(v));
        QVERIFY(CheckIntText(text));
        int p = 1;
        QCOMPARE(ScanIntText(text, p), v);
        QCOMPARE(p, int(text.size()) + 1);
    }
}

void TestNumFormats::roundTripBases()
{
    std::mt19937 rng(4242);
    for (int i = 0; i < 400; ++i) {
        const std::int32_t v = std::int32_t(rng());
        const QString hex = IntToHexText(v, 8);
        const QString oct = IntToOctText(v, 11);
        const QString bin = IntToBinText(v, 32);
        QVERIFY(CheckHexText(hex));
        QVERIFY(CheckOctText(oct));
        QVERIFY(CheckBinText(bin));
        int p = 1;
        QCOMPARE(ScanHexText(hex, p), v);
        QCOMPARE(p, 9);
        p = 1;
        QCOMPARE(ScanHexText("$" + hex.toLower(), p), v);
        p = 1;
        QCOMPARE(ScanOctText(oct, p), v);
        QCOMPARE(p, 12);
        p = 1;
        QCOMPARE(ScanBinText(bin, p), v);
        QCOMPARE(p, 33);
        // Fewer digits keep exactly the low bits.
        p = 1;
        QCOMPARE(std::uint32_t(ScanHexText(IntToHexText(v, 3), p)), std::uint32_t(v) & 0xFFFu);
    }
}

void TestNumFormats::scanMatchesFromChars()
{
    // Bit for bit, on both sides of the exact fast path: up to 19 and past 19 digits, small and
    // large exponents, mantissas around 2^53.
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> digits(0, 9), len(1, 12), expo(-300, 300), small(-30, 30), coin(0, 3);
    for (int i = 0; i < 4000; ++i) {
        std::string s;
        if (coin(rng) == 0)
            s += '-';
        if (i % 7 == 0)
            s += std::to_string((std::uint64_t(1) << 53) - 2 + std::uint64_t(coin(rng)));
        else
            for (int k = len(rng); k > 0; --k)
                s += char('0' + digits(rng));
        if (coin(rng) != 0) {
            s += '.';
            for (int k = len(rng) + (i % 5 == 0 ? 12 : 0); k > 0; --k)
                s += char('0' + digits(rng));
        }
        if (coin(rng) == 1)
            s += "E" + std::to_string(expo(rng));
        else if (coin(rng) != 0)
            s += "E" + std::to_string(small(rng));
        double want = 0;
        if (std::from_chars(s.data(), s.data() + s.size(), want).ec != std::errc())
            continue; // out of range: the scanner's own rows cover it
        int p = 1;
        const double got = ScanFloatText(QString::fromStdString(s), true, smPoint, p);
        QCOMPARE(p, int(s.size()) + 1);
        QVERIFY2(std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want), s.c_str());
    }
}

// ===================================================================================
// The TNumIO edit field.
// ===================================================================================
class TestNumIO : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void defaults();
    void designTimeRange();
    void designModeLeavesTextAlone();
    void rangeSetters_data();
    void rangeSetters();
    void rangeIgnoresNaN();
    void fixPointPlacesClamp_data();
    void fixPointPlacesClamp();
    void exponentBeingTyped();
    void zeroAlwaysAccepted();
    void refusedKeystrokeRestores();
    void onChangeOnlyForValidValues();
    void firstKeystrokeAfterConstructionIsChecked();
    void sameTextDoesNotLeaveInternalFlag();
    void fixPointTruncates();
    void fixPointSecondPointRestores();
    void fixPointDeletedPointReformats();
    void fixPointTypingKeepsFormat();
    void fixPointListenersSeeFinalText();
    void formatChangeEmptiesInvalidText();
    void valueRead_data();
    void valueRead();
    void valueWrite_data();
    void valueWrite();
    void valueWriteDoesNotFireOnChange();
    void refusedKeystrokeReturnsToWrittenValue();
    void commaSeparatorReadsShownNumber();
    void commaLocaleReadsShownNumber();
    void hexOctBinTyping_data();
    void hexOctBinTyping();
    void integerDigitsBeyond32Bits_data();
    void integerDigitsBeyond32Bits();
    void convertNumString_data();
    void convertNumString();
    void assignCopiesSettings();
    void assignToOtherClassRefuses();
    void publishedProperties();

private:
    TNumIO* makeField(TInFormat format, double low, double high);
    QWidget* m_window = nullptr;
    int m_changes = 0;
};

void TestNumIO::init()
{
    m_window = new QWidget;
    m_window->resize(200, 60);
    m_changes = 0;
}

void TestNumIO::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

TNumIO* TestNumIO::makeField(TInFormat format, double low, double high)
{
    auto* f = new TNumIO(m_window);
    f->setGeometry(5, 5, 150, 24);
    f->SetInputFormat(format);
    // High first: from the initial [0, 0] a positive maximum cannot swap roles.
    f->SetRangeHigh(high);
    f->SetRangeLow(low);
    f->OnChange = [this](TObject*) { ++m_changes; };
    m_window->show();
    f->setFocus();
    QApplication::setActiveWindow(m_window);
    return f;
}

void TestNumIO::defaults()
{
    TNumIO f(m_window);
    QCOMPARE(f.InputFormat(), itDynamic);
    QCOMPARE(f.FixPointDecPlaces(), 2);
    QCOMPARE(f.Beep(), false);
    QCOMPARE(f.DecPlaceSep(), dsSysDefault);
    QCOMPARE(f.RangeLow(), 0.0);
    QCOMPARE(f.RangeHigh(), 0.0);
    QCOMPARE(f.Text(), QString());
    QCOMPARE(f.Value(), 0.0);
}

void TestNumIO::designTimeRange()
{
    QWidget form;
    form.setProperty("qorDesigning", true);
    TNumIO f(&form);
    QCOMPARE(f.RangeLow(), -uc_MaxDouble);
    QCOMPARE(f.RangeHigh(), uc_MaxDouble);
}

void TestNumIO::designModeLeavesTextAlone()
{
    QWidget form;
    form.setProperty("qorDesigning", true);
    TNumIO f(&form);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.setText(QStringLiteral("abc"));
    QCOMPARE(f.Text(), QStringLiteral("abc"));
    QCOMPARE(changes, 0);
}

void TestNumIO::rangeSetters_data()
{
    QTest::addColumn<double>("low0");
    QTest::addColumn<double>("high0");
    QTest::addColumn<bool>("setLow");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("low above max swaps") << 0.0 << 10.0 << true << 20.0 << 10.0 << 20.0;
    QTest::newRow("low equal max swaps") << 0.0 << 10.0 << true << 10.0 << 10.0 << 10.0;
    QTest::newRow("low inside") << 0.0 << 10.0 << true << 5.0 << 5.0 << 10.0;
    QTest::newRow("low below") << 0.0 << 10.0 << true << -5.0 << -5.0 << 10.0;
    QTest::newRow("high above") << 0.0 << 10.0 << false << 20.0 << 0.0 << 20.0;
    QTest::newRow("high inside") << 0.0 << 10.0 << false << 5.0 << 0.0 << 5.0;
    QTest::newRow("high equal min swaps") << 0.0 << 10.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("high below min swaps") << 0.0 << 10.0 << false << -3.0 << -3.0 << 0.0;
}

void TestNumIO::rangeSetters()
{
    QFETCH(double, low0);
    QFETCH(double, high0);
    QFETCH(bool, setLow);
    QFETCH(double, x);
    QFETCH(double, low);
    QFETCH(double, high);
    TNumIO f(m_window);
    f.SetRangeHigh(high0);
    f.SetRangeLow(low0);
    QCOMPARE(f.RangeLow(), low0);
    QCOMPARE(f.RangeHigh(), high0);
    if (setLow)
        f.SetRangeLow(x);
    else
        f.SetRangeHigh(x);
    QCOMPARE(f.RangeLow(), low);
    QCOMPARE(f.RangeHigh(), high);
    QVERIFY(f.RangeLow() <= f.RangeHigh());
}

void TestNumIO::rangeIgnoresNaN()
{
    TNumIO f(m_window);
    f.SetRangeHigh(10);
    f.SetRangeLow(std::nan(""));
    f.SetRangeHigh(std::nan(""));
    QCOMPARE(f.RangeLow(), 0.0);
    QCOMPARE(f.RangeHigh(), 10.0);
}

void TestNumIO::fixPointPlacesClamp_data()
{
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("-5") << -5 << 1;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("8") << 8 << 8;
    QTest::newRow("9") << 9 << 8;
    QTest::newRow("100") << 100 << 8;
}

void TestNumIO::fixPointPlacesClamp()
{
    QFETCH(int, in);
    QFETCH(int, out);
    TNumIO* f = makeField(itFixPoint, 0, 100);
    f->setText(QStringLiteral("1.5"));
    const QString before = f->Text();
    f->SetFixPointDecPlaces(in);
    QCOMPARE(f->FixPointDecPlaces(), out);
    QCOMPARE(f->Text(), before); // nothing else happens
}

void TestNumIO::exponentBeingTyped()
{
    TNumIO* f = makeField(itExp, -100, 100);
    QTest::keyClicks(f, "1e");
    QCOMPARE(f->Text(), QStringLiteral("1e"));
    QCOMPARE(m_changes, 2);
    QCOMPARE(f->Value(), 1.0);
    QTest::keyClick(f, Qt::Key_Minus);
    QCOMPARE(f->Text(), QStringLiteral("1e-"));
    QCOMPARE(m_changes, 3);
    QCOMPARE(f->Value(), 1.0);
    QTest::keyClick(f, Qt::Key_2);
    QCOMPARE(f->Text(), QStringLiteral("1e-2"));
    QCOMPARE(f->Value(), 0.01);
    QCOMPARE(m_changes, 4);
}

void TestNumIO::zeroAlwaysAccepted()
{
    TNumIO* f = makeField(itExp, 5, 10);
    f->SetBeep(true);
    const int beeps = testing::BeepCount();
    QTest::keyClick(f, Qt::Key_0);
    QCOMPARE(f->Text(), QStringLiteral("0"));
    QCOMPARE(m_changes, 1);
    QTest::keyClick(f, Qt::Key_Backspace); // empty text does not convert: restored
    QCOMPARE(f->Text(), QStringLiteral("0"));
    f->selectAll();
    QTest::keyClick(f, Qt::Key_3);
    QCOMPARE(f->Text(), QStringLiteral("0"));
    QCOMPARE(m_changes, 1);
    QCOMPARE(testing::BeepCount(), beeps + 2);
    f->selectAll();
    QTest::keyClick(f, Qt::Key_7);
    QCOMPARE(f->Text(), QStringLiteral("7"));
    QCOMPARE(f->Value(), 7.0);
    QCOMPARE(m_changes, 2);
}

void TestNumIO::refusedKeystrokeRestores()
{
    TNumIO* f = makeField(itInt, 0, 1000);
    const int beeps = testing::BeepCount();
    QTest::keyClicks(f, "12a");
    QCOMPARE(f->Text(), QStringLiteral("12"));
    QCOMPARE(m_changes, 2);
    QCOMPARE(testing::BeepCount(), beeps); // Beep is off
    QCOMPARE(f->SelStart(), 2);   // one left of where the refused character left it
    f->SetBeep(true);
    QTest::keyClicks(f, "9999");  // 129 fits, 1299 is out of range
    QCOMPARE(f->Text(), QStringLiteral("129"));
    QCOMPARE(m_changes, 3);
    QCOMPARE(testing::BeepCount(), beeps + 3);
    QCOMPARE(f->Value(), 129.0);
}

void TestNumIO::onChangeOnlyForValidValues()
{
    TNumIO* f = makeField(itFloat, -50, 50);
    QList<double> seen;
    f->OnChange = [&](TObject* sender) {
        QCOMPARE(sender, static_cast<TObject*>(f));
        double v = 0;
        QVERIFY(f->ConvertNumString(f->Text(), v));
        seen << f->Value();
    };
    QTest::keyClicks(f, "-4x.2.5e9");
    QCOMPARE(f->Text(), QStringLiteral("-4.259"));
    QCOMPARE(seen, (QList<double>{0.0, -4.0, -4.0, -4.2, -4.25, -4.259}));
    for (double v : seen)
        QVERIFY(v >= -50 && v <= 50);
}

void TestNumIO::firstKeystrokeAfterConstructionIsChecked()
{
    TNumIO* f = makeField(itInt, 0, 0);
    QTest::keyClick(f, Qt::Key_5);
    QCOMPARE(f->Text(), QString()); // range [0, 0] accepts only 0
    QCOMPARE(m_changes, 0);
}

void TestNumIO::sameTextDoesNotLeaveInternalFlag()
{
    TNumIO* f = makeField(itInt, 0, 100);
    QTest::keyClick(f, Qt::Key_5);
    QCOMPARE(f->Text(), QStringLiteral("5"));
    f->SetEditText(QStringLiteral("5")); // already shown: no change notification follows
    QTest::keyClick(f, Qt::Key_X);
    QCOMPARE(f->Text(), QStringLiteral("5"));
    QTest::keyClick(f, Qt::Key_0);
    QCOMPARE(f->Text(), QStringLiteral("50"));
    QCOMPARE(m_changes, 2);
}

void TestNumIO::fixPointTruncates()
{
    TNumIO* f = makeField(itFixPoint, 0, 100);
    f->setText(QStringLiteral("1.234"));
    QCOMPARE(f->Text(), QStringLiteral("1.23"));
    QCOMPARE(f->Value(), 1.23);
    QCOMPARE(m_changes, 1);
    f->SetFixPointDecPlaces(3);
    f->setText(QStringLiteral("2.5"));
    QCOMPARE(f->Text(), QStringLiteral("2.500"));
}

void TestNumIO::fixPointSecondPointRestores()
{
    TNumIO* f = makeField(itFixPoint, 0, 100);
    f->SetBeep(true);
    f->setText(QStringLiteral("1.234"));
    QCOMPARE(f->Text(), QStringLiteral("1.23"));
    const int beeps = testing::BeepCount();
    f->end(false);
    QTest::keyClick(f, Qt::Key_Period);
    // The restored text is the one shown before, not the longer text that was typed.
    QCOMPARE(f->Text(), QStringLiteral("1.23"));
    QCOMPARE(testing::BeepCount(), beeps + 1);
    QCOMPARE(m_changes, 1);
}

void TestNumIO::fixPointDeletedPointReformats()
{
    TNumIO* f = makeField(itFixPoint, 0, 1000);
    f->setText(QStringLiteral("1.23"));
    f->SetSelStart(2);
    QTest::keyClick(f, Qt::Key_Backspace);
    QCOMPARE(f->Text(), QStringLiteral("123.00"));
    QCOMPARE(f->Value(), 123.0);
}

void TestNumIO::fixPointTypingKeepsFormat()
{
    TNumIO* f = makeField(itFixPoint, 0, 1000);
    QTest::keyClick(f, Qt::Key_1);
    QCOMPARE(f->Text(), QStringLiteral("1.00"));
    QCOMPARE(f->SelStart(), 1);
    QTest::keyClick(f, Qt::Key_2);
    QCOMPARE(f->Text(), QStringLiteral("12.00"));
    QTest::keyClick(f, Qt::Key_Right);
    QTest::keyClick(f, Qt::Key_5);
    QCOMPARE(f->Text(), QStringLiteral("12.50"));
    QCOMPARE(f->Value(), 12.5);
    f->end(false);
    QTest::keyClick(f, Qt::Key_9); // a third decimal is dropped, never rounded in
    QCOMPARE(f->Text(), QStringLiteral("12.50"));
    QCOMPARE(m_changes, 4);
    f->SetBeep(true);
    const int beeps = testing::BeepCount();
    QTest::keyClick(f, Qt::Key_A);
    QCOMPARE(f->Text(), QStringLiteral("12.50"));
    QCOMPARE(m_changes, 4);
    QCOMPARE(testing::BeepCount(), beeps + 1);
}

void TestNumIO::fixPointListenersSeeFinalText()
{
    TNumIO* f = makeField(itFixPoint, 0, 100);
    QString seen;
    f->OnChange = [&](TObject*) { seen = f->Text(); };
    f->setText(QStringLiteral("7.891"));
    QCOMPARE(seen, QStringLiteral("7.89"));
}

void TestNumIO::formatChangeEmptiesInvalidText()
{
    TNumIO* f = makeField(itDynamic, -10, 10);
    f->SetBeep(true);
    QTest::keyClicks(f, "1.5");
    QCOMPARE(f->Text(), QStringLiteral("1.5"));
    const int beeps = testing::BeepCount();
    f->SetInputFormat(itInt);
    QCOMPARE(f->Text(), QString());
    QCOMPARE(testing::BeepCount(), beeps + 1);
    // A valid text survives a change of format.
    QTest::keyClick(f, Qt::Key_4);
    f->SetInputFormat(itFloat);
    QCOMPARE(f->Text(), QStringLiteral("4"));
}

void TestNumIO::valueRead_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("trailing point") << itFloat << "12." << 12.0;
    QTest::newRow("empty") << itFloat << "" << 0.0;
    QTest::newRow("exp text") << itExp << " 1.23450E+03" << 1234.5;
    QTest::newRow("dynamic exp") << itDynamic << "2.5e1" << 25.0;
    QTest::newRow("int") << itInt << "-42" << -42.0;
    QTest::newRow("hex") << itHex << "FFFFFFFF" << -1.0;
    QTest::newRow("oct") << itOct << "17" << 15.0;
    QTest::newRow("bin") << itBin << "101" << 5.0;
    QTest::newRow("dynamic hex") << itDynamic << "$1f" << 31.0;
    QTest::newRow("dynamic bin") << itDynamic << "%101" << 5.0;
    QTest::newRow("dynamic oct") << itDynamic << "&17" << 15.0;
    QTest::newRow("lone minus") << itExp << "-" << 0.0;
}

void TestNumIO::valueRead()
{
    QFETCH(TInFormat, format);
    QFETCH(QString, text);
    QFETCH(double, value);
    TNumIO* f = makeField(format, -uc_MaxDouble, uc_MaxDouble);
    f->setText(text);
    QCOMPARE(f->Text(), text);
    QCOMPARE(f->Value(), value);
}

void TestNumIO::valueWrite_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("float") << itFloat << 1.5 << "1.50000000";
    QTest::newRow("fixpoint") << itFixPoint << -1.5 << "-1.50";
    QTest::newRow("int") << itInt << 41.7 << "42";
    QTest::newRow("hex") << itHex << 255.0 << "000000FF";
    QTest::newRow("hex negative") << itHex << -1.0 << "FFFFFFFF";
    QTest::newRow("oct") << itOct << 8.0 << "00000010";
    QTest::newRow("bin") << itBin << 5.4 << "00000101";
    // Eight digits at least, more where the value needs them: no bit is dropped.
    QTest::newRow("bin past 8 bits") << itBin << 1280.0 << "10100000000";
    QTest::newRow("bin negative") << itBin << -1.0 << QString(32, QLatin1Char('1'));
    QTest::newRow("oct past 24 bits") << itOct << 16777216.0 << "100000000";
    QTest::newRow("oct negative") << itOct << -8.0 << "37777777770";
    QTest::newRow("exp") << itExp << 1234.5 << " 1.23450E+03";
    QTest::newRow("dynamic") << itDynamic << -0.5 << "-5.00000E-01";
    QTest::newRow("exp huge") << itExp << 1e150 << "************";
}

void TestNumIO::valueWrite()
{
    QFETCH(TInFormat, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    TNumIO* f = makeField(format, -uc_MaxDouble, uc_MaxDouble);
    f->SetValue(value);
    QCOMPARE(f->Text(), text);
}

void TestNumIO::valueWriteDoesNotFireOnChange()
{
    TNumIO* f = makeField(itFloat, 0, 10);
    f->SetValue(3);
    QCOMPARE(m_changes, 0);
    QCOMPARE(f->Value(), 3.0);
    // and the field goes on checking afterwards
    f->end(false);
    QTest::keyClick(f, Qt::Key_1);
    QCOMPARE(f->Text(), QStringLiteral("3.000000001"));
    QCOMPARE(m_changes, 1);
}

void TestNumIO::refusedKeystrokeReturnsToWrittenValue()
{
    TNumIO* f = makeField(itInt, 0, 100);
    QTest::keyClick(f, Qt::Key_7);
    f->SetValue(42);
    f->end(false);
    QTest::keyClick(f, Qt::Key_Z);
    QCOMPARE(f->Text(), QStringLiteral("42"));
}

void TestNumIO::commaSeparatorReadsShownNumber()
{
    TNumIO* f = makeField(itFloat, 0, 10);
    f->SetDecPlaceSep(dsComma);
    QTest::keyClicks(f, "1,5");
    QCOMPARE(f->Text(), QStringLiteral("1,5"));
    QCOMPARE(f->Value(), 1.5);
    QTest::keyClick(f, Qt::Key_Period); // not a separator in comma mode
    QCOMPARE(f->Text(), QStringLiteral("1,5"));
    QTest::keyClick(f, Qt::Key_Backspace);
    QCOMPARE(f->Text(), QStringLiteral("1,"));
    QCOMPARE(f->Value(), 1.0);
    // A written value shows the comma and can be edited further.
    f->SetValue(2.25);
    QCOMPARE(f->Text(), QStringLiteral("2,25000000"));
    QCOMPARE(f->Value(), 2.25);
    f->end(false);
    QTest::keyClick(f, Qt::Key_1);
    QCOMPARE(f->Text(), QStringLiteral("2,250000001"));
    QCOMPARE(f->Value(), 2.250000001);
}

void TestNumIO::commaLocaleReadsShownNumber()
{
    LocaleGuard g(QLocale(QLocale::German, QLocale::Germany));
    TNumIO* f = makeField(itFixPoint, 0, 100);
    QTest::keyClick(f, Qt::Key_3);
    QCOMPARE(f->Text(), QStringLiteral("3,00"));
    QCOMPARE(f->Value(), 3.0);
    f->setText(QStringLiteral("4,567"));
    QCOMPARE(f->Text(), QStringLiteral("4,56"));
    QCOMPARE(f->Value(), 4.56);
    f->SetDecPlaceSep(dsPoint);
    QCOMPARE(f->Text(), QString()); // "4,56" is no number with a point separator
    f->setText(QStringLiteral("4.5"));
    QCOMPARE(f->Text(), QStringLiteral("4.50"));
}

void TestNumIO::hexOctBinTyping_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("hex") << itHex << "ffg" << "ff" << 255.0;
    QTest::newRow("hex upper") << itHex << "1A" << "1A" << 26.0;
    QTest::newRow("hex range") << itHex << "fff" << "ff" << 255.0;
    QTest::newRow("oct") << itOct << "178" << "17" << 15.0;
    QTest::newRow("bin") << itBin << "1012" << "101" << 5.0;
    QTest::newRow("dynamic $") << itDynamic << "$1f" << "$1f" << 31.0;
    QTest::newRow("dynamic $ alone") << itDynamic << "$" << "$" << 0.0;
    QTest::newRow("dynamic $ then g") << itDynamic << "$ag" << "$a" << 10.0;
    QTest::newRow("dynamic %") << itDynamic << "%1012" << "%101" << 5.0;
    QTest::newRow("dynamic &") << itDynamic << "&179" << "&17" << 15.0;
    QTest::newRow("dynamic double prefix") << itDynamic << "$$" << "$" << 0.0;
    QTest::newRow("dynamic decimal") << itDynamic << "12.5e1" << "12.5e1" << 125.0;
}

void TestNumIO::hexOctBinTyping()
{
    QFETCH(TInFormat, format);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(double, value);
    TNumIO* f = makeField(format, 0, 1000);
    QTest::keyClicks(f, keys);
    QCOMPARE(f->Text(), text);
    QCOMPARE(f->Value(), value);
}

// A digit that would carry an integer past 32 bits is refused: the scan would wrap, and the
// field would show one number and report another.
void TestNumIO::integerDigitsBeyond32Bits_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("int top") << itInt << "21474836470" << "2147483647" << 2147483647.0;
    QTest::newRow("int bottom") << itInt << "-21474836480" << "-2147483648" << -2147483648.0;
    QTest::newRow("int one past") << itInt << "2147483648" << "214748364" << 214748364.0;
    QTest::newRow("int eleven nines") << itInt << "99999999999" << "999999999" << 999999999.0;
    QTest::newRow("hex eight digits") << itHex << "fffffffff" << "ffffffff" << -1.0;
    QTest::newRow("hex leading zeros") << itHex << "000000001" << "000000001" << 1.0;
    QTest::newRow("oct top") << itOct << "377777777777" << "37777777777" << -1.0;
    QTest::newRow("oct one past") << itOct << "40000000000" << "4000000000" << 536870912.0;
    QTest::newRow("bin 32 digits") << itBin << QString(33, QLatin1Char('1')) << QString(32, QLatin1Char('1')) << -1.0;
    QTest::newRow("dynamic $") << itDynamic << "$100000000" << "$10000000" << 268435456.0;
    QTest::newRow("dynamic %") << itDynamic << ("%1" + QString(32, QLatin1Char('0'))) << ("%1" + QString(31, QLatin1Char('0'))) << -2147483648.0;
}

void TestNumIO::integerDigitsBeyond32Bits()
{
    QFETCH(TInFormat, format);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(double, value);
    TNumIO* f = makeField(format, -uc_MaxDouble, uc_MaxDouble);
    QTest::keyClicks(f, keys);
    QCOMPARE(f->Text(), text);
    QCOMPARE(f->Value(), value);
    double v = 0;
    QCOMPARE(f->ConvertNumString(keys, v), keys == text); // the whole keyed text, where a key was refused
}

void TestNumIO::convertNumString_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << itExp << "" << false << -7.0; // value untouched
    QTest::newRow("only blanks") << itExp << "   " << true << 0.0;
    QTest::newRow("leading blanks") << itExp << "  12" << true << 12.0;
    QTest::newRow("inner blank") << itExp << "1 2" << false << 0.0;
    QTest::newRow("trailing blank") << itExp << "12 " << false << 0.0;
    QTest::newRow("exp e") << itExp << "1e" << true << 1.0;
    QTest::newRow("exp e+") << itExp << "1e+" << true << 1.0;
    QTest::newRow("exp alone") << itExp << "e" << true << 0.0;
    QTest::newRow("exp 12A") << itExp << "12A" << false << 12.0;
    QTest::newRow("float refuses e") << itFloat << "1e5" << false << 1.0;
    QTest::newRow("int") << itInt << "+7" << true << 7.0;
    QTest::newRow("int lone sign") << itInt << "-" << true << 0.0;
    QTest::newRow("int point") << itInt << "1.5" << false << 1.0;
    QTest::newRow("hex upper") << itHex << "$FF" << true << 255.0;
    QTest::newRow("oct 9") << itOct << "9" << false << 0.0;
    // Beyond 32 bits the scan wraps: the text is refused, the value is the wrapped scan.
    QTest::newRow("bin beyond 32 bits") << itBin << ("1" + QString(32, '0')) << false << 0.0;
    QTest::newRow("dynamic % beyond 32 bits") << itDynamic << ("%1" + QString(32, '0')) << false << 0.0;
    QTest::newRow("int beyond 32 bits") << itInt << "-99999999999" << false << -1215752191.0;
    QTest::newRow("hex 32 bits") << itHex << "ffffffff" << true << -1.0;
}

void TestNumIO::convertNumString()
{
    QFETCH(TInFormat, format);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    TNumIO f(m_window);
    f.SetInputFormat(format);
    double v = -7.0;
    QCOMPARE(f.ConvertNumString(text, v), ok);
    QCOMPARE(v, value);
}

void TestNumIO::assignCopiesSettings()
{
    TNumIO a(m_window), b(m_window);
    a.SetInputFormat(itHex);
    a.SetBeep(true);
    a.SetRangeHigh(50);
    a.SetRangeLow(-20);
    a.SetDecPlaceSep(dsBoth);
    a.SetFixPointDecPlaces(5);
    a.setText(QStringLiteral("1f"));
    QCOMPARE(a.Text(), QStringLiteral("1f"));
    b.Assign(&a);
    QCOMPARE(b.InputFormat(), itHex);
    QCOMPARE(b.Beep(), true);
    QCOMPARE(b.RangeLow(), -20.0);
    QCOMPARE(b.RangeHigh(), 50.0);
    QCOMPARE(b.DecPlaceSep(), dsBoth);
    QCOMPARE(b.FixPointDecPlaces(), 2);
    QCOMPARE(b.Text(), QString());
}

void TestNumIO::assignToOtherClassRefuses()
{
    TNumIO n(m_window);
    TCustomEdit e(m_window);
    bool thrown = false;
    try {
        e.Assign(&n); // must neither copy nor bounce between Assign and AssignTo
    } catch (const EQORError&) {
        thrown = true;
    }
    QVERIFY(thrown);
    thrown = false;
    try {
        n.Assign(&e);
    } catch (const EQORError&) {
        thrown = true;
    }
    QVERIFY(thrown);
}

void TestNumIO::publishedProperties()
{
    TNumIO f(m_window);
    const QMetaObject* mo = f.metaObject();
    for (const char* name : {"Beep", "DecPlaceSep", "FixPointDecPlaces", "InputFormat", "RangeHigh", "RangeLow"})
        QVERIFY2(mo->indexOfProperty(name) >= 0, name);
    QVERIFY(f.setProperty("FixPointDecPlaces", 12));
    QCOMPARE(f.FixPointDecPlaces(), 8);
    QVERIFY(f.setProperty("RangeHigh", 9.0));
    QCOMPARE(f.RangeHigh(), 9.0);
    QCOMPARE(f.property("Beep").toBool(), false);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestNumFormats t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestNumIO t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "tst_numio.moc"

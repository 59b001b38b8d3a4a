// Tests of the raster label: character set, text lengths, auto rules, pixels, scrolling.
#include "foundation/QOR_Testing.h"
#include "displays/QOR_RasterLab.h"

#include <QtTest>
#include <bit>
#include <cstring>
#include <climits>
#include <memory>

using namespace qor;

namespace {

struct TimerFailGuard {
    TimerFailGuard() { testing::SetTimerStartsFail(true); }
    ~TimerFailGuard() { testing::SetTimerStartsFail(false); }
};

TColor px(TRasterLab& lab, int x, int y) { return lab.Canvas()->Pixels(x, y); }

} // namespace

class TestRasterLab : public QObject {
    Q_OBJECT

private slots:
    void builtInGlyphs_data();
    void builtInGlyphs();
    void builtInSetIsConsistent();
    void charCodes_data();
    void charCodes();
    void textLength_data();
    void textLength();
    void defaults();
    void clamping_data();
    void clamping();
    void autoHeight_data();
    void autoHeight();
    void autoCenter();
    void paintedLengthMatchesPrediction();
    void dotPixels();
    void singlePixelDots();
    void blockModes_data();
    void blockModes();
    void frames_data();
    void frames();
    void scrollRightLoops();
    void scrollOtherModes_data();
    void scrollOtherModes();
    void scrollWithoutLoopStaysBounded();
    void scrollOffResetsAndStops();
    void designModeDoesNotScroll();
    void noTimerAvailable();
    void sampledFont();
    void sampledFontIgnoresFontColour();
    void sampledEmptyGlyphAdvancesOneColumn();
    void fontChangeReappliesAutoRules();
    void assign();
};

void TestRasterLab::builtInGlyphs_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("0") << 0x30 << 1 << 5 << QList<int>{0x00, 0x1C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x1C, 0x00, 0x00};
    QTest::newRow("A") << 0x41 << 0 << 6 << QList<int>{0x00, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0x00, 0x00};
    QTest::newRow("g") << 0x67 << 0 << 6 << QList<int>{0x00, 0x00, 0x00, 0x00, 0x7E, 0x21, 0x21, 0x21, 0x3E, 0x20, 0x20, 0x1E};
    QTest::newRow(".") << 0x2E << 3 << 3 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0, 0};
    QTest::newRow("space") << 0x20 << 0 << 6 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("A diaeresis") << 0xC4 << 0 << 6 << QList<int>{0x22, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0x00, 0x00};
}

void TestRasterLab::builtInGlyphs()
{
    QFETCH(int, code);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(QList<int>, rows);
    const TRDCharMatrix& m = BuiltInRasterFont();
    QCOMPARE(m.FontWidth, 7);
    QCOMPARE(m.FontHeight, 12);
    QCOMPARE(int(m.LeftMostBit[code]), left);
    QCOMPARE(int(m.RightMostBit[code]), right);
    for (int r = 0; r < 12; ++r)
        QCOMPARE(int(m.BitData[code][r]), rows[r]);
    for (int r = 12; r < 32; ++r)
        QCOMPARE(int(m.BitData[code][r]), 0);
}

void TestRasterLab::builtInSetIsConsistent()
{
    const TRDCharMatrix& m = BuiltInRasterFont();
    for (int code = 0; code < 32; ++code) {
        QCOMPARE(int(m.LeftMostBit[code]), 0);
        QCOMPARE(int(m.RightMostBit[code]), 0);
        for (int r = 0; r < 32; ++r)
            QCOMPARE(int(m.BitData[code][r]), 0);
    }
    int withDots = 0;
    for (int code = 32; code < 256; ++code) {
        std::uint32_t all = 0;
        for (int r = 0; r < 12; ++r)
            all |= m.BitData[code][r];
        QVERIFY2(all < 0x80, qPrintable(QString::number(code, 16)));
        if (all == 0)
            continue;
        ++withDots;
        // bounds are the outermost dot columns
        QCOMPARE(int(m.LeftMostBit[code]), std::countr_zero(all));
        QCOMPARE(int(m.RightMostBit[code]), 31 - std::countl_zero(all));
    }
    // every printable code of the code page has a glyph (blanks: space, DEL, nbsp, five unused codes)
    QCOMPARE(withDots, 224 - 8);
    // the euro sign and a few letters from the upper half differ from each other
    QVERIFY(std::memcmp(m.BitData[0x80], m.BitData[0x45], sizeof m.BitData[0]) != 0);
    QVERIFY(std::memcmp(m.BitData[0xC0], m.BitData[0xC1], sizeof m.BitData[0]) != 0);
    QVERIFY(std::memcmp(m.BitData[0xE9], m.BitData[0x65], sizeof m.BitData[0]) != 0);
}

void TestRasterLab::charCodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("codes");
    QTest::newRow("ascii") << QString("Az 9") << QByteArray("Az 9");
    QTest::newRow("euro") << QString(QChar(0x20AC)) << QByteArray(1, char(0x80));
    QTest::newRow("A diaeresis") << QString(QChar(0xC4)) << QByteArray(1, char(0xC4));
    QTest::newRow("y diaeresis") << QString(QChar(0xFF)) << QByteArray(1, char(0xFF));
    QTest::newRow("S caron") << QString(QChar(0x160)) << QByteArray(1, char(0x8A));
    QTest::newRow("outside: CJK") << QString(QChar(0x4E2D)) << QByteArray("?");
    QTest::newRow("outside: C1 control") << QString(QChar(0x81)) << QByteArray("?");
    QTest::newRow("outside: emoji is one character") << QString::fromUcs4(U"a\U0001F600b") << QByteArray("a?b");
}

void TestRasterLab::charCodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, codes);
    QCOMPARE(RasterTextCodes(text), codes);
}

void TestRasterLab::textLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dotSize");
    QTest::addColumn<int>("dotSpacing");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<int>("length");
    QTest::newRow("AA proportional") << "AA" << 3 << 1 << true << 64;
    QTest::newRow("AA fixed") << "AA" << 3 << 1 << false << 64;
    QTest::newRow(".. proportional") << ".." << 3 << 1 << true << 16;
    QTest::newRow(".. fixed") << ".." << 3 << 1 << false << 64;
    QTest::newRow("0 proportional") << "0" << 3 << 1 << true << 24;
    QTest::newRow("space proportional") << " " << 3 << 1 << true << 32;
    QTest::newRow("empty") << "" << 3 << 1 << true << 0;
    QTest::newRow("A.0 dots 1/0") << "A.0" << 1 << 0 << true << 8 + 2 + 6;
    QTest::newRow("A.0 dots 2/3 fixed") << "A.0" << 2 << 3 << false << 3 * 8 * 5;
    QTest::newRow("i! proportional") << "i!" << 3 << 1 << true << (4 - 2 + 2) * 4 + (3 - 3 + 2) * 4;
}

void TestRasterLab::textLength()
{
    QFETCH(QString, text);
    QFETCH(int, dotSize);
    QFETCH(int, dotSpacing);
    QFETCH(bool, proportional);
    QFETCH(int, length);
    QCOMPARE(RasterTextBitLength(BuiltInRasterFont(), text, dotSize, dotSpacing, proportional), length);
    QWidget host;
    TRasterLab lab(&host);
    lab.SetDotSize(dotSize);
    lab.SetDotSpacing(dotSpacing);
    lab.SetProportional(proportional);
    QCOMPARE(lab.CalcTextBitLength(text), length);
}

void TestRasterLab::defaults()
{
    QWidget host;
    TRasterLab lab(&host);
    QCOMPARE(lab.width(), 400);
    QCOMPARE(lab.height(), 68);
    QCOMPARE(lab.AutoHeight(), false);
    QCOMPARE(lab.AutoCenter(), false);
    QCOMPARE(lab.CharBlockMode(), rdbmOn);
    QCOMPARE(lab.ColorDotOff(), TColor(0x404040));
    QCOMPARE(lab.ColorDotOn(), TColor(0x00FF00));
    QCOMPARE(lab.ColorLabBakG(), TColor(0));
    QCOMPARE(lab.ColorScheme(), csFixed);
    QCOMPARE(lab.DotSize(), 3);
    QCOMPARE(lab.DotSpacing(), 1);
    QCOMPARE(lab.Font()->Name(), QString("default"));
    QCOMPARE(lab.Font()->Size(), 8);
    QCOMPARE(lab.FrameStyle(), fsLowered);
    QCOMPARE(lab.PosX(), 1);
    QCOMPARE(lab.PosY(), 1);
    QCOMPARE(lab.Proportional(), true);
    QCOMPARE(lab.ScrollMode(), rdsmOff);
    QCOMPARE(lab.ScrollInterval(), 100);
    QCOMPARE(lab.ScrollIncrement(), 1);
    QCOMPARE(lab.ScrollLoop(), true);
    QCOMPARE(lab.Text(), QString("Text"));
    QCOMPARE(lab.ScrollTimerEnabled(), false);
    QVERIFY(!lab.ScrollTimer()->Active());
    QCOMPARE(std::memcmp(&lab.CharMatrix(), &BuiltInRasterFont(), sizeof(TRDCharMatrix)), 0);
}

void TestRasterLab::clamping_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("interval 5") << "ScrollInterval" << 5 << 10;
    QTest::newRow("interval -1") << "ScrollInterval" << -1 << 10;
    QTest::newRow("interval 10") << "ScrollInterval" << 10 << 10;
    QTest::newRow("interval 250") << "ScrollInterval" << 250 << 250;
    QTest::newRow("increment -3") << "ScrollIncrement" << -3 << 3;
    QTest::newRow("increment 0") << "ScrollIncrement" << 0 << 1;
    QTest::newRow("increment 7") << "ScrollIncrement" << 7 << 7;
    QTest::newRow("increment INT_MIN") << "ScrollIncrement" << INT_MIN << INT_MAX;
    QTest::newRow("spacing 7") << "DotSpacing" << 7 << 3;
    QTest::newRow("spacing -1") << "DotSpacing" << -1 << 0;
    QTest::newRow("spacing 2") << "DotSpacing" << 2 << 2;
    QTest::newRow("size 0") << "DotSize" << 0 << 1;
    QTest::newRow("size 33") << "DotSize" << 33 << 32;
    QTest::newRow("size 32") << "DotSize" << 32 << 32;
}

void TestRasterLab::clamping()
{
    QFETCH(QString, property);
    QFETCH(int, value);
    QFETCH(int, stored);
    QWidget host;
    TRasterLab lab(&host);
    if (property == "ScrollInterval") {
        lab.SetScrollInterval(value);
        QCOMPARE(lab.ScrollInterval(), stored);
    } else if (property == "ScrollIncrement") {
        lab.SetScrollIncrement(value);
        QCOMPARE(lab.ScrollIncrement(), stored);
    } else if (property == "DotSpacing") {
        lab.SetDotSpacing(value);
        QCOMPARE(lab.DotSpacing(), stored);
    } else {
        lab.SetDotSize(value);
        QCOMPARE(lab.DotSize(), stored);
    }
}

void TestRasterLab::autoHeight_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("dotSize");
    QTest::addColumn<int>("dotSpacing");
    QTest::addColumn<int>("height");
    QTest::newRow("lowered 3/1") << int(fsLowered) << 3 << 1 << 1 + 4 * 12;
    QTest::newRow("simple 3/1") << int(fsSimple) << 3 << 1 << 49;
    QTest::newRow("raised 3/1") << int(fsRaised) << 3 << 1 << 49;
    QTest::newRow("ridge 3/1") << int(fsRidge) << 3 << 1 << 2 + 48;
    QTest::newRow("groove 2/0") << int(fsGroove) << 2 << 0 << 2 + 24;
    QTest::newRow("none 1/0") << int(fsNone) << 1 << 0 << 12;
}

void TestRasterLab::autoHeight()
{
    QFETCH(int, frame);
    QFETCH(int, dotSize);
    QFETCH(int, dotSpacing);
    QFETCH(int, height);
    QCOMPARE(RasterAutoHeight(TFrameStyle(frame), dotSize + dotSpacing, 12), height);

    QWidget host;
    TRasterLab lab(&host);
    lab.SetFrameStyle(TFrameStyle(frame));
    lab.SetDotSize(dotSize);
    lab.SetDotSpacing(dotSpacing);
    QCOMPARE(lab.height(), 68); // untouched while off
    lab.SetAutoHeight(true);
    QCOMPARE(lab.height(), height);

    // changing the dot size re-applies the rule
    lab.SetDotSize(dotSize + 1);
    QCOMPARE(lab.height(), height + 12);
    // so does the frame, whose width enters the height
    lab.SetFrameStyle(frame == int(fsRidge) ? fsNone : fsRidge);
    QCOMPARE(lab.height(), RasterAutoHeight(lab.FrameStyle(), lab.DotSize() + lab.DotSpacing(), 12));
}

void TestRasterLab::autoCenter()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetText("AA");
    lab.SetPosX(40);
    lab.SetAutoCenter(true);
    QCOMPARE(lab.PosX(), (400 - 64) / 2 + 1 + 1);
    lab.SetText("A.");
    QCOMPARE(lab.PosX(), (400 - 40) / 2 + 2);
    // a wider grid re-centres
    lab.SetDotSize(4);
    QCOMPARE(lab.PosX(), (400 - 50) / 2 + 2);
    // fixed spacing lengthens the text: it stays centred
    lab.SetProportional(false);
    QCOMPARE(lab.PosX(), (400 - 2 * 8 * 5) / 2 + 2);
    // a double frame shifts it by its width
    lab.SetFrameStyle(fsGroove);
    QCOMPARE(lab.PosX(), (400 - 80) / 2 + 3);
    // odd remainders truncate
    lab.SetFrameStyle(fsNone);
    lab.resize(401, 68);
    lab.AdjustAutoCenter();
    QCOMPARE(lab.PosX(), (401 - 80) / 2 + 1);
    QCOMPARE(RasterAutoCenterX(fsNone, 10, 15), -2 + 1); // truncating division towards zero
    lab.SetAutoCenter(false);
    QCOMPARE(lab.PosX(), 1);
}

void TestRasterLab::paintedLengthMatchesPrediction()
{
    QWidget host;
    TRasterLab lab(&host);
    for (const QString& t : {QString("AA"), QString(".."), QString("Hello, World!"), QString()}) {
        for (bool prop : {true, false}) {
            lab.SetText(t);
            lab.SetProportional(prop);
            lab.Paint();
            QCOMPARE(lab.TextBitLength(), lab.CalcTextBitLength(t));
        }
    }
}

void TestRasterLab::dotPixels()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetFrameStyle(fsNone);
    lab.SetCharBlockMode(rdbmOff);
    lab.SetText("A");
    lab.SetPosX(5);
    lab.SetPosY(2);
    lab.Paint();
    // row 9 of 'A' is ###.### : dots at columns 0,1,2 and 4,5,6
    const int y9 = 2 + 9 * 4;
    for (int col = 0; col < 7; ++col) {
        const int x = 5 + col * 4;
        const TColor expect = col == 3 ? 0 : 0x00FF00;
        for (int d = 0; d < 3; ++d) {
            QCOMPARE(px(lab, x + d, y9), expect);
            QCOMPARE(px(lab, x + d, y9 + 2), expect);
        }
        QCOMPARE(px(lab, x + 3, y9), TColor(0)); // spacing between dots
        QCOMPARE(px(lab, x, y9 + 3), TColor(0));
    }
    // the apex in row 1, column 3
    QCOMPARE(px(lab, 5 + 12, 2 + 4), TColor(0x00FF00));
    QCOMPARE(px(lab, 5 + 12 + 2, 2 + 4 + 2), TColor(0x00FF00));
    QCOMPARE(px(lab, 5 + 8, 2 + 4), TColor(0));
    // nothing above row 1
    for (int x = 0; x < 40; ++x)
        QCOMPARE(px(lab, x, 2), TColor(0));
    // moving the text moves the dots
    lab.SetPosX(6);
    QCOMPARE(px(lab, 5, y9), TColor(0));
    QCOMPARE(px(lab, 6, y9), TColor(0x00FF00));
}

void TestRasterLab::singlePixelDots()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetFrameStyle(fsNone);
    lab.SetCharBlockMode(rdbmOff);
    lab.SetDotSize(1);
    lab.SetDotSpacing(0);
    lab.SetText("0");
    lab.SetPosX(10);
    lab.SetPosY(10);
    lab.Paint();
    // '0' is drawn from its first dot column (1): row 1 = ..###.. -> x 11..13 relative 1..3
    QCOMPARE(px(lab, 10, 11), TColor(0));
    QCOMPARE(px(lab, 11, 11), TColor(0x00FF00));
    QCOMPARE(px(lab, 13, 11), TColor(0x00FF00));
    QCOMPARE(px(lab, 14, 11), TColor(0));
    QCOMPARE(px(lab, 10, 12), TColor(0x00FF00)); // row 2 = .#...#.
    QCOMPARE(px(lab, 14, 12), TColor(0x00FF00));
    QCOMPARE(px(lab, 12, 12), TColor(0));
}

void TestRasterLab::blockModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<uint>("gapColumnDot");   // dot position in the empty column before the text
    QTest::addColumn<uint>("unlitDot");       // an unlit dot inside the glyph box
    QTest::addColumn<uint>("gridGap");        // the spacing line between two unlit dots
    QTest::addColumn<uint>("afterGlyph");     // the empty column after the glyph
    QTest::newRow("off") << int(rdbmOff) << 0u << 0u << 0u << 0u;
    QTest::newRow("on") << int(rdbmOn) << 0u << 0x404040u << 0u << 0u;
    QTest::newRow("raster") << int(rdbmRaster) << 0x404040u << 0x404040u << 0u << 0x404040u;
}

void TestRasterLab::blockModes()
{
    QFETCH(int, mode);
    QFETCH(uint, gapColumnDot);
    QFETCH(uint, unlitDot);
    QFETCH(uint, gridGap);
    QFETCH(uint, afterGlyph);
    QWidget host;
    TRasterLab lab(&host);
    lab.SetFrameStyle(fsNone);
    lab.SetCharBlockMode(TRDBlockMode(mode));
    lab.SetText("A");
    lab.SetPosX(9);
    lab.SetPosY(1);
    lab.Paint();
    // dot rows start at y = 1 + 4k; the gap line of the grid is at y = 4k
    QCOMPARE(px(lab, 5, 5), TColor(gapColumnDot));
    QCOMPARE(px(lab, 9, 5), TColor(unlitDot));      // row 1, column 0 of 'A' is unlit
    QCOMPARE(px(lab, 9, 4), TColor(gridGap));
    QCOMPARE(px(lab, 12, 5), TColor(gridGap));
    QCOMPARE(px(lab, 9 + 28, 5), TColor(afterGlyph));
    QCOMPARE(px(lab, 9 + 12, 5), TColor(0x00FF00)); // the lit apex
    // far right of the text: grid continues in every mode that shows unlit dots
    QCOMPARE(px(lab, 9 + 40, 41), TColor(mode == rdbmOff ? 0 : 0x404040));
}

void TestRasterLab::frames_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<uint>("outerLeft");   // x = 0
    QTest::addColumn<uint>("innerLeft");   // x = 1
    QTest::addColumn<uint>("outerRight");  // x = W-1
    QTest::addColumn<uint>("innerRight");  // x = W-2
    QTest::newRow("simple") << int(fsSimple) << 0x808080u << 0x404040u << 0x808080u << 0x404040u;
    QTest::newRow("lowered") << int(fsLowered) << 0x808080u << 0u << 0xFFFFFFu << 0x808080u;
    QTest::newRow("raised") << int(fsRaised) << 0x808080u << 0xFFFFFFu << 0u << 0x808080u;
    QTest::newRow("ridge") << int(fsRidge) << 0xFFFFFFu << 0x808080u << 0x808080u << 0xFFFFFFu;
    QTest::newRow("groove") << int(fsGroove) << 0x808080u << 0xFFFFFFu << 0xFFFFFFu << 0x808080u;
}

void TestRasterLab::frames()
{
    QFETCH(int, frame);
    QFETCH(uint, outerLeft);
    QFETCH(uint, innerLeft);
    QFETCH(uint, outerRight);
    QFETCH(uint, innerRight);
    QWidget host;
    TRasterLab lab(&host);
    lab.SetText("");
    lab.SetFrameStyle(TFrameStyle(frame));
    lab.Paint();
    const int w = lab.width();
    // y = 6 is a dot row of the grid (PosY 1, step 4 -> rows 1..3, 5..7, ...)
    QCOMPARE(px(lab, 0, 6), TColor(outerLeft));
    QCOMPARE(px(lab, 1, 6), TColor(innerLeft));
    QCOMPARE(px(lab, w - 1, 6), TColor(outerRight));
    QCOMPARE(px(lab, w - 2, 6), TColor(innerRight));
    // the system scheme takes the palette's shadow for the grey line
    lab.SetColorScheme(csSystem);
    const TColor shadow = lab.ResolveColor(clBtnShadow);
    if (outerLeft == 0x808080u)
        QCOMPARE(px(lab, 0, 6), shadow);
}

void TestRasterLab::scrollRightLoops()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.resize(100, 68);
    lab.SetText("A"); // 32 pixels long
    lab.SetScrollIncrement(30);
    QStringList events;
    int seenOffset = 0;
    lab.OnScrollLoopRestart = [&](TObject* s) { QCOMPARE(s, &lab); events << "restart"; };
    lab.OnScrollTimer = [&](TObject* s) { QCOMPARE(s, &lab); events << "tick"; seenOffset = lab.ScrollPosX(); };
    lab.SetScrollMode(rdsmRight);
    QVERIFY(lab.ScrollTimerEnabled());
    QVERIFY(lab.ScrollTimer()->Active());
    QCOMPARE(lab.ScrollTimer()->Interval(), 100);
    lab.Paint();
    QCOMPARE(lab.TextBitLength(), 32);

    const QList<int> expected{30, 60, 90, -32, -2, 28};
    for (int i = 0; i < expected.size(); ++i) {
        lab.ScrollTimer()->Fire();
        QCOMPARE(lab.ScrollPosX(), expected[i]);
        QCOMPARE(seenOffset, expected[i]);
    }
    QCOMPARE(events, (QStringList{"tick", "tick", "tick", "restart", "tick", "tick", "tick"}));
    // the text is drawn at its offset: the apex column of 'A' (3) at 1 + 28 + 12, one pixel
    // further in (and down) under the 2-px lowered frame
    QCOMPARE(px(lab, 1 + 1 + 28 + 12, 5 + 1), TColor(0x00FF00));
    QVERIFY(px(lab, 1 + 28 + 12, 5) != TColor(0x00FF00));

    // interval changes restart the timer with the new interval
    lab.SetScrollInterval(40);
    QVERIFY(lab.ScrollTimer()->Active());
    QCOMPARE(lab.ScrollTimer()->Interval(), 40);
}

void TestRasterLab::scrollOtherModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<int>>("offsets"); // X for left, Y for down/up
    // width 100, height 68, text "A" = 32 px long, 48 px high, PosX = PosY = 1, increment 30
    QTest::newRow("left") << int(rdsmLeft) << QList<int>{-30, 99, 69, 39};
    QTest::newRow("down") << int(rdsmDown) << QList<int>{30, 60, -48, -18, 12};
    QTest::newRow("up") << int(rdsmUp) << QList<int>{-30, 67, 37, 7};
}

void TestRasterLab::scrollOtherModes()
{
    QFETCH(int, mode);
    QFETCH(QList<int>, offsets);
    QWidget host;
    TRasterLab lab(&host);
    lab.resize(100, 68);
    lab.SetText("A");
    lab.SetScrollIncrement(30);
    int restarts = 0;
    lab.OnScrollLoopRestart = [&](TObject*) { ++restarts; };
    lab.SetScrollMode(TRDScrollMode(mode));
    QVERIFY(lab.ScrollTimer()->Active());
    lab.Paint();
    for (int off : offsets) {
        lab.ScrollTimer()->Fire();
        QCOMPARE(mode == rdsmLeft ? lab.ScrollPosX() : lab.ScrollPosY(), off);
        QCOMPARE(mode == rdsmLeft ? lab.ScrollPosY() : lab.ScrollPosX(), 0);
    }
    QCOMPARE(restarts, 1);
}

void TestRasterLab::scrollWithoutLoopStaysBounded()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetScrollLoop(false);
    lab.SetScrollIncrement(INT_MAX);
    int restarts = 0;
    lab.OnScrollLoopRestart = [&](TObject*) { ++restarts; };
    lab.SetScrollMode(rdsmRight);
    for (int i = 0; i < 5; ++i)
        lab.ScrollTimer()->Fire();
    QVERIFY(lab.ScrollPosX() > lab.width());
    QVERIFY(lab.ScrollPosX() <= 1000000000);
    QCOMPARE(restarts, 0);
    lab.SetScrollMode(rdsmLeft);
    for (int i = 0; i < 5; ++i)
        lab.ScrollTimer()->Fire();
    QVERIFY(lab.ScrollPosX() < 0);
    QVERIFY(lab.ScrollPosX() >= -1000000000);
}

void TestRasterLab::scrollOffResetsAndStops()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetScrollIncrement(5);
    lab.SetScrollMode(rdsmDown);
    lab.ScrollTimer()->Fire();
    lab.ScrollTimer()->Fire();
    QCOMPARE(lab.ScrollPosY(), 10);
    lab.SetScrollMode(rdsmOff);
    QCOMPARE(lab.ScrollPosY(), 0);
    QVERIFY(!lab.ScrollTimer()->Active());
    QVERIFY(!lab.ScrollTimerEnabled());
    // a tick that still arrives in mode off disables the timer and keeps the offsets at 0
    int ticks = 0;
    lab.OnScrollTimer = [&](TObject*) { ++ticks; };
    lab.ScrollTimer()->Fire();
    QCOMPARE(ticks, 1);
    QCOMPARE(lab.ScrollPosX(), 0);
    QCOMPARE(lab.ScrollPosY(), 0);
    QVERIFY(!lab.ScrollTimer()->Active());
}

void TestRasterLab::designModeDoesNotScroll()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetDesigning(true);
    lab.SetScrollMode(rdsmRight);
    QCOMPARE(lab.ScrollMode(), rdsmRight);
    QVERIFY(!lab.ScrollTimerEnabled());
    QVERIFY(!lab.ScrollTimer()->Active());
    lab.SetScrollInterval(50);
    QVERIFY(!lab.ScrollTimer()->Active());
}

void TestRasterLab::noTimerAvailable()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetName("Ticker");
    TimerFailGuard guard;
    try {
        lab.SetScrollMode(rdsmLeft);
        QFAIL("no exception");
    } catch (const EQORRasterLabError& e) {
        QCOMPARE(e.Message(), QString("Component \"Ticker\": no timer available"));
    }
    QVERIFY(!lab.ScrollTimerEnabled());
    // a handler assignment restarts the timer as well, and the failure is reported the same way
    TRasterLab other(&host);
    other.SetName("Other");
    testing::SetTimerStartsFail(false);
    other.SetScrollMode(rdsmRight);
    testing::SetTimerStartsFail(true);
    QVERIFY_THROWS_EXCEPTION(EQORRasterLabError, other.SetOnScrollTimer([](TObject*) {}));
    QVERIFY_THROWS_EXCEPTION(EQORRasterLabError, [&] {
        testing::SetTimerStartsFail(false);
        other.SetScrollMode(rdsmUp);
        testing::SetTimerStartsFail(true);
        other.SetScrollIncrement(4);
    }());
}

void TestRasterLab::sampledFont()
{
    TFont font;
    font.SetName("DejaVu Sans Mono");
    font.SetSize(8);
    const TRDCharMatrix m = TRasterLab::CreateBitFont(&font);
    QVERIFY(m.FontWidth >= 4 && m.FontWidth <= 12);
    QVERIFY(m.FontHeight >= 8 && m.FontHeight <= 20);
    QCOMPARE(int(m.LeftMostBit[32]), 0);
    QCOMPARE(int(m.RightMostBit[32]), m.FontWidth / 2);
    for (int code = 0; code < 32; ++code) {
        QCOMPARE(int(m.LeftMostBit[code]), 0);
        QCOMPARE(m.BitData[code][0], 0u);
    }
    // a dot glyph is narrower than a W, and sits lower than the top of an l
    QVERIFY(m.RightMostBit['.'] - m.LeftMostBit['.'] < m.RightMostBit['W'] - m.LeftMostBit['W']);
    auto firstRow = [&](int code) {
        for (int r = 0; r < 32; ++r)
            if (m.BitData[code][r])
                return r;
        return -1;
    };
    QVERIFY(firstRow('.') > firstRow('l'));
    // bounds agree with the bits, and no glyph row reaches beyond FontHeight
    for (int code = 33; code < 256; ++code) {
        std::uint32_t all = 0;
        for (int r = 0; r < 32; ++r) {
            all |= m.BitData[code][r];
            if (r >= m.FontHeight)
                QCOMPARE(m.BitData[code][r], 0u);
        }
        if (all == 0) {
            QCOMPARE(int(m.LeftMostBit[code]), 31);
            QCOMPARE(int(m.RightMostBit[code]), 0);
        } else {
            QCOMPARE(int(m.LeftMostBit[code]), std::countr_zero(all));
            QCOMPARE(int(m.RightMostBit[code]), 31 - std::countl_zero(all));
            QVERIFY(m.RightMostBit[code] - m.LeftMostBit[code] + 1 <= m.FontWidth);
        }
    }
    // the name "default" in any case gives the built-in set
    font.SetName("DEFAULT");
    const TRDCharMatrix d = TRasterLab::CreateBitFont(&font);
    QCOMPARE(std::memcmp(&d, &BuiltInRasterFont(), sizeof d), 0);
    const TRDCharMatrix n = TRasterLab::CreateBitFont(nullptr);
    QCOMPARE(std::memcmp(&n, &BuiltInRasterFont(), sizeof n), 0);
}

void TestRasterLab::sampledFontIgnoresFontColour()
{
    TFont black;
    black.SetName("DejaVu Sans");
    black.SetSize(9);
    black.SetColor(clBlack);
    TFont white(black);
    white.SetColor(clWhite);
    const TRDCharMatrix a = TRasterLab::CreateBitFont(&black);
    const TRDCharMatrix b = TRasterLab::CreateBitFont(&white);
    QVERIFY(a.FontWidth > 0);
    QCOMPARE(std::memcmp(&a, &b, sizeof a), 0);
}

void TestRasterLab::sampledEmptyGlyphAdvancesOneColumn()
{
    TFont font;
    font.SetName("DejaVu Sans");
    font.SetSize(8);
    const TRDCharMatrix m = TRasterLab::CreateBitFont(&font);
    // the no-break space has no dot: its bounds stay 31 and 0, and it advances by one empty column
    QCOMPARE(int(m.LeftMostBit[0xA0]), 31);
    QCOMPARE(int(m.RightMostBit[0xA0]), 0);
    QCOMPARE(RasterCharAdvance(m, 0xA0, 4, true), 4);
    const QString text = QString("A") + QChar(0xA0) + "A";
    const int a = RasterCharAdvance(m, 'A', 4, true);
    QCOMPARE(RasterTextBitLength(m, text, 3, 1, true), 2 * a + 4);
    // painting it moves forward, never back
    QWidget host;
    TRasterLab lab(&host);
    lab.Font()->Assign(font);
    lab.SetText(text);
    lab.Paint();
    QCOMPARE(lab.TextBitLength(), 2 * a + 4);
}

void TestRasterLab::fontChangeReappliesAutoRules()
{
    QWidget host;
    TRasterLab lab(&host);
    lab.SetAutoHeight(true);
    lab.SetAutoCenter(true);
    QCOMPARE(lab.height(), 49);
    lab.Font()->SetName("DejaVu Sans");
    lab.Font()->SetSize(14);
    const int fh = lab.CharMatrix().FontHeight;
    QVERIFY(fh != 12);
    QCOMPARE(lab.height(), 1 + 4 * fh);
    QCOMPARE(lab.PosX(), (400 - lab.CalcTextBitLength("Text")) / 2 + 2);
    lab.Font()->SetName("Default");
    QCOMPARE(lab.height(), 49);
    // writing a character set re-applies them as well
    TRDCharMatrix small = BuiltInRasterFont();
    small.FontHeight = 10;
    lab.SetCharMatrix(small);
    QCOMPARE(lab.height(), 41);
}

void TestRasterLab::assign()
{
    QWidget host;
    TRasterLab a(&host), b(&host);
    a.SetFrameStyle(fsRidge);
    a.SetText("copied");
    a.SetColorLabBakG(0x112233);
    a.SetColorDotOn(0x445566);
    a.SetColorScheme(csSystem);
    a.SetColorDotOff(0x010101);
    a.SetDotSize(5);
    b.Assign(&a);
    QCOMPARE(b.FrameStyle(), fsRidge);
    QCOMPARE(b.Text(), QString("copied"));
    QCOMPARE(b.ColorLabBakG(), TColor(0x112233));
    QCOMPARE(b.ColorDotOn(), TColor(0x445566));
    QCOMPARE(b.ColorScheme(), csSystem);
    // not part of the copy
    QCOMPARE(b.ColorDotOff(), TColor(0x404040));
    QCOMPARE(b.DotSize(), 3);
    // AssignTo into the same class, refusal for other classes
    TRasterLab c(&host);
    a.AssignTo(&c);
    QCOMPARE(c.Text(), QString("copied"));
    QObject plain;
    QVERIFY_THROWS_EXCEPTION(EQORError, a.AssignTo(&plain));
    QVERIFY_THROWS_EXCEPTION(EQORError, b.Assign(&plain));
}

QTEST_MAIN(TestRasterLab)
#include "tst_rasterlab.moc"

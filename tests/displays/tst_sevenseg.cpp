// Tests of the seven-segment display: caption slots, cache geometry, setters, the master
// image and the painted cells.
#include "displays/QOR_DisplaysTesting.h"
#include "displays/QOR_sevenseg.h"

#include <QtTest>
#include <functional>

using namespace qor;

Q_DECLARE_METATYPE(std::vector<qor::TSevenSegSlot>)
using SegChange = std::function<void(qor::TSevenSeg&)>;
Q_DECLARE_METATYPE(SegChange)

namespace {

using Slots = std::vector<TSevenSegSlot>;

QImage rendered(TSevenSeg& s)
{
    s.Paint();
    s.Canvas()->Flush();
    return *s.Canvas()->Target();
}

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

/// Pixels that are clearly the (red) text colour inside r.
int litPixels(const QImage& img, const TRect& r)
{
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110)
                ++n;
        }
    return n;
}

TColor masterPixel(const TSevenSeg& s, int x, int y) { return RgbToColor(s.MasterImage()->Image().pixel(x, y)); }

} // namespace

class TstSevenSeg : public QObject {
    Q_OBJECT

private slots:
    void charList();
    void captionSlots_data();
    void captionSlots();
    void litSegments_data();
    void litSegments();
    void cellWidth_data();
    void cellWidth();
    void defaults();
    void numDigitsRange_data();
    void numDigitsRange();
    void marginCapped();
    void interDigDistCapped();
    void rebuildRules();
    void resizeRebuilds();
    void tinySizeDoesNotFail();
    void masterDigit();
    void masterSpecialCharacters();
    void whiteTextBecomesOffWhite();
    void colorizeAgainRecolours();
    void paintedSlots();
    void paintedPoints();
    void lowerCaseSameAsUpper();
    void unknownCharacterLeavesSlotEmpty();
    void frame();
    void assign();
    void systemBackgroundColour();
    void changeAfterPaint_data();
    void changeAfterPaint();
};

void TstSevenSeg::charList()
{
    QCOMPARE(SevenSegCharList.size(), 21);
    QCOMPARE(SevenSegCharList, QString::fromUtf8("0123456789-+:\u00B0ABCDEF."));
}

void TstSevenSeg::captionSlots_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("digits");
    QTest::addColumn<Slots>("expected");
    QTest::newRow("12.5") << "12.5" << 4 << Slots{{1, false}, {2, true}, {5, false}};
    QTest::newRow("two points") << ".." << 4 << Slots{{-1, true}, {-1, true}};
    QTest::newRow("-1.0E") << "-1.0E" << 4 << Slots{{10, false}, {1, true}, {0, false}, {18, false}};
    QTest::newRow("default") << "8.8.8.8." << 4 << Slots{{8, true}, {8, true}, {8, true}, {8, true}};
    QTest::newRow("slots run out") << "123456" << 4 << Slots{{1, false}, {2, false}, {3, false}, {4, false}};
    QTest::newRow("point after last slot dropped") << "1234.5" << 3 << Slots{{1, false}, {2, false}, {3, false}};
    QTest::newRow("comma joins") << "1,2" << 4 << Slots{{1, true}, {2, false}};
    QTest::newRow("leading comma") << ",5" << 4 << Slots{{-1, true}, {5, false}};
    QTest::newRow("point after point") << "1.." << 4 << Slots{{1, true}, {-1, true}};
    QTest::newRow("specials") << "+:\u00B0" << 4 << Slots{{11, false}, {12, false}, {13, false}};
    QTest::newRow("lower case") << "abcdef" << 6
                                << Slots{{14, false}, {15, false}, {16, false}, {17, false}, {18, false}, {19, false}};
    QTest::newRow("unknown") << "G1" << 4 << Slots{{-1, false}, {1, false}};
    QTest::newRow("space") << " 1" << 4 << Slots{{-1, false}, {1, false}};
    QTest::newRow("empty") << "" << 4 << Slots{};
}

void TstSevenSeg::captionSlots()
{
    QFETCH(QString, caption);
    QFETCH(int, digits);
    QFETCH(Slots, expected);
    QCOMPARE(SevenSegSlots(caption, digits), expected);
}

void TstSevenSeg::litSegments_data()
{
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<QList<int>>("segments");
    QTest::newRow("0") << QChar('0') << QList<int>{1, 2, 3, 5, 6, 7};
    QTest::newRow("1") << QChar('1') << QList<int>{3, 6};
    QTest::newRow("2") << QChar('2') << QList<int>{1, 3, 4, 5, 7};
    QTest::newRow("3") << QChar('3') << QList<int>{1, 3, 4, 6, 7};
    QTest::newRow("4") << QChar('4') << QList<int>{2, 3, 4, 6};
    QTest::newRow("5") << QChar('5') << QList<int>{1, 2, 4, 6, 7};
    QTest::newRow("6") << QChar('6') << QList<int>{1, 2, 4, 5, 6, 7};
    QTest::newRow("7") << QChar('7') << QList<int>{1, 3, 6};
    QTest::newRow("8") << QChar('8') << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("9") << QChar('9') << QList<int>{1, 2, 3, 4, 6, 7};
    QTest::newRow("-") << QChar('-') << QList<int>{4};
    QTest::newRow("A") << QChar('A') << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("b") << QChar('b') << QList<int>{2, 4, 5, 6, 7};
    QTest::newRow("C") << QChar('C') << QList<int>{1, 2, 5, 7};
    QTest::newRow("d") << QChar('d') << QList<int>{3, 4, 5, 6, 7};
    QTest::newRow("E") << QChar('E') << QList<int>{1, 2, 4, 5, 7};
    QTest::newRow("f") << QChar('f') << QList<int>{1, 2, 4, 5};
    QTest::newRow("plus") << QChar('+') << QList<int>{};
    QTest::newRow("G") << QChar('G') << QList<int>{};
}

void TstSevenSeg::litSegments()
{
    QFETCH(QChar, ch);
    QFETCH(QList<int>, segments);
    const std::vector<int> got = TSevenSegMap::Segments(ch);
    QCOMPARE(QList<int>(got.begin(), got.end()), segments);
}

void TstSevenSeg::cellWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("dist");
    QTest::addColumn<int>("cell");
    QTest::newRow("default") << 216 << 8 << 4 << 2 << 48;
    QTest::newRow("truncates") << 217 << 8 << 3 << 0 << 67;
    QTest::newRow("eight digits") << 300 << 10 << 8 << 3 << 32;
    QTest::newRow("too narrow") << 20 << 8 << 4 << 2 << -1;
}

void TstSevenSeg::cellWidth()
{
    QFETCH(int, width);
    QFETCH(int, margin);
    QFETCH(int, digits);
    QFETCH(int, dist);
    QFETCH(int, cell);
    QCOMPARE(SevenSegCellWidth(width, margin, digits, dist), cell);
}

void TstSevenSeg::defaults()
{
    QWidget host;
    TSevenSeg s(&host);
    QCOMPARE(s.Width(), 216);
    QCOMPARE(s.Height(), 76);
    QCOMPARE(s.Caption(), QString("8.8.8.8."));
    QCOMPARE(s.ColorBackGnd(), TColor(0x333333));
    QCOMPARE(s.ColorText(), TColor(0x0000FF));
    QCOMPARE(s.ColorScheme(), csFixed);
    QCOMPARE(s.FrameStyle(), fsLowered);
    QCOMPARE(s.InterDigDist(), 2);
    QCOMPARE(s.Margin(), 8);
    QCOMPARE(s.NumDigits(), 4);
    QCOMPARE(s.MasterImage()->Width(), 312);
    QCOMPARE(s.MasterImage()->Height(), 432);
    // 21 cells of 48 pixels, 76 - 16 high.
    QCOMPARE(s.ImageCache()->Width(), 21 * 48);
    QCOMPARE(s.ImageCache()->Height(), 60);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), 1);
}

void TstSevenSeg::numDigitsRange_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0 ignored") << 0 << 4;
    QTest::newRow("33 ignored") << 33 << 4;
    QTest::newRow("-1 ignored") << -1 << 4;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("32") << 32 << 32;
}

void TstSevenSeg::numDigitsRange()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QWidget host;
    TSevenSeg s(&host);
    s.resize(700, 76);
    s.SetNumDigits(value);
    QCOMPARE(s.NumDigits(), expected);
}

void TstSevenSeg::marginCapped()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetMargin(100);
    QCOMPARE(s.Margin(), 76 / 2 - 1);
    s.SetMargin(3);
    QCOMPARE(s.Margin(), 3);
    QCOMPARE(s.ImageCache()->Height(), 70);
}

void TstSevenSeg::interDigDistCapped()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetInterDigDist(300);
    QCOMPARE(s.InterDigDist(), 255);
    s.SetInterDigDist(256);
    QCOMPARE(s.InterDigDist(), 255);
    s.SetInterDigDist(0);
    QCOMPARE(s.InterDigDist(), 0);
    QCOMPARE(s.ImageCache()->Width(), 21 * 50);
}

void TstSevenSeg::rebuildRules()
{
    QWidget host;
    TSevenSeg s(&host);
    int builds = qor::testing::SevenSegCacheBuilds(s);
    s.SetCaption("1234");
    s.SetFrameStyle(fsRaised);
    s.SetColorScheme(csSystem);
    rendered(s);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds); // caption, frame and scheme only repaint
    QCOMPARE(s.ColGrayLine(), clBtnShadow);
    QCOMPARE(s.ColWhiteLine(), clBtnHighlight);

    s.SetColorText(0x00FF00);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), ++builds);
    s.SetColorText(0x00FF00); // unchanged
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds);
    s.SetColorBackGnd(0x000000);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), ++builds);
    s.SetMargin(5);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), ++builds);
    s.SetInterDigDist(4);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), ++builds);
    s.SetNumDigits(5);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), ++builds);
    s.SetNumDigits(0);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds);
    for (int i = 0; i < 5; ++i)
        rendered(s);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds); // repaints only copy cells
}

void TstSevenSeg::resizeRebuilds()
{
    QWidget host;
    TSevenSeg s(&host);
    bool userResize = false;
    s.OnResize = [&](TObject*) { userResize = true; };
    host.resize(400, 200);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const int builds = qor::testing::SevenSegCacheBuilds(s);
    s.resize(316, 96);
    QCoreApplication::processEvents();
    QVERIFY(userResize);
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds + 1);
    QCOMPARE(s.ImageCache()->Width(), 21 * ((316 - 16) / 4 - 2));
    QCOMPARE(s.ImageCache()->Height(), 96 - 16);
    s.ProcessResize(&s); // same size: nothing to do
    QCOMPARE(qor::testing::SevenSegCacheBuilds(s), builds + 1);

    // A hidden display resized without a resize event rebuilds at its next paint.
    QWidget hiddenHost;
    TSevenSeg h(&hiddenHost);
    h.resize(120, 50);
    rendered(h);
    QCOMPARE(h.ImageCache()->Height(), 50 - 16);
}

void TstSevenSeg::tinySizeDoesNotFail()
{
    QWidget host;
    TSevenSeg s(&host);
    s.resize(10, 10);
    const QImage img = rendered(s);
    QVERIFY(s.ImageCache()->Empty());
    QCOMPARE(img.size(), QSize(10, 10));
    s.SetNumDigits(32);
    rendered(s);
}

void TstSevenSeg::masterDigit()
{
    QWidget host;
    TSevenSeg s(&host);
    s.ColorizeSegments(s.ColorText());
    s.CreateDigit('8', false);
    const TColor red = 0x0000FF, back = 0x333333;
    QCOMPARE(masterPixel(s, 1, 1), back);
    QCOMPARE(masterPixel(s, 94 + 100, 19), red);    // top
    QCOMPARE(masterPixel(s, 57 + 100, 197 + 19), red); // middle
    QCOMPARE(masterPixel(s, 20 + 100, 394 + 19), red); // bottom
    QCOMPARE(masterPixel(s, 37 + 34, 23 + 95), red);   // upper left
    QCOMPARE(masterPixel(s, 207 + 34, 220 + 95), red); // lower right
    QCOMPARE(masterPixel(s, 269 + 19, 394 + 19), back); // no point
    // No white is left anywhere: enclosed areas are background too.
    const QImage& img = s.MasterImage()->Image();
    int white = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (RgbToColor(img.pixel(x, y)) == 0xFFFFFF)
                ++white;
    QCOMPARE(white, 0);

    s.CreateDigit('1', true);
    QCOMPARE(masterPixel(s, 94 + 100, 19), back);
    QCOMPARE(masterPixel(s, 244 + 34, 23 + 95), red);
    QCOMPARE(masterPixel(s, 269 + 19, 394 + 19), red);

    s.CreateDigit('.', false); // a point alone lights the point only
    QCOMPARE(masterPixel(s, 269 + 19, 394 + 19), red);
    QCOMPARE(masterPixel(s, 57 + 100, 197 + 19), back);
}

void TstSevenSeg::masterSpecialCharacters()
{
    QWidget host;
    TSevenSeg s(&host);
    s.ColorizeSegments(s.ColorText());
    const TColor red = 0x0000FF, back = 0x333333;
    s.CreateDigit(QChar(0xB0), false);
    QCOMPARE(masterPixel(s, 150 + 80 - 45, 69), red);  // on the ring
    QCOMPARE(masterPixel(s, 150 + 80, 69), back);      // the hole of the ring
    QCOMPARE(masterPixel(s, 150 + 80, 69 + 62), back); // outside the ring

    s.CreateDigit(':', false);
    QCOMPARE(masterPixel(s, 122 + 43, 121 + 50), red);  // upper dot
    QCOMPARE(masterPixel(s, 122 + 25, 121 + 140), red); // lower dot
    QCOMPARE(masterPixel(s, 122 + 34, 121 + 95), back); // between them

    s.CreateDigit('+', false);
    QCOMPARE(masterPixel(s, 57 + 100, 120 + 95), red);
    QCOMPARE(masterPixel(s, 57 + 100, 120 + 3), back);
}

void TstSevenSeg::whiteTextBecomesOffWhite()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetColorText(0xFFFFFF);
    s.CreateDigit('8', false);
    QCOMPARE(masterPixel(s, 94 + 100, 19), TColor(0xFEFEFE));
    QCOMPARE(masterPixel(s, 1, 1), TColor(0x333333));
}

void TstSevenSeg::colorizeAgainRecolours()
{
    QWidget host;
    TSevenSeg s(&host);
    s.ColorizeSegments(0x00FF00);
    s.ColorizeSegments(0xFF0000);
    for (QChar ch : {QChar('8'), QChar(':'), QChar(0xB0), QChar('+')}) {
        s.CreateDigit(ch, true);
        const QImage& img = s.MasterImage()->Image();
        int green = 0, blue = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const TColor c = RgbToColor(img.pixel(x, y));
                green += c == 0x00FF00;
                blue += c == 0xFF0000;
            }
        QCOMPARE(green, 0);
        QVERIFY(blue > 500);
    }
}

void TstSevenSeg::paintedSlots()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetCaption("12.5");
    const QImage img = rendered(s);
    const int d = 48, m = 8;
    auto slotRect = [&](int i) { return TRect(m + i * (d + 2), m, m + i * (d + 2) + d, 76 - m); };
    QVERIFY(litPixels(img, slotRect(0)) > 20);
    QVERIFY(litPixels(img, slotRect(1)) > 20);
    QVERIFY(litPixels(img, slotRect(2)) > 20);
    QCOMPARE(litPixels(img, slotRect(3)), 0); // empty fourth slot
    QCOMPARE(litPixels(img, TRect(0, 0, 216, m)), 0);
    // Each slot is an exact copy of its cache cell.
    const QImage& cache = s.ImageCache()->Image();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < d; ++x) {
            QCOMPARE(img.pixel(m + x, m + y), cache.pixel(1 * d + x, y));
            if (x < d * 5 / 6 || y < 60 * 5 / 6)
                QCOMPARE(img.pixel(m + 2 * (d + 2) + x, m + y), cache.pixel(5 * d + x, y));
        }
}

void TstSevenSeg::paintedPoints()
{
    QWidget host;
    TSevenSeg s(&host);
    const int d = 48, m = 8, ch = 60;
    auto corner = [&](int i) {
        const int x = m + i * (d + 2);
        return TRect(x + d * 5 / 6, m + ch * 5 / 6, x + d, 76 - m);
    };
    s.SetCaption("12.5");
    QImage img = rendered(s);
    QCOMPARE(litPixels(img, corner(0)), 0);
    QVERIFY(litPixels(img, corner(1)) > 5);
    QCOMPARE(litPixels(img, corner(2)), 0);

    s.SetCaption("..");
    img = rendered(s);
    for (int i = 0; i < 2; ++i) {
        const int x = m + i * (d + 2);
        QVERIFY(litPixels(img, corner(i)) > 5);
        QCOMPARE(litPixels(img, TRect(x, m, x + d, m + ch * 5 / 6)), 0); // blank digit
    }
    QCOMPARE(litPixels(img, TRect(m + 2 * (d + 2), 0, 216, 76)), 0);
}

void TstSevenSeg::lowerCaseSameAsUpper()
{
    QWidget host;
    TSevenSeg a(&host), b(&host);
    a.SetNumDigits(6);
    b.SetNumDigits(6);
    a.SetCaption("abcdef");
    b.SetCaption("ABCDEF");
    const QImage ia = rendered(a);
    QCOMPARE(ia, rendered(b));
    b.SetCaption("ABCDE8");
    QVERIFY(ia != rendered(b));
}

void TstSevenSeg::unknownCharacterLeavesSlotEmpty()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetCaption("G");
    const QImage img = rendered(s);
    QCOMPARE(litPixels(img, TRect(0, 0, 216, 76)), 0);
    QCOMPARE(px(img, 30, 30), TColor(0x333333));
}

void TstSevenSeg::frame()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetCaption("");
    QImage img = rendered(s);
    QCOMPARE(px(img, 0, 30), TColor(0x808080));
    QCOMPARE(px(img, 100, 0), TColor(0x808080));
    QCOMPARE(px(img, 215, 30), TColor(0xFFFFFF));
    QCOMPARE(px(img, 100, 75), TColor(0xFFFFFF));
    QCOMPARE(px(img, 1, 30), TColor(0x333333));
    s.SetFrameStyle(fsNone);
    img = rendered(s);
    QCOMPARE(px(img, 0, 30), TColor(0x333333));
    QCOMPARE(px(img, 215, 30), TColor(0x333333));
}

void TstSevenSeg::assign()
{
    QWidget host;
    TSevenSeg a(&host), b(&host);
    a.SetColorBackGnd(0x101010);
    a.SetColorText(0x00FF00);
    a.SetNumDigits(6);
    a.SetCaption("12:34");
    a.SetFrameStyle(fsRidge);
    a.SetColorScheme(csSystem);
    a.SetMargin(4);
    a.SetInterDigDist(1);
    const TBitmap* ownCache = b.ImageCache();
    const int builds = qor::testing::SevenSegCacheBuilds(b);
    b.Assign(&a);
    QCOMPARE(b.ColorBackGnd(), TColor(0x101010));
    QCOMPARE(b.ColorText(), TColor(0x00FF00));
    QCOMPARE(b.NumDigits(), 6);
    QCOMPARE(b.Caption(), QString("12:34"));
    QCOMPARE(b.FrameStyle(), fsRidge);
    QCOMPARE(b.ColorScheme(), csSystem);
    QCOMPARE(b.ColGrayLine(), clBtnShadow);
    QCOMPARE(b.Margin(), 4);
    QCOMPARE(b.InterDigDist(), 1);
    QCOMPARE(b.ImageCache(), ownCache); // keeps its own bitmaps
    QCOMPARE(qor::testing::SevenSegCacheBuilds(b), builds + 1);
    QCOMPARE(rendered(b), rendered(a));

    QObject other;
    QVERIFY_THROWS_EXCEPTION(EQORError, b.Assign(&other));
}

void TstSevenSeg::systemBackgroundColour()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetColorBackGnd(clBtnFace);
    s.SetCaption("8");
    const TColor face = s.ResolveColor(clBtnFace);
    const QImage img = rendered(s);
    QCOMPARE(px(img, 1, 30), face);
    QCOMPARE(px(img, 200, 30), face);
    QCOMPARE(RgbToColor(s.ImageCache()->Image().pixel(0, 0)), face);
    QCOMPARE(masterPixel(s, 1, 1), face);
    QVERIFY(litPixels(img, TRect(8, 8, 56, 68)) > 20);
    QCOMPARE(s.property("NumDigits").toInt(), 4);
}

QTEST_MAIN(TstSevenSeg)
#include "tst_sevenseg.moc"

// Every setting that reaches the cached cells or the copies from them shows in the window,
// exactly as on a display given that setting from the start.
void TstSevenSeg::changeAfterPaint_data()
{
    QTest::addColumn<SegChange>("change");
    auto row = [](const char* name, SegChange f) { QTest::newRow(name) << f; };
    row("Caption", [](TSevenSeg& s) { s.SetCaption("-7.25"); });
    row("Caption point", [](TSevenSeg& s) { s.SetCaption("1234.5678"); });
    row("ColorBackGnd", [](TSevenSeg& s) { s.SetColorBackGnd(0xFFFFFF); });
    row("ColorText", [](TSevenSeg& s) { s.SetColorText(0x00C000); });
    row("NumDigits", [](TSevenSeg& s) { s.SetNumDigits(6); });
    row("Margin", [](TSevenSeg& s) { s.SetMargin(2); });
    row("InterDigDist", [](TSevenSeg& s) { s.SetInterDigDist(6); });
    row("FrameStyle", [](TSevenSeg& s) { s.SetFrameStyle(fsRidge); });
    row("resize", [](TSevenSeg& s) { s.resize(240, 60); });
}

void TstSevenSeg::changeAfterPaint()
{
    QFETCH(SegChange, change);
    auto make = [](QWidget& host) {
        auto* s = new TSevenSeg(&host);
        s->resize(300, 70);
        s->SetNumDigits(8);
        s->SetCaption("-1234.567");
        return s;
    };
    QWidget host;
    host.resize(320, 90);
    TSevenSeg* s = make(host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    auto shown = [s] {
        QCoreApplication::processEvents();
        return s->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = shown();
    change(*s);
    const QImage after = shown();
    QVERIFY(after != before);

    QWidget freshHost;
    TSevenSeg* fresh = make(freshHost);
    change(*fresh);
    QCOMPARE(after, rendered(*fresh).convertToFormat(QImage::Format_RGB32));
}

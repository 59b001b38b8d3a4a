// Shared core helpers: frames, scheme colours, strings, name tables.
#include "foundation/QOR_Foundation.h"

#include <QtTest>

using namespace qor;

class tst_Core : public QObject {
    Q_OBJECT
private slots:
    void frameWidths_data();
    void frameWidths();
    void frameColours();
    void frameMaskIsBlack();
    void frameKeepsPen();
    void schemeLineColours();
    void meanColor_data();
    void meanColor();
    void numberedPos_data();
    void numberedPos();
    void stringHelpers();
    void nameTables();
    void enumerationValues();
};

void tst_Core::frameWidths_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::newRow("none") << int(fsNone) << 0;
    QTest::newRow("simple") << int(fsSimple) << 1;
    QTest::newRow("lowered") << int(fsLowered) << 1;
    QTest::newRow("raised") << int(fsRaised) << 1;
    QTest::newRow("ridge") << int(fsRidge) << 2;
    QTest::newRow("groove") << int(fsGroove) << 2;
}

void tst_Core::frameWidths()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QCOMPARE(FrameWidth(TFrameStyle(style)), width);
    // Drawn on a white bitmap in non-white colours, the frame occupies exactly `width` rings.
    TBitmap b(20, 12);
    DrawFrame(b.Canvas(), TFrameStyle(style), 0, 0, 19, 11, 0x0000FF, 0xC0C0C0, 0x808080, 0, 0);
    const QImage& img = b.Image();
    for (int i = 0; i < 6; ++i) {
        const bool inFrame = i < width;
        const TColor top = RgbToColor(img.pixel(10, i));
        const TColor left = RgbToColor(img.pixel(i, 6));
        const TColor bottom = RgbToColor(img.pixel(10, 11 - i));
        const TColor right = RgbToColor(img.pixel(19 - i, 6));
        for (TColor c : {top, left, bottom, right})
            QCOMPARE(c != clWhite, inFrame);
    }
}

void tst_Core::frameColours()
{
    TBitmap b(10, 10);
    DrawFrame(b.Canvas(), fsLowered, 0, 0, 9, 9, 0xFFFFFE, 0xC0C0C0, 0x808080, 0, 0);
    const QImage& img = b.Image();
    QCOMPARE(RgbToColor(img.pixel(5, 0)), TColor(0x808080)); // sunken: shadow at the top
    QCOMPARE(RgbToColor(img.pixel(0, 5)), TColor(0x808080));
    QCOMPARE(RgbToColor(img.pixel(5, 9)), TColor(0xFFFFFE)); // highlight at the bottom
    QCOMPARE(RgbToColor(img.pixel(9, 5)), TColor(0xFFFFFE));
    TBitmap r(10, 10);
    DrawFrame(r.Canvas(), fsRidge, 0, 0, 9, 9, 0xFFFFFE, 0xC0C0C0, 0x808080, 0, 0);
    const QImage& ri = r.Image();
    QCOMPARE(RgbToColor(ri.pixel(5, 0)), TColor(0xFFFFFE)); // ridge: white outside top
    QCOMPARE(RgbToColor(ri.pixel(5, 1)), TColor(0x808080)); // grey inside top
    QCOMPARE(RgbToColor(ri.pixel(5, 9)), TColor(0x808080)); // grey outside bottom
    QCOMPARE(RgbToColor(ri.pixel(5, 8)), TColor(0xFFFFFE)); // white inside bottom
    TBitmap g(10, 10);
    DrawFrame(g.Canvas(), fsGroove, 0, 0, 9, 9, 0xFFFFFE, 0xC0C0C0, 0x808080, 0, 0);
    QCOMPARE(RgbToColor(g.Image().pixel(5, 0)), TColor(0x808080));
    QCOMPARE(RgbToColor(g.Image().pixel(5, 1)), TColor(0xFFFFFE));
}

void tst_Core::frameMaskIsBlack()
{
    for (TFrameStyle s : {fsSimple, fsLowered, fsRaised, fsRidge, fsGroove}) {
        TBitmap b(8, 8);
        DrawFrame(b.Canvas(), s, 0, 0, 7, 7, 0, 0, 0, 0, 0);
        const QImage& img = b.Image();
        QCOMPARE(RgbToColor(img.pixel(0, 0)), TColor(0));
        QCOMPARE(RgbToColor(img.pixel(7, 7)), TColor(0));
        QCOMPARE(RgbToColor(img.pixel(4, 4)), clWhite);
    }
}

void tst_Core::frameKeepsPen()
{
    TBitmap b(8, 8);
    b.Canvas()->Pen()->SetColor(clRed);
    b.Canvas()->MoveTo(3, 3);
    DrawFrame(b.Canvas(), fsRaised, 0, 0, 7, 7, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    QCOMPARE(b.Canvas()->Pen()->Color(), clRed);
    QCOMPARE(b.Canvas()->PenPos(), TPoint(3, 3));
}

void tst_Core::schemeLineColours()
{
    const TLineColors fixed = LineColorsForScheme(csFixed);
    QCOMPARE(fixed.Black, TColor(0));
    QCOMPARE(fixed.Gray, TColor(0x808080));
    QCOMPARE(fixed.White, TColor(0xFFFFFF));
    const TLineColors sys = LineColorsForScheme(csSystem);
    QCOMPARE(sys.Black, TColor(0));
    QCOMPARE(sys.Gray, clBtnShadow);
    QCOMPARE(sys.White, clBtnHighlight);
    QCOMPARE(LineColorsForScheme(TColorScheme(7)).Gray, clBtnShadow);
}

void tst_Core::meanColor_data()
{
    QTest::addColumn<uint>("a");
    QTest::addColumn<uint>("b");
    QTest::addColumn<uint>("mean");
    QTest::newRow("black white") << 0u << 0xFFFFFFu << 0x7F7F7Fu;
    QTest::newRow("same") << 0x123456u << 0x123456u << 0x123456u;
    QTest::newRow("channels apart") << 0x0000FFu << 0xFF0000u << 0x7F007Fu;
}

void tst_Core::meanColor()
{
    QFETCH(uint, a);
    QFETCH(uint, b);
    QFETCH(uint, mean);
    QCOMPARE(uint(MeanColor(a, b)), mean);
    QCOMPARE(uint(MeanColor(b, a)), mean);
}

void tst_Core::numberedPos_data()
{
    QTest::addColumn<QString>("sub");
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("pos");
    QTest::newRow("first") << "," << "a,b,c" << 1 << 1 << 2;
    QTest::newRow("second") << "," << "a,b,c" << 1 << 2 << 4;
    QTest::newRow("third missing") << "," << "a,b,c" << 1 << 3 << 0;
    QTest::newRow("from start") << "," << "a,b,c" << 3 << 1 << 4;
    QTest::newRow("start on match") << "," << "a,b,c" << 4 << 1 << 4;
    QTest::newRow("overlapping") << "aa" << "aaaa" << 1 << 2 << 2;
    QTest::newRow("empty sub") << "" << "abc" << 1 << 1 << 0;
    QTest::newRow("n zero") << "a" << "abc" << 1 << 0 << 0;
}

void tst_Core::numberedPos()
{
    QFETCH(QString, sub);
    QFETCH(QString, s);
    QFETCH(int, start);
    QFETCH(int, n);
    QFETCH(int, pos);
    QCOMPARE(NumberedPos(sub, s, start, n), pos);
}

void tst_Core::stringHelpers()
{
    QCOMPARE(ReplaceCharInString("1,5,7", ',', '.'), QString("1.5.7"));
    QCOMPARE(ReplaceCharInString("", ',', '.'), QString());
    QCOMPARE(RemoveControlChars(QString("a\tb\r\nc") + QChar(0x7F) + "d"), QString("abcd"));
    QCOMPARE(RemoveControlChars(QString::fromUtf8("Ü é")), QString::fromUtf8("Ü é"));
}

void tst_Core::nameTables()
{
    QCOMPARE(WeekDayShort(lgEnglish, 0), QString("Mo"));
    QCOMPARE(WeekDayShort(lgGerman, 6), QString("So"));
    QCOMPARE(MonthLong(lgFrench, 2), QString::fromUtf8("février"));
    QCOMPARE(MonthShort(lgSpanish, 12), QString("dic"));
    QCOMPARE(MonthLong(lgEnglish, 13), QString());
    QCOMPARE(WeekDayShort(lgEnglish, 7), QString());
    for (int l = lgEnglish; l <= lgSpanish; ++l)
        for (int m = 1; m <= 12; ++m)
            QVERIFY(!MonthLong(TLanguage(l), m).isEmpty());
}

void tst_Core::enumerationValues()
{
    static_assert(sizeof(TFrameStyle) == 1 && sizeof(TDecPSep) == 1 && sizeof(TLanguage) == 1);
    QCOMPARE(int(fsGroove), 5);
    QCOMPARE(int(dsBoth), 3);
    QCOMPARE(int(lgSpanish), 4);
    QCOMPARE(int(csSystem), 1);
}

QTEST_MAIN(tst_Core)
#include "tst_core.moc"

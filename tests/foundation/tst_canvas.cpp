// Pixel-level checks of the canvas rules every component relies on.
#include "foundation/QOR_Foundation.h"

#include <QtTest>

using namespace qor;

namespace {

constexpr TColor kBack = 0x00FFFFFF;

QImage blank(int w = 40, int h = 40)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

int countColor(const QImage& img, TColor c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += px(img, x, y) == c;
    return n;
}

void pinFont(TCanvas& c)
{
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetHeight(11);
    c.Font()->SetAntiAlias(false);
}

} // namespace

class tst_Canvas : public QObject {
    Q_OBJECT
private slots:
    void lineExcludesEndPoint_data();
    void lineExcludesEndPoint();
    void zeroLengthLinePaintsNothing();
    void penPositionFollowsLineTo();
    void wideLineIncludesBothEnds();
    void dottedLineSkipsPixels();
    void slantedLinesOnEveryImageFormat_data();
    void slantedLinesOnEveryImageFormat();
    void rectangleCoverage_data();
    void rectangleCoverage();
    void rectangleClearBrushKeepsInterior();
    void rectangleWithoutPenIsOnePixelSmaller();
    void ellipseBoundingBox_data();
    void ellipseBoundingBox();
    void fillAndFrameRect();
    void brushColourMakesClearBrushSolid();
    void copyModes_data();
    void copyModes();
    void penModeNotInverts();
    void stretchDrawCoversTarget();
    void transparentBitmapSkipsKeyColour();
    void textOutTopLeft();
    void textOutClearBrushKeepsBackground();
    void textRectClips();
    void rotatedTextLeavesTheCell();
    void textDrawsAsQtDrawsIt_data();
    void textDrawsAsQtDrawsIt();
    void floodFillSurface();
    void floodFillBorder();
    void pixelsOutOfRange();
    void systemColoursResolveThroughPalette();
    void clipRectLimitsDrawing();
    void focusRectTwiceRestores();
    void arcAndPieStayInBox();
    void polygonFillsInside();
    void bitmapResizeKeepsPixels();
    void bitmapLoadFailureThrows();
    void bitmapScanLine();
};

void tst_Canvas::lineExcludesEndPoint_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("east") << 7 << 0;
    QTest::newRow("west") << -7 << 0;
    QTest::newRow("south") << 0 << 7;
    QTest::newRow("north") << 0 << -7;
    QTest::newRow("south-east") << 6 << 6;
    QTest::newRow("north-west") << -6 << -6;
    QTest::newRow("north-east") << 6 << -6;
    QTest::newRow("south-west") << -6 << 6;
    QTest::newRow("shallow") << 9 << 3;
    QTest::newRow("steep back") << -2 << -9;
}

void tst_Canvas::lineExcludesEndPoint()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clRed);
    c.MoveTo(20, 20);
    c.LineTo(20 + dx, 20 + dy);
    c.Flush();
    QCOMPARE(px(img, 20, 20), clRed);
    QCOMPARE(px(img, 20 + dx, 20 + dy), kBack);
    // One pixel per step of the longer axis, end point left out.
    QCOMPARE(countColor(img, clRed), std::max(std::abs(dx), std::abs(dy)));
    // The pixel just before the end lies next to it.
    bool neighbour = false;
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox)
            if ((ox || oy) && px(img, 20 + dx + ox, 20 + dy + oy) == clRed)
                neighbour = true;
    QVERIFY(neighbour);
}

void tst_Canvas::zeroLengthLinePaintsNothing()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.MoveTo(5, 5);
    c.LineTo(5, 5);
    c.Flush();
    QCOMPARE(countColor(img, clBlack), 0);
}

void tst_Canvas::penPositionFollowsLineTo()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.MoveTo(2, 2);
    c.LineTo(10, 2);
    c.LineTo(10, 8);
    c.Flush();
    QCOMPARE(c.PenPos(), TPoint(10, 8));
    // The corner is drawn by the second line (its start point).
    QCOMPARE(px(img, 10, 2), clBlack);
    QCOMPARE(px(img, 10, 8), kBack);
    QCOMPARE(countColor(img, clBlack), 8 + 6);
}

void tst_Canvas::wideLineIncludesBothEnds()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Pen()->SetWidth(3);
    c.MoveTo(10, 20);
    c.LineTo(30, 20);
    c.Flush();
    QCOMPARE(px(img, 20, 19), clBlack);
    QCOMPARE(px(img, 20, 21), clBlack);
    QCOMPARE(px(img, 20, 24), kBack);
}

void tst_Canvas::dottedLineSkipsPixels()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 5);
    c.LineTo(30, 5);
    c.Flush();
    const int n = countColor(img, clBlack);
    QVERIFY(n > 0 && n < 30);
    QCOMPARE(px(img, 0, 5), clBlack);
}

void tst_Canvas::slantedLinesOnEveryImageFormat_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QRect>("clip");
    QTest::newRow("solid") << int(psSolid) << QRect();
    QTest::newRow("dotted") << int(psDot) << QRect();
    QTest::newRow("dash dot dot") << int(psDashDotDot) << QRect();
    QTest::newRow("solid, clipped") << int(psSolid) << QRect(12, 9, 20, 17);
    QTest::newRow("dashed, clipped") << int(psDash) << QRect(0, 20, 40, 8);
}

void tst_Canvas::slantedLinesOnEveryImageFormat()
{
    // 32-bit images take slanted lines straight into their pixels; other formats go through
    // the painter. Both must give the same pixels, clip and dash pattern included.
    QFETCH(int, style);
    QFETCH(QRect, clip);
    const auto draw = [&](QImage::Format format) {
        QImage img(40, 40, format);
        img.fill(Qt::white);
        TCanvas c;
        c.SetTarget(&img);
        if (!clip.isNull())
            c.SetClipRect(TRect::FromQRect(clip));
        c.Pen()->SetStyle(TPenStyle(style));
        for (int k = 0; k < 24; ++k) {
            const double a = k * 2 * M_PI / 24;
            c.Pen()->SetColor(TColor(0x102030 * (k + 1)) & 0xFFFFFF);
            c.MoveTo(20 + int(3 * std::cos(a)), 20 - int(3 * std::sin(a)));
            c.LineTo(20 + int(25 * std::cos(a)), 20 - int(25 * std::sin(a)));
        }
        c.Flush();
        return img.convertToFormat(QImage::Format_RGB32);
    };
    const QImage direct = draw(QImage::Format_RGB32);
    QCOMPARE(direct, draw(QImage::Format_RGB888));
    QCOMPARE(direct, draw(QImage::Format_ARGB32_Premultiplied));
    QVERIFY(countColor(direct, kBack) < 40 * 40 - 50);
}

void tst_Canvas::rectangleCoverage_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("outline");
    QTest::addColumn<int>("inside");
    QTest::newRow("empty") << 0 << 0 << 0 << 0;
    QTest::newRow("zero width") << 0 << 5 << 0 << 0;
    QTest::newRow("1x1") << 1 << 1 << 1 << 0;
    QTest::newRow("1x4") << 1 << 4 << 4 << 0;
    QTest::newRow("2x2") << 2 << 2 << 4 << 0;
    QTest::newRow("3x3") << 3 << 3 << 8 << 1;
    QTest::newRow("10x6") << 10 << 6 << 28 << 32;
}

void tst_Canvas::rectangleCoverage()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, outline);
    QFETCH(int, inside);
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlue);
    c.Brush()->SetColor(clLime);
    c.Rectangle(5, 5, 5 + w, 5 + h);
    c.Flush();
    QCOMPARE(countColor(img, clBlue), outline);
    QCOMPARE(countColor(img, clLime), inside);
    if (w > 0 && h > 0) {
        QCOMPARE(px(img, 5, 5), clBlue);
        QCOMPARE(px(img, 5 + w - 1, 5 + h - 1), clBlue);
        QCOMPARE(px(img, 5 + w, 5 + h - 1), kBack);
        QCOMPARE(px(img, 5 + w - 1, 5 + h), kBack);
    }
}

void tst_Canvas::rectangleClearBrushKeepsInterior()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(2, 2, 12, 12);
    c.Flush();
    QCOMPARE(px(img, 6, 6), kBack);
    QCOMPARE(countColor(img, clBlack), 36);
}

void tst_Canvas::rectangleWithoutPenIsOnePixelSmaller()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetStyle(psClear);
    c.Brush()->SetColor(clRed);
    c.Rectangle(0, 0, 10, 10);
    c.Flush();
    QCOMPARE(countColor(img, clRed), 81);
    QCOMPARE(px(img, 9, 0), kBack);
}

void tst_Canvas::ellipseBoundingBox_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("1x1") << 1 << 1;
    QTest::newRow("2x2") << 2 << 2;
    QTest::newRow("3x3") << 3 << 3;
    QTest::newRow("9x9") << 9 << 9;
    QTest::newRow("20x11") << 20 << 11;
}

void tst_Canvas::ellipseBoundingBox()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clBlack);
    c.Ellipse(10, 10, 10 + w, 10 + h);
    c.Flush();
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (px(img, x, y) == clBlack) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    QCOMPARE(minX, 10);
    QCOMPARE(minY, 10);
    QCOMPARE(maxX, 10 + w - 1);
    QCOMPARE(maxY, 10 + h - 1);
}

void tst_Canvas::fillAndFrameRect()
{
    QImage img = blank();
    TCanvas c;
    c.SetTarget(&img);
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(1, 1, 5, 4));
    c.Brush()->SetColor(clBlue);
    c.FrameRect(TRect(10, 10, 15, 15));
    c.Flush();
    QCOMPARE(countColor(img, clRed), 12);
    QCOMPARE(countColor(img, clBlue), 16);
    QCOMPARE(px(img, 12, 12), kBack);
}

void tst_Canvas::brushColourMakesClearBrushSolid()
{
    TBrush b;
    b.SetStyle(bsClear);
    b.SetColor(clRed);
    QCOMPARE(b.Style(), bsSolid);
    b.SetStyle(bsClear);
    b.SetColor(clRed); // same colour: still makes it solid
    QCOMPARE(b.Style(), bsSolid);
}

void tst_Canvas::copyModes_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<uint>("src");
    QTest::addColumn<uint>("dst");
    QTest::addColumn<uint>("expected");
    QTest::newRow("SRCCOPY") << uint(SRCCOPY) << 0x123456u << 0xABCDEFu << 0x123456u;
    QTest::newRow("NOTSRCCOPY") << uint(NOTSRCCOPY) << 0x123456u << 0xABCDEFu << (~0x123456u & 0xFFFFFF);
    QTest::newRow("SRCAND") << uint(SRCAND) << 0x0F0FF0u << 0xFF00FFu << (0x0F0FF0u & 0xFF00FFu);
    QTest::newRow("SRCPAINT") << uint(SRCPAINT) << 0x0F0F00u << 0x000F0Fu << (0x0F0F00u | 0x000F0Fu);
    QTest::newRow("SRCINVERT") << uint(SRCINVERT) << 0xFF00FFu << 0x0F0F0Fu << (0xFF00FFu ^ 0x0F0F0Fu);
    QTest::newRow("mask black keeps") << uint(SRCAND) << 0x000000u << 0x123456u << 0x000000u;
    QTest::newRow("mask white keeps") << uint(SRCAND) << 0xFFFFFFu << 0x123456u << 0x123456u;
}

void tst_Canvas::copyModes()
{
    QFETCH(uint, mode);
    QFETCH(uint, src);
    QFETCH(uint, dst);
    QFETCH(uint, expected);
    TBitmap source(4, 4);
    source.Canvas()->Brush()->SetColor(src);
    source.Canvas()->FillRect(TRect(0, 0, 4, 4));
    TBitmap target(8, 8);
    target.Canvas()->Brush()->SetColor(dst);
    target.Canvas()->FillRect(TRect(0, 0, 8, 8));
    target.Canvas()->SetCopyMode(mode);
    target.Canvas()->Draw(2, 2, &source);
    const QImage& img = target.Image();
    QCOMPARE(uint(px(img, 3, 3)), expected);
    QCOMPARE(uint(px(img, 1, 1)), dst);
    QCOMPARE(uint(px(img, 6, 6)), dst);
}

void tst_Canvas::penModeNotInverts()
{
    QImage img = blank();
    img.setPixel(3, 3, qRgb(0x12, 0x34, 0x56));
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetMode(pmNot);
    c.MoveTo(0, 3);
    c.LineTo(8, 3);
    c.Flush();
    QCOMPARE(px(img, 0, 3), TColor(0));
    QCOMPARE(px(img, 3, 3), RGB(0xED, 0xCB, 0xA9));
    QCOMPARE(px(img, 8, 3), kBack);
}

void tst_Canvas::stretchDrawCoversTarget()
{
    TBitmap src(2, 2);
    src.Canvas()->SetPixels(0, 0, clRed);
    src.Canvas()->SetPixels(1, 1, clBlue);
    TBitmap dst(10, 10);
    dst.Canvas()->StretchDraw(TRect(0, 0, 8, 8), &src);
    const QImage& img = dst.Image();
    QCOMPARE(px(img, 0, 0), clRed);
    QCOMPARE(px(img, 3, 3), clRed);
    QCOMPARE(px(img, 7, 7), clBlue);
    QCOMPARE(px(img, 8, 8), kBack);
}

void tst_Canvas::transparentBitmapSkipsKeyColour()
{
    TBitmap glyph(3, 3);
    glyph.Canvas()->Brush()->SetColor(0xEBBEEB);
    glyph.Canvas()->FillRect(TRect(0, 0, 3, 3));
    glyph.Canvas()->SetPixels(1, 1, clBlack);
    glyph.SetTransparent(true);
    QCOMPARE(glyph.TransparentColor(), TColor(0xEBBEEB));
    TBitmap dst(5, 5);
    dst.Canvas()->Draw(1, 1, &glyph);
    QCOMPARE(px(dst.Image(), 2, 2), clBlack);
    QCOMPARE(px(dst.Image(), 1, 1), kBack);
}

void tst_Canvas::textOutTopLeft()
{
    QImage img = blank(80, 40);
    TCanvas c;
    c.SetTarget(&img);
    pinFont(c);
    c.Brush()->SetColor(clYellow);
    c.Font()->SetColor(clBlack);
    const int w = c.TextWidth("Hg");
    const int h = c.TextHeight("Hg");
    QVERIFY(w > 0 && h > 0);
    c.TextOut(10, 5, "Hg");
    c.Flush();
    // The opaque cell starts exactly at (x, y) and spans the text extent.
    QCOMPARE(px(img, 10, 5), clYellow);
    QCOMPARE(px(img, 9, 5), kBack);
    QCOMPARE(px(img, 10, 4), kBack);
    QCOMPARE(px(img, 10 + w, 5), kBack);
    QCOMPARE(px(img, 10, 5 + h), kBack);
    QCOMPARE(countColor(img, clBlack) + countColor(img, clYellow), w * h);
    QVERIFY(countColor(img, clBlack) > 5);
    QCOMPARE(c.PenPos(), TPoint(10 + w, 5));
}

void tst_Canvas::textOutClearBrushKeepsBackground()
{
    QImage img = blank(80, 40);
    TCanvas c;
    c.SetTarget(&img);
    pinFont(c);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clRed);
    c.TextOut(4, 4, "WW");
    c.Flush();
    const int ink = countColor(img, clRed);
    QVERIFY(ink > 5);
    QCOMPARE(ink + countColor(img, kBack), 80 * 40);
    // Ink stays within the text cell.
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (px(img, x, y) == clRed) {
                QVERIFY(x >= 4 && x < 4 + c.TextWidth("WW"));
                QVERIFY(y >= 4 && y < 4 + c.TextHeight("WW"));
            }
}

void tst_Canvas::textRectClips()
{
    QImage img = blank(80, 40);
    TCanvas c;
    c.SetTarget(&img);
    pinFont(c);
    c.Brush()->SetColor(clAqua);
    c.Font()->SetColor(clBlack);
    c.TextRect(TRect(10, 10, 20, 20), 12, 10, "WWWWWWWW");
    c.Flush();
    QCOMPARE(px(img, 10, 10), clAqua);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (px(img, x, y) != kBack)
                QVERIFY2(x >= 10 && x < 20 && y >= 10 && y < 20, qPrintable(QString("%1,%2").arg(x).arg(y)));
    QCOMPARE(countColor(img, clAqua) + countColor(img, clBlack), 100);
}

void tst_Canvas::rotatedTextLeavesTheCell()
{
    QImage img = blank(80, 80);
    TCanvas c;
    c.SetTarget(&img);
    pinFont(c);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clBlack);
    c.Font()->SetOrientation(900); // 90 degrees counter-clockwise: text runs upwards from (x, y)
    c.TextOut(40, 70, "HHHH");
    c.Flush();
    int minY = 999, maxX = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (px(img, x, y) == clBlack) {
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
            }
    QVERIFY(minY < 70 - c.TextHeight("H"));
    QVERIFY(maxX <= 40 + c.TextHeight("H"));
}

void tst_Canvas::textDrawsAsQtDrawsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("antialias");
    const int bold = int(TFontStyles{fsBold}.Bits());
    const int italic = int(TFontStyles{fsItalic}.Bits());
    const int under = int(TFontStyles{fsUnderline}.Bits());
    QTest::newRow("digits") << "-12.5E+03" << 11 << 0 << false;
    QTest::newRow("kerning pairs") << "AVAWAY To Ty" << 13 << 0 << false;
    QTest::newRow("ligature candidates") << "fi ffl office" << 15 << 0 << false;
    QTest::newRow("bold") << "Voltage [V]" << 12 << bold << false;
    QTest::newRow("italic") << "mA" << 17 << italic << false;
    QTest::newRow("smooth") << "0.25 Hz" << 14 << 0 << true;
    QTest::newRow("accents and Greek") << QString::fromUtf8("Zürich Ωµ°") << 12 << 0 << false;
    QTest::newRow("underline") << "Label" << 12 << under << false;
    QTest::newRow("tab and newline") << "a\tb\nc" << 12 << 0 << false;
    QTest::newRow("Hebrew") << QString::fromUtf8("abc \u05D0\u05D1 12") << 12 << 0 << false;
    QTest::newRow("empty") << "" << 12 << 0 << false;
}

void tst_Canvas::textDrawsAsQtDrawsIt()
{
    // Texts drawn again come from the canvas's shaped-glyph store; both the first and the
    // repeated drawing must give the pixels Qt's own text drawing gives.
    QFETCH(QString, text);
    QFETCH(int, height);
    QFETCH(int, style);
    QFETCH(bool, antialias);
    TCanvas c;
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetHeight(height);
    c.Font()->SetStyle(TFontStyles::FromBits(std::uint64_t(style)));
    c.Font()->SetAntiAlias(antialias);
    c.Font()->SetColor(clNavy);
    c.Brush()->SetStyle(bsClear);
    QImage expected = blank(160, 40);
    {
        QPainter p(&expected);
        p.setFont(c.Font()->ToQFont());
        p.setRenderHint(QPainter::TextAntialiasing, antialias);
        p.setPen(ColorToQColor(clNavy));
        p.drawText(3, 5 + QFontMetrics(p.font()).ascent(), text);
        p.drawText(7, 21 + QFontMetrics(p.font()).ascent(), text);
    }
    for (int round = 0; round < 2; ++round) {
        QImage img = blank(160, 40);
        c.SetTarget(&img);
        c.TextOut(3, 5, text);
        c.TextRect(TRect(0, 0, 160, 40), 7, 21, text);
        c.Flush();
        QVERIFY2(img == expected, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void tst_Canvas::floodFillSurface()
{
    QImage img = blank(20, 20);
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(2, 2, 10, 10);
    c.Brush()->SetColor(clRed);
    c.FloodFill(5, 5, clWhite, fsSurface);
    c.Flush();
    QCOMPARE(countColor(img, clRed), 36);
    QCOMPARE(px(img, 0, 0), kBack);
}

void tst_Canvas::floodFillBorder()
{
    QImage img = blank(20, 20);
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlue);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(2, 2, 10, 10);
    img.setPixel(5, 5, qRgb(0, 255, 0));
    c.Brush()->SetColor(clRed);
    c.FloodFill(4, 4, clBlue, fsBorder);
    c.Flush();
    QCOMPARE(countColor(img, clRed), 36);
    QCOMPARE(countColor(img, clBlue), 28);
}

void tst_Canvas::pixelsOutOfRange()
{
    QImage img = blank(4, 4);
    TCanvas c;
    c.SetTarget(&img);
    QCOMPARE(c.Pixels(-1, 0), TColor(0xFFFFFFFF));
    QCOMPARE(c.Pixels(4, 0), TColor(0xFFFFFFFF));
    c.SetPixels(9, 9, clRed); // ignored, no crash
    c.SetPixels(1, 2, clRed);
    QCOMPARE(c.Pixels(1, 2), clRed);
}

void tst_Canvas::systemColoursResolveThroughPalette()
{
    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    QCOMPARE(ColorToRGB(clBtnFace, &pal), RGB(10, 20, 30));
    QCOMPARE(ColorToRGB(clWindow, &pal), RGB(1, 2, 3));
    QCOMPARE(ColorToRGB(0x00123456, &pal), TColor(0x123456));
    QImage img = blank(4, 4);
    TCanvas c;
    c.SetTarget(&img, &pal);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(TRect(0, 0, 4, 4));
    c.Flush();
    QCOMPARE(px(img, 2, 2), RGB(10, 20, 30));
}

void tst_Canvas::clipRectLimitsDrawing()
{
    QImage img = blank(20, 20);
    TCanvas c;
    c.SetTarget(&img);
    c.SetClipRect(TRect(5, 5, 10, 10));
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(0, 0, 20, 20));
    c.SetPixels(1, 1, clRed);
    c.Flush();
    QCOMPARE(countColor(img, clRed), 25);
}

void tst_Canvas::focusRectTwiceRestores()
{
    QImage img = blank(20, 20);
    const QImage before = img.copy();
    TCanvas c;
    c.SetTarget(&img);
    c.DrawFocusRect(TRect(2, 2, 12, 9));
    c.Flush();
    QVERIFY(img != before);
    QCOMPARE(px(img, 2, 2), TColor(0));
    c.DrawFocusRect(TRect(2, 2, 12, 9));
    c.Flush();
    QVERIFY(img == before);
}

void tst_Canvas::arcAndPieStayInBox()
{
    QImage img = blank(40, 40);
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clBlack);
    // Upper half, counter-clockwise from the right-hand ray to the left-hand one.
    c.Pie(10, 10, 30, 30, 30, 20, 10, 20);
    c.Flush();
    QVERIFY(countColor(img, clBlack) > 50);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (px(img, x, y) == clBlack) {
                QVERIFY(x >= 10 && x < 30);
                QVERIFY(y >= 10 && y <= 21);
            }
}

void tst_Canvas::polygonFillsInside()
{
    QImage img = blank(30, 30);
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clRed);
    c.Polygon({TPoint(5, 5), TPoint(25, 5), TPoint(15, 25)});
    c.Flush();
    QCOMPARE(px(img, 15, 10), clRed);
    QCOMPARE(px(img, 5, 5), clBlack);
    QCOMPARE(px(img, 2, 20), kBack);
}

void tst_Canvas::bitmapResizeKeepsPixels()
{
    TBitmap b(4, 4);
    b.Canvas()->SetPixels(3, 3, clRed);
    b.SetSize(8, 6);
    QCOMPARE(b.Width(), 8);
    QCOMPARE(b.Height(), 6);
    QCOMPARE(px(b.Image(), 3, 3), clRed);
    QCOMPARE(px(b.Image(), 7, 5), kBack);
    b.SetSize(2, 2);
    QCOMPARE(px(b.Image(), 1, 1), kBack);
}

void tst_Canvas::bitmapLoadFailureThrows()
{
    TBitmap b;
    QVERIFY_THROWS_EXCEPTION(EQORError, b.LoadFromFile("/nonexistent/picture.png"));
    QVERIFY_THROWS_EXCEPTION(EQORError, b.LoadFromResourceName("NO_SUCH_RESOURCE"));
    QTemporaryFile junk;
    QVERIFY(junk.open());
    junk.write("not an image at all");
    junk.close();
    QVERIFY_THROWS_EXCEPTION(EQORError, b.LoadFromFile(junk.fileName()));
}

void tst_Canvas::bitmapScanLine()
{
    TBitmap b(3, 2);
    b.SetPixelFormat(pf8bit);
    uchar* line = b.ScanLine(1);
    line[2] = 0;
    QCOMPARE(b.Image().pixelIndex(2, 1), 0);
    QVERIFY_THROWS_EXCEPTION(EQORError, b.ScanLine(2));
}

QTEST_MAIN(tst_Canvas)
#include "tst_canvas.moc"

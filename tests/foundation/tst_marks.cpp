// Tests of the marker symbols drawn by DrawMarkOnCanvas.
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"

#include <QtTest>

#include <set>

using namespace qor;

namespace {

constexpr int kSize = 40;
constexpr int kX = 20;
constexpr int kY = 20;
constexpr TColor kBack = clWhite;
constexpr TColor kPen = 0x203040;   // distinct from the brush and the background
constexpr TColor kBrush = 0x10C0F0;

QImage drawMark(int mark, int x = kX, int y = kY, TBrushStyle brushStyle = bsSolid)
{
    TBitmap bmp(kSize, kSize);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(kBack);
    c->Pen()->SetColor(kBack);
    c->Rectangle(0, 0, kSize, kSize);
    c->Pen()->SetColor(kPen);
    c->Brush()->SetColor(kBrush);
    c->Brush()->SetStyle(brushStyle);
    DrawMarkOnCanvas(c, Byte(mark), x, y);
    return bmp.Image().copy();
}

struct Extent {
    int count = 0;
    int minX = kSize, minY = kSize, maxX = -1, maxY = -1;
    bool usesPen = false;
    bool usesBrush = false;
};

Extent extentOf(const QImage& img)
{
    Extent e;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const TColor c = RgbToColor(img.pixel(x, y));
            if (c == kBack)
                continue;
            ++e.count;
            e.minX = std::min(e.minX, x);
            e.maxX = std::max(e.maxX, x);
            e.minY = std::min(e.minY, y);
            e.maxY = std::max(e.maxY, y);
            e.usesPen |= c == kPen;
            e.usesBrush |= c == kBrush;
        }
    return e;
}

// The symbols filled with the brush; every other symbol leaves the brush unused.
const std::set<int> kFilled = {1, 2, 3, 4, 5, 14, 15, 16, 17, 18, 22, 23, 26, 28, 30, 38, 40, 41, 42, 43};

} // namespace

class TestMarks : public QObject {
    Q_OBJECT
private slots:
    void eachMarkDrawsInsideItsCell_data();
    void eachMarkDrawsInsideItsCell();
    void marksAreDistinct();
    void markFollowsPosition();
    void brushIsRestored();
    void clearBrushLeavesInsideUnfilled();
    void unknownMarkDrawsNothing();
    void nullCanvasIsIgnored();
};

void TestMarks::eachMarkDrawsInsideItsCell_data()
{
    QTest::addColumn<int>("mark");
    for (int m = 0; m < NrOfMarks; ++m)
        QTest::addRow("mark %d", m) << m;
}

void TestMarks::eachMarkDrawsInsideItsCell()
{
    QFETCH(int, mark);
    const Extent e = extentOf(drawMark(mark));
    QVERIFY(e.count > 0);
    // An 11 x 11 cell around the point at most.
    QVERIFY2(e.minX >= kX - 5 && e.maxX <= kX + 5, qPrintable(QString("x %1..%2").arg(e.minX).arg(e.maxX)));
    QVERIFY2(e.minY >= kY - 5 && e.maxY <= kY + 5, qPrintable(QString("y %1..%2").arg(e.minY).arg(e.maxY)));
    // Centred on the point within a pixel.
    QVERIFY(std::abs((e.minX + e.maxX) - 2 * kX) <= 2);
    QVERIFY(std::abs((e.minY + e.maxY) - 2 * kY) <= 2);
    QVERIFY(e.usesPen);
    QCOMPARE(e.usesBrush, kFilled.count(mark) == 1);
}

void TestMarks::marksAreDistinct()
{
    QList<QImage> images;
    for (int m = 0; m < NrOfMarks; ++m)
        images << drawMark(m);
    for (int a = 0; a < NrOfMarks; ++a)
        for (int b = a + 1; b < NrOfMarks; ++b)
            QVERIFY2(images[a] != images[b], qPrintable(QString("marks %1 and %2 look the same").arg(a).arg(b)));
}

void TestMarks::markFollowsPosition()
{
    for (int m = 0; m < NrOfMarks; ++m) {
        const QImage a = drawMark(m, 15, 17);
        const QImage b = drawMark(m, 22, 21);
        QCOMPARE(a.copy(15 - 6, 17 - 6, 13, 13), b.copy(22 - 6, 21 - 6, 13, 13));
    }
}

void TestMarks::brushIsRestored()
{
    TBitmap bmp(kSize, kSize);
    TCanvas* c = bmp.Canvas();
    for (int m = 0; m < NrOfMarks; ++m) {
        c->Brush()->SetColor(kBrush);
        c->Brush()->SetStyle(bsSolid);
        c->Pen()->SetColor(kPen);
        DrawMarkOnCanvas(c, Byte(m), kX, kY);
        QCOMPARE(c->Brush()->Style(), bsSolid);
        QCOMPARE(c->Brush()->Color(), kBrush);
        QCOMPARE(c->Pen()->Color(), kPen);
    }
}

void TestMarks::clearBrushLeavesInsideUnfilled()
{
    for (int m : kFilled) {
        const Extent e = extentOf(drawMark(m, kX, kY, bsClear));
        QVERIFY(e.count > 0);
        QVERIFY(!e.usesBrush);
    }
}

void TestMarks::unknownMarkDrawsNothing()
{
    QCOMPARE(extentOf(drawMark(52)).count, 0);
    QCOMPARE(extentOf(drawMark(255)).count, 0);
}

void TestMarks::nullCanvasIsIgnored()
{
    DrawMarkOnCanvas(nullptr, 3, 0, 0); // must return without touching anything
}

QTEST_MAIN(TestMarks)
#include "tst_marks.moc"

// The pictures of the value displays as a user sees them: even seven-segment strokes at every
// size, a see-through numeric label over an image, a rotated label sized to its caption and
// the raster label's frame corners and first dots.
#include "displays/QOR_DisplaysTesting.h"
#include "displays/QOR_NumLab.h"
#include "displays/QOR_RasterLab.h"
#include "displays/QOR_RotLab.h"
#include "displays/QOR_sevenseg.h"

#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace qor;

Q_DECLARE_METATYPE(qor::TFrameStyle)

namespace {

// A parent that paints a picture behind its children: stripes of two colours over a gradient.
class Backdrop : public QWidget {
public:
    Backdrop()
    {
        resize(220, 60);
        picture = QImage(size(), QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, (x / 3) % 2 ? qRgb(40 + x / 2, 160, 60 + y) : qRgb(200, 50 + y, 120 + x / 4));
    }
    QImage picture;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture); }
};

// With QOR_PICTURE_DIR set, the pictures are written there for a look (small ones enlarged).
void dumpIfAsked(const QImage& img, const QString& name)
{
    const QString dir = qEnvironmentVariable("QOR_PICTURE_DIR");
    if (dir.isEmpty())
        return;
    const int f = img.height() < 100 ? 4 : 1;
    img.scaled(img.size() * f, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(dir + "/" + name + ".png");
}

} // namespace

class TestDisplayPicture : public QObject {
    Q_OBJECT

private slots:
    void sevenSegStrokesEven_data();
    void sevenSegStrokesEven();
    void sevenSegWarmPaintKeepsCache();
    void numLabSeeThrough_data();
    void numLabSeeThrough();
    void rotLabAutoSize_data();
    void rotLabAutoSize();
    void rasterFrameAndFirstDots_data();
    void rasterFrameAndFirstDots();
};

// ---------------------------------------------------------------------------------------
// Seven-segment display

void TestDisplayPicture::sevenSegStrokesEven_data()
{
    QTest::addColumn<int>("height");
    for (int h : {10, 12, 14, 17, 20, 26, 33, 40, 57, 76, 110, 150, 200})
        QTest::newRow(qPrintable(QString("%1 px").arg(h))) << h;
}

void TestDisplayPicture::sevenSegStrokesEven()
{
    QFETCH(int, height);
    const TColor back = 0x333333, text = 0x0000FF;
    QWidget host;
    TSevenSeg s(&host);
    s.SetBounds(0, 0, height * 3 / 4 + 2, height + 2);
    s.SetMargin(1);
    s.SetNumDigits(1);
    s.SetColorBackGnd(back);
    s.SetColorText(text);
    s.SetCaption("1");
    const QImage cache = s.ImageCache()->Image();
    const int cell = SevenSegCellWidth(s.Width(), s.Margin(), 1, s.InterDigDist());
    QCOMPARE(cache.height(), height);
    QCOMPARE(cache.width(), cell * SevenSegCharCount);
    dumpIfAsked(cache, QString("sevenseg_cache_%1").arg(height));

    // Text coverage of a cache pixel (0 background, 1 text), from the red channel.
    auto coverage = [&](int x, int y) { return (qRed(cache.pixel(x, y)) - 0x33) / double(0xFF - 0x33); };
    // The "1" lights the two right-hand verticals. Along their middle halves a stroke crosses
    // each row with the same area: the row sums of coverage must agree.
    double lo = 1e9, hi = -1e9;
    int rows = 0;
    for (int y = 0; y < height; ++y) {
        const double top = y * 432.0 / height, bottom = (y + 1) * 432.0 / height;
        const bool upper = top >= 70 && bottom <= 166, lower = top >= 267 && bottom <= 363;
        if (!upper && !lower)
            continue;
        double sum = 0;
        for (int x = cell; x < 2 * cell; ++x)
            sum += coverage(x, y);
        lo = std::min(lo, sum);
        hi = std::max(hi, sum);
        ++rows;
    }
    QVERIFY(rows >= 2);
    const double expected = 38.0 * cell / 312.0;  // the bar is about 38 master pixels wide across
    QVERIFY2(lo > expected * 0.6, qPrintable(QString("stroke %1, expected about %2").arg(lo).arg(expected)));
    QVERIFY2(hi - lo <= 0.12 + 0.01 * cell, qPrintable(QString("stroke width %1 .. %2 over %3 rows").arg(lo).arg(hi).arg(rows)));

    // No fringe darker (or other) than a blend of background and text, in any digit cell.
    for (int i = 0; i < SevenSegCharCount; ++i) {
        const QChar ch = SevenSegCharList.at(i);
        if (!ch.isLetterOrNumber() && ch != u'-')
            continue;
        for (int y = 0; y < height; ++y)
            for (int x = i * cell; x < (i + 1) * cell; ++x) {
                const QRgb p = cache.pixel(x, y);
                const double c = coverage(x, y);
                QVERIFY2(c > -0.01 && c < 1.01 && std::abs(qGreen(p) - 0x33 * (1 - c)) < 3
                             && std::abs(qBlue(p) - 0x33 * (1 - c)) < 3,
                         qPrintable(QString("cell %1 pixel %2,%3 is %4").arg(ch).arg(x).arg(y).arg(p, 8, 16)));
            }
    }
}

void TestDisplayPicture::sevenSegWarmPaintKeepsCache()
{
    QWidget host;
    TSevenSeg s(&host);
    s.SetBounds(0, 0, 300, 60);
    s.Paint();  // settles the new size
    const int builds = testing::SevenSegCacheBuilds(s);
    for (const char* caption : {"12.5", "-1.0E", "8.8.8.8.", ":", "\u00B0"})
        s.SetCaption(QString::fromUtf8(caption));
    QCOMPARE(testing::SevenSegCacheBuilds(s), builds);
    s.SetColorText(0x00FF00);
    QCOMPARE(testing::SevenSegCacheBuilds(s), builds + 1);
}

// ---------------------------------------------------------------------------------------
// Numeric label

void TestDisplayPicture::numLabSeeThrough_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("opaque") << false << "" << "";
    QTest::newRow("see-through") << true << "" << "";
    QTest::newRow("see-through, side texts") << true << "Left" << "Hz";
}

void TestDisplayPicture::numLabSeeThrough()
{
    QFETCH(bool, transparent);
    QFETCH(QString, left);
    QFETCH(QString, right);
    Backdrop parent;
    auto* lab = new TNumLab(&parent);
    lab->Font()->SetName("DejaVu Sans");
    lab->move(20, 16);
    lab->SetColorLabBakG(0x00FFFF);
    lab->SetColorLabText(0x0000FF);
    lab->SetColorOutBakG(0xFF00FF);
    lab->SetLeftText(left);
    lab->SetRightText(right);
    lab->SetValue(1.25);
    lab->SetTransparent(!transparent);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    lab->SetTransparent(transparent);  // a real change, shown by the event loop
    QCoreApplication::processEvents();
    const QImage img = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    dumpIfAsked(img, QString("numlab_%1").arg(QTest::currentDataTag()).replace(' ', '_').replace(',', '_'));

    const QRect labRect = lab->geometry();
    // The value box: filled before the label's image is laid on, so it stays opaque.
    const QRect box(labRect.left() + 37, labRect.top() + 2, 78, labRect.height() - 4);
    int behind = 0, leftInk = 0;
    for (int y = labRect.top(); y <= labRect.bottom(); ++y)
        for (int x = labRect.left(); x <= labRect.right(); ++x) {
            if (box.contains(x, y))
                continue;
            const QRgb p = img.pixel(x, y) & 0xFFFFFF, b = parent.picture.pixel(x, y) & 0xFFFFFF;
            behind += p == b;
            // Nothing of the label's own background: what lies behind, or text ANDed on it.
            if (transparent)
                QVERIFY2(p == (p & b), qPrintable(QString("%1,%2").arg(x).arg(y)));
            if (p != b && x < labRect.left() + lab->LeftSpace())
                ++leftInk;
        }
    if (transparent) {
        QVERIFY2(behind > 1500, qPrintable(QString::number(behind)));
        QCOMPARE(leftInk > 20, !left.isEmpty());
    } else {
        QCOMPARE(behind, 0);
    }
    // The value box stays opaque in its own colour, with the value in it.
    QCOMPARE(RgbToColor(img.pixel(box.left() + 4, box.top() + 2)), TColor(0x00FFFF));
    int red = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            red += RgbToColor(img.pixel(x, y)) == 0x0000FF;
    QVERIFY(red > 10);
}

// ---------------------------------------------------------------------------------------
// Rotated label

void TestDisplayPicture::rotLabAutoSize_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<TFrameStyle>("frame");
    QTest::addColumn<int>("alignment");
    for (int angle : {0, 30, 90, 135, 200, 270, 315}) {
        QTest::newRow(qPrintable(QString("%1 centred").arg(angle))) << angle << true << fsNone << int(taCenter);
        QTest::newRow(qPrintable(QString("%1 tight ridge").arg(angle))) << angle << false << fsRidge << int(taCenter);
    }
    QTest::newRow("45 left-justified, centred") << 45 << true << fsSimple << int(taLeftJustify);
    QTest::newRow("100 right-justified, tight") << 100 << false << fsSimple << int(taRightJustify);
}

void TestDisplayPicture::rotLabAutoSize()
{
    QFETCH(int, angle);
    QFETCH(bool, centred);
    QFETCH(TFrameStyle, frame);
    QFETCH(int, alignment);
    QWidget host;
    host.resize(400, 400);
    auto* lab = new TRotLab(&host);
    lab->Font()->SetName("DejaVu Sans");
    lab->Font()->SetSize(12);
    lab->Font()->SetColor(0x000000);
    lab->SetAntiAlias(false);
    lab->SetTransparent(false);
    lab->SetColor(0xFFFFFF);
    lab->SetFrameStyle(frame);
    lab->SetAlignment(TAlignment(alignment));
    lab->SetAutoCenter(centred);
    lab->SetCaption("Qt AutoSize 42");
    lab->SetTextAngle(angle);
    QCOMPARE(lab->size(), QSize(200, 200));  // off by default: the label keeps its size
    lab->SetAutoSize(true);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const QImage img = lab->grab().toImage();
    dumpIfAsked(img, QString("rotlab_%1").arg(QTest::currentDataTag()).replace(' ', '_').replace(',', '_'));
    const int w = lab->width(), h = lab->height();
    QCOMPARE(img.size(), QSize(w, h));
    int l = w, t = h, r = -1, b = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qRed(img.pixel(x, y)) < 100) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    QVERIFY(r >= 0);
    const int fw = frame == fsRidge ? 2 : (frame == fsNone ? 0 : 1);
    // The caption lies inside the frame, and the label is not much larger than the caption.
    QVERIFY2(l >= fw && t >= fw && r < w - fw && b < h - fw,
             qPrintable(QString("ink %1,%2..%3,%4 in %5 x %6").arg(l).arg(t).arg(r).arg(b).arg(w).arg(h)));
    // The size is the rotated text cell's bounding box and a pixel of room inside the frame
    // (a centred label with the anchor at the text's end is symmetric, so about twice that).
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(*lab->Font());
    const double tw = probe.Canvas()->TextWidth(lab->Caption()), th = probe.Canvas()->TextHeight(lab->Caption());
    const double a = angle * std::numbers::pi / 180;
    const int room = 2 * (fw + 1);
    const double bw = tw * std::abs(std::cos(a)) + th * std::abs(std::sin(a));
    const double bh = tw * std::abs(std::sin(a)) + th * std::abs(std::cos(a));
    if (!centred || alignment == taCenter) {
        // Centred, the box is made symmetric about the (rounded) anchor: a few pixels more.
        const double tol = centred ? 5 : 3;
        QVERIFY2(std::abs(w - room - bw) <= tol && std::abs(h - room - bh) <= tol,
                 qPrintable(QString("%1 x %2 for a box of %3 x %4").arg(w).arg(h).arg(bw).arg(bh)));
    } else {
        QVERIFY(w - room <= 2 * bw + 3 && h - room <= 2 * bh + 3);
    }
    if (centred) {
        QCOMPARE(lab->PosX(), w / 2);
        QCOMPARE(lab->PosY(), h / 2);
    }
    // A new caption resizes the label again; without AutoSize the size stays.
    const QSize before = lab->size();
    lab->SetCaption("Qt");
    const QSize small = lab->size();
    QVERIFY(small.width() < before.width() || small.height() < before.height());
    lab->SetAutoSize(false);
    lab->SetCaption("Qt AutoSize 42 and more");
    QCOMPARE(lab->size(), small);
}

// ---------------------------------------------------------------------------------------
// Raster label

void TestDisplayPicture::rasterFrameAndFirstDots_data()
{
    QTest::addColumn<TFrameStyle>("frame");
    QTest::addColumn<int>("inset");  // where the first dot starts: inside the frame
    QTest::newRow("none") << fsNone << 1;
    QTest::newRow("simple") << fsSimple << 1;
    QTest::newRow("lowered") << fsLowered << 2;
    QTest::newRow("raised") << fsRaised << 2;
    QTest::newRow("ridge") << fsRidge << 2;
    QTest::newRow("groove") << fsGroove << 2;
}

void TestDisplayPicture::rasterFrameAndFirstDots()
{
    QFETCH(TFrameStyle, frame);
    QFETCH(int, inset);
    QWidget host;
    TRasterLab lab(&host);
    lab.SetFrameStyle(frame);
    lab.SetCharBlockMode(rdbmRaster);
    lab.SetText("");
    lab.SetBounds(0, 0, 120, 60);
    lab.Paint();
    lab.Canvas()->Flush();
    const QImage img = *lab.Canvas()->Target();
    dumpIfAsked(img, QString("raster_%1").arg(QTest::currentDataTag()));
    const int w = img.width(), h = img.height();
    auto px = [&](int x, int y) { return RgbToColor(img.pixel(x, y)); };
    const TColor off = lab.ColorDotOff();
    // The first unlit dot is whole: DotSize pixels wide and high, from the inset on.
    for (int d = 0; d < lab.DotSize(); ++d) {
        QCOMPARE(px(inset + d, inset + 1), off);
        QCOMPARE(px(inset + 1, inset + d), off);
    }
    // The four corners belong to the frame (or the background without one): no stray pixel.
    const TColor back = lab.ColorLabBakG();
    const std::vector<TColor> frameColours{0x808080, 0xFFFFFF, 0x000000};  // the fixed scheme
    for (const TPoint p : {TPoint(0, 0), TPoint(w - 1, 0), TPoint(0, h - 1), TPoint(w - 1, h - 1), TPoint(1, h - 1),
                           TPoint(0, h - 2), TPoint(w - 2, 0), TPoint(w - 1, 1)}) {
        const TColor c = px(p.X, p.Y);
        if (frame == fsNone)
            QVERIFY2(c == back || c == off, qPrintable(QString("%1,%2").arg(p.X).arg(p.Y)));
        else
            QVERIFY2(std::find(frameColours.begin(), frameColours.end(), c) != frameColours.end(),
                     qPrintable(QString("corner pixel %1,%2 is %3").arg(p.X).arg(p.Y).arg(c, 6, 16)));
    }
}

QTEST_MAIN(TestDisplayPicture)
#include "tst_displaypicture.moc"

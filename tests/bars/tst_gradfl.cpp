// Tests of the gradient fill: the rounding multiply-divide, band boundaries for odd sizes,
// band colours of every type, colour flipping, the pixels on screen, grid and frame.
#include "foundation/QOR_Testing.h"
#include "bars/GradFillGeometry_p.h"

#include <QMetaProperty>
#include <QtTest>

using namespace qor;
using namespace qor::gradfl;

namespace {

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

} // namespace

class TstGradFill : public QObject {
    Q_OBJECT

private slots:
    void mulDiv_data();
    void mulDiv();
    void bands_data();
    void bands();
    void bandColors_data();
    void bandColors();
    void defaults();
    void flipping();
    void setterRules();
    void onScreen_data();
    void onScreen();
    void gridAndFrame();
};

void TstGradFill::mulDiv_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("third") << 1 << 100 << 3 << 33;
    QTest::newRow("two thirds") << 2 << 100 << 3 << 67;
    QTest::newRow("half away from zero") << 1 << 1 << 2 << 1;
    QTest::newRow("-half away from zero") << -1 << 1 << 2 << -1;
    QTest::newRow("negative divisor") << 3 << 5 << -2 << -8;
    QTest::newRow("no overflow") << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("zero divisor") << 5 << 3 << 0 << -1;
}

void TstGradFill::mulDiv()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
}

void TstGradFill::bands_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QList<TRect>>("expected");
    QTest::newRow("100 high, 3 bands") << int(gtHoriz) << 3 << 50 << 100
                                       << QList<TRect>{{0, 0, 50, 33}, {0, 33, 50, 67}, {0, 67, 50, 100}};
    QTest::newRow("101 wide, 4 bands") << int(gtVert) << 4 << 101 << 10
                                       << QList<TRect>{{0, 0, 25, 10}, {25, 0, 51, 10}, {51, 0, 76, 10}, {76, 0, 101, 10}};
    QTest::newRow("mid-band horizontal, 7 high, 2") << int(gtMidBandHoriz) << 2 << 9 << 7
                                                    << QList<TRect>{{0, 0, 9, 4}, {0, 4, 9, 7}};
    QTest::newRow("more bands than pixels") << int(gtMidBandVert) << 5 << 3 << 2
                                            << QList<TRect>{{0, 0, 1, 2}, {1, 0, 1, 2}, {1, 0, 2, 2}, {2, 0, 2, 2}, {2, 0, 3, 2}};
}

void TstGradFill::bands()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QList<TRect>, expected);
    QList<TRect> got;
    for (int k = 0; k < n; ++k)
        got << BandRect(TGradType(type), k, n, w, h);
    QCOMPARE(got, expected);
}

void TstGradFill::bandColors_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<uint>("first");
    QTest::addColumn<uint>("last");
    QTest::addColumn<QList<uint>>("expected");
    // 0x000080 to 0x00FFFF: red 128 -> 255, green 0 -> 255
    QTest::newRow("16 bands: last is 15/16") << int(gtHoriz) << 16 << 0x000080u << 0x00FFFFu
                                             << QList<uint>{0x000080, 0x001088, 0x00EFF7};
    QTest::newRow("3 bands") << int(gtVert) << 3 << 0x000080u << 0x00FFFFu << QList<uint>{0x000080, 0x0055AA, 0x00AAD5};
    QTest::newRow("falling channel") << int(gtHoriz) << 4 << 0xFF00FFu << 0x000000u
                                     << QList<uint>{0xFF00FF, 0xBF00BF, 0x7F007F, 0x400040};
    QTest::newRow("one band") << int(gtHoriz) << 1 << 0x123456u << 0xFFFFFFu << QList<uint>{0x123456};
    QTest::newRow("mid-band one band") << int(gtMidBandVert) << 1 << 0x123456u << 0xFFFFFFu << QList<uint>{0x123456};
    QTest::newRow("mid-band 3") << int(gtMidBandHoriz) << 3 << 0x000000u << 0xFFFFFFu
                                << QList<uint>{0x000000, 0xFFFFFF, 0x000000};
    QTest::newRow("mid-band 2") << int(gtMidBandHoriz) << 2 << 0x000000u << 0xFFFFFFu << QList<uint>{0x000000, 0xFFFFFF};
    QTest::newRow("mid-band 5") << int(gtMidBandVert) << 5 << 0x000000u << 0xFFFFFFu
                                << QList<uint>{0x000000, 0x808080, 0xFFFFFF, 0x808080, 0x000000};
}

void TstGradFill::bandColors()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(uint, first);
    QFETCH(uint, last);
    QFETCH(QList<uint>, expected);
    QList<uint> got;
    const QList<int> ks = n == 16 ? QList<int>{0, 1, 15} : [n] { QList<int> l; for (int k = 0; k < n; ++k) l << k; return l; }();
    for (int k : ks)
        got << BandColor(TGradType(type), k, n, first, last);
    QCOMPARE(got, expected);

    // A middle band of 16: band 8 shows the last colour, both edges the first.
    QCOMPARE(BandColor(gtMidBandVert, 8, 16, 0x000080, 0x00FFFF), TColor(0x00FFFF));
    QCOMPARE(BandColor(gtMidBandVert, 0, 16, 0x000080, 0x00FFFF), TColor(0x000080));
    QCOMPARE(BandColor(gtMidBandVert, 15, 16, 0x000080, 0x00FFFF), TColor(0x000080));
}

void TstGradFill::defaults()
{
    TGradFill g;
    QCOMPARE(g.width(), 121);
    QCOMPARE(g.height(), 121);
    QCOMPARE(g.sizeHint(), QSize(121, 121));
    QCOMPARE(g.ColorFirst(), TColor(0x000080));
    QCOMPARE(g.ColorLast(), TColor(0x00FFFF));
    QCOMPARE(g.ColorFlipped(), false);
    QCOMPARE(g.FillType(), gtHoriz);
    QCOMPARE(g.FrameStyle(), fsNone);
    QCOMPARE(g.GridColor(), TColor(0x800000));
    QCOMPARE(g.GridMode(), gmNone);
    QCOMPARE(g.NrColors(), 16);
    const QMetaObject* mo = &TGradFill::staticMetaObject;
    QCOMPARE(mo->propertyCount() - mo->propertyOffset(), 8);
    for (const char* name : {"FillType", "GridMode"})
        QVERIFY(mo->property(mo->indexOfProperty(name)).isEnumType());
}

void TstGradFill::flipping()
{
    TGradFill g;
    g.SetColorFlipped(true);
    QCOMPARE(g.ColorFirst(), TColor(0x00FFFF));
    QCOMPARE(g.ColorLast(), TColor(0x000080));
    g.SetColorFirst(0x112233); // changes the base last colour
    QCOMPARE(g.ColorFirst(), TColor(0x112233));
    g.SetColorLast(0x445566);  // and this the base first one
    g.SetColorFlipped(false);
    QCOMPARE(g.ColorFirst(), TColor(0x445566));
    QCOMPARE(g.ColorLast(), TColor(0x112233));
    g.SetColorFlipped(false);
    QCOMPARE(g.ColorFirst(), TColor(0x445566));
}

void TstGradFill::setterRules()
{
    TGradFill g;
    g.setObjectName("fill1");
    struct Row { int set; int stored; };
    for (const Row r : {Row{0, 1}, Row{-5, 1}, Row{1000, 255}, Row{255, 255}, Row{7, 7}}) {
        g.SetNrColors(r.set);
        QCOMPARE(g.NrColors(), r.stored);
    }
    g.SetFillType(gtMidBandVert);
    try {
        g.SetFillType(TGradType(4));
        QFAIL("no error for fill type 4");
    } catch (const EQORError& e) {
        QCOMPARE(e.Message(), QString("Component \"fill1\": fill type 4 is out of range (0..3)"));
    }
    QCOMPARE(g.FillType(), gtMidBandVert);
}

void TstGradFill::onScreen_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<uint>>("colours");
    // 120 x 100 from black to white
    QTest::newRow("horizontal 3: 33, 34 and 33 rows")
        << int(gtHoriz) << 3 << QList<QPoint>{{5, 32}, {5, 33}, {5, 66}, {5, 67}, {5, 99}}
        << QList<uint>{0x000000, 0x555555, 0x555555, 0xAAAAAA, 0xAAAAAA};
    QTest::newRow("vertical 4") << int(gtVert) << 4 << QList<QPoint>{{29, 5}, {30, 5}, {89, 5}, {90, 5}}
                                << QList<uint>{0x000000, 0x404040, 0x808080, 0xBFBFBF};
    QTest::newRow("mid-band vertical 16") << int(gtMidBandVert) << 16
                                          << QList<QPoint>{{0, 50}, {60, 50}, {67, 50}, {119, 50}}
                                          << QList<uint>{0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    QTest::newRow("mid-band horizontal 0 colours: one band") << int(gtMidBandHoriz) << 0
                                                             << QList<QPoint>{{0, 0}, {119, 99}}
                                                             << QList<uint>{0x000000, 0x000000};
}

void TstGradFill::onScreen()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<uint>, colours);
    QWidget host;
    auto* g = new TGradFill(&host);
    g->resize(120, 100);
    qor::testing::PaintCounter counter;
    g->installEventFilter(&counter);
    int fired = 0;
    g->OnPaint = [&](TObject* sender) {
        QCOMPARE(sender, g);
        ++fired;
    };
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();
    const int paints = counter.n;
    g->SetColorFirst(0x000000);
    g->SetColorLast(0xFFFFFF);
    g->SetFillType(TGradType(type));
    g->SetNrColors(n);
    QCoreApplication::processEvents();
    QVERIFY(counter.n > paints); // the setters reach the window
    QVERIFY(fired > 0);
    const QImage img = g->grab().toImage();
    for (int i = 0; i < points.size(); ++i)
        QVERIFY2(px(img, points[i].x(), points[i].y()) == colours[i],
                 qPrintable(QString("(%1, %2): %3").arg(points[i].x()).arg(points[i].y())
                                .arg(px(img, points[i].x(), points[i].y()), 6, 16, QChar('0'))));
}

void TstGradFill::gridAndFrame()
{
    QWidget host;
    auto* g = new TGradFill(&host);
    g->resize(100, 100);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    g->SetColorFirst(clBtnFace); // system colours are resolved through the palette
    g->SetColorLast(clBtnFace);
    g->SetNrColors(4);
    g->SetGridColor(0x0000FF);
    g->SetGridMode(gmBoth);
    g->SetFrameStyle(fsLowered);
    QCoreApplication::processEvents();
    const QImage img = g->grab().toImage();
    const TColor face = ColorToRGB(clBtnFace, &g->palette());
    QCOMPARE(px(img, 10, 10), face);
    for (int p : {25, 50, 75}) {
        QCOMPARE(px(img, p, 10), TColor(0x0000FF));
        QCOMPARE(px(img, 10, p), TColor(0x0000FF));
        QCOMPARE(px(img, p + 1, 10), face);
    }
    QCOMPARE(px(img, 0, 40), TColor(0x808080)); // lowered: shadow top-left
    QCOMPARE(px(img, 99, 40), TColor(0xFFFFFF));
    QCOMPARE(px(img, 40, 99), TColor(0xFFFFFF));

    g->SetGridMode(gmHoriz);
    QCoreApplication::processEvents();
    const QImage h = g->grab().toImage();
    QCOMPARE(px(h, 10, 50), TColor(0x0000FF));
    QCOMPARE(px(h, 50, 10), face);
}

QTEST_MAIN(TstGradFill)
#include "tst_gradfl.moc"

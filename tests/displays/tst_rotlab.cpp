// Tests of the rotated label: anchor geometry, centring, pixels of the rotated and disabled
// text, transparency, frames and assignment.
#include "displays/QOR_RotLab.h"

#include <QtTest>
#include <set>

using namespace qor;

namespace {

constexpr TColor kBack = 0x00FF00;

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0;
    double cx() const { return (left + right) / 2.0; }
    double cy() const { return (top + bottom) / 2.0; }
};

// Pixels of the surface that differ from the background colour.
Ink inkOf(const QImage& img, TColor back = kBack)
{
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (RgbToColor(img.pixel(x, y)) != back) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

// A label on a shown host, opaque on a green background, black text, no frame.
struct Fixture {
    QWidget host;
    TRotLab* lab;
    Fixture()
    {
        host.resize(400, 400);
        lab = new TRotLab(&host);
        lab->SetTransparent(false);
        lab->SetColor(kBack);
        lab->Font()->SetColor(clBlack);
        lab->SetFrameStyle(fsNone);
        lab->SetAntiAlias(false);
        host.show();
    }
};

} // namespace

class TestRotLab : public QObject {
    Q_OBJECT

private slots:
    void offsets_data();
    void offsets();
    void defaults();
    void centredAtZero();
    void anchorPlacement_data();
    void anchorPlacement();
    void sizeStaysAtEveryAngle();
    void posWhileAutoCentred();
    void resizeKeepsCentre();
    void disabledIsEngraved();
    void antialiasOnRequest();
    void transparency();
    void repaintRule();
    void frames_data();
    void frames();
    void styledColour();
    void assign();
};

void TestRotLab::offsets_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    // half width 40, half height 8
    QTest::newRow("centre 0") << int(taCenter) << 0 << -40 << -8;
    QTest::newRow("left 0") << int(taLeftJustify) << 0 << 0 << -8;
    QTest::newRow("right 0") << int(taRightJustify) << 0 << -80 << -8;
    QTest::newRow("centre 90") << int(taCenter) << 90 << -8 << 40;
    QTest::newRow("left 90") << int(taLeftJustify) << 90 << -8 << 0;
    QTest::newRow("right 90") << int(taRightJustify) << 90 << -8 << 80;
    QTest::newRow("centre 180") << int(taCenter) << 180 << 40 << 8;
    QTest::newRow("left 180") << int(taLeftJustify) << 180 << 0 << 8;
    QTest::newRow("right 180") << int(taRightJustify) << 180 << 80 << 8;
    QTest::newRow("centre 270") << int(taCenter) << 270 << 8 << -40;
    QTest::newRow("left 270") << int(taLeftJustify) << 270 << 8 << 0;
    QTest::newRow("right 270") << int(taRightJustify) << 270 << 8 << -80;
    QTest::newRow("centre 45") << int(taCenter) << 45 << -34 << 23;
    QTest::newRow("left 45") << int(taLeftJustify) << 45 << -6 << -6;
    QTest::newRow("right 45") << int(taRightJustify) << 45 << -62 << 51;
    QTest::newRow("centre 30") << int(taCenter) << 30 << -39 << 13;
    QTest::newRow("centre -30") << int(taCenter) << -30 << -31 << -27;
    QTest::newRow("left 120") << int(taLeftJustify) << 120 << -7 << 4;
    QTest::newRow("centre 450") << int(taCenter) << 450 << -8 << 40;
}

void TestRotLab::offsets()
{
    QFETCH(int, alignment);
    QFETCH(int, angle);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QCOMPARE(RotLabTextOffset(TAlignment(alignment), angle, 40, 8), TPoint(dx, dy));
}

void TestRotLab::defaults()
{
    TRotLab lab;
    QCOMPARE(lab.width(), 200);
    QCOMPARE(lab.height(), 200);
    QCOMPARE(lab.Font()->Name(), QString("Arial"));
    QCOMPARE(lab.Font()->Size(), 11);
    QCOMPARE(lab.Alignment(), taCenter);
    QCOMPARE(lab.AntiAlias(), true);
    QCOMPARE(lab.AutoCenter(), true);
    QCOMPARE(lab.Color(), clBtnFace);
    QCOMPARE(lab.FrameStyle(), fsLowered);
    QCOMPARE(lab.PosX(), 10);
    QCOMPARE(lab.PosY(), 10);
    QCOMPARE(lab.TextAngle(), 0);
    QCOMPARE(lab.Transparent(), true);
    QCOMPARE(lab.Caption(), QString());
}

void TestRotLab::centredAtZero()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    f.lab->SetAutoCenter(false);
    f.lab->SetPosX(100);
    f.lab->SetPosY(100);
    f.lab->SetCaption("HHHHHH");
    f.lab->Paint();
    const Ink ink = inkOf(f.lab->Surface());
    QVERIFY(ink.count > 50);
    QVERIFY2(std::abs(ink.cx() - 100) <= 2, qPrintable(QString::number(ink.cx())));
    QVERIFY2(std::abs(ink.cy() - 100) <= 3, qPrintable(QString::number(ink.cy())));
    // the text spans the anchor +- half its width
    TCanvas measure;
    measure.Font()->Assign(*f.lab->Font());
    const int w2 = measure.TextWidth("HHHHHH") / 2;
    QCOMPARE(f.lab->TextOrigin().X, 100 - w2);
    QVERIFY(ink.left >= 100 - w2 - 1 && ink.right <= 100 + w2 + 1);
}

void TestRotLab::anchorPlacement_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("angle");
    // where the ink lies relative to the anchor (100, 100): -1 before, 0 across, +1 after
    QTest::addColumn<int>("xSide");
    QTest::addColumn<int>("ySide");
    QTest::newRow("left 0: starts at the anchor") << int(taLeftJustify) << 0 << 1 << 0;
    QTest::newRow("right 0: ends at the anchor") << int(taRightJustify) << 0 << -1 << 0;
    QTest::newRow("left 90: runs upward from it") << int(taLeftJustify) << 90 << 0 << -1;
    QTest::newRow("right 90: ends at it, below") << int(taRightJustify) << 90 << 0 << 1;
    QTest::newRow("left 180: runs leftward") << int(taLeftJustify) << 180 << -1 << 0;
    QTest::newRow("left 270: runs downward") << int(taLeftJustify) << 270 << 0 << 1;
    QTest::newRow("centre 90") << int(taCenter) << 90 << 0 << 0;
    QTest::newRow("centre 180") << int(taCenter) << 180 << 0 << 0;
    QTest::newRow("centre 45") << int(taCenter) << 45 << 0 << 0;
}

void TestRotLab::anchorPlacement()
{
    QFETCH(int, alignment);
    QFETCH(int, angle);
    QFETCH(int, xSide);
    QFETCH(int, ySide);
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    f.lab->SetAutoCenter(false);
    f.lab->SetPosX(100);
    f.lab->SetPosY(100);
    f.lab->SetAlignment(TAlignment(alignment));
    f.lab->SetTextAngle(angle);
    f.lab->SetCaption("HHHHHH");
    f.lab->Paint();
    const Ink ink = inkOf(f.lab->Surface());
    QVERIFY(ink.count > 50);
    auto check = [](int side, int lo, int hi, double centre) {
        if (side > 0)
            return lo >= 99 && lo <= 103;
        if (side < 0)
            return hi <= 101 && hi >= 96;
        return std::abs(centre - 100) <= 3;
    };
    QVERIFY2(check(xSide, ink.left, ink.right, ink.cx()),
             qPrintable(QString("x %1..%2").arg(ink.left).arg(ink.right)));
    QVERIFY2(check(ySide, ink.top, ink.bottom, ink.cy()),
             qPrintable(QString("y %1..%2").arg(ink.top).arg(ink.bottom)));
}

void TestRotLab::sizeStaysAtEveryAngle()
{
    Fixture f;
    f.lab->SetCaption("A rather long caption that would not fit");
    for (int angle : {0, 17, 90, 135, 180, 270, 359}) {
        f.lab->SetTextAngle(angle);
        QCoreApplication::processEvents();
        QCOMPARE(f.lab->width(), 200);
        QCOMPARE(f.lab->height(), 200);
    }
    QVERIFY(!f.lab->AutoSize());  // off by default: the label keeps the size it is given
}

void TestRotLab::posWhileAutoCentred()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    QCOMPARE(f.lab->PosX(), 100);
    QCOMPARE(f.lab->PosY(), 100);
    f.lab->SetPosX(50);
    f.lab->SetPosY(30);
    QCOMPARE(f.lab->PosX(), 100);
    QCOMPARE(f.lab->PosY(), 100);
    f.lab->SetAutoCenter(false);
    f.lab->SetPosX(50);
    QCOMPARE(f.lab->PosX(), 50);
    f.lab->SetAutoCenter(true);
    QCOMPARE(f.lab->PosX(), 100);
}

void TestRotLab::resizeKeepsCentre()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    int resizes = 0;
    f.lab->OnResize = [&](TObject* s) { QCOMPARE(s, f.lab); ++resizes; };
    f.lab->resize(151, 81);
    QCoreApplication::processEvents();
    QCOMPARE(f.lab->PosX(), 75);
    QCOMPARE(f.lab->PosY(), 40);
    QVERIFY(resizes >= 1); // the application's handler still runs
    f.lab->SetAutoCenter(false);
    f.lab->resize(300, 300);
    QCoreApplication::processEvents();
    QCOMPARE(f.lab->PosX(), 75);
    QCOMPARE(f.lab->PosY(), 40);
}

void TestRotLab::disabledIsEngraved()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    f.lab->SetCaption("HIH");
    f.lab->SetTextAngle(30);
    const TColor hi = f.lab->ResolveColor(clBtnHighlight);
    const TColor sh = f.lab->ResolveColor(clBtnShadow);
    QVERIFY(hi != sh && hi != kBack && sh != kBack);

    f.lab->Paint();
    std::set<TColor> enabledColours;
    const QImage on = f.lab->Surface().copy();
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            enabledColours.insert(RgbToColor(on.pixel(x, y)));
    QCOMPARE(enabledColours, (std::set<TColor>{kBack, 0}));

    f.lab->setEnabled(false);
    f.lab->Paint();
    const QImage& img = f.lab->Surface();
    int shadow = 0, highlight = 0;
    for (int y = 0; y + 1 < img.height(); ++y)
        for (int x = 0; x + 1 < img.width(); ++x) {
            const TColor c = RgbToColor(img.pixel(x, y));
            QVERIFY(c == kBack || c == hi || c == sh);
            if (c == hi)
                ++highlight;
            if (c == sh) {
                ++shadow;
                // the highlight copy lies one pixel right and down, under the shadow copy
                const TColor below = RgbToColor(img.pixel(x + 1, y + 1));
                QVERIFY(below == hi || below == sh);
            }
        }
    QVERIFY(shadow > 20);
    QVERIFY(highlight > 5);
    // the shadow copy stands where the enabled text stood
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QCOMPARE(RgbToColor(img.pixel(x, y)) == sh, RgbToColor(on.pixel(x, y)) == 0);
    // the label's own font keeps its colour
    QCOMPARE(f.lab->Font()->Color(), clBlack);
}

void TestRotLab::antialiasOnRequest()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    f.lab->SetCaption("Wave");
    f.lab->SetTextAngle(30);
    auto colours = [&] {
        f.lab->Paint();
        std::set<TColor> s;
        const QImage& img = f.lab->Surface();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                s.insert(RgbToColor(img.pixel(x, y)));
        return s.size();
    };
    QCOMPARE(colours(), size_t(2));
    f.lab->SetAntiAlias(true);
    QVERIFY(colours() > 2);
}

void TestRotLab::transparency()
{
    QWidget host;
    host.resize(300, 300);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    host.setPalette(pal);
    host.setAutoFillBackground(true);
    auto* lab = new TRotLab(&host);
    lab->SetColor(0xFF0000); // blue, shown only when opaque
    lab->SetFrameStyle(fsNone);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    // transparent from the start: the parent's red shows through
    QImage shot = host.grab().toImage();
    QCOMPARE(RgbToColor(shot.pixel(5, 5)), TColor(0x0000FF));
    lab->SetTransparent(false);
    shot = host.grab().toImage();
    QCOMPARE(RgbToColor(shot.pixel(5, 5)), TColor(0xFF0000));
    lab->SetTransparent(true);
    shot = host.grab().toImage();
    QCOMPARE(RgbToColor(shot.pixel(5, 5)), TColor(0x0000FF));
}

void TestRotLab::repaintRule()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    QCoreApplication::processEvents();
    // opaque: a setter paints at once
    f.lab->SetCaption("XXXX");
    const int opaqueInk = inkOf(f.lab->Surface()).count;
    QVERIFY(opaqueInk > 20);
    // transparent: the setter only asks for a repaint, which the next paint event does
    f.lab->SetTransparent(true);
    QCoreApplication::processEvents();
    const QImage before = f.lab->Surface().copy();
    f.lab->SetCaption("");
    QCOMPARE(f.lab->Surface(), before);
    f.host.grab();
    QVERIFY(f.lab->Surface() != before);
}

void TestRotLab::frames_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<uint>("left");
    QTest::addColumn<uint>("right");
    QTest::newRow("none") << int(fsNone) << uint(kBack) << uint(kBack);
    QTest::newRow("simple") << int(fsSimple) << 0x808080u << 0x808080u;
    QTest::newRow("lowered") << int(fsLowered) << 0x808080u << 0xFFFFFFu;
    QTest::newRow("raised") << int(fsRaised) << 0xFFFFFFu << 0x808080u;
}

void TestRotLab::frames()
{
    QFETCH(int, frame);
    QFETCH(uint, left);
    QFETCH(uint, right);
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.host));
    f.lab->SetFrameStyle(TFrameStyle(frame));
    f.lab->Paint();
    const QImage& img = f.lab->Surface();
    QCOMPARE(RgbToColor(img.pixel(0, 100)), TColor(left));
    QCOMPARE(RgbToColor(img.pixel(199, 100)), TColor(right));
    QCOMPARE(RgbToColor(img.pixel(2, 100)), kBack);
}

void TestRotLab::styledColour()
{
    SetStyleServicesEnabled(true);
    TRotLab lab;
    lab.SetColor(0x123456);
    QCOMPARE(lab.Color(), clWindow);
    lab.SetStyleElements(TStyleElements{seFont, seBorder});
    lab.SetColor(0x123456);
    QCOMPARE(lab.Color(), TColor(0x123456));
    SetStyleServicesEnabled(false);
}

void TestRotLab::assign()
{
    QWidget host;
    host.resize(400, 400);
    auto* a = new TRotLab(&host);
    auto* b = new TRotLab(&host);
    a->SetAutoCenter(false);
    a->SetFrameStyle(fsRidge);
    a->SetTextAngle(33);
    a->SetPosX(17);
    a->SetPosY(23);
    a->SetAntiAlias(false);
    a->SetCaption("not copied");
    a->SetAlignment(taRightJustify);
    b->Assign(a);
    QCOMPARE(b->AutoCenter(), false);
    QCOMPARE(b->FrameStyle(), fsRidge);
    QCOMPARE(b->TextAngle(), 33);
    QCOMPARE(b->PosX(), 17);
    QCOMPARE(b->PosY(), 23);
    QCOMPARE(b->AntiAlias(), false);
    QCOMPARE(b->Caption(), QString());
    QCOMPARE(b->Alignment(), taCenter);

    // a centred source gives a label centred on its own size
    a->SetAutoCenter(true);
    a->resize(300, 300);
    a->AdjustAutoCenter();
    b->resize(80, 40);
    b->Assign(a);
    QCOMPARE(b->PosX(), 40);
    QCOMPARE(b->PosY(), 20);

    QObject plain;
    QVERIFY_THROWS_EXCEPTION(EQORError, a->AssignTo(&plain));
    auto* c = new TRotLab(&host);
    a->AssignTo(c);
    QCOMPARE(c->TextAngle(), 33);
}

QTEST_MAIN(TestRotLab)
#include "tst_rotlab.moc"

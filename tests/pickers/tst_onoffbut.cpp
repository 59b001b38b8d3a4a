// Tests of the on/off button: geometry, glyph sets, what the window shows, groups and mouse.
#include "foundation/QOR_Testing.h"
#include "pickers/OnOffBut_p.h"
#include "pickers/QOR_onoffbut.h"

#include <QMetaProperty>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace qor;
using namespace qor::onoffbut;

Q_DECLARE_METATYPE(qor::TAlignment)
Q_DECLARE_METATYPE(qor::onoffbut::Side)
Q_DECLARE_METATYPE(qor::onoffbut_enums::TOnOffButStyle)
Q_DECLARE_METATYPE(qor::onoffbut_enums::TOOButMode)
Q_DECLARE_METATYPE(qor::onoffbut_enums::TOOButMouseAction)

namespace {

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

QImage shot(QWidget& w)
{
    QCoreApplication::processEvents();
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// Whether the window shows glyph g with its corner at (x, y) (key pixels excepted).
bool showsGlyph(const QImage& img, int x, int y, const TBitmap* g)
{
    for (int j = 0; j < g->Height(); ++j)
        for (int i = 0; i < g->Width(); ++i) {
            const TColor c = RgbToColor(g->Image().pixel(i, j));
            if (c != OnOffButKeyColor && px(img, x + i, y + j) != c)
                return false;
        }
    return true;
}

int countColor(const QImage& img, const QRect& r, TColor c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += px(img, x, y) == c;
    return n;
}

/// A parent that paints its left half red and its right half blue.
class TwoColourParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), QColor(200, 0, 0));
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), QColor(0, 0, 200));
    }
};

struct Host {
    QWidget w;
    Host() { w.resize(400, 200); }
    TOnOffBut* add(int x, int y, int group = 0)
    {
        auto* b = new TOnOffBut(&w);
        b->move(x, y);
        b->SetAutoCenter(false);
        b->SetGroupIndex(group);
        return b;
    }
    bool show()
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }
};

QPoint glyphCentre(const TOnOffBut& b)
{
    return QPoint(b.LeftSpace() + b.GlyphWidth() / 2, b.TopSpace() + b.GlyphHeight() / 2);
}

} // namespace

class TstOnOffBut : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(QFont("DejaVu Sans", 8)); }
    void geometry();
    void captionPositions_data();
    void captionPositions();
    void glyphSets_data();
    void glyphSets();
    void defaultButtonOnScreen();
    void disabledOffAndEngravedCaption();
    void spacesAndCentring_data();
    void spacesAndCentring();
    void smallerThanItsGlyph();
    void userGlyphs();
    void radioGroup_data();
    void radioGroup();
    void mouseSequences_data();
    void mouseSequences();
    void transparentOverParent();
    void setterReachesScreen_data();
    void setterReachesScreen();
    void assignCopiesSettingsNotGroup();
    void enumPropertiesAreRegistered();
};

void TstOnOffBut::geometry()
{
    QCOMPARE(StateIndex(false, false), 0);
    QCOMPARE(StateIndex(true, true), 3);
    QCOMPARE(Quadrant(3, 30, 18), TRect(0, 0, 30, 18));
    QCOMPARE(Quadrant(1, 30, 18), TRect(30, 0, 60, 18));
    QCOMPARE(Quadrant(2, 30, 18), TRect(0, 18, 30, 36));
    QCOMPARE(Quadrant(0, 30, 18), TRect(30, 18, 60, 36));
    QCOMPARE(CentredSpace(100, 50, 30, 18), TPoint(35, 16));
    QCOMPARE(CentredSpace(101, 51, 30, 18), TPoint(35, 16));
    QCOMPARE(CentredSpace(20, 10, 25, 15), TPoint(-2, -2)); // truncated toward zero
    // Strictly inside: the lines x = left and x = left + width do not count.
    QVERIFY(!InsideGlyph(35, 25, 35, 18, 30, 18));
    QVERIFY(InsideGlyph(36, 19, 35, 18, 30, 18));
    QVERIFY(InsideGlyph(64, 35, 35, 18, 30, 18));
    QVERIFY(!InsideGlyph(65, 25, 35, 18, 30, 18));
    QVERIFY(!InsideGlyph(40, 36, 35, 18, 30, 18));
    QCOMPARE(OnOffButResourceName(oobsColSlideLR), QStringLiteral("COLSLIDELR"));
    QVERIFY(OnOffButResourceName(oobsUser).isEmpty());
    QVERIFY(OnOffButResourceName(TOnOffButStyle(24)).isEmpty());
}

void TstOnOffBut::captionPositions_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<QPoint>("expected");
    // Glyph area at (35, 18), glyph 30 x 18, control 100 wide, text 20 x 13.
    QTest::newRow("left left") << Side::Left << taLeftJustify << QPoint(4, 20);
    QTest::newRow("left right") << Side::Left << taRightJustify << QPoint(12, 20);
    QTest::newRow("left centre") << Side::Left << taCenter << QPoint(7, 20);
    QTest::newRow("right left") << Side::Right << taLeftJustify << QPoint(69, 20);
    QTest::newRow("right right") << Side::Right << taRightJustify << QPoint(76, 20);
    QTest::newRow("right centre") << Side::Right << taCenter << QPoint(73, 20);
    QTest::newRow("top left") << Side::Top << taLeftJustify << QPoint(4, 1);
    QTest::newRow("top right") << Side::Top << taRightJustify << QPoint(76, 1);
    QTest::newRow("top centre") << Side::Top << taCenter << QPoint(40, 1);
    QTest::newRow("bottom centre") << Side::Bottom << taCenter << QPoint(40, 40);
}

void TstOnOffBut::captionPositions()
{
    QFETCH(Side, side);
    QFETCH(TAlignment, align);
    QFETCH(QPoint, expected);
    QCOMPARE(QPoint(CaptionPos(side, align, 35, 18, 30, 18, 100, 20, 13)), expected);
}

void TstOnOffBut::glyphSets_data()
{
    QTest::addColumn<TOnOffButStyle>("style");
    QTest::addColumn<QSize>("sheet");
    const QList<QSize> sizes = {{32, 32}, {28, 28}, {36, 60}, {60, 36}, {36, 60}, {60, 36},
                                {28, 28}, {50, 50}, {50, 50}, {50, 50}, {62, 62}, {34, 34},
                                {36, 36}, {36, 36}, {78, 98}, {98, 48}, {96, 32}, {96, 32},
                                {48, 48}, {48, 48}, {48, 48}, {48, 48}, {48, 48}};
    for (int s = 1; s <= 23; ++s)
        QTest::newRow(qPrintable(OnOffButResourceName(TOnOffButStyle(s)))) << TOnOffButStyle(s) << sizes[s - 1];
}

void TstOnOffBut::glyphSets()
{
    QFETCH(TOnOffButStyle, style);
    QFETCH(QSize, sheet);
    TBitmap res;
    res.LoadFromResourceName(OnOffButResourceName(style));
    QCOMPARE(QSize(res.Width(), res.Height()), sheet);
    TOnOffBut b;
    b.SetButtonStyle(style);
    const int w = sheet.width() / 2, h = sheet.height() / 2;
    QCOMPARE(b.GlyphWidth(), w);
    QCOMPARE(b.GlyphHeight(), h);
    for (int i = 0; i < 4; ++i) {
        const QImage q = res.Image().copy(Quadrant(i, w, h).ToQRect()).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(b.ButtonImage(i)->Image(), q);
    }
    QVERIFY(b.ButtonImage(3)->Image() != b.ButtonImage(1)->Image()); // on and off differ
    QVERIFY(b.ButtonImage(3)->Image() != b.ButtonImage(2)->Image()); // enabled and disabled differ
}

void TstOnOffBut::defaultButtonOnScreen()
{
    // Without a parent nothing re-centres, so the default spaces 35 and 18 hold.
    TOnOffBut b;
    QCOMPARE(b.ButtonStyle(), oobsColSlideLR);
    QCOMPARE(b.size(), QSize(100, 50));
    QCOMPARE(b.sizeHint(), QSize(100, 50));
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QCOMPARE(b.LeftSpace(), 35);
    QCOMPARE(b.TopSpace(), 18);
    const QImage img = shot(b);
    TBitmap res;
    res.LoadFromResourceName("COLSLIDELR");
    TBitmap topLeft;
    topLeft.SetImage(res.Image().copy(0, 0, 30, 18));
    QVERIFY(showsGlyph(img, 36, 19, &topLeft));
    QCOMPARE(px(img, 35, 18), b.ResolveColor(clBtnFace)); // just outside the glyph
    QCOMPARE(px(img, 0, 0), TColor(0x808080));           // the lowered frame
    QCOMPARE(px(img, 99, 49), TColor(0xFFFFFF));
}

void TstOnOffBut::disabledOffAndEngravedCaption()
{
    Host h;
    TOnOffBut* b = h.add(0, 0);
    b->SetLeftText("Wg");
    b->SetColorText(0x0000FF);
    b->SetOnOff(false);
    b->SetEnabled(false);
    QVERIFY(h.show());
    const QImage img = shot(*b);
    QVERIFY(showsGlyph(img, 36, 19, b->ButtonImage(0)));
    QVERIFY(!showsGlyph(img, 36, 19, b->ButtonImage(1)));
    const QRect caption(2, 14, 33, 24);
    int engraved = 0;
    for (int y = caption.top(); y < caption.bottom(); ++y)
        for (int x = caption.left(); x < caption.right(); ++x)
            engraved += px(img, x, y) == 0x808080 && px(img, x + 1, y + 1) == 0xFFFFFF;
    QVERIFY(engraved > 0);
    QCOMPARE(countColor(img, caption, 0x0000FF), 0);
    // A disabled button ignores the mouse.
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    QTest::mouseClick(b, Qt::LeftButton, {}, glyphCentre(*b));
    QCOMPARE(b->OnOff(), false);
    QCOMPARE(clicks, 0);
    b->SetEnabled(true);
    QTest::mouseClick(b, Qt::LeftButton, {}, glyphCentre(*b));
    QCOMPARE(b->OnOff(), true);
    QCOMPARE(clicks, 1);
    QVERIFY(countColor(shot(*b), caption, 0x0000FF) > 0);
}

void TstOnOffBut::spacesAndCentring_data()
{
    QTest::addColumn<bool>("autoCenter");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("stored") << false << 10 << 5 << QPoint(10, 5);
    QTest::newRow("capped") << false << 500 << 80 << QPoint(100, 50);
    QTest::newRow("negative ignored") << false << -1 << -7 << QPoint(35, 18);
    QTest::newRow("zero") << false << 0 << 0 << QPoint(0, 0);
    QTest::newRow("auto centres instead") << true << 10 << 5 << QPoint(35, 16);
}

void TstOnOffBut::spacesAndCentring()
{
    QFETCH(bool, autoCenter);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QPoint, expected);
    QWidget parent;
    TOnOffBut b(&parent);
    b.SetAutoCenter(false);
    b.SetAutoCenter(autoCenter);
    if (!autoCenter)
        QCOMPARE(QPoint(b.LeftSpace(), b.TopSpace()), QPoint(35, 18));
    b.SetLeftSpace(left);
    b.SetTopSpace(top);
    QCOMPARE(QPoint(b.LeftSpace(), b.TopSpace()), expected);
    // On a parent, a resize re-centres only with AutoCenter.
    b.resize(200, 100);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCoreApplication::processEvents();
    QCOMPARE(QPoint(b.LeftSpace(), b.TopSpace()), autoCenter ? QPoint(85, 41) : expected);
}

void TstOnOffBut::smallerThanItsGlyph()
{
    Host h;
    TOnOffBut* b = h.add(0, 0);
    b->SetButtonStyle(oobsBulb);
    b->SetLeftText("left");
    b->SetTopText("top");
    b->SetAutoCenter(true);
    b->resize(12, 10);
    QVERIFY(h.show());
    QCOMPARE(QPoint(b->LeftSpace(), b->TopSpace()), QPoint(-13, -19));
    const QImage img = shot(*b);
    const TColor g = RgbToColor(b->ButtonImage(3)->Image().pixel(6 + 13 - 1, 5 + 19 - 1));
    QVERIFY(g != OnOffButKeyColor);
    QCOMPARE(px(img, 6, 5), g); // the middle of the glyph in the middle of the control
}

void TstOnOffBut::userGlyphs()
{
    TOnOffBut b;
    const TBitmap* off = b.UserImage(1);
    const TBitmap* on = b.UserImage(3);
    QCOMPARE(QSize(off->Width(), off->Height()), QSize(20, 20));
    QCOMPARE(RgbToColor(off->Image().pixel(0, 0)), TColor(0));
    QCOMPARE(RgbToColor(off->Image().pixel(10, 10)), TColor(0));
    QCOMPARE(RgbToColor(off->Image().pixel(1, 19)), TColor(0));
    QCOMPARE(RgbToColor(off->Image().pixel(10, 0)), TColor(0xFFFFFF));
    QCOMPARE(RgbToColor(on->Image().pixel(5, 10)), TColor(0));
    QCOMPARE(RgbToColor(on->Image().pixel(10, 10)), TColor(0xFFFFFF));
    QCOMPARE(countColor(b.UserImage(0)->Image(), QRect(0, 0, 20, 20), 0xFFFFFF), 400);

    // Selecting the user style takes the size of the user glyphs, not the previous style's.
    b.SetButtonStyle(oobsBulb);
    b.SetButtonStyle(oobsUser);
    QCOMPARE(QSize(b.GlyphWidth(), b.GlyphHeight()), QSize(20, 20));
    QCOMPARE(b.ButtonImage(3)->Image(), on->Image());

    TBitmap sheet(40, 30);
    sheet.Canvas()->Brush()->SetColor(0x00FF00);
    sheet.Canvas()->FillRect(TRect(0, 0, 20, 15)); // on, enabled
    sheet.Canvas()->Brush()->SetColor(0x0000FF);
    sheet.Canvas()->FillRect(TRect(20, 15, 40, 30)); // off, disabled
    b.SetUserGlyph(&sheet);
    QCOMPARE(QSize(b.GlyphWidth(), b.GlyphHeight()), QSize(20, 15));
    QCOMPARE(RgbToColor(b.ButtonImage(3)->Image().pixel(3, 3)), TColor(0x00FF00));
    QCOMPARE(RgbToColor(b.ButtonImage(0)->Image().pixel(3, 3)), TColor(0x0000FF));

    TBitmap tiny(1, 5);
    QVERIFY_THROWS_EXCEPTION(EQORError, b.SetUserGlyph(&tiny));
    QVERIFY_THROWS_EXCEPTION(EQORError, b.SetUserGlyph(nullptr));
    QVERIFY_THROWS_EXCEPTION(EQORError, b.LoadUserGlyph("/nonexistent/glyph.png"));
    QVERIFY_THROWS_EXCEPTION(EQORError, b.SetButtonStyle(TOnOffButStyle(40)));
    QCOMPARE(b.ButtonStyle(), oobsUser);
    QCOMPARE(QSize(b.GlyphWidth(), b.GlyphHeight()), QSize(20, 15));

    QTemporaryDir dir;
    const QString file = dir.filePath("u.png");
    TBitmap user(10, 8);
    user.SaveToFile(file);
    b.LoadUserGlyph(file);
    QCOMPARE(QSize(b.GlyphWidth(), b.GlyphHeight()), QSize(5, 4));
}

void TstOnOffBut::radioGroup_data()
{
    QTest::addColumn<bool>("allowAllOff");
    QTest::addColumn<QList<int>>("clicks"); // 1..3 the group, 4 another group, 5 another parent
    QTest::addColumn<QString>("expected");  // states of the five buttons
    QTest::newRow("strict: second on") << false << QList<int>{2} << "01011";
    QTest::newRow("strict: second stays on") << false << QList<int>{2, 2} << "01011";
    QTest::newRow("strict: third") << false << QList<int>{2, 3} << "00111";
    QTest::newRow("strict: other groups alone") << false << QList<int>{4, 5, 4} << "10010";
    QTest::newRow("all off: second on") << true << QList<int>{2} << "01011";
    QTest::newRow("all off: second off again") << true << QList<int>{2, 2} << "00011";
    QTest::newRow("all off: first off") << true << QList<int>{1} << "00011";
}

void TstOnOffBut::radioGroup()
{
    QFETCH(bool, allowAllOff);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, expected);
    Host h;
    QWidget other(&h.w);
    other.setGeometry(0, 120, 400, 80);
    std::vector<TOnOffBut*> b{h.add(0, 0), h.add(100, 0), h.add(200, 0), h.add(300, 0), new TOnOffBut(&other)};
    b[1]->SetOnOff(false);
    b[2]->SetOnOff(false);
    b[4]->SetAutoCenter(false);
    for (int i : {0, 1, 2, 4})
        b[i]->SetGroupIndex(1);
    b[3]->SetGroupIndex(2);
    // The setting spreads through the group from the one button it is set on.
    b[0]->SetAllowAllOff(!allowAllOff);
    b[0]->SetAllowAllOff(allowAllOff);
    QCOMPARE(b[2]->AllowAllOff(), allowAllOff);
    QCOMPARE(b[3]->AllowAllOff(), true);
    QVERIFY(h.show());
    for (int c : clicks)
        QTest::mouseClick(b[c - 1], Qt::LeftButton, {}, glyphCentre(*b[c - 1]));
    QString states;
    for (TOnOffBut* x : b)
        states += x->OnOff() ? '1' : '0';
    QCOMPARE(states, expected);
    // The property obeys the same rule as the mouse.
    const int lit = int(states.left(3).indexOf('1'));
    if (lit >= 0) {
        b[lit]->SetOnOff(false);
        QCOMPARE(b[lit]->OnOff(), !allowAllOff);
    }
    // The window shows the states.
    const QImage img = shot(h.w);
    for (int i = 0; i < 3; ++i)
        QVERIFY(showsGlyph(img, 100 * i + 36, 19, b[i]->ButtonImage(StateIndex(b[i]->OnOff(), true))));
}

void TstOnOffBut::mouseSequences_data()
{
    QTest::addColumn<TOOButMode>("mode");
    QTest::addColumn<TOOButMouseAction>("action");
    QTest::addColumn<bool>("rightButton");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QString>("log");
    const QPoint in(50, 27), out(90, 45), edge(35, 27);
    QTest::newRow("normal toggles") << oobmNormalBut << oomaFocused << false << in << in << "D1 U0 C0";
    QTest::newRow("speed in, out") << oobmSpeedBut << oomaFocused << false << in << in << "D0 U1 C0";
    QTest::newRow("speed released outside") << oobmSpeedBut << oomaFocused << false << in << out << "D0 U1";
    QTest::newRow("focused on the edge") << oobmNormalBut << oomaFocused << false << edge << edge << "D1 U1";
    QTest::newRow("focused outside") << oobmNormalBut << oomaFocused << false << out << out << "D1 U1";
    QTest::newRow("plain outside") << oobmNormalBut << oomaPlain << false << out << out << "D1 U0 C0";
    QTest::newRow("none") << oobmNormalBut << oomaNone << false << in << in << "D1 U1";
    QTest::newRow("right button") << oobmNormalBut << oomaPlain << true << in << in << "D1 U1";
}

void TstOnOffBut::mouseSequences()
{
    QFETCH(TOOButMode, mode);
    QFETCH(TOOButMouseAction, action);
    QFETCH(bool, rightButton);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(QString, log);
    Host h;
    TOnOffBut* b = h.add(0, 0);
    b->SetMode(mode);
    if (mode == oobmSpeedBut) {
        QVERIFY(!b->OnOff());
    } else {
        QVERIFY(b->OnOff());
    }
    b->SetMouseAction(action);
    QStringList events;
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { events << QString("D%1").arg(b->OnOff()); };
    b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events << QString("U%1").arg(b->OnOff()); };
    b->OnClick = [&](TObject* s) { events << QString("C%1").arg(static_cast<TOnOffBut*>(s)->OnOff()); };
    QVERIFY(h.show());
    const Qt::MouseButton button = rightButton ? Qt::RightButton : Qt::LeftButton;
    QTest::mousePress(b, button, {}, press);
    const bool afterPress = b->OnOff();
    const QImage pressed = shot(*b);
    QTest::mouseRelease(b, button, {}, release);
    QCOMPARE(events.join(' '), log);
    // What the window shows follows the state after each step.
    QVERIFY(showsGlyph(pressed, 36, 19, b->ButtonImage(StateIndex(afterPress, true))));
    QVERIFY(showsGlyph(shot(*b), 36, 19, b->ButtonImage(StateIndex(b->OnOff(), true))));
}

void TstOnOffBut::transparentOverParent()
{
    TwoColourParent parent;
    parent.resize(200, 80);
    auto* b = new TOnOffBut(&parent);
    b->setGeometry(50, 10, 100, 50); // straddles the middle of the parent
    b->SetAutoCenter(false);
    b->SetButtonStyle(oobsLedRedGreen);
    b->SetFrameStyle(fsNone);
    b->SetLeftText("Xy");
    b->SetColorText(0x00FF00);
    b->SetColorBackgnd(0xFFFF00);
    b->SetTransparent(true);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const QImage img = shot(parent);
    const TColor red = RGB(200, 0, 0), blue = RGB(0, 0, 200);
    QCOMPARE(px(img, 51, 11), red);  // the button's corner
    QCOMPARE(px(img, 148, 58), blue); // and its opposite corner
    // The glyph's key-coloured corner shows the parent; its centre shows the lamp.
    QCOMPARE(px(img, 50 + 36, 10 + 19), red);
    const TColor lamp = RgbToColor(b->ButtonImage(3)->Image().pixel(7, 7));
    QCOMPARE(px(img, 50 + 36 + 7, 10 + 19 + 7), lamp);
    // The caption is written over the parent, with no box of its own.
    const QRect caption(52, 20, 34, 22);
    QVERIFY(countColor(img, caption, 0x00FF00) > 0);
    QCOMPARE(countColor(img, caption, 0x00FF00) + countColor(img, caption, red), caption.width() * caption.height());
    QCOMPARE(countColor(img, QRect(50, 10, 100, 50), 0xFFFF00), 0);
    QCOMPARE(countColor(img, QRect(50, 10, 100, 50), OnOffButKeyColor), 0);

    // Opaque again: the background colour fills the button.
    b->SetTransparent(false);
    QCOMPARE(px(shot(parent), 51, 11), TColor(0xFFFF00));
}

void TstOnOffBut::setterReachesScreen_data()
{
    QTest::addColumn<int>("which");
    const char* names[] = {"OnOff", "ButtonStyle", "LeftText", "Enabled", "FrameStyle", "ColorBackgnd",
                           "Transparent", "Mode", "LeftSpace", "AutoCenter"};
    for (int i = 0; i < 10; ++i)
        QTest::newRow(names[i]) << i;
}

void TstOnOffBut::setterReachesScreen()
{
    QFETCH(int, which);
    Host h;
    QPalette pal = h.w.palette();
    pal.setColor(QPalette::Window, QColor(10, 120, 10));
    h.w.setPalette(pal);
    h.w.setAutoFillBackground(true);
    TOnOffBut* b = h.add(10, 10);
    QVERIFY(h.show());
    const QImage before = shot(h.w);
    qor::testing::PaintCounter paints;
    b->installEventFilter(&paints);
    switch (which) {
    case 0: b->SetOnOff(false); break;
    case 1: b->SetButtonStyle(oobsCheckbox); break;
    case 2: b->SetLeftText("Text"); break;
    case 3: b->SetEnabled(false); break;
    case 4: b->SetFrameStyle(fsRaised); break;
    case 5: b->SetColorBackgnd(0x00FFFF); break;
    case 6: b->SetTransparent(true); break;
    case 7: b->SetMode(oobmSpeedBut); break;
    case 8: b->SetLeftSpace(10); break;
    default: b->SetAutoCenter(true); break;
    }
    QTest::qWait(20);
    QVERIFY(paints.n > 0); // the window repainted by itself
    QVERIFY(before != shot(h.w));
}

void TstOnOffBut::assignCopiesSettingsNotGroup()
{
    QWidget parent;
    TOnOffBut a(&parent), c(&parent);
    a.SetAutoCenter(false);
    a.SetButtonStyle(oobsBulb);
    a.SetLeftSpace(3);
    a.SetTopText("top");
    a.SetTopTextAlignment(taRightJustify);
    a.SetOnOff(false);
    a.SetTransparent(true);
    a.SetColorScheme(csSystem);
    a.SetGroupIndex(4);
    a.SetAllowAllOff(false);
    a.SetMode(oobmSpeedBut);
    a.SetEnabled(false);
    int fired = 0;
    a.OnClick = [&](TObject*) { ++fired; };
    a.AssignTo(&c);
    QCOMPARE(c.ButtonStyle(), oobsBulb);
    QCOMPARE(c.GlyphWidth(), 39);
    QCOMPARE(c.LeftSpace(), 3);
    QCOMPARE(c.TopText(), QStringLiteral("top"));
    QCOMPARE(c.TopTextAlignment(), taRightJustify);
    QCOMPARE(c.OnOff(), false);
    QCOMPARE(c.Transparent(), true);
    QCOMPARE(c.ColorScheme(), csSystem);
    QCOMPARE(c.Enabled(), false);
    QCOMPARE(c.ButtonImage(2)->Image(), a.ButtonImage(2)->Image());
    QCOMPARE(c.GroupIndex(), 0);
    QCOMPARE(c.AllowAllOff(), true);
    QCOMPARE(c.Mode(), oobmNormalBut);
    QVERIFY(!c.OnClick); // handlers stay with their own button
    TCustomControl plain;
    QVERIFY_THROWS_EXCEPTION(EQORError, c.Assign(&plain));
    QVERIFY_THROWS_EXCEPTION(EQORError, c.AssignTo(&plain));
}

void TstOnOffBut::enumPropertiesAreRegistered()
{
    const QMetaObject* mo = &TOnOffBut::staticMetaObject;
    for (const char* name : {"ButtonStyle", "Mode", "MouseAction"}) {
        const QMetaProperty p = mo->property(mo->indexOfProperty(name));
        QVERIFY2(p.isValid() && p.isEnumType() && p.isWritable(), name);
    }
    TOnOffBut b;
    QVERIFY(b.setProperty("ButtonStyle", QVariant::fromValue(oobsSmileyYellow)));
    QCOMPARE(b.ButtonStyle(), oobsSmileyYellow);
    QCOMPARE(b.GlyphWidth(), 18);
}

QTEST_MAIN(TstOnOffBut)
#include "tst_onoffbut.moc"

// The spin field's picture, checked pixel by pixel at the positions the layout fixes.
#include "tst_numio2_common.h"

using namespace qor;
using numio2test::MakeField;
using numio2test::Px;

Q_DECLARE_METATYPE(qor::TFrameStyle)

class TestNumIO2Render : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void defaultBox();
    void boxFrames_data();
    void boxFrames();
    void buttons();
    void buttonsFlat();
    void rightTextMovesWithButtons();
    void leftTextPositions();
    void gauge_data();
    void gauge();
    void gaugeFrameLowered();
    void warningColours();
    void disabled();
    void caretClipping_data();
    void caretClipping();
    void caretBlinkPhase();
    void selectionInverted();
    void autoSize();
};

/// Leftmost column in [x1, x2) whose pixels in rows [y1, y2) differ from bg; -1 if none.
static int FirstInkColumn(TNumIO2* f, int x1, int x2, int y1, int y2, TColor bg)
{
    for (int x = x1; x < x2; ++x)
        for (int y = y1; y < y2; ++y)
            if (Px(f, x, y) != bg)
                return x;
    return -1;
}

void TestNumIO2Render::layout()
{
    TNumIO2LayoutParams p;
    p.TextHeight = 14;
    TNumIO2Layout l = NumIO2ComputeLayout(p);
    QCOMPARE(l.G, 0);
    QCOMPARE(l.TY, 7);
    QCOMPARE(l.S, 24);
    QCOMPARE(l.X0, 118);
    QCOMPARE(l.HB, 14);
    QCOMPARE(l.CX, 128);
    QCOMPARE(l.Q, 7);
    QCOMPARE(l.P3, 0);
    QCOMPARE(l.GY1, 19);
    QCOMPARE(l.GY2, 27);
    p.ButVisible = true;
    p.GaugeVisible = true;
    l = NumIO2ComputeLayout(p);
    QCOMPARE(l.P3, 21);
    QCOMPARE(l.G, 12);
    QCOMPARE(l.TY, 1);
    QCOMPARE(l.S, 12);
    QCOMPARE(NumIO2TextX(taLeftJustify, 35, 80, 20), 39);
    QCOMPARE(NumIO2TextX(taRightJustify, 35, 80, 20), 93);
    QCOMPARE(NumIO2TextX(taCenter, 35, 80, 20), 67);
    QCOMPARE(NumIO2CaretOffset(taLeftJustify, 35, 80, 20, 6), 6 + 3);
    QCOMPARE(NumIO2CaretOffset(taRightJustify, 35, 80, 20, 6), 80 + 6 - 20 - 3);
    QCOMPARE(NumIO2CaretOffset(taCenter, 35, 80, 20, 6), 6 + 30 + 1);
    QCOMPARE(NumIO2LeftTextX(taLeftJustify, 35, 10), 7);
    QCOMPARE(NumIO2LeftTextX(taRightJustify, 35, 10), 20);
    QCOMPARE(NumIO2LeftTextX(taCenter, 35, 10), 12);
    QCOMPARE(NumIO2RightTextX(taLeftJustify, 160, 35, 21, 80, 10), 143);
    QCOMPARE(NumIO2RightTextX(taRightJustify, 160, 35, 21, 80, 10), 144);
    QCOMPARE(NumIO2RightTextX(taCenter, 160, 35, 0, 80, 10), 133);
}

void TestNumIO2Render::defaultBox()
{
    auto f = MakeField();
    f->CaretTimer()->Stop();
    f->SetReadOnly(true); // caret hidden
    f->Paint();
    const TColor face = f->ResolveColor(clBtnFace);
    QCOMPARE(f->Canvas()->Target()->width(), 160);
    QCOMPARE(f->Canvas()->Target()->height(), 28);
    // Left area 35 wide, box from 35 to 117 with a lowered frame.
    QCOMPARE(Px(f.get(), 34, 10), face);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0x808080));  // outline
    QCOMPARE(Px(f.get(), 35, 0), TColor(0x808080));
    QCOMPARE(Px(f.get(), 36, 10), TColor(0x000000));  // inner line, left
    QCOMPARE(Px(f.get(), 60, 1), TColor(0x000000));   // inner line, top
    QCOMPARE(Px(f.get(), 36, 26), TColor(0x808080));  // inner line stops above the outline
    QCOMPARE(Px(f.get(), 60, 10), TColor(0xFFFFFF));  // box
    QCOMPARE(Px(f.get(), 116, 10), TColor(0x808080)); // outline right
    QCOMPARE(Px(f.get(), 60, 26), TColor(0x808080));  // outline bottom
    QCOMPARE(Px(f.get(), 117, 10), TColor(0xFFFFFF)); // outer line right
    QCOMPARE(Px(f.get(), 60, 27), TColor(0xFFFFFF));  // outer line bottom
    QCOMPARE(Px(f.get(), 35, 27), face);              // outer line starts at 36
    QCOMPARE(Px(f.get(), 117, 0), face);              // end point excluded
    QCOMPARE(Px(f.get(), 118, 10), face);
    QCOMPARE(Px(f.get(), 150, 10), face);

    // The number is centred in the box.
    f->SetText("8");
    const int nw = f->Canvas()->TextWidth("8");
    const int x0 = 35 + (80 - nw) / 2 + 2;
    const int ink = FirstInkColumn(f.get(), 37, 115, 2, 25, 0xFFFFFF);
    QVERIFY(ink >= x0 && ink < x0 + nw);
    QCOMPARE(FirstInkColumn(f.get(), 37, x0, 2, 25, 0xFFFFFF), -1);
}

void TestNumIO2Render::boxFrames_data()
{
    QTest::addColumn<TFrameStyle>("style");
    QTest::addColumn<TColor>("outline");
    QTest::addColumn<TColor>("inner");
    QTest::addColumn<TColor>("outer");
    // outer/inner: colour of the 3-D lines, or the background when there are none.
    QTest::newRow("none") << fsNone << TColor(0xFFFFFF) << TColor(0xFFFFFF) << TColor(0xFFFFFFFE);
    QTest::newRow("simple") << fsSimple << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0xFFFFFFFE);
    QTest::newRow("lowered") << fsLowered << TColor(0x808080) << TColor(0) << TColor(0xFFFFFF);
    QTest::newRow("raised") << fsRaised << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0);
    QTest::newRow("ridge") << fsRidge << TColor(0xFFFFFF) << TColor(0x808080) << TColor(0x808080);
    QTest::newRow("groove") << fsGroove << TColor(0x808080) << TColor(0xFFFFFF) << TColor(0xFFFFFF);
}

void TestNumIO2Render::boxFrames()
{
    QFETCH(TFrameStyle, style);
    QFETCH(TColor, outline);
    QFETCH(TColor, inner);
    QFETCH(TColor, outer);
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetFrameStyle(style);
    const TColor face = f->ResolveColor(clBtnFace);
    QCOMPARE(Px(f.get(), 35, 10), outline);
    QCOMPARE(Px(f.get(), 36, 10), inner);
    if (outer == 0xFFFFFFFE) {
        // flat styles: the rectangle reaches the bottom row, no outer line
        QCOMPARE(Px(f.get(), 60, 27), outline);
        QCOMPARE(Px(f.get(), 117, 10), face);
    } else {
        QCOMPARE(Px(f.get(), 60, 27), outer);
        QCOMPARE(Px(f.get(), 117, 10), outer);
        QCOMPARE(Px(f.get(), 60, 26), outline);
    }
}

void TestNumIO2Render::buttons()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetButVisible(true);
    const TColor face = f->ResolveColor(clBtnFace);
    // Frame of the pair: X0 = 118, BW = 18, HB = 14.
    QCOMPARE(Px(f.get(), 117, 10), TColor(0xFFFFFF)); // box's outer line, then the gap
    QCOMPARE(Px(f.get(), 118, 10), TColor(0x808080));
    QCOMPARE(Px(f.get(), 136, 10), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 0), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 26), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 13), TColor(0x808080)); // divider
    QCOMPARE(Px(f.get(), 122, 10), TColor(0xC0C0C0)); // face
    // 3-D highlight and shadow.
    QCOMPARE(Px(f.get(), 119, 5), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 1), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 119, 20), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 14), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 125, 27), TColor(0x000000));
    QCOMPARE(Px(f.get(), 137, 10), TColor(0x000000));
    QCOMPARE(Px(f.get(), 137, 1), face); // end point excluded
    QCOMPARE(Px(f.get(), 138, 10), face);
    // Up arrow: rows 2, 4, 6 wide around CX = 128 at Q-1, Q, Q+1 (Q = 7).
    auto rowBlack = [&](int y) {
        QList<int> xs;
        for (int x = 119; x < 137; ++x)
            if (Px(f.get(), x, y) == 0)
                xs << x;
        return xs;
    };
    QCOMPARE(rowBlack(6), QList<int>({127, 128}));
    QCOMPARE(rowBlack(7), QList<int>({126, 127, 128, 129}));
    QCOMPARE(rowBlack(8), QList<int>({125, 126, 127, 128, 129, 130}));
    QCOMPARE(rowBlack(5), QList<int>());
    // Down arrow, widest row on top.
    QCOMPARE(rowBlack(19), QList<int>({125, 126, 127, 128, 129, 130}));
    QCOMPARE(rowBlack(20), QList<int>({126, 127, 128, 129}));
    QCOMPARE(rowBlack(21), QList<int>({127, 128}));
    QCOMPARE(rowBlack(22), QList<int>());

    // Disabled arrows are grey.
    f->SetEnabled(false);
    QCOMPARE(Px(f.get(), 127, 6), TColor(0x808080));
    QCOMPARE(Px(f.get(), 125, 19), TColor(0x808080));
}

void TestNumIO2Render::buttonsFlat()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetButVisible(true);
    f->SetBut3D(false);
    f->SetButColor(0x00FF00);
    QCOMPARE(Px(f.get(), 119, 5), TColor(0x00FF00));
    QCOMPARE(Px(f.get(), 125, 27), f->ResolveColor(clBtnFace));
    QCOMPARE(Px(f.get(), 137, 10), f->ResolveColor(clBtnFace));
}

void TestNumIO2Render::rightTextMovesWithButtons()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetRightText("mV");
    const TColor face = f->ResolveColor(clBtnFace);
    const int without = FirstInkColumn(f.get(), 118, 160, 0, 28, face);
    QVERIFY(without >= 35 + 80 + 7);
    QVERIFY(without < 35 + 80 + 7 + 4);
    f->SetButVisible(true);
    const int with = FirstInkColumn(f.get(), 138, 160, 0, 28, face);
    QCOMPARE(with - without, 18 + 3);
    // Right-justified: the text ends 6 pixels from the edge.
    f->SetButVisible(false);
    f->SetRightTextAlignment(taRightJustify);
    const int tw = f->Canvas()->TextWidth("mV");
    const int x = FirstInkColumn(f.get(), 118, 160, 0, 28, face);
    QVERIFY(x >= 160 - tw - 6);
    QCOMPARE(FirstInkColumn(f.get(), 160 - 6, 160, 0, 28, face), -1);
}

void TestNumIO2Render::leftTextPositions()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetLeftText("U");
    f->SetColorOutText(0x0000FF);
    const TColor face = f->ResolveColor(clBtnFace);
    const int tw = f->Canvas()->TextWidth("U");
    // Right-justified by default: ends 5 px before the box.
    const int x = FirstInkColumn(f.get(), 0, 35, 0, 28, face);
    QVERIFY(x >= 35 - tw - 5 && x < 35 - 5);
    QCOMPARE(FirstInkColumn(f.get(), 35 - 5, 35, 0, 28, face), -1);
    bool red = false;
    for (int xx = 0; xx < 35; ++xx)
        for (int y = 0; y < 28; ++y)
            red = red || Px(f.get(), xx, y) == 0x0000FF;
    QVERIFY(red);
    f->SetLeftTextAlignment(taLeftJustify);
    const int xl = FirstInkColumn(f.get(), 0, 35, 0, 28, face);
    QVERIFY(xl >= 7 && xl < 7 + tw);
    QCOMPARE(FirstInkColumn(f.get(), 0, 7, 0, 28, face), -1);
}

void TestNumIO2Render::gauge_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("fill");
    QTest::newRow("empty") << 0.0 << 1000.0 << 0.0 << 0;
    QTest::newRow("half") << 0.0 << 1000.0 << 500.0 << 41;
    QTest::newRow("full") << 0.0 << 1000.0 << 1000.0 << 82;
    QTest::newRow("beyond") << 0.0 << 1000.0 << 5000.0 << 82;
    QTest::newRow("below") << 0.0 << 1000.0 << -5.0 << 0;
    QTest::newRow("equal bounds") << 7.0 << 7.0 << 7.0 << 82;
}

void TestNumIO2Render::gauge()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, value);
    QFETCH(int, fill);
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetGaugeFrameStyle(fsNone);
    f->SetGaugeVisible(true);
    f->SetRangeHigh(high);
    f->SetRangeLow(low);
    f->SetValue(value);
    // Gauge rectangle (35, 19) - (117, 27); with no frame its outline is the background.
    const int y = 23;
    for (int x = 36; x < 117; ++x) {
        const TColor want = x < 35 + fill ? TColor(0x800000) : TColor(0xC0C0C0);
        QCOMPARE(Px(f.get(), x, y), want);
    }
    QCOMPARE(Px(f.get(), 34, y), f->ResolveColor(clBtnFace));
    QCOMPARE(Px(f.get(), 117, y), f->ResolveColor(clBtnFace));
    // The text box shrinks to the row above the gauge band (H - G = 16).
    QCOMPARE(Px(f.get(), 60, 14), TColor(0x808080)); // box outline bottom at H - G - 2
    QCOMPARE(Px(f.get(), 60, 15), TColor(0xFFFFFF)); // outer line at S + 3
    QCOMPARE(Px(f.get(), 60, 17), f->ResolveColor(clBtnFace));
}

void TestNumIO2Render::gaugeFrameLowered()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetGaugeVisible(true);
    f->SetValue(1000);
    QCOMPARE(Px(f.get(), 35, 22), TColor(0x808080));  // outline
    QCOMPARE(Px(f.get(), 60, 19), TColor(0x808080));
    QCOMPARE(Px(f.get(), 36, 23), TColor(0x000000));  // inner left
    QCOMPARE(Px(f.get(), 60, 20), TColor(0x000000));  // inner top
    QCOMPARE(Px(f.get(), 60, 27), TColor(0xFFFFFF));  // outer bottom at GY2
    QCOMPARE(Px(f.get(), 117, 23), TColor(0xFFFFFF)); // outer right
    QCOMPARE(Px(f.get(), 60, 23), TColor(0x800000));  // bar
    f->SetEnabled(false);
    QCOMPARE(Px(f.get(), 60, 23), TColor(0x808080));
}

void TestNumIO2Render::warningColours()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetValue(5);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0xFFFFFF));
    f->SetValue(2000);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x88FFF0));
    bool red = false;
    for (int x = 37; x < 115; ++x)
        for (int y = 2; y < 25; ++y)
            red = red || Px(f.get(), x, y) == 0x0000FF;
    QVERIFY(red);
    f->SetColorWarnBG(0x00FFFF);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x00FFFF));
    // Without a frame the outline takes the warning colour too.
    f->SetFrameStyle(fsNone);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0x00FFFF));
    f->SetValue(-1);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x00FFFF));
    f->SetValue(0);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0xFFFFFF));
}

void TestNumIO2Render::disabled()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetValue(2000);
    f->SetEnabled(false);
    QVERIFY(!f->Enabled());
    QCOMPARE(Px(f.get(), 40, 10), TColor(0xC0C0C0));
    f->SetFrameStyle(fsNone);
    QCOMPARE(Px(f.get(), 35, 10), TColor(0xC0C0C0));
    bool grey = false, red = false;
    for (int x = 37; x < 115; ++x)
        for (int y = 2; y < 25; ++y) {
            grey = grey || Px(f.get(), x, y) == 0x808080;
            red = red || Px(f.get(), x, y) == 0x0000FF;
        }
    QVERIFY(grey);
    QVERIFY(!red);
    f->SetEnabled(true);
    QCOMPARE(Px(f.get(), 40, 10), TColor(0x88FFF0));
}

void TestNumIO2Render::caretClipping_data()
{
    QTest::addColumn<TAlignment>("align");
    QTest::addColumn<bool>("atEnd");
    QTest::addColumn<int>("extra");   // TextBoxWidth = text width + 3 + extra
    QTest::addColumn<bool>("drawn");
    // Right-justified, caret at 0: offset = TBW - NW - 3.
    QTest::newRow("offset 0 hidden") << taRightJustify << false << 0 << false;
    QTest::newRow("offset 1 drawn") << taRightJustify << false << 1 << true;
    QTest::newRow("offset -2 hidden") << taRightJustify << false << -2 << false;
    // Left-justified, caret at the end: offset = NW + 3.
    QTest::newRow("offset TBW hidden") << taLeftJustify << true << 0 << false;
    QTest::newRow("offset TBW-1 drawn") << taLeftJustify << true << 1 << true;
    QTest::newRow("offset beyond TBW hidden") << taLeftJustify << true << -3 << false;
}

void TestNumIO2Render::caretClipping()
{
    QFETCH(TAlignment, align);
    QFETCH(bool, atEnd);
    QFETCH(int, extra);
    QFETCH(bool, drawn);
    auto f = MakeField();
    f->SetFrameStyle(fsRaised); // white inner line, so a black caret on it shows
    f->SetAlignment(align);
    f->SetText("12345");
    if (atEnd)
        QTest::keyClick(f.get(), Qt::Key_End);
    const int nw = f->Canvas()->TextWidth("12345");
    const int cw = atEnd ? nw : 0;
    f->SetTextBoxWidth(nw + 3 + extra);
    const int tbw = f->TextBoxWidth();
    const int off = NumIO2CaretOffset(align, 35, tbw, nw, cw);
    QCOMPARE(off > 0 && off < tbw, drawn);
    QVERIFY(f->CaretVisible());
    f->Paint();
    const int x = 35 + off;
    // The caret runs from y 3 to H - 4; rows 3 and 4 are above any digit.
    const bool black = Px(f.get(), x, 3) == 0 && Px(f.get(), x, 4) == 0 && Px(f.get(), x, 24) == 0;
    QCOMPARE(black, drawn);
    if (drawn)
        QVERIFY(Px(f.get(), x, 25) != 0);
}

void TestNumIO2Render::caretBlinkPhase()
{
    auto f = MakeField();
    // Empty centred text: caret offset (80 - 0) div 2 + 1 = 41 -> x = 76.
    QVERIFY(f->CaretVisible());
    f->Paint();
    QCOMPARE(Px(f.get(), 76, 3), TColor(0));
    QCOMPARE(Px(f.get(), 76, 24), TColor(0));
    QCOMPARE(Px(f.get(), 76, 2), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 76, 25), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), 75, 10), TColor(0xFFFFFF));
    f->CaretTimer()->Fire(); // not focused: blink stops with the caret hidden
    QVERIFY(!f->CaretVisible());
    QCOMPARE(Px(f.get(), 76, 10), TColor(0xFFFFFF));
}

void TestNumIO2Render::selectionInverted()
{
    auto f = MakeField();
    f->SetReadOnly(true);
    f->SetAlignment(taLeftJustify);
    f->SetText("123.45");
    f->SetSelBegin(1);
    f->SetSelEnd(4);
    QVERIFY(!f->hasFocus());
    // Hidden while unfocused.
    QCOMPARE(Px(f.get(), f->CharPosToXCoords(2), 3), TColor(0xFFFFFF));
    f->SetHideSelection(false);
    const int x1 = f->CharPosToXCoords(1);
    const int x2 = f->CharPosToXCoords(4);
    QVERIFY(x2 > x1 + 2);
    QCOMPARE(Px(f.get(), x1, 3), TColor(0x000000));       // white inverted
    QCOMPARE(Px(f.get(), x2 - 1, 24), TColor(0x000000));
    QCOMPARE(Px(f.get(), x1 - 1, 3), TColor(0xFFFFFF));   // outside
    QCOMPARE(Px(f.get(), x2, 3), TColor(0xFFFFFF));
    QCOMPARE(Px(f.get(), x1, 2), TColor(0xFFFFFF));       // rows 3 .. H-G-4 only
    QCOMPARE(Px(f.get(), x1, 25), TColor(0xFFFFFF));
    // The selection never leaves the box (clamped to LS + TBW).
    f->SetTextBoxWidth(12);
    f->SetSelBegin(0);
    f->SetSelEnd(6);
    QCOMPARE(Px(f.get(), 35 + 11, 3), TColor(0x000000)); // last column inside, inverted
    QCOMPARE(Px(f.get(), 35 + 12, 3), TColor(0xFFFFFF)); // box interior, not inverted
    QCOMPARE(Px(f.get(), 35 + 13, 3), TColor(0x808080)); // box outline untouched
}

void TestNumIO2Render::autoSize()
{
    auto f = MakeField();
    f->SetAutoSize(true);
    const int want = f->Canvas()->TextHeight("E0") + 6;
    QCOMPARE(f->Height(), want);
    f->SetReadOnly(true);
    QCOMPARE(f->Canvas()->Target()->height(), want);
}

int numio2test::RunRenderTests(int argc, char** argv)
{
    TestNumIO2Render t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_numio2_render.moc"

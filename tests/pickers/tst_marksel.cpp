// Tests of the mark selector: grid geometry and hit testing, setters, and what the user sees of
// the selection, the highlight and clicks through real mouse events.
#include "pickers/MarkSel_p.h"
#include "pickers/QOR_marksel.h"

#include <QtTest>

using namespace qor;

namespace {

std::array<bool, NrOfMarks> allVisible()
{
    std::array<bool, NrOfMarks> v;
    v.fill(true);
    return v;
}

/// The selector on a form, shown, with every event it fires written to a log.
struct Fixture {
    QWidget form;
    TMarkSel* sel;
    QStringList log;
    int paints = 0;
    Fixture()
    {
        form.resize(300, 240);
        sel = new TMarkSel(&form);
        sel->move(0, 0);
        sel->OnClick = [this](TObject*) { log << "click"; };
        sel->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { log << QString("up%1").arg(int(b)); };
        sel->OnMarkClick = [this](TObject* s, int x, int y, int m) {
            QCOMPARE(s, sel);
            log << QString("mark %1,%2:%3").arg(x).arg(y).arg(m);
        };
        sel->OnMarkDblClick = [this](TObject*, int x, int y, int m) { log << QString("dbl %1,%2:%3").arg(x).arg(y).arg(m); };
        sel->OnPaint = [this](TObject*) { ++paints; };
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    /// The window's pixels once the event loop has run.
    QImage screen()
    {
        QCoreApplication::processEvents();
        return sel->grab().toImage();
    }
    TColor at(const QImage& img, int x, int y) const { return RgbToColor(img.pixel(x, y)); }
    /// A point of the cell of symbol m that neither the symbol nor the outline covers.
    QPoint cellPoint(int m) const
    {
        const TPoint p = sel->MarkCoords(m);
        return QPoint(p.X - 9, p.Y - 9);
    }
    QPoint centre(int m) const { return QPoint(sel->MarkCoords(m)); }
};

} // namespace

class TstMarkSel : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void layout_data();
    void layout();
    void nearest_data();
    void nearest();
    void setters_data();
    void setters();
    void visibility();
    void selectionOnScreen_data();
    void selectionOnScreen();
    void highlightFollowsMouse();
    void clicks_data();
    void clicks();
    void doubleClick();
};

void TstMarkSel::defaults()
{
    TMarkSel s;
    QCOMPARE(s.size(), QSize(236, 178));
    QCOMPARE(s.sizeHint(), QSize(236, 178));
    QCOMPARE(s.NrOfColumns(), 8);
    QCOMPARE(s.NrOfRows(), 6);
    QCOMPARE(s.Selected(), -1);
    QCOMPARE(s.ShowZeroAsCross(), true);
    QCOMPARE(s.ColorBackGnd(), clBtnFace);
    QCOMPARE(s.ColorMarks(), TColor(0));
    QCOMPARE(s.ColorSelFG(), TColor(0x800000));
    QCOMPARE(s.ColorSelBG(), TColor(0xFFFFFF));
    QCOMPARE(s.ColorHiLiteBG(), TColor(0x0000FF));
    QCOMPARE(s.ColorHiLiteSymbol(), TColor(0xFFFFFF));
    QCOMPARE(s.FrameStyle(), fsGroove);
    QCOMPARE(s.HiLited(), -1);
    const QMetaObject* mo = s.metaObject();
    for (const char* name : {"NrOfColumns", "NrOfRows", "Selected", "ShowZeroAsCross", "ColorBackGnd", "ColorMarks",
                             "ColorSelFG", "ColorSelBG", "ColorHiLiteBG", "ColorHiLiteSymbol", "FrameStyle", "Enabled"}) {
        const QMetaProperty p = mo->property(mo->indexOfProperty(name));
        QVERIFY2(p.isReadable() && p.isWritable(), name);
    }
}

void TstMarkSel::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("hidden"); // a symbol to hide, 0 for none
    QTest::addColumn<int>("mark");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("shown");
    QTest::newRow("first") << 236 << 178 << 0 << 0 << QPoint(14, 14) << true;
    QTest::newRow("end of row 1") << 236 << 178 << 0 << 7 << QPoint(217, 14) << true;
    QTest::newRow("start of row 2") << 236 << 178 << 0 << 8 << QPoint(14, 43) << true;
    QTest::newRow("last row") << 236 << 178 << 0 << 40 << QPoint(14, 159) << true;
    QTest::newRow("last cell") << 236 << 178 << 0 << 47 << QPoint(217, 159) << true;
    QTest::newRow("below the grid") << 236 << 178 << 0 << 48 << QPoint(14, 188) << false;
    QTest::newRow("5 hidden: 6 moves back") << 236 << 178 << 5 << 6 << QPoint(159, 14) << true;
    QTest::newRow("5 hidden: 48 moves in") << 236 << 178 << 5 << 48 << QPoint(217, 159) << true;
    QTest::newRow("wide cells") << 244 << 184 << 0 << 9 << QPoint(45, 45) << true;
}

void TstMarkSel::layout()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, hidden);
    QFETCH(int, mark);
    QFETCH(QPoint, point);
    QFETCH(bool, shown);
    auto vis = allVisible();
    if (hidden)
        vis[std::size_t(hidden)] = false;
    const TMarkSelLayout l = MarkSelLayout(width, height, 8, 6, vis);
    if (width == 236) {
        QCOMPARE(l.DH, 29);
        QCOMPARE(l.DV, 29);
        QCOMPARE(l.MH, 14);
        QCOMPARE(l.MV, 14);
    }
    QCOMPARE(QPoint(l.Points[std::size_t(mark)]), point);
    QCOMPARE(l.Shown[std::size_t(mark)], shown);
    int shownCount = 0;
    for (bool b : l.Shown)
        shownCount += b;
    QCOMPARE(shownCount, 48);
}

void TstMarkSel::nearest_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("mark");
    QTest::newRow("on a symbol") << 236 << QPoint(72, 43) << 10;
    QTest::newRow("one pixel nearer the next") << 236 << QPoint(29, 14) << 1;
    QTest::newRow("one pixel nearer the previous") << 236 << QPoint(28, 14) << 0;
    // 244 px: 30-pixel cells, symbols 0, 1, 2 at x = 15, 45, 75
    QTest::newRow("tie goes to the lower") << 244 << QPoint(30, 15) << 0;
    QTest::newRow("tie between 1 and 2") << 244 << QPoint(60, 15) << 1;
    QTest::newRow("tie of four") << 244 << QPoint(60, 30) << 1;
    // Below the last row the nearest shown symbol wins, not one hidden beneath the grid.
    QTest::newRow("bottom margin") << 236 << QPoint(14, 177) << 40;
    QTest::newRow("far outside") << 236 << QPoint(-500, -500) << 0;
}

void TstMarkSel::nearest()
{
    QFETCH(int, width);
    QFETCH(QPoint, pos);
    QFETCH(int, mark);
    const TMarkSelLayout l = MarkSelLayout(width, width == 244 ? 184 : 178, 8, 6, allVisible());
    QCOMPARE(MarkSelNearest(l, pos.x(), pos.y()), mark);
}

void TstMarkSel::setters_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("columns 0") << QByteArray("NrOfColumns") << 0 << 8;
    QTest::newRow("columns 52") << QByteArray("NrOfColumns") << 52 << 8;
    QTest::newRow("columns 1") << QByteArray("NrOfColumns") << 1 << 1;
    QTest::newRow("columns 51") << QByteArray("NrOfColumns") << 51 << 51;
    QTest::newRow("rows 0") << QByteArray("NrOfRows") << 0 << 6;
    QTest::newRow("rows 52") << QByteArray("NrOfRows") << 52 << 6;
    QTest::newRow("rows 51") << QByteArray("NrOfRows") << 51 << 51;
    QTest::newRow("selected 52") << QByteArray("Selected") << 52 << -1;
    QTest::newRow("selected -2") << QByteArray("Selected") << -2 << -1;
    QTest::newRow("selected 47") << QByteArray("Selected") << 47 << 47;
    QTest::newRow("selected 0") << QByteArray("Selected") << 0 << 0;
}

void TstMarkSel::setters()
{
    QFETCH(QByteArray, property);
    QFETCH(int, value);
    QFETCH(int, stored);
    Fixture f;
    const QImage before = f.screen();
    const int paints = f.paints;
    QVERIFY(f.sel->setProperty(property, value));
    QCOMPARE(f.sel->property(property).toInt(), stored);
    // an accepted change reaches the window; an ignored one leaves it as it was (grabbing paints
    // too, so the paints are counted before it)
    QCoreApplication::processEvents();
    const bool repainted = f.paints > paints;
    const QImage after = f.screen();
    const bool changed = stored == value;
    QCOMPARE(after != before, changed);
    QCOMPARE(repainted, changed);
}

void TstMarkSel::visibility()
{
    TMarkSel s;
    for (int ix : {-1, 52, 1000})
        QVERIFY(s.MarkVisible(ix));
    s.SetMarkVisible(0, false);
    QVERIFY(s.MarkVisible(0));
    s.HideAllMarks();
    QVERIFY(s.MarkVisible(0));
    QVERIFY(!s.MarkVisible(1) && !s.MarkVisible(51));
    // symbol 0 still reads true through an out-of-range index
    QVERIFY(s.MarkVisible(-3));
    s.SetMarkVisible(51, true);
    QCOMPARE(QPoint(s.MarkCoords(51)), QPoint(43, 14));
    QCOMPARE(s.MarkAt(44, 15), 51);
    s.ShowAllMarks();
    QVERIFY(s.MarkVisible(1) && s.MarkVisible(51));
    QCOMPARE(s.MarkAt(44, 15), 1);
}

void TstMarkSel::selectionOnScreen_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void TstMarkSel::selectionOnScreen()
{
    QFETCH(bool, enabled);
    Fixture f;
    f.sel->SetSelected(9);
    f.sel->SetEnabled(enabled);
    const QImage img = f.screen();
    const TColor back = enabled ? f.sel->ResolveColor(clBtnFace) : TColor(0xC0C0C0);
    const TColor cell = enabled ? TColor(0xFFFFFF) : TColor(0xDEDEDE);
    const TColor selPen = enabled ? TColor(0x800000) : TColor(0x808080);
    const QPoint c9 = f.cellPoint(9);
    QCOMPARE(f.at(img, c9.x(), c9.y()), cell);
    QCOMPARE(f.at(img, c9.x() - 2, c9.y()), selPen); // the cell outline
    const QPoint c10 = f.cellPoint(10);
    QCOMPARE(f.at(img, c10.x(), c10.y()), back);
    // the groove frame
    QCOMPARE(f.at(img, 0, 0), TColor(0x808080));
    QCOMPARE(f.at(img, 1, 1), TColor(0xFFFFFF));
    // every symbol drawn: black when enabled, grey when disabled; nothing of the other
    int black = 0, grey = 0;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x) {
            const TColor c = f.at(img, x, y);
            black += c == 0;
            grey += c == 0x808080;
        }
    QVERIFY(enabled ? black > 500 : grey > 500);
    QCOMPARE(enabled ? grey : black, 0);
}

void TstMarkSel::highlightFollowsMouse()
{
    Fixture f;
    f.sel->SetSelected(10);
    const QPoint c9 = f.cellPoint(9), c10 = f.cellPoint(10);
    const TColor back = f.sel->ResolveColor(clBtnFace);

    QTest::mouseMove(f.sel, f.centre(9) + QPoint(3, -2));
    QCOMPARE(f.sel->HiLited(), 9);
    QImage img = f.screen();
    QCOMPARE(f.at(img, c9.x(), c9.y()), TColor(0x0000FF));
    QCOMPARE(f.at(img, c10.x(), c10.y()), TColor(0xFFFFFF));

    // onto the selected symbol: its cell outline stays around the highlight
    QTest::mouseMove(f.sel, f.centre(10));
    QCOMPARE(f.sel->HiLited(), 10);
    img = f.screen();
    QCOMPARE(f.at(img, c9.x(), c9.y()), back);
    QCOMPARE(f.at(img, c10.x(), c10.y()), TColor(0x0000FF));
    QCOMPARE(f.at(img, c10.x() - 2, c10.y()), TColor(0x800000));

    // a full repaint keeps the highlight where the mouse rests
    f.sel->SetColorBackGnd(0x00FFFF);
    img = f.screen();
    QCOMPARE(f.at(img, c10.x(), c10.y()), TColor(0x0000FF));
    QCOMPARE(f.at(img, c9.x(), c9.y()), TColor(0x00FFFF));

    // leaving the control takes the highlight away
    QTest::mouseMove(&f.form, QPoint(280, 220));
    QCOMPARE(f.sel->HiLited(), -1);
    img = f.screen();
    QCOMPARE(f.at(img, c10.x(), c10.y()), TColor(0xFFFFFF));
}

void TstMarkSel::clicks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("on symbol 12") << int(Qt::LeftButton) << QPoint(130, 45) << QPoint(130, 45) << 12
                                  << QStringList{"click", "up0", "mark 130,45:12"};
    QTest::newRow("bottom margin selects the shown symbol") << int(Qt::LeftButton) << QPoint(14, 177) << QPoint(14, 177)
                                                            << 40 << QStringList{"click", "up0", "mark 14,177:40"};
    QTest::newRow("released off the control") << int(Qt::LeftButton) << QPoint(130, 45) << QPoint(270, 200) << -1
                                               << QStringList{"up0"};
    QTest::newRow("right button") << int(Qt::RightButton) << QPoint(130, 45) << QPoint(130, 45) << -1
                                  << QStringList{"up1"};
}

void TstMarkSel::clicks()
{
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(int, selected);
    QFETCH(QStringList, expected);
    Fixture f;
    const auto b = Qt::MouseButton(button);
    QTest::mouseMove(f.sel, press);
    QTest::mousePress(f.sel, b, {}, press);
    if (release != press)
        QTest::mouseMove(f.sel, release);
    QTest::mouseRelease(f.sel, b, {}, release);
    QCOMPARE(f.log, expected);
    QCOMPARE(f.sel->Selected(), selected);
    if (selected >= 0) {
        // selected and, with the mouse resting on it, highlighted inside its outline
        const QImage img = f.screen();
        const QPoint c = f.cellPoint(selected);
        QCOMPARE(f.sel->HiLited(), selected);
        QCOMPARE(f.at(img, c.x(), c.y()), TColor(0x0000FF));
        QCOMPARE(f.at(img, c.x() - 2, c.y()), TColor(0x800000));
    }
}

void TstMarkSel::doubleClick()
{
    Fixture f;
    QTest::mouseMove(f.sel, QPoint(72, 43));
    QTest::mouseDClick(f.sel, Qt::LeftButton, {}, QPoint(72, 43));
    QVERIFY2(f.log.contains("dbl 72,43:10"), qPrintable(f.log.join('|')));
    QCOMPARE(f.sel->Selected(), 10);
}

QTEST_MAIN(TstMarkSel)
#include "tst_marksel.moc"

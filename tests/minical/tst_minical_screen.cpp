// The month calendar on the screen: cell colours, the today ellipse, button frames and
// cell sizes checked on grabbed pixels, and real mouse, key and wheel events.
#include "tst_minical_util.h"

#include <QWheelEvent>

using namespace qor;

namespace {

QImage grabView(TMiniCal& c)
{
    QCoreApplication::processEvents();
    return c.viewport()->grab().toImage();
}

TColor px(const QImage& img, int x, int y) { return RgbToColor(img.pixel(x, y)); }

// Grid cell of a day of the shown month.
QPoint dayCell(const TMiniCal& c, int day) { return {(day - c.MonOfs()) % 7 + 1, (day - c.MonOfs()) / 7 + 2}; }

int countColour(const QImage& img, const TRect& r, TColor col)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += px(img, x, y) == col;
    return n;
}

} // namespace

void TestMiniCalScreen::init()
{
    cal = new TMiniCal;
    cal->Font()->SetName("DejaVu Sans");
    cal->SetMarkToday(false);
    cal->show();
    QVERIFY(QTest::qWaitForWindowExposed(cal));
}

void TestMiniCalScreen::cleanup()
{
    delete cal;
    cal = nullptr;
}

// December 2016: 24 Saturday, 25 Sunday (Christmas), 26 Monday (Boxing Day), 20 Tuesday.
void TestMiniCalScreen::cellColours_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("indicate");
    QTest::addColumn<TColor>("background");
    QTest::addColumn<TColor>("text");
    const TColor mean = MeanColor(0xD0A040, 0x9BD8F1);
    QTest::newRow("selected holiday: mean colour") << 25 << 25 << true << mean << TColor(0xFFFFFF);
    QTest::newRow("holiday") << 20 << 26 << true << TColor(0x9BD8F1) << TColor(0x0000C0);
    QTest::newRow("selected working day") << 20 << 20 << true << TColor(0xD0A040) << TColor(0xFFFFFF);
    QTest::newRow("Saturday") << 20 << 24 << true << TColor(0xBBDDEE) << TColor(0x000000);
    QTest::newRow("Tuesday") << 25 << 20 << true << TColor(0xF8F8F8) << TColor(0x000000);
    QTest::newRow("holiday not indicated") << 20 << 26 << false << TColor(0xF8F8F8) << TColor(0x000000);
    QTest::newRow("selected holiday not indicated") << 25 << 25 << false << TColor(0xD0A040) << TColor(0xFFFFFF);
}

void TestMiniCalScreen::cellColours()
{
    QFETCH(int, selected);
    QFETCH(int, day);
    QFETCH(bool, indicate);
    QFETCH(TColor, background);
    QFETCH(TColor, text);
    cal->SetDate(ymd(2016, 12, selected));
    cal->SetIndicateHolidays(indicate);
    const QPoint cell = dayCell(*cal, day);
    const TRect r = cal->CellRect(cell.x(), cell.y());
    const QImage img = grabView(*cal);
    QCOMPARE(px(img, r.Left, r.Top), background);
    QCOMPARE(px(img, r.Right - 1, r.Bottom - 1), background);
    QVERIFY(countColour(img, r, text) > 5); // the day's digits
    // The neighbours' days are grey, the weekday names and week numbers on silver.
    const TRect lead = cal->CellRect(1, 2);
    QVERIFY(countColour(img, lead, 0xC0C0C0) > 5);
    QCOMPARE(px(img, cal->CellRect(3, 1).Left, cal->CellRect(3, 1).Top), TColor(0xC0C0C0));
    QCOMPARE(px(img, cal->CellRect(0, 4).Left, cal->CellRect(0, 4).Top), TColor(0xC0C0C0));
}

void TestMiniCalScreen::setterReachesScreen()
{
    cal->SetDate(ymd(2016, 12, 20));
    const TRect r = cal->CellRect(dayCell(*cal, 26).x(), dayCell(*cal, 26).y());
    QCOMPARE(px(grabView(*cal), r.Left, r.Top), TColor(0x9BD8F1));
    struct Step {
        std::function<void()> set;
        TColor expected;
    };
    const Step steps[] = {
        {[this] { cal->SetColorHolidayBg(0x00FF00); }, 0x00FF00},
        {[this] { cal->SetShowMovableHolidays(false); }, 0x00FF00},
        {[this] { cal->SetIndicateHolidays(false); }, 0xF8F8F8},
        {[this] { cal->SetDayColors(dwMon, 0x336699); }, 0x336699},
        {[this] { cal->SetFirstDayOfWeek(dwSun); }, 0x336699},
        {[this] { cal->SetIndicateHolidays(true); cal->ClearHolidayList(); }, 0x336699},
        {[this] { cal->AddHoliday(26, 12, 2016, "x"); }, 0x00FF00},
    };
    for (const Step& s : steps) {
        s.set();
        const QPoint c = dayCell(*cal, 26);
        const TRect cr = cal->CellRect(c.x(), c.y());
        QCOMPARE(px(grabView(*cal), cr.Left, cr.Top), s.expected);
    }
}

void TestMiniCalScreen::todayEllipse()
{
    const QDate today = QDate::currentDate();
    cal->ClearHolidayList(); // today may be a holiday, which would mix the colours
    cal->SetShowMovableHolidays(false);
    cal->SetDate(QDateToDateTime(today));
    cal->SetColorSelectedBg(0x808000); // nothing else uses these two colours
    cal->SetColorToday(0x00FF00);
    const QPoint c = dayCell(*cal, today.day());
    const TRect r = cal->CellRect(c.x(), c.y());
    QCOMPARE(countColour(grabView(*cal), r, 0x00FF00), 0);
    cal->SetMarkToday(true);
    const QImage img = grabView(*cal);
    // The ellipse touches the box inset by two pixels on all four sides, and no more.
    const int midX = (r.Left + r.Right) / 2, midY = (r.Top + r.Bottom) / 2;
    auto rowHas = [&](int y) { return countColour(img, TRect(r.Left, y, r.Right, y + 1), 0x00FF00) > 0; };
    auto colHas = [&](int x) { return countColour(img, TRect(x, r.Top, x + 1, r.Bottom), 0x00FF00) > 0; };
    QVERIFY(rowHas(r.Top + 2) && !rowHas(r.Top + 1));
    QVERIFY(rowHas(r.Bottom - 3) && !rowHas(r.Bottom - 2));
    QVERIFY(colHas(r.Left + 2) && !colHas(r.Left + 1));
    QVERIFY(colHas(r.Right - 3) && !colHas(r.Right - 2));
    // Hollow: the centre keeps the selected colour or the text.
    QVERIFY(px(img, midX, r.Top + 4) != TColor(0x00FF00) || px(img, midX, midY) != TColor(0x00FF00));
    QCOMPARE(px(img, r.Left + 3, r.Top + 3), TColor(0x808000));
    // Another month shows no ellipse.
    cal->NextMonth();
    QCOMPARE(countColour(grabView(*cal), TRect(0, 0, cal->ClientWidth(), cal->ClientHeight()), 0x00FF00), 0);
}

void TestMiniCalScreen::buttonFrames()
{
    const TColor face = cal->ResolveColor(clBtnFace);
    for (int c : {1, 2, 6, 7}) {
        const TRect r = cal->CellRect(c, 0);
        const QImage img = grabView(*cal);
        QCOMPARE(px(img, r.Left, r.Top + 3), TColor(0xFFFFFF));
        QCOMPARE(px(img, r.Left + 3, r.Top), TColor(0xFFFFFF));
        QCOMPARE(px(img, r.Left + 1, r.Top + 3), TColor(0xE6E2E2));
        QCOMPARE(px(img, r.Left + 3, r.Bottom - 1), TColor(0x9CA0A5));
        QCOMPARE(px(img, r.Right - 1, r.Top + 3), TColor(0x9CA0A5));
        QCOMPARE(px(img, r.Left + 3, r.Bottom), TColor(0x686868));
        QCOMPARE(px(img, r.Right, r.Top + 3), TColor(0x686868));
        QCOMPARE(px(img, r.Left + 3, r.Top + 3), face);
    }
    // The title spans columns 3 to 5 and "#" the two top cells of column 0.
    const TRect t3 = cal->CellRect(3, 0), t5 = cal->CellRect(5, 0);
    const TRect h0 = cal->CellRect(0, 0), h1 = cal->CellRect(0, 1);
    QImage img = grabView(*cal);
    QCOMPARE(px(img, t3.Left, t3.Top + 3), TColor(0xFFFFFF));
    QCOMPARE(px(img, t3.Right, t3.Top + 3), face); // no grid line inside the title
    QCOMPARE(px(img, t5.Right, t5.Top + 3), TColor(0x686868));
    QCOMPARE(px(img, h0.Left + 3, h0.Top), TColor(0xFFFFFF));
    QCOMPARE(px(img, h0.Left + 3, h0.Bottom), face); // no line between the two
    QCOMPARE(px(img, h1.Left + 3, h1.Bottom), TColor(0x686868));
    // Without Ctl3D the buttons are flat.
    cal->SetCtl3D(false);
    img = grabView(*cal);
    const TRect r = cal->CellRect(2, 0);
    QCOMPARE(px(img, r.Left, r.Top + 3), face);
    QCOMPARE(px(img, r.Left + 3, r.Top), face);
}

void TestMiniCalScreen::sizing_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("ctl3D");
    QTest::newRow("design size") << QSize(300, 180) << true;
    QTest::newRow("design size flat") << QSize(300, 180) << false;
    QTest::newRow("odd size") << QSize(257, 203) << true;
    QTest::newRow("large") << QSize(640, 480) << true;
    QTest::newRow("large flat") << QSize(641, 479) << false;
}

void TestMiniCalScreen::sizing()
{
    QFETCH(QSize, size);
    QFETCH(bool, ctl3D);
    cal->SetCtl3D(ctl3D);
    cal->resize(size);
    const QImage img = grabView(*cal);
    const int W = cal->ClientWidth(), H = cal->ClientHeight();
    QCOMPARE(cal->DefaultColWidth(), (W - 7) / 8);
    QCOMPARE(cal->DefaultRowHeight(), (H - 7) / 8);
    for (int i = 1; i < 8; ++i) {
        QCOMPARE(cal->GridColWidths(i), cal->DefaultColWidth());
        QCOMPARE(cal->RowHeights(i), cal->DefaultRowHeight());
    }
    // Row 0 and column 0 take up the remainder: the grid fills the client area and its last
    // line is the client's last pixel with Ctl3D, just outside it without.
    const int gridW = cal->GridColWidths(0) + 1 + 7 * (cal->DefaultColWidth() + 1);
    const int gridH = cal->RowHeights(0) + 1 + 7 * (cal->DefaultRowHeight() + 1);
    QCOMPARE(gridW, ctl3D ? W : W + 1);
    QCOMPARE(gridH, ctl3D ? H : H + 1);
    // The bottom-right day cell reaches the edge: no background strip is left.
    const TRect last = cal->CellRect(7, 7);
    QCOMPARE(last.Right, W - (ctl3D ? 1 : 0));
    QCOMPARE(last.Bottom, H - (ctl3D ? 1 : 0));
    QCOMPARE(px(img, W - 1, H / 2), ctl3D ? TColor(0xC0C0C0) : px(img, last.Right - 1, H / 2));
}

void TestMiniCalScreen::mouse_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("autoSwitch");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<int>("changes");
    QTest::newRow("next month") << QDate(2016, 1, 31) << true << QPoint(6, 0) << QDate(2016, 2, 29) << 1;
    QTest::newRow("prev month") << QDate(2016, 3, 31) << true << QPoint(2, 0) << QDate(2016, 2, 29) << 1;
    QTest::newRow("next year from 29 Feb") << QDate(2016, 2, 29) << true << QPoint(7, 0) << QDate(2017, 2, 28) << 2;
    QTest::newRow("prev year") << QDate(2016, 5, 10) << true << QPoint(1, 0) << QDate(2015, 5, 10) << 1;
    QTest::newRow("title does nothing") << QDate(2016, 5, 10) << true << QPoint(4, 0) << QDate(2016, 5, 10) << 0;
    QTest::newRow("weekday name does nothing") << QDate(2016, 5, 10) << true << QPoint(3, 1) << QDate(2016, 5, 10) << 0;
    QTest::newRow("week number does nothing") << QDate(2016, 5, 10) << true << QPoint(0, 4) << QDate(2016, 5, 10) << 0;
    // May 2016 begins on a Sunday: column 1 of the first week row is 25 April.
    QTest::newRow("a day") << QDate(2016, 5, 10) << true << QPoint(3, 3) << QDate(2016, 5, 4) << 1;
    QTest::newRow("leading day switches back") << QDate(2016, 5, 10) << true << QPoint(1, 2) << QDate(2016, 4, 25) << 1;
    QTest::newRow("trailing day switches on") << QDate(2016, 5, 10) << true << QPoint(7, 7) << QDate(2016, 6, 5) << 1;
    QTest::newRow("leading day of January") << QDate(2016, 1, 10) << true << QPoint(1, 2) << QDate(2015, 12, 28) << 1;
    QTest::newRow("trailing day of December") << QDate(2016, 12, 10) << true << QPoint(7, 7) << QDate(2017, 1, 8) << 1;
    QTest::newRow("leading day without AutoSwitch") << QDate(2016, 5, 10) << false << QPoint(1, 2) << QDate(2016, 5, 10) << 0;
    QTest::newRow("trailing day without AutoSwitch") << QDate(2016, 5, 10) << false << QPoint(7, 7) << QDate(2016, 5, 10) << 0;
    QTest::newRow("own day without AutoSwitch") << QDate(2016, 5, 10) << false << QPoint(3, 3) << QDate(2016, 5, 4) << 1;
    QTest::newRow("# is today") << QDate(2016, 5, 10) << true << QPoint(0, 1) << QDate::currentDate() << 1;
    QTest::newRow("corner is today") << QDate(2016, 5, 10) << true << QPoint(0, 0) << QDate::currentDate() << 1;
}

void TestMiniCalScreen::mouse()
{
    QFETCH(QDate, start);
    QFETCH(bool, autoSwitch);
    QFETCH(QPoint, cell);
    QFETCH(QDate, expected);
    QFETCH(int, changes);
    cal->SetDate(ymd(start.year(), start.month(), start.day()));
    cal->SetAutoSwitch(autoSwitch);
    ChangeCounter count(*cal);
    TRect r = cal->CellRect(cell.x(), cell.y());
    const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QTest::mouseClick(cal->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QCOMPARE(count.n, 0); // the right button changes nothing
    QTest::mouseClick(cal->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(shown(*cal), expected);
    QCOMPARE(count.n, changes);
    // The grid's current cell is back on the date and the screen shows it selected.
    const QPoint sel = dayCell(*cal, expected.day());
    QCOMPARE(QPoint(cal->Col(), cal->Row()), sel);
    r = cal->CellRect(sel.x(), sel.y());
    QString caption;
    const bool holiday = cal->CheckHoliday(expected.year(), expected.month(), expected.day(), caption);
    QCOMPARE(px(grabView(*cal), r.Left, r.Top), holiday ? MeanColor(0xD0A040, 0x9BD8F1) : TColor(0xD0A040));
}

void TestMiniCalScreen::mouseErrorGoesToHandler()
{
    QStringList caught;
    SetApplicationExceptionHandler([&](QObject* sender, const std::exception& e) {
        QCOMPARE(sender, static_cast<QObject*>(cal));
        QVERIFY(dynamic_cast<const EQORConvertError*>(&e));
        caught << QString::fromUtf8(e.what());
    });
    auto reset = qScopeGuard([] { SetApplicationExceptionHandler(nullptr); });
    cal->SetFirstDayOfWeek(dwTue); // 1 January of year 1 is a Monday: the first cell is in year 0
    cal->SetDate(ymd(1, 1, 5));
    QCOMPARE(cal->MonOfs(), -5);
    const TDateTime before = cal->Date();
    ChangeCounter count(*cal);
    for (QPoint c : {QPoint(1, 0), QPoint(2, 0), QPoint(1, 2)}) {
        const TRect r = cal->CellRect(c.x(), c.y());
        QTest::mouseClick(cal->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    QCOMPARE(caught.size(), 3);
    QCOMPARE(cal->Date(), before);
    QCOMPARE(count.n, 0);
    QCOMPARE(QPoint(cal->Col(), cal->Row()), dayCell(*cal, 5));
}

namespace {
struct KeyParent : QWidget {
    QList<int> keys;
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};
} // namespace

void TestMiniCalScreen::keysAndWheelGoOn()
{
    KeyParent parent;
    auto* c = new TMiniCal(&parent);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    c->SetDate(ymd(2016, 5, 10));
    c->setFocus();
    int keyDowns = 0;
    c->OnKeyDown = [&](QObject*, Word&, TShiftState) { ++keyDowns; };
    ChangeCounter count(*c);
    const QPoint cell(c->Col(), c->Row());
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_A})
        QTest::keyClick(c, k);
    QCOMPARE(parent.keys, QList<int>({Qt::Key_Escape, Qt::Key_Return, Qt::Key_Right, Qt::Key_Down,
                                      Qt::Key_PageDown, Qt::Key_A}));
    QCOMPARE(keyDowns, 6);
    QCOMPARE(QPoint(c->Col(), c->Row()), cell);
    QCOMPARE(shown(*c), QDate(2016, 5, 10));
    const QPointF at(40, 100);
    QWheelEvent wheel(at, c->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(c->viewport(), &wheel);
    QVERIFY(!wheel.isAccepted());
    QCOMPARE(QPoint(c->Col(), c->Row()), cell);
    QCOMPARE(count.n, 0);
}

// Tests of the colour selector: names, entries and palettes, the selection by code and by the
// user, the drawn items, and the redefinition of an entry through the colour dialog.
#include "pickers/ColSel_p.h"
#include "pickers/QOR_Colsel.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QtTest>

using namespace qor;

namespace {

/// The selector on a form, shown, with every event it fires written to a log.
struct Fixture {
    QWidget form;
    TColSel* sel;
    QStringList log;
    Fixture()
    {
        form.resize(300, 200);
        form.setFont(QFont("DejaVu Sans", 9));
        sel = new TColSel(&form);
        sel->setGeometry(10, 10, 160, 24);
        sel->OnClick = [this](TObject*) { log << QString("click %1").arg(sel->SelColorIx()); };
        sel->OnChange = [this](TObject*) { log << "change"; };
        sel->OnDropDown = [this](TObject*) { log << "dropdown"; };
        sel->OnColorNameChange = [this](TObject* s, QString& name) {
            QCOMPARE(s, sel);
            log << "name " + name;
        };
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    QImage screen()
    {
        QCoreApplication::processEvents();
        return sel->grab().toImage();
    }
    /// The middle of the colour bar in the closed box.
    QPoint barPoint() const { return QPoint(sel->ColorBarWidth() / 2 + 6, sel->height() / 2); }
};

TColor at(const QImage& img, QPoint p) { return RgbToColor(img.pixel(p)); }

/// An item of the given entry, drawn on a canvas filled white.
QImage drawnItem(TColSel& sel, int index, QSize size = QSize(120, 18))
{
    TBitmap bmp(size.width(), size.height());
    TCanvas* c = bmp.Canvas();
    c->SetPalette(&sel.palette());
    c->Font()->SetName("DejaVu Sans");
    c->Font()->SetSize(8);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, size.width(), size.height()));
    sel.DrawItem(c, index, TRect(0, 0, size.width(), size.height()));
    return bmp.Image().copy();
}

/// Leftmost column holding a pixel of colour c, -1 when none.
int leftmost(const QImage& img, TColor c, int from)
{
    for (int x = from; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (RgbToColor(img.pixel(x, y)) == c)
                return x;
    return -1;
}

} // namespace

class TstColSel : public QObject {
    Q_OBJECT

private slots:
    void colorNames_data();
    void colorNames();
    void defaults();
    void numColors_data();
    void numColors();
    void outOfRangeEntries();
    void selColorFindsSameRgb();
    void selColorRedefinesSelected();
    void palettes_data();
    void palettes();
    void drawnItems_data();
    void drawnItems();
    void screenFollowsSetters();
    void userPicks();
    void colorDialog_data();
    void colorDialog();
    void fontFollowsQt();
};

void TstColSel::colorNames_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<QString>("name");
    QTest::newRow("black") << uint(clBlack) << "clBlack";
    QTest::newRow("navy") << uint(0x800000) << "clNavy";
    QTest::newRow("money green") << uint(0xC0DCC0) << "clMoneyGreen";
    QTest::newRow("button face") << uint(clBtnFace) << "clBtnFace";
    QTest::newRow("3-D light") << uint(cl3DLight) << "cl3DLight";
    QTest::newRow("no name") << uint(0x123456) << "$00123456";
    QTest::newRow("hex upper case") << uint(0xABCDEF) << "$00ABCDEF";
    QTest::newRow("unknown system colour") << uint(0xFF000099) << "$FF000099";
}

void TstColSel::colorNames()
{
    QFETCH(uint, color);
    QFETCH(QString, name);
    QCOMPARE(ColorToString(color), name);
}

void TstColSel::defaults()
{
    TColSel s;
    QCOMPARE(s.NumColors(), 20);
    QCOMPARE(s.count(), 20);
    QCOMPARE(s.SelColorIx(), 1);
    QCOMPARE(s.currentIndex(), 0);
    QCOMPARE(s.SelColor(), clBlack);
    QCOMPARE(s.SelColorID(), QString("clBlack"));
    QCOMPARE(s.ColorBarWidth(), 30);
    QCOMPARE(s.Color(), clWindow);
    QCOMPARE(s.DropDownCount(), 8);
    QCOMPARE(s.sizeHint().width(), 145);
    for (int i = 1; i <= 20; ++i) {
        QCOMPARE(s.Colors(i), PredefinedColors[std::size_t(i - 1)]);
        QCOMPARE(s.itemText(i - 1), ColorToString(PredefinedColors[std::size_t(i - 1)]));
        QVERIFY(!s.ColorEditAllowed(i));
    }
    QCOMPARE(s.itemText(19), QString("clMedGray"));
    const QMetaObject* mo = s.metaObject();
    for (const char* name : {"NumColors", "SelColor", "ColorBarWidth", "Enabled", "Color", "DropDownCount"}) {
        const QMetaProperty p = mo->property(mo->indexOfProperty(name));
        QVERIFY2(p.isReadable() && p.isWritable(), name);
    }
}

void TstColSel::numColors_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("48 ignored") << 48 << 20;
    QTest::newRow("0 ignored") << 0 << 20;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("47") << 47 << 47;
    QTest::newRow("same value rebuilds") << 20 << 20;
}

void TstColSel::numColors()
{
    QFETCH(int, value);
    QFETCH(int, stored);
    TColSel s;
    s.SetSelColor(clOlive); // entry 4
    QCOMPARE(s.SelColorIx(), 4);
    s.SetNumColors(value);
    QCOMPARE(s.NumColors(), stored);
    QCOMPARE(s.count(), stored);
    // an accepted value selects entry 1; an ignored one leaves the selection alone
    QCOMPARE(s.SelColorIx(), value == stored ? 1 : 4);
    QCOMPARE(s.currentIndex(), s.SelColorIx() - 1);
    QCOMPARE(s.SelColorID(), s.ColorNames(s.SelColorIx()));
}

void TstColSel::outOfRangeEntries()
{
    TColSel s;
    int names = 0;
    s.OnColorNameChange = [&](TObject*, QString&) { ++names; };
    for (int i : {0, -1, 21, 47, 48}) {
        QCOMPARE(s.Colors(i), TColor(0));
        QCOMPARE(s.ColorNames(i), QString());
        QCOMPARE(s.ColorEditAllowed(i), false);
        s.SetColors(i, clRed);
        s.SetColorNames(i, "x");
        s.SetColorEditAllowed(i, true);
    }
    QCOMPARE(names, 0);
    QCOMPARE(s.count(), 20);
    s.SetNumColors(47);
    // the writes beyond NumColors did not reach the hidden entries
    QCOMPARE(s.Colors(21), PredefinedColors[20]);
    QCOMPARE(s.ColorNames(47), ColorToString(PredefinedColors[46]));
    QVERIFY(!s.ColorEditAllowed(47));
    // in range: stored, named anew through the event, shown in the list
    s.SetColors(2, 0x102030);
    QCOMPARE(names, 1);
    QCOMPARE(s.ColorNames(2), QString("$00102030"));
    QCOMPARE(s.itemText(1), QString("$00102030"));
    s.SetColorNames(2, "Deep");
    QCOMPARE(s.itemText(1), QString("Deep"));
    QCOMPARE(names, 1);
    s.SetAllColorEditFlags();
    QVERIFY(s.ColorEditAllowed(1) && s.ColorEditAllowed(47));
    s.ResetAllColorEditFlags();
    QVERIFY(!s.ColorEditAllowed(1) && !s.ColorEditAllowed(47));
    s.SetColorBarWidth(-1);
    QCOMPARE(s.ColorBarWidth(), 30);
}

void TstColSel::selColorFindsSameRgb()
{
    Fixture f;
    // a system colour whose value is entry 5's navy selects entry 5, named by its own value
    QPalette pal = f.sel->palette();
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 128));
    f.sel->setPalette(pal);
    f.sel->SetColorNames(5, "Navy blue");
    f.sel->SetSelColor(clHighlight);
    QCOMPARE(f.sel->SelColorIx(), 5);
    QCOMPARE(f.sel->currentIndex(), 4);
    QCOMPARE(f.sel->Colors(5), TColor(0x800000));
    QCOMPARE(f.sel->SelColorID(), QString("clNavy"));
    QCOMPARE(f.log, QStringList{"name clNavy"});
    // the first of two equal entries wins
    f.sel->SetColors(9, 0x800000);
    f.sel->SetSelColor(0x800000);
    QCOMPARE(f.sel->SelColorIx(), 5);
}

void TstColSel::selColorRedefinesSelected()
{
    Fixture f;
    f.sel->SetSelColor(clGreen); // entry 3
    QCOMPARE(f.sel->SelColorIx(), 3);
    f.log.clear();
    const QImage before = f.screen();
    f.sel->SetSelColor(0x123456);
    QCOMPARE(f.sel->SelColorIx(), 3);
    QCOMPARE(f.sel->currentIndex(), 2);
    QCOMPARE(f.sel->Colors(3), TColor(0x123456));
    QCOMPARE(f.sel->SelColor(), TColor(0x123456));
    QCOMPARE(f.sel->SelColorID(), QString("$00123456"));
    QCOMPARE(f.sel->itemText(2), QString("$00123456"));
    QCOMPARE(f.log, QStringList{"name $00123456"});
    // the closed box shows the new colour in its bar
    const QImage after = f.screen();
    QCOMPARE(at(before, f.barPoint()), TColor(clGreen));
    QCOMPARE(at(after, f.barPoint()), TColor(0x123456));
}

void TstColSel::palettes_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("first");
    QTest::newRow("basic VGA") << 0 << 16 << 1;
    QTest::newRow("extended") << 1 << 20 << 1;
    QTest::newRow("standard") << 2 << 47 << 1;
    QTest::newRow("system") << 3 << 27 << 21;
}

void TstColSel::palettes()
{
    QFETCH(int, which);
    QFETCH(int, count);
    QFETCH(int, first);
    TColSel s;
    s.SetSelColor(clTeal);
    s.SetColorEditAllowed(2, true);
    int events = 0;
    s.OnColorNameChange = [&](TObject*, QString& name) {
        ++events;
        name = "Fixed";
    };
    switch (which) {
    case 0: s.LoadBasicVGAPalette(); break;
    case 1: s.LoadExtendedPalette(); break;
    case 2: s.LoadStandardPalette(); break;
    default: s.LoadWindowsSystemPalette(); break;
    }
    QCOMPARE(events, count);
    QCOMPARE(s.NumColors(), count);
    QCOMPARE(s.count(), count);
    QCOMPARE(s.SelColorIx(), 1);
    QCOMPARE(s.currentIndex(), 0);
    for (int k = 1; k <= count; ++k) {
        QCOMPARE(s.Colors(k), PredefinedColors[std::size_t(first + k - 2)]);
        QCOMPARE(s.itemText(k - 1), QString("Fixed"));
    }
    QVERIFY(s.ColorEditAllowed(2)); // flags are not touched
    QVERIFY(!s.ColorEditAllowed(1));
}

void TstColSel::drawnItems_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<uint>("color");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("markColor"); // -1 when no edit mark
    QTest::newRow("plain bar") << 30 << uint(0x00FF00) << false << true << -1;
    QTest::newRow("dark: white mark") << 30 << uint(0x000080) << true << true << int(clWhite);
    QTest::newRow("light: black mark") << 30 << uint(0xFFFFFF) << true << true << int(clBlack);
    QTest::newRow("bar 11: no mark") << 11 << uint(0x000080) << true << true << -1;
    QTest::newRow("bar 12: mark") << 12 << uint(0x000080) << true << true << int(clWhite);
    QTest::newRow("disabled: no mark") << 30 << uint(0x000080) << true << false << -1;
    QTest::newRow("no bar") << 0 << uint(0x000080) << true << true << -1;
}

void TstColSel::drawnItems()
{
    QFETCH(int, barWidth);
    QFETCH(uint, color);
    QFETCH(bool, editable);
    QFETCH(bool, enabled);
    QFETCH(int, markColor);
    TColSel s;
    s.SetColorBarWidth(barWidth);
    s.SetColors(1, color);
    s.SetColorNames(1, "Name");
    s.SetColorEditAllowed(1, editable);
    s.SetEnabled(enabled);
    const QImage img = drawnItem(s, 0);
    const int textColour = enabled ? int(clBlack) : 0x808080;
    if (barWidth > 0) {
        // bar outline from x = 3, y = 2 to the bar's end; fill inside
        QCOMPARE(RgbToColor(img.pixel(3, 9)), TColor(enabled ? clBlack : 0x808080));
        QCOMPARE(RgbToColor(img.pixel(barWidth + 2, 9)), TColor(enabled ? clBlack : 0x808080));
        QCOMPARE(RgbToColor(img.pixel(4, 3)), TColor(enabled ? color : 0xC0C0C0));
        if (markColor < 0)
            QCOMPARE(RgbToColor(img.pixel(5, 8)), TColor(enabled ? color : 0xC0C0C0));
        else
            QCOMPARE(RgbToColor(img.pixel(5, 8)), TColor(markColor)); // the mark's left edge
        QCOMPARE(RgbToColor(img.pixel(1, 9)), TColor(enabled ? clWhite : 0xC0C0C0));
    }
    // the name starts 6 px after the bar, on the control's colour (white here) or grey
    const int left = leftmost(img, TColor(textColour), barWidth + 3);
    const int textStart = barWidth + 6;
    QVERIFY2(left >= textStart && left <= textStart + 2, qPrintable(QString::number(left)));
    const TColor nameBack = enabled ? ColorToRGB(clWindow, &s.palette()) : TColor(0xC0C0C0);
    QCOMPARE(RgbToColor(img.pixel(barWidth + 4, 1)), nameBack);
}

void TstColSel::screenFollowsSetters()
{
    Fixture f;
    auto count = [](const QImage& img, TColor c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += RgbToColor(img.pixel(x, y)) == c;
        return n;
    };
    QCOMPARE(at(f.screen(), f.barPoint()), clBlack);
    f.sel->SetColors(1, 0x00FF00);
    QImage img = f.screen();
    QCOMPARE(at(img, f.barPoint()), TColor(0x00FF00));
    const int wideBar = count(img, 0x00FF00);
    QVERIFY(wideBar > 28 * 10);
    // a narrower bar: the names' background takes the rest
    f.sel->SetColor(0x00FFFF);
    f.sel->SetColorBarWidth(4);
    img = f.screen();
    QVERIFY(count(img, 0x00FF00) < wideBar / 5);
    QVERIFY(count(img, 0x00FFFF) > 100);
    // disabled: grey bar and names, no colour left
    f.sel->SetEnabled(false);
    img = f.screen();
    QCOMPARE(count(img, 0x00FF00), 0);
    QVERIFY(count(img, 0xC0C0C0) > 100);
}

void TstColSel::userPicks()
{
    Fixture f;
    f.sel->setFocus();
    // by keyboard in the closed box
    QTest::keyClick(f.sel, Qt::Key_Down);
    QCOMPARE(f.sel->SelColorIx(), 2);
    QCOMPARE(f.log, (QStringList{"click 2", "change"}));
    QCOMPARE(f.sel->SelColor(), clMaroon);
    // by mouse in the open list (Qt ignores a release right after the list opened)
    f.log.clear();
    QTest::mouseMove(f.sel, QPoint(f.sel->width() - 20, 10));
    f.sel->showPopup();
    QAbstractItemView* v = f.sel->view();
    QTRY_VERIFY(v->isVisible());
    QCOMPARE(v->visualRect(v->model()->index(0, 0)).height(), f.sel->ItemHeight());
    // DropDownCount rows are visible, not the whole list
    QVERIFY(v->height() >= 8 * f.sel->ItemHeight());
    QVERIFY(v->height() < 9 * f.sel->ItemHeight());
    v->scrollTo(v->model()->index(9, 0));
    // the open list draws the entries: bar colour of entry 10 (red)
    const QRect r = v->visualRect(v->model()->index(9, 0));
    QCOMPARE(RgbToColor(v->viewport()->grab().toImage().pixel(r.left() + 10, r.center().y())), clRed);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QTRY_VERIFY(!v->isVisible());
    QCOMPARE(f.sel->SelColorIx(), 10);
    QCOMPARE(f.log, (QStringList{"dropdown", "click 10", "change"}));
    QCOMPARE(at(f.screen(), f.barPoint()), clRed);
    // a change in code is no pick
    f.log.clear();
    f.sel->SetSelColor(clBlue);
    QCOMPARE(f.log, QStringList{"name clBlue"});
}

void TstColSel::colorDialog_data()
{
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("overBar");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<uint>("result");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("accepted") << true << true << true << true << uint(0x563412)
                              << QStringList{"name $00563412", "dropdown"};
    QTest::newRow("cancelled") << true << true << false << true << uint(clGreen) << QStringList{"dropdown"};
    QTest::newRow("entry not editable") << false << true << true << false << uint(clGreen) << QStringList{"dropdown"};
    QTest::newRow("opened from the names") << true << false << true << false << uint(clGreen) << QStringList{"dropdown"};
}

void TstColSel::colorDialog()
{
    QFETCH(bool, editable);
    QFETCH(bool, overBar);
    QFETCH(bool, accept);
    QFETCH(bool, dialogShown);
    QFETCH(uint, result);
    QFETCH(QStringList, expected);
    Fixture f;
    f.sel->SetSelColor(clGreen); // entry 3
    f.sel->SetColorEditAllowed(3, editable);
    f.log.clear();
    bool sawDialog = false;
    QColor preset;
    // The dialog runs its own event loop; a watcher inside that loop answers it like a user.
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!d || sawDialog)
            return;
        sawDialog = true;
        QCOMPARE(d->parent(), f.sel);
        preset = d->currentColor();
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        accept ? d->accept() : d->reject();
    });
    const QPoint pos = overBar ? f.barPoint() : QPoint(f.sel->width() - 30, f.sel->height() / 2);
    QTest::mouseMove(f.sel, pos);
    watcher.start();
    QTest::mouseClick(f.sel, Qt::LeftButton, {}, pos);
    QCoreApplication::processEvents();
    watcher.stop();
    QCOMPARE(sawDialog, dialogShown);
    if (dialogShown)
        QCOMPARE(preset, QColor(0, 0x80, 0));
    // the list opens in every case
    QTRY_VERIFY(f.sel->view()->isVisible());
    f.sel->hidePopup();
    QCOMPARE(f.log, expected);
    QCOMPARE(f.sel->Colors(3), TColor(result));
    QCOMPARE(f.sel->SelColorIx(), 3);
    QCOMPARE(f.sel->SelColorID(), ColorToString(result));
    QCOMPARE(at(f.screen(), f.barPoint()), TColor(result));
}

void TstColSel::fontFollowsQt()
{
    Fixture f;
    QCOMPARE(f.sel->Font()->Name(), QString("DejaVu Sans"));
    QCOMPARE(f.sel->Font()->Size(), 9);
    const int before = f.sel->ItemHeight();
    f.form.setFont(QFont("DejaVu Sans", 20));
    QCOMPARE(f.sel->Font()->Size(), 20);
    QVERIFY(f.sel->ItemHeight() > before);
    f.sel->Font()->SetSize(8);
    QCOMPARE(f.sel->Font()->Size(), 8);
    QVERIFY(f.sel->ItemHeight() < f.sel->fontMetrics().height() + 10);
    QVERIFY(f.sel->fontMetrics().height() < 20);
}

QTEST_MAIN(TstColSel)
#include "tst_colsel.moc"

// The one control surface of every base: event order through real Qt events, key positions
// of keyboard layouts, dialog keys, design sizes, device pixel ratio, fonts, paint hooks and
// handlers bound to a context.
#include "foundation/QOR_Foundation.h"
#include "foundation/QOR_Grid.h"

#include <QDialog>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using namespace qor;

namespace {

/// Logs every handler of any base, then lets the base run.
template <class B>
class Logged : public B {
public:
    explicit Logged(QWidget* owner = nullptr) : B(owner) {}
    QStringList log;
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        log << QString("down %1%2").arg(int(b)).arg(s.Contains(ssDouble) ? " double" : "");
        B::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        log << QString("up %1").arg(int(b));
        B::MouseUp(b, s, x, y);
    }
    void Click() override { log << "click"; B::Click(); }
    void DblClick() override { log << "dblclick"; B::DblClick(); }
    void KeyDown(Word& key, TShiftState s) override
    {
        log << QString("key %1%2").arg(key, 2, 16, QChar('0')).arg(s.Contains(ssShift) ? " shift" : "");
        B::KeyDown(key, s);
    }
    void KeyPress(QChar& key) override
    {
        log << QString("char %1").arg(key);
        B::KeyPress(key);
    }
    void KeyUp(Word& key, TShiftState s) override
    {
        log << QString("keyup %1").arg(key, 2, 16, QChar('0'));
        B::KeyUp(key, s);
    }
    bool DoMouseWheelDown(TShiftState s, TPoint p) override { log << "wheel down"; return B::DoMouseWheelDown(s, p); }
    bool DoMouseWheelUp(TShiftState s, TPoint p) override { log << "wheel up"; return B::DoMouseWheelUp(s, p); }
};

using LoggedControl = Logged<TCustomControl>;
using LoggedGrid = Logged<TDrawGrid>;
using LoggedEdit = Logged<TCustomEdit>;

/// One base under test: the widget, where the mouse goes, and its log.
struct Subject {
    std::unique_ptr<QWidget> widget;
    QWidget* mouseTarget = nullptr;
    QStringList* log = nullptr;
    TControlHandlers* handlers = nullptr;
};

Subject makeSubject(const QString& base, QWidget* owner = nullptr)
{
    Subject s;
    if (base == "control") {
        auto* w = new LoggedControl(owner);
        w->resize(60, 40);
        s = {std::unique_ptr<QWidget>(w), w, &w->log, w};
    } else if (base == "grid") {
        auto* w = new LoggedGrid(owner);
        w->resize(200, 120);
        s = {std::unique_ptr<QWidget>(w), w->viewport(), &w->log, w};
    } else {
        auto* w = new LoggedEdit(owner);
        w->resize(120, 30);
        s = {std::unique_ptr<QWidget>(w), w, &w->log, w};
    }
    return s;
}

void sendWheel(QWidget* target, int delta)
{
    const QPointF pos(10, 10);
    QWheelEvent e(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

/// A key as a real keyboard sends it: with its native scan code and the text it typed.
void sendKey(QWidget* target, int key, Qt::KeyboardModifiers mods, quint32 scan, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, scan, 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, scan, 0, 0, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

class tst_ControlBase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setFont(QFont("DejaVu Sans", 9)); }
    void eventOrder_data();
    void eventOrder();
    void keyPositions_data();
    void keyPositions();
    void layoutKeysReachHandlers_data();
    void layoutKeysReachHandlers();
    void dialogKeys_data();
    void dialogKeys();
    void tabMovesFocusBothWays_data();
    void tabMovesFocusBothWays();
    void designSizeInLayouts();
    void crispAtPixelRatio_data();
    void crispAtPixelRatio();
    void fontsReachFont_data();
    void fontsReachFont();
    void assignedFontReachesWidget();
    void paintEventShowsHookAssignedLater();
    void popupMenuHintAndCursor();
    void boundHandlerDiesWithContext();
};

void tst_ControlBase::eventOrder_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("expected");
    for (const char* base : {"control", "grid", "edit"}) {
        auto row = [&](const char* action, QStringList expected) {
            QTest::addRow("%s %s", base, action) << QString(base) << QString(action) << expected;
        };
        row("click", {"down 0", "click", "up 0"});
        row("right click", {"down 1", "up 1"});
        row("released outside", {"down 0", "up 0"});
        row("double click", {"down 0", "click", "up 0", "dblclick", "down 0 double", "up 0"});
        row("wheel", {"wheel down", "wheel up"});
        row("half notches", {"wheel down"});
        row("key", {"key 41", "char a", "keyup 41"});
        row("swallowed key", {"key 41", "keyup 41"});
        row("shifted digit", {"key 10 shift", "key 34 shift", "char $", "keyup 34", "keyup 10"});
    }
}

void tst_ControlBase::eventOrder()
{
    QFETCH(QString, base);
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    Subject s = makeSubject(base);
    s.widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.widget.get()));
    s.widget->setFocus();
    QWidget* m = s.mouseTarget;
    s.log->clear();
    if (action == "click") {
        QTest::mouseClick(m, Qt::LeftButton, {}, QPoint(10, 10));
    } else if (action == "right click") {
        QTest::mouseClick(m, Qt::RightButton, {}, QPoint(10, 10));
    } else if (action == "released outside") {
        QTest::mousePress(m, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(m, Qt::LeftButton, {}, QPoint(500, 500));
    } else if (action == "double click") {
        QTest::mouseClick(m, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(m, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(m, Qt::LeftButton, {}, QPoint(10, 10));
    } else if (action == "wheel") {
        sendWheel(m, -120);
        sendWheel(m, 120);
    } else if (action == "half notches") {
        sendWheel(m, -60);
        sendWheel(m, -60);
    } else if (action == "key") {
        QTest::keyClick(s.widget.get(), Qt::Key_A);
    } else if (action == "swallowed key") {
        s.handlers->OnKeyDown = [](TObject*, Word& key, TShiftState) { key = 0; };
        QTest::keyClick(s.widget.get(), Qt::Key_A);
    } else if (action == "shifted digit") {
        QTest::keyClick(s.widget.get(), Qt::Key_Dollar, Qt::ShiftModifier);
    }
    QCOMPARE(*s.log, expected);
    if (base == "edit" && action == "swallowed key")
        QCOMPARE(static_cast<TCustomEdit*>(s.widget.get())->Text(), QString());
}

void tst_ControlBase::keyPositions_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("mods");
    QTest::addColumn<uint>("scan");
    QTest::addColumn<bool>("windows");
    QTest::addColumn<int>("vk");
    const int S = int(Qt::ShiftModifier);
    // X11/Wayland key codes: the main row 1..9, 0 is 10..19.
    QTest::newRow("US 1") << int(Qt::Key_1) << 0 << 10u << false << int('1');
    QTest::newRow("US 0") << int(Qt::Key_0) << 0 << 19u << false << int('0');
    QTest::newRow("US shift 4 $") << int(Qt::Key_Dollar) << S << 13u << false << int('4');
    QTest::newRow("US shift 7 &") << int(Qt::Key_Ampersand) << S << 16u << false << int('7');
    QTest::newRow("DE shift 6 &") << int(Qt::Key_Ampersand) << S << 15u << false << int('6');
    QTest::newRow("DE shift 7 /") << int(Qt::Key_Slash) << S << 16u << false << int('7');
    QTest::newRow("DE shift 0 =") << int(Qt::Key_Equal) << S << 19u << false << int('0');
    QTest::newRow("DE shift plus *") << int(Qt::Key_Asterisk) << S << 35u << false << 0;
    QTest::newRow("DE shift 8 (") << int(Qt::Key_ParenLeft) << S << 17u << false << int('8');
    QTest::newRow("FR 1 &") << int(Qt::Key_Ampersand) << 0 << 10u << false << int('1');
    QTest::newRow("FR 2 e-acute") << int(Qt::Key_Eacute) << 0 << 11u << false << int('2');
    QTest::newRow("FR 6 minus") << int(Qt::Key_Minus) << 0 << 15u << false << int('6');
    QTest::newRow("FR 9 c-cedilla") << int(Qt::Key_Ccedilla) << 0 << 18u << false << int('9');
    QTest::newRow("FR 0 a-grave") << int(Qt::Key_Agrave) << 0 << 19u << false << int('0');
    QTest::newRow("FR shift 5") << int(Qt::Key_5) << S << 14u << false << int('5');
    QTest::newRow("FR ( beside 5") << int(Qt::Key_ParenLeft) << 0 << 14u << false << int('5');
    QTest::newRow("letter keeps its key") << int(Qt::Key_Q) << 0 << 38u << false << int('Q');
    QTest::newRow("minus off the row") << int(Qt::Key_Minus) << 0 << 20u << false << int(VK_OEM_MINUS);
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 84u << false << int(VK_NUMPAD5);
    QTest::newRow("synthetic shift 4") << int(Qt::Key_Dollar) << S << 0u << false << int('4');
    QTest::newRow("synthetic 7") << int(Qt::Key_7) << 0 << 0u << false << int('7');
    // Windows scan codes: the main row is 2..11.
    QTest::newRow("win 1") << int(Qt::Key_1) << 0 << 2u << true << int('1');
    QTest::newRow("win DE shift 6 &") << int(Qt::Key_Ampersand) << S << 7u << true << int('6');
    QTest::newRow("win FR 0 a-grave") << int(Qt::Key_Agrave) << 0 << 11u << true << int('0');
    QTest::newRow("win key code 10 is 9") << int(Qt::Key_ParenLeft) << S << 10u << true << int('9');
}

void tst_ControlBase::keyPositions()
{
    QFETCH(int, qtKey);
    QFETCH(int, mods);
    QFETCH(uint, scan);
    QFETCH(bool, windows);
    QFETCH(int, vk);
    const TScanCodeSet set = windows ? TScanCodeSet::Windows : TScanCodeSet::Xkb;
    QCOMPARE(int(QtKeyToVK(qtKey, Qt::KeyboardModifiers(mods), scan, set)), vk);
}

void tst_ControlBase::layoutKeysReachHandlers_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("mods");
    QTest::addColumn<uint>("scan");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    const int S = int(Qt::ShiftModifier);
    const quint32 six = NativeScanCodeSet() == TScanCodeSet::Xkb ? 15 : 7;
    const quint32 two = NativeScanCodeSet() == TScanCodeSet::Xkb ? 11 : 3;
    for (const char* base : {"control", "grid", "edit"}) {
        QTest::addRow("%s DE shift 6", base) << QString(base) << int(Qt::Key_Ampersand) << S << uint(six) << QString("&")
                                             << QStringList{"key 36 shift", "char &", "keyup 36"};
        QTest::addRow("%s FR 2", base) << QString(base) << int(Qt::Key_Eacute) << 0 << uint(two) << QString::fromUtf8("é")
                                       << QStringList{"key 32", QString::fromUtf8("char é"), "keyup 32"};
        QTest::addRow("%s DE AltGr q", base) << QString(base) << int(Qt::Key_At) << int(Qt::GroupSwitchModifier) << 24u
                                             << QString("@") << QStringList{"char @"};
    }
}

void tst_ControlBase::layoutKeysReachHandlers()
{
    QFETCH(QString, base);
    QFETCH(int, qtKey);
    QFETCH(int, mods);
    QFETCH(uint, scan);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    Subject s = makeSubject(base);
    s.widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.widget.get()));
    sendKey(s.widget.get(), qtKey, Qt::KeyboardModifiers(mods), scan, text);
    QCOMPARE(*s.log, expected);
    if (base == "edit")
        QCOMPARE(static_cast<TCustomEdit*>(s.widget.get())->Text(), text); // the edit types what the key typed
}

void tst_ControlBase::dialogKeys_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("result");
    for (const char* base : {"control", "grid", "edit"}) {
        QTest::addRow("%s escape", base) << QString(base) << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::addRow("%s return", base) << QString(base) << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::addRow("%s enter", base) << QString(base) << int(Qt::Key_Enter) << int(QDialog::Accepted);
    }
}

void tst_ControlBase::dialogKeys()
{
    QFETCH(QString, base);
    QFETCH(int, qtKey);
    QFETCH(int, result);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    Subject s = makeSubject(base, &dialog);
    layout->addWidget(s.widget.get());
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    int shortcuts = 0;
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+K"), &dialog);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    dialog.setResult(-1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    s.widget->setFocus();
    QTRY_VERIFY(s.widget->hasFocus());
    QTest::keyClick(s.widget.get(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(shortcuts, 1);
    QTest::keyClick(s.widget.get(), Qt::Key(qtKey), qtKey == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(dialog.result(), result);
    QVERIFY(!dialog.isVisible());
    s.widget.release(); // the dialog owns it
}

void tst_ControlBase::tabMovesFocusBothWays_data()
{
    QTest::addColumn<QString>("base");
    for (const char* base : {"control", "grid", "edit"})
        QTest::newRow(base) << QString(base);
}

void tst_ControlBase::tabMovesFocusBothWays()
{
    QFETCH(QString, base);
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* before = new QPushButton("before", &form);
    layout->addWidget(before);
    Subject s = makeSubject(base, &form);
    layout->addWidget(s.widget.get());
    auto* after = new QPushButton("after", &form);
    layout->addWidget(after);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    s.widget->setFocus();
    QTRY_VERIFY(s.widget->hasFocus());
    QTest::keyClick(s.widget.get(), Qt::Key_Tab);
    QTRY_VERIFY(after->hasFocus());
    s.widget->setFocus();
    QTRY_VERIFY(s.widget->hasFocus());
    QTest::keyClick(s.widget.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(before->hasFocus());
    s.widget.release(); // the form owns it
}

namespace {
class Sized : public TCustomControl {
public:
    explicit Sized(QWidget* owner = nullptr) : TCustomControl(owner) { resize(120, 40); }
};
} // namespace

void tst_ControlBase::designSizeInLayouts()
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto* sized = new Sized(&page);
    auto* set = new TCustomControl(&page);
    set->SetBounds(0, 0, 90, 30);
    layout->addWidget(sized);
    layout->addWidget(set);
    page.resize(400, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(sized->sizeHint(), QSize(120, 40));
    QCOMPARE(sized->minimumSizeHint(), QSize(120, 40));
    QCOMPARE(sized->size(), QSize(120, 40)); // the layout keeps the design size
    QCOMPARE(set->size(), QSize(90, 30));
    set->SetWidth(150); // a new Width is the new design size: the layout follows it
    QTRY_COMPARE(set->size(), QSize(150, 30));
    QCOMPARE(set->sizeHint(), QSize(150, 30));
}

namespace {
/// A white control with a one-pixel black line at x = 3 and a black 1 x 1 dot at (7, 5).
class Lines : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(ClientRect());
        c->Pen()->SetColor(clBlack);
        c->MoveTo(3, 0);
        c->LineTo(3, Height());
        c->SetPixels(7, 5, clBlack);
    }
};
} // namespace

void tst_ControlBase::crispAtPixelRatio_data()
{
    QTest::addColumn<int>("ratio");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
}

void tst_ControlBase::crispAtPixelRatio()
{
    QFETCH(int, ratio);
    Lines w;
    w.resize(12, 10);
    QImage img(QSize(12, 10) * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::red);
    w.render(&img);
    // Columns in device pixels: white, black for exactly `ratio` pixels, white; no grey edge.
    const int y = 8 * ratio;
    for (int x = 0; x < img.width(); ++x) {
        const bool line = x >= 3 * ratio && x < 4 * ratio;
        QCOMPARE(RgbToColor(img.pixel(x, y)), line ? clBlack : clWhite);
    }
    for (int dy = 0; dy < ratio; ++dy)
        for (int dx = 0; dx < ratio; ++dx)
            QCOMPARE(RgbToColor(img.pixel(7 * ratio + dx, 5 * ratio + dy)), clBlack);
    QCOMPARE(RgbToColor(img.pixel(8 * ratio, 5 * ratio)), clWhite);
}

void tst_ControlBase::fontsReachFont_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    for (const char* base : {"control", "grid", "edit"}) {
        QTest::addRow("%s setFont", base) << QString(base) << QString("setFont") << 20 << true;
        QTest::addRow("%s parent", base) << QString(base) << QString("parent") << 16 << false;
        QTest::addRow("%s style sheet", base) << QString(base) << QString("style sheet") << 24 << true;
    }
}

void tst_ControlBase::fontsReachFont()
{
    QFETCH(QString, base);
    QFETCH(QString, how);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QWidget parent;
    Subject s = makeSubject(base, &parent);
    auto font = [&]() -> const TFont* {
        if (auto* c = dynamic_cast<TCustomControl*>(s.widget.get()))
            return c->Font();
        if (auto* g = dynamic_cast<TCustomGrid*>(s.widget.get()))
            return g->Font();
        return static_cast<TCustomEdit*>(s.widget.get())->Font();
    };
    QFont f("DejaVu Sans");
    f.setPixelSize(pixels);
    f.setBold(bold);
    if (how == "setFont") {
        s.widget->setFont(f);
    } else if (how == "parent") {
        parent.setFont(f);
    } else {
        parent.setStyleSheet(QString("* { font: %1 %2px \"DejaVu Sans\"; }").arg(bold ? "bold" : "normal").arg(pixels));
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
    }
    QCOMPARE(font()->Name(), QString("DejaVu Sans"));
    QCOMPARE(font()->Height(), pixels);
    QCOMPARE(font()->Style().Contains(fsBold), bold);
    s.widget.release(); // the parent owns it
}

void tst_ControlBase::assignedFontReachesWidget()
{
    QWidget parent;
    auto* c = new TCustomControl(&parent);
    int changes = 0;
    struct Counting : TCustomControl {
        int* n;
        explicit Counting(QWidget* o, int* count) : TCustomControl(o), n(count) {}
        void FontChanged() override { ++*n; TCustomControl::FontChanged(); }
    };
    auto* counted = new Counting(&parent, &changes);
    TFont f;
    f.SetName("DejaVu Sans");
    f.SetHeight(16);
    counted->SetFont(&f);
    QCOMPARE(changes, 1); // no echo from the widget font
    QCOMPARE(counted->font().family(), QString("DejaVu Sans"));
    QCOMPARE(counted->font().pixelSize(), 16);
    QVERIFY(!counted->ParentFont());
    // An assigned font no longer follows the parent; one that follows it does.
    QFont big("DejaVu Sans");
    big.setPixelSize(32);
    parent.setFont(big);
    QCOMPARE(counted->Font()->Height(), 16);
    QCOMPARE(c->Font()->Height(), 32);
    QVERIFY(c->ParentFont());
    counted->SetParentFont(true);
    QCOMPARE(counted->Font()->Height(), 32);
}

namespace {
class Hooked : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::function<void(TCanvas*)> OnRendered;
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
        if (OnRendered)
            OnRendered(Canvas());
    }
};
} // namespace

void tst_ControlBase::paintEventShowsHookAssignedLater()
{
    Hooked w;
    w.resize(20, 20);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(20);
    int calls = 0;
    w.OnRendered = [&](TCanvas* c) {
        ++calls;
        c->Brush()->SetColor(clBlue);
        c->FillRect(TRect(0, 0, 5, 5));
    };
    // No setter ran: the next paint event the platform sends shows the hook's drawing.
    w.update();
    QTRY_VERIFY(calls > 0);
    QCOMPARE(RgbToColor(w.grab().toImage().pixel(2, 2)), clBlue);
    // Drawing outside of Paint shows as drawn at the update it asks for; the paint event
    // after that paints afresh, now without the hook.
    w.OnRendered = nullptr;
    w.Canvas()->Brush()->SetColor(clLime);
    w.Canvas()->FillRect(TRect(10, 10, 12, 12));
    QCOMPARE(RgbToColor(w.grab().toImage().pixel(11, 11)), clLime);
    const QImage next = w.grab().toImage();
    QCOMPARE(RgbToColor(next.pixel(11, 11)), clWhite);
    QCOMPARE(RgbToColor(next.pixel(2, 2)), clWhite);
}

void tst_ControlBase::popupMenuHintAndCursor()
{
    TCustomControl c;
    c.resize(30, 30);
    c.SetHint("speed");
    QVERIFY(c.ShowHint());
    c.SetShowHint(false);
    QCOMPARE(c.Hint(), QString("speed"));
    c.SetCursor(Qt::CrossCursor);
    QCOMPARE(c.Cursor().shape(), Qt::CrossCursor);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    {
        QMenu menu;
        menu.addAction("one");
        c.SetPopupMenu(&menu);
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), c.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&c, &e);
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
    }
    QCOMPARE(c.PopupMenu(), nullptr); // the menu died: the control does not keep a dangling one
}

void tst_ControlBase::boundHandlerDiesWithContext()
{
    TCustomControl c;
    int calls = 0;
    auto context = std::make_unique<QObject>();
    c.OnClick = Bind(context.get(), [&](TObject*) { ++calls; });
    c.OnKeyDown = Bind(context.get(), [&](TObject*, Word& key, TShiftState) { key = 0; ++calls; });
    std::function<int(int)> twice = Bind(context.get(), [](int v) { return 2 * v; });
    c.Click();
    Word key = 'A';
    c.KeyDown(key, {});
    QCOMPARE(calls, 2);
    QCOMPARE(key, Word(0));
    QCOMPARE(twice(4), 8);
    context.reset();
    c.Click();
    key = 'A';
    c.KeyDown(key, {});
    QCOMPARE(calls, 2);
    QCOMPARE(key, Word('A'));
    QCOMPARE(twice(4), 0);
}

QTEST_MAIN(tst_ControlBase)
#include "tst_controlbase.moc"

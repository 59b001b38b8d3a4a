// Control and component bases: backing canvas, event order, keys, timer, clipboard.
#include "foundation/QOR_Testing.h"
#include "foundation/QOR_Foundation.h"

#include <QtTest>

using namespace qor;

namespace {

class Probe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    QStringList log;
    int paints = 0;
    TColor fill = clRed;
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(ClientRect());
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        log << QString("down %1%2").arg(int(b)).arg(s.Contains(ssDouble) ? " double" : "");
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        log << QString("up %1").arg(int(b));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void Click() override
    {
        log << "click";
        TCustomControl::Click();
    }
    void DblClick() override
    {
        log << "dblclick";
        TCustomControl::DblClick();
    }
    void KeyDown(Word& key, TShiftState shift) override
    {
        log << QString("key %1%2").arg(key, 2, 16, QChar('0')).arg(shift.Contains(ssShift) ? " shift" : "");
        TCustomControl::KeyDown(key, shift);
    }
    void KeyPress(QChar& key) override
    {
        log << QString("char %1").arg(key);
        TCustomControl::KeyPress(key);
    }
};

class Edit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    int changes = 0;

protected:
    void Change() override
    {
        ++changes;
        TCustomEdit::Change();
    }
};

} // namespace

class tst_Controls : public QObject {
    Q_OBJECT
private slots:
    void keyMapping_data();
    void keyMapping();
    void shiftState();
    void paintGoesToBackingImage();
    void paintOutsidePaintEventShows();
    void mouseEventOrder();
    void doubleClickOrder();
    void keyEventsReachHandlers();
    void wheelDirection();
    void componentFlagsAndLoaded();
    void ownerDesigningIsInherited();
    void assignRefusesForeignClass();
    void controlAssignToFollowsClassDerivation();
    void editChangeRunsForEveryChange();
    void editCaretReadAndSet();
    void timerStartStopAndFailure();
    void timerExceptionsGoToHandler();
    void clipboardText();
    void beepCounts();
    void componentMessageForm();
};

void tst_Controls::keyMapping_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("mods");
    QTest::addColumn<int>("vk");
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << int('7');
    QTest::newRow("letter") << int(Qt::Key_E) << 0 << int('E');
    QTest::newRow("shift 4 dollar") << int(Qt::Key_Dollar) << int(Qt::ShiftModifier) << int('4');
    QTest::newRow("shift 5 percent") << int(Qt::Key_Percent) << int(Qt::ShiftModifier) << int('5');
    QTest::newRow("numpad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier) << int(VK_NUMPAD3);
    QTest::newRow("numpad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << int(VK_SUBTRACT);
    QTest::newRow("numpad decimal") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << int(VK_DECIMAL);
    QTest::newRow("numpad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << int(VK_RETURN);
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << int(VK_OEM_MINUS);
    QTest::newRow("period") << int(Qt::Key_Period) << 0 << int(VK_OEM_PERIOD);
    QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << int(VK_OEM_COMMA);
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << int(VK_LEFT);
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << int(VK_NEXT);
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << int(VK_DELETE);
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << int(VK_BACK);
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << int(VK_F2);
    QTest::newRow("unknown") << int(Qt::Key_unknown) << 0 << 0;
}

void tst_Controls::keyMapping()
{
    QFETCH(int, qtKey);
    QFETCH(int, mods);
    QFETCH(int, vk);
    QCOMPARE(int(QtKeyToVK(qtKey, Qt::KeyboardModifiers(mods))), vk);
}

void tst_Controls::shiftState()
{
    const TShiftState s = ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton);
    QVERIFY(s.Contains(ssShift));
    QVERIFY(s.Contains(ssCtrl));
    QVERIFY(s.Contains(ssLeft));
    QVERIFY(!s.Contains(ssAlt));
    QVERIFY(!s.Contains(ssRight));
}

void tst_Controls::paintGoesToBackingImage()
{
    Probe p;
    p.resize(30, 20);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTRY_VERIFY(p.paints > 0);
    QCOMPARE(RgbToColor(p.grab().toImage().pixel(15, 10)), clRed);
    QCOMPARE(p.Canvas()->Target()->size(), QSize(30, 20));
    // Invalidate repaints through the next paint event, not at once.
    const int before = p.paints;
    p.fill = clBlue;
    p.Invalidate();
    QCOMPARE(p.paints, before);
    QTRY_VERIFY(p.paints > before);
    QCOMPARE(RgbToColor(p.grab().toImage().pixel(1, 1)), clBlue);
}

void tst_Controls::paintOutsidePaintEventShows()
{
    Probe p;
    p.resize(30, 20);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTRY_VERIFY(p.paints > 0);
    // A setter-style direct draw on the canvas appears without a Paint call.
    p.Canvas()->Brush()->SetColor(clLime);
    p.Canvas()->FillRect(TRect(0, 0, 5, 5));
    QCOMPARE(RgbToColor(p.grab().toImage().pixel(2, 2)), clLime);
    QCOMPARE(RgbToColor(p.grab().toImage().pixel(20, 10)), clRed);
    // A resize grows the backing image.
    p.resize(50, 40);
    QCOMPARE(p.Canvas()->Target()->size(), QSize(50, 40));
}

void tst_Controls::mouseEventOrder()
{
    Probe p;
    p.resize(40, 40);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(p.log, QStringList({"down 0", "click", "up 0"}));
    p.log.clear();
    QTest::mouseClick(&p, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(p.log, QStringList({"down 1", "up 1"}));
    p.log.clear();
    // Released outside: no click.
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(p.log, QStringList({"down 0", "up 0"}));
}

void tst_Controls::doubleClickOrder()
{
    Probe p;
    p.resize(40, 40);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QTest::mouseDClick(&p, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(p.log.contains("dblclick"));
    const int d = p.log.indexOf("dblclick");
    QVERIFY(d + 1 < p.log.size());
    QCOMPARE(p.log.at(d + 1), QString("down 0 double"));
}

void tst_Controls::keyEventsReachHandlers()
{
    Probe p;
    p.resize(40, 40);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    p.setFocus();
    QTest::keyClick(&p, Qt::Key_Dollar, Qt::ShiftModifier);
    QTest::keyClick(&p, Qt::Key_Left);
    // The modifier arrives first as a key of its own, as it does from a real keyboard.
    QCOMPARE(p.log, QStringList({"key 10 shift", "key 34 shift", "char $", "key 25"}));
    // A KeyDown that clears the key swallows the character.
    p.log.clear();
    p.OnKeyDown = [](TObject*, Word& key, TShiftState) { key = 0; };
    QTest::keyClick(&p, Qt::Key_A);
    QCOMPARE(p.log, QStringList({"key 41"}));
}

void tst_Controls::wheelDirection()
{
    Probe p;
    p.resize(40, 40);
    QStringList seen;
    p.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) { seen << "down"; handled = true; };
    p.OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) { seen << "up"; handled = true; };
    QVERIFY(p.DoMouseWheel({}, -120, TPoint(1, 1)));
    QVERIFY(p.DoMouseWheel({}, 120, TPoint(1, 1)));
    QCOMPARE(seen, QStringList({"down", "up"}));
}

void tst_Controls::componentFlagsAndLoaded()
{
    struct C : TComponent {
        int loaded = 0;
        void Loaded() override { ++loaded; }
    } c;
    QVERIFY(!c.IsLoading());
    c.BeginLoading();
    QVERIFY(c.IsLoading());
    QVERIFY(c.ComponentState().Contains(csLoading));
    c.EndLoading();
    QVERIFY(!c.IsLoading());
    QCOMPARE(c.loaded, 1);
    c.SetName("Store1");
    QCOMPARE(c.objectName(), QString("Store1"));
}

void tst_Controls::ownerDesigningIsInherited()
{
    QWidget form;
    form.setProperty("qorDesigning", true);
    TCustomControl child(&form);
    QVERIFY(child.Designing());
    QWidget plain;
    TCustomControl other(&plain);
    QVERIFY(!other.Designing());
    TCustomControl grandChild(&child);
    QVERIFY(grandChild.Designing());
    QCOMPARE(grandChild.Owner(), &child);
}

void tst_Controls::assignRefusesForeignClass()
{
    TComponent a, b;
    QObject plain;
    QVERIFY_THROWS_EXCEPTION(EQORError, a.Assign(&b));
    QVERIFY_THROWS_EXCEPTION(EQORError, a.Assign(&plain));
    QVERIFY_THROWS_EXCEPTION(EQORError, a.Assign(nullptr));
}

namespace {
class Copyable : public TCustomControl {
    Q_OBJECT
public:
    int copies = 0;
    void Assign(const QObject* source) override
    {
        if (qobject_cast<const TCustomControl*>(source)) {
            ++copies;
            return;
        }
        TCustomControl::Assign(source);
    }
};
class Derived : public Copyable {
    Q_OBJECT
};
} // namespace

void tst_Controls::controlAssignToFollowsClassDerivation()
{
    Copyable base;
    Derived derived;
    TCustomControl plain;
    QWidget widget;
    // A control goes into a destination whose class its own class derives from ...
    derived.AssignTo(&base);
    QCOMPARE(base.copies, 1);
    // ... not the other way round, nor into a destination that takes nothing, nor into a plain widget.
    QVERIFY_THROWS_EXCEPTION(EQORError, plain.AssignTo(&base));
    QVERIFY_THROWS_EXCEPTION(EQORError, base.AssignTo(&plain));
    QVERIFY_THROWS_EXCEPTION(EQORError, base.AssignTo(&widget));
    QVERIFY_THROWS_EXCEPTION(EQORError, base.AssignTo(nullptr));
    QCOMPARE(base.copies, 1);
}

void tst_Controls::editChangeRunsForEveryChange()
{
    Edit e;
    int events = 0;
    e.OnChange = [&](TObject* s) { QCOMPARE(s, &e); ++events; };
    e.SetText("12");
    e.show();
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_3);
    QCOMPARE(e.Text(), QString("123"));
    QCOMPARE(e.changes, 2);
    QCOMPARE(events, 2);
    e.SetText("123"); // unchanged text: no notification
    QCOMPARE(e.changes, 2);
}

void tst_Controls::editCaretReadAndSet()
{
    Edit e;
    e.SetText("12345");
    e.SetSelStart(2);
    QCOMPARE(e.SelStart(), 2);
    e.SetSelLength(2);
    QCOMPARE(e.SelLength(), 2);
    QCOMPARE(e.selectedText(), QString("34"));
    e.SetSelStart(99);
    QCOMPARE(e.SelStart(), 5);
}

void tst_Controls::timerStartStopAndFailure()
{
    QObject owner;
    TComponentTimer t(&owner);
    int ticks = 0;
    t.OnTimer = [&] { ++ticks; };
    QVERIFY(t.Start(500));
    QVERIFY(t.Active());
    QCOMPARE(t.Interval(), 500);
    QVERIFY(t.Start(200)); // restart kills the old one first
    QCOMPARE(t.Interval(), 200);
    t.Fire();
    QCOMPARE(ticks, 1);
    t.Stop();
    QVERIFY(!t.Active());
    testing::SetTimerStartsFail(true);
    QVERIFY(!t.Start(100));
    QVERIFY(!t.Active());
    testing::SetTimerStartsFail(false);
    QVERIFY(t.Start(10));
    QTRY_VERIFY(ticks > 1);
}

void tst_Controls::timerExceptionsGoToHandler()
{
    QObject owner;
    owner.setObjectName("Blinker");
    TComponentTimer t(&owner);
    t.OnTimer = [] { throw EQORError("boom"); };
    QString seen;
    TObject* sender = nullptr;
    SetApplicationExceptionHandler([&](TObject* s, const std::exception& e) {
        sender = s;
        seen = QString::fromUtf8(e.what());
    });
    t.Fire();
    SetApplicationExceptionHandler(nullptr);
    QCOMPARE(seen, QString("boom"));
    QCOMPARE(sender, &owner);
}

void tst_Controls::clipboardText()
{
    Clipboard()->SetAsText("a\tb\r\n");
    QCOMPARE(Clipboard()->AsText(), QString("a\tb\r\n"));
    QVERIFY(Clipboard()->HasText());
}

void tst_Controls::beepCounts()
{
    const int before = testing::BeepCount();
    MessageBeep(0);
    MessageBeep(0);
    QCOMPARE(testing::BeepCount(), before + 2);
}

void tst_Controls::componentMessageForm()
{
    QCOMPARE(ComponentMessage("NumIO1", "integer overflow"), QString("Component \"NumIO1\": integer overflow"));
    const EQORError e(ComponentMessage("X", "no timer available"));
    QCOMPARE(QString::fromUtf8(e.what()), QString("Component \"X\": no timer available"));
    QCOMPARE(e.Message(), QString("Component \"X\": no timer available"));
}

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"

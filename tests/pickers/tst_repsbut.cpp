// Tests of the repeating speed button: intervals, press and release sequences through real mouse
// events, the repeat timing driven through the timer handler, and the ways a hold ends.
#include "pickers/QOR_repsbut.h"

#include "foundation/QOR_Testing.h"

#include <QtTest>

using namespace qor;

namespace {

struct TimerFailGuard {
    TimerFailGuard() { qor::testing::SetTimerStartsFail(true); }
    ~TimerFailGuard() { qor::testing::SetTimerStartsFail(false); }
};

struct HandlerGuard {
    QStringList messages;
    HandlerGuard()
    {
        SetApplicationExceptionHandler([this](TObject*, const std::exception& e) { messages << QString::fromUtf8(e.what()); });
    }
    ~HandlerGuard() { SetApplicationExceptionHandler(nullptr); }
};

/// A button on a form, with every event it fires written to a log.
struct Fixture {
    QWidget form;
    TRepSpeedButton* but;
    QStringList log;
    Fixture()
    {
        form.resize(200, 100);
        but = new TRepSpeedButton(&form);
        but->SetName("rb");
        but->setGeometry(10, 10, 40, 30);
        but->OnClick = [this](TObject* s) { QCOMPARE(s, but); log << "click"; };
        but->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) { log << QString("down%1").arg(int(b)); };
        but->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { log << QString("up%1").arg(int(b)); };
        but->SetOnRepeatClick([this](TObject* s) { QCOMPARE(s, but); log << "repeat"; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    TComponentTimer* timer() const { return but->RepeatTimer(); }
};

const QPoint kInside(20, 15);

} // namespace

class TstRepSButton : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void intervals_data();
    void intervals();
    void pressSequences_data();
    void pressSequences();
    void holdEnds_data();
    void holdEnds();
    void changesWhileHeld();
    void noTimerAvailable();
    void handlerExceptionsStayInside();
};

void TstRepSButton::defaults()
{
    TRepSpeedButton b;
    QCOMPARE(b.StartClickInterval(), 500);
    QCOMPARE(b.RepeatClickInterval(), 200);
    QVERIFY(!b.Repeating());
    QVERIFY(!b.RepeatTimer()->Active());
    QVERIFY(!b.autoRepeat());
    QCOMPARE(b.sizeHint().expandedTo(QSize(23, 22)), b.sizeHint());
    for (const char* name : {"StartClickInterval", "RepeatClickInterval"}) {
        const QMetaProperty p = b.metaObject()->property(b.metaObject()->indexOfProperty(name));
        QVERIFY2(p.isReadable() && p.isWritable(), name);
    }
}

void TstRepSButton::intervals_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("5 becomes 10") << 5 << 10;
    QTest::newRow("-50 becomes 10") << -50 << 10;
    QTest::newRow("0 becomes 10") << 0 << 10;
    QTest::newRow("10 kept") << 10 << 10;
    QTest::newRow("750 kept") << 750 << 750;
}

void TstRepSButton::intervals()
{
    QFETCH(int, value);
    QFETCH(int, stored);
    TRepSpeedButton b;
    b.SetStartClickInterval(value);
    b.SetRepeatClickInterval(value);
    QCOMPARE(b.StartClickInterval(), stored);
    QCOMPARE(b.RepeatClickInterval(), stored);
    QCOMPARE(b.property("StartClickInterval").toInt(), stored);
    // not held: a change starts no timer
    QVERIFY(!b.RepeatTimer()->Active());
}

void TstRepSButton::pressSequences_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("short left click: no repeat")
        << int(Qt::LeftButton) << 0 << QStringList{"down0", "click", "up0"};
    QTest::newRow("left held past the start delay")
        << int(Qt::LeftButton) << 1 << QStringList{"down0", "repeat", "click", "up0"};
    QTest::newRow("left held for three repeats")
        << int(Qt::LeftButton) << 3 << QStringList{"down0", "repeat", "repeat", "repeat", "click", "up0"};
    QTest::newRow("right button does not repeat")
        << int(Qt::RightButton) << 3 << QStringList{"down1", "up1"};
}

void TstRepSButton::pressSequences()
{
    QFETCH(int, button);
    QFETCH(int, ticks);
    QFETCH(QStringList, expected);
    Fixture f;
    const auto b = Qt::MouseButton(button);
    QTest::mousePress(f.but, b, {}, kInside);
    const bool left = b == Qt::LeftButton;
    QCOMPARE(f.but->Repeating(), left);
    QCOMPARE(f.timer()->Active(), left);
    if (left) {
        QCOMPARE(f.timer()->Interval(), 500);
        QVERIFY(f.but->IsStart());
        QVERIFY(f.but->isDown());
    }
    for (int i = 0; i < ticks; ++i) {
        f.timer()->Fire();
        if (left) {
            // after the start delay the timer runs with the repeat period
            QCOMPARE(f.timer()->Interval(), 200);
            QVERIFY(!f.but->IsStart());
            QVERIFY(f.timer()->Active());
        }
    }
    QTest::mouseRelease(f.but, b, {}, kInside);
    QVERIFY(!f.timer()->Active());
    QVERIFY(!f.but->Repeating());
    f.timer()->Fire(); // a tick that was already on its way repeats nothing
    QCOMPARE(f.log, expected);
}

void TstRepSButton::holdEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse moved off the button") << "leave";
    QTest::newRow("button disabled") << "disable";
    QTest::newRow("button hidden") << "hide";
}

void TstRepSButton::holdEnds()
{
    QFETCH(QString, how);
    Fixture f;
    QTest::mousePress(f.but, Qt::LeftButton, {}, kInside);
    f.timer()->Fire();
    QCOMPARE(f.log, (QStringList{"down0", "repeat"}));
    if (how == "leave")
        QTest::mouseMove(f.but, QPoint(120, 60));
    else if (how == "disable")
        f.but->SetEnabled(false);
    else
        f.but->SetVisible(false);
    // stopped at once, before any release
    QVERIFY(!f.timer()->Active());
    QVERIFY(!f.but->Repeating());
    f.timer()->Fire();
    QCOMPARE(f.log, (QStringList{"down0", "repeat"}));
    if (how == "leave") {
        // the release away from the button is no click, and coming back does not repeat again
        QTest::mouseMove(f.but, kInside);
        QVERIFY(!f.timer()->Active());
        QTest::mouseRelease(f.but, Qt::LeftButton, {}, QPoint(120, 60));
        QCOMPARE(f.log, (QStringList{"down0", "repeat", "up0"}));
    }
}

void TstRepSButton::changesWhileHeld()
{
    Fixture f;
    // not held: assigning the handler stops any timer and starts none
    f.but->SetOnRepeatClick([&](TObject*) { f.log << "repeat2"; });
    QVERIFY(!f.timer()->Active());

    QTest::mousePress(f.but, Qt::LeftButton, {}, kInside);
    QCOMPARE(f.timer()->Interval(), 500);
    // a new handler while held switches to the repeat period
    f.but->SetOnRepeatClick([&](TObject*) { f.log << "repeat3"; });
    QVERIFY(f.timer()->Active());
    QCOMPARE(f.timer()->Interval(), 200);
    QVERIFY(!f.but->IsStart());
    // a new start delay while held starts the delay anew
    f.but->SetStartClickInterval(800);
    QCOMPARE(f.timer()->Interval(), 800);
    QVERIFY(f.but->IsStart());
    f.timer()->Fire();
    QCOMPARE(f.timer()->Interval(), 200);
    // a new repeat period while held takes effect at once
    f.but->SetRepeatClickInterval(50);
    QCOMPARE(f.timer()->Interval(), 50);
    f.timer()->Fire();
    QTest::mouseRelease(f.but, Qt::LeftButton, {}, kInside);
    QCOMPARE(f.log, (QStringList{"down0", "repeat3", "repeat3", "click", "up0"}));
    QVERIFY(!f.timer()->Active());
}

void TstRepSButton::noTimerAvailable()
{
    Fixture f;
    HandlerGuard handler;
    {
        TimerFailGuard fail;
        // from a mouse press the failure goes to the application's handler, not through Qt
        QTest::mousePress(f.but, Qt::LeftButton, {}, kInside);
        QCOMPARE(handler.messages, QStringList{"Component \"rb\": no timer available"});
        QVERIFY(!f.timer()->Active());
        // from a setter it reaches the caller, with the unit's exception class
        try {
            f.but->SetRepeatClickInterval(300);
            QFAIL("no exception");
        } catch (const EQORRepSpeedButton& e) {
            QCOMPARE(e.Message(), QString("Component \"rb\": no timer available"));
        }
    }
    // with timers back, the held button repeats again once the period changes
    f.but->SetRepeatClickInterval(250);
    QVERIFY(f.timer()->Active());
    QCOMPARE(f.timer()->Interval(), 250);
    QTest::mouseRelease(f.but, Qt::LeftButton, {}, kInside);
    QVERIFY(!f.timer()->Active());
}

void TstRepSButton::handlerExceptionsStayInside()
{
    Fixture f;
    HandlerGuard handler;
    int calls = 0;
    f.but->SetOnRepeatClick([&](TObject*) {
        ++calls;
        throw EQORError("handler failed");
    });
    QTest::mousePress(f.but, Qt::LeftButton, {}, kInside);
    f.timer()->Fire();
    f.timer()->Fire();
    QCOMPARE(calls, 2);
    QCOMPARE(handler.messages, (QStringList{"handler failed", "handler failed"}));
    // the failure of one repeat does not stop the next
    QVERIFY(f.timer()->Active());
    QTest::mouseRelease(f.but, Qt::LeftButton, {}, kInside);
}

QTEST_MAIN(TstRepSButton)
#include "tst_repsbut.moc"

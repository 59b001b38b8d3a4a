// The meter in a layout and on screen: its design size, and hooks assigned after the last
// paint take effect at the next paint event the platform sends.
#include "meter/QOR_Meter.h"

#include <QVBoxLayout>
#include <QtTest>

using namespace qor;

class tst_MeterLayout : public QObject {
    Q_OBJECT
private slots:
    void designSize();
    void hookAssignedLaterTakesEffect_data();
    void hookAssignedLaterTakesEffect();
};

void tst_MeterLayout::designSize()
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto* m = new TMeter(&page);
    layout->addWidget(m);
    page.resize(600, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(m->sizeHint(), QSize(297, 209));
    QCOMPARE(m->size(), QSize(297, 209));
}

void tst_MeterLayout::hookAssignedLaterTakesEffect_data()
{
    QTest::addColumn<bool>("scaleLabel");
    QTest::newRow("OnMeterRendered") << false;
    QTest::newRow("OnBeforeDrawScaleLabel") << true;
}

void tst_MeterLayout::hookAssignedLaterTakesEffect()
{
    QFETCH(bool, scaleLabel);
    TMeter m;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QTest::qWait(20);
    int calls = 0;
    if (scaleLabel)
        m.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas*, QString& label, int, int) { ++calls; label.clear(); };
    else
        m.OnMeterRendered = [&](TObject*, TCanvas* c) {
            ++calls;
            c->Brush()->SetColor(clFuchsia);
            c->FillRect(TRect(0, 0, 6, 6));
        };
    QCOMPARE(calls, 0);
    m.update(); // as the platform asks, e.g. after an expose; no setter ran
    QTRY_VERIFY(calls > 0);
    if (!scaleLabel)
        QCOMPARE(RgbToColor(m.grab().toImage().pixel(3, 3)), clFuchsia);
}

QTEST_MAIN(tst_MeterLayout)
#include "tst_meterlayout.moc"

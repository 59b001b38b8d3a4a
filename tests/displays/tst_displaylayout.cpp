// The display labels in layouts: each keeps the size it was designed with.
#include "displays/QOR_NumLab.h"
#include "displays/QOR_RasterLab.h"
#include "displays/QOR_RotLab.h"
#include "displays/QOR_sevenseg.h"

#include <QVBoxLayout>
#include <QtTest>
#include <functional>

using namespace qor;

using Maker = std::function<TGraphicControl*(QWidget*)>;
Q_DECLARE_METATYPE(Maker)

class tst_DisplayLayout : public QObject {
    Q_OBJECT
private slots:
    void designSize_data();
    void designSize();
};

void tst_DisplayLayout::designSize_data()
{
    QTest::addColumn<Maker>("make");
    QTest::addColumn<QSize>("size");
    QTest::newRow("numlab") << Maker([](QWidget* o) { return new TNumLab(o); }) << QSize(160, 28);
    QTest::newRow("sevenseg") << Maker([](QWidget* o) { return new TSevenSeg(o); }) << QSize(216, 76);
    QTest::newRow("rasterlab") << Maker([](QWidget* o) { return new TRasterLab(o); }) << QSize(400, 68);
    QTest::newRow("rotlab") << Maker([](QWidget* o) { return new TRotLab(o); }) << QSize(200, 200);
}

void tst_DisplayLayout::designSize()
{
    QFETCH(Maker, make);
    QFETCH(QSize, size);
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    TGraphicControl* c = make(&page);
    layout->addWidget(c);
    page.resize(700, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(c->sizeHint(), size);
    QCOMPARE(c->minimumSizeHint(), size);
    QCOMPARE(c->size(), size); // no setFixedSize needed
    c->SetBounds(0, 0, size.width() + 10, size.height());
    QTRY_COMPARE(c->size(), QSize(size.width() + 10, size.height()));
}

QTEST_MAIN(tst_DisplayLayout)
#include "tst_displaylayout.moc"

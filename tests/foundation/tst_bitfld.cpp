// Tests of the bit field: sizes, bounds, first and counted bits, growth and shrinking.
#include "foundation/QOR_BitFld.h"

#include <QtTest>
#include <climits>

using namespace qor;

class TestBitFld : public QObject {
    Q_OBJECT

private slots:
    void bits_data();
    void bits();
    void resizeKeepsAndClears();
    void hugeSizeCostsNothingUntilUsed();
};

void TestBitFld::bits_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("set");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::newRow("empty field") << 0 << QList<int>{0, 5} << -1 << 0;
    QTest::newRow("none set") << 100 << QList<int>{} << -1 << 0;
    QTest::newRow("one") << 100 << QList<int>{42} << 42 << 1;
    QTest::newRow("word edges") << 200 << QList<int>{63, 64, 127, 128, 199} << 63 << 5;
    QTest::newRow("out of range ignored") << 10 << QList<int>{-1, 10, 1000, 9} << 9 << 1;
    QTest::newRow("same bit twice") << 10 << QList<int>{3, 3} << 3 << 1;
}

void TestBitFld::bits()
{
    QFETCH(int, size);
    QFETCH(QList<int>, set);
    TBitFld b;
    b.SetSize(size);
    QCOMPARE(b.Size(), size);
    for (int i : set)
        b.SetBit(i, true);
    for (int i : set)
        QCOMPARE(b.GetBit(i), i >= 0 && i < size);
    QVERIFY(!b.GetBit(-1));
    QVERIFY(!b.GetBit(size));
    QTEST(b.FirstTrueBit(), "first");
    QTEST(b.CountTrueBits(), "count");
    b.Clear();
    QCOMPARE(b.CountTrueBits(), 0);
    QCOMPARE(b.FirstTrueBit(), -1);
    QCOMPARE(b.Size(), size);
}

void TestBitFld::resizeKeepsAndClears()
{
    TBitFld b(130);
    b.SetBit(5, true);
    b.SetBit(70, true);
    b.SetBit(129, true);
    b.SetSize(71); // keeps 5 and 70
    QCOMPARE(b.CountTrueBits(), 2);
    b.SetSize(66); // drops 70, which must not come back
    b.SetSize(200);
    QVERIFY(!b.GetBit(70));
    QVERIFY(!b.GetBit(129));
    QCOMPARE(b.CountTrueBits(), 1);
    b.SetBit(5, false);
    QCOMPARE(b.FirstTrueBit(), -1);
    b.SetSize(-4);
    QCOMPARE(b.Size(), 0);
}

void TestBitFld::hugeSizeCostsNothingUntilUsed()
{
    TBitFld b(INT_MAX);
    QVERIFY(!b.GetBit(INT_MAX - 1));
    b.SetBit(INT_MAX - 1, false);
    b.SetBit(1000, true);
    QCOMPARE(b.FirstTrueBit(), 1000);
    QCOMPARE(b.CountTrueBits(), 1);
}

QTEST_APPLESS_MAIN(TestBitFld)
#include "tst_bitfld.moc"

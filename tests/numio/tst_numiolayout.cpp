// The numeric fields as good Qt citizens: keys of real keyboard layouts typed into the spin
// field, and the design sizes layouts see.
#include "numio/QOR_NumIO.h"
#include "numio/QOR_NumIO2.h"

#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using namespace qor;

Q_DECLARE_METATYPE(qor::TInFormat)

namespace {

struct Key {
    int qtKey;
    Qt::KeyboardModifiers mods;
    quint32 scan; ///< X11 key code; the Windows scan code is 8 less
    const char* text;
};

void send(QWidget* w, const Key& k)
{
    const quint32 scan = NativeScanCodeSet() == TScanCodeSet::Xkb || k.scan == 0 ? k.scan : k.scan - 8;
    const QString text = QString::fromUtf8(k.text);
    QKeyEvent press(QEvent::KeyPress, k.qtKey, k.mods, scan, 0, 0, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k.qtKey, k.mods, scan, 0, 0, text);
    QApplication::sendEvent(w, &release);
}

const Qt::KeyboardModifiers S = Qt::ShiftModifier;

} // namespace

Q_DECLARE_METATYPE(Key)

class tst_NumIOLayout : public QObject {
    Q_OBJECT
private slots:
    void typedByLayout_data();
    void typedByLayout();
    void designSizes();
};

void tst_NumIOLayout::typedByLayout_data()
{
    QTest::addColumn<TInFormat>("format");
    QTest::addColumn<QList<Key>>("keys");
    QTest::addColumn<QString>("text");
    // German: Shift+4 "$", Shift+5 "%", Shift+6 "&" (the key 6, which US has as "^"); a prefix
    // alone is refused, so the digits come first and the prefix goes in front of them.
    const Key home{Qt::Key_Home, {}, 0, ""}, end{Qt::Key_End, {}, 0, ""};
    QTest::newRow("DE $ prefix") << itDynamic
                                 << QList<Key>{{Qt::Key_1, {}, 10, "1"}, home, {Qt::Key_Dollar, S, 13, "$"}, end,
                                               {Qt::Key_F, {}, 41, "f"}}
                                 << QString("$1F");
    QTest::newRow("DE % prefix") << itDynamic << QList<Key>{{Qt::Key_1, {}, 10, "1"}, home, {Qt::Key_Percent, S, 14, "%"}} << QString("%1");
    QTest::newRow("DE & prefix") << itDynamic << QList<Key>{{Qt::Key_7, {}, 16, "7"}, home, {Qt::Key_Ampersand, S, 15, "&"}} << QString("&7");
    QTest::newRow("DE shift 7 is the key 7") << itFloat << QList<Key>{{Qt::Key_Slash, S, 16, "/"}} << QString("7");
    QTest::newRow("DE plus key") << itFloat << QList<Key>{{Qt::Key_Plus, {}, 35, "+"}, {Qt::Key_2, {}, 11, "2"}} << QString("+2");
    QTest::newRow("DE shift plus * ") << itFloat << QList<Key>{{Qt::Key_Asterisk, S, 35, "*"}} << QString("");
    QTest::newRow("DE comma") << itFloat << QList<Key>{{Qt::Key_1, {}, 10, "1"}, {Qt::Key_Comma, {}, 59, ","}, {Qt::Key_5, {}, 14, "5"}} << QString("1,5");
    // French: the unshifted main row types "&é\"'(-è_çà" and counts as 1..0.
    QTest::newRow("FR row") << itFloat
                            << QList<Key>{{Qt::Key_Ampersand, {}, 10, "&"}, {Qt::Key_Eacute, {}, 11, "é"},
                                          {Qt::Key_ParenLeft, {}, 14, "("}, {Qt::Key_Minus, {}, 15, "-"},
                                          {Qt::Key_Agrave, {}, 19, "à"}}
                            << QString("12560");
    QTest::newRow("FR minus is 6") << itFloat << QList<Key>{{Qt::Key_Minus, {}, 15, "-"}} << QString("6");
    QTest::newRow("FR shift 4") << itDynamic << QList<Key>{{Qt::Key_Ampersand, {}, 10, "&"}, home, {Qt::Key_4, S, 13, "4"}} << QString("$1");
    // US: Shift+6 ("^") gives "&", Shift+7 ("&") gives "7", the minus key gives "-".
    QTest::newRow("US shift 6") << itDynamic << QList<Key>{{Qt::Key_5, {}, 14, "5"}, home, {Qt::Key_AsciiCircum, S, 15, "^"}} << QString("&5");
    QTest::newRow("US shift 7") << itFloat << QList<Key>{{Qt::Key_Ampersand, S, 16, "&"}} << QString("7");
    QTest::newRow("US minus") << itFloat << QList<Key>{{Qt::Key_Minus, {}, 20, "-"}, {Qt::Key_3, {}, 12, "3"}} << QString("-3");
    QTest::newRow("US keypad decimal") << itFloat << QList<Key>{{Qt::Key_1, {}, 10, "1"}, {Qt::Key_Period, Qt::KeypadModifier, 91, "."}} << QString("1,");
}

void tst_NumIOLayout::typedByLayout()
{
    QFETCH(TInFormat, format);
    QFETCH(QList<Key>, keys);
    QFETCH(QString, text);
    TNumIO2 f;
    f.SetInputFormat(format);
    f.SetRangeLow(-1e9);
    f.SetRangeHigh(1e9);
    f.SetText(QString());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    for (const Key& k : keys)
        send(&f, k);
    QCOMPARE(f.Text(), text);
}

void tst_NumIOLayout::designSizes()
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto* spin = new TNumIO2(&page);
    auto* edit = new TNumIO(&page);
    layout->addWidget(spin);
    layout->addWidget(edit);
    page.resize(500, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(spin->sizeHint(), QSize(160, 28));
    QCOMPARE(spin->minimumSizeHint(), QSize(160, 28));
    QCOMPARE(spin->size(), QSize(160, 28));
    // The edit has no size of its own: it keeps the line edit's hints and policy.
    QCOMPARE(edit->sizeHint(), edit->QLineEdit::sizeHint());
    spin->SetWidth(200);
    QTRY_COMPARE(spin->size(), QSize(200, 28));
}

QTEST_MAIN(tst_NumIOLayout)
#include "tst_numiolayout.moc"

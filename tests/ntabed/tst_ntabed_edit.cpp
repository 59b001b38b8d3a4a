// Tests of the table editor's editing side: typing into cells, the pick list, the heading
// box and the comment memo, keys, both popups (driven through their actions and through
// real mouse and key events), the copy buffer, the clipboard text and the extraction of
// numbers from any clipboard text.
#include "ntabed/NTabEdUi_p.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>
#include <limits>
#include <random>

#include "tst_ntabed_util.h"

using namespace qor;

namespace {

using Cells = QList<QList<double>>;   // rows of values; NaN stands for a "####" placeholder

Cells scan(const QString& text)
{
    Cells out;
    auto put = [&](int line, int n, double v) {
        while (out.size() <= line)
            out.append(QList<double>());
        while (out[line].size() < n)
            out[line].append(-999);
        out[line].append(v);
    };
    ScanClipNumbers(text, put, [&](int line, int n) { put(line, n, std::numeric_limits<double>::quiet_NaN()); });
    return out;
}

void setClipboardText(const QString& t) { QGuiApplication::clipboard()->setText(t); }

QAction* action(TNTabEd& e, const char* name)
{
    auto* a = e.PopupDTAction()->findChild<QAction*>(QString::fromLatin1(name));
    if (!a)
        a = e.PopupHTAction()->findChild<QAction*>(QString::fromLatin1(name));
    return a;
}

// Values and states of every cell, to tell whether a command left the table alone.
QByteArray snapshot(const TNTabEd& e, Byte stateMask = 0xFF)
{
    QByteArray b;
    for (int r = 1; r <= e.NrOfRows(); ++r)
        for (int c = 1; c <= e.NrOfColumns(); ++c) {
            const double v = e.Elem(c, r);
            b.append(reinterpret_cast<const char*>(&v), sizeof v);
            b.append(char(e.CellState(c, r) & stateMask));
        }
    return b;
}

void selectData(TNTabEd& e, int l, int t, int r, int b)
{
    e.SetSelection(GridRect(l + e.ColOffset(), t + e.RowOffset(), r + e.ColOffset(), b + e.RowOffset()));
}

QPoint cellCentre(TNTabEd& e, int gc, int gr)
{
    const TRect r = e.CellRect(gc, gr);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

void closeMenus()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
            m->hide();
}

struct ShownEditor {
    CountingEditor e;
    ShownEditor()
    {
        e.show();
        e.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
    }
    ~ShownEditor() { closeMenus(); }
};

} // namespace

class TestNTabEdEdit : public QObject {
    Q_OBJECT

private slots:
    void scanner_data();
    void scanner();
    void extraction_data();
    void extraction();
    void refusedExtraction_data();
    void refusedExtraction();
    void hostileClipboardText();
    void copyText_data();
    void copyText();
    void roundTrips();
    void pasteAtEdge();
    void menusAndMasks();
    void readOnlyClosesEveryWriter();
    void markCommands_data();
    void markCommands();
    void clearToggleSelect();
    void headingCommands();
    void rightClicksOpenPopups();
    void typing_data();
    void typing();
    void escapeRestoresCell();
    void autoAdvanceAndTabs_data();
    void autoAdvanceAndTabs();
    void clicksStartEditing();
    void pickList();
    void headingEditBox_data();
    void headingEditBox();
    void commentMemo();
    void randomSequences();
};

// ---- the scanner ------------------------------------------------------------------------

void TestNTabEdEdit::scanner_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<QSize>("size");   // GetClipMatrixSize; empty when it finds no number
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double big = std::numeric_limits<double>::max();
    QTest::newRow("rows") << "1 2 3\r\n4 5 6\r\n" << Cells{{1, 2, 3}, {4, 5, 6}} << QSize(3, 2);
    QTest::newRow("comma and point") << "1,5\t-2.25\r\n+3e2 4E-1" << Cells{{1.5, -2.25}, {300, 0.4}} << QSize(2, 2);
    QTest::newRow("line feed alone") << "1\n2\n\n3" << Cells{{1}, {2}, {}, {3}} << QSize(1, 4);
    QTest::newRow("heading line") << "x y\n\n7 8" << Cells{{7, 8}} << QSize(2, 1);
    QTest::newRow("exponent cut") << "1E5000 -1E5000 1E-5000" << Cells{{big, -big, 0}} << QSize(3, 1);
    QTest::newRow("long exponent") << "2E0000000000003" << Cells{{2000}} << QSize(1, 1);
    QTest::newRow("trailing point") << "5. .5 -.5" << Cells{{5, 0.5, -0.5}} << QSize(3, 1);
    QTest::newRow("dangling exponent") << "5E x 6E+ 7e-" << Cells{{5, 6, 7}} << QSize(3, 1);
    QTest::newRow("lone signs") << "1 - 2 + . 3" << Cells{{1, 2, 3}} << QSize(3, 1);
    QTest::newRow("two separators") << "1.2.3" << Cells{{1.2, 0.3}} << QSize(2, 1);
    QTest::newRow("sign ends number") << "1-2" << Cells{{1, -2}} << QSize(2, 1);
    QTest::newRow("words around") << "T=20.5C; p=1e3Pa" << Cells{{20.5, 1000}} << QSize(2, 1);
    QTest::newRow("placeholders") << " 1\t####\t3\r\n ####\t5\r\n" << Cells{{1, nan, 3}, {nan, 5}} << QSize(3, 2);
    QTest::newRow("hash in words") << "#5 a####b ##### 6" << Cells{{5, 6}} << QSize(2, 1);
    QTest::newRow("huge mantissa") << QString(400, QLatin1Char('9')) << Cells{{big}} << QSize(1, 1);
    QTest::newRow("tiny mantissa") << QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1") << Cells{{0}} << QSize(1, 1);
    QTest::newRow("nothing") << "abc\r\n" << Cells{} << QSize();
    QTest::newRow("ragged, last line counts") << "1\n2 3 4\n5 6" << Cells{{1}, {2, 3, 4}, {5, 6}} << QSize(3, 3);
    QTest::newRow("binary") << QStringLiteral("1 2\x01 3") << Cells{{1, 2, 3}} << QSize();
}

void TestNTabEdEdit::scanner()
{
    QFETCH(QString, text);
    QFETCH(Cells, cells);
    QFETCH(QSize, size);
    TNTabEd e;
    setClipboardText(text);
    int nc = -5, nr = -5;
    QCOMPARE(e.GetClipMatrixSize(nc, nr), !size.isEmpty());
    QCOMPARE(QSize(nc, nr), size.isEmpty() ? QSize(1, 1) : size);
    const Cells got = scan(text);
    QCOMPARE(got.size(), cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        QCOMPARE(got[i].size(), cells[i].size());
        for (int k = 0; k < cells[i].size(); ++k) {
            if (std::isnan(cells[i][k]))
                QVERIFY(std::isnan(got[i][k]));
            else
                QCOMPARE(got[i][k], cells[i][k]);
        }
    }
}

// ---- extraction ----------------------------------------------------------------------------

void TestNTabEdEdit::extraction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("at");            // data cell of the selection's top-left
    QTest::addColumn<QRect>("selected");       // data cells selected afterwards
    QTest::addColumn<QString>("expect");       // the 4 x 5 table afterwards, row by row
    // states: "." number, "e" empty, "i" invalid
    QTest::addColumn<QString>("states");
    QTest::newRow("edge case") << "1 2 3\r\n4 5 6\r\n" << QPoint(1, 1) << QRect(QPoint(1, 1), QPoint(3, 2))
                               << "1 2 3 0|4 5 6 0|0 0 0 0|0 0 0 0|0 0 0 0" << "....|....|....|....|....";
    QTest::newRow("cut at the table") << "1 2 3\n4 5 6\n7 8 9\n" << QPoint(3, 4) << QRect(QPoint(3, 4), QPoint(4, 5))
                                      << "0 9 0 0|0 0 0 0|0 0 0 0|0 0 1 2|0 0 4 5" << "e...|....|....|....|....";
    QTest::newRow("ragged") << "1\n2 3 4\n\n5" << QPoint(2, 2) << QRect(QPoint(2, 2), QPoint(4, 5))
                            << "0 9 0 0|0 1 0 0|0 2 3 4|0 0 0 0|0 5 0 0" << "e...|....|....|....|....";
    QTest::newRow("placeholder") << "7 #### 8" << QPoint(1, 1) << QRect(QPoint(1, 1), QPoint(3, 1))
                                 << "7 9 8 0|0 0 0 0|0 0 0 0|0 0 0 0|0 0 0 0" << ".i..|....|....|....|....";
}

void TestNTabEdEdit::extraction()
{
    QFETCH(QString, text);
    QFETCH(QPoint, at);
    QFETCH(QRect, selected);
    QFETCH(QString, expect);
    QFETCH(QString, states);
    CountingEditor e;
    e.Redimension(4, 5);
    e.SetElem(2, 1, 9);
    e.SetIsEmpty(1, 1, true);   // a number written into an empty cell shows
    int change = 0, paste = 0, sel = 0;
    e.OnChange = [&](TObject*) { ++change; };
    e.OnPaste = [&](TObject*) { ++paste; };
    e.OnSelectionChanged = [&](TObject*) { ++sel; };
    setClipboardText(text);
    selectData(e, at.x(), at.y(), at.x(), at.y());
    action(e, "DIt10")->trigger();
    const QStringList rows = expect.split(QLatin1Char('|'));
    const QStringList st = states.split(QLatin1Char('|'));
    for (int r = 1; r <= 5; ++r) {
        const QStringList vals = rows[r - 1].split(QLatin1Char(' '));
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(e.Elem(c, r), vals[c - 1].toDouble());
            const QChar s = st[r - 1].at(c - 1);
            QCOMPARE(int(e.CellState(c, r)), s == QLatin1Char('i') ? int(csInvalid) : s == QLatin1Char('e') ? int(csEmpty) : 0);
        }
    }
    const TGridRect g = e.Selection();
    QCOMPARE(QRect(QPoint(g.Left - e.ColOffset(), g.Top), QPoint(g.Right - e.ColOffset(), g.Bottom)), selected);
    QCOMPARE(change, 1);
    QCOMPARE(paste, 1);
    QVERIFY(sel >= 1);
}

void TestNTabEdEdit::refusedExtraction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("no numbers") << "abc\ndef" << false;
    QTest::newRow("binary") << QStringLiteral("1 2 3\x00\x02 4") << false;
    QTest::newRow("undecodable") << QStringLiteral("1 2 \xFFFD 3") << false;
    QTest::newRow("read-only") << "1 2 3" << true;
    QTest::newRow("empty") << "" << false;
}

void TestNTabEdEdit::refusedExtraction()
{
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    TNTabEd e;
    e.SetElem(1, 1, 4);
    e.SetIsEmpty(2, 2, true);
    e.SetDataReadOnly(readOnly);
    int events = 0;
    e.OnChange = e.OnPaste = [&](TObject*) { ++events; };
    const TGridRect sel = e.Selection();
    const QByteArray before = snapshot(e);
    if (text.isEmpty())
        QGuiApplication::clipboard()->clear();
    else
        setClipboardText(text);
    QVERIFY(!e.ExtractFromClipboard());
    action(e, "DIt10")->trigger();
    QCOMPARE(snapshot(e), before);
    QCOMPARE(events, 0);
    QCOMPARE(e.Selection(), sel);
}

// Texts nobody meant as a table: huge, ragged, random bytes. Nothing may crash or land
// outside the table, and the table keeps its size.
void TestNTabEdEdit::hostileClipboardText()
{
    TNTabEd e;
    e.Redimension(5, 7);
    std::mt19937 rng(16);
    // 10^6 numbers on 1000 lines of 1000, then lines of random length
    QString big;
    big.reserve(8'000'000);
    for (int r = 0; r < 1000; ++r) {
        for (int c = 0; c < 1000; ++c)
            big += QString::number(int(rng() % 1000)) + QLatin1Char('\t');
        big += QStringLiteral("\r\n");
    }
    setClipboardText(big);
    selectData(e, 3, 4, 3, 4);
    QVERIFY(e.ExtractFromClipboard());
    int nc = 0, nr = 0;
    QVERIFY(e.GetClipMatrixSize(nc, nr));
    QCOMPARE(nc, 1000);
    QCOMPARE(nr, 1000);
    QCOMPARE(e.NrOfColumns(), 5);
    QCOMPARE(e.NrOfRows(), 7);
    QCOMPARE(e.Selection(), GridRect(3 + 1, 4, 5 + 1, 7));
    for (int round = 0; round < 200; ++round) {
        QString t;
        const int len = int(rng() % 400);
        for (int k = 0; k < len; ++k) {
            static const char16_t pool[] = u"0123456789+-.,eE \t\r\n#x\u00e9\uFFFD";
            t += QChar(rng() % 3 ? pool[rng() % 24] : char16_t(rng() % 0x3000));
        }
        setClipboardText(t);
        selectData(e, int(rng() % 5) + 1, int(rng() % 7) + 1, 5, 7);
        e.ExtractFromClipboard();
        e.GetClipMatrixSize(nc, nr);
        QVERIFY(nc >= 1 && nr >= 1);
        QCOMPARE(e.NrOfColumns(), 5);
        QCOMPARE(e.NrOfRows(), 7);
        for (int c = 1; c <= 5; ++c)
            for (int r = 1; r <= 7; ++r)
                QVERIFY(std::isfinite(e.Elem(c, r)));
        const TGridRect s = e.Selection();
        QVERIFY(s.Left >= e.FixedCols() && s.Right < e.ColCount() && s.Top >= e.FixedRows() && s.Bottom < e.RowCount());
    }
    // binary data offered as text (a NUL in the middle)
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), QByteArray("12 34\0\x01\x02 56", 12));
    QGuiApplication::clipboard()->setMimeData(mime);
    const QByteArray before = snapshot(e);
    QVERIFY(!e.ExtractFromClipboard());
    QCOMPARE(snapshot(e), before);
}

// ---- copy, paste and round trips ---------------------------------------------------------

void TestNTabEdEdit::copyText_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("text");
    QTest::newRow("display precision 2") << false << 2 << " 1.50\t-2.00\r\n ####\t1234567.00\r\n";
    QTest::newRow("display precision 0") << false << 0 << " 2\t-2\r\n ####\t1234567\r\n";
    QTest::newRow("display exponential") << false << -1 << "  1.5E+0000\t-2.0E+0000\r\n ####\t 1.2E+0006\r\n";
    QTest::newRow("full precision") << true << 2
                                    << "  1.5000000000000E+0000\t-2.0000000000000E+0000\r\n ####\t 1.2345670000000E+0006\r\n";
}

void TestNTabEdEdit::copyText()
{
    QFETCH(bool, full);
    QFETCH(int, precision);
    QFETCH(QString, text);
    TNTabEd e;
    e.SetClipboardUseFullPrec(full);
    e.SetPrecision(2, precision);
    e.SetPrecision(3, precision);
    e.SetElem(2, 2, 1.5);
    e.SetElem(3, 2, -2);
    e.SetIsEmpty(2, 3, true);
    e.SetElem(3, 3, 1234567);
    selectData(e, 2, 2, 3, 3);
    action(e, "DIt7")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    // a value that 14 digits would not give back gets 17
    e.SetElem(2, 2, 0.1 + 0.2);
    selectData(e, 2, 2, 2, 2);
    e.CopyToClipboard();
    if (full) {
        const QString t = QGuiApplication::clipboard()->text();
        QCOMPARE(t, QStringLiteral("  3.0000000000000004E-0001\r\n"));
        QCOMPARE(scan(t).at(0).at(0), 0.1 + 0.2);
    }
}

// Copy, then Paste elsewhere in the same editor and Extract in another: values and the
// states of empty and invalid cells come back (marks travel with Paste only).
void TestNTabEdEdit::roundTrips()
{
    TNTabEd a, b;
    a.Redimension(4, 4);
    b.Redimension(4, 4);
    const double values[4] = {1.0 / 3, -2.5e-300, 7e300, 0};
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            a.SetElem(c, r, values[(c - 1) * 2 + r - 1]);
    a.SetIsEmpty(1, 2, true);
    a.SetCellState(2, 2, csInvalid | csMarkB);
    a.SetElemMarkedA(1, 1, true);
    selectData(a, 1, 1, 2, 2);
    QVERIFY(!action(a, "DIt8")->isEnabled());
    action(a, "DIt7")->trigger();
    a.PopupDTAction()->aboutToShow();
    QVERIFY(action(a, "DIt8")->isEnabled());
    int paste = 0, states = 0, change = 0;
    a.OnPaste = [&](TObject*) { ++paste; };
    a.OnCellStateChanged = [&](TObject*) { ++states; };
    a.OnChange = [&](TObject*) { ++change; };
    selectData(a, 3, 3, 3, 3);
    action(a, "DIt8")->trigger();
    QCOMPARE(std::tuple(paste, states, change), std::tuple(1, 1, 1));
    QCOMPARE(a.Selection(), GridRect(3 + 1, 3, 4 + 1, 4));
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r) {
            QCOMPARE(a.Elem(c + 2, r + 2), a.Elem(c, r));
            QCOMPARE(a.CellState(c + 2, r + 2), a.CellState(c, r));
        }
    // through the text into another editor
    b.SetElem(1, 2, 99);
    selectData(b, 1, 1, 1, 1);
    QVERIFY(b.ExtractFromClipboard());
    QCOMPARE(b.Elem(1, 1), 1.0 / 3);
    QCOMPARE(b.Elem(2, 1), 7e300);
    QCOMPARE(int(b.CellState(1, 1)), 0);   // marks stay where they are
    QCOMPARE(int(b.CellState(1, 2)), int(csEmpty));
    QCOMPARE(b.Elem(1, 2), 99.0);           // not 0
    QCOMPARE(int(b.CellState(2, 2)), int(csInvalid));
    // plain text from elsewhere: "####" is a text that is no number
    setClipboardText(QGuiApplication::clipboard()->text());
    selectData(b, 3, 1, 3, 1);
    QVERIFY(b.ExtractFromClipboard());
    QCOMPARE(int(b.CellState(3, 2)), int(csInvalid));
    QCOMPARE(b.Elem(3, 1), 1.0 / 3);
}

void TestNTabEdEdit::pasteAtEdge()
{
    TNTabEd e;
    e.Redimension(3, 3);
    e.Fill(5);
    selectData(e, 1, 1, 3, 3);
    e.CopyToClipboard();
    e.Fill(1);
    selectData(e, 3, 3, 3, 3);
    QVERIFY(e.PasteCopyBuffer());
    QCOMPARE(e.Elem(3, 3), 5.0);
    QCOMPARE(e.Elem(2, 3), 1.0);
    QCOMPARE(e.Selection(), GridRect(3 + 1, 3, 3 + 1, 3));   // the block as far as it fits
    QCOMPARE(e.NrOfColumns(), 3);
    e.SetDataReadOnly(true);
    e.Fill(2);
    QVERIFY(!e.PasteCopyBuffer());
    QCOMPARE(e.Elem(3, 3), 2.0);
}

// ---- menus ---------------------------------------------------------------------------------

void TestNTabEdEdit::menusAndMasks()
{
    TNTabEd e;
    QCOMPARE(e.PopupDTAction()->objectName(), QStringLiteral("PopupDTAction"));
    QCOMPARE(e.PopupHTAction()->objectName(), QStringLiteral("PopupHTAction"));
    const QStringList d{"Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B", "Unmark All", "Clear",
                        "Copy", "Paste", "Data Read-Only", "Extract from Clipboard", "Select All", "Toggle Empty State"};
    const QList<QAction*> items = e.PopupDTAction()->actions();
    QCOMPARE(items.size(), 12);
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(items[k]->text(), d[k]);
        QCOMPARE(items[k]->objectName(), QStringLiteral("DIt%1").arg(k + 1));
        QCOMPARE(e.PopupDCaptions(k + 1), d[k]);
    }
    for (int k = 0; k < 4; ++k) {
        const QList<QAction*> sub = items[k]->menu()->actions();
        QCOMPARE(sub.size(), 4);
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(sub[j]->text(), QStringList({"Range", "Column", "Row", "All"})[j]);
            QCOMPARE(sub[j]->objectName(), QStringLiteral("%1%2").arg(QStringList({"M1It", "M2It", "U1It", "U2It"})[k]).arg(j + 1));
        }
    }
    const QStringList h{"Edit Heading", "Change Precision", "Select..", "Insert..", "Delete.."};
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(e.PopupHTAction()->actions()[k]->text(), h[k]);
        QCOMPARE(e.PopupHCaptions(k + 1), h[k]);
    }
    // captions: cut to 50, out of range ignored, M and U reach both submenus
    e.SetPopupDCaptions(6, QString(60, QLatin1Char('x')));
    QCOMPARE(e.PopupDCaptions(6).size(), 50);
    e.SetPopupDCaptions(13, "no");
    QCOMPARE(e.PopupDCaptions(13), QString());
    QCOMPARE(e.PopupDCaptions(0), QString());
    e.SetPopupMCaptions(2, "Spalte");
    QCOMPARE(action(e, "M1It2")->text(), QStringLiteral("Spalte"));
    QCOMPARE(action(e, "M2It2")->text(), QStringLiteral("Spalte"));
    QCOMPARE(action(e, "U1It2")->text(), QStringLiteral("Column"));
    e.SetPopupUCaptions(4, "Alle");
    QCOMPARE(action(e, "U1It4")->text(), QStringLiteral("Alle"));
    QCOMPARE(action(e, "U2It4")->text(), QStringLiteral("Alle"));
    QCOMPARE(e.PopupUCaptions(4), QStringLiteral("Alle"));
    e.SetPopupHCaptions(1, "Name");
    QCOMPARE(e.PopupHCaptions(1), QStringLiteral("Name"));
    // masks
    int setup = 0;
    e.OnChangeSetup = [&](TObject*) { ++setup; };
    QCOMPARE(e.PopupDMask(), 0xFFF);
    QCOMPARE(e.PopupHMask(), 0x1F);
    setClipboardText("1");
    e.SetPopupDMask(0xFFF & ~(1 << 6) & ~1);
    QCOMPARE(setup, 1);
    QVERIFY(!action(e, "DIt1")->isEnabled());
    QVERIFY(!action(e, "DIt7")->isEnabled());
    QVERIFY(!action(e, "DIt8")->isEnabled());   // a mask never enables Paste before a copy
    QVERIFY(action(e, "DIt6")->isEnabled() && action(e, "DIt10")->isEnabled());
    e.SetPopupHMask(0x1F & ~2);
    QCOMPARE(setup, 2);
    QVERIFY(!action(e, "HIt2")->isEnabled());
    // the read-only item shows its glyph
    auto glyphOf = [](const char* name) {
        TBitmap b;
        b.LoadFromResourceName(QString::fromLatin1(name));
        return b.Image().convertToFormat(QImage::Format_ARGB32);
    };
    QCOMPARE(glyphOf("CHECKEDBOX").size(), QSize(16, 16));
    QCOMPARE(glyphOf("EMPTYBOX").size(), QSize(16, 16));
    QVERIFY(glyphOf("CHECKEDBOX") != glyphOf("EMPTYBOX"));
    auto shown = [&] { return action(e, "DIt9")->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32); };
    e.PopupDTAction()->aboutToShow();
    QCOMPARE(shown(), glyphOf("EMPTYBOX"));
    action(e, "DIt9")->trigger();
    QVERIFY(e.DataReadOnly());
    QCOMPARE(setup, 3);
    QCOMPARE(shown(), glyphOf("CHECKEDBOX"));
}

// Read-only data: no input path writes into the table.
void TestNTabEdEdit::readOnlyClosesEveryWriter()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetElem(1, 1, 3);
    selectData(e, 1, 1, 2, 2);
    e.CopyToClipboard();
    e.SetDataReadOnly(true);
    e.PopupDTAction()->aboutToShow();
    for (const char* n : {"DIt6", "DIt8", "DIt10", "DIt12"})
        QVERIFY2(!action(e, n)->isEnabled(), n);
    for (const char* n : {"DIt1", "DIt5", "DIt7", "DIt9", "DIt11"})
        QVERIFY2(action(e, n)->isEnabled(), n);
    const QByteArray before = snapshot(e);
    // triggered anyway (an application calling the action), by key and by typing
    for (const char* n : {"DIt6", "DIt8", "DIt10", "DIt12"})
        action(e, n)->trigger();
    setClipboardText("9 9");
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(&e, "77");
    QTest::keyClick(&e, Qt::Key_F2);
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::mouseDClick(e.viewport(), Qt::LeftButton, {}, cellCentre(e, 2, 1));
    QVERIFY(!e.EditorMode());
    e.SetEditText(2, 1, "5");
    QCOMPARE(snapshot(e), before);
    // the heading popup: no insert, no delete
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 2, 0));
    QVERIFY(!action(e, "HIt4")->isEnabled() && !action(e, "HIt5")->isEnabled());
    action(e, "HIt4")->trigger();
    action(e, "HIt5")->trigger();
    QCOMPARE(e.NrOfColumns(), 3);
}

void TestNTabEdEdit::markCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("marksA");   // cells with mark A afterwards (of 12; 2 x 2 selected)
    QTest::addColumn<int>("marksB");
    QTest::newRow("A range") << "M1It1" << 4 + 1 << 1;
    QTest::newRow("A column") << "M1It2" << 8 << 1;
    QTest::newRow("A row") << "M1It3" << 6 + 1 << 1;
    QTest::newRow("A all") << "M1It4" << 12 << 1;
    QTest::newRow("B range") << "M2It1" << 1 << 5;
    QTest::newRow("B all") << "M2It4" << 1 << 12;
    QTest::newRow("unmark A range") << "U1It1" << 1 << 1;
    QTest::newRow("unmark A all") << "U1It4" << 0 << 1;
    QTest::newRow("unmark B column") << "U2It2" << 1 << 1;
    QTest::newRow("unmark B all") << "U2It4" << 1 << 0;
    QTest::newRow("unmark B row") << "U2It3" << 1 << 1;
    QTest::newRow("unmark all") << "DIt5" << 0 << 0;
}

void TestNTabEdEdit::markCommands()
{
    QFETCH(QString, item);
    QFETCH(int, marksA);
    QFETCH(int, marksB);
    CountingEditor e;   // 3 columns x 4 rows
    e.SetElemMarkedA(3, 4, true);
    e.SetElemMarkedB(1, 1, true);
    e.SetCellState(2, 3, Byte(e.CellState(2, 3) | 0x04 | csMarkA));   // bit 2 must survive
    e.UnMarkAllElems();
    e.SetElemMarkedA(3, 4, true);
    e.SetElemMarkedB(1, 1, true);
    e.SetCellState(2, 2, 0x04);
    selectData(e, 2, 2, 3, 3);
    int events = 0;
    e.OnCellStateChanged = [&](TObject*) { ++events; };
    action(e, item.toLatin1())->trigger();
    QCOMPARE(e.NrOfMarkedDataA(), marksA);
    QCOMPARE(e.NrOfMarkedDataB(), marksB);
    QCOMPARE(events, 1);
    QCOMPARE(e.CellState(2, 2) & 0x3F, 0x04);
}

void TestNTabEdEdit::clearToggleSelect()
{
    CountingEditor e;
    e.Fill(7);
    e.SetElemMarkedA(2, 2, true);
    e.SetIsEmpty(3, 3, true);
    selectData(e, 2, 2, 3, 3);
    int paste = 0, change = 0, states = 0, sel = 0;
    e.OnPaste = [&](TObject*) { ++paste; };
    e.OnChange = [&](TObject*) { ++change; };
    e.OnCellStateChanged = [&](TObject*) { ++states; };
    e.OnSelectionChanged = [&](TObject*) { ++sel; };
    action(e, "DIt12")->trigger();
    QVERIFY(e.IsEmpty(2, 2) && !e.IsEmpty(3, 3) && e.ElemMarkedA(2, 2));
    QCOMPARE(states, 1);
    action(e, "DIt6")->trigger();
    for (int c = 2; c <= 3; ++c)
        for (int r = 2; r <= 3; ++r)
            QCOMPARE(std::pair(e.Elem(c, r), int(e.CellState(c, r))), std::pair(0.0, 0));
    QCOMPARE(e.Elem(1, 1), 7.0);
    QCOMPARE(std::tuple(paste, change, states), std::tuple(1, 1, 2));
    action(e, "DIt11")->trigger();
    QCOMPARE(e.Selection(), GridRect(2, 1, 4, 4));
    QCOMPARE(sel, 1);
    // Ctrl+A and Ctrl+C through keys
    selectData(e, 1, 1, 1, 1);
    QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(e.Selection(), GridRect(2, 1, 4, 4));
    QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().count(QStringLiteral("\r\n")), 4);
}

void TestNTabEdEdit::headingCommands()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetAttribColVisible(true);
    int layout = 0, setup = 0, sel = 0;
    e.OnLayoutChanged = [&](TObject*) { ++layout; };
    e.OnChangeSetup = [&](TObject*) { ++setup; };
    e.OnSelectionChanged = [&](TObject*) { ++sel; };
    // precision on the heading of data column 2 (grid column 3): 3 -> 2, 1, 0, -1, 10
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 0));
    QVERIFY(e.PopupHTAction()->isVisible());
    QCOMPARE(action(e, "HIt3")->text(), QStringLiteral("Select Column"));
    // the heading is outlined (inverted) while its popup is open, and only then
    const TRect h = e.CellRect(3, 0);
    const QPoint edge(h.Left, (h.Top + h.Bottom) / 2);
    QCoreApplication::processEvents();
    const QColor outlined = e.viewport()->grab().toImage().pixelColor(edge);
    e.PopupHTAction()->hide();
    QCoreApplication::processEvents();
    const QColor plain = e.viewport()->grab().toImage().pixelColor(edge);
    QCOMPARE(outlined.rgb() & 0xFFFFFF, ~plain.rgb() & 0xFFFFFF);
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 0));
    for (int expect : {2, 1, 0, -1, 10}) {
        action(e, "HIt2")->trigger();
        QCOMPARE(e.Precision(2), expect);
        QVERIFY(e.PopupHTAction()->isVisible());   // open again for the next click
    }
    QCOMPARE(layout, 5);
    action(e, "HIt3")->trigger();
    QCOMPARE(e.Selection(), GridRect(3, 2, 3, 5));
    QCOMPARE(sel, 1);
    action(e, "HIt4")->trigger();
    QCOMPARE(e.NrOfColumns(), 4);
    QCOMPARE(e.ColName(2), QStringLiteral("(...)"));
    QCOMPARE(setup, 1);
    action(e, "HIt5")->trigger();
    QCOMPARE(e.NrOfColumns(), 3);
    QCOMPARE(setup, 2);
    closeMenus();
    // on the attribute cell of row 3 (grid column 1): a row heading
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 1, 4));
    QCOMPARE(action(e, "HIt3")->text(), QStringLiteral("Select Row"));
    QCOMPARE(action(e, "HIt5")->text(), QStringLiteral("Delete Row"));
    QVERIFY(!action(e, "HIt2")->isEnabled());
    action(e, "HIt2")->trigger();
    QCOMPARE(layout, 5);
    action(e, "HIt3")->trigger();
    QCOMPARE(e.Selection(), GridRect(2, 4, 4, 4));
    action(e, "HIt4")->trigger();
    QCOMPARE(e.NrOfRows(), 5);
    QCOMPARE(e.RowName(3), QStringLiteral("(...)"));
    action(e, "HIt5")->trigger();
    action(e, "HIt5")->trigger();
    QCOMPARE(e.NrOfRows(), 3);
}

void TestNTabEdEdit::rightClicksOpenPopups()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    QList<QMenu*> opened;
    e.OnBeforePopup = [&](TObject* sender, TPopupMenu* m) {
        QCOMPARE(sender, &e);
        QVERIFY(!m->isVisible());
        opened << m;
        if (m == e.PopupDTAction())
            action(e, "DIt6")->setEnabled(false);   // the application's say holds
    };
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 2));
    QCOMPARE(opened, QList<QMenu*>{e.PopupDTAction()});
    QVERIFY(e.PopupDTAction()->isVisible());
    QVERIFY(!action(e, "DIt6")->isEnabled());
    // through keys: down to "Select All" and Enter
    QMenu* m = e.PopupDTAction();
    m->setActiveAction(action(e, "DIt11"));
    QTest::keyClick(m, Qt::Key_Return);
    QTRY_VERIFY(!m->isVisible());
    QCOMPARE(e.Selection(), GridRect(2, 1, 4, 4));
    // the corner cell, a heading, and the menu key
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 1, 0));
    QCOMPARE(opened.size(), 1);   // "Attrib" is no heading
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 3));
    QCOMPARE(opened.last(), e.PopupHTAction());
    closeMenus();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), e.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(e.viewport(), &key);
    QCOMPARE(opened.last(), e.PopupDTAction());
    closeMenus();
    // an application menu, or the block, keep the internal ones shut
    QMenu app;
    e.SetPopupMenu(&app);
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 2));
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 0));
    QCOMPARE(opened.size(), 3);
    e.SetPopupMenu(nullptr);
    e.SetBlockInternalPopup(true);
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 3, 2));
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 0));
    QCOMPARE(opened.size(), 3);
    QVERIFY(!e.CommentMemo());
}

// ---- typing ------------------------------------------------------------------------------

void TestNTabEdEdit::typing_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("state");
    // the cell starts at 2.5 with mark A; every keystroke is applied, so a text that stops
    // converting keeps the value of the last one that did
    QTest::newRow("comma") << 1 << "1,5" << 1.5 << 0;
    QTest::newRow("exponent") << 1 << "-2e3" << -2000.0 << 0;
    QTest::newRow("blanks") << 1 << " 4 " << 4.0 << 0;
    QTest::newRow("letters") << 1 << "abc" << 2.5 << 1;
    QTest::newRow("infinity") << 1 << "inf" << 2.5 << 1;
    QTest::newRow("overflow") << 1 << "1e999" << 1e99 << 1;
    QTest::newRow("identifier") << 2 << "Steel" << 3.0 << 0;
    QTest::newRow("ordinal") << 2 << "7" << 7.0 << 0;
    QTest::newRow("no identifier") << 2 << "wood" << 2.5 << 1;
    QTest::newRow("nominal fraction") << 2 << "1.5" << 1.0 << 1;
}

void TestNTabEdEdit::typing()
{
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(double, value);
    QFETCH(int, state);
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetAutoAdvance(false);
    e.Data()->SetMScaleType(2, mstNominal);
    e.Data()->SetNominalID(2, 3, "steel");
    e.SetElem(col, 2, 2.5);
    e.SetElemMarkedA(col, 2, true);
    QList<QString> seen;
    e.OnSetEditText = [&](TObject*, int, int, const QString& v) { seen << v; };
    e.SetCol(col + 1);
    e.SetRow(2);
    e.setFocus();
    QTest::keyClicks(&e, keys.left(1));   // the first character opens the editor
    QVERIFY(e.EditorMode());
    QTest::keyClicks(QApplication::focusWidget(), keys.mid(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!e.EditorMode());
    QCOMPARE(e.Elem(col, 2), value);
    QCOMPARE(int(e.CellState(col, 2)), state);
    QCOMPARE(seen.last().toLower(), keys.toLower());   // the pick list completes "Steel" as "steel"
    QCOMPARE(std::pair(e.Col(), e.Row()), std::pair(col + 1, 2));
}

void TestNTabEdEdit::escapeRestoresCell()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetElem(1, 1, 1.23456789);   // shown with 3 decimals
    e.SetCellState(1, 1, csMarkB | csEmpty);
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_F2);
    QVERIFY(e.EditorMode());
    QTest::keyClicks(QApplication::focusWidget(), "9");
    QCOMPARE(e.Elem(1, 1), 9.0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!e.EditorMode());
    QCOMPARE(e.Elem(1, 1), 1.23456789);
    QCOMPARE(int(e.CellState(1, 1)), int(csMarkB | csEmpty));
    // Escape with no editor goes on to the dialog
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(&e, &esc);
    QVERIFY(!esc.isAccepted());
    // a key that moves on lets typing edit again
    QTest::keyClick(&e, Qt::Key_Down);
    QTest::keyClicks(&e, "4");
    QVERIFY(e.EditorMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // a value the cell shows as asterisks opens as a number
    e.SetElem(1, 3, -1.5e150);
    QTest::keyClick(&e, Qt::Key_F2);
    QCOMPARE(e.InplaceEditText(), QStringLiteral("-1.5000000000000E+0150"));
}

void TestNTabEdEdit::autoAdvanceAndTabs_data()
{
    QTest::addColumn<bool>("advance");
    QTest::addColumn<int>("dir");
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("from");   // grid cell
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("enter down") << true << 0 << int(Qt::Key_Return) << QPoint(2, 1) << QPoint(2, 2) << true;
    QTest::newRow("enter right") << true << 1 << int(Qt::Key_Enter) << QPoint(2, 1) << QPoint(3, 1) << true;
    QTest::newRow("enter, no advance") << false << 0 << int(Qt::Key_Return) << QPoint(2, 1) << QPoint(2, 1) << true;
    QTest::newRow("tab") << true << 0 << int(Qt::Key_Tab) << QPoint(2, 1) << QPoint(3, 1) << true;
    QTest::newRow("tab wraps") << true << 0 << int(Qt::Key_Tab) << QPoint(4, 1) << QPoint(2, 2) << true;
    QTest::newRow("tab at the end leaves") << true << 0 << int(Qt::Key_Tab) << QPoint(4, 4) << QPoint(4, 4) << false;
    QTest::newRow("backtab at the start leaves") << true << 0 << int(Qt::Key_Backtab) << QPoint(2, 1) << QPoint(2, 1) << false;
    QTest::newRow("backtab wraps") << true << 0 << int(Qt::Key_Backtab) << QPoint(2, 2) << QPoint(4, 1) << true;
}

void TestNTabEdEdit::autoAdvanceAndTabs()
{
    QFETCH(bool, advance);
    QFETCH(int, dir);
    QFETCH(int, key);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, accepted);
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetAutoAdvance(advance);
    e.SetAutoAdvanceDir(TOrientation(dir));
    e.MoveColRow(from.x(), from.y(), true, true);
    e.setFocus();
    int selEvents = 0;
    e.OnSelectionChanged = [&](TObject*) { ++selEvents; };
    const QString text = key == Qt::Key_Tab || key == Qt::Key_Backtab ? QStringLiteral("\t") : QStringLiteral("\r");
    QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier, text);
    QApplication::sendEvent(&e, &press);
    QCOMPARE(QPoint(e.Col(), e.Row()), to);
    QCOMPARE(press.isAccepted(), accepted);
    QVERIFY(selEvents >= 1);
    if (!advance)
        QVERIFY(e.EditorMode());   // Enter opens the editor
}

void TestNTabEdEdit::clicksStartEditing()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    const QPoint p = cellCentre(e, 3, 2);
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, p);
    QCOMPARE(QPoint(e.Col(), e.Row()), QPoint(3, 2));
    QVERIFY(!e.EditorMode());       // the first click selects
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, p);
    QVERIFY(e.EditorMode());        // the second one edits
    QTest::keyClicks(QApplication::focusWidget(), "12");
    // a click elsewhere closes the editor before the current cell moves
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, cellCentre(e, 2, 4));
    QVERIFY(!e.EditorMode());
    QCOMPARE(e.Elem(2, 2), 12.0);
    QCOMPARE(e.Elem(1, 4), 0.0);
    // the corner shows the current cell
    QTRY_VERIFY(e.paints > 0);
}

void TestNTabEdEdit::pickList()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    e.Data()->SetMScaleType(1, mstBinary);
    e.Data()->SetNominalID(1, 2, "yes");
    e.Data()->SetNominalID(1, 5, "no");
    e.SetElem(1, 1, 5);
    e.SetNomEditDropDownCount(3);
    e.MoveColRow(2, 1, true, true);
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_F2);
    auto* list = qobject_cast<TInplaceEditList*>(e.InplaceEditor());
    QVERIFY(list);
    QCOMPARE(list->PickList(), QStringList({"yes", "no"}));
    QCOMPARE(list->currentText(), QStringLiteral("no"));
    QCOMPARE(list->DropDownRows(), 3);
    e.SetNomEditDropDownCount(5);
    QCOMPARE(list->DropDownRows(), 5);
    list->setCurrentIndex(0);
    QCOMPARE(e.Elem(1, 1), 2.0);
    // an ordinal without identifier starts as its number
    e.SetElem(1, 2, 9);
    QTest::keyClick(list, Qt::Key_Down);
    QTRY_VERIFY(e.EditorMode() == false);
    QTest::keyClick(&e, Qt::Key_F2);
    QCOMPARE(e.InplaceEditText(), QStringLiteral("9"));
}

// ---- heading box and memo ----------------------------------------------------------------

void TestNTabEdEdit::headingEditBox_data()
{
    QTest::addColumn<QPoint>("cell");      // grid cell (attribute row shown)
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");     // the heading afterwards
    QTest::addColumn<int>("attrib");
    QTest::addColumn<int>("headingEvents");
    QTest::newRow("column name") << QPoint(3, 0) << "Force" << int(Qt::Key_Return) << "Force" << 0 << 1;
    QTest::newRow("long name") << QPoint(3, 0) << QString(60, QLatin1Char('n')) << int(Qt::Key_Return) << QString(50, QLatin1Char('n')) << 0 << 1;
    QTest::newRow("escape") << QPoint(3, 0) << "Force" << int(Qt::Key_Escape) << "C2" << 0 << 0;
    QTest::newRow("column attribute") << QPoint(3, 1) << "17" << int(Qt::Key_Return) << "C2" << 17 << 1;
    QTest::newRow("attribute above 255") << QPoint(3, 1) << "300" << int(Qt::Key_Return) << "C2" << 255 << 1;
    QTest::newRow("attribute below 0") << QPoint(3, 1) << "-4,6" << int(Qt::Key_Return) << "C2" << 0 << 1;
    QTest::newRow("attribute rounded") << QPoint(3, 1) << "7.5" << int(Qt::Key_Return) << "C2" << 8 << 1;
    QTest::newRow("attribute no number") << QPoint(3, 1) << "abc" << int(Qt::Key_Return) << "C2" << 9 << 0;
    QTest::newRow("row name") << QPoint(0, 3) << "R-x" << int(Qt::Key_Return) << "R-x" << 0 << 1;
    QTest::newRow("row attribute") << QPoint(1, 3) << "42" << int(Qt::Key_Return) << "R2" << 42 << 1;
}

void TestNTabEdEdit::headingEditBox()
{
    QFETCH(QPoint, cell);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(int, attrib);
    QFETCH(int, headingEvents);
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetAttribColVisible(true);
    e.SetColName(2, "C2");
    e.SetRowName(2, "R2");
    e.SetColAttrib(2, 9);
    const bool column = cell.y() <= 1;
    int heading = 0;
    e.OnHeadingChanged = [&](TObject*) { ++heading; };
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, cell.x(), cell.y()));
    action(e, "HIt1")->trigger();
    auto* box = qobject_cast<QLineEdit*>(e.HeadingEditBox());
    QVERIFY(box && box->isVisible());
    const TRect r = e.CellRect(cell.x(), cell.y());
    QCOMPARE(box->pos(), QPoint(r.Left + 30, r.Top + 5));
    // while the box is open the grid ignores the mouse
    const QPoint cur(e.Col(), e.Row());
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, cellCentre(e, 4, 4));
    QCOMPARE(QPoint(e.Col(), e.Row()), cur);
    box->selectAll();
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key(key));
    QVERIFY(!e.HeadingEditBox() && !box->isVisible());
    const bool nameCell = column ? cell.y() == 0 : cell.x() == 0;
    if (nameCell)
        QCOMPARE(column ? e.ColName(2) : e.RowName(2), name);
    else
        QCOMPARE(int(column ? e.ColAttrib(2) : e.RowAttrib(2)), attrib);
    QCOMPARE(heading, headingEvents);
}

void TestNTabEdEdit::commentMemo()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    e.SetComment("old");
    int change = 0;
    e.OnChange = [&](TObject*) { ++change; };
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 0));
    auto* memo = qobject_cast<QPlainTextEdit*>(e.CommentMemo());
    QVERIFY(memo && memo->isVisible());
    QCOMPARE(memo->toPlainText(), QStringLiteral("old"));
    QCOMPARE(memo->geometry(), QRect(80, 0, e.Width() - 80 - 20, 80));
    QTRY_VERIFY(e.paints > 0);
    // the corner reads "Comment:" on teal
    const TRect c = e.CellRect(0, 0);
    QTRY_COMPARE(e.viewport()->grab().toImage().pixelColor(c.Left + 1, c.Bottom - 2), QColor(0, 0x80, 0x80));
    memo->selectAll();
    QTest::keyClicks(memo, "new text");
    QTest::keyClick(memo, Qt::Key_Escape);
    QCOMPARE(e.Comment(), QStringLiteral("old"));
    QCOMPARE(change, 0);
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 0));
    memo->selectAll();
    QTest::keyClicks(memo, "new\ttext");
    QTest::keyClick(memo, Qt::Key_Return);
    QVERIFY(!e.CommentMemo());
    QCOMPARE(e.Comment(), QStringLiteral("newtext"));
    QCOMPARE(change, 1);
    // a click on the corner closes it like Escape
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 0));
    QTest::keyClicks(memo, "zzz");
    QTest::mousePress(e.viewport(), Qt::LeftButton, {}, cellCentre(e, 0, 0));
    QVERIFY(!e.CommentMemo());
    QCOMPARE(e.Comment(), QStringLiteral("newtext"));
    e.SetCommentEditingAllowed(false);
    QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, 0, 0));
    QVERIFY(!e.CommentMemo());
}

// Seeded random sequences of clicks, typing, keys and menu commands. After every step the
// grid matches the table, the selection lies in the data cells, and read-only data stayed
// as they were (marks may change: they annotate the data).
void TestNTabEdEdit::randomSequences()
{
    ShownEditor s;
    CountingEditor& e = s.e;
    std::mt19937 rng(1603);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const char* const dataItems[] = {"DIt5", "DIt6", "DIt7", "DIt8", "DIt10", "DIt11", "DIt12", "M1It1", "M2It3", "U1It4"};
    for (int step = 0; step < 1500; ++step) {
        const bool readOnly = e.DataReadOnly();
        const QByteArray before = snapshot(e, 0x3F);
        const int nc = e.NrOfColumns(), nr = e.NrOfRows();
        bool mayChange = !readOnly;
        switch (pick(8)) {
        case 0:
            QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, cellCentre(e, e.ColOffset() + 1 + pick(nc), e.RowOffset() + 1 + pick(nr)));
            break;
        case 1:
            QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : &e, QString::number(pick(100)));
            break;
        case 2: {
            const bool column = pick(2);
            const QPoint cell = column ? QPoint(e.ColOffset() + 1 + pick(nc), 0) : QPoint(0, e.RowOffset() + 1 + pick(nr));
            if (!e.CellRect(cell.x(), cell.y()).IsEmpty()) {
                QTest::mouseClick(e.viewport(), Qt::RightButton, {}, cellCentre(e, cell.x(), cell.y()));
                QAction* a = action(e, QStringLiteral("HIt%1").arg(3 + pick(3)).toLatin1());
                if (a->isEnabled() && (e.NrOfColumns() < 8 || pick(2)) && (e.NrOfRows() < 8 || pick(2)))
                    a->trigger();
            }
            break;
        }
        case 3: {
            e.PopupDTAction()->aboutToShow();
            QAction* a = action(e, dataItems[pick(10)]);
            if (a->isEnabled())
                a->trigger();
            break;
        }
        case 4: {
            QString t;
            for (int k = pick(30); k > 0; --k)
                t += QString::number(pick(1000) - 500) + QLatin1String(pick(4) ? "\t" : "\r\n");
            setClipboardText(t);
            mayChange = true;   // nothing may change, but nothing is asked either
            break;
        }
        case 5:
            e.SetDataReadOnly(pick(4) == 0);
            mayChange = true;
            break;
        default: {
            const int keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F2};
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &e, Qt::Key(keys[pick(7)]));
            break;
        }
        }
        closeMenus();
        QCOMPARE(e.ColCount(), e.NrOfColumns() + e.ColOffset() + 1);
        QCOMPARE(e.RowCount(), e.NrOfRows() + e.RowOffset() + 1);
        const TGridRect sel = e.Selection();
        QVERIFY(sel.Left > e.ColOffset() && sel.Right < e.ColCount() && sel.Top > e.RowOffset() && sel.Bottom < e.RowCount());
        if (e.EditorMode())
            QVERIFY(!e.DataReadOnly() && e.InplaceEditor()->isVisible());
        if (!mayChange)
            QCOMPARE(snapshot(e, 0x3F), before);
    }
}

int runEditTests(int argc, char** argv)
{
    TestNTabEdEdit t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_ntabed_edit.moc"

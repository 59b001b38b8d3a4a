// Tests of FilterAndSort (one table per mode), the HTML export and the line import of the
// report list.
#include "replist/QOR_ReportListView.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

using namespace qor;

namespace {

const char* const kFruit[][3] = {
    {"Apple", "red", "10"},  {"banana", "yellow", "5"}, {"Cherry pie", "red", "7"},
    {"date", "brown", "12"}, {"elder berry", "black", "3"}, {"fig", "purple", "8"},
};

void fillFruit(TReportListView& v)
{
    v.SetNrCols(3);
    v.SetNrRows(6);
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 3; ++c)
            v.SetElem(c, r, QString::fromUtf8(kFruit[r - 1][c - 1]));
}

// Column 1 of the rows shown, in display order.
QStringList shownNames(const TReportListView& v)
{
    QStringList l;
    for (int r = 1; r <= v.NumShownRows(); ++r)
        l << v.Elem(1, r);
    return l;
}

QStringList allNames(const TReportListView& v)
{
    QStringList l;
    for (int r = 1; r <= v.NrOfRows(); ++r)
        l << v.Elem(1, r);
    return l;
}

void addFilterColumns()
{
    QTest::addColumn<QString>("exp");
    QTest::addColumn<QList<int>>("cols");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QStringList>("shown"); // sorted by column 1; empty with result -1 for errors
    QTest::addColumn<int>("result");
}

// Runs the filter sorted by column 1 on a fresh view and checks what is shown, what the
// grid offers and that every row is still there.
void runFilter(TFilterMode mode)
{
    QFETCH(QString, exp);
    QFETCH(QList<int>, cols);
    QFETCH(bool, ignoreCase);
    QFETCH(QStringList, shown);
    QFETCH(int, result);
    TReportListView v;
    fillFruit(v);
    const std::vector<int> fc(cols.begin(), cols.end());
    QCOMPARE(v.FilterAndSort(exp, fc, ignoreCase, mode, 1, true), result);
    QCOMPARE(v.NrOfRows(), 6);
    if (result < 0) {
        QVERIFY(!v.LastFilterError().isEmpty());
        QVERIFY(!v.FilterActive());
        QCOMPARE(allNames(v), QStringList({"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"}));
        return;
    }
    QCOMPARE(shownNames(v), shown);
    QCOMPARE(v.RowCount(), v.CountHeadRows() + std::max(1, result));
    for (int r = 1; r <= 6; ++r)
        QCOMPARE(v.RowShown(r), r <= result);
    QStringList all = allNames(v);
    all.sort(Qt::CaseInsensitive);
    QCOMPARE(all, QStringList({"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"}));
}

} // namespace

class TestRepListDataTools : public QObject {
    Q_OBJECT

private slots:
    void simpleFilter_data();
    void simpleFilter() { runFilter(fmSimple); }
    void booleanFilter_data();
    void booleanFilter() { runFilter(fmBoolean); }
    void grepFilter_data();
    void grepFilter() { runFilter(fmGrep); }
    void badFilterKeepsPreviousOne();
    void unfilterRestoresOrderAndKeepsWork();
    void beforeFilterHook_data();
    void beforeFilterHook();
    void filterClosesEditorAndShowsOnlyMatches();
    void rowsAddedLiftTheFilter();
    void htmlEscaping_data();
    void htmlEscaping();
    void htmlLayout();
    void htmlUnwritableKeepsOldFile();
    void loadLines_data();
    void loadLines();
    void loadLinesRefused();
};

void TestRepListDataTools::simpleFilter_data()
{
    addFilterColumns();
    QTest::newRow("column 2") << "red" << QList<int>{2} << false << QStringList{"Apple", "Cherry pie"} << 2;
    QTest::newRow("case counts") << "RED" << QList<int>{2} << false << QStringList{} << 0;
    QTest::newRow("case ignored") << "RED" << QList<int>{2} << true << QStringList{"Apple", "Cherry pie"} << 2;
    QTest::newRow("any column") << "an" << QList<int>{} << false << QStringList{"banana"} << 1;
    QTest::newRow("numbers column") << "1" << QList<int>{3} << false << QStringList{"Apple", "date"} << 2;
    QTest::newRow("other column") << "1" << QList<int>{1} << false << QStringList{} << 0;
    QTest::newRow("blank is a text") << " " << QList<int>{} << false << QStringList{"Cherry pie", "elder berry"} << 2;
    QTest::newRow("bad columns ignored") << "ig" << QList<int>{0, 9, -1} << false << QStringList{"fig"} << 1;
    QTest::newRow("not across cells") << "red10" << QList<int>{} << false << QStringList{} << 0;
    QTest::newRow("empty shows all") << "" << QList<int>{2} << false
                                     << QStringList{"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"} << 6;
}

void TestRepListDataTools::booleanFilter_data()
{
    addFilterColumns();
    QTest::newRow("and") << "red AND pie" << QList<int>{} << false << QStringList{"Cherry pie"} << 1;
    QTest::newRow("implicit and") << "red pie" << QList<int>{} << false << QStringList{"Cherry pie"} << 1;
    QTest::newRow("or") << "red OR black" << QList<int>{} << false << QStringList{"Apple", "Cherry pie", "elder berry"} << 3;
    QTest::newRow("not") << "NOT red" << QList<int>{} << false << QStringList{"banana", "date", "elder berry", "fig"} << 4;
    QTest::newRow("lower keywords") << "not red and not yellow" << QList<int>{} << false
                                    << QStringList{"date", "elder berry", "fig"} << 3;
    QTest::newRow("parentheses") << "(red OR brown) AND NOT apple" << QList<int>{} << true
                                 << QStringList{"Cherry pie", "date"} << 2;
    QTest::newRow("precedence") << "black OR red AND pie" << QList<int>{} << false
                                << QStringList{"Cherry pie", "elder berry"} << 2;
    QTest::newRow("phrase") << "\"elder berry\"" << QList<int>{} << false << QStringList{"elder berry"} << 1;
    QTest::newRow("quoted keyword") << "\"or\"" << QList<int>{} << false << QStringList{} << 0;
    QTest::newRow("columns") << "red" << QList<int>{1} << false << QStringList{} << 0;
    QTest::newRow("double not") << "NOT NOT fig" << QList<int>{} << false << QStringList{"fig"} << 1;
    QTest::newRow("dangling and") << "red AND" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("leading or") << "OR red" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("open paren") << "(red" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("close paren") << "red)" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("empty parens") << "()" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("lone not") << "NOT" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("unclosed quote") << "\"red" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("empty phrase") << "red \"\"" << QList<int>{} << false << QStringList{} << -1;
}

void TestRepListDataTools::grepFilter_data()
{
    addFilterColumns();
    QTest::newRow("anchored") << "^[a-c]" << QList<int>{1} << false << QStringList{"banana"} << 1;
    QTest::newRow("anchored, case") << "^[a-c]" << QList<int>{1} << true << QStringList{"Apple", "banana", "Cherry pie"} << 3;
    QTest::newRow("end") << "e$" << QList<int>{1} << false << QStringList{"Apple", "Cherry pie", "date"} << 3;
    QTest::newRow("one digit") << "^\\d$" << QList<int>{3} << false << QStringList{"banana", "Cherry pie", "elder berry", "fig"} << 4;
    QTest::newRow("any column") << "r.d" << QList<int>{} << false << QStringList{"Apple", "Cherry pie"} << 2;
    QTest::newRow("not across cells") << "red\\n10" << QList<int>{} << false << QStringList{} << 0;
    QTest::newRow("not across, dotall") << "(?s)red.10" << QList<int>{} << false << QStringList{} << 0;
    QTest::newRow("inline option") << "(?i)APPLE" << QList<int>{} << false << QStringList{"Apple"} << 1;
    QTest::newRow("subject start") << "\\Abl" << QList<int>{} << false << QStringList{"elder berry"} << 1;
    QTest::newRow("lookbehind at start") << "(?<!\\s)b" << QList<int>{1} << false << QStringList{"banana"} << 1;
    // A newline verb must not hide cells after the first: only CR would end a line.
    QTest::newRow("CR verb, cell start") << "(*CR)^b" << QList<int>{} << false
                                         << QStringList{"banana", "date", "elder berry"} << 3;
    QTest::newRow("CR verb, whole cell") << "(*CR)^[0-9]+$" << QList<int>{} << false
                                         << QStringList{"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"} << 6;
    QTest::newRow("open group") << "(" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("open class") << "[a-" << QList<int>{} << false << QStringList{} << -1;
    QTest::newRow("nothing to repeat") << "*x" << QList<int>{} << false << QStringList{} << -1;
}

void TestRepListDataTools::badFilterKeepsPreviousOne()
{
    TReportListView v;
    fillFruit(v);
    QCOMPARE(v.FilterAndSort(QStringLiteral("red"), {}, false, fmSimple, -1, true), 2);
    QCOMPARE(v.FilterAndSort(QStringLiteral("(x"), {}, false, fmBoolean, 1, false), -1);
    QVERIFY(v.LastFilterError().contains(QLatin1String("position")));
    QVERIFY(v.FilterActive());
    QCOMPARE(shownNames(v), QStringList({"Apple", "Cherry pie"}));
    QCOMPARE(v.FilterAndSort(QStringLiteral("[z"), {}, false, fmGrep, 1, false), -1);
    QCOMPARE(shownNames(v), QStringList({"Apple", "Cherry pie"}));
    // A pattern that runs into the match limit on a cell cannot decide its row: refused too,
    // rather than the row hidden as if it did not match.
    v.SetElem(3, 6, QString(250, QLatin1Char('a')) + QLatin1Char('!'));
    const QStringList order = allNames(v);
    QCOMPARE(v.FilterAndSort(QStringLiteral("(a+)+$"), {}, false, fmGrep, 1, false), -1);
    QVERIFY(v.LastFilterError().contains(QLatin1String("match limit")));
    QVERIFY(v.FilterActive());
    QCOMPARE(allNames(v), order);
    // Another cell that matches decides the row.
    v.SetElem(1, 6, QStringLiteral("fig!"));
    QCOMPARE(v.FilterAndSort(QStringLiteral("(a+)+$|!"), {1, 3}, false, fmGrep, 1, true), 2);
    QCOMPARE(shownNames(v), QStringList({"banana", "fig!"}));
}

void TestRepListDataTools::unfilterRestoresOrderAndKeepsWork()
{
    TReportListView v;
    fillFruit(v);
    v.SetColCheckMode(2, cmBox);
    QCOMPARE(v.FilterAndSort(QStringLiteral("e"), {1}, false, fmSimple, -1, true), 4);
    QCOMPARE(shownNames(v), QStringList({"Apple", "Cherry pie", "date", "elder berry"}));
    // Hidden rows are still rows: check marks, sorting and saving reach them.
    QCOMPARE(v.Elem(1, 5), QStringLiteral("banana"));
    v.SetElemChecked(2, 5, true);
    v.Sort(3, -1, true); // by number: shown rows stay first
    QCOMPARE(shownNames(v), QStringList({"elder berry", "Cherry pie", "Apple", "date"}));
    QCOMPARE(allNames(v).mid(4), QStringList({"banana", "fig"}));
    TRLData copy;
    QVERIFY(copy.ReadFromXMLString(v.XMLText(true, QStringLiteral("t")), QStringLiteral("t")));
    QCOMPARE(copy.NrOfRows(), 6);
    int checked = 0;
    for (int r = 1; r <= 6; ++r)
        if (copy.GetElem(1, r) == QLatin1String("banana"))
            checked += copy.GetElemChecked(2, r) ? 1 : 0;
    QCOMPARE(checked, 1);
    v.UnSort();
    QCOMPARE(shownNames(v), QStringList({"Apple", "Cherry pie", "date", "elder berry"}));
    // An empty filter shows every row again, in the order of the rows.
    QCOMPARE(v.FilterAndSort(QString(), {}, false, fmSimple, -1, true), 6);
    QVERIFY(!v.FilterActive());
    QCOMPARE(allNames(v), QStringList({"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"}));
    QCOMPARE(v.RowCount(), v.CountHeadRows() + 6);
    for (int r = 1; r <= 6; ++r)
        QCOMPARE(int(v.Data()->Strings()->GetRowAttrib(r) & RowAttrFiltered), 0);
    // Sorted filtering sorts the shown rows into their places; hidden rows keep theirs.
    QCOMPARE(v.FilterAndSort(QStringLiteral("e"), {1}, false, fmSimple, 3, true), 4);
    QCOMPARE(shownNames(v), QStringList({"elder berry", "Cherry pie", "Apple", "date"}));
    QCOMPARE(v.LastSortColumn(), 3);
    QCOMPARE(v.FilterAndSort(QString(), {}, false, fmSimple, -1, true), 6);
    QCOMPARE(allNames(v), QStringList({"elder berry", "banana", "Cherry pie", "Apple", "date", "fig"}));
}

void TestRepListDataTools::beforeFilterHook_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QStringList>("shown");
    // The hook's Found is true on even display rows.
    // The view's own match: "red" in column 2 gives rows 1 and 3 (Apple, Cherry pie).
    QTest::newRow("and") << int(loAND) << QStringList{};
    QTest::newRow("or") << int(loOR) << QStringList{"Apple", "banana", "Cherry pie", "date", "fig"};
    QTest::newRow("xor") << int(loXOR) << QStringList{"Apple", "banana", "Cherry pie", "date", "fig"};
    QTest::newRow("and not") << int(loANDNOT) << QStringList{"Apple", "Cherry pie"};
    QTest::newRow("or not") << int(loORNOT) << QStringList{"Apple", "Cherry pie", "elder berry"};
    QTest::newRow("xor not") << int(loXORNOT) << QStringList{"elder berry"};
}

void TestRepListDataTools::beforeFilterHook()
{
    QFETCH(int, op);
    TReportListView v;
    fillFruit(v);
    QList<int> rows;
    v.OnBeforeFilter = [&](TObject* sender, int row, bool& found, TLogicOp& combine) {
        QCOMPARE(sender, &v);
        QVERIFY(found);
        QCOMPARE(combine, loAND);
        rows << row;
        found = row % 2 == 0;
        combine = TLogicOp(op);
    };
    const int n = v.FilterAndSort(QStringLiteral("red"), {2}, false, fmSimple, -1, true);
    QCOMPARE(rows, QList<int>({1, 2, 3, 4, 5, 6}));
    QFETCH(QStringList, shown);
    QCOMPARE(n, int(shown.size()));
    QCOMPARE(shownNames(v), shown);
}

void TestRepListDataTools::filterClosesEditorAndShowsOnlyMatches()
{
    TReportListView v;
    v.SetBorderStyle(bsNone);
    v.SetScrollBars(ssNone);
    v.resize(300, 200);
    fillFruit(v);
    v.SetColumnEditable(1, true);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    v.SetOptions(v.Options() - goRowSelect);
    const TRect c = v.CellRect(0, v.FixedRows() + 1);
    QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(c.Left + 20, c.Top + 5));
    QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(c.Left + 20, c.Top + 5));
    QVERIFY(v.EditorMode());
    QCOMPARE(v.InplaceEditText(), QStringLiteral("banana"));
    QCOMPARE(v.FilterAndSort(QStringLiteral("zzz"), {}, false, fmSimple, -1, true), 0);
    QVERIFY(!v.EditorMode());
    // Typing now reaches no row: nothing is shown.
    QTest::keyClicks(v.viewport(), QStringLiteral("x"));
    if (v.InplaceEditor() && v.InplaceEditor()->isVisible())
        QTest::keyClicks(v.InplaceEditor(), QStringLiteral("y"));
    QCOMPARE(allNames(v), QStringList({"Apple", "banana", "Cherry pie", "date", "elder berry", "fig"}));
    v.SetEmptyMessage(QStringLiteral("nothing"));
    QCOMPARE(v.RowCount(), v.CountHeadRows() + 1);
    QCOMPARE(v.GetEditText(0, v.FixedRows()), QString());
    // What the window shows after the event loop ran: the blank line, not the hidden Apple.
    QCoreApplication::processEvents();
    const QImage shot = v.grab().toImage();
    const TRect cell = v.CellRect(0, v.FixedRows());
    bool textPixels = false;
    for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
        for (int x = cell.Left + 4; x < cell.Left + 40; ++x)
            textPixels = textPixels || qGray(shot.pixel(x, y)) < 128;
    QVERIFY(!textPixels);
}

void TestRepListDataTools::rowsAddedLiftTheFilter()
{
    TReportListView v;
    fillFruit(v);
    QCOMPARE(v.FilterAndSort(QStringLiteral("red"), {2}, false, fmSimple, -1, true), 2);
    const int r = v.AddRow();
    v.SetElem(1, r, QStringLiteral("new"));
    QVERIFY(!v.FilterActive());
    QCOMPARE(v.NumShownRows(), 7);
    QCOMPARE(v.RowCount(), v.CountHeadRows() + 7);
    QCOMPARE(v.Elem(1, 7), QStringLiteral("new"));
}

void TestRepListDataTools::htmlEscaping_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");
    QTest::newRow("script") << "<script>alert(1)</script>" << "&lt;script&gt;alert(1)&lt;/script&gt;";
    QTest::newRow("ampersand") << "a & b" << "a &amp; b";
    QTest::newRow("quotes") << "say \"hi\"" << "say &quot;hi&quot;";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Grüße € 日本") << QString::fromUtf8("Grüße € 日本");
    QTest::newRow("hook text escaped") << "<b>" << "&lt;b&gt;";
}

void TestRepListDataTools::htmlEscaping()
{
    QFETCH(QString, cell);
    QFETCH(QString, written);
    TReportListView v;
    v.SetNrCols(1);
    v.SetNrRows(1);
    v.SetElem(1, 1, cell);
    v.SetColName(1, QStringLiteral("<h>"));
    QList<int> at;
    v.OnBeforeHTMLExport = [&](TObject*, QString& text, int col, int row) {
        at << col << row;
        QCOMPARE(text, cell);
    };
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("t.html"));
    v.ExportHTMLTable(name, 1, 1, 1, 1, {}, 1, 2, 3, true, QString(), QString(), QString());
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QCOMPARE(at, QList<int>({1, 1}));
    QVERIFY2(html.contains(QStringLiteral("<td>") + written + QStringLiteral("</td>")), qPrintable(html));
    QVERIFY(html.contains(QLatin1String("<th>&lt;h&gt;</th>")));
    QVERIFY(!html.contains(cell) || cell == written);
}

void TestRepListDataTools::htmlLayout()
{
    TRLData d;
    d.SetNrCols(4);
    d.SetNrRows(5);
    d.SetCommonHeader(QStringLiteral("Fruit & more"));
    for (int c = 1; c <= 4; ++c) {
        d.SetColName(c, QStringLiteral("H%1").arg(c));
        for (int r = 1; r <= 5; ++r)
            d.SetElem(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    }
    d.SetColCheckMode(2, cmBox);
    d.SetElemChecked(2, 3, true);
    d.OnBeforeHTMLExport = [](TObject*, QString& text, int, int row) {
        if (row == 4)
            text = QStringLiteral("<four>");
    };
    const QString html = d.HTMLTable(2, 3, 9, 4, {4, 2, 7}, 2, 3, 4, true, QStringLiteral("hd"),
                                     QStringLiteral("cl\"x"), QStringLiteral("tb"));
    QVERIFY(html.startsWith(QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QLatin1String("<title>Fruit &amp; more</title>")));
    QVERIFY(html.contains(QLatin1String("border-spacing: 3px; border: 2px outset;")));
    QVERIFY(html.contains(QLatin1String("th, td { padding: 4px; border: 1px inset; }")));
    QVERIFY(html.contains(QLatin1String("<table class=\"tb\">")));
    QVERIFY(html.contains(QLatin1String("<tr><th class=\"hd\">H2</th><th class=\"hd\">H4</th></tr>")));
    QVERIFY(html.contains(QLatin1String("<tr><td class=\"cl&quot;x\">c2r3</td><td class=\"cl&quot;x\">c4r3</td></tr>")));
    QVERIFY(html.contains(QLatin1String("<td class=\"cl&quot;x\">&lt;four&gt;</td>")));
    QCOMPARE(html.count(QLatin1String("<tr>")), 3);
    QVERIFY(!html.contains(QLatin1String("c1r")) && !html.contains(QLatin1String("c3r")) && !html.contains(QLatin1String("r5")));
    QVERIFY(html.endsWith(QLatin1String("</tbody>\n</table>\n</body>\n</html>\n")));
    const QString noHead = d.HTMLTable(1, 1, 1, 1, {}, 0, 0, 0, false, QString(), QString(), QString());
    QVERIFY(!noHead.contains(QLatin1String("<th")));
    QVERIFY(noHead.contains(QLatin1String("border: 0px inset")));
}

void TestRepListDataTools::htmlUnwritableKeepsOldFile()
{
    TRLData d;
    d.setObjectName(QStringLiteral("store"));
    d.SetNrRows(1);
    d.SetElem(1, 1, QStringLiteral("new"));
    QTemporaryDir dir;
    // A directory in the way of the file, and a folder that does not exist.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const QString& name : {dir.filePath(QStringLiteral("sub")), dir.filePath(QStringLiteral("none/t.html"))}) {
        try {
            d.ExportHTMLTable(name, 1, 1, 1, 1, {}, 0, 0, 0, false, QString(), QString(), QString());
            QFAIL("no exception");
        } catch (const EQORRLDataError& e) {
            QVERIFY(e.Message().startsWith(QLatin1String("Component \"store\": ")));
        }
    }
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    // A read-only folder keeps the old file as it was (root writes anywhere: nothing to test).
    const QString old = dir.filePath(QStringLiteral("ro/old.html"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ro")));
    QFile f(old);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(dir.filePath(QStringLiteral("ro/probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("the folder stays writable for this user");
    }
    QVERIFY_THROWS_EXCEPTION(EQORRLDataError, d.ExportHTMLTable(old, 1, 1, 1, 1, {}, 0, 0, 0, false, QString(), QString(), QString()));
    QFile back(old);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), QByteArray("old"));
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestRepListDataTools::loadLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("LF") << QByteArray("a\nb\nc") << 1 << QStringList{"a", "b", "c"};
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\n") << 1 << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\rc\r") << 2 << QStringList{"a", "b", "c"};
    QTest::newRow("mixed ends") << QByteArray("a\r\n\nb\rc") << 1 << QStringList{"a", "", "b", "c"};
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBFx\ny") << 1 << QStringList{"x", "y"};
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9\n\xE2\x82\xAC") << 3 << QStringList{QString::fromUtf8("café"), QString::fromUtf8("€")};
    QTest::newRow("Latin-1") << QByteArray("caf\xE9\n") << 1 << QStringList{QString::fromUtf8("café")};
    QTest::newRow("mixed bytes") << QByteArray("\xC3\xA9\xE9\xC3") << 1 << QStringList{QString::fromUtf8("ééÃ")};
    QTest::newRow("overlong is Latin-1") << QByteArray("\xC0\xAF") << 1 << QStringList{QString::fromUtf8("À¯")};
    QTest::newRow("astral") << QByteArray("\xF0\x9F\x98\x80") << 1 << QStringList{QString::fromUtf8("😀")};
    QTest::newRow("empty file") << QByteArray() << 1 << QStringList{};
    QTest::newRow("one empty line") << QByteArray("\n") << 1 << QStringList{""};
    QTest::newRow("long line cut") << QByteArray(300, 'x') << 1 << QStringList{QString(255, QLatin1Char('x'))};
}

void TestRepListDataTools::loadLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, firstRow);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("lines.txt"));
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(2);
    v.SetColCheckMode(2, cmBox);
    v.SetElem(2, 1, QStringLiteral("keep"));
    v.SetElemChecked(2, 1, true);
    QCOMPARE(v.LoadLinesFromFile(2, firstRow, name), int(lines.size()));
    QCOMPARE(v.NrOfRows(), std::max(2, firstRow + int(lines.size()) - 1));
    QCOMPARE(v.RowCount(), v.CountHeadRows() + v.NrOfRows());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(v.Elem(2, firstRow + i), lines.at(i).left(254)); // a check column keeps its prefix
    if (firstRow > 1)
        QCOMPARE(v.Elem(2, 1), QStringLiteral("keep"));
    QVERIFY(v.ElemChecked(2, 1));
}

void TestRepListDataTools::loadLinesRefused()
{
    TRLData d;
    d.SetNrCols(2);
    d.SetNrRows(1);
    d.SetElem(1, 1, QStringLiteral("x"));
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("g.txt"));
    QFile f(good);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a\nb\n");
    f.close();
    QCOMPARE(d.LoadLinesFromFile(1, 1, dir.filePath(QStringLiteral("missing.txt"))), -1);
    QCOMPARE(d.LoadLinesFromFile(1, 1, dir.path()), -1); // a folder is no text file
    QCOMPARE(d.LoadLinesFromFile(3, 1, good), -1);
    QCOMPARE(d.LoadLinesFromFile(1, 0, good), -1);
    // Rows beyond the store's limit, or beyond the int range, are refused before anything changes.
    for (const int first : {MaxRLDataRows, MaxRLDataRows + 1, INT_MAX - 1, INT_MAX})
        QCOMPARE(d.LoadLinesFromFile(1, first, good), -1);
    QCOMPARE(d.NrOfRows(), 1);
    QCOMPARE(d.GetElem(1, 1), QStringLiteral("x"));
    QCOMPARE(d.LoadLinesFromFile(0, 1, good), 2); // the hidden column takes lines too
    QCOMPARE(d.GetElem(0, 2), QStringLiteral("b"));
}

QObject* createDataToolTests() { return new TestRepListDataTools; }

#include "tst_replisttools_data.moc"

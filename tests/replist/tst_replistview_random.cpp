// A seeded random sequence of row, order, size, copy, XML and editing operations on a shown
// view; after every step the view must show the store and a save must load back equal.
// QOR_SEED=<n> in the environment replays another sequence.
#include "replist/QOR_ReportListView.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QtTest>
#include <map>

#include "tst_replistview_util.h"

using namespace qor;

namespace {

// Everything the XML form carries (the identifier is the writer's argument, so it is left out).
QString contents(const TRLData& d)
{
    QString s;
    QTextStream out(&s);
    out << d.NrOfColumns() << "x" << d.NrOfRows() << " [" << d.CommonHeader() << "][" << d.Comment() << "] sort "
        << d.LastSortColumn() << " " << d.SecondarySortColumn() << " " << d.LastSortOrder() << d.SortToggle() << "\n";
    const TStringArray* a = d.Strings();
    for (int c = 1; c <= d.NrOfColumns(); ++c)
        out << "[" << d.GetColName(c) << "][" << d.GetColumnFormat(c) << "]" << int(d.GetColCheckMode(c)) << "/"
            << int(a->GetColAttrib(c)) << "\n";
    for (int r = 1; r <= d.NrOfRows(); ++r) {
        out << a->GetSortOrder(r) << "/" << int(a->GetRowAttrib(r)) << ":";
        for (int c = 0; c <= d.NrOfColumns(); ++c)
            out << "[" << a->GetString(c, r) << "]";
        out << "\n";
    }
    return s;
}

const QStringList kTexts{"", "a", "B", "10", "9", "X9", " x", "-3.5", "<&>", "x\r\ny", QString::fromUtf8("\xc3\xa4\xf0\x9f\x98\x80"), "zz top"};

} // namespace

class TestRepListSequence : public QObject {
    Q_OBJECT

private slots:
    void randomSequence();
};

void TestRepListSequence::randomSequence()
{
    const quint32 seed = qEnvironmentVariableIsSet("QOR_SEED") ? quint32(qEnvironmentVariableIntValue("QOR_SEED")) : 20261208u;
    QRandomGenerator rng(seed);
    auto pick = [&](int lo, int hi) { return hi < lo ? lo : lo + int(rng.bounded(quint32(hi - lo + 1))); };
    auto text = [&] { return kTexts[pick(0, int(kTexts.size()) - 1)]; };

    ShownView s;
    TReportListView& v = *s.v;
    v.resize(260, 130); // a few rows and columns in sight keep each step's paint short
    TReportListView other;
    v.SetOptions(v.Options() - goRowSelect);
    std::map<std::pair<int, int>, QString> drawn;
    v.OnBeforeRenderCell = [&](TObject*, int c, int r, TColor&, TColor&, TColor&, TFontStyles&, QString& t) {
        drawn[{c, r}] = t;
    };
    other.OnBeforeRenderCell = v.OnBeforeRenderCell; // Assign copies the handlers
    int step = 0;
    int editedRow = 0; // stored position of the row the editor was opened on
    QString op;
    auto fail = [&](const char* what) {
        return QStringLiteral("seed %1 step %2 after %3: %4").arg(seed).arg(step).arg(op, QLatin1String(what)).toUtf8();
    };

    for (step = 1; step <= 2500; ++step) {
        const int cols = v.NrOfColumns();
        const int rows = v.NrOfRows();
        switch (pick(0, 13)) {
        case 0: op = "InsertRow"; v.InsertRow(pick(0, rows + 2)); break;
        case 1: op = "RemoveRow"; v.RemoveRow(pick(0, rows + 1)); break;
        case 2: op = "Sort"; v.Sort(pick(-1, cols + 1), pick(-2, cols + 1), rng.bounded(2) == 0); break;
        case 3: op = "UnSort"; v.UnSort(); break;
        case 4: op = "NrOfRows"; v.SetNrRows(pick(0, 9)); break;
        case 5: op = "NrOfColumns"; v.SetNrCols(pick(1, 5)); break;
        case 6:
            op = "Assign";
            if (rng.bounded(2) == 0) {
                other.Data()->Assign(v.Data());
                other.Sort(pick(0, cols), -1, rng.bounded(2) == 0);
            } else {
                v.Assign(&other);
            }
            break;
        case 7: {
            op = "save and load";
            const QString xml = v.XMLText(rng.bounded(2) == 0, "seq");
            QVERIFY2(v.ReadFromXMLString(xml, "seq"), fail("load refused"));
            break;
        }
        case 8:
        {
            op = "SetElem";
            v.HideEditor(); // the application writing under an open editor is not what this checks
            const int c = pick(0, cols);
            for (int r = 1; r <= rows; ++r) // a whole column, so that sorts move rows
                v.SetElem(c, r, text());
            break;
        }
        case 9:
            op = "check marks";
            v.SetColCheckMode(pick(1, cols), TCheckMode(pick(0, 2)));
            v.SetElemChecked(pick(1, cols), pick(1, rows), rng.bounded(2) == 0);
            break;
        case 10: {
            op = "in-place edit";
            const int c = pick(1, cols);
            v.SetColumnEditable(c, true);
            if (rows > 0) {
                v.SetCol(c - 1);
                v.SetRow(pick(1, rows) + v.CountHeadRows() - 1);
                QTest::keyClick(&v, Qt::Key_F2);
                editedRow = v.Data()->Strings()->GetSortOrder(v.Row() - v.CountHeadRows() + 1);
                if (v.EditorMode())
                    QTest::keyClicks(v.InplaceEditor(), QString(QChar(u'a' + pick(0, 25))) + QChar(u'0' + pick(0, 9)));
            }
            break;
        }
        case 11:
            op = "row states";
            v.SetRowEnabled(pick(1, rows), rng.bounded(3) != 0);
            v.SetRowSelected(pick(1, rows), rng.bounded(2) == 0);
            v.SetColumnSelected(pick(1, cols), rng.bounded(2) == 0);
            break;
        case 12:
            op = "SetSortOrder";
            v.HideEditor();
            v.Data()->Strings()->SetSortOrder(pick(1, rows), pick(1, rows));
            break;
        case 13: {
            op = "header click";
            const TRect h = v.CellRect(pick(0, cols - 1), 0);
            if (!h.IsEmpty())
                v.MouseDown(mbLeft, TShiftState(), (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
            break;
        }
        }

        // the grid matches the store
        const TRLData& d = *v.Data();
        QVERIFY2(v.ColCount() == d.NrOfColumns(), fail("column count"));
        QVERIFY2(v.RowCount() == v.CountHeadRows() + std::max(1, d.NrOfRows()), fail("row count"));
        QVERIFY2(v.FixedRows() == v.CountHeadRows(), fail("fixed rows"));
        // every drawn cell shows its stored text
        drawn.clear();
        v.Paint();
        for (const auto& [cell, t] : drawn)
            if (cell.second >= 1 && cell.second <= d.NrOfRows())
                QVERIFY2(t == d.Strings()->GetString(cell.first, cell.second), fail("drawn text"));
        QVERIFY2(d.NrOfRows() == 0 || !drawn.empty(), fail("nothing drawn"));
        // an open editor still stands over the row and cell it edits
        if (v.EditorMode()) {
            QVERIFY2(d.Strings()->GetSortOrder(v.Row() - v.CountHeadRows() + 1) == editedRow, fail("editor over another row"));
            QVERIFY2(v.InplaceEditText() == v.GetEditText(v.Col(), v.Row()), fail("editor over another cell"));
        }
        // a save loads back equal
        TRLData back;
        QVERIFY2(back.ReadFromXMLString(d.XMLText(false, "q"), "q"), fail("save not loadable"));
        QVERIFY2(contents(back) == contents(d), fail("save loads back different"));
    }
}

QObject* createSequenceTests() { return new TestRepListSequence; }

#include "tst_replistview_random.moc"

// Tests of the report list's row editor (driven from a timer inside its modal loop) and of
// the date/time format language of its date fields.
#include "replist/QOR_ReportListView.h"
#include "replist/RLRowEditor_p.h"
#include "numio/QOR_NumIO.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qor;

namespace {

// Runs Act inside the modal loop Start opens, on the active modal dialog; whatever Act
// does, the dialog is ended (with 99) if it is still open afterwards, so a test never hangs.
int inModal(const std::function<int()>& start, const std::function<void(QDialog*)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        act(d);
        if (d->isVisible())
            d->done(99);
    });
    return start();
}

template <class T> T* field(QDialog* d, const QString& name) { return d->findChild<T*>(name); }

QStringList itemsOf(QComboBox* b)
{
    QStringList l;
    for (int i = 0; i < b->count(); ++i)
        l << b->itemText(i);
    return l;
}

int editorObjectsIn(QObject* root)
{
    int n = 0;
    for (QObject* o : root->findChildren<QObject*>())
        n += o->objectName().contains(QLatin1String("runtime_rlre_")) ? 1 : 0;
    return n;
}

} // namespace

class TestRowEditor : public QObject {
    Q_OBJECT

private slots:
    void splitFormat_data();
    void splitFormat();
    void rowIndexDefault_data();
    void rowIndexDefault();
    void parseDateTime_data();
    void parseDateTime();
    void qtDisplayFormat_data();
    void qtDisplayFormat();
    void createdFormLayout();
    void endings_data();
    void endings();
    void dropDownCountAndEditableList();
    void dateFieldReadAndWritten();
    void impossibleDateKeepsCell_data();
    void impossibleDateKeepsCell();
    void givenForm();
    void inplaceEditorClosedFirst();
};

void TestRowEditor::splitFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("rest");
    QTest::newRow("text") << "[s]" << "s" << false << 200 << "";
    QTest::newRow("list") << "[l][120]a|b|c" << "l" << false << 120 << "a|b|c";
    QTest::newRow("read-only") << "[#i][60]rix3" << "i" << true << 60 << "rix3";
    QTest::newRow("no type") << "plain" << "s" << false << 200 << "plain";
    QTest::newRow("count") << "[c:3]x|y|z|w" << "c:3" << false << 200 << "x|y|z|w";
    QTest::newRow("date") << "[ddd.MM.yyyy]" << "ddd.MM.yyyy" << false << 200 << "";
    QTest::newRow("zero width") << "[i][0]5" << "i" << false << 200 << "5";
    QTest::newRow("bracket late") << "x][s]y" << "s" << false << 200 << "y";
    QTest::newRow("width no open") << "[e]80]7" << "e" << false << 80 << "7";
}

void TestRowEditor::splitFormat()
{
    QFETCH(QString, format);
    const TRowEditField f = SplitEditFormat(format);
    QTEST(f.TypeText, "type");
    QTEST(f.ReadOnly, "readOnly");
    QTEST(f.Width, "width");
    QTEST(f.Remainder, "rest");
}

void TestRowEditor::rowIndexDefault_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<QString>("expected");
    QTest::newRow("i3") << "i" << 5 << "rix3" << "005";
    QTest::newRow("i cut") << "i" << 1234 << "rix2" << "34";
    QTest::newRow("h2") << "h" << 255 << "rix2" << "FF";
    QTest::newRow("h2 wraps") << "h" << 256 << "rix2" << "00";
    QTest::newRow("f2") << "f" << 7 << "rix2" << "7.00";
    QTest::newRow("e0") << "e" << 7 << "rix" << "7";
}

void TestRowEditor::rowIndexDefault()
{
    QFETCH(QString, letter);
    QFETCH(int, row);
    QFETCH(QString, rest);
    QTEST(RowIndexDefault(letter.at(0), row, rest), "expected");
}

void TestRowEditor::parseDateTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("value"); // yyyy-MM-dd HH:mm:ss, empty on error
    QTest::addColumn<bool>("roundTrip"); // FormatDateTimeText gives the text back
    const int w = 50;
    QTest::newRow("dd.MM.yyyy") << "07.03.2016" << "dd.MM.yyyy" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("MMM any case") << "2016-mar-07" << "yyyy-MMM-dd" << w << 0 << "2016-03-07 00:00:00" << false;
    QTest::newRow("MMM") << "2016-Mar-07" << "yyyy-MMM-dd" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("MMMM consumes name") << "March 7, 2016" << "MMMM d, yyyy" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("free numbers") << "9:5:7" << "H:m:s" << w << 0 << "1899-12-30 09:05:07" << true;
    QTest::newRow("12 am") << "12:30 a" << "hh:mm t" << w << 0 << "1899-12-30 00:30:00" << true;
    QTest::newRow("12 pm") << "12:30 p" << "hh:mm t" << w << 0 << "1899-12-30 12:30:00" << true;
    QTest::newRow("tt pm") << "01:05 pm" << "hh:mm tt" << w << 0 << "1899-12-30 13:05:00" << true;
    QTest::newRow("tt am") << "11:05 AM" << "hh:mm tt" << w << 0 << "1899-12-30 11:05:00" << false;
    QTest::newRow("HH ignores t") << "13:00 am" << "HH:mm tt" << w << 0 << "1899-12-30 13:00:00" << false;
    QTest::newRow("yy recent") << "16-03-07" << "yy-MM-dd" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("yy old") << "80-01-02" << "yy-MM-dd" << w << 0 << "1980-01-02 00:00:00" << true;
    QTest::newRow("yy no window") << "99-01-02" << "yy-MM-dd" << 0 << 0 << "2099-01-02 00:00:00" << true;
    QTest::newRow("ddd") << "Mon 07.03.2016" << "ddd dd.MM.yyyy" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("dddd") << "Monday, 7.3.2016" << "dddd, d.M.yyyy" << w << 0 << "2016-03-07 00:00:00" << true;
    QTest::newRow("quoted") << "7.3.2016 at 10:15" << "d.M.yyyy 'at' HH:mm" << w << 0 << "2016-03-07 10:15:00" << true;
    QTest::newRow("quote in quotes") << "o'clock 10" << "'o''clock' HH" << w << 0 << "1899-12-30 10:00:00" << true;
    QTest::newRow("plain letters") << "T10" << "THH" << w << 0 << "1899-12-30 10:00:00" << true;
    QTest::newRow("literal mismatch") << "07/03/2016" << "dd.MM.yyyy" << w << -1 << "" << false;
    QTest::newRow("quoted mismatch") << "7.3.2016 um 10" << "d.M.yyyy 'at' HH" << w << -1 << "" << false;
    QTest::newRow("yyy") << "016" << "yyy" << w << -2 << "" << false;
    QTest::newRow("MMMMM") << "March" << "MMMMM" << w << -2 << "" << false;
    QTest::newRow("sss") << "10" << "sss" << w << -2 << "" << false;
    QTest::newRow("ttt") << "am" << "ttt" << w << -2 << "" << false;
    QTest::newRow("two digits not a number") << "ab.03.2016" << "dd.MM.yyyy" << w << -3 << "" << false;
    QTest::newRow("four digits short") << "07.03.16" << "dd.MM.yyyy" << w << -3 << "" << false;
    QTest::newRow("no month name") << "Foo 2016" << "MMMM yyyy" << w << -3 << "" << false;
    QTest::newRow("no short name") << "xyz" << "MMM" << w << -3 << "" << false;
    QTest::newRow("no weekday") << "Xyz 7" << "ddd d" << w << -3 << "" << false;
    QTest::newRow("31 February") << "31.02.2016" << "dd.MM.yyyy" << w << -4 << "" << false;
    QTest::newRow("hour 25") << "25:00" << "HH:mm" << w << -4 << "" << false;
    QTest::newRow("minute 60") << "10:60" << "HH:mm" << w << -4 << "" << false;
    QTest::newRow("no year") << "07.03" << "dd.MM" << w << -4 << "" << false;
    QTest::newRow("huge pm hour") << "99999999999 pm" << "h t" << w << -4 << "" << false;
    QTest::newRow("13 pm") << "13 pm" << "h tt" << w << -4 << "" << false;
}

void TestRowEditor::parseDateTime()
{
    QFETCH(QString, text);
    QFETCH(QString, format);
    QFETCH(int, window);
    QFETCH(QString, value);
    QFETCH(bool, roundTrip);
    TDateTime v = 123;
    QTEST(ParseDateTimeText(text, format, v, 2026, window), "error");
    if (value.isEmpty()) {
        QCOMPARE(v, 0.0);
        return;
    }
    QCOMPARE(FormatDateTimeText(QStringLiteral("yyyy-MM-dd HH:mm:ss"), v), value);
    if (roundTrip)
        QCOMPARE(FormatDateTimeText(format, v), text);
}

void TestRowEditor::qtDisplayFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("qt");
    QTest::addColumn<QString>("shown"); // 2016-03-07 13:05:09 in the Qt format, C locale
    QTest::newRow("date") << "dd.MM.yyyy" << "dd'.'MM'.'yyyy" << "07.03.2016";
    QTest::newRow("am/pm") << "hh:mm t" << "hh':'mm' 'ap" << "01:05 pm";
    QTest::newRow("literals merge") << "d.M.yyyy 'at' H" << "d'.'M'.'yyyy' at 'H" << "7.3.2016 at 13";
    QTest::newRow("letters quoted") << "'z'zHH" << "'zz'HH" << "zz13";
    QTest::newRow("names") << "ddd, MMMM d" << "ddd', 'MMMM' 'd" << "Mon, March 7";
}

void TestRowEditor::qtDisplayFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, qt);
    QCOMPARE(QtDateTimeDisplayFormat(format), qt);
    const QDateTime dt(QDate(2016, 3, 7), QTime(13, 5, 9));
    QTEST(QLocale::c().toString(dt, qt), "shown");
}

void TestRowEditor::createdFormLayout()
{
    TReportListView v;
    v.SetNrCols(3);
    v.SetNrRows(5);
    v.SetColName(1, QStringLiteral("Name"));
    v.SetColName(2, QStringLiteral("Pick"));
    v.SetColName(3, QStringLiteral("Index"));
    v.SetColumnFormat(1, QStringLiteral("[s]"));
    v.SetColumnFormat(2, QStringLiteral("[l][120]a|b|c"));
    v.SetColumnFormat(3, QStringLiteral("[#i][60]rix3"));
    v.SetElem(2, 5, QStringLiteral("b"));
    struct Seen {
        QString caption;
        QRect edit, box, num, label1, ok, cancel;
        QSize form;
        QStringList items;
        bool boxEditable = true;
        int boxIndex = -1;
        bool numEnabled = true;
        QString numText;
        TInFormat numFormat = itExp;
        QColor numBase, numText2;
        int tags[3] = {0, 0, 0};
        bool formIsContainer = false;
    } s;
    const int result = inModal([&] { return v.EditRowEntries(5, 30, 40); }, [&](QDialog* d) {
        s.caption = d->windowTitle();
        s.form = d->size();
        s.formIsContainer = v.ContainerForm() == d;
        auto* e = field<QLineEdit>(d, QStringLiteral("runtime_rlre_Edit1"));
        auto* b = field<QComboBox>(d, QStringLiteral("runtime_rlre_CBox2"));
        auto* n = field<TNumIO>(d, QStringLiteral("runtime_rlre_NumIO3"));
        auto* l = field<QLabel>(d, QStringLiteral("runtime_rlre_Label1"));
        if (!e || !b || !n || !l)
            return;
        s.edit = e->geometry();
        s.box = b->geometry();
        s.num = n->geometry();
        s.label1 = l->geometry();
        s.items = itemsOf(b);
        s.boxEditable = b->isEditable();
        s.boxIndex = b->currentIndex();
        s.numEnabled = n->isEnabled();
        s.numText = n->text();
        s.numFormat = n->InputFormat();
        s.numBase = n->palette().color(QPalette::Disabled, QPalette::Base);
        s.numText2 = n->palette().color(QPalette::Disabled, QPalette::Text);
        s.tags[0] = e->property("Tag").toInt();
        s.tags[1] = b->property("Tag").toInt();
        s.tags[2] = n->Tag();
        for (QPushButton* p : d->findChildren<QPushButton*>())
            (p->text() == QLatin1String("OK") ? s.ok : s.cancel) = p->geometry();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ButCancel")), Qt::LeftButton);
    });
    QCOMPARE(result, 2);
    QCOMPARE(s.caption, QStringLiteral("Editing Row 5"));
    QVERIFY(s.formIsContainer);
    const int e = s.label1.width();
    QVERIFY(e > 8);
    QCOMPARE(s.label1.topLeft(), QPoint(8, 45 + 3));
    QCOMPARE(s.edit, QRect(e + 12, 45, 200, s.edit.height()));
    QCOMPARE(s.box.topLeft(), QPoint(e + 12, 45 + 25));
    QCOMPARE(s.box.width(), 120);
    QCOMPARE(s.num.topLeft(), QPoint(e + 12, 45 + 50));
    QCOMPARE(s.num.width(), 60);
    QCOMPARE(s.form, QSize(200 + e + 28, 3 * 25 + 45 + 38));
    QCOMPARE(s.cancel, QRect(200 + e - 69, 4, 81, 29));
    QCOMPARE(s.ok, QRect(200 + e - 154, 4, 81, 29));
    QCOMPARE(s.items, QStringList({"a", "b", "c"}));
    QVERIFY(!s.boxEditable);
    QCOMPARE(s.boxIndex, 1);
    QVERIFY(!s.numEnabled);
    QCOMPARE(s.numText, QStringLiteral("005"));
    QCOMPARE(s.numFormat, itInt);
    QCOMPARE(s.numBase, QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(s.numText2, QColor(0x80, 0x80, 0x80));
    QCOMPARE(s.tags[0], 1);
    QCOMPARE(s.tags[1], 2);
    QCOMPARE(s.tags[2], 3);
    // Cancel wrote nothing, and nothing of the editor is left.
    QCOMPARE(v.Elem(1, 5), QString());
    QCOMPARE(v.Elem(3, 5), QString());
    QCOMPARE(editorObjectsIn(&v), 0);
    QVERIFY(v.findChildren<QDialog*>().isEmpty());
    QCOMPARE(v.ContainerForm(), nullptr);
}

void TestRowEditor::endings_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("written");
    QTest::newRow("OK button") << "ok" << 1 << true;
    QTest::newRow("Enter in text") << "enter-edit" << 1 << true;
    QTest::newRow("Enter in number") << "enter-num" << 1 << true;
    QTest::newRow("Enter in list") << "enter-box" << 1 << true;
    QTest::newRow("Return key pad") << "keypad-enter" << 1 << true;
    QTest::newRow("Cancel button") << "cancel" << 2 << false;
    QTest::newRow("Escape") << "escape" << 2 << false;
    QTest::newRow("window closed") << "close" << 2 << false;
}

void TestRowEditor::endings()
{
    QFETCH(QString, how);
    TReportListView v;
    v.SetNrCols(4);
    v.SetNrRows(2);
    v.SetColumnFormat(1, QStringLiteral("[s]"));
    v.SetColumnFormat(2, QStringLiteral("[f]"));
    v.SetColumnFormat(3, QStringLiteral("[c]x|y"));
    v.SetColumnFormat(4, QStringLiteral("[q]"));
    v.SetColCheckMode(1, cmBox);
    v.SetElem(1, 2, QStringLiteral("old"));
    v.SetElemChecked(1, 2, true);
    v.SetElem(2, 2, QStringLiteral("1.5"));
    v.SetElem(4, 2, QStringLiteral("kept"));
    int changes = 0;
    v.OnChange = [&](TObject*) { ++changes; };
    const int result = inModal([&] { return v.EditRowEntries(2, 0, 0); }, [&](QDialog* d) {
        auto* e = field<QLineEdit>(d, QStringLiteral("runtime_rlre_Edit1"));
        auto* n = field<TNumIO>(d, QStringLiteral("runtime_rlre_NumIO2"));
        auto* b = field<QComboBox>(d, QStringLiteral("runtime_rlre_CBox3"));
        if (!e || !n || !b || field<QWidget>(d, QStringLiteral("runtime_rlre_Label4")) == nullptr)
            return;
        e->end(false);
        QTest::keyClicks(e, QStringLiteral(" new"));
        n->SetDecPlaceSep(dsPoint);
        n->selectAll();
        QTest::keyClicks(n, QStringLiteral("2.25"));
        b->setEditText(QStringLiteral("z"));
        if (how == QLatin1String("ok"))
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ButOK")), Qt::LeftButton);
        else if (how == QLatin1String("enter-edit"))
            QTest::keyClick(e, Qt::Key_Return);
        else if (how == QLatin1String("enter-num"))
            QTest::keyClick(n, Qt::Key_Return);
        else if (how == QLatin1String("enter-box"))
            QTest::keyClick(b->lineEdit(), Qt::Key_Return);
        else if (how == QLatin1String("keypad-enter"))
            QTest::keyClick(e, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QLatin1String("cancel"))
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ButCancel")), Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(e, Qt::Key_Escape);
        else
            d->close();
    });
    QTEST(result, "result");
    QFETCH(bool, written);
    QCOMPARE(v.Elem(1, 2), written ? QStringLiteral("old new") : QStringLiteral("old"));
    QVERIFY(v.ElemChecked(1, 2)); // the check prefix stays
    QCOMPARE(v.Elem(2, 2), written ? QStringLiteral("2.25") : QStringLiteral("1.5"));
    QCOMPARE(v.Elem(3, 2), written ? QStringLiteral("z") : QString());
    QCOMPARE(v.Elem(4, 2), QStringLiteral("kept")); // a label only: nothing written back
    QCOMPARE(changes > 0, written);
    QCOMPARE(editorObjectsIn(&v), 0);
}

void TestRowEditor::dropDownCountAndEditableList()
{
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(1);
    v.SetColumnFormat(1, QStringLiteral("[c:3]x|y|z|w"));
    v.SetColumnFormat(2, QStringLiteral("[l]p||q"));
    v.SetElem(1, 1, QStringLiteral("free"));
    v.SetElem(2, 1, QStringLiteral("missing"));
    int visible = 0, index = 0;
    bool editable = false;
    QString text;
    QStringList items1, items2;
    inModal([&] { return v.EditRowEntries(1, 0, 0); }, [&](QDialog* d) {
        auto* c = field<QComboBox>(d, QStringLiteral("runtime_rlre_CBox1"));
        auto* l = field<QComboBox>(d, QStringLiteral("runtime_rlre_CBox2"));
        if (!c || !l)
            return;
        visible = c->maxVisibleItems();
        editable = c->isEditable();
        text = c->currentText();
        items1 = itemsOf(c);
        items2 = itemsOf(l);
        index = l->currentIndex();
    });
    QCOMPARE(visible, 3);
    QVERIFY(editable);
    QCOMPARE(text, QStringLiteral("free"));
    QCOMPARE(items1, QStringList({"x", "y", "z", "w"}));
    QCOMPARE(items2, QStringList({"p", "", "q"}));
    QCOMPARE(index, -1);
}

void TestRowEditor::dateFieldReadAndWritten()
{
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(1);
    v.SetColumnFormat(1, QStringLiteral("[ddd.MM.yyyy]"));
    v.SetColumnFormat(2, QStringLiteral("[dyyyy-MMM-dd HH:mm]2001-jan-02 03:04"));
    v.SetElem(1, 1, QStringLiteral("07.03.2016"));
    QDateTime first, second;
    QString shown;
    const int result = inModal([&] { return v.EditRowEntries(1, 0, 0); }, [&](QDialog* d) {
        auto* p1 = field<QDateTimeEdit>(d, QStringLiteral("runtime_rlre_DtPick1"));
        auto* p2 = field<QDateTimeEdit>(d, QStringLiteral("runtime_rlre_DtPick2"));
        if (!p1 || !p2)
            return;
        first = p1->dateTime();
        second = p2->dateTime();
        shown = p1->text();
        p1->setDate(QDate(2017, 4, 8));
        QTest::keyClick(p1, Qt::Key_Return);
    });
    QCOMPARE(result, 1);
    QCOMPARE(first.date(), QDate(2016, 3, 7));
    QCOMPARE(shown, QStringLiteral("07.03.2016"));
    QCOMPARE(second, QDateTime(QDate(2001, 1, 2), QTime(3, 4)));
    QCOMPARE(v.Elem(1, 1), QStringLiteral("08.04.2017"));
    QCOMPARE(v.Elem(2, 1), QStringLiteral("2001-Jan-02 03:04"));
}

void TestRowEditor::impossibleDateKeepsCell_data()
{
    QTest::addColumn<QString>("cell");
    QTest::newRow("31 February") << "31.02.2016";
    QTest::newRow("not a date") << "n/a";
}

void TestRowEditor::impossibleDateKeepsCell()
{
    QFETCH(QString, cell);
    TReportListView v;
    v.SetNrCols(1);
    v.SetNrRows(1);
    v.SetColumnFormat(1, QStringLiteral("[ddd.MM.yyyy]"));
    v.SetElem(1, 1, cell);
    QString tip;
    QDate date;
    const int result = inModal([&] { return v.EditRowEntries(1, 0, 0); }, [&](QDialog* d) {
        auto* p = field<QDateTimeEdit>(d, QStringLiteral("runtime_rlre_DtPick1"));
        if (!p)
            return;
        tip = p->toolTip();
        date = p->date();
        QTest::keyClick(p, Qt::Key_Return);
    });
    QCOMPARE(result, 1);
    QCOMPARE(date, QDate::currentDate()); // the field keeps its previous value
    QVERIFY(tip.contains(cell));
    QCOMPARE(v.Elem(1, 1), cell);
}

void TestRowEditor::givenForm()
{
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(3);
    v.SetColumnFormat(1, QStringLiteral("[s]$pwd$8"));
    v.SetColumnFormat(2, QStringLiteral("[s]plain"));
    QList<int> asked;
    v.OnRequestEditFormat = [&](TObject* sender, int col, int row, QString& format) {
        QCOMPARE(sender, &v);
        asked << col * 10 + row;
        if (col == 2)
            format = QStringLiteral("[h][70]rix4");
    };
    QDialog form;
    form.setWindowTitle(QStringLiteral("mine"));
    form.resize(50, 50);
    QLabel own(QStringLiteral("own"), &form);
    QString title, pwd, num;
    QPoint at;
    int buttons = -1;
    const int result = inModal([&] { return v.EditRowEntries(3, &form, 10, 20); }, [&](QDialog* d) {
        title = d->windowTitle();
        buttons = int(d->findChildren<QPushButton*>().size());
        auto* e = field<QLineEdit>(d, QStringLiteral("runtime_rlre_Edit1"));
        auto* n = field<TNumIO>(d, QStringLiteral("runtime_rlre_NumIO2"));
        if (!e || !n)
            return;
        pwd = e->text();
        num = n->text();
        at = n->pos();
        d->done(1);
    });
    QCOMPARE(result, 1);
    QCOMPARE(asked, QList<int>({13, 23}));
    QCOMPARE(title, QString());
    QCOMPARE(buttons, 0);
    QCOMPARE(pwd.size(), 8);
    QCOMPARE(num, QStringLiteral("0003"));
    QCOMPARE(at.y(), 20 + 25);
    QVERIFY(form.width() >= 200 + 28 && form.height() >= 2 * 25 + 20 + 38);
    QCOMPARE(v.Elem(1, 3), pwd);
    QCOMPARE(v.Elem(2, 3), QStringLiteral("0003"));
    QCOMPARE(editorObjectsIn(&form), 0);
    QCOMPARE(form.findChildren<QLabel*>().size(), 1); // the form's own label stays
    QCOMPARE(v.EditRowEntries(4, &form, 0, 0), 0);     // no such row: no form shown
}

void TestRowEditor::inplaceEditorClosedFirst()
{
    TReportListView v;
    v.SetBorderStyle(bsNone);
    v.resize(300, 200);
    v.SetColumnEditable(1, true);
    v.SetElem(1, 2, QStringLiteral("old"));
    v.SetOptions(v.Options() - goRowSelect);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    const TRect c = v.CellRect(0, v.FixedRows() + 1);
    QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(c.Left + 20, c.Top + 5));
    QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(c.Left + 20, c.Top + 5));
    QVERIFY(v.EditorMode());
    inModal([&] { return v.EditRowEntries(2, 0, 0); }, [&](QDialog* d) {
        if (auto* e = field<QLineEdit>(d, QStringLiteral("runtime_rlre_Edit1")))
            e->setText(QStringLiteral("fresh"));
        d->done(1);
    });
    QVERIFY(!v.EditorMode());
    QCOMPARE(v.Elem(1, 2), QStringLiteral("fresh"));
}

QObject* createDataToolTests();
QObject* createSearchTests();

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    TestRowEditor editor;
    int failed = QTest::qExec(&editor, argc, argv);
    QObject* data = createDataToolTests();
    failed += QTest::qExec(data, argc, argv);
    delete data;
    QObject* search = createSearchTests();
    failed += QTest::qExec(search, argc, argv);
    delete search;
    return failed;
}

#include "tst_replisttools.moc"

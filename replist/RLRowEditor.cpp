// The report list view's row editor: one labelled input control per column on a modal
// form, chosen by the column format, written back to the row on OK.
#include "replist/RLRowEditor_p.h"
#include "replist/RepListView_p.h"
#include "foundation/QOR_StringArray.h"
#include "numio/QOR_NumIO.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

#include <algorithm>
#include <memory>

namespace qor {

namespace {

const QString kEditorMark = QStringLiteral("runtime_rlre_");
const char* const kTagProperty = "Tag";
const char* const kUnreadProperty = "qorUnreadText";
constexpr int kPitch = 25;

// Cuts S after the first "]"; Between receives the text between the first "[" (or the
// start, when there is no "[" before that "]") and the "]". False when S has no such pair.
bool takeBracket(QString& s, QString& between)
{
    const qsizetype close = s.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    const qsizetype open = s.indexOf(QLatin1Char('['));
    between = (open >= 0 && open < close) ? s.mid(open + 1, close - open - 1) : s.left(close);
    s = s.mid(close + 1);
    return true;
}

// Closes the editor's form with result 1 when Enter is pressed in an editable field.
class EnterAsOK : public QObject {
public:
    EnterAsOK(QDialog* form, QObject* parent) : QObject(parent), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_form->done(1);
                return true;
            }
        }
        return QObject::eventFilter(watched, e);
    }

private:
    QDialog* m_form;
};

// The form made for an edit: closing its window counts as Cancel, as the Cancel button.
class RowEditForm : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override { done(2); }
};

void setReadOnlyLook(QWidget* w)
{
    w->setEnabled(false);
    QPalette pal = w->palette();
    const QColor back = ColorToQColor(0xE0E0E0);
    const QColor text = ColorToQColor(0x808080);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Base, back);
        pal.setColor(g, QPalette::Button, back);
        pal.setColor(g, QPalette::Text, text);
        pal.setColor(g, QPalette::ButtonText, text);
        pal.setColor(g, QPalette::WindowText, text);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

TRowEditField SplitEditFormat(const QString& format)
{
    TRowEditField f;
    QString rest = format;
    QString typeText;
    const qsizetype close = rest.indexOf(QLatin1Char(']'));
    const qsizetype open = rest.indexOf(QLatin1Char('['));
    if (close >= 0 && (open < 0 || open < close)) {
        takeBracket(rest, typeText);
        if (typeText.startsWith(QLatin1Char('#'))) {
            f.ReadOnly = true;
            typeText.remove(0, 1);
        }
        f.TypeText = typeText;
    } else if (close >= 0) {
        rest = rest.mid(close + 1);
    }
    QString widthText;
    if (close >= 0 && takeBracket(rest, widthText)) {
        const int w = ReadIntegerAt(widthText, 1);
        f.Width = w < 1 ? 200 : w;
    }
    f.Remainder = rest;
    return f;
}

QString RowIndexDefault(QChar letter, int row, const QString& remainder)
{
    int n = ReadIntegerAt(remainder, 4);
    switch (letter.unicode()) {
    case 'e':
    case 'f':
        return strff(row, 1, std::clamp(n, 0, MaxCellLength));
    case 'h': {
        n = std::clamp(n, 1, 8);
        const quint32 mask = n >= 8 ? 0xFFFFFFFFu : ((1u << (4 * n)) - 1u);
        return QString::number(quint32(row) & mask, 16).toUpper().rightJustified(n, QLatin1Char('0'));
    }
    default: {
        n = std::clamp(n, 1, MaxCellLength);
        QString digits = QString::number(row < 0 ? -qint64(row) : qint64(row));
        digits = digits.size() > n ? digits.right(n) : digits.rightJustified(n, QLatin1Char('0'));
        return row < 0 ? QLatin1Char('-') + digits : digits;
    }
    }
}

QDialog* TReportListView::ContainerForm() const { return qobject_cast<QDialog*>(FContainerForm.data()); }

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop)
{
    return EditRowEntries(Row, PosLeft, PosTop, QStringLiteral("Editing Row ") + QString::number(Row),
                          QStringLiteral("OK"), QStringLiteral("Cancel"));
}

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop, const QString& FormCaption,
                                    const QString& ButOKCaption, const QString& ButCancelCaption)
{
    if (Row < 1 || Row > NrOfRows())
        return 0;
    std::unique_ptr<QDialog> form = std::make_unique<RowEditForm>(this);
    form->move(PosLeft, PosTop);
    QPushButton* cancel = new QPushButton(ButCancelCaption, form.get());
    QPushButton* ok = new QPushButton(ButOKCaption, form.get());
    for (QPushButton* b : {cancel, ok}) {
        // Buttons of the kind that never take the focus: Enter stays with the fields.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("ButCancel"));
    ok->setObjectName(QStringLiteral("ButOK"));
    QDialog* f = form.get();
    connect(cancel, &QPushButton::clicked, f, [f] { f->done(2); });
    connect(ok, &QPushButton::clicked, f, [f] { f->done(1); });
    FSBERCancel = cancel;
    const auto release = qScopeGuard([this] { FSBERCancel = nullptr; });
    return editRowEntries(Row, f, true, 0, 45, FormCaption);
}

int TReportListView::EditRowEntries(int Row, QDialog* ContainerForm, int PosLeft, int PosTop)
{
    if (!ContainerForm || Row < 1 || Row > NrOfRows())
        return 0;
    return editRowEntries(Row, ContainerForm, false, PosLeft, PosTop, QString());
}

int TReportListView::editRowEntries(int Row, QDialog* form, bool created, int xOff, int yOff, const QString& caption)
{
    // An open in-place editor would later write its stale text over what the form wrote.
    HideEditor();
    FContainerForm = form;
    EnterAsOK* enter = new EnterAsOK(form, form);
    enter->setObjectName(kEditorMark + QStringLiteral("Keys"));
    // Every part of the editor goes, however the edit ends.
    const auto cleanup = qScopeGuard([this, form] {
        QList<QObject*> mine;
        for (QObject* o : form->findChildren<QObject*>(Qt::FindDirectChildrenOnly))
            if (o->objectName().contains(kEditorMark))
                mine.append(o);
        for (auto it = mine.rbegin(); it != mine.rend(); ++it)
            delete *it; // a Qt child unregisters from its parent as it goes
        FContainerForm = nullptr;
    });

    const int cols = NrOfColumns();
    const QFontMetrics fm(form->font());
    int e = 0;
    for (int k = 1; k <= cols; ++k)
        e = std::max(e, fm.horizontalAdvance(GetColName(k)));
    e += 8;

    int wmax = 0;
    for (int k = 1; k <= cols; ++k) {
        QString format = GetColumnFormat(k);
        if (OnRequestEditFormat)
            OnRequestEditFormat(this, k, Row, format);
        const TRowEditField fmt = SplitEditFormat(format);
        wmax = std::max(wmax, fmt.Width);
        const QString& R = fmt.Remainder;
        const QString cell = Elem(k, Row);

        QLabel* label = new QLabel(GetColName(k) + QLatin1Char(':'), form);
        label->setObjectName(kEditorMark + QStringLiteral("Label") + QString::number(k));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(xOff + 8, yOff + (k - 1) * kPitch + 3, e, label->sizeHint().height());

        QWidget* input = nullptr;
        const QChar letter = fmt.Letter();
        switch (letter.unicode()) {
        case 'c':
        case 'l': {
            QComboBox* box = new QComboBox(form);
            box->setObjectName(kEditorMark + QStringLiteral("CBox") + QString::number(k));
            box->setEditable(letter == QLatin1Char('c'));
            QString list = R;
            if (!list.endsWith(QLatin1Char('|')))
                list += QLatin1Char('|');
            QStringList items = list.split(QLatin1Char('|'));
            items.removeLast(); // the part after the closing bar
            box->addItems(items);
            box->setMaxVisibleItems(8);
            const qsizetype colon = fmt.TypeText.indexOf(QLatin1Char(':'));
            if (colon >= 0) {
                const int count = ReadIntegerAt(fmt.TypeText, int(colon) + 2);
                if (count >= 1)
                    box->setMaxVisibleItems(count);
            }
            if (letter == QLatin1Char('c'))
                box->setEditText(cell);
            else
                box->setCurrentIndex(int(items.indexOf(cell)));
            input = box;
            break;
        }
        case 'd': {
            QDateTimeEdit* pick = new QDateTimeEdit(QDateTime::currentDateTime(), form);
            pick->setObjectName(kEditorMark + QStringLiteral("DtPick") + QString::number(k));
            pick->setLocale(QLocale::c());
            const QString pickFormat = fmt.TypeText.mid(1);
            pick->setProperty("Format", pickFormat);
            pick->setDisplayFormat(QtDateTimeDisplayFormat(pickFormat));
            const QString source = !cell.isEmpty() ? cell : R;
            if (!source.isEmpty()) {
                TDateTime v = 0;
                if (ParseDateTimeText(source, pickFormat, v) == dtpOK) {
                    pick->setDateTime(DateTimeToQDateTime(v));
                } else if (!cell.isEmpty()) {
                    // A text that names no date (31 February, hour 25, no date at all) leaves
                    // the field as it was and is shown to the user; the cell keeps its text
                    // unless the user sets a date.
                    pick->setToolTip(QStringLiteral("Not a valid date or time: ") + cell);
                    pick->setProperty(kUnreadProperty, cell);
                    connect(pick, &QDateTimeEdit::dateTimeChanged, pick,
                            [pick] { pick->setProperty(kUnreadProperty, QVariant()); });
                }
            }
            input = pick;
            break;
        }
        case 'e':
        case 'f':
        case 'h':
        case 'i': {
            TNumIO* num = new TNumIO(form);
            num->setObjectName(kEditorMark + QStringLiteral("NumIO") + QString::number(k));
            num->SetInputFormat(letter == QLatin1Char('e') ? itDynamic
                              : letter == QLatin1Char('f') ? itFloat
                              : letter == QLatin1Char('h') ? itHex
                                                           : itInt);
            num->SetRangeHigh(1.7e308);
            num->SetRangeLow(-1.7e308);
            num->SetTag(k);
            QString text = cell;
            if (text.isEmpty())
                text = R.contains(QLatin1String("rix"), Qt::CaseInsensitive) ? RowIndexDefault(letter, Row, R) : R;
            num->SetEditText(text);
            input = num;
            break;
        }
        case 's': {
            QLineEdit* edit = new QLineEdit(form);
            edit->setObjectName(kEditorMark + QStringLiteral("Edit") + QString::number(k));
            QString text = cell;
            if (text.isEmpty())
                text = R.contains(QLatin1String("$pwd$"), Qt::CaseInsensitive)
                         ? InventPassword(std::clamp(ReadIntegerAt(R, 6), 0, MaxCellLength))
                         : R;
            edit->setText(text);
            input = edit;
            break;
        }
        default:
            break;
        }
        if (!input)
            continue;
        input->setProperty(kTagProperty, k);
        input->setGeometry(e + xOff + 12, yOff + (k - 1) * kPitch, fmt.Width, input->sizeHint().height());
        if (fmt.ReadOnly) {
            setReadOnlyLook(input);
        } else {
            input->installEventFilter(enter);
            for (QWidget* inner : input->findChildren<QWidget*>())
                inner->installEventFilter(enter);
        }
    }

    const int W = wmax + e;
    const int H = cols * kPitch + yOff + 38;
    if (created) {
        form->resize(W + 28, H);
        form->setFixedSize(form->size());
        const QList<QPushButton*> buttons = form->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
        for (QPushButton* b : buttons) {
            const bool isCancel = b->objectName() == QLatin1String("ButCancel");
            b->setGeometry(isCancel ? W - 69 : W - 154, 4, 81, 29);
        }
    } else {
        form->resize(std::max(form->width(), W + 28), std::max(form->height(), H));
    }
    form->setWindowTitle(caption);
    // The first editable field takes the focus, so Enter and typing reach it.
    for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->objectName().startsWith(kEditorMark) && w->isEnabled() && w->property(kTagProperty).isValid()) {
            w->setFocus();
            break;
        }

    const int result = form->exec();

    if (result == 1) {
        const auto pause = SuppressPaintScope(this);
        for (QObject* o : form->findChildren<QObject*>(Qt::FindDirectChildrenOnly)) {
            const QString n = o->objectName();
            if (!n.contains(kEditorMark))
                continue;
            const int col = o->property(kTagProperty).toInt();
            QString value;
            if (n.contains(QLatin1String("runtime_rlre_Edit")) || n.contains(QLatin1String("runtime_rlre_NumIO")))
                value = qobject_cast<QLineEdit*>(o)->text();
            else if (n.contains(QLatin1String("runtime_rlre_CBox")))
                value = static_cast<QComboBox*>(o)->currentText();
            else if (n.contains(QLatin1String("runtime_rlre_DtPick"))) {
                auto* pick = static_cast<QDateTimeEdit*>(o);
                const QVariant unread = pick->property(kUnreadProperty);
                value = unread.isValid() ? unread.toString()
                                         : FormatDateTimeText(pick->property("Format").toString(),
                                                              QDateTimeToDateTime(pick->dateTime()));
            } else
                continue;
            FRLData->SetElem(col, Row, value.left(MaxCellLength));
        }
    }
    return result;
}

} // namespace qor

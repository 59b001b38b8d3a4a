// In-place editing: a line edit (or a pick-list combo box) laid over the current cell.
#include "foundation/QOR_Grid.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace qor {

namespace {
// Keys the editor leaves to the grid: they move the current cell or end the edit.
bool isGridKey(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}
} // namespace

TInplaceEdit::TInplaceEdit(TCustomGrid* grid)
    : QLineEdit(grid->viewport()), m_grid(grid)
{
    setFrame(false);
    hide();
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    if (isGridKey(e)) {
        m_grid->editorKey(e);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TInplaceEditList::TInplaceEditList(TCustomGrid* grid)
    : QComboBox(grid->viewport()), m_grid(grid)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFrame(false);
    hide();
}

QStringList TInplaceEditList::PickList() const
{
    QStringList l;
    for (int i = 0; i < count(); ++i)
        l << itemText(i);
    return l;
}

void TInplaceEditList::SetPickList(const QStringList& items)
{
    const QString keep = currentText();
    const bool blocked = blockSignals(true);
    clear();
    addItems(items);
    setEditText(keep);
    blockSignals(blocked);
}

void TInplaceEditList::keyPressEvent(QKeyEvent* e)
{
    // Up and Down browse the list while it is open and alt-arrow opens it.
    if (view() && view()->isVisible()) {
        QComboBox::keyPressEvent(e);
        return;
    }
    if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && (e->modifiers() & Qt::AltModifier)) {
        QComboBox::keyPressEvent(e);
        return;
    }
    if (isGridKey(e)) {
        m_grid->editorKey(e);
        return;
    }
    QComboBox::keyPressEvent(e);
}

// --- grid side ----------------------------------------------------------------------------

QWidget* TCustomGrid::CreateEditor(TEditStyle style)
{
    if (style == esPickList) {
        auto* ed = new TInplaceEditList(this);
        ed->SetDropDownRows(8);
        return ed;
    }
    return new TInplaceEdit(this);
}

TEditStyle TCustomGrid::GetEditStyle(int, int) { return esSimple; }

void TCustomGrid::GetPickListItems(int, int, QStringList&) {}

QString TCustomGrid::GetEditText(int, int) { return QString(); }

void TCustomGrid::SetEditText(int, int, const QString&) {}

bool TCustomGrid::CanEditShow() const
{
    return m_options.Contains(goEditing) && !m_options.Contains(goRowSelect) && !Designing()
        && m_cur.X >= FixedCols() && m_cur.X < ColCount() && m_cur.Y >= FixedRows() && m_cur.Y < RowCount();
}

QString TCustomGrid::InplaceEditText() const
{
    if (auto* le = qobject_cast<QLineEdit*>(m_editor))
        return le->text();
    if (auto* cb = qobject_cast<QComboBox*>(m_editor))
        return cb->currentText();
    return QString();
}

void TCustomGrid::SetInplaceEditText(const QString& t)
{
    m_settingEditorText = true;
    if (auto* le = qobject_cast<QLineEdit*>(m_editor))
        le->setText(t);
    else if (auto* cb = qobject_cast<QComboBox*>(m_editor))
        cb->setEditText(t);
    m_settingEditorText = false;
}

void TCustomGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    if (!CanEditShow())
        return;
    const TEditStyle style = GetEditStyle(m_cur.X, m_cur.Y);
    const bool wantList = style == esPickList;
    const bool haveList = qobject_cast<TInplaceEditList*>(m_editor) != nullptr;
    if (m_editor && wantList != haveList) {
        m_editor->hide();
        m_editor->deleteLater();
        m_editor = nullptr;
    }
    if (!m_editor) {
        m_editor = CreateEditor(style);
        if (!m_editor)
            return;
        if (auto* le = qobject_cast<QLineEdit*>(m_editor))
            connect(le, &QLineEdit::textChanged, this, [this](const QString& t) { editorTextEdited(t); });
        else if (auto* cb = qobject_cast<QComboBox*>(m_editor))
            connect(cb, &QComboBox::editTextChanged, this, [this](const QString& t) { editorTextEdited(t); });
    }
    m_editorStyle = style;
    if (auto* list = qobject_cast<TInplaceEditList*>(m_editor)) {
        QStringList items;
        GetPickListItems(m_cur.X, m_cur.Y, items);
        if (list->OnGetPickListitems)
            list->OnGetPickListitems(m_cur.X, m_cur.Y, items);
        list->SetPickList(items);
    }
    m_editOriginal = GetEditText(m_cur.X, m_cur.Y);
    SetInplaceEditText(m_editOriginal);
    m_editorMode = true;
    placeEditor();
    if (auto* le = qobject_cast<QLineEdit*>(m_editor))
        le->selectAll();
    else if (auto* cb = qobject_cast<QComboBox*>(m_editor); cb && cb->lineEdit())
        cb->lineEdit()->selectAll();
    if (m_editor->isVisible())
        m_editor->setFocus(Qt::OtherFocusReason);
}

void TCustomGrid::HideEditor()
{
    if (!m_editorMode)
        return;
    m_editorMode = false;
    if (m_editor) {
        const bool hadFocus = m_editor->hasFocus();
        m_editor->hide();
        if (hadFocus)
            setFocus(Qt::OtherFocusReason);
    }
    Invalidate();
}

void TCustomGrid::placeEditor()
{
    if (!m_editor)
        return;
    if (!m_editorMode) {
        m_editor->hide();
        return;
    }
    const TRect r = CellRect(m_cur.X, m_cur.Y);
    if (r.IsEmpty()) {
        m_editor->hide();
        return;
    }
    m_editor->setGeometry(r.ToQRect());
    const TColor bg = ResolveColor(m_color);
    QPalette pal = m_editor->palette();
    pal.setColor(QPalette::Base, QColor(GetRValue(bg), GetGValue(bg), GetBValue(bg)));
    m_editor->setPalette(pal);
    m_editor->setFont(Font()->ToQFont());
    m_editor->show();
}

void TCustomGrid::editorTextEdited(const QString& text)
{
    if (m_settingEditorText || !m_editorMode)
        return;
    SetEditText(m_cur.X, m_cur.Y, text);
}

void TCustomGrid::editorKey(QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape) {
        QChar c(k == Qt::Key_Escape ? 27 : 13);
        setFocus(Qt::OtherFocusReason);
        KeyPress(c);
        return;
    }
    Word vk = QtKeyToVK(k, e->modifiers());
    if (k == Qt::Key_Backtab)
        vk = VK_TAB;
    TShiftState s = ShiftStateFromQt(e->modifiers());
    if (k == Qt::Key_Backtab)
        s.Include(ssShift);
    HideEditor();
    setFocus(Qt::OtherFocusReason);
    KeyDown(vk, s);
}

} // namespace qor

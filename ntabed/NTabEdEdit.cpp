// TNTabEd editing: the in-place editor (a pick list in nominal columns), keys and wheel,
// the mouse that selects, starts editing and opens the popups, the heading edit box and the
// comment memo.
#include "ntabed/NTabEdUi_p.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace qor {

namespace {

// The decimal conversion of typed text: "," as ".", blanks around allowed, an optional sign
// and exponent; only finite numbers.
bool typedNumber(const QString& text, double& value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty() || t.size() > 400)
        return false;
    const QByteArray b = t.toLatin1();
    const char* first = b.constData();
    const char* last = first + b.size();
    if (*first == '+' && last - first > 1 && first[1] != '-' && first[1] != '+')
        ++first;
    for (const char* p = first; p < last; ++p)
        if (!((*p >= '0' && *p <= '9') || *p == '.' || *p == '-' || *p == '+' || *p == 'e' || *p == 'E'))
            return false;   // no "inf", "nan" or hexadecimal
    double v = 0;
    const auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool isEnterKey(int k) { return k == Qt::Key_Return || k == Qt::Key_Enter; }

} // namespace

bool NTabEdKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_onKey)
        return m_onKey(watched, static_cast<QKeyEvent*>(event)->key());
    return false;
}

// ---- the in-place editor ---------------------------------------------------------------

TEditStyle TNTabEd::GetEditStyle(int ACol, int ARow)
{
    if (ACol > m_colOffset && ARow > m_rowOffset && IsNominalScale(m_data->GetMScaleType(ACol - m_colOffset)))
        return esPickList;
    return esSimple;
}

QWidget* TNTabEd::CreateEditor(TEditStyle style)
{
    QWidget* ed = TCustomGrid::CreateEditor(style);
    if (auto* list = qobject_cast<TInplaceEditList*>(ed))
        list->SetDropDownRows(m_nomDropDown);
    return ed;
}

void TNTabEd::GetPickListItems(int ACol, int, QStringList& items)
{
    const int c = ACol - m_colOffset;
    if (c < 1 || c > NrOfColumns())
        return;
    for (int n = 1; n <= MaxNomIDs; ++n) {
        const QString id = m_data->GetNominalID(c, n);
        if (!id.isEmpty())
            items << id;
    }
}

QString TNTabEd::GetEditText(int ACol, int ARow)
{
    const int c = ACol - m_colOffset;
    const int r = ARow - m_rowOffset;
    QString text;
    if (c >= 1 && c <= NrOfColumns() && r >= 1 && r <= NrOfRows()) {
        const double x = m_data->GetElem(c, r);
        if (IsNominalScale(m_data->GetMScaleType(c))) {
            text = NTabNominalText(*m_data, c, x, false);
        } else {
            text = NTabCellValueText(x, Precision(c), m_numWidth).trimmed();
            // a value too large for the cell shows asterisks; the editor shows the number
            if (text.contains(QLatin1Char('*')))
                text = NTabFloatStr(x, 22, -1).trimmed();
        }
        // The editor opens on this cell: Escape brings back exactly what it held.
        if (!EditorMode() && ACol == Col() && ARow == Row()) {
            m_ui->editSaved = true;
            m_ui->editCol = c;
            m_ui->editRow = r;
            m_ui->editValue = x;
            m_ui->editState = m_data->GetCellState(c, r);
        }
    }
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TNTabEd::SetEditText(int ACol, int ARow, const QString& Value)
{
    const int c = ACol - m_colOffset;
    const int r = ARow - m_rowOffset;
    if (m_readOnly || c < 1 || c > NrOfColumns() || r < 1 || r > NrOfRows())
        return;
    double v = 0;
    bool ok = false;
    if (IsNominalScale(m_data->GetMScaleType(c))) {
        const int o = m_data->OrdinalOfNominalID(c, Value.left(NomIDLen), true);
        int n = 0;
        if (o > 0) {
            v = o;
            ok = true;
        } else if (IsValidDecInt(Value, n)) {
            v = n;
            ok = true;
        }
    } else {
        ok = typedNumber(Value, v);
    }
    if (ok) {
        m_data->SetElem(c, r, v);
        m_data->SetCellState(c, r, 0);   // a number: no marks, not empty
    } else {
        m_data->SetCellState(c, r, csInvalid);
    }
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

// ---- keys ----------------------------------------------------------------------------------

bool TNTabEd::WantKey(int qtKey, TShiftState) const
{
    // Tab moves between the cells (KeyDown swallows it then); a Tab that finds no further
    // cell goes on and moves the focus.
    Q_UNUSED(qtKey);
    return false;
}

void TNTabEd::KeyPress(QChar& key)
{
    const ushort k = key.unicode();
    const bool editing = EditorMode();
    TCustomGrid::KeyPress(key);
    if (k == 27 && editing) {
        SetOptions(Options() - goEditing);
        HideEditor();
        // The cell gets back its value and state, not the text the editor showed.
        NTabEdUi& ui = *m_ui;
        if (ui.editSaved && ui.editCol <= NrOfColumns() && ui.editRow <= NrOfRows()) {
            m_data->SetElem(ui.editCol, ui.editRow, ui.editValue);
            m_data->SetCellState(ui.editCol, ui.editRow, ui.editState);
        }
        ui.editSaved = false;
        key = QChar(0);
    }
    if (k == 13 && m_autoAdvance) {
        Word vk = m_autoAdvanceDir == otVertical ? VK_DOWN : VK_RIGHT;
        KeyDown(vk, TShiftState());
        key = QChar(0);
    }
}

void TNTabEd::KeyDown(Word& key, TShiftState shift)
{
    const TGridCoord before{Col(), Row()};
    TCustomGrid::KeyDown(key, shift);
    if (key == VK_TAB && !Options().Contains(goTabs) && !shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
        const int c = Col(), r = Row();
        const int firstC = FixedCols(), firstR = FixedRows();
        if (shift.Contains(ssShift)) {
            if (c > firstC)
                MoveColRow(c - 1, r, true, true);
            else if (r > firstR)
                MoveColRow(ColCount() - 1, r - 1, true, true);
        } else {
            if (c < ColCount() - 1)
                MoveColRow(c + 1, r, true, true);
            else if (r < RowCount() - 1)
                MoveColRow(firstC, r + 1, true, true);
        }
        if (Col() != c || Row() != r)
            key = 0;
    } else if (shift == TShiftState{ssCtrl} && (key == 'C' || key == 'V' || key == 'A')) {
        // The usual shortcuts run the popup's commands, within its masks and states.
        updateDataMenu();
        QAction* a = m_ui->ditem[key == 'C' ? 6 : key == 'V' ? 7 : 10];
        if (a->isEnabled())
            a->trigger();
        key = 0;
    }
    // Moving on by key starts editing afresh, as a click does (Escape switched it off).
    if (!(TGridCoord{Col(), Row()} == before) && !m_readOnly)
        SetOptions(Options() + goEditing);
    reportSelection();
    RefreshCorner();
    Invalidate();
}

// ---- mouse ---------------------------------------------------------------------------------

bool TNTabEd::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    const bool r = TCustomGrid::DoMouseWheelDown(shift, mousePos);
    RefreshCorner();
    reportSelection();
    Invalidate();
    return r;
}

bool TNTabEd::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    const bool r = TCustomGrid::DoMouseWheelUp(shift, mousePos);
    RefreshCorner();
    reportSelection();
    Invalidate();
    return r;
}

void TNTabEd::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    NTabEdUi& ui = *m_ui;
    if (ui.memoOpen) {
        TCustomGrid::MouseDown(button, shift, x, y);
        ui.clicked = MouseCoord(x, y);
        if (ui.clicked == TGridCoord{0, 0})
            closeMemo(false);
        return;
    }
    if (ui.headOpen)
        return;
    const TGridCoord c = MouseCoord(x, y);
    const TGridCoord prev = ui.havePrevDown ? MouseCoord(ui.prevDown.x(), ui.prevDown.y()) : TGridCoord{-1, -1};
    // The first click selects a cell, a second one on it starts editing.
    if (!(prev == c))
        SetOptions(Options() - goEditing);
    ui.clicked = c;
    TCustomGrid::MouseDown(button, shift, x, y);
    Invalidate();
    if (x <= 0 || y <= 0 || x >= GetGridWidth() || y >= GetGridHeight() || c.X < 0)
        return;
    ui.prevDown = QPoint(x, y);
    ui.havePrevDown = true;
    const bool internal = !PopupMenu() && !m_blockInternalPopup;
    if (c.X > m_colOffset && c.Y > m_rowOffset) {
        if (prev == c && !m_readOnly) {
            SetOptions(Options() + goEditing);
            if (button == mbLeft && shift.Contains(ssDouble))
                ShowEditor();
        }
        if (button == mbRight && internal)
            openDataPopup(viewport()->mapToGlobal(QPoint(x + 10, y - 20)));
        else if (button == mbLeft)
            RefreshCorner();
    } else if (c == TGridCoord{0, 0}) {
        if (button == mbRight && !m_blockInternalPopup && m_commentEditingAllowed)
            openMemo();
    } else if (c.X > m_colOffset || c.Y > m_rowOffset) {
        if (button == mbRight && internal)
            openHeadingPopup(c);
    }
}

void TNTabEd::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomGrid::MouseUp(button, shift, x, y);
    SetOptions(m_readOnly ? Options() - goEditing : Options() + goEditing);
}

void TNTabEd::MouseMove(TShiftState shift, int x, int y)
{
    TCustomGrid::MouseMove(shift, x, y);
    CheckSelectionChanged();
}

// The menu key opens the data popup at the current cell; a right click has opened the
// internal popup already, so its context-menu event goes no further.
void TNTabEd::contextMenuEvent(QContextMenuEvent* e)
{
    const bool internal = !PopupMenu() && !m_blockInternalPopup;
    if (internal && e->reason() == QContextMenuEvent::Keyboard && !m_ui->memoOpen && !m_ui->headOpen) {
        const TRect r = CellRect(Col(), Row());
        const QPoint at = r.IsEmpty() ? QPoint(0, 0) : QPoint(r.Left + 10, r.Top + 10);
        openDataPopup(viewport()->mapToGlobal(at));
        e->accept();
        return;
    }
    if (internal && e->reason() == QContextMenuEvent::Mouse) {
        e->accept();
        return;
    }
    TCustomGrid::contextMenuEvent(e);
}

// ---- heading edit box and comment memo ----------------------------------------------------

QWidget* TNTabEd::HeadingEditBox() const { return m_ui->headOpen ? m_ui->headBox.data() : nullptr; }
QWidget* TNTabEd::CommentMemo() const { return m_ui->memoOpen ? m_ui->memo.data() : nullptr; }

void TNTabEd::openHeadingBox()
{
    NTabEdUi& ui = *m_ui;
    const TGridCoord cell = ui.clicked;
    if (!ui.headBox || cell.X < 0 || cell.Y < 0 || (cell.X <= m_colOffset && cell.Y <= m_rowOffset))
        return;
    HideEditor();
    QString text;
    if (cell.Y <= m_rowOffset) {
        const int c = cell.X - m_colOffset;
        text = cell.Y == 0 ? ColName(c) : QString::number(ColAttrib(c));
        ui.headCount = NrOfColumns();
    } else {
        const int r = cell.Y - m_rowOffset;
        text = cell.X == 0 ? RowName(r) : QString::number(RowAttrib(r));
        ui.headCount = NrOfRows();
    }
    ui.headCell = cell;
    ui.headOriginal = text;
    const TRect r = CellRect(cell.X, cell.Y);
    ui.headBox->setText(text);
    ui.headBox->setMaxLength(cell.X == 0 || cell.Y == 0 ? DTNameLen : 32767);
    ui.headBox->setFont(Font()->ToQFont());
    ui.headBox->resize(121, ui.headBox->sizeHint().height());
    ui.headBox->move(r.Left + 30, r.Top + 5);
    ui.headBox->show();
    ui.headBox->selectAll();
    ui.headBox->setFocus(Qt::OtherFocusReason);
    ui.headOpen = true;
}

void TNTabEd::closeHeadingBox(bool commit)
{
    NTabEdUi& ui = *m_ui;
    if (!ui.headOpen)
        return;
    ui.headOpen = false;
    const bool hadFocus = ui.headBox->hasFocus();
    ui.headBox->hide();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    Invalidate();
    if (!commit)
        return;
    const TGridCoord cell = ui.headCell;
    const bool column = cell.Y <= m_rowOffset;
    const int ix = column ? cell.X - m_colOffset : cell.Y - m_rowOffset;
    const bool nameCell = column ? cell.Y == 0 : cell.X == 0;
    // The table changed under the box (a heading line hidden, rows or columns inserted,
    // removed or sorted): the text would land on another heading, so it is dropped.
    const int count = column ? NrOfColumns() : NrOfRows();
    const QString now = nameCell ? (column ? ColName(ix) : RowName(ix))
                                 : QString::number(column ? ColAttrib(ix) : RowAttrib(ix));
    const bool lineShown = column ? (cell.Y == 0 || m_rowOffset == 1) : (cell.X == 0 || m_colOffset == 1);
    if (count != ui.headCount || now != ui.headOriginal || !lineShown || ix < 1 || ix > count) {
        MessageBeep();
        return;
    }
    const QString text = ui.headBox->text();
    if (nameCell) {
        column ? SetColName(ix, text) : SetRowName(ix, text);   // fires OnHeadingChanged
        return;
    }
    double v = 0;
    if (!typedNumber(text, v))
        return;   // an attribute that does not convert is ignored
    const Byte a = Byte(std::lround(std::clamp(v, 0.0, 255.0)));
    column ? SetColAttrib(ix, a) : SetRowAttrib(ix, a);
    Fire(OnHeadingChanged);
}

void TNTabEd::openMemo()
{
    NTabEdUi& ui = *m_ui;
    if (!ui.memo)
        return;
    HideEditor();
    SetCommentEditing(true);
    const int left = ColAxis().Size(0);
    ui.memo->setGeometry(left, 0, std::max(20, Width() - left - 20), 80);
    ui.memo->setPlainText(Comment());
    QPalette pal = ui.memo->palette();
    pal.setColor(QPalette::Base, QColor(0x00, 0x80, 0x80));   // TColor 0x808000
    pal.setColor(QPalette::Text, Qt::white);
    ui.memo->setPalette(pal);
    ui.memo->setFont(Font()->ToQFont());
    ui.memo->show();
    ui.memo->setFocus(Qt::OtherFocusReason);
    ui.memoOpen = true;
}

void TNTabEd::closeMemo(bool commit)
{
    NTabEdUi& ui = *m_ui;
    if (!ui.memoOpen)
        return;
    ui.memoOpen = false;
    const bool hadFocus = ui.memo->hasFocus();
    ui.memo->hide();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    SetCommentEditing(false);
    if (commit)
        SetComment(ui.memo->toPlainText());   // fires OnChange
    RefreshCorner();
}

// Enter or Escape end the box and the memo (Enter keeps the text); other keys edit.
bool TNTabEd::uiKey(QObject* watched, int qtKey)
{
    NTabEdUi& ui = *m_ui;
    const bool enter = isEnterKey(qtKey);
    if (!enter && qtKey != Qt::Key_Escape)
        return false;
    if (watched == ui.headBox && ui.headOpen)
        closeHeadingBox(enter);
    else if (watched == ui.memo && ui.memoOpen)
        closeMemo(enter);
    else
        return false;
    return true;
}

} // namespace qor

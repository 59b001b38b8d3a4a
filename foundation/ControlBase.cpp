// The one translation of Qt's events into the control handlers, shared by the control base,
// the grid base and the edit base, and the control surface that goes with it.
#include "foundation/QOR_Controls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QWheelEvent>
#include <type_traits>

namespace qor {

// ---------------------------------------------------------------- key positions

TScanCodeSet NativeScanCodeSet()
{
#ifdef Q_OS_WIN
    return TScanCodeSet::Windows;
#else
    return TScanCodeSet::Xkb;
#endif
}

Word MainRowDigit(quint32 code, TScanCodeSet set)
{
    // Both sets number the row 1, 2, ..., 9, 0 consecutively; X11 key codes are the
    // evdev codes plus 8, and the evdev codes are the Windows scan codes.
    const quint32 first = set == TScanCodeSet::Xkb ? 10 : 2;
    if (code < first || code > first + 9)
        return 0;
    return Word(code == first + 9 ? '0' : '1' + (code - first));
}

Word QtKeyToVK(int qtKey, Qt::KeyboardModifiers mods, quint32 scanCode, TScanCodeSet set)
{
    const Word vk = QtKeyToVK(qtKey, mods);
    if (scanCode == 0 || mods.testFlag(Qt::KeypadModifier))
        return vk;
    if (const Word digit = MainRowDigit(scanCode, set))
        return digit;
    // A key elsewhere that typed "*", "(" or "&": the symbol is not a digit key here.
    return (vk >= '0' && vk <= '9') ? Word(0) : vk;
}

static TMouseButton buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

// ---------------------------------------------------------------- handlers

void TControlHandlers::MouseDown(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseDown) OnMouseDown(m_sender, b, s, x, y); }
void TControlHandlers::MouseMove(TShiftState s, int x, int y) { if (OnMouseMove) OnMouseMove(m_sender, s, x, y); }
void TControlHandlers::MouseUp(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseUp) OnMouseUp(m_sender, b, s, x, y); }
void TControlHandlers::Click() { if (OnClick) OnClick(m_sender); }
void TControlHandlers::DblClick() { if (OnDblClick) OnDblClick(m_sender); }
void TControlHandlers::MouseEnter() { if (OnMouseEnter) OnMouseEnter(m_sender); }
void TControlHandlers::MouseLeave() { if (OnMouseLeave) OnMouseLeave(m_sender); }
void TControlHandlers::KeyDown(Word& key, TShiftState s) { if (OnKeyDown) OnKeyDown(m_sender, key, s); }
void TControlHandlers::KeyPress(QChar& key) { if (OnKeyPress) OnKeyPress(m_sender, key); }
void TControlHandlers::KeyUp(Word& key, TShiftState s) { if (OnKeyUp) OnKeyUp(m_sender, key, s); }
void TControlHandlers::DoEnter() { if (OnEnter) OnEnter(m_sender); }
void TControlHandlers::DoExit() { if (OnExit) OnExit(m_sender); }
void TControlHandlers::Resize() { if (OnResize) OnResize(m_sender); }

bool TControlHandlers::DoMouseWheel(TShiftState shift, int delta, TPoint pos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(m_sender, shift, delta, pos, handled);
    if (handled)
        return true;
    // Fine-grained wheels (touch pads) send fractions of a notch; they add up to steps.
    constexpr int kNotch = 120;
    m_wheelRest += delta;
    while (m_wheelRest <= -kNotch || m_wheelRest >= kNotch) {
        const bool down = m_wheelRest < 0;
        m_wheelRest += down ? kNotch : -kNotch;
        handled = (down ? DoMouseWheelDown(shift, pos) : DoMouseWheelUp(shift, pos)) || handled;
    }
    return handled;
}

bool TControlHandlers::DoMouseWheelDown(TShiftState shift, TPoint pos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(m_sender, shift, pos, handled);
    return handled;
}

bool TControlHandlers::DoMouseWheelUp(TShiftState shift, TPoint pos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(m_sender, shift, pos, handled);
    return handled;
}

// ---------------------------------------------------------------- the control surface

template <class B>
constexpr bool kIsEdit = std::is_base_of_v<QLineEdit, B>;
template <class B>
constexpr bool kIsScrollArea = std::is_base_of_v<QAbstractScrollArea, B>;

template <class B>
TControlBase<B>::TControlBase(QWidget* owner) : B(owner), TControlHandlers(this)
{
    if (OwnerDesigning(owner))
        SetDesigning(true);
    m_font.OnChange = [this](TGraphicsObject*) { fontAssigned(); };
}

template <class B>
TControlBase<B>::~TControlBase()
{
    m_font.OnChange = nullptr;
}

template <class B>
void TControlBase<B>::fontAssigned()
{
    if (!m_syncingFont) {
        // The program assigned the font: the widget shows it and stops following its parent.
        m_parentFont = false;
        m_syncingFont = true;
        const auto done = qScopeGuard([this] { m_syncingFont = false; });
        this->setFont(m_font.ToQFont());
    }
    FontChanged();
}

template <class B>
void TControlBase<B>::takeWidgetFont()
{
    // Only a font someone set (this widget, a parent, a style sheet) replaces the component's
    // own default; the application's default font leaves it alone.
    if (m_syncingFont || this->font().resolveMask() == 0)
        return;
    TFont f(m_font);
    f.FromQFont(this->font());
    if (f == m_font)
        return;
    m_syncingFont = true;
    const auto done = qScopeGuard([this] { m_syncingFont = false; });
    m_font.FromQFont(this->font());
}

template <class B>
void TControlBase<B>::SetParentFont(bool on)
{
    m_parentFont = on;
    if (on) {
        this->setFont(QFont()); // inherit again; the FontChange that follows takes the parent's font
        takeWidgetFont();
    }
}

template <class B>
QSize TControlBase<B>::sizeHint() const
{
    // The size the constructor gave; an edit has none of its own and keeps the line edit's.
    if (!kIsEdit<B> && !m_designSize.isValid() && this->testAttribute(Qt::WA_Resized))
        m_designSize = this->size();
    return m_designSize.isValid() ? m_designSize : B::sizeHint();
}

template <class B>
QSize TControlBase<B>::minimumSizeHint() const
{
    const QSize s = sizeHint();
    return m_designSize.isValid() ? s : B::minimumSizeHint();
}

template <class B>
void TControlBase<B>::SetDesignSize(const QSize& s)
{
    if (s == m_designSize)
        return;
    m_designSize = s;
    this->updateGeometry();
}

template <class B>
bool TControlBase<B>::WantKey(int qtKey, TShiftState) const
{
    return (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) && WantTabs();
}

template <class B>
QRect TControlBase<B>::clickArea() const
{
    if constexpr (kIsScrollArea<B>)
        return this->viewport()->rect();
    else
        return this->rect();
}

template <class B>
bool TControlBase<B>::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ToolTip:
        if (!m_showHint) {
            e->ignore(); // the parent's hint shows instead
            return false;
        }
        break;
    case QEvent::Polish:
        sizeHint(); // records the constructor's size before a layout changes it
        takeWidgetFont();
        break;
    default:
        break;
    }
    return B::event(e);
}

template <class B>
void TControlBase<B>::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        takeWidgetFont();
    B::changeEvent(e);
}

template <class B>
void TControlBase<B>::mousePressEvent(QMouseEvent* e)
{
    if constexpr (kIsEdit<B>) {
        B::mousePressEvent(e);
    } else {
        // Click focus, unless a child (an in-place editor) already has it.
        const QWidget* f = QApplication::focusWidget();
        if ((this->focusPolicy() & Qt::ClickFocus) && !this->hasFocus() && !(f && this->isAncestorOf(f)))
            this->setFocus(Qt::MouseFocusReason);
        e->accept();
    }
    if (e->button() == Qt::LeftButton)
        m_pressedLeft = true;
    const QPoint p = e->position().toPoint();
    MouseDown(buttonOf(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

template <class B>
void TControlBase<B>::mouseMoveEvent(QMouseEvent* e)
{
    if constexpr (kIsEdit<B>)
        B::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    MouseMove(ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

template <class B>
void TControlBase<B>::mouseReleaseEvent(QMouseEvent* e)
{
    if constexpr (kIsEdit<B>)
        B::mouseReleaseEvent(e);
    else
        e->accept();
    const QPoint p = e->position().toPoint();
    const bool click = e->button() == Qt::LeftButton && m_pressedLeft && clickArea().contains(p);
    if (e->button() == Qt::LeftButton)
        m_pressedLeft = false;
    if (click)
        Click();
    MouseUp(buttonOf(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

template <class B>
void TControlBase<B>::mouseDoubleClickEvent(QMouseEvent* e)
{
    if constexpr (kIsEdit<B>)
        B::mouseDoubleClickEvent(e);
    else
        e->accept();
    // The release after a double click is no click of its own.
    m_pressedLeft = false;
    if (e->button() == Qt::LeftButton)
        DblClick();
    const QPoint p = e->position().toPoint();
    MouseDown(buttonOf(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()) + ssDouble, p.x(), p.y());
}

template <class B>
void TControlBase<B>::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    const QPoint p = e->position().toPoint();
    if (delta != 0 && DoMouseWheel(ShiftStateFromQt(e->modifiers(), e->buttons()), delta, p))
        e->accept();
    else
        e->ignore(); // a scroll area around the control scrolls instead
}

template <class B>
void TControlBase<B>::enterEvent(QEnterEvent* e)
{
    B::enterEvent(e);
    MouseEnter();
}

template <class B>
void TControlBase<B>::leaveEvent(QEvent* e)
{
    B::leaveEvent(e);
    MouseLeave();
}

template <class B>
void TControlBase<B>::keyPressEvent(QKeyEvent* e)
{
    const TShiftState shift = ShiftStateFromQt(e->modifiers());
    Word key = QtKeyToVK(e->key(), e->modifiers(), e->nativeScanCode());
    const QString text = e->text();
    m_keyText = text;
    const auto done = qScopeGuard([this] { m_keyText.clear(); });
    if (key != 0) {
        KeyDown(key, shift);
        if (key == 0) { // swallowed
            e->accept();
            return;
        }
    }
    QString typed;
    bool swallowed = false;
    for (QChar c : text) {
        QChar k = c;
        KeyPress(k);
        if (k.isNull())
            swallowed = true;
        else
            typed += k;
    }
    if constexpr (kIsEdit<B>) {
        if (typed == text) {
            B::keyPressEvent(e); // the edit does the rest, and passes on what it does not use
        } else {
            bool printable = !typed.isEmpty();
            for (QChar c : typed)
                printable = printable && c.isPrint();
            if (printable && !this->isReadOnly())
                this->insert(typed);
            e->accept();
        }
    } else {
        const int k = e->key();
        const bool dialogKey = k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter
                               || k == Qt::Key_Tab || k == Qt::Key_Backtab;
        if (dialogKey && !swallowed && !WantKey(k, shift))
            e->ignore();
        else
            e->accept();
    }
}

template <class B>
void TControlBase<B>::keyReleaseEvent(QKeyEvent* e)
{
    const TShiftState shift = ShiftStateFromQt(e->modifiers());
    Word key = QtKeyToVK(e->key(), e->modifiers(), e->nativeScanCode());
    if (key != 0)
        KeyUp(key, shift);
    if constexpr (kIsEdit<B>) {
        B::keyReleaseEvent(e);
    } else {
        const int k = e->key();
        const bool dialogKey = k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter
                               || k == Qt::Key_Tab || k == Qt::Key_Backtab;
        if (dialogKey && key != 0 && !WantKey(k, shift))
            e->ignore();
        else
            e->accept();
    }
}

template <class B>
void TControlBase<B>::focusInEvent(QFocusEvent* e)
{
    B::focusInEvent(e);
    DoEnter();
}

template <class B>
void TControlBase<B>::focusOutEvent(QFocusEvent* e)
{
    B::focusOutEvent(e);
    DoExit();
}

template <class B>
void TControlBase<B>::contextMenuEvent(QContextMenuEvent* e)
{
    if (m_popupMenu) {
        m_popupMenu->popup(e->globalPos());
        e->accept();
        return;
    }
    B::contextMenuEvent(e);
}

template <class B>
bool TControlBase<B>::focusNextPrevChild(bool next)
{
    return WantTabs() ? false : B::focusNextPrevChild(next);
}

template class TControlBase<QWidget>;
template class TControlBase<QAbstractScrollArea>;
template class TControlBase<QLineEdit>;

} // namespace qor

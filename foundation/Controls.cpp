// Component and control bases, keys, timer, clipboard and beep.
#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Testing.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QWheelEvent>

namespace qor {

// ---------------------------------------------------------------- keys

Word QtKeyToVK(int k, Qt::KeyboardModifiers mods)
{
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9)
            return Word(VK_NUMPAD0 + (k - Qt::Key_0));
        switch (k) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Enter: return VK_RETURN;
        default: break;
        }
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return Word('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return Word('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return Word(VK_F1 + (k - Qt::Key_F1));
    switch (k) {
    // Shifted digits arrive as the symbol; the key is the digit's (US layout positions).
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
    }
}

int VKToQtKey(Word vk)
{
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (vk - 'A');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key_F1 + (vk - VK_F1);
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_OEM_PLUS: return Qt::Key_Plus;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    default: return 0;
    }
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers m, Qt::MouseButtons b)
{
    TShiftState s;
    if (m & Qt::ShiftModifier) s.Include(ssShift);
    if (m & Qt::AltModifier) s.Include(ssAlt);
    if (m & Qt::ControlModifier) s.Include(ssCtrl);
    if (b & Qt::LeftButton) s.Include(ssLeft);
    if (b & Qt::RightButton) s.Include(ssRight);
    if (b & Qt::MiddleButton) s.Include(ssMiddle);
    return s;
}

// ---------------------------------------------------------------- components

bool OwnerDesigning(const QObject* owner)
{
    if (!owner)
        return false;
    if (const auto* f = dynamic_cast<const TComponentFlags*>(owner))
        if (f->Designing())
            return true;
    return owner->property("qorDesigning").toBool();
}

void AssignError(const QObject* source, const QObject* dest)
{
    const QString s = source ? QString::fromLatin1(source->metaObject()->className()) : QStringLiteral("nil");
    const QString d = dest ? QString::fromLatin1(dest->metaObject()->className()) : QStringLiteral("nil");
    throw EQORError(QStringLiteral("Cannot assign a %1 to a %2").arg(s, d));
}

TComponent::TComponent(QObject* owner) : QObject(owner)
{
    if (OwnerDesigning(owner))
        SetDesigning(true);
}

void TComponent::Assign(const QObject* source)
{
    if (const auto* c = qobject_cast<const TComponent*>(source)) {
        c->AssignTo(this);
        return;
    }
    AssignError(source, this);
}

void TComponent::AssignTo(QObject* dest) const { AssignError(this, dest); }

// ---------------------------------------------------------------- backing store

TBackingStore::TBackingStore(QWidget* owner, QWidget* view, std::function<QSize()> size,
                             std::function<void()> paint)
    : m_owner(owner), m_view(view), m_size(std::move(size)), m_paint(std::move(paint))
{
    m_canvas.SetTarget(&m_image, &m_owner->palette());
    m_canvas.OnDrawn = [this] {
        if (!m_inPaint) {
            m_drawnOutside = true;
            m_view->update();
        }
    };
}

TBackingStore::~TBackingStore()
{
    m_canvas.OnDrawn = nullptr;
    m_canvas.SetTarget(nullptr);
}

void TBackingStore::ensureSize()
{
    const QSize s = m_size().expandedTo(QSize(1, 1));
    m_canvas.SetPalette(&m_owner->palette());
    if (m_image.size() == s)
        return;
    m_canvas.Flush();
    QImage img(s, QImage::Format_RGB32);
    img.fill(ColorToQColor(m_background, &m_owner->palette()));
    if (!m_image.isNull()) {
        QPainter p(&img);
        p.drawImage(0, 0, m_image);
    }
    m_image = img;
    m_canvas.SetTarget(&m_image, &m_owner->palette());
    m_needsPaint = true;
}

TCanvas* TBackingStore::Canvas()
{
    ensureSize();
    return &m_canvas;
}

void TBackingStore::Invalidate()
{
    m_needsPaint = true;
    m_view->update();
}

void TBackingStore::Repaint()
{
    m_needsPaint = true;
    if (m_view->isVisible()) {
        m_view->repaint();
    } else {
        m_needsPaint = false;
        m_paint();
    }
}

void TBackingStore::PaintEvent()
{
    ensureSize();
    // Paint runs at every paint event, so a hook or setting changed since the last one shows;
    // only an update that drawing outside of Paint asked for shows the image as it is.
    if (m_needsPaint || !m_drawnOutside) {
        m_needsPaint = false;
        m_inPaint = true;
        const auto done = qScopeGuard([this] { m_inPaint = false; });
        m_paint();
    }
    m_drawnOutside = false;
    m_canvas.Flush();
    m_canvas.AcknowledgeDrawn();
    // The image holds device-independent pixels; at a device pixel ratio of 2 each of them
    // covers 2 x 2 device pixels, unsmoothed, so lines and edges stay crisp.
    QPainter p(m_view);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRect(QPoint(0, 0), m_image.size()), m_image);
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(QWidget* owner)
    : TControlBase<QWidget>(owner), m_store(this, this, [this] { return size(); }, [this] { Paint(); })
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A control keeps the size it was designed with unless the program sets another.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::FontChanged() { Invalidate(); }
void TCustomControl::ColorChanged() { Invalidate(); }
void TCustomControl::EnabledChanged() { Invalidate(); }

TCanvas* TCustomControl::Canvas() { return m_store.Canvas(); }

void TCustomControl::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(m_color);
    c->FillRect(ClientRect());
}

void TCustomControl::Invalidate() { m_store.Invalidate(); }

void TCustomControl::Repaint() { m_store.Repaint(); }

void TCustomControl::SetBounds(int left, int top, int w, int h)
{
    setGeometry(left, top, qMax(0, w), qMax(0, h));
    SetDesignSize(size());
}

void TCustomControl::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    m_store.SetBackground(c);
    ColorChanged();
}

void TCustomControl::SetEnabled(bool on)
{
    if (on == isEnabled())
        return;
    setEnabled(on);
}

void TCustomControl::Assign(const QObject* source)
{
    if (source == this)
        return;
    AssignError(source, this);
}

void TCustomControl::AssignTo(QObject* dest) const
{
    // Dest's own Assign decides what it takes; the base Assign refuses, so this cannot loop.
    if (auto* d = qobject_cast<TCustomControl*>(dest); d && metaObject()->inherits(d->metaObject())) {
        d->Assign(this);
        return;
    }
    AssignError(this, dest);
}

void TCustomControl::paintEvent(QPaintEvent*) { m_store.PaintEvent(); }

void TCustomControl::resizeEvent(QResizeEvent*)
{
    m_store.Invalidate();
    Resize();
}

void TCustomControl::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        EnabledChanged();
    else if (e->type() == QEvent::PaletteChange)
        Invalidate();
    TControlBase<QWidget>::changeEvent(e);
}

TGraphicControl::TGraphicControl(QWidget* owner) : TCustomControl(owner) { setFocusPolicy(Qt::NoFocus); }

// ---------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(QWidget* owner) : TControlBase<QLineEdit>(owner)
{
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

int TCustomEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void TCustomEdit::SetSelStart(int pos) { setCursorPosition(qBound(0, pos, text().length())); }

void TCustomEdit::SetSelLength(int len)
{
    const int start = SelStart();
    if (len <= 0)
        setCursorPosition(start);
    else
        setSelection(start, qMin(len, text().length() - start));
}

void TCustomEdit::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(c, &pal));
    setPalette(pal);
}

void TCustomEdit::Change() { if (OnChange) OnChange(this); }

void TCustomEdit::Assign(const QObject* source)
{
    if (const auto* e = dynamic_cast<const TCustomEdit*>(source)) {
        e->AssignTo(this);
        return;
    }
    AssignError(source, this);
}

void TCustomEdit::AssignTo(QObject* dest) const { AssignError(this, dest); }

// ---------------------------------------------------------------- timer, exceptions

static bool s_failTimerStarts = false;

TComponentTimer::TComponentTimer(QObject* owner) : QObject(owner) {}

TComponentTimer::~TComponentTimer() { m_timer.stop(); }

bool TComponentTimer::Start(int intervalMs)
{
    m_timer.stop();
    if (s_failTimerStarts)
        return false;
    m_interval = qMax(1, intervalMs);
    m_timer.start(m_interval, this);
    return m_timer.isActive();
}

void TComponentTimer::Stop() { m_timer.stop(); }

void testing::SetTimerStartsFail(bool fail) { s_failTimerStarts = fail; }

void TComponentTimer::Fire()
{
    try {
        if (OnTimer)
            OnTimer();
    } catch (const std::exception& e) {
        HandleException(parent(), e);
    }
}

void TComponentTimer::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == m_timer.timerId())
        Fire();
    else
        QObject::timerEvent(e);
}

static TExceptionHandler& exceptionHandler()
{
    static TExceptionHandler handler;
    return handler;
}

void SetApplicationExceptionHandler(TExceptionHandler handler) { exceptionHandler() = std::move(handler); }

void HandleException(TObject* sender, const std::exception& e)
{
    if (exceptionHandler())
        exceptionHandler()(sender, e);
    else
        qWarning("qor: unhandled exception%s%s: %s", sender ? " in " : "",
                 sender ? qPrintable(sender->objectName()) : "", e.what());
}

// ---------------------------------------------------------------- clipboard, beep, styles

QString TClipboard::AsText() const
{
    return QGuiApplication::clipboard() ? QGuiApplication::clipboard()->text() : QString();
}

void TClipboard::SetAsText(const QString& text)
{
    if (QGuiApplication::clipboard())
        QGuiApplication::clipboard()->setText(text);
}

bool TClipboard::HasText() const { return !AsText().isEmpty(); }

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}

static int s_beeps = 0;

void MessageBeep(unsigned)
{
    ++s_beeps;
    QApplication::beep();
}

int testing::BeepCount() { return s_beeps; }

static bool s_styles = false;
bool StyleServicesEnabled() { return s_styles; }
void SetStyleServicesEnabled(bool on) { s_styles = on; }

} // namespace qor

// Component and control bases over Qt, keyboard and mouse vocabulary, the component
// timer, the clipboard and the beep.
#pragma once

#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"

#include <QBasicTimer>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace qor {

inline namespace controls_enums {
Q_NAMESPACE
enum TMouseButton : Byte { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)
enum TShiftStateItem : Byte { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
Q_ENUM_NS(TShiftStateItem)
using TShiftState = TSet<TShiftStateItem>;
enum TAlignment : Byte { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)
/// Parts of a control that an active visual style may colour (client area, font, border).
enum TStyleElement : Byte { seFont, seClient, seBorder };
Q_ENUM_NS(TStyleElement)
using TStyleElements = TSet<TStyleElement>;
enum TComponentStateItem : Byte { csLoading, csReading, csWriting, csDestroying, csDesigning };
Q_ENUM_NS(TComponentStateItem)
} // namespace controls_enums
using TComponentState = TSet<TComponentStateItem>;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// Virtual key codes.
constexpr Word VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23;
constexpr Word VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr Word VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F;
constexpr Word VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64;
constexpr Word VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69;
constexpr Word VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B;
constexpr Word VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
constexpr Word VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE;
constexpr Word VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

/// Virtual key of a Qt key event. Digits and letters map to their keys whatever the layout
/// (Shift+4 arrives as '4' with ssShift); keypad keys map to the VK_NUMPAD* family.
Word QtKeyToVK(int qtKey, Qt::KeyboardModifiers modifiers);
/// Where a keyboard's native scan codes come from: X11 and Wayland key codes (the main-row
/// digits 1..9, 0 are 10..19) or Windows scan codes (2..11).
enum class TScanCodeSet : Byte { Xkb, Windows };
/// The scan-code set of the platform this library was built for.
TScanCodeSet NativeScanCodeSet();
/// The digit ('0'..'9') of the main-row key with this native scan code, 0 for any other key.
Word MainRowDigit(quint32 nativeScanCode, TScanCodeSet set = NativeScanCodeSet());
/// Virtual key of a real key event: a main-row digit key gives its digit by its position,
/// whatever the layout and Shift (a German Shift+6 typing "&" is the key '6', a French
/// unshifted key 1 typing "&" is '1'); a key with a scan code that typed a symbol of the US
/// digit row elsewhere (a German Shift++ typing "*") is not a digit. Without a scan code
/// (synthetic events) the Qt key decides as in QtKeyToVK.
Word QtKeyToVK(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
               TScanCodeSet set = NativeScanCodeSet());
/// The Qt key of a virtual key, for synthesising events (0 when there is none).
int VKToQtKey(Word vk);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

/// State every component carries: design mode and loading, with Loaded at the end of loading.
class TComponentFlags {
public:
    virtual ~TComponentFlags() = default;
    TComponentState ComponentState() const { return m_state; }
    bool Designing() const { return m_state.Contains(csDesigning); }
    bool IsLoading() const { return m_state.Contains(csLoading); }
    void SetDesigning(bool on) { on ? m_state.Include(csDesigning) : m_state.Exclude(csDesigning); }
    /// Marks the start of reading the component's properties from a stored form.
    void BeginLoading() { m_state.Include(csLoading); }
    /// Ends loading and runs Loaded.
    void EndLoading() { m_state.Exclude(csLoading); Loaded(); }

protected:
    /// Finishes what depends on several properties once they are all set.
    virtual void Loaded() {}

private:
    TComponentState m_state;
};

/// Raises EQORError "Cannot assign a <source class> to a <dest class>".
[[noreturn]] void AssignError(const QObject* source, const QObject* dest);

/// True when the owner is being designed (a qor component in design mode, or any
/// object with the dynamic property "qorDesigning" set).
bool OwnerDesigning(const QObject* owner);

/// A non-visual component: Name is the object name, the owner is the Qt parent.
class TComponent : public QObject, public TComponentFlags {
    Q_OBJECT
public:
    explicit TComponent(QObject* owner = nullptr);
    QString Name() const { return objectName(); }
    void SetName(const QString& n) { setObjectName(n); }
    QObject* Owner() const { return parent(); }
    int Tag() const { return m_tag; }
    void SetTag(int t) { m_tag = t; }
    /// Copies the settings of Source; the base asks Source's AssignTo, which refuses with EQORError.
    virtual void Assign(const QObject* source);
    /// Lets this component be copied into Dest; the base refuses with EQORError.
    virtual void AssignTo(QObject* dest) const;

private:
    int m_tag = 0;
};

/// The image a control's Canvas draws into and its paint event shows. The control's Paint
/// redraws it at every paint event (so hooks assigned since the last one take effect), or at
/// once through Repaint; drawing outside of a paint asks the view for an update, which shows
/// the image as drawn at the next event-loop turn. The image holds device-independent pixels;
/// on a screen with a higher device pixel ratio each covers a block of device pixels, unsmoothed.
class TBackingStore {
public:
    /// `owner` resolves system colours, `view` is the widget whose paint event shows the image,
    /// `size` gives the image size and `paint` redraws it.
    TBackingStore(QWidget* owner, QWidget* view, std::function<QSize()> size, std::function<void()> paint);
    ~TBackingStore();
    TBackingStore(const TBackingStore&) = delete;
    TBackingStore& operator=(const TBackingStore&) = delete;

    /// The canvas, its image brought to the current size first (pixels that still fit are kept).
    TCanvas* Canvas();
    /// Colour of the area a resize adds.
    void SetBackground(TColor c) { m_background = c; }
    void Invalidate();
    void Repaint();
    /// Runs Paint (unless only drawing outside of it asked for this paint) and shows the
    /// image; call from the view's paint event.
    void PaintEvent();
    /// True while Paint runs; drawing then asks for no extra update.
    bool InPaint() const { return m_inPaint; }
    void SetInPaint(bool on) { m_inPaint = on; }
    const QImage& Image() const { return m_image; }

private:
    void ensureSize();

    QWidget* m_owner;
    QWidget* m_view;
    std::function<QSize()> m_size;
    std::function<void()> m_paint;
    QImage m_image;
    TCanvas m_canvas;
    TColor m_background = clBtnFace;
    bool m_needsPaint = true;
    bool m_inPaint = false;
    bool m_drawnOutside = false; ///< drawn outside of Paint since the last paint event
};

/// The standard events of a control, shared by the control bases and the grid base.
struct TControlEvents {
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;
};

/// The handlers every control base shares. Each runs its On... event; an override calls the
/// base to keep the event. One translation of Qt's events calls them (TControlBase).
class TControlHandlers : public TControlEvents {
public:
    virtual ~TControlHandlers() = default;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    /// Setting Key to 0 swallows the key: no KeyPress follows and it does not go on to the parent.
    virtual void KeyDown(Word& key, TShiftState shift);
    /// Setting Key to a null character swallows it; an edit types a changed character instead.
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    /// Fires OnMouseWheel with the wheel's delta; unless handled, every full notch (120) of the
    /// deltas so far runs DoMouseWheelDown or DoMouseWheelUp once. True when handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();

protected:
    explicit TControlHandlers(QObject* sender) : m_sender(sender) {}

private:
    QObject* m_sender;
    int m_wheelRest = 0;
};

/// One control surface over a Qt widget class (QWidget, QAbstractScrollArea, QLineEdit): the
/// name, tag, font, hint, cursor and popup menu, the design size, and the one translation of
/// Qt's events into the handlers:
/// - mouse: MouseDown; on release inside the control Click, then MouseUp (the classic order);
///   a double click gives DblClick, then MouseDown with ssDouble, and no Click on its release;
/// - keys: KeyDown for keys with a virtual key (digits of the main row by their position),
///   then KeyPress for every character the key typed (QKeyEvent::text()); the dialog keys
///   (Escape, Enter, Tab, Shift+Tab) go on to the parent unless WantKey claims them or a
///   handler swallows them, so a dialog's buttons and the focus chain keep working;
/// - wheel: DoMouseWheel once per event; an unhandled wheel goes on to the parent.
/// The edit base lets QLineEdit handle every event after the handlers.
template <class QtBase>
class TControlBase : public QtBase, public TComponentFlags, public TControlHandlers {
public:
    explicit TControlBase(QWidget* owner);
    ~TControlBase() override;

    QString Name() const { return this->objectName(); }
    void SetName(const QString& n) { this->setObjectName(n); }
    QObject* Owner() const { return this->parent(); }
    int Tag() const { return m_tag; }
    void SetTag(int t) { m_tag = t; }

    /// The component's font. QWidget::setFont, a parent's font and a style sheet font reach it;
    /// assigning it sets the widget's font (and ParentFont becomes false).
    TFont* Font() { return &m_font; }
    const TFont* Font() const { return &m_font; }
    void SetFont(const TFont* f) { m_font.Assign(*f); }
    /// Whether the font follows the parent's; setting it true takes the parent's font again.
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool on);

    QString Hint() const { return this->toolTip(); }
    void SetHint(const QString& h) { this->setToolTip(h); HintChanged(); }
    /// Whether the hint shows as a tool tip; when not, the parent's hint shows.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool on) { m_showHint = on; HintChanged(); }
    QCursor Cursor() const { return this->cursor(); }
    void SetCursor(const QCursor& c) { this->setCursor(c); }
    /// The menu shown on a context-menu request (right click, menu key); not owned.
    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    /// The size the control was designed with: the one its constructor or SetBounds gave it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Runs after every change of Font.
    virtual void FontChanged() {}

protected:
    /// Records the design size (sizeHint) and asks the layout to follow it.
    void SetDesignSize(const QSize& s);
    /// Runs after Hint or ShowHint changed (a control whose viewport takes the mouse mirrors them).
    virtual void HintChanged() {}
    /// Whether the control uses a dialog key (Escape, Enter, Tab, Shift+Tab) itself. The base
    /// claims Tab and Shift+Tab when WantTabs, nothing else.
    virtual bool WantKey(int qtKey, TShiftState shift) const;
    /// Whether Tab and Shift+Tab reach KeyDown instead of moving the focus.
    virtual bool WantTabs() const { return false; }
    /// The text the key being handled typed (empty outside of key handling).
    QString KeyText() const { return m_keyText; }

    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRect clickArea() const;
    void fontAssigned();
    void takeWidgetFont();

    TFont m_font;
    QPointer<QMenu> m_popupMenu;
    QString m_keyText;
    mutable QSize m_designSize;
    int m_tag = 0;
    bool m_pressedLeft = false;
    bool m_showHint = true;
    bool m_parentFont = true;
    bool m_syncingFont = false;
};

extern template class TControlBase<QWidget>;
extern template class TControlBase<QLineEdit>;

/// A control that draws itself. Canvas draws into a backing image of the control's size,
/// which paintEvent shows; Paint redraws the backing image at every paint event the platform
/// sends, so what the setters and hooks say now is what shows. Drawing outside of a paint
/// (a setter calling Paint, a focus rectangle) shows at the next event-loop turn.
class TCustomControl : public TControlBase<QWidget> {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget* owner = nullptr);
    ~TCustomControl() override;

    TCanvas* Canvas();
    virtual void Paint();
    /// Asks for a Paint at the next paint event.
    void Invalidate();
    /// Paint now (through the paint event when visible).
    void Repaint();
    void Refresh() { Repaint(); }

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { move(v, y()); }
    void SetTop(int v) { move(x(), v); }
    void SetWidth(int v) { SetBounds(x(), y(), v, height()); }
    void SetHeight(int v) { SetBounds(x(), y(), width(), v); }
    /// Places the control; the size becomes its design size (sizeHint).
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const { return width(); }
    int ClientHeight() const { return height(); }
    TRect ClientRect() const { return TRect(0, 0, width(), height()); }

    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on);
    bool Visible() const { return isVisible() || !isHidden(); }
    void SetVisible(bool on) { setVisible(on); }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus); }
    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    /// The palette that resolves this control's system colours.
    const QPalette* Palette() const { return &palette(); }
    TColor ResolveColor(TColor c) const { return ColorToRGB(c, &palette()); }

    /// Copies the settings of Source; the base refuses with EQORError.
    virtual void Assign(const QObject* source);
    /// Lets this control be copied into Dest when this control's class derives from Dest's:
    /// Dest's Assign then takes it; otherwise EQORError.
    virtual void AssignTo(QObject* dest) const;

    void FontChanged() override;
    virtual void ColorChanged();
    virtual void EnabledChanged();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    TBackingStore m_store;
    TColor m_color = clBtnFace;
};

/// A control without a window of its own: it takes no keyboard focus.
class TGraphicControl : public TCustomControl {
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* owner = nullptr);
};

/// The edit base: a single-line edit whose Change runs after every change of the text.
class TCustomEdit : public TControlBase<QLineEdit> {
    Q_OBJECT
public:
    explicit TCustomEdit(QWidget* owner = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& t) { setText(t); }
    /// Caret position, 0-based (characters before the caret).
    int SelStart() const;
    void SetSelStart(int pos);
    int SelLength() const { return selectedText().length(); }
    void SetSelLength(int len);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool on) { setReadOnly(on); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on) { setEnabled(on); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    /// The size set becomes the design size (sizeHint).
    void SetWidth(int v) { resize(v, height()); SetDesignSize(size()); }
    void SetHeight(int v) { resize(width(), v); SetDesignSize(size()); }
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    /// Repaints at once.
    void Update() { repaint(); }

    virtual void Assign(const QObject* source);
    /// Lets this edit be copied into Dest; the base refuses with EQORError.
    virtual void AssignTo(QObject* dest) const;

    TNotifyEvent OnChange;

protected:
    /// Runs after every change of the text; the base fires OnChange.
    virtual void Change();

private:
    TColor m_color = clWindow;
};

/// The hidden timer a component keeps time with. Timer id 1; starting again kills the
/// running timer first. Exceptions from OnTimer go to the application's exception handler.
class TComponentTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int TimerId = 1;
    explicit TComponentTimer(QObject* owner);
    ~TComponentTimer() override;
    /// Kills the timer, then starts it with the interval; false when no timer could be had.
    bool Start(int intervalMs);
    void Stop();
    bool Active() const { return m_timer.isActive(); }
    int Interval() const { return m_interval; }
    std::function<void()> OnTimer;
    /// Runs the handler as a timer message would (tests drive time with it).
    void Fire();

protected:
    void timerEvent(QTimerEvent* e) override;

private:
    QBasicTimer m_timer;
    int m_interval = 0;
};

/// Where exceptions raised inside timer handlers and other message handlers go.
using TExceptionHandler = std::function<void(TObject* Sender, const std::exception& E)>;
void SetApplicationExceptionHandler(TExceptionHandler handler);
void HandleException(TObject* sender, const std::exception& e);

/// The clipboard as text.
class TClipboard {
public:
    QString AsText() const;
    void SetAsText(const QString& text);
    bool HasText() const;
};
TClipboard* Clipboard();

/// The system's standard sound (QApplication::beep).
void MessageBeep(unsigned type = 0);

/// Whether a visual style of the application paints the controls (none by default).
bool StyleServicesEnabled();
void SetStyleServicesEnabled(bool on);

} // namespace qor

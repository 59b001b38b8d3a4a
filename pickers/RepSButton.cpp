// Repeating speed button: the hold state, the start delay and the repeat period on the
// component timer.
#include "pickers/QOR_repsbut.h"

#include <QMouseEvent>

namespace qor {

namespace {

TMouseButton buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

} // namespace

TRepSpeedButton::TRepSpeedButton(QWidget* owner) : QToolButton(owner)
{
    if (OwnerDesigning(owner))
        SetDesigning(true);
    // The repetition is ours, on the component timer; the button's own auto-repeat stays off.
    setAutoRepeat(false);
    setMouseTracking(true);
    FRClickTimerHandle = new TComponentTimer(this);
    FRClickTimerHandle->OnTimer = [this] { DoTimer(); };
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (OnClick)
            OnClick(this);
    });
}

TRepSpeedButton::~TRepSpeedButton()
{
    FRClickTimerHandle->Stop();
    FRClickTimerHandle->OnTimer = nullptr;
}

QSize TRepSpeedButton::sizeHint() const { return QToolButton::sizeHint().expandedTo(QSize(23, 22)); }

void TRepSpeedButton::SetStartClickInterval(int ms)
{
    ms = qMax(MinInterval, ms);
    if (ms == FStartIv)
        return;
    FStartIv = ms;
    if (!Designing())
        InitTimer();
}

void TRepSpeedButton::SetRepeatClickInterval(int ms)
{
    ms = qMax(MinInterval, ms);
    if (ms == FRepClickIv)
        return;
    FRepClickIv = ms;
    if (!Designing())
        UpdateTimer();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent handler)
{
    OnRepeatClick = std::move(handler);
    if (!Designing())
        UpdateTimer();
}

void TRepSpeedButton::runTimer(int ms)
{
    if (!FRClickTimerHandle->Start(ms))
        throw EQORRepSpeedButton(ComponentMessage(Name(), QStringLiteral("no timer available")));
}

void TRepSpeedButton::InitTimer()
{
    FIsStart = true;
    FRClickTimerHandle->Stop();
    if (FStartIv > 0 && FRClickTimerEnabled)
        runTimer(FStartIv);
}

void TRepSpeedButton::UpdateTimer()
{
    FIsStart = false;
    FRClickTimerHandle->Stop();
    if (FRepClickIv > 0 && FRClickTimerEnabled)
        runTimer(FRepClickIv);
}

void TRepSpeedButton::DoTimer()
{
    // A tick already queued when the hold ended must not repeat a click the user let go of.
    if (!FRClickTimerEnabled)
        return;
    if (FIsStart)
        UpdateTimer();
    if (OnRepeatClick)
        OnRepeatClick(this);
}

void TRepSpeedButton::cancelRepeat()
{
    if (!FRClickTimerEnabled)
        return;
    FRClickTimerEnabled = false;
    UpdateTimer();
}

void TRepSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    if (button == mbLeft) {
        FRClickTimerEnabled = true;
        InitTimer();
    }
}

void TRepSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TRepSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
    if (button == mbLeft) {
        FRClickTimerEnabled = false;
        UpdateTimer();
    }
}

// Qt must not see exceptions leave an event handler; like a timer message, a failure here goes to
// the application's exception handler.
void TRepSpeedButton::mousePressEvent(QMouseEvent* e)
{
    QToolButton::mousePressEvent(e);
    const QPoint p = e->position().toPoint();
    try {
        MouseDown(buttonOf(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
    } catch (const std::exception& ex) {
        HandleException(this, ex);
    }
}

void TRepSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    QToolButton::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    MouseMove(ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
    // While the button is held Qt keeps the mouse grabbed, so leaving shows as a move outside.
    if (!rect().contains(p))
        cancelRepeat();
}

void TRepSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    QToolButton::mouseReleaseEvent(e);
    const QPoint p = e->position().toPoint();
    MouseUp(buttonOf(e->button()), ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TRepSpeedButton::leaveEvent(QEvent* e)
{
    QToolButton::leaveEvent(e);
    cancelRepeat();
}

void TRepSpeedButton::hideEvent(QHideEvent* e)
{
    cancelRepeat();
    QToolButton::hideEvent(e);
}

void TRepSpeedButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled())
        cancelRepeat();
    QToolButton::changeEvent(e);
}

} // namespace qor

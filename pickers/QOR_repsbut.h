// TRepSpeedButton: a tool button that repeats while the left mouse button holds it down, like
// the arrow of a scroll bar: OnRepeatClick comes first after a start delay, then at a steady
// interval, timed by the component timer.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QToolButton>

namespace qor {

class EQORRepSpeedButton : public EQORError {
public:
    using EQORError::EQORError;
};

class TRepSpeedButton : public QToolButton, public TComponentFlags {
    Q_OBJECT
    Q_PROPERTY(int StartClickInterval READ StartClickInterval WRITE SetStartClickInterval)
    Q_PROPERTY(int RepeatClickInterval READ RepeatClickInterval WRITE SetRepeatClickInterval)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    /// Shortest interval accepted, in milliseconds.
    static constexpr int MinInterval = 10;

    explicit TRepSpeedButton(QWidget* owner = nullptr);
    ~TRepSpeedButton() override;

    QString Name() const { return objectName(); }
    void SetName(const QString& n) { setObjectName(n); }
    QObject* Owner() const { return parent(); }

    /// Delay before the first repeat, ms (at least MinInterval). While the button is held, a
    /// change starts the delay anew.
    int StartClickInterval() const { return FStartIv; }
    void SetStartClickInterval(int ms);
    /// Period of the repeats, ms (at least MinInterval). While the button is held, a change
    /// switches to repeating at the new period.
    int RepeatClickInterval() const { return FRepClickIv; }
    void SetRepeatClickInterval(int ms);
    /// Stores the handler; while the button is held the timer switches to the repeat period,
    /// otherwise any timer is stopped.
    void SetOnRepeatClick(TNotifyEvent handler);

    QString Caption() const { return text(); }
    void SetCaption(const QString& c) { setText(c); }
    bool Flat() const { return autoRaise(); }
    void SetFlat(bool on) { setAutoRaise(on); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on) { setEnabled(on); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool on) { setVisible(on); }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& h) { setToolTip(h); }
    int Tag() const { return m_tag; }
    void SetTag(int t) { m_tag = t; }
    /// Kept for the visual styles of the platform; the classic look ignores it.
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements e) { FStyleElements = e; }

    /// True while the left button holds the button down (repetition armed).
    bool Repeating() const { return FRClickTimerEnabled; }
    /// True while the timer runs with the start delay, before the first repeat.
    bool IsStart() const { return FIsStart; }
    TComponentTimer* RepeatTimer() const { return FRClickTimerHandle; }

    QSize sizeHint() const override;

    TNotifyEvent OnRepeatClick;
    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    /// One timer tick: leaves the start delay for the repeat period, then fires OnRepeatClick.
    virtual void DoTimer();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    /// Starts the timer with the start delay (only while held).
    void InitTimer();
    /// Switches the timer to the repeat period (only while held; otherwise just stops it).
    void UpdateTimer();
    /// Ends a hold without a release inside the button: leaving, disabling, hiding.
    void cancelRepeat();
    void runTimer(int ms);

    TComponentTimer* FRClickTimerHandle = nullptr;
    bool FRClickTimerEnabled = false;
    bool FIsStart = true;
    int FRepClickIv = 200;
    int FStartIv = 500;
    int m_tag = 0;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
};

} // namespace qor

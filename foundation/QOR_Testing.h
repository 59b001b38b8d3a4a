// Hooks for the library's own tests; not part of the components' interface.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace qor::testing {

/// Counts the paint events a widget receives: what reaches the screen, which the backing image
/// alone cannot show.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w = nullptr)
    {
        if (w)
            w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        n += e->type() == QEvent::Paint;
        return false;
    }
    int n = 0;
};

/// Makes every TComponentTimer::Start fail while set, to exercise the "no timer available" path.
void SetTimerStartsFail(bool fail);
/// How many times MessageBeep ran since the program started.
int BeepCount();

} // namespace qor::testing

#include "ui/precise_timer.h"

namespace tessarion::ui {

PreciseTimer::PreciseTimer(QObject* parent)
    : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
}

void PreciseTimer::setEnabled(bool enabled)
{
    // QTimer::start on a running timer would restart its count.
    if (enabled && !isActive())
        start();
    else if (!enabled)
        stop();
}

void PreciseTimer::setInterval(std::int32_t milliseconds)
{
    // Re-applied on every paint; a restart each time would make the animation lag the clock.
    if (milliseconds != interval())
        QTimer::setInterval(milliseconds);
}

} // namespace tessarion::ui

#include "paint_counter.h"

#include <QEvent>
#include <QWidget>

namespace tessarion::support {

void PaintCounter::watch(QWidget& widget)
{
    counts_.emplace(&widget, 0);
    widget.installEventFilter(this);
}

int PaintCounter::count(const QWidget& widget) const
{
    const auto found = counts_.find(&widget);
    return found == counts_.end() ? 0 : found->second;
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        const auto found = counts_.find(watched);
        if (found != counts_.end())
            ++found->second;
    }
    return false;
}

} // namespace tessarion::support

#pragma once

#include "harness.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace tessarion::bench {

/// An application that tells after every paint event has been handled, so that a start-up
/// child can note when its window's first complete paint is done.
class PaintWatchingApplication : public QApplication {
public:
    using QApplication::QApplication;

    /// Called with the receiver once its paint event has been handled.
    std::function<void(QObject*)> afterPaint;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool paint = event->type() == QEvent::Paint;
        const bool handled = QApplication::notify(receiver, event);
        if (paint && afterPaint)
            afterPaint(receiver);
        return handled;
    }
};

/// The line a start-up child prints for the parent: the moment of its first complete paint.
inline void reportFirstPaint()
{
    std::printf("first_paint_ns=%lld\n", static_cast<long long>(monotonicNanoseconds()));
    std::fflush(stdout);
}

/// The line a child prints as it ends: its peak resident memory. Read from the kernel's own
/// account of this process; the parent's wait4 figure would include the parent's memory,
/// which the child shares until it executes its program.
inline void reportPeakMemory()
{
    long kib = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kib = std::strtol(line + 6, nullptr, 10);
        std::fclose(status);
    }
    std::printf("peak_rss_kib=%ld\n", kib);
    std::fflush(stdout);
}

/// The animation ticks a child runs after its first paint, from `--ticks=N`; 0 for none.
inline int ticksArgument(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(QStringLiteral("--ticks=")))
            return argument.mid(8).toInt();
    return 0;
}

} // namespace tessarion::bench

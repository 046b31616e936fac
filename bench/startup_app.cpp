// The program's own start-up, as src/main.cpp does it, reporting when all four panels have
// painted for the first time. With --ticks=N it then animates N ticks, for the memory peak
// of a running window, and quits.

#include "first_paint.h"

#include "paint_counter.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/precise_timer.h"
#include "ui/startup_guard.h"

#include <array>

int main(int argc, char* argv[])
{
    tessarion::ui::StartupGuard guard;
    tessarion::bench::PaintWatchingApplication app(argc, argv);
    guard.release();
    tessarion::ui::prepareApplication(app);
    tessarion::ui::MainWindow window;

    const std::array<tessarion::ui::PanelWidget*, 4> panels{window.panel("P1"), window.panel("p2"),
                                                            window.panel("p3"), window.panel("p4")};
    tessarion::support::PaintCounter paints;
    for (auto* panel : panels)
        paints.watch(*panel);
    const int ticks = tessarion::bench::ticksArgument(QCoreApplication::arguments());
    bool reported = false;
    app.afterPaint = [&](QObject* /*receiver*/) {
        if (reported)
            return;
        for (const auto* panel : panels)
            if (paints.count(*panel) == 0)
                return;
        reported = true;
        tessarion::bench::reportFirstPaint();
        if (ticks == 0)
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
        else
            window.form().start();
    };
    int ticked = 0;
    const auto* timer = window.findChild<tessarion::ui::PreciseTimer*>(QStringLiteral("Timer1"));
    QObject::connect(timer, &QTimer::timeout, &app, [&] {
        if (++ticked == ticks)
            QCoreApplication::quit();
    });

    window.show();
    const int status = QApplication::exec();
    tessarion::bench::reportPeakMemory();
    return status;
}

// The baseline of the start-up and memory figures: an empty Qt window of the program's size,
// shown the same way, reporting its first paint. With --label it shows one line of text, so
// that the toolkit loads its fonts as any window with text must. With --ticks=N it then
// repaints itself every 50 ms N times and quits.

#include "first_paint.h"

#include "core/layout.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    using namespace tessarion::core;
    tessarion::bench::PaintWatchingApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(wholePixels(clientWidthTwips), wholePixels(clientHeightTwips));
    QLabel* label = nullptr;
    if (QCoreApplication::arguments().contains(QStringLiteral("--label")))
        label = new QLabel(QString::fromUtf8(windowCaption.data(), windowCaption.size()), &window);

    const int ticks = tessarion::bench::ticksArgument(QCoreApplication::arguments());
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(50);
    int ticked = 0;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        window.repaint();
        if (++ticked == ticks)
            QCoreApplication::quit();
    });
    bool reported = false;
    app.afterPaint = [&](QObject* receiver) {
        // The window paints before its children; the label, when there is one, comes last.
        const QObject* last = label != nullptr ? static_cast<QObject*>(label) : &window;
        if (reported || receiver != last)
            return;
        reported = true;
        tessarion::bench::reportFirstPaint();
        if (ticks == 0)
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
        else
            timer.start();
    };

    window.show();
    const int status = QApplication::exec();
    tessarion::bench::reportPeakMemory();
    return status;
}

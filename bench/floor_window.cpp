// The floor of the CPU measured under X (bench/cpu_under_x.py): a window of the program's size
// with its panels, buttons, text fields and labels at their places, built from the layout table
// with plain Qt widgets. "Start" starts a 50 ms precise timer whose every tick repaints the
// four panels' inner areas, and a panel's paint only erases; "Stop" stops it. Whatever the
// program costs above this is the cost of its own drawing and bookkeeping.

#include "core/layout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <map>
#include <string_view>

namespace {

using namespace tessarion::core;

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QRect geometryOf(const ControlSpec& spec)
{
    const int border = spec.container.empty() ? 0 : panelBorderPixels;
    return {wholePixels(spec.left) + border, wholePixels(spec.top) + border,
            wholePixels(spec.width), wholePixels(spec.height)};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(text(windowCaption));
    window.setFixedSize(wholePixels(clientWidthTwips), wholePixels(clientHeightTwips));

    std::map<std::string_view, QFrame*> panels;
    QPushButton* start = nullptr;
    QPushButton* stop = nullptr;
    for (const ControlSpec& spec : windowLayout()) {
        QWidget* container = spec.container.empty() ? &window : panels.at(spec.container);
        switch (spec.kind) {
        case ControlKind::Panel: {
            auto* panel = new QFrame(&window);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setLineWidth(panelBorderPixels);
            // Qt's own erase of the background is the whole of a panel's paint.
            panel->setAutoFillBackground(true);
            // A panel holds the focus as the program's do, so that no text field's cursor
            // blinks in the floor alone.
            panel->setFocusPolicy(Qt::StrongFocus);
            panel->setGeometry(geometryOf(spec));
            panels.emplace(spec.name, panel);
            break;
        }
        case ControlKind::TextField: {
            auto* field = new QLineEdit(text(spec.caption), container);
            field->setGeometry(geometryOf(spec));
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text(spec.caption), container);
            label->setGeometry(geometryOf(spec));
            label->setVisible(spec.visible);
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text(spec.caption), container);
            button->setGeometry(geometryOf(spec));
            if (spec.caption == "Start")
                start = button;
            else if (spec.caption == "Stop")
                stop = button;
            break;
        }
        // Line figures and frames are drawing, which a floor leaves out.
        case ControlKind::LineFigure:
        case ControlKind::Frame:
        case ControlKind::Timer: break;
        }
    }
    // The program's first tab stop, which has the focus when its window opens.
    panels.at("P1")->setFocus();

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        for (const char* name : {"P1", "p2", "p3", "p4"}) {
            QFrame* panel = panels.at(name);
            panel->repaint(panel->contentsRect());
        }
    });
    QObject::connect(start, &QPushButton::clicked, &timer, qOverload<>(&QTimer::start));
    QObject::connect(stop, &QPushButton::clicked, &timer, &QTimer::stop);

    window.show();
    return QApplication::exec();
}

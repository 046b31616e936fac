#include "ui/window_zoom.h"

#include "ui/panel_widget.h"

#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace tessarion::ui {

namespace {
// One notch of a common mouse wheel; touch pads send smaller steps that add up to it.
constexpr int wheelNotch = 120;

QFont zoomedFont(QFont font, double zoom)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    else
        font.setPixelSize(zoom::lineWidth(font.pixelSize(), zoom));
    return font;
}
} // namespace

WindowZoom::WindowZoom(QWidget& window)
    : QObject(&window)
    , window_(window)
    , design_(window.size())
    , fit_{1, {0, 0}, window.size()}
{
    window.setMinimumSize(zoom::scaled(design_, zoom::steps.front()));
    record(window);
    window.installEventFilter(this);
}

WindowZoom::~WindowZoom() = default;

// Panels hold controls of their own, placed in the panel's inner area.
void WindowZoom::record(QWidget& container)
{
    for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        auto* panel = qobject_cast<PanelWidget*>(child);
        // A panel draws its text with its painter scaled, so its own font stays as it is.
        controls_.push_back({child, child->geometry(),
                             panel == nullptr ? std::optional(child->font()) : std::nullopt});
        // Ctrl with the wheel zooms over any control, whether or not it would pass it on.
        child->installEventFilter(this);
        if (panel != nullptr) {
            panels_.emplace_back(panel);
            record(*panel);
        }
    }
}

QRect WindowZoom::place(const QRect& design) const
{
    return zoom::scaled(design, fit_.zoom).translated(fit_.offset);
}

void WindowZoom::apply(const zoom::Fit& fit)
{
    if (fit == fit_)
        return;
    const bool zoomChanged = fit.zoom != fit_.zoom;
    fit_ = fit;
    for (const Control& control : controls_) {
        if (control.widget == nullptr)
            continue;
        QRect geometry = zoom::scaled(control.geometry, fit.zoom);
        if (control.widget->parentWidget() == &window_)
            geometry.translate(fit.offset);
        control.widget->setGeometry(geometry);
        if (zoomChanged && control.font)
            control.widget->setFont(zoomedFont(*control.font, fit.zoom));
    }
    if (zoomChanged)
        for (PanelWidget* panel : panels_)
            if (panel != nullptr)
                panel->setZoom(fit.zoom);
    // The frames lie on the window's own surface.
    window_.update();
}

void WindowZoom::zoomTo(double step)
{
    const bool leaving = isFullScreen(window_) ||
                         (window_.windowState() & Qt::WindowMaximized) != Qt::WindowStates();
    if (leaving)
        leave(Qt::WindowFullScreen | Qt::WindowMaximized);
    const QRect available = window_.screen()->availableGeometry();
    level_ = zoom::largestStepWithin(step, availableSize(), design_);
    const QSize size = zoom::scaled(design_, level_);
    const QSize outer = size + normalFrame_;
    // Out of full screen or maximised it comes back centred, since the window system may
    // still report the fitted place; otherwise it stays, moved only to keep it whole on the
    // screen.
    const QPoint from =
        leaving ? available.center() - QPoint(outer.width(), outer.height()) / 2 : window_.pos();
    const QPoint to(
        std::max(available.left(), std::min(from.x(), available.right() + 1 - outer.width())),
        std::max(available.top(), std::min(from.y(), available.bottom() + 1 - outer.height())));
    window_.resize(size);
    if (leaving || to != window_.pos())
        window_.move(to);
    // A window already within a pixel of the step's size gets no resize.
    apply(zoom::fit(window_.size(), design_, level_));
}

void WindowZoom::zoomIn()
{
    const double step =
        zoom::largestStepWithin(zoom::nextStep(fit_.zoom, +1), availableSize(), design_);
    if (step > fit_.zoom)
        zoomTo(step);
}

QSize WindowZoom::availableSize() const
{
    return window_.screen()->availableGeometry().size() - normalFrame_;
}

// Full screen has no frame and a maximised window may have less of one; a step resizes to
// a normal window, framed as the last one was.
void WindowZoom::noteFrame()
{
    if (window_.isVisible() && !(window_.windowState() & Qt::WindowMaximized) &&
        !isFullScreen(window_))
        normalFrame_ = window_.frameGeometry().size() - window_.size();
}

bool isFullScreen(const QWidget& window)
{
    if (window.windowState() & Qt::WindowFullScreen)
        return true;
    const QScreen* screen = window.screen();
    return window.isVisible() && screen != nullptr &&
           window.geometry().contains(screen->geometry());
}

void WindowZoom::toggleFullScreen()
{
    if (isFullScreen(window_))
        leaveFullScreen();
    else
        window_.setWindowState(window_.windowState() | Qt::WindowFullScreen);
}

void WindowZoom::leaveFullScreen()
{
    if (!isFullScreen(window_))
        return;
    // Where Qt did not hear of full screen, its idea of the window's normal place is the full
    // screen; the step's size follows.
    const bool unheard = leave(Qt::WindowFullScreen);
    if (unheard)
        window_.resize(zoom::scaled(design_, level_));
}

bool WindowZoom::leave(Qt::WindowStates fitted)
{
    const Qt::WindowStates state = window_.windowState();
    const bool unheard = !(state & Qt::WindowFullScreen) && isFullScreen(window_);
    // Qt ignores a change to the state it believes in already: naming full screen first makes
    // it ask the window manager to leave.
    if (unheard)
        window_.setWindowState(state | Qt::WindowFullScreen);
    window_.setWindowState(state & ~fitted);
    return unheard;
}

void WindowZoom::wheel(int angleDelta)
{
    wheelDelta_ += angleDelta;
    for (; wheelDelta_ >= wheelNotch; wheelDelta_ -= wheelNotch)
        zoomIn();
    for (; wheelDelta_ <= -wheelNotch; wheelDelta_ += wheelNotch)
        zoomOut();
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* wheelEvent = static_cast<QWheelEvent*>(event);
        if (!(wheelEvent->modifiers() & Qt::ControlModifier))
            return false;
        wheel(wheelEvent->angleDelta().y());
        event->accept();
        return true;
    }
    if (watched != &window_)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        noteFrame();
        apply(zoom::fit(window_.size(), design_, level_));
        break;
    case QEvent::Move: noteFrame(); break;
    default: break;
    }
    return false;
}

} // namespace tessarion::ui

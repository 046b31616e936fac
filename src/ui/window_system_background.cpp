#include "ui/window_system_background.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>

namespace tessarion::ui {

WindowSystemBackground::WindowSystemBackground(QWidget& window)
    : QObject(&window)
    , window_(window)
{
    window.installEventFilter(this);
}

bool WindowSystemBackground::eventFilter(QObject* watched, QEvent* event)
{
    // The native window exists once shown; it is mapped only after the show event.
    if (watched == &window_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::PaletteChange))
        apply();
    return false;
}

void WindowSystemBackground::apply()
{
    // Other platforms may offer the interface too, without a connection of their own.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr || !window_.testAttribute(Qt::WA_WState_Created))
        return;
    // Qt's window has no background, so pixels it does not draw keep whatever stood there
    // before: black, or an earlier frame after leaving full screen. With this background and
    // bit gravity Forget, the server clears the whole window after every size change and Qt
    // draws it again.
    const std::uint32_t values[] = {window_.palette().color(QPalette::Window).rgba(),
                                    XCB_GRAVITY_BIT_FORGET};
    xcb_change_window_attributes(x11->connection(), static_cast<xcb_window_t>(window_.winId()),
                                 XCB_CW_BACK_PIXEL | XCB_CW_BIT_GRAVITY, values);
    xcb_flush(x11->connection());
}

} // namespace tessarion::ui

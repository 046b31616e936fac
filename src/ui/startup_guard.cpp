#include "ui/startup_guard.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace tessarion::ui {

namespace {
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

QtMessageHandler forwardTo = nullptr;
std::vector<HeldMessage>* held = nullptr;
} // namespace

StartupGuard::StartupGuard()
    : active_(true)
{
    held = new std::vector<HeldMessage>;
    previous_ = qInstallMessageHandler(&StartupGuard::handle);
    forwardTo = previous_;
}

StartupGuard::~StartupGuard() { release(); }

void StartupGuard::release()
{
    if (!active_)
        return;
    active_ = false;
    qInstallMessageHandler(previous_);
    std::vector<HeldMessage>* messages = std::exchange(held, nullptr);
    for (const HeldMessage& message : *messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        if (previous_ != nullptr)
            previous_(message.type, context, message.text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(message.text));
    }
    delete messages;
}

QString StartupGuard::noDisplayMessage()
{
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty())
        return QStringLiteral("tessarion: no display to open the window on "
                              "(neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return QStringLiteral("tessarion: cannot connect to the display %1 to open the window")
        .arg(QString::fromLocal8Bit(display.isEmpty() ? wayland : display));
}

void StartupGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Creating the application fails only when no window system answers.
        std::fprintf(stderr, "%s\n", qPrintable(noDisplayMessage()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (held != nullptr)
        held->push_back({type, context.category != nullptr ? context.category : "", text});
}

} // namespace tessarion::ui

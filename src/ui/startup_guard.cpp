#include "ui/startup_guard.h"

#include "ui/translations.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tessarion::ui {

namespace {

std::vector<StartupMessage>* held = nullptr;

const QString programPrefix = QStringLiteral("tessarion: ");

// The application object is still being created, so its translators are not in place yet.
QString translated(const char* text) { return translateEarly("StartupGuard", text); }

enum class DisplayServer { None, X11, Wayland };

// The display server a platform plugin says it could not reach, if the message says that.
// Qt's own wording, from the xcb and wayland plugins.
DisplayServer unreachableServer(const StartupMessage& message)
{
    if (message.text.startsWith(u"could not connect to display"))
        return DisplayServer::X11;
    if (message.text.startsWith(u"Failed to create wl_display"))
        return DisplayServer::Wayland;
    return DisplayServer::None;
}

bool isWarningOrWorse(QtMsgType type)
{
    return type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
}

QString firstLine(const QString& text) { return text.section(u'\n', 0, 0).trimmed(); }

// When no platform plugin starts, Qt ends with one generic fatal message that advises
// reinstalling; the cause is in what the plugins said before it.
QString toolkitReason(const std::vector<StartupMessage>& earlier, const QString& fatal)
{
    if (!fatal.contains(u"no Qt platform plugin could be initialized"))
        return firstLine(fatal);
    for (const StartupMessage& message : earlier)
        if (isWarningOrWorse(message.type) && message.category.startsWith("qt.qpa"))
            return firstLine(message.text);
    for (const StartupMessage& message : earlier)
        if (isWarningOrWorse(message.type))
            return firstLine(message.text);
    // Its first sentence, without the advice.
    const QString line = firstLine(fatal);
    const qsizetype end = line.indexOf(u". ");
    return end < 0 ? line : line.left(end + 1);
}

} // namespace

StartupGuard::StartupGuard()
    : active_(true)
{
    held = new std::vector<StartupMessage>;
    previous_ = qInstallMessageHandler(&StartupGuard::handle);
}

StartupGuard::~StartupGuard() { release(); }

void StartupGuard::release()
{
    if (!active_)
        return;
    active_ = false;
    qInstallMessageHandler(previous_);
    std::vector<StartupMessage>* messages = std::exchange(held, nullptr);
    for (const StartupMessage& message : *messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (previous_ != nullptr)
            previous_(message.type, context, message.text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(message.text));
    }
    delete messages;
}

QString StartupGuard::failureLine(const std::vector<StartupMessage>& earlier, const QString& fatal)
{
    const QString x11 = QString::fromLocal8Bit(qgetenv("DISPLAY"));
    const QString wayland = QString::fromLocal8Bit(qgetenv("WAYLAND_DISPLAY"));
    bool displayFailed = false;
    QStringList unreachable;
    for (const StartupMessage& message : earlier) {
        switch (unreachableServer(message)) {
        case DisplayServer::None: break;
        case DisplayServer::X11:
            displayFailed = true;
            // Without DISPLAY the X plugin tries no display at all.
            if (!x11.isEmpty())
                unreachable.append(x11);
            break;
        case DisplayServer::Wayland:
            displayFailed = true;
            // Without WAYLAND_DISPLAY the client library tries this socket.
            unreachable.append(wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland);
            break;
        }
    }
    if (!displayFailed)
        return programPrefix +
               translated(QT_TRANSLATE_NOOP("StartupGuard", "cannot open the window: %1"))
                   .arg(toolkitReason(earlier, fatal));
    if (x11.isEmpty() && wayland.isEmpty())
        return programPrefix + translated(QT_TRANSLATE_NOOP(
                                   "StartupGuard", "no display to open the window on (neither "
                                                   "DISPLAY nor WAYLAND_DISPLAY is set)"));
    if (unreachable.isEmpty())
        return programPrefix +
               translated(QT_TRANSLATE_NOOP(
                   "StartupGuard", "no X display to open the window on (DISPLAY is not set)"));
    unreachable.removeDuplicates();
    return programPrefix +
           translated(QT_TRANSLATE_NOOP("StartupGuard",
                                        "cannot connect to the display %1 to open the window"))
               .arg(unreachable.join(QStringLiteral(", ")));
}

void StartupGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        const std::vector<StartupMessage> none;
        std::fprintf(stderr, "%s\n", qPrintable(failureLine(held != nullptr ? *held : none, text)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (held != nullptr)
        held->push_back({type, QByteArray(context.category), text});
}

} // namespace tessarion::ui

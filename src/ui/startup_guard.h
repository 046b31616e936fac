#pragma once

#include <QString>
#include <QtMessageHandler>

#include <vector>

namespace tessarion::ui {

/// Watches the toolkit's messages while the application object is being created: when no
/// window system can be reached it prints one plain line and exits with status 1, instead of
/// the toolkit's advice to reinstall followed by an abort.
class StartupGuard {
public:
    StartupGuard();
    /// Ends the watch and passes on the messages held back meanwhile.
    void release();
    ~StartupGuard();

    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;

    /// The line printed when no display can be reached.
    static QString noDisplayMessage();

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_ = nullptr;
    bool active_ = false;
};

} // namespace tessarion::ui

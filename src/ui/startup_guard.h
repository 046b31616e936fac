#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QtMessageHandler>

#include <vector>

namespace tessarion::ui {

/// A message the toolkit sent while the application object was being created.
struct StartupMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

/// Watches the toolkit's messages while the application object is being created: when that
/// fails it prints one plain line saying why and exits with status 1, instead of the
/// toolkit's advice to reinstall followed by an abort.
class StartupGuard {

public:
    StartupGuard();
    /// Ends the watch and passes on the messages held back meanwhile.
    void release();
    ~StartupGuard();

    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;

    /// The line printed when creating the application ends in `fatal`, after the `earlier`
    /// messages: a display line when no display could be reached, else the toolkit's reason.
    /// Reads DISPLAY and WAYLAND_DISPLAY to name the display.
    static QString failureLine(const std::vector<StartupMessage>& earlier, const QString& fatal);

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_ = nullptr;
    bool active_ = false;
};

} // namespace tessarion::ui

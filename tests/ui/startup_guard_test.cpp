// The one line printed when the application object cannot be created, from the messages the
// toolkit sends on the way, as Qt 6 words them. Each case sets DISPLAY and WAYLAND_DISPLAY.
#include "ui/startup_guard.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tessarion::ui {
namespace {

// What Qt ends with whenever no platform plugin could be started.
const QString genericFatal = QStringLiteral(
    "This application failed to start because no Qt platform plugin could be initialized. "
    "Reinstalling the application may fix this problem.\n\n"
    "Available platform plugins are: wayland-egl, minimal, linuxfb, offscreen, xcb, wayland.\n");

StartupMessage warning(const char* category, const char* text)
{
    return {QtWarningMsg, category, QString::fromUtf8(text)};
}
StartupMessage critical(const char* text) { return {QtCriticalMsg, {}, QString::fromUtf8(text)}; }
StartupMessage notLoaded(const char* plugin)
{
    return {QtInfoMsg, "qt.qpa.plugin",
            QStringLiteral("Could not load the Qt platform plugin \"%1\" in \"\" even though it "
                           "was found.")
                .arg(QString::fromUtf8(plugin))};
}

StartupMessage xcbUnreachable(const char* display)
{
    return warning("qt.qpa.xcb", (std::string("could not connect to display ") + display).c_str());
}
const StartupMessage waylandUnreachable =
    critical("Failed to create wl_display (No such file or directory)");

struct FailureCase {
    const char* name;
    const char* display; // nullptr: unset
    const char* waylandDisplay;
    std::vector<StartupMessage> earlier;
    QString fatal;
    const char* expected;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

void setOrUnset(const char* variable, const char* value)
{
    if (value != nullptr)
        qputenv(variable, value);
    else
        qunsetenv(variable);
}

class StartupFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, SaysWhatWentWrongInOneLine)
{
    const FailureCase& c = GetParam();
    setOrUnset("DISPLAY", c.display);
    setOrUnset("WAYLAND_DISPLAY", c.waylandDisplay);
    const QString line = StartupGuard::failureLine(c.earlier, c.fatal);
    EXPECT_EQ(line.toStdString(), c.expected);
    EXPECT_FALSE(line.contains(u'\n'));
    EXPECT_FALSE(line.contains(u"einstall"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupFailure,
    testing::Values(
        // A display is set and fine, but the platform asked for does not exist.
        FailureCase{
            "MissingPlugin",
            ":0",
            nullptr,
            {warning("qt.qpa.plugin", "Could not find the Qt platform plugin \"bogus\" in \"\"")},
            genericFatal,
            "tessarion: cannot open the window: Could not find the Qt platform plugin "
            "\"bogus\" in \"\""},
        FailureCase{
            "PluginReasonBeforeOtherWarnings",
            ":0",
            "wayland-0",
            {warning("default", "QStandardPaths: XDG_RUNTIME_DIR not set"),
             warning("qt.qpa.plugin", "Could not find the Qt platform plugin \"bogus\" in \"\"")},
            genericFatal,
            "tessarion: cannot open the window: Could not find the Qt platform plugin "
            "\"bogus\" in \"\""},
        // Plugins that give their reason in the fatal message itself (eglfs, minimalegl).
        FailureCase{"ReasonInFatal",
                    ":0",
                    nullptr,
                    {},
                    "Could not find DRM device!",
                    "tessarion: cannot open the window: Could not find DRM device!"},
        FailureCase{"FatalAfterWarning",
                    nullptr,
                    nullptr,
                    {warning("default", "Could not initialize egl display")},
                    "EGL error",
                    "tessarion: cannot open the window: EGL error"},
        FailureCase{"GenericFatalAlone",
                    ":0",
                    nullptr,
                    {},
                    genericFatal,
                    "tessarion: cannot open the window: This application failed to start "
                    "because no Qt platform plugin could be initialized."},
        FailureCase{"NoDisplaySet",
                    nullptr,
                    nullptr,
                    {xcbUnreachable(""), notLoaded("xcb")},
                    genericFatal,
                    "tessarion: no display to open the window on (neither DISPLAY nor "
                    "WAYLAND_DISPLAY is set)"},
        FailureCase{"XDisplayUnreachable",
                    ":99",
                    nullptr,
                    {xcbUnreachable(":99"), notLoaded("xcb")},
                    genericFatal,
                    "tessarion: cannot connect to the display :99 to open the window"},
        FailureCase{"XAskedForWithoutDisplay",
                    nullptr,
                    "wayland-1",
                    {xcbUnreachable(""), notLoaded("xcb")},
                    genericFatal,
                    "tessarion: no X display to open the window on (DISPLAY is not set)"},
        FailureCase{"WaylandUnreachable",
                    nullptr,
                    "wayland-9",
                    {waylandUnreachable, notLoaded("wayland")},
                    genericFatal,
                    "tessarion: cannot connect to the display wayland-9 to open the window"},
        FailureCase{"WaylandDefaultSocket",
                    ":0",
                    nullptr,
                    {waylandUnreachable, notLoaded("wayland")},
                    genericFatal,
                    "tessarion: cannot connect to the display wayland-0 to open the window"},
        FailureCase{
            "BothUnreachable",
            ":98",
            "wayland-9",
            {waylandUnreachable, notLoaded("wayland"), xcbUnreachable(":98"), notLoaded("xcb")},
            genericFatal,
            "tessarion: cannot connect to the display wayland-9, :98 to open the window"},
        // The display was tried and not reached: that is the news, not the second platform.
        FailureCase{
            "DisplayBeforeMissingPlugin",
            nullptr,
            "wayland-9",
            {waylandUnreachable, notLoaded("wayland"),
             warning("qt.qpa.plugin", "Could not find the Qt platform plugin \"bogus\" in \"\"")},
            genericFatal,
            "tessarion: cannot connect to the display wayland-9 to open the window"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarion::ui

// The 64-bit phase limits reached by setting the state, then painted through the real widgets.
#include "window_fixture.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace tessarion::ui::testing {
namespace {

std::vector<std::string>* qtMessages = nullptr;
void keepMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && qtMessages != nullptr)
        qtMessages->push_back(text.toStdString());
}

double valueOf(std::string text)
{
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return text.empty() || *end != '\0' ? std::nan("") : value;
}

using ExtremeWindow = WindowTest;

TEST_F(ExtremeWindow, LimitPhasesPaintEveryPanelAndKeepTheReadouts)
{
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    const double pi = 4 * std::atan(1.0);
    std::vector<std::string> messages;
    qtMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    core::Form& form = window->form();

    for (std::int64_t start : {std::int64_t{1'000'000'000'000'000},
                               std::int64_t{-1'000'000'000'000'000}, max, max - 1, min, min + 1}) {
        SCOPED_TRACE("phase " + std::to_string(start));
        // p2 and p4 alone see the phase as set, before any read-out step resets it.
        form.state.phase = start;
        const auto before = paintCounts();
        window->panel("p4")->repaint();
        window->panel("p2")->repaint();
        const double a = static_cast<double>(start) * pi / 180;
        EXPECT_NEAR(valueOf(text("Text6")), std::floor(std::sin(a) * 1000) / 1000, 1e-9);
        EXPECT_NEAR(valueOf(text("Text7")), std::floor(std::cos(a) * 1000) / 1000, 1e-9);

        form.tick();
        click("Command7");
        click("Command8");
        for (const char* name : {"P1", "p2", "p3", "p4"})
            window->panel(name)->repaint();
        const auto after = paintCounts();
        EXPECT_EQ(after,
                  (std::array<int, 4>{before[0] + 4, before[1] + 5, before[2] + 4, before[3] + 5}));

        const std::int64_t phase = form.state.phase;
        if (start > 0) {
            EXPECT_EQ(phase, 0) << "reset to 0 by the tick, then - and + cancel";
        } else {
            EXPECT_LT(phase, 0);
        }
        const auto p = static_cast<double>(phase);
        EXPECT_EQ(text("Text3"), std::to_string(phase));
        // At most 15 significant digits are shown.
        const double radians = std::floor(100 * p * pi / 180) / 100;
        const double percent = std::floor(10 * p / 3.6) / 10;
        EXPECT_NEAR(valueOf(text("Text4")), radians, std::max(1e-9, std::fabs(radians) * 1e-14));
        EXPECT_NEAR(valueOf(text("Text5")), percent, std::max(1e-9, std::fabs(percent) * 1e-14));
        EXPECT_EQ(text("Text5").back(), '%');
    }
    qInstallMessageHandler(previous);
    qtMessages = nullptr;
    EXPECT_TRUE(messages.empty()) << "first Qt message: " << messages.front();
}

} // namespace
} // namespace tessarion::ui::testing

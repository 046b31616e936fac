// Bursts of clicks while the real timer animates: every click is applied once and in order,
// and every tick runs on its own, never inside a click or a paint.
#include "window_fixture.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace tessarion::ui::testing {
namespace {

using InputBurst = WindowTest;

TEST_F(InputBurst, ClicksDuringTheAnimationAreAllAppliedAndTicksNeverNest)
{
    for (int press = 0; press < 30; ++press)
        click("Command4");
    ASSERT_EQ(text("Text2"), "40");
    core::Form& form = window->form();

    // What the state must be, advanced by every click and every tick as it is observed.
    int amplitudeHalves = 7, frequency = 40;
    std::int64_t phase = form.state.phase;
    auto wrap = [&phase] { phase = phase >= 360 ? 0 : phase; };

    bool inClick = false;
    int ticks = 0, ticksInsideHandlers = 0, wrongTicks = 0;
    std::string firstWrongTick;
    QObject::connect(&timer1(), &QTimer::timeout, window.get(), [&] {
        // Connected after the window's own handler, so this runs once the tick is complete.
        ++ticks;
        bool painting = false;
        for (const char* name : {"P1", "p2", "p3", "p4"})
            painting = painting || window->panel(name)->paintingActive();
        if (inClick || painting)
            ++ticksInsideHandlers;
        phase += frequency;
        wrap();
        if (form.state.phase != phase && wrongTicks++ == 0)
            firstWrongTick = "tick " + std::to_string(ticks) + ": phase " +
                             std::to_string(form.state.phase) + ", expected " +
                             std::to_string(phase);
    });

    click("Command5");
    ASSERT_TRUE(timer1().isActive());

    // Mostly phase "+", with amplitude and frequency presses mixed in, leaning towards
    // frequency "+" so the animation stays near 40 degrees a tick.
    constexpr std::array<const char*, 8> buttons{"Command8", "Command8", "Command8", "Command2",
                                                 "Command1", "Command4", "Command4", "Command3"};
    std::mt19937 random(4242);
    // One unbroken stream of clicks, many per tick, until the animation has ticked often
    // enough in between; bounded in case the timer never fires.
    constexpr int minimumClicks = 400, minimumTicks = 20, clickLimit = 20'000;
    int clicks = 0, wrongClicks = 0;
    std::string firstWrongClick;
    while ((clicks < minimumClicks || ticks < minimumTicks) && clicks < clickLimit) {
        const std::string pressed = buttons[random() % buttons.size()];
        inClick = true;
        click(pressed.c_str());
        inClick = false;
        ++clicks;
        if (pressed == "Command8") {
            ++phase;
            wrap();
        } else if (pressed == "Command1") {
            amplitudeHalves -= amplitudeHalves > 0;
        } else if (pressed == "Command2") {
            amplitudeHalves += amplitudeHalves < 14;
        } else if (pressed == "Command3") {
            frequency -= frequency > 0;
        } else {
            frequency += frequency < 40;
        }
        const bool right =
            form.state.phase == phase && form.state.amplitude == amplitudeHalves / 2.0 &&
            form.state.frequency == frequency && text("Text1") == std::to_string(amplitudeHalves) &&
            text("Text2") == std::to_string(frequency);
        if (!right && wrongClicks++ == 0)
            firstWrongClick = "click " + std::to_string(clicks) + " on " + pressed;
        // A tick that has fallen due is delivered here, between two clicks.
        QCoreApplication::processEvents();
    }
    const int ticksDuringClicks = ticks;
    click("Command6");
    ASSERT_FALSE(timer1().isActive());
    QCoreApplication::processEvents();

    EXPECT_EQ(wrongClicks, 0) << "first: " << firstWrongClick;
    EXPECT_EQ(wrongTicks, 0) << "first: " << firstWrongTick;
    EXPECT_EQ(ticksInsideHandlers, 0);
    EXPECT_GE(ticksDuringClicks, minimumTicks);
    EXPECT_EQ(form.state.phase, phase);
    EXPECT_EQ(text("Text3"), std::to_string(phase));
    std::printf("%d clicks with %d ticks between them\n", clicks, ticksDuringClicks);
}

} // namespace
} // namespace tessarion::ui::testing

#include "core/form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace tessarion::core {
namespace {

using Log = std::vector<std::string>;

std::string hex(Colour colour)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
    return buffer;
}

// Every fake writes one entry per call into the shared log, so order across controls shows.
struct FakeText : TextField {
    FakeText(std::string name, Log& log)
        : name(std::move(name))
        , log(&log)
    {
    }
    void setText(std::string_view t) override { log->push_back(name + "=" + (text = t)); }
    void setBackColor(Colour c) override { log->push_back(name + ".BackColor=" + hex(back = c)); }
    std::string name;
    Log* log;
    std::string text;
    Colour back = 0;
};

struct FakeTimer : Timer {
    explicit FakeTimer(Log& log)
        : log(log)
    {
    }
    void setEnabled(bool on) override
    {
        log.push_back(std::string("Timer1.Enabled=") + ((enabled = on) ? "true" : "false"));
    }
    void setInterval(std::int32_t ms) override
    {
        log.push_back("Timer1.Interval=" + std::to_string(interval = ms));
    }
    Log& log;
    bool enabled = true; // deliberately not the start state, so load() must set it
    std::int32_t interval = 0;
};

// A panel whose paint is a callback, standing in for a painter.
struct FakePanel : Panel {
    FakePanel(std::string name, Log& log)
        : name(std::move(name))
        , log(log)
    {
    }
    void repaintNow() override
    {
        log.push_back(name);
        if (onPaint)
            onPaint();
    }
    void scheduleRepaint() override { log.push_back(name + " later"); }
    std::string name;
    Log& log;
    std::function<void()> onPaint;
};

struct Rig {
    explicit Rig(std::string separator = ".")
        : form({.readout = [this](const core::ControlSpec& spec) -> core::TextField& {
                    return text[static_cast<std::size_t>(*spec.readout)];
                },
                .timer = [this](const core::ControlSpec&) -> core::Timer& { return timer; },
                .panel = [this](const core::ControlSpec& spec) -> core::Panel& {
                    return *std::array{&P1, &p2, &p3, &p4}[static_cast<std::size_t>(*spec.panel)];
                }},
               std::move(separator))
    {
    }
    // Loads the form and forgets what that logged.
    Rig& loaded()
    {
        form.load();
        log.clear();
        return *this;
    }
    // Makes P1 behave like its painter's first step.
    void p1NormalisesPhase()
    {
        P1.onPaint = [this] { form.refreshPhaseReadouts(); };
    }
    // Makes every panel note the phase it sees when it is painted.
    void panelsNotePhase()
    {
        for (FakePanel* panel : {&P1, &p2, &p3, &p4})
            panel->onPaint = [this] { log.back() += "@" + std::to_string(form.state.phase); };
    }
    const std::string& Text(int n) const { return text[static_cast<std::size_t>(n - 1)].text; }

    Log log;
    std::array<FakeText, 7> text{FakeText{"Text1", log}, FakeText{"Text2", log},
                                 FakeText{"Text3", log}, FakeText{"Text4", log},
                                 FakeText{"Text5", log}, FakeText{"Text6", log},
                                 FakeText{"Text7", log}};
    FakeTimer timer{log};
    FakePanel P1{"P1", log}, p2{"p2", log}, p3{"p3", log}, p4{"p4", log};
    Form form;
};

TEST(Form_Load, SetsStartValuesAndReadoutsInOrderAndRepaintsNothing)
{
    Rig rig;
    rig.form.state.displacement = 1.25;
    rig.form.state.cosineSquared = 0.5;
    rig.form.state.curveDegree = 42;
    rig.form.load();

    const Log expected{"Timer1.Enabled=false",
                       "Timer1.Interval=50",
                       "Text1=7",
                       "Text2=10",
                       "Text3=0",
                       "Text4=0",
                       "Text5=0%",
                       "Text6=0",
                       "Text7=0",
                       "Text6.BackColor=00FF00",
                       "Text7.BackColor=00FFFF"};
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(rig.text[5].back, 0x00FF00u);
    EXPECT_EQ(rig.text[6].back, 0x00FFFFu);
    EXPECT_FALSE(rig.timer.enabled);
    EXPECT_EQ(rig.form.state.amplitude, 3.5);
    EXPECT_EQ(rig.form.state.frequency, 10);
    EXPECT_EQ(rig.form.state.phase, 0);
    EXPECT_EQ(rig.form.state.tickInterval, 50);
    // Values load() does not own stay as they were.
    EXPECT_EQ(rig.form.state.displacement, 1.25);
    EXPECT_EQ(rig.form.state.cosineSquared, 0.5);
    EXPECT_EQ(rig.form.state.curveDegree, 42);
}

struct HandlerCase {
    const char* name;
    void (Form::*handler)();
    Log expected; // from the start state, each panel noting the phase it sees
};

void PrintTo(const HandlerCase& c, std::ostream* os) { *os << c.name; }

class HandlerSteps : public testing::TestWithParam<HandlerCase> {};

TEST_P(HandlerSteps, ChangeStateThenReadoutThenRepaintsInOrder)
{
    Rig rig;
    rig.loaded().panelsNotePhase();
    (rig.form.*GetParam().handler)();
    EXPECT_EQ(rig.log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Form, HandlerSteps,
    testing::Values(
        HandlerCase{"Tick", &Form::tick, {"P1@10", "p3@10", "p2@10", "p4@10"}},
        HandlerCase{
            "PhaseMinus", &Form::phaseDown, {"Text3=-1", "P1@-1", "p2@-1", "p3@-1", "p4@-1"}},
        HandlerCase{"PhasePlus", &Form::phaseUp, {"Text3=1", "P1@1", "p2@1", "p3@1", "p4@1"}},
        HandlerCase{"Reset", &Form::reset, {"P1@0", "p2@0", "p3@0", "p4@0"}},
        HandlerCase{"AmplitudeMinus", &Form::amplitudeDown, {"Text1=6"}},
        HandlerCase{"AmplitudePlus", &Form::amplitudeUp, {"Text1=8"}},
        HandlerCase{"FrequencyMinus", &Form::frequencyDown, {"Text2=9"}},
        HandlerCase{"FrequencyPlus", &Form::frequencyUp, {"Text2=11"}},
        HandlerCase{"Start", &Form::start, {"Timer1.Enabled=true"}},
        HandlerCase{"Stop", &Form::stop, {"Timer1.Enabled=false"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Form, TickLetsLaterPanelsSeeThePhaseP1Normalised)
{
    Rig rig;
    rig.loaded().panelsNotePhase();
    rig.P1.onPaint = [&rig] {
        rig.log.back() += "@" + std::to_string(rig.form.state.phase);
        rig.form.refreshPhaseReadouts();
    };
    rig.form.state.phase = 350;
    rig.form.tick();
    const Log expected{"P1@360", "Text3=0", "Timer1.Interval=50", "Text4=0", "Text5=0%", "p3@0",
                       "p2@0",   "p4@0"};
    EXPECT_EQ(rig.log, expected);
}

TEST(Form, PhasePlusAt359ShowsThe360ThenThePainterWrapsToZero)
{
    Rig rig;
    rig.loaded().p1NormalisesPhase();
    rig.form.state.phase = 359;
    rig.form.phaseUp();
    ASSERT_GE(rig.log.size(), 3u);
    EXPECT_EQ(rig.log[0], "Text3=360");
    EXPECT_EQ(rig.log[1], "P1");
    EXPECT_EQ(rig.log[2], "Text3=0");
    EXPECT_EQ(rig.form.state.phase, 0);
    EXPECT_EQ(rig.Text(3), "0");
    EXPECT_EQ(rig.Text(4), "0");
    EXPECT_EQ(rig.Text(5), "0%");
}

TEST(Form, FrequencySevenDropsTheExcessOver360)
{
    Rig rig;
    rig.loaded().p1NormalisesPhase();
    for (int i = 0; i < 3; ++i)
        rig.form.frequencyDown(); // 10 -> 7
    ASSERT_EQ(rig.form.state.frequency, 7);
    std::int64_t shown = 0;
    for (int tick = 1; tick <= 53; ++tick) {
        rig.form.tick();
        shown += 7;
        if (shown >= 360)
            shown = 0;
        ASSERT_EQ(rig.Text(3), std::to_string(shown)) << "tick " << tick;
    }
    // 51 ticks reach 357, the 52nd shows 0, the 53rd starts over at 7.
    EXPECT_EQ(rig.Text(3), "7");
}

TEST(Form, PhaseKeepsGrowingWhileNoPainterNormalisesIt)
{
    Rig rig;
    rig.loaded();
    for (int tick = 0; tick < 40; ++tick)
        rig.form.tick();
    EXPECT_EQ(rig.form.state.phase, 400);
    rig.form.refreshPhaseReadouts();
    EXPECT_EQ(rig.form.state.phase, 0);
}

TEST(Form, NoWrapBelowZero)
{
    Rig rig;
    rig.loaded().p1NormalisesPhase();
    rig.form.phaseDown();
    EXPECT_EQ(rig.log.front(), "Text3=-1");
    EXPECT_EQ(rig.Text(3), "-1");
    EXPECT_EQ(rig.Text(4), "-0.02");
    EXPECT_EQ(rig.Text(5), "-0.3%");
    rig.form.phaseDown();
    EXPECT_EQ(rig.form.state.phase, -2);
    EXPECT_EQ(rig.Text(3), "-2");
}

struct GuardCase {
    const char* name;
    void (Form::*handler)();
    int readout;           // which TextN the handler rewrites
    double start, step;    // the value at start-up and its change per press
    double shownFactor;    // read-out = value × this
    int pressesToLimit;    // presses from the start value to the limit
    const char* limitText; // the read-out at the limit
};

void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }

class ButtonGuards : public testing::TestWithParam<GuardCase> {};

TEST_P(ButtonGuards, StopAtTheLimitAndStillRewriteTheReadout)
{
    const GuardCase& c = GetParam();
    Rig rig;
    rig.loaded();
    const std::string field = "Text" + std::to_string(c.readout) + "=";
    for (int press = 1; press <= c.pressesToLimit + 2; ++press) {
        rig.log.clear();
        (rig.form.*c.handler)();
        const double expected = c.start + c.step * std::min(press, c.pressesToLimit);
        const double value =
            c.readout == 1 ? rig.form.state.amplitude : double(rig.form.state.frequency);
        ASSERT_EQ(value, expected) << "press " << press;
        const std::string text = std::to_string(static_cast<int>(expected * c.shownFactor));
        ASSERT_EQ(rig.log, Log{field + text}) << "press " << press;
    }
    EXPECT_EQ(rig.log, Log{field + c.limitText});
}

INSTANTIATE_TEST_SUITE_P(
    Form, ButtonGuards,
    testing::Values(GuardCase{"AmplitudeMinus", &Form::amplitudeDown, 1, 3.5, -0.5, 2, 7, "0"},
                    GuardCase{"AmplitudePlus", &Form::amplitudeUp, 1, 3.5, 0.5, 2, 7, "14"},
                    GuardCase{"FrequencyMinus", &Form::frequencyDown, 2, 10, -1, 1, 10, "0"},
                    GuardCase{"FrequencyPlus", &Form::frequencyUp, 2, 10, 1, 1, 30, "40"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadoutCase {
    std::int64_t phase;
    const char* separator;
    const char* degrees;
    const char* radians;
    const char* percent;
};

void PrintTo(const ReadoutCase& c, std::ostream* os)
{
    *os << "phase " << c.phase << " with '" << c.separator << "'";
}

class PhaseReadouts : public testing::TestWithParam<ReadoutCase> {};

TEST_P(PhaseReadouts, CutDownTowardMinusInfinity)
{
    const ReadoutCase& c = GetParam();
    Rig rig(c.separator);
    rig.loaded();
    rig.form.state.phase = c.phase;
    rig.form.refreshPhaseReadouts();
    // The exact log also shows that the timer is neither started nor stopped.
    const Log expected{std::string("Text3=") + c.degrees, "Timer1.Interval=50",
                       std::string("Text4=") + c.radians, std::string("Text5=") + c.percent};
    EXPECT_EQ(rig.log, expected);
}

INSTANTIATE_TEST_SUITE_P(Form, PhaseReadouts,
                         testing::Values(ReadoutCase{1, ".", "1", "0.01", "0.2%"},
                                         ReadoutCase{90, ".", "90", "1.57", "25%"},
                                         ReadoutCase{180, ".", "180", "3.14", "50%"},
                                         ReadoutCase{359, ".", "359", "6.26", "99.7%"},
                                         ReadoutCase{-1, ".", "-1", "-0.02", "-0.3%"},
                                         ReadoutCase{360, ".", "0", "0", "0%"},
                                         ReadoutCase{365, ".", "0", "0", "0%"},
                                         ReadoutCase{90, ",", "90", "1,57", "25%"},
                                         ReadoutCase{359, ",", "359", "6,26", "99,7%"}));

// The phase has no lower bound, so it must survive the 64-bit limits without wrapping.
TEST(Form, PhaseAtTheSixtyFourBitLimitsDoesNotOverflow)
{
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    Rig rig;
    rig.loaded();

    rig.form.state.phase = max;
    rig.form.tick();
    EXPECT_EQ(rig.form.state.phase, max);
    rig.form.phaseUp();
    EXPECT_EQ(rig.form.state.phase, max);
    EXPECT_EQ(rig.Text(3), "9223372036854775807");
    rig.form.refreshPhaseReadouts(); // far past 360: back to 0
    EXPECT_EQ(rig.Text(3), "0");

    rig.form.state.phase = min;
    rig.form.phaseDown();
    EXPECT_EQ(rig.form.state.phase, min);
    EXPECT_EQ(rig.Text(3), "-9223372036854775808");
    rig.form.refreshPhaseReadouts();
    EXPECT_EQ(rig.form.state.phase, min);
    const double phase = static_cast<double>(min);
    const double pi = 4 * std::atan(1.0);
    EXPECT_NEAR(std::stod(rig.Text(4)) / (phase * pi / 180), 1, 1e-12) << rig.Text(4);
    const std::string percent = rig.Text(5);
    ASSERT_EQ(percent.back(), '%');
    EXPECT_NEAR(std::stod(percent) / (phase / 3.6), 1, 1e-12) << percent;
    EXPECT_EQ(rig.Text(4).find_first_of("eE"), std::string::npos);
    EXPECT_EQ(percent.find_first_of("eE"), std::string::npos);

    rig.form.tick();
    EXPECT_EQ(rig.form.state.phase, min + 10);
    rig.form.phaseUp();
    EXPECT_EQ(rig.form.state.phase, min + 11);
}

} // namespace
} // namespace tessarion::core

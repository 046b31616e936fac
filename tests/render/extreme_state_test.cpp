// Phase values far outside anything the buttons reach in practice, up to the 64-bit limits:
// the handlers and painters must stay defined, hand the device only finite numbers, and keep
// producing the read-outs.
#include "painted_form.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace tessarion::render {
namespace {

constexpr std::int64_t maxPhase = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minPhase = std::numeric_limits<std::int64_t>::min();
const double pi = 4 * std::atan(1.0);

struct Rig : support::PaintedForm {
    Rig() { form.load(); }
};

// The number a read-out shows, or NaN when it is not a plain decimal.
double valueOf(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() || *end != '\0' ? std::nan("") : value;
}

// A read-out carries at most 15 significant digits of the exact value.
void expectReadout(const std::string& text, double expected, const char* what)
{
    ASSERT_FALSE(text.empty()) << what;
    const double shown = valueOf(text);
    EXPECT_NEAR(shown, expected, std::max(1e-9, std::fabs(expected) * 1e-14))
        << what << " shows \"" << text << "\"";
}

void expectFiniteDrawing(const Rig& rig)
{
    for (const support::RecordingDevice* device : rig.devices()) {
        for (const support::DeviceCall& call : device->calls()) {
            for (double value :
                 {call.a.x, call.a.y, call.b.x, call.b.y, call.radiusX, call.radiusY})
                EXPECT_TRUE(std::isfinite(value)) << "device call " << static_cast<int>(call.kind);
        }
    }
    EXPECT_EQ(rig.shortPaints(), 0);
}

struct Action {
    const char* name;
    std::function<void(Rig&)> run;
    bool phaseReadouts;  // runs the P1 or p3 painter
    bool vectorReadouts; // runs the p2 painter
};

const std::vector<Action>& actions()
{
    static const std::vector<Action> all{
        {"tick at 40",
         [](Rig& r) {
             r.form.state.frequency = 40;
             r.form.tick();
         },
         true, true},
        {"tick at 0",
         [](Rig& r) {
             r.form.state.frequency = 0;
             r.form.tick();
         },
         true, true},
        {"phase -", [](Rig& r) { r.form.phaseDown(); }, true, true},
        {"phase +", [](Rig& r) { r.form.phaseUp(); }, true, true},
        {"paint P1", [](Rig& r) { r.P1.repaintNow(); }, true, false},
        {"paint p2", [](Rig& r) { r.p2.repaintNow(); }, false, true},
        {"paint p3", [](Rig& r) { r.p3.repaintNow(); }, true, false},
        {"paint p4", [](Rig& r) { r.p4.repaintNow(); }, false, false},
    };
    return all;
}

class ExtremePhase : public testing::TestWithParam<std::int64_t> {};

TEST_P(ExtremePhase, EveryHandlerAndPainterStaysFiniteAndWritesItsReadouts)
{
    const std::int64_t start = GetParam();
    for (double amplitude : {0.0, 3.5, 7.0}) {
        for (const Action& action : actions()) {
            SCOPED_TRACE(std::string(action.name) + " from " + std::to_string(start) +
                         " at amplitude " + std::to_string(amplitude));
            Rig rig;
            rig.form.state.amplitude = amplitude;
            rig.form.state.phase = start;
            rig.clearTexts();
            action.run(rig);
            expectFiniteDrawing(rig);

            const std::int64_t phase = rig.form.state.phase;
            // Whatever the handler did at the limit, the phase must not have wrapped around.
            if (start > 0 && action.phaseReadouts) {
                EXPECT_EQ(phase, 0) << "a phase of 360 or more is shown as 0";
            }
            if (start < 0) {
                EXPECT_LT(phase, 0);
            }
            const auto p = static_cast<double>(phase);
            if (action.phaseReadouts) {
                EXPECT_EQ(rig.Text(3), std::to_string(phase));
                expectReadout(rig.Text(4), std::floor(100 * p * pi / 180) / 100, "Text4");
                const std::string percent = rig.Text(5);
                ASSERT_FALSE(percent.empty());
                EXPECT_EQ(percent.back(), '%');
                expectReadout(percent.substr(0, percent.size() - 1), std::floor(10 * p / 3.6) / 10,
                              "Text5");
            }
            if (action.vectorReadouts) {
                const double a = p * pi / 180;
                expectReadout(rig.Text(6), std::floor(std::sin(a) * 1000) / 1000, "Text6");
                expectReadout(rig.Text(7), std::floor(std::cos(a) * 1000) / 1000, "Text7");
            }
            if (!action.phaseReadouts && !action.vectorReadouts) {
                EXPECT_TRUE(rig.Text(3).empty() && rig.Text(6).empty()) << "p4 writes no read-out";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, ExtremePhase,
                         testing::Values(std::int64_t{1'000'000'000'000'000},
                                         std::int64_t{-1'000'000'000'000'000}, maxPhase,
                                         maxPhase - 1, maxPhase - 39, minPhase, minPhase + 1,
                                         minPhase + 39));

// Near the lower limit the buttons and ticks keep working with exact whole steps.
TEST(ExtremePhaseSteps, BelowZeroTheSumsStayExactAndNeverWrapToPositive)
{
    Rig rig;
    rig.form.state.phase = minPhase + 2;
    std::int64_t previous = rig.form.state.phase;
    for (int press = 0; press < 4; ++press) {
        rig.form.phaseDown();
        EXPECT_LT(rig.form.state.phase, 0);
        EXPECT_LE(rig.form.state.phase, previous);
        EXPECT_EQ(rig.Text(3), std::to_string(rig.form.state.phase));
        previous = rig.form.state.phase;
    }
    // Where the exact sum is representable it must be the sum itself.
    rig.form.state.phase = minPhase;
    rig.form.state.frequency = 40;
    for (int tick = 1; tick <= 3; ++tick) {
        rig.form.tick();
        EXPECT_EQ(rig.form.state.phase, minPhase + 40 * tick);
    }
    EXPECT_EQ(rig.Text(3), std::to_string(minPhase + 120));
    rig.form.phaseUp();
    EXPECT_EQ(rig.form.state.phase, minPhase + 121);
    rig.form.reset();
    EXPECT_EQ(rig.form.state.phase, 0);
    EXPECT_EQ(rig.Text(3), "0");
    expectFiniteDrawing(rig);
}

} // namespace
} // namespace tessarion::render

// Random event sequences run against the real form, with the real painters, and against an
// independent model of the state and the seven read-outs.
#include "painted_form.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tessarion;

enum class Event {
    AmplitudeDown,
    AmplitudeUp,
    FrequencyDown,
    FrequencyUp,
    Start,
    Stop,
    PhaseDown,
    PhaseUp,
    Reset,
    Tick
};
constexpr std::array<const char*, 10> eventNames{"Ampl-", "Ampl+", "Frecv-", "Frecv+", "Start",
                                                 "Stop",  "Faza-", "Faza+",  "Reset",  "Tick"};

// The read-out text as the rules state it; written without the production conversion.
std::string expectedText(double value, const std::string& separator)
{
    if (value == std::floor(value) && std::fabs(value) < 9e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    // %.15g: nearest decimal with at most 15 significant digits, trailing zeros removed.
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text.find('e') != std::string::npos)
        ADD_FAILURE() << "model formatter used outside its range: " << text;
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, separator);
    return text;
}

// The state and read-outs as the behaviour describes them, one event at a time.
struct Model {
    explicit Model(std::string separator)
        : separator(std::move(separator))
    {
    }

    int amplitudeHalves = 0; // Amplitude counted in steps of 0.5, so it is exact by construction.
    int frequency = 0;
    std::int64_t phase = 0;
    double displacement = 0;
    double cosSquared = 0;
    bool timerEnabled = true; // what the fake timer holds before the load
    int interval = 0;
    std::array<std::string, 7> text{};
    std::string paints; // panels painted by the last event, in order
    std::string separator;

    double amplitude() const { return amplitudeHalves / 2.0; }
    static double pi() { return 4 * std::atan(1.0); }
    std::string number(double value) const { return expectedText(value, separator); }

    void load()
    {
        frequency = 10;
        timerEnabled = false;
        interval = 50;
        amplitudeHalves = 7;
        phase = 0;
        text = {"7", "10", "0", "0", "0%", "0", "0"};
    }

    void apply(Event event)
    {
        paints.clear();
        switch (event) {
        case Event::AmplitudeDown: amplitudeHalves -= amplitudeHalves > 0; break;
        case Event::AmplitudeUp: amplitudeHalves += amplitudeHalves < 14; break;
        case Event::FrequencyDown: frequency -= frequency > 0; break;
        case Event::FrequencyUp: frequency += frequency < 40; break;
        case Event::Start: timerEnabled = true; break;
        case Event::Stop: timerEnabled = false; break;
        case Event::PhaseDown: --phase; break;
        case Event::PhaseUp: ++phase; break;
        case Event::Reset: phase = 0; break;
        case Event::Tick: phase += frequency; break;
        }
        switch (event) {
        case Event::AmplitudeDown:
        case Event::AmplitudeUp: text[0] = std::to_string(amplitudeHalves); break;
        case Event::FrequencyDown:
        case Event::FrequencyUp: text[1] = std::to_string(frequency); break;
        case Event::PhaseDown:
        case Event::PhaseUp: text[2] = std::to_string(phase); [[fallthrough]];
        case Event::Reset: springPaint(), vectorPaint(), pendulumPaint(), paints += "4"; break;
        case Event::Tick: springPaint(), pendulumPaint(), vectorPaint(), paints += "4"; break;
        default: break;
        }
    }

    void phaseReadouts()
    {
        if (phase >= 360)
            phase = 0;
        text[2] = std::to_string(phase);
        interval = 50;
        const double p = static_cast<double>(phase);
        text[3] = number(std::floor(100 * p * pi() / 180) / 100);
        text[4] = number(std::floor(10 * p / 3.6) / 10) + "%";
    }
    void springPaint()
    {
        paints += "1";
        phaseReadouts();
        displacement = -amplitude() * std::sin(pi() * static_cast<double>(phase) / 180);
    }
    void vectorPaint()
    {
        paints += "2";
        const double a = static_cast<double>(phase) * pi() / 180;
        text[5] = number(std::floor(std::sin(a) * 1000) / 1000);
        text[6] = number(std::floor(std::cos(a) * 1000) / 1000);
    }
    void pendulumPaint()
    {
        paints += "3";
        phaseReadouts();
        const double a = pi() * static_cast<double>(phase) / 180;
        displacement = amplitude() * std::sin(a);
        cosSquared = std::pow(std::cos(a), 2.0);
    }
};

// The production form over panels that run the production painters onto recording devices.
struct Rig : support::PaintedForm {
    using PaintedForm::PaintedForm;
    void apply(Event event)
    {
        using F = core::Form;
        static constexpr std::array<void (F::*)(), 10> handlers{
            &F::amplitudeDown, &F::amplitudeUp, &F::frequencyDown, &F::frequencyUp, &F::start,
            &F::stop,          &F::phaseDown,   &F::phaseUp,       &F::reset,       &F::tick};
        clearDevices();
        (form.*handlers[static_cast<std::size_t>(event)])();
    }
    std::string paints() const
    {
        std::string order;
        for (const std::string& name : log)
            order += name.back();
        return order;
    }
};

// Every difference between the form and the model, or an empty text.
std::string differences(const Rig& rig, const Model& model)
{
    std::ostringstream out;
    out.precision(17);
    for (std::size_t i = 0; i < 7; ++i)
        if (rig.text[i].text != model.text[i])
            out << " Text" << i + 1 << "=\"" << rig.text[i].text << "\" expected \""
                << model.text[i] << "\";";
    const auto& s = rig.form.state;
    auto compare = [&out](const char* name, auto actual, auto expected) {
        if (actual != expected)
            out << ' ' << name << '=' << actual << " expected " << expected << ';';
    };
    compare("Amplitude", s.amplitude, model.amplitude());
    compare("Frequency", s.frequency, model.frequency);
    compare("Phase", s.phase, model.phase);
    compare("Displacement", s.displacement, model.displacement);
    compare("CosSquared", s.cosineSquared, model.cosSquared);
    compare("Timer1.Enabled", rig.timer.enabled, model.timerEnabled);
    compare("Timer1.Interval", rig.timer.interval, model.interval);
    compare("paints", rig.paints(), model.paints);
    compare("paints short of drawing calls", rig.shortPaints(), 0);
    return out.str();
}

// Runs of one event at a time; a tick is drawn only while the model's timer runs.
std::vector<Event> randomEvents(std::uint64_t seed, std::size_t count)
{
    std::mt19937_64 random(seed);
    std::vector<Event> events;
    bool running = false;
    while (events.size() < count) {
        const auto pick = random() % (running ? 14 : 9);
        const Event event = pick >= 9 ? Event::Tick : static_cast<Event>(pick);
        for (auto repeat = 1 + random() % 6; repeat > 0 && events.size() < count; --repeat)
            events.push_back(event);
        if (event == Event::Start || event == Event::Stop)
            running = event == Event::Start;
    }
    return events;
}

// Fresh form and model through the first `count` events; checks after each one when asked.
// Returns the number of events applied when they first differed (0: after the load), or -1.
long firstDifference(const std::vector<Event>& events, std::size_t count,
                     const std::string& separator, bool everyStep, std::string& what)
{
    auto rig = std::make_unique<Rig>(separator);
    Model model(separator);
    rig->form.load();
    model.load();
    for (std::size_t i = 0; i <= count; ++i) {
        if (everyStep || i == count) {
            what = differences(*rig, model);
            if (!what.empty())
                return static_cast<long>(i);
        }
        if (i == count)
            break;
        if (events[i] == Event::Tick && !model.timerEnabled) {
            what = " a tick was generated while the model's timer is stopped";
            return static_cast<long>(i);
        }
        rig->apply(events[i]);
        model.apply(events[i]);
    }
    return -1;
}

// The events compressed to runs, e.g. "Tick*5 Faza- Reset".
std::string describe(const std::vector<Event>& events, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count;) {
        std::size_t run = 1;
        while (i + run < count && events[i + run] == events[i])
            ++run;
        text += eventNames[static_cast<std::size_t>(events[i])];
        if (run > 1)
            text += "*" + std::to_string(run);
        text += ' ';
        i += run;
    }
    return text;
}

struct ModelCase {
    std::uint64_t seed;
    const char* separator;
};

void PrintTo(const ModelCase& c, std::ostream* out)
{
    *out << "seed " << c.seed << ", separator \"" << c.separator << '"';
}

class RandomEvents : public testing::TestWithParam<ModelCase> {};

TEST_P(RandomEvents, FormFollowsTheModelAfterEveryEvent)
{
    constexpr std::size_t count = 10'000;
    const auto [seed, separator] = GetParam();
    const std::vector<Event> events = randomEvents(seed, count);
    std::string what;
    const long failedAt = firstDifference(events, count, separator, true, what);
    if (failedAt < 0)
        return;
    // The first event after which they differ ends the shortest failing prefix; a fresh replay
    // of exactly that prefix must show the same difference.
    const auto prefix = static_cast<std::size_t>(failedAt);
    std::string replayed;
    const bool reproduced = firstDifference(events, prefix, separator, false, replayed) >= 0;
    ADD_FAILURE() << "seed " << seed << ", separator \"" << separator
                  << "\": shortest failing prefix has " << prefix << " events"
                  << (reproduced ? "" : " (a fresh replay did NOT reproduce it)") << ":\n"
                  << describe(events, prefix) << "\ndifferences:" << what;
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents,
                         testing::Values(ModelCase{1, "."}, ModelCase{20240611, "."},
                                         ModelCase{0xC0FFEE, ","}, ModelCase{77, "."},
                                         ModelCase{987654321, ","}),
                         [](const auto& info) { return "seed" + std::to_string(info.param.seed); });

// The generator itself must reach the corners the model is meant to cover.
TEST(RandomEventsCoverage, SequencesReachLimitsNegativePhaseAndWraps)
{
    for (std::uint64_t seed : {1ull, 20240611ull, 0xC0FFEEull, 77ull, 987654321ull}) {
        const std::vector<Event> events = randomEvents(seed, 10'000);
        Model model(".");
        model.load();
        bool amplitudeLimits[2]{}, frequencyLimits[2]{}, negative = false, wrapped = false;
        long ticks = 0;
        for (Event event : events) {
            const std::int64_t before = model.phase;
            model.apply(event);
            amplitudeLimits[0] |= model.amplitudeHalves == 0;
            amplitudeLimits[1] |= model.amplitudeHalves == 14;
            frequencyLimits[0] |= model.frequency == 0;
            frequencyLimits[1] |= model.frequency == 40;
            negative |= model.phase < 0;
            wrapped |= event == Event::Tick && model.phase == 0 && before + model.frequency >= 360;
            ticks += event == Event::Tick;
        }
        EXPECT_TRUE(amplitudeLimits[0] && amplitudeLimits[1]) << seed;
        EXPECT_TRUE(frequencyLimits[0] && frequencyLimits[1]) << seed;
        EXPECT_TRUE(negative && wrapped) << seed;
        EXPECT_GT(ticks, 1000) << seed;
    }
}

} // namespace

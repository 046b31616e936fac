#include "core/form.h"

#include "core/number_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <utility>

namespace tessarion::core {

namespace {
constexpr double startAmplitude = 3.5;
constexpr std::int32_t startFrequency = 10;
constexpr double amplitudeStep = 0.5;
constexpr std::int64_t fullTurn = 360;

// The phase is unbounded, but a 64-bit limit must hold rather than wrap around.
std::int64_t addSaturating(std::int64_t phase, std::int64_t step)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(phase, step, &sum))
        return step > 0 ? std::numeric_limits<std::int64_t>::max()
                        : std::numeric_limits<std::int64_t>::min();
    return sum;
}

// The phase in radians, as the paints compute it.
double radians(std::int64_t phase) { return (circleConstant() * static_cast<double>(phase)) / 180; }

// Read-outs are cut down, never rounded, to a multiple of 0.001.
double cutToThousandths(double value) { return std::floor(value * 1000) / 1000; }
} // namespace

double circleConstant() { return 4 * std::atan(1.0); }

FormControls::FormControls(const ControlSource& source)
{
    for (const ControlSpec& spec : windowLayout()) {
        if (spec.readout)
            readouts_.at(static_cast<std::size_t>(*spec.readout)) = &source.readout(spec);
        else if (spec.panel)
            panels_.at(static_cast<std::size_t>(*spec.panel)) = &source.panel(spec);
        else if (spec.kind == ControlKind::Timer)
            timer_ = &source.timer(spec);
    }
    if (timer_ == nullptr)
        throw std::logic_error("the layout lacks a timer");
}

Form::Form(const ControlSource& source, std::string decimalSeparator)
    : controls_(source)
    , decimalSeparator_(std::move(decimalSeparator))
{
}

std::string Form::numberText(double value) const { return NumberText(value, decimalSeparator_); }

void Form::load()
{
    const double pi = circleConstant();
    state.tickInterval = tickMilliseconds;
    state.frequency = startFrequency;
    controls_.timer().setEnabled(false);
    controls_.timer().setInterval(state.tickInterval);
    state.amplitude = startAmplitude;
    state.phase = 0;
    controls_.readout(ReadoutId::amplitude)
        .setText(numberText(state.amplitude * amplitudeReadoutScale));
    controls_.readout(ReadoutId::frequency).setText(NumberText(state.frequency));
    controls_.readout(ReadoutId::degrees).setText(NumberText(state.phase));
    controls_.readout(ReadoutId::radians)
        .setText(numberText((static_cast<double>(state.phase) * pi) / 180));
    controls_.readout(ReadoutId::percent)
        .setText(numberText(static_cast<double>(state.phase) / 3.6) + "%");
    controls_.readout(ReadoutId::sine).setText(NumberText(0));
    controls_.readout(ReadoutId::cosine).setText(NumberText(0));
    controls_.readout(ReadoutId::sine).setBackColor(colours::green);
    controls_.readout(ReadoutId::cosine).setBackColor(colours::yellow);
}

void Form::amplitudeDown()
{
    if (state.amplitude > 0)
        state.amplitude = state.amplitude - amplitudeStep;
    controls_.readout(ReadoutId::amplitude)
        .setText(numberText(state.amplitude * amplitudeReadoutScale));
}

void Form::amplitudeUp()
{
    if (state.amplitude < maxAmplitude)
        state.amplitude = state.amplitude + amplitudeStep;
    controls_.readout(ReadoutId::amplitude)
        .setText(numberText(state.amplitude * amplitudeReadoutScale));
}

void Form::frequencyDown()
{
    if (state.frequency > 0)
        state.frequency = state.frequency - 1;
    controls_.readout(ReadoutId::frequency).setText(NumberText(state.frequency));
}

void Form::frequencyUp()
{
    if (state.frequency < maxFrequency)
        state.frequency = state.frequency + 1;
    controls_.readout(ReadoutId::frequency).setText(NumberText(state.frequency));
}

void Form::start() { controls_.timer().setEnabled(true); }

void Form::stop() { controls_.timer().setEnabled(false); }

void Form::phaseDown()
{
    state.phase = addSaturating(state.phase, -1);
    controls_.readout(ReadoutId::degrees).setText(NumberText(state.phase));
    refreshAfterPhaseButton();
}

void Form::phaseUp()
{
    state.phase = addSaturating(state.phase, 1);
    controls_.readout(ReadoutId::degrees).setText(NumberText(state.phase));
    refreshAfterPhaseButton();
}

void Form::reset()
{
    state.phase = 0;
    refreshAfterPhaseButton();
}

void Form::tick()
{
    state.phase = addSaturating(state.phase, state.frequency);
    for (const PanelId panel : tickOrder)
        controls_.panel(panel).repaintNow();
}

void Form::refreshPhaseReadouts()
{
    if (state.phase >= fullTurn)
        state.phase = 0;
    controls_.readout(ReadoutId::degrees).setText(NumberText(state.phase));
    controls_.timer().setInterval(state.tickInterval);
    const double pi = circleConstant();
    // The phase enters as a double so that 100 × phase cannot overflow.
    const auto phase = static_cast<double>(state.phase);
    controls_.readout(ReadoutId::radians)
        .setText(numberText(std::floor(((100 * phase) * pi) / 180) / 100));
    controls_.readout(ReadoutId::percent)
        .setText(numberText(std::floor((10 * phase) / 3.6) / 10) + "%");
}

void Form::beforePaint(PanelId panel)
{
    switch (panel) {
    case PanelId::spring:
        refreshPhaseReadouts();
        state.displacement = (-state.amplitude) * std::sin(radians(state.phase));
        break;
    case PanelId::vector:
        controls_.readout(ReadoutId::sine)
            .setText(numberText(cutToThousandths(std::sin(radians(state.phase)))));
        controls_.readout(ReadoutId::cosine)
            .setText(numberText(cutToThousandths(std::cos(radians(state.phase)))));
        break;
    case PanelId::pendulum:
        refreshPhaseReadouts();
        state.displacement = state.amplitude * std::sin(radians(state.phase));
        state.cosineSquared = std::pow(std::cos(radians(state.phase)), 2.0);
        break;
    // The graph's loop ends one degree past its last.
    case PanelId::graph: state.curveDegree = curveDegrees + 1; break;
    }
    // The painter draws from this state and changes nothing of it.
    shown_[static_cast<std::size_t>(panel)] = state;
}

void Form::refreshAfterPhaseButton()
{
    for (std::size_t panel = 0; panel < panelCount; ++panel)
        controls_.panel(static_cast<PanelId>(panel)).repaintNow();
}

ClickHandler clickHandler(std::string_view button)
{
    // Buttons are attached to their handlers by name.
    static constexpr std::array<std::pair<std::string_view, ClickHandler>, 9> handlers{{
        {"Command1", &Form::amplitudeDown},
        {"Command2", &Form::amplitudeUp},
        {"Command3", &Form::frequencyDown},
        {"Command4", &Form::frequencyUp},
        {"Command5", &Form::start},
        {"Command6", &Form::stop},
        {"Command7", &Form::phaseDown},
        {"Command8", &Form::phaseUp},
        {"Command9", &Form::reset},
    }};
    for (const auto& [name, handler] : handlers)
        if (name == button)
            return handler;
    return nullptr;
}

} // namespace tessarion::core

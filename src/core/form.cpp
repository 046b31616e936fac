#include "core/form.h"

#include "core/number_text.h"

#include <array>
#include <cmath>
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

Form::Form(FormControls controls, std::string decimalSeparator)
    : controls_(controls)
    , decimalSeparator_(std::move(decimalSeparator))
{
}

Panel& FormControls::panel(PanelId panel) const
{
    switch (panel) {
    case PanelId::spring: return spring;
    case PanelId::vector: return vector;
    case PanelId::pendulum: return pendulum;
    case PanelId::graph: return graph;
    }
    throw std::logic_error("no such panel");
}

std::string Form::numberText(double value) const { return NumberText(value, decimalSeparator_); }

void Form::load()
{
    const double pi = circleConstant();
    state.tickInterval = tickMilliseconds;
    state.frequency = startFrequency;
    controls_.timer.setEnabled(false);
    controls_.timer.setInterval(state.tickInterval);
    state.amplitude = startAmplitude;
    state.phase = 0;
    controls_.readouts.amplitude.setText(numberText(state.amplitude * amplitudeReadoutScale));
    controls_.readouts.frequency.setText(NumberText(state.frequency));
    controls_.readouts.degrees.setText(NumberText(state.phase));
    controls_.readouts.radians.setText(numberText((static_cast<double>(state.phase) * pi) / 180));
    controls_.readouts.percent.setText(numberText(static_cast<double>(state.phase) / 3.6) + "%");
    controls_.readouts.sine.setText(NumberText(0));
    controls_.readouts.cosine.setText(NumberText(0));
    controls_.readouts.sine.setBackColor(colours::green);
    controls_.readouts.cosine.setBackColor(colours::yellow);
}

void Form::amplitudeDown()
{
    if (state.amplitude > 0)
        state.amplitude = state.amplitude - amplitudeStep;
    controls_.readouts.amplitude.setText(numberText(state.amplitude * amplitudeReadoutScale));
}

void Form::amplitudeUp()
{
    if (state.amplitude < maxAmplitude)
        state.amplitude = state.amplitude + amplitudeStep;
    controls_.readouts.amplitude.setText(numberText(state.amplitude * amplitudeReadoutScale));
}

void Form::frequencyDown()
{
    if (state.frequency > 0)
        state.frequency = state.frequency - 1;
    controls_.readouts.frequency.setText(NumberText(state.frequency));
}

void Form::frequencyUp()
{
    if (state.frequency < maxFrequency)
        state.frequency = state.frequency + 1;
    controls_.readouts.frequency.setText(NumberText(state.frequency));
}

void Form::start() { controls_.timer.setEnabled(true); }

void Form::stop() { controls_.timer.setEnabled(false); }

void Form::phaseDown()
{
    state.phase = addSaturating(state.phase, -1);
    controls_.readouts.degrees.setText(NumberText(state.phase));
    refreshAfterPhaseButton();
}

void Form::phaseUp()
{
    state.phase = addSaturating(state.phase, 1);
    controls_.readouts.degrees.setText(NumberText(state.phase));
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
    controls_.readouts.degrees.setText(NumberText(state.phase));
    controls_.timer.setInterval(state.tickInterval);
    const double pi = circleConstant();
    // The phase enters as a double so that 100 × phase cannot overflow.
    const auto phase = static_cast<double>(state.phase);
    controls_.readouts.radians.setText(numberText(std::floor(((100 * phase) * pi) / 180) / 100));
    controls_.readouts.percent.setText(numberText(std::floor((10 * phase) / 3.6) / 10) + "%");
}

void Form::beforePaint(PanelId panel)
{
    switch (panel) {
    case PanelId::spring:
        refreshPhaseReadouts();
        state.displacement = (-state.amplitude) * std::sin(radians(state.phase));
        break;
    case PanelId::vector:
        controls_.readouts.sine.setText(
            numberText(cutToThousandths(std::sin(radians(state.phase)))));
        controls_.readouts.cosine.setText(
            numberText(cutToThousandths(std::cos(radians(state.phase)))));
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
    controls_.spring.repaintNow();
    controls_.vector.repaintNow();
    controls_.pendulum.repaintNow();
    controls_.graph.repaintNow();
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

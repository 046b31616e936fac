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
    case PanelId::P1: return P1;
    case PanelId::p2: return p2;
    case PanelId::p3: return p3;
    case PanelId::p4: return p4;
    }
    throw std::logic_error("no such panel");
}

std::string Form::numberText(double value) const { return NumberText(value, decimalSeparator_); }

void Form::Form_Load()
{
    const double pi = circleConstant();
    state.TickInterval = tickMilliseconds;
    state.Frequency = startFrequency;
    controls_.Timer1.setEnabled(false);
    controls_.Timer1.setInterval(state.TickInterval);
    state.Amplitude = startAmplitude;
    state.Phase = 0;
    controls_.Text1.setText(numberText(state.Amplitude * amplitudeReadoutScale));
    controls_.Text2.setText(NumberText(state.Frequency));
    controls_.Text3.setText(NumberText(state.Phase));
    controls_.Text4.setText(numberText((static_cast<double>(state.Phase) * pi) / 180));
    controls_.Text5.setText(numberText(static_cast<double>(state.Phase) / 3.6) + "%");
    controls_.Text6.setText(NumberText(0));
    controls_.Text7.setText(NumberText(0));
    controls_.Text6.setBackColor(colours::green);
    controls_.Text7.setBackColor(colours::yellow);
}

void Form::Command1_Click()
{
    if (state.Amplitude > 0)
        state.Amplitude = state.Amplitude - amplitudeStep;
    controls_.Text1.setText(numberText(state.Amplitude * amplitudeReadoutScale));
}

void Form::Command2_Click()
{
    if (state.Amplitude < maxAmplitude)
        state.Amplitude = state.Amplitude + amplitudeStep;
    controls_.Text1.setText(numberText(state.Amplitude * amplitudeReadoutScale));
}

void Form::Command3_Click()
{
    if (state.Frequency > 0)
        state.Frequency = state.Frequency - 1;
    controls_.Text2.setText(NumberText(state.Frequency));
}

void Form::Command4_Click()
{
    if (state.Frequency < maxFrequency)
        state.Frequency = state.Frequency + 1;
    controls_.Text2.setText(NumberText(state.Frequency));
}

void Form::Command5_Click() { controls_.Timer1.setEnabled(true); }

void Form::Command6_Click() { controls_.Timer1.setEnabled(false); }

void Form::Command7_Click()
{
    state.Phase = addSaturating(state.Phase, -1);
    controls_.Text3.setText(NumberText(state.Phase));
    refreshAfterPhaseButton();
}

void Form::Command8_Click()
{
    state.Phase = addSaturating(state.Phase, 1);
    controls_.Text3.setText(NumberText(state.Phase));
    refreshAfterPhaseButton();
}

void Form::Command9_Click()
{
    state.Phase = 0;
    refreshAfterPhaseButton();
}

void Form::Timer1_Timer()
{
    state.Phase = addSaturating(state.Phase, state.Frequency);
    for (const PanelId panel : tickOrder)
        controls_.panel(panel).Refresh();
}

void Form::RefreshPhaseReadouts()
{
    if (state.Phase >= fullTurn)
        state.Phase = 0;
    controls_.Text3.setText(NumberText(state.Phase));
    controls_.Timer1.setInterval(state.TickInterval);
    const double pi = circleConstant();
    // The phase enters as a double so that 100 × Phase cannot overflow.
    const auto phase = static_cast<double>(state.Phase);
    controls_.Text4.setText(numberText(std::floor(((100 * phase) * pi) / 180) / 100));
    controls_.Text5.setText(numberText(std::floor((10 * phase) / 3.6) / 10) + "%");
}

void Form::beforePaint(PanelId panel)
{
    switch (panel) {
    case PanelId::P1:
        RefreshPhaseReadouts();
        state.Displacement = (-state.Amplitude) * std::sin(radians(state.Phase));
        break;
    case PanelId::p2:
        controls_.Text6.setText(numberText(cutToThousandths(std::sin(radians(state.Phase)))));
        controls_.Text7.setText(numberText(cutToThousandths(std::cos(radians(state.Phase)))));
        break;
    case PanelId::p3:
        RefreshPhaseReadouts();
        state.Displacement = state.Amplitude * std::sin(radians(state.Phase));
        state.CosSquared = std::pow(std::cos(radians(state.Phase)), 2.0);
        break;
    // The graph's loop ends one degree past its last.
    case PanelId::p4: state.CurveDegree = curveDegrees + 1; break;
    }
}

void Form::refreshAfterPhaseButton()
{
    controls_.P1.Refresh();
    controls_.p2.Refresh();
    controls_.p3.Refresh();
    controls_.p4.Refresh();
}

ClickHandler clickHandler(std::string_view button)
{
    // Buttons are attached to their handlers by name.
    static constexpr std::array<std::pair<std::string_view, ClickHandler>, 9> handlers{{
        {"Command1", &Form::Command1_Click},
        {"Command2", &Form::Command2_Click},
        {"Command3", &Form::Command3_Click},
        {"Command4", &Form::Command4_Click},
        {"Command5", &Form::Command5_Click},
        {"Command6", &Form::Command6_Click},
        {"Command7", &Form::Command7_Click},
        {"Command8", &Form::Command8_Click},
        {"Command9", &Form::Command9_Click},
    }};
    for (const auto& [name, handler] : handlers)
        if (name == button)
            return handler;
    return nullptr;
}

} // namespace tessarion::core

#pragma once

#include "core/control_interfaces.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarion::core {

/// Milliseconds between two ticks of the animation.
inline constexpr std::int32_t tickMilliseconds = 50;
/// The largest amplitude and frequency that the "+" buttons reach.
inline constexpr double maxAmplitude = 7;
inline constexpr std::int32_t maxFrequency = 40;
/// Text1 shows the amplitude doubled, so that its half steps read as whole ones.
inline constexpr int amplitudeReadoutScale = 2;
/// The time graph draws its curve at every whole degree from 1 to this.
inline constexpr std::int16_t curveDegrees = 360;

/// The four drawing panels, in the order the layout's handlers name them.
enum class PanelId { P1, p2, p3, p4 };

/// The order in which a tick repaints the panels. The time graph shows the displacement stored
/// last, so every paint of all four keeps to it, and the graph shows the pendulum's.
inline constexpr std::array<PanelId, 4> tickOrder{PanelId::P1, PanelId::p3, PanelId::p2,
                                                  PanelId::p4};

/// The window-level values of the oscillation, in the order the window holds them.
struct OscillationState {
    double Amplitude = 0;          ///< 0 to 7 in steps of 0.5.
    double Displacement = 0;       ///< Last value a paint of P1 or p3 stored; 0 before the first.
    double CosSquared = 0;         ///< Written by a paint of the pendulum only.
    std::int64_t Phase = 0;        ///< Whole degrees, unbounded below, normalised at 360.
    std::int32_t Frequency = 0;    ///< Whole degrees added per tick, 0 to 40.
    std::int32_t TickInterval = 0; ///< Milliseconds between ticks, 50 once loaded.
    std::int16_t CurveDegree = 0;  ///< Loop counter of the time graph's paint.
};

/// The controls the handlers write to; each must outlive the form.
struct FormControls {
    TextField& Text1; ///< Amplitude × 2.
    TextField& Text2; ///< Frequency.
    TextField& Text3; ///< Phase in degrees.
    TextField& Text4; ///< Phase in radians.
    TextField& Text5; ///< Phase as a percentage of a turn.
    TextField& Text6; ///< Sine of the phase.
    TextField& Text7; ///< Cosine of the phase.
    Timer& Timer1;    ///< The animation tick.
    Panel& P1;        ///< Spring and mass.
    Panel& p2;        ///< Rotating vector.
    Panel& p3;        ///< Pendulum.
    Panel& p4;        ///< Time graph.

    /// The panel `panel` stands for.
    Panel& panel(PanelId panel) const;
};

/// The main window's state and its event handlers, free of any toolkit.
class Form {
public:
    /// Binds the handlers to their controls; the separator is the user's decimal separator.
    explicit Form(FormControls controls, std::string decimalSeparator = ".");

    OscillationState state; ///< The whole oscillation; a panel's paint reads it.

    /// The controls the handlers drive.
    const FormControls& controls() const { return controls_; }
    /// The decimal separator every read-out uses.
    const std::string& decimalSeparator() const { return decimalSeparator_; }
    /// A number as its read-out text, with this form's separator.
    std::string numberText(double value) const;

    /// Start-up: start values, all seven read-outs, the timer stopped at 50 ms.
    void Form_Load();
    /// Amplitude "-": down by 0.5 unless at 0.
    void Command1_Click();
    /// Amplitude "+": up by 0.5 unless at 7.
    void Command2_Click();
    /// Frequency "-": down by 1 unless at 0.
    void Command3_Click();
    /// Frequency "+": up by 1 unless at 40.
    void Command4_Click();
    /// "Start": enables the timer.
    void Command5_Click();
    /// "Stop": disables the timer.
    void Command6_Click();
    /// Phase "-": one degree down, unguarded, then all four panels.
    void Command7_Click();
    /// Phase "+": one degree up, then all four panels.
    void Command8_Click();
    /// "Reset": phase back to 0, then all four panels.
    void Command9_Click();
    /// The animation tick: phase advances by the frequency, then the panels repaint in tick
    /// order.
    void Timer1_Timer();
    /// The first step of a paint of P1 or p3: wrap at 360, rewrite the phase read-outs.
    void RefreshPhaseReadouts();
    /// What a paint of `panel` changes besides its drawing, run right before the panel draws:
    /// for P1 and p3 the read-out step and the displacement they store (p3 also the squared
    /// cosine), for p2 the sine and cosine read-outs, for p4 its curve's loop counter.
    void beforePaint(PanelId panel);

private:
    void refreshAfterPhaseButton();

    FormControls controls_;
    std::string decimalSeparator_;
};

/// A button's click handler.
using ClickHandler = void (Form::*)();
/// The click handler of the button with this layout name, or nullptr.
ClickHandler clickHandler(std::string_view button);

/// π as every handler computes it.
double circleConstant();

} // namespace tessarion::core

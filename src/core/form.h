#pragma once

#include "core/control_interfaces.h"
#include "core/layout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessarion::core {

/// Milliseconds between two ticks of the animation.
inline constexpr std::int32_t tickMilliseconds = 50;
/// The largest amplitude and frequency that the "+" buttons reach.
inline constexpr double maxAmplitude = 7;
inline constexpr std::int32_t maxFrequency = 40;
/// The amplitude read-out shows the amplitude doubled, so that its half steps read as whole ones.
inline constexpr int amplitudeReadoutScale = 2;
/// The time graph draws its curve at every whole degree from 1 to this.
inline constexpr std::int16_t curveDegrees = 360;

/// The order in which a tick repaints the panels. The time graph shows the displacement stored
/// last, so every paint of all four keeps to it, and the graph shows the pendulum's.
inline constexpr std::array<PanelId, panelCount> tickOrder{PanelId::spring, PanelId::pendulum,
                                                           PanelId::vector, PanelId::graph};

/// The window-level values of the oscillation, in the order the window holds them.
struct OscillationState {
    double amplitude = 0;          ///< 0 to 7 in steps of 0.5.
    double displacement = 0;       ///< Stored by a spring or pendulum paint; 0 before the first.
    double cosineSquared = 0;      ///< Written by a paint of the pendulum only.
    std::int64_t phase = 0;        ///< Whole degrees, unbounded below, normalised at 360.
    std::int32_t frequency = 0;    ///< Whole degrees added per tick, 0 to 40.
    std::int32_t tickInterval = 0; ///< Milliseconds between ticks, 50 once loaded.
    std::int16_t curveDegree = 0;  ///< Loop counter of the time graph's paint.
};

/// Where the window's controls come from: each is asked once for every row of the layout of
/// its kind that the handlers drive, and what it returns must outlive the form.
struct ControlSource {
    std::function<TextField&(const ControlSpec&)> readout;
    std::function<Timer&(const ControlSpec&)> timer;
    std::function<Panel&(const ControlSpec&)> panel;
};

/// The controls the handlers write to, one for each read-out, timer and panel of the layout.
class FormControls {
public:
    /// Takes each control of the layout from `source`.
    explicit FormControls(const ControlSource& source);

    TextField& readout(ReadoutId readout) const
    {
        return *readouts_[static_cast<std::size_t>(readout)];
    }
    Timer& timer() const { return *timer_; }
    Panel& panel(PanelId panel) const { return *panels_[static_cast<std::size_t>(panel)]; }

private:
    std::array<TextField*, readoutCount> readouts_{};
    Timer* timer_ = nullptr;
    std::array<Panel*, panelCount> panels_{};
};

/// The main window's state and its event handlers, free of any toolkit.
class Form {
public:
    /// Binds the handlers to their controls; the separator is the user's decimal separator.
    explicit Form(const ControlSource& source, std::string decimalSeparator = ".");

    OscillationState state; ///< The whole oscillation; a panel's paint reads it.

    /// The controls the handlers drive.
    const FormControls& controls() const { return controls_; }
    /// The decimal separator every read-out uses.
    const std::string& decimalSeparator() const { return decimalSeparator_; }
    /// A number as its read-out text, with this form's separator.
    std::string numberText(double value) const;

    /// Start-up: start values, all seven read-outs, the timer stopped at 50 ms.
    void load();
    /// Down by 0.5, unless at 0.
    void amplitudeDown();
    /// Up by 0.5, unless at 7.
    void amplitudeUp();
    /// Down by 1, unless at 0.
    void frequencyDown();
    /// Up by 1, unless at 40.
    void frequencyUp();
    /// Enables the timer.
    void start();
    /// Disables the timer.
    void stop();
    /// One degree down, unguarded, then all four panels.
    void phaseDown();
    /// One degree up, then all four panels.
    void phaseUp();
    /// The phase back to 0, then all four panels.
    void reset();
    /// The animation tick: the phase advances by the frequency, then the panels repaint in tick
    /// order.
    void tick();
    /// The first step of a paint of the spring or the pendulum: wrap at 360, rewrite the phase
    /// read-outs.
    void refreshPhaseReadouts();
    /// What a paint of `panel` changes besides its drawing, run right before the panel draws:
    /// for the spring and the pendulum the read-out step and the displacement they store (the
    /// pendulum also the squared cosine), for the vector the sine and cosine read-outs, for the
    /// graph its curve's loop counter.
    void beforePaint(PanelId panel);
    /// The state as the last paint of `panel` drew it; a change of the amplitude shows on a
    /// panel only at its next paint.
    const OscillationState& shownBy(PanelId panel) const
    {
        return shown_[static_cast<std::size_t>(panel)];
    }

private:
    /// What every phase button ends with: all four panels repaint.
    void refreshAfterPhaseButton();

    FormControls controls_;        ///< The controls the handlers write to.
    std::string decimalSeparator_; ///< The user's decimal separator.
    /// What each panel's last paint drew, by PanelId.
    std::array<OscillationState, 4> shown_{};
};

/// A button's click handler.
using ClickHandler = void (Form::*)();
/// The click handler of the button with this layout name, or nullptr.
ClickHandler clickHandler(std::string_view button);

/// π as every handler computes it.
double circleConstant();

} // namespace tessarion::core

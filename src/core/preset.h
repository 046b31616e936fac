#pragma once

#include "core/form.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The Qt front end's translation tools collect the texts marked with this; elsewhere the mark
// leaves the English text as it is.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tessarion::core {

/// One setting as the user wrote it, on the command line or in the page's address: its name
/// and, unless the name stands alone, its value.
struct PresetArgument {
    std::string name;                 ///< "amplitude", "frequency", "phase" or "start".
    std::optional<std::string> value; ///< The text after the name, if any.
    bool operator==(const PresetArgument&) const = default;
};

/// A start value that is a whole number: its name, the values the buttons reach, and the
/// buttons that reach them. The translation scope of the texts is "Preset".
struct PresetNumber {
    std::string_view name; ///< As on the command line and in the page's address.
    std::int64_t lowest;   ///< The smallest value it takes.
    std::int64_t highest;  ///< The largest value it takes.
    /// What the user is told when the value is refused: %1 is the setting as written, %2 and
    /// %3 the range.
    const char* problem;
    /// What it sets, for the help: %1 and %2 are the range.
    const char* description;
    ClickHandler down; ///< The button that lowers it by one step.
    ClickHandler up;   ///< The button that raises it by one step.
    /// Its value in the state, counted as the setting counts it.
    std::int64_t (*current)(const OscillationState& state);
};

/// The whole-number start values, in the order they are applied: the amplitude as its
/// read-out shows it, the frequency, and the phase in whole degrees within one turn either way
/// (the phase "-" button makes negative phases too).
inline constexpr auto presetNumbers = std::to_array<PresetNumber>({
    {.name = "amplitude",
     .lowest = 0,
     .highest = static_cast<std::int64_t>(maxAmplitude * amplitudeReadoutScale),
     .problem = QT_TRANSLATE_NOOP("Preset", "%1: the amplitude must be a whole number from %2 to "
                                            "%3, as its read-out shows it"),
     .description =
         QT_TRANSLATE_NOOP("Preset", "The amplitude as its read-out shows it, from %1 to %2."),
     .down = &Form::amplitudeDown,
     .up = &Form::amplitudeUp,
     .current =
         [](const OscillationState& state) {
             return static_cast<std::int64_t>(state.amplitude * amplitudeReadoutScale);
         }},
    {.name = "frequency",
     .lowest = 0,
     .highest = maxFrequency,
     .problem = QT_TRANSLATE_NOOP(
         "Preset", "%1: the frequency must be a whole number of degrees per tick from %2 to %3"),
     .description =
         QT_TRANSLATE_NOOP("Preset", "The frequency in degrees per tick, from %1 to %2."),
     .down = &Form::frequencyDown,
     .up = &Form::frequencyUp,
     .current = [](const OscillationState& state) -> std::int64_t { return state.frequency; }},
    {.name = "phase",
     .lowest = -359,
     .highest = 359,
     .problem = QT_TRANSLATE_NOOP("Preset",
                                  "%1: the phase must be a whole number of degrees from %2 to %3"),
     .description = QT_TRANSLATE_NOOP("Preset", "The phase in whole degrees, from %1 to %2."),
     .down = &Form::phaseDown,
     .up = &Form::phaseUp,
     .current = [](const OscillationState& state) { return state.phase; }},
});

/// The setting without a value: the animation runs from the start.
inline constexpr std::string_view presetStartName = "start";

/// What the user is told of a value given to "start", and of a name that is no setting; %1
/// is the setting as written.
inline constexpr const char* presetStartValueProblem =
    QT_TRANSLATE_NOOP("Preset", "%1: start takes no value");
inline constexpr const char* presetUnknownProblem = QT_TRANSLATE_NOOP(
    "Preset", "%1 is not a setting; the settings are amplitude, frequency, phase and start");

/// Start values: those given, and whether the animation runs.
struct Preset {
    /// The value given for each of presetNumbers, in its order.
    std::array<std::optional<std::int64_t>, presetNumbers.size()> numbers{};
    bool start = false; ///< Whether the animation runs.
    bool operator==(const Preset&) const = default;
};

/// A setting that is refused, for the front end to tell the user in its own words.
struct PresetProblem {
    PresetArgument argument; ///< The setting as given.
    /// What to tell, in English, for the front end to translate: %1 is the setting as the user
    /// wrote it, %2 and %3 the range when there is one.
    const char* text = nullptr;
    /// The values the setting takes, when it takes a number.
    std::optional<std::array<std::int64_t, 2>> range;
};

/// The start values that settings give, and those of the settings that are refused.
struct PresetReading {
    Preset preset;                       ///< Meaningful only without problems.
    std::vector<PresetProblem> problems; ///< In the order of the settings.
};

/// Reads settings. A number must be a whole number in its range, "start" takes no value, and
/// any other name is refused; a setting given twice takes its last value.
PresetReading readPreset(std::span<const PresetArgument> settings);

/// Brings a loaded form to the start values by pressing the buttons that change them, as
/// often as the user would, then "Start" when the animation runs.
void applyPreset(const Preset& preset, Form& form);

/// The settings that bring a freshly loaded form to `state`, all numbers given; "start" when
/// `running`. A phase beyond the range is given within one turn: the same angle.
std::vector<PresetArgument> presetArguments(const OscillationState& state, bool running);

} // namespace tessarion::core

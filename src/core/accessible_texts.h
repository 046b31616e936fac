#pragma once

#include "core/form.h"

#include <array>
#include <optional>
#include <string_view>

// The Qt front end's translation tools collect the texts marked with this; elsewhere the mark
// leaves the English text as it is.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tessarion::core {

/// What assistive technology is told about one control of the layout, in English; the
/// translation scope of every text is "Accessibility".
struct AccessibleRow {
    std::string_view control;              ///< The control's layout name.
    const char* name = nullptr;            ///< Said instead of the terse caption.
    const char* description = nullptr;     ///< What a drawing panel shows.
    const char* toolTip = nullptr;         ///< What a button does.
    std::optional<int> toolTipNumber = {}; ///< What the tooltip's %1 stands for.
    std::string_view buddy = {};           ///< The read-out a label names.
};

// The captions are terse ("-", "+", "Ampl.") and stay as they are in every language; what a
// screen reader or a tooltip says instead is the program's own text, translated. Buttons get
// no separate description: assistive technology reads their tooltip as one.
inline constexpr auto accessibleRows = std::to_array<AccessibleRow>({
    {.control = "P1",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Mass on a spring"),
     .description = QT_TRANSLATE_NOOP(
         "Accessibility", "A mass on a spring that moves up and down with the phase, beside a "
                          "scale from -A to +A, with a green bar for the displacement")},
    {.control = "Command1",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Amplitude down"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility", "Decrease the amplitude by 1, down to 0")},
    {.control = "Command2",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Amplitude up"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility", "Increase the amplitude by 1, up to %1"),
     .toolTipNumber = static_cast<int>(maxAmplitude * amplitudeReadoutScale)},
    {.control = "Label1", .buddy = "Text1"},
    {.control = "Text1", .name = QT_TRANSLATE_NOOP("Accessibility", "Amplitude")},
    {.control = "Command3",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Frequency down"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility",
                                  "Decrease the frequency by 1 degree per step, down to 0")},
    {.control = "Label2", .buddy = "Text2"},
    {.control = "Text2", .name = QT_TRANSLATE_NOOP("Accessibility", "Frequency")},
    {.control = "Command4",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Frequency up"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility",
                                  "Increase the frequency by 1 degree per step, up to %1"),
     .toolTipNumber = maxFrequency},
    {.control = "Command5",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Start the animation"),
     .toolTip = QT_TRANSLATE_NOOP(
         "Accessibility", "Start the animation: every %1 ms the phase grows by the frequency"),
     .toolTipNumber = tickMilliseconds},
    {.control = "Command6",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Stop the animation"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility", "Stop the animation at the current phase")},
    {.control = "Command7",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Phase down"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility", "Decrease the phase by 1 degree")},
    {.control = "Command8",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Phase up"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility", "Increase the phase by 1 degree")},
    {.control = "Label4", .buddy = "Text3"},
    {.control = "Text3", .name = QT_TRANSLATE_NOOP("Accessibility", "Phase in degrees")},
    {.control = "Label5", .buddy = "Text4"},
    {.control = "Text4", .name = QT_TRANSLATE_NOOP("Accessibility", "Phase in radians")},
    {.control = "Label6", .buddy = "Text5"},
    {.control = "Text5", .name = QT_TRANSLATE_NOOP("Accessibility", "Phase in percent of a turn")},
    {.control = "Command9",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Reset the phase"),
     .toolTip = QT_TRANSLATE_NOOP("Accessibility",
                                  "Set the phase back to 0; a running animation goes on")},
    {.control = "p3",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Pendulum"),
     .description = QT_TRANSLATE_NOOP(
         "Accessibility", "A pendulum whose bob swings left and right with the phase, above a "
                          "scale from -A to +A, with a green bar for the displacement")},
    {.control = "p2",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Rotating vector"),
     .description = QT_TRANSLATE_NOOP(
         "Accessibility", "A vector turning on a circle with the phase, with its cosine in yellow "
                          "along the X axis and its sine in green along the Y axis")},
    {.control = "Label7", .buddy = "Text6"},
    {.control = "Text6", .name = QT_TRANSLATE_NOOP("Accessibility", "Sine of the phase")},
    {.control = "Label8", .buddy = "Text7"},
    {.control = "Text7", .name = QT_TRANSLATE_NOOP("Accessibility", "Cosine of the phase")},
    {.control = "p4",
     .name = QT_TRANSLATE_NOOP("Accessibility", "Graph of one period"),
     .description = QT_TRANSLATE_NOOP(
         "Accessibility", "The displacement over one period T as a sine curve, with a vertical "
                          "marker at the current phase")},
});

} // namespace tessarion::core

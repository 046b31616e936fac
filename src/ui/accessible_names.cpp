#include "ui/accessible_names.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace tessarion::ui {

namespace {
// The captions are terse ("-", "+", "Ampl."); screen readers need the whole meaning.
constexpr auto names = std::to_array<std::pair<std::string_view, const char*>>({
    {"P1", QT_TRANSLATE_NOOP("Accessibility", "Mass on a spring")},
    {"Command1", QT_TRANSLATE_NOOP("Accessibility", "Amplitude down")},
    {"Command2", QT_TRANSLATE_NOOP("Accessibility", "Amplitude up")},
    {"Text1", QT_TRANSLATE_NOOP("Accessibility", "Amplitude")},
    {"Command3", QT_TRANSLATE_NOOP("Accessibility", "Frequency down")},
    {"Text2", QT_TRANSLATE_NOOP("Accessibility", "Frequency")},
    {"Command4", QT_TRANSLATE_NOOP("Accessibility", "Frequency up")},
    {"Command5", QT_TRANSLATE_NOOP("Accessibility", "Start the animation")},
    {"Command6", QT_TRANSLATE_NOOP("Accessibility", "Stop the animation")},
    {"Command7", QT_TRANSLATE_NOOP("Accessibility", "Phase down")},
    {"Command8", QT_TRANSLATE_NOOP("Accessibility", "Phase up")},
    {"Text3", QT_TRANSLATE_NOOP("Accessibility", "Phase in degrees")},
    {"Text4", QT_TRANSLATE_NOOP("Accessibility", "Phase in radians")},
    {"Text5", QT_TRANSLATE_NOOP("Accessibility", "Phase in percent of a turn")},
    {"Command9", QT_TRANSLATE_NOOP("Accessibility", "Reset the phase")},
    {"p3", QT_TRANSLATE_NOOP("Accessibility", "Pendulum")},
    {"p2", QT_TRANSLATE_NOOP("Accessibility", "Rotating vector")},
    {"Text6", QT_TRANSLATE_NOOP("Accessibility", "Sine of the phase")},
    {"Text7", QT_TRANSLATE_NOOP("Accessibility", "Cosine of the phase")},
    {"p4", QT_TRANSLATE_NOOP("Accessibility", "Graph of one period")},
});
} // namespace

QString accessibleNameFor(std::string_view control)
{
    for (const auto& [name, text] : names)
        if (name == control)
            return QCoreApplication::translate("Accessibility", text);
    return {};
}

} // namespace tessarion::ui

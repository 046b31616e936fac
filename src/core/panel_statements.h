#pragma once

#include "core/form.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The Qt front end's translation tools collect the texts marked with this; elsewhere the mark
// leaves the English text as it is.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tessarion::core {

/// The sentences that say what a panel shows now, in English; the translation scope is
/// "Accessibility", and %1, %2 and %3 stand for numbers already in the user's notation.
namespace statements {
inline constexpr const char* massAbove = QT_TRANSLATE_NOOP(
    "Accessibility", "The mass is %1 above its rest position, %2 % of the amplitude.");
inline constexpr const char* massBelow = QT_TRANSLATE_NOOP(
    "Accessibility", "The mass is %1 below its rest position, %2 % of the amplitude.");
inline constexpr const char* massAtRest =
    QT_TRANSLATE_NOOP("Accessibility", "The mass is at its rest position.");
inline constexpr const char* vector =
    QT_TRANSLATE_NOOP("Accessibility", "The vector is at %1 degrees, with sine %2 and cosine %3.");
inline constexpr const char* bobRight =
    QT_TRANSLATE_NOOP("Accessibility", "The bob is %1 right of the middle, %2 % of the amplitude.");
inline constexpr const char* bobLeft =
    QT_TRANSLATE_NOOP("Accessibility", "The bob is %1 left of the middle, %2 % of the amplitude.");
inline constexpr const char* bobInTheMiddle =
    QT_TRANSLATE_NOOP("Accessibility", "The bob hangs in the middle.");
inline constexpr const char* markerAbove = QT_TRANSLATE_NOOP(
    "Accessibility", "The marker is at %1 % of the period, %2 % of the amplitude above the axis.");
inline constexpr const char* markerBelow = QT_TRANSLATE_NOOP(
    "Accessibility", "The marker is at %1 % of the period, %2 % of the amplitude below the axis.");
inline constexpr const char* markerOnAxis =
    QT_TRANSLATE_NOOP("Accessibility", "The marker is at %1 % of the period, on the axis.");
inline constexpr const char* markerOffGraph =
    QT_TRANSLATE_NOOP("Accessibility", "The marker is off the graph, at %1 degrees.");
} // namespace statements

/// One short sentence about what a panel shows now: which sentence, and its numbers.
struct PanelStatement {
    const char* wording = nullptr;    ///< One of `statements`.
    std::vector<std::string> numbers; ///< What %1, %2 and %3 stand for, in order.
};

/// What `panel` shows when drawn from `shown`, the state its last paint drew; numbers are
/// written as the read-outs write them, with `decimalSeparator`.
PanelStatement statementOf(PanelId panel, const OscillationState& shown,
                           std::string_view decimalSeparator);

/// When the panels' statements follow the state: after every change while the animation is
/// stopped, and at most once a second while it runs, so that a screen reader is not flooded.
class StatementPace {
public:
    /// The shortest time between two statements while the animation runs.
    static constexpr double runningGapMilliseconds = 1000;

    /// Whether a change at `now`, in milliseconds of a steady clock, is told now.
    bool due(double now, bool running)
    {
        if (running && told_ && now - *told_ < runningGapMilliseconds)
            return false;
        told_ = now;
        return true;
    }

private:
    std::optional<double> told_; ///< When the statements last followed the state.
};

} // namespace tessarion::core

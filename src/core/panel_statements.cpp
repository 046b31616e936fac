#include "core/panel_statements.h"

#include "core/number_text.h"

#include <cmath>
#include <cstdint>

namespace tessarion::core {

namespace {
// The graph's time axis runs from 0 to a full turn.
constexpr std::int64_t fullTurn = 360;

std::string percent(double share) { return NumberText(std::int64_t{std::lround(share * 100)}); }

// An offset from the middle of a scale from -A to +A. It is told in the units of the amplitude
// read-out, which shows the amplitude doubled, to a tenth: less than that lies within half a
// pixel of the middle, and counts as there.
PanelStatement offsetStatement(double offset, double amplitude, const char* positive,
                               const char* negative, const char* middle, std::string_view separator)
{
    const double distance = std::round(std::abs(offset) * amplitudeReadoutScale * 10) / 10;
    if (distance == 0)
        return {middle, {}};
    return {offset > 0 ? positive : negative,
            {NumberText(distance, separator), percent(std::abs(offset) / amplitude)}};
}

double hundredths(double value) { return std::round(value * 100) / 100; }

// The marker stands at the phase, seen from 0 to a full turn; its height is the displacement
// stored last over the amplitude, none without an amplitude, as the graph draws it.
PanelStatement graphStatement(const OscillationState& shown, std::string_view separator)
{
    if (shown.phase < 0 || shown.phase > fullTurn)
        return {statements::markerOffGraph, {NumberText(shown.phase)}};
    // The period's share as the percentage read-out gives it.
    const auto phase = static_cast<double>(shown.phase);
    std::string period = NumberText(std::floor((10 * phase) / 3.6) / 10, separator);
    const double height = shown.amplitude == 0 ? 0 : shown.displacement / shown.amplitude;
    if (std::lround(std::abs(height) * 100) == 0)
        return {statements::markerOnAxis, {std::move(period)}};
    return {height > 0 ? statements::markerAbove : statements::markerBelow,
            {std::move(period), percent(std::abs(height))}};
}
} // namespace

PanelStatement statementOf(PanelId panel, const OscillationState& shown,
                           std::string_view decimalSeparator)
{
    switch (panel) {
    // The spring stores its displacement downwards, as its panel's y axis grows.
    case PanelId::spring:
        return offsetStatement(-shown.displacement, shown.amplitude, statements::massAbove,
                               statements::massBelow, statements::massAtRest, decimalSeparator);
    case PanelId::vector: {
        const double angle = (circleConstant() * static_cast<double>(shown.phase)) / 180;
        return {statements::vector,
                {NumberText(shown.phase), NumberText(hundredths(std::sin(angle)), decimalSeparator),
                 NumberText(hundredths(std::cos(angle)), decimalSeparator)}};
    }
    case PanelId::pendulum:
        return offsetStatement(shown.displacement, shown.amplitude, statements::bobRight,
                               statements::bobLeft, statements::bobInTheMiddle, decimalSeparator);
    case PanelId::graph: return graphStatement(shown, decimalSeparator);
    }
    return {};
}

} // namespace tessarion::core

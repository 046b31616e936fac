#pragma once

#include "core/form.h"
#include "render/surface.h"

namespace tessarion::render {

/// Arithmetic is done in doubles; the surface takes singles.
inline float single(double value) { return static_cast<float>(value); }

/// The line figures of the spring panel that its painter moves.
struct SpringFigures {
    LineFigure& hanger;        ///< Hanger between the ceiling and the spring.
    LineFigureGroup& segments; ///< The twelve spring segments.
    LineFigure& massRod;       ///< Rod from the spring to the mass.
};

// Each painter draws `state` as the form's part of the paint (`Form::beforePaint`) has just
// left it, and moves only its own panel's line figures.

/// Paints the mass on its spring at the displacement stored.
void paintSpring(const core::OscillationState& state, Surface& panel, const SpringFigures& figures);
/// Paints the rotating vector at the phase.
void paintVector(const core::OscillationState& state, Surface& panel);
/// Paints the pendulum at the displacement and squared cosine stored.
void paintPendulum(const core::OscillationState& state, Surface& panel, LineFigure& pendulumRod);
/// Paints one period of the elongation with the marker at the current phase.
void paintGraph(const core::OscillationState& state, Surface& panel);

} // namespace tessarion::render

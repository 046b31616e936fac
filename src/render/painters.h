#pragma once

#include "core/form.h"
#include "render/surface.h"

namespace tessarion::render {

/// Arithmetic is done in doubles; the surface takes singles.
inline float single(double value) { return static_cast<float>(value); }

/// The line figures of the spring panel that its painter moves.
struct SpringFigures {
    LineFigure& Lin1;      ///< Hanger between the ceiling and the spring.
    LineFigureGroup& Linl; ///< The twelve spring segments.
    LineFigure& Lin2;      ///< Rod from the spring to the mass.
};

// Each painter draws `state` as the form's part of the paint (`Form::beforePaint`) has just
// left it, and moves only its own panel's line figures.

/// Paints the mass on its spring at the displacement stored.
void P1_Paint(const core::OscillationState& state, Surface& P1, const SpringFigures& figures);
/// Paints the rotating vector at the phase.
void p2_paint(const core::OscillationState& state, Surface& p2);
/// Paints the pendulum at the displacement and squared cosine stored.
void p3_paint(const core::OscillationState& state, Surface& p3, LineFigure& Line3);
/// Paints one period of the elongation with the marker at the current phase.
void P4_paint(const core::OscillationState& state, Surface& p4);

} // namespace tessarion::render

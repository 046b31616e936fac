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

/// Paints the mass on its spring; starts with the shared read-out step.
void P1_Paint(core::Form& form, Surface& P1, const SpringFigures& figures);
/// Paints the rotating vector and writes the sine and cosine read-outs.
void p2_paint(core::Form& form, Surface& p2);
/// Paints the pendulum; starts with the shared read-out step.
void p3_paint(core::Form& form, Surface& p3, LineFigure& Line3);
/// Paints one period of the elongation with the marker at the current phase.
void P4_paint(core::Form& form, Surface& p4);

} // namespace tessarion::render

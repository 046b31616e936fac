#pragma once

#include "core/colour.h"

#include <QColor>
#include <QPalette>

namespace tessarion::ui {

/// The screen colour of a colour value, system colours taken from the fixed light palette.
QColor toQColor(core::Colour colour);

/// A fixed light palette, so that the drawings' explicit colours stay legible on any theme.
QPalette lightPalette();

} // namespace tessarion::ui

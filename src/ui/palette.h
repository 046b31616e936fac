#pragma once

#include "core/colour.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QApplication;

namespace tessarion::ui {

/// The screen colour of a colour value, system colours taken from the fixed light palette.
QColor toQColor(Colour colour);

/// A fixed light palette, so that the drawings' explicit colours stay legible on any theme.
QPalette lightPalette();

/// The window's font: MS Sans Serif 9.75 pt bold, or the nearest Debian has.
QFont windowFont();
/// The read-outs' font: the window's, with a narrow stand-in so that values like "99.7%" fit.
QFont readoutFont();
/// The large label font: the same family at 12 pt, bold and underlined.
QFont largeLabelFont();

/// Style, palette and font for the whole program; call once after creating the application.
void prepareApplication(QApplication& app);

} // namespace tessarion::ui

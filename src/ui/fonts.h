#pragma once

#include <QFont>

namespace tessarion::ui {

/// The window's font: MS Sans Serif 9.75 pt bold, or the nearest Debian has.
QFont windowFont();
/// The read-outs' font: the window's, with a narrow stand-in so that values like "99.7%" fit.
QFont readoutFont();
/// The large label font: the same family at 12 pt, bold and underlined.
QFont largeLabelFont();

} // namespace tessarion::ui

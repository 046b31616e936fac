#pragma once

#include "core/preset.h"

namespace tessarion::ui {

class MainWindow;

/// Presses the buttons that bring `window` to `preset` right after its first paint, as the
/// user would: the panels' first paint is the start's, and every press after it paints as a
/// click does.
void pressOnceShown(MainWindow& window, const core::Preset& preset);

} // namespace tessarion::ui

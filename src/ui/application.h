#pragma once

class QApplication;

namespace tessarion::ui {

/// Names, style, palette and font for the whole program; call once after creating the
/// application object.
void prepareApplication(QApplication& app);

} // namespace tessarion::ui

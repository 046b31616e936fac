#pragma once

#include <QString>

#include <string_view>

namespace tessarion::ui {

/// What a screen reader says for the control with this layout name; empty for a control
/// whose caption speaks for itself.
QString accessibleNameFor(std::string_view control);

} // namespace tessarion::ui

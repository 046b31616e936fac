#pragma once

#include <QString>

#include <string_view>

class QWidget;

namespace tessarion::ui {

/// What assistive technology is told about one control of the layout, in the user's language.
struct AccessibleTexts {
    QString name;           ///< Said instead of the terse caption; empty when it speaks for itself.
    QString description;    ///< What a drawing panel shows; empty for other controls.
    QString toolTip;        ///< What a button does; empty for other controls.
    std::string_view buddy; ///< The read-out a label names; empty for other controls.
};

/// The texts for the control with this layout name, translated; all empty for an unknown name.
AccessibleTexts accessibilityFor(std::string_view control);

/// Gives `widget` the name, description and tooltip of the control `control`.
void applyAccessibility(QWidget& widget, std::string_view control);

} // namespace tessarion::ui

#pragma once

#include "core/control_interfaces.h"

#include <QLineEdit>

namespace tessarion::ui {

/// A read-out the handlers write; the user may type into it until its next update.
class ReadoutField : public QLineEdit, public core::TextField {
    Q_OBJECT
public:
    /// A field inside `parent`.
    explicit ReadoutField(QWidget* parent);

    /// Shows `text`; the text it already shows causes no repaint.
    void setText(std::string_view text) override;
    /// Paints the field's background in `colour`.
    void setBackColor(core::Colour colour) override;
};

} // namespace tessarion::ui

#pragma once

#include <QPushButton>

namespace tessarion::ui {

/// A push button that Enter and Return press as well as Space.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    /// A button with `caption` inside `parent`.
    PushButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tessarion::ui

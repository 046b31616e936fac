#pragma once

#include "core/controls.h"

#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QTimer>

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
    void setBackColor(Colour colour) override;
};

/// The animation timer: precise, and never restarted by an unchanged setting.
class PreciseTimer : public QObject, public core::Timer {
    Q_OBJECT
public:
    /// A stopped timer owned by `parent`.
    explicit PreciseTimer(QObject* parent);

    void setEnabled(bool enabled) override;
    void setInterval(std::int32_t milliseconds) override;
    /// True while ticks are delivered.
    bool isEnabled() const { return timer_.isActive(); }
    /// Milliseconds between ticks.
    int interval() const { return timer_.interval(); }
    /// The underlying timer, for tests that watch its ticks.
    const QTimer& timer() const { return timer_; }

signals:
    /// One animation tick.
    void tick();

private:
    QTimer timer_;
};

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

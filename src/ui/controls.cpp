#include "ui/controls.h"

#include "ui/palette.h"

#include <QKeyEvent>

namespace tessarion::ui {

ReadoutField::ReadoutField(QWidget* parent)
    : QLineEdit(parent)
{
    // Opaque, so that a new text repaints the field alone and not the panel beneath it.
    setAutoFillBackground(true);
    setFont(readoutFont());
}

void ReadoutField::setText(std::string_view text)
{
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (value == QLineEdit::text())
        return;
    QLineEdit::setText(value);
    // Show the start of a value that is wider than the field, not its end.
    setCursorPosition(0);
}

void ReadoutField::setBackColor(Colour colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, toQColor(colour));
    setPalette(palette);
}

PreciseTimer::PreciseTimer(QObject* parent)
    : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PreciseTimer::tick);
}

void PreciseTimer::setEnabled(bool enabled)
{
    // QTimer::start on a running timer would restart its count.
    if (enabled && !timer_.isActive())
        timer_.start();
    else if (!enabled)
        timer_.stop();
}

void PreciseTimer::setInterval(std::int32_t milliseconds)
{
    // Re-applied on every paint; a restart each time would make the animation lag the clock.
    if (milliseconds != timer_.interval())
        timer_.setInterval(milliseconds);
}

PushButton::PushButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace tessarion::ui

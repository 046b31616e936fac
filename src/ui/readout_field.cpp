#include "ui/readout_field.h"

#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/qt_text.h"

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
    const QString value = toQString(text);
    if (value == QLineEdit::text())
        return;
    QLineEdit::setText(value);
    // Show the start of a value that is wider than the field, not its end.
    setCursorPosition(0);
}

void ReadoutField::setBackColor(core::Colour colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, toQColor(colour));
    setPalette(palette);
}

} // namespace tessarion::ui

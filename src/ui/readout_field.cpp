#include "ui/readout_field.h"

#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/qt_text.h"

namespace tessarion::ui {

namespace {
constexpr int lineEditTextMargin = 2;
} // namespace

ReadoutField::ReadoutField(QWidget* parent)
    : QLineEdit(parent)
{
    // Opaque, so that a new text repaints the field alone and not the panel beneath it.
    setAutoFillBackground(true);
    setFont(readoutFont());
    // QLineEdit keeps 2 pixels between its frame and the text on either side; the widest
    // values ("12.5%" in the narrow T% field) need that room, so the text reaches the frame.
    setTextMargins(-lineEditTextMargin, 0, -lineEditTextMargin, 0);
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

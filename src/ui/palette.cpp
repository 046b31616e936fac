#include "ui/palette.h"

namespace tessarion::ui {

namespace {
namespace colours = core::colours;
} // namespace

QColor toQColor(core::Colour colour)
{
    const core::Colour shown = core::screenColour(colour);
    return QColor(static_cast<int>(shown & 0xFFu), static_cast<int>((shown >> 8) & 0xFFu),
                  static_cast<int>((shown >> 16) & 0xFFu));
}

QPalette lightPalette()
{
    const QColor face = toQColor(colours::buttonFace);
    const QColor text = toQColor(colours::buttonText);
    QPalette palette(face);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Base, toQColor(colours::windowBackground));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Highlight, toQColor(colours::highlight));
        palette.setColor(group, QPalette::HighlightedText, toQColor(colours::highlightText));
    }
    const QColor disabled = toQColor(colours::grayText);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

} // namespace tessarion::ui

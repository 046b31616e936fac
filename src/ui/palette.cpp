#include "ui/palette.h"

#include <array>
#include <utility>

namespace tessarion::ui {

namespace {
namespace colours = core::colours;

// Screen colours of the system colours the layout and the palette name.
constexpr std::array<std::pair<core::Colour, QRgb>, 9> systemColours{{
    {colours::windowBackground, 0xFFFFFF},
    {colours::windowText, 0x000000},
    {colours::highlight, 0x0078D7},
    {colours::highlightText, 0xFFFFFF},
    {colours::buttonFace, 0xF0F0F0},
    {colours::buttonShadow, 0xA0A0A0},
    {colours::grayText, 0x6D6D6D},
    {colours::buttonText, 0x000000},
    {colours::inactiveCaptionText, 0x000000},
}};
} // namespace

QColor toQColor(core::Colour colour)
{
    if (core::isSystemColour(colour)) {
        for (const auto& [system, rgbValue] : systemColours)
            if (system == colour)
                return QColor::fromRgb(rgbValue);
        return Qt::black;
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
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

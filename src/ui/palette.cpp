#include "ui/palette.h"

#include <QApplication>
#include <QStringList>
#include <QStyleFactory>

#include <array>
#include <utility>

namespace tessarion::ui {

namespace {
// Screen colours of the system colours the layout names, by index.
constexpr std::array<std::pair<int, QRgb>, 9> systemColours{{
    {0x05, 0xFFFFFF}, // window background
    {0x08, 0x000000}, // window text
    {0x0D, 0x0078D7}, // highlight
    {0x0E, 0xFFFFFF}, // highlight text
    {0x0F, 0xF0F0F0}, // button face
    {0x10, 0xA0A0A0}, // button shadow
    {0x11, 0x6D6D6D}, // grey text
    {0x12, 0x000000}, // button text
    {0x13, 0x000000}, // inactive caption text
}};

QStringList fontFamilies()
{
    // Liberation Sans is metric-compatible with the Windows sans fonts; DejaVu is always there.
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
}
} // namespace

QColor toQColor(Colour colour)
{
    if (isSystemColour(colour)) {
        const int index = static_cast<int>(colour & 0xFFu);
        for (const auto& [systemIndex, rgbValue] : systemColours)
            if (systemIndex == index)
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
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Highlight, toQColor(colours::highlight));
        palette.setColor(group, QPalette::HighlightedText, toQColor(colours::highlightText));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(0x80000011u));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, toQColor(0x80000011u));
    palette.setColor(QPalette::Disabled, QPalette::Text, toQColor(0x80000011u));
    return palette;
}

QFont windowFont()
{
    QFont font;
    font.setFamilies(fontFamilies());
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Bold);
    return font;
}

QFont readoutFont()
{
    QFont font = windowFont();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    return font;
}

QFont largeLabelFont()
{
    QFont font = windowFont();
    font.setPointSizeF(12);
    font.setUnderline(true);
    return font;
}

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Tessarion"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARION_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tessarion.tessarion"));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QApplication::setPalette(lightPalette());
    app.setFont(windowFont());
}

} // namespace tessarion::ui

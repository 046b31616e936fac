#include "ui/fonts.h"

#include <QStringList>

namespace tessarion::ui {

namespace {
constexpr double windowPointSize = 9.75;
constexpr double largeLabelPointSize = 12;

QStringList windowFamilies()
{
    // Liberation Sans is metric-compatible with the Windows sans fonts; DejaVu is always there.
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
}
} // namespace

QFont windowFont()
{
    QFont font;
    font.setFamilies(windowFamilies());
    font.setPointSizeF(windowPointSize);
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
    font.setPointSizeF(largeLabelPointSize);
    font.setUnderline(true);
    return font;
}

} // namespace tessarion::ui

#include "render/svg_target.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tessarion::render {

namespace {
// A thousandth of a pixel is finer than any renderer places a shape.
std::string number(double value)
{
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.3f", value);
    std::string text(buffer.data());
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string number(int value) { return std::to_string(value); }

std::string colourOf(core::Colour colour)
{
    const core::Colour shown = core::screenColour(colour);
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "#%02x%02x%02x", shown & 0xFFu,
                  (shown >> 8) & 0xFFu, (shown >> 16) & 0xFFu);
    return buffer.data();
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}
} // namespace

SvgTarget::SvgTarget(double ascent, double lineHeight)
    : ascent_(ascent)
    , lineHeight_(lineHeight)
{
}

void SvgTarget::attributes(std::initializer_list<std::pair<std::string_view, std::string>> pairs)
{
    for (const auto& [name, value] : pairs) {
        elements_ += ' ';
        elements_ += name;
        elements_ += "=\"";
        elements_ += value;
        elements_ += '"';
    }
}

void SvgTarget::fillRect(PixelRect pixels, core::Colour colour)
{
    elements_ += "<rect";
    attributes({{"x", number(pixels.left)},
                {"y", number(pixels.top)},
                {"width", number(pixels.width)},
                {"height", number(pixels.height)},
                {"fill", colourOf(colour)}});
    elements_ += "/>\n";
}

// Flat ends, as an SVG line has by default.
void SvgTarget::strokeLine(DevicePoint from, DevicePoint to, int width, core::Colour colour)
{
    elements_ += "<line";
    attributes({{"x1", number(from.x)},
                {"y1", number(from.y)},
                {"x2", number(to.x)},
                {"y2", number(to.y)},
                {"stroke", colourOf(colour)},
                {"stroke-width", number(width)}});
    elements_ += "/>\n";
}

void SvgTarget::fillDisc(DevicePoint centre, double radius, core::Colour colour)
{
    elements_ += "<circle";
    attributes({{"cx", number(centre.x)},
                {"cy", number(centre.y)},
                {"r", number(std::max(radius, 0.0))},
                {"fill", colourOf(colour)}});
    elements_ += "/>\n";
}

// A round outline is a circle, which is what a program that opens the file expects it to be.
void SvgTarget::strokeEllipse(DevicePoint centre, double radiusX, double radiusY, int width,
                              core::Colour colour)
{
    radiusX = std::max(radiusX, 0.0);
    radiusY = std::max(radiusY, 0.0);
    if (radiusX == radiusY) {
        elements_ += "<circle";
        attributes({{"cx", number(centre.x)}, {"cy", number(centre.y)}, {"r", number(radiusX)}});
    } else {
        elements_ += "<ellipse";
        attributes({{"cx", number(centre.x)},
                    {"cy", number(centre.y)},
                    {"rx", number(radiusX)},
                    {"ry", number(radiusY)}});
    }
    attributes({{"fill", "none"}, {"stroke", colourOf(colour)}, {"stroke-width", number(width)}});
    elements_ += "/>\n";
}

void SvgTarget::text(DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    // Spaces count, as they do where the panel prints.
    elements_ += "<text xml:space=\"preserve\"";
    attributes(
        {{"x", number(topLeft.x)}, {"y", number(topLeft.y + ascent_)}, {"fill", colourOf(colour)}});
    elements_ += '>';
    elements_ += escaped(text);
    elements_ += "</text>\n";
}

// An inner viewport cuts off what lies outside it; its view box keeps the coordinates.
std::string SvgTarget::clippedTo(PixelRect area) const
{
    const std::string x = number(area.left);
    const std::string y = number(area.top);
    const std::string width = number(area.width);
    const std::string height = number(area.height);
    return "<svg x=\"" + x + "\" y=\"" + y + "\" width=\"" + width + "\" height=\"" + height +
           "\" viewBox=\"" + x + ' ' + y + ' ' + width + ' ' + height +
           "\" overflow=\"hidden\">\n" + elements_ + "</svg>\n";
}

} // namespace tessarion::render

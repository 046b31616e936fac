#pragma once

#include <cstdint>

namespace tessarion::core {

/// A colour as 0x00BBGGRR; with the top byte 0x80 it names a system colour by its low byte.
using Colour = std::uint32_t;

/// Builds 0x00BBGGRR from red, green and blue.
constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

/// The colour value that names the system colour with this index.
constexpr Colour systemColour(std::uint8_t index) { return 0x80000000u | index; }

/// True when the value names a system colour instead of holding red, green and blue.
constexpr bool isSystemColour(Colour colour) { return (colour & 0xFF000000u) == 0x80000000u; }

/// The index of a system colour value.
constexpr std::uint8_t systemColourIndex(Colour colour) { return colour & 0xFFu; }

namespace colours {
inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour green = rgb(0, 255, 0);
inline constexpr Colour yellow = rgb(255, 255, 0);
inline constexpr Colour white = rgb(255, 255, 255);

// System colours by the index the window system gives them.
inline constexpr Colour windowBackground = systemColour(0x05);
inline constexpr Colour windowText = systemColour(0x08);
inline constexpr Colour highlight = systemColour(0x0D);
inline constexpr Colour highlightText = systemColour(0x0E);
inline constexpr Colour buttonFace = systemColour(0x0F);
inline constexpr Colour buttonShadow = systemColour(0x10);
inline constexpr Colour grayText = systemColour(0x11);
inline constexpr Colour buttonText = systemColour(0x12);
inline constexpr Colour inactiveCaptionText = systemColour(0x13);
} // namespace colours

/// The colour shown on screen: a system colour resolved to its value in the program's light
/// palette (black for an index it does not name), any other colour as it is.
constexpr Colour screenColour(Colour colour)
{
    if (!isSystemColour(colour))
        return colour;
    switch (colour) {
    case colours::windowBackground: return rgb(0xFF, 0xFF, 0xFF);
    case colours::highlight: return rgb(0x00, 0x78, 0xD7);
    case colours::highlightText: return rgb(0xFF, 0xFF, 0xFF);
    case colours::buttonFace: return rgb(0xF0, 0xF0, 0xF0);
    case colours::buttonShadow: return rgb(0xA0, 0xA0, 0xA0);
    case colours::grayText: return rgb(0x6D, 0x6D, 0x6D);
    default: return colours::black; // window text, button text, inactive caption text
    }
}

} // namespace tessarion::core

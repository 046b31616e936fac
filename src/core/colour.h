#pragma once

#include <cstdint>

namespace tessarion {

/// A colour as 0x00BBGGRR; with the top byte 0x80 it names a system colour by its low byte.
using Colour = std::uint32_t;

/// Builds 0x00BBGGRR from red, green and blue.
constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

/// True when the value names a system colour instead of holding red, green and blue.
constexpr bool isSystemColour(Colour colour) { return (colour & 0xFF000000u) == 0x80000000u; }

namespace colours {
inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour green = rgb(0, 255, 0);
inline constexpr Colour yellow = rgb(255, 255, 0);
inline constexpr Colour white = rgb(255, 255, 255);

// System colours by index, as the layout names them.
inline constexpr Colour windowText = 0x80000008u;
inline constexpr Colour highlight = 0x8000000Du;
inline constexpr Colour highlightText = 0x8000000Eu;
inline constexpr Colour buttonFace = 0x8000000Fu;
inline constexpr Colour buttonText = 0x80000012u;
inline constexpr Colour inactiveCaptionText = 0x80000013u;
} // namespace colours

} // namespace tessarion

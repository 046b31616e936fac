#pragma once

#include <algorithm>
#include <cmath>

// The whole-pixel rules every drawing device follows, in device pixels.
namespace tessarion::render::pixels {

/// Coordinates name pixel corners; a line or dot at (x, y) is centred on that pixel's centre.
inline constexpr double pixelCentre = 0.5;
/// Far beyond any panel; keeps rasterizers in range for the off-panel marker of a huge phase.
inline constexpr double coordinateLimit = 1e6;
/// Device pixels from which a diagonal line gets round ends; on a thinner line the sliver
/// that a round end adds is not worth its two discs.
inline constexpr int roundEndsFrom = 4;

inline double bounded(double value) { return std::clamp(value, -coordinateLimit, coordinateLimit); }

/// Rounds halves up, the same way on both sides of zero.
inline int nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

/// A pen of `width` logical pixels drawn at `scale` device pixels per logical pixel.
inline int deviceWidth(int width, double scale)
{
    return std::max(1, nearest(std::max(width, 1) * scale));
}

/// The first of `count` whole pixels laid as evenly as they can be about `centre`.
inline int firstPixel(double centre, int count) { return nearest(centre - count / 2.0); }

} // namespace tessarion::render::pixels

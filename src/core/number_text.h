#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessarion::core {

/// The text of a read-out: plain digits for whole values, otherwise at most 15 significant
/// digits with trailing zeros cut, a "0" before the separator below 1, and no grouping.
std::string NumberText(double value, std::string_view decimalSeparator);

/// The decimal digits of a whole number, with a leading "-" when negative.
std::string NumberText(std::int64_t value);

/// Smaller whole numbers take the exact path too, not the one for doubles.
inline std::string NumberText(std::int32_t value) { return NumberText(std::int64_t{value}); }

} // namespace tessarion::core

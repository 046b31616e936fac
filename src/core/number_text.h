#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarion::core {

/// The text of a read-out: plain digits for whole values, otherwise at most 15 significant
/// digits with trailing zeros cut, a "0" before the separator below 1, and no grouping.
std::string NumberText(double value, std::string_view decimalSeparator);

/// The decimal digits of a whole number, with a leading "-" when negative.
std::string NumberText(std::int64_t value);

/// Whole numbers of any integer type take the exact path.
template <std::integral Integer>
    requires(!std::same_as<Integer, std::int64_t> && !std::same_as<Integer, bool>)
std::string NumberText(Integer value)
{
    return NumberText(static_cast<std::int64_t>(value));
}

} // namespace tessarion::core

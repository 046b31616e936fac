#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tessarion::core {

namespace {
// Up to this magnitude every whole double is exact and is printed digit for digit.
constexpr double wholeDigitsLimit = 1e15;
constexpr int significantDigits = 15;
} // namespace

std::string NumberText(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, result.ptr};
}

std::string NumberText(double value, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (std::abs(value) < wholeDigitsLimit && value == std::trunc(value))
        return NumberText(static_cast<std::int64_t>(value));

    // Scientific form gives the rounded significant digits and the exponent, independent
    // of the C locale; the digits are then laid out positionally.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(buffer, result.ptr);
    const auto ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos))
        if (c != '.')
            digits += c;
    const int exponent = std::atoi(std::string(scientific.substr(ePos + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent < 0) {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else if (count <= exponent + 1) {
        text += digits;
        text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        text.append(digits, 0, static_cast<std::size_t>(exponent + 1));
        text += decimalSeparator;
        text.append(digits, static_cast<std::size_t>(exponent + 1));
    }
    return text;
}

} // namespace tessarion::core

#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
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

    // Scientific form gives the correctly rounded significant digits and the exponent. It
    // comes from printf, as not every standard library has a floating-point to_chars; only
    // its digits are read, so whatever decimal point the C locale has does not matter.
    char buffer[40];
    const int length =
        std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, std::abs(value));
    const std::string_view scientific(buffer, static_cast<std::size_t>(length));
    const auto ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos))
        if (std::isdigit(static_cast<unsigned char>(c)) != 0)
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

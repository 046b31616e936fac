#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <ostream>
#include <string>

namespace tessarion::core {
namespace {

struct TextCase {
    double value;
    const char* separator;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << std::setprecision(17) << c.value << " with '" << c.separator << "'";
}

class NumberTextOfDouble : public testing::TestWithParam<TextCase> {};

TEST_P(NumberTextOfDouble, PrintsPlainDecimal)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(NumberText(c.value, c.separator), c.expected) << "value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(WholeValues, NumberTextOfDouble,
                         testing::Values(TextCase{0, ".", "0"}, TextCase{7, ".", "7"},
                                         TextCase{-1, ".", "-1"}, TextCase{10, ".", "10"},
                                         TextCase{3.5 * 2, ",", "7"}, TextCase{-0.0, ".", "0"},
                                         TextCase{1e14, ".", "100000000000000"},
                                         TextCase{-1e14, ".", "-100000000000000"}));

INSTANTIATE_TEST_SUITE_P(
    Fractions, NumberTextOfDouble,
    testing::Values(TextCase{0.2, ".", "0.2"}, TextCase{-0.02, ".", "-0.02"},
                    TextCase{1.57, ".", "1.57"}, TextCase{99.7, ".", "99.7"},
                    TextCase{0.499, ".", "0.499"}, TextCase{-0.708, ".", "-0.708"},
                    TextCase{0.5, ".", "0.5"}, TextCase{123.456, ".", "123.456"},
                    TextCase{0.1 + 0.2, ".", "0.3"}, TextCase{1.57, ",", "1,57"},
                    TextCase{-0.708, ",", "-0,708"}, TextCase{99.7, ",", "99,7"}));

INSTANTIATE_TEST_SUITE_P(FifteenDigits, NumberTextOfDouble,
                         testing::Values(TextCase{1.0 / 3, ".", "0.333333333333333"},
                                         TextCase{2.0 / 3, ".", "0.666666666666667"},
                                         TextCase{-2.0 / 3, ".", "-0.666666666666667"},
                                         TextCase{100.0 / 3, ".", "33.3333333333333"},
                                         TextCase{2e-5 / 3, ".", "0.00000666666666666667"},
                                         TextCase{2.9999999999999996, ".", "3"},
                                         TextCase{999999999999999.9, ".", "1000000000000000"}));

INSTANTIATE_TEST_SUITE_P(TinyAndHuge, NumberTextOfDouble,
                         testing::Values(TextCase{1e-7, ".", "0.0000001"},
                                         TextCase{-1e-7, ",", "-0,0000001"},
                                         TextCase{1.5e20, ".", "150000000000000000000"},
                                         TextCase{-1.5e20, ".", "-150000000000000000000"},
                                         TextCase{1e15, ".", "1000000000000000"}));

TEST(NumberTextOfInteger, IsExactOverTheWholeRange)
{
    EXPECT_EQ(NumberText(std::int64_t{0}), "0");
    EXPECT_EQ(NumberText(std::int64_t{-1}), "-1");
    EXPECT_EQ(NumberText(std::int32_t{40}), "40");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

// Counts the significant digits of a plain decimal text.
int significantDigits(std::string text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    digits.erase(0, digits.find_first_not_of('0'));
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return static_cast<int>(digits.size());
}

TEST(NumberTextOfDouble, NeverUsesExponentOrGroupingAndKeepsFifteenDigits)
{
    const double mantissas[] = {1, 1.5, 1.0 / 3, 2.0 / 3, 0.7071067811865476, 9.87654321, 123.456};
    for (const char* separator : {".", ","}) {
        const char other = separator[0] == '.' ? ',' : '.';
        for (double mantissa : mantissas) {
            for (int exponent = -10; exponent <= 22; ++exponent) {
                for (double sign : {1.0, -1.0}) {
                    const double value = sign * mantissa * std::pow(10.0, exponent);
                    const std::string text = NumberText(value, separator);
                    SCOPED_TRACE(text);
                    ASSERT_EQ(text.find_first_of("eE '_"), std::string::npos);
                    ASSERT_EQ(text.find(other), std::string::npos);
                    const auto sep = text.find(separator[0]);
                    ASSERT_EQ(text.find(separator[0], sep + 1), std::string::npos);
                    if (sep != std::string::npos) {
                        ASSERT_NE(text.back(), '0'); // trailing zeros are cut
                    }
                    if (std::abs(value) < 1) {
                        ASSERT_EQ(text.substr(0, sign < 0 ? 3 : 2),
                                  std::string(sign < 0 ? "-0" : "0") + separator);
                    }
                    ASSERT_EQ(text[0] == '-', sign < 0);
                    ASSERT_LE(significantDigits(text), 15);
                    std::string parsable = text;
                    if (sep != std::string::npos)
                        parsable[sep] = '.';
                    ASSERT_NEAR(std::stod(parsable) / value, 1, 1e-14);
                }
            }
        }
    }
}

} // namespace
} // namespace tessarion::core

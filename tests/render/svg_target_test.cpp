#include "render/svg_target.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tessarion::render {
namespace {

struct ElementCase {
    const char* name;
    std::function<void(PixelTarget&)> draw;
    std::string elements;
};

const ElementCase elementCases[] = {
    {"filled rectangles and discs, in the screen's colour of a system colour",
     [](PixelTarget& t) {
         t.fillRect({3, 4, 5, 6}, core::colours::buttonFace);
         t.fillDisc({2, 3}, 1.5, core::colours::green);
     },
     R"(<rect x="3" y="4" width="5" height="6" fill="#f0f0f0"/>)"
     "\n"
     R"(<circle cx="2" cy="3" r="1.5" fill="#00ff00"/>)"},
    {"a line with its width, coordinates to a thousandth",
     [](PixelTarget& t) {
         t.strokeLine({0.5, 1.0 / 3}, {10.25, -0.0001}, 3, core::colours::red);
     },
     R"(<line x1="0.5" y1="0.333" x2="10.25" y2="0" stroke="#ff0000" stroke-width="3"/>)"},
    {"a round outline is a circle, an oval one an ellipse, a negative radius none",
     [](PixelTarget& t) {
         t.strokeEllipse({50, 60}, 20, 20, 2, core::colours::black);
         t.strokeEllipse({50, 60}, 20, -4, 1, core::colours::yellow);
     },
     R"(<circle cx="50" cy="60" r="20" fill="none" stroke="#000000" stroke-width="2"/>)"
     "\n"
     R"(<ellipse cx="50" cy="60" rx="20" ry="0" fill="none" stroke="#ffff00" stroke-width="1"/>)"},
    {"a text on its baseline, its spaces kept and its markup characters escaped",
     [](PixelTarget& t) {
         t.text({7.5, 10}, " -A <&>  +A", core::colours::white);
     },
     R"(<text xml:space="preserve" x="7.5" y="22" fill="#ffffff"> -A &lt;&amp;&gt;  +A</text>)"},
};

class SvgElements : public ::testing::TestWithParam<ElementCase> {};

TEST_P(SvgElements, OnePerPrimitiveWithinTheClippedArea)
{
    SvgTarget target(12, 15);
    GetParam().draw(target);
    EXPECT_EQ(
        target.clippedTo({1, 2, 300, 400}),
        R"(<svg x="1" y="2" width="300" height="400" viewBox="1 2 300 400" overflow="hidden">)"
        "\n" +
            GetParam().elements + "\n</svg>\n");
}

INSTANTIATE_TEST_SUITE_P(Primitives, SvgElements, ::testing::ValuesIn(elementCases),
                         [](const auto& info) {
                             return tessarion::testing::caseName(info.param.name);
                         });

} // namespace
} // namespace tessarion::render

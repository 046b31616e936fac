#include "render/crisp_device.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tessarion::render {
namespace {

constexpr core::Colour ink = 0x123456;

/// A target whose picture is the list of primitives it was given, as text.
class PrimitiveLog : public PixelTarget {
public:
    void fillRect(PixelRect r, core::Colour) override
    {
        add("rect", r.left, r.top, r.width, r.height);
    }
    void strokeLine(DevicePoint a, DevicePoint b, int w, core::Colour) override
    {
        add("line", a.x, a.y, b.x, b.y, "w" + std::to_string(w));
    }
    void fillDisc(DevicePoint at, double r, core::Colour) override { add("disc", at.x, at.y, r); }
    void strokeEllipse(DevicePoint at, double rx, double ry, int w, core::Colour) override
    {
        add("ellipse", at.x, at.y, rx, ry, "w" + std::to_string(w));
    }
    void text(DevicePoint at, std::string_view text, core::Colour) override
    {
        add("text", at.x, at.y, text);
    }
    double lineHeight() const override { return 16; }

    std::vector<std::string> log;

private:
    template <typename... Parts> void add(std::string_view what, const Parts&... parts)
    {
        std::ostringstream entry;
        entry << what;
        ((entry << ' ' << parts), ...);
        log.push_back(entry.str());
    }
};

struct RuleCase {
    const char* name;
    PixelGrid grid;
    std::function<void(Device&)> draw;
    std::vector<std::string> primitives;
};

// A panel of 100 x 100 pixels; worked out by hand from the rules.
const RuleCase ruleCases[] = {
    {"the erase covers the inner area's whole pixels",
     {1.5, 1.5, 2.5, 2.5},
     [](Device& d) { d.fill(ink); },
     {"rect 3 3 150 150"}},
    {"axis-aligned lines cover whole rows and columns, with square ends",
     {1.5, 1.5, 2.5, 2.5},
     [](Device& d) {
         d.line({10, 40}, {90, 40}, ink, 2);
         d.line({50, 5}, {50, 75}, ink, 2);
     },
     {"rect 17 62 123 3", "rect 77 9 3 108"}},
    {"a line of no length and a dot are squares as wide as the pen",
     {2, 2, 0, 0},
     [](Device& d) {
         d.dot({5, 5}, ink, 1);
         d.line({7, 5}, {7, 5}, ink, 3);
     },
     {"rect 10 10 2 2", "rect 12 8 6 6"}},
    {"each axis has its own whole width",
     {1.25, 2.5, 0, 0},
     [](Device& d) {
         d.dot({4, 4}, ink, 2);
     },
     {"rect 4 9 3 5"}},
    {"thin diagonal lines have flat ends",
     {1, 1, 0, 0},
     [](Device& d) {
         d.line({0, 0}, {10, 5}, ink, 3);
     },
     {"line 0.5 0.5 10.5 5.5 w3"}},
    {"wide diagonal lines have round ends, a shared one drawn once",
     {2, 2, 0, 0},
     [](Device& d) {
         d.line({0, 0}, {10, 5}, ink, 2);
         d.line({10, 5}, {20, 0}, ink, 2);
         d.text({0, 0}, "x", ink);
         d.line({20, 0}, {30, 5}, ink, 2);
     },
     {"line 1 1 21 11 w4", "disc 1 1 2", "disc 21 11 2", "line 21 11 41 1 w4", "disc 41 1 2",
      "text 0 0 x", "line 41 1 61 11 w4", "disc 41 1 2", "disc 61 11 2"}},
    {"a circle's outer edge lies on pixel boundaries",
     {1.5, 1.5, 0, 0},
     [](Device& d) {
         d.ellipse({50, 50}, 30, 30, ink, 2);
     },
     {"ellipse 75.5 75.5 45 45 w3"}},
    {"text is placed where it lies, unsnapped",
     {1.5, 1.5, 2.5, 2.5},
     [](Device& d) {
         d.text({82, 52}, "X", ink);
     },
     {"text 125.5 80.5 X"}},
    {"coordinates far off the panel are bounded",
     {1, 1, 0, 0},
     [](Device& d) {
         d.line({0, 0}, {1e9, 1e9}, ink, 1);
     },
     {"line 0.5 0.5 1e+06 1e+06 w1"}},
};

class PixelRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(PixelRules, TurnOperationsIntoDevicePixelPrimitives)
{
    PrimitiveLog target;
    CrispDevice device(target, GetParam().grid, 100, 100);
    GetParam().draw(device);
    EXPECT_EQ(target.log, GetParam().primitives);
}

INSTANTIATE_TEST_SUITE_P(Rules, PixelRules, ::testing::ValuesIn(ruleCases), [](const auto& info) {
    return tessarion::testing::caseName(info.param.name);
});

} // namespace
} // namespace tessarion::render

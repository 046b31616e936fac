#include "render/paint_reuse.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessarion::render {
namespace {

using Kind = Operation::Kind;
using Paint = std::vector<Operation>;

/// A device whose picture is the list of operations that reached it, the kept image's among
/// them where it was put back; it logs what it was asked to keep and put.
class KeepingRecorder : public KeepingDevice {
public:
    void fill(core::Colour colour) override
    {
        drawn.push_back({.kind = Kind::Fill, .colour = colour});
    }
    void line(DevicePoint a, DevicePoint b, core::Colour colour, int width) override
    {
        drawn.push_back({.kind = Kind::Line, .colour = colour, .width = width, .a = a, .b = b});
    }
    void ellipse(DevicePoint centre, double rx, double ry, core::Colour colour, int width) override
    {
        drawn.push_back(
            {.kind = Kind::Ellipse, .colour = colour, .width = width, .a = centre, .b = {rx, ry}});
    }
    void dot(DevicePoint at, core::Colour colour, int width) override
    {
        drawn.push_back({.kind = Kind::Dot, .colour = colour, .width = width, .a = at});
    }
    void text(DevicePoint at, std::string_view text, core::Colour colour) override
    {
        drawn.push_back({.kind = Kind::Text, .colour = colour, .a = at, .text = std::string(text)});
    }
    double lineHeight() const override { return 16; }
    std::string setting() const override { return setting_; }
    void keep(std::span<const Operation> operations, bool fresh) override
    {
        if (fresh)
            image.clear();
        image.insert(image.end(), operations.begin(), operations.end());
        log.push_back("keep " + std::to_string(operations.size()) + (fresh ? " fresh" : " over"));
    }
    void putKept() override
    {
        drawn.insert(drawn.end(), image.begin(), image.end());
        log.emplace_back("put");
    }

    std::string setting_;
    Paint drawn, image;
    std::vector<std::string> log;
};

const Operation erase{.kind = Kind::Fill, .colour = core::colours::buttonFace};
const Operation circle{.kind = Kind::Ellipse, .width = 2, .a = {50, 50}, .b = {30, 30}};
const Operation axis{.kind = Kind::Line, .width = 2, .a = {0, 50}, .b = {100, 50}};
const Operation spot{.kind = Kind::Dot, .width = 3, .a = {20, 20}};
const Operation slope{.kind = Kind::Line, .a = {0, 0}, .b = {30, 40}};
Operation label(const char* text) { return {.kind = Kind::Text, .a = {80, 52}, .text = text}; }
Operation vector(double x) { return {.kind = Kind::Line, .a = {50, 50}, .b = {x, 20}}; }

struct ReuseCase {
    const char* name;
    std::vector<std::pair<std::string, Paint>> paints; ///< Each paint's setting and operations.
    std::vector<std::string> lastLog;                  ///< What the last paint kept and put.
};

const ReuseCase reuseCases[] = {
    {"the third puts it back alone",
     {{"s", {erase, circle, axis, vector(1)}},
      {"s", {erase, circle, axis, vector(2)}},
      {"s", {erase, circle, axis, vector(3)}}},
     {"put"}},
    {"a longer repeat adds to the image",
     {{"s", {erase, circle, vector(1)}},
      {"s", {erase, circle, axis, label("X"), vector(2)}},
      {"s", {erase, circle, axis, label("X"), vector(3)}}},
     {"keep 2 over", "put"}},
    {"another text is drawn anew",
     {{"s", {erase, circle, label("1")}},
      {"s", {erase, circle, label("2")}},
      {"s", {erase, circle, label("3")}}},
     {"put"}},
    {"a diagonal line ends the repeat",
     {{"s", {erase, circle, slope, vector(1)}}, {"s", {erase, circle, slope, vector(2)}}},
     {"keep 2 fresh", "put"}},
    {"whole pixels alone are drawn",
     {{"s", {erase, axis, spot, vector(1)}},
      {"s", {erase, axis, spot, vector(2)}},
      {"s", {erase, axis, spot, vector(3)}}},
     {}},
    {"without the erase first nothing is kept",
     {{"s", {circle, axis, vector(1)}},
      {"s", {circle, axis, vector(2)}},
      {"s", {circle, axis, vector(3)}}},
     {}},
    {"another setting draws everything",
     {{"s", {erase, circle, vector(1)}},
      {"s", {erase, circle, vector(2)}},
      {"t", {erase, circle, vector(3)}}},
     {}},
};

class Reuse : public ::testing::TestWithParam<ReuseCase> {};

TEST_P(Reuse, DrawsEachPaintExactlyAndKeepsOnlyWhatPays)
{
    PaintReuse reuse;
    KeepingRecorder device;
    for (const auto& [setting, operations] : GetParam().paints) {
        device.setting_ = setting;
        device.drawn.clear();
        device.log.clear();
        reuse.begin(device);
        for (const Operation& operation : operations)
            replay(operation, reuse);
        reuse.finish();
        // Whatever was kept or put back, the picture is the paint's own.
        EXPECT_EQ(device.drawn, operations);
    }
    EXPECT_EQ(device.log, GetParam().lastLog);
}

INSTANTIATE_TEST_SUITE_P(Paints, Reuse, ::testing::ValuesIn(reuseCases), [](const auto& info) {
    return tessarion::testing::caseName(info.param.name);
});

} // namespace
} // namespace tessarion::render

#include "core/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion::core {
namespace {

// The row of the control called `name` (group element `index`), or nullptr.
const ControlSpec* row(std::string_view name, int index = -1)
{
    for (const ControlSpec& spec : windowLayout())
        if (spec.name == name && spec.index == index)
            return &spec;
    return nullptr;
}

TEST(Layout, TabOrderRunsWithoutGapsAndLabelsComeWhereTheTableSays)
{
    std::vector<std::string> order(29);
    for (const ControlSpec& spec : windowLayout()) {
        if (spec.tabIndex < 0)
            continue;
        ASSERT_LT(spec.tabIndex, 29) << spec.name;
        EXPECT_TRUE(order[static_cast<std::size_t>(spec.tabIndex)].empty()) << spec.name;
        order[static_cast<std::size_t>(spec.tabIndex)] = std::string(spec.name);
    }
    const std::vector<std::string> expected{
        "P1",     "Command1", "Command2", "Text1",    "Label1",   "Command3", "Text2",  "Command4",
        "Label2", "Command5", "Command6", "Command7", "Command8", "Text3",    "Label3", "Label4",
        "Label5", "Text4",    "Label6",   "Text5",    "Command9", "p3",       "p2",     "Label7",
        "Label8", "Text6",    "Text7",    "p4",       "Label9"};
    EXPECT_EQ(order, expected);
}

TEST(Layout, NamesAreUniqueExceptTheSpringsTwelveElements)
{
    std::set<std::pair<std::string, int>> seen;
    std::set<int> springElements;
    for (const ControlSpec& spec : windowLayout()) {
        EXPECT_TRUE(seen.emplace(std::string(spec.name), spec.index).second) << spec.name;
        if (spec.name == "Linl")
            springElements.insert(spec.index);
    }
    EXPECT_EQ(springElements.size(), 12u);
    EXPECT_EQ(*springElements.begin(), 0);
    EXPECT_EQ(*springElements.rbegin(), 11);
    EXPECT_EQ(windowLayout().size(), 56u);
}

TEST(Layout, TheSpringIsOneConnectedZigZagFromLin1ToLin2)
{
    const ControlSpec* above = row("Lin1");
    const ControlSpec* below = row("Lin2");
    ASSERT_NE(above, nullptr);
    ASSERT_NE(below, nullptr);
    int x = above->width, y = above->height; // hanger's lower end
    for (int k = 0; k < 12; ++k) {
        const ControlSpec* element = row("Linl", k);
        ASSERT_NE(element, nullptr) << k;
        EXPECT_EQ(element->left, x) << "element " << k;
        EXPECT_EQ(element->top, y) << "element " << k;
        x = element->width;
        y = element->height;
    }
    EXPECT_EQ(below->left, x);
    EXPECT_EQ(below->top, y);
}

TEST(Layout, PanelsInPixelsAndTheirColoursAtStart)
{
    struct Expected {
        const char* name;
        PanelUnits units;
        bool ownScale;
        Colour foreColor;
    };
    for (const Expected& e : {Expected{"P1", PanelUnits::Pixels, false, colours::highlightText},
                              Expected{"p2", PanelUnits::Twips, true, colours::buttonText},
                              Expected{"p3", PanelUnits::Pixels, false, colours::buttonText},
                              Expected{"p4", PanelUnits::Twips, false, colours::buttonText}}) {
        const ControlSpec* panel = row(e.name);
        ASSERT_NE(panel, nullptr) << e.name;
        EXPECT_EQ(panel->kind, ControlKind::Panel) << e.name;
        EXPECT_EQ(panel->units, e.units) << e.name;
        EXPECT_EQ(panel->scale.has_value(), e.ownScale) << e.name;
        EXPECT_EQ(panel->foreColor, e.foreColor) << e.name;
        EXPECT_FALSE(panel->backColor.has_value()) << e.name;
    }
    // Black is a colour of its own, not "none": only Shape1 has a background of its own.
    EXPECT_EQ(row("Shape1")->backColor, colours::inactiveCaptionText);
    EXPECT_FALSE(row("Shape2")->backColor.has_value());
}

TEST(Layout, TwipsBecomePixelsAtFifteenPerPixel)
{
    EXPECT_EQ(wholePixels(clientWidthTwips), 786);
    EXPECT_EQ(wholePixels(clientHeightTwips), 566);
    EXPECT_DOUBLE_EQ(pixels(1200), 80);
    EXPECT_DOUBLE_EQ(pixels(-30), -2);
    EXPECT_DOUBLE_EQ(innerPixels(5220), 344); // p2: 348 outside, 2-pixel border each side
}

} // namespace
} // namespace tessarion::core

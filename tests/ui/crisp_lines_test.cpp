#include "window_fixture.h"

#include "core/colour.h"
#include "ui/palette.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tessarion::ui::testing {
namespace {

/// An axis-aligned line, and a place along it where nothing else is drawn at `phase`.
struct CrispLine {
    const char* panel;
    const char* what;
    int phase;
    Qt::Orientation orientation;
    double across; ///< Inner-area pixel of the line: its row, or its column.
    double along;  ///< Inner-area pixel along the line where it is looked at.
    int width;     ///< Pen width in logical pixels.
    Colour colour;
};

// p2 is 344 x 384 pixels for x and y from -10 to 10: the x axis is row 192 and the y axis
// column 172. At phase 45 the components and the vector lie right of the y axis and above
// the x axis; at phase 270 P1's green bar covers the lower scale arm, not the upper one.
constexpr CrispLine crispLines[] = {
    {"p2", "x axis, left of the centre", 45, Qt::Horizontal, 192, 86, 2, colours::buttonText},
    {"p2", "y axis, below the centre", 45, Qt::Vertical, 172, 268, 2, colours::buttonText},
    {"P1", "upper scale arm", 270, Qt::Vertical, 115, 185, 3, colours::black},
};

void PrintTo(const CrispLine& line, std::ostream* out) { *out << line.panel << " " << line.what; }

class CrispLines : public WindowTest, public ::testing::WithParamInterface<CrispLine> {};

/// The pixels of `image` across `line` at its sampling place, in device pixels, from
/// `first` to `last`.
std::vector<QRgb> profile(const QImage& image, const CrispLine& line, int along, int first,
                          int last)
{
    std::vector<QRgb> pixels;
    for (int i = first; i <= last; ++i)
        pixels.push_back(line.orientation == Qt::Horizontal ? image.pixel(along, i)
                                                            : image.pixel(i, along));
    return pixels;
}

std::string describe(const std::vector<QRgb>& pixels, int first)
{
    std::ostringstream text;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        text << first + static_cast<int>(i) << ":" << std::hex << (pixels[i] & 0xFFFFFFu)
             << std::dec << " ";
    return text.str();
}

TEST_P(CrispLines, CoverTheirDeviceWidthInFullAndNothingBeside)
{
    const CrispLine& line = GetParam();
    window->form().state.Phase = line.phase - 1;
    click("Command8");
    PanelWidget* panel = window->panel(line.panel);
    const QImage image = panel->grab().toImage();
    const double scale = image.devicePixelRatio();
    const int expectedWidth = std::max(1, static_cast<int>(std::floor(line.width * scale + 0.5)));
    const QPoint inner = panel->contentsRect().topLeft();
    const bool horizontal = line.orientation == Qt::Horizontal;
    // Device pixels of the panel image, whose origin is the panel's outer corner.
    const double origin = horizontal ? inner.y() : inner.x();
    const double alongOrigin = horizontal ? inner.x() : inner.y();
    const double centre = (origin + line.across + 0.5) * scale;
    const int along = static_cast<int>(std::floor((alongOrigin + line.along + 0.5) * scale));

    const int first = static_cast<int>(std::floor(centre)) - expectedWidth - 3;
    const int last = static_cast<int>(std::floor(centre)) + expectedWidth + 3;
    const std::vector<QRgb> pixels = profile(image, line, along, first, last);
    const QRgb full = toQColor(line.colour).rgb();
    const QRgb background = toQColor(colours::buttonFace).rgb();

    const auto firstFull = std::find(pixels.begin(), pixels.end(), full);
    ASSERT_NE(firstFull, pixels.end()) << line.what << " not found across " << first << ".." << last
                                       << ": " << describe(pixels, first);
    const auto pastFull =
        std::find_if(firstFull, pixels.end(), [full](QRgb p) { return p != full; });
    EXPECT_EQ(pastFull - firstFull, expectedWidth)
        << line.what << " at scale " << scale << ": " << describe(pixels, first);
    ASSERT_NE(firstFull, pixels.begin());
    ASSERT_NE(pastFull, pixels.end());
    EXPECT_EQ(*(firstFull - 1), background) << line.what << ": " << describe(pixels, first);
    EXPECT_EQ(*pastFull, background) << line.what << ": " << describe(pixels, first);
    // The whole-pixel band lies within a pixel of where the line is centred.
    const double bandCentre = first + (firstFull - pixels.begin()) + expectedWidth / 2.0;
    EXPECT_NEAR(bandCentre, centre, 1.0) << line.what;
}

INSTANTIATE_TEST_SUITE_P(Lines, CrispLines, ::testing::ValuesIn(crispLines), [](const auto& info) {
    std::string name = std::string(info.param.panel) + "_" + info.param.what;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
} // namespace tessarion::ui::testing

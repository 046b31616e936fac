#include "case_name.h"
#include "window_fixture.h"

#include "core/colour.h"
#include "render/paint_reuse.h"
#include "ui/palette.h"
#include "ui/panel_drawing.h"

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QPainter>

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
    core::Colour colour;
};

// p2 is 344 x 384 pixels for x and y from -10 to 10: the x axis is row 192 and the y axis
// column 172. At phase 45 the components and the vector lie right of the y axis and above
// the x axis; at phase 270 P1's green bar covers the lower scale arm, not the upper one.
constexpr CrispLine crispLines[] = {
    {"p2", "x axis, left of the centre", 45, Qt::Horizontal, 192, 86, 2, core::colours::buttonText},
    {"p2", "y axis, below the centre", 45, Qt::Vertical, 172, 268, 2, core::colours::buttonText},
    {"P1", "upper scale arm", 270, Qt::Vertical, 115, 185, 3, core::colours::black},
};

void PrintTo(const CrispLine& line, std::ostream* out) { *out << line.panel << " " << line.what; }

/// What the offscreen platform shows: the window's backing store, an image.
QImage onScreen(const QWidget& window)
{
    QPaintDevice* backing = window.backingStore()->paintDevice();
    if (backing->devType() != QInternal::Image)
        throw std::logic_error("the backing store is not an image");
    return static_cast<QImage*>(backing)->copy();
}

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

/// Expects `pixels`, from device pixel `first` on, to cross a band of exactly `width` pixels of
/// `full`, with the background on both sides and within a pixel of `centre`.
void expectCrispBand(const std::vector<QRgb>& pixels, int first, QRgb full, int width,
                     double centre, const std::string& what)
{
    const QRgb background = toQColor(core::colours::buttonFace).rgb();
    const auto firstFull = std::find(pixels.begin(), pixels.end(), full);
    ASSERT_NE(firstFull, pixels.end()) << what << " not found: " << describe(pixels, first);
    const auto pastFull =
        std::find_if(firstFull, pixels.end(), [full](QRgb p) { return p != full; });
    EXPECT_EQ(pastFull - firstFull, width) << what << ": " << describe(pixels, first);
    ASSERT_NE(firstFull, pixels.begin());
    ASSERT_NE(pastFull, pixels.end());
    EXPECT_EQ(*(firstFull - 1), background) << what << ": " << describe(pixels, first);
    EXPECT_EQ(*pastFull, background) << what << ": " << describe(pixels, first);
    const double bandCentre = first + (firstFull - pixels.begin()) + width / 2.0;
    EXPECT_NEAR(bandCentre, centre, 1.0) << what;
}

int deviceWidth(int width, double scale)
{
    return std::max(1, static_cast<int>(std::floor(width * scale + 0.5)));
}

TEST_P(CrispLines, CoverTheirDeviceWidthInFullAndNothingBeside)
{
    const CrispLine& line = GetParam();
    window->form().state.phase = line.phase - 1;
    click("Command8");
    PanelWidget* panel = window->panel(line.panel);
    const QImage image = panel->grab().toImage();
    const double scale = image.devicePixelRatio();
    const int expectedWidth = deviceWidth(line.width, scale);
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
    expectCrispBand(pixels, first, toQColor(line.colour).rgb(), expectedWidth, centre,
                    std::string(line.what) + " at scale " + std::to_string(scale));
}

INSTANTIATE_TEST_SUITE_P(Lines, CrispLines, ::testing::ValuesIn(crispLines), [](const auto& info) {
    return tessarion::testing::caseName(std::string(info.param.panel) + "_" + info.param.what);
});

// A window two pixels narrower than the layout fits it at a zoom just under 1 (one pixel less
// keeps the step, as a window manager's rounding does), and an offset of one logical pixel
// puts every edge between device pixels at a fractional ratio: then the frame and the erase
// round each their own way.
TEST_F(WindowTest, PanelsPaintEveryPixelInsideTheirBorder)
{
    window->resize(window->width() - 2, window->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->panel("p2")->width() == 347; }));
    const QColor unpainted(Qt::magenta);
    for (const char* name : {"P1", "p2", "p3", "p4"}) {
        PanelWidget& panel = *window->panel(name);
        const double ratio = window->devicePixelRatioF();
        QImage image(((QSizeF(panel.size()) + QSizeF(2, 2)) * ratio).toSize(),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(unpainted);
        panel.render(&image, QPoint(1, 1));
        // Device pixels wholly inside the panel.
        const int left = static_cast<int>(std::ceil(ratio));
        const int top = left;
        const int right = static_cast<int>(std::floor((1 + panel.width()) * ratio));
        const int bottom = static_cast<int>(std::floor((1 + panel.height()) * ratio));
        int missed = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                missed += image.pixelColor(x, y) == unpainted ? 1 : 0;
        EXPECT_EQ(missed, 0) << name << " at ratio " << ratio;
    }
}

// A tick repaints only the panels' drawings and leaves their borders as they are: the screen
// then shows what a full paint of the same state shows, at the layout's size and two pixels
// narrower, where every edge lies between device pixels at a fractional ratio.
TEST_F(WindowTest, TicksLeaveOnScreenWhatAFullPaintShows)
{
    for (const int narrower : {0, 2}) {
        window->resize(window->width() - narrower, window->height());
        deliverPendingPaints();
        for (int tick = 0; tick < 3; ++tick)
            window->form().tick();
        const QImage screen = onScreen(*window);
        const QImage fresh = window->grab().toImage().convertToFormat(screen.format());
        EXPECT_TRUE(screen == fresh)
            << narrower << " pixel narrower, at ratio " << window->devicePixelRatioF();
    }
}

/// A painter zoomed on top of its device pixel ratio, as for a projector, with the panel's
/// origin between device pixels.
class ZoomedPainter : public ::testing::TestWithParam<double> {
protected:
    static constexpr double inner = 100;

    /// Paints `paint` through a device on `image`, zoomed by the test's factor; with `reuse`
    /// through it, keeping what it keeps in `memory`.
    template <typename Paint>
    void paintOn(QImage& image, render::PaintReuse* reuse, DrawingMemory* memory, Paint paint) const
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(origin, origin);
        painter.scale(GetParam(), GetParam());
        PanelDrawing drawing(painter, QApplication::font(), {inner, inner}, memory);
        if (reuse == nullptr) {
            paint(drawing.device());
            return;
        }
        reuse->begin(drawing.device());
        paint(*reuse);
        reuse->finish();
    }

    static constexpr double origin = 2.5;
};

TEST_P(ZoomedPainter, KeptImagesChangeNoPixel)
{
    render::PaintReuse reuse;
    DrawingMemory memory;
    for (int paint = 0; paint < 6; ++paint) {
        // The same leading operations every time, then a vector that turns.
        const auto operations = [paint](render::Device& device) {
            device.fill(core::colours::buttonFace);
            device.ellipse({50, 50}, 30, 30, core::colours::black, 2);
            device.line({10, 50}, {90, 50}, core::colours::black, 2);
            device.text({82, 52}, "X", core::colours::black);
            device.line({50, 50}, {50 + 25 * std::cos(paint), 50 - 25 * std::sin(paint)},
                        core::colours::red, 1);
        };
        QImage kept(400, 400, QImage::Format_RGB32);
        QImage afresh(400, 400, QImage::Format_RGB32);
        paintOn(kept, &reuse, &memory, operations);
        paintOn(afresh, nullptr, nullptr, operations);
        EXPECT_EQ(kept, afresh) << "paint " << paint << " zoomed " << GetParam();
    }
    // The repeated part really came from a kept image.
    EXPECT_FALSE(memory.kept.isNull());
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomedPainter, ::testing::Values(1.25, 1.5, 2.0, 2.5, 3.0));

// The focus mark moving between panels repaints them without their painters: P1's painter
// would store the displacement mirrored, and the time graph would show it. Once the mark has
// gone, the screen is as before it came.
TEST_F(WindowTest, TheFocusMarkMovesNoDrawing)
{
    for (int press = 0; press < 45; ++press)
        click("Command8");
    deliverPendingPaints();
    const QImage before = onScreen(*window);
    const double displacement = window->form().state.displacement;
    // Shift+Tab, Tab, Shift+Tab, Tab between the time graph and the spring.
    for (const char* panel : {"p4", "P1", "p4", "P1"}) {
        window->panel(panel)->setFocus(panel[0] == 'p' ? Qt::BacktabFocusReason
                                                       : Qt::TabFocusReason);
        deliverPendingPaints();
    }
    EXPECT_NE(onScreen(*window), before) << "no focus mark on P1";
    button("Command1")->setFocus(Qt::TabFocusReason);
    deliverPendingPaints();
    EXPECT_TRUE(onScreen(*window) == before);
    EXPECT_EQ(window->form().state.displacement, displacement);
}

} // namespace
} // namespace tessarion::ui::testing

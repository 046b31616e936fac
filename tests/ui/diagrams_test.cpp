#include "diagram_features.h"
#include "window_fixture.h"

#include <QImage>

namespace tessarion::ui::testing {
namespace {

class DiagramsInTheWindow : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    void showPhase(int phase)
    {
        window->form().state.phase = phase - 1;
        click("Command8");
    }
    QImage image(const char* panel) const { return window->panel(panel)->grab().toImage(); }
};

TEST_P(DiagramsInTheWindow, FiguresStandWhereTheGeometryPutsThem)
{
    const int phase = GetParam();
    showPhase(phase);
    for (const Feature& feature : featuresAt(phase))
        EXPECT_TRUE(colourNear(image(feature.panel), feature.point, 2, feature.test))
            << feature.what << " at phase " << phase;
}

TEST_P(DiagramsInTheWindow, FiguresAreNotWhereTheOppositePhasePutsThem)
{
    const int phase = GetParam();
    showPhase(phase);
    for (const Feature& feature : featuresAt(phase + 180))
        EXPECT_FALSE(colourNear(image(feature.panel), feature.point, 1, feature.test))
            << feature.what << " of phase " << phase + 180 << " drawn at phase " << phase;
}

INSTANTIATE_TEST_SUITE_P(Phases, DiagramsInTheWindow, ::testing::Values(90, 270, 45));

} // namespace
} // namespace tessarion::ui::testing

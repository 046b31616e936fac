#include "render/painters.h"

namespace tessarion::render {

void bindPainters(core::Form& form, const DiagramPanels& panels)
{
    panels.P1.setPaintHandler(
        [&form, &P1 = panels.P1, spring = panels.spring] { P1_Paint(form, P1, spring); });
    panels.p2.setPaintHandler([&form, &p2 = panels.p2] { p2_paint(form, p2); });
    panels.p3.setPaintHandler(
        [&form, &p3 = panels.p3, &Line3 = panels.Line3] { p3_paint(form, p3, Line3); });
    panels.p4.setPaintHandler([&form, &p4 = panels.p4] { P4_paint(form, p4); });
}

} // namespace tessarion::render

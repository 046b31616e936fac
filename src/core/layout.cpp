#include "core/layout.h"

#include <array>
#include <stdexcept>

namespace tessarion::core {

namespace {
using enum ControlKind;
using colours::buttonFace;
using colours::buttonText;
using colours::highlight;
using colours::highlightText;
using colours::inactiveCaptionText;

// Creation order matters: it is the drawing order of the line figures, and the spring's
// elements are created 0, then 11 down to 1.
// clang-format off
constexpr auto layout = std::to_array<ControlSpec>({
    {.name = "p4", .kind = Panel, .panel = PanelId::graph, .left = 105, .top = 5910, .width = 7665, .height = 2130,
     .tabIndex = 27, .foreColor = buttonText, .units = PanelUnits::Twips},
    {.name = "p2", .kind = Panel, .panel = PanelId::vector, .left = 2565, .top = 90, .width = 5220, .height = 5820,
     .tabIndex = 22, .foreColor = buttonText, .scale = UserScale{15, 16.744186f}},
    {.name = "Text7", .kind = TextField, .readout = ReadoutId::cosine, .container = "p2", .left = 4050, .top = 285,
     .width = 735, .height = 315, .caption = "Text7", .tabIndex = 26, .backColor = buttonFace},
    {.name = "Text6", .kind = TextField, .readout = ReadoutId::sine, .container = "p2", .left = 1095, .top = 270,
     .width = 735, .height = 315, .caption = "Text6", .tabIndex = 25, .backColor = buttonFace},
    {.name = "Line7", .kind = LineFigure, .container = "p2", .left = 5130, .top = 5745,
     .width = 5145, .height = 0, .lineWidth = 2},
    {.name = "Line6", .kind = LineFigure, .container = "p2", .left = 0, .top = 5745,
     .width = 5160, .height = 5745, .lineWidth = 2},
    {.name = "Label8", .kind = Label, .container = "p2", .left = 3255, .top = 315,
     .width = 735, .height = 270, .caption = "Cos(a)=", .tabIndex = 24},
    {.name = "Label7", .kind = Label, .container = "p2", .left = 315, .top = 285,
     .width = 855, .height = 345, .caption = "Sin(a)=", .tabIndex = 23},
    {.name = "p3", .kind = Panel, .panel = PanelId::pendulum, .left = 7800, .top = 105, .width = 3705, .height = 5805,
     .tabIndex = 21, .foreColor = buttonText, .units = PanelUnits::Pixels},
    {.name = "Line9", .kind = LineFigure, .container = "p3", .left = 3630, .top = -30,
     .width = 3630, .height = 5700, .lineWidth = 2},
    {.name = "Line8", .kind = LineFigure, .container = "p3", .left = -30, .top = 5715,
     .width = 3615, .height = 5715, .lineWidth = 2},
    {.name = "Line3", .kind = LineFigure, .container = "p3", .left = 1800, .top = 270,
     .width = 1800, .height = 3690, .lineWidth = 3},
    {.name = "Line2", .kind = LineFigure, .container = "p3", .left = 960, .top = 270,
     .width = 2640, .height = 270, .lineWidth = 3},
    {.name = "Command9", .kind = Button, .left = 9930, .top = 7575, .width = 855, .height = 285,
     .caption = "Reset", .tabIndex = 20},
    {.name = "Text5", .kind = TextField, .readout = ReadoutId::percent, .left = 8685, .top = 7035, .width = 495, .height = 360,
     .tabIndex = 19},
    {.name = "Text4", .kind = TextField, .readout = ReadoutId::radians, .left = 8700, .top = 6675, .width = 495, .height = 360,
     .tabIndex = 17},
    {.name = "Text3", .kind = TextField, .readout = ReadoutId::degrees, .left = 8685, .top = 6405, .width = 495, .height = 285,
     .tabIndex = 13, .centred = true},
    {.name = "Command8", .kind = Button, .left = 8715, .top = 7455, .width = 375, .height = 285,
     .caption = "+", .tabIndex = 12},
    {.name = "Command7", .kind = Button, .left = 8250, .top = 7455, .width = 375, .height = 285,
     .caption = "-", .tabIndex = 11},
    {.name = "Command6", .kind = Button, .left = 10485, .top = 7215, .width = 735,
     .height = 285, .caption = "Stop", .tabIndex = 10},
    {.name = "Command5", .kind = Button, .left = 9675, .top = 7215, .width = 735, .height = 285,
     .caption = "Start", .tabIndex = 9},
    {.name = "Command4", .kind = Button, .left = 11070, .top = 6495, .width = 255,
     .height = 285, .caption = "+", .tabIndex = 7},
    {.name = "Text2", .kind = TextField, .readout = ReadoutId::frequency, .left = 10695, .top = 6480, .width = 375, .height = 285,
     .tabIndex = 6},
    {.name = "Command3", .kind = Button, .left = 10440, .top = 6480, .width = 255,
     .height = 285, .caption = "-", .tabIndex = 5},
    {.name = "Text1", .kind = TextField, .readout = ReadoutId::amplitude, .left = 9810, .top = 6480, .width = 375, .height = 285,
     .tabIndex = 3, .centred = true},
    {.name = "Command2", .kind = Button, .left = 10185, .top = 6480, .width = 255,
     .height = 285, .caption = "+", .tabIndex = 2},
    {.name = "Command1", .kind = Button, .left = 9555, .top = 6480, .width = 255, .height = 285,
     .caption = "-", .tabIndex = 1},
    {.name = "Timer1", .kind = Timer, .left = 6630, .top = 8040},
    {.name = "P1", .kind = Panel, .panel = PanelId::spring, .left = 120, .top = 90, .width = 2415, .height = 5820,
     .tabIndex = 0, .foreColor = highlightText, .units = PanelUnits::Pixels},
    {.name = "Line5", .kind = LineFigure, .container = "P1", .left = 2310, .top = -30,
     .width = 2325, .height = 5715, .lineWidth = 2},
    {.name = "Line4", .kind = LineFigure, .container = "P1", .left = 0, .top = 5730,
     .width = 2355, .height = 5745, .lineWidth = 2},
    {.name = "Linl", .index = 0, .kind = LineFigure, .container = "P1", .left = 1200,
     .top = 450, .width = 720, .height = 630, .lineWidth = 5},
    {.name = "Lin1", .kind = LineFigure, .container = "P1", .left = 1200, .top = 270,
     .width = 1200, .height = 450, .lineWidth = 5},
    {.name = "Lin2", .kind = LineFigure, .container = "P1", .left = 1200, .top = 2970,
     .width = 1200, .height = 3150, .lineWidth = 5},
    {.name = "Linl", .index = 11, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 2880, .width = 1200, .height = 2970, .lineWidth = 5},
    {.name = "Linl", .index = 10, .kind = LineFigure, .container = "P1", .left = 1560,
     .top = 2610, .width = 720, .height = 2880, .lineWidth = 5},
    {.name = "Linl", .index = 9, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 2430, .width = 1560, .height = 2610, .lineWidth = 5},
    {.name = "Linl", .index = 8, .kind = LineFigure, .container = "P1", .left = 1560,
     .top = 2160, .width = 720, .height = 2430, .lineWidth = 5},
    {.name = "Linl", .index = 7, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 1980, .width = 1560, .height = 2160, .lineWidth = 5},
    {.name = "Linl", .index = 6, .kind = LineFigure, .container = "P1", .left = 1560,
     .top = 1710, .width = 720, .height = 1980, .lineWidth = 5},
    {.name = "Linl", .index = 5, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 1530, .width = 1560, .height = 1710, .lineWidth = 5},
    {.name = "Linl", .index = 4, .kind = LineFigure, .container = "P1", .left = 1560,
     .top = 1260, .width = 720, .height = 1530, .lineWidth = 5},
    {.name = "Linl", .index = 3, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 1080, .width = 1560, .height = 1260, .lineWidth = 5},
    {.name = "Linl", .index = 2, .kind = LineFigure, .container = "P1", .left = 1560,
     .top = 810, .width = 720, .height = 1080, .lineWidth = 5},
    {.name = "Linl", .index = 1, .kind = LineFigure, .container = "P1", .left = 720,
     .top = 630, .width = 1560, .height = 810, .lineWidth = 5},
    {.name = "Line1", .kind = LineFigure, .container = "P1", .left = 600, .top = 270,
     .width = 1800, .height = 270, .lineWidth = 3},
    // Nothing refers to this label and only a 3-pixel strip of it would show above P1.
    {.name = "Label9", .kind = Label, .left = 300, .top = 45, .width = 2175, .height = 255,
     .caption = "Oggfg", .tabIndex = 28, .visible = false},
    {.name = "Shape3", .kind = Frame, .left = 9465, .top = 5955, .width = 1965, .height = 1035,
     .foreColor = highlight},
    {.name = "Shape2", .kind = Frame, .left = 9465, .top = 7095, .width = 1965, .height = 885,
     .foreColor = highlight},
    {.name = "Shape1", .kind = Frame, .left = 7845, .top = 5955, .width = 1545, .height = 2040,
     .backColor = inactiveCaptionText, .foreColor = highlight},
    {.name = "Label6", .kind = Label, .left = 8205, .top = 7125, .width = 495, .height = 285,
     .caption = "T%:", .tabIndex = 18},
    {.name = "Label5", .kind = Label, .left = 7965, .top = 6765, .width = 735, .height = 285,
     .caption = "   Rad:", .tabIndex = 16},
    {.name = "Label4", .kind = Label, .left = 7965, .top = 6405, .width = 735, .height = 285,
     .caption = "Grade:", .tabIndex = 15},
    {.name = "Label3", .kind = Label, .left = 8040, .top = 6000, .width = 1215, .height = 375,
     .caption = "F  a  z  a ", .tabIndex = 14, .centred = true, .largeFont = true},
    {.name = "Label2", .kind = Label, .left = 10515, .top = 6090, .width = 855, .height = 285,
     .caption = "Frecv.", .tabIndex = 8, .centred = true},
    {.name = "Label1", .kind = Label, .left = 9735, .top = 6090, .width = 855, .height = 285,
     .caption = "  Ampl.", .tabIndex = 4, .centred = true},
});
// clang-format on

// Each panel and read-out the handlers drive has exactly one row.
constexpr bool eachOnce()
{
    std::array<int, panelCount> panels{};
    std::array<int, readoutCount> readouts{};
    for (const ControlSpec& spec : layout) {
        if (spec.panel)
            ++panels.at(static_cast<std::size_t>(*spec.panel));
        if (spec.readout)
            ++readouts.at(static_cast<std::size_t>(*spec.readout));
    }
    for (const int count : panels)
        if (count != 1)
            return false;
    for (const int count : readouts)
        if (count != 1)
            return false;
    return true;
}
static_assert(eachOnce(), "every panel and read-out has one row in the layout");

template <class Id, std::optional<Id> ControlSpec::*role> const ControlSpec& rowOf(Id id)
{
    for (const ControlSpec& spec : layout)
        if (spec.*role == id)
            return spec;
    throw std::logic_error("the layout lacks a row");
}
} // namespace

std::span<const ControlSpec> windowLayout() { return layout; }

const ControlSpec& panelSpec(PanelId panel) { return rowOf<PanelId, &ControlSpec::panel>(panel); }

const ControlSpec& readoutSpec(ReadoutId readout)
{
    return rowOf<ReadoutId, &ControlSpec::readout>(readout);
}

std::optional<PanelId> panelNamed(std::string_view name)
{
    for (const ControlSpec& spec : layout)
        if (spec.panel && spec.name == name)
            return spec.panel;
    return std::nullopt;
}

} // namespace tessarion::core

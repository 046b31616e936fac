#include "ui/main_window.h"

#include "core/layout.h"
#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/live_descriptions.h"
#include "ui/palette.h"
#include "ui/panel_widget.h"
#include "ui/precise_timer.h"
#include "ui/push_button.h"
#include "ui/qt_text.h"
#include "ui/readout_field.h"
#include "ui/window_actions.h"
#include "ui/window_system_background.h"
#include "ui/window_zoom.h"

#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>
#include <stdexcept>

// The icon lives in this static library; naming its resource keeps the linker from dropping it.
static void initResources() { Q_INIT_RESOURCE(tessarion); }

namespace tessarion::ui {

namespace {
constexpr int framePenWidth = 2;
constexpr double frameCornerRadius = 6;

// Inside a panel, places count from the inner area, within the sunken border.
QRect geometryOf(const core::ControlSpec& spec)
{
    const int border = spec.container.empty() ? 0 : core::panelBorderPixels;
    return {core::wholePixels(spec.left) + border, core::wholePixels(spec.top) + border,
            core::wholePixels(spec.width), core::wholePixels(spec.height)};
}

template <typename Map> auto& lookup(const Map& map, std::string_view name)
{
    const auto found = map.find(name);
    if (found == map.end())
        throw std::logic_error("layout has no control " + std::string(name));
    return *found->second;
}
} // namespace

std::string systemDecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

MainWindow::MainWindow(std::string decimalSeparator)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(core::windowCaption));
    initResources();
    // The installed theme icon is sharper in large sizes; the built-in 32 x 32 always exists.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.tessarion.tessarion"),
                                   QIcon(QStringLiteral(":/icons/tessarion.ico"))));
    // It opens at the layout's size; any other size zooms the whole layout.
    resize(core::wholePixels(core::clientWidthTwips), core::wholePixels(core::clientHeightTwips));
    build();
    zoom_ = new WindowZoom(*this);
    // Owned by the window, as its children.
    new WindowActions(*this, *zoom_);
    new WindowSystemBackground(*this);
    assemble(std::move(decimalSeparator));
    form().load();
    new LiveDescriptions(*this, *timer_);
}

MainWindow::~MainWindow() = default;

void MainWindow::build()
{
    for (const core::ControlSpec& spec : core::windowLayout()) {
        switch (spec.kind) {
        case core::ControlKind::Panel: addPanel(spec); break;
        case core::ControlKind::TextField: addTextField(spec); break;
        case core::ControlKind::Label: addLabel(spec); break;
        case core::ControlKind::Button: addButton(spec); break;
        case core::ControlKind::Timer:
            timer_ = new PreciseTimer(this);
            timer_->setObjectName(toQString(spec.name));
            break;
        case core::ControlKind::Frame: frames_.push_back(&spec); break;
        // Line figures belong to the panels' surfaces, which the assembly makes.
        case core::ControlKind::LineFigure: break;
        }
    }
    stackPanelsInTickOrder();
    setTabOrder();
    // The first stop of the tab order has the focus when the window opens.
    tabStops_.front().second->setFocus();
}

QWidget* MainWindow::containerOf(const core::ControlSpec& spec)
{
    return spec.container.empty() ? static_cast<QWidget*>(this) : &lookup(panels_, spec.container);
}

void MainWindow::addPanel(const core::ControlSpec& spec)
{
    const QRect geometry = geometryOf(spec);
    auto* panel = new PanelWidget(this, geometry.size());
    panel->setObjectName(toQString(spec.name));
    applyAccessibility(*panel, spec.name);
    panel->move(geometry.topLeft());
    panels_.emplace(spec.name, panel);
    tabStops_.emplace_back(spec.tabIndex, panel);
}

void MainWindow::addTextField(const core::ControlSpec& spec)
{
    auto* field = new ReadoutField(containerOf(spec));
    field->setObjectName(toQString(spec.name));
    applyAccessibility(*field, spec.name);
    field->setGeometry(geometryOf(spec));
    field->setAlignment(spec.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    field->setText(spec.caption);
    if (spec.backColor)
        field->setBackColor(*spec.backColor);
    fields_.emplace(spec.name, field);
    tabStops_.emplace_back(spec.tabIndex, field);
}

void MainWindow::addLabel(const core::ControlSpec& spec)
{
    auto* label = new QLabel(toQString(spec.caption), containerOf(spec));
    label->setObjectName(toQString(spec.name));
    label->setGeometry(geometryOf(spec));
    label->setAlignment((spec.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    if (spec.largeFont)
        label->setFont(largeLabelFont());
    // Labels lie on their container's surface, beneath every other control.
    label->lower();
    label->setVisible(spec.visible);
    // Screen readers link a read-out to the label beside it through the buddy.
    if (const std::string_view buddy = accessibilityFor(spec.name).buddy; !buddy.empty())
        label->setBuddy(&lookup(fields_, buddy));
}

void MainWindow::addButton(const core::ControlSpec& spec)
{
    auto* button = new PushButton(toQString(spec.caption), this);
    button->setObjectName(toQString(spec.name));
    applyAccessibility(*button, spec.name);
    button->setGeometry(geometryOf(spec));
    if (const core::ClickHandler handler = core::clickHandler(spec.name))
        connect(button, &QPushButton::clicked, this, [this, handler] { (form().*handler)(); });
    tabStops_.emplace_back(spec.tabIndex, button);
}

// The time graph shows the displacement stored last. A paint of the whole window (a resize,
// a zoom, full screen, an uncover) paints the panels from the bottom of the stack up; in
// the order of a tick, the pendulum's displacement is the one stored last, as after a tick.
// The panels do not overlap, so their stacking shows nowhere else.
void MainWindow::stackPanelsInTickOrder()
{
    for (const core::PanelId panel : core::tickOrder)
        lookup(panels_, core::panelSpec(panel).name).raise();
}

void MainWindow::setTabOrder()
{
    std::sort(tabStops_.begin(), tabStops_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops_.size(); ++i)
        QWidget::setTabOrder(tabStops_[i - 1].second, tabStops_[i].second);
}

void MainWindow::assemble(std::string decimalSeparator)
{
    assembly_ = std::make_unique<render::FormAssembly>(
        core::ControlSource{
            .readout = [this](const core::ControlSpec& spec) -> core::TextField& {
                return lookup(fields_, spec.name);
            },
            .timer = [this](const core::ControlSpec&) -> core::Timer& { return *timer_; },
            .panel = [this](const core::ControlSpec& spec) -> core::Panel& {
                return lookup(panels_, spec.name);
            },
        },
        std::move(decimalSeparator));
    for (const auto& [name, panel] : panels_)
        panel->attach(*assembly_, *core::panelNamed(name));
    connect(timer_, &QTimer::timeout, this, [this] { form().tick(); });
}

PanelWidget* MainWindow::panel(std::string_view name) const
{
    const auto found = panels_.find(name);
    return found == panels_.end() ? nullptr : found->second;
}

void MainWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrames(painter);
}

void MainWindow::drawFrames(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // Drawn at the zoomed places with whole-pixel pens, so that the straight parts stay crisp.
    const int penWidth = zoom_->lineWidth(framePenWidth);
    const double radius = frameCornerRadius * zoom_->factor();
    for (const core::ControlSpec* frame : frames_) {
        painter.setPen(
            QPen(toQColor(frame->foreColor.value_or(core::colours::highlight)), penWidth));
        const QRectF outline = zoom_->place(geometryOf(*frame));
        const double inset = penWidth / 2.0;
        painter.drawRoundedRect(outline.adjusted(inset, inset, -inset, -inset), radius, radius);
    }
}

} // namespace tessarion::ui
